#include "media/decode_worker.h"

#include <algorithm>

namespace media {

namespace {

// Queued ahead of the output: a few pictures and a second of sound normally; more of one while the other
// runs short, up to the hard bounds that keep memory in check whatever the interleaving.
constexpr size_t kSoftVideoFrames = 4;
constexpr int64_t kSoftSoundUs = 1000000;
constexpr int64_t kHardSoundUs = 10 * 1000000;
// Queued sound comes in blocks of at least this much where the stream allows (see QueueSound): the wave-out
// stream holds eight writes of up to 100 ms. Blocks that meet within the slack are one.
constexpr int64_t kSoundBlockUs = 40000;
constexpr int64_t kJoinSlackUs = 1000;
constexpr int64_t kVideoMemory = 160 * 1024 * 1024;
// Consecutive read errors after which the rest of a damaged file counts as missing.
constexpr int kMaxReadErrors = 64;
// Packets read while priming before the movie is given up as undecodable.
constexpr int kPrimePackets = 2000;
// A seek that lands past its target goes back this much further, doubling, this many times.
constexpr int64_t kBackOffUs = 1000000;
constexpr int kMaxBackOffs = 4;

} // namespace

CDecodeWorker::CDecodeWorker(CMovieShared& shared, CMovieSource& source)
    : m(shared), m_source(source), m_packet(NewPacket()) {}

bool CDecodeWorker::OpenDecoders() {
    if (m_source.VideoStream() && !m_video.Open(m_source.VideoStream())) m_source.DropVideo();
    if (m_source.AudioStream() && !m_audio.Open(m_source.AudioStream())) m_source.DropAudio();
    if (!m_packet || (!m_source.VideoStream() && !m_source.AudioStream())) return false;
    m_source.MakeTimeline();
    m.timeline = m_source.Timeline();
    m.hasVideo = m_source.VideoStream() != nullptr;
    m.hasAudio = m_source.AudioStream() != nullptr;
    m.audioRate = m.hasAudio ? m_audio.Rate() : 0;
    m.audioChannels = m.hasAudio ? m_audio.Channels() : 0;
    if (m.hasVideo) {
        const AVCodecParameters* p = m_source.VideoStream()->codecpar;
        const int64_t frameBytes = std::max<int64_t>(1, static_cast<int64_t>(p->width) * p->height * 3 / 2);
        m_hardVideoFrames = static_cast<size_t>(std::clamp<int64_t>(kVideoMemory / frameBytes, 3, 24));
    }
    // The first picture is the answer to a seek to the start, from where the container stands now.
    m_seeking = m.hasVideo;
    m_acceptFirst = true;
    m_targetUs = m_targetFrame = 0;
    m_soundTrimUs = 0;
    return true;
}

bool CDecodeWorker::Prime() {
    for (int packets = 0; packets < kPrimePackets && !m_ended; ++packets) {
        {
            fw::CMutexLock lock(m.mutex);
            if (m.hasVideo ? !m.video.empty() : !m.audio.empty()) return true;
        }
        Step();
    }
    fw::CMutexLock lock(m.mutex);
    if (m.hasVideo && m.video.empty()) {
        // Pictures that never decode: the sound plays alone, on a black screen.
        if (m.audio.empty()) return false;
        m.hasVideo = false;
        m_source.DropVideo();
        m_seeking = false;
    }
    return m.hasVideo || !m.audio.empty();
}

bool CDecodeWorker::WantMore() const {
    const bool videoLow = m.hasVideo && m.video.size() < kSoftVideoFrames;
    const bool soundLow = m.hasAudio && m.AudioQueuedUs() < kSoftSoundUs;
    const bool videoFull = m.hasVideo && m.video.size() >= m_hardVideoFrames;
    const bool soundFull = m.hasAudio && m.AudioQueuedUs() >= kHardSoundUs;
    return (videoLow || soundLow) && !videoFull && !soundFull;
}

void CDecodeWorker::Run() {
    bool worked = true;
    for (;;) {
        bool seek = false;
        int64_t seekUs = 0;
        std::deque<VideoItem> replayVideo;
        std::deque<AudioItem> replayAudio;
        {
            fw::CMutexLock lock(m.mutex);
            for (;;) {
                const bool asked = m.decoderDirty;
                m.decoderDirty = false;
                if (m.abort) return;
                if (m.seekPending || (!m_ended && WantMore())) break;
                m.decoderIdle = true;
                // The output may wait for the decoder to have done all it can (to start with little
                // sound); it looks again once after each stretch of work. Settle waits for the decoder to
                // rest after it was asked to look. Nobody else needs waking: a wake for nothing would wake
                // the output into waking this thread back, a loop that never sleeps.
                if (worked) m.outputDirty = true;
                if (worked || asked) m.changed.WakeAll();
                worked = false;
                m.changed.Wait(lock, 250);
                m.decoderIdle = false;
            }
            if (m.seekPending) {
                seek = true;
                seekUs = m.seekUs;
                m.seekPending = false;
                m_serial = m.serial;
                replayVideo.swap(m.video);
                replayAudio.swap(m.audio);
                m.audioQueuedFrames = 0;
                m.outputDirty = true;
                m.changed.WakeAll();
            }
        }
        worked = true;
        if (seek)
            BeginSeek(seekUs, replayVideo, replayAudio);
        else
            Step();
    }
}

bool CDecodeWorker::CanGoForward(const std::deque<VideoItem>& replay) const {
    if (!m.hasVideo || m_ended || m_lastIndex < 0) return false;
    const int64_t first = replay.empty() ? m_lastIndex + 1 : replay.front().index;
    if (m_targetFrame < first) return false;
    if (m_targetFrame <= m_lastIndex) return true;
    // Ahead of the decoder: going on beats a seek unless a keyframe lies between.
    const int64_t key = m_source.IndexedKeyframeBefore(m_targetUs);
    if (key >= 0) return key <= m_lastUs;
    const FrameRate rate = m.timeline.Rate();
    return m_targetFrame - m_lastIndex <= rate.num / rate.den;
}

void CDecodeWorker::BeginSeek(int64_t us, std::deque<VideoItem>& replayVideo,
                              std::deque<AudioItem>& replayAudio) {
    m_targetUs = us;
    m_targetFrame = m.timeline.UsToFrame(us);
    m_seeking = m.hasVideo;
    m_acceptFirst = false;
    m_needBackOff = false;
    m_backOffs = 0;
    m_candidate.reset();
    m_soundTrimUs = us;
    if (CanGoForward(replayVideo)) {
        // What is queued already is the next stretch of the movie: filter it as if just decoded.
        for (VideoItem& item : replayVideo) {
            item.serial = m_serial;
            item.seekResult = false;
            Filter(std::move(item));
        }
        for (const AudioItem& item : replayAudio)
            PlaceSound(
                item.samples.data(),
                static_cast<int>(item.samples.size() / static_cast<size_t>(std::max(1, m.audioChannels))),
                item.startUs);
        return;
    }
    SeekSource(us);
}

void CDecodeWorker::SeekSource(int64_t us) {
    m_seekPointUs = us;
    const bool moved = m_source.SeekBefore(us);
    m_video.Flush();
    m_audio.Flush();
    m_ended = false;
    m_lastIndex = -1;
    m_readErrors = 0;
    // A container that cannot seek goes on from where it is: the first picture is the best there is.
    if (!moved) m_acceptFirst = true;
}

void CDecodeWorker::BackOff() {
    m_needBackOff = false;
    ++m_backOffs;
    // The sound queued since the seek is decoded again from further back.
    {
        fw::CMutexLock lock(m.mutex);
        if (m.serial == m_serial) {
            m.audio.clear();
            m.audioQueuedFrames = 0;
        }
    }
    m_soundTrimUs = m_targetUs;
    const int64_t point = m_targetUs - (kBackOffUs << (m_backOffs - 1));
    SeekSource(point > 0 ? point : 0);
    if (point <= 0) m_acceptFirst = true;
}

void CDecodeWorker::Step() {
    const int r = m_source.Read(m_packet.get());
    if (r == AVERROR(EAGAIN)) {
        fw::CMutexLock lock(m.mutex);
        m.changed.Wait(lock, 5);
        return;
    }
    if (r < 0) {
        if (r == AVERROR_EOF || ++m_readErrors >= kMaxReadErrors) Finish();
        return;
    }
    m_readErrors = 0;
    const int index = m_packet->stream_index;
    if (m.hasVideo && m_source.VideoStream() && index == m_source.VideoStream()->index) {
        m_video.Decode(m_packet.get(), [this](AVFrame* f) { OnPicture(f); });
        if (m_needBackOff) BackOff();
    } else if (m.hasAudio && m_source.AudioStream() && index == m_source.AudioStream()->index) {
        m_audio.Decode(m_packet.get(),
                       [this](const int16_t* s, int frames, int64_t ts) { OnSound(s, frames, ts); });
    }
    av_packet_unref(m_packet.get());
}

void CDecodeWorker::Finish() {
    if (m.hasVideo) m_video.Decode(nullptr, [this](AVFrame* f) { OnPicture(f); });
    if (m.hasAudio)
        m_audio.Decode(nullptr, [this](const int16_t* s, int frames, int64_t ts) { OnSound(s, frames, ts); });
    m_ended = true;
    // A seek that found no picture at or before its target (the container landed between keyframes and
    // the decoder had nothing to start from) tries again from further back.
    if (m_seeking && !m_candidate && !m_acceptFirst && m_backOffs < kMaxBackOffs) m_needBackOff = true;
    if (m_needBackOff) {
        BackOff();
        return;
    }
    if (m_seeking) {
        // The target lies past the last picture there is: that picture stands for it.
        m_seeking = false;
        if (m_candidate) {
            m_candidate->seekResult = true;
            Emit(std::move(*m_candidate));
            m_candidate.reset();
        }
    }
    fw::CMutexLock lock(m.mutex);
    if (m.serial == m_serial) {
        m.videoEndSerial = m.audioEndSerial = m_serial;
        m.outputDirty = true;
        m.changed.WakeAll();
    }
}

void CDecodeWorker::OnPicture(AVFrame* frame) {
    if (m_needBackOff) return; // this run of pictures is decoded again from further back
    int64_t us = m_source.ToUs(m_source.VideoStream(), frame->best_effort_timestamp);
    if (us == AV_NOPTS_VALUE) us = m_lastIndex < 0 ? 0 : m_lastUs + m.timeline.FrameDurationUs();
    VideoItem item{RefFrame(frame), m.timeline.NearestFrame(us), us, m_serial, false};
    m_lastIndex = item.index;
    m_lastUs = us;
    if (item.frame) Filter(std::move(item));
}

void CDecodeWorker::Filter(VideoItem item) {
    if (!m_seeking) {
        Emit(std::move(item));
        return;
    }
    if (item.index < m_targetFrame) {
        m_candidate.reset(new VideoItem(std::move(item)));
        return;
    }
    if (item.index > m_targetFrame && !m_candidate && !m_acceptFirst && m_backOffs < kMaxBackOffs) {
        m_needBackOff = true; // landed past the target: the container's seek was not exact
        return;
    }
    m_seeking = false;
    if (item.index > m_targetFrame && m_candidate) {
        m_candidate->seekResult = true;
        Emit(std::move(*m_candidate));
        m_candidate.reset();
        Emit(std::move(item));
        return;
    }
    item.seekResult = true;
    Emit(std::move(item));
}

// Emit and QueueSound wake the output once the mutex is let go: woken while this thread still held it, the
// output would take the core and this thread be put aside holding the mutex, which the UI thread's status
// queries then wait for.
void CDecodeWorker::Emit(VideoItem item) {
    {
        fw::CMutexLock lock(m.mutex);
        // While a newer seek waits to be picked up, what is decoded stays queued: the seek may go on from it.
        if (item.serial != m.serial && !m.seekPending) return;
        m.video.push_back(std::move(item));
        m.outputDirty = true;
    }
    m.changed.WakeAll();
}

void CDecodeWorker::OnSound(const int16_t* samples, int frames, int64_t timestamp) {
    if (frames <= 0 || m.audioRate <= 0) return;
    int64_t us = m_source.ToUs(m_source.AudioStream(), timestamp);
    if (us == AV_NOPTS_VALUE) us = m_nextSoundUs;
    m_nextSoundUs = us + static_cast<int64_t>(frames) * 1000000 / m.audioRate;
    PlaceSound(samples, frames, us);
}

void CDecodeWorker::PlaceSound(const int16_t* samples, int frames, int64_t us) {
    const int channels = m.audioChannels;
    if (frames <= 0) return;
    if (m_soundTrimUs != kNoTrim) {
        const int64_t endUs = us + static_cast<int64_t>(frames) * 1000000 / m.audioRate;
        if (endUs <= m_soundTrimUs) return;
        if (us < m_soundTrimUs) {
            const int skip =
                static_cast<int>(std::min<int64_t>(frames, (m_soundTrimUs - us) * m.audioRate / 1000000));
            samples += static_cast<size_t>(skip) * channels;
            frames -= skip;
            us = m_soundTrimUs;
        }
        m_soundTrimUs = kNoTrim;
        if (frames <= 0) return;
    }
    QueueSound(AudioItem{std::vector<int16_t>(samples, samples + static_cast<size_t>(frames) * channels), us,
                         m_serial});
}

void CDecodeWorker::QueueSound(AudioItem item) {
    {
        fw::CMutexLock lock(m.mutex);
        if (item.serial != m.serial && !m.seekPending) return;
        const int channels = std::max(1, m.audioChannels);
        m.audioQueuedFrames += static_cast<int64_t>(item.samples.size()) / channels;
        // Short blocks (a few milliseconds of Vorbis or PCM a packet) join the one before them when they
        // follow on from it: the wave-out stream holds a few blocks, each written as given, so short ones
        // would leave it too little sound to ride out a busy moment.
        if (!m.audio.empty()) {
            AudioItem& last = m.audio.back();
            const int64_t lastUs =
                static_cast<int64_t>(last.samples.size() / channels) * 1000000 / m.audioRate;
            const int64_t gapUs = item.startUs - (last.startUs + lastUs);
            if (last.serial == item.serial && lastUs < kSoundBlockUs && gapUs > -kJoinSlackUs &&
                gapUs < kJoinSlackUs) {
                last.samples.insert(last.samples.end(), item.samples.begin(), item.samples.end());
                item.samples.clear();
            }
        }
        if (!item.samples.empty()) m.audio.push_back(std::move(item));
        m.outputDirty = true;
    }
    m.changed.WakeAll();
}

} // namespace media
