#include "media/movie_source.h"

#include "framework/threads.h"

#include <cstring>

namespace media {

namespace {

// Probing reads at most this much of a file and this much of its time before the streams must be known.
constexpr int64_t kProbeBytes = 5 * 1024 * 1024;
constexpr int64_t kAnalyzeUs = 5 * 1000000;
// Pictures beyond this are refused: nothing a user has is bigger, and the memory of one would be enormous.
constexpr int kMaxSide = 8192;

bool VideoWorthDecoding(const AVStream* s) {
    const AVCodecParameters* p = s->codecpar;
    return !(s->disposition & AV_DISPOSITION_ATTACHED_PIC) && p->width > 0 && p->height > 0 &&
           p->width <= kMaxSide && p->height <= kMaxSide && avcodec_find_decoder(p->codec_id);
}

bool AudioWorthDecoding(const AVStream* s) {
    const AVCodecParameters* p = s->codecpar;
    return p->sample_rate > 0 && p->ch_layout.nb_channels > 0 && avcodec_find_decoder(p->codec_id);
}

AVStream* Best(AVFormatContext* f, AVMediaType type, bool (*worth)(const AVStream*)) {
    const int best = av_find_best_stream(f, type, -1, -1, nullptr, 0);
    if (best >= 0 && worth(f->streams[best])) return f->streams[best];
    for (unsigned i = 0; i < f->nb_streams; ++i)
        if (f->streams[i]->codecpar->codec_type == type && worth(f->streams[i])) return f->streams[i];
    return nullptr;
}

int64_t StartUs(const AVStream* s) {
    return s && s->start_time != AV_NOPTS_VALUE ? av_rescale_q(s->start_time, s->time_base, AV_TIME_BASE_Q)
                                                : AV_NOPTS_VALUE;
}

} // namespace

bool IsPlayedContainer(const char* name) {
    // The probe names a demuxer by a comma-separated list of the formats it reads.
    static const char* const kPlayed[] = {"mov",       "matroska", "webm", "avi", "asf", "mpeg", "mpegts",
                                          "mpegvideo", "flv",      "ogg",  "rm",  "dv",  "mp3",  "aac",
                                          "ac3",       "eac3",     "flac", "wav", "amr", "aiff"};
    if (!name) return false;
    const char* at = name;
    while (*at) {
        const char* end = std::strchr(at, ',');
        const size_t n = end ? static_cast<size_t>(end - at) : std::strlen(at);
        for (const char* p : kPlayed)
            if (std::strlen(p) == n && std::strncmp(p, at, n) == 0) return true;
        if (!end) break;
        at = end + 1;
    }
    return false;
}

int CMovieSource::Interrupted(void* self) {
    const CMovieSource* s = static_cast<const CMovieSource*>(self);
    if (s->m_stop && s->m_stop->load()) return 1;
    return s->m_openDeadline != 0 && fw::MediaClockUs() > s->m_openDeadline;
}

bool CMovieSource::Open(AVIOContext* io, const std::atomic<bool>* stop) {
    m_stop = stop;
    AVFormatContext* f = avformat_alloc_context();
    if (!f) return false;
    f->pb = io;
    f->flags |= AVFMT_FLAG_CUSTOM_IO;
    f->probesize = kProbeBytes;
    f->max_analyze_duration = kAnalyzeUs;
    f->interrupt_callback.callback = &CMovieSource::Interrupted;
    f->interrupt_callback.opaque = this;
    m_openDeadline = fw::MediaClockUs() + kOpenTimeoutUs;
    // No file name: the probe judges the content alone. On failure FFmpeg frees the context itself.
    if (avformat_open_input(&f, "", nullptr, nullptr) < 0) return false;
    m_format.reset(f);
    if (!IsPlayedContainer(f->iformat->name) || avformat_find_stream_info(f, nullptr) < 0) return false;
    m_openDeadline = 0;
    m_video = Best(f, AVMEDIA_TYPE_VIDEO, &VideoWorthDecoding);
    m_audio = Best(f, AVMEDIA_TYPE_AUDIO, &AudioWorthDecoding);
    for (unsigned i = 0; i < f->nb_streams; ++i)
        if (f->streams[i] != m_video && f->streams[i] != m_audio) f->streams[i]->discard = AVDISCARD_ALL;
    return m_video || m_audio;
}

void CMovieSource::MakeTimeline() {
    AVFormatContext* f = m_format.get();
    const AVStream* lead = m_video ? m_video : m_audio;
    m_originUs = StartUs(lead);
    if (m_originUs == AV_NOPTS_VALUE) m_originUs = f->start_time != AV_NOPTS_VALUE ? f->start_time : 0;
    FrameRate rate{25, 1};
    if (m_video)
        rate = ChooseFrameRate(m_video->avg_frame_rate.num, m_video->avg_frame_rate.den,
                               m_video->r_frame_rate.num, m_video->r_frame_rate.den);
    // The lead stream's own duration where it has one; else the container's, from the origin on.
    int64_t durationUs = -1;
    int64_t containerUs = -1;
    if (f->duration > 0 && f->duration != AV_NOPTS_VALUE)
        containerUs =
            f->duration - (m_originUs - (f->start_time != AV_NOPTS_VALUE ? f->start_time : m_originUs));
    if (lead && lead->duration > 0 && lead->duration != AV_NOPTS_VALUE)
        durationUs = av_rescale_q(lead->duration, lead->time_base, AV_TIME_BASE_Q);
    // Program and transport streams store no durations: FFmpeg guesses each stream's from the time stamps
    // near the file's end, and where the last pictures' packets carry none the guess falls short (frames
    // that play but no seek reaches). The container's span, which the other streams' ends widen, is the
    // better measure there when it is longer.
    if (durationUs <= 0 ||
        (f->duration_estimation_method == AVFMT_DURATION_FROM_PTS && containerUs > durationUs))
        durationUs = containerUs;
    m_timeline = CTimeline(rate, durationUs > 0 ? durationUs : -1);
}

int64_t CMovieSource::ToUs(const AVStream* stream, int64_t ts) const {
    if (ts == AV_NOPTS_VALUE) return AV_NOPTS_VALUE;
    return av_rescale_q(ts, stream->time_base, AV_TIME_BASE_Q) - m_originUs;
}

int64_t CMovieSource::FromUs(const AVStream* stream, int64_t us) const {
    return av_rescale_q(us + m_originUs, AV_TIME_BASE_Q, stream->time_base);
}

int CMovieSource::Read(AVPacket* packet) {
    return av_read_frame(m_format.get(), packet);
}

bool CMovieSource::SeekBefore(int64_t us) {
    const AVStream* s = m_video ? m_video : m_audio;
    if (!s) return false;
    const int64_t ts = FromUs(s, us < 0 ? 0 : us);
    AVFormatContext* f = m_format.get();
    if (avformat_seek_file(f, s->index, INT64_MIN, ts, ts, 0) >= 0) return true;
    if (av_seek_frame(f, s->index, ts, AVSEEK_FLAG_BACKWARD) >= 0) return true;
    // Containers without timestamps to seek by still go back to their start.
    return us <= 0 && avformat_seek_file(f, -1, INT64_MIN, 0, 0, AVSEEK_FLAG_BYTE) >= 0;
}

int64_t CMovieSource::IndexedKeyframeBefore(int64_t us) const {
    AVStream* s = m_video ? m_video : m_audio;
    if (!s || avformat_index_get_entries_count(s) <= 0) return -1;
    const AVIndexEntry* e = avformat_index_get_entry_from_timestamp(s, FromUs(s, us), AVSEEK_FLAG_BACKWARD);
    if (!e || !(e->flags & AVINDEX_KEYFRAME)) return -1;
    return ToUs(s, e->timestamp);
}

} // namespace media
