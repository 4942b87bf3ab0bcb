// Program-wide player state. Touched only on the UI thread; the timer tick reads the requests that message
// handlers leave here. ResetPlayerState() restores every initial value (tests call it between cases).
#pragma once

#include <cstdint>

// ---- Main window (start-up, activation, wheel) ----
extern int g_nWindowX, g_nWindowY; // screen position of the main window (settings positions 1, 2)
extern int g_bActive;              // the main window is the active window
extern int g_nWheelStep;           // +1 / -1 / 0: wheel notch seen by the main window, consumed by the tick
extern int g_bSetUpDone;           // the first tick has done the one-time set-up

// ---- Movie controller ----
extern int g_bPaused, g_bClosed, g_nScanSpeed, g_nPosition, g_nLength;
extern int g_nCurrentIndex, g_nEntryCount, g_bRandom, g_bRepeat;
extern int g_nFfLitTicks, g_nRewLitTicks;
extern int g_nPrevArrowKeys;
extern const int g_anJumpSeconds[10];
extern const int g_anScanFrames[10];

// ---- Input requests, key cool-down, knobs ----
extern int g_nScanStep, g_bPlayPauseRequest, g_bQuitRequest, g_nKeyCooldown;
extern signed char g_cArrowKeys;
extern int g_nPosDrag, g_nVolDrag, g_nPosKnobX, g_nPosKnobY, g_nVolKnobX, g_nVolKnobY;

// ---- Full-screen state and geometry ----
extern int g_bFullScreen, g_bFsPanelShown, g_nScreenWidth, g_nScreenHeight;
extern const int g_nHideTop;   // 20
extern const int g_nHideRight; // 50: width added right of the skin

// ---- Scan lines and letterbox bands ----
extern int g_nScanLineMode, g_bLineMask, g_nMaskTop, g_nMaskBottom;

// ---- Settings carried by the settings file ----
extern int g_nWheel1Play, g_nWheel1Pause, g_nWheel2Mode, g_nBottunMode;

// ---- Skin canvas ----
extern const int g_nCanvasPitch; // 640 pixels
extern unsigned char* g_pCanvasTop;

void ResetPlayerState();
