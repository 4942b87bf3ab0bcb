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

namespace {

// A drop whose memory holds exactly `bytes`, whatever they say.
fw::HDROP RawBlock(const std::vector<BYTE>& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (!memory) return nullptr;
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    return reinterpret_cast<fw::HDROP>(memory);
}

std::vector<BYTE> Header(DWORD files, bool wide) {
    std::vector<BYTE> bytes(sizeof(DROPFILES), 0);
    DROPFILES header{};
    header.pFiles = files;
    header.fWide = wide ? TRUE : FALSE;
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

std::vector<BYTE> With(std::vector<BYTE> bytes, const std::vector<BYTE>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

} // namespace

// A block from another program is read within its own size: a malformed one gives the whole names before
// the fault, or none, and never reaches the shell's unbounded query.
TEST(Win32Backend, MalformedDropBlocksGiveTheNamesReadSoFar) {
    const DWORD start = sizeof(DROPFILES);
    const std::vector<BYTE> wideA = {'a', 0, 0, 0}; // L"a" and its zero
    struct Shape {
        const char* name;
        std::vector<BYTE> bytes;
        std::vector<std::wstring> items;
    } shapes[] = {
        {"shorter than its header", std::vector<BYTE>(8, 0), {}},
        {"header alone", Header(start, true), {}},
        {"names start inside the header", With(Header(4, true), wideA), {}},
        {"names start past the block", With(Header(0x7FFFFFF0u, true), wideA), {}},
        {"wide list without its end", With(Header(start, true), With(wideA, {'b', 0, 0, 0})), {L"a", L"b"}},
        {"wide name cut by the block's end", With(Header(start, true), With(wideA, {'x', 0})), {L"a"}},
        {"no zero at all", With(Header(start, true), std::vector<BYTE>(64, 'x')), {}},
        {"ANSI list without its end", With(Header(start, false), {'a', 0, 'b', 0}), {L"a", L"b"}},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        fw::HDROP drop = RawBlock(shape.bytes);
        ASSERT_NE(drop, nullptr);
        std::vector<std::wstring> items = {L"stale"};
        EXPECT_FALSE(fw::plat::DropItems(drop, &items));
        EXPECT_EQ(items, shape.items);
        fw::plat::FinishDrop(drop);
    }
    std::vector<std::wstring> items = {L"stale"};
    EXPECT_FALSE(fw::plat::DropItems(nullptr, &items));
    EXPECT_TRUE(items.empty());
}
