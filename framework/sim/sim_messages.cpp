// Message delivery of the simulated platform: dispatch through the framework, the platform's default
// processing of what the player relies on, and the user's clicks and wheel turns.
#include "framework/sim/sim_state.h"

#include <cstdio>

namespace sim {
namespace detail {

std::string MessageName(UINT msg) {
    static const struct {
        UINT msg;
        const char* name;
    } kNames[] = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {kWmSetText, "WM_SETTEXT"},
        {kWmGetText, "WM_GETTEXT"},
        {kWmGetTextLength, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_ICONERASEBKGND, "WM_ICONERASEBKGND"},
        {WM_NEXTDLGCTL, "WM_NEXTDLGCTL"},
        {WM_QUERYDRAGICON, "WM_QUERYDRAGICON"},
        {WM_SETICON, "WM_SETICON"},
        {kWmNcDestroy, "WM_NCDESTROY"},
        {kBmGetCheck, "BM_GETCHECK"},
        {kBmSetCheck, "BM_SETCHECK"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {LB_ADDSTRING, "LB_ADDSTRING"},
        {LB_DELETESTRING, "LB_DELETESTRING"},
        {LB_RESETCONTENT, "LB_RESETCONTENT"},
        {LB_GETTEXT, "LB_GETTEXT"},
        {LB_GETTEXTLEN, "LB_GETTEXTLEN"},
        {LB_GETCOUNT, "LB_GETCOUNT"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_DROPFILES, "WM_DROPFILES"},
    };
    for (const auto& n : kNames)
        if (n.msg == msg) return n.name;
    if (msg >= WM_USER && msg < WM_USER + 0x1000) return "WM_USER+" + std::to_string(msg - WM_USER);
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", msg);
    return buf;
}

LRESULT Deliver(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Window* w = LiveWindow(h);
    if (!w) return 0;
    if (w->parent) return ControlProc(*w, msg, wp, lp);
    if (w->dispatch) {
        const plat::DialogDispatchFn fn = w->dispatch;
        void* const ctx = w->ctx;
        LRESULT result = 0;
        if (fn(ctx, h, msg, wp, lp, &result)) return result;
    }
    return DefaultProcessing(h, msg, wp, lp);
}

namespace {

// WM_NEXTDLGCTL without a handle: the next (or previous) visible, enabled tab stop after the focus.
void MoveFocusByTab(Window& dlg, bool previous) {
    const auto& kids = dlg.children;
    if (kids.empty()) return;
    const int n = static_cast<int>(kids.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (kids[i] == S().focus) at = i;
    for (int step = 1; step <= n; ++step) {
        const int from = at >= 0 ? at : (previous ? 0 : n - 1);
        const int i = (from + (previous ? -step : step) + 2 * n) % n;
        const Window* c = LiveWindow(kids[i]);
        if (!c) continue;
        const DWORD st = c->info.style;
        if ((st & WS_TABSTOP) && (st & WS_VISIBLE) && !(st & WS_DISABLED)) {
            SetFocusTo(kids[i]);
            return;
        }
    }
}

// The system's interactive move, finished at once: the window ends up moved by the configured drag.
void InteractiveMove(HWND h) {
    Window* w = LiveWindow(h);
    if (!w || (S().moveDx == 0 && S().moveDy == 0)) return;
    w->info.x += S().moveDx;
    w->info.y += S().moveDy;
    Deliver(h, WM_MOVE, 0, MAKELPARAM(w->info.x, w->info.y));
}

void WheelNotches(HWND h, int delta) {
    Window* w = LiveWindow(h);
    if (!w) return;
    w->wheelRemainder += delta;
    while (true) {
        w = LiveWindow(h);
        if (!w) return;
        UINT code;
        if (w->wheelRemainder >= 120) {
            w->wheelRemainder -= 120;
            code = SB_LINEUP;
        } else if (w->wheelRemainder <= -120) {
            w->wheelRemainder += 120;
            code = SB_LINEDOWN;
        } else {
            return;
        }
        // As the Windows backend: the dialog hears each notch as a scroll notification of its own bar.
        Deliver(h, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    }
}

} // namespace

LRESULT DefaultProcessing(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Window* w = LiveWindow(h);
    if (!w) return 0;
    if (w->parent) return ControlProc(*w, msg, wp, lp);
    switch (msg) {
    case WM_NEXTDLGCTL:
        if (LOWORD(static_cast<uintptr_t>(lp)))
            SetFocusTo(reinterpret_cast<HWND>(wp));
        else
            MoveFocusByTab(*w, wp != 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_MOVE) InteractiveMove(h);
        if ((wp & 0xFFF0) == SC_CLOSE) Deliver(h, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE: {
        // The dialog manager turns a close into the Cancel command, unless Cancel is disabled.
        const HWND cancel = plat::GetDialogItem(h, IDCANCEL);
        if (cancel && (plat::GetWindowStyle(cancel) & WS_DISABLED)) return 0;
        Deliver(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SETICON: {
        HICON& slot = wp == ICON_BIG ? w->iconBig : w->iconSmall;
        const HICON previous = slot;
        slot = reinterpret_cast<HICON>(lp);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_MOUSEWHEEL:
        WheelNotches(h, static_cast<short>(HIWORD(wp)));
        return 0;
    default:
        return 0;
    }
}

} // namespace detail

using namespace detail;

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return Deliver(hwnd, msg, wp, lp);
}

bool ClickButton(HWND dlg, int id) {
    const HWND button = plat::GetDialogItem(dlg, id);
    Window* b = LiveWindow(button);
    if (!b || (b->info.style & WS_DISABLED)) return false;
    const DWORD type = b->info.style & BS_TYPEMASK;
    if (type == BS_AUTORADIOBUTTON) {
        // The group around the button: back to its WS_GROUP start, forward to the next WS_GROUP.
        const auto& kids = FindWnd(dlg)->children;
        size_t at = 0;
        while (kids[at] != button)
            ++at;
        size_t start = at;
        while (start > 0 && !(FindWnd(kids[start])->info.style & WS_GROUP))
            --start;
        for (size_t i = start; i < kids.size(); ++i) {
            Window* c = FindWnd(kids[i]);
            if (i > start && (c->info.style & WS_GROUP)) break;
            const DWORD t = c->info.style & BS_TYPEMASK;
            if (t == BS_AUTORADIOBUTTON || t == BS_RADIOBUTTON)
                c->check = kids[i] == button ? BST_CHECKED : BST_UNCHECKED;
        }
    } else if (type == 3) { // BS_AUTOCHECKBOX
        b->check = b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    }
    Deliver(dlg, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(button));
    return true;
}

void Wheel(HWND hwnd, int delta) {
    WheelNotches(hwnd, delta);
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

LRESULT SendMsg(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    AddLog("SendMessage " + NameOf(hwnd) + " " + MessageName(msg) + " " + std::to_string(wp) + " " +
           std::to_string(lp));
    return Deliver(hwnd, msg, wp, lp);
}

LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    AddLog("Default " + NameOf(hwnd) + " " + MessageName(msg));
    return DefaultProcessing(hwnd, msg, wp, lp);
}

} // namespace plat
} // namespace fw
