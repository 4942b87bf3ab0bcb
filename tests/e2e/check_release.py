#!/usr/bin/env python3
"""Checks what a download of Telly runs: the release zip's PE files, read as the Windows loader reads them.

  check_release.py ZIP                  the zip, its checksum file ZIP.sha256 beside it, every PE file in it
  check_release.py --exe EXE [DLL...]   the build tree's telly.exe and the DLLs the zip ships beside it:
                                        their imports, and telly.exe's hardening

Every PE file (any .exe or .dll in the zip) may import only KnownDLLs or DLLs that the zip itself ships,
delay-loaded imports included: any other DLL is looked for in the program's folder first, where a planted
copy would run inside the player. telly.exe must carry ASLR with a high-entropy base and its relocations,
DEP and terminal-server awareness in its header, and the stack protector must be linked in. The checksum
file must name the zip and hold its SHA-256. Prints one line per fault; status 0 when everything holds.
"""
import hashlib
import os
import struct
import sys
import zipfile

# The KnownDLLs of Windows 10 and 11 (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs): the
# loader maps these from the system folder only, whatever lies beside a program. ntdll.dll is mapped into
# every process before any search and is not listed there. Names compare without regard to case.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll", "gdi32.dll",
    "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll", "msvcrt.dll", "normaliz.dll",
    "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll",
    "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "wldap32.dll", "wow64.dll", "wow64cpu.dll",
    "wow64win.dll", "ws2_32.dll", "ntdll.dll",
}

IMAGE_FILE_RELOCS_STRIPPED = 0x0001
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x0020, 0x0040, 0x0100, 0x8000
HARDENING = (("dynamic base (ASLR)", DYNAMIC_BASE), ("high-entropy VA", HIGH_ENTROPY_VA),
             ("NX compatible (DEP)", NX_COMPAT), ("terminal-server aware", TERMINAL_SERVER_AWARE))
DIR_IMPORT, DIR_BASERELOC, DIR_DELAY_IMPORT = 1, 5, 13
# libssp's __stack_chk_fail, which -fstack-protector-strong links in, says this when a guard is broken; it
# stays in a stripped file, where the symbol names do not.
STACK_PROTECTOR_MESSAGE = b"*** stack smashing detected ***"


class PeError(Exception):
    pass


class Pe:
    """The header fields and import tables of a PE32+ or PE32 image held in memory."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise PeError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        if magic not in (0x10B, 0x20B):
            raise PeError("unknown optional header 0x%x" % magic)
        plus = magic == 0x20B
        self.dll_characteristics = struct.unpack_from("<H", data, opt + 70)[0]
        count_at = opt + (108 if plus else 92)
        count = struct.unpack_from("<I", data, count_at)[0]
        self.directories = [struct.unpack_from("<II", data, count_at + 4 + 8 * i) for i in range(count)]
        table = opt + optional_size
        self.sections = []
        for i in range(sections):
            _, vsize, vaddr, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rawsize), rawptr, rawsize))

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def offset(self, rva):
        for vaddr, size, rawptr, rawsize in self.sections:
            if vaddr <= rva < vaddr + size and rva - vaddr < rawsize:
                return rawptr + rva - vaddr
        raise PeError("address 0x%x lies in no section" % rva)

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii", "replace")

    def imported_dlls(self):
        """Every DLL named by the import table and the delay-load import table."""
        names = []
        for index, entry_size, name_field in ((DIR_IMPORT, 20, 12), (DIR_DELAY_IMPORT, 32, 4)):
            rva, size = self.directory(index)
            if not rva or not size:
                continue
            at = self.offset(rva)
            while True:
                entry = self.data[at:at + entry_size]
                if len(entry) < entry_size or entry == b"\0" * entry_size:
                    break
                names.append(self.string(struct.unpack_from("<I", entry, name_field)[0]))
                at += entry_size
        return names

    def has_relocations(self):
        return (not self.characteristics & IMAGE_FILE_RELOCS_STRIPPED) and self.directory(DIR_BASERELOC)[1] > 0


def import_faults(name, pe, shipped):
    """Imports of `name` that the loader would look for beside the program."""
    allowed = KNOWN_DLLS | {s.lower() for s in shipped}
    return ["%s imports %s, which is neither a KnownDLL nor shipped in the zip" % (name, dll)
            for dll in pe.imported_dlls() if dll.lower() not in allowed]


def hardening_faults(name, pe, data):
    faults = ["%s is not marked %s" % (name, label) for label, bit in HARDENING
              if not pe.dll_characteristics & bit]
    if not pe.has_relocations():
        faults.append("%s has no relocations: ASLR cannot move it" % name)
    if STACK_PROTECTOR_MESSAGE not in data:
        faults.append("%s has no stack protector linked in" % name)
    return faults


def checksum_faults(zip_path):
    path = zip_path + ".sha256"
    if not os.path.isfile(path):
        return ["no checksum file %s beside the zip" % os.path.basename(path)]
    with open(path, encoding="ascii", errors="replace") as f:
        fields = f.read().split()
    with open(zip_path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    if len(fields) != 2 or fields[0].lower() != digest or fields[1] != os.path.basename(zip_path):
        return ["%s does not hold '%s  %s': %r" % (os.path.basename(path), digest, os.path.basename(zip_path),
                                                    fields)]
    return []


def check_zip(zip_path):
    faults = checksum_faults(zip_path)
    with zipfile.ZipFile(zip_path) as z:
        files = {n: z.read(n) for n in z.namelist() if not n.endswith("/")}
    images = {}
    for name, data in files.items():
        if data[:2] == b"MZ" or name.lower().endswith((".exe", ".dll")):
            try:
                images[name] = Pe(data)
            except (PeError, struct.error, ValueError) as error:
                faults.append("%s is no readable PE file: %s" % (name, error))
    shipped = {os.path.basename(n) for n in images if n.lower().endswith(".dll")}
    for name, pe in sorted(images.items()):
        faults += import_faults(name, pe, shipped)
    players = [n for n in images if os.path.basename(n).lower() == "telly.exe"]
    if len(players) != 1:
        faults.append("the zip holds %d telly.exe" % len(players))
    for name in players:
        faults += hardening_faults(name, images[name], files[name])
    return faults, sorted(images)


def check_exe(path, dlls):
    """The build tree's telly.exe, with the DLLs the zip ships beside it (FFmpeg's): each may import only
    KnownDLLs and those DLLs, and telly.exe carries its hardening."""
    with open(path, "rb") as f:
        data = f.read()
    shipped = {os.path.basename(d) for d in dlls}
    faults = import_faults(os.path.basename(path), Pe(data), shipped) + hardening_faults(os.path.basename(path),
                                                                                        Pe(data), data)
    for dll in dlls:
        with open(dll, "rb") as f:
            faults += import_faults(os.path.basename(dll), Pe(f.read()), shipped)
    return faults


def main(argv):
    if len(argv) >= 3 and argv[1] == "--exe":
        faults, checked = check_exe(argv[2], argv[3:]), argv[2:]
    elif len(argv) == 2:
        faults, checked = check_zip(argv[1])
    else:
        print(__doc__)
        return 2
    for fault in faults:
        print("FAULT: " + fault)
    print("%d PE file(s) checked (%s), %d fault(s)" % (len(checked), ", ".join(checked), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
