// Shell drag and drop (WM_DROPFILES). The names are read from the drop's memory by our own bounded reader
// (framework/drop_names.h), never by DragQueryFileW, which walks the list until it finds its end: a
// malformed block from another program would send it past the block.
#include "framework/drop_names.h"
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <shellapi.h>
#include <shlobj.h> // DROPFILES

#include <vector>

namespace fw {
namespace plat {

using win32::ToWin;

namespace {

static_assert(sizeof(DROPFILES) == kDropHeaderSize, "the reader's header is the system's DROPFILES");

// GlobalLock for the length of a scope.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory)
        : m_memory(memory), m_bytes(static_cast<const BYTE*>(GlobalLock(memory))) {}
    ~LockedGlobal() {
        if (m_bytes) GlobalUnlock(m_memory);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const BYTE* Bytes() const { return m_bytes; }

private:
    HGLOBAL m_memory;
    const BYTE* m_bytes;
};

// As DragQueryFileW converts ANSI names: the ANSI code page.
std::wstring AnsiName(const char* name, size_t length) {
    const int bytes = static_cast<int>(length);
    const int wide = MultiByteToWideChar(CP_ACP, 0, name, bytes, nullptr, 0);
    if (wide <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name, bytes, &text[0], wide);
    return text;
}

} // namespace

void AcceptDrops(HWND hwnd, BOOL accept) {
    DragAcceptFiles(ToWin(hwnd), accept);
}

bool DropItems(HDROP drop, std::vector<std::wstring>* items) {
    if (!items) return false;
    items->clear();
    if (!drop) return false;
    // The drop handle is the global memory block of the DROPFILES structure and its list of names.
    const HGLOBAL memory = reinterpret_cast<HGLOBAL>(ToWin(drop));
    const SIZE_T size = GlobalSize(memory);
    const LockedGlobal locked(memory);
    if (!locked.Bytes()) return false;
    return ReadDropNames(locked.Bytes(), size, AnsiName, items);
}

void FinishDrop(HDROP drop) {
    DragFinish(ToWin(drop));
}

} // namespace plat
} // namespace fw
