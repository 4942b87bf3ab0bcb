// The television set: glossy red cabinet, black bezel round the blue screen, position bar, silver control
// deck with the transport keys, the logo, the volume groove, the three switches and the close box.
//
// DrawTvSet paints one copy of the 224 x 187 set with its top-left corner at (originX, 0). The cabinet
// covers exactly the pixels inside the window outline (view/window_shape.h) and every one of them is
// painted, so the set has no transparent holes and its outermost pixels are those of the outline.
#pragma once

#include "tools/art/image.h"
#include "tools/art/pixel_font.h"
#include "tools/art/raster.h"
#include "res/skin_layout.h"
#include "view/window_shape.h"

#include <cmath>

namespace art {

// Element rectangles in set coordinates (x, y, w, h): the player's skin layout, which the hit boxes, the
// composition and the frame transfer use too.
using Rect = SkinRect;
constexpr Rect kScreenRect = kScreenHole;
constexpr Rect kRewRect = kRewKey;
constexpr Rect kPlayRect = kPlayPauseKey;
constexpr Rect kFfRect = kFfKey;
constexpr Rect kStopRect = kStopKey;
constexpr Rect kFullRect = kFullSwitch;
constexpr Rect kRndRect = kRndSwitch;
constexpr Rect kRepRect = kRepSwitch;
constexpr Rect kCloseRect = kCloseBox;
// The knobs travel inside these grooves; a knob sprite is as tall as the groove's travel rows.
constexpr Rect kPosGrooveRect = {23, 149, 178, 7};
constexpr Rect kVolGrooveRect = {92, 172, 41, 8};

enum class PlayLook { kNormal, kGrey };

struct SetLook {
    bool lit;      // every transport key, switch and lamp lit
    PlayLook play; // PLAY/PAUSE key face
};

// Colour of row `row` of a knob groove: the knob sprites are anti-aliased against exactly these colours.
inline Color PosGrooveRow(int row) {
    static const Color rows[7] = {Rgb(22, 22, 26), Rgb(40, 40, 46), Rgb(50, 50, 56),   Rgb(112, 112, 120),
                                  Rgb(50, 50, 56), Rgb(44, 44, 50), Rgb(104, 100, 102)};
    return rows[row < 0 ? 0 : (row > 6 ? 6 : row)];
}
inline Color VolGrooveRow(int row) {
    static const Color rows[8] = {Rgb(34, 34, 38), Rgb(46, 46, 52), Rgb(54, 54, 60), Rgb(58, 58, 64),
                                  Rgb(58, 58, 64), Rgb(54, 54, 60), Rgb(48, 48, 54), Rgb(236, 236, 242)};
    return rows[row < 0 ? 0 : (row > 7 ? 7 : row)];
}

namespace detail {

// Cabinet colour at (x, y): vertical light fall-off, a rounded-front shading, a broad gloss along the top
// and a bevel lit from the top left. `dist` is the distance to the nearest pixel outside the outline and
// (nx, ny) the unit direction from that pixel inwards.
inline Color CabinetColor(int x, int y, float dist, float nx, float ny) {
    float fx = x + 0.5f, fy = y + 0.5f;
    Color c = Mix(Rgb(228, 40, 46), Rgb(146, 10, 18), fy / kSetHeight);
    float u = (fx - kSetWidth / 2.0f) / (kSetWidth / 2.0f);
    c = Scaled(c, 1 - 0.2f * u * u);
    float gx = (fx - 112) / 96, gy = (fy - 8) / 7.5f;
    float gloss = 1 - gx * gx - gy * gy;
    if (gloss > 0) c = Mix(c, Rgb(255, 226, 226), 0.62f * gloss * (2 - gloss));
    float side = (fy - 96) / 60;
    float streak = 1 - side * side; // a soft vertical reflection down the left flank
    if (streak > 0) c = Mix(c, Rgb(255, 170, 170), 0.18f * streak * (1 - SmoothStep(3, 12, fx)));
    float light = (nx + ny) * 0.70710678f;
    if (dist < 1.5f) return Mix(c, Rgb(72, 0, 8), 0.72f);
    if (dist < 5.0f) {
        float k = (5.0f - dist) / 3.5f;
        if (light > 0) return Lighten(c, 0.5f * light * k);
        return Mix(c, Rgb(64, 0, 6), -0.55f * light * k);
    }
    return c;
}

inline void DrawCabinet(Image& img, int ox) {
    const int reach = 6;
    for (int y = 0; y < kSetHeight; ++y) {
        for (int x = 0; x < kSetWidth; ++x) {
            if (!IsInsideSet(x, y)) continue;
            int best = reach * reach + 1, bx = 0, by = -reach;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    int d2 = dx * dx + dy * dy;
                    if (d2 < best && !IsInsideSet(x + dx, y + dy)) best = d2, bx = dx, by = dy;
                }
            float dist = std::sqrt(float(best));
            float nx = -bx / dist, ny = -by / dist;
            img.Set(ox + x, y, CabinetColor(x, y, dist, nx, ny));
        }
    }
}

// A soft shadow under a rounded panel, falling a little below and to the right of it.
inline void DrawShadow(Image& img, int ox, float x0, float y0, float x1, float y1, float r) {
    for (int i = 0; i < 3; ++i) {
        float g = 1.0f + i;
        RoundRect shape{ox + x0 - g + 1, y0 - g + 2, ox + x1 + g, y1 + g + 1, r + g};
        Fill(img, int(shape.x0) - 1, int(shape.y0) - 1, int(shape.x1) + 1, int(shape.y1) + 1, shape,
             Solid{Rgb(40, 0, 4)}, 0.16f);
    }
}

inline void DrawSpeakerGrille(Image& img, int ox, int x0) {
    for (int y = 44; y < 124; y += 5) {
        RoundRect slot{float(ox + x0), float(y), float(ox + x0 + 9), float(y + 2), 1};
        Fill(img, ox + x0, y, ox + x0 + 9, y + 2, slot, Solid{Rgb(70, 2, 10)}, 0.85f);
        RoundRect lip{float(ox + x0), float(y + 2), float(ox + x0 + 9), float(y + 3), 0.5f};
        Fill(img, ox + x0, y + 2, ox + x0 + 9, y + 3, lip, Solid{Rgb(255, 150, 150)}, 0.35f);
    }
}

inline void DrawScreen(Image& img, int ox) {
    DrawShadow(img, ox, 19, 17, 205, 146, 6);
    RoundRect bezel{float(ox + 19), 17, float(ox + 205), 146, 6};
    Fill(img, ox + 19, 17, ox + 205, 146, bezel, VGradient{Rgb(62, 62, 70), Rgb(16, 16, 20), 17, 146});
    RoundRect gloss{float(ox + 21), 18, float(ox + 203), 21, 2};
    Fill(img, ox + 21, 18, ox + 203, 21, gloss, Solid{Rgb(150, 150, 160)}, 0.35f);
    // Inner lip: a near-black frame right round the screen.
    for (int x = 23; x <= 200; ++x)
        img.Set(ox + x, 21, Rgb(8, 8, 10)), img.Set(ox + x, 142, Rgb(30, 30, 34));
    for (int y = 21; y <= 142; ++y)
        img.Set(ox + 23, y, Rgb(8, 8, 10)), img.Set(ox + 200, y, Rgb(24, 24, 28));
    const Rect& s = kScreenRect;
    for (int y = s.y; y < s.y + s.h; ++y)
        for (int x = s.x; x < s.x + s.w; ++x) {
            float t = ((x - s.x + 0.5f) / s.w + (y - s.y + 0.5f) / s.h) / 2;
            Color c = Mix(Rgb(46, 92, 212), Rgb(12, 28, 104), t);
            float glare = 1 - SmoothStep(64, 96, (x - s.x) + (y - s.y) * 1.5f);
            c = Lighten(c, 0.14f * glare);
            img.Set(ox + x, y, c);
        }
}

inline void DrawPositionGroove(Image& img, int ox) {
    const Rect& g = kPosGrooveRect;
    RoundRect shape{float(ox + g.x), float(g.y), float(ox + g.x + g.w), float(g.y + g.h), 2};
    Fill(img, ox + g.x, g.y, ox + g.x + g.w, g.y + g.h, shape,
         [&](int, int y) { return PosGrooveRow(y - g.y); });
}

inline void DrawDeck(Image& img, int ox) {
    DrawShadow(img, ox, 17, 157, 207, 183, 4);
    RoundRect rim{float(ox + 17), 157, float(ox + 207), 183, 4};
    Fill(img, ox + 17, 157, ox + 207, 183, rim, Solid{Rgb(96, 92, 96)});
    RoundRect face{float(ox + 18), 158, float(ox + 206), 182, 3};
    Fill(img, ox + 18, 158, ox + 206, 182, face, [&](int x, int y) {
        Color c = Mix(Rgb(226, 226, 232), Rgb(150, 150, 160), (y - 158 + 0.5f) / 24);
        float brush = 2.5f * Noise(0, y, 7) + 1.5f * Noise(x - ox, y, 11); // horizontal brushing
        return Color{c.r + brush, c.g + brush, c.b + brush};
    });
    for (int x = 21; x <= 202; ++x)
        img.Blend(ox + x, 158, Rgb(254, 254, 254), 0.7f);
}

inline void DrawVolumeGroove(Image& img, int ox) {
    const Rect& g = kVolGrooveRect;
    RoundRect shape{float(ox + g.x), float(g.y), float(ox + g.x + g.w), float(g.y + g.h), 2};
    Fill(img, ox + g.x, g.y, ox + g.x + g.w, g.y + g.h, shape,
         [&](int, int y) { return VolGrooveRow(y - g.y); });
}

struct KeyFace {
    Color rim, top, bottom;
};
inline KeyFace DarkKey() {
    return {Rgb(18, 18, 22), Rgb(100, 100, 110), Rgb(34, 34, 40)};
}
inline KeyFace GreyKey() {
    return {Rgb(74, 74, 80), Rgb(184, 184, 190), Rgb(118, 118, 126)};
}
inline KeyFace RedKey() {
    return {Rgb(60, 4, 8), Rgb(214, 52, 58), Rgb(120, 12, 20)};
}

inline void DrawKey(Image& img, int ox, const Rect& r, const KeyFace& k) {
    float x0 = float(ox + r.x), y0 = float(r.y), x1 = x0 + r.w, y1 = y0 + r.h;
    Fill(img, ox + r.x, r.y, ox + r.x + r.w, r.y + r.h, RoundRect{x0, y0, x1, y1, 2.5f}, Solid{k.rim});
    Fill(img, ox + r.x + 1, r.y + 1, ox + r.x + r.w - 1, r.y + r.h - 1,
         RoundRect{x0 + 1, y0 + 1, x1 - 1, y1 - 1, 1.5f}, VGradient{k.top, k.bottom, y0 + 1, y1 - 1});
    Fill(img, ox + r.x + 2, r.y + 1, ox + r.x + r.w - 2, r.y + 2,
         RoundRect{x0 + 2, y0 + 1, x1 - 2, y0 + 2, 0.5f}, Solid{Rgb(254, 254, 254)}, 0.3f);
}

// A lit symbol glows: a faint halo of its colour on the key face first.
inline void DrawGlow(Image& img, float cx, float cy, float rx, float ry, Color c) {
    Ellipse halo{cx, cy, rx, ry};
    Fill(img, int(cx - rx) - 1, int(cy - ry) - 1, int(cx + rx) + 2, int(cy + ry) + 2, halo, Solid{c}, 0.2f);
}

template <class Shape>
void DrawSymbol(Image& img, const Shape& shape, float x0, float y0, float x1, float y1, Color c) {
    Fill(img, int(x0) - 1, int(y0) - 1, int(x1) + 2, int(y1) + 2, shape, Solid{c});
}

inline void DrawTransport(Image& img, int ox, const SetLook& look) {
    const Color grey = Rgb(156, 156, 166), green = Rgb(72, 240, 96);
    const float o = float(ox), cy = 169.5f;

    DrawKey(img, ox, kRewRect, DarkKey());
    Color rew = look.lit ? green : grey;
    if (look.lit) DrawGlow(img, o + 30, cy, 6.5f, 5.5f, green);
    DrawSymbol(img, Triangle{o + 25, cy, o + 30, cy - 4, o + 30, cy + 4}, o + 25, cy - 4, o + 30, cy + 4,
               rew);
    DrawSymbol(img, Triangle{o + 30, cy, o + 35, cy - 4, o + 35, cy + 4}, o + 30, cy - 4, o + 35, cy + 4,
               rew);

    const bool grey_face = look.play == PlayLook::kGrey;
    DrawKey(img, ox, kPlayRect, grey_face ? GreyKey() : DarkKey());
    Color tri, bars;
    if (grey_face) {
        tri = bars = Rgb(254, 254, 254);
    } else if (look.lit) {
        tri = Rgb(254, 254, 254), bars = Rgb(255, 212, 36);
        DrawGlow(img, o + 44.5f, cy, 5, 5, Rgb(200, 230, 255));
        DrawGlow(img, o + 53, cy, 4.5f, 5, bars);
    } else {
        tri = Rgb(44, 196, 78), bars = grey;
    }
    DrawSymbol(img, Triangle{o + 41, cy - 4.5f, o + 41, cy + 4.5f, o + 48, cy}, o + 41, cy - 4.5f, o + 48,
               cy + 4.5f, tri);
    DrawSymbol(img, RoundRect{o + 50, cy - 4, o + 52, cy + 4, 0.3f}, o + 50, cy - 4, o + 52, cy + 4, bars);
    DrawSymbol(img, RoundRect{o + 53.5f, cy - 4, o + 55.5f, cy + 4, 0.3f}, o + 53.5f, cy - 4, o + 55.5f,
               cy + 4, bars);

    DrawKey(img, ox, kFfRect, DarkKey());
    if (look.lit) DrawGlow(img, o + 69, cy, 6.5f, 5.5f, green);
    DrawSymbol(img, Triangle{o + 64, cy - 4, o + 64, cy + 4, o + 69, cy}, o + 64, cy - 4, o + 69, cy + 4,
               rew);
    DrawSymbol(img, Triangle{o + 69, cy - 4, o + 69, cy + 4, o + 74, cy}, o + 69, cy - 4, o + 74, cy + 4,
               rew);

    DrawKey(img, ox, kStopRect, DarkKey());
    Color stop = look.lit ? Rgb(246, 40, 40) : grey;
    if (look.lit) DrawGlow(img, o + 82.5f, cy, 5.5f, 5.5f, stop);
    DrawSymbol(img, RoundRect{o + 79, cy - 3.5f, o + 86, cy + 3.5f, 0.6f}, o + 79, cy - 3.5f, o + 86,
               cy + 3.5f, stop);
}

inline void DrawLogo(Image& img, int ox) {
    const char* name = "Telly";
    int x = ox + 112 - TextWidth(kLogoFace, name) / 2, y = 159;
    ForEachInkedPixel(kLogoFace, name, x + 1, y + 1,
                      [&](int px, int py, int) { img.Set(px, py, Rgb(22, 140, 62)); });
    ForEachInkedPixel(kLogoFace, name, x, y, [&](int px, int py, int) {
        img.Set(px, py, Mix(Rgb(250, 52, 56), Rgb(176, 8, 22), (py - y) / 9.0f));
    });
}

// A small key with a printed label; switches with a lamp have it just above the key.
inline void DrawSwitch(Image& img, int ox, const Rect& r, const char* label, bool lamp, bool lit) {
    Rect key = lamp ? Rect{r.x, r.y + 4, r.w, r.h - 4} : r;
    DrawKey(img, ox, key, {Rgb(14, 14, 18), Rgb(64, 64, 72), Rgb(22, 22, 26)});
    int tx = ox + r.x + (r.w - TextWidth(kLabelFace, label) + 1) / 2;
    int ty = key.y + (key.h - 5) / 2;
    DrawText(img, kLabelFace, label, tx, ty, lit ? Rgb(120, 255, 140) : Rgb(208, 208, 214));
    if (!lamp) return;
    float cx = ox + r.x + r.w / 2.0f, cy = r.y + 1.5f;
    if (lit) DrawGlow(img, cx, cy + 0.5f, 4.5f, 2.0f, Rgb(60, 255, 90)); // stays inside the switch's sprite
    Ellipse led{cx, cy, 3.0f, 1.7f};
    Fill(img, int(cx) - 4, r.y, int(cx) + 5, r.y + 3, led,
         VGradient{lit ? Rgb(210, 255, 210) : Rgb(130, 140, 128), lit ? Rgb(40, 224, 72) : Rgb(44, 54, 44),
                   float(r.y), float(r.y + 3)});
}

inline void DrawCloseBox(Image& img, int ox) {
    const Rect& r = kCloseRect;
    DrawKey(img, ox, r, RedKey());
    float o = float(ox), x0 = o + r.x + 5, x1 = o + r.x + r.w - 5, y0 = r.y + 5.5f, y1 = r.y + r.h - 5.5f;
    DrawSymbol(img, Stroke{x0, y0, x1, y1, 1.7f}, x0 - 1, y0 - 1, x1 + 1, y1 + 1, Rgb(250, 236, 236));
    DrawSymbol(img, Stroke{x1, y0, x0, y1, 1.7f}, x0 - 1, y0 - 1, x1 + 1, y1 + 1, Rgb(250, 236, 236));
}

} // namespace detail

inline void DrawTvSet(Image& img, int originX, const SetLook& look) {
    using namespace detail;
    // Nothing may spill outside the outline: shadows and glows are clipped to it.
    img.clip.assign(size_t(img.width) * img.height, 0);
    for (int y = 0; y < kSetHeight && y < img.height; ++y)
        for (int x = 0; x < kSetWidth && originX + x < img.width; ++x)
            if (IsInsideSet(x, y)) img.clip[size_t(y) * img.width + originX + x] = 1;
    DrawCabinet(img, originX);
    DrawSpeakerGrille(img, originX, 6);
    DrawSpeakerGrille(img, originX, kSetWidth - 6 - 9);
    DrawScreen(img, originX);
    DrawPositionGroove(img, originX);
    DrawDeck(img, originX);
    DrawVolumeGroove(img, originX);
    DrawTransport(img, originX, look);
    DrawLogo(img, originX);
    DrawSwitch(img, originX, kFullRect, "FULL", false, look.lit);
    DrawSwitch(img, originX, kRndRect, "Rnd", true, look.lit);
    DrawSwitch(img, originX, kRepRect, "Rep", true, look.lit);
    DrawCloseBox(img, originX);
    img.clip.clear();
}

} // namespace art
