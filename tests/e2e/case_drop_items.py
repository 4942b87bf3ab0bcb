#!/usr/bin/python3
"""Several items dropped at once make one sorted playlist, and a movie at a path of 300 characters plays (the
movie device refuses paths of 260 characters or more; the player opens such a file by its short name).

    items/a_grey.avi                       dropped as a file
    items/folder/green.avi                 dropped as its folder
    items/long/<...>/blue.avi              dropped as a file; its Windows path is 300 characters long

They are dropped in the order blue, folder, grey; the playlist is grey, green, blue: grey plays first, FF plays
green, FF again plays blue from its long path."""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, check_playing, movies, press_ff_again, windows_path  # noqa: E402

LONG_PATH = 300


def long_movie_path(base, name):
    """A path under `base` whose Windows form (Z:\\...) is exactly LONG_PATH characters: folders of up to 60
    characters, the last one cut to fit."""
    path = base
    while True:
        rest = LONG_PATH - len(windows_path(os.path.join(path, name))) - 1
        if rest <= 0:
            break
        path = os.path.join(path, ("folder%02d_" % len(path.split(os.sep)) + "x" * 60)[:min(rest, 60)])
    return os.path.join(path, name)


with Case("drop_items") as case:
    clips = movies()
    items = os.path.join(case.dir, "items")
    grey = os.path.join(items, "a_grey.avi")
    folder = os.path.join(items, "folder")
    blue = long_movie_path(os.path.join(items, "long"), "blue.avi")
    os.makedirs(folder)
    os.makedirs(os.path.dirname(blue))
    shutil.copy(clips["settings"]["path"], grey)
    shutil.copy(clips["drop_second"]["path"], os.path.join(folder, "green.avi"))
    shutil.copy(clips["drop_third"]["path"], blue)
    case.check(len(windows_path(blue)) == LONG_PATH, "the blue movie's Windows path has %d characters"
               % len(windows_path(blue)))

    player = case.start()
    player.wait_set_up()
    player.drop([blue, folder, grey])
    player.park_pointer()
    check_playing(case, player, clips["settings"], "after the drop (the first of the sorted items)")
    press_ff_again(player)
    check_playing(case, player, clips["drop_second"], "after FF (the dropped folder's file)")
    press_ff_again(player)
    check_playing(case, player, clips["drop_third"], "after a second FF (the movie at the 300-character path)")
