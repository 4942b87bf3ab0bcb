#!/usr/bin/python3
"""The release zip, as a Windows user gets it: the package target makes exactly one telly-<version>-win64.zip
holding one folder with telly.exe, RIVO.sys, README.txt, FFmpeg's five DLLs and licenses/ (the LGPL and
FFmpeg.txt), and its SHA-256 checksum file beside it; unpacked into a fresh folder, the player runs from there,
plays a movie, and writes RIVO.CFG beside itself (at the first start and again at the close box). The shipped
telly.exe carries the version information and the manifest, and the readme is one Notepad shows and tells how to
check the checksum. Every PE file in the zip imports only KnownDLLs and DLLs of the zip, and telly.exe is hardened
(check_release.py). A winmm.dll planted in the unpacked folder, with winmm searched as Windows searches a DLL
that is no KnownDLL, is not loaded, and the movie still plays."""
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "lib"))
from telly_e2e import CLOSE, Case, colour_distance, movies, settings_text, windows_path  # noqa: E402
import skin  # noqa: E402

SHIPPED = ("README.txt", "RIVO.sys", "telly.exe")
# FFmpeg's DLLs, one per library, named by the build after its major version; and their licence texts.
FFMPEG_DLL = re.compile(r"^(avcodec|avformat|avutil|swresample|swscale)-[0-9]+\.dll$")
LICENSES = ("licenses/COPYING.LGPLv2.1.txt", "licenses/FFmpeg.txt")
# Each of these belongs in both languages of the readme.
README_IN_BOTH = ("RIVO.CFG", "RIVO.sys", "%APPDATA%\\Telly", "Alt+Enter", "AVI", "274 x 187", "certutil -hashfile",
                  "Get-FileHash", ".zip.sha256", "licenses")
PLANTED_MARKER = "planted-winmm-loaded.txt"  # what the planted winmm.dll leaves beside itself when loaded


def build_package(case, build_dir):
    """Runs the package target; returns the zips CPack reports, or fails the case."""
    log_path = case.artifact("package.log")
    with open(log_path, "wb") as log:
        r = subprocess.run([os.environ.get("TELLY_CMAKE", "cmake"), "--build", build_dir, "--target", "package"],
                           stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    with open(log_path, encoding="utf-8", errors="replace") as log:
        text = log.read()
    if r.returncode != 0:
        case.fail("the package target failed:\n" + text[-2000:])
    return [line.split("package: ", 1)[1].rsplit(" generated", 1)[0].strip()
            for line in text.splitlines() if "CPack: - package: " in line]


def is_japanese(ch):
    return "\u3040" <= ch <= "\u30ff" or "\u4e00" <= ch <= "\u9fff"


def check_readme(case, data, version):
    case.check(data.startswith(b"\xef\xbb\xbf"), "README.txt starts with the UTF-8 byte order mark")
    try:
        text = data[3:].decode("utf-8")
    except UnicodeDecodeError as error:
        case.fail("README.txt is not UTF-8: %s" % error)
    case.check(text.count("\n") == text.count("\r\n") > 0, "README.txt ends every line with CR LF")
    lines = text.split("\r\n")
    case.check(version in lines[0], "the readme's first line names version %s: %r" % (version, lines[0]))
    japanese = [i for i, line in enumerate(lines) if any(is_japanese(c) for c in line)]
    english = [i for i, line in enumerate(lines) if line.isascii() and len(line.split()) >= 4]
    case.check(len(japanese) > 50 and len(english) > 50,
               "the readme has Japanese and English text (%d and %d lines)" % (len(japanese), len(english)))
    if japanese and english:
        case.check(sum(japanese) / len(japanese) < sum(english) / len(english), "Japanese comes first")
    for token in README_IN_BOTH:
        case.check(text.count(token) >= 2, "the readme mentions %s in both languages" % token)


with Case("release_package") as case:
    build_dir = os.environ["TELLY_BUILD_DIR"]
    version = os.environ["TELLY_VERSION"]
    folder_name = "telly-%s-win64" % version
    zip_path = os.path.join(build_dir, folder_name + ".zip")

    made = build_package(case, build_dir)
    r = subprocess.run([sys.executable, os.path.join(HERE, "check_release.py"), zip_path],
                       stdin=subprocess.DEVNULL, capture_output=True, text=True)
    case.log(r.stdout.strip())
    case.check(r.returncode == 0, "the zip passes the release check (imports, hardening, checksum):\n"
               + r.stdout.strip())
    case.check(made == [zip_path], "one command makes exactly one zip, %s: %r" % (zip_path, made))
    if not os.path.isfile(zip_path):
        case.fail("no zip at " + zip_path)

    with zipfile.ZipFile(zip_path) as z:
        entries = z.namelist()
        files = sorted(n for n in entries if not n.endswith("/"))
        case.check(all(n == folder_name + "/" or n.startswith(folder_name + "/") for n in entries),
                   "everything lies in the one folder %s/: %r" % (folder_name, entries))
        dlls = tuple(sorted(n.split("/", 1)[1] for n in files if FFMPEG_DLL.match(n.split("/", 1)[1])))
        case.check(len(dlls) == 5 and len({d.split("-")[0] for d in dlls}) == 5, "one DLL per FFmpeg library: %r"
                   % (dlls,))
        shipped = SHIPPED + dlls + LICENSES
        case.check(files == sorted(folder_name + "/" + n for n in shipped), "the zip holds exactly %r: %r"
                   % (shipped, files))
        unpacked = os.path.join(case.dir, "unpacked")
        z.extractall(unpacked)
    app_dir = os.path.join(unpacked, folder_name)
    exe = os.path.join(app_dir, "telly.exe")
    if not os.path.isfile(exe):
        case.fail("the zip unpacks to no telly.exe")

    with open(os.path.join(app_dir, "RIVO.sys"), "rb") as f:
        shipped_template = f.read()
    with open(os.path.join(case.source_dir, "res", "RIVO.sys"), "rb") as f:
        case.check(len(shipped_template) == 96 and shipped_template == f.read(),
                   "RIVO.sys is the 96-byte template (%d bytes)" % len(shipped_template))
    with open(os.path.join(app_dir, "README.txt"), "rb") as f:
        check_readme(case, f.read(), version)
    r = subprocess.run([sys.executable, os.path.join(HERE, "check_resources.py"), exe, version],
                       stdin=subprocess.DEVNULL, capture_output=True, text=True)
    case.check(r.returncode == 0, "the shipped telly.exe passes the resource check: " + r.stdout.strip())

    def check_plays(label, after_set_up=lambda: None):
        """Starts the unpacked player on the red clip and checks that it plays; returns the player."""
        clip = movies()["red"]
        player = case.start(windows_path(clip["path"]), exe=exe)
        player.wait_set_up()
        after_set_up()
        player.park_pointer()
        seen = case.screen.wait(lambda: colour_distance(player.hole_mean(), clip["rgb"]) < 30, 10)
        case.check(seen, "%s: the screen shows the clip's colour %r (mean %r)"
                   % (label, clip["rgb"], player.hole_mean()))
        pictures = set()
        for _ in range(6):
            pictures.add(hashlib.sha1(player.grab_rect(skin.HOLE).rgb).hexdigest())
            time.sleep(0.25)
        case.check(len(pictures) >= 3, "%s: the movie plays: %d different pictures in 1.5 s" % (label, len(pictures)))
        player.grab_set().save_png(case.artifact("%s.png" % label.replace(" ", "_")))
        return player

    # Run it from the unpacked folder, as a user would.
    player = check_plays("playing")

    settings = os.path.join(app_dir, "RIVO.CFG")
    want = settings_text()
    case.check(case.screen.wait(lambda: os.path.exists(settings), 5), "RIVO.CFG appears beside telly.exe")
    if os.path.exists(settings):
        with open(settings, "rb") as f:
            case.check(f.read() == want, "it holds the 102 bytes of the first start")
    player.click(CLOSE)
    case.check(player.wait_exit(10) is not None, "the close box ends the player")
    with open(settings, "rb") as f:
        case.check(f.read() == want, "the quit writes RIVO.CFG beside telly.exe again")
    left = sorted(os.listdir(app_dir))
    case.check(left == sorted(SHIPPED + dlls + ("licenses", "RIVO.CFG")),
               "the folder holds the shipped files and RIVO.CFG: %r" % left)

    # A winmm.dll planted beside the program, searched for as Windows searches a DLL that is no KnownDLL.
    shutil.copy2(os.environ["TELLY_PLANTED_DLL"], os.path.join(app_dir, "winmm.dll"))
    overrides = [o for o in os.environ.get("WINEDLLOVERRIDES", "").split(";") if o]
    os.environ["WINEDLLOVERRIDES"] = ";".join(overrides + ["winmm=n,b"])
    marker = os.path.join(app_dir, PLANTED_MARKER)

    def not_loaded():
        # The DLL leaves its marker as it is loaded, before the player's own code runs.
        if os.path.exists(marker):
            case.fail("the planted winmm.dll was loaded into %s" % open(marker, encoding="ascii").read())
        case.check(True, "the planted winmm.dll was not loaded (no %s)" % PLANTED_MARKER)

    player = check_plays("planted winmm.dll", not_loaded)
    player.click(CLOSE)
    case.check(player.wait_exit(10) is not None, "with the planted DLL, the close box ends the player")
    case.check(not os.path.exists(marker), "the planted winmm.dll was not loaded later either")
