// Shell drag and drop (WM_DROPFILES).
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <shellapi.h>

#include <vector>

namespace fw {
namespace plat {

using win32::ToWin;

void AcceptDrops(HWND hwnd, BOOL accept) {
    DragAcceptFiles(ToWin(hwnd), accept);
}

UINT DropCount(HDROP drop) {
    return DragQueryFileW(ToWin(drop), 0xFFFFFFFFu, nullptr, 0);
}

bool DropItem(HDROP drop, UINT index, std::wstring* path) {
    if (!path || index >= DropCount(drop)) return false;
    // Asked with no buffer, the call gives the length without the terminator: no path limit applies.
    const UINT length = DragQueryFileW(ToWin(drop), index, nullptr, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = DragQueryFileW(ToWin(drop), index, buffer.data(), length + 1);
    path->assign(buffer.data(), copied <= length ? copied : length);
    return true;
}

void FinishDrop(HDROP drop) {
    DragFinish(ToWin(drop));
}

} // namespace plat
} // namespace fw
