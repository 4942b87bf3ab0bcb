// Dialog windows: creation from the program's templates, the dialog procedure that forwards every message
// to the framework's dispatcher, WM_CREATE delivery, application-wide colours and wheel translation.
//
// How a framework dialog is wired:
//  - Each window has a DialogSite (dispatcher, context, wheel remainder) in its DWLP_USER slot. The site
//    belongs to the window and is freed at WM_NCDESTROY, the last message the window gets.
//  - A dialog procedure never sees WM_CREATE: the dialog manager attaches it only after CreateWindowEx has
//    returned. The dispatcher must get it all the same (a handler starts its timer there and may refuse
//    the window), so a WH_CBT hook, installed just around the creating call, subclasses the dialog window
//    at HCBT_CREATEWND, before WM_NCCREATE. The subclass procedure hands WM_CREATE to the dispatcher; an
//    answer of -1 fails CreateWindowEx, so DialogBoxParamW returns -1 and CreateDialogParamW null, at once.
//    Everything else goes through the subclass untouched to the dialog manager, which calls DialogProc.
//  - DialogProc returns what the dialog manager expects: FALSE for unhandled messages (DefDlgProc then does
//    its default processing), the value itself for the messages whose result is the procedure's return
//    value, otherwise TRUE with the result in DWLP_MSGRESULT.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"
#include "framework/win32/wheel_notches.h"

#include <new>

namespace fw {
namespace plat {

namespace {

struct DialogSite {
    DialogDispatchFn dispatch;
    void* ctx;
    WNDPROC original;   // the dialog class's procedure, called for everything the subclass passes on
    int wheelRemainder; // part of a notch not yet delivered (see TakeWheelNotches)
    bool attached;      // owned by a window (freed at its WM_NCDESTROY) rather than by the creating call
};

DialogSite* SiteOf(::HWND hwnd) {
    return reinterpret_cast<DialogSite*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

// ---- Application-wide colours ----

struct DialogColors {
    HBRUSH brush = nullptr; // solid background brush; lives as long as the program
    ::COLORREF background = 0;
    ::COLORREF text = 0;
};
DialogColors g_colors;

bool IsCtlColorMessage(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
        return true;
    default:
        return false;
    }
}

// Messages whose result is the dialog procedure's return value itself (DefDlgProc hands it on), not
// DWLP_MSGRESULT. WM_INITDIALOG's answer tells whether the dialog manager sets the focus.
bool ReturnsValueDirectly(UINT msg) {
    return IsCtlColorMessage(msg) || msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON ||
           msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM;
}

// ---- Dispatch ----

BOOL Dispatch(DialogSite* site, ::HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    *result = 0;
    return site->dispatch(site->ctx, win32::FromWin(hwnd), msg, wp, lp, result);
}

// Under Wine the focus does not move to a disabled scroll bar, so the wheel reaches the dialog itself as
// WM_MOUSEWHEEL instead of coming back from the focused scroll bar as WM_VSCROLL. The framework's windows
// only understand the latter: each notch becomes one WM_VSCROLL, SB_LINEUP away from the user, SB_LINEDOWN
// toward. A handler may destroy the window, so the site is looked up again before every notch.
void DeliverWheel(::HWND hwnd, WPARAM wp) {
    DialogSite* site = SiteOf(hwnd);
    if (!site) return;
    const int notches = win32::TakeWheelNotches(&site->wheelRemainder, GET_WHEEL_DELTA_WPARAM(wp));
    const WPARAM code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int left = notches > 0 ? notches : -notches; left > 0; --left) {
        site = SiteOf(hwnd);
        if (!IsWindow(hwnd) || !site) return;
        LRESULT ignored;
        Dispatch(site, hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), 0, &ignored);
    }
}

// The system's move by the caption (SC_MOVE | HTCAPTION) follows the pointer while the left button is held.
// With it up there is nothing to follow: on Windows, and under Wine without a window manager, the move loop
// of a press takes the button's release itself, so a later request never comes. Under a window manager Wine
// hands the move to it (_NET_WM_MOVERESIZE) and the release reaches the window; a move asked for then, or
// for a press whose release has already happened (a quick click, a busy program), leaves the window manager
// moving the window until the next click, which it takes for itself. Such a request is answered without
// moving. The peek first takes in the input that has arrived, so that the button's state includes a release
// already made. Only the left button counts: the player asks for the move from its left-button handlers,
// and Wine may still count another button as held whose release reached no window of the program (a right
// click that closed the window under the pointer).
bool IsMoveWithoutButton(UINT msg, WPARAM wp) {
    if (msg != WM_SYSCOMMAND || (wp & 0xFFF0) != SC_MOVE || (wp & 0x000F) == 0) return false;
    MSG pending;
    PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
    return GetAsyncKeyState(VK_LBUTTON) >= 0;
}

INT_PTR CALLBACK DialogProc(::HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DialogSite* site = SiteOf(hwnd);
    if (!site) return FALSE;

    LRESULT result = 0;
    const BOOL handled = Dispatch(site, hwnd, msg, wp, lp, &result);
    // `site` may be gone from here on: the handler may have destroyed the window.

    if (msg == WM_NCDESTROY) return FALSE; // DefDlgProc must still free its own dialog data
    if (!handled) {
        if (IsMoveWithoutButton(msg, wp)) {
            if (IsWindow(hwnd)) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        if (msg == WM_MOUSEWHEEL) {
            DeliverWheel(hwnd, wp);
            if (IsWindow(hwnd)) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        if (IsCtlColorMessage(msg) && g_colors.brush) {
            ::HDC dc = reinterpret_cast<::HDC>(wp);
            SetTextColor(dc, g_colors.text);
            SetBkColor(dc, g_colors.background);
            return reinterpret_cast<INT_PTR>(g_colors.brush);
        }
        return FALSE;
    }
    if (ReturnsValueDirectly(msg)) return static_cast<INT_PTR>(result);
    if (IsWindow(hwnd)) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// The subclass procedure put in front of the dialog class's procedure at creation (see the top).
LRESULT CALLBACK CreationSubclassProc(::HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DialogSite* site = SiteOf(hwnd);
    if (!site) return DefDlgProcW(hwnd, msg, wp, lp); // cannot happen: the hook sets the site first
    const WNDPROC original = site->original;

    if (msg == WM_CREATE) {
        LRESULT result = 0;
        if (Dispatch(site, hwnd, msg, wp, lp, &result)) return result == -1 ? -1 : 0;
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    // When creation fails (WM_CREATE answered -1) the window is destroyed before the dialog manager has
    // attached DialogProc; the dispatcher still has to hear that the window it saw at WM_CREATE is gone.
    const bool farewell = msg == WM_DESTROY || msg == WM_NCDESTROY;
    if (farewell && GetWindowLongPtrW(hwnd, DWLP_DLGPROC) == 0) {
        LRESULT ignored;
        Dispatch(site, hwnd, msg, wp, lp, &ignored);
    }
    const LRESULT result = CallWindowProcW(original, hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        delete site;
    }
    return result;
}

// ---- Creation ----

// The site of the dialog being created, waiting for its window. One at a time: the hook hands it over at
// HCBT_CREATEWND of the dialog window, before any message of that window, so a dialog created from a
// handler of another one (which can only run after that hand-over) starts with a clean slate.
DialogSite* g_pendingSite = nullptr;
HHOOK g_creationHook = nullptr;

bool IsDialogClass(::HWND hwnd) {
    wchar_t name[16] = {};
    return GetClassNameW(hwnd, name, 16) > 0 && lstrcmpW(name, L"#32770") == 0;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND && g_pendingSite) {
        ::HWND hwnd = reinterpret_cast<::HWND>(wp);
        const CBT_CREATEWNDW* create = reinterpret_cast<const CBT_CREATEWNDW*>(lp);
        // Other windows may be created first (the input method's default window, for one).
        const bool ours = !(create->lpcs->style & WS_CHILD) && IsDialogClass(hwnd);
        if (ours) {
            DialogSite* site = g_pendingSite;
            g_pendingSite = nullptr;
            site->attached = true;
            SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(site));
            site->original = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CreationSubclassProc)));
            HHOOK hook = g_creationHook;
            g_creationHook = nullptr;
            const LRESULT next = CallNextHookEx(hook, code, wp, lp);
            UnhookWindowsHookEx(hook);
            return next;
        }
    }
    return CallNextHookEx(g_creationHook, code, wp, lp);
}

// Arms the hook for one dialog creation and cleans up whatever the creation did not take over.
class PendingCreation {
public:
    PendingCreation(DialogDispatchFn dispatch, void* ctx) {
        m_site = new (std::nothrow) DialogSite{dispatch, ctx, nullptr, 0, false};
        if (!m_site) return;
        m_savedSite = g_pendingSite;
        m_savedHook = g_creationHook;
        g_pendingSite = m_site;
        g_creationHook = SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId());
        if (!g_creationHook) g_pendingSite = m_savedSite;
    }
    ~PendingCreation() {
        if (!m_site) return;
        if (!m_site->attached) { // no window was made: the hook is still armed, the site still ours
            if (g_creationHook && g_pendingSite == m_site) UnhookWindowsHookEx(g_creationHook);
            delete m_site;
        }
        g_pendingSite = m_savedSite;
        g_creationHook = m_savedHook;
    }
    PendingCreation(const PendingCreation&) = delete;
    PendingCreation& operator=(const PendingCreation&) = delete;
    bool Armed() const { return m_site && (g_creationHook || m_site->attached); }

private:
    DialogSite* m_site = nullptr;
    DialogSite* m_savedSite = nullptr;
    HHOOK m_savedHook = nullptr;
};

} // namespace

INT_PTR RunModalDialog(UINT templateId, HWND owner, DialogDispatchFn dispatch, void* ctx) {
    if (!dispatch) return -1;
    PendingCreation pending(dispatch, ctx);
    if (!pending.Armed()) return -1;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), win32::ToWin(owner),
                           &DialogProc, 0);
}

HWND CreateModelessDialog(UINT templateId, HWND owner, DialogDispatchFn dispatch, void* ctx) {
    if (!dispatch) return nullptr;
    PendingCreation pending(dispatch, ctx);
    if (!pending.Armed()) return nullptr;
    return win32::FromWin(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                             win32::ToWin(owner), &DialogProc, 0));
}

BOOL EndDlg(HWND dlg, INT_PTR result) {
    return EndDialog(win32::ToWin(dlg), result);
}

void SetDialogColors(COLORREF background, COLORREF text) {
    HBRUSH brush = CreateSolidBrush(background);
    if (!brush) return; // keep the previous colours rather than none
    if (g_colors.brush) DeleteObject(g_colors.brush);
    g_colors.brush = brush;
    g_colors.background = background;
    g_colors.text = text;
}

} // namespace plat
} // namespace fw
