#!/usr/bin/python3
"""Makes docs/screenshot.png: the player on the white virtual desktop, playing the demo clip of
scripts/make-movies, enlarged twice with square pixels. Run through scripts/make-screenshot."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, movies, windows_path  # noqa: E402

out = sys.argv[1]
with Case("screenshot") as case:
    player = case.start(windows_path(movies()["demo"]["path"]))
    player.wait_set_up()
    player.park_pointer()
    time.sleep(float(os.environ.get("TELLY_SCREENSHOT_SECONDS", "4")))
    case.check(player.running(), "the player is playing")
    ox, oy = player.origin()
    # A white margin round the set shows its rounded outline.
    case.screen.grab(max(0, ox - 8), max(0, oy - 8), 224 + 16, 187 + 16).save_png(out, scale=2)
    case.log("wrote " + out)
