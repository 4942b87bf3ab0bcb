// The main window's shape: the set's rounded outline, with the strip right of the skin (where the window's
// scroll bar lives) cut away.
#include "view/window_shape.h"

#include "app/globals.h"
#include "app/player_dlg.h"

void CPlayerDlg::BuildWindowShape() {
    SetWindowPos(HWND_TOP, g_nWindowX, g_nWindowY, kSetWidth + g_nHideRight, kSetHeight, SWP_SHOWWINDOW);

    HRGN shape = plat::CreateRectRegion(0, 0, 0, 0);
    if (!shape) return;
    for (int y = 0; y < kSetHeight; ++y) {
        const RegionRowSpan span = RegionRow(y);
        HRGN row = plat::CreateRectRegion(span.left, y, span.right, y + 1);
        if (!row) continue;
        // The rows are disjoint, so XOR makes their union.
        plat::CombineRegions(shape, shape, row, RGN_XOR);
        plat::DeleteGdiObject(AsGdiObject(row));
    }
    // The window owns the region once it has taken it; a region it refused would otherwise leak.
    if (!SetWindowRgn(shape, TRUE)) plat::DeleteGdiObject(AsGdiObject(shape));
}
