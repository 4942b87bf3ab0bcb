#include "view/skin_bitmap.h"

#include "res/skin_layout.h"

#include <cstring>
#include <new>

using namespace fw;

void CopyKeyedPixels(const BYTE* src, std::ptrdiff_t srcRowStep, BYTE* dst, std::ptrdiff_t dstRowStep, int w,
                     int h) {
    if (w <= 0 || h <= 0) return;
    for (int row = 0; row < h; ++row) {
        const BYTE* s = src + row * srcRowStep;
        BYTE* d = dst + row * dstRowStep;
        // Each run of opaque pixels in one go: skin rows are long opaque runs between white margins.
        ForEachOpaqueSpan(s, w, [s, d](int first, int end) {
            std::memcpy(d + 3 * first, s + 3 * first, size_t(end - first) * 3);
        });
    }
}

bool ClipToDrawingArea(SpriteBlit* b) {
    // Wide arithmetic: no sum below can overflow, whatever the caller passes.
    // A cut that leaves nothing (wholly left of or above the area, or starting past its end) leaves a width
    // or height of 0 or less.
    long long dx = b->dx, dy = b->dy, sx = b->sx, sy = b->sy, w = b->w, h = b->h;
    if (dx < 0) {
        sx -= dx, w += dx;
        dx = 0;
    }
    if (dx + w > kDrawingAreaWidth) w = kDrawingAreaWidth - dx;
    if (dy < 0) {
        sy -= dy, h += dy;
        dy = 0;
    }
    if (dy + h > kDrawingAreaHeight) h = kDrawingAreaHeight - dy;
    if (w <= 0 || h <= 0 || sx > INT32_MAX || sy > INT32_MAX) return false;
    *b = {int(dx), int(dy), int(sx), int(sy), int(w), int(h)};
    return true;
}

bool IsUsableSkinResource(const BYTE* data, DWORD size, DWORD* imageSize) {
    if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER hdr;
    std::memcpy(&hdr, data, sizeof hdr);
    if (hdr.biSize != sizeof(BITMAPINFOHEADER) || hdr.biPlanes != 1 || hdr.biBitCount != 24 ||
        hdr.biCompression != BI_RGB)
        return false;
    if (hdr.biWidth <= 0 || hdr.biWidth % 4 != 0 || hdr.biWidth > kMaxSkinDimension) return false;
    if (hdr.biHeight == 0 || hdr.biHeight < -kMaxSkinDimension || hdr.biHeight > kMaxSkinDimension)
        return false;
    const DWORD height = DWORD(hdr.biHeight < 0 ? -hdr.biHeight : hdr.biHeight);
    const DWORD expected = height * DWORD(hdr.biWidth) * 3; // at most 8192 * 8192 * 3: fits
    if (hdr.biSizeImage != 0 && hdr.biSizeImage != expected) return false;
    if (size - sizeof(BITMAPINFOHEADER) < expected) return false;
    *imageSize = expected;
    return true;
}

CSkinBitmap::CSkinBitmap(CDC* referenceDC, UINT resourceId, HINSTANCE module, int unused) {
    (void)unused;
    LoadFromResource(referenceDC, resourceId, module);
}

CSkinBitmap::~CSkinBitmap() {
    Free();
}

BOOL CSkinBitmap::LoadFromResource(CDC* referenceDC, UINT resourceId, HINSTANCE module) {
    Free();
    const BYTE* data = nullptr;
    DWORD size = 0, imageSize = 0;
    if (!AfxLockResource(module, resourceId & 0xFFFF, RT_BITMAP_ID, &data, &size)) return FALSE;
    if (!IsUsableSkinResource(data, size, &imageSize)) return FALSE;

    m_pHeader = new (std::nothrow) BITMAPINFOHEADER;
    if (!m_pHeader) return FALSE;
    std::memcpy(m_pHeader, data, sizeof(BITMAPINFOHEADER));
    m_nRowPixels = (m_pHeader->biWidth + 3) & ~3;
    if (m_pHeader->biSizeImage == 0) m_pHeader->biSizeImage = imageSize;

    // The header alone makes the BITMAPINFO: 24-bit pixels have no colour table, so the colours are RGB.
    void* bits = nullptr;
    m_hBitmap = CreateDIBSection(referenceDC, m_pHeader, DIB_RGB_COLORS, &bits);
    m_pBits = static_cast<BYTE*>(bits);
    if (!m_hBitmap || !m_pBits) {
        Free();
        return FALSE;
    }
    std::memcpy(m_pBits, data + m_pHeader->biSize, imageSize);
    m_runs.Build(TopRowBits(), TopDownRowStep(), Width(), Height());
    return TRUE;
}

void CSkinBitmap::Free() {
    m_runs.Clear();
    if (m_hBitmap) DeleteObject(AsGdiObject(m_hBitmap));
    delete m_pHeader;
    m_hBitmap = nullptr;
    m_pHeader = nullptr;
    m_pBits = nullptr;
    m_nRowPixels = 0;
}

int CSkinBitmap::Width() const {
    return m_pBits && m_pHeader ? m_pHeader->biWidth : 0;
}

int CSkinBitmap::Height() const {
    if (!m_pBits || !m_pHeader) return 0;
    return m_pHeader->biHeight < 0 ? -m_pHeader->biHeight : m_pHeader->biHeight;
}

bool CSkinBitmap::IsBottomUp() const {
    return m_pHeader && m_pHeader->biHeight > 0;
}

std::ptrdiff_t CSkinBitmap::TopDownRowStep() const {
    const std::ptrdiff_t rowBytes = std::ptrdiff_t(m_nRowPixels) * 3;
    return IsBottomUp() ? -rowBytes : rowBytes;
}

BYTE* CSkinBitmap::TopRowBits() const {
    if (!m_pBits || !m_pHeader) return nullptr;
    if (m_pHeader->biHeight > 0)
        return m_pBits + std::ptrdiff_t(m_nRowPixels) * (m_pHeader->biHeight - 1) * 3;
    return m_pBits;
}

void CSkinBitmap::CopySpriteTo(BYTE* dst, int dstRowPixels, int sx, int sy, int w, int h) const {
    if (!m_pBits || !m_pHeader || !dst || w <= 0 || h <= 0) return;
    // Keep to this bitmap's own pixels; the destination moves with any part cut off the left or the top.
    const long long x0 = sx, y0 = sy, x1 = x0 + w, y1 = y0 + h;
    const long long cx0 = x0 < 0 ? 0 : x0, cy0 = y0 < 0 ? 0 : y0;
    const long long cx1 = x1 > Width() ? Width() : x1, cy1 = y1 > Height() ? Height() : y1;
    if (cx0 >= cx1 || cy0 >= cy1) return;

    const std::ptrdiff_t dstStep = -std::ptrdiff_t(dstRowPixels) * 3; // the canvas is bottom-up
    dst += (cx0 - x0) * 3 + (cy0 - y0) * dstStep;
    const int left = int(cx0), topRow = int(cy0), width = int(cx1 - cx0), height = int(cy1 - cy0);
    const std::ptrdiff_t srcStep = TopDownRowStep();
    const BYTE* top = TopRowBits();
    if (!m_runs.IsEmpty())
        m_runs.CopyOpaque(top, srcStep, left, topRow, width, height, dst, dstStep);
    else
        CopyKeyedPixels(top + topRow * srcStep + std::ptrdiff_t(left) * 3, srcStep, dst, dstStep, width,
                        height);
}

void CSkinBitmap::PresentFrame(CDC* target) {
    if (!m_hBitmap || !target) return;
    CMemoryDC memory(target->GetSafeHdc());
    memory.Select(AsGdiObject(m_hBitmap));
    // Everything of the set except the screen hole, where the movie device draws.
    for (const SkinRect& r : kFrameRects)
        target->BitBlt(r.x, r.y, r.w, r.h, &memory, r.x, r.y, SRCCOPY);
}
