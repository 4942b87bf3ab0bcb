#!/usr/bin/python3
"""The first start creates the 102-byte RIVO.CFG beside the program (not in the working directory), and the
quit writes it again with the same values."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import CLOSE, Case, settings_text  # noqa: E402

with Case("settings_file") as case:
    path = os.path.join(case.app_dir, "RIVO.CFG")
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
    leftovers = [n for n in os.listdir(case.app_dir) if n not in ("telly.exe", "RIVO.sys", "RIVO.CFG")]
    case.check(not leftovers, "no other file beside the program: %r" % leftovers)

    player.click(CLOSE)
    case.check(player.wait_exit(10) is not None, "the close box ends the player")
    with open(path, "rb") as f:
        again = f.read()
    case.check(again == want, "the quit writes the same text again: %r" % again)
    leftovers = [n for n in os.listdir(case.app_dir) if n not in ("telly.exe", "RIVO.sys", "RIVO.CFG")]
    case.check(not leftovers, "no temporary file is left behind: %r" % leftovers)
