// The movie's output thread: shows each picture at its time on the movie's clock (dropping pictures that
// are late, never sound), feeds the sound to the wave-out stream, holds and redraws the picture while the
// movie stands, moves it at once when the destination changes, and notices the end.
#pragma once

#include "framework/media_output.h"
#include "media/movie_clock.h"
#include "media/movie_state.h"
#include "media/picture_scaler.h"

#include <vector>

namespace media {

class COutputWorker {
public:
    explicit COutputWorker(CMovieShared& shared) : m(shared) {}
    // UI thread, before the thread starts: opens the wave-out stream for the movie's sound. Without one the
    // movie plays silently on the system's clock.
    void OpenSound();
    // The thread body; returns when `shared.abort` is set.
    void Run();

private:
    using Lock = fw::CMutexLock;
    unsigned Play(Lock& lock, int64_t systemUs);
    void Hold(Lock& lock, int64_t systemUs);
    bool ReadyToStart() const;
    void FeedSound(Lock& lock, int64_t systemUs);
    // The movie's time by the sound played (m_played) or the system's clock.
    int64_t ClockNow(int64_t systemUs);
    void ReadSinkPosition(Lock& lock);
    void DropStale();
    void ResetSound();
    void Show(Lock& lock, FramePtr frame, int64_t index, int64_t systemUs);
    void Draw(Lock& lock, bool rescale, int64_t systemUs);

    CMovieShared& m;
    fw::CWaveOutStream m_sink;
    CPictureScaler m_scaler;
    CMovieClock m_clock;

    uint64_t m_serial = 0;
    bool m_started = false;
    bool m_wakeAfterUnlock = false; // the decoder has room: wake it once the mutex is let go
    int64_t m_lastPictureEndUs = INT64_MIN;

    // The picture on the screen, as decoded and as drawn.
    FramePtr m_current;
    int64_t m_currentIndex = -1;
    uint64_t m_currentSerial = 0;
    bool m_drawnOnce = false;
    std::vector<uint32_t> m_pixels;
    Destination m_drawn;
    uint64_t m_destinationSerial = 0;
    int64_t m_lastDrawUs = 0;

    // Sound handed to the stream: the block being written and where the stream's sound sits on the timeline.
    AudioItem m_pending;
    size_t m_pendingOffset = 0; // frames of m_pending already written
    bool m_hasPending = false;
    int64_t m_sinkStartUs = 0, m_sinkWritten = 0;
    int64_t m_played = 0; // frames the stream had played when last asked
    std::vector<int16_t> m_silence;
};

} // namespace media
