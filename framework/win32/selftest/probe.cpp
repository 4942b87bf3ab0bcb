#include "framework/win32/selftest/probe.h"

#include "framework/win32/drop_block.h"
#include "framework/win32/long_path.h"
#include "framework/win32/win32_seam.h"

namespace probe {

using fw::win32::FromWin;
using fw::win32::ToWin;

fw::HDC MakeMemoryDC() {
    return FromWin(CreateCompatibleDC(nullptr));
}
void DeleteDC(fw::HDC dc) {
    ::DeleteDC(ToWin(dc));
}
fw::COLORREF TextColor(fw::HDC dc) {
    return GetTextColor(ToWin(dc));
}
fw::COLORREF BackgroundColor(fw::HDC dc) {
    return GetBkColor(ToWin(dc));
}

fw::COLORREF SolidBrushColor(fw::LRESULT brush) {
    LOGBRUSH lb{};
    if (!brush || GetObjectW(reinterpret_cast<HGDIOBJ>(brush), sizeof lb, &lb) != sizeof lb ||
        lb.lbStyle != BS_SOLID)
        return 0xFFFFFFFFu;
    return lb.lbColor;
}

void InvalidateAndUpdate(fw::HWND hwnd) {
    InvalidateRect(ToWin(hwnd), nullptr, TRUE);
    UpdateWindow(ToWin(hwnd));
}

bool HasUpdateRegion(fw::HWND hwnd) {
    return GetUpdateRect(ToWin(hwnd), nullptr, FALSE) != 0;
}

fw::DWORD ExStyle(fw::HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongW(ToWin(hwnd), GWL_EXSTYLE));
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

fw::POINT CursorPos() {
    ::POINT p{};
    GetCursorPos(&p);
    return fw::POINT{static_cast<fw::LONG>(p.x), static_cast<fw::LONG>(p.y)};
}

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const ::DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring dir(buffer, n);
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

bool IsFolder(const std::wstring& path) {
    const ::DWORD a = GetFileAttributesW(fw::win32::FileApiPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFolder(const std::wstring& path) {
    return RemoveDirectoryW(fw::win32::FileApiPath(path).c_str()) != 0;
}

std::wstring E2eMovie(const std::wstring& name) {
    wchar_t run[2048] = {};
    const ::DWORD n = GetEnvironmentVariableW(L"TELLY_E2E_RUN", run, 2048);
    if (n == 0 || n >= 2048) return std::wstring();
    std::wstring path = L"Z:" + std::wstring(run, n) + L"/movies/" + name;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : path;
}

fw::HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    return reinterpret_cast<fw::HDROP>(MakeWideDropBlock(paths));
}

} // namespace probe
