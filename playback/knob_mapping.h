// The position bar: the knob travels 165 pixels, from x 24 to x 189, over the movie's length.
#pragma once

constexpr int kPosKnobMin = 24;
constexpr int kPosKnobMax = 189;

// The single-precision constant just below 1/165: the right end of the bar maps to length - 1, so the end
// of the movie is reached by playing on, not by the drag.
constexpr float kKnobScale = 0.006060606f;

// Knob x to movie position: trunc(length * 0.006060606 * (knob - 24)). Any length the device reports stays
// inside int on the bar; a knob off the bar gives INT_MAX or INT_MIN rather than overflowing.
int KnobToPosition(int length, int knob);

// Movie position to knob x: trunc(position / (length * 0.006060606)) + 24, kept on the bar. A length of 0
// (nothing open) or less puts the knob at the left end; positions before the start or past the end stay
// on the bar instead of overflowing the conversion.
int PositionToKnob(int position, int length);
