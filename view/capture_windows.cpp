// The movie window and the scan-line overlay of full-screen mode. Both catch the mouse the same way; they
// differ only in the order of the right-press request and default processing, in the overlay clearing its
// left flag on a panel click, in the overlay leaving WM_MOUSEMOVE to the platform, and in Escape (the
// movie window keeps the framework's OnCancel, the overlay ignores it). One implementation serves both,
// over each class's set of program-wide values.
#include "view/capture_windows.h"

#include "app/fullscreen_command.h"
#include "app/player_dlg.h"

using namespace fw;

int g_nMovieWheel = 0, g_bMovieMiddle = 0, g_bMovieLeft = 0, g_nMovieClickMode = 0;
int g_nOverlayWheel = 0, g_bOverlayMiddle = 0, g_bOverlayLeft = 0, g_nOverlayClickMode = 0;

void ResetWheelCaptureState() {
    g_nMovieWheel = g_bMovieMiddle = g_bMovieLeft = g_nMovieClickMode = 0;
    g_nOverlayWheel = g_bOverlayMiddle = g_bOverlayLeft = g_nOverlayClickMode = 0;
}

namespace {

// Hands the value to the caller and leaves 0 behind, so each recorded event is read exactly once.
int Take(int& value) {
    const int v = value;
    value = 0;
    return v;
}

// The owner's handler runs before this returns; it may destroy the sender's window (leaving full screen).
void SendToOwner(CPlayerDlg* owner, WPARAM code) {
    if (owner && owner->GetSafeHwnd()) owner->SendMessage(WM_FULLSCREEN_COMMAND, code, 0);
}

// Default processing, unless the window that received the message has gone meanwhile (the owner destroys
// both windows when it leaves full screen, or rebuilds the overlay): the platform has nothing to do for a
// window that no longer exists, and a rebuilt one never received this message.
void DefaultIfStill(CWnd& wnd, HWND receiver) {
    if (receiver && wnd.GetSafeHwnd() == receiver) wnd.Default();
}

// A wheel notch arrives as a scroll notification of the window's own bar; only the direction of the last
// unread notch is kept.
void RecordNotch(UINT code, int& wheel) {
    if (code == SB_LINEUP)
        wheel = 1;
    else if (code == SB_LINEDOWN)
        wheel = -1;
}

// The wheel reaches a dialog as WM_VSCROLL only while one of its controls has the focus: the off-screen
// scroll bar takes it (disabled, so it never scrolls anything itself).
void FocusScrollBar(CWnd& wnd) {
    wnd.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(wnd.GetDlgItem(IDC_FOCUS_SCROLLBAR)), TRUE);
}

} // namespace

BEGIN_MESSAGE_MAP(CWheelCaptureWnd, CDialog)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MBUTTONDOWN()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL CWheelCaptureWnd::Create() {
    return CDialog::Create(m_nIDTemplate, nullptr);
}

int CWheelCaptureWnd::Poll(int which) {
    switch (which) {
    case kPollWheel:
        return Take(*m_values.wheel);
    case kPollMiddle:
        return Take(*m_values.middle);
    case kPollLeft:
        return Take(*m_values.left);
    default:
        return 0;
    }
}

void CWheelCaptureWnd::SetClickMode(int flag, int value) {
    if (flag == kClickModeFlag) *m_values.clickMode = value;
}

void CWheelCaptureWnd::HideFocusScrollBar() {
    CWnd bar(GetDlgItem(IDC_FOCUS_SCROLLBAR));
    if (!bar.GetSafeHwnd() || !(bar.GetStyle() & WS_VISIBLE)) return;
    // A hidden control that has the focus hands it to its dialog: give it back.
    const bool focused = CWnd::GetFocus() == bar.GetSafeHwnd();
    bar.ShowWindow(SW_HIDE);
    if (focused) FocusScrollBar(*this);
}

void CWheelCaptureWnd::HideOwnScrollBar() {
    if (GetStyle() & WS_VSCROLL) ShowScrollBar(SB_VERT, FALSE);
}

BOOL CWheelCaptureWnd::OnInitDialog() {
    CDialog::OnInitDialog();
    FocusScrollBar(*this);
    return TRUE;
}

void CWheelCaptureWnd::OnLButtonDown(UINT flags, CPoint pt) {
    (void)flags, (void)pt;
    const HWND self = m_hWnd;
    if (*m_values.clickMode == 0) {
        // On the overlay a click that asks for the panel is not also a play/pause request; the movie
        // window leaves its flag as it was.
        if (m_bOverlay) *m_values.left = 0;
        SendToOwner(m_pOwner, kFullScreenTogglePanel);
    } else {
        *m_values.left = 1;
    }
    DefaultIfStill(*this, self);
}

void CWheelCaptureWnd::OnLButtonDblClk(UINT flags, CPoint pt) {
    (void)flags, (void)pt;
    const HWND self = m_hWnd;
    if (*m_values.clickMode == 1) SendToOwner(m_pOwner, kFullScreenTogglePanel);
    DefaultIfStill(*this, self);
}

void CWheelCaptureWnd::OnRButtonDown(UINT flags, CPoint pt) {
    (void)flags, (void)pt;
    // The overlay's owner hears the request before the default processing (if the window still exists
    // then); the movie window's after it. Leaving full screen destroys both windows.
    const HWND self = m_hWnd;
    if (m_bOverlay) {
        SendToOwner(m_pOwner, kFullScreenLeave);
        DefaultIfStill(*this, self);
    } else {
        Default();
        SendToOwner(m_pOwner, kFullScreenLeave);
    }
}

void CWheelCaptureWnd::OnMButtonDown(UINT flags, CPoint pt) {
    (void)flags, (void)pt;
    *m_values.middle = 1;
}

void CWheelCaptureWnd::OnVScroll(UINT code, UINT pos, HWND scrollBar) {
    (void)pos, (void)scrollBar;
    RecordNotch(code, *m_values.wheel);
    Default();
}

// Mouse moves over the movie window get the platform's processing; the overlay leaves them unhandled.
BEGIN_MESSAGE_MAP(CMovieWnd, CWheelCaptureWnd)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CMovieWnd::OnMouseMove(UINT flags, CPoint pt) {
    (void)flags, (void)pt;
    Default();
}
