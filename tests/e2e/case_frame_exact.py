#!/usr/bin/python3
"""While paused, the set's screen shows exactly the frame the controller asks for, read from the screenshot:
frame-coded clips (each picture carries its number) of H.264 with B-frames, VP9 and MPEG-2 (open GOPs), a
keyframe every 2 s, drawn unscaled in the screen.

For each clip, named on the command line: PLAY/PAUSE pauses it, and FF and REW then show the next and the
previous frame of the one that stands; the position knob, dragged to its left end and then some pixels right,
shows the frame the knob maps to (trunc(length x 0.006060606 x (knob - 24))), here just past a keyframe, from
where REW steps back across the keyframe frame by frame and FF forward again; the knob's right end shows the
last frame (the length minus 1), and REW the one before; and the Right arrow held while paused scans
forward: the picture moves through the positions the scan steps (1, 1, 2, 4, 6, ... frames a tick) and,
once the key is let go, stands one frame further, where FF continues from it. A scan step past the end is
refused by the device and the next one starts again from where it stands, so however many ticks the key is
seen held, the picture stays on the scan's positions."""
import os
import struct
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from frame_code import frame_number, settle, steady  # noqa: E402
from telly_e2e import FF, PICTURE, PLAY, REW, Case, movies, windows_path, xdotool  # noqa: E402
import skin  # noqa: E402

CLIPS = ("exact_h264", "exact_vp9", "exact_mpeg2")

# The position bar: the knob's travel and its single-precision scale, widened to double as the player does.
KNOB_MIN, KNOB_MAX = 24, 189
KNOB_SCALE = struct.unpack("<f", struct.pack("<f", 0.006060606))[0]
KNOB_Y = 152  # inside the knob's hit box (rows 150..155)
GRAB_X = 199  # right of the knob wherever it is, within its hit box (knob .. knob + 176)
PARK_X = 21  # left of the bar's start but not past its end (x < 20 would end the drag)

# Frames a paused scan moves per tick at the levels 1..9 while the arrow key is held.
SCAN_FRAMES = [1, 1, 2, 4, 6, 8, 16, 32, 64]
SCAN_HOLD = 0.2  # seconds the Right key is held: about four ticks


def knob_to_frame(length, knob):
    return int(length * KNOB_SCALE * (knob - KNOB_MIN))


def knob_reaching(length, frame):
    """The leftmost knob x that maps to `frame` or later."""
    return next(k for k in range(KNOB_MIN, KNOB_MAX + 1) if knob_to_frame(length, k) >= frame)


class Stepper:
    """Acts on the paused player and reads what its screen then shows."""

    def __init__(self, case, player, name):
        self.case, self.player, self.name = case, player, name
        self.last_click = 0.0
        self.shown = steady(lambda: frame_number(self.player.grab_rect(skin.HOLE)))

    def click(self, point):
        # Two clicks within the double-click time make a double click, whose second press is no button.
        time.sleep(max(0.0, self.last_click + 0.6 - time.monotonic()))
        self.player.click(point)
        self.player.park_pointer()
        self.last_click = time.monotonic()

    def expect(self, want, label):
        frame, seen = settle(self.shown)
        self.case.check(frame == want, "%s: %s shows frame %d (stands at %s; seen %r)"
                        % (self.name, label, want, frame, seen[-8:]))
        return frame

    def button(self, point, want, label):
        self.click(point)
        return self.expect(want, label)

    def drag_knob(self, knob):
        """Grabs the knob, parks it at the left end (where it shows frame 0), then moves it to `knob`. The
        knob follows the pointer by the distance moved, so the park must have been seen before the move: a
        busy display that folded the two moves into one would move it from where it was."""
        ox, oy = self.player.origin()
        xdotool("mousemove", ox + GRAB_X, oy + KNOB_Y)
        xdotool("mousedown", 1)
        time.sleep(0.1)
        xdotool("mousemove", ox + PARK_X, oy + KNOB_Y)
        self.case.check(self.case.screen.wait(lambda: self.shown() == 0, 5),
                        "%s: the knob parked at the left end shows frame 0" % self.name)
        xdotool("mousemove", ox + PARK_X + knob - KNOB_MIN, oy + KNOB_Y)
        time.sleep(0.1)
        xdotool("mouseup", 1)
        self.player.park_pointer()
        self.last_click = time.monotonic()


def scan_positions(start, ticks):
    """Where a paused scan from `start` stands after each of `ticks` ticks with the key held."""
    out, p = [], start
    for t in range(ticks):
        p += SCAN_FRAMES[min(t, len(SCAN_FRAMES) - 1)]
        out.append(p)
    return out


def paused_scan(case, st, start):
    """Right held while paused: the frames shown follow the scan's positions; after the release the picture
    stands one frame past the last of them, and FF goes on from there."""
    st.click(PICTURE)  # the keys belong to the active window; a click on the picture only activates it
    seen = []
    xdotool("keydown", "Right")
    deadline = time.monotonic() + SCAN_HOLD
    while time.monotonic() < deadline:
        f = st.shown()
        if not seen or seen[-1] != f:
            seen.append(f)
        time.sleep(0.005)
    xdotool("keyup", "Right")
    final, seen = settle(st.shown, seen=seen)
    positions = scan_positions(start, 12)
    frames = [f for f in seen if f >= 0 and f != start]
    ends = [p + 1 for p in positions]
    case.check(final in ends, "%s: after the scan the picture stands one frame past a scan position: %s "
               "(positions %r)" % (st.name, final, positions[:9]))
    allowed = set(positions) | {final}
    case.check(frames and all(f in allowed for f in frames) and frames == sorted(frames),
               "%s: during the scan the picture shows the scan's positions in order: %r" % (st.name, seen))
    if final is not None:
        st.button(FF, final + 1, "FF after the scan")


def exact_clip(case, clip):
    length, keyframes = clip["frames"], clip["keyframes"]
    name = os.path.basename(clip["path"])
    player = case.start(windows_path(clip["path"]))
    player.wait_set_up()
    player.park_pointer()
    st = Stepper(case, player, name)
    case.check(case.screen.wait(lambda: st.shown() > 0, 10), "%s: plays, frame-coded, in the screen" % name)

    # Pause while it plays, then one frame either way from the one that stands.
    st.click(PLAY)
    paused, seen = settle(st.shown)
    if not case.check(paused is not None, "%s: PLAY/PAUSE pauses it (seen %r)" % (name, seen[-8:])):
        return
    st.button(FF, paused + 1, "FF while paused")
    st.button(REW, paused, "REW after it")

    # The knob just past a keyframe, then REW back across it frame by frame, and FF forward across it again.
    key = keyframes[1]
    knob = knob_reaching(length, key)
    frame = knob_to_frame(length, knob)
    st.drag_knob(knob)
    st.expect(frame, "the knob at x %d (keyframe %d)" % (knob, key))
    while frame >= key:
        frame -= 1
        st.button(REW, frame, "REW toward frame %d, across keyframe %d" % (key - 1, key))
    st.button(FF, key, "FF onto keyframe %d" % key)
    st.button(FF, key + 1, "FF past keyframe %d" % key)

    # The knob's right end maps to the length minus 1: the last frame (the end itself is reached by playing).
    st.drag_knob(KNOB_MAX)
    st.expect(knob_to_frame(length, KNOB_MAX), "the knob at its right end (length %d)" % length)
    st.button(REW, knob_to_frame(length, KNOB_MAX) - 1, "REW from there")

    # A paused scan from near the start.
    knob = KNOB_MIN + 3
    st.drag_knob(knob)
    start = st.expect(knob_to_frame(length, knob), "the knob at x %d" % knob)
    if start is not None:
        paused_scan(case, st, start)
    player.stop()


with Case("frame_exact") as case:
    clips = movies()
    for name in CLIPS:
        exact_clip(case, clips[name])
