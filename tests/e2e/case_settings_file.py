#!/usr/bin/python3
"""The first start creates the 102-byte RIVO.CFG beside the program (not in the working directory), and the
quit writes it again with the same values. What stands in the way of a write is never followed or
overwritten: a link at the temporary name (its target keeps its bytes), a read-only RIVO.CFG (the user's
lock: it stays as it is), a folder named RIVO.CFG (the player runs and writes nothing into it)."""
import os
import shutil
import stat
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import CLOSE, Case, settings_text  # noqa: E402

with Case("settings_file") as case:
    path = os.path.join(case.app_dir, "RIVO.CFG")
    program = ["telly.exe", "RIVO.CFG"] + case.beside_program()  # what the folder holds when all is well
    player = case.start()
    player.wait_set_up()
    want = settings_text()
    case.check(len(want) == 102, "the expected first-start text is 102 bytes")
    exists = case.screen.wait(lambda: os.path.exists(path), 5)
    case.check(exists, "RIVO.CFG appears beside telly.exe at the first start")
    if exists:
        with open(path, "rb") as f:
            first = f.read()
        case.check(first == want, "it holds the 102 bytes of the first start: %r" % first)
    case.check(not os.path.exists(os.path.join(case.cwd, "RIVO.CFG")), "nothing lands in the working directory")
    leftovers = [n for n in os.listdir(case.app_dir) if n not in program]
    case.check(not leftovers, "no other file beside the program: %r" % leftovers)

    player.click(CLOSE)
    case.check(player.wait_exit(10) is not None, "the close box ends the player")
    with open(path, "rb") as f:
        again = f.read()
    case.check(again == want, "the quit writes the same text again: %r" % again)
    leftovers = [n for n in os.listdir(case.app_dir) if n not in program]
    case.check(not leftovers, "no temporary file is left behind: %r" % leftovers)

    def run_and_quit(label):
        player = case.start()
        player.wait_set_up()
        player.click(CLOSE)
        case.check(player.wait_exit(10) is not None, "%s: the player runs and the close box ends it" % label)

    def others():
        return sorted(n for n in os.listdir(case.app_dir) if n not in program)

    # A link at the temporary name, to a file outside the program's folder and to no file at all.
    victim = os.path.join(case.dir, "victim.txt")
    for label, target_exists in (("a link to another file", True), ("a dangling link", False)):
        if os.path.lexists(victim):
            os.remove(victim)
        if target_exists:
            with open(victim, "wb") as f:
                f.write(b"precious")
        os.symlink(victim, os.path.join(case.app_dir, "RIVO.CFG.tmp"))
        run_and_quit(label)
        if target_exists:
            with open(victim, "rb") as f:
                case.check(f.read() == b"precious", "%s: its target keeps its bytes" % label)
        else:
            case.check(not os.path.lexists(victim), "%s: nothing is made at its target" % label)
        case.check(not os.path.islink(path) and open(path, "rb").read() == want,
                   "%s: RIVO.CFG is a file of its own with the settings" % label)
        # Windows removes a link itself; Wine cannot open a Unix link as itself, so the player passes it by and
        # writes through the next temporary name. Either way no temporary file of the write is left.
        tmp = os.path.join(case.app_dir, "RIVO.CFG.tmp")
        kept = others() == ["RIVO.CFG.tmp"] and os.path.islink(tmp) and os.readlink(tmp) == victim
        case.check(others() == [] or kept, "%s: the link is gone or left as it was, and no temporary file is left: "
                   "%r" % (label, others()))
        if os.path.lexists(tmp):
            os.remove(tmp)

    # Read-only: the user's lock.
    locked = settings_text(bottun_mode=1)
    with open(path, "wb") as f:
        f.write(locked)
    os.chmod(path, 0o444)
    run_and_quit("a read-only RIVO.CFG")
    with open(path, "rb") as f:
        case.check(f.read() == locked, "a read-only RIVO.CFG keeps its bytes")
    case.check(stat.S_IMODE(os.stat(path).st_mode) == 0o444, "and stays read-only")
    case.check(others() == [], "no temporary file is left: %r" % others())
    os.chmod(path, 0o644)

    # A folder in the settings file's place.
    os.remove(path)
    os.mkdir(path)
    run_and_quit("a folder named RIVO.CFG")
    case.check(os.listdir(path) == [], "nothing is written into the folder: %r" % os.listdir(path))
    case.check(others() == [], "no temporary file is left: %r" % others())
    shutil.rmtree(path)
