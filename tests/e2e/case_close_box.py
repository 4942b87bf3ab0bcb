#!/usr/bin/python3
"""The close box ends the player within a few ticks, movie playing or not: the window is gone within a
second of the click, and the process exits."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import CLOSE, Case, movies, windows_path, xdotool  # noqa: E402

WINDOW_LIMIT = 1.0  # seconds: a few 50 ms ticks, then the dialog's end
EXIT_LIMIT = 3.0  # seconds, for the Windows process's own exit under Wine

with Case("close_box") as case:
    for label, args in (("playing a movie", [windows_path(movies()["settings"]["path"])]), ("without a movie", [])):
        player = case.start(*args)
        player.wait_set_up()
        time.sleep(1.0)
        player.move_to(CLOSE)
        t0 = time.monotonic()
        xdotool("click", 1)
        gone = case.screen.wait(lambda: not player.windows(), 5, 0.01)
        took = time.monotonic() - t0
        case.check(gone and took <= WINDOW_LIMIT, "%s: the window is gone %.2f s after the click (limit %.1f s)"
                   % (label, took, WINDOW_LIMIT))
        code = player.wait_exit(10)
        took = time.monotonic() - t0
        case.check(code is not None and took <= EXIT_LIMIT, "%s: the process ends %.2f s after the click (limit %.1f s)"
                   % (label, took, EXIT_LIMIT))
        player.stop()
