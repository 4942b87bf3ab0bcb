// FFmpeg's headers for the movie device, and one owner type per FFmpeg object, so that every context, frame
// and packet is freed on every path.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace media {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
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
struct ScalerFreer {
    void operator()(SwsContext* c) const { sws_freeContext(c); }
};
struct ResamplerFreer {
    void operator()(SwrContext* c) const { swr_free(&c); }
};
// A custom I/O context: its buffer belongs to FFmpeg once handed over (it may have been replaced), so it is
// freed through the context.
struct IoFreer {
    void operator()(AVIOContext* c) const {
        if (c) av_freep(&c->buffer);
        avio_context_free(&c);
    }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFreer>;
using IoPtr = std::unique_ptr<AVIOContext, IoFreer>;

inline FramePtr NewFrame() {
    return FramePtr(av_frame_alloc());
}
inline PacketPtr NewPacket() {
    return PacketPtr(av_packet_alloc());
}
// A new reference to the same picture (null when out of memory).
inline FramePtr RefFrame(const AVFrame* f) {
    return FramePtr(f ? av_frame_clone(f) : nullptr);
}

} // namespace media
