// Reads back the frame number a test clip carries in its picture (tests/media/make-clips): the top half is
// twelve cells across, white for 1 and black for 0, most significant on the left.
#pragma once

#include "framework/sim/sim.h"

#include <cstdint>

namespace media_test {

// The frame number in a picture drawn by the device, or -1 when a cell is neither black nor white enough
// (no frame-coded picture, or a black screen).
inline int FrameCode(const sim::Picture& p) {
    if (p.width < 12 || p.height < 4) return -1;
    // The bottom half is grey: a black screen is no frame 0.
    const int grey = (p.pixels[static_cast<size_t>(p.height * 3 / 4) * p.width + p.width / 2] >> 8) & 0xFF;
    if (grey < 90 || grey > 170) return -1;
    int code = 0;
    for (int bit = 0; bit < 12; ++bit) {
        const int x = (2 * bit + 1) * p.width / 24, y = p.height / 4;
        const uint32_t rgb = p.pixels[static_cast<size_t>(y) * p.width + x];
        const int green = (rgb >> 8) & 0xFF;
        if (green > 60 && green < 190) return -1;
        code = code * 2 + (green >= 190 ? 1 : 0);
    }
    return code;
}

// Whether the picture is black all over (a movie of sound alone).
inline bool AllBlack(const sim::Picture& p) {
    for (uint32_t px : p.pixels)
        if (px & 0xF0F0F0) return false;
    return !p.pixels.empty();
}

} // namespace media_test
