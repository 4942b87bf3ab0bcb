#!/usr/bin/python3
"""On a white desktop the visible set's outline follows the inset table on every row: the first non-white
pixel of row y is at inset[y], the last at 223 - inset[y]; nothing of the window shows right of x = 223 (the
strip with the scroll bar is cut away) or below the set."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, SET_W, SET_H, WINDOW_W  # noqa: E402
import skin  # noqa: E402

WHITE = (255, 255, 255)


def outline_errors(shot):
    """Rows whose visible span differs from the table, as (y, first, last, want_first, want_last)."""
    errors = []
    for y in range(SET_H):
        xs = [x for x in range(shot.width) if shot.pixel(x, y) != WHITE]
        first, last = (xs[0], xs[-1]) if xs else (None, None)
        want = (skin.INSET[y], SET_W - 1 - skin.INSET[y])
        if (first, last) != want:
            errors.append((y, first, last) + want)
    return errors


with Case("window_shape") as case:
    player = case.start()
    player.wait_set_up()
    player.park_pointer()
    # The first tick places and shapes the window and presents the first frame; give the desktop a moment.
    case.screen.wait(lambda: not outline_errors(case.screen.grab(0, 0, 300, SET_H)), 5)
    time.sleep(0.3)
    shot = case.screen.grab()
    errors = outline_errors(shot.crop(0, 0, 300, SET_H))
    case.check(not errors, "every one of the %d rows spans inset .. 223 - inset (rows off: %d, first: %r)"
               % (SET_H, len(errors), errors[:5]))
    right = [(x, y) for y in range(SET_H) for x in range(SET_W, WINDOW_W + 20) if shot.pixel(x, y) != WHITE]
    case.check(not right, "nothing shows right of x = 223 (%d pixels, e.g. %r)" % (len(right), right[:5]))
    below = [(x, y) for y in range(SET_H, SET_H + 20) for x in range(0, WINDOW_W + 20) if shot.pixel(x, y) != WHITE]
    case.check(not below, "nothing shows below the set (%d pixels)" % len(below))
    shot.crop(0, 0, WINDOW_W + 20, SET_H + 20).save_png(case.artifact("shape.png"), scale=2)
