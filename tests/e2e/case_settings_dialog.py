#!/usr/bin/python3
"""A right click opens the mouse settings dialog with its Japanese texts rendered (ink in every text's area,
glyphs that differ from one another, not a row of the same missing-glyph box); the screenshot is kept as
dialog.png. Choosing ON and OK takes effect at once: a click on the picture pauses the movie. Quitting writes
"BottunMode  =1" into RIVO.CFG."""
import hashlib
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import CLOSE, PICTURE, Case, movies, pointer_to, settings_text, windows_path, xdotool  # noqa: E402
import skin  # noqa: E402

TEMPLATE_DU = (239, 91)  # dialog 139's client size in dialog units
# The static texts of dialog 139 and their rectangles in dialog units.
TEXTS = [
    ("左クリックで再生/一時停止。", (5, 65, 105, 10)),
    ("最大化時はダブルクリックで操作パネル表示", (5, 75, 135, 10)),
    ("前後早送り", (160, 20, 60, 10)),
    ("スロー～早送り", (160, 30, 55, 8)),
    ("スロー～早送り", (45, 30, 67, 8)),
    ("前後コマ送り", (45, 20, 45, 10)),
]
ON_DU = (135, 65, 20, 10)
OK_DU = (185, 60, 50, 15)


class DialogUnits:
    """Maps dialog units to screen pixels from the dialog's client rectangle on the screen."""

    def __init__(self, client):
        self.x, self.y, self.w, self.h = client

    def rect(self, du):
        x, y, w, h = du
        sx, sy = self.w / TEMPLATE_DU[0], self.h / TEMPLATE_DU[1]
        return (self.x + round(x * sx), self.y + round(y * sy), max(1, round(w * sx)), max(1, round(h * sy)))

    def centre(self, du):
        x, y, w, h = self.rect(du)
        return x + w // 2, y + h // 2


def client_rect(shot):
    """The dialog's black client area inside the window picture: the rows and columns that are mostly pure
    black (frame and caption are not; texts and controls take only part of a row)."""
    black = [[shot.pixel(x, y) == (0, 0, 0) for x in range(shot.width)] for y in range(shot.height)]
    rows = [y for y in range(shot.height) if sum(black[y]) > shot.width // 2]
    cols = [x for x in range(shot.width) if sum(black[y][x] for y in range(shot.height)) > shot.height // 2]
    if not rows or not cols:
        return None
    return cols[0], rows[0], cols[-1] - cols[0] + 1, rows[-1] - rows[0] + 1


def glyph_runs(img, ink):
    """Runs of columns holding ink pixels (ink(rgb) true), as the bytes of each run's columns."""
    columns = [bytes(ink(img.pixel(x, y)) for y in range(img.height)) for x in range(img.width)]
    runs, current = [], []
    for col in columns:
        if any(col):
            current.append(col)
        elif current:
            runs.append(b"".join(current))
            current = []
    if current:
        runs.append(b"".join(current))
    return runs


def check_text(case, label, img, ink, chars):
    """Ink in the area, and glyphs that differ: a font without the characters draws one box shape for all."""
    inked = sum(1 for y in range(img.height) for x in range(img.width) if ink(img.pixel(x, y)))
    case.check(inked >= 6 * chars, "%s: ink in its area (%d pixels)" % (label, inked))
    runs = glyph_runs(img, ink)
    case.check(len(runs) >= 2 and len(set(runs)) >= 2,
               "%s: glyphs, not one repeated box (%d runs of columns, %d different)" % (label, len(runs), len(set(runs))))


with Case("settings_dialog") as case:
    player = case.start(windows_path(movies()["settings"]["path"]))
    main = player.wait_set_up()
    player.park_pointer()
    time.sleep(0.5)
    player.click(PICTURE, button=3)
    dialog = case.screen.wait(lambda: next((w for w in player.other_windows() if w.width > 100), None), 10)
    if dialog is None:
        case.fail("no dialog window after the right click: %r" % player.windows())
    case.log("dialog window: %r" % dialog)
    time.sleep(0.5)
    shot = case.screen.grab(*dialog.rect)
    shot.save_png(case.artifact("dialog.png"))
    case.log("screenshot of the dialog: " + case.artifact("dialog.png"))
    client = client_rect(shot)
    if client is None:
        case.fail("the dialog shows no black client area")
    units = DialogUnits((dialog.x + client[0], dialog.y + client[1], client[2], client[3]))
    case.log("client area on the screen: %r" % (units.rect((0, 0) + TEMPLATE_DU),))
    full = case.screen.grab()
    bright = lambda rgb: sum(rgb) > 300  # noqa: E731  white text on the black dialog
    for text, du in TEXTS:
        check_text(case, text, full.crop(*units.rect(du)), bright, len(text))
    # The caption: the band above the client area, left of the close button, in dark text.
    caption = shot.crop(client[0], 0, client[2] * 2 // 3, max(1, client[1] - 1))
    caption.save_png(case.artifact("caption.png"), scale=2)
    check_text(case, "caption 操作設定ダイアログ", caption, lambda rgb: sum(rgb) < 200, len("操作設定ダイアログ"))

    # Choose ON, then OK: the dialog closes and the choice holds at once.
    on_x, on_y = units.centre(ON_DU)
    ok_x, ok_y = units.centre(OK_DU)
    pointer_to(case.screen, on_x, on_y)
    xdotool("click", "1")
    time.sleep(0.3)
    case.screen.grab(*dialog.rect).save_png(case.artifact("dialog_on.png"))
    pointer_to(case.screen, ok_x, ok_y)
    xdotool("click", "1")
    closed = case.screen.wait(lambda: not [w for w in player.other_windows() if w.width > 100], 5)
    case.check(closed, "OK closes the dialog")

    paused_look = case.patches(skin.PLAY_RECT, paused={"paused": 1})["paused"]
    player.click(PICTURE)
    player.park_pointer()
    case.check(player.wait_rect(skin.PLAY_RECT, paused_look), "with ON, a click on the picture pauses: PLAY/PAUSE "
               "shows its paused look")
    time.sleep(0.3)
    a = hashlib.sha1(player.grab_rect(skin.HOLE).rgb).hexdigest()
    time.sleep(0.6)
    b = hashlib.sha1(player.grab_rect(skin.HOLE).rgb).hexdigest()
    case.check(a == b, "the paused picture stands still")

    player.click(CLOSE)
    case.check(player.wait_exit(10) is not None, "the close box ends the player")
    with open(os.path.join(case.app_dir, "RIVO.CFG"), "rb") as f:
        written = f.read()
    case.check(b"BottunMode  =1\r\n" in written, "the quit writes \"BottunMode  =1\"")
    case.check(written == settings_text(bottun_mode=1), "and leaves every other value as it was: %r" % written)
