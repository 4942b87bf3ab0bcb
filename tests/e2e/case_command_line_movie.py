#!/usr/bin/python3
"""A movie named on the command line plays inside the screen hole (24, 22, 176 x 120) without a click: the
hole shows the clip's colour and its pixels change over time. Also with the path given unquoted, split at its
blank into two arguments, and with a name outside the ANSI code page."""
import hashlib
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, movies, windows_path  # noqa: E402
import skin  # noqa: E402


def colour_distance(a, b):
    return max(abs(x - y) for x, y in zip(a, b))


with Case("command_line_movie") as case:
    clips = movies()
    blank = windows_path(clips["blank"]["path"])
    head, tail = blank.split(" ", 1)
    rows = [
        ("one quoted argument", [windows_path(clips["red"]["path"])], clips["red"]["rgb"]),
        ("unquoted, split at the blank", [head, tail], clips["blank"]["rgb"]),
        ("name outside the ANSI code page", [windows_path(clips["unicode"]["path"])], clips["unicode"]["rgb"]),
    ]
    for label, args, rgb in rows:
        player = case.start(*args)
        player.wait_set_up()
        player.park_pointer()
        # The clip plays from the first tick on: its colour fills the hole within a moment.
        seen = case.screen.wait(lambda: colour_distance(player.hole_mean(), rgb) < 30 and player.hole_mean(), 10)
        case.check(seen, "%s: the hole shows the clip's colour %r (mean %r)" % (label, rgb, player.hole_mean()))
        digests = set()
        for _ in range(6):
            digests.add(hashlib.sha1(player.grab_rect(skin.HOLE).rgb).hexdigest())
            time.sleep(0.25)
        case.check(len(digests) >= 3, "%s: the hole's pixels change over time (%d different pictures in 1.5 s)"
                   % (label, len(digests)))
        player.grab_set().save_png(case.artifact("%s.png" % label.split(",")[0].replace(" ", "_")))
        player.stop()
