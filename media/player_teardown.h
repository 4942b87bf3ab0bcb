// Frees closed movies away from the UI thread. Joining a movie's threads waits for the picture being decoded
// and for the system's wave-out stream to reset and close, which under Wine's audio driver has taken
// hundreds of milliseconds; "close" must not keep the window waiting for that.
//
// Who calls: CTellyMovieDevice, on the UI thread: Take after CMoviePlayer::Retire, so the movie is already
// silent and off the screen. One thread frees the movies in the order they came. Destroying this object
// frees whatever is left and joins the thread; when no thread can be made, Take frees the movie itself.
#pragma once

#include "framework/threads.h"
#include "media/movie_player.h"

#include <deque>
#include <memory>

namespace media {

class CPlayerTeardown {
public:
    CPlayerTeardown() = default;
    ~CPlayerTeardown();
    CPlayerTeardown(const CPlayerTeardown&) = delete;
    CPlayerTeardown& operator=(const CPlayerTeardown&) = delete;

    void Take(std::unique_ptr<CMoviePlayer> player);
    // Waits until every movie taken so far is freed (see fw::CMciDevice::Settle).
    void Settle();

private:
    void Run();

    fw::CMutex m_mutex;
    fw::CCondition m_changed;
    std::deque<std::unique_ptr<CMoviePlayer>> m_queue;
    bool m_freeing = false, m_stop = false;
    fw::CWorkerThread m_thread;
};

} // namespace media
