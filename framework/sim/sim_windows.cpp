// Window records of the simulated platform: creation from templates, destruction, placement, queries.
#include "framework/sim/sim_state.h"

#include "framework/afxwin.h"

#include <algorithm>
#include <cstdio>

namespace sim {
namespace detail {

Window* FindWnd(HWND h) {
    auto it = S().windows.find(Key(h));
    return it == S().windows.end() ? nullptr : &it->second;
}

Window* LiveWindow(HWND h) {
    Window* w = FindWnd(h);
    return w && !w->info.destroyed ? w : nullptr;
}

std::string NameOf(HWND h) {
    if (!h) return "0";
    if (Key(h) == kDesktopHandle) return "desktop";
    if (Window* w = FindWnd(h)) return w->info.name;
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(Key(h)));
    return buf;
}

void ResizeSurface(Window& w, int cx, int cy) {
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    std::vector<BYTE> fresh(static_cast<size_t>(cx) * cy * 3, 0);
    const int oldCx = w.info.cx, oldCy = w.info.cy;
    if (!w.surface.empty()) {
        const int copyW = std::min(cx, oldCx), copyH = std::min(cy, oldCy);
        for (int y = 0; y < copyH; ++y)
            std::copy_n(&w.surface[static_cast<size_t>(y) * oldCx * 3], static_cast<size_t>(copyW) * 3,
                        &fresh[static_cast<size_t>(y) * cx * 3]);
    }
    w.surface.swap(fresh);
    w.info.cx = cx;
    w.info.cy = cy;
}

void SetFocusTo(HWND h) {
    State& s = S();
    if (Window* old = FindWnd(s.focus)) old->info.focused = false;
    s.focus = nullptr;
    if (Window* w = LiveWindow(h)) {
        w->info.focused = true;
        s.focus = h;
    }
}

void AwaitWindowManager(HWND h) {
    State& s = S();
    Window* w = LiveWindow(h);
    if (!s.windowManager || !w || w->parent || !w->info.visible) return;
    s.awaitingWindowManager.insert(Key(h));
}

namespace {

// GetNextDlgTabItem from the start: the first visible, enabled tab stop.
HWND FirstTabStop(const Window& dlg) {
    for (HWND c : dlg.children) {
        const DWORD st = FindWnd(c)->info.style;
        if ((st & WS_TABSTOP) && (st & WS_VISIBLE) && !(st & WS_DISABLED)) return c;
    }
    return nullptr;
}

} // namespace

HWND CreateDialogWindow(UINT templateId, HWND owner, plat::DialogDispatchFn dispatch, void* ctx, bool modal) {
    State& s = S();
    const int id = static_cast<int>(templateId);
    if (s.failDialogs.erase(id)) return nullptr;
    const DialogTemplate* t = Template(id);
    if (!t) return nullptr;
    AddLog("CreateDialog " + std::to_string(id));

    const HWND h = As<HWND>(NewHandle());
    Window& w = s.windows[Key(h)];
    w.handle = h;
    WindowInfo& info = w.info;
    info.name = "dlg" + std::to_string(id);
    info.templateId = id;
    info.controlId = 0;
    info.className = "#32770";
    info.style = t->style;
    info.exStyle = t->exStyle;
    info.x = DluToPixelsX(t->x);
    info.y = DluToPixelsY(t->y);
    info.visible = false;
    info.destroyed = false;
    info.text = t->caption;
    info.owner = owner;
    info.hasRegion = false;
    info.zOrderTopmost = (t->exStyle & 0x8) ? 1 : 0; // WS_EX_TOPMOST
    info.focused = false;
    ResizeSurface(w, DluToPixelsX(t->cx), DluToPixelsY(t->cy));
    if (t->style & DS_CENTER) {
        info.x = (s.desktopW - info.cx) / 2;
        info.y = (s.desktopH - info.cy) / 2;
    }
    w.dispatch = dispatch;
    w.ctx = ctx;
    w.modal = modal;
    s.lastDialog[id] = h;

    // As on Windows, the dialog's WM_CREATE comes before its controls exist.
    if (Deliver(h, WM_CREATE, 0, 0) == -1) {
        DestroyWindowTree(h);
        return nullptr;
    }
    if (!LiveWindow(h)) return nullptr;
    for (const ControlTemplate& ct : t->controls) {
        const HWND c = As<HWND>(NewHandle());
        Window& cw = s.windows[Key(c)];
        cw.handle = c;
        cw.parent = h;
        cw.info.name = info.name + "." + std::to_string(ct.id);
        cw.info.templateId = 0;
        cw.info.controlId = ct.id;
        cw.info.className = ct.className;
        cw.info.style = ct.style;
        cw.info.exStyle = ct.exStyle;
        cw.info.x = DluToPixelsX(ct.x);
        cw.info.y = DluToPixelsY(ct.y);
        cw.info.visible = (ct.style & WS_VISIBLE) != 0;
        cw.info.destroyed = false;
        cw.info.text = ct.text;
        cw.info.owner = nullptr;
        cw.info.hasRegion = false;
        cw.info.zOrderTopmost = 0;
        cw.info.focused = false;
        ResizeSurface(cw, DluToPixelsX(ct.cx), DluToPixelsY(ct.cy));
        FindWnd(h)->children.push_back(c);
    }

    const HWND firstTab = FirstTabStop(*FindWnd(h));
    const LRESULT setFocus = Deliver(h, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), 0);
    Window* dlg = LiveWindow(h);
    if (!dlg) return nullptr;
    if (setFocus && firstTab) SetFocusTo(firstTab);
    // DialogBox shows the dialog whatever its style, unless it already ended during WM_INITDIALOG.
    if ((modal && !dlg->ended) || (dlg->info.style & WS_VISIBLE)) {
        dlg->info.visible = true;
        dlg->info.style |= WS_VISIBLE;
        AwaitWindowManager(h);
    }
    return h;
}

void DestroyWindowTree(HWND h) {
    Window* w = LiveWindow(h);
    if (!w || w->destroying) return;
    w->destroying = true;
    // Windows destroys the windows a window owns before the window itself.
    std::vector<HWND> owned;
    for (auto& entry : S().windows)
        if (!entry.second.info.destroyed && entry.second.info.owner == h && !entry.second.parent)
            owned.push_back(entry.second.handle);
    for (HWND o : owned)
        DestroyWindowTree(o);

    Deliver(h, WM_DESTROY, 0, 0);
    w = FindWnd(h);
    for (HWND c : w->children) {
        Window* cw = LiveWindow(c);
        if (!cw) continue;
        if (S().focus == c) SetFocusTo(nullptr);
        cw->info.destroyed = true;
        cw->info.visible = false;
    }
    Deliver(h, kWmNcDestroy, 0, 0);
    w = FindWnd(h);
    if (S().focus == h) SetFocusTo(nullptr);
    DropTimers(h);
    ReleaseWindowRegion(*w);
    w->info.destroyed = true;
    w->info.visible = false;
    w->dispatch = nullptr;
    w->ctx = nullptr;
}

} // namespace detail

using namespace detail;

void SetWindowManagerClamps(bool clamps) {
    if (!clamps) {
        SetWindowManager(nullptr);
        return;
    }
    SetWindowManager([](HWND, const RECT& asked) {
        const State& s = S();
        const bool coversScreen =
            asked.left <= 0 && asked.top <= 0 && asked.right >= s.desktopW && asked.bottom >= s.desktopH;
        return coversScreen ? RECT{0, 0, s.desktopW, s.desktopH} : asked;
    });
}

void SetWindowManager(std::function<RECT(HWND, const RECT&)> rule) {
    S().windowManager = std::move(rule);
    S().awaitingWindowManager.clear();
}

void SettleWindowManager() {
    State& s = S();
    if (!s.windowManager) return;
    const std::set<uintptr_t> awaiting = std::move(s.awaitingWindowManager);
    s.awaitingWindowManager.clear();
    for (uintptr_t key : awaiting) {
        const HWND h = As<HWND>(key);
        Window* w = LiveWindow(h);
        if (!w || !w->info.visible) continue; // the window manager leaves unmapped windows alone
        const RECT asked = {w->info.x, w->info.y, w->info.x + w->info.cx, w->info.y + w->info.cy};
        const RECT got = s.windowManager(h, asked);
        w = LiveWindow(h);
        if (!w) continue;
        const bool moved = got.left != asked.left || got.top != asked.top;
        w->info.x = got.left;
        w->info.y = got.top;
        if (got.right - got.left != w->info.cx || got.bottom - got.top != w->info.cy)
            ResizeSurface(*w, got.right - got.left, got.bottom - got.top);
        if (moved) Deliver(h, WM_MOVE, 0, MAKELPARAM(got.left, got.top));
    }
}

HWND DialogWindow(int templateId) {
    auto it = S().lastDialog.find(templateId);
    return it == S().lastDialog.end() ? nullptr : it->second;
}

const WindowInfo* Info(HWND hwnd) {
    Window* w = FindWnd(hwnd);
    return w ? &w->info : nullptr;
}

std::string WindowName(HWND hwnd) {
    return NameOf(hwnd);
}

int LiveWindows() {
    int n = 0;
    for (const auto& entry : S().windows)
        n += entry.second.info.destroyed ? 0 : 1;
    return n;
}

HWND FocusWindow() {
    return S().focus;
}

HICON WindowIcon(HWND hwnd, WPARAM which) {
    Window* w = FindWnd(hwnd);
    if (!w) return nullptr;
    return which == ICON_BIG ? w->iconBig : w->iconSmall;
}

void FailDialogCreation(int templateId, bool fail) {
    if (fail)
        S().failDialogs.insert(templateId);
    else
        S().failDialogs.erase(templateId);
}

void SetMoveDragOffset(int dx, int dy) {
    S().moveDx = dx;
    S().moveDy = dy;
}

void SetModalDriver(int templateId, std::function<void(HWND)> driver) {
    if (driver)
        S().modalDrivers[templateId] = std::move(driver);
    else
        S().modalDrivers.erase(templateId);
}

HWND OpenModal(CDialog& dlg) {
    // The owner rule of CDialog::DoModal.
    HWND owner = nullptr;
    if (dlg.m_pParentWnd) {
        owner = dlg.m_pParentWnd->m_hWnd;
    } else if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd && app->m_pMainWnd != &dlg) owner = app->m_pMainWnd->m_hWnd;
    }
    return CreateDialogWindow(dlg.m_nIDTemplate, owner, &CDialog::Dispatch, &dlg, true);
}

bool ModalEnded(HWND dlg, INT_PTR* result) {
    Window* w = FindWnd(dlg);
    if (!w || !w->ended) return false;
    if (result) *result = w->endResult;
    return true;
}

void CloseModal(HWND dlg) {
    DestroyWindowTree(dlg);
}

} // namespace sim

// ---- The platform seam ------------------------------------------------------------------------------------

namespace fw {
namespace plat {

using namespace sim::detail;

INT_PTR RunModalDialog(UINT templateId, HWND owner, DialogDispatchFn dispatch, void* ctx) {
    const HWND h = CreateDialogWindow(templateId, owner, dispatch, ctx, true);
    if (!h) return -1;
    Window* w = FindWnd(h);
    if (!w->ended) {
        auto it = S().modalDrivers.find(static_cast<int>(templateId));
        if (it != S().modalDrivers.end()) {
            const std::function<void(HWND)> driver = it->second; // the driver may replace itself
            driver(h);
        }
    }
    w = FindWnd(h);
    // Without a driver (or one that never ends the dialog) the user is taken to have pressed Cancel.
    const INT_PTR result = w->ended ? w->endResult : IDCANCEL;
    DestroyWindowTree(h);
    return result;
}

HWND CreateModelessDialog(UINT templateId, HWND owner, DialogDispatchFn dispatch, void* ctx) {
    return CreateDialogWindow(templateId, owner, dispatch, ctx, false);
}

BOOL EndDlg(HWND dlg, INT_PTR result) {
    AddLog("EndDialog " + NameOf(dlg) + " " + std::to_string(result));
    Window* w = LiveWindow(dlg);
    if (!w || w->parent) return FALSE;
    w->ended = true;
    w->endResult = result;
    // A modeless dialog is only hidden by EndDialog.
    if (!w->modal) w->info.visible = false;
    return TRUE;
}

namespace {

std::string AfterName(HWND after, UINT flags) {
    if (flags & SWP_NOZORDER) return "-";
    if (after == HWND_TOP) return "TOP";
    if (after == HWND_BOTTOM) return "BOTTOM";
    if (after == HWND_TOPMOST) return "TOPMOST";
    if (after == HWND_NOTOPMOST) return "NOTOPMOST";
    return NameOf(after);
}

std::string FlagNames(UINT flags) {
    static const struct {
        UINT bit;
        const char* name;
    } kNames[] = {{SWP_NOSIZE, "NOSIZE"},     {SWP_NOMOVE, "NOMOVE"},         {SWP_NOZORDER, "NOZORDER"},
                  {SWP_NOREDRAW, "NOREDRAW"}, {SWP_NOACTIVATE, "NOACTIVATE"}, {SWP_SHOWWINDOW, "SHOW"},
                  {SWP_HIDEWINDOW, "HIDE"}};
    std::string out;
    UINT rest = flags;
    for (const auto& n : kNames) {
        if (!(flags & n.bit)) continue;
        if (!out.empty()) out += '|';
        out += n.name;
        rest &= ~n.bit;
    }
    if (rest) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%04X", rest);
        if (!out.empty()) out += '|';
        out += buf;
    }
    return out.empty() ? "0" : out;
}

} // namespace

BOOL SetWindowPosition(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    AddLog("SetWindowPos " + NameOf(hwnd) + " " + AfterName(insertAfter, flags) + " " + std::to_string(x) +
           "," + std::to_string(y) + " " + std::to_string(cx) + "x" + std::to_string(cy) + " " +
           FlagNames(flags));
    Window* w = LiveWindow(hwnd);
    if (!w) return FALSE;
    const bool moved = !(flags & SWP_NOMOVE) && (w->info.x != x || w->info.y != y);
    if (!(flags & SWP_NOMOVE)) {
        w->info.x = x;
        w->info.y = y;
    }
    if (!(flags & SWP_NOSIZE)) ResizeSurface(*w, cx, cy);
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_TOPMOST)
            w->info.zOrderTopmost = 1;
        else if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM)
            w->info.zOrderTopmost = 0;
    }
    if (flags & SWP_SHOWWINDOW) {
        w->info.visible = true;
        w->info.style |= WS_VISIBLE;
    } else if (flags & SWP_HIDEWINDOW) {
        w->info.visible = false;
        w->info.style &= ~WS_VISIBLE;
    }
    AwaitWindowManager(hwnd);
    if (moved) Deliver(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    return TRUE;
}

HWND GetDialogItem(HWND dlg, int id) {
    Window* w = LiveWindow(dlg);
    if (!w) return nullptr;
    for (HWND c : w->children) {
        Window* cw = LiveWindow(c);
        if (cw && cw->info.controlId == id) return c;
    }
    return nullptr;
}

BOOL DestroyWnd(HWND hwnd) {
    AddLog("DestroyWindow " + NameOf(hwnd));
    Window* w = LiveWindow(hwnd);
    if (!w) return FALSE;
    if (w->parent) { // a single control
        if (S().focus == hwnd) SetFocusTo(nullptr);
        w->info.destroyed = true;
        w->info.visible = false;
        return TRUE;
    }
    DestroyWindowTree(hwnd);
    return TRUE;
}

BOOL ShowWnd(HWND hwnd, int cmd) {
    AddLog("ShowWindow " + NameOf(hwnd) + " " + std::to_string(cmd));
    Window* w = LiveWindow(hwnd);
    if (!w) return FALSE;
    const BOOL wasVisible = w->info.visible ? TRUE : FALSE;
    if (cmd == SW_HIDE) {
        w->info.visible = false;
        w->info.style &= ~WS_VISIBLE;
        // As user32: a hidden window that has the focus hands it to its parent (a dialog's to nobody).
        if (S().focus == hwnd) SetFocusTo(w->parent);
        return wasVisible;
    }
    w->info.visible = true;
    w->info.style |= WS_VISIBLE;
    AwaitWindowManager(hwnd);
    // SW_SHOWMINIMIZED, SW_MINIMIZE, SW_SHOWMINNOACTIVE, SW_FORCEMINIMIZE minimise; the normal and
    // maximised shows and SW_RESTORE restore.
    if (cmd == 2 || cmd == 6 || cmd == 7 || cmd == 11) w->iconic = true;
    if (cmd == 1 || cmd == 3 || cmd == 9) w->iconic = false;
    return wasVisible;
}

BOOL IsWnd(HWND hwnd) {
    return LiveWindow(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowIconic(HWND hwnd) {
    Window* w = LiveWindow(hwnd);
    return w && w->iconic ? TRUE : FALSE;
}

BOOL GetClientRectangle(HWND hwnd, RECT* rc) {
    if (!rc) return FALSE;
    if (Key(hwnd) == kDesktopHandle) {
        *rc = RECT{0, 0, S().desktopW, S().desktopH};
        return TRUE;
    }
    Window* w = LiveWindow(hwnd);
    if (!w) return FALSE;
    *rc = RECT{0, 0, w->info.cx, w->info.cy};
    return TRUE;
}

BOOL GetWindowRectangle(HWND hwnd, RECT* rc) {
    if (!rc) return FALSE;
    if (Key(hwnd) == kDesktopHandle) {
        *rc = RECT{0, 0, S().desktopW, S().desktopH};
        return TRUE;
    }
    Window* w = LiveWindow(hwnd);
    if (!w) return FALSE;
    // Controls are placed in their dialog's client area, which is the whole dialog here.
    int x = w->info.x, y = w->info.y;
    if (Window* parent = LiveWindow(w->parent)) {
        x += parent->info.x;
        y += parent->info.y;
    }
    *rc = RECT{x, y, x + w->info.cx, y + w->info.cy};
    return TRUE;
}

BOOL ShowOwnScrollBar(HWND hwnd, int bar, BOOL show) {
    const std::string name = bar == SB_VERT ? "VERT" : bar == SB_HORZ ? "HORZ" : std::to_string(bar);
    AddLog("ShowScrollBar " + NameOf(hwnd) + " " + name + " " + (show ? "1" : "0"));
    Window* w = LiveWindow(hwnd);
    if (!w || (bar != SB_VERT && bar != SB_HORZ)) return FALSE;
    const DWORD style = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (show)
        w->info.style |= style;
    else
        w->info.style &= ~style;
    return TRUE;
}

DWORD GetWindowStyle(HWND hwnd) {
    Window* w = LiveWindow(hwnd);
    return w ? w->info.style : 0;
}

HWND FocusedWindow() {
    return S().focus;
}

HWND GetNextSibling(HWND hwnd) {
    Window* w = LiveWindow(hwnd);
    if (!w || !w->parent) return nullptr;
    Window* parent = FindWnd(w->parent);
    auto it = std::find(parent->children.begin(), parent->children.end(), hwnd);
    for (++it; it != parent->children.end(); ++it)
        if (LiveWindow(*it)) return *it;
    return nullptr;
}

HWND GetDesktop() {
    return As<HWND>(kDesktopHandle);
}

int GetMetric(int index) {
    switch (index) {
    case 0:
        return S().desktopW; // SM_CXSCREEN
    case 1:
        return S().desktopH; // SM_CYSCREEN
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}

void AcceptDrops(HWND hwnd, BOOL accept) {
    AddLog("DragAcceptFiles " + NameOf(hwnd) + " " + (accept ? "1" : "0"));
    Window* w = LiveWindow(hwnd);
    if (!w) return;
    w->acceptDrops = accept != FALSE;
    if (accept)
        w->info.exStyle |= WS_EX_ACCEPTFILES;
    else
        w->info.exStyle &= ~WS_EX_ACCEPTFILES;
}

} // namespace plat
} // namespace fw
