// The simulated window manager and the window calls that read back what it did: GetWindowRect, the style,
// the focus when a focused control is hidden, and a window's own scroll bar.
#include "support/sim_fixture.h"

#include "res/resource.h"

using namespace fw;

namespace {

class SimWindowManagerTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        movie = plat::CreateModelessDialog(IDD_MOVIE_WND, nullptr, &Ignore, nullptr);
        ASSERT_NE(movie, nullptr);
        sim::ClearLog();
    }
    static BOOL Ignore(void*, HWND, UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
    static RECT Rect(HWND h) {
        RECT r = {0, 0, 0, 0};
        EXPECT_TRUE(plat::GetWindowRectangle(h, &r));
        return r;
    }
    static std::string Text(const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
               "x" + std::to_string(r.bottom - r.top);
    }
    HWND movie = nullptr;
};

TEST_F(SimWindowManagerTest, WithoutOneWindowsStayWherePlaced) {
    plat::SetWindowPosition(movie, HWND_TOPMOST, 0, -20, 1074, 788, SWP_SHOWWINDOW);
    sim::Tick(3);
    EXPECT_EQ(Text(Rect(movie)), "0,-20 1074x788");
}

TEST_F(SimWindowManagerTest, ClampingOneAnswersAtTheNextTickNotDuringTheCall) {
    sim::SetWindowManagerClamps(true);
    plat::SetWindowPosition(movie, HWND_TOPMOST, 0, -20, 1074, 788, SWP_SHOWWINDOW);
    EXPECT_EQ(Text(Rect(movie)), "0,-20 1074x788") << "as under Wine, the call reports what was asked";
    sim::Tick();
    EXPECT_EQ(Text(Rect(movie)), "0,0 1024x768");
    EXPECT_EQ(sim::Info(movie)->cx, 1024);
    EXPECT_EQ(sim::LogLines("SetWindowPos").size(), 1u) << "the window manager's answer is not a call";

    // A window that does not cover the screen keeps its place, even partly off the screen.
    plat::SetWindowPosition(movie, nullptr, -10, 700, 300, 100, SWP_NOZORDER);
    sim::SettleWindowManager();
    EXPECT_EQ(Text(Rect(movie)), "-10,700 300x100");
}

TEST_F(SimWindowManagerTest, OnlyShownTopLevelWindowsAreAnswered) {
    int answered = 0;
    sim::SetWindowManager([&answered](HWND, const RECT& asked) {
        ++answered;
        return RECT{asked.left, asked.top + 10, asked.right, asked.bottom + 10};
    });
    plat::SetWindowPosition(movie, nullptr, 0, 0, 100, 100, SWP_NOZORDER | SWP_HIDEWINDOW);
    const HWND bar = plat::GetDialogItem(movie, IDC_FOCUS_SCROLLBAR);
    plat::SetWindowPosition(bar, nullptr, 0, 0, 8, 8, SWP_NOZORDER);
    sim::SettleWindowManager();
    EXPECT_EQ(answered, 0) << "hidden windows and controls are not the window manager's";

    plat::ShowWnd(movie, SW_SHOW);
    sim::SettleWindowManager();
    sim::SettleWindowManager();
    EXPECT_EQ(answered, 1) << "once per showing or placement";
    EXPECT_EQ(Text(Rect(movie)), "0,10 100x100");
    EXPECT_EQ(Text(Rect(bar)), "0,10 8x8") << "a control moves with its dialog";
}

TEST_F(SimWindowManagerTest, HidingTheFocusedControlHandsTheFocusToItsDialog) {
    const HWND bar = plat::GetDialogItem(movie, IDC_FOCUS_SCROLLBAR);
    plat::SendMsg(movie, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(bar), TRUE);
    ASSERT_EQ(plat::FocusedWindow(), bar);
    plat::ShowWnd(bar, SW_HIDE);
    EXPECT_EQ(plat::FocusedWindow(), movie);
    EXPECT_EQ(plat::GetWindowStyle(bar) & WS_VISIBLE, 0u);
}

TEST_F(SimWindowManagerTest, OwnScrollBarLeavesTheStyleAndIsLogged) {
    ASSERT_NE(plat::GetWindowStyle(movie) & WS_VSCROLL, 0u) << "template 130 has a vertical scroll bar";
    plat::ShowOwnScrollBar(movie, SB_VERT, FALSE);
    EXPECT_EQ(plat::GetWindowStyle(movie) & WS_VSCROLL, 0u);
    plat::ShowOwnScrollBar(movie, SB_VERT, TRUE);
    EXPECT_NE(plat::GetWindowStyle(movie) & WS_VSCROLL, 0u);
    EXPECT_EQ(sim::Log(),
              (std::vector<std::string>{"ShowScrollBar dlg130 VERT 0", "ShowScrollBar dlg130 VERT 1"}));
}

} // namespace
