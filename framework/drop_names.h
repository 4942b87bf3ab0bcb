// The names of a drop as the shell hands it over: a DROPFILES block in one piece of memory. Read here within
// the block's own size and nowhere else, because the block comes from another program: the system's own
// query (DragQueryFileW) reads until it finds the list's end, wherever that is.
//
// Pure byte logic, the same in both builds, so the host tests can feed it every malformed shape; the Windows
// backend hands it the locked drop memory (framework/win32/drops.cpp).
#pragma once

#include "framework/fw_types.h"

#include <cstddef>
#include <string>
#include <vector>

namespace fw {

// The block: a 20-byte header (DWORD pFiles, POINT pt, BOOL fNC, BOOL fWide), then from byte pFiles on the
// names, each ending in a zero, the list ending in an empty name. Wide names are UTF-16 (at any offset, odd
// ones included); ANSI names go through `ansi`, which converts one name of `length` bytes (the ANSI code
// page on Windows).
typedef std::wstring (*AnsiNameDecoder)(const char* name, size_t length);
constexpr size_t kDropHeaderSize = 20;

// Appends the names of the block to *items. True when the list ends inside the block. False for a malformed
// block: a header that does not fit or points outside the block adds nothing; a list that runs to the
// block's end keeps the whole names before it (the name cut off by the end is not taken).
bool ReadDropNames(const BYTE* block, size_t size, AnsiNameDecoder ansi, std::vector<std::wstring>* items);

} // namespace fw
