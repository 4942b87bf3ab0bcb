#include "app/globals.h"
#include "playback/knob_mapping.h"
#include "playback/wave_volume.h"
#include "res/skin_layout.h"
#include "view/capture_windows.h"
#include "panel/control_panel_dlg.h"

int g_nWindowX, g_nWindowY;
int g_bActive = 1;
int g_nWheelStep;
int g_bSetUpDone;

int g_bPaused, g_bClosed, g_nScanSpeed, g_nPosition, g_nLength;
int g_nCurrentIndex, g_nEntryCount, g_bRandom, g_bRepeat = 1;
int g_nFfLitTicks, g_nRewLitTicks;
int g_nPrevArrowKeys;
const int g_anJumpSeconds[10] = {0, 1, 2, 4, 6, 9, 12, 15, 20, 24};
const int g_anScanFrames[10] = {0, 1, 1, 2, 4, 6, 8, 16, 32, 64};

int g_nScanStep, g_bPlayPauseRequest, g_bQuitRequest, g_nKeyCooldown;
signed char g_cArrowKeys;
// The knobs start at the left ends of their bars.
int g_nPosDrag, g_nVolDrag, g_nPosKnobX = kPosKnobMin, g_nPosKnobY = kPosBarY, g_nVolKnobX = kVolKnobMin,
                            g_nVolKnobY = kVolBarY;

int g_bFullScreen, g_bFsPanelShown, g_nScreenWidth, g_nScreenHeight;
const int g_nHideTop = 20;
const int g_nHideRight = 50;

int g_nScanLineMode, g_bLineMask, g_nMaskTop, g_nMaskBottom;

int g_nWheel1Play, g_nWheel1Pause, g_nWheel2Mode, g_nBottunMode;

const int g_nCanvasPitch = 640;
unsigned char* g_pCanvasTop;

void ResetPlayerState() {
    g_nWindowX = g_nWindowY = 0;
    g_bActive = 1;
    g_nWheelStep = 0;
    g_bSetUpDone = 0;
    g_bPaused = g_bClosed = g_nScanSpeed = g_nPosition = g_nLength = 0;
    g_nCurrentIndex = g_nEntryCount = g_bRandom = 0;
    g_bRepeat = 1;
    g_nFfLitTicks = g_nRewLitTicks = 0;
    g_nPrevArrowKeys = 0;
    g_nScanStep = g_bPlayPauseRequest = g_bQuitRequest = g_nKeyCooldown = 0;
    g_cArrowKeys = 0;
    g_nPosDrag = g_nVolDrag = 0;
    g_nPosKnobX = kPosKnobMin;
    g_nPosKnobY = kPosBarY;
    g_nVolKnobX = kVolKnobMin;
    g_nVolKnobY = kVolBarY;
    g_bFullScreen = g_bFsPanelShown = g_nScreenWidth = g_nScreenHeight = 0;
    g_nScanLineMode = g_bLineMask = g_nMaskTop = g_nMaskBottom = 0;
    g_nWheel1Play = g_nWheel1Pause = g_nWheel2Mode = g_nBottunMode = 0;
    g_pCanvasTop = nullptr;
    ResetWheelCaptureState();
    ResetControlPanelState();
}
