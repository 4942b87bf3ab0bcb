#include "media/output_worker.h"

#include <algorithm>

namespace media {

namespace {

constexpr unsigned kIdleWaitMs = 100;
// The sound is fed at least this often. The stream holds eight blocks of 40 ms and more, so this is plenty;
// every round costs calls into the system's sound path, which under Wine each take a lock and a trip to the
// sound server.
constexpr unsigned kMaxPlayWaitMs = 20;
// A held picture is drawn again this often, so that it comes back when the window was covered.
constexpr int64_t kRedrawUs = 250000;
// Sound counts as ready to start with once this much is queued (or the decoder can give no more).
constexpr int64_t kStartSoundUs = 100000;
// Sound within this of where it belongs is written as it is; further off it is trimmed or padded.
constexpr int64_t kSoundSlackUs = 40000;
constexpr int64_t kMaxSilenceUs = 2000000;

} // namespace

void COutputWorker::OpenSound() {
    if (m.hasAudio && !m_sink.Open(0, m.audioRate, m.audioChannels)) {
        // No sound card, or none that takes the format: the pictures play alone on the system's clock.
    }
}

void COutputWorker::Run() {
    Lock lock(m.mutex);
    while (!m.abort) {
        const bool asked = m.outputDirty;
        m.outputDirty = false;
        const int64_t systemUs = fw::MediaClockUs();
        if (m_serial != m.serial) {
            // A seek: nothing from before it plays on.
            m_serial = m.serial;
            m_started = false;
            m_lastPictureEndUs = INT64_MIN;
            lock.Unlock();
            ResetSound();
            lock.Lock();
        }
        DropStale();
        unsigned waitMs = kIdleWaitMs;
        if (m.mode == Mode::kPlaying && !m.ended)
            waitMs = Play(lock, systemUs);
        else
            Hold(lock, systemUs);
        if (m.destinationSerial != m_destinationSerial)
            Draw(lock, true, systemUs);
        else if (systemUs - m_lastDrawUs >= kRedrawUs && m_drawnOnce)
            Draw(lock, false, systemUs);
        m.outputSeenClockUs = systemUs;
        m.Post();
        if (m.outputDirty || m.abort) continue;
        m.outputIdle = true;
        // The decoder when this round made room for it, Settle when this thread was asked to look; a wake for
        // nothing would wake the decoder into waking this thread back, a loop that never sleeps. Woken after
        // the mutex is let go, as everywhere on this thread: on a busy machine the woken thread takes the
        // core at once, and a holder put aside with the mutex keeps the UI thread's status queries waiting
        // for tens of milliseconds.
        if (asked || m.decoderDirty) {
            m_wakeAfterUnlock = false;
            lock.Unlock();
            m.changed.WakeAll();
            lock.Lock();
            if (m.outputDirty || m.abort) {
                m.outputIdle = false;
                continue;
            }
        }
        m.changed.Wait(lock, waitMs);
        m.outputIdle = false;
    }
    // Closed: silent at once, though the stream is closed only when the movie is torn down.
    lock.Unlock();
    m_sink.Pause();
}

void COutputWorker::DropStale() {
    // A seek not yet picked up may go on from what is queued (the decoder takes it over): left alone.
    if (m.seekPending) return;
    while (!m.video.empty() && m.video.front().serial != m.serial) {
        m.video.pop_front();
        m.decoderDirty = true;
    }
    while (!m.audio.empty() && m.audio.front().serial != m.serial) {
        m.audioQueuedFrames -=
            static_cast<int64_t>(m.audio.front().samples.size()) / std::max(1, m.audioChannels);
        m.audio.pop_front();
        m.decoderDirty = true;
    }
}

bool COutputWorker::ReadyToStart() const {
    if (m.seekPending) return false;
    const bool pictureReady = !m.hasVideo || m.VideoEnded() || !m.video.empty();
    const bool soundReady = !m.hasAudio || !m_sink.IsOpen() || m.AudioEnded() ||
                            m.AudioQueuedUs() >= kStartSoundUs || (m.decoderIdle && !m.decoderDirty);
    return pictureReady && soundReady;
}

unsigned COutputWorker::Play(Lock& lock, int64_t systemUs) {
    if (!m_started) {
        if (!ReadyToStart()) return kMaxPlayWaitMs;
        m_started = m.started = true;
        m_clock.Start(m.heldUs, systemUs);
        lock.Unlock();
        ResetSound();
        m_sink.Resume();
        lock.Lock();
    } else if (m_clock.Frozen()) {
        lock.Unlock();
        m_sink.Resume();
        lock.Lock();
        m_clock.Resume(systemUs);
    }
    FeedSound(lock, systemUs);
    ReadSinkPosition(lock);
    if (m_serial != m.serial || m.abort) return 0; // came while the lock was let go: start over
    const int64_t now = ClockNow(systemUs);
    m.publishedUs = now;
    m.publishedAtUs = systemUs;

    // The newest picture whose time has come; the ones before it are late and go unseen.
    while (m.video.size() >= 2 && m.video[1].timeUs <= now) {
        m_lastPictureEndUs = m.video.front().timeUs + m.timeline.FrameDurationUs();
        m.video.pop_front();
        m.decoderDirty = true;
    }
    if (!m.video.empty() && m.video.front().timeUs <= now) {
        VideoItem item = std::move(m.video.front());
        m.video.pop_front();
        m.decoderDirty = true;
        m_wakeAfterUnlock = true;
        m_lastPictureEndUs = item.timeUs + m.timeline.FrameDurationUs();
        if (item.serial != m_currentSerial || item.index != m_currentIndex)
            Show(lock, std::move(item.frame), item.index, systemUs);
    }

    const bool picturesDone = !m.hasVideo || (m.VideoEnded() && m.video.empty() && now >= m_lastPictureEndUs);
    const bool soundDone = !m.hasAudio || !m_sink.IsOpen() ||
                           (m.AudioEnded() && m.audio.empty() && !m_hasPending && m_played >= m_sinkWritten);
    if (picturesDone && soundDone) {
        m.ended = true;
        m.mode = Mode::kStopped;
        m.heldUs = m.timeline.LengthUs();
        m.started = m_started = false;
        m_clock.Freeze(systemUs);
        return kIdleWaitMs;
    }
    if (m.video.empty()) return kMaxPlayWaitMs;
    const int64_t untilUs = m.video.front().timeUs - now;
    return static_cast<unsigned>(std::clamp<int64_t>((untilUs + 999) / 1000, 1, kMaxPlayWaitMs));
}

void COutputWorker::Hold(Lock& lock, int64_t systemUs) {
    if (m_started && !m_clock.Frozen()) {
        m_clock.Freeze(systemUs);
        lock.Unlock();
        m_sink.Pause(); // silent at once
        lock.Lock();
    }
    // A seek's picture is shown as soon as it is decoded, and stays queued for a play from there.
    if (!m.video.empty() && m.video.front().seekResult && m.video.front().serial == m.serial && !m_started &&
        (m.video.front().serial != m_currentSerial || m.video.front().index != m_currentIndex)) {
        const VideoItem& front = m.video.front();
        Show(lock, RefFrame(front.frame.get()), front.index, systemUs);
    }
}

void COutputWorker::Show(Lock& lock, FramePtr frame, int64_t index, int64_t systemUs) {
    m_current = std::move(frame);
    m_currentIndex = index;
    m_currentSerial = m_serial;
    Draw(lock, true, systemUs);
    m.shownIndex = index;
    m.shownSerial = m_serial;
    ++m.shownCount;
}

void COutputWorker::Draw(Lock& lock, bool rescale, int64_t systemUs) {
    if (m.abort) return;
    const Destination d = m.destination;
    m_destinationSerial = m.destinationSerial;
    m_lastDrawUs = systemUs;
    m_drawnOnce = true;
    if (!d.window || d.width <= 0 || d.height <= 0 || d.width > kMaxDestinationSide ||
        d.height > kMaxDestinationSide)
        return;
    const bool audioOnly = !m.hasVideo;
    if (!audioOnly && !m_current) return; // no picture decoded yet: the window keeps what it shows
    const bool sameSize = m_drawn.width == d.width && m_drawn.height == d.height && !m_pixels.empty();
    lock.Unlock();
    if (m_wakeAfterUnlock) {
        m_wakeAfterUnlock = false;
        m.changed.WakeAll();
    }
    if (rescale || !sameSize) {
        // A movie of sound alone shows a black screen.
        if (audioOnly || !m_current || !m_scaler.Scale(m_current.get(), d.width, d.height, &m_pixels))
            m_pixels.assign(static_cast<size_t>(d.width) * static_cast<size_t>(d.height), 0);
    }
    lock.Lock();
    // Retire waits for a picture under way, and none starts after it: the window is someone else's then.
    if (m.abort) return;
    m.drawing = true;
    lock.Unlock();
    fw::DrawPicture(d.window, d.x, d.y, d.width, d.height, m_pixels.data());
    lock.Lock();
    m.drawing = false;
    if (m.abort) m.changed.WakeAll();
    m_drawn = d;
}

void COutputWorker::ReadSinkPosition(Lock& lock) {
    if (!m_sink.IsOpen() || m_sinkWritten == 0) {
        m_played = 0;
        return;
    }
    // The system's call may wait on its audio thread: never with the mutex held.
    lock.Unlock();
    m_played = m_sink.Played();
    lock.Lock();
}

void COutputWorker::ResetSound() {
    m_sink.Reset();
    m_played = 0;
    m_sinkWritten = 0;
    m_hasPending = false;
    m_pendingOffset = 0;
}

int64_t COutputWorker::ClockNow(int64_t systemUs) {
    bool flowing = false;
    int64_t soundUs = 0;
    if (m_sink.IsOpen() && m_sinkWritten > 0) {
        flowing = m_played < m_sinkWritten;
        soundUs = m_sinkStartUs + m_played * 1000000 / m.audioRate;
    }
    return m_clock.Now(systemUs, flowing, soundUs);
}

void COutputWorker::FeedSound(Lock& lock, int64_t systemUs) {
    if (!m_sink.IsOpen()) {
        // Nobody to hear it: the decoder must not wait for this sound to be taken.
        if (!m.audio.empty()) m.decoderDirty = true;
        m.audio.clear();
        m.audioQueuedFrames = 0;
        return;
    }
    const int rate = m.audioRate, channels = m.audioChannels;
    for (;;) {
        if (!m_hasPending) {
            DropStale(); // a seek may have come while the lock was let go
            if (m.audio.empty() || m_serial != m.serial || m.audio.front().serial != m.serial) return;
            m_pending = std::move(m.audio.front());
            m.audio.pop_front();
            const int64_t frames = static_cast<int64_t>(m_pending.samples.size()) / channels;
            m.audioQueuedFrames -= frames;
            m.decoderDirty = true;
            m_wakeAfterUnlock = true;
            m_pendingOffset = 0;
            m_hasPending = true;
        }
        lock.Unlock();
        if (m_wakeAfterUnlock) {
            m_wakeAfterUnlock = false;
            m.changed.WakeAll();
        }
        const size_t total = m_pending.samples.size() / static_cast<size_t>(channels);
        const int64_t startUs = m_pending.startUs + static_cast<int64_t>(m_pendingOffset) * 1000000 / rate;
        // m_played is of this round's start (ReadSinkPosition): a stream that ran dry since is noticed in the
        // next round, when its sound is at most that much late.
        const bool drained = m_sinkWritten == 0 || m_played >= m_sinkWritten;
        int64_t expectedUs;
        if (drained) {
            // The stream ran dry (or starts): its sound begins again where the clock is now.
            if (m_sinkWritten > 0) m_sink.Reset();
            m_sinkWritten = m_played = 0;
            m_sinkStartUs = expectedUs = ClockNow(systemUs);
        } else {
            expectedUs = m_sinkStartUs + m_sinkWritten * 1000000 / rate;
        }
        const int64_t gapUs = startUs - expectedUs;
        bool full = false;
        if (gapUs < -kSoundSlackUs) {
            // Sound for a time already gone: passed over.
            const size_t skip =
                std::min(total - m_pendingOffset, static_cast<size_t>(-gapUs * rate / 1000000));
            m_pendingOffset += std::max<size_t>(skip, 1);
        } else if (gapUs > kSoundSlackUs) {
            // A hole in the sound: silence, so the rest stays at its time.
            const size_t want = static_cast<size_t>(std::min(gapUs, kMaxSilenceUs) * rate / 1000000);
            if (m_silence.size() < want * static_cast<size_t>(channels))
                m_silence.assign(want * static_cast<size_t>(channels), 0);
            const size_t n = m_sink.Write(m_silence.data(), want);
            m_sinkWritten += static_cast<int64_t>(n);
            full = n < want;
        } else {
            const size_t n =
                m_sink.Write(m_pending.samples.data() + m_pendingOffset * static_cast<size_t>(channels),
                             total - m_pendingOffset);
            m_pendingOffset += n;
            m_sinkWritten += static_cast<int64_t>(n);
            full = m_pendingOffset < total;
        }
        lock.Lock();
        if (m_pendingOffset >= total) m_hasPending = false;
        if (full) return;
    }
}

} // namespace media
