// Anti-aliased filling of simple shapes by 4 x 4 supersampling.
//
// Coordinates are continuous: pixel (i, j) covers the square [i, i+1) x [j, j+1). A shape is a predicate
// on points; Fill blends the paint into every pixel of the bounding box in proportion to the share of the
// pixel's 16 sample points that lie inside.
#pragma once

#include "tools/art/image.h"

namespace art {

constexpr int kSamples = 4;

// Share of pixel (x, y) covered by `inside`, 0..1.
template <class Shape> float Coverage(const Shape& inside, int x, int y) {
    int hits = 0;
    for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
            if (inside(x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples)) ++hits;
    return float(hits) / (kSamples * kSamples);
}

// Blends paint(x, y) into the pixels of [x0, x1) x [y0, y1) covered by the shape, scaled by `opacity`.
template <class Shape, class Paint>
void Fill(Image& img, int x0, int y0, int x1, int y1, const Shape& inside, const Paint& paint,
          float opacity = 1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float c = Coverage(inside, x, y);
            if (c > 0) img.Blend(x, y, paint(x, y), c * opacity);
        }
}

// Rectangle [x0, x1) x [y0, y1) with corners rounded by radius r.
struct RoundRect {
    float x0, y0, x1, y1, r;
    bool operator()(float x, float y) const {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        float cx = x < x0 + r ? x0 + r : (x > x1 - r ? x1 - r : x);
        float cy = y < y0 + r ? y0 + r : (y > y1 - r ? y1 - r : y);
        float dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= r * r;
    }
};

struct Ellipse {
    float cx, cy, rx, ry;
    bool operator()(float x, float y) const {
        float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1;
    }
};

// Triangle given by three corners in any order.
struct Triangle {
    float ax, ay, bx, by, cx, cy;
    bool operator()(float x, float y) const {
        float d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
        float d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy);
        float d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay);
        bool negative = d1 < 0 || d2 < 0 || d3 < 0;
        bool positive = d1 > 0 || d2 > 0 || d3 > 0;
        return !(negative && positive);
    }
};

// Line segment from (ax, ay) to (bx, by) with round caps, `width` thick.
struct Stroke {
    float ax, ay, bx, by, width;
    bool operator()(float x, float y) const {
        float vx = bx - ax, vy = by - ay;
        float t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy);
        t = Clamp01(t);
        float dx = x - (ax + vx * t), dy = y - (ay + vy * t);
        return dx * dx + dy * dy <= width * width / 4;
    }
};

// A plain colour as paint.
struct Solid {
    Color c;
    Color operator()(int, int) const { return c; }
};

// Vertical gradient from `top` at row y0 to `bottom` at row y1.
struct VGradient {
    Color top, bottom;
    float y0, y1;
    Color operator()(int, int y) const { return Mix(top, bottom, Clamp01((y + 0.5f - y0) / (y1 - y0))); }
};

} // namespace art
