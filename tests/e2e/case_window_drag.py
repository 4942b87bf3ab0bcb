#!/usr/bin/python3
"""Dragging the set by its frame moves the window, and the set is drawn at the new place; the position
reaches the settings file at quit."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import CLOSE, Case, WINDOW_W, WINDOW_H, pointer_to, settings_text, xdotool  # noqa: E402
import skin  # noqa: E402

GRAB = (112, 8)  # the top of the set's cabinet, no control there
DX, DY = 120, 70

with Case("window_drag") as case:
    player = case.start()
    player.wait_set_up()
    pointer_to(case.screen, *GRAB)
    xdotool("mousedown", "1")
    time.sleep(0.2)
    for step in range(1, 11):
        pointer_to(case.screen, GRAB[0] + DX * step // 10, GRAB[1] + DY * step // 10)
        time.sleep(0.03)
    xdotool("mouseup", "1")
    moved = case.screen.wait(lambda: player.geometry() == (DX, DY, WINDOW_W, WINDOW_H), 5)
    case.check(moved, "the window follows the drag to (%d, %d): %r" % (DX, DY, player.geometry()))
    player.park_pointer()
    expected = skin.compose(case.sheet())
    drawn = case.screen.wait(lambda: skin.differences(player.grab_set(), expected)[0] == 0, 5)
    shot = player.grab_set()
    shot.save_png(case.artifact("moved.png"), scale=2)
    case.check(drawn, "the set is drawn at its new place (%s)" % skin.describe(*skin.differences(shot, expected)))

    player.click(CLOSE)
    case.check(player.wait_exit(10) is not None, "the close box ends the player")
    with open(os.path.join(case.app_dir, "RIVO.CFG"), "rb") as f:
        written = f.read()
    want = settings_text(x=DX, y=DY)
    case.check(written == want, "the quit writes the window's position: %r" % written)
