// What "status" answers, posted where the UI thread reads it without the movie's mutex. The workers hold that
// mutex only briefly, but a holder that the scheduler puts aside on a busy machine keeps a waiter for a whole
// time slice (tens of milliseconds under Wine); the UI thread asks for the mode and position on every tick.
//
// Who writes: whoever changes these values, holding the movie's mutex, posts them all at once (so writers
// never overlap). Who reads: the UI thread, at any time; a read never sees half of a post. A sequence lock:
// the sequence is odd while a post is under way, and a read that saw it change tries again.
#pragma once

#include <atomic>
#include <cstdint>

namespace media {

struct MovieStatus {
    int mode = 0;         // a Mode
    bool ended = false;   // played to its end
    bool started = false; // the clock runs from `heldUs` for the current seek
    int64_t heldUs = 0, publishedUs = 0, publishedAtUs = 0;
    int64_t shownIndex = -1;
    bool shownCurrent = false;
    uint64_t shownCount = 0;
};

class CStatusBoard {
public:
    void Post(const MovieStatus& s) {
        const uint64_t sequence = m_sequence.load(std::memory_order_relaxed);
        m_sequence.store(sequence + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        m_flags.store(static_cast<uint32_t>(s.mode) | (s.ended ? 0x100u : 0) | (s.started ? 0x200u : 0) |
                          (s.shownCurrent ? 0x400u : 0),
                      std::memory_order_relaxed);
        m_heldUs.store(s.heldUs, std::memory_order_relaxed);
        m_publishedUs.store(s.publishedUs, std::memory_order_relaxed);
        m_publishedAtUs.store(s.publishedAtUs, std::memory_order_relaxed);
        m_shownIndex.store(s.shownIndex, std::memory_order_relaxed);
        m_shownCount.store(s.shownCount, std::memory_order_relaxed);
        m_sequence.store(sequence + 2, std::memory_order_release);
    }

    // False when a post kept overlapping the read; the caller then asks under the mutex, which waits for it.
    bool TryRead(MovieStatus* s) const {
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const uint64_t before = m_sequence.load(std::memory_order_acquire);
            if (before & 1) continue;
            const uint32_t flags = m_flags.load(std::memory_order_relaxed);
            s->mode = static_cast<int>(flags & 0xff);
            s->ended = (flags & 0x100u) != 0;
            s->started = (flags & 0x200u) != 0;
            s->shownCurrent = (flags & 0x400u) != 0;
            s->heldUs = m_heldUs.load(std::memory_order_relaxed);
            s->publishedUs = m_publishedUs.load(std::memory_order_relaxed);
            s->publishedAtUs = m_publishedAtUs.load(std::memory_order_relaxed);
            s->shownIndex = m_shownIndex.load(std::memory_order_relaxed);
            s->shownCount = m_shownCount.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (m_sequence.load(std::memory_order_relaxed) == before) return true;
        }
        return false;
    }

private:
    static constexpr int kAttempts = 1000;
    std::atomic<uint64_t> m_sequence{0};
    std::atomic<uint32_t> m_flags{0};
    std::atomic<int64_t> m_heldUs{0}, m_publishedUs{0}, m_publishedAtUs{0}, m_shownIndex{-1};
    std::atomic<uint64_t> m_shownCount{0};
};

} // namespace media
