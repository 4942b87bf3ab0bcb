// Composition of the skin in the canvas and its presentation on the main window: which sprites each state
// shows, the lamp counters, the knobs, the clip at the drawing area's edges, the screen hole left alone,
// and a player that goes on without a picture when the skin cannot be loaded.
#include "support/player_fixture.h"

#include "view/skin_bitmap.h"
#include "view/window_shape.h"

#include <memory>

using namespace fw;

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

Rgb PixelOf(const CSkinBitmap& bitmap, int x, int y) {
    const BYTE* p = bitmap.TopRowBits() + (x - 640 * y) * 3;
    return {p[2], p[1], p[0]};
}

class ComposeTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        Open();
        dlg->BuildWindowShape();
        canvas = std::make_unique<CSkinBitmap>(nullptr, IDB_SKIN, plat::ModuleHandle(), 1);
        sheet = std::make_unique<CSkinBitmap>(nullptr, IDB_SKIN, plat::ModuleHandle(), 1);
        clientDC = std::make_unique<CClientDC>(dlg.get());
        ASSERT_FALSE(canvas->IsEmpty());
        dlg->m_pCanvas = canvas.get();
        dlg->m_pSheet = sheet.get();
        dlg->m_pClientDC = clientDC.get();
        g_pCanvasTop = canvas->TopRowBits();
    }
    void TearDown() override {
        if (dlg) dlg->m_pCanvas = dlg->m_pSheet = nullptr, dlg->m_pClientDC = nullptr;
        clientDC.reset();
        canvas.reset();
        sheet.reset();
        PlayerTest::TearDown();
    }

    Rgb Canvas(int x, int y) const { return PixelOf(*canvas, x, y); }
    Rgb Sheet(int x, int y) const { return PixelOf(*sheet, x, y); }

    // The canvas shows the sheet's (sx, sy) sprite at (dx, dy, w x h): its opaque pixels, and the unlit set
    // where it is white. Returns the number of pixels that differ.
    int Mismatches(int dx, int dy, int w, int h, int sx, int sy) const {
        int n = 0;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                const Rgb s = Sheet(sx + i, sy + j);
                n += !(Canvas(dx + i, dy + j) == (s.white() ? Sheet(dx + i, dy + j) : s));
            }
        return n;
    }

    std::unique_ptr<CSkinBitmap> canvas, sheet;
    std::unique_ptr<CClientDC> clientDC;
};

enum Look { U, L, G }; // unlit, lit, grey

struct Element {
    const char* name;
    int x, y, w, h;
    int litX, litY;
};
const Element kPlay = {"PLAY/PAUSE", 38, 161, 21, 17, 262, 161};
const Element kElements[] = {
    kPlay,
    {"STOP", 76, 161, 13, 17, 300, 161},
    {"Rnd", 154, 160, 13, 16, 378, 160},
    {"Rep", 168, 160, 13, 16, 392, 160},
    {"REW", 23, 161, 14, 17, 247, 161},
    {"FF", 62, 161, 14, 17, 286, 161},
};

TEST_F(ComposeTest, EachStateShowsItsSprites) {
    struct Case {
        const char* what;
        int paused, closed, random, repeat, rew, ff;
        Look looks[6]; // PLAY/PAUSE, STOP, Rnd, Rep, REW, FF
    };
    const Case cases[] = {
        {"nothing", 0, 0, 0, 0, 0, 0, {U, U, U, U, U, U}},
        {"paused", 1, 0, 0, 0, 0, 0, {L, U, U, U, U, U}},
        {"closed", 0, 1, 0, 0, 0, 0, {G, L, U, U, U, U}},
        {"paused and closed: grey over lit", 1, 1, 0, 0, 0, 0, {G, L, U, U, U, U}},
        {"random", 0, 0, 1, 0, 0, 0, {U, U, L, U, U, U}},
        {"repeat", 0, 0, 0, 1, 0, 0, {U, U, U, L, U, U}},
        {"rewinding", 0, 0, 0, 0, 1, 0, {U, U, U, U, L, U}},
        {"fast forward", 0, 0, 0, 0, 0, 1, {U, U, U, U, U, L}},
        {"everything", 1, 1, 1, 1, 1, 1, {G, L, L, L, L, L}},
    };
    for (const Case& c : cases) {
        g_bPaused = c.paused, g_bClosed = c.closed, g_bRandom = c.random, g_bRepeat = c.repeat;
        g_nRewLitTicks = c.rew, g_nFfLitTicks = c.ff;
        dlg->ComposeFrame();
        for (int i = 0; i < 6; ++i) {
            const Element& e = kElements[i];
            int sx = e.x, sy = e.y;
            if (c.looks[i] == L) sx = e.litX, sy = e.litY;
            if (c.looks[i] == G) sx = 484, sy = 0;
            EXPECT_EQ(Mismatches(e.x, e.y, e.w, e.h, sx, sy), 0) << c.what << ": " << e.name;
        }
    }
}

TEST_F(ComposeTest, TheBasePictureErasesThePreviousOne) {
    for (int y = 0; y < 187; ++y)
        for (int x = g_anRegionInset[y]; x < 224 - g_anRegionInset[y]; ++x) {
            BYTE* p = canvas->TopRowBits() + (x - 640 * y) * 3;
            p[0] = p[1] = p[2] = 9;
        }
    g_bRepeat = 0;
    dlg->ComposeFrame();
    // Everything but the knobs is the unlit set again.
    int off = 0;
    for (int y = 0; y < 187; ++y)
        for (int x = 0; x < 224; ++x) {
            const bool knob =
                (y >= 149 && y < 156 && x >= 24 && x < 35) || (y >= 173 && y < 179 && x >= 93 && x < 100);
            off += !knob && !(Canvas(x, y) == Sheet(x, y));
        }
    EXPECT_EQ(off, 0);
}

TEST_F(ComposeTest, LampCountersLightExactlyTheirNumberOfFrames) {
    g_nRewLitTicks = 2;
    g_nFfLitTicks = 2;
    const bool expectLit[3] = {true, true, false};
    for (int frame = 0; frame < 3; ++frame) {
        dlg->ComposeFrame();
        EXPECT_EQ(Mismatches(23, 161, 14, 17, 247, 161) == 0, expectLit[frame]) << "REW, frame " << frame;
        EXPECT_EQ(Mismatches(62, 161, 14, 17, 286, 161) == 0, expectLit[frame]) << "FF, frame " << frame;
        EXPECT_EQ(Mismatches(23, 161, 14, 17, 23, 161) == 0, !expectLit[frame]) << "REW, frame " << frame;
    }
    EXPECT_EQ(g_nRewLitTicks, 0);
    EXPECT_EQ(g_nFfLitTicks, 0);
}

// A knob covers exactly its own columns: the pixels beside it are the groove of the unlit set.
TEST_F(ComposeTest, KnobsCopyExactlyTheirColumns) {
    struct Case {
        bool position;
        int x;
    };
    const Case cases[] = {{true, 24}, {true, 100}, {true, 189}, {false, 93}, {false, 110}, {false, 125}};
    for (const Case& c : cases) {
        if (c.position)
            g_nPosKnobX = c.x, g_nPosKnobY = 150, g_nVolKnobX = 93;
        else
            g_nVolKnobX = c.x, g_nVolKnobY = 172, g_nPosKnobX = 24;
        dlg->ComposeFrame();
        const int y = c.position ? 149 : 173, w = c.position ? 11 : 7, h = c.position ? 7 : 6;
        const int sx = c.position ? 448 : 470;
        EXPECT_EQ(Mismatches(c.x, y, w, h, sx, 0), 0) << c.x;
        EXPECT_EQ(Mismatches(c.x - 1, y, 1, h, c.x - 1, y), 0) << "left of the knob at " << c.x;
        EXPECT_EQ(Mismatches(c.x + w, y, 1, h, c.x + w, y), 0) << "right of the knob at " << c.x;
    }
}

// Cut on the left or at the top, a sprite's source origin moves along; reaching x 336 or y 400, it is cut
// there.
TEST_F(ComposeTest, SpritesAreClippedToTheDrawingArea) {
    dlg->DrawSprite(0, -3, 10, 448, 0, 11, 7);
    EXPECT_EQ(Mismatches(0, 10, 8, 7, 451, 0), 0);
    dlg->DrawSprite(0, 40, -2, 448, 0, 11, 7);
    EXPECT_EQ(Mismatches(40, 0, 11, 5, 448, 2), 0);

    const Rgb beyondRight = Canvas(336, 397), below = Canvas(330, 400);
    dlg->DrawSprite(0, 330, 397, 484, 0, 21, 17); // the grey key: no white in it
    for (int y = 397; y < 400; ++y)
        for (int x = 330; x < 336; ++x)
            EXPECT_EQ(Canvas(x, y), Sheet(484 + x - 330, y - 397)) << x << "," << y;
    EXPECT_EQ(Canvas(336, 397), beyondRight);
    EXPECT_EQ(Canvas(330, 400), below);
}

TEST_F(ComposeTest, PresentsTheFrameAroundTheScreenHole) {
    const int dcs = sim::LiveDCs(), gdi = sim::LiveGdiObjects();
    g_bPaused = 1;
    dlg->ComposeFrame();
    EXPECT_EQ(sim::LiveDCs(), dcs) << "the memory DC is deleted again";
    EXPECT_EQ(sim::LiveGdiObjects(), gdi);
    int width = 0, height = 0;
    const std::vector<BYTE> surface = sim::SurfaceBGR(hwnd, &width, &height);
    ASSERT_EQ(width, 274);
    ASSERT_EQ(height, 187);
    int wrong = 0, painted = 0;
    for (int y = 0; y < 187; ++y)
        for (int x = 0; x < 274; ++x) {
            const BYTE* p = &surface[(size_t(y) * 274 + x) * 3];
            const Rgb got = {p[2], p[1], p[0]};
            const bool hole = x >= 24 && x < 200 && y >= 22 && y < 142;
            if (x < 224 && !hole) {
                wrong += !(got == Canvas(x, y));
                ++painted;
            } else {
                wrong += !(got == Rgb{0, 0, 0}); // never painted: the movie's hole and the cut-away strip
            }
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(painted, 224 * 187 - 176 * 120);
}

// Without a usable skin the player runs on: nothing is drawn, nothing crashes, the movie plays in its hole.
class SkinFailureTest : public PlayerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SkinFailureTest, ThePlayerGoesOnWithoutAPicture) {
    if (std::string(GetParam()) == "missing")
        sim::RemoveResource(IDB_SKIN, RT_BITMAP_ID);
    else
        sim::SetResource(IDB_SKIN, RT_BITMAP_ID, std::vector<BYTE>(1000, 0x28));
    sim::AddMovie(L"C:\\clips\\a.avi", 100, 10);
    SetArgs({L"C:\\clips\\a.avi"});
    OpenAndStart();
    EXPECT_EQ(g_pCanvasTop, nullptr);
    EXPECT_TRUE(sim::Mci().playing);
    EXPECT_EQ(sim::Mci().destination, "24 22 176 120");
    g_bPaused = g_bClosed = g_bRandom = 1;
    g_nRewLitTicks = g_nFfLitTicks = 2;
    sim::Tick(3);
    EXPECT_EQ(g_nRewLitTicks, 0) << "the lamps still count down";
    int width = 0, height = 0, painted = 0;
    for (BYTE b : sim::SurfaceBGR(hwnd, &width, &height))
        painted += b != 0;
    EXPECT_EQ(painted, 0) << "nothing is drawn";
    g_bQuitRequest = 1;
    sim::Tick();
    EXPECT_TRUE(sim::ModalEnded(hwnd));
}

INSTANTIATE_TEST_SUITE_P(Resource, SkinFailureTest, ::testing::Values("missing", "truncated"));

} // namespace
