#include "media/video_decoder.h"

namespace media {

namespace {
constexpr int kMaxSide = 8192;
}

bool CVideoDecoder::Open(const AVStream* stream) {
    // A decoder that failed to open is none at all: flushing a half-made one would crash.
    if (!OpenContext(stream)) {
        m_codec.reset();
        return false;
    }
    return true;
}

bool CVideoDecoder::OpenContext(const AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return false;
    m_codec.reset(avcodec_alloc_context3(codec));
    m_frame = NewFrame();
    if (!m_codec || !m_frame || avcodec_parameters_to_context(m_codec.get(), stream->codecpar) < 0)
        return false;
    m_codec->pkt_timebase = stream->time_base;
    // A picture size that changes in mid-stream is held to the same bound as the declared one.
    m_codec->max_pixels = static_cast<int64_t>(kMaxSide) * kMaxSide;
    m_codec->thread_count = 0; // as many as the machine has cores
    m_codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    return avcodec_open2(m_codec.get(), codec, nullptr) >= 0;
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
