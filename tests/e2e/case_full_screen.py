#!/usr/bin/python3
"""Full-screen mode: the FULL switch covers the screen with the movie window (0, -20, 1074 x 788) and the
picture plays stretched over the whole screen with the pointer pinned at (0, 0); a left click brings the
operation panel up across the bottom 72 rows, another click puts it away; a right click goes back to the
window at its place with the movie in the hole; Alt+Enter switches the mode on and off as well. With scan
lines and bands carried by a nine-value settings file, the overlay darkens every even screen row and the
letterbox bands (7 rows per hundredth of a 768-row screen) while the movie shows through the odd rows."""
import hashlib
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import FULL, Case, colour_distance, movies, windows_path, xdotool  # noqa: E402
import skin  # noqa: E402

SCREEN_W, SCREEN_H = 1024, 768
MOVIE_RECT = (0, -20, SCREEN_W + 50, SCREEN_H + 20)
PANEL_RECT = (0, SCREEN_H - 72, SCREEN_W, 72)
MIDDLE = (112, 84, 800, 500)  # a part of the screen the panel never covers
PANEL_PLAY = (86, SCREEN_H - 72 + 32)  # the panel's PLAY/PAUSE button on the screen


def alt_enter():
    """Alt+Enter held for a few ticks: the player polls the key state every 50 ms, so a bare key tap can fall
    between two polls. Released well within the 0.7 s that entering spends waiting, so it switches once."""
    xdotool("keydown", "alt", "keydown", "Return")
    time.sleep(0.15)
    xdotool("keyup", "Return", "keyup", "alt")


def windows_with(player, rect):
    return [t for t in player.windows() if t.rect == rect]


def screen_mean(case, rect):
    return case.screen.grab(*rect).mean()


with Case("full_screen") as case:
    clip = movies()["red"]
    player = case.start(windows_path(clip["path"]))
    player.wait_set_up()
    player.park_pointer()
    case.check(case.screen.wait(lambda: colour_distance(player.hole_mean(), clip["rgb"]) < 30, 10),
               "the clip plays in the hole before FULL")

    # ---- FULL: the picture over the whole screen
    player.click(FULL)
    case.check(case.screen.wait(lambda: windows_with(player, MOVIE_RECT), 10),
               "FULL puts the movie window at %r: %r" % (MOVIE_RECT, player.windows()))
    case.check(case.screen.wait(lambda: colour_distance(screen_mean(case, MIDDLE), clip["rgb"]) < 30, 10),
               "the clip's colour fills the screen (mean %r)" % (screen_mean(case, MIDDLE),))
    digests = set()
    for _ in range(6):
        digests.add(hashlib.sha1(case.screen.grab(*MIDDLE).rgb).hexdigest())
        time.sleep(0.25)
    case.check(len(digests) >= 3, "the full-screen picture moves (%d different pictures in 1.5 s)" % len(digests))
    case.check(player.geometry() is not None and player.geometry()[:2] == (0, 0),
               "the main window stays where it was: %r" % (player.geometry(),))
    pointer = case.screen.root.query_pointer()
    case.check((pointer.root_x, pointer.root_y) == (0, 0),
               "the pointer is pinned at (0, 0): %r" % ((pointer.root_x, pointer.root_y),))
    case.screen.grab().save_png(case.artifact("full_screen.png"))

    # ---- the middle button is play/pause: the picture stands still, then moves again
    def pictures(seconds=1.0):
        seen = set()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            seen.add(hashlib.sha1(case.screen.grab(*MIDDLE).rgb).hexdigest())
            time.sleep(0.2)
        return len(seen)
    xdotool("click", 2)
    time.sleep(0.5)
    case.check(pictures() == 1, "a middle click pauses the full-screen picture")
    xdotool("click", 2)
    time.sleep(0.3)
    case.check(pictures() >= 3, "another middle click plays it again")

    # ---- a left click (click setting OFF) toggles the operation panel
    xdotool("click", 1)
    case.check(case.screen.wait(lambda: windows_with(player, PANEL_RECT), 5),
               "a left click shows the panel at %r: %r" % (PANEL_RECT, player.windows()))
    case.screen.grab().save_png(case.artifact("panel.png"))
    # The panel's PLAY/PAUSE button (template units 25..70 x 10..25) asks the tick to pause, and again to play.
    for label, still in (("pauses the movie", True), ("plays the movie again", False)):
        xdotool("mousemove", PANEL_PLAY[0], PANEL_PLAY[1])
        time.sleep(0.7)
        xdotool("click", 1)
        time.sleep(0.4)
        n = pictures()
        case.check(n == 1 if still else n >= 3, "the panel's PLAY/PAUSE %s (%d pictures in 1 s)"
                   % (label, n))
    xdotool("mousemove", 500, 300)
    time.sleep(0.7)  # no double-click with the first click
    xdotool("click", 1)
    case.check(case.screen.wait(lambda: not windows_with(player, PANEL_RECT), 5),
               "a second click puts the panel away: %r" % (player.windows(),))
    case.check(case.screen.wait(lambda: (lambda p: (p.root_x, p.root_y))(case.screen.root.query_pointer())
                                == (0, 0), 3), "the pointer is pinned again")

    # ---- a right click leaves
    xdotool("click", 3)
    case.check(case.screen.wait(lambda: not windows_with(player, MOVIE_RECT), 5),
               "a right click closes the full-screen windows: %r" % (player.windows(),))
    # Leaving sizes the window one pixel larger first, then to its normal size: wait for the second.
    case.check(case.screen.wait(lambda: player.geometry() == (0, 0, 274, 187), 5),
               "the window is back at (0, 0), 274 x 187: %r" % (player.geometry(),))
    player.park_pointer()
    case.check(case.screen.wait(lambda: colour_distance(player.hole_mean(), clip["rgb"]) < 30, 10),
               "the movie plays in the hole again (mean %r)" % (player.hole_mean(),))

    # ---- Alt+Enter on and off (the key cool-down after leaving is half a second)
    time.sleep(1.0)
    player.click((112, 60))  # activate the window: keys belong to the active window
    alt_enter()
    case.check(case.screen.wait(lambda: windows_with(player, MOVIE_RECT), 10),
               "Alt+Enter enters full-screen mode: %r" % (player.windows(),))
    time.sleep(1.0)
    alt_enter()
    case.check(case.screen.wait(lambda: not windows_with(player, MOVIE_RECT), 10),
               "Alt+Enter leaves it again: %r" % (player.windows(),))
    case.check(case.screen.wait(lambda: player.geometry() == (0, 0, 274, 187), 5),
               "back at (0, 0), 274 x 187: %r" % (player.geometry(),))
    player.stop()

    # ---- scan lines and bands from the settings file: Mode1, top and bottom bands of 10 hundredths
    template = (b"[WindowPoint]\r\nx=\r\ny=\r\n[MouseMode]\r\nWheel1_Play =\r\nWheel1_Pause=\r\n"
                b"Wheel2_Mode =\r\nBottunMode  =\r\n[Screen]\r\nScanLineMode=\r\nMaskTop=\r\nMaskBottom=\r\n")
    settings = template.replace(b"=\r\n", b"=%d\r\n") % (0, 0, 0, 0, 0, 0, 1, 10, 10)
    exe = case.app_copy()
    with open(os.path.join(os.path.dirname(exe), "RIVO.sys"), "wb") as f:
        f.write(template)
    with open(os.path.join(os.path.dirname(exe), "RIVO.CFG"), "wb") as f:
        f.write(settings)
    player = case.start(windows_path(clip["path"]), exe=exe)
    player.wait_set_up()
    player.park_pointer()
    player.click(FULL)
    case.check(case.screen.wait(lambda: windows_with(player, MOVIE_RECT), 10), "FULL again: %r" % (player.windows(),))

    def row_mean(y):
        return case.screen.grab(100, y, 700, 1).mean()

    def lines_shown():
        return (max(row_mean(300)) < 20 and colour_distance(row_mean(301), clip["rgb"]) < 60
                and max(row_mean(31)) < 20 and max(row_mean(741)) < 20)
    case.check(case.screen.wait(lines_shown, 10), "even rows and both bands dark, odd rows show the clip: rows "
               "300 %r, 301 %r, 31 %r, 741 %r" % (row_mean(300), row_mean(301), row_mean(31), row_mean(741)))
    band_edges = {y: max(row_mean(y)) < 20 for y in (69, 71, 697, 699)}
    case.check(band_edges == {69: True, 71: False, 697: False, 699: True},
               "the bands end at rows 69 and 699 (odd rows: dark only inside a band): %r" % band_edges)
    case.screen.grab().save_png(case.artifact("scan_lines.png"))
    xdotool("click", 3)
    case.check(case.screen.wait(lambda: not windows_with(player, MOVIE_RECT), 5),
               "a right click on the overlay leaves: %r" % (player.windows(),))
    player.stop()
