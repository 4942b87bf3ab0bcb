// Hit boxes of the skin's controls, in client pixels of the main window.
//
// A box is a rectangle of the skin layout (left, top, width, height) that contains both its edges, so it
// covers (width + 1) x (height + 1) pixels. Neighbouring boxes therefore share a column: x = 76 belongs to
// FF and to STOP, and the test order of SkinButtonAt decides that it is FF.
#pragma once

#include "res/skin_layout.h"

// True when left <= x <= left + width and top <= y <= top + height.
bool HitBox(int left, int top, int width, int height, int x, int y);
bool InBox(const SkinRect& box, int x, int y);

// The knob boxes start at the knob and reach one bar length to its right: a press from the knob rightwards
// grabs it, a press left of it does not.
bool HitsPositionKnob(int knobX, int barY, int x, int y);
bool HitsVolumeKnob(int knobX, int barY, int x, int y);

// The buttons and switches a left press acts on, in the order they are tested.
enum class SkinButton { None, Rnd, Rep, Ff, Rew, Stop, Full, PlayPause, Picture };

// The first box hit in the order Rnd, Rep, FF, REW, STOP, FULL, PLAY/PAUSE, movie picture.
SkinButton SkinButtonAt(int x, int y);
