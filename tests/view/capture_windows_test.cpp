// The movie window (130) and the scan-line overlay (132): their templates, creation with the focus on the
// off-screen scroll bar, the values they record for the tick, and the requests they send their owner, as
// call sequences. The owner here is a main window whose WM_FULLSCREEN_COMMAND only records the code (and
// may act as a test wants), so these cases do not depend on what the real main window does with it.
#include "support/player_fixture.h"

#include "app/fullscreen_command.h"
#include "view/capture_windows.h"

#include <functional>

using namespace fw;

namespace {

class RecordingPlayer : public CPlayerDlg {
public:
    LRESULT OnCommandSeen(WPARAM code, LPARAM lp) {
        (void)lp;
        codes.push_back(static_cast<int>(code));
        if (onCommand) onCommand();
        return 0;
    }
    std::vector<int> codes;
    std::function<void()> onCommand;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingPlayer, CPlayerDlg)
ON_MESSAGE(WM_FULLSCREEN_COMMAND, OnCommandSeen)
END_MESSAGE_MAP()

// Which of the two windows a case drives, with its program-wide values.
enum class Which { Movie, Overlay };
const char* NameOf(Which w) {
    return w == Which::Movie ? "dlg130" : "dlg132";
}
int& WheelOf(Which w) {
    return w == Which::Movie ? g_nMovieWheel : g_nOverlayWheel;
}
int& MiddleOf(Which w) {
    return w == Which::Movie ? g_bMovieMiddle : g_bOverlayMiddle;
}
int& LeftOf(Which w) {
    return w == Which::Movie ? g_bMovieLeft : g_bOverlayLeft;
}
int& ClickModeOf(Which w) {
    return w == Which::Movie ? g_nMovieClickMode : g_nOverlayClickMode;
}

class WheelCaptureTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        auto player = std::make_unique<RecordingPlayer>();
        recorder = player.get();
        dlg = std::move(player);
        hwnd = sim::OpenModal(*dlg);
        ASSERT_NE(hwnd, nullptr);
        TestApp()->m_pMainWnd = dlg.get();
    }
    void TearDown() override {
        TestApp()->m_pMainWnd = nullptr;
        PlayerTest::TearDown();
    }
    // A fresh window of `w` (the old one destroyed first); the log is forgotten.
    HWND Make(Which w) {
        CDialog* object = w == Which::Movie ? static_cast<CDialog*>(dlg->m_pMovieWnd) : dlg->m_pScanlineWnd;
        if (object->GetSafeHwnd()) object->DestroyWindow();
        const BOOL ok = w == Which::Movie ? dlg->m_pMovieWnd->Create() : dlg->m_pScanlineWnd->Create();
        EXPECT_TRUE(ok);
        sim::ClearLog();
        return w == Which::Movie ? dlg->m_pMovieWnd->GetSafeHwnd() : dlg->m_pScanlineWnd->GetSafeHwnd();
    }
    int Poll(Which w, int which) {
        return w == Which::Movie ? dlg->m_pMovieWnd->Poll(which) : dlg->m_pScanlineWnd->Poll(which);
    }
    void SetClickMode(Which w, int flag, int value) {
        if (w == Which::Movie)
            dlg->m_pMovieWnd->SetClickMode(flag, value);
        else
            dlg->m_pScanlineWnd->SetClickMode(flag, value);
    }

    RecordingPlayer* recorder = nullptr;
};

constexpr DWORD kSbsVert = 0x1;
const char* const kTogglePanel = "SendMessage dlg102 WM_USER+5 1 0";
const char* const kLeave = "SendMessage dlg102 WM_USER+5 5 0";

TEST(WheelCaptureTemplates, PopupWithOneDisabledScrollBarOffTheScreen) {
    struct Case {
        int id;
        DWORD style;
        int cx, cy, barX;
    };
    const Case cases[] = {
        {IDD_MOVIE_WND, WS_POPUP | WS_VISIBLE | WS_VSCROLL | DS_SETFONT, 94, 88, 0},
        {IDD_SCANLINE_WND, WS_POPUP | WS_VISIBLE | WS_VSCROLL | DS_SETFONT | DS_CENTER, 100, 92, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const sim::DialogTemplate* t = sim::Template(c.id);
        ASSERT_NE(t, nullptr) << sim::TemplateError();
        EXPECT_EQ(t->style, c.style);
        EXPECT_EQ(t->exStyle, WS_EX_NOPARENTNOTIFY);
        EXPECT_EQ(t->fontName, L"ＭＳ Ｐゴシック");
        EXPECT_EQ(t->fontSize, 9);
        EXPECT_EQ(t->cx, c.cx);
        EXPECT_EQ(t->cy, c.cy);
        ASSERT_EQ(t->controls.size(), 1u);
        const sim::ControlTemplate& bar = t->controls[0];
        EXPECT_EQ(bar.id, IDC_FOCUS_SCROLLBAR);
        EXPECT_EQ(bar.className, "ScrollBar");
        EXPECT_EQ(bar.style, WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | kSbsVert);
        EXPECT_EQ(bar.x, c.barX);
        EXPECT_EQ(bar.y, 0);
        EXPECT_EQ(bar.cx, 8);
        EXPECT_EQ(bar.cy, 8);
    }
}

TEST_F(WheelCaptureTest, CreateMakesAWindowOwnedByTheMainWindowWithTheFocusOnItsScrollBar) {
    for (Which w : {Which::Movie, Which::Overlay}) {
        SCOPED_TRACE(NameOf(w));
        sim::ClearLog();
        const BOOL ok = w == Which::Movie ? dlg->m_pMovieWnd->Create() : dlg->m_pScanlineWnd->Create();
        ASSERT_TRUE(ok);
        const HWND h = sim::DialogWindow(w == Which::Movie ? IDD_MOVIE_WND : IDD_SCANLINE_WND);
        ASSERT_NE(h, nullptr);
        const HWND bar = plat::GetDialogItem(h, IDC_FOCUS_SCROLLBAR);
        ASSERT_NE(bar, nullptr);
        const std::string id = w == Which::Movie ? "130" : "132";
        ExpectSequence(sim::Log(),
                       {"CreateDialog " + id, "SendMessage " + std::string(NameOf(w)) + " WM_NEXTDLGCTL " +
                                                  std::to_string(reinterpret_cast<WPARAM>(bar)) + " 1"});
        EXPECT_EQ(sim::FocusWindow(), bar);
        EXPECT_EQ(sim::Info(h)->owner, hwnd);
        EXPECT_TRUE(sim::Info(h)->visible);
    }
}

TEST_F(WheelCaptureTest, HidingTheFocusScrollBarLeavesTheFocusWhereItWas) {
    for (bool barFocused : {true, false}) {
        SCOPED_TRACE(barFocused);
        ASSERT_TRUE(dlg->m_pMovieWnd->Create());
        const HWND h = dlg->m_pMovieWnd->GetSafeHwnd();
        const HWND bar = plat::GetDialogItem(h, IDC_FOCUS_SCROLLBAR);
        const HWND elsewhere = plat::GetDialogItem(hwnd, IDC_PLAYLIST);
        if (!barFocused) sim::Send(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(elsewhere), 1);
        sim::ClearLog();
        dlg->m_pMovieWnd->HideFocusScrollBar();
        EXPECT_FALSE(sim::Info(bar)->visible);
        EXPECT_EQ(sim::FocusWindow(), barFocused ? bar : elsewhere)
            << "the wheel still reaches the same window";
        EXPECT_EQ(sim::LogLines("SendMessage dlg130 WM_NEXTDLGCTL").size(), barFocused ? 1u : 0u);
        dlg->m_pMovieWnd->DestroyWindow();
    }
}

TEST_F(WheelCaptureTest, LeftPressAsksForThePanelInClickModeZeroAndIsRecordedInClickModeOne) {
    struct Case {
        Which w;
        int clickMode;
        std::vector<std::string> log;
        int leftAfter; // the left value was 1 before the press
        std::vector<int> codes;
    };
    const Case cases[] = {
        // The movie window leaves an unread flag alone, the overlay clears it.
        {Which::Movie, 0, {kTogglePanel, "Default dlg130 WM_LBUTTONDOWN"}, 1, {1}},
        {Which::Overlay, 0, {kTogglePanel, "Default dlg132 WM_LBUTTONDOWN"}, 0, {1}},
        {Which::Movie, 1, {"Default dlg130 WM_LBUTTONDOWN"}, 1, {}},
        {Which::Overlay, 1, {"Default dlg132 WM_LBUTTONDOWN"}, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.w)) + " click mode " + std::to_string(c.clickMode));
        const HWND h = Make(c.w);
        SetClickMode(c.w, 0, c.clickMode);
        LeftOf(c.w) = 1;
        recorder->codes.clear();
        sim::Send(h, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 30));
        ExpectSequence(sim::Log(), c.log);
        EXPECT_EQ(LeftOf(c.w), c.leftAfter);
        EXPECT_EQ(recorder->codes, c.codes);
        if (c.clickMode == 1) {
            // Recorded whatever it was before.
            LeftOf(c.w) = 0;
            sim::Send(h, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 30));
            EXPECT_EQ(LeftOf(c.w), 1);
        }
        EXPECT_EQ(MiddleOf(c.w), 0);
        EXPECT_EQ(WheelOf(c.w), 0);
    }
}

TEST_F(WheelCaptureTest, DoubleClickAsksForThePanelOnlyInClickModeOne) {
    for (Which w : {Which::Movie, Which::Overlay}) {
        for (int mode : {0, 1}) {
            SCOPED_TRACE(std::string(NameOf(w)) + " click mode " + std::to_string(mode));
            const HWND h = Make(w);
            SetClickMode(w, 0, mode);
            recorder->codes.clear();
            sim::Send(h, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 30));
            const std::string def = "Default " + std::string(NameOf(w)) + " WM_LBUTTONDBLCLK";
            if (mode == 1) {
                ExpectSequence(sim::Log(), {kTogglePanel, def});
                EXPECT_EQ(recorder->codes, std::vector<int>{1});
            } else {
                ExpectSequence(sim::Log(), {def});
                EXPECT_TRUE(recorder->codes.empty());
            }
            EXPECT_EQ(LeftOf(w), 0);
        }
    }
}

TEST_F(WheelCaptureTest, RightPressReachesTheOwnerAfterTheMovieWindowsDefaultButBeforeTheOverlays) {
    HWND h = Make(Which::Movie);
    sim::Send(h, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 30));
    ExpectSequence(sim::Log(), {"Default dlg130 WM_RBUTTONDOWN", kLeave});

    h = Make(Which::Overlay);
    sim::Send(h, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 30));
    ExpectSequence(sim::Log(), {kLeave, "Default dlg132 WM_RBUTTONDOWN"});
    EXPECT_EQ(recorder->codes, (std::vector<int>{5, 5}));
}

TEST_F(WheelCaptureTest, NoDefaultProcessingForAWindowTheOwnerDestroyedWhileHandlingTheRequest) {
    // Leaving full screen destroys the sender's window from inside its click handler.
    recorder->onCommand = [this] { dlg->m_pScanlineWnd->DestroyWindow(); };
    HWND h = Make(Which::Overlay);
    sim::Send(h, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 30));
    ExpectSequence(sim::Log(), {kLeave, "DestroyWindow dlg132"});

    // Rebuilt meanwhile: the new window never received the press.
    recorder->onCommand = [this] {
        dlg->m_pScanlineWnd->DestroyWindow();
        dlg->m_pScanlineWnd->Create();
    };
    h = Make(Which::Overlay);
    SetClickMode(Which::Overlay, 0, 0);
    sim::Send(h, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 30));
    const auto log = sim::Log();
    EXPECT_EQ(LogCount(log, "Default dlg132 WM_LBUTTONDOWN"), 0);

    recorder->onCommand = [this] { dlg->m_pMovieWnd->DestroyWindow(); };
    h = Make(Which::Movie);
    SetClickMode(Which::Movie, 0, 1);
    sim::Send(h, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 30));
    ExpectSequence(sim::Log(), {kTogglePanel, "DestroyWindow dlg130"});
}

TEST_F(WheelCaptureTest, RequestsNeedAnOwnerWithAWindow) {
    CMovieWnd movie(nullptr);
    CScanlineWnd overlay(nullptr);
    ASSERT_TRUE(movie.Create());
    ASSERT_TRUE(overlay.Create());
    sim::ClearLog();
    for (HWND h : {movie.GetSafeHwnd(), overlay.GetSafeHwnd()}) {
        sim::Send(h, WM_LBUTTONDOWN, 0, 0);
        sim::Send(h, WM_RBUTTONDOWN, 0, 0);
    }
    EXPECT_TRUE(sim::LogLines("SendMessage").empty());
    EXPECT_EQ(sim::LogLines("Default").size(), 4u);

    // An owner object whose window is gone: nothing is sent either.
    CPlayerDlg windowless;
    CMovieWnd orphan(&windowless);
    ASSERT_TRUE(orphan.Create());
    sim::ClearLog();
    sim::Send(orphan.GetSafeHwnd(), WM_RBUTTONDOWN, 0, 0);
    ExpectSequence(sim::Log(), {"Default dlg130 WM_RBUTTONDOWN"});
    EXPECT_TRUE(recorder->codes.empty());
}

TEST_F(WheelCaptureTest, MiddlePressOnlySetsTheFlagAndOnlyTheMovieWindowTakesMouseMoves) {
    for (Which w : {Which::Movie, Which::Overlay}) {
        SCOPED_TRACE(NameOf(w));
        const HWND h = Make(w);
        sim::Send(h, WM_MBUTTONDOWN, 0, 0);
        sim::Send(h, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
        // The overlay leaves mouse moves to the platform: nothing of its own is logged.
        if (w == Which::Movie)
            ExpectSequence(sim::Log(), {"Default dlg130 WM_MOUSEMOVE"});
        else
            EXPECT_TRUE(sim::Log().empty());
        EXPECT_EQ(MiddleOf(w), 1);
        EXPECT_EQ(LeftOf(w), 0);
    }
    EXPECT_TRUE(recorder->codes.empty());
}

TEST_F(WheelCaptureTest, ScrollNotificationsKeepTheDirectionOfTheLastNotch) {
    struct Step {
        UINT code;
        int wheelAfter;
    };
    // Starting from 0; other codes leave the value as it was.
    const std::vector<Step> steps = {{SB_PAGEUP, 0},    {SB_LINEUP, 1},         {SB_LINEUP, 1},
                                     {SB_LINEDOWN, -1}, {SB_THUMBPOSITION, -1}, {SB_LINEUP, 1}};
    for (Which w : {Which::Movie, Which::Overlay}) {
        SCOPED_TRACE(NameOf(w));
        const HWND h = Make(w);
        for (const Step& s : steps) {
            sim::ClearLog();
            sim::Send(h, WM_VSCROLL, MAKEWPARAM(s.code, 0), 0);
            EXPECT_EQ(WheelOf(w), s.wheelAfter) << "code " << s.code;
            ExpectSequence(sim::Log(), {"Default " + std::string(NameOf(w)) + " WM_VSCROLL"});
        }
        // Two notches before the tick reads count as one.
        WheelOf(w) = 0;
        sim::Wheel(h, -240);
        EXPECT_EQ(Poll(w, 0), -1);
        EXPECT_EQ(Poll(w, 0), 0);
    }
}

TEST_F(WheelCaptureTest, PollTakesOneValueAndSetClickModeOnlyFlagZero) {
    for (Which w : {Which::Movie, Which::Overlay}) {
        SCOPED_TRACE(NameOf(w));
        WheelOf(w) = -1, MiddleOf(w) = 1, LeftOf(w) = 1, ClickModeOf(w) = 1;
        for (int which : {3, -1, 100})
            EXPECT_EQ(Poll(w, which), 0) << which;
        EXPECT_EQ(WheelOf(w), -1);
        EXPECT_EQ(MiddleOf(w), 1);
        EXPECT_EQ(LeftOf(w), 1);

        EXPECT_EQ(Poll(w, 1), 1);
        EXPECT_EQ(MiddleOf(w), 0);
        EXPECT_EQ(WheelOf(w), -1);
        EXPECT_EQ(Poll(w, 2), 1);
        EXPECT_EQ(LeftOf(w), 0);
        EXPECT_EQ(Poll(w, 0), -1);
        EXPECT_EQ(WheelOf(w), 0);
        for (int which : {0, 1, 2})
            EXPECT_EQ(Poll(w, which), 0) << which;
        EXPECT_EQ(ClickModeOf(w), 1);

        // Only flag 0 sets the click mode.
        SetClickMode(w, 1, 0);
        SetClickMode(w, -1, 0);
        EXPECT_EQ(ClickModeOf(w), 1);
        SetClickMode(w, 0, 0);
        EXPECT_EQ(ClickModeOf(w), 0);
    }
}

TEST_F(WheelCaptureTest, EnterNeverClosesEitherWindowEscapeEndsOnlyTheMovieWindow) {
    const HWND movie = Make(Which::Movie);
    const HWND overlay = Make(Which::Overlay);
    sim::Send(movie, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    sim::Send(overlay, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    sim::Send(overlay, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_TRUE(sim::Log().empty());
    EXPECT_TRUE(sim::Info(movie)->visible);
    EXPECT_TRUE(sim::Info(overlay)->visible);

    sim::Send(movie, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    ExpectSequence(sim::Log(), {"EndDialog dlg130 2"});
}

TEST_F(WheelCaptureTest, WindowsComeAndGoWithoutLeaks) {
    const int windows = sim::LiveWindows();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(dlg->m_pMovieWnd->Create());
        ASSERT_TRUE(dlg->m_pScanlineWnd->Create());
        EXPECT_EQ(sim::LiveWindows(), windows + 4); // each dialog with its scroll bar
        EXPECT_TRUE(dlg->m_pMovieWnd->DestroyWindow());
        EXPECT_TRUE(dlg->m_pScanlineWnd->DestroyWindow());
        EXPECT_EQ(sim::LiveWindows(), windows);
        EXPECT_EQ(dlg->m_pMovieWnd->GetSafeHwnd(), nullptr);
    }
    // Windows still up when the main window closes go with it (their owner).
    ASSERT_TRUE(dlg->m_pMovieWnd->Create());
    ASSERT_TRUE(dlg->m_pScanlineWnd->Create());
    sim::CloseModal(hwnd);
    EXPECT_EQ(dlg->m_pMovieWnd->GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg->m_pScanlineWnd->GetSafeHwnd(), nullptr);
}

} // namespace
