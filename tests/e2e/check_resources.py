#!/usr/bin/env python3
"""Checks the resources compiled into telly.exe: what windres actually produced, not what the .rc says.

Reads the PE resource directory of the executable and asserts the dialog templates 102 and 139 (styles,
extended styles, font, caption, and every control's id, class, style and rectangle), the skin bitmap 129
(a BITMAPINFOHEADER of 40 bytes, no file header), the icon group 128 with the icons it names, the version
information (numbers and texts carry the project's version) and the application manifest (asInvoker,
Windows 7 to 11, no Common Controls 6, DPI unaware).

Usage: check_resources.py path/to/telly.exe VERSION   (the project's version, e.g. 1.0.0; status 0 when all hold)
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_ICON, RT_BITMAP, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 2, 5, 14, 16, 24
FONT_NAME = "ＭＳ Ｐゴシック"

# Window, dialog and control styles (values of <windows.h>).
WS_POPUP, WS_CHILD, WS_VISIBLE, WS_DISABLED = 0x80000000, 0x40000000, 0x10000000, 0x08000000
WS_CAPTION, WS_BORDER, WS_VSCROLL, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00200000, 0x00080000
WS_GROUP, WS_TABSTOP = 0x00020000, 0x00010000
WS_EX_ACCEPTFILES, WS_EX_APPWINDOW = 0x00000010, 0x00040000
DS_MODALFRAME, DS_SETFONT = 0x80, 0x40
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX, BS_AUTORADIOBUTTON, BS_PUSHLIKE = 0, 1, 7, 9, 0x1000
ES_AUTOHSCROLL = 0x80
LBS_NOTIFY, LBS_SORT, LBS_NOINTEGRALHEIGHT = 0x1, 0x2, 0x100
SBS_VERT = 0x1
SS_LEFT, SS_BLACKFRAME, SS_NOTIFY = 0x0, 0x7, 0x100

CHILD = WS_CHILD | WS_VISIBLE  # what a CONTROL statement starts from
LISTBOX = WS_CHILD | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP

# (id, class, style, (x, y, cx, cy)) in template order. Static ids are -1 (0xFFFF as a WORD).
MAIN_WINDOW = {
    "style": 0x90200040, "exstyle": 0x00040010, "size": (0, 0, 162, 146), "caption": "",
    "controls": [
        (1, "Button", WS_CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP, (5, 130, 20, 14)),
        (2, "Button", WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, (27, 130, 20, 14)),
        (1000, "Edit", WS_CHILD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, (49, 130, 20, 14)),
        (1006, "ListBox", LISTBOX, (71, 130, 20, 14)),
        (1007, "ListBox", LISTBOX, (93, 130, 20, 14)),
        (1010, "ScrollBar", WS_CHILD | SBS_VERT | WS_DISABLED | WS_TABSTOP | WS_GROUP, (115, 130, 8, 14)),
        (1021, "Static", CHILD | SS_BLACKFRAME | SS_NOTIFY, (125, 130, 20, 14)),
    ],
}
STATIC_TEXT = CHILD | SS_LEFT | WS_GROUP
GROUP_BOX = CHILD | BS_GROUPBOX
RADIO = CHILD | BS_AUTORADIOBUTTON | BS_PUSHLIKE
MOUSE_SETTINGS = {
    "style": DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, "exstyle": 0,
    "size": (0, 0, 239, 91), "caption": "操作設定ダイアログ",
    "controls": [
        (1, "Button", CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP, (185, 60, 50, 15)),
        (2, "Button", CHILD | BS_PUSHBUTTON | WS_TABSTOP, (185, 80, 50, 10)),
        (-1, "Static", STATIC_TEXT, (5, 65, 105, 10)),
        (-1, "Button", GROUP_BOX, (0, 55, 180, 35)),
        (-1, "Static", STATIC_TEXT, (5, 75, 135, 10)),
        (-1, "Button", GROUP_BOX, (0, 0, 235, 50)),
        (-1, "Static", STATIC_TEXT, (160, 20, 60, 10)),
        (-1, "Static", STATIC_TEXT, (160, 30, 55, 8)),
        (1032, "Button", RADIO | WS_GROUP, (10, 20, 30, 10)),
        (1033, "Button", RADIO, (10, 30, 30, 10)),
        (-1, "Button", GROUP_BOX, (120, 10, 110, 35)),
        (-1, "Button", GROUP_BOX, (5, 10, 110, 35)),
        (-1, "Static", STATIC_TEXT, (45, 30, 67, 8)),
        (-1, "Static", STATIC_TEXT, (45, 20, 45, 10)),
        (1034, "Button", RADIO | WS_GROUP, (125, 20, 30, 9)),
        (1035, "Button", RADIO, (125, 30, 30, 10)),
        (1037, "Button", RADIO | WS_GROUP, (155, 65, 20, 10)),
        (1038, "Button", RADIO, (135, 65, 20, 10)),
    ],
}

# Predefined control classes are stored as ordinals in a template.
CLASS_ORDINALS = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox", 0x84: "ScrollBar",
                  0x85: "ComboBox"}


class PeFile:
    """Just enough of the PE format to reach the resource data."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an executable (no MZ header)")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)  # PE32+ or PE32
        self.rsrc_rva, self.rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            vsize, va, raw_size, raw_ptr = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((va, max(vsize, raw_size), raw_ptr))
        if not self.rsrc_rva:
            raise ValueError("no resource directory")
        self.rsrc = self.offset(self.rsrc_rva)

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("address 0x%x is in no section" % rva)

    def _entries(self, directory):
        named, ids = struct.unpack_from("<12xHH", self.data, directory)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            key = name if not name & 0x80000000 else self._name(name & 0x7FFFFFFF)
            yield key, target

    def _name(self, offset):
        at = self.rsrc + offset
        length = struct.unpack_from("<H", self.data, at)[0]
        return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")

    def resources(self):
        """{(type, name): bytes}, the first language of each."""
        found = {}
        for rtype, types in self._entries(self.rsrc):
            for name, names in self._entries(self.rsrc + (types & 0x7FFFFFFF)):
                for _lang, leaf in self._entries(self.rsrc + (names & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, self.rsrc + leaf)
                    start = self.offset(rva)
                    found.setdefault((rtype, name), self.data[start:start + size])
        return found


class Reader:
    def __init__(self, data, at=0):
        self.data, self.at = data, at

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def text(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        value = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return value

    def text_or_ordinal(self):
        first = struct.unpack_from("<H", self.data, self.at)[0]
        if first == 0xFFFF:
            self.at += 4
            return struct.unpack_from("<H", self.data, self.at - 2)[0]
        if first == 0:
            self.at += 2
            return ""
        return self.text()

    def align(self, n=4):
        self.at = (self.at + n - 1) // n * n


def parse_dialogex(data):
    r = Reader(data)
    version, signature = r.take("HH")
    if (version, signature) != (1, 0xFFFF):
        raise ValueError("not a DIALOGEX template")
    _help, exstyle, style, count = r.take("IIIH")
    rect = r.take("hhhh")
    menu, window_class, caption = r.text_or_ordinal(), r.text_or_ordinal(), r.text()
    font = None
    if style & DS_SETFONT:
        points, weight, italic, charset = r.take("HHBB")
        font = (points, r.text(), weight, italic, charset)
    controls = []
    for _ in range(count):
        r.align()
        _help, c_exstyle, c_style = r.take("III")
        c_rect = r.take("hhhh")
        c_id = r.take("I")
        c_class = r.text_or_ordinal()
        c_class = CLASS_ORDINALS.get(c_class, c_class) if isinstance(c_class, int) else c_class
        c_title = r.text_or_ordinal()
        extra = r.take("H")
        r.at += extra
        controls.append({"id": c_id, "class": c_class, "style": c_style, "exstyle": c_exstyle,
                         "rect": tuple(c_rect), "title": c_title})
    return {"style": style, "exstyle": exstyle, "rect": tuple(rect), "menu": menu, "class": window_class,
            "caption": caption, "font": font, "controls": controls}


class Checker:
    def __init__(self):
        self.failures = 0

    def equal(self, what, got, want):
        if got != want:
            self.failures += 1
            fmt = (lambda v: "0x%08X" % v) if isinstance(want, int) and want > 9 else repr
            print("FAIL %s: got %s, want %s" % (what, fmt(got), fmt(want)))

    def true(self, what, condition):
        if not condition:
            self.failures += 1
            print("FAIL " + what)


def check_dialog(check, resources, template_id, want):
    data = resources.get((RT_DIALOG, template_id))
    check.true("dialog %d exists" % template_id, data is not None)
    if data is None:
        return
    dialog = parse_dialogex(data)
    name = "dialog %d" % template_id
    check.equal(name + " style", dialog["style"], want["style"])
    check.equal(name + " extended style", dialog["exstyle"], want["exstyle"])
    check.equal(name + " rectangle", dialog["rect"], want["size"])
    check.equal(name + " caption", dialog["caption"], want["caption"])
    check.equal(name + " font (points, name)", dialog["font"] and dialog["font"][:2], (9, FONT_NAME))
    check.equal(name + " control count", len(dialog["controls"]), len(want["controls"]))
    for i, (got, (c_id, c_class, c_style, c_rect)) in enumerate(zip(dialog["controls"], want["controls"])):
        label = "%s control #%d (id %d)" % (name, i, c_id)
        check.equal(label + " id", got["id"] & 0xFFFF, c_id & 0xFFFF)
        check.equal(label + " class", str(got["class"]).lower(), c_class.lower())
        check.equal(label + " style", got["style"], c_style)
        check.equal(label + " rectangle", got["rect"], c_rect)


def check_bitmap_and_icon(check, resources):
    skin = resources.get((RT_BITMAP, 129))
    check.true("bitmap 129 exists", skin is not None)
    if skin is not None:
        check.true("bitmap 129 holds more than its header", len(skin) > 40)
        check.equal("bitmap 129 header size", struct.unpack_from("<I", skin, 0)[0], 40)
    group = resources.get((RT_GROUP_ICON, 128))
    check.true("icon group 128 exists", group is not None)
    if group is not None:
        _reserved, kind, count = struct.unpack_from("<HHH", group, 0)
        check.equal("icon group 128 type", kind, 1)
        check.true("icon group 128 names an icon", count > 0)
        for i in range(count):
            icon_id = struct.unpack_from("<H", group, 6 + 14 * i + 12)[0]
            check.true("icon %d of group 128 exists" % icon_id, (RT_ICON, icon_id) in resources)


VS_FIXEDFILEINFO_SIGNATURE = 0xFEEF04BD
VOS_NT_WINDOWS32, VFT_APP = 0x00040004, 1
VERSION_TEXTS = {"ProductName": "Telly", "OriginalFilename": "telly.exe"}
VERSION_TEXTS_NOT_EMPTY = ("FileDescription", "LegalCopyright")


def parse_version_block(data, at=0):
    """One node of a VS_VERSIONINFO tree: (key, value, children, end). A text value (type 1) is decoded and
    loses its terminating NUL; a binary value stays bytes."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    r = Reader(data, at + 6)
    key = r.text()
    r.align()
    if kind == 1:  # text: value_length counts UTF-16 units, the NUL included
        value = data[r.at:r.at + 2 * value_length].decode("utf-16-le").rstrip("\0")
        r.at += 2 * value_length
    else:
        value = data[r.at:r.at + value_length]
        r.at += value_length
    children = []
    r.align()
    while r.at < end:
        child = parse_version_block(data, r.at)
        children.append(child)
        r.at = child[3]
        r.align()
    return key, value, children, end


def check_version(check, resources, version):
    data = resources.get((RT_VERSION, 1))
    check.true("version information 1 exists", data is not None)
    if data is None:
        return
    key, fixed, children, _end = parse_version_block(data)
    check.equal("version block key", key, "VS_VERSION_INFO")
    numbers = ([int(n) for n in version.split(".")] + [0, 0, 0, 0])[:4]
    want_ms, want_ls = numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]
    check.true("fixed file info present (52 bytes)", len(fixed) == 52)
    if len(fixed) == 52:
        (signature, _struct_version, file_ms, file_ls, product_ms, product_ls, _mask, flags, os_kind,
         file_kind, _subtype, _date_ms, _date_ls) = struct.unpack("<13I", fixed)
        check.equal("fixed file info signature", signature, VS_FIXEDFILEINFO_SIGNATURE)
        check.equal("FILEVERSION", (file_ms, file_ls), (want_ms, want_ls))
        check.equal("PRODUCTVERSION", (product_ms, product_ls), (want_ms, want_ls))
        check.equal("file flags (no debug, no pre-release)", flags, 0)
        check.equal("file OS", os_kind, VOS_NT_WINDOWS32)
        check.equal("file type", file_kind, VFT_APP)
    blocks = {child[0]: child for child in children}
    tables = blocks.get("StringFileInfo", ("", b"", [], 0))[2]
    check.equal("string tables", len(tables), 1)
    translation = blocks.get("VarFileInfo", ("", b"", [], 0))[2]
    translation = translation[0][1] if translation and translation[0][0] == "Translation" else b""
    check.true("a Translation entry", len(translation) == 4)
    if len(tables) != 1 or len(translation) != 4:
        return
    language, code_page = struct.unpack("<HH", translation)
    check.equal("string table language and code page", tables[0][0].upper(), "%04X%04X" % (language, code_page))
    texts = {child[0]: child[1] for child in tables[0][2]}
    want = dict(VERSION_TEXTS, FileVersion=version, ProductVersion=version)
    for name, value in sorted(want.items()):
        check.equal("version text " + name, texts.get(name), value)
    for name in VERSION_TEXTS_NOT_EMPTY:
        check.true("version text %s is not empty: %r" % (name, texts.get(name)), bool(texts.get(name)))


SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
COMMON_CONTROLS = "microsoft.windows.common-controls"


def local_name(element):
    return element.tag.rsplit("}", 1)[-1]


def check_manifest(check, resources):
    names = sorted(name for rtype, name in resources if rtype == RT_MANIFEST)
    check.equal("manifest resources", names, [1])
    data = resources.get((RT_MANIFEST, 1))
    if data is None:
        return
    try:
        root = ET.fromstring(data)
    except ET.ParseError as error:
        check.true("manifest is well-formed XML (%s)" % error, False)
        return
    elements = list(root.iter())
    check.equal("manifest root", root.tag, "{urn:schemas-microsoft-com:asm.v1}assembly")
    levels = [e.get("level") for e in elements if local_name(e) == "requestedExecutionLevel"]
    check.equal("requested execution level", levels, ["asInvoker"])
    ids = sorted(e.get("Id", "").lower() for e in elements if local_name(e) == "supportedOS")
    check.equal("supportedOS entries (Windows 7, 8, 8.1, 10/11)", ids, sorted(SUPPORTED_OS))
    dependencies = [e.get("name", "") for e in elements
                    if local_name(e) == "assemblyIdentity" and e.get("name", "").lower() == COMMON_CONTROLS]
    check.equal("dependencies on Common Controls", dependencies, [])
    for e in elements:
        if local_name(e) == "dpiAware":
            check.equal("dpiAware", (e.text or "").strip().lower(), "false")
        if local_name(e) == "dpiAwareness":
            check.equal("dpiAwareness", (e.text or "").strip().lower(), "unaware")


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1])
        return 2
    try:
        with open(argv[1], "rb") as f:
            resources = PeFile(f.read()).resources()
    except (OSError, ValueError, struct.error) as error:
        print("FAIL %s: %s" % (argv[1], error))
        return 1
    check = Checker()
    check_dialog(check, resources, 102, MAIN_WINDOW)
    check_dialog(check, resources, 139, MOUSE_SETTINGS)
    check_bitmap_and_icon(check, resources)
    check_version(check, resources, argv[2])
    check_manifest(check, resources)
    print("%s: %s" % (argv[1], "resources OK" if not check.failures else "%d failures" % check.failures))
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
