#!/usr/bin/python3
"""Rnd and Rep toggle their lamps on each press; STOP greys PLAY/PAUSE and lights STOP."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, RND, REP, STOP, movies, windows_path  # noqa: E402
import skin  # noqa: E402

DOUBLE_CLICK_GAP = 0.7  # seconds; Windows' default double-click time is 0.5 s

with Case("switches") as case:
    player = case.start(windows_path(movies()["settings"]["path"]))
    player.wait_set_up()
    player.park_pointer()
    rnd = case.patches(skin.RND_RECT, on={"random": 1}, off={"random": 0})
    rep = case.patches(skin.REP_RECT, on={"repeat": 1}, off={"repeat": 0})
    case.check(player.wait_rect(skin.RND_RECT, rnd["off"]), "Rnd starts unlit")
    case.check(player.wait_rect(skin.REP_RECT, rep["on"]), "Rep starts lit")
    for n, (point, rect, looks, name, states) in enumerate((
            (RND, skin.RND_RECT, rnd, "Rnd", ("on", "off")),
            (REP, skin.REP_RECT, rep, "Rep", ("off", "on")))):
        for state in states:
            # A second press within the double-click time is a double-click, which only moves the window.
            time.sleep(DOUBLE_CLICK_GAP)
            player.click(point)
            player.park_pointer()
            case.check(player.wait_rect(rect, looks[state]), "a press on %s turns its lamp %s" % (name, state))

    play = case.patches(skin.PLAY_RECT, playing={}, closed={"closed": 1, "paused": 1})
    stop = case.patches(skin.STOP_RECT, playing={}, closed={"closed": 1, "paused": 1})
    case.check(player.wait_rect(skin.PLAY_RECT, play["playing"]), "PLAY/PAUSE shows its playing look")
    player.click(STOP)
    player.park_pointer()
    case.check(player.wait_rect(skin.PLAY_RECT, play["closed"]), "after STOP, PLAY/PAUSE is grey")
    case.check(player.wait_rect(skin.STOP_RECT, stop["closed"]), "after STOP, STOP is lit")
