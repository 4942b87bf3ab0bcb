// Full-screen mode under a window manager that does not let a window go where it was placed.
//
// The movie window and the overlay are placed g_nHideTop rows above the screen and g_nHideRight columns past
// its right edge, so that their two scroll bars lie off the screen and window row g_nHideTop is screen row
// 0. A window manager may refuse that: one that keeps windows on the screen makes a window covering the
// screen exactly the screen (Wine asks for a full-screen window, and openbox sizes it to the monitor). It
// answers after the placing call has returned, so the player learns it by reading back where its windows
// are, once per tick, and lays out what each window shows for where it is:
//  - the movie window: the picture's destination chosen so that it covers exactly the screen;
//  - the overlay: its dark rows on the screen rows they are meant for;
//  - both: the focus scroll bar hidden when the window's top rows are on the screen, its own vertical scroll
//    bar hidden when its right columns are;
//  - while the panel is up: the movie window ends where the panel's strip begins (such a window manager
//    keeps a full-screen window above the program's other windows), and a panel the window manager moved
//    off the strip is placed once more, against the displacement.
// The pointer's pinned pixel is a screen position and needs nothing: with the focus scroll bar hidden and
// the rows where they belong, it lies on the window it was pinned for.
//
// Where placements succeed (Windows; Wine without a window manager) every read-back equals the request and
// nothing is done: no call beyond the reads.
#pragma once

#include "framework/fw_types.h"

class CPlayerDlg;

// The rectangles full-screen mode places its windows at (screen coordinates, right and bottom exclusive),
// from g_nScreenWidth and g_nScreenHeight.
fw::RECT FullScreenWindowRect(); // movie window and overlay: (0, -g_nHideTop) to (W + g_nHideRight, H)
fw::RECT PanelStripRect();       // operation panel: (0, H - 72) to (W, H)

// The picture's destination (client pixels: left, top, width, height) that covers exactly the screen in a
// window whose top-left corner is at `windowOrigin` on the screen.
struct PictureDestination {
    int left, top, width, height;
};
PictureDestination DestinationOnScreen(fw::POINT windowOrigin, int screenWidth, int screenHeight);

// The second step after the placements: reads back where the full-screen windows are and adapts what they
// show (see above). Called by the tick while full-screen mode is on.
void FitFullScreenWindows(CPlayerDlg& dlg);
// The player has placed the panel on the bottom strip (again): the fit may move it once more.
void NotePanelPlaced();
