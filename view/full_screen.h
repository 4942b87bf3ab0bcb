// Helpers of full-screen mode shared with the movie controller and the tick (CPlayerDlg's full-screen
// members live in view/full_screen.cpp).
#pragma once

#include "framework/fw_types.h"

class CControlPanelDlg;
class CMovieWnd;
namespace fw {
class CWnd;
}

// Height of the operation panel strip across the bottom of the screen.
constexpr int kPanelHeight = 72;

// SetWindowPos on a full-screen window; nothing when its creation failed and it has no window.
void PlaceIfPresent(fw::CWnd* wnd, fw::HWND after, int x, int y, int cx, int cy, fw::UINT flags);
// The same at the full-screen rectangle of the movie window and the overlay: (0, -g_nHideTop), reaching
// g_nHideRight past the right edge of the screen.
void PlaceFullScreen(fw::CWnd* wnd, fw::HWND after, fw::UINT flags);

// "window movie handle" with the movie window (0 when it has none), then the destination stretched over the
// whole screen below the hidden top rows.
void AimMovieAtMovieWindow(CMovieWnd* movieWnd);

// The panel's four scan-line values into g_nScanLineMode, g_bLineMask, g_nMaskTop, g_nMaskBottom, in that
// order. Nothing without a panel object.
void ReadPanelScanLineSettings(CControlPanelDlg* panel);

// The panel's volume bar value 0..254 for a wave-out volume: the left channel times the single-precision
// number nearest 1/257, truncated.
int PanelVolumeFromDevice(fw::DWORD volume);
