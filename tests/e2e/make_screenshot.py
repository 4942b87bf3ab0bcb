#!/usr/bin/python3
"""Makes docs/screenshot.png: the player on the white virtual desktop, playing the demo clip of
scripts/make-movies, enlarged twice with square pixels. Run through scripts/make-screenshot."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, SET_H, SET_W, movies, windows_path  # noqa: E402
from screen import Image  # noqa: E402

MARGIN = 8

out = sys.argv[1]
with Case("screenshot") as case:
    player = case.start(windows_path(movies()["demo"]["path"]))
    player.wait_set_up()
    player.park_pointer()
    time.sleep(float(os.environ.get("TELLY_SCREENSHOT_SECONDS", "4")))
    case.check(player.running(), "the player is playing")
    # The set on white with a margin round it, so its rounded outline shows (the window sits in the corner).
    shot = player.grab_set()
    w, h = SET_W + 2 * MARGIN, SET_H + 2 * MARGIN
    rgb = bytearray(b"\xff" * (w * h * 3))
    for y in range(SET_H):
        i = ((y + MARGIN) * w + MARGIN) * 3
        rgb[i:i + SET_W * 3] = shot.rgb[y * SET_W * 3:(y + 1) * SET_W * 3]
    Image(w, h, bytes(rgb)).save_png(out, scale=2)
    case.log("wrote " + out)
