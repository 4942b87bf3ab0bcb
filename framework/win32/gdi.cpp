// GDI: device contexts, bitmaps, regions, icons.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <cstring>
#include <map>

namespace fw {
namespace plat {

using win32::FromWin;
using win32::GdiFromWin;
using win32::ToWin;

namespace {
// A PAINTSTRUCT is 72 bytes on x64, more than PaintInfo::opaque holds, so the backend keeps it here from
// BeginPaint to EndPaint, keyed by the caller's PaintInfo (paints can nest across windows).
std::map<const PaintInfo*, PAINTSTRUCT> g_paints;
} // namespace

HDC GetClientDC(HWND hwnd) {
    return FromWin(GetDC(ToWin(hwnd)));
}

int ReleaseClientDC(HWND hwnd, HDC dc) {
    return ReleaseDC(ToWin(hwnd), ToWin(dc));
}

HDC BeginPaintDC(HWND hwnd, PaintInfo* info) {
    if (!info) return nullptr;
    PAINTSTRUCT ps{};
    ::HDC dc = BeginPaint(ToWin(hwnd), &ps);
    info->dc = FromWin(dc);
    info->rcPaint = win32::FromWin(ps.rcPaint);
    if (dc) g_paints[info] = ps;
    return info->dc;
}

void EndPaintDC(HWND hwnd, PaintInfo* info) {
    if (!info) return;
    auto it = g_paints.find(info);
    if (it == g_paints.end()) return; // BeginPaint failed: nothing to end
    EndPaint(ToWin(hwnd), &it->second);
    g_paints.erase(it);
}

HDC CreateMemoryDC(HDC reference) {
    return FromWin(CreateCompatibleDC(ToWin(reference)));
}

BOOL DeleteMemoryDC(HDC dc) {
    return DeleteDC(ToWin(dc));
}

HGDIOBJ SelectGdiObject(HDC dc, HGDIOBJ obj) {
    return GdiFromWin(SelectObject(ToWin(dc), ToWin(obj)));
}

BOOL DeleteGdiObject(HGDIOBJ obj) {
    return DeleteObject(ToWin(obj));
}

BOOL Blit(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    return BitBlt(ToWin(dst), x, y, w, h, ToWin(src), sx, sy, rop);
}

HBITMAP CreateDibSection(HDC reference, const BITMAPINFOHEADER* header, UINT usage, void** bits) {
    if (!header) return nullptr;
    static_assert(sizeof(fw::BITMAPINFOHEADER) == sizeof(::BITMAPINFOHEADER), "headers must match");
    BITMAPINFO info{};
    std::memcpy(&info.bmiHeader, header, sizeof info.bmiHeader);
    void* pixels = nullptr;
    ::HBITMAP bitmap = CreateDIBSection(ToWin(reference), &info, usage, &pixels, nullptr, 0);
    if (bits) *bits = bitmap ? pixels : nullptr;
    return FromWin(bitmap);
}

HRGN CreateRectRegion(int left, int top, int right, int bottom) {
    return FromWin(CreateRectRgn(left, top, right, bottom));
}

int CombineRegions(HRGN dst, HRGN a, HRGN b, int mode) {
    return CombineRgn(ToWin(dst), ToWin(a), ToWin(b), mode);
}

BOOL DrawIconAt(HDC dc, int x, int y, HICON icon) {
    return DrawIcon(ToWin(dc), x, y, ToWin(icon));
}

} // namespace plat
} // namespace fw
