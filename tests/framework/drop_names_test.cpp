// The bounded reader of a drop's DROPFILES block: whole blocks of both kinds, and every malformed shape a
// foreign program could hand over, each read within the block (ASan watches the bounds: every block lies in
// memory of exactly its size).
#include "framework/drop_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using namespace fw;

namespace {

// The ANSI code page of the test: Latin-1, one byte to one character.
std::wstring Latin1(const char* name, size_t length) {
    std::wstring text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<wchar_t>(static_cast<unsigned char>(name[i]));
    return text;
}

void PutDword(std::vector<BYTE>* block, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        (*block)[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// A header pointing at `files`, `padding` bytes after it, then `list` as it stands.
std::vector<BYTE> Block(bool wide, uint32_t files, size_t padding, const std::vector<BYTE>& list) {
    std::vector<BYTE> block(kDropHeaderSize + padding, 0);
    PutDword(&block, 0, files);
    PutDword(&block, 16, wide ? 1 : 0);
    block.insert(block.end(), list.begin(), list.end());
    return block;
}

// UTF-16 little endian bytes of `names`, each ended by a zero; `end` adds the list's empty name.
std::vector<BYTE> WideList(const std::vector<std::wstring>& names, bool end) {
    std::vector<BYTE> bytes;
    for (const std::wstring& name : names) {
        for (wchar_t c : name) {
            bytes.push_back(static_cast<BYTE>(c & 0xFF));
            bytes.push_back(static_cast<BYTE>((c >> 8) & 0xFF));
        }
        bytes.insert(bytes.end(), {0, 0});
    }
    if (end) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::vector<BYTE> AnsiList(const std::vector<std::string>& names, bool end) {
    std::vector<BYTE> bytes;
    for (const std::string& name : names) {
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);
    }
    if (end) bytes.push_back(0);
    return bytes;
}

std::vector<BYTE> Plus(std::vector<BYTE> bytes, std::initializer_list<BYTE> more) {
    bytes.insert(bytes.end(), more);
    return bytes;
}

// Reads `block` from a heap copy of exactly its size, so a read past it is caught.
bool Read(const std::vector<BYTE>& block, std::vector<std::wstring>* items) {
    std::unique_ptr<BYTE[]> exact(new BYTE[block.size() ? block.size() : 1]);
    if (!block.empty()) std::memcpy(exact.get(), block.data(), block.size());
    return ReadDropNames(exact.get(), block.size(), Latin1, items);
}

TEST(DropNames, WholeBlocksGiveEveryNameInOrder) {
    const std::vector<std::wstring> names = {L"C:\\a.avi", L"C:\\" + std::wstring(400, L'n'),
                                             L"C:\\\u65e5\u672c\\\u52d5\u753b.avi"};
    struct Case {
        const char* what;
        std::vector<BYTE> block;
        std::vector<std::wstring> items;
    } cases[] = {
        {"wide", Block(true, 20, 0, WideList(names, true)), names},
        {"wide at an odd offset", Block(true, 21, 1, WideList(names, true)), names},
        {"wide, bytes after the list's end",
         Block(true, 20, 0, Plus(WideList({L"a", L"b"}, true), {0})),
         {L"a", L"b"}},
        {"ANSI",
         Block(false, 20, 0, AnsiList({"C:\\b.avi", "C:\\with blank\\\xe9.avi"}, true)),
         {L"C:\\b.avi", L"C:\\with blank\\\u00e9.avi"}},
        {"no names", Block(true, 20, 0, WideList({}, true)), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> items;
        EXPECT_TRUE(Read(c.block, &items));
        EXPECT_EQ(items, c.items);
    }
}

TEST(DropNames, MalformedBlocksGiveTheWholeNamesReadSoFarOrNone) {
    std::vector<BYTE> huge = Block(true, 20, 0, WideList({L"a"}, true));
    PutDword(&huge, 0, 0xFFFFFFFFu);
    struct Case {
        const char* what;
        std::vector<BYTE> block;
        std::vector<std::wstring> items;
    } cases[] = {
        {"empty", {}, {}},
        {"shorter than its header", std::vector<BYTE>(19, 0), {}},
        {"header alone", Block(true, 20, 0, {}), {}},
        {"names start inside the header", Block(true, 4, 0, WideList({L"a"}, true)), {}},
        {"names start at the block's end", Block(true, 24, 0, WideList({L"a"}, false)), {}},
        {"names start far past the block", huge, {}},
        {"wide list without its end", Block(true, 20, 0, WideList({L"a", L"bc"}, false)), {L"a", L"bc"}},
        {"wide name cut by the block's end",
         Block(true, 20, 0, Plus(WideList({L"a"}, false), {'x', 0})),
         {L"a"}},
        {"wide list ending in half a character",
         Block(true, 20, 0, Plus(WideList({L"a"}, false), {0})),
         {L"a"}},
        {"no zero at all", Block(true, 20, 0, std::vector<BYTE>(64, 'x')), {}},
        {"ANSI list without its end", Block(false, 20, 0, AnsiList({"a", "b"}, false)), {L"a", L"b"}},
        {"ANSI name cut by the block's end",
         Block(false, 20, 0, Plus(AnsiList({"a"}, false), {'x'})),
         {L"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> items;
        EXPECT_FALSE(Read(c.block, &items));
        EXPECT_EQ(items, c.items);
    }
    std::vector<std::wstring> items;
    EXPECT_FALSE(ReadDropNames(nullptr, 100, Latin1, &items));
    const std::vector<BYTE> ansi = Block(false, 20, 0, AnsiList({"a"}, true));
    EXPECT_FALSE(ReadDropNames(ansi.data(), ansi.size(), nullptr, &items)) << "ANSI names need a decoder";
    EXPECT_TRUE(items.empty());
}

} // namespace
