// CWnd: thin forwarding of window operations to the platform seam.
#include "framework/afxwin.h"
#include "framework/region.h"

namespace fw {

// Wrapper objects never own the window: the platform destroys it (modal end, DestroyWindow).
CWnd::~CWnd() = default;

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return plat::SetWindowPosition(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

int CWnd::SetWindowRgn(HRGN rgn, BOOL redraw) {
    return plat::SetWindowRegion(m_hWnd, rgn, redraw);
}

HWND CWnd::GetDlgItem(int id) const {
    return plat::GetDialogItem(m_hWnd, id);
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return plat::SendMsg(m_hWnd, msg, wp, lp);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    BOOL ok = plat::DestroyWnd(m_hWnd);
    m_hWnd = nullptr;
    return ok;
}

BOOL CWnd::ShowWindow(int cmd) {
    return plat::ShowWnd(m_hWnd, cmd);
}

BOOL CWnd::IsIconic() const {
    return plat::IsWindowIconic(m_hWnd);
}

void CWnd::GetClientRect(RECT* rc) const {
    if (!plat::GetClientRectangle(m_hWnd, rc)) *rc = RECT{0, 0, 0, 0};
}

void CWnd::GetWindowRect(RECT* rc) const {
    if (!plat::GetWindowRectangle(m_hWnd, rc)) *rc = RECT{0, 0, 0, 0};
}

DWORD CWnd::GetStyle() const {
    return m_hWnd ? plat::GetWindowStyle(m_hWnd) : 0;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) {
    plat::ShowOwnScrollBar(m_hWnd, static_cast<int>(bar), show);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void* timerProc) {
    (void)timerProc; // always null in this program: timers arrive as WM_TIMER
    return plat::StartTimer(m_hWnd, id, elapseMs);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return plat::StopTimer(m_hWnd, id);
}

void CWnd::DragAcceptFiles(BOOL accept) {
    plat::AcceptDrops(m_hWnd, accept);
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return plat::IsButtonChecked(m_hWnd, id);
}

void CWnd::CheckDlgButton(int id, UINT state) {
    plat::CheckButton(m_hWnd, id, state);
}

int CWnd::SetWindowRgn(CRgn& rgn, BOOL redraw) {
    const int taken = plat::SetWindowRegion(m_hWnd, rgn.GetSafeHandle(), redraw);
    if (taken) rgn.Detach(); // the window deletes it from now on
    return taken;
}

HWND CWnd::GetDesktopWindow() {
    return plat::GetDesktop();
}

HWND CWnd::GetFocus() {
    return plat::FocusedWindow();
}

int GetSystemMetrics(int index) {
    return plat::GetMetric(index);
}

void CWnd::SetDlgItemText(int id, const std::wstring& text) {
    plat::SetItemText(m_hWnd, id, text);
}

std::wstring CWnd::GetDlgItemText(int id) const {
    return plat::GetItemText(m_hWnd, id);
}

LRESULT CWnd::Default() {
    return plat::DefaultProc(m_hWnd, m_current.msg, m_current.wp, m_current.lp);
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    (void)msg, (void)wp, (void)lp, (void)result;
    return FALSE;
}

} // namespace fw
