// The program icon: the unlit set of the sheet scaled down into a square, transparent round it.
#pragma once

#include "tools/art/bmp_codec.h"
#include "tools/art/image.h"
#include "view/window_shape.h"

#include <vector>

namespace art {

constexpr int kIconSizes[3] = {16, 32, 48};

// Box-filters the 224 x 187 set of `sheet` (pixels outside the outline count as transparent) into a
// size x size image, the set centred vertically. Colours are averaged over the opaque share only.
inline IconImage ScaleSetToIcon(const Image& sheet, int size) {
    IconImage out{size, std::vector<uint8_t>(size_t(size) * size * 4, 0)};
    const float scale = float(kSetWidth) / size; // sheet pixels per icon pixel
    const float top = (size - kSetHeight / scale) / 2;
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            float x0 = i * scale, x1 = x0 + scale, y0 = (j - top) * scale, y1 = y0 + scale;
            float r = 0, g = 0, b = 0, cover = 0;
            for (int y = int(y0 < 0 ? 0 : y0); y < kSetHeight && y < y1; ++y) {
                float wy = (y + 1 < y1 ? y + 1 : y1) - (y > y0 ? y : y0);
                for (int x = int(x0); x < kSetWidth && x < x1; ++x) {
                    if (!IsInsideSet(x, y)) continue;
                    float w = wy * ((x + 1 < x1 ? x + 1 : x1) - (x > x0 ? x : x0));
                    Color c = sheet.Get(x, y);
                    r += c.r * w, g += c.g * w, b += c.b * w, cover += w;
                }
            }
            if (cover <= 0) continue;
            uint8_t* p = &out.bgra[(size_t(j) * size + i) * 4];
            p[0] = Quantize(b / cover), p[1] = Quantize(g / cover), p[2] = Quantize(r / cover);
            p[3] = Quantize(255 * cover / (scale * scale));
        }
    }
    return out;
}

inline std::vector<uint8_t> MakeIconFile(const Image& sheet) {
    std::vector<IconImage> images;
    for (int size : kIconSizes)
        images.push_back(ScaleSetToIcon(sheet, size));
    return EncodeIco(images);
}

} // namespace art
