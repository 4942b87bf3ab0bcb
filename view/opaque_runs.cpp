#include "view/opaque_runs.h"

#include <cstring>
#include <new>

bool COpaqueRuns::Build(const unsigned char* top, std::ptrdiff_t rowStep, int width, int height) {
    Clear();
    if (!top || width <= 0 || height <= 0) return false;
    // Two passes: count the spans, then record them, so that exactly two blocks are allocated.
    std::size_t spans = 0;
    for (int y = 0; y < height; ++y)
        ForEachOpaqueSpan(top + y * rowStep, width, [&](int, int) { ++spans; });
    m_pRowStart = new (std::nothrow) int[std::size_t(height) + 1];
    m_pSpans = new (std::nothrow) int[spans * 2 + 1];
    if (!m_pRowStart || !m_pSpans) {
        Clear();
        return false;
    }
    int n = 0;
    for (int y = 0; y < height; ++y) {
        m_pRowStart[y] = n;
        ForEachOpaqueSpan(top + y * rowStep, width, [&](int first, int end) {
            m_pSpans[2 * n] = first, m_pSpans[2 * n + 1] = end;
            ++n;
        });
    }
    m_pRowStart[height] = n;
    m_nHeight = height;
    return true;
}

void COpaqueRuns::Clear() {
    delete[] m_pRowStart;
    delete[] m_pSpans;
    m_pRowStart = nullptr;
    m_pSpans = nullptr;
    m_nHeight = 0;
}

const int* COpaqueRuns::Row(int y, int* count) const {
    if (!m_pRowStart || y < 0 || y >= m_nHeight) {
        *count = 0;
        return nullptr;
    }
    *count = m_pRowStart[y + 1] - m_pRowStart[y];
    return m_pSpans + 2 * m_pRowStart[y];
}

void COpaqueRuns::CopyOpaque(const unsigned char* top, std::ptrdiff_t rowStep, int sx, int sy, int w, int h,
                             unsigned char* dst, std::ptrdiff_t dstRowStep) const {
    const int x1 = sx + w;
    for (int j = 0; j < h; ++j) {
        int count = 0;
        const int* span = Row(sy + j, &count);
        const unsigned char* s = top + (sy + j) * rowStep;
        unsigned char* d = dst + j * dstRowStep;
        for (int i = 0; i < count; ++i, span += 2) {
            if (span[1] <= sx) continue;
            if (span[0] >= x1) break;
            const int first = span[0] > sx ? span[0] : sx, end = span[1] < x1 ? span[1] : x1;
            std::memcpy(d + 3 * (first - sx), s + 3 * first, std::size_t(end - first) * 3);
        }
    }
}
