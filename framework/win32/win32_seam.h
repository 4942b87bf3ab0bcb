// Internal to the Windows backend: conversions between the seam's vocabulary (namespace fw) and the
// Win32 types of <windows.h>. Include framework/platform.h first, then this header.
//
// The handle types have the same representation on both sides (pointers), so they are converted with
// reinterpret_cast. Structures of identical layout (RECT) are copied member by member rather than punned,
// because fw::LONG is int32_t while the Win32 LONG is `long`.
#pragma once

#include "framework/platform.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace fw {
namespace win32 {

inline ::HWND ToWin(fw::HWND h) {
    return reinterpret_cast<::HWND>(h);
}
inline ::HDC ToWin(fw::HDC h) {
    return reinterpret_cast<::HDC>(h);
}
inline ::HBITMAP ToWin(fw::HBITMAP h) {
    return reinterpret_cast<::HBITMAP>(h);
}
inline ::HRGN ToWin(fw::HRGN h) {
    return reinterpret_cast<::HRGN>(h);
}
inline ::HICON ToWin(fw::HICON h) {
    return reinterpret_cast<::HICON>(h);
}
inline ::HINSTANCE ToWin(fw::HINSTANCE h) {
    return reinterpret_cast<::HINSTANCE>(h);
}
inline ::HDROP ToWin(fw::HDROP h) {
    return reinterpret_cast<::HDROP>(h);
}
inline ::HGDIOBJ ToWin(fw::HGDIOBJ h) {
    return reinterpret_cast<::HGDIOBJ>(h);
}

inline fw::HWND FromWin(::HWND h) {
    return reinterpret_cast<fw::HWND>(h);
}
inline fw::HDC FromWin(::HDC h) {
    return reinterpret_cast<fw::HDC>(h);
}
inline fw::HBITMAP FromWin(::HBITMAP h) {
    return reinterpret_cast<fw::HBITMAP>(h);
}
inline fw::HRGN FromWin(::HRGN h) {
    return reinterpret_cast<fw::HRGN>(h);
}
inline fw::HICON FromWin(::HICON h) {
    return reinterpret_cast<fw::HICON>(h);
}
inline fw::HINSTANCE FromWin(::HINSTANCE h) {
    return reinterpret_cast<fw::HINSTANCE>(h);
}
// HGDIOBJ is `void*` in <windows.h>, so it cannot have an overload of its own next to the others.
inline fw::HGDIOBJ GdiFromWin(::HGDIOBJ h) {
    return reinterpret_cast<fw::HGDIOBJ>(h);
}

inline fw::RECT FromWin(const ::RECT& r) {
    return fw::RECT{static_cast<fw::LONG>(r.left), static_cast<fw::LONG>(r.top),
                    static_cast<fw::LONG>(r.right), static_cast<fw::LONG>(r.bottom)};
}
inline ::RECT ToWin(const fw::RECT& r) {
    return ::RECT{r.left, r.top, r.right, r.bottom};
}

// A path as the file functions must pass it to the W APIs: long paths get the "\\?\" form (see long_path.h).
std::wstring FileApiPath(const std::wstring& path);

} // namespace win32
} // namespace fw
