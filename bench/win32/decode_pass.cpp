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
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

constexpr double kMaxSeconds = 366.0 * 24 * 3600;

struct Options {
    std::wstring path;
    bool audio = false;
    bool version = false;
    double seconds = -1; // < 0: to the end
    int threads = 1;
};

// One decoded stream: its decoder, where its time limit lies, and what came out.
struct StreamPass {
    int index = -1;
    CodecPtr codec;
    int64_t limit = INT64_MAX; // in the stream's time base, absolute
    bool reached_limit = false;
    long long frames = 0;
    long long samples = 0;
};

std::string ErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

std::string Utf8(const std::wstring& wide) {
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--audio") {
            options->audio = true;
        } else if (arg == L"--version") {
            options->version = true;
        } else if ((arg == L"--seconds" || arg == L"--threads") && i + 1 < argc) {
            wchar_t* end = nullptr;
            const wchar_t* value = argv[++i];
            if (arg == L"--seconds") {
                options->seconds = std::wcstod(value, &end);
                // Up to a year of media: the limit is counted in microseconds and must fit.
                if (end == value || *end != L'\0' ||
                    !(options->seconds >= 0 && options->seconds <= kMaxSeconds))
                    return false;
            } else {
                long threads = std::wcstol(value, &end, 10);
                if (end == value || *end != L'\0' || threads < 0 || threads > 64) return false;
                options->threads = static_cast<int>(threads);
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

// Opens the best stream of `type` with its decoder; returns false with the reason printed when a stream is
// there but cannot be decoded. A file without such a stream leaves `pass->index` at -1 and returns true.
bool OpenStream(AVFormatContext* format, AVMediaType type, int related, const Options& options,
                StreamPass* pass) {
    const AVCodec* decoder = nullptr;
    int index = av_find_best_stream(format, type, -1, related, &decoder, 0);
    if (index == AVERROR_STREAM_NOT_FOUND) return true;
    if (index < 0 || decoder == nullptr) {
        std::fprintf(stderr, "decode_pass: no decoder for the %s stream: %s\n",
                     av_get_media_type_string(type), ErrorText(index).c_str());
        return false;
    }
    AVStream* stream = format->streams[index];
    CodecPtr codec(avcodec_alloc_context3(decoder));
    if (!codec) {
        std::fprintf(stderr, "decode_pass: out of memory\n");
        return false;
    }
    int error = avcodec_parameters_to_context(codec.get(), stream->codecpar);
    if (error >= 0) {
        codec->thread_count = options.threads;
        codec->pkt_timebase = stream->time_base;
        error = avcodec_open2(codec.get(), decoder, nullptr);
    }
    if (error < 0) {
        std::fprintf(stderr, "decode_pass: cannot open the %s decoder: %s\n", decoder->name,
                     ErrorText(error).c_str());
        return false;
    }
    if (options.seconds >= 0) {
        int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
        int64_t span = av_rescale_q(static_cast<int64_t>(options.seconds * AV_TIME_BASE), AV_TIME_BASE_Q,
                                    stream->time_base);
        pass->limit = start + span;
    }
    pass->index = index;
    pass->codec = std::move(codec);
    return true;
}

// Takes every frame the decoder has ready. Frames at or past the limit are not counted and end the stream's
// pass. Returns false on a failure of the decoder itself.
bool Drain(StreamPass* pass, AVFrame* frame) {
    for (;;) {
        int error = avcodec_receive_frame(pass->codec.get(), frame);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF) return true;
        if (error < 0) {
            std::fprintf(stderr, "decode_pass: %s decoder failed: %s\n", pass->codec->codec->name,
                         ErrorText(error).c_str());
            return false;
        }
        int64_t when = frame->best_effort_timestamp;
        if (when != AV_NOPTS_VALUE && when >= pass->limit) pass->reached_limit = true;
        if (!pass->reached_limit) {
            ++pass->frames;
            pass->samples += frame->nb_samples;
        }
        av_frame_unref(frame);
    }
}

// Sends one packet (or, with null, the end of the stream). A packet the decoder refuses as damaged is counted
// and skipped; any other refusal is a failure.
bool Feed(StreamPass* pass, const AVPacket* packet, AVFrame* frame, long long* damaged) {
    int error = avcodec_send_packet(pass->codec.get(), packet);
    if (error == AVERROR_INVALIDDATA) {
        ++*damaged;
        error = 0;
    }
    if (error < 0 && error != AVERROR_EOF) {
        std::fprintf(stderr, "decode_pass: %s decoder refused a packet: %s\n", pass->codec->codec->name,
                     ErrorText(error).c_str());
        return false;
    }
    return Drain(pass, frame);
}

int PrintVersion() {
    std::printf("version %s\nlicense %s\nconfiguration %s\n", av_version_info(), avformat_license(),
                avformat_configuration());
    return 0;
}

int Run(const Options& options) {
    std::string path = Utf8(options.path);
    AVFormatContext* raw = nullptr;
    int error = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (error < 0) {
        std::fprintf(stderr, "decode_pass: cannot open %s: %s\n", path.c_str(), ErrorText(error).c_str());
        return 1;
    }
    FormatPtr format(raw);
    error = avformat_find_stream_info(format.get(), nullptr);
    if (error < 0) {
        std::fprintf(stderr, "decode_pass: cannot read the streams of %s: %s\n", path.c_str(),
                     ErrorText(error).c_str());
        return 1;
    }

    StreamPass video, audio;
    if (!OpenStream(format.get(), AVMEDIA_TYPE_VIDEO, -1, options, &video)) return 1;
    if (options.audio && !OpenStream(format.get(), AVMEDIA_TYPE_AUDIO, video.index, options, &audio))
        return 1;
    if (video.index < 0 && audio.index < 0) {
        std::fprintf(stderr, "decode_pass: %s has nothing to decode\n", path.c_str());
        return 1;
    }

    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    if (!packet || !frame) {
        std::fprintf(stderr, "decode_pass: out of memory\n");
        return 1;
    }
    StreamPass* passes[] = {&video, &audio};
    auto finished = [&] {
        for (StreamPass* pass : passes)
            if (pass->index >= 0 && !pass->reached_limit) return false;
        return true;
    };
    long long damaged = 0;
    bool ok = true;
    while (ok && !finished() && av_read_frame(format.get(), packet.get()) >= 0) {
        for (StreamPass* pass : passes)
            if (pass->index == packet->stream_index && !pass->reached_limit)
                ok = Feed(pass, packet.get(), frame.get(), &damaged);
        av_packet_unref(packet.get());
    }
    // At the end of the file (or a read error: what was read still counts) the decoders give up what they
    // hold.
    for (StreamPass* pass : passes)
        if (ok && pass->index >= 0 && !pass->reached_limit) ok = Feed(pass, nullptr, frame.get(), &damaged);
    if (!ok) return 1;

    auto codec_name = [](const StreamPass& pass) {
        return pass.index >= 0 ? pass.codec->codec->name : "none";
    };
    std::printf("video_codec %s\n", codec_name(video));
    if (options.audio) std::printf("audio_codec %s\n", codec_name(audio));
    std::printf("video_frames %lld\naudio_frames %lld\naudio_samples %lld\ndecode_errors %lld\n",
                video.frames, audio.frames, audio.samples, damaged);
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
