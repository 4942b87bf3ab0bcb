// Where everything sits on the skin: the one table of the set's geometry, shared by the hit boxes of the
// mouse handlers, the per-tick composition, PresentFrame, the movie's destination in the small window and the
// artwork generator in tools/ (which draws the sheet to these coordinates). The outline's inset table is its
// neighbour in view/window_shape.h.
//
// Pure data: no framework, no platform, so the host-built generator can include it. It lives with the
// resources because it describes the skin bitmap (resource 129) that the generator draws.
#pragma once

// A rectangle of pixels: left, top, width, height. Set coordinates are client pixels of the main window (and
// of the unlit set at the sheet's top-left corner); sheet coordinates are pixels of the 640 x 480 sprite
// sheet.
struct SkinRect {
    int x, y, w, h;
};

// The set occupies the top-left 224 x 187 pixels of the window and of the sprite sheet.
constexpr int kSetWidth = 224;
constexpr int kSetHeight = 187;

// The lit copy of the set lies this far right of the unlit one on the sheet: a control's lit sprite is its
// own rectangle moved by this much.
constexpr int kLitSetX = 224;

// The movie's screen: the hole the skin never paints, where the movie device draws in the small window.
constexpr SkinRect kScreenHole = {24, 22, 176, 120};

// The controls on the set. Each rectangle is the control's picture on the sheet (drawn lit from the lit set)
// and, with both edges inside, its hit box: a press at x = left + width still hits it.
constexpr SkinRect kRewKey = {23, 161, 14, 17};
constexpr SkinRect kPlayPauseKey = {38, 161, 21, 17};
constexpr SkinRect kFfKey = {62, 161, 14, 17};
constexpr SkinRect kStopKey = {76, 161, 13, 17};
constexpr SkinRect kFullSwitch = {136, 162, 16, 15};
constexpr SkinRect kRndSwitch = {154, 160, 13, 16}; // with its lamp
constexpr SkinRect kRepSwitch = {168, 160, 13, 16}; // with its lamp
constexpr SkinRect kCloseBox = {183, 160, 18, 19};

// The knobs' bars. The position knob is drawn one row above its bar's y, the volume knob one row below its
// bar's y; both hit boxes start at the knob and reach one bar length to its right.
constexpr int kPosBarY = 150;
constexpr int kVolBarY = 172;
constexpr int kPosKnobDrawDy = -1;
constexpr int kVolKnobDrawDy = 1;
constexpr int kPosKnobHitWidth = 176, kPosKnobHitHeight = 5;
constexpr int kVolKnobHitWidth = 39, kVolKnobHitHeight = 5;

// Sprites outside the two sets (sheet coordinates).
constexpr SkinRect kPosKnobSprite = {448, 0, 11, 7};
constexpr SkinRect kPosKnobRedSprite = {459, 0, 11, 7}; // on the sheet, never drawn
constexpr SkinRect kVolKnobSprite = {470, 0, 7, 6};
constexpr SkinRect kVolKnobRedSprite = {477, 0, 7, 6}; // on the sheet, never drawn
constexpr SkinRect kGreyPlayPauseSprite = {484, 0, 21, 17};

// What PresentFrame copies to the window: the whole set except the screen hole, as four rectangles.
constexpr SkinRect kFrameRects[4] = {
    {0, 0, kSetWidth, kScreenHole.y},                 // above the screen
    {0, kScreenHole.y, kScreenHole.x, kScreenHole.h}, // left of it
    {kScreenHole.x + kScreenHole.w, kScreenHole.y, kSetWidth - kScreenHole.x - kScreenHole.w, kScreenHole.h},
    {0, kScreenHole.y + kScreenHole.h, kSetWidth, kSetHeight - kScreenHole.y - kScreenHole.h}, // below it
};
static_assert(kFrameRects[2].x == 200 && kFrameRects[2].w == 24 && kFrameRects[3].y == 142 &&
                  kFrameRects[3].h == 45,
              "the frame leaves out exactly the screen hole");
