"""Running telly.exe under Wine for one end-to-end case.

A case gets a fresh folder with its own copy of telly.exe, RIVO.sys and the DLLs beside telly.exe (so settings
files never leak from one case to the next), starts the player there with the arguments it wants, finds the player's X window, acts on it
with xdotool or an XDND drop, and checks geometry, pixels and files. The process's working directory is another
folder, so a settings file that lands beside the program was really put there by the program's own path.

The run's environment (display, prefix) comes from the run folder that scripts/wine-env set up: TELLY_E2E_RUN.
ctest passes it along with TELLY_EXE (the telly.exe to copy), TELLY_ARTWORK_DIR (the sheet it was built with)
and TELLY_SOURCE_DIR.
"""
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from screen import Screen  # noqa: E402
from sound import PulseAudio  # noqa: E402
from Xlib import X  # noqa: E402
import skin  # noqa: E402

SET_W, SET_H = skin.SET_W, skin.SET_H
WINDOW_W, WINDOW_H = 274, 187  # the skin plus the 50-pixel strip of the scroll bar

# Skin coordinates of the controls (client pixels of the main window).
REW, PLAY, FF, STOP, FULL = (30, 170), (48, 170), (69, 170), (82, 170), (144, 170)
RND, REP, CLOSE = (160, 168), (174, 168), (192, 170)
PICTURE = (112, 82)
PARK = (1010, 750)  # where the pointer rests while the screen is looked at: white desktop, far from the set


def load_run_env(run):
    with open(os.path.join(run, "env.sh"), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("export ") and "=" in line:
                key, value = line[len("export "):].split("=", 1)
                os.environ[key] = value.strip('"')


def windows_path(path):
    """The Z: drive path Wine maps a Unix path to."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def movies():
    with open(os.path.join(os.environ["TELLY_E2E_RUN"], "movies", "movies.json"), encoding="utf-8") as f:
        return json.load(f)


def colour_distance(a, b):
    return max(abs(x - y) for x, y in zip(a, b))


def check_playing(case, player, clip, label):
    """Checks (within 10 s) that the set's hole shows `clip`'s colour; returns whether it did."""
    rgb = clip["rgb"]
    ok = case.screen.wait(lambda: colour_distance(player.hole_mean(), rgb) < 30, 10)
    return case.check(ok, "%s: the hole shows %s %r (mean %r)" % (label, os.path.basename(clip["path"]), rgb,
                                                                  player.hole_mean()))


def press_ff_again(player):
    """FF pressed once more: two clicks on one spot within the double-click time would make a double click."""
    time.sleep(0.6)
    player.click(FF)
    player.park_pointer()


def settings_text(**values):
    """The settings file the player writes with the shipped template (values default to 0)."""
    keys = [("x", "x="), ("y", "y="), ("wheel1_play", "Wheel1_Play ="), ("wheel1_pause", "Wheel1_Pause="),
            ("wheel2_mode", "Wheel2_Mode ="), ("bottun_mode", "BottunMode  =")]
    lines = ["[WindowPoint]"]
    for name, key in keys:
        if name == "wheel1_play":
            lines.append("[MouseMode]")
        lines.append("%s%d" % (key, values.get(name, 0)))
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True, stdin=subprocess.DEVNULL)


def pointer_to(screen, x, y):
    """Move the pointer and wait until the server has it there. (xdotool's own --sync waits for motion and
    stalls for seconds when the pointer is already at the place.)"""
    xdotool("mousemove", x, y)
    screen.wait(lambda: (lambda p: (p.root_x, p.root_y) == (x, y))(screen.root.query_pointer()), 2, 0.005)


class CaseFailed(Exception):
    pass


class Player:
    def __init__(self, case, exe, args):
        self.case = case
        self.exe = exe
        self.args = list(args)
        self.main = None
        self.log_path = os.path.join(case.dir, "wine.log")
        log = open(self.log_path, "ab")
        # Same process group as the case, so whoever ends the case's group ends the player too.
        self.proc = subprocess.Popen(["wine", exe] + self.args, cwd=case.cwd, stdin=subprocess.DEVNULL,
                                     stdout=log, stderr=subprocess.STDOUT)
        log.close()

    # --- windows
    def windows(self):
        return [t for t in self.case.screen.toplevels() if t.pid == self.proc.pid]

    def wait_set_up(self, timeout=45):
        """Wait for the first tick's placement: the main window at 274 x 187. Returns it."""
        def placed():
            for t in self.windows():
                if (t.width, t.height) == (WINDOW_W, WINDOW_H):
                    return t
            return None
        self.main = self.case.screen.wait(placed, timeout)
        if self.main is None:
            self.case.fail("the player's window never reached %dx%d; windows of the process: %r"
                           % (WINDOW_W, WINDOW_H, self.windows()))
        return self.main

    def geometry(self):
        """Current root rectangle of the main window."""
        for t in self.case.screen.toplevels():
            if t.win.id == self.main.win.id:
                self.main = t
                return t.rect
        return None

    def origin(self):
        x, y, _, _ = self.geometry()
        return x, y

    def other_windows(self):
        return [t for t in self.windows() if self.main is None or t.win.id != self.main.win.id]

    # --- input
    def move_to(self, point):
        ox, oy = self.origin()
        pointer_to(self.case.screen, ox + point[0], oy + point[1])

    def click(self, point, button=1, hold=None):
        """A click at `point` of the window. With `hold` (seconds) the button stays down that long, as a hand
        keeps it: xdotool's own click releases it before the player has handled the press."""
        self.move_to(point)
        if hold is None:
            xdotool("click", button)
        else:
            xdotool("mousedown", button)
            time.sleep(hold)
            xdotool("mouseup", button)

    def click_watching(self, point, rect, patches, seconds):
        """A click at `point` while `rect` is watched from before the press (see watch_rect): a look that the
        click brings for a tick or two can come and go while xdotool, a process of its own, is still
        ending, which takes a tenth of a second or more on a busy machine."""
        self.move_to(point)
        click = subprocess.Popen(["xdotool", "click", "1"], stdin=subprocess.DEVNULL)
        try:
            return self.watch_rect(rect, patches, seconds)
        finally:
            click.wait(10)

    def park_pointer(self):
        pointer_to(self.case.screen, *PARK)

    def drop(self, paths, at=PICTURE):
        ox, oy = self.origin()
        tool = os.path.join(self.case.source_dir, "tests", "e2e", "tools", "xdnd_drop.py")
        r = subprocess.run([sys.executable, tool, "--at", "%d,%d" % (ox + at[0], oy + at[1])] + list(paths),
                           stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if r.returncode != 0:
            self.case.fail("the drop was not taken: " + r.stderr.strip())

    # --- pixels
    def grab_set(self):
        ox, oy = self.origin()
        return self.case.screen.grab(ox, oy, SET_W, SET_H)

    def grab_rect(self, rect):
        ox, oy = self.origin()
        x, y, w, h = rect
        return self.case.screen.grab(ox + x, oy + y, w, h)

    def hole_mean(self):
        return self.grab_rect(skin.HOLE).mean()

    def wait_rect(self, rect, patch, timeout=3.0):
        """Wait until the screen shows exactly `patch` (an Image of rect's size) at rect; True when it did."""
        return bool(self.case.screen.wait(lambda: self.grab_rect(rect).rgb == patch.rgb, timeout, 0.01))

    def watch_rect(self, rect, patches, seconds):
        """Sample rect as fast as the display answers for `seconds`; returns the names of `patches` (a dict of
        name -> Image) in the order they were seen, repeats folded."""
        seen = []
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shot = self.grab_rect(rect).rgb
            name = next((n for n, p in patches.items() if p.rgb == shot), "other")
            if not seen or seen[-1] != name:
                seen.append(name)
            time.sleep(0.002)
        return seen

    # --- life
    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.running():
            self.proc.kill()
            self.proc.wait(10)


class WindowManager:
    """openbox, as Debian installs it, on the run's display while a `with` block runs: the display of a Linux
    desktop instead of the bare one the other cases use. It is stopped when the block ends, also on failure
    (the case's players first), so that the next case finds the display without one; a case that was killed
    before it could stop it leaves its pid behind, and the next case ends it (Case._end_leftovers).

    The prefix keeps Wine from handing windows to a window manager ("Managed"="N", see scripts/wine-env). A
    player run under the window manager is started as MANAGED_EXE (Case.app_copy(WindowManager.MANAGED_EXE)),
    for which this sets Wine's per-program default to managed windows."""

    MANAGED_EXE = "telly-managed.exe"

    def __init__(self, case):
        self.case = case
        self.proc = None

    @staticmethod
    def pid_file(run):
        return os.path.join(run, "openbox.pid")

    @staticmethod
    def end_leftover(run, screen):
        if not os.path.exists(WindowManager.pid_file(run)):
            return
        try:
            with open(WindowManager.pid_file(run), encoding="ascii") as f:
                pid = int(f.read().strip())
            with open("/proc/%d/cmdline" % pid, "rb") as f:
                if b"openbox" in f.read():
                    os.kill(pid, signal.SIGKILL)
        except (OSError, ValueError):
            pass
        try:
            os.remove(WindowManager.pid_file(run))
        except OSError:
            pass
        WindowManager.clear_announcements(screen)

    def running(self):
        """True while a window manager owns the display (the selection WM_S0 of screen 0 has an owner)."""
        screen = self.case.screen
        return screen.d.get_selection_owner(screen.d.intern_atom("WM_S0")) != X.NONE

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        # Into a file: a first Wine process starts the prefix's services, which would hold a pipe open.
        with open(self.case.artifact("reg.log"), "ab") as out:
            key = r"HKCU\Software\Wine\AppDefaults\%s\X11 Driver" % self.MANAGED_EXE
            reg = subprocess.run(["wine", "reg", "add", key, "/v", "Managed", "/t", "REG_SZ", "/d", "Y", "/f"],
                                 stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)
        if reg.returncode != 0:
            self.case.fail("wine reg add failed (exit %d)" % reg.returncode)
        log = open(self.case.artifact("openbox.log"), "ab")
        self.proc = subprocess.Popen(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL, stdout=log,
                                     stderr=subprocess.STDOUT)
        log.close()
        with open(self.pid_file(self.case.run), "w", encoding="ascii") as f:
            f.write("%d\n" % self.proc.pid)
        if not self.case.screen.wait(lambda: self.proc.poll() is not None or self.running(), 15):
            self.case.fail("openbox did not take the display")
        if self.proc.poll() is not None:
            self.case.fail("openbox ended at once (exit %d)" % self.proc.returncode)
        self.case.log("openbox manages the display")

    def __exit__(self, kind, value, tb):
        if self.proc is None:
            return False
        for p in self.case.players:
            try:
                p.stop()
            except Exception:
                pass
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(10)
        try:
            os.remove(self.pid_file(self.case.run))
        except OSError:
            pass
        self.clear_announcements(self.case.screen)
        return False

    @staticmethod
    def clear_announcements(screen):
        """openbox leaves its announcements on the root window when it ends (the supported hints, the work
        area, a check window that no longer exists): take them away, so that the display is as it was."""
        for atom in screen.root.list_properties():
            if screen.d.get_atom_name(atom).startswith(("_NET_", "_OB_")):
                screen.root.delete_property(atom)
        screen.d.sync()


class Case:
    """One end-to-end case: `with Case("name") as case: ...`. Exits the process with 0 or 1."""

    def __init__(self, name):
        self.name = name
        self.run = os.environ["TELLY_E2E_RUN"]
        load_run_env(self.run)
        self.source_dir = os.environ.get("TELLY_SOURCE_DIR", os.path.dirname(os.path.dirname(HERE)))
        self.exe_src = os.environ["TELLY_EXE"]
        self.dir = os.path.join(self.run, "cases", name)
        self.cwd = os.path.join(self.dir, "cwd")
        self.app_dir = os.path.join(self.dir, "app")
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.cwd)
        os.makedirs(self.app_dir)
        self.screen = Screen()
        self.players = []
        self.failures = []
        self.started = time.monotonic()
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            signal.signal(sig, self._interrupted)
        self._end_leftovers()

    def _interrupted(self, signum, frame):
        raise SystemExit("interrupted by signal %d" % signum)

    def _end_leftovers(self):
        """A case of this run that was killed may have left its player on the display, the window manager
        of the case that runs under one, or the sound server of a case that records: end them, so that the
        display is as every case expects it. Only processes started for this run are touched."""
        for t in self.screen.toplevels():
            if not t.pid:
                continue
            try:
                with open("/proc/%d/cmdline" % t.pid, "rb") as f:
                    cmd = f.read().decode("utf-8", "replace")
            except OSError:
                continue
            if re.search(r"telly[^/\\]*\.exe", cmd) and os.path.join(self.run, "cases") in cmd:
                os.kill(t.pid, signal.SIGKILL)
        WindowManager.end_leftover(self.run, self.screen)
        PulseAudio.end_leftover(self.run)

    # --- set-up
    def beside_program(self):
        """The files that ship beside telly.exe: the settings template and the DLLs the build put beside it
        (FFmpeg's, copied there for a program that links them)."""
        build_dir = os.path.dirname(self.exe_src)
        return ["RIVO.sys"] + sorted(n for n in os.listdir(build_dir) if n.lower().endswith(".dll"))

    def program_into(self, folder, name="telly.exe"):
        """telly.exe (under `name`) and the files that ship beside it, copied into `folder`; returns the exe."""
        os.makedirs(folder, exist_ok=True)
        exe = os.path.join(folder, name)
        shutil.copy2(self.exe_src, exe)
        for beside in self.beside_program():
            shutil.copy2(os.path.join(os.path.dirname(self.exe_src), beside), folder)
        return exe

    def app_copy(self, name="telly.exe"):
        """A fresh program folder: telly.exe (under `name`) with the files that ship beside it."""
        return self.program_into(self.app_dir, name)

    def start(self, *args, exe=None):
        p = Player(self, exe or self.app_copy(), args)
        self.players.append(p)
        return p

    def sheet(self):
        return skin.Sheet(os.path.join(os.environ["TELLY_ARTWORK_DIR"], "skin.bmp"))

    def patches(self, rect, **states):
        """name -> the composed look of rect for each named state (keyword arguments of skin.compose)."""
        sheet = self.sheet()
        return {name: skin.compose(sheet, **state).crop(*rect) for name, state in states.items()}

    # --- verdicts
    def log(self, message):
        print("[%6.2fs] %s" % (time.monotonic() - self.started, message), flush=True)

    def check(self, condition, message):
        if condition:
            self.log("ok: " + message)
        else:
            self.log("FAILED: " + message)
            self.failures.append(message)
        return condition

    def fail(self, message):
        self.log("FAILED: " + message)
        self.failures.append(message)
        raise CaseFailed(message)

    def artifact(self, name):
        return os.path.join(self.dir, name)

    def __enter__(self):
        self.log("case %s in %s" % (self.name, self.dir))
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None and kind is not CaseFailed:
            self.failures.append("%s: %s" % (kind.__name__, value))
        shot = None
        if self.failures:
            try:
                shot = self.screen.grab()
            except Exception:  # the display itself may be the problem
                pass
        for p in self.players:  # first of all, whatever happens to the reporting below
            try:
                p.stop()
            except Exception:
                pass
        try:
            self._report(kind, value, tb, shot)
        except BrokenPipeError:
            pass
        sys.exit(1 if self.failures else 0)

    def _report(self, kind, value, tb, shot):
        if kind is not None and kind is not CaseFailed and kind is not SystemExit:
            traceback.print_exception(kind, value, tb)
        if not self.failures:
            self.log("%s passed" % self.name)
            return
        if shot is not None:
            shot.save_png(self.artifact("failure.png"))
            self.log("screenshot of the failure: " + self.artifact("failure.png"))
        for p in self.players:
            try:
                with open(p.log_path, encoding="utf-8", errors="replace") as f:
                    tail = f.read()[-2000:]
                if tail.strip():
                    self.log("wine output:\n" + tail)
            except OSError:
                pass
        self.log("%s: %d check(s) failed" % (self.name, len(self.failures)))
