// Volume arithmetic of the volume keys and the volume knob.
#include "input/volume_steps.h"

#include <gtest/gtest.h>

namespace {

TEST(VolumeSteps, KeyStepsFromTheLeftChannel) {
    const struct { uint32_t read, up, down; } cases[] = {
        {65000, 65520, 60060}, {65520, 65535, 62790}, {2000, 2730, 0}, {5460, 8190, 2730}, {0, 2730, 0},
        {0xFFFFFFFFu, 65535, 62790},           // the preset of a failed read: full volume
        {0x1000u | 0xABCD0000u, 5460, 0},      // the right channel does not count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VolumeLevelUp(c.read), c.up) << c.read;
        EXPECT_EQ(VolumeLevelDown(c.read), c.down) << c.read;
    }
}

TEST(VolumeSteps, KnobAndVolumeConvertBothWays) {
    const struct { uint32_t written; int knob; } toKnob[] = {
        {0, 93}, {BothChannels(65535), 125}, {BothChannels(65520), 124}, {BothChannels(2730), 94},
        {134217726u, 93}, {134217727u, 94},
    };
    for (const auto& c : toKnob) EXPECT_EQ(VolumeKnobFromVolume(c.written), c.knob) << c.written;
    const struct { int knob; uint32_t volume; } toVolume[] = {
        {93, 0}, {94, 2047u * 65537u}, {125, 65504u * 65537u}, {80, 0}, {200, 65504u * 65537u},
    };
    for (const auto& c : toVolume) EXPECT_EQ(VolumeFromKnob(c.knob), c.volume) << c.knob;
}

}  // namespace
