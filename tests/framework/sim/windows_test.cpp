// Simulated windows and messages: placement and its log, the platform's default processing (focus, the
// system move), the timers' tick order, and the small device registers. What the real platform does as well
// (close, wheel, list boxes, timers) is held against it in the conformance suite (tests/seam).
#include "support/sim_fixture.h"

#include "res/resource.h"

using namespace fw;

namespace {

class SimWindowsTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        main = plat::CreateModelessDialog(IDD_PLAYER, nullptr, &Record, this);
        ASSERT_NE(main, nullptr);
        seen.clear();
        sim::ClearLog();
    }
    // A dispatcher that handles nothing and remembers what reached it.
    static BOOL Record(void* ctx, HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT*) {
        auto* self = static_cast<SimWindowsTest*>(ctx);
        if (msg != WM_TIMER || self->recordTimers) self->seen.push_back({msg, wp, lp});
        if (msg == WM_TIMER && self->onTimer) self->onTimer(wp);
        return FALSE;
    }
    struct Seen {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        bool operator==(const Seen& o) const { return msg == o.msg && wp == o.wp && lp == o.lp; }
    };
    std::vector<Seen> seen;
    bool recordTimers = true;
    std::function<void(WPARAM)> onTimer;
    HWND main = nullptr;
};

TEST_F(SimWindowsTest, SetWindowPosAppliesItsFlagsAndLogsThem) {
    struct Case {
        HWND after;
        int x, y, cx, cy;
        UINT flags;
        const char* line;
        int wantX, wantY, wantCx, wantCy, topmost;
        bool visible;
    };
    const Case cases[] = {
        {HWND_TOP, 10, 20, 274, 187, SWP_NOZORDER, "SetWindowPos dlg102 - 10,20 274x187 NOZORDER", 10, 20,
         274, 187, 0, true},
        {HWND_TOPMOST, 0, -20, 1074, 788, SWP_SHOWWINDOW, "SetWindowPos dlg102 TOPMOST 0,-20 1074x788 SHOW",
         0, -20, 1074, 788, 1, true},
        {HWND_NOTOPMOST, 5, 5, 1, 1, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW,
         "SetWindowPos dlg102 NOTOPMOST 5,5 1x1 NOSIZE|NOMOVE|HIDE", 0, -20, 1074, 788, 0, false},
        {HWND_BOTTOM, 1, 2, 3, 4, 0x0200, "SetWindowPos dlg102 BOTTOM 1,2 3x4 0x0200", 1, 2, 3, 4, 0, false},
    };
    for (const Case& c : cases) {
        sim::ClearLog();
        EXPECT_TRUE(plat::SetWindowPosition(main, c.after, c.x, c.y, c.cx, c.cy, c.flags));
        EXPECT_EQ(sim::Log().at(0), c.line);
        const sim::WindowInfo* i = sim::Info(main);
        EXPECT_EQ((std::vector<int>{i->x, i->y, i->cx, i->cy, i->zOrderTopmost}),
                  (std::vector<int>{c.wantX, c.wantY, c.wantCx, c.wantCy, c.topmost}))
            << c.line;
        EXPECT_EQ(i->visible, c.visible) << c.line;
    }
    int w = 0, h = 0;
    EXPECT_EQ(sim::SurfaceBGR(main, &w, &h).size(), 3u * 4u * 3u) << "the surface follows the size";
}

TEST_F(SimWindowsTest, MovingDeliversWmMoveOnlyWhenThePositionChanges) {
    plat::SetWindowPosition(main, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    plat::SetWindowPosition(main, nullptr, 30, 40, 9, 9, SWP_NOZORDER);
    EXPECT_EQ(seen, (std::vector<Seen>{{WM_MOVE, 0, MAKELPARAM(30, 40)}}));
}

TEST_F(SimWindowsTest, SystemMoveMovesByTheConfiguredDrag) {
    sim::SetMoveDragOffset(15, -5);
    plat::DefaultProc(main, WM_SYSCOMMAND, SC_MOVE | 2, 0);
    EXPECT_EQ(sim::Info(main)->x, 15);
    EXPECT_EQ(sim::Info(main)->y, -5);
    EXPECT_EQ(seen, (std::vector<Seen>{{WM_MOVE, 0, MAKELPARAM(15, -5)}}));
    sim::SetMoveDragOffset(0, 0);
    seen.clear();
    plat::SendMsg(main, WM_SYSCOMMAND, SC_MOVE | 2, 0);
    EXPECT_EQ(seen, (std::vector<Seen>{{WM_SYSCOMMAND, SC_MOVE | 2, 0}})) << "no drag: no WM_MOVE";
    ExpectSequence(sim::Log(), {"Default dlg102 WM_SYSCOMMAND", "SendMessage dlg102 WM_SYSCOMMAND 61458 0"});
}

TEST_F(SimWindowsTest, NextDlgCtlWithAHandleMovesTheFocus) {
    const HWND bar = plat::GetDialogItem(main, IDC_FOCUS_SCROLLBAR);
    plat::SendMsg(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(bar), TRUE);
    EXPECT_EQ(sim::FocusWindow(), bar);
    EXPECT_TRUE(sim::Info(bar)->focused);
    plat::DestroyWnd(main);
    EXPECT_EQ(sim::FocusWindow(), nullptr);
}

TEST_F(SimWindowsTest, TicksFireLiveTimersInStartOrder) {
    const HWND other = plat::CreateModelessDialog(IDD_MOUSE_SETTINGS, nullptr, &Record, this);
    EXPECT_EQ(plat::StartTimer(main, 5000, 50), 5000u);
    EXPECT_EQ(plat::StartTimer(other, 7, 50), 7u);
    seen.clear();
    sim::Tick();
    EXPECT_EQ(sim::ClockNow(), 50);
    EXPECT_EQ(seen, (std::vector<Seen>{{WM_TIMER, 5000, 0}, {WM_TIMER, 7, 0}}));

    // A handler that stops the other timer: that one does not fire in the same tick.
    onTimer = [&](WPARAM id) {
        if (id == 5000) plat::StopTimer(other, 7);
    };
    seen.clear();
    sim::Tick();
    EXPECT_EQ(seen, (std::vector<Seen>{{WM_TIMER, 5000, 0}}));
    plat::DestroyWnd(main);
    seen.clear();
    sim::Tick(3);
    EXPECT_TRUE(seen.empty()) << "destroyed windows drop their timers";
    EXPECT_EQ(sim::ClockNow(), 250);

    sim::FailTimers(true);
    EXPECT_EQ(plat::StartTimer(other, 1, 50), 0u);
    EXPECT_EQ(sim::LogLines("SetTimer").back(), "SetTimer dlg139 1 50");
}

TEST_F(SimWindowsTest, IconsAndDropTargets) {
    CWnd wnd(main);
    const HICON icon = plat::LoadAppIcon(plat::ModuleHandle(), IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    wnd.SetIcon(icon, TRUE);
    EXPECT_EQ(sim::WindowIcon(main, ICON_BIG), icon);
    EXPECT_EQ(sim::WindowIcon(main, ICON_SMALL), nullptr);
    wnd.DragAcceptFiles(FALSE);
    EXPECT_FALSE(sim::Info(main)->exStyle & WS_EX_ACCEPTFILES);
    ExpectSequence(sim::Log(),
                   {"SendMessage dlg102 WM_SETICON 1 " + std::to_string(reinterpret_cast<LPARAM>(icon)),
                    "DragAcceptFiles dlg102 0"});
    wnd.m_hWnd = nullptr;
}

TEST_F(SimWindowsTest, PointerVolumeAndKeys) {
    EXPECT_EQ(ShowPointer(FALSE), -1);
    const RECT clip = {10, 10, 11, 11};
    ClipPointer(&clip);
    SetPointerPos(500, 500);
    EXPECT_EQ(sim::Cursor().x, 10) << "the clip holds the pointer";
    ClipPointer(nullptr);
    DWORD v = 7;
    EXPECT_EQ(WaveOutGetVolume(0, &v), MMSYSERR_NOERROR);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    WaveOutSetVolume(0, 0x12345678);
    sim::FailVolumeRead(true);
    v = 7;
    EXPECT_NE(WaveOutGetVolume(0, &v), MMSYSERR_NOERROR);
    EXPECT_EQ(v, 7u) << "a failed read leaves the value alone";
    ExpectSequence(sim::Log(), {"ShowCursor 0 -> -1", "ClipCursor 10,10,11,11", "SetCursorPos 500,500",
                                "ClipCursor none", "waveOutGetVolume 0 -> 0xFFFFFFFF",
                                "waveOutSetVolume 0 0x12345678", "waveOutGetVolume 0 -> fail"});
    sim::SetKey(VK_SPACE, true);
    EXPECT_LT(AsyncKeyState(VK_SPACE), 0);
    EXPECT_EQ(AsyncKeyState(VK_LEFT), 0);
    sim::ReleaseAllKeys();
    EXPECT_EQ(AsyncKeyState(VK_SPACE), 0);
}

TEST_F(SimWindowsTest, RandFollowsTheRuntimeSequenceAfterScriptedValues) {
    sim::ScriptRand({5, 9});
    EXPECT_EQ(Rand(), 5);
    EXPECT_EQ(Rand(), 9);
    EXPECT_EQ(Rand(), 41); // the unseeded runtime's first value
    EXPECT_EQ(Rand(), 18467);
}

} // namespace
