// The television set's outline: the geometry of the skin and the row spans of the main window's region.
//
// Pure data and arithmetic, no framework: the artwork generator in tools/ includes this header too, so the
// sprite sheet it draws and the region the window gets come from one table and cannot drift apart.
#pragma once

#include "res/skin_layout.h"

// Inset of the outline on row y, the same on the left and the right: the set covers x = inset .. 223 - inset.
// The top corners are rounded a little more (21) than the bottom ones (20); the sides bow out to the full
// width on rows 91..148.
inline constexpr int g_anRegionInset[kSetHeight] = {
    21, 16, 13, 11, 10, 9,  8,  7, 7, 6, 6, 5, 5, 5, 4, 4, 4, 4, 4, 3, // rows 0..19
    3,  3,  3,  3,  3,  3,  2,  2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // rows 20..39
    2,  2,  2,  2,  1,  1,  1,  1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // rows 40..59
    1,  1,  1,  1,  1,  1,  1,  1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // rows 60..79
    1,  1,  1,  1,  1,  1,  1,  1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, // rows 80..99
    0,  0,  0,  0,  0,  0,  0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // rows 100..119
    0,  0,  0,  0,  0,  0,  0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // rows 120..139
    0,  0,  0,  0,  0,  0,  0,  0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // rows 140..159
    1,  2,  2,  2,  2,  2,  2,  2, 3, 3, 3, 3, 4, 4, 4, 5, 5, 6, 6, 7, // rows 160..179
    8,  9,  10, 11, 13, 16, 20,                                        // rows 180..186
};

// Half-open span [left, right) of the pixels kept on one row of the region.
struct RegionRowSpan {
    int left;
    int right;
};

// Row y of the set's region, 0 <= y < kSetHeight.
constexpr RegionRowSpan RegionRow(int y) {
    return {g_anRegionInset[y], kSetWidth - g_anRegionInset[y]};
}

// True when (x, y) lies on the set (inside the outline); false outside it and off the 224 x 187 area.
constexpr bool IsInsideSet(int x, int y) {
    return y >= 0 && y < kSetHeight && x >= RegionRow(y).left && x < RegionRow(y).right;
}
