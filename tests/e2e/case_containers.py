#!/usr/bin/python3
"""Every kind of movie file plays through Telly's own device, with its sound. One drop of the folder of
container clips (MP4 H.264/AAC, MKV VP9/Opus, MOV MPEG-4/PCM, WebM VP8/Vorbis, MPEG-2 program stream, WMV,
AVI with MJPEG and with Microsoft Video 1, MP3) plays each in path order in the set's screen (each clip has a
colour of its own; the MP3, sound alone, shows black) with its own tone on the sound card, then the next.
With Rep on the list comes round again: that round plays in full-screen mode (FULL), each clip's colour over
the whole screen and its tone heard, and a right click brings the set back. Then each clip named on the
command line plays in the screen.

The sound card is a private PulseAudio server with a null sink, whose monitor is recorded (lib/sound.py); a
stretch of the recording while a clip showed on the screen must be that clip's tone."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from sound import PulseAudio  # noqa: E402
from telly_e2e import FULL, Case, colour_distance, movies, windows_path, xdotool  # noqa: E402

SCREEN_W, SCREEN_H = 1024, 768
MOVIE_RECT = (0, -20, SCREEN_W + 50, SCREEN_H + 20)  # the full-screen movie window
# A band across the full screen's upper part, where the sliding square never comes (a small grab: the case
# samples it all through a round and must not slow the player down).
SCREEN_BAND = (112, 40, 800, 40)
# A round of the clips takes their length and a little on an idle machine; a busy one can make it stutter
# to several times that.
ROUND_SLACK = 4
# What is heard in the first and last moments of a clip's time on the screen may belong to its neighbours:
# opening the next file, the sound card's latency and the screen's own delay.
TRIM_START, TRIM_END = 0.5, 0.3
MIN_SHOWN = 0.8  # seconds a clip shows at the least (it is 3 s long); anything shorter is a glimpse
MIN_HEARD = 0.8  # seconds of a clip's time on the screen that are judged by ear
MIN_MARGIN = 3.0  # how much louder a clip's tone must be than any other clip's


def containers(clips):
    """The container clips in the order a drop of their folder plays them (the sorted full paths)."""
    return sorted((c for n, c in clips.items() if n.startswith("container_")), key=lambda c: c["path"])


def classify(rgb, order):
    """Index into `order` of the clip whose colour `rgb` is, or None."""
    for i, clip in enumerate(order):
        if colour_distance(rgb, clip["rgb"]) < 30:
            return i
    return None


def round_done(seen, count):
    """Whether `seen` (clip indices in the order they showed) holds a whole round: clips 0, 1, ... count - 1
    in this order, and after the last another (Rep on: the first again). What shows between them does not
    count here (the empty screen is as black as the MP3); judge_round looks at the order closely."""
    want = 0
    for index in seen:
        if want == count:
            return True
        if index == want:
            want += 1
    return False


def follow(sample, order, timeout):
    """Samples the picture (sample() gives its mean colour) until a whole round of `order` has shown, not
    counting glimpses (see judge_round); returns the runs [clip index or None, first seen, last seen] in the
    order they showed."""
    runs = []
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        now = time.monotonic()
        i = classify(sample(), order)
        if runs and runs[-1][0] == i:
            runs[-1][2] = now
        else:
            runs.append([i, now, now])
        if round_done([r[0] for r in runs if r[0] is not None and r[2] - r[1] >= MIN_SHOWN], len(order)):
            break
        time.sleep(0.03)
    return runs


def judge_round(case, sound, runs, order, where):
    """Each clip shows once, in path order, long enough; its tone is what the sound card played meanwhile."""
    # Glimpses are left out: of no clip's colour (a picture drawn half), or of black between two files in
    # full-screen mode (the controller shows the movie window again before the next file's first picture).
    shown = [r for r in runs if r[0] is not None and r[2] - r[1] >= MIN_SHOWN]
    merged = []
    for r in shown:
        if merged and merged[-1][0] == r[0]:
            merged[-1][2] = r[2]
        else:
            merged.append(list(r))
    # The round: the clips one after another from the first, each once. Before it may show what belongs to
    # no round (the black of an empty screen, or of the full-screen window before its first picture).
    indices = [r[0] for r in merged]
    count = len(order)
    starts = [s for s in range(len(indices)) if indices[s:s + count] == list(range(count))]
    start = starts[0] if starts else (indices.index(0) if 0 in indices else 0)
    round_ = merged[start:start + count]
    names = [os.path.basename(order[r[0]]["path"]) for r in round_]
    want = [os.path.basename(c["path"]) for c in order]
    case.check(names == want, "%s: the clips play in path order: %r (all that showed: %r)"
               % (where, names, [(i, round(b - a, 1)) for i, a, b in merged]))
    tones = [c["tone"] for c in order]
    for r in round_:
        clip = order[r[0]]
        name = os.path.basename(clip["path"])
        t0, t1 = r[1] + TRIM_START, r[2] - TRIM_END
        if not case.check(t1 - t0 >= MIN_HEARD, "%s: %s shows for %.1f s" % (where, name, r[2] - r[1])):
            continue
        freq, margin, rms = sound.heard(t0, t1, tones)
        case.check(freq == clip["tone"] and margin >= MIN_MARGIN,
                   "%s: while %s shows, its %d Hz tone is heard (loudest: %s Hz, %.1f times the next tone, "
                   "level %.0f)" % (where, name, clip["tone"], freq, margin, rms))


with Case("containers") as case, PulseAudio(case) as sound:
    clips = movies()
    order = containers(clips)
    folder = os.path.dirname(order[0]["path"])
    seconds = sum(c["seconds"] for c in order)

    # ---- one drop of the folder: each in the set's screen, with its tone
    player = case.start()
    player.wait_set_up()
    player.drop([folder])
    player.park_pointer()
    runs = follow(player.hole_mean, order, ROUND_SLACK * seconds + 30)
    judge_round(case, sound, runs, order, "in the set's screen")

    # ---- the next round (Rep on) in full-screen mode
    player.click(FULL)
    case.check(case.screen.wait(lambda: [t for t in player.windows() if t.rect == MOVIE_RECT], 10),
               "FULL puts the movie window over the screen: %r" % (player.windows(),))
    runs = follow(lambda: case.screen.grab(*SCREEN_BAND).mean(), order, ROUND_SLACK * seconds + 30)
    judge_round(case, sound, runs, order, "in full screen")
    xdotool("click", 3)
    case.check(case.screen.wait(lambda: not [t for t in player.windows() if t.rect == MOVIE_RECT], 10),
               "a right click leaves full-screen mode: %r" % (player.windows(),))
    player.stop()

    # ---- each clip from the command line
    for clip in order:
        player = case.start(windows_path(clip["path"]))
        player.wait_set_up()
        player.park_pointer()
        ok = case.screen.wait(lambda: colour_distance(player.hole_mean(), clip["rgb"]) < 30, 10)
        case.check(ok, "from the command line, %s plays in the screen (mean %r)"
                   % (os.path.basename(clip["path"]), player.hole_mean()))
        player.stop()
