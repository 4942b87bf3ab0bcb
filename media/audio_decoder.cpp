#include "media/audio_decoder.h"

#include "media/open_decoder.h"

namespace media {

namespace {
// Rates outside this range go to 48 kHz: sound cards take what lies between.
constexpr int kMinRate = 8000, kMaxRate = 192000;
} // namespace

bool CAudioDecoder::Open(const AVStream* stream) {
    m_frame = NewFrame();
    m_codec = OpenDecoder(stream);
    if (!m_codec || !m_frame) return false;
    const int rate = m_codec->sample_rate;
    m_rate = rate >= kMinRate && rate <= kMaxRate ? rate : 48000;
    m_channels = m_codec->ch_layout.nb_channels == 1 ? 1 : 2;
    return true;
}

bool CAudioDecoder::Convert(const AVFrame* frame, const Take& take) {
    // The resampler follows the decoded format, which a stream may change in mid-stream.
    if (!m_resampler || frame->format != m_inFormat || frame->sample_rate != m_inRate ||
        av_channel_layout_compare(&frame->ch_layout, &m_inLayout) != 0) {
        AVChannelLayout outLayout;
        av_channel_layout_default(&outLayout, m_channels);
        SwrContext* s = nullptr;
        const int made = swr_alloc_set_opts2(
            &s, &outLayout, AV_SAMPLE_FMT_S16, m_rate, const_cast<AVChannelLayout*>(&frame->ch_layout),
            static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&outLayout);
        m_resampler.reset(s);
        if (made < 0 || !s || swr_init(s) < 0) {
            m_resampler.reset();
            return false;
        }
        m_inFormat = frame->format;
        m_inRate = frame->sample_rate;
        av_channel_layout_uninit(&m_inLayout);
        if (av_channel_layout_copy(&m_inLayout, &frame->ch_layout) < 0) return false;
    }
    const int room = swr_get_out_samples(m_resampler.get(), frame->nb_samples);
    if (room <= 0) return true;
    m_out.resize(static_cast<size_t>(room) * static_cast<size_t>(m_channels));
    uint8_t* out = reinterpret_cast<uint8_t*>(m_out.data());
    const int got = swr_convert(m_resampler.get(), &out, room,
                                const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    if (got > 0) take(m_out.data(), got, frame->best_effort_timestamp);
    return true;
}

void CAudioDecoder::Decode(const AVPacket* packet, const Take& take) {
    if (!m_codec) return;
    if (avcodec_send_packet(m_codec.get(), packet) < 0 && packet) return;
    while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
        if (m_frame->nb_samples > 0 && m_frame->sample_rate > 0) Convert(m_frame.get(), take);
        av_frame_unref(m_frame.get());
    }
}

void CAudioDecoder::Flush() {
    if (m_codec) avcodec_flush_buffers(m_codec.get());
    // What the resampler still holds belongs to the time before the seek.
    m_resampler.reset();
}

} // namespace media
