// Controls of the simulated platform: buttons with check state, texts and list boxes.
#include "framework/sim/collation.h"
#include "framework/sim/sim_state.h"

#include <algorithm>

namespace sim {
namespace detail {

namespace {

constexpr DWORD kLbsSort = 0x0002;

bool IsListBox(const Window& w) {
    const std::string& c = w.info.className;
    return c.size() == 7 && std::equal(c.begin(), c.end(), "listbox", [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == y;
           });
}

LRESULT AddItem(Window& lb, const std::wstring& text) {
    auto& items = lb.items;
    if (!(lb.info.style & kLbsSort)) {
        items.push_back(text);
        return static_cast<LRESULT>(items.size() - 1);
    }
    // The list box's own binary search: it stops at the first item that compares equal and inserts there
    // (before that item), else where the search ends. So texts that compare equal (differing only in case)
    // end up in an order that depends on the items already there, exactly as on the real platform; text that
    // sorts after every item (a presorted batch) is appended.
    std::string key = SortKey(text);
    auto& keys = lb.itemKeys;
    size_t low = 0, high = keys.size();
    while (low < high) {
        const size_t middle = low + (high - low - 1) / 2;
        const int order = keys[middle].compare(key);
        if (order == 0) {
            low = middle;
            break;
        }
        if (order > 0)
            high = middle;
        else
            low = middle + 1;
    }
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(low), text);
    keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(low), std::move(key));
    return static_cast<LRESULT>(low);
}

void EraseItem(Window& lb, size_t index) {
    lb.items.erase(lb.items.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < lb.itemKeys.size())
        lb.itemKeys.erase(lb.itemKeys.begin() + static_cast<std::ptrdiff_t>(index));
}

void ClearItems(Window& lb) {
    lb.items.clear();
    lb.itemKeys.clear();
}

Window* ListBox(HWND h) {
    Window* w = LiveWindow(h);
    return w && IsListBox(*w) ? w : nullptr;
}

Window* Control(HWND dlg, int id) {
    return LiveWindow(plat::GetDialogItem(dlg, id));
}

} // namespace

LRESULT ControlProc(Window& c, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kBmGetCheck:
        return c.check;
    case kBmSetCheck:
        c.check = static_cast<UINT>(wp);
        return 0;
    case kWmSetText:
        c.info.text = lp ? reinterpret_cast<const wchar_t*>(lp) : L"";
        return TRUE;
    case kWmGetTextLength:
        return static_cast<LRESULT>(c.info.text.size());
    case kWmGetText: {
        if (!lp || wp == 0) return 0;
        const size_t n = std::min(c.info.text.size(), static_cast<size_t>(wp) - 1);
        wchar_t* out = reinterpret_cast<wchar_t*>(lp);
        std::copy_n(c.info.text.data(), n, out);
        out[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    default:
        break;
    }
    if (!IsListBox(c)) return 0;
    switch (msg) {
    case LB_ADDSTRING:
        return lp ? AddItem(c, reinterpret_cast<const wchar_t*>(lp)) : LB_ERR;
    case LB_GETCOUNT:
        return static_cast<LRESULT>(c.items.size());
    case LB_RESETCONTENT:
        ClearItems(c);
        return 0;
    case LB_DELETESTRING:
        if (wp >= c.items.size()) return LB_ERR;
        EraseItem(c, wp);
        return static_cast<LRESULT>(c.items.size());
    case LB_GETTEXTLEN:
        return wp < c.items.size() ? static_cast<LRESULT>(c.items[wp].size()) : LB_ERR;
    case LB_GETTEXT: {
        if (wp >= c.items.size() || !lp) return LB_ERR;
        const std::wstring& t = c.items[wp];
        wchar_t* out = reinterpret_cast<wchar_t*>(lp);
        std::copy(t.begin(), t.end(), out);
        out[t.size()] = L'\0';
        return static_cast<LRESULT>(t.size());
    }
    default:
        return 0;
    }
}

} // namespace detail

ScrollBarState ScrollBar(HWND bar) {
    detail::Window* w = detail::LiveWindow(bar);
    return w ? ScrollBarState{w->scrollMin, w->scrollMax, w->scrollPos} : ScrollBarState{0, 0, 0};
}

std::vector<std::wstring> ListBoxItems(HWND listBox) {
    detail::Window* w = detail::ListBox(listBox);
    return w ? w->items : std::vector<std::wstring>();
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

UINT IsButtonChecked(HWND dlg, int id) {
    Window* c = Control(dlg, id);
    return c ? c->check : BST_UNCHECKED;
}

BOOL CheckButton(HWND dlg, int id, UINT state) {
    Window* c = Control(dlg, id);
    if (!c) return FALSE;
    c->check = state;
    return TRUE;
}

BOOL SetItemText(HWND dlg, int id, const std::wstring& text) {
    Window* c = Control(dlg, id);
    if (!c) return FALSE;
    c->info.text = text;
    return TRUE;
}

BOOL SetScrollBarRange(HWND bar, int minPos, int maxPos, BOOL redraw) {
    Window* w = LiveWindow(bar);
    if (!w) return FALSE;
    w->scrollMin = minPos;
    w->scrollMax = maxPos;
    w->scrollPos = std::min(std::max(w->scrollPos, minPos), maxPos);
    AddLog("SetScrollRange " + NameOf(bar) + " " + std::to_string(minPos) + ".." + std::to_string(maxPos) +
           (redraw ? "" : " noredraw"));
    return TRUE;
}

int SetScrollBarPos(HWND bar, int pos, BOOL redraw) {
    Window* w = LiveWindow(bar);
    if (!w) return 0;
    const int previous = w->scrollPos;
    w->scrollPos = std::min(std::max(pos, w->scrollMin), w->scrollMax);
    AddLog("SetScrollPos " + NameOf(bar) + " " + std::to_string(pos) + (redraw ? "" : " noredraw"));
    return previous;
}

int GetScrollBarPos(HWND bar) {
    Window* w = LiveWindow(bar);
    return w ? w->scrollPos : 0;
}

std::wstring GetItemText(HWND dlg, int id) {
    Window* c = Control(dlg, id);
    return c ? c->info.text : std::wstring();
}

// A window that is no list box answers the list box messages as any window does: 0.
LRESULT ListBoxAdd(HWND listBox, const std::wstring& text) {
    Window* w = ListBox(listBox);
    return w ? AddItem(*w, text) : 0;
}

LRESULT ListBoxCount(HWND listBox) {
    Window* w = ListBox(listBox);
    return w ? static_cast<LRESULT>(w->items.size()) : 0;
}

bool ListBoxText(HWND listBox, int index, std::wstring* text) {
    Window* w = ListBox(listBox);
    if (!w || index < 0 || static_cast<size_t>(index) >= w->items.size() || !text) return false;
    *text = w->items[static_cast<size_t>(index)];
    return true;
}

LRESULT ListBoxDelete(HWND listBox, int index) {
    Window* w = ListBox(listBox);
    if (!w) return 0;
    if (index < 0 || static_cast<size_t>(index) >= w->items.size()) return LB_ERR;
    EraseItem(*w, static_cast<size_t>(index));
    return static_cast<LRESULT>(w->items.size());
}

void ListBoxReset(HWND listBox) {
    if (Window* w = ListBox(listBox)) ClearItems(*w);
}

} // namespace plat
} // namespace fw
