"""Reads the frame number that a frame-coded clip (scripts/frame-code-picture) shows on the screen.

The top half of the picture is twelve cells across, white for 1 and black for 0, most significant on the left;
the bottom half is grey. The cells are read at their centres, so the same reading serves the picture drawn
unscaled in the set's screen and stretched over the whole screen. The thresholds are those of the host
tests' reader (tests/media/frame_code.h).
"""
import time


def _green(image, x, y):
    """The green of a 3x3 patch around (x, y): one pixel could be a ringing speck of the encoder."""
    total = 0
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            total += image.pixel(x + dx, y + dy)[1]
    return total / 9


def _read(green, w, h):
    if w < 48 or h < 8:
        return -1
    if not 90 <= green(w // 2, h * 3 // 4) <= 170:
        return -1
    code = 0
    for bit in range(12):
        g = green((2 * bit + 1) * w // 24, h // 4)
        if 60 < g < 190:
            return -1
        code = code * 2 + (1 if g >= 190 else 0)
    return code


def frame_number(image, rect=None):
    """The frame number shown in `rect` (x, y, w, h; the whole image when None) of a screen.Image, or -1 when
    it shows no frame-coded picture (a cell neither black nor white enough, or no grey bottom half: a black
    screen is no frame 0)."""
    x0, y0, w, h = rect if rect is not None else (0, 0, image.width, image.height)
    return _read(lambda x, y: _green(image, x0 + x, y0 + y), w, h)


def screen_frame_number(screen, rect):
    """The frame number shown in `rect` of the screen (a screen.Screen), reading only the rows it needs: fast
    enough to follow a picture stretched over the whole screen frame by frame."""
    x0, y0, w, h = rect
    if w < 48 or h < 8:
        return -1
    cells = screen.grab(x0, y0 + h // 4 - 1, w, 3)
    below = screen.grab(x0 + w // 2 - 1, y0 + h * 3 // 4 - 1, 3, 3)

    def green(x, y):
        if y == h // 4:
            return _green(cells, x, 1)
        return _green(below, 1, 1)
    return _read(green, w, h)


def steady(read):
    """A reader that takes a frame number only when two reads in a row agree (else -1): a window drawn half,
    such as a new full-screen window erased black above and already grey below, is no frame 0."""
    def read_twice():
        first = read()
        return first if first == read() else -1
    return read_twice


def settle(read, timeout=5.0, hold=0.3, seen=None):
    """Samples read() (a frame number, or -1) until one frame has stood for `hold` seconds. Returns that frame
    (None when none stood within `timeout`) and the frames seen on the way, in order, repeats folded; `seen`,
    when given, is that list to go on with."""
    seen = [] if seen is None else seen
    since = time.monotonic()
    deadline = since + timeout
    while time.monotonic() < deadline:
        frame = read()
        now = time.monotonic()
        if not seen or seen[-1] != frame:
            seen.append(frame)
            since = now
        elif frame >= 0 and now - since >= hold:
            return frame, seen
        time.sleep(0.01)
    return None, seen
