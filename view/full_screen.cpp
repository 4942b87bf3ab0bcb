// Full-screen mode: the picture stretched over the whole screen in the movie window, the scan-line overlay
// above it, the pointer hidden and pinned to one pixel that lies on one of the two (so they catch the wheel
// and the clicks), and the operation panel across the bottom on demand. The main window stays where it was,
// beneath the topmost full-screen windows, and the tick keeps composing its skin.
//
// Both full-screen windows begin g_nHideTop rows above the screen and reach g_nHideRight pixels past its
// right edge: their focus scroll bar and their own vertical scroll bar lie off the screen, and window row
// g_nHideTop is screen row 0.
#include "app/player_dlg.h"

#include "app/fullscreen_command.h"
#include "app/globals.h"
#include "input/wheel_capture_wnd.h"
#include "panel/control_panel_dlg.h"
#include "playback/mci_text.h"
#include "view/full_screen.h"

#include <string>

namespace {

void Mci(const std::wstring& command) {
    MciSend(command, nullptr, 0);
}

std::wstring Decimal(int v) {
    return std::to_wstring(v);
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
void ResumeByState() {
    if (g_bPaused == 0)
        Mci(L"play movie");
    else
        Mci(L"seek movie to " + Decimal(g_nPosition));
}

void SetClickModes(CMovieWnd* movieWnd, CScanlineWnd* overlay, int mode) {
    if (overlay) overlay->SetClickMode(0, mode);
    if (movieWnd) movieWnd->SetClickMode(0, mode);
}

void DestroyIfPresent(CWnd* wnd) {
    if (wnd && wnd->GetSafeHwnd()) wnd->DestroyWindow();
}

} // namespace

void PlaceIfPresent(CWnd* wnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    if (wnd && wnd->GetSafeHwnd()) wnd->SetWindowPos(after, x, y, cx, cy, flags);
}

void PlaceFullScreen(CWnd* wnd, HWND after, UINT flags) {
    PlaceIfPresent(wnd, after, 0, -g_nHideTop, g_nScreenWidth + g_nHideRight, g_nScreenHeight + g_nHideTop,
                   flags);
}

void AimMovieAtMovieWindow(CMovieWnd* movieWnd) {
    Mci(L"window movie handle " + HandleToDecimal(movieWnd ? movieWnd->GetSafeHwnd() : nullptr));
    Mci(L"put movie destination at 0 " + Decimal(g_nHideTop) + L" " + Decimal(g_nScreenWidth) + L" " +
        Decimal(g_nScreenHeight));
}

void ReadPanelScanLineSettings(CControlPanelDlg* panel) {
    if (!panel) return;
    g_nScanLineMode = panel->GetScanLineSetting(0);
    g_bLineMask = panel->GetScanLineSetting(1);
    g_nMaskTop = panel->GetScanLineSetting(2);
    g_nMaskBottom = panel->GetScanLineSetting(3);
}

void CPlayerDlg::SetFullScreen(int flag) {
    if (flag == 0)
        EnterFullScreen();
    else
        LeaveFullScreen();
}

void CPlayerDlg::EnterFullScreen() {
    ShowPointer(FALSE);
    Mci(L"window movie handle default");

    g_nScreenWidth = g_nScreenHeight = 0;
    g_bFsPanelShown = 0;
    RECT desktop = {0, 0, 0, 0};
    plat::GetClientRectangle(plat::GetDesktop(), &desktop);
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

    Mci(L"pause movie");
    AimMovieAtMovieWindow(m_pMovieWnd);

    if (m_pScanlineWnd) {
        BuildScanlineOverlay();
        PlaceFullScreen(m_pScanlineWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
    }
    ResumeByState();
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
    Mci(L"window movie handle default");

    ReadPanelScanLineSettings(m_pControlPanel);
    DestroyIfPresent(m_pMovieWnd);
    DestroyIfPresent(m_pScanlineWnd);
    DestroyIfPresent(m_pControlPanel);

    g_bFsPanelShown = 0;
    Mci(L"pause movie");
    Mci(L"window movie handle " + HandleToDecimal(m_hWnd));
    Mci(L"put movie destination at 24 22 176 120");

    // One pixel larger first, then the normal size: the resize makes the window repaint its skin.
    SetWindowPos(HWND_TOP, g_nWindowX, g_nWindowY, 275, 188, SWP_SHOWWINDOW);
    SetWindowPos(HWND_TOP, g_nWindowX, g_nWindowY, 274, 187, SWP_SHOWWINDOW);

    if (g_bPaused == 0)
        Mci(L"play movie from " + Decimal(g_nPosition));
    else
        Mci(L"seek movie to " + Decimal(g_nPosition));

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

    DWORD volume = 0xFFFFFFFFu;
    WaveOutGetVolume(0, &volume);
    if (m_pControlPanel) m_pControlPanel->SetBar(2, PanelVolumeFromDevice(volume));

    PlaceIfPresent(m_pScanlineWnd, HWND_NOTOPMOST, 0, -g_nHideTop, g_nScreenWidth,
                   g_nScreenHeight + g_nHideTop, SWP_HIDEWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE);

    Mci(L"pause movie");
    AimMovieAtMovieWindow(m_pMovieWnd);

    PlaceIfPresent(m_pControlPanel, HWND_BOTTOM, 0, g_nScreenHeight - kPanelHeight, g_nScreenWidth,
                   kPanelHeight, SWP_SHOWWINDOW);
    PlaceIfPresent(m_pControlPanel, HWND_TOPMOST, 0, g_nScreenHeight - kPanelHeight, g_nScreenWidth,
                   kPanelHeight, SWP_SHOWWINDOW);

    // With clicks as play/pause the panel opens on a double-click, whose first click the tick has already
    // turned into a play/pause request: this toggle and the resume undo it.
    if (g_nBottunMode == 1) g_bPaused = g_bPaused == 0 ? 1 : 0;
    ResumeByState();
}

void CPlayerDlg::HideControlPanel() {
    ShowPointer(FALSE);
    // The settings made on the panel take effect now.
    ReadPanelScanLineSettings(m_pControlPanel);
    SetClickModes(m_pMovieWnd, m_pScanlineWnd, g_nBottunMode);
    PinPointer();

    PlaceIfPresent(m_pControlPanel, HWND_NOTOPMOST, 0, g_nScreenHeight - kPanelHeight, g_nScreenWidth,
                   kPanelHeight, SWP_HIDEWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
    PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW | SWP_NOMOVE);

    Mci(L"stop movie");
    AimMovieAtMovieWindow(m_pMovieWnd);

    if (m_pScanlineWnd) {
        DestroyIfPresent(m_pScanlineWnd);
        BuildScanlineOverlay();
        PlaceFullScreen(m_pScanlineWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
    }
    ResumeByState();
}

int PanelVolumeFromDevice(DWORD volume) {
    // The left channel (low word) scaled by the single-precision number nearest 1/257, truncated:
    // 65535 shows as 254, and a channel volume of 257 * k as k - 1.
    const float kOneIn257 = 0.0038910506f;
    return static_cast<int>(static_cast<double>(volume & 0xFFFFu) * static_cast<double>(kOneIn257));
}
