#!/usr/bin/python3
"""Full-screen mode on a desktop with a window manager (openbox). The window manager keeps the movie window and
the overlay on the screen (1024 x 768 at (0, 0) instead of 1074 x 788 at (0, -20)); the player reads that back
and adapts: a clip of one colour covers the screen edge to edge, its top rows and right columns included, with
no scroll bar and no black band; the pointer is pinned at (0, 0); a left click brings the operation panel up
on the bottom 72 rows, in front of the picture; a right click returns to the window, 274 x 187 at (0, 0). With
Mode1 scan lines and bands of 10 hundredths from the settings file, the dark rows are the even screen rows and
the bands end at rows 69 and 699, as without a window manager."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import FULL, Case, WindowManager, colour_distance, movies, windows_path, xdotool  # noqa: E402

SCREEN_W, SCREEN_H = 1024, 768
PANEL_TOP = SCREEN_H - 72
EDGES = {  # strips that lie where the scroll bars and the black band would show; the clip's square never passes
    "top rows": (0, 0, SCREEN_W, 20),
    "right columns": (SCREEN_W - 20, 0, 20, 300),
    "left columns": (0, 0, 20, 300),
    "bottom rows": (0, SCREEN_H - 20, SCREEN_W, 20),
}


def farthest(image, rgb):
    """The largest colour distance of any pixel of `image` from `rgb`."""
    px = image.rgb
    return max(max(abs(px[i] - rgb[0]), abs(px[i + 1] - rgb[1]), abs(px[i + 2] - rgb[2]))
               for i in range(0, len(px), 3))


def full_screen_windows(player):
    return [t for t in player.other_windows() if (t.width, t.height) == (SCREEN_W, SCREEN_H)]


def start(case, settings=None):
    exe = case.app_copy(WindowManager.MANAGED_EXE)
    if settings is not None:
        with open(os.path.join(os.path.dirname(exe), "RIVO.CFG"), "wb") as f:
            f.write(settings)
    player = case.start(windows_path(clip["path"]), exe=exe)
    player.wait_set_up()
    case.check(player.geometry() == (0, 0, 274, 187), "the window manager leaves the window at (0, 0): %r"
               % (player.geometry(),))
    player.park_pointer()
    case.check(case.screen.wait(lambda: colour_distance(player.hole_mean(), clip["rgb"]) < 30, 10),
               "the clip plays in the hole before FULL")
    # Held as a hand holds it: a press on the set starts the system's move, which Wine hands to the window
    # manager, and openbox, when the button is released before it starts moving, goes on moving the window
    # until the next click, which it takes for itself.
    player.click(FULL, hold=0.2)
    case.check(case.screen.wait(lambda: full_screen_windows(player), 10),
               "FULL: the window manager makes the full-screen windows 1024 x 768 at (0, 0): %r"
               % (player.windows(),))
    return player


def leave(case, player):
    p = case.screen.root.query_pointer()
    case.log("right click at %d,%d" % (p.root_x, p.root_y))
    xdotool("click", 3)
    case.check(case.screen.wait(lambda: not full_screen_windows(player), 5),
               "a right click closes the full-screen windows: %r" % (player.windows(),))
    case.check(case.screen.wait(lambda: player.geometry() == (0, 0, 274, 187), 5),
               "the window is back at (0, 0), 274 x 187: %r" % (player.geometry(),))


with Case("full_screen_wm") as case, WindowManager(case):
    clip = movies()["settings"]  # one grey, and long enough to play through the whole case

    # ---- the picture over the whole screen, edge to edge
    player = start(case)
    grab = case.screen.grab

    def edges_covered():
        return all(farthest(grab(*rect), clip["rgb"]) < 40 for rect in EDGES.values())
    case.check(case.screen.wait(edges_covered, 10), "the clip covers the screen edge to edge: %r"
               % {name: farthest(grab(*rect), clip["rgb"]) for name, rect in EDGES.items()})
    case.screen.grab().save_png(case.artifact("full_screen.png"))
    case.check(case.screen.wait(lambda: (lambda p: (p.root_x, p.root_y))(case.screen.root.query_pointer())
                                == (0, 0), 3), "the pointer is pinned at (0, 0)")

    # ---- the panel on the bottom 72 rows, in front of the picture
    xdotool("click", 1)

    def panel():
        return next((t for t in player.other_windows() if t.y >= PANEL_TOP and t.y + t.height <= SCREEN_H
                     and t.width > SCREEN_W - 10), None)

    def panel_in_front():
        # The panel's background is black; the picture would show the clip's grey there.
        return panel() and max(grab(600, PANEL_TOP + 10, 400, 50).mean()) < 20
    case.check(case.screen.wait(panel_in_front, 5), "a left click shows the panel on the bottom 72 rows, in front "
               "of the picture: %r" % (player.windows(),))
    case.check(case.screen.wait(lambda: farthest(grab(0, PANEL_TOP - 40, SCREEN_W, 40), clip["rgb"]) < 40, 3),
               "the picture goes on down to the panel")
    case.screen.grab().save_png(case.artifact("panel.png"))
    xdotool("mousemove", 500, 300)
    time.sleep(0.7)  # no double-click with the first click
    xdotool("click", 1)
    case.check(case.screen.wait(lambda: not panel(), 5), "a second click puts the panel away: %r"
               % (player.windows(),))
    case.check(case.screen.wait(edges_covered, 5), "the clip covers the screen edge to edge again")

    # ---- a right click returns to the window
    leave(case, player)
    player.stop()

    # ---- Mode1 scan lines and bands of 10 hundredths (7-row units): rows 0..69 and 699..767 dark
    template = (b"[WindowPoint]\r\nx=\r\ny=\r\n[MouseMode]\r\nWheel1_Play =\r\nWheel1_Pause=\r\n"
                b"Wheel2_Mode =\r\nBottunMode  =\r\n[Screen]\r\nScanLineMode=\r\nMaskTop=\r\nMaskBottom=\r\n")
    player = start(case, template.replace(b"=\r\n", b"=%d\r\n") % (0, 0, 0, 0, 0, 0, 1, 10, 10))

    def row_mean(y):
        return grab(100, y, 700, 1).mean()

    def dark(y):
        return max(row_mean(y)) < 20

    def rows_shown():
        """Dark: even rows, and odd rows inside the bands (0..69, 699..767); the clip on the other odd rows, to the
        right edge of the screen. Read once the player has fitted the overlay to where the window manager put
        it: before that its rows lie 20 rows lower."""
        return {"even rows": all(dark(y) for y in (0, 2, 68, 300, 698, 766)),
                "odd rows in the bands": all(dark(y) for y in (1, 31, 69, 699, 741, 767)),
                "odd rows between the bands": not any(dark(y) for y in (71, 73, 301, 695, 697)),
                "the clip on them": colour_distance(row_mean(301), clip["rgb"]) < 60,
                "to the right edge": farthest(grab(SCREEN_W - 20, 301, 20, 1), clip["rgb"]) < 60}
    case.check(case.screen.wait(lambda: all(rows_shown().values()), 10),
               "Mode1 and the bands on the intended screen rows: %r" % rows_shown())
    case.screen.grab().save_png(case.artifact("scan_lines.png"))
    leave(case, player)
    player.stop()
