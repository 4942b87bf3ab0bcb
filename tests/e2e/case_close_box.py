#!/usr/bin/python3
"""The close box ends the player within a few ticks, movie playing or not."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import CLOSE, Case, movies, windows_path  # noqa: E402

LIMIT = 2.0  # seconds: a few 50 ms ticks, plus the Windows process's own exit under Wine

with Case("close_box") as case:
    for label, args in (("playing a movie", [windows_path(movies()["settings"]["path"])]), ("without a movie", [])):
        player = case.start(*args)
        player.wait_set_up()
        time.sleep(1.0)
        player.click(CLOSE)
        t0 = time.monotonic()
        code = player.wait_exit(10)
        took = time.monotonic() - t0
        case.check(code is not None and took <= LIMIT, "%s: the process ends %.2f s after the click (limit %.1f s)"
                   % (label, took, LIMIT))
        gone = case.screen.wait(lambda: not player.windows(), 2)
        case.check(gone, "%s: no window of the player is left" % label)
        player.stop()
