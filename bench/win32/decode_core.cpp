#include "bench/win32/decode_core.h"

#include "media/ffmpeg.h"

#include <cstdint>

namespace bench {

namespace {

using media::CodecPtr;
using media::FormatPtr;
using media::FramePtr;
using media::PacketPtr;

// One decoded stream: its decoder, where its time limit lies, and what came out.
struct StreamPass {
    int index = -1;
    CodecPtr codec;
    int64_t limit = INT64_MAX; // in the stream's time base, absolute
    bool reachedLimit = false;
    long long frames = 0;
    long long samples = 0;
};

std::string ErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// Opens the best stream of `type` with its decoder; false with the reason when a stream is there but cannot
// be decoded. A file without such a stream leaves `pass->index` at -1 and returns true.
bool OpenStream(AVFormatContext* format, AVMediaType type, int related, const DecodeOptions& options,
                StreamPass* pass, std::string* error) {
    const AVCodec* decoder = nullptr;
    const int index = av_find_best_stream(format, type, -1, related, &decoder, 0);
    if (index == AVERROR_STREAM_NOT_FOUND) return true;
    if (index < 0 || decoder == nullptr) {
        *error = std::string("no decoder for the ") + av_get_media_type_string(type) +
                 " stream: " + ErrorText(index);
        return false;
    }
    AVStream* stream = format->streams[index];
    CodecPtr codec(avcodec_alloc_context3(decoder));
    if (!codec) {
        *error = "out of memory";
        return false;
    }
    int result = avcodec_parameters_to_context(codec.get(), stream->codecpar);
    if (result >= 0) {
        // FFmpeg's default thread type, frame and slice threads, is also the movie device's.
        codec->thread_count = options.threads;
        codec->pkt_timebase = stream->time_base;
        result = avcodec_open2(codec.get(), decoder, nullptr);
    }
    if (result < 0) {
        *error = std::string("cannot open the ") + decoder->name + " decoder: " + ErrorText(result);
        return false;
    }
    if (options.seconds >= 0) {
        const int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
        const int64_t span = av_rescale_q(static_cast<int64_t>(options.seconds * AV_TIME_BASE),
                                          AV_TIME_BASE_Q, stream->time_base);
        pass->limit = start + span;
    }
    pass->index = index;
    pass->codec = std::move(codec);
    return true;
}

// Takes every frame the decoder has ready. Frames at or past the limit are not counted and end the stream's
// pass. False on a failure of the decoder itself.
bool Drain(StreamPass* pass, AVFrame* frame, std::string* error) {
    for (;;) {
        const int result = avcodec_receive_frame(pass->codec.get(), frame);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) {
            *error = std::string(pass->codec->codec->name) + " decoder failed: " + ErrorText(result);
            return false;
        }
        const int64_t when = frame->best_effort_timestamp;
        if (when != AV_NOPTS_VALUE && when >= pass->limit) pass->reachedLimit = true;
        if (!pass->reachedLimit) {
            ++pass->frames;
            pass->samples += frame->nb_samples;
        }
        av_frame_unref(frame);
    }
}

// Sends one packet (or, with null, the end of the stream). A packet the decoder refuses as damaged is counted
// and skipped; any other refusal is a failure.
bool Feed(StreamPass* pass, const AVPacket* packet, AVFrame* frame, long long* damaged, std::string* error) {
    int result = avcodec_send_packet(pass->codec.get(), packet);
    if (result == AVERROR_INVALIDDATA) {
        ++*damaged;
        result = 0;
    }
    if (result < 0 && result != AVERROR_EOF) {
        *error = std::string(pass->codec->codec->name) + " decoder refused a packet: " + ErrorText(result);
        return false;
    }
    return Drain(pass, frame, error);
}

} // namespace

bool DecodeFile(const std::string& utf8Path, const DecodeOptions& options, DecodeCounts* counts,
                std::string* error) {
    AVFormatContext* raw = nullptr;
    int result = avformat_open_input(&raw, utf8Path.c_str(), nullptr, nullptr);
    if (result < 0) {
        *error = "cannot open " + utf8Path + ": " + ErrorText(result);
        return false;
    }
    FormatPtr format(raw);
    result = avformat_find_stream_info(format.get(), nullptr);
    if (result < 0) {
        *error = "cannot read the streams of " + utf8Path + ": " + ErrorText(result);
        return false;
    }

    StreamPass video, audio;
    if (!OpenStream(format.get(), AVMEDIA_TYPE_VIDEO, -1, options, &video, error)) return false;
    if (options.audio && !OpenStream(format.get(), AVMEDIA_TYPE_AUDIO, video.index, options, &audio, error))
        return false;
    if (video.index < 0 && audio.index < 0) {
        *error = utf8Path + " has nothing to decode";
        return false;
    }

    PacketPtr packet(media::NewPacket());
    FramePtr frame(media::NewFrame());
    if (!packet || !frame) {
        *error = "out of memory";
        return false;
    }
    StreamPass* passes[] = {&video, &audio};
    auto finished = [&] {
        for (StreamPass* pass : passes)
            if (pass->index >= 0 && !pass->reachedLimit) return false;
        return true;
    };
    long long damaged = 0;
    bool ok = true;
    while (ok && !finished() && av_read_frame(format.get(), packet.get()) >= 0) {
        for (StreamPass* pass : passes)
            if (pass->index == packet->stream_index && !pass->reachedLimit)
                ok = Feed(pass, packet.get(), frame.get(), &damaged, error);
        av_packet_unref(packet.get());
    }
    // At the end of the file (or a read error: what was read still counts) the decoders give up what they
    // hold.
    for (StreamPass* pass : passes)
        if (ok && pass->index >= 0 && !pass->reachedLimit)
            ok = Feed(pass, nullptr, frame.get(), &damaged, error);
    if (!ok) return false;

    if (video.index >= 0) counts->videoCodec = video.codec->codec->name;
    if (audio.index >= 0) counts->audioCodec = audio.codec->codec->name;
    counts->videoFrames = video.frames;
    counts->audioFrames = audio.frames;
    counts->audioSamples = audio.samples;
    counts->damaged = damaged;
    return true;
}

} // namespace bench
