#!/usr/bin/python3
"""The skin around the hole on the screen equals, pixel for pixel, the frame composed for the same state: the
start without a movie (playing the empty entry, Rep on, position knob at 24, volume knob at 125 since Wine's
wave-out volume cannot be read). Compared with the frame the host build composes (its compose tool) and with
this harness's own composition of the sheet. The Rep lamp is lit at start."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, SET_W, SET_H  # noqa: E402
import skin  # noqa: E402


def host_frame(case):
    """The host build's frame for the start state, as an Image, or None with the reason."""
    build = os.environ.get("TELLY_HOST_BUILD_DIR", "")
    tool = os.path.join(build, "tests", "compose_frame")
    if not build or not os.access(tool, os.X_OK):
        return None, "no compose_frame tool in the host build %r (build the host preset first)" % build
    out = case.artifact("host_frame.bmp")
    r = subprocess.run([tool, "--state", "start", out], capture_output=True, text=True,
                       stdin=subprocess.DEVNULL)
    if r.returncode != 0 or not os.path.exists(out):
        return None, "compose_frame failed: %s %s" % (r.stdout, r.stderr)
    frame = skin.Sheet(out)
    return frame.image(0, 0, SET_W, SET_H), None


with Case("skin_frame") as case:
    player = case.start()
    player.wait_set_up()
    player.park_pointer()
    expected = skin.compose(case.sheet(), repeat=1, pos_knob_x=24, vol_knob_x=125)
    case.screen.wait(lambda: skin.differences(player.grab_set(), expected)[0] == 0, 5)
    time.sleep(0.3)
    shot = player.grab_set()
    shot.save_png(case.artifact("screen.png"), scale=2)
    count, first = skin.differences(shot, expected)
    case.check(count == 0, "the screen equals the composed sheet outside the hole (%s)" % skin.describe(count, first))

    rep = skin.REP_RECT
    lit = expected.crop(*rep)
    unlit = skin.compose(case.sheet(), repeat=0).crop(*rep)
    case.check(lit.rgb != unlit.rgb, "the sheet's Rep switch looks different lit and unlit")
    case.check(player.grab_rect(rep).rgb == lit.rgb, "the Rep lamp is lit at start")

    frame, why = host_frame(case)
    case.check(frame is not None, "the host build composes the start frame (%s)" % (why or "ok"))
    if frame is not None:
        count, first = skin.differences(shot, frame)
        case.check(count == 0, "the screen equals the host build's frame outside the hole (%s)"
                   % skin.describe(count, first))
