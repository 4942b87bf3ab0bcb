// The main window's shape: the set's rounded outline, with the strip right of the skin (where the window's
// scroll bar lives) cut away.
#include "view/window_shape.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/region.h"

using namespace fw;

void CPlayerDlg::BuildWindowShape() {
    SetWindowPos(HWND_TOP, g_nWindowX, g_nWindowY, kSetWidth + g_nHideRight, kSetHeight, SWP_SHOWWINDOW);

    CRgn shape;
    if (!shape.CreateEmpty()) return;
    for (int y = 0; y < kSetHeight; ++y) {
        const RegionRowSpan span = RegionRow(y);
        shape.AddRow(span.left, y, span.right);
    }
    // The window owns the region once it has taken it; a region it refused is freed with `shape`.
    SetWindowRgn(shape, TRUE);
}
