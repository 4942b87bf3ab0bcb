#include "media/player_teardown.h"

namespace media {

namespace {
constexpr unsigned kIdleWaitMs = 10000; // nothing to free: the thread sleeps (Take and the end wake it)
constexpr unsigned kSettleWaitMs = 25;
constexpr int kSettleRounds = 400; // a test that waits longer has found a hang
} // namespace

CPlayerTeardown::~CPlayerTeardown() {
    {
        fw::CMutexLock lock(m_mutex);
        m_stop = true;
        m_changed.WakeAll();
    }
    m_thread.Join(); // the thread frees what is queued before it returns
    m_queue.clear();
}

void CPlayerTeardown::Take(std::unique_ptr<CMoviePlayer> player) {
    if (!m_mutex.IsValid() || !m_changed.IsValid() ||
        (!m_thread.IsRunning() && !m_thread.Start([this] { Run(); })))
        return; // freed here, on the caller's time
    fw::CMutexLock lock(m_mutex);
    m_queue.push_back(std::move(player));
    m_changed.WakeAll();
}

void CPlayerTeardown::Run() {
    fw::CMutexLock lock(m_mutex);
    for (;;) {
        if (m_queue.empty()) {
            if (m_stop) return;
            m_changed.Wait(lock, kIdleWaitMs);
            continue;
        }
        std::unique_ptr<CMoviePlayer> player = std::move(m_queue.front());
        m_queue.pop_front();
        m_freeing = true;
        lock.Unlock();
        player.reset();
        lock.Lock();
        m_freeing = false;
        m_changed.WakeAll();
    }
}

void CPlayerTeardown::Settle() {
    if (!m_thread.IsRunning()) return;
    fw::CMutexLock lock(m_mutex);
    for (int round = 0; round < kSettleRounds && (!m_queue.empty() || m_freeing); ++round)
        m_changed.Wait(lock, kSettleWaitMs);
}

} // namespace media
