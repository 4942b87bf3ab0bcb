// Full-screen mode's second step: the windows' content laid out for where the window manager let them be.
#include "view/full_screen_fit.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "panel/control_panel_dlg.h"
#include "view/capture_windows.h"
#include "view/full_screen.h"
#include "view/scanline_overlay.h"

using namespace fw;

namespace {

// Whether the fit has moved the panel back by its displacement since the player last placed it: a window
// manager that answers the corrected placement as it did the first would otherwise be asked every tick.
int g_bPanelMovedBack = 0;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SamePoint(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}

// Where a shown window is now; false for no window or a hidden one (nothing of it is on the screen).
bool ShownRect(const CWnd* wnd, RECT* rect) {
    if (!wnd || !wnd->GetSafeHwnd() || !(wnd->GetStyle() & WS_VISIBLE)) return false;
    wnd->GetWindowRect(rect);
    return true;
}

// The strips meant to lie off the screen, hidden where they do not: the top rows hold the focus scroll
// bar, the right columns the window's own scroll bar.
void HideStripsOnScreen(CWheelCaptureWnd& wnd, const RECT& actual) {
    const RECT asked = FullScreenWindowRect();
    if (actual.top > asked.top) wnd.HideFocusScrollBar();
    if (actual.right < asked.right) wnd.HideOwnScrollBar();
}

// True when the movie window is not where it was placed: a window manager keeps it on the screen.
bool FitMovieWindow(CMovieDevice& movie, CMovieWnd* wnd) {
    RECT actual;
    if (!ShownRect(wnd, &actual)) return false;
    HideStripsOnScreen(*wnd, actual);
    const POINT origin = {actual.left, actual.top};
    if (!SamePoint(origin, wnd->m_layoutOrigin)) {
        const PictureDestination d = DestinationOnScreen(origin, g_nScreenWidth, g_nScreenHeight);
        movie.SetDestination(d.left, d.top, d.width, d.height);
        wnd->m_layoutOrigin = origin;
    }
    return !SameRect(actual, FullScreenWindowRect());
}

void FitOverlay(CScanlineWnd* wnd) {
    RECT actual;
    if (!ShownRect(wnd, &actual)) return;
    HideStripsOnScreen(*wnd, actual);
    const POINT origin = {actual.left, actual.top};
    if (!SamePoint(origin, wnd->m_layoutOrigin)) ShapeOverlay(*wnd, origin);
}

// The panel, while it is up. A window manager that moved it (one that puts its frame where the window was
// asked to be, for one) puts it on the strip when asked for the strip less the displacement; one that keeps
// it off the strip whatever is asked keeps it where it is after one try.
void FitPanel(CControlPanelDlg* panel) {
    RECT actual;
    if (g_bFsPanelShown != 1 || !ShownRect(panel, &actual)) return;
    const RECT asked = PanelStripRect();
    if (SameRect(actual, asked) || g_bPanelMovedBack != 0) return;
    g_bPanelMovedBack = 1;
    panel->SetWindowPos(nullptr, 2 * asked.left - actual.left, 2 * asked.top - actual.top, 0, 0,
                        SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A window manager that keeps the movie window on the screen keeps a window covering the screen above all
// others of the program while any of them has the focus (a full-screen window), the panel included. While
// the panel is up the movie window therefore ends where the panel's strip begins: it no longer covers the
// screen, and the panel does not lie under it. The picture keeps its destination; the rows it loses are
// the ones the panel covers.
void ClearPanelStrip(CMovieWnd* movieWnd) {
    RECT actual;
    if (g_bFsPanelShown != 1 || !ShownRect(movieWnd, &actual)) return;
    const int stripTop = PanelStripRect().top;
    if (actual.bottom <= stripTop || actual.top >= stripTop) return;
    movieWnd->SetWindowPos(nullptr, actual.left, actual.top, actual.right - actual.left,
                           stripTop - actual.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

RECT FullScreenWindowRect() {
    return RECT{0, -g_nHideTop, g_nScreenWidth + g_nHideRight, g_nScreenHeight};
}

RECT PanelStripRect() {
    return RECT{0, g_nScreenHeight - kPanelHeight, g_nScreenWidth, g_nScreenHeight};
}

PictureDestination DestinationOnScreen(POINT windowOrigin, int screenWidth, int screenHeight) {
    return PictureDestination{-windowOrigin.x, -windowOrigin.y, screenWidth, screenHeight};
}

void FitFullScreenWindows(CPlayerDlg& dlg) {
    if (FitMovieWindow(dlg.m_movie, dlg.m_pMovieWnd)) ClearPanelStrip(dlg.m_pMovieWnd);
    FitOverlay(dlg.m_pScanlineWnd);
    FitPanel(dlg.m_pControlPanel);
}

void NotePanelPlaced() {
    g_bPanelMovedBack = 0;
}
