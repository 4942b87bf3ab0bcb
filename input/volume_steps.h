// Wave-out volume arithmetic of the volume keys and the volume knob. Pure functions: the callers do the
// device reads and writes.
//
// A wave-out volume is 32 bits: low word the left channel, high word the right one, each 0..65535.
#pragma once

#include <cstdint>

// One key step is 2730 (24 steps from 0 reach 65520; the 25th is cut to 65535).
constexpr uint32_t kVolumeKeyStep = 2730;
// The volume knob runs from x 93 (silence) to 125; one knob pixel is 2047 per channel.
constexpr int kVolKnobMin = 93, kVolKnobMax = 125;
constexpr uint32_t kVolumePerKnobPixel = 2047;

// The same level in both channels.
uint32_t BothChannels(uint32_t level);

// Per-channel level after one key step, from the device value read (only its left channel counts).
// Down: 2730 x q - 2730 with q = left / 2730, or 0 when q is 0. Up: 2730 x (q + 1), at most 65535.
uint32_t VolumeLevelDown(uint32_t deviceVolume);
uint32_t VolumeLevelUp(uint32_t deviceVolume);

// Knob x for a written 32-bit volume: value / 134217727 + 93 (unsigned), 93..125.
int VolumeKnobFromVolume(uint32_t deviceVolume);

// Both-channel volume for a knob x: (knob - 93) x 2047 per channel. Knobs outside 93..125 are clamped
// first, so the result stays within the channel range.
uint32_t VolumeFromKnob(int knobX);
