// CWaveVolume: the volume of wave-out device 0, and the arithmetic every control of it shares (the volume
// knob, the volume keys, the operation panel's volume bar).
//
// A volume is 32 bits: low word the left channel, high word the right one, each 0..65535.
#pragma once

#include <cstdint>

class CWaveVolume {
public:
    // The device's volume, read into a value preset to all ones: a failed read gives full volume.
    uint32_t Read();
    // Sets the device's volume; the result is not examined.
    void Write(uint32_t volume);

    // ---- Arithmetic (no device) ----

    // The same per-channel level in both channels.
    static uint32_t BothChannels(uint32_t level);
    // The volume knob's x for a volume: volume / 134217727 + 93 in unsigned 32-bit arithmetic, so silence is
    // 93 and full volume (all ones) 125.
    static int KnobFor(uint32_t volume);
    // The volume for a knob x: (knob - 93) x 2047 per channel (0 .. 65504 in 32 steps); knobs outside 93..125
    // are clamped first.
    static uint32_t ForKnob(int knobX);
    // One key step from a volume read (only its left channel counts; one step is 2730). Down: 2730 x q - 2730
    // with q = left / 2730, or 0 when q is 0. Up: 2730 x (q + 1), at most 65535. Per-channel levels.
    static uint32_t LevelDown(uint32_t volume);
    static uint32_t LevelUp(uint32_t volume);
    // The panel's volume bar 0..254 for a volume: the left channel times the single-precision number nearest
    // 1/257, truncated, so 65535 shows as 254 and a channel volume of 257 x k as k - 1.
    static int PanelLevelFor(uint32_t volume);
    // The volume for a panel bar value 0..255: the byte in all four bytes, each channel v x 257.
    static uint32_t ForPanelLevel(int level);
};

// The volume knob's travel.
constexpr int kVolKnobMin = 93, kVolKnobMax = 125;
