// Shell drag and drop (WM_DROPFILES).
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <shellapi.h>
#include <shlobj.h> // DROPFILES

#include <cstring>
#include <vector>

namespace fw {
namespace plat {

using win32::ToWin;

namespace {

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

// The names of a DROPFILES block: from byte `offset` on, names ending in a zero, the list ending in an empty
// name, all within `size` bytes. Wide names may sit at an odd offset, so characters are copied out, never
// read in place. False when the list runs past the block.
bool ReadWideNames(const BYTE* block, size_t size, size_t offset, std::vector<std::wstring>* items) {
    std::wstring name;
    for (size_t at = offset; at + sizeof(wchar_t) <= size; at += sizeof(wchar_t)) {
        wchar_t c;
        std::memcpy(&c, block + at, sizeof c);
        if (c != L'\0') {
            name += c;
        } else if (name.empty()) {
            return true;
        } else {
            items->push_back(name);
            name.clear();
        }
    }
    return false;
}

bool ReadAnsiNames(const BYTE* block, size_t size, size_t offset, std::vector<std::wstring>* items) {
    const char* text = reinterpret_cast<const char*>(block);
    size_t start = offset;
    for (size_t at = offset; at < size; ++at) {
        if (text[at] != '\0') continue;
        if (at == start) return true;
        // As DragQueryFileW converts them: the ANSI code page.
        const int length = static_cast<int>(at - start);
        const int wide = MultiByteToWideChar(CP_ACP, 0, text + start, length, nullptr, 0);
        if (wide <= 0) return false;
        std::wstring name(static_cast<size_t>(wide), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text + start, length, &name[0], wide);
        items->push_back(name);
        start = at + 1;
    }
    return false;
}

// The drop handle is the global memory block of a DROPFILES structure followed by the list of names. Read
// once from its start, where DragQueryFileW walks the list again from the start for every item (and for the
// count), which makes a drop of many items quadratic. False when the block is not what it should be.
bool ReadDropBlock(HDROP drop, std::vector<std::wstring>* items) {
    const HGLOBAL memory = reinterpret_cast<HGLOBAL>(ToWin(drop));
    const SIZE_T size = GlobalSize(memory);
    if (size < sizeof(DROPFILES)) return false;
    const LockedGlobal locked(memory);
    if (!locked.Bytes()) return false;
    DROPFILES header;
    std::memcpy(&header, locked.Bytes(), sizeof header);
    if (header.pFiles < sizeof(DROPFILES) || header.pFiles >= size) return false;
    return header.fWide ? ReadWideNames(locked.Bytes(), size, header.pFiles, items)
                        : ReadAnsiNames(locked.Bytes(), size, header.pFiles, items);
}

} // namespace

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

bool DropItems(HDROP drop, std::vector<std::wstring>* items) {
    if (!items) return false;
    items->clear();
    if (!drop) return false;
    if (ReadDropBlock(drop, items)) return true;
    // A block of another shape: the shell's own query, item by item (quadratic, but correct).
    items->clear();
    const UINT count = DropCount(drop);
    std::wstring path;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(ToWin(drop), i, nullptr, 0);
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        const UINT copied = DragQueryFileW(ToWin(drop), i, buffer.data(), length + 1);
        items->emplace_back(buffer.data(), copied <= length ? copied : length);
    }
    return true;
}

void FinishDrop(HDROP drop) {
    DragFinish(ToWin(drop));
}

} // namespace plat
} // namespace fw
