// Tiny bitmap fonts of our own for the lettering on the set: '#' marks an inked pixel.
//
// Three faces: the 3-pixel labels printed on the switches, the badge face of the word WIDE in two sizes,
// and the bold logo face of the product name. Each face has a fixed height; glyphs have their own widths.
#pragma once

#include "tools/art/image.h"

#include <cstring>

namespace art {

struct Glyph {
    char ch;
    const char* rows[10]; // `height` rows of equal length
};

struct Face {
    int height;
    int spacing; // blank columns between glyphs
    const Glyph* glyphs;
    int count;
};

// Switch labels: capitals and lower case on a 6-row cell (row 5 holds descenders).
inline const Glyph kLabelGlyphs[] = {
    {'F', {"###", "#..", "##.", "#..", "#..", "..."}}, {'U', {"#.#", "#.#", "#.#", "#.#", "###", "..."}},
    {'L', {"#.", "#.", "#.", "#.", "##", ".."}},       {'R', {"##.", "#.#", "##.", "#.#", "#.#", "..."}},
    {'n', {"...", "##.", "#.#", "#.#", "#.#", "..."}}, {'d', {"..#", ".##", "#.#", "#.#", ".##", "..."}},
    {'e', {"...", ".#.", "###", "#..", ".##", "..."}}, {'p', {"...", "##.", "#.#", "#.#", "##.", "#.."}},
};
inline const Face kLabelFace = {6, 1, kLabelGlyphs, int(sizeof(kLabelGlyphs) / sizeof(Glyph))};

// WIDE, small: 6 rows.
inline const Glyph kBadgeSmallGlyphs[] = {
    {'W', {"#.....#", "#.....#", "#..#..#", "#..#..#", "#.#.#.#", ".#...#."}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"####", "#...", "###.", "#...", "#...", "####"}},
};
inline const Face kBadgeSmallFace = {6, 2, kBadgeSmallGlyphs, 4};

// WIDE, large: 8 rows with doubled vertical strokes.
inline const Glyph kBadgeLargeGlyphs[] = {
    {'W',
     {"##......##", "##......##", "##..##..##", "##..##..##", "##..##..##", "##.####.##", ".###..###.",
      ".##....##."}},
    {'I', {"####", ".##.", ".##.", ".##.", ".##.", ".##.", ".##.", "####"}},
    {'D', {"#####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "#####."}},
    {'E', {"#####", "##...", "##...", "####.", "##...", "##...", "##...", "#####"}},
};
inline const Face kBadgeLargeFace = {8, 2, kBadgeLargeGlyphs, 4};

// The product name on the control deck: bold, 9 rows down to the base line and 1 below it for the descender.
inline const Glyph kLogoGlyphs[] = {
    {'T',
     {"######", "######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "......"}},
    {'e', {".....", ".....", ".....", ".###.", "##.##", "##.##", "#####", "##...", ".####", "....."}},
    {'l', {"##", "##", "##", "##", "##", "##", "##", "##", "##", ".."}},
    {'y',
     {"......", "......", "......", "##..##", "##..##", "##..##", ".#####", "....##", "##..##", ".####."}},
};
inline const Face kLogoFace = {10, 1, kLogoGlyphs, 4};

inline const Glyph* FindGlyph(const Face& face, char ch) {
    for (int i = 0; i < face.count; ++i)
        if (face.glyphs[i].ch == ch) return &face.glyphs[i];
    return nullptr;
}

inline int GlyphWidth(const Glyph& g) {
    return int(std::strlen(g.rows[0]));
}

// Width in pixels of `text` set in `face` (unknown characters count as nothing).
inline int TextWidth(const Face& face, const char* text) {
    int w = 0, n = 0;
    for (const char* p = text; *p; ++p)
        if (const Glyph* g = FindGlyph(face, *p)) w += GlyphWidth(*g), ++n;
    return n ? w + (n - 1) * face.spacing : 0;
}

// Calls ink(x, y, index) for every inked pixel of `text` with its top-left corner at (x, y); `index` is the
// character's position in the text, so callers can colour letters differently.
template <class Ink>
void ForEachInkedPixel(const Face& face, const char* text, int x, int y, const Ink& ink) {
    int index = 0;
    for (const char* p = text; *p; ++p, ++index) {
        const Glyph* g = FindGlyph(face, *p);
        if (!g) continue;
        int w = GlyphWidth(*g);
        for (int row = 0; row < face.height; ++row)
            for (int col = 0; col < w; ++col)
                if (g->rows[row][col] == '#') ink(x + col, y + row, index);
        x += w + face.spacing;
    }
}

inline void DrawText(Image& img, const Face& face, const char* text, int x, int y, Color c) {
    ForEachInkedPixel(face, text, x, y, [&](int px, int py, int) { img.Set(px, py, c); });
}

} // namespace art
