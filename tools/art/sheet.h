// The sprite sheet: 640 x 480, the unlit set at (0, 0), the lit set at (224, 0), the knobs, the grey
// PLAY/PAUSE key and three WIDE badges; pure white everywhere else.
#pragma once

#include "tools/art/image.h"
#include "tools/art/pixel_font.h"
#include "tools/art/raster.h"
#include "tools/art/tv_set.h"

namespace art {

constexpr int kSheetWidth = 640;
constexpr int kSheetHeight = 480;

// Sprites outside the two sets (sheet coordinates), from the player's skin layout.
constexpr Rect kPosKnobRect = kPosKnobSprite;
constexpr Rect kPosKnobRedRect = kPosKnobRedSprite;
constexpr Rect kVolKnobRect = kVolKnobSprite;
constexpr Rect kVolKnobRedRect = kVolKnobRedSprite;
constexpr Rect kGreyPlayRect = kGreyPlayPauseSprite;
constexpr Rect kWideRects[3] = {{19, 216, 35, 8}, {310, 247, 35, 8}, {229, 260, 42, 10}};

namespace detail {

// A knob is anti-aliased against the groove it slides in: it is painted over the groove's row colours and
// only the pixels its outline touches are kept; the rest stay pure white (transparent).
template <class GrooveRow>
void DrawKnob(Image& sheet, const Rect& at, Color line, int grooveRowOffset, const GrooveRow& grooveRow) {
    Image knob(at.w, at.h, Rgb(0, 0, 0));
    for (int y = 0; y < at.h; ++y)
        for (int x = 0; x < at.w; ++x)
            knob.Set(x, y, grooveRow(y + grooveRowOffset));
    float w = float(at.w), h = float(at.h), r = at.w > 8 ? 2.2f : 1.6f;
    RoundRect outer{0, 0, w, h, r};
    Fill(knob, 0, 0, at.w, at.h, outer, Solid{Rgb(14, 30, 104)});
    RoundRect body{1, 1, w - 1, h - 1, r - 1};
    Fill(knob, 1, 1, at.w - 1, at.h - 1, body, VGradient{Rgb(124, 178, 255), Rgb(26, 62, 190), 1, h - 1});
    Fill(knob, 2, 1, at.w - 2, 2, RoundRect{2, 1, w - 2, 2, 0.5f}, Solid{Rgb(254, 254, 254)}, 0.3f);
    for (int y = 1; y < at.h - 1; ++y)
        knob.Set(at.w / 2, y, line);
    for (int y = 0; y < at.h; ++y)
        for (int x = 0; x < at.w; ++x)
            if (Coverage(outer, x, y) > 0) sheet.Set(at.x + x, at.y + y, knob.Get(x, y));
}

inline void DrawWideBadge(Image& sheet, const Rect& r, const Face& face) {
    RoundRect plate{float(r.x), float(r.y), float(r.x + r.w), float(r.y + r.h), 2};
    Fill(sheet, r.x, r.y, r.x + r.w, r.y + r.h, plate,
         VGradient{Rgb(40, 52, 116), Rgb(12, 16, 52), float(r.y), float(r.y + r.h)});
    int tx = r.x + (r.w - TextWidth(face, "WIDE") + 1) / 2, ty = r.y + (r.h - face.height) / 2;
    DrawText(sheet, face, "WIDE", tx, ty, Rgb(252, 208, 64));
}

} // namespace detail

inline Image MakeSheet() {
    Image sheet(kSheetWidth, kSheetHeight, Rgb(255, 255, 255));
    DrawTvSet(sheet, 0, {false, PlayLook::kNormal});
    DrawTvSet(sheet, kLitSetX, {true, PlayLook::kNormal});

    // The player draws the position knob on the groove's top row (y 149) and the volume knob one row
    // below the volume groove's top (y 173).
    detail::DrawKnob(sheet, kPosKnobRect, Rgb(255, 226, 48), 0, PosGrooveRow);
    detail::DrawKnob(sheet, kPosKnobRedRect, Rgb(240, 36, 36), 0, PosGrooveRow);
    detail::DrawKnob(sheet, kVolKnobRect, Rgb(255, 226, 48), 1, VolGrooveRow);
    detail::DrawKnob(sheet, kVolKnobRedRect, Rgb(240, 36, 36), 1, VolGrooveRow);

    // The grey key is cut from a set painted with it, so its corners match the deck underneath.
    Image grey(kSetWidth, kSetHeight, Rgb(255, 255, 255));
    DrawTvSet(grey, 0, {false, PlayLook::kGrey});
    for (int y = 0; y < kGreyPlayRect.h; ++y)
        for (int x = 0; x < kGreyPlayRect.w; ++x)
            sheet.Set(kGreyPlayRect.x + x, kGreyPlayRect.y + y, grey.Get(kPlayRect.x + x, kPlayRect.y + y));

    detail::DrawWideBadge(sheet, kWideRects[0], kBadgeSmallFace);
    detail::DrawWideBadge(sheet, kWideRects[1], kBadgeSmallFace);
    detail::DrawWideBadge(sheet, kWideRects[2], kBadgeLargeFace);
    return sheet;
}

} // namespace art
