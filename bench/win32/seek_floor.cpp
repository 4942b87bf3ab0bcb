#include "bench/win32/seek_floor.h"

namespace bench {

bool CSeekFloor::Open(const std::string& utf8Path, std::string* error) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, utf8Path.c_str(), nullptr, nullptr) < 0) {
        *error = "cannot open " + utf8Path;
        return false;
    }
    m_format.reset(raw);
    const AVCodec* decoder = nullptr;
    const int index = avformat_find_stream_info(raw, nullptr) < 0
                          ? -1
                          : av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (index < 0 || !decoder) {
        *error = utf8Path + " has no video stream to decode";
        return false;
    }
    m_stream = raw->streams[index];
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        if (raw->streams[i] != m_stream) raw->streams[i]->discard = AVDISCARD_ALL;
    m_codec.reset(avcodec_alloc_context3(decoder));
    m_packet = media::NewPacket();
    m_frame = media::NewFrame();
    if (!m_codec || !m_packet || !m_frame ||
        avcodec_parameters_to_context(m_codec.get(), m_stream->codecpar) < 0) {
        *error = "out of memory";
        return false;
    }
    // The settings of the device's video decoder: as many threads as cores, frame and slice threads.
    m_codec->pkt_timebase = m_stream->time_base;
    m_codec->thread_count = 0;
    m_codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(m_codec.get(), decoder, nullptr) < 0) {
        *error = std::string("cannot open the ") + decoder->name + " decoder";
        return false;
    }
    m_originUs = m_stream->start_time == AV_NOPTS_VALUE
                     ? 0
                     : av_rescale_q(m_stream->start_time, m_stream->time_base, AV_TIME_BASE_Q);
    const int64_t durationUs =
        m_stream->duration > 0 ? av_rescale_q(m_stream->duration, m_stream->time_base, AV_TIME_BASE_Q) : -1;
    m_timeline =
        media::CTimeline(media::ChooseFrameRate(m_stream->avg_frame_rate.num, m_stream->avg_frame_rate.den,
                                                m_stream->r_frame_rate.num, m_stream->r_frame_rate.den),
                         durationUs);
    return true;
}

int64_t CSeekFloor::ToStream(int64_t us) const {
    return av_rescale_q(us + m_originUs, AV_TIME_BASE_Q, m_stream->time_base);
}

bool CSeekFloor::DecodeTo(int64_t frame, int* decoded) {
    *decoded = 0;
    AVFormatContext* f = m_format.get();
    const int64_t target = ToStream(m_timeline.FrameToUs(frame));
    if (avformat_seek_file(f, m_stream->index, INT64_MIN, target, target, 0) < 0) return false;
    avcodec_flush_buffers(m_codec.get());
    bool draining = false;
    for (;;) {
        while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
            ++*decoded;
            const int64_t ts = m_frame->best_effort_timestamp;
            av_frame_unref(m_frame.get());
            if (ts == AV_NOPTS_VALUE) continue;
            const int64_t us = av_rescale_q(ts, m_stream->time_base, AV_TIME_BASE_Q) - m_originUs;
            if (m_timeline.NearestFrame(us) >= frame) return true;
        }
        if (draining) return false;
        const int read = av_read_frame(f, m_packet.get());
        if (read < 0) {
            avcodec_send_packet(m_codec.get(), nullptr);
            draining = true;
            continue;
        }
        if (m_packet->stream_index == m_stream->index) avcodec_send_packet(m_codec.get(), m_packet.get());
        av_packet_unref(m_packet.get());
    }
}

} // namespace bench
