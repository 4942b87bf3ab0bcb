// Full-screen mode: the picture stretched over the whole screen in the movie window, the scan-line overlay
// above it, the pointer hidden and pinned to one pixel that lies on one of the two (so they catch the wheel
// and the clicks), and the operation panel across the bottom on demand. The main window stays where it was,
// beneath the topmost full-screen windows, and the tick keeps composing its skin.
//
// Both full-screen windows begin g_nHideTop rows above the screen and reach g_nHideRight pixels past its
// right edge: their focus scroll bar and their own vertical scroll bar lie off the screen, and window row
// g_nHideTop is screen row 0. Where a window manager keeps them on the screen instead, the tick adapts what
// they show to where they are (view/full_screen_fit.h).
#include "view/full_screen.h"

#include "app/fullscreen_command.h"
#include "app/globals.h"
#include "app/player_dlg.h"
#include "panel/control_panel_dlg.h"
#include "res/skin_layout.h"
#include "view/capture_windows.h"
#include "view/full_screen_fit.h"

using namespace fw;

namespace {

// SetWindowPos on a full-screen window; nothing when its creation failed and it has no window.
void PlaceIfPresent(CWnd* wnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    if (wnd && wnd->GetSafeHwnd()) wnd->SetWindowPos(after, x, y, cx, cy, flags);
}

// The full-screen rectangle of the movie window and the overlay.
void PlaceFullScreen(CWnd* wnd, HWND after, UINT flags) {
    PlaceIfPresent(wnd, after, 0, -g_nHideTop, g_nScreenWidth + g_nHideRight, g_nScreenHeight + g_nHideTop,
                   flags);
}

// The panel's strip across the bottom of the screen.
void PlacePanel(CWnd* panel, HWND after, int width, UINT flags) {
    PlaceIfPresent(panel, after, 0, g_nScreenHeight - kPanelHeight, width, kPanelHeight, flags);
    if (flags & SWP_SHOWWINDOW) NotePanelPlaced();
}

// The device draws into the movie window (0 when it has none), stretched over the whole screen below the
// hidden top rows.
void AimAtMovieWindow(CMovieDevice& movie, CMovieWnd* movieWnd) {
    movie.ShowIn(movieWnd ? movieWnd->GetSafeHwnd() : nullptr);
    movie.SetDestination(0, g_nHideTop, g_nScreenWidth, g_nScreenHeight);
    if (movieWnd) movieWnd->m_layoutOrigin = POINT{0, -g_nHideTop};
}

// The panel's four scan-line values into g_nScanLineMode, g_bLineMask, g_nMaskTop, g_nMaskBottom, in that
// order. Nothing without a panel object.
void ReadPanelScanLineSettings(CControlPanelDlg* panel) {
    if (!panel) return;
    g_nScanLineMode = panel->GetScanLineSetting(CControlPanelDlg::kSettingMode);
    g_bLineMask = panel->GetScanLineSetting(CControlPanelDlg::kSettingLineMask);
    g_nMaskTop = panel->GetScanLineSetting(CControlPanelDlg::kSettingMaskTop);
    g_nMaskBottom = panel->GetScanLineSetting(CControlPanelDlg::kSettingMaskBottom);
}

// The pointer, hidden, confined to the one pixel (0, y0): on a dark row in either scan-line mode, so the
// overlay catches the mouse; otherwise on the movie window (or the overlay's top band when there is one).
void PinPointer() {
    const int y0 = g_nScanLineMode == 2 ? 1 : 0;
    const RECT pixel = {0, y0, 1, y0 + 1};
    ClipPointer(&pixel);
    SetPointerPos(0, y0);
}

void FreePointer() {
    ClipPointer(nullptr);
}

// Picks the movie up again where the player state says: playing, or standing at g_nPosition.
void ResumeByState(CMovieDevice& movie) {
    if (g_bPaused == 0)
        movie.Play();
    else
        movie.Seek(g_nPosition);
}

void SetClickModes(CMovieWnd* movieWnd, CScanlineWnd* overlay, int mode) {
    if (overlay) overlay->SetClickMode(CWheelCaptureWnd::kClickModeFlag, mode);
    if (movieWnd) movieWnd->SetClickMode(CWheelCaptureWnd::kClickModeFlag, mode);
}

void DestroyIfPresent(CWnd* wnd) {
    if (wnd && wnd->GetSafeHwnd()) wnd->DestroyWindow();
}

int PollIfPresent(CWheelCaptureWnd* wnd, int which) {
    return wnd ? wnd->Poll(which) : 0;
}

} // namespace

void CPlayerDlg::SetFullScreen(int flag) {
    if (flag == 0)
        EnterFullScreen();
    else
        LeaveFullScreen();
}

void CPlayerDlg::EnterFullScreen() {
    ShowPointer(FALSE);
    m_movie.ShowInOwnWindow();

    g_nScreenWidth = g_nScreenHeight = 0;
    g_bFsPanelShown = 0;
    RECT desktop = {0, 0, 0, 0};
    CWnd(CWnd::GetDesktopWindow()).GetClientRect(&desktop);
    g_nScreenWidth = desktop.right;
    g_nScreenHeight = desktop.bottom;

    if (m_pControlPanel && !m_pControlPanel->GetSafeHwnd()) {
        m_pControlPanel->CreatePanel();
        m_pControlPanel->SetScanLineSettings(g_nScanLineMode, g_bLineMask, g_nMaskTop, g_nMaskBottom);
        ReadPanelScanLineSettings(m_pControlPanel);
    }
    SetClickModes(m_pMovieWnd, m_pScanlineWnd, g_nBottunMode);
    PinPointer();

    if (m_pMovieWnd && !m_pMovieWnd->GetSafeHwnd()) m_pMovieWnd->Create();
    PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW);

    m_movie.Pause();
    AimAtMovieWindow(m_movie, m_pMovieWnd);

    if (m_pScanlineWnd) {
        BuildScanlineOverlay();
        PlaceFullScreen(m_pScanlineWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
    }
    ResumeByState(m_movie);
    g_bFullScreen = 1;

    // A pause and a resume after a short wait make the device repaint into its new window.
    TogglePlayPause();
    WaitTenths(7);
    TogglePlayPause();
}

void CPlayerDlg::LeaveFullScreen() {
    FreePointer();
    g_nPosDrag = 1;
    g_nVolDrag = 0;
    g_nKeyCooldown = 10;
    // While the panel is up the pointer is visible already: showing it again would unbalance the count.
    if (g_bFsPanelShown != 1) ShowPointer(TRUE);
    g_bFullScreen = 0;
    m_movie.ShowInOwnWindow();

    ReadPanelScanLineSettings(m_pControlPanel);
    DestroyIfPresent(m_pMovieWnd);
    DestroyIfPresent(m_pScanlineWnd);
    DestroyIfPresent(m_pControlPanel);

    g_bFsPanelShown = 0;
    m_movie.Pause();
    m_movie.ShowIn(m_hWnd);
    m_movie.SetDestination(kScreenHole.x, kScreenHole.y, kScreenHole.w, kScreenHole.h);

    // One pixel larger first, then the normal size: the resize makes the window repaint its skin.
    SetWindowPos(HWND_TOP, g_nWindowX, g_nWindowY, kSetWidth + g_nHideRight + 1, kSetHeight + 1,
                 SWP_SHOWWINDOW);
    SetWindowPos(HWND_TOP, g_nWindowX, g_nWindowY, kSetWidth + g_nHideRight, kSetHeight, SWP_SHOWWINDOW);

    if (g_bPaused == 0)
        m_movie.PlayFrom(g_nPosition);
    else
        m_movie.Seek(g_nPosition);

    TogglePlayPause();
    WaitTenths(5);
    TogglePlayPause();
    g_nPosDrag = 0;
}

LRESULT CPlayerDlg::OnFullScreenCommand(WPARAM code, LPARAM lp) {
    (void)lp;
    if (code == kFullScreenLeave) {
        SetFullScreen(1);
        return 0;
    }
    g_bFsPanelShown = g_bFsPanelShown == 0 ? 1 : 0;
    if (g_bFsPanelShown == 1)
        ShowControlPanel();
    else
        HideControlPanel();
    return 0;
}

void CPlayerDlg::ShowControlPanel() {
    FreePointer();
    // A single left click now asks for the panel to close.
    SetClickModes(m_pMovieWnd, m_pScanlineWnd, 0);
    ShowPointer(TRUE);

    const uint32_t volume = m_volume.Read();
    if (m_pControlPanel)
        m_pControlPanel->SetBar(CControlPanelDlg::kBarVolume, CWaveVolume::PanelLevelFor(volume));

    PlaceIfPresent(m_pScanlineWnd, HWND_NOTOPMOST, 0, -g_nHideTop, g_nScreenWidth,
                   g_nScreenHeight + g_nHideTop, SWP_HIDEWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE);

    m_movie.Pause();
    AimAtMovieWindow(m_movie, m_pMovieWnd);

    PlacePanel(m_pControlPanel, HWND_BOTTOM, g_nScreenWidth, SWP_SHOWWINDOW);
    PlacePanel(m_pControlPanel, HWND_TOPMOST, g_nScreenWidth, SWP_SHOWWINDOW);

    // With clicks as play/pause the panel opens on a double-click, whose first click the tick has already
    // turned into a play/pause request: this toggle and the resume undo it.
    if (g_nBottunMode == 1) g_bPaused = g_bPaused == 0 ? 1 : 0;
    ResumeByState(m_movie);
}

void CPlayerDlg::HideControlPanel() {
    ShowPointer(FALSE);
    // The settings made on the panel take effect now.
    ReadPanelScanLineSettings(m_pControlPanel);
    SetClickModes(m_pMovieWnd, m_pScanlineWnd, g_nBottunMode);
    PinPointer();

    PlacePanel(m_pControlPanel, HWND_NOTOPMOST, g_nScreenWidth, SWP_HIDEWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW | SWP_NOMOVE);

    m_movie.Stop();
    AimAtMovieWindow(m_movie, m_pMovieWnd);

    if (m_pScanlineWnd) {
        DestroyIfPresent(m_pScanlineWnd);
        BuildScanlineOverlay();
        PlaceFullScreen(m_pScanlineWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
    }
    ResumeByState(m_movie);
}

void CPlayerDlg::OpenCurrentEntryFullScreen() {
    g_nScanSpeed = 0;
    g_bFullScreen = 0; // for the duration of the load
    ReadPanelScanLineSettings(m_pControlPanel);

    if (g_bFsPanelShown == 0) {
        PlacePanel(m_pControlPanel, HWND_NOTOPMOST, g_nScreenWidth + g_nHideRight, SWP_HIDEWINDOW);
        PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
        PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
    }

    const bool haveEntry = LoadCurrentEntry();
    if (haveEntry) AimAtMovieWindow(m_movie, m_pMovieWnd);

    if (g_bFsPanelShown == 0) {
        if (m_pScanlineWnd) {
            DestroyIfPresent(m_pScanlineWnd);
            BuildScanlineOverlay();
            PlaceFullScreen(m_pScanlineWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
        }
    } else {
        PlacePanel(m_pControlPanel, HWND_BOTTOM, g_nScreenWidth, SWP_SHOWWINDOW);
        PlacePanel(m_pControlPanel, HWND_TOPMOST, g_nScreenWidth, SWP_SHOWWINDOW);
    }

    if (haveEntry) {
        m_movie.Play();
        g_nPosition = 0;
        g_nLength = m_movie.Length(CMovieDevice::kLongReply);
    } else {
        g_nPosition = 0;
        g_nLength = 0;
    }
    g_bFullScreen = 1;
}

void CPlayerDlg::PollFullScreenWindows() {
    // Where a window manager answered the placements otherwise than asked, the windows' content follows.
    FitFullScreenWindows(*this);

    // The overlay's notch wins when both windows saw one; both values are cleared either way.
    int w = PollIfPresent(m_pMovieWnd, CWheelCaptureWnd::kPollWheel);
    if (w != 0) g_nScanStep = w;
    w = PollIfPresent(m_pScanlineWnd, CWheelCaptureWnd::kPollWheel);
    if (w != 0) g_nScanStep = w;
    if (g_nKeyCooldown != 0) g_nScanStep = 0;

    // The movie window's left flag is read only when the overlay's was clear, so it can wait a tick.
    if (PollIfPresent(m_pScanlineWnd, CWheelCaptureWnd::kPollLeft) != 0)
        g_bPlayPauseRequest = 1;
    else if (PollIfPresent(m_pMovieWnd, CWheelCaptureWnd::kPollLeft) != 0 && g_bFsPanelShown == 0)
        g_bPlayPauseRequest = 1;

    if (PollIfPresent(m_pMovieWnd, CWheelCaptureWnd::kPollMiddle) != 0 ||
        PollIfPresent(m_pScanlineWnd, CWheelCaptureWnd::kPollMiddle) != 0)
        g_bPlayPauseRequest = 1;
}
