// CSkinBitmap: a 24-bit bitmap resource copied into a DIB section, the source and the target of the skin's
// sprite copies. The player keeps two of them, both loaded from bitmap 129: the sprite sheet (read only)
// and the canvas, whose top-left 224 x 187 pixels every tick composes and presents.
//
// Plus the pure pieces the composition is made of, so tests can call them on plain buffers.
#pragma once

#include "framework/afxwin.h"
#include "view/opaque_runs.h"

#include <cstddef>

// ---- Pure helpers
// -------------------------------------------------------------------------------------------

// Copies a w x h block of 24-bit pixels, leaving out every pure white (255, 255, 255) source pixel: white is
// the sheet's transparent colour. `src` and `dst` address the first pixel of the block's top row; adding
// srcRowStep / dstRowStep bytes (negative for bottom-up rows) moves one row down. w or h <= 0 copies nothing.
void CopyKeyedPixels(const fw::BYTE* src, std::ptrdiff_t srcRowStep, fw::BYTE* dst, std::ptrdiff_t dstRowStep,
                     int w, int h);

// The canvas area sprites may be drawn into, from the canvas's top-left corner.
constexpr int kDrawingAreaWidth = 336;
constexpr int kDrawingAreaHeight = 400;

// One sprite copy: destination (dx, dy), source (sx, sy), size w x h.
struct SpriteBlit {
    int dx, dy, sx, sy, w, h;
};

// Clips the destination rectangle to the drawing area. A part cut off on the left or at the top moves the
// source origin by the same amount. Returns false when nothing is left to copy.
bool ClipToDrawingArea(SpriteBlit* blit);

// Checks a bitmap resource (BITMAPINFOHEADER directly followed by the pixels) before anything is copied out
// of it: a 40-byte header, 1 plane, 24 bits per pixel, uncompressed, width a positive multiple of 4, height
// non-zero, both at most kMaxSkinDimension, an image size of 0 or exactly |height| x width x 3, and at least
// that many pixel bytes present. On success *imageSize receives the pixel byte count.
constexpr int kMaxSkinDimension = 8192;
bool IsUsableSkinResource(const fw::BYTE* data, fw::DWORD size, fw::DWORD* imageSize);

// ---- CSkinBitmap
// ------------------------------------------------------------------------------------------------

class CSkinBitmap {
public:
    // Starts empty and loads the bitmap resource; a failed load leaves the instance empty (the last argument
    // is not used).
    CSkinBitmap(fw::CDC* referenceDC, fw::UINT resourceId, fw::HINSTANCE module, int unused);
    virtual ~CSkinBitmap();
    CSkinBitmap(const CSkinBitmap&) = delete;
    CSkinBitmap& operator=(const CSkinBitmap&) = delete;

    // Replaces the content with the bitmap resource. FALSE, and the instance empty, when the resource is
    // missing, unusable (see IsUsableSkinResource) or the DIB section cannot be made.
    fw::BOOL LoadFromResource(fw::CDC* referenceDC, fw::UINT resourceId, fw::HINSTANCE module);
    // Deletes the DIB section and the header copy; the instance is empty afterwards.
    void Free();
    // First byte of the picture's top row; null when empty.
    fw::BYTE* TopRowBits() const;
    // Copies the rectangle (sx, sy, w x h) of this bitmap, white left out, to `dst`: the destination pixel
    // of the rectangle's top-left corner in a bottom-up picture whose rows are dstRowPixels pixels long.
    // Parts of the rectangle outside this bitmap are left out. Does nothing when empty. The white pixels
    // are those of the bitmap as loaded.
    void CopySpriteTo(fw::BYTE* dst, int dstRowPixels, int sx, int sy, int w, int h) const;
    // Transfers the 224 x 187 skin frame, minus the movie's screen hole (24, 22, 176 x 120), to `target`.
    // Does nothing when empty or when there is no target.
    void PresentFrame(fw::CDC* target);

    bool IsEmpty() const { return m_pBits == nullptr; }
    int Width() const;  // 0 when empty
    int Height() const; // |height|; 0 when empty
    bool IsBottomUp() const;

    fw::HBITMAP m_hBitmap = nullptr;
    fw::BITMAPINFOHEADER* m_pHeader = nullptr;
    fw::BYTE* m_pBits = nullptr;
    int m_nRowPixels = 0;
    // Where the loaded picture is not white, so that sprite copies need not test every pixel. Built by
    // LoadFromResource; when memory was short it stays empty and the copies scan the pixels instead.
    // Player bitmaps used as sprite sources are never written after loading (see COpaqueRuns).
    COpaqueRuns m_runs;

private:
    std::ptrdiff_t TopDownRowStep() const;
};
