// Simulated GDI: region arithmetic beyond the rows (tests/seam holds the row shapes against the real GDI),
// window ownership of regions, DIB sections and blits onto window surfaces, and the live-object counters
// leak tests rely on.
#include "support/sim_fixture.h"

#include "framework/sim/region.h"
#include "res/resource.h"

#include <cstring>

using namespace fw;

namespace {

using sim::detail::Region;
using Rows = std::map<int, std::vector<std::pair<int, int>>>;

Region Rect(int l, int t, int r, int b) {
    return sim::detail::MakeRectRegion(l, t, r, b);
}

Region Combine(const Region& a, const Region& b, int mode) {
    Region out;
    EXPECT_TRUE(sim::detail::CombineRegion(a, b, mode, &out));
    return out;
}

TEST(SimRegion, CombineModes) {
    // Two overlapping rectangles: [0,4)x[0,2) and [2,6)x[1,3).
    const Region a = Rect(0, 0, 4, 2), b = Rect(2, 1, 6, 3);
    struct Case {
        int mode;
        Rows rows;
        int kind;
    };
    const Case cases[] = {
        {RGN_OR, {{0, {{0, 4}}}, {1, {{0, 6}}}, {2, {{2, 6}}}}, COMPLEXREGION},
        {RGN_AND, {{1, {{2, 4}}}}, SIMPLEREGION},
        {RGN_XOR, {{0, {{0, 4}}}, {1, {{0, 2}, {4, 6}}}, {2, {{2, 6}}}}, COMPLEXREGION},
        {RGN_DIFF, {{0, {{0, 4}}}, {1, {{0, 2}}}}, COMPLEXREGION},
        {RGN_COPY, {{0, {{0, 4}}}, {1, {{0, 4}}}}, SIMPLEREGION},
    };
    for (const Case& c : cases) {
        const Region r = Combine(a, b, c.mode);
        EXPECT_EQ(r.rows, c.rows) << "mode " << c.mode;
        EXPECT_EQ(sim::detail::RegionKind(r), c.kind) << "mode " << c.mode;
    }
    Region out;
    EXPECT_FALSE(sim::detail::CombineRegion(a, b, 9, &out));
}

class SimGdiTest : public SimTest {};

TEST_F(SimGdiTest, InPlaceCombineOfRowsAgreesWithTheFullMerge) {
    // Rows added one by one to the destination itself, some on new lines and some on lines already there:
    // the result must be what the merge of the two regions gives.
    HRGN shape = plat::CreateRectRegion(0, 0, 0, 0);
    Region expected;
    const int rows[][3] = {{0, 10, 5}, {0, 10, 7}, {2, 6, 5}, {0, 10, 1}, {4, 8, 7}};
    for (const auto& r : rows) {
        HRGN row = plat::CreateRectRegion(r[0], r[2], r[1], r[2] + 1);
        EXPECT_NE(plat::CombineRegions(shape, shape, row, RGN_XOR), ERROR_REGION);
        expected = Combine(expected, Rect(r[0], r[2], r[1], r[2] + 1), RGN_XOR);
        plat::DeleteGdiObject(reinterpret_cast<HGDIOBJ>(row));
    }
    HRGN copy = plat::CreateRectRegion(0, 0, 0, 0);
    plat::CombineRegions(copy, shape, shape, RGN_COPY);
    HWND w = plat::CreateModelessDialog(IDD_PLAYER, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(plat::SetWindowRegion(w, copy, TRUE));
    EXPECT_EQ(sim::RegionRows(w), expected.rows);
    EXPECT_EQ(expected.rows, (Rows{{1, {{0, 10}}}, {5, {{0, 2}, {6, 10}}}, {7, {{0, 4}, {8, 10}}}}));
    plat::DeleteGdiObject(reinterpret_cast<HGDIOBJ>(shape));
    plat::DestroyWnd(w);
}

TEST_F(SimGdiTest, WindowTakesOwnershipOfItsRegion) {
    const HWND h = plat::CreateModelessDialog(IDD_PLAYER, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    const int before = sim::LiveGdiObjects();
    HRGN shape = plat::CreateRectRegion(0, 0, 10, 4);
    HRGN cut = plat::CreateRectRegion(0, 0, 2, 1);
    EXPECT_EQ(plat::CombineRegions(shape, shape, cut, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(plat::DeleteGdiObject(AsGdiObject(cut)));
    EXPECT_EQ(sim::LiveGdiObjects(), before + 1);
    sim::ClearLog();
    EXPECT_NE(plat::SetWindowRegion(h, shape, TRUE), 0);
    EXPECT_EQ(sim::Log(), std::vector<std::string>{"SetWindowRgn dlg102 4 rows"});
    EXPECT_EQ(sim::LiveGdiObjects(), before) << "an owned region is no longer the caller's";
    EXPECT_FALSE(plat::DeleteGdiObject(AsGdiObject(shape))) << "the window's region cannot be deleted";
    EXPECT_EQ(sim::RegionRows(h).at(0), (std::vector<std::pair<int, int>>{{2, 10}}));
    EXPECT_TRUE(sim::Info(h)->hasRegion);
    // A new region replaces (and frees) the old one; null removes it.
    EXPECT_NE(plat::SetWindowRegion(h, plat::CreateRectRegion(0, 0, 1, 1), TRUE), 0);
    EXPECT_EQ(sim::RegionRows(h).size(), 1u);
    EXPECT_NE(plat::SetWindowRegion(h, nullptr, TRUE), 0);
    EXPECT_FALSE(sim::Info(h)->hasRegion);
    EXPECT_EQ(sim::LiveGdiObjects(), before);
    plat::DestroyWnd(h);
}

TEST_F(SimGdiTest, BottomUpDibBlitsUprightOntoTheWindow) {
    const HWND h = plat::CreateModelessDialog(IDD_PLAYER, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    plat::SetWindowPosition(h, HWND_TOP, 0, 0, 8, 4, SWP_NOZORDER);
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof bi;
    bi.biWidth = 3; // stride 12: 9 bytes of pixels + 3 of padding
    bi.biHeight = 2;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = plat::CreateDibSection(nullptr, &bi, DIB_RGB_COLORS, &bits);
    ASSERT_NE(bmp, nullptr);
    BYTE* p = static_cast<BYTE*>(bits);
    // Memory row 0 is the bottom row of the picture.
    const BYTE bottom[9] = {0x30, 0x20, 0x10, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    const BYTE top[9] = {0x03, 0x02, 0x01, 0, 0, 0, 0, 0, 0xFF};
    std::memcpy(p, bottom, 9);
    std::memcpy(p + 12, top, 9);

    const int dcs = sim::LiveDCs();
    {
        CWnd wnd(h);
        CClientDC client(&wnd);
        CMemoryDC mem(client.m_hDC);
        mem.Select(AsGdiObject(bmp));
        EXPECT_FALSE(plat::DeleteGdiObject(AsGdiObject(bmp))) << "selected bitmaps cannot be deleted";
        EXPECT_TRUE(client.BitBlt(5, 2, 3, 2, &mem, 0, 0, SRCCOPY));
        EXPECT_TRUE(client.BitBlt(-2, 0, 3, 1, &mem, 0, 0, SRCCOPY)) << "clipped at the left edge";
        EXPECT_EQ(sim::LiveDCs(), dcs + 2);
        wnd.m_hWnd = nullptr;
    }
    EXPECT_EQ(sim::LiveDCs(), dcs);
    EXPECT_EQ(sim::Pixel(h, 5, 2), 0x010203u);
    EXPECT_EQ(sim::Pixel(h, 7, 2), 0xFF0000u);
    EXPECT_EQ(sim::Pixel(h, 5, 3), 0x102030u);
    EXPECT_EQ(sim::Pixel(h, 7, 3), 0xFFFFFFu);
    EXPECT_EQ(sim::Pixel(h, 0, 0), 0xFF0000u) << "source column 2 of the top row";
    EXPECT_EQ(sim::Pixel(h, 4, 2), 0u);
    EXPECT_TRUE(plat::DeleteGdiObject(AsGdiObject(bmp))) << "deselected when the memory DC went";
    plat::DestroyWnd(h);
}

TEST_F(SimGdiTest, DibSectionsCountAsLiveObjects) {
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof bi;
    bi.biWidth = 4;
    bi.biHeight = -4;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    void* bits = reinterpret_cast<void*>(1);
    BITMAPINFOHEADER bad = bi;
    bad.biBitCount = 8; // the real GDI takes it; the simulation keeps to the formats the player draws with
    EXPECT_EQ(plat::CreateDibSection(nullptr, &bad, DIB_RGB_COLORS, &bits), nullptr);
    EXPECT_EQ(bits, nullptr);
    CBitmapHandle ok(plat::CreateDibSection(nullptr, &bi, DIB_RGB_COLORS, &bits));
    EXPECT_NE(ok.Get(), nullptr);
    EXPECT_EQ(sim::LiveGdiObjects(), 1);
    ok.Reset();
    EXPECT_EQ(sim::LiveGdiObjects(), 0);
}

} // namespace

namespace {

class SimResourceTest : public SimTest {};

TEST_F(SimResourceTest, ResourcesCanBeReplacedAndRemoved) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    sim::SetResource(129, RT_BITMAP_ID, {1, 2, 3});
    ASSERT_TRUE(plat::LockResourceBytes(plat::ModuleHandle(), 129, RT_BITMAP_ID, &data, &size));
    EXPECT_EQ(size, 3u);
    sim::RemoveResource(129, RT_BITMAP_ID);
    EXPECT_FALSE(plat::LockResourceBytes(plat::ModuleHandle(), 129, RT_BITMAP_ID, &data, &size));
}

} // namespace
