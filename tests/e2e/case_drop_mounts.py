#!/usr/bin/python3
"""One drop of a folder that holds two mounts plays the movies of both, in path order, and a link back to the
dropped folder adds nothing. Under Wine every folder on Z: reports volume 0, and two tmpfs mounts give their
roots (and their first subfolders) the same inode, so the two mounts' folders share identities: the scan must
not take the second for a loop.

    tree/m1/in/a_red.avi     (tmpfs)
    tree/m1/up -> tree       (a link back to the dropped folder)
    tree/m2/in/b_green.avi   (tmpfs)

After the drop red plays; FF plays green (an unseen loop would have listed tree/m1/up/... between them, a
skipped mount would leave red alone); FF once more wraps to red (Rep is on): two entries, no more. Where
mounting is refused (no root, no mount rights) the case says so and runs on plain folders."""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from telly_e2e import Case, check_playing, movies, press_ff_again  # noqa: E402


def mount_tmpfs(case, folder):
    try:
        r = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16m", "telly-e2e", folder], capture_output=True,
                           text=True, stdin=subprocess.DEVNULL)
        why = None if r.returncode == 0 else r.stderr.strip() or "exit status %d" % r.returncode
    except OSError as e:
        why = str(e)
    if why:
        case.log("SKIPPED the mounts: mount -t tmpfs was refused (%s); the tree uses plain folders" % why)
    return why is None


def leftover_mounts(under):
    """Mount points below `under` (a killed earlier run of this case may have left them)."""
    with open("/proc/self/mounts", encoding="utf-8") as f:
        points = [line.split()[1].replace("\\040", " ") for line in f]
    return sorted((p for p in points if p.startswith(under + os.sep)), reverse=True)


def unmount(case, folder):
    for args in (["umount", folder], ["umount", "-l", folder]):
        if subprocess.run(args, capture_output=True, stdin=subprocess.DEVNULL).returncode == 0:
            return
    case.log("could not unmount " + folder)


with Case("drop_mounts") as case:
    clips = movies()
    tree = os.path.join(case.dir, "tree")
    mounted = []
    player = None
    for folder in leftover_mounts(case.dir):
        unmount(case, folder)
    shutil.rmtree(tree, ignore_errors=True)
    try:
        for name in ("m1", "m2"):
            folder = os.path.join(tree, name)
            os.makedirs(folder)
            # The second mount only when the first one was allowed.
            if (name == "m1" or mounted) and mount_tmpfs(case, folder):
                mounted.append(folder)
        for name, clip, file in (("m1", "drop_first", "a_red.avi"), ("m2", "drop_second", "b_green.avi")):
            os.makedirs(os.path.join(tree, name, "in"))
            shutil.copy(clips[clip]["path"], os.path.join(tree, name, "in", file))
        os.symlink(tree, os.path.join(tree, "m1", "up"))
        if len(mounted) == 2:
            roots = [os.stat(os.path.join(tree, m)).st_ino for m in ("m1", "m2")]
            subs = [os.stat(os.path.join(tree, m, "in")).st_ino for m in ("m1", "m2")]
            case.log("the mounts' roots have inodes %r, their subfolders %r" % (roots, subs))

        player = case.start()
        player.wait_set_up()
        player.drop([tree])
        player.park_pointer()
        check_playing(case, player, clips["drop_first"], "after the drop (m1)")
        press_ff_again(player)
        check_playing(case, player, clips["drop_second"], "after FF (m2, nothing from the link between)")
        press_ff_again(player)
        check_playing(case, player, clips["drop_first"], "after a second FF (back to the first of two entries)")
    finally:
        if player:
            player.stop()  # the player holds a movie open on a mount
        for folder in reversed(mounted):
            unmount(case, folder)
