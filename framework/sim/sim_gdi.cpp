// GDI of the simulated platform: device contexts, DIB sections with real pixel memory, blits onto the
// per-window surfaces, and regions as row spans.
#include "framework/sim/sim_state.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace detail {

void ReleaseWindowRegion(Window& w) {
    if (w.region) S().regions.erase(w.region);
    w.region = 0;
    w.info.hasRegion = false;
}

namespace {

constexpr size_t kMaxDibBytes = size_t(256) << 20; // larger requests fail like an out-of-memory GDI

// Where a DC's pixels live, whatever kind of DC it is.
struct PixelView {
    BYTE* base = nullptr;
    int width = 0, height = 0, stride = 0, bytesPerPixel = 3;
    bool bottomUp = false;
    BYTE* Row(int y) const { return base + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride; }
};

bool ViewOf(HDC dc, PixelView* v) {
    auto it = S().dcs.find(Key(dc));
    if (it == S().dcs.end()) return false;
    const Dc& d = it->second;
    if (d.kind == kMemoryDc) {
        auto b = S().bitmaps.find(d.bitmap);
        if (b == S().bitmaps.end()) return false; // the 1x1 stock bitmap: nothing to read or write
        Bitmap& bm = b->second;
        v->base = bm.bits.data();
        v->width = bm.width;
        v->height = bm.height < 0 ? -bm.height : bm.height;
        v->stride = bm.stride;
        v->bytesPerPixel = bm.bitCount / 8;
        v->bottomUp = bm.height > 0;
        return true;
    }
    if (d.kind == kDesktopDc) return false;
    Window* w = LiveWindow(d.hwnd);
    if (!w) return false;
    v->base = w->surface.data();
    v->width = w->info.cx;
    v->height = w->info.cy;
    v->stride = w->info.cx * 3;
    v->bytesPerPixel = 3;
    v->bottomUp = false;
    return true;
}

HDC NewDc(DcKind kind, HWND hwnd) {
    const uintptr_t h = NewHandle();
    S().dcs[h] = Dc{kind, hwnd, kind == kMemoryDc ? kStockBitmap : 0};
    return As<HDC>(h);
}

RegionObject* FindRegion(HRGN r) {
    auto it = S().regions.find(Key(r));
    return it == S().regions.end() ? nullptr : &it->second;
}

} // namespace
} // namespace detail

using namespace detail;

void FailRegions(bool fail) {
    S().failRegions = fail;
}

void FailBitmaps(bool fail) {
    S().failBitmaps = fail;
}

std::map<int, std::vector<std::pair<int, int>>> RegionRows(HWND hwnd) {
    Window* w = FindWnd(hwnd);
    if (!w || !w->region) return {};
    auto it = S().regions.find(w->region);
    return it == S().regions.end() ? std::map<int, std::vector<std::pair<int, int>>>()
                                   : it->second.region.rows;
}

int LiveGdiObjects() {
    int n = static_cast<int>(S().bitmaps.size());
    for (const auto& r : S().regions)
        n += r.second.ownerWindow ? 0 : 1;
    return n;
}

int LiveDCs() {
    return static_cast<int>(S().dcs.size());
}

unsigned Pixel(HWND hwnd, int x, int y) {
    Window* w = FindWnd(hwnd);
    if (!w || x < 0 || y < 0 || x >= w->info.cx || y >= w->info.cy) return 0;
    const BYTE* p = &w->surface[(static_cast<size_t>(y) * w->info.cx + x) * 3];
    return (unsigned(p[2]) << 16) | (unsigned(p[1]) << 8) | p[0];
}

std::vector<BYTE> SurfaceBGR(HWND hwnd, int* width, int* height) {
    Window* w = FindWnd(hwnd);
    if (width) *width = w ? w->info.cx : 0;
    if (height) *height = w ? w->info.cy : 0;
    return w ? w->surface : std::vector<BYTE>();
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

HDC GetClientDC(HWND hwnd) {
    if (!hwnd) return NewDc(kDesktopDc, nullptr); // GetDC(NULL): the screen
    if (!LiveWindow(hwnd)) return nullptr;
    return NewDc(kClientDc, hwnd);
}

int ReleaseClientDC(HWND hwnd, HDC dc) {
    (void)hwnd;
    auto it = S().dcs.find(Key(dc));
    if (it == S().dcs.end() || (it->second.kind != kClientDc && it->second.kind != kDesktopDc)) return 0;
    S().dcs.erase(it);
    return 1;
}

HDC BeginPaintDC(HWND hwnd, PaintInfo* info) {
    if (!info) return nullptr;
    std::memset(info, 0, sizeof *info);
    Window* w = LiveWindow(hwnd);
    if (!w) return nullptr;
    info->dc = NewDc(kPaintDc, hwnd);
    info->rcPaint = RECT{0, 0, w->info.cx, w->info.cy};
    return info->dc;
}

void EndPaintDC(HWND hwnd, PaintInfo* info) {
    (void)hwnd;
    if (!info) return;
    auto it = S().dcs.find(Key(info->dc));
    if (it != S().dcs.end() && it->second.kind == kPaintDc) S().dcs.erase(it);
}

HDC CreateMemoryDC(HDC reference) {
    (void)reference; // every DC of the simulation is compatible with every other
    return NewDc(kMemoryDc, nullptr);
}

BOOL DeleteMemoryDC(HDC dc) {
    auto it = S().dcs.find(Key(dc));
    if (it == S().dcs.end() || it->second.kind != kMemoryDc) return FALSE;
    auto b = S().bitmaps.find(it->second.bitmap);
    if (b != S().bitmaps.end()) b->second.selectedInto = 0;
    S().dcs.erase(it);
    return TRUE;
}

HGDIOBJ SelectGdiObject(HDC dc, HGDIOBJ obj) {
    auto it = S().dcs.find(Key(dc));
    if (it == S().dcs.end()) return nullptr;
    Dc& d = it->second;
    const uintptr_t o = Key(obj);
    if (S().regions.count(o)) return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SIMPLEREGION)); // clip
    if (d.kind != kMemoryDc) return nullptr;
    if (o != kStockBitmap) {
        auto b = S().bitmaps.find(o);
        // A bitmap can be selected into one memory DC at a time.
        if (b == S().bitmaps.end() || (b->second.selectedInto && b->second.selectedInto != Key(dc)))
            return nullptr;
        b->second.selectedInto = Key(dc);
    }
    const uintptr_t previous = d.bitmap;
    if (previous != o) {
        auto pb = S().bitmaps.find(previous);
        if (pb != S().bitmaps.end()) pb->second.selectedInto = 0;
    }
    d.bitmap = o;
    return As<HGDIOBJ>(previous);
}

BOOL DeleteGdiObject(HGDIOBJ obj) {
    const uintptr_t o = Key(obj);
    if (o == kStockBitmap) return TRUE;
    auto b = S().bitmaps.find(o);
    if (b != S().bitmaps.end()) {
        if (b->second.selectedInto) return FALSE; // still selected into a DC: GDI refuses
        S().bitmaps.erase(b);
        return TRUE;
    }
    auto r = S().regions.find(o);
    if (r != S().regions.end()) {
        if (r->second.ownerWindow) return FALSE; // owned by a window since SetWindowRgn
        S().regions.erase(r);
        return TRUE;
    }
    return FALSE;
}

BOOL Blit(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    if (rop != SRCCOPY) return FALSE;
    PixelView d, s;
    const bool haveDst = ViewOf(dst, &d);
    if (!S().dcs.count(Key(dst)) || !S().dcs.count(Key(src))) return FALSE;
    if (!haveDst || !ViewOf(src, &s)) return TRUE; // the screen or a stock bitmap: nothing to keep
    // Clip the rectangle against both surfaces.
    if (w < 0 || h < 0) return FALSE;
    if (x < 0) w += x, sx -= x, x = 0;
    if (y < 0) h += y, sy -= y, y = 0;
    if (sx < 0) w += sx, x -= sx, sx = 0;
    if (sy < 0) h += sy, y -= sy, sy = 0;
    w = std::min({w, d.width - x, s.width - sx});
    h = std::min({h, d.height - y, s.height - sy});
    if (w <= 0 || h <= 0) return TRUE;
    for (int row = 0; row < h; ++row) {
        const BYTE* from = s.Row(sy + row) + static_cast<size_t>(sx) * s.bytesPerPixel;
        BYTE* to = d.Row(y + row) + static_cast<size_t>(x) * d.bytesPerPixel;
        if (s.bytesPerPixel == d.bytesPerPixel) {
            std::memmove(to, from, static_cast<size_t>(w) * d.bytesPerPixel);
            continue;
        }
        for (int col = 0; col < w; ++col) {
            std::memcpy(to + col * d.bytesPerPixel, from + col * s.bytesPerPixel, 3);
            if (d.bytesPerPixel == 4) to[col * 4 + 3] = 0;
        }
    }
    return TRUE;
}

HBITMAP CreateDibSection(HDC reference, const BITMAPINFOHEADER* header, UINT usage, void** bits) {
    (void)reference;
    if (bits) *bits = nullptr;
    if (!header || !bits || usage != DIB_RGB_COLORS || header->biSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    if (header->biCompression != BI_RGB || (header->biBitCount != 24 && header->biBitCount != 32))
        return nullptr;
    const long long width = header->biWidth;
    const long long height =
        header->biHeight < 0 ? -static_cast<long long>(header->biHeight) : header->biHeight;
    if (width <= 0 || height == 0 || S().failBitmaps) return nullptr;
    const long long stride = ((width * header->biBitCount + 31) / 32) * 4;
    if (stride * height > static_cast<long long>(kMaxDibBytes)) return nullptr;
    const uintptr_t h = NewHandle();
    Bitmap& bm = S().bitmaps[h];
    bm.width = static_cast<int>(width);
    bm.height = header->biHeight;
    bm.bitCount = header->biBitCount;
    bm.stride = static_cast<int>(stride);
    bm.bits.assign(static_cast<size_t>(stride * height), 0);
    *bits = bm.bits.data();
    return As<HBITMAP>(h);
}

HRGN CreateRectRegion(int left, int top, int right, int bottom) {
    if (S().failRegions) return nullptr;
    const uintptr_t h = NewHandle();
    S().regions[h].region = MakeRectRegion(left, top, right, bottom);
    return As<HRGN>(h);
}

int CombineRegions(HRGN dst, HRGN a, HRGN b, int mode) {
    RegionObject* d = FindRegion(dst);
    RegionObject* ra = FindRegion(a);
    RegionObject* rb = mode == RGN_COPY ? ra : FindRegion(b);
    if (!d || !ra || !rb) return ERROR_REGION;
    if (d == ra && rb != ra && (mode == RGN_OR || mode == RGN_XOR) &&
        AddRowsOnNewLines(&d->region, rb->region))
        return RegionKind(d->region);
    Region out;
    if (!CombineRegion(ra->region, rb->region, mode, &out)) return ERROR_REGION;
    d->region = std::move(out);
    return RegionKind(d->region);
}

int SetWindowRegion(HWND hwnd, HRGN rgn, BOOL redraw) {
    Window* w = LiveWindow(hwnd);
    RegionObject* r = rgn ? FindRegion(rgn) : nullptr;
    const size_t rows = r ? r->region.rows.size() : 0;
    AddLog("SetWindowRgn " + sim::detail::NameOf(hwnd) + " " + std::to_string(rows) + " rows" +
           (redraw ? "" : " noredraw"));
    if (!w || (rgn && (!r || r->ownerWindow))) return 0; // on failure the caller keeps the region
    ReleaseWindowRegion(*w);
    if (r) {
        r->ownerWindow = Key(hwnd);
        w->region = Key(rgn);
        w->info.hasRegion = true;
    }
    return 1;
}

BOOL DrawIconAt(HDC dc, int x, int y, HICON icon) {
    AddLog("DrawIcon " + std::to_string(x) + "," + std::to_string(y));
    return S().dcs.count(Key(dc)) && icon ? TRUE : FALSE;
}

} // namespace plat
} // namespace fw
