// The movie's time axis as the MCI commands see it: frame numbers in presentation order from 0, and times
// in microseconds from the first picture (the origin). One frame rate serves the whole movie: its average
// rate, so that a movie of variable rate still has duration x rate frames.
//
// Frame n starts at FrameToUs(n) (rounded up) and the frame at time t is UsToFrame(t) (rounded down), so a
// frame number survives the trip through time. A decoded picture's number is the nearest one to its
// timestamp, which absorbs containers that store times in whole milliseconds.
#pragma once

#include <cstdint>

namespace media {

struct FrameRate {
    int num, den; // frames per second as num / den; both positive
};

class CTimeline {
public:
    CTimeline() = default;
    // `rate` must be positive; `durationUs` < 0 for unknown.
    CTimeline(FrameRate rate, int64_t durationUs);

    FrameRate Rate() const { return m_rate; }
    int64_t FrameToUs(int64_t frame) const;
    int64_t UsToFrame(int64_t us) const;
    int64_t NearestFrame(int64_t us) const;
    int64_t FrameDurationUs() const { return FrameToUs(1); }
    // Length in frames (at least 1 for a known duration), and its time. A movie whose length is unknown
    // reports kUnknownLength frames: it plays until its data ends, which then counts as its end.
    int64_t LengthFrames() const { return m_lengthFrames; }
    int64_t LengthUs() const { return FrameToUs(m_lengthFrames); }
    static constexpr int64_t kUnknownLength = 1000000000; // about 9 hours at 30 frames a second

private:
    FrameRate m_rate{25, 1};
    int64_t m_lengthFrames = kUnknownLength;
};

// The rate the timeline uses, from what the container says: the average rate, else the stream's base
// rate, else 25. Rates outside 1..1000 frames a second are taken for nonsense.
FrameRate ChooseFrameRate(int avgNum, int avgDen, int baseNum, int baseDen);

} // namespace media
