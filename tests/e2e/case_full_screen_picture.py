#!/usr/bin/python3
"""Full-screen mode with Telly's own device: the playing picture is stretched over the whole screen. A
frame-coded H.264 clip plays in the set's screen; FULL puts it over the screen, where its frame numbers are
read at the cells' scaled places and go up as it plays, its grey bottom half reaching the screen's bottom
corners and its top-left cell the top-left corner; the middle button pauses it and one frame stands; a right
click brings the set back with the picture, unscaled again, in its screen."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from frame_code import frame_number, screen_frame_number, settle, steady  # noqa: E402
from telly_e2e import FULL, Case, movies, windows_path, xdotool  # noqa: E402
import skin  # noqa: E402

SCREEN_W, SCREEN_H = 1024, 768
MOVIE_RECT = (0, -20, SCREEN_W + 50, SCREEN_H + 20)


def covering(player):
    """The player's windows that cover the screen as the full-screen movie window does."""
    return [t for t in player.windows() if t.rect == MOVIE_RECT]


def grey(rgb):
    return all(90 <= c <= 170 for c in rgb) and max(rgb) - min(rgb) < 30


with Case("full_screen_picture") as case:
    clip = movies()["exact_h264"]
    player = case.start(windows_path(clip["path"]))
    player.wait_set_up()
    player.park_pointer()
    in_hole = steady(lambda: frame_number(player.grab_rect(skin.HOLE)))
    on_screen = steady(lambda: screen_frame_number(case.screen, (0, 0, SCREEN_W, SCREEN_H)))
    case.check(case.screen.wait(lambda: in_hole() >= 0, 10), "the clip plays, frame-coded, in the set's screen")

    player.click(FULL)
    case.check(case.screen.wait(lambda: covering(player), 10),
               "FULL puts the movie window over the screen: %r" % (player.windows(),))
    case.check(case.screen.wait(lambda: on_screen() >= 0, 10), "the frame code is read over the whole screen")
    frames = []
    deadline = time.monotonic() + 2.0
    while time.monotonic() < deadline:
        f = on_screen()
        if f >= 0 and (not frames or frames[-1] != f):
            frames.append(f)
        time.sleep(0.02)
    case.check(len(frames) >= 5 and frames == sorted(frames),
               "over the screen the picture plays on, frame after frame: %r" % frames)
    shot = case.screen.grab()
    corners = {"bottom left": shot.pixel(2, SCREEN_H - 3), "bottom right": shot.pixel(SCREEN_W - 3, SCREEN_H - 3),
               "top left": shot.pixel(2, 2)}
    case.check(grey(corners["bottom left"]) and grey(corners["bottom right"]) and max(corners["top left"]) < 40,
               "the picture reaches the screen's corners (grey below, the first cell black above): %r" % corners)
    shot.save_png(case.artifact("full_screen.png"))

    xdotool("click", 2)
    paused, seen = settle(on_screen)
    case.check(paused is not None, "the middle button pauses the full-screen picture (seen %r)" % seen[-8:])

    xdotool("click", 3)
    case.check(case.screen.wait(lambda: not covering(player), 10),
               "a right click closes the full-screen windows: %r" % (player.windows(),))
    # Leaving sizes the window one pixel larger first, then to its normal size: wait for the second.
    case.check(case.screen.wait(lambda: player.geometry() == (0, 0, 274, 187), 5),
               "the set is back at (0, 0), 274 x 187: %r" % (player.geometry(),))
    player.park_pointer()
    # Leaving plays half a second and pauses again, so the picture stands at or after the paused one.
    back, seen = settle(in_hole)
    case.check(back is not None and paused is not None and back >= paused,
               "the set's screen shows the picture unscaled again, standing at frame %s (paused at %s; seen %r)"
               % (back, paused, seen[-8:]))
