// CSkinBitmap on the simulated platform: loading bitmap resources into DIB sections, addressing the rows of
// both orientations, copying sprites out of them, and failing cleanly on a missing or unusable resource.
#include "support/sim_fixture.h"

#include "res/resource.h"
#include "view/skin_bitmap.h"

#include <cstring>
#include <vector>

using namespace fw;

namespace {

class SkinBitmapTest : public SimTest {
protected:
    // A 4 x 2 bitmap whose pixel (x, y) (top-down) is (blue x, green y, red 100); pixel (3, 1) is pure white.
    static std::vector<BYTE> Picture(bool bottomUp, DWORD statedImageSize = 24) {
        BITMAPINFOHEADER h = {};
        h.biSize = 40, h.biWidth = 4, h.biHeight = bottomUp ? 2 : -2, h.biPlanes = 1, h.biBitCount = 24;
        h.biSizeImage = statedImageSize;
        std::vector<BYTE> bytes(40 + 24);
        std::memcpy(bytes.data(), &h, 40);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) {
                const int stored = bottomUp ? 1 - y : y;
                BYTE* p = &bytes[40 + (stored * 4 + x) * 3];
                p[0] = BYTE(x), p[1] = BYTE(y), p[2] = 100;
                if (x == 3 && y == 1) p[0] = p[1] = p[2] = 255;
            }
        return bytes;
    }
    static std::vector<BYTE> Cut(std::vector<BYTE> bytes, size_t size) {
        bytes.resize(size);
        return bytes;
    }
    static void Install(const std::vector<BYTE>& bytes) { sim::SetResource(IDB_SKIN, RT_BITMAP_ID, bytes); }
    static HINSTANCE Module() { return plat::ModuleHandle(); }
};

TEST_F(SkinBitmapTest, LoadsTheBuildsSheet) {
    CSkinBitmap sheet(nullptr, IDB_SKIN, Module(), 1);
    ASSERT_FALSE(sheet.IsEmpty());
    EXPECT_NE(sheet.m_hBitmap, nullptr);
    EXPECT_EQ(sheet.Width(), 640);
    EXPECT_EQ(sheet.Height(), 480);
    EXPECT_EQ(sheet.m_nRowPixels, 640);
    EXPECT_EQ(sheet.m_pHeader->biSizeImage, 921600u);
    EXPECT_EQ(sheet.TopRowBits(), sheet.m_pBits + 640 * 479 * 3) << "bottom-up: the top row is stored last";
    // Row 0 of the set starts at x = 21: white before, the cabinet's rim there.
    const BYTE* top = sheet.TopRowBits();
    EXPECT_TRUE(top[20 * 3] == 255 && top[20 * 3 + 1] == 255 && top[20 * 3 + 2] == 255);
    EXPECT_FALSE(top[21 * 3] == 255 && top[21 * 3 + 1] == 255 && top[21 * 3 + 2] == 255);
}

// The same picture stored either way round copies the same way; white is left out. Each copy is made with
// the run table and without it (as when memory was short at loading), which scans the pixels instead.
TEST_F(SkinBitmapTest, CopiesSpritesOfEitherOrientation) {
    for (int n = 0; n < 4; ++n) {
        const bool bottomUp = n % 2 == 0, withRuns = n < 2;
        SCOPED_TRACE(withRuns ? "with runs" : "scanning");
        Install(Picture(bottomUp));
        CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
        ASSERT_FALSE(bitmap.IsEmpty()) << bottomUp;
        if (!withRuns) bitmap.m_runs.Clear();
        EXPECT_EQ(bitmap.TopRowBits(), bottomUp ? bitmap.m_pBits + 12 : bitmap.m_pBits);
        // Target: 6 x 3 bottom-up, filled with 7; copy (1, 0, 3 x 2) to (2, 1).
        BYTE target[3][18];
        std::memset(target, 7, sizeof target);
        BYTE* targetTop = &target[2][0];
        bitmap.CopySpriteTo(targetTop + (2 - 6 * 1) * 3, 6, 1, 0, 3, 2);
        const BYTE row1[18] = {7, 7, 7, 7, 7, 7, 1, 0, 100, 2, 0, 100, 3, 0, 100, 7, 7, 7};
        const BYTE row2[18] = {7, 7, 7, 7, 7, 7, 1, 1, 100, 2, 1, 100, 7, 7, 7, 7, 7, 7};
        EXPECT_EQ(std::memcmp(target[1], row1, 18), 0) << "top row of the sprite, bottomUp " << bottomUp;
        EXPECT_EQ(std::memcmp(target[0], row2, 18), 0)
            << "second row, white pixel left out, bottomUp " << bottomUp;
        for (BYTE b : target[2])
            EXPECT_EQ(b, 7);
    }
}

TEST_F(SkinBitmapTest, CopiesOnlyTheBitmapsOwnPixels) {
    Install(Picture(true));
    for (bool withRuns : {true, false}) {
        SCOPED_TRACE(withRuns ? "with runs" : "scanning");
        CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
        if (!withRuns) bitmap.m_runs.Clear();
        BYTE target[4][18];
        std::memset(target, 7, sizeof target);
        BYTE* targetTop = &target[3][0];
        // (-1, -1, 3 x 3): the part inside the bitmap is (0, 0, 2 x 2), landing one pixel right and down.
        bitmap.CopySpriteTo(targetTop, 6, -1, -1, 3, 3);
        const BYTE row1[18] = {7, 7, 7, 0, 0, 100, 1, 0, 100, 7, 7, 7, 7, 7, 7, 7, 7, 7};
        const BYTE row2[18] = {7, 7, 7, 0, 1, 100, 1, 1, 100, 7, 7, 7, 7, 7, 7, 7, 7, 7};
        EXPECT_EQ(std::memcmp(target[2], row1, 18), 0);
        EXPECT_EQ(std::memcmp(target[1], row2, 18), 0);
        for (BYTE b : target[3])
            EXPECT_EQ(b, 7);
        // Beyond the right and bottom edges nothing is read (ASan would see it).
        bitmap.CopySpriteTo(targetTop, 6, 2, 1, 50, 50);
        EXPECT_EQ(target[3][0], 2);
        bitmap.CopySpriteTo(targetTop, 6, 4, 0, 1, 1);
        bitmap.CopySpriteTo(targetTop, 6, 0, 2, 1, 1);
        // One pixel, one column, one row: each as small as a copy gets.
        bitmap.CopySpriteTo(targetTop, 6, 2, 0, 1, 1);
        EXPECT_TRUE(target[3][0] == 2 && target[3][1] == 0) << "pixel (2, 0)";
        bitmap.CopySpriteTo(targetTop + 3, 6, 1, 0, 1, 2);
        EXPECT_TRUE(target[3][3] == 1 && target[2][3] == 1 && target[2][4] == 1) << "column 1";
        bitmap.CopySpriteTo(&target[0][0], 6, 0, 1, 3, 1);
        EXPECT_TRUE(target[0][0] == 0 && target[0][3] == 1 && target[0][6] == 2 && target[0][7] == 1)
            << "row 1";
    }
}

TEST_F(SkinBitmapTest, AOneRowSheetIsOneRowHighEitherWayRound) {
    for (LONG height : {1, -1}) {
        std::vector<BYTE> bytes = Cut(Picture(true), 40 + 12);
        reinterpret_cast<BITMAPINFOHEADER*>(bytes.data())->biHeight = height;
        reinterpret_cast<BITMAPINFOHEADER*>(bytes.data())->biSizeImage = 12;
        Install(bytes);
        CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
        ASSERT_FALSE(bitmap.IsEmpty()) << height;
        EXPECT_EQ(bitmap.Height(), 1) << height;
    }
}

TEST_F(SkinBitmapTest, FillsInAMissingImageSize) {
    Install(Picture(true, 0));
    CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
    ASSERT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.m_pHeader->biSizeImage, 24u);
}

TEST_F(SkinBitmapTest, AnUnusableResourceLeavesItEmptyAndHarmless) {
    struct Case {
        const char* what;
        void (*prepare)();
    };
    const Case cases[] = {
        {"missing", [] { sim::RemoveResource(IDB_SKIN, RT_BITMAP_ID); }},
        {"truncated", [] { Install(Cut(Picture(true), 40 + 23)); }},
        {"header only", [] { Install(Cut(Picture(true), 40)); }},
        {"empty", [] { Install({}); }},
        {"no DIB section to be had", [] { sim::FailBitmaps(true); }},
    };
    for (const Case& c : cases) {
        sim::Reset();
        c.prepare();
        const int gdi = sim::LiveGdiObjects();
        CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
        EXPECT_FALSE(bitmap.LoadFromResource(nullptr, IDB_SKIN, Module())) << c.what;
        EXPECT_TRUE(bitmap.IsEmpty()) << c.what;
        EXPECT_EQ(bitmap.m_hBitmap, nullptr) << c.what;
        EXPECT_EQ(bitmap.m_pHeader, nullptr) << c.what;
        EXPECT_EQ(bitmap.TopRowBits(), nullptr) << c.what;
        EXPECT_EQ(bitmap.Width(), 0) << c.what;
        EXPECT_EQ(bitmap.Height(), 0) << c.what;
        EXPECT_EQ(sim::LiveGdiObjects(), gdi) << c.what;
        BYTE target[3] = {7, 7, 7};
        bitmap.CopySpriteTo(target, 1, 0, 0, 1, 1);
        EXPECT_EQ(target[0], 7) << c.what;
        bitmap.PresentFrame(nullptr);
    }
}

TEST_F(SkinBitmapTest, ReloadingAndDestructionFreeTheDibSection) {
    const int gdi = sim::LiveGdiObjects();
    {
        CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
        EXPECT_EQ(sim::LiveGdiObjects(), gdi + 1);
        EXPECT_TRUE(bitmap.LoadFromResource(nullptr, IDB_SKIN, Module()));
        EXPECT_EQ(sim::LiveGdiObjects(), gdi + 1) << "the old DIB section goes first";
        sim::RemoveResource(IDB_SKIN, RT_BITMAP_ID);
        EXPECT_FALSE(bitmap.LoadFromResource(nullptr, IDB_SKIN, Module()));
        EXPECT_EQ(sim::LiveGdiObjects(), gdi) << "a failed reload leaves it empty";
        EXPECT_TRUE(bitmap.IsEmpty());
    }
    Install(Picture(true));
    {
        CSkinBitmap bitmap(nullptr, IDB_SKIN, Module(), 1);
        ASSERT_FALSE(bitmap.IsEmpty());
        bitmap.Free();
        EXPECT_TRUE(bitmap.IsEmpty());
        EXPECT_EQ(bitmap.m_hBitmap, nullptr);
        EXPECT_EQ(bitmap.m_pHeader, nullptr);
        EXPECT_EQ(bitmap.m_nRowPixels, 0);
        EXPECT_TRUE(bitmap.m_runs.IsEmpty());
        bitmap.Free();
    }
    EXPECT_EQ(sim::LiveGdiObjects(), gdi);
}

} // namespace
