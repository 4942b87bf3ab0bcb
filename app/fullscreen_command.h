// The private message through which the full-screen windows (movie window, scan-line overlay) ask the main
// window to toggle the operation panel or to leave full-screen mode. Sent with SendMessage, lParam 0; the
// main window's OnFullScreenCommand runs before the sender's click handler goes on.
#pragma once

#include "framework/fw_types.h"

constexpr fw::UINT WM_FULLSCREEN_COMMAND = fw::WM_USER + 5; // 0x405
constexpr fw::WPARAM kFullScreenTogglePanel = 1;
constexpr fw::WPARAM kFullScreenLeave = 5;
