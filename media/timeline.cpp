#include "media/timeline.h"

namespace media {

namespace {

// a * b / c for non-negative a and positive b, c without overflowing 64 bits where the result fits.
int64_t MulDiv(int64_t a, int64_t b, int64_t c, bool roundUp) {
    const int64_t whole = a / c, rest = a % c;
    int64_t q = whole * b + rest * b / c;
    if (roundUp && (rest * b) % c != 0) ++q;
    return q;
}

bool Sane(int num, int den) {
    return num > 0 && den > 0 && static_cast<int64_t>(num) >= den &&
           static_cast<int64_t>(num) <= 1000LL * den;
}

} // namespace

CTimeline::CTimeline(FrameRate rate, int64_t durationUs) : m_rate(rate) {
    if (durationUs < 0) return;
    // duration x rate, rounded to the nearest frame; a movie that has any duration has at least one frame.
    const int64_t scaled = MulDiv(durationUs, m_rate.num, m_rate.den, false); // frames x 10^6
    int64_t n = (scaled + 500000) / 1000000;
    if (n < 1) n = 1;
    m_lengthFrames = n < kUnknownLength ? n : kUnknownLength;
}

int64_t CTimeline::FrameToUs(int64_t frame) const {
    if (frame <= 0) return frame == 0 ? 0 : -MulDiv(-frame, 1000000LL * m_rate.den, m_rate.num, false);
    return MulDiv(frame, 1000000LL * m_rate.den, m_rate.num, true);
}

int64_t CTimeline::UsToFrame(int64_t us) const {
    if (us < 0) return -1 - MulDiv(-us - 1, m_rate.num, 1000000LL * m_rate.den, false);
    return MulDiv(us, m_rate.num, 1000000LL * m_rate.den, false);
}

int64_t CTimeline::NearestFrame(int64_t us) const {
    return UsToFrame(us + FrameToUs(1) / 2);
}

namespace {

// In lowest terms, and with a denominator small enough that the arithmetic above stays in 64 bits.
FrameRate Reduced(int num, int den) {
    int a = num, b = den;
    while (b != 0) {
        const int t = a % b;
        a = b;
        b = t;
    }
    FrameRate r{num / a, den / a};
    if (r.den > 100000)
        r = FrameRate{static_cast<int>((static_cast<int64_t>(r.num) * 1000 + r.den / 2) / r.den), 1000};
    return r;
}

} // namespace

FrameRate ChooseFrameRate(int avgNum, int avgDen, int baseNum, int baseDen) {
    if (Sane(avgNum, avgDen)) return Reduced(avgNum, avgDen);
    if (Sane(baseNum, baseDen)) return Reduced(baseNum, baseDen);
    return FrameRate{25, 1};
}

} // namespace media
