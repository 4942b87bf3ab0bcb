// Volume arithmetic of the volume keys, the volume knob and the panel's volume bar.
#include "playback/wave_volume.h"

#include <gtest/gtest.h>

namespace {

TEST(WaveVolume, KeyStepsFromTheLeftChannel) {
    const struct {
        uint32_t read, up, down;
    } cases[] = {
        {65000, 65520, 60060},
        {65520, 65535, 62790},
        {2000, 2730, 0},
        {5460, 8190, 2730},
        {0, 2730, 0},
        {0xFFFFFFFFu, 65535, 62790},      // the preset of a failed read: full volume
        {0x1000u | 0xABCD0000u, 5460, 0}, // the right channel does not count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CWaveVolume::LevelUp(c.read), c.up) << c.read;
        EXPECT_EQ(CWaveVolume::LevelDown(c.read), c.down) << c.read;
    }
}

TEST(WaveVolume, KnobAndVolumeConvertBothWays) {
    const struct {
        uint32_t written;
        int knob;
    } toKnob[] = {
        {0, 93},
        {CWaveVolume::BothChannels(65535), 125},
        {CWaveVolume::BothChannels(65520), 124},
        {CWaveVolume::BothChannels(2730), 94},
        {134217726u, 93},
        {134217727u, 94},
        {0xFFFFFFFFu, 125},
    };
    for (const auto& c : toKnob)
        EXPECT_EQ(CWaveVolume::KnobFor(c.written), c.knob) << c.written;
    const struct {
        int knob;
        uint32_t volume;
    } toVolume[] = {
        {93, 0}, {94, 2047u * 65537u}, {125, 65504u * 65537u}, {80, 0}, {200, 65504u * 65537u},
    };
    for (const auto& c : toVolume)
        EXPECT_EQ(CWaveVolume::ForKnob(c.knob), c.volume) << c.knob;
}

TEST(WaveVolume, PanelBarAndVolumeConvertBothWays) {
    EXPECT_EQ(CWaveVolume::ForPanelLevel(255), 0xFFFFFFFFu);
    EXPECT_EQ(CWaveVolume::ForPanelLevel(1), 0x01010101u);
    EXPECT_EQ(CWaveVolume::ForPanelLevel(0), 0u);
    EXPECT_EQ(CWaveVolume::ForPanelLevel(0x1FF), 0xFFFFFFFFu) << "only the low byte counts";
    // The left channel to the bar: 257 x k shows as k - 1, one more as k; the right channel does not count.
    const struct {
        uint32_t volume;
        int bar;
    } toBar[] = {{0, 0},   {257, 0},      {258, 1},         {514, 1},
                 {515, 2}, {0xFFFF, 254}, {0xFFFF0000u, 0}, {0x0101FFFFu, 254}};
    for (const auto& c : toBar)
        EXPECT_EQ(CWaveVolume::PanelLevelFor(c.volume), c.bar) << c.volume;
}

} // namespace
