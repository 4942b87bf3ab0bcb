// Composition of the skin: every tick redraws the set in the canvas from the sprite sheet, with the lit
// buttons, lamps and knobs of the current state, and presents it around the movie's screen hole.
#include "app/globals.h"
#include "app/player_dlg.h"
#include "view/skin_bitmap.h"

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
    // The whole unlit set first: it erases the previous picture. The lit set is the copy at x + 224.
    DrawSprite(0, 0, 0, 0, 0, 224, 187);
    if (g_bPaused == 1) DrawSprite(0, 38, 161, 262, 161, 21, 17); // PLAY/PAUSE lit
    if (g_bClosed == 1) {
        DrawSprite(0, 38, 161, 484, 0, 21, 17);   // PLAY/PAUSE grey, over the lit one
        DrawSprite(0, 76, 161, 300, 161, 13, 17); // STOP lit
    }
    if (g_bRandom == 1) DrawSprite(0, 154, 160, 378, 160, 13, 16); // Rnd with its lamp
    if (g_bRepeat == 1) DrawSprite(0, 168, 160, 392, 160, 13, 16); // Rep with its lamp
    if (g_nRewLitTicks > 0) {
        DrawSprite(0, 23, 161, 247, 161, 14, 17);
        --g_nRewLitTicks;
    }
    if (g_nFfLitTicks > 0) {
        DrawSprite(0, 62, 161, 286, 161, 14, 17);
        --g_nFfLitTicks;
    }
    DrawSprite(0, g_nPosKnobX, g_nPosKnobY - 1, 448, 0, 11, 7);
    DrawSprite(0, g_nVolKnobX, g_nVolKnobY + 1, 470, 0, 7, 6);
    if (m_pCanvas) m_pCanvas->PresentFrame(m_pClientDC);
}
