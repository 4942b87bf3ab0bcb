#include "framework/drop_names.h"

#include <cstring>

namespace fw {

namespace {

// Header fields, copied out: the block need not be aligned for them.
DWORD FieldAt(const BYTE* block, size_t offset) {
    DWORD value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}
constexpr size_t kFilesOffset = 0; // DROPFILES::pFiles
constexpr size_t kWideOffset = 16; // DROPFILES::fWide

bool ReadWide(const BYTE* block, size_t size, size_t offset, std::vector<std::wstring>* items) {
    std::wstring name;
    for (size_t at = offset; at + 2 <= size; at += 2) {
        // UTF-16 little endian, whatever wchar_t is on this side.
        const wchar_t c = static_cast<wchar_t>(block[at] | (block[at + 1] << 8));
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

bool ReadAnsi(const BYTE* block, size_t size, size_t offset, AnsiNameDecoder ansi,
              std::vector<std::wstring>* items) {
    const char* text = reinterpret_cast<const char*>(block);
    size_t start = offset;
    for (size_t at = offset; at < size; ++at) {
        if (text[at] != '\0') continue;
        if (at == start) return true;
        items->push_back(ansi(text + start, at - start));
        start = at + 1;
    }
    return false;
}

} // namespace

bool ReadDropNames(const BYTE* block, size_t size, AnsiNameDecoder ansi, std::vector<std::wstring>* items) {
    if (!block || !items || size < kDropHeaderSize) return false;
    const DWORD files = FieldAt(block, kFilesOffset);
    if (files < kDropHeaderSize || files >= size) return false;
    if (FieldAt(block, kWideOffset)) return ReadWide(block, size, files, items);
    return ansi && ReadAnsi(block, size, files, ansi, items);
}

} // namespace fw
