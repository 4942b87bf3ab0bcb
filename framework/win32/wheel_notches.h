// Mouse-wheel deltas to whole notches. Pure arithmetic, shared by the dialog procedure and the self-test.
//
// Precision wheels and touchpads report fractions of a notch (WHEEL_DELTA = 120); the fraction is kept per
// window and completes a notch together with later deltas, so slow scrolling still produces notches.
#pragma once

namespace fw {
namespace win32 {

constexpr int kWheelDelta = 120;

// Adds `delta` to `*remainder` and returns the number of whole notches now complete: positive away from
// the user (scroll up), negative toward the user. The part below one notch stays in *remainder, with its
// sign. Works in `long long` so that no sequence of 16-bit deltas can overflow.
inline int TakeWheelNotches(int* remainder, int delta) {
    long long total = static_cast<long long>(*remainder) + delta;
    long long notches = total / kWheelDelta; // truncates toward zero: -150 gives -1 and keeps -30
    *remainder = static_cast<int>(total - notches * kWheelDelta);
    return static_cast<int>(notches);
}

} // namespace win32
} // namespace fw
