"""An independent reading of the sprite sheet, to say what the set on the screen must look like.

The sheet is the generated artwork/skin.bmp of the build that made telly.exe (the bitmap resource is that file
without its 14-byte file header). compose() lays the sprites on a copy of the sheet with pure white left out,
the same rows the player draws every tick, so a screenshot can be compared with it pixel for pixel outside
the movie's screen hole.
"""
import struct

from screen import Image

SET_W, SET_H = 224, 187
HOLE = (24, 22, 176, 120)

# Row insets of the set's outline: the first visible pixel of row y is at INSET[y], the last at 223 - INSET[y].
_INSET_RUNS = [(0, 0, 21), (1, 1, 16), (2, 2, 13), (3, 3, 11), (4, 4, 10), (5, 5, 9), (6, 6, 8), (7, 8, 7),
               (9, 10, 6), (11, 13, 5), (14, 18, 4), (19, 25, 3), (26, 43, 2), (44, 90, 1), (91, 148, 0),
               (149, 160, 1), (161, 167, 2), (168, 171, 3), (172, 174, 4), (175, 176, 5), (177, 178, 6),
               (179, 179, 7), (180, 180, 8), (181, 181, 9), (182, 182, 10), (183, 183, 11), (184, 184, 13),
               (185, 185, 16), (186, 186, 20)]
INSET = [0] * SET_H
for _first, _last, _inset in _INSET_RUNS:
    for _y in range(_first, _last + 1):
        INSET[_y] = _inset

# Skin rectangles (x, y, w, h) of the buttons and switches in client pixels, and where their lit look is.
SPRITES = {
    "play_lit": ((38, 161, 21, 17), (262, 161)),
    "play_grey": ((38, 161, 21, 17), (484, 0)),
    "stop_lit": ((76, 161, 13, 17), (300, 161)),
    "rnd_lit": ((154, 160, 13, 16), (378, 160)),
    "rep_lit": ((168, 160, 13, 16), (392, 160)),
    "rew_lit": ((23, 161, 14, 17), (247, 161)),
    "ff_lit": ((62, 161, 14, 17), (286, 161)),
}
PLAY_RECT = SPRITES["play_lit"][0]
STOP_RECT = SPRITES["stop_lit"][0]
RND_RECT = SPRITES["rnd_lit"][0]
REP_RECT = SPRITES["rep_lit"][0]
REW_RECT = SPRITES["rew_lit"][0]
FF_RECT = SPRITES["ff_lit"][0]


class Sheet:
    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if data[:2] != b"BM":
            raise ValueError("%s is not a BMP file" % path)
        offset = struct.unpack_from("<I", data, 10)[0]
        size, width, height, planes, bpp = struct.unpack_from("<IiiHH", data, 14)
        if bpp != 24 or size != 40:
            raise ValueError("%s: expected a 24-bit bitmap with a 40-byte header" % path)
        self.width, self.height = width, abs(height)
        stride = (width * 3 + 3) & ~3
        rows = []
        for y in range(self.height):
            stored = self.height - 1 - y if height > 0 else y
            row = data[offset + stored * stride:offset + stored * stride + width * 3]
            rgb = bytearray(len(row))
            rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
            rows.append(bytes(rgb))
        self.rows = rows

    def image(self, x, y, w, h):
        return Image(w, h, b"".join(self.rows[y + r][x * 3:(x + w) * 3] for r in range(h)))


class Canvas:
    """The top-left of the canvas, starting as the sheet, with white-keyed sprite copies."""

    def __init__(self, sheet):
        self.sheet = sheet
        self.rgb = bytearray(b"".join(sheet.rows[y][:SET_W * 3] for y in range(SET_H)))

    def draw(self, dx, dy, sx, sy, w, h):
        for r in range(h):
            src = self.sheet.rows[sy + r]
            if not 0 <= dy + r < SET_H:
                continue
            for c in range(w):
                if not 0 <= dx + c < SET_W:
                    continue
                p = src[(sx + c) * 3:(sx + c) * 3 + 3]
                if p != b"\xff\xff\xff":
                    i = ((dy + r) * SET_W + dx + c) * 3
                    self.rgb[i:i + 3] = p

    def image(self):
        return Image(SET_W, SET_H, bytes(self.rgb))


def compose(sheet, paused=0, closed=0, random=0, repeat=1, rew=0, ff=0, pos_knob_x=24, vol_knob_x=125):
    """The frame the player presents in a given state (the screen hole holds the sheet's blue, not the movie)."""
    c = Canvas(sheet)
    c.draw(0, 0, 0, 0, SET_W, SET_H)
    if paused:
        c.draw(38, 161, 262, 161, 21, 17)
    if closed:
        c.draw(38, 161, 484, 0, 21, 17)
        c.draw(76, 161, 300, 161, 13, 17)
    if random:
        c.draw(154, 160, 378, 160, 13, 16)
    if repeat:
        c.draw(168, 160, 392, 160, 13, 16)
    if rew:
        c.draw(23, 161, 247, 161, 14, 17)
    if ff:
        c.draw(62, 161, 286, 161, 14, 17)
    c.draw(pos_knob_x, 149, 448, 0, 11, 7)
    c.draw(vol_knob_x, 173, 470, 0, 7, 6)
    return c.image()


def in_hole(x, y):
    hx, hy, hw, hh = HOLE
    return hx <= x < hx + hw and hy <= y < hy + hh


def describe(count, first):
    """A short account of differences(): how many, and where the first ones are."""
    if not count:
        return "none differ"
    return "%d pixels differ, first at %s" % (count, ", ".join("(%d,%d) %r not %r" % d for d in first[:4]))


def differences(shot, expected, rect=None, skip_hole=True, limit=10):
    """Pixels (x, y, got, want) where two set-sized pictures differ inside rect, the hole left out."""
    x0, y0, w, h = rect or (0, 0, SET_W, SET_H)
    out = []
    count = 0
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            if skip_hole and in_hole(x, y):
                continue
            got, want = shot.pixel(x, y), expected.pixel(x, y)
            if got != want:
                count += 1
                if len(out) < limit:
                    out.append((x, y, got, want))
    return count, out
