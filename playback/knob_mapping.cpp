#include "playback/knob_mapping.h"

#include <climits>

int KnobToPosition(int length, int knob) {
    const double scale = kKnobScale;
    const double position =
        static_cast<double>(length) * scale * (static_cast<double>(knob) - static_cast<double>(kPosKnobMin));
    // On the bar the product stays inside the length; a knob off the bar must not overflow the conversion.
    if (position >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (position <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(position);
}

int PositionToKnob(int position, int length) {
    if (length <= 0) return kPosKnobMin;
    const double scale = kKnobScale;
    const double offset = static_cast<double>(position) / (static_cast<double>(length) * scale);
    if (!(offset > 0.0)) return kPosKnobMin; // also NaN-safe
    if (offset >= kPosKnobMax - kPosKnobMin) return kPosKnobMax;
    return static_cast<int>(offset) + kPosKnobMin;
}
