#include "playback/wave_volume.h"

#include "framework/afxwin.h"

namespace {
constexpr uint32_t kMaxLevel = 65535;
constexpr uint32_t kKeyStep = 2730;          // 24 steps from 0 reach 65520; the 25th is cut to 65535
constexpr uint32_t kKnobDivisor = 134217727; // 0x7FFFFFF: full volume gives 32 knob pixels
constexpr uint32_t kVolumePerKnobPixel = 2047;
constexpr float kOneIn257 = 0.0038910506f;

uint32_t KeySteps(uint32_t volume) {
    return (volume & 0xFFFFu) / kKeyStep;
}
} // namespace

uint32_t CWaveVolume::Read() {
    fw::DWORD volume = 0xFFFFFFFFu;
    fw::WaveOutGetVolume(0, &volume);
    return volume;
}

void CWaveVolume::Write(uint32_t volume) {
    fw::WaveOutSetVolume(0, volume);
}

uint32_t CWaveVolume::BothChannels(uint32_t level) {
    return (level & 0xFFFFu) | ((level & 0xFFFFu) << 16);
}

int CWaveVolume::KnobFor(uint32_t volume) {
    return static_cast<int>(volume / kKnobDivisor + static_cast<uint32_t>(kVolKnobMin));
}

uint32_t CWaveVolume::ForKnob(int knobX) {
    if (knobX < kVolKnobMin) knobX = kVolKnobMin;
    if (knobX > kVolKnobMax) knobX = kVolKnobMax;
    return BothChannels(static_cast<uint32_t>(knobX - kVolKnobMin) * kVolumePerKnobPixel);
}

uint32_t CWaveVolume::LevelDown(uint32_t volume) {
    const uint32_t q = KeySteps(volume);
    return q == 0 ? 0 : kKeyStep * q - kKeyStep;
}

uint32_t CWaveVolume::LevelUp(uint32_t volume) {
    const uint32_t level = kKeyStep * (KeySteps(volume) + 1);
    return level > kMaxLevel ? kMaxLevel : level;
}

int CWaveVolume::PanelLevelFor(uint32_t volume) {
    return static_cast<int>(static_cast<double>(volume & 0xFFFFu) * static_cast<double>(kOneIn257));
}

uint32_t CWaveVolume::ForPanelLevel(int level) {
    return (static_cast<uint32_t>(level) & 0xFFu) * 0x01010101u;
}
