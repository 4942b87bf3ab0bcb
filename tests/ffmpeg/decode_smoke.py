#!/usr/bin/env python3
"""Smoke test of FFmpeg's DLLs under Wine: decode_pass.exe (bench/win32) with the DLLs beside it decodes small
clips that the host's ffmpeg makes, one per kind of movie Telly meets (H.264/AAC MP4, VP8/Vorbis WebM, MPEG-1
MPG, WMV2/WMA ASF, MJPEG with 8-bit 11025 Hz PCM in AVI, Microsoft Video 1 with MS ADPCM in AVI, MP3), and
every frame and every second of sound comes out. Also: a limit in seconds stops at the right frame, a file is
opened by its content whatever its extension says, a cut-off file decodes what it holds, and a file that is no
movie, or no file at all, fails cleanly, and so does a wrong command line. The DLLs report the host's FFmpeg version and an LGPL licence.

Usage: decode_smoke.py RUNNER E2E_RUN FALLBACK_PREFIX DECODE_PASS_EXE WORK_DIR
(RUNNER: framework/win32/selftest/run_under_wine.sh, which uses the end-to-end run's prefix when it is there.)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

SECONDS = 2
RATE = 25
FRAMES = SECONDS * RATE
VIDEO_IN = ["-f", "lavfi", "-i", "testsrc2=size=160x120:rate=%d:duration=%d" % (RATE, SECONDS)]


def audio_in(rate):
    return ["-f", "lavfi", "-i", "sine=frequency=440:sample_rate=%d:duration=%d" % (rate, SECONDS)]


# name, encoder arguments, audio sample rate, expected video and audio decoders (FFmpeg's names).
CLIPS = [
    ("h264_aac.mp4", ["-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"], 44100, "h264", "aac"),
    ("vp8_vorbis.webm", ["-c:v", "libvpx", "-c:a", "libvorbis"], 44100, "vp8", "vorbis"),
    ("mpeg1_mp2.mpg", ["-c:v", "mpeg1video", "-c:a", "mp2"], 44100, "mpeg1video", "mp2float"),
    ("wmv2_wma.wmv", ["-c:v", "wmv2", "-c:a", "wmav2"], 44100, "wmv2", "wmav2"),
    ("mjpeg_pcm8.avi", ["-c:v", "mjpeg", "-c:a", "pcm_u8"], 11025, "mjpeg", "pcm_u8"),
    ("msvideo1_adpcm.avi", ["-c:v", "msvideo1", "-c:a", "adpcm_ms"], 22050, "msvideo1", "adpcm_ms"),
    ("tone.mp3", ["-c:a", "libmp3lame"], 44100, None, "mp3float"),
]
# Encoders and decoders add or trim a frame of priming or padding: the sound is all there within 5 %.
SAMPLE_TOLERANCE = 0.05

failures = []


def check(condition, message):
    print(("ok: " if condition else "FAILED: ") + message, flush=True)
    if not condition:
        failures.append(message)
    return condition


def make_clip(work, name, encode, rate, video):
    path = os.path.join(work, name)
    inputs = (VIDEO_IN if video else []) + audio_in(rate)
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y"] + inputs + encode + [path],
                   stdin=subprocess.DEVNULL, check=True)
    return path


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class DecodePass:
    def __init__(self, runner, run_dir, fallback_prefix, exe):
        self.command = [runner, run_dir, fallback_prefix, exe]

    def run(self, *args):
        """(exit status, {name: value} of the lines it printed, all output). The output goes through a file:
        Wine's services, started by the first program of a prefix, would hold a pipe open long after."""
        with tempfile.TemporaryFile() as out:
            status = subprocess.run(self.command + list(args), stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=subprocess.STDOUT, timeout=300).returncode
            out.seek(0)
            text = out.read().decode("utf-8", "replace")
        values = dict(re.findall(r"^([a-z_]+) (.*?)\r?$", text, re.M))
        return status, values, text


def check_clip(tool, path, video_codec, audio_codec, rate):
    name = os.path.basename(path)
    status, got, text = tool.run("--audio", windows_path(path))
    if not check(status == 0, "%s decodes (status %d)" % (name, status)):
        print(text)
        return
    check(got.get("video_codec") == (video_codec or "none"), "%s: video decoder %s" % (name, got.get("video_codec")))
    check(got.get("audio_codec") == audio_codec, "%s: audio decoder %s" % (name, got.get("audio_codec")))
    frames = int(got.get("video_frames", -1))
    check(frames == (FRAMES if video_codec else 0), "%s: %d video frames" % (name, frames))
    samples, want = int(got.get("audio_samples", -1)), SECONDS * rate
    check(int(got.get("audio_frames", 0)) > 0 and abs(samples - want) <= want * SAMPLE_TOLERANCE,
          "%s: %d audio samples, %d wanted" % (name, samples, want))
    check(got.get("decode_errors") == "0", "%s: no damaged packets (%s)" % (name, got.get("decode_errors")))
    check(float(got.get("cpu_seconds", -1)) > 0, "%s: CPU time %s s" % (name, got.get("cpu_seconds")))


def main():
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    runner, run_dir, fallback_prefix, exe, work = sys.argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    tool = DecodePass(runner, run_dir, fallback_prefix, exe)

    status, got, text = tool.run("--version")
    host = subprocess.run(["ffmpeg", "-version"], capture_output=True, text=True).stdout.split()[2]
    check(status == 0 and got.get("version") and host.startswith(got["version"]),
          "the DLLs are FFmpeg %s, as the host's %s" % (got.get("version"), host))
    check(got.get("license", "").startswith("LGPL version 2.1"), "licence: %s" % got.get("license"))

    clips = {}
    for name, encode, rate, video_codec, audio_codec in CLIPS:
        clips[name] = make_clip(work, name, encode, rate, video_codec is not None)
        check_clip(tool, clips[name], video_codec, audio_codec, rate)

    # A limit in seconds of media, from the stream's start (MPEG program streams start past 0).
    for name in ("h264_aac.mp4", "mpeg1_mp2.mpg"):
        status, got, _ = tool.run("--seconds", "1", windows_path(clips[name]))
        check(status == 0 and got.get("video_frames") == str(RATE),
              "%s --seconds 1: %s frames, %d wanted" % (name, got.get("video_frames"), RATE))

    # Opened by content: a WebM file named .avi is still VP8.
    renamed = os.path.join(work, "vp8_named.avi")
    shutil.copy(clips["vp8_vorbis.webm"], renamed)
    status, got, _ = tool.run(windows_path(renamed))
    check(status == 0 and got.get("video_codec") == "vp8" and got.get("video_frames") == str(FRAMES),
          "a WebM named .avi decodes as VP8: %s, %s frames" % (got.get("video_codec"), got.get("video_frames")))

    # A movie cut off in the middle plays what it holds.
    cut = os.path.join(work, "cut.mpg")
    with open(clips["mpeg1_mp2.mpg"], "rb") as f:
        data = f.read()
    with open(cut, "wb") as f:
        f.write(data[: len(data) // 2])
    status, got, text = tool.run(windows_path(cut))
    frames = int(got.get("video_frames", -1))
    check(status == 0 and 0 < frames < FRAMES, "a cut-off MPG decodes part: status %d, %d frames" % (status, frames))

    # What is no movie fails with a reason, and no crash.
    not_movie = os.path.join(work, "notes.avi")
    with open(not_movie, "w") as f:
        f.write("not a movie\n" * 100)
    for label, path in (("a text file named .avi", not_movie), ("a missing file", os.path.join(work, "none.mp4"))):
        status, got, text = tool.run(windows_path(path))
        check(status == 1 and "cannot open" in text and "video_frames" not in got,
              "%s fails with status 1 and a reason: %d %r" % (label, status, text.strip()[-120:]))
    # A wrong command line gets the usage, also a limit beyond what the microsecond count holds.
    clip = windows_path(clips["tone.mp3"])
    for args in ((), ("--seconds", "inf", clip), ("--seconds", "-1", clip), ("--threads", "two", clip)):
        status, _, text = tool.run(*args)
        check(status == 2 and "usage" in text, "%r: usage, status 2 (%d)" % (" ".join(args[:2]), status))

    print("%d checks failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
