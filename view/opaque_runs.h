// COpaqueRuns: where a 24-bit picture is not pure white, row by row, as spans of pixels.
//
// The skin's sprite copies leave out pure white. Scanning every pixel on every tick costs about twenty
// times a plain copy; with the spans found once, when the sheet is loaded, each sprite row becomes a few
// memcpy calls. The index describes the pixels as they were when it was built: it belongs to pictures
// that are not written afterwards (the sprite sheet never is).
#pragma once

#include <cstddef>

// Calls span(first, end) for every run [first, end) of pixels of one 24-bit row that are not pure white
// (the skin's transparent colour), left to right.
template <class Span> void ForEachOpaqueSpan(const unsigned char* row, int width, const Span& span) {
    auto white = [row](int x) {
        const unsigned char* p = row + 3 * x;
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    };
    int x = 0;
    while (x < width) {
        while (x < width && white(x))
            ++x;
        const int first = x;
        while (x < width && !white(x))
            ++x;
        if (x > first) span(first, x);
    }
}

class COpaqueRuns {
public:
    COpaqueRuns() = default;
    ~COpaqueRuns() { Clear(); }
    COpaqueRuns(const COpaqueRuns&) = delete;
    COpaqueRuns& operator=(const COpaqueRuns&) = delete;

    // Indexes a width x height picture whose top row starts at `top`, rows `rowStep` bytes apart (negative
    // for bottom-up storage). False, and the index empty, when memory is short.
    bool Build(const unsigned char* top, std::ptrdiff_t rowStep, int width, int height);
    void Clear();
    bool IsEmpty() const { return m_pRowStart == nullptr; }

    // The spans of row y, 0 <= y < height: `*count` pairs [first, end) of pixel columns, left to right.
    const int* Row(int y, int* count) const;

    // Copies the opaque pixels of the rectangle (sx, sy, w x h), which must lie inside the indexed picture
    // (same `top` and `rowStep` as given to Build), to `dst`, the destination of the rectangle's top-left
    // pixel; dstRowStep bytes move the destination one row down.
    void CopyOpaque(const unsigned char* top, std::ptrdiff_t rowStep, int sx, int sy, int w, int h,
                    unsigned char* dst, std::ptrdiff_t dstRowStep) const;

private:
    int* m_pRowStart = nullptr; // height + 1 indexes into m_pSpans, in pairs
    int* m_pSpans = nullptr;    // first, end, first, end, ...
    int m_nHeight = 0;
};
