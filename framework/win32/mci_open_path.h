// Where the file name sits in an MCI open command: `open "<path>" ...`. Pure string logic, shared by the
// multimedia calls and the self-test.
#pragma once

#include <string>

namespace fw {
namespace win32 {

// True when `command` starts with `open "` and the quoted path is closed again; [*begin, *end) is the path.
inline bool FindOpenPath(const std::wstring& command, size_t* begin, size_t* end) {
    static const wchar_t kOpen[] = L"open \"";
    const size_t prefix = sizeof kOpen / sizeof kOpen[0] - 1;
    if (command.compare(0, prefix, kOpen) != 0) return false;
    const size_t close = command.find(L'"', prefix);
    if (close == std::wstring::npos || close == prefix) return false;
    *begin = prefix;
    *end = close;
    return true;
}

inline bool IsAscii(const std::wstring& s, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i)
        if (s[i] > 0x7F) return false;
    return true;
}

} // namespace win32
} // namespace fw
