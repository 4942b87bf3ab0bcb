// Full-screen mode: the picture stretched over the whole screen in the movie window, the scan-line overlay
// above it, the pointer hidden and pinned, and the operation panel across the bottom on demand. Everything of
// the mode lives in view/: its two windows (capture_windows.h), the overlay's rows and region
// (scanline_overlay.h) and CPlayerDlg's full-screen members (full_screen.cpp: enter, leave, the panel toggle,
// the full-screen open, the polling of the two windows).
#pragma once

// Height of the operation panel strip across the bottom of the screen.
constexpr int kPanelHeight = 72;
