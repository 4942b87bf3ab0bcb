// PollKeys: the keyboard, read as "held now" once per tick (the main window gets no key messages).
#include "app/globals.h"
#include "app/player_dlg.h"

using namespace fw;

namespace {

constexpr int kEntryChangeCooldown = 7; // ticks between entry changes by a held arrow key (350 ms)
constexpr int kSpaceCooldown = 5;       // ticks between play/pause toggles by a held Space (250 ms)
constexpr signed char kRightBit = 2, kLeftBit = 4;

bool Held(int vk) {
    return AsyncKeyState(vk) < 0;
}

// One volume key step: reads the device (a failed read gives full volume), writes the new level to both
// channels and moves the knob to match what was written.
void StepVolume(CWaveVolume& device, bool up) {
    const uint32_t volume = device.Read();
    const uint32_t written =
        CWaveVolume::BothChannels(up ? CWaveVolume::LevelUp(volume) : CWaveVolume::LevelDown(volume));
    device.Write(written);
    g_nVolKnobX = CWaveVolume::KnobFor(written);
}

} // namespace

char CPlayerDlg::PollKeys() {
    // Keys belong to the active window; in full-screen mode the player owns the screen either way.
    if (g_bActive != 1 && g_bFullScreen != 1) return 0;

    signed char arrows = 0;
    if (Held(VK_RETURN) && Held(VK_MENU) && g_nKeyCooldown == 0) SetFullScreen(g_bFullScreen == 1 ? 1 : 0);
    if (Held(VK_SUBTRACT) || Held(VK_NEXT)) StepVolume(m_volume, false);
    if (Held(VK_ADD) || Held(VK_PRIOR)) StepVolume(m_volume, true);

    // Each later key overrides g_nScanStep: Up wins over Left over Right over Down.
    if (Held(VK_DOWN)) g_nScanStep = -1;
    if (Held(VK_RIGHT)) {
        arrows += kRightBit;
        g_nFfLitTicks = 2;
        if (g_bPaused == 0) {
            g_nScanStep = 0;
            g_nScanSpeed = 0;
            if (g_nKeyCooldown == 0) {
                NextEntry();
                g_nKeyCooldown = kEntryChangeCooldown;
            }
        } else {
            g_nScanStep = 1;
        }
    }
    if (Held(VK_LEFT)) {
        arrows += kLeftBit;
        g_nRewLitTicks = 2;
        if (g_bPaused == 0) {
            g_nScanStep = 0;
            g_nScanSpeed = 0;
            if (g_nKeyCooldown == 0) {
                PreviousEntry();
                g_nKeyCooldown = kEntryChangeCooldown;
            }
        } else {
            g_nScanStep = -1;
        }
    }
    if (Held(VK_UP)) g_nScanStep = 1;
    if (Held(VK_SPACE) && g_nKeyCooldown == 0) {
        g_nKeyCooldown = kSpaceCooldown;
        g_nScanStep = 0;
        RequestPlayPause();
    }
    g_cArrowKeys = arrows;
    return static_cast<char>(arrows);
}
