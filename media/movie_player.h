// One open movie of Telly's own device: the file, its decode and output threads, and the commands the MCI
// layer carries out on it.
//
// Who calls: CTellyMovieDevice, on the UI thread. Every command takes the shared mutex only briefly and
// returns at once; the work follows on the threads (a seek's picture as soon as it is decoded). The status
// queries take no lock at all. Destroying the player stops and joins both threads, then frees every FFmpeg
// object and the wave-out stream; Retire does the part the caller must not go on before, so that the rest
// may happen on another thread.
#pragma once

#include "media/decode_worker.h"
#include "media/movie_file.h"
#include "media/movie_source.h"
#include "media/movie_state.h"
#include "media/output_worker.h"

#include <atomic>
#include <memory>
#include <string>

namespace media {

class CMoviePlayer {
public:
    // Opens the file and decodes its first picture. Null when it holds nothing this device plays: not a
    // container it reads, no stream that decodes, or a picture larger than 8192 x 8192. May take a while
    // (probing is bounded in bytes and time).
    static std::unique_ptr<CMoviePlayer> Open(const std::wstring& path);
    ~CMoviePlayer();
    CMoviePlayer(const CMoviePlayer&) = delete;
    CMoviePlayer& operator=(const CMoviePlayer&) = delete;

    const CTimeline& Timeline() const { return m_shared.timeline; }
    int VideoWidth() const { return m_width; }
    int VideoHeight() const { return m_height; }

    // Plays from the current position (nothing once the end is reached).
    void Play();
    // Shows the picture at `us` at once and plays on from there.
    void PlayFrom(int64_t us);
    // Hold the picture where playback is: Pause keeps the movie "paused", Stop "stopped".
    void Pause();
    void Stop();
    // Shows the picture at `us` and holds it ("stopped"). A seek made while another is under way replaces it.
    void Seek(int64_t us);
    // Where pictures go (a null window: nowhere); the picture moves there at once, also while it stands.
    void SetWindow(fw::HWND window);
    void SetDestination(int x, int y, int width, int height);

    // Ends the movie for whoever watches: its threads stop at once (the sound first), no picture reaches
    // the window after this returns, and what is left is the destructor's, on any thread.
    void Retire();

    Mode GetMode() const;
    // The position on the timeline: the target from the moment of a seek, the clock's time while playing
    // (never the length), the length once the end is reached.
    int64_t PositionUs() const;

    // The picture on the screen: its frame number (-1 before the first) and whether it answers the latest
    // seek or play from a frame; how many pictures have been shown. For benchmarks and diagnostics.
    struct Shown {
        int64_t frame;
        bool current;
        uint64_t count;
    };
    Shown ShownPicture() const;

    // Waits until both threads have done what the current simulated instant asks (see fw::CMciDevice).
    void Settle();

private:
    CMoviePlayer();
    MovieStatus Status() const;
    static int64_t CurrentUs(const MovieStatus& s);
    void Restart(int64_t us, Mode mode);

    std::atomic<bool> m_stopReading{false};
    // Declared in the order of their use: the file outlives the source that reads it, and both outlive the
    // workers; the threads are joined in the destructor before any of them goes.
    CMovieFile m_file;
    CMovieSource m_source;
    CMovieShared m_shared;
    std::unique_ptr<CDecodeWorker> m_decoder;
    std::unique_ptr<COutputWorker> m_output;
    fw::CWorkerThread m_decodeThread, m_outputThread;
    int m_width = 0, m_height = 0;
};

} // namespace media
