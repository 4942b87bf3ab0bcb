// File formats of the artwork: the sheet as a 24-bit BMP file and the icon as an ICO file.
#pragma once

#include "tools/art/image.h"

#include <cstdint>
#include <vector>

namespace art {

namespace detail {
inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
// 40-byte BITMAPINFOHEADER, uncompressed, no colour table.
inline void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize,
                          int32_t pixelsPerMetre) {
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, uint32_t(pixelsPerMetre));
    Put32(out, uint32_t(pixelsPerMetre));
    Put32(out, 0);
    Put32(out, 0);
}
} // namespace detail

constexpr int32_t kSheetPixelsPerMetre = 11811; // 300 dpi
constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kBmpInfoHeaderSize = 40;

// A whole .bmp file: the 14-byte file header, the info header, then the rows bottom-up, 3 bytes per pixel
// (blue, green, red). The image width must make rows a multiple of 4 bytes (the sheet's 640 does).
inline std::vector<uint8_t> EncodeBmp24(const Image& img) {
    const uint32_t imageSize = uint32_t(img.width) * img.height * 3;
    const uint32_t offset = uint32_t(kBmpFileHeaderSize + kBmpInfoHeaderSize);
    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B'), out.push_back('M');
    detail::Put32(out, offset + imageSize);
    detail::Put32(out, 0);
    detail::Put32(out, offset);
    detail::PutInfoHeader(out, img.width, img.height, 24, imageSize, kSheetPixelsPerMetre);
    std::vector<uint8_t> bgr = ToBgr(img);
    const size_t row = size_t(img.width) * 3;
    for (int y = img.height - 1; y >= 0; --y)
        out.insert(out.end(), bgr.begin() + y * row, bgr.begin() + (y + 1) * row);
    return out;
}

// One icon image: 32-bit blue, green, red, alpha, top-down, size x size.
struct IconImage {
    int size;
    std::vector<uint8_t> bgra;
};

// An .ico file with the images in the order given. Each entry is a BITMAPINFOHEADER of doubled height,
// the colour rows bottom-up, then the 1-bit AND mask (set where fully transparent), rows padded to 32 bits.
inline std::vector<uint8_t> EncodeIco(const std::vector<IconImage>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const IconImage& im : images) {
        const int n = im.size;
        const size_t maskRow = size_t((n + 31) / 32) * 4;
        std::vector<uint8_t> b;
        detail::PutInfoHeader(b, n, 2 * n, 32, uint32_t(n * n * 4 + maskRow * n), 0);
        for (int y = n - 1; y >= 0; --y)
            b.insert(b.end(), im.bgra.begin() + y * n * 4, im.bgra.begin() + (y + 1) * n * 4);
        for (int y = n - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < n; ++x)
                if (im.bgra[(size_t(y) * n + x) * 4 + 3] == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
            b.insert(b.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(b));
    }
    std::vector<uint8_t> out;
    detail::Put16(out, 0);
    detail::Put16(out, 1); // icon
    detail::Put16(out, uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].size >= 256 ? 0 : images[i].size));
        out.push_back(uint8_t(images[i].size >= 256 ? 0 : images[i].size));
        out.push_back(0); // no palette
        out.push_back(0);
        detail::Put16(out, 1);
        detail::Put16(out, 32);
        detail::Put32(out, uint32_t(bodies[i].size()));
        detail::Put32(out, offset);
        offset += uint32_t(bodies[i].size());
    }
    for (const auto& b : bodies)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

} // namespace art
