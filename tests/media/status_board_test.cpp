// The status the UI thread reads without a lock: a read never mixes two posts, however they interleave.
#include "media/status_board.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

media::MovieStatus Numbered(int64_t n) {
    media::MovieStatus s;
    s.mode = static_cast<int>(n % 3);
    s.ended = s.started = s.shownCurrent = (n & 1) != 0;
    s.heldUs = s.publishedUs = s.publishedAtUs = s.shownIndex = n;
    s.shownCount = static_cast<uint64_t>(n);
    return s;
}

TEST(StatusBoardTest, AReadSeesOnePostWhole) {
    media::CStatusBoard board;
    board.Post(Numbered(0));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int64_t n = 1; n <= 300000; ++n)
            board.Post(Numbered(n));
        done = true;
    });
    long long reads = 0, torn = 0;
    int64_t last = 0;
    while (!done || reads == 0) {
        media::MovieStatus s;
        if (!board.TryRead(&s)) continue;
        ++reads;
        const media::MovieStatus whole = Numbered(s.heldUs);
        torn += s.mode != whole.mode || s.ended != whole.ended || s.started != whole.started ||
                s.shownCurrent != whole.shownCurrent || s.publishedUs != s.heldUs ||
                s.publishedAtUs != s.heldUs || s.shownIndex != s.heldUs || s.shownCount != whole.shownCount;
        EXPECT_GE(s.heldUs, last) << "posts are read in order";
        last = s.heldUs;
    }
    writer.join();
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
}

} // namespace
