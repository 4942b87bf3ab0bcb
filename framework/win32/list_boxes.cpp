// List boxes through their W messages. The sorted style does the ordering: the list box compares item texts
// by the user's locale with case ignored (CompareString), see CListBox.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <vector>

namespace fw {
namespace plat {

using win32::ToWin;

LRESULT ListBoxAdd(HWND listBox, const std::wstring& text) {
    return SendMessageW(ToWin(listBox), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT ListBoxCount(HWND listBox) {
    return SendMessageW(ToWin(listBox), LB_GETCOUNT, 0, 0);
}

bool ListBoxText(HWND listBox, int index, std::wstring* text) {
    if (!text || index < 0) return false;
    // A window that is no list box answers every message with 0, which would pass for an empty item.
    if (index >= SendMessageW(ToWin(listBox), LB_GETCOUNT, 0, 0)) return false;
    const LRESULT length = SendMessageW(ToWin(listBox), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(ToWin(listBox), LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == LB_ERR || copied < 0) return false;
    text->assign(buffer.data(), static_cast<size_t>(copied < length ? copied : length));
    return true;
}

LRESULT ListBoxDelete(HWND listBox, int index) {
    return SendMessageW(ToWin(listBox), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxReset(HWND listBox) {
    SendMessageW(ToWin(listBox), LB_RESETCONTENT, 0, 0);
}

} // namespace plat
} // namespace fw
