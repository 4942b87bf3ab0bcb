// Float RGB picture that the artwork is painted on, and its conversion to 24-bit pixels.
//
// Only +, -, *, / and sqrt are used anywhere in the artwork code: they are exactly rounded in IEEE
// arithmetic, so the generated files are byte-identical whatever the optimisation level or compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

using std::int32_t;
using std::size_t;
using std::uint32_t;
using std::uint8_t;

struct Color {
    float r, g, b;
};

inline Color Rgb(int r, int g, int b) {
    return {float(r), float(g), float(b)};
}

inline Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Color Scaled(Color c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

inline Color Lighten(Color c, float amount) {
    return Mix(c, Rgb(255, 255, 255), amount);
}

inline float Clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Smooth 0..1 ramp between edge0 and edge1 (edge0 < edge1).
inline float SmoothStep(float edge0, float edge1, float v) {
    float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// Deterministic per-pixel noise in -1..1 (integer hash, no state).
inline float Noise(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFF) / 32767.5f - 1.0f;
}

struct Image {
    Image(int w, int h, Color fill) : width(w), height(h), px(size_t(w) * h, fill), drawn(size_t(w) * h, 0) {}

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Color Get(int x, int y) const { return px[size_t(y) * width + x]; }
    // Marks the pixel as painted: painted pixels are never pure white in the output (see ToBgr).
    // While a clip mask is set, pixels outside it are left alone.
    void Set(int x, int y, Color c) {
        if (!Contains(x, y)) return;
        if (!clip.empty() && !clip[size_t(y) * width + x]) return;
        px[size_t(y) * width + x] = c;
        drawn[size_t(y) * width + x] = 1;
    }
    void Blend(int x, int y, Color c, float alpha) {
        if (!Contains(x, y) || alpha <= 0) return;
        Set(x, y, Mix(Get(x, y), c, Clamp01(alpha)));
    }
    bool Drawn(int x, int y) const { return drawn[size_t(y) * width + x] != 0; }

    int width, height;
    std::vector<Color> px;
    std::vector<uint8_t> drawn;
    std::vector<uint8_t> clip; // empty: no clipping; else 1 where painting is allowed
};

inline uint8_t Quantize(float v) {
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return uint8_t(int(v + 0.5f));
}

// 24-bit pixels, top-down, blue-green-red. Pure white is the sheet's transparent key, so a painted pixel
// that came out pure white is nudged to (254, 254, 254); unpainted pixels stay pure white.
inline std::vector<uint8_t> ToBgr(const Image& img) {
    std::vector<uint8_t> out(size_t(img.width) * img.height * 3);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            Color c = img.Get(x, y);
            uint8_t b = Quantize(c.b), g = Quantize(c.g), r = Quantize(c.r);
            if (img.Drawn(x, y) && b == 255 && g == 255 && r == 255) b = g = r = 254;
            uint8_t* p = &out[(size_t(y) * img.width + x) * 3];
            p[0] = b, p[1] = g, p[2] = r;
        }
    }
    return out;
}

} // namespace art
