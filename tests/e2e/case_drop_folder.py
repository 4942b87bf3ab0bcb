#!/usr/bin/python3
"""A folder dropped on the window plays its first file in sorted order (case-insensitive: a_red before
B_green before c\\d_blue); FF moves to the next file and REW back, each button lit for a moment after its
press and then unlit again."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, FF, REW, check_playing, movies  # noqa: E402
import skin  # noqa: E402


def press_and_watch(case, player, point, rect, name):
    looks = case.patches(rect, lit={name: 1}, unlit={})
    seen = player.click_watching(point, rect, looks, 1.5)
    case.check("lit" in seen and seen[-1] == "unlit" and seen.index("lit") < len(seen) - 1,
               "%s lights after the press and goes out again (seen: %r)" % (name.upper().replace("_", ""), seen))


with Case("drop_folder") as case:
    clips = movies()
    folder = os.path.dirname(clips["drop_first"]["path"])
    player = case.start()
    player.wait_set_up()
    player.drop([folder])
    player.park_pointer()
    check_playing(case, player, clips["drop_first"], "after the drop")

    press_and_watch(case, player, FF, skin.FF_RECT, "ff")
    player.park_pointer()
    check_playing(case, player, clips["drop_second"], "after FF")

    press_and_watch(case, player, FF, skin.FF_RECT, "ff")
    player.park_pointer()
    check_playing(case, player, clips["drop_third"], "after a second FF (the file in the subfolder)")

    press_and_watch(case, player, REW, skin.REW_RECT, "rew")
    player.park_pointer()
    check_playing(case, player, clips["drop_second"], "after REW")
