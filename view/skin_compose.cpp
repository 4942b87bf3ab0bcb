// Composition of the skin: every tick redraws the set in the canvas from the sprite sheet, with the lit
// buttons, lamps and knobs of the current state, and presents it around the movie's screen hole.
#include "app/globals.h"
#include "app/player_dlg.h"
#include "view/skin_bitmap.h"
#include "res/skin_layout.h"

using namespace fw;

namespace {

// The canvas is addressed with the fixed pitch g_nCanvasPitch from its top row downwards; only a bottom-up
// bitmap at least that wide and as tall as the drawing area can take every clipped sprite.
bool CanvasCoversDrawingArea(const CSkinBitmap* canvas) {
    return canvas && !canvas->IsEmpty() && canvas->IsBottomUp() && canvas->Width() == g_nCanvasPitch &&
           canvas->Height() >= kDrawingAreaHeight && g_pCanvasTop == canvas->TopRowBits();
}

} // namespace

void CPlayerDlg::DrawSprite(int index, int dx, int dy, int sx, int sy, int w, int h) {
    // The table of sprite sources has one entry: the sheet.
    CSkinBitmap* source = index == 0 ? m_pSheet : nullptr;
    if (!source || !g_pCanvasTop || !CanvasCoversDrawingArea(m_pCanvas)) return;
    SpriteBlit blit = {dx, dy, sx, sy, w, h};
    if (!ClipToDrawingArea(&blit)) return;
    source->CopySpriteTo(g_pCanvasTop + (blit.dx - g_nCanvasPitch * blit.dy) * 3, g_nCanvasPitch, blit.sx,
                         blit.sy, blit.w, blit.h);
}

void CPlayerDlg::ComposeFrame() {
    // A control drawn lit: its rectangle taken from the lit set, at the same place.
    auto drawLit = [this](const SkinRect& r) { DrawSprite(0, r.x, r.y, r.x + kLitSetX, r.y, r.w, r.h); };
    auto drawAt = [this](int dx, int dy, const SkinRect& sprite) {
        DrawSprite(0, dx, dy, sprite.x, sprite.y, sprite.w, sprite.h);
    };

    // The whole unlit set first: it erases the previous picture.
    drawAt(0, 0, SkinRect{0, 0, kSetWidth, kSetHeight});
    if (g_bPaused == 1) drawLit(kPlayPauseKey);
    if (g_bClosed == 1) {
        drawAt(kPlayPauseKey.x, kPlayPauseKey.y, kGreyPlayPauseSprite); // grey, over the lit one
        drawLit(kStopKey);
    }
    if (g_bRandom == 1) drawLit(kRndSwitch);
    if (g_bRepeat == 1) drawLit(kRepSwitch);
    if (g_nRewLitTicks > 0) {
        drawLit(kRewKey);
        --g_nRewLitTicks;
    }
    if (g_nFfLitTicks > 0) {
        drawLit(kFfKey);
        --g_nFfLitTicks;
    }
    drawAt(g_nPosKnobX, g_nPosKnobY + kPosKnobDrawDy, kPosKnobSprite);
    drawAt(g_nVolKnobX, g_nVolKnobY + kVolKnobDrawDy, kVolKnobSprite);
    if (m_pCanvas) m_pCanvas->PresentFrame(m_pClientDC);
}
