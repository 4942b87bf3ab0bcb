#!/usr/bin/python3
"""The first tick puts the main window at (0, 0) with size 274 x 187, without any input."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, WINDOW_W, WINDOW_H  # noqa: E402

with Case("first_tick") as case:
    player = case.start()
    main = player.wait_set_up()
    case.check(main.rect == (0, 0, WINDOW_W, WINDOW_H), "main window at (0, 0) %dx%d: %r" % (WINDOW_W, WINDOW_H, main))
    others = [w for w in player.other_windows() if w.width > 1 and w.height > 1]
    case.check(not others, "no other visible window of the player: %r" % others)
    case.check(player.running(), "the player keeps running")
