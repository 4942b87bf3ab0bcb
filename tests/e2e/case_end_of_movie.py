#!/usr/bin/python3
"""At the end of a movie the player moves on by itself: with Rep on, a clip that is the only entry starts
again from its beginning, and after the first file of a dropped folder the second one plays."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, colour_distance, movies, windows_path  # noqa: E402
import skin  # noqa: E402


def square_x(player):
    """x of the white square in the hole (the clips slide it rightwards, 60 pixels a second), or None."""
    shot = player.grab_rect(skin.HOLE)
    row = 48 + 12
    return next((x for x in range(shot.width) if shot.pixel(x, row) == (255, 255, 255)), None)


with Case("end_of_movie") as case:
    clips = movies()
    short = clips["short"]
    player = case.start(windows_path(short["path"]))
    player.wait_set_up()
    player.park_pointer()
    # Follow the square for two lengths of the clip: it must come back to the left after the end.
    t0 = time.monotonic()
    track = []
    while time.monotonic() - t0 < 2 * short["seconds"] + 1.5:
        track.append((round(time.monotonic() - t0, 2), square_x(player)))
        time.sleep(0.1)
    xs = [x for _, x in track if x is not None]
    peak = max(range(len(xs)), key=lambda i: xs[i]) if xs else 0
    restarted = any(x < xs[peak] - 60 for x in xs[peak:]) if xs else False
    case.check(restarted, "with Rep on, the clip starts over at its end (square x over time: %r)" % track)
    player.stop()

    first, second = clips["sequence_first"], clips["sequence_second"]
    player = case.start()
    player.wait_set_up()
    player.drop([os.path.dirname(first["path"])])
    player.park_pointer()
    shows = lambda clip: colour_distance(player.hole_mean(), clip["rgb"]) < 30  # noqa: E731
    case.check(case.screen.wait(lambda: shows(first), 5), "the dropped folder's first file plays")
    case.check(case.screen.wait(lambda: shows(second), first["seconds"] + 3),
               "after its end the second file plays (hole mean %r)" % (player.hole_mean(),))
