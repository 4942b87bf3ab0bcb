#include "playback/knob_mapping.h"

int KnobToPosition(int length, int knob) {
    const double scale = kKnobScale;
    return static_cast<int>(static_cast<double>(length) * scale * static_cast<double>(knob - kPosKnobMin));
}

int PositionToKnob(int position, int length) {
    if (length <= 0) return kPosKnobMin;
    const double scale = kKnobScale;
    const double offset = static_cast<double>(position) / (static_cast<double>(length) * scale);
    if (!(offset > 0.0)) return kPosKnobMin; // also NaN-safe
    if (offset >= kPosKnobMax - kPosKnobMin) return kPosKnobMax;
    return static_cast<int>(offset) + kPosKnobMin;
}
