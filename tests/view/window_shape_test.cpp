// The main window's shape: the rows of the inset table and the region BuildWindowShape gives the window.
#include "support/player_fixture.h"

#include "support/skin_facts.h"
#include "view/window_shape.h"

using namespace fw;

namespace {

TEST(RegionRow, IsTheOutlineOfTheSetOnEveryRow) {
    for (int y = 0; y < 187; ++y) {
        EXPECT_EQ(RegionRow(y).left, facts::Inset(y)) << "row " << y;
        EXPECT_EQ(RegionRow(y).right, 224 - facts::Inset(y)) << "row " << y;
        EXPECT_EQ(IsInsideSet(facts::Inset(y), y), true) << "row " << y;
        EXPECT_EQ(IsInsideSet(facts::Inset(y) - 1, y), false) << "row " << y;
        EXPECT_EQ(IsInsideSet(223 - facts::Inset(y), y), true) << "row " << y;
        EXPECT_EQ(IsInsideSet(224 - facts::Inset(y), y), false) << "row " << y;
    }
    EXPECT_FALSE(IsInsideSet(100, -1));
    EXPECT_FALSE(IsInsideSet(100, 187));
}

TEST(RegionRow, FollowsTheSetsOutline) {
    struct Case {
        int y, first, last; // inclusive pixel columns
    };
    const Case cases[] = {{0, 21, 202}, {1, 16, 207},  {25, 3, 220},  {26, 2, 221},   {90, 1, 222},
                          {91, 0, 223}, {148, 0, 223}, {149, 1, 222}, {185, 16, 207}, {186, 20, 203}};
    for (const Case& c : cases) {
        EXPECT_EQ(RegionRow(c.y).left, c.first) << "row " << c.y;
        EXPECT_EQ(RegionRow(c.y).right - 1, c.last) << "row " << c.y;
    }
    for (int y = 91; y <= 148; ++y)
        EXPECT_EQ(RegionRow(y).right - RegionRow(y).left, 224) << "row " << y;
}

class WindowShapeTest : public PlayerTest {};

TEST_F(WindowShapeTest, PlacesTheWindowAndCutsItToTheSet) {
    Open();
    g_nWindowX = 0, g_nWindowY = 0;
    const int gdi = sim::LiveGdiObjects();
    sim::ClearLog();
    dlg->BuildWindowShape();
    ExpectSequence(sim::Log(), {"SetWindowPos dlg102 TOP 0,0 274x187 SHOW", "SetWindowRgn dlg102 187 rows"});
    EXPECT_EQ(sim::LiveGdiObjects(), gdi) << "each row's region is deleted, the window owns the shape";

    const auto rows = sim::RegionRows(hwnd);
    ASSERT_EQ(rows.size(), 187u);
    for (int y = 0; y < kSetHeight; ++y) {
        const auto it = rows.find(y);
        ASSERT_NE(it, rows.end()) << "row " << y;
        ASSERT_EQ(it->second.size(), 1u) << "row " << y;
        EXPECT_EQ(it->second[0].first, facts::Inset(y)) << "row " << y;
        EXPECT_EQ(it->second[0].second, 224 - facts::Inset(y)) << "row " << y << ": nothing right of x 223";
    }
    const auto* info = sim::Info(hwnd);
    EXPECT_EQ(info->cx, 274);
    EXPECT_EQ(info->cy, 187);
    EXPECT_TRUE(info->visible);
}

TEST_F(WindowShapeTest, WithoutARegionTheWindowKeepsTheShapeItHas) {
    Open();
    dlg->BuildWindowShape();
    sim::FailRegions(true);
    sim::ClearLog();
    dlg->BuildWindowShape();
    ExpectSequence(sim::Log(), {"SetWindowPos dlg102 TOP 0,0 274x187 SHOW"});
    EXPECT_EQ(sim::RegionRows(hwnd).size(), 187u);
}

TEST_F(WindowShapeTest, UsesTheWindowPosition) {
    Open();
    g_nWindowX = 40, g_nWindowY = 30;
    sim::ClearLog();
    dlg->BuildWindowShape();
    EXPECT_EQ(sim::LogLines("SetWindowPos").at(0), "SetWindowPos dlg102 TOP 40,30 274x187 SHOW");
    EXPECT_EQ(sim::RegionRows(hwnd).at(0).at(0), std::make_pair(21, 203))
        << "the region is in window coordinates";
}

} // namespace
