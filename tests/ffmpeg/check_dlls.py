#!/usr/bin/env python3
"""Checks FFmpeg's DLLs for Windows as scripts/build-ffmpeg-windows left them in their prefix: exactly the five
libraries, each importing only KERNEL32.dll, msvcrt.dll and the others of the set (no bcrypt, advapi32, libssp,
zlib or thread library), each with ASLR (high entropy), DEP and the terminal-server bit in its
DllCharacteristics; and the licence texts the zip ships beside them: the LGPL of the source, and FFmpeg.txt
naming the version, the exact configure line (LGPL: no GPL, nothing non-free) and the Debian source package.

Usage: check_dlls.py PREFIX SOURCE DLL...   (SOURCE: build/ffmpeg-source; DLL: the expected file names)
Status 0 when all hold; every failed check is printed.
"""
import os
import re
import subprocess
import sys

OBJDUMP = "x86_64-w64-mingw32-objdump"
SYSTEM_IMPORTS = {"kernel32.dll", "msvcrt.dll"}
# IMAGE_DLLCHARACTERISTICS_*: the bits the hardening flags set.
HARDENING = {"HIGH_ENTROPY_VA": 0x0020, "DYNAMIC_BASE": 0x0040, "NX_COMPAT": 0x0100, "TERMINAL_SERVER_AWARE": 0x8000}
# What must never reach an LGPL build.
FORBIDDEN_OPTIONS = ("--enable-gpl", "--enable-nonfree", "--enable-version3")

failures = []


def check(condition, message):
    print(("ok: " if condition else "FAILED: ") + message)
    if not condition:
        failures.append(message)
    return condition


def pe_header(path):
    """(imported DLL names, DllCharacteristics, file format) as objdump reads them."""
    out = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True, check=True).stdout
    imports = re.findall(r"^\s*DLL Name: (\S+)", out, re.M)
    flags = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", out, re.M)
    fmt = re.search(r"file format (\S+)", out)
    return imports, int(flags.group(1), 16) if flags else 0, fmt.group(1) if fmt else ""


def check_dlls(prefix, expected):
    bin_dir = os.path.join(prefix, "bin")
    present = sorted(n for n in os.listdir(bin_dir) if n.lower().endswith(".dll"))
    check(present == sorted(expected), "the prefix holds exactly the DLLs %r: %r" % (sorted(expected), present))
    allowed = SYSTEM_IMPORTS | {n.lower() for n in expected}
    for name in present:
        imports, flags, fmt = pe_header(os.path.join(bin_dir, name))
        check(fmt == "pei-x86-64", "%s is a 64-bit Windows DLL (%s)" % (name, fmt))
        check("kernel32.dll" in {i.lower() for i in imports}, "%s imports KERNEL32.dll: %r" % (name, imports))
        stray = [i for i in imports if i.lower() not in allowed]
        check(not stray, "%s imports only KERNEL32.dll, msvcrt.dll and the set: also %r" % (name, stray))
        missing = [bit for bit, mask in HARDENING.items() if not flags & mask]
        check(not missing, "%s has DllCharacteristics %#06x with every hardening bit: lacks %r"
              % (name, flags, missing))


def read(path, mode="r"):
    with open(path, mode) as f:
        return f.read()


def check_licenses(prefix, source):
    licenses = os.path.join(prefix, "licenses")
    present = sorted(os.listdir(licenses))
    check(present == ["COPYING.LGPLv2.1.txt", "FFmpeg.txt"], "licenses/ holds the LGPL and FFmpeg.txt: %r" % present)
    lgpl = read(os.path.join(licenses, "COPYING.LGPLv2.1.txt"), "rb")
    original = read(os.path.join(source, "src", "COPYING.LGPLv2.1"), "rb")
    check(lgpl == original.replace(b"\n", b"\r\n"), "COPYING.LGPLv2.1.txt is the source's LGPL with CR LF ends")
    check(b"GNU LESSER GENERAL PUBLIC LICENSE" in lgpl and b"Version 2.1" in lgpl, "it is the LGPL 2.1")

    text = read(os.path.join(licenses, "FFmpeg.txt"), "rb")
    check(text.count(b"\n") == text.count(b"\r\n") > 0, "FFmpeg.txt ends every line with CR LF")
    text = text.decode("utf-8")
    version = read(os.path.join(source, "src", "VERSION")).strip()
    check(text.startswith("FFmpeg %s\r\n" % version), "FFmpeg.txt names FFmpeg %s first" % version)
    stamp = read(os.path.join(prefix, ".telly-ffmpeg-stamp"))
    configure = re.search(r"^configure: (.*)$", stamp, re.M).group(1)
    check("\r\n%s\r\n" % configure in text, "FFmpeg.txt holds the configure line of the build")
    check("--disable-everything" in configure and "--enable-shared" in configure,
          "the configure line builds the chosen components as DLLs")
    bad = [o for o in FORBIDDEN_OPTIONS if o in configure]
    check(not bad, "the configure line is LGPL 2.1 only: %r" % bad)
    origin = dict(re.findall(r"^(\w+): (.*)$", read(os.path.join(source, "origin.txt")), re.M))
    for what in ("Debian source package ffmpeg", "version " + origin["version"], origin["archive"]):
        check(what in text, "FFmpeg.txt names the source: %r" % what)
    files = re.findall(r"^  (\S+)$", read(os.path.join(source, "origin.txt")), re.M)
    check(files and all(f in text for f in files), "FFmpeg.txt lists the source package's files")


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    prefix, source, expected = sys.argv[1], sys.argv[2], [os.path.basename(d) for d in sys.argv[3:]]
    check_dlls(prefix, expected)
    check_licenses(prefix, source)
    print("%d checks failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
