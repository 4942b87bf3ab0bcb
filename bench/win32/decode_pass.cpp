// decode_pass: one decode of a movie through the FFmpeg DLLs, with nothing done to the frames: the floor that
// the movie device's own decode is measured against, and the smoke test of the DLLs under Wine.
//
//   decode_pass [--audio] [--seconds S] [--threads N] FILE
//   decode_pass --version
//
// Opens FILE by its content (never its extension), decodes its best video stream (and with --audio its best
// audio stream) for S seconds of media from the stream's start, or to the end, and prints one "name value"
// line each:
//
//   video_codec h264          (or "none": audio-only files still decode their audio)
//   audio_codec aac           (only with --audio; "none" when the file has no audio)
//   video_frames 50
//   audio_frames 87
//   audio_samples 88200
//   decode_errors 0           (packets the decoder refused as damaged: skipped, as a player would)
//   cpu_seconds 0.125         (the process's user and kernel time, opening included)
//
// Exit status: 0 after a pass (damaged packets included), 1 when the file cannot be opened or has nothing to
// decode or a decoder fails outright (the reason on stderr), 2 for a wrong command line.
// --version prints the libraries' version, licence and configure line instead.
// The framework's types come before <windows.h> (framework/fw_types.h).
#include "bench/win32/bench_win32.h"
#include "bench/win32/decode_core.h"

#include <windows.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr double kMaxSeconds = 366.0 * 24 * 3600;

struct Options {
    std::wstring path;
    bool version = false;
    bench::DecodeOptions decode;
};

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--audio") {
            options->decode.audio = true;
        } else if (arg == L"--version") {
            options->version = true;
        } else if ((arg == L"--seconds" || arg == L"--threads") && i + 1 < argc) {
            wchar_t* end = nullptr;
            const wchar_t* value = argv[++i];
            if (arg == L"--seconds") {
                const double seconds = std::wcstod(value, &end);
                // Up to a year of media: the limit is counted in microseconds and must fit.
                if (end == value || *end != L'\0' || !(seconds >= 0 && seconds <= kMaxSeconds)) return false;
                options->decode.seconds = seconds;
            } else {
                long threads = std::wcstol(value, &end, 10);
                if (end == value || *end != L'\0' || threads < 0 || threads > 64) return false;
                options->decode.threads = static_cast<int>(threads);
            }
        } else if (!arg.empty() && arg[0] != L'-' && options->path.empty()) {
            options->path = arg;
        } else {
            return false;
        }
    }
    return options->version || !options->path.empty();
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

int PrintVersion() {
    std::printf("version %s\nlicense %s\nconfiguration %s\n", av_version_info(), avformat_license(),
                avformat_configuration());
    return 0;
}

int Run(const Options& options) {
    bench::DecodeCounts counts;
    std::string error;
    if (!bench::DecodeFile(bench::Utf8(options.path), options.decode, &counts, &error)) {
        std::fprintf(stderr, "decode_pass: %s\n", error.c_str());
        return 1;
    }
    std::printf("video_codec %s\n", counts.videoCodec.c_str());
    if (options.decode.audio) std::printf("audio_codec %s\n", counts.audioCodec.c_str());
    std::printf("video_frames %lld\naudio_frames %lld\naudio_samples %lld\ndecode_errors %lld\n",
                counts.videoFrames, counts.audioFrames, counts.audioSamples, counts.damaged);
    std::printf("cpu_seconds %.3f\n", CpuSeconds());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: decode_pass [--audio] [--seconds S] [--threads N] FILE\n"
                             "       decode_pass --version\n");
        return 2;
    }
    av_log_set_level(AV_LOG_ERROR);
    return options.version ? PrintVersion() : Run(options);
}
