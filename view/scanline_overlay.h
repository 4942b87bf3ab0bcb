// Rows the scan-line overlay darkens. The overlay is a black window laid over the full-screen movie and
// shaped to one-pixel rows, so the movie shows through everywhere else; CPlayerDlg::BuildScanlineOverlay
// (view/scanline_overlay.cpp) creates it and gives it the region of these rows.
#pragma once

#include "framework/fw_types.h"

#include <vector>

class CScanlineWnd;

struct ScanlineSettings {
    int scanLineMode; // 0 off, 1 even screen rows dark, 2 odd screen rows dark
    int lineMask;     // non-zero: the two bands apply
    int maskTop;      // band heights in hundredths of the screen height (rounded down to whole rows)
    int maskBottom;
};

// Screen rows 0..screenHeight-1 that are dark, in ascending order.
std::vector<int> DarkOverlayRows(int screenHeight, const ScanlineSettings& settings);

// Gives the overlay's window the region of the dark rows of the current settings, laid out for a window
// whose top-left corner is at `origin` on the screen: screen row i is window row i - origin.y, and a row
// spans the screen's columns 0..g_nScreenWidth. Records `origin` as the overlay's layout origin. Nothing
// when the region cannot be made.
void ShapeOverlay(CScanlineWnd& overlay, fw::POINT origin);
