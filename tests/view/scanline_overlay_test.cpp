// The scan-line overlay: which screen rows are dark (scan lines, letterbox bands in whole hundredths of the
// screen height), and the window BuildScanlineOverlay makes, places and cuts to those rows.
#include "support/player_fixture.h"

#include "view/capture_windows.h"
#include "view/scanline_overlay.h"

#include <climits>

using namespace fw;

namespace {

// Rows first..last, every `step`-th.
std::vector<int> Range(int first, int last, int step = 1) {
    std::vector<int> out;
    for (int i = first; i <= last; i += step)
        out.push_back(i);
    return out;
}
std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(DarkOverlayRows, ScanLinesAndBands) {
    struct Case {
        const char* what;
        int height;
        ScanlineSettings settings;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"mode 1: even rows", 480, {1, 0, 0, 0}, Range(0, 478, 2)},
        {"mode 2: odd rows", 480, {2, 0, 0, 0}, Range(1, 479, 2)},
        {"unknown mode: no lines", 480, {3, 0, 0, 0}, {}},
        {"off, no bands: nothing", 480, {0, 1, 0, 0}, {}},
        // Unit 4: the top band ends before row 20, the bottom one starts after row 460.
        {"bands 5/5", 480, {0, 1, 5, 5}, Join(Range(0, 19), Range(461, 479))},
        {"bands with mode 1",
         480,
         {1, 1, 5, 5},
         Join(Join(Range(0, 19), Range(20, 460, 2)), Range(461, 479))},
        {"mask off ignores the sizes", 480, {0, 0, 25, 25}, {}},
        // 768 / 100 is taken as 7, not 7.68.
        {"unit rounds down", 768, {0, 1, 1, 1}, Join(Range(0, 6), Range(762, 767))},
        {"largest bands, 1080 rows", 1080, {0, 1, 25, 25}, Join(Range(0, 249), Range(831, 1079))},
        {"under 100 rows: no bands", 99, {0, 1, 25, 25}, {}},
        {"under 100 rows: lines stay", 99, {2, 1, 25, 25}, Range(1, 97, 2)},
        {"no screen", 0, {1, 1, 5, 5}, {}},
        {"negative height", -480, {1, 1, 5, 5}, {}},
        {"negative band sizes cover nothing", 480, {0, 1, -5, -5}, {}},
        {"oversized bands cover all", 480, {0, 1, INT_MAX, 0}, Range(0, 479)},
        {"oversized bottom band", 480, {0, 1, 0, INT_MAX}, Range(0, 479)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DarkOverlayRows(c.height, c.settings), c.rows) << c.what;
}

class ScanlineOverlayTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        Open();
        TestApp()->m_pMainWnd = dlg.get();
        g_nScreenWidth = 640;
        g_nScreenHeight = 480;
        sim::ClearLog();
    }
    void TearDown() override {
        TestApp()->m_pMainWnd = nullptr;
        PlayerTest::TearDown();
    }
    static void SetScanLines(int mode, int mask, int top, int bottom) {
        g_nScanLineMode = mode, g_bLineMask = mask, g_nMaskTop = top, g_nMaskBottom = bottom;
    }
    HWND Overlay() const { return dlg->m_pScanlineWnd->GetSafeHwnd(); }
};

TEST_F(ScanlineOverlayTest, CreatesPlacesAndCutsTheOverlayToTheDarkRows) {
    SetScanLines(1, 1, 5, 5);
    const int gdi = sim::LiveGdiObjects();
    dlg->BuildScanlineOverlay();
    const HWND h = Overlay();
    ASSERT_NE(h, nullptr);
    const HWND bar = plat::GetDialogItem(h, IDC_FOCUS_SCROLLBAR);
    const std::vector<int> dark = DarkOverlayRows(480, {1, 1, 5, 5});
    ExpectSequence(sim::Log(), {
                                   "CreateDialog 132",
                                   "SendMessage dlg132 WM_NEXTDLGCTL " +
                                       std::to_string(reinterpret_cast<WPARAM>(bar)) + " 1",
                                   "SetWindowPos dlg132 - 0,-20 640x500 NOZORDER|SHOW",
                                   "SetWindowRgn dlg132 " + std::to_string(dark.size()) + " rows",
                               });
    EXPECT_EQ(sim::LiveGdiObjects(), gdi) << "each row's region is deleted, the window owns the shape";
    EXPECT_EQ(sim::FocusWindow(), bar);
    EXPECT_EQ(sim::Info(h)->owner, hwnd);

    // Screen row i is window row 20 + i, across the whole width.
    const auto rows = sim::RegionRows(h);
    ASSERT_EQ(rows.size(), dark.size());
    for (int i : dark) {
        const auto it = rows.find(20 + i);
        ASSERT_NE(it, rows.end()) << "screen row " << i;
        EXPECT_EQ(it->second, (std::vector<std::pair<int, int>>{{0, 640}})) << "screen row " << i;
    }
    EXPECT_EQ(rows.count(20 + 460), 1u) << "row 460 is even, so mode 1 darkens it";
    EXPECT_EQ(rows.count(20 + 459), 0u);
}

TEST_F(ScanlineOverlayTest, CalledWhileTheOverlayExistsItOnlyDestroysIt) {
    SetScanLines(2, 1, 3, 3);
    const int windows = sim::LiveWindows();
    const int gdi = sim::LiveGdiObjects();
    dlg->BuildScanlineOverlay();
    sim::ClearLog();
    dlg->BuildScanlineOverlay();
    ExpectSequence(sim::Log(), {"DestroyWindow dlg132"});
    EXPECT_EQ(Overlay(), nullptr);
    EXPECT_EQ(sim::LiveWindows(), windows);
    EXPECT_EQ(sim::LiveGdiObjects(), gdi) << "the region went with its window";

    // The next call builds a fresh one from the current settings.
    SetScanLines(0, 1, 0, 0);
    sim::ClearLog();
    dlg->BuildScanlineOverlay();
    EXPECT_EQ(LogCount(sim::Log(), "CreateDialog 132"), 1);
    // Nothing dark: the overlay is there (and catches the mouse) but covers nothing.
    EXPECT_EQ(LogCount(sim::Log(), "SetWindowRgn dlg132 0 rows"), 1);
    EXPECT_TRUE(sim::Info(Overlay())->hasRegion);
    EXPECT_TRUE(sim::RegionRows(Overlay()).empty());
}

TEST_F(ScanlineOverlayTest, FailedCreationPlacesNothingAndLeaksNothing) {
    SetScanLines(1, 1, 5, 5);
    const int gdi = sim::LiveGdiObjects();
    sim::FailDialogCreation(IDD_SCANLINE_WND, true);
    dlg->BuildScanlineOverlay();
    EXPECT_EQ(Overlay(), nullptr);
    EXPECT_TRUE(sim::Log().empty());
    EXPECT_EQ(sim::LiveGdiObjects(), gdi);
}

} // namespace
