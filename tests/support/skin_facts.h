// The skin's geometry written out a second time, independently of the code's own tables (res/skin_layout.h,
// view/window_shape.h): a wrong number there must show up as a difference here, not be copied into the
// expectation. Plain data for any test; no framework.
#pragma once

namespace facts {

struct Box {
    int x, y, w, h;
};

// The set's outline as runs of rows with the same inset (left and right alike).
struct InsetRun {
    int firstRow, lastRow, inset;
};
constexpr InsetRun kOutline[] = {
    {0, 0, 21},     {1, 1, 16},     {2, 2, 13},     {3, 3, 11},     {4, 4, 10},     {5, 5, 9},
    {6, 6, 8},      {7, 8, 7},      {9, 10, 6},     {11, 13, 5},    {14, 18, 4},    {19, 25, 3},
    {26, 43, 2},    {44, 90, 1},    {91, 148, 0},   {149, 160, 1},  {161, 167, 2},  {168, 171, 3},
    {172, 174, 4},  {175, 176, 5},  {177, 178, 6},  {179, 179, 7},  {180, 180, 8},  {181, 181, 9},
    {182, 182, 10}, {183, 183, 11}, {184, 184, 13}, {185, 185, 16}, {186, 186, 20},
};
// The inset of row y, 0 <= y < 187; -1 for any other row.
constexpr int Inset(int y) {
    for (const InsetRun& r : kOutline)
        if (y >= r.firstRow && y <= r.lastRow) return r.inset;
    return -1;
}

// Set coordinates of the controls (each also a hit box with both edges inside).
constexpr Box kScreen = {24, 22, 176, 120};
constexpr Box kRew = {23, 161, 14, 17};
constexpr Box kPlayPause = {38, 161, 21, 17};
constexpr Box kFf = {62, 161, 14, 17};
constexpr Box kStop = {76, 161, 13, 17};
constexpr Box kFull = {136, 162, 16, 15};
constexpr Box kRnd = {154, 160, 13, 16};
constexpr Box kRep = {168, 160, 13, 16};
constexpr Box kClose = {183, 160, 18, 19};
constexpr int kLitOffset = 224; // the lit set's distance from the unlit one on the sheet

// Sheet sprites outside the two sets.
constexpr Box kPosKnob = {448, 0, 11, 7};
constexpr Box kPosKnobRed = {459, 0, 11, 7};
constexpr Box kVolKnob = {470, 0, 7, 6};
constexpr Box kVolKnobRed = {477, 0, 7, 6};
constexpr Box kGreyPlayPause = {484, 0, 21, 17};
constexpr Box kWide[3] = {{19, 216, 35, 8}, {310, 247, 35, 8}, {229, 260, 42, 10}};

} // namespace facts
