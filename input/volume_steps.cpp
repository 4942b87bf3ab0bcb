#include "input/volume_steps.h"

namespace {
constexpr uint32_t kMaxLevel = 65535;
constexpr uint32_t kKnobDivisor = 134217727;  // 0xFFFFFFFF / 32, rounded down: full volume gives 32

uint32_t KeySteps(uint32_t deviceVolume) { return (deviceVolume & 0xFFFFu) / kVolumeKeyStep; }
}  // namespace

uint32_t BothChannels(uint32_t level) { return (level & 0xFFFFu) | ((level & 0xFFFFu) << 16); }

uint32_t VolumeLevelDown(uint32_t deviceVolume) {
    uint32_t q = KeySteps(deviceVolume);
    return q == 0 ? 0 : kVolumeKeyStep * q - kVolumeKeyStep;
}

uint32_t VolumeLevelUp(uint32_t deviceVolume) {
    uint32_t level = kVolumeKeyStep * (KeySteps(deviceVolume) + 1);
    return level > kMaxLevel ? kMaxLevel : level;
}

int VolumeKnobFromVolume(uint32_t deviceVolume) {
    return static_cast<int>(deviceVolume / kKnobDivisor) + kVolKnobMin;
}

uint32_t VolumeFromKnob(int knobX) {
    if (knobX < kVolKnobMin) knobX = kVolKnobMin;
    if (knobX > kVolKnobMax) knobX = kVolKnobMax;
    return BothChannels(static_cast<uint32_t>(knobX - kVolKnobMin) * kVolumePerKnobPixel);
}
