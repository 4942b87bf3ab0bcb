// When a path needs the extended-length ("\\?\") form, and what that form is. Pure string logic, so the
// self-test can check it without touching the file system.
//
// Classic Win32 file calls fail for paths of MAX_PATH (260) characters or more; a folder path passed to
// CreateDirectory or a pattern "dir\*" must even stay 12 characters below that. The extended form lifts the
// limit but switches off all normalisation ('/' is not a separator there, "." and ".." are names), so it
// may only be applied to a path that is already absolute and normalised (GetFullPathNameW's output).
#pragma once

#include <string>

namespace fw {
namespace win32 {

// Paths at least this long get the extended form: MAX_PATH minus room for an 8.3 name, as CreateDirectory
// requires (MAX_PATH - 12 = 248).
constexpr size_t kLongPathThreshold = 260 - 12;

inline bool HasExtendedPrefix(const std::wstring& p) {
    return p.compare(0, 4, L"\\\\?\\") == 0;
}

// `full` is absolute and normalised. Returns it in the extended form when it is long: "C:\..." becomes
// "\\?\C:\..." and "\\server\share\..." becomes "\\?\UNC\server\share\...". Short paths, paths already in
// the extended form and anything that is neither a drive nor a UNC path come back unchanged.
inline std::wstring ExtendedLengthForm(const std::wstring& full) {
    if (full.size() < kLongPathThreshold || HasExtendedPrefix(full)) return full;
    const bool drive = full.size() >= 3 && full[1] == L':' && full[2] == L'\\' &&
                       ((full[0] >= L'A' && full[0] <= L'Z') || (full[0] >= L'a' && full[0] <= L'z'));
    if (drive) return L"\\\\?\\" + full;
    const bool unc =
        full.size() > 2 && full[0] == L'\\' && full[1] == L'\\' && full[2] != L'\\' && full[2] != L'.';
    if (unc) return L"\\\\?\\UNC\\" + full.substr(2);
    return full;
}

} // namespace win32
} // namespace fw
