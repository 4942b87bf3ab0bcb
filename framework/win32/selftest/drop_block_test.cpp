// DropItems reads the drop's DROPFILES block itself, in one pass: it must give exactly what the shell's own
// DragQueryFileW gives, item by item, for the block shapes that exist (wide names, at any offset; ANSI
// names).
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A drop block: the header, `padding` bytes, then the names (wide or ANSI), ending in an empty name.
fw::HDROP MakeBlock(const std::vector<std::wstring>& names, bool wide, size_t padding) {
    std::vector<BYTE> list;
    for (const std::wstring& name : names) {
        if (wide) {
            const BYTE* bytes = reinterpret_cast<const BYTE*>(name.c_str());
            list.insert(list.end(), bytes, bytes + (name.size() + 1) * sizeof(wchar_t));
        } else {
            const int n = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, nullptr);
            std::string ansi(static_cast<size_t>(n), '\0');
            WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, &ansi[0], n, nullptr, nullptr);
            list.insert(list.end(), ansi.begin(), ansi.end()); // with its terminating zero
        }
    }
    list.insert(list.end(), wide ? sizeof(wchar_t) : 1, 0);
    const size_t offset = sizeof(DROPFILES) + padding;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, offset + list.size());
    if (!memory) return nullptr;
    BYTE* block = static_cast<BYTE*>(GlobalLock(memory));
    DROPFILES header{};
    header.pFiles = static_cast<DWORD>(offset);
    header.fWide = wide ? TRUE : FALSE;
    std::memcpy(block, &header, sizeof header);
    std::memcpy(block + offset, list.data(), list.size());
    GlobalUnlock(memory);
    return reinterpret_cast<fw::HDROP>(memory);
}

// What the shell says, item by item.
std::vector<std::wstring> ShellItems(fw::HDROP drop) {
    std::vector<std::wstring> items;
    const HDROP h = fw::win32::ToWin(drop);
    const UINT count = DragQueryFileW(h, 0xFFFFFFFFu, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(h, i, nullptr, 0);
        std::vector<wchar_t> buffer(length + 1, L'\0');
        DragQueryFileW(h, i, buffer.data(), length + 1);
        items.emplace_back(buffer.data(), length);
    }
    return items;
}

} // namespace

TEST(Win32Backend, DropItemsReadInOnePassMatchTheShell) {
    const std::vector<std::wstring> wideNames = {L"Z:\\a.avi",
                                                 L"Z:\\" + std::wstring(400, L'n') + L"\\long.avi",
                                                 L"Z:\\日本語\\動画.avi", L"Z:\\folder"};
    const std::vector<std::wstring> ansiNames = {L"Z:\\b.avi", L"Z:\\with blank\\c.avi"};
    struct Shape {
        const char* name;
        std::vector<std::wstring> names;
        bool wide;
        size_t padding;
    } shapes[] = {
        {"wide", wideNames, true, 0},
        {"wide at an odd offset", wideNames, true, 1},
        {"ANSI", ansiNames, false, 0},
        // The shell counts one empty item here (it steps over the first name before looking for the end);
        // an empty name names nothing, and the player passes it over either way.
        {"no items", {}, true, 0},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        fw::HDROP drop = MakeBlock(shape.names, shape.wide, shape.padding);
        ASSERT_NE(drop, nullptr);
        std::vector<std::wstring> items = {L"stale"};
        EXPECT_TRUE(fw::plat::DropItems(drop, &items));
        EXPECT_EQ(items, shape.names);
        if (!shape.names.empty()) {
            EXPECT_EQ(items, ShellItems(drop));
        }
        fw::plat::FinishDrop(drop);
    }
}
