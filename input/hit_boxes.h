// Hit boxes of the skin's controls, in client pixels of the main window.
//
// A box is (left, top, width, height) and contains both its edges, so it covers (width + 1) x (height + 1)
// pixels. Neighbouring boxes therefore share a column: x = 76 belongs to FF and to STOP, and the test
// order of SkinButtonAt decides that it is FF.
#pragma once

// True when left <= x <= left + width and top <= y <= top + height.
bool HitBox(int left, int top, int width, int height, int x, int y);

struct SkinBox {
    int left, top, width, height;
};

// Fixed boxes. The two knob boxes move with their knob and are built by the knob functions below.
constexpr SkinBox kCloseBox = {183, 160, 18, 19};
constexpr SkinBox kRndBox = {154, 160, 13, 16};
constexpr SkinBox kRepBox = {168, 160, 13, 16};
constexpr SkinBox kFfBox = {62, 161, 14, 17};
constexpr SkinBox kRewBox = {23, 161, 14, 17};
constexpr SkinBox kStopBox = {76, 161, 13, 17};
constexpr SkinBox kFullBox = {136, 162, 16, 15};
constexpr SkinBox kPlayPauseBox = {38, 161, 21, 17};
constexpr SkinBox kPictureBox = {24, 22, 176, 120};

// The knob boxes start at the knob and reach one bar length to its right: a press from the knob
// rightwards grabs it, a press left of it does not.
constexpr int kPosBarLength = 176, kPosBoxHeight = 5;
constexpr int kVolBarLength = 39, kVolBoxHeight = 5;

bool InBox(const SkinBox& box, int x, int y);
bool HitsPositionKnob(int knobX, int barY, int x, int y);
bool HitsVolumeKnob(int knobX, int barY, int x, int y);

// The buttons and switches a left press acts on, in the order they are tested.
enum class SkinButton { None, Rnd, Rep, Ff, Rew, Stop, Full, PlayPause, Picture };

// The first box hit in the order Rnd, Rep, FF, REW, STOP, FULL, PLAY/PAUSE, movie picture.
SkinButton SkinButtonAt(int x, int y);
