// The program-wide state: every variable starts at its documented value, and ResetPlayerState (which every
// host test relies on) gives exactly those values back.
#include "app/globals.h"
#include "panel/control_panel_dlg.h"
#include "view/capture_windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every resettable variable, in one list, read as ints.
std::vector<int> Everything() {
    return {g_nWindowX,
            g_nWindowY,
            g_bActive,
            g_nWheelStep,
            g_bSetUpDone,
            g_bPaused,
            g_bClosed,
            g_nScanSpeed,
            g_nPosition,
            g_nLength,
            g_nCurrentIndex,
            g_nEntryCount,
            g_bRandom,
            g_bRepeat,
            g_nFfLitTicks,
            g_nRewLitTicks,
            g_nPrevArrowKeys,
            g_nScanStep,
            g_bPlayPauseRequest,
            g_bQuitRequest,
            g_nKeyCooldown,
            g_cArrowKeys,
            g_nPosDrag,
            g_nVolDrag,
            g_nPosKnobX,
            g_nPosKnobY,
            g_nVolKnobX,
            g_nVolKnobY,
            g_bFullScreen,
            g_bFsPanelShown,
            g_nScreenWidth,
            g_nScreenHeight,
            g_nScanLineMode,
            g_bLineMask,
            g_nMaskTop,
            g_nMaskBottom,
            g_nWheel1Play,
            g_nWheel1Pause,
            g_nWheel2Mode,
            g_nBottunMode,
            g_pCanvasTop != nullptr,
            g_nMovieWheel,
            g_bMovieMiddle,
            g_bMovieLeft,
            g_nMovieClickMode,
            g_nOverlayWheel,
            g_bOverlayMiddle,
            g_bOverlayLeft,
            g_nOverlayClickMode,
            g_nPanelSeekRequest,
            g_nPanelSeekTarget,
            g_nPanelVolumeRequest,
            g_nPanelVolume,
            g_nPanelButtonRequest,
            g_nPanelCommand,
            g_nPanelPlayToggle,
            g_nPanelLength,
            g_nPanelScanLineMode,
            g_nPanelMaskTop,
            g_nPanelMaskBottom,
            g_bPanelLineMask};
}

// The same list, written out: Rep on, the main window active, the knobs at the left ends of their bars and
// on their bars' rows, the panel's line mask on; everything else 0.
std::vector<int> Documented() {
    std::vector<int> v(Everything().size(), 0);
    v[2] = 1;   // g_bActive
    v[13] = 1;  // g_bRepeat
    v[24] = 24; // g_nPosKnobX
    v[25] = 150;
    v[26] = 93;
    v[27] = 172;
    v.back() = 1; // g_bPanelLineMask
    return v;
}

// Taken during static initialisation, before any test has reset anything: the program's own start values.
const std::vector<int> kAtProgramStart = Everything();

TEST(PlayerState, StartsAtTheDocumentedValues) {
    EXPECT_EQ(kAtProgramStart, Documented());
}

TEST(PlayerState, ResetGivesEveryStartValueBack) {
    g_nWindowX = g_nWindowY = g_nWheelStep = g_bSetUpDone = g_bPaused = g_bClosed = g_nScanSpeed = 7;
    g_nPosition = g_nLength = g_nCurrentIndex = g_nEntryCount = g_bRandom = g_nFfLitTicks = g_nRewLitTicks =
        7;
    g_bActive = g_bRepeat = g_nPrevArrowKeys = g_nScanStep = g_bPlayPauseRequest = g_bQuitRequest = 7;
    g_nKeyCooldown = g_nPosDrag = g_nVolDrag = g_nPosKnobX = g_nPosKnobY = g_nVolKnobX = g_nVolKnobY = 7;
    g_bFullScreen = g_bFsPanelShown = g_nScreenWidth = g_nScreenHeight = g_nScanLineMode = g_bLineMask = 7;
    g_nMaskTop = g_nMaskBottom = g_nWheel1Play = g_nWheel1Pause = g_nWheel2Mode = g_nBottunMode = 7;
    g_cArrowKeys = 7;
    static unsigned char pixel;
    g_pCanvasTop = &pixel;
    g_nMovieWheel = g_bMovieMiddle = g_bMovieLeft = g_nMovieClickMode = g_nOverlayWheel = 7;
    g_bOverlayMiddle = g_bOverlayLeft = g_nOverlayClickMode = g_nPanelSeekRequest = g_nPanelSeekTarget = 7;
    g_nPanelVolumeRequest = g_nPanelVolume = g_nPanelButtonRequest = g_nPanelCommand = g_nPanelPlayToggle = 7;
    g_nPanelLength = g_nPanelScanLineMode = g_nPanelMaskTop = g_nPanelMaskBottom = g_bPanelLineMask = 7;
    ResetPlayerState();
    EXPECT_EQ(Everything(), Documented());
}

} // namespace
