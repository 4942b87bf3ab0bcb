#include "media/video_decoder.h"

#include "media/open_decoder.h"

namespace media {

namespace {
constexpr int kMaxSide = 8192;
}

bool CVideoDecoder::Open(const AVStream* stream) {
    m_frame = NewFrame();
    m_codec = OpenDecoder(stream, [](AVCodecContext* c) {
        // A picture size that changes in mid-stream is held to the same bound as the declared one.
        c->max_pixels = static_cast<int64_t>(kMaxSide) * kMaxSide;
        c->thread_count = 0; // as many as the machine has cores
        c->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    });
    return m_codec && m_frame;
}

void CVideoDecoder::Decode(const AVPacket* packet, const std::function<void(AVFrame*)>& take) {
    if (!m_codec) return;
    if (avcodec_send_packet(m_codec.get(), packet) < 0 && packet) return;
    while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
        if (m_frame->width > 0 && m_frame->height > 0 && m_frame->width <= kMaxSide &&
            m_frame->height <= kMaxSide)
            take(m_frame.get());
        av_frame_unref(m_frame.get());
    }
}

void CVideoDecoder::Flush() {
    if (m_codec) avcodec_flush_buffers(m_codec.get());
}

} // namespace media
