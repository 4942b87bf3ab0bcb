"""A sound card for one case: a private PulseAudio server with a null sink, and a recording of what comes out.

    with Case("name") as case, PulseAudio(case) as sound:
        player = case.start(...)          # started inside the block: Wine's wave-out plays into the null sink
        ...
        freq, margin, rms = sound.heard(t0, t1, [440, 550])

The server runs as this (root) user with its own runtime and state folders and one socket in the case's
folder; PULSE_SERVER points every program started inside the block at it (Wine's PulseAudio driver reads it
in the player's own process). parecord records the null sink's monitor as 16-bit mono at RATE, and the
recording's samples are tied to time.monotonic(), so a case asks what was heard while it saw something on
the screen. Everything is stopped when the block ends, also on failure: the case's players first, then the
recorder and the server. A case killed before that leaves the server's pid in the run folder, and the next
case ends it (end_leftover).
"""
import math
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time

RATE = 8000  # enough for tones up to 4 kHz; a second of recording is 16 kB
SINK = "telly_null"
# A unix socket's path has room for 107 bytes.
MAX_SOCKET_PATH = 100


class PulseAudio:
    def __init__(self, case):
        self.case = case
        self.dir = case.artifact("pulse")
        self.server = None
        self.recorder = None
        self.recording = os.path.join(self.dir, "monitor.raw")
        self.socket_dir = None  # a folder of its own for the socket when the case's path is too long for one
        self.origin = None  # time.monotonic() of the recording's first sample

    @staticmethod
    def pid_file(run):
        return os.path.join(run, "pulseaudio.pid")

    @staticmethod
    def end_leftover(run):
        """Ends the server a killed case of this run left behind: the pid its pid file names, when that is still
        a pulseaudio with our sink."""
        path = PulseAudio.pid_file(run)
        try:
            with open(path, encoding="ascii") as f:
                pid = int(f.read().strip())
            with open("/proc/%d/cmdline" % pid, "rb") as f:
                cmd = f.read()
            if b"pulseaudio" in cmd and SINK.encode() in cmd:
                os.kill(pid, signal.SIGKILL)
        except (OSError, ValueError):
            pass
        try:
            os.remove(path)
        except OSError:
            pass

    # --- life
    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        # Its own home, runtime and state folders: nothing of another server (or of another case) is shared.
        home, runtime, state = (os.path.join(self.dir, sub) for sub in ("home", "runtime", "state"))
        for folder in (home, runtime, state):
            os.makedirs(folder, exist_ok=True)
        self.socket = os.path.join(self.dir, "native")
        if len(self.socket) > MAX_SOCKET_PATH:
            self.socket_dir = tempfile.mkdtemp(prefix="telly-pulse-")
            self.socket = os.path.join(self.socket_dir, "native")
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, PULSE_RUNTIME_PATH=runtime, PULSE_STATE_PATH=state)
        env.pop("PULSE_SERVER", None)
        log = open(os.path.join(self.dir, "pulseaudio.log"), "ab")
        # As root it warns that it is meant for users; --system=false keeps it a user's server all the same.
        # -n: no default script, so nothing else is loaded (no real card, no X11 bell, no D-Bus).
        self.server = subprocess.Popen(
            ["pulseaudio", "--system=false", "--exit-idle-time=-1", "-n", "--daemonize=no", "--disallow-exit",
             "--use-pid-file=false", "--log-target=stderr", "--log-level=notice",
             "-L", "module-null-sink sink_name=%s rate=48000 channels=2" % SINK,
             "-L", "module-native-protocol-unix socket=%s auth-anonymous=1" % self.socket],
            env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        log.close()
        with open(self.pid_file(self.case.run), "w", encoding="ascii") as f:
            f.write("%d\n" % self.server.pid)
        os.environ["PULSE_SERVER"] = "unix:" + self.socket
        if not self.case.screen.wait(lambda: self.server.poll() is not None or self._answers(), 15, 0.1):
            self.case.fail("pulseaudio did not answer on %s" % self.socket)
        if self.server.poll() is not None:
            self.case.fail("pulseaudio ended at once (exit %d); see %s" % (self.server.returncode, self.dir))
        self._record()
        self.case.log("PulseAudio with a null sink on %s, recording its monitor" % self.socket)

    def _answers(self):
        r = subprocess.run(["pactl", "list", "short", "sinks"], stdin=subprocess.DEVNULL, capture_output=True,
                           text=True)
        return r.returncode == 0 and SINK in r.stdout

    def _record(self):
        out = open(self.recording, "wb")
        # A short latency, so that the samples reach the file (and the clock) within a few tens of ms.
        self.recorder = subprocess.Popen(
            ["parecord", "--device=%s.monitor" % SINK, "--raw", "--format=s16le", "--rate=%d" % RATE,
             "--channels=1", "--latency-msec=20", "--process-time-msec=10"],
            stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL, start_new_session=True)
        out.close()
        # The null sink's clock runs all the time, so its monitor delivers samples (silence) from the start:
        # the first ones to arrive fix the recording's origin.
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            size = os.path.getsize(self.recording)
            if size > 0:
                self.origin = time.monotonic() - size / 2.0 / RATE
                return
            if self.recorder.poll() is not None:
                break
            time.sleep(0.005)
        self.case.fail("parecord recorded nothing from %s.monitor" % SINK)

    def __exit__(self, kind, value, tb):
        for p in self.case.players:  # nobody plays into a server that goes away
            try:
                p.stop()
            except Exception:
                pass
        for proc in (self.recorder, self.server):
            if proc is None or proc.poll() is not None:
                continue
            proc.send_signal(signal.SIGINT)
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(5)
        os.environ.pop("PULSE_SERVER", None)
        try:
            os.remove(self.pid_file(self.case.run))
        except OSError:
            pass
        if self.socket_dir:
            shutil.rmtree(self.socket_dir, ignore_errors=True)
        return False

    # --- what was heard
    def samples(self, t0, t1):
        """The recorded samples from monotonic time t0 to t1 (as far as they are recorded yet)."""
        first = max(0, int((t0 - self.origin) * RATE))
        last = max(first, int((t1 - self.origin) * RATE))
        with open(self.recording, "rb") as f:
            f.seek(first * 2)
            data = f.read((last - first) * 2)
        return struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])

    def heard(self, t0, t1, candidates):
        """Which of the candidate frequencies (Hz) was heard from t0 to t1: (the loudest candidate or None for
        silence, how many times louder it was than the next candidate, the level as RMS of 16-bit samples).
        Judged against each other rather than against the whole sound, since a busy machine makes the sound
        stutter, which spreads a tone's energy over its neighbourhood."""
        x = self.samples(t0, t1)
        rms = math.sqrt(sum(v * v for v in x) / len(x)) if x else 0.0
        if rms < SILENCE_RMS:
            return None, 0.0, rms
        shares = sorted(((tone_share(x, f), f) for f in candidates), reverse=True)
        best, second = shares[0], shares[1] if len(shares) > 1 else (0.0, None)
        return best[1], best[0] / second[0] if second[0] > 0 else float("inf"), rms


# Below this level (of 32767) the recording counts as silence: the tones are made at an eighth of full scale.
SILENCE_RMS = 100


def tone_share(samples, freq):
    """The share of the samples' energy at `freq` (Goertzel's filter at that exact frequency): 1 for a pure
    tone at that frequency, near 0 for other tones a few tens of Hz away over a window of a second."""
    n = len(samples)
    energy = sum(v * v for v in samples)
    if n == 0 or energy == 0:
        return 0.0
    c = 2.0 * math.cos(2.0 * math.pi * freq / RATE)
    s1 = s2 = 0.0
    for v in samples:
        s1, s2 = v + c * s1 - s2, s1
    power = s1 * s1 + s2 * s2 - c * s1 * s2
    return 2.0 * power / (n * energy)
