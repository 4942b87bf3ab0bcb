#!/usr/bin/python3
"""The XDND drop source against a plain X target: URIs arrive whole (blanks, non-ASCII names), at the point
of the drop, whether the target reads the data on entering (as Wine does) or on the drop; a refusal and a
point without any drop target are reported as failures."""
import json
import os
import subprocess
import sys
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case  # noqa: E402


def drop(case, target_args, paths, at):
    target = subprocess.Popen([sys.executable, os.path.join(case.source_dir, "tests", "e2e", "lib", "xdnd_target.py")]
                              + target_args + ["300", "200", "200", "150"],
                              stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, text=True)
    try:
        ready = target.stdout.readline()
        if not ready.startswith("ready"):
            case.fail("the test target did not start: %r" % ready)
        tool = os.path.join(case.source_dir, "tests", "e2e", "tools", "xdnd_drop.py")
        r = subprocess.run([sys.executable, tool, "--timeout", "10", "--at", "%d,%d" % at] + paths,
                           capture_output=True, text=True, stdin=subprocess.DEVNULL)
        if r.stderr.strip():
            case.log("xdnd_drop said: " + r.stderr.strip())
        if at[0] < 300:  # nothing there: the target never hears of the drop
            return r.returncode, None
        line = target.stdout.readline()
        return r.returncode, json.loads(line) if line else None
    finally:
        target.kill()
        target.wait()


with Case("xdnd_tool") as case:
    names = [os.path.join(case.dir, "folder with blanks"), os.path.join(case.dir, "テレビ 番組.avi"),
             os.path.join(case.dir, "100%.avi")]
    os.makedirs(names[0])
    for n in names[1:]:
        open(n, "wb").close()
    uris = ["file://" + urllib.parse.quote(n) for n in names]

    for label, args in (("data read on entering", ["--fetch-on-enter"]), ("data read on the drop", [])):
        rc, got = drop(case, args, names, (350, 260))
        case.check(rc == 0, "%s: the source reports success" % label)
        case.check(got is not None and got.get("uris") == uris, "%s: the URIs arrive whole: %r" % (label, got))
        case.check(got is not None and got.get("position") == [350, 260], "%s: at the drop point" % label)
        if got and got.get("uris"):
            back = [urllib.parse.unquote(u[len("file://"):]) for u in got["uris"]]
            case.check(back == names, "%s: the URIs decode to the paths" % label)

    rc, got = drop(case, ["--refuse"], names[:1], (350, 260))
    case.check(rc == 1 and got == {"left": True}, "a refused drop fails and leaves the target: %r" % got)

    rc, _ = drop(case, [], names[:1], (50, 50))
    case.check(rc == 1, "a drop where no window takes drops fails")
