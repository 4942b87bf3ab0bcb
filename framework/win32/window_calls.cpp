// Windows and messages: thin calls into user32.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <vector>

namespace fw {
namespace plat {

using win32::FromWin;
using win32::ToWin;

LRESULT SendMsg(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return SendMessageW(ToWin(hwnd), msg, wp, lp);
}

// DefWindowProcW, not DefDlgProcW: the caller is inside the dialog procedure, which DefDlgProcW would call
// again. The dialog procedure then reports the message handled, so the default does not run twice.
LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(ToWin(hwnd), msg, wp, lp);
}

BOOL SetWindowPosition(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    // The insert-after pseudo handles (HWND_TOP 0, HWND_BOTTOM 1, HWND_TOPMOST -1, HWND_NOTOPMOST -2) have
    // their Win32 values on the seam, so they pass through the cast unchanged.
    return SetWindowPos(ToWin(hwnd), ToWin(insertAfter), x, y, cx, cy, flags);
}

int SetWindowRegion(HWND hwnd, HRGN rgn, BOOL redraw) {
    return SetWindowRgn(ToWin(hwnd), ToWin(rgn), redraw);
}

HWND GetDialogItem(HWND dlg, int id) {
    return FromWin(GetDlgItem(ToWin(dlg), id));
}

BOOL DestroyWnd(HWND hwnd) {
    return DestroyWindow(ToWin(hwnd));
}

BOOL ShowWnd(HWND hwnd, int cmd) {
    return ShowWindow(ToWin(hwnd), cmd);
}

BOOL IsWnd(HWND hwnd) {
    return IsWindow(ToWin(hwnd));
}

BOOL IsWindowIconic(HWND hwnd) {
    return IsIconic(ToWin(hwnd));
}

BOOL GetClientRectangle(HWND hwnd, RECT* rc) {
    if (!rc) return FALSE;
    ::RECT r{};
    if (!GetClientRect(ToWin(hwnd), &r)) return FALSE;
    *rc = FromWin(r);
    return TRUE;
}

BOOL GetWindowRectangle(HWND hwnd, RECT* rc) {
    if (!rc) return FALSE;
    ::RECT r{};
    if (!GetWindowRect(ToWin(hwnd), &r)) return FALSE;
    *rc = FromWin(r);
    return TRUE;
}

BOOL ShowOwnScrollBar(HWND hwnd, int bar, BOOL show) {
    return ::ShowScrollBar(ToWin(hwnd), bar, show);
}

DWORD GetWindowStyle(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongW(ToWin(hwnd), GWL_STYLE));
}

HWND FocusedWindow() {
    return FromWin(::GetFocus());
}

HWND GetNextSibling(HWND hwnd) {
    return FromWin(GetWindow(ToWin(hwnd), GW_HWNDNEXT));
}

HWND GetDesktop() {
    return FromWin(GetDesktopWindow());
}

UINT IsButtonChecked(HWND dlg, int id) {
    return IsDlgButtonChecked(ToWin(dlg), id);
}

BOOL SetScrollBarRange(HWND bar, int minPos, int maxPos, BOOL redraw) {
    return ::SetScrollRange(ToWin(bar), SB_CTL, minPos, maxPos, redraw);
}

int SetScrollBarPos(HWND bar, int pos, BOOL redraw) {
    return ::SetScrollPos(ToWin(bar), SB_CTL, pos, redraw);
}

int GetScrollBarPos(HWND bar) {
    return ::GetScrollPos(ToWin(bar), SB_CTL);
}

BOOL CheckButton(HWND dlg, int id, UINT state) {
    return CheckDlgButton(ToWin(dlg), id, state);
}

BOOL SetItemText(HWND dlg, int id, const std::wstring& text) {
    return SetDlgItemTextW(ToWin(dlg), id, text.c_str());
}

std::wstring GetItemText(HWND dlg, int id) {
    ::HWND item = GetDlgItem(ToWin(dlg), id);
    if (!item) return std::wstring();
    // The length is an upper bound (it may count a DBCS text in bytes); the copy says how much it wrote.
    const int length = GetWindowTextLengthW(item);
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = GetDlgItemTextW(ToWin(dlg), id, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied);
}

UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    return SetTimer(ToWin(hwnd), id, elapseMs, nullptr);
}

BOOL StopTimer(HWND hwnd, UINT_PTR id) {
    return KillTimer(ToWin(hwnd), id);
}

int GetMetric(int index) {
    return GetSystemMetrics(index);
}

} // namespace plat
} // namespace fw
