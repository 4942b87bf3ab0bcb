// The scan-line overlay's rows and its window: a black window over the full-screen movie, cut to one-pixel
// rows so that only the darkened rows of the picture are covered.
#include "view/scanline_overlay.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/region.h"
#include "view/capture_windows.h"

using namespace fw;

std::vector<int> DarkOverlayRows(int screenHeight, const ScanlineSettings& settings) {
    std::vector<int> rows;
    // Band sizes are hundredths of the height with the remainder dropped: a 768-row screen has 7-row units,
    // and a screen under 100 rows has no bands at all.
    const float unit = static_cast<float>(screenHeight / 100);
    const int top = settings.lineMask ? settings.maskTop : 0;
    const int bottom = settings.lineMask ? settings.maskBottom : 0;
    // In floating point, so that band sizes from an edited settings file cannot overflow.
    const float topEnd = static_cast<float>(top) * unit;
    const float bottomStart = static_cast<float>(screenHeight) - static_cast<float>(bottom) * unit;
    for (int i = 0; i < screenHeight; ++i) {
        const float row = static_cast<float>(i);
        const bool dark = row < topEnd || row > bottomStart || (settings.scanLineMode == 1 && i % 2 == 0) ||
                          (settings.scanLineMode == 2 && i % 2 == 1);
        if (dark) rows.push_back(i);
    }
    return rows;
}

void CPlayerDlg::BuildScanlineOverlay() {
    if (!m_pScanlineWnd) return;
    if (m_pScanlineWnd->GetSafeHwnd()) {
        m_pScanlineWnd->DestroyWindow();
        return;
    }
    // Without a window there is nothing to place or shape (and a region would have no one to own it).
    if (!m_pScanlineWnd->Create()) return;

    m_pScanlineWnd->SetWindowPos(nullptr, 0, -g_nHideTop, g_nScreenWidth, g_nScreenHeight + g_nHideTop,
                                 SWP_NOZORDER | SWP_SHOWWINDOW);
    // Window row g_nHideTop + i is screen row i.
    ShapeOverlay(*m_pScanlineWnd, POINT{0, -g_nHideTop});
}

void ShapeOverlay(CScanlineWnd& overlay, POINT origin) {
    const ScanlineSettings settings = {g_nScanLineMode, g_bLineMask, g_nMaskTop, g_nMaskBottom};
    CRgn shape;
    if (!shape.CreateEmpty()) return;
    for (int i : DarkOverlayRows(g_nScreenHeight, settings))
        shape.AddRow(-origin.x, i - origin.y, g_nScreenWidth - origin.x);
    // The window owns the region once it has taken it; a region it refused is freed with `shape`.
    overlay.SetWindowRgn(shape, TRUE);
    overlay.m_layoutOrigin = origin;
}
