#!/usr/bin/python3
"""Where the settings live, under Wine. A program folder made read-only (chattr +i) that holds RIVO.CFG with
BottunMode 0, and a per-user %APPDATA%\\Telly\\RIVO.CFG with BottunMode 1: the player reads the per-user file (a
click on the picture pauses), the quit rewrites it, and the folder beside the program is unchanged. A first
start and quit in a writable folder writes the 102-byte first-start file there and makes no per-user folder,
also when a per-user RIVO.CFG is left from elsewhere (which stays as it was), and when a folder named like the
temporary file stands beside the program.

The per-user folder belongs to the run's shared prefix: it is removed before and after the case. The
read-only flag is cleared when the case ends, also when it fails."""
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "lib"))
from telly_e2e import CLOSE, PICTURE, Case, movies, settings_text, windows_path  # noqa: E402
import skin  # noqa: E402

NAME = "settings_per_user"


def chattr(flag, path):
    subprocess.run(["chattr", flag, path], check=True, stdin=subprocess.DEVNULL, capture_output=True)


def release_leftovers(case_dir):
    """A killed earlier run may have left its program folder immutable, which the case's clean-up cannot
    remove."""
    if os.path.isdir(case_dir):
        subprocess.run(["chattr", "-R", "-i", case_dir], stdin=subprocess.DEVNULL, capture_output=True)


def wine_output(case, *cmd):
    """What a Wine program prints. Through a file, not a pipe: system processes that this call may start
    keep the pipe open long after the program has ended."""
    path = case.artifact("wine-output.txt")
    with open(path, "wb") as out:
        subprocess.run(list(cmd), stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL, timeout=120)
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read().strip()


def per_user_folder(case):
    """The Unix path of %APPDATA%\\Telly in the run's prefix, as the player's own process sees it."""
    appdata = wine_output(case, "wine", "cmd", "/c", "echo %APPDATA%")
    if not appdata or "%" in appdata:
        case.fail("Wine does not name %%APPDATA%%: %r" % appdata)
    unix = wine_output(case, "winepath", "-u", appdata)
    if not os.path.isdir(unix):
        case.fail("%%APPDATA%% (%s) is no folder here: %r" % (appdata, unix))
    return os.path.join(unix, "Telly")


def program_folder(case, name, settings=None):
    """A fresh folder with telly.exe and what ships beside it (and RIVO.CFG when given); returns its
    telly.exe."""
    folder = os.path.join(case.dir, name)
    exe = case.program_into(folder)
    if settings is not None:
        with open(os.path.join(folder, "RIVO.CFG"), "wb") as f:
            f.write(settings)
    return exe


def snapshot(folder):
    """Every file of a folder with its bytes."""
    out = {}
    for n in sorted(os.listdir(folder)):
        with open(os.path.join(folder, n), "rb") as f:
            out[n] = f.read()
    return out


def read(path):
    with open(path, "rb") as f:
        return f.read()


def quit_player(case, player):
    player.click(CLOSE)
    if player.wait_exit(10) is None:
        case.fail("the close box does not end the player")


def read_only_folder(case, user):
    """The per-user file wins while the program's folder refuses writes; the quit rewrites it there."""
    exe = program_folder(case, "read_only", settings_text())
    folder = os.path.dirname(exe)
    os.makedirs(user)
    # x and y are never read back: the quit writes 0 there, which shows that it rewrote this file.
    with open(os.path.join(user, "RIVO.CFG"), "wb") as f:
        f.write(settings_text(x=300, y=200, bottun_mode=1))
    before = snapshot(folder)
    chattr("+i", folder)
    try:
        probe = os.path.join(folder, "probe")
        try:
            open(probe, "wb").close()
            os.remove(probe)
            case.fail("chattr +i did not make %s read-only" % folder)
        except PermissionError:
            pass
        player = case.start(windows_path(movies()["settings"]["path"]), exe=exe)
        player.wait_set_up()
        paused_look = case.patches(skin.PLAY_RECT, paused={"paused": 1})["paused"]
        player.click(PICTURE)
        player.park_pointer()
        case.check(player.wait_rect(skin.PLAY_RECT, paused_look),
                   "read-only folder: BottunMode 1 from the per-user file: a click on the picture pauses")
        quit_player(case, player)
    finally:
        chattr("-i", folder)
    case.check(read(os.path.join(user, "RIVO.CFG")) == settings_text(bottun_mode=1),
               "the quit rewrites the per-user file: %r" % read(os.path.join(user, "RIVO.CFG")))
    case.check(snapshot(folder) == before, "the folder beside the program is unchanged")
    case.check(sorted(os.listdir(user)) == ["RIVO.CFG"], "nothing else in the per-user folder: %r"
               % os.listdir(user))


def writable_folder(case, user, left_elsewhere=False, clash=False):
    """The first start and quit write the first-start file beside the program; the per-user folder is left
    as it was (absent, or holding a file from elsewhere). A folder named like the temporary file is a name
    in the way, not a folder that refuses: the write takes another temporary name."""
    label = ("per-user file from elsewhere" if left_elsewhere else
             "a folder named RIVO.CFG.tmp" if clash else "no per-user folder")
    elsewhere = settings_text(wheel1_play=1, bottun_mode=1)
    if left_elsewhere:
        os.makedirs(user)
        with open(os.path.join(user, "RIVO.CFG"), "wb") as f:
            f.write(elsewhere)
    exe = program_folder(case, "writable_" + label.split()[-1].replace(".", "_"))
    folder = os.path.dirname(exe)
    expected = ["RIVO.CFG", "telly.exe"] + case.beside_program()
    if clash:
        os.makedirs(os.path.join(folder, "RIVO.CFG.tmp"))
        expected.append("RIVO.CFG.tmp")
    player = case.start(exe=exe)
    player.wait_set_up()
    quit_player(case, player)
    path = os.path.join(folder, "RIVO.CFG")
    written = read(path) if os.path.exists(path) else None
    case.check(written == settings_text() and len(written) == 102,
               "%s: RIVO.CFG beside the program is the 102-byte first-start file: %r" % (label, written))
    case.check(sorted(os.listdir(folder)) == sorted(expected),
               "%s: nothing else beside the program: %r" % (label, os.listdir(folder)))
    if left_elsewhere:
        case.check(sorted(os.listdir(user)) == ["RIVO.CFG"] and read(os.path.join(user, "RIVO.CFG")) == elsewhere,
                   "%s: the per-user file stays as it was" % label)
    else:
        case.check(not os.path.exists(user), "%s: no per-user folder is made" % label)


release_leftovers(os.path.join(os.environ["TELLY_E2E_RUN"], "cases", NAME))
with Case(NAME) as case:
    user = per_user_folder(case)
    case.log("per-user folder: " + user)
    try:
        for scenario in (lambda: read_only_folder(case, user), lambda: writable_folder(case, user),
                         lambda: writable_folder(case, user, left_elsewhere=True),
                         lambda: writable_folder(case, user, clash=True)):
            shutil.rmtree(user, ignore_errors=True)
            scenario()
    finally:
        shutil.rmtree(user, ignore_errors=True)
