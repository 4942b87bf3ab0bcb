// Full-screen mode: entering and leaving, the panel toggle, the pointer pin, the tick's polling of the
// full-screen windows and its exchange with the operation panel, and movies opened while the mode is on.
#include "support/player_fixture.h"

#include "app/fullscreen_command.h"
#include "view/capture_windows.h"
#include "panel/control_panel_dlg.h"
#include "playback/movie_device.h"
#include "view/full_screen.h"

#include <algorithm>
#include <string>

using namespace fw;

namespace {

const wchar_t kMovie[] = L"C:\\movies\\a.avi";
const wchar_t kSecond[] = L"C:\\movies\\b.avi";

class FullScreenTest : public PlayerTest {
protected:
    // The main window playing kMovie (1000 frames at 10 fps), set up by its first tick.
    void StartPlaying() {
        sim::AddMovie(kMovie, 1000, 10);
        sim::AddMovie(kSecond, 500, 10);
        SetArgs({kMovie});
        OpenAndStart();
        ASSERT_TRUE(sim::Mci().playing);
    }
    void Enter() {
        sim::ClearLog();
        dlg->SetFullScreen(0);
    }
    HWND MovieWnd() { return dlg->m_pMovieWnd->GetSafeHwnd(); }
    HWND Overlay() { return dlg->m_pScanlineWnd->GetSafeHwnd(); }
    HWND Panel() { return dlg->m_pControlPanel->GetSafeHwnd(); }
    std::string Handle(HWND h) {
        const std::wstring w = HandleToDecimal(h);
        return std::string(w.begin(), w.end());
    }
    // A fresh case within a table-driven test.
    void Restart() {
        TearDown();
        hwnd = nullptr;
        SetUp();
    }
    void TogglePanel() { sim::Send(hwnd, WM_FULLSCREEN_COMMAND, kFullScreenTogglePanel, 0); }
    // A window's rectangle as "x,y wxh".
    static std::string Placed(HWND h) {
        const auto* info = sim::Info(h);
        return std::to_string(info->x) + "," + std::to_string(info->y) + " " + std::to_string(info->cx) +
               "x" + std::to_string(info->cy);
    }
    static HWND FocusBar(HWND wnd) { return plat::GetDialogItem(wnd, IDC_FOCUS_SCROLLBAR); }
    // The lines of `log` that the full-screen tick adds beyond its exchange with the device and the panel.
    static std::vector<std::string> BeyondTheExchange(const std::vector<std::string>& log) {
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.rfind("mci \"status movie ", 0) != 0 && line.rfind("SetScrollPos dlg133.", 0) != 0 &&
                line.rfind("SetScrollRange dlg133.", 0) != 0)
                out.push_back(line);
        return out;
    }
};

TEST_F(FullScreenTest, EnteringCoversTheScreenAndPinsThePointer) {
    StartPlaying();
    const int shown = sim::Cursor().showCount;
    const long long started = sim::ClockNow();
    Enter();
    EXPECT_GE(sim::ClockNow() - started, 700) << "the 0.7 s wait for the repaint";
    EXPECT_LT(sim::ClockNow() - started, 800) << "and no longer";
    ASSERT_NE(MovieWnd(), nullptr);
    ASSERT_NE(Overlay(), nullptr);
    ASSERT_NE(Panel(), nullptr);
    ExpectOrderedPrefixes(sim::Log(),
                          {"ShowCursor 0", "mci \"window movie handle default\"", "CreateDialog 133",
                           "ClipCursor 0,0,1,1", "SetCursorPos 0,0", "CreateDialog 130",
                           "SetWindowPos dlg130 BOTTOM 0,-20 1074x788 SHOW",
                           "SetWindowPos dlg130 TOPMOST 0,-20 1074x788 SHOW", "mci \"pause movie\"",
                           "mci \"window movie handle " + Handle(MovieWnd()) + "\"",
                           "mci \"put movie destination at 0 20 1024 768\"", "CreateDialog 132",
                           "SetWindowRgn dlg132", "SetWindowPos dlg132 TOPMOST 0,-20 1074x788 SHOW",
                           "mci \"play movie\"", "mci \"pause movie\"", "mci \"play movie\""});
    EXPECT_EQ(g_bFullScreen, 1);
    EXPECT_EQ(g_nScreenWidth, 1024);
    EXPECT_EQ(g_nScreenHeight, 768);
    EXPECT_EQ(g_bPaused, 0) << "the toggle, wait and toggle leave it playing";
    EXPECT_LT(sim::Mci().positionMs, 700) << "the movie stood still during the 0.7 s wait";
    EXPECT_EQ(sim::Cursor().showCount, shown - 1);
    EXPECT_TRUE(sim::Mci().playing);
    EXPECT_EQ(sim::Mci().destination, "0 20 1024 768");
    const auto* main = sim::Info(hwnd);
    EXPECT_TRUE(main->visible) << "the main window stays where it was";
    EXPECT_EQ(main->cx, 274);
}

TEST_F(FullScreenTest, EnteringWhilePausedSeeksAndStaysPaused) {
    StartPlaying();
    dlg->TogglePlayPause();
    ASSERT_EQ(g_bPaused, 1);
    g_nPosition = 42;
    Enter();
    const auto mci = MciLog();
    EXPECT_EQ(LogCount(mci, "play movie"), 1) << "only the toggle in between plays";
    EXPECT_EQ(LogCount(mci, "seek movie to 42"), 1);
    EXPECT_EQ(g_bPaused, 1);
    EXPECT_FALSE(sim::Mci().playing);
}

TEST_F(FullScreenTest, PointerPinFollowsTheScanLineMode) {
    struct Case {
        int mode, y0;
    } cases[] = {{0, 0}, {1, 0}, {2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        StartPlaying();
        g_nScanLineMode = c.mode;
        Enter();
        const auto& cursor = sim::Cursor();
        EXPECT_TRUE(cursor.clipped);
        EXPECT_EQ(cursor.clip.left, 0);
        EXPECT_EQ(cursor.clip.top, c.y0);
        EXPECT_EQ(cursor.clip.right, 1);
        EXPECT_EQ(cursor.clip.bottom, c.y0 + 1);
        EXPECT_EQ(cursor.y, c.y0);
        Restart();
    }
}

TEST_F(FullScreenTest, LeavingRestoresTheWindowAndThePointerCount) {
    for (bool panelUp : {false, true}) {
        SCOPED_TRACE(panelUp);
        StartPlaying();
        g_nWindowX = 30;
        g_nWindowY = 40;
        const int shown = sim::Cursor().showCount;
        const int windows = sim::LiveWindows();
        Enter();
        if (panelUp) TogglePanel();
        g_nPosition = 77;
        g_nVolDrag = 1;
        sim::ClearLog();
        const long long started = sim::ClockNow();
        sim::Send(hwnd, WM_FULLSCREEN_COMMAND, kFullScreenLeave, 0);
        EXPECT_GE(sim::ClockNow() - started, 500) << "the 0.5 s wait for the repaint";
        EXPECT_LT(sim::ClockNow() - started, 600) << "and no longer";
        EXPECT_EQ(g_nVolDrag, 0);
        EXPECT_LT(sim::Mci().positionMs, 7700 + 500) << "the movie stood still during the 0.5 s wait";

        ExpectOrderedPrefixes(sim::Log(),
                              {"ClipCursor none", "mci \"window movie handle default\"",
                               "DestroyWindow dlg130", "DestroyWindow dlg132", "DestroyWindow dlg133",
                               "mci \"pause movie\"", "mci \"window movie handle " + Handle(hwnd) + "\"",
                               "mci \"put movie destination at 24 22 176 120\"",
                               "SetWindowPos dlg102 TOP 30,40 275x188 SHOW",
                               "SetWindowPos dlg102 TOP 30,40 274x187 SHOW", "mci \"play movie from 77\""});
        EXPECT_EQ(g_bFullScreen, 0);
        EXPECT_EQ(g_bFsPanelShown, 0);
        EXPECT_EQ(g_nKeyCooldown, 10);
        EXPECT_EQ(g_nPosDrag, 0);
        EXPECT_EQ(sim::Cursor().showCount, shown) << "shown exactly once again";
        EXPECT_FALSE(sim::Cursor().clipped);
        EXPECT_EQ(sim::LiveWindows(), windows) << "the three full-screen windows are gone";
        EXPECT_EQ(sim::Mci().destination, "24 22 176 120");
        EXPECT_TRUE(sim::Mci().playing);
        Restart();
    }
}

TEST_F(FullScreenTest, PanelComesUpAcrossTheBottomWithTheDeviceVolume) {
    StartPlaying();
    sim::SetVolume(0x1234FFFFu);
    Enter();
    const int hidden = sim::Cursor().showCount;
    sim::ClearLog();
    TogglePanel();
    EXPECT_EQ(g_bFsPanelShown, 1);
    ExpectOrderedPrefixes(
        sim::Log(),
        {"ClipCursor none", "ShowCursor 1", "waveOutGetVolume 0", "SetScrollPos dlg133.1010 254",
         "SetWindowPos dlg132 NOTOPMOST 0,-20 1024x788 HIDE",
         "SetWindowPos dlg130 BOTTOM 0,-20 1074x788 SHOW",
         "SetWindowPos dlg130 TOPMOST 0,-20 1074x788 NOMOVE|NOREDRAW|SHOW", "mci \"pause movie\"",
         "mci \"put movie destination at 0 20 1024 768\"", "SetWindowPos dlg133 BOTTOM 0,696 1024x72 SHOW",
         "SetWindowPos dlg133 TOPMOST 0,696 1024x72 SHOW", "mci \"play movie\""});
    EXPECT_EQ(sim::Cursor().showCount, hidden + 1);
    EXPECT_FALSE(sim::Cursor().clipped);
    EXPECT_EQ(g_nMovieClickMode, 0);
    EXPECT_EQ(g_nOverlayClickMode, 0);
    EXPECT_FALSE(sim::Info(Overlay())->visible);
    EXPECT_EQ(sim::ScrollBar(plat::GetDialogItem(Panel(), IDC_PANEL_VOLUME)).pos, 254);
}

TEST_F(FullScreenTest, ThePanelShowsTheScanLineSettingsFromItsStart) {
    StartPlaying();
    g_nScanLineMode = 1;
    g_nMaskTop = 3;
    g_nMaskBottom = 12;
    Enter();
    EXPECT_EQ(plat::GetItemText(Panel(), IDC_PANEL_SCAN_MODE), L"Mode1");
    EXPECT_EQ(plat::GetItemText(Panel(), IDC_PANEL_MASK_TOP), L" 3%");
    EXPECT_EQ(plat::GetItemText(Panel(), IDC_PANEL_MASK_BOTTOM), L"12%");
}

TEST_F(FullScreenTest, PanelSettingsTakeEffectWhenThePanelCloses) {
    StartPlaying();
    g_nBottunMode = 1;
    Enter();
    EXPECT_TRUE(sim::RegionRows(Overlay()).empty()) << "no scan lines and no bands";
    TogglePanel();
    ASSERT_TRUE(sim::ClickButton(Panel(), IDC_PANEL_MODE_UP));
    ASSERT_TRUE(sim::ClickButton(Panel(), IDC_PANEL_MODE_UP));
    ASSERT_TRUE(sim::ClickButton(Panel(), IDC_PANEL_TOP_UP));
    ASSERT_TRUE(sim::ClickButton(Panel(), IDC_PANEL_BOTTOM_UP));
    ASSERT_TRUE(sim::ClickButton(Panel(), IDC_PANEL_BOTTOM_UP));
    EXPECT_EQ(g_nScanLineMode, 0) << "nothing changes while the panel is up";
    EXPECT_EQ(g_nMaskTop, 0);

    sim::ClearLog();
    TogglePanel();
    EXPECT_EQ(g_bFsPanelShown, 0);
    EXPECT_EQ(g_nScanLineMode, 2);
    EXPECT_EQ(g_bLineMask, 1);
    EXPECT_EQ(g_nMaskTop, 1);
    EXPECT_EQ(g_nMaskBottom, 2);
    ExpectOrderedPrefixes(sim::Log(),
                          {"ShowCursor 0", "ClipCursor 0,1,1,2", "SetCursorPos 0,1",
                           "SetWindowPos dlg133 NOTOPMOST 0,696 1024x72 HIDE",
                           "SetWindowPos dlg130 BOTTOM 0,-20 1074x788 SHOW",
                           "SetWindowPos dlg130 TOPMOST 0,-20 1074x788 NOMOVE|SHOW", "mci \"stop movie\"",
                           "DestroyWindow dlg132", "CreateDialog 132", "SetWindowRgn dlg132 394 rows",
                           "SetWindowPos dlg132 TOPMOST 0,-20 1074x788 SHOW"});
    EXPECT_EQ(g_nMovieClickMode, 1);
    EXPECT_EQ(g_nOverlayClickMode, 1);
    const auto rows = sim::RegionRows(Overlay());
    // Mode2 darkens the odd rows; the bands (7-row units on a 768-row screen) rows 0..6 and 755..767.
    const struct {
        int screenRow;
        bool dark;
    } probes[] = {{0, true}, {6, true}, {7, true}, {8, false}, {754, false}, {755, true}, {756, true}};
    for (const auto& p : probes)
        EXPECT_EQ(rows.count(20 + p.screenRow), p.dark ? 1u : 0u) << "screen row " << p.screenRow;
}

TEST_F(FullScreenTest, RightClickOnEitherWindowLeaves) {
    for (bool onOverlay : {false, true}) {
        SCOPED_TRACE(onOverlay);
        StartPlaying();
        Enter();
        sim::Send(onOverlay ? Overlay() : MovieWnd(), WM_RBUTTONDOWN, 0, 0);
        EXPECT_EQ(g_bFullScreen, 0);
        EXPECT_EQ(dlg->m_pMovieWnd->GetSafeHwnd(), nullptr);
        EXPECT_EQ(dlg->m_pScanlineWnd->GetSafeHwnd(), nullptr);
        Restart();
    }
}

TEST_F(FullScreenTest, FullSwitchAndAltEnterSwitchTheMode) {
    StartPlaying();
    sim::Send(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(140, 170)); // the FULL switch
    EXPECT_EQ(g_bFullScreen, 1);

    sim::SetKey(VK_MENU, true);
    sim::SetKey(VK_RETURN, true);
    sim::Tick();
    EXPECT_EQ(g_bFullScreen, 0);
    EXPECT_EQ(g_nKeyCooldown, 10);
    sim::Tick(3);
    EXPECT_EQ(g_bFullScreen, 0) << "held keys do not switch back during the cool-down";
    sim::ReleaseAllKeys();
    sim::Tick(10);
    sim::SetKey(VK_MENU, true);
    sim::SetKey(VK_RETURN, true);
    g_bActive = 0;
    sim::Tick();
    EXPECT_EQ(g_bFullScreen, 0) << "keys belong to the active window outside full-screen mode";
    g_bActive = 1;
    sim::Tick();
    EXPECT_EQ(g_bFullScreen, 1);
    sim::ReleaseAllKeys();
}

TEST_F(FullScreenTest, TickTurnsNotchesAndClicksIntoRequests) {
    StartPlaying();
    Enter();
    sim::Tick(12); // past any cool-down

    // A notch on the movie window alone.
    sim::Send(MovieWnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    sim::Tick();
    EXPECT_EQ(g_nScanSpeed, -1);
    g_nScanSpeed = 0;
    dlg->RequestPlayPause();
    dlg->RequestPlayPause();
    sim::Tick(10);

    // A notch on each window: the overlay's direction wins, both are cleared.
    sim::Send(MovieWnd(), WM_VSCROLL, SB_LINEUP, 0);
    sim::Send(Overlay(), WM_VSCROLL, SB_LINEDOWN, 0);
    sim::Tick();
    EXPECT_EQ(g_nScanSpeed, -1);
    EXPECT_EQ(g_nMovieWheel, 0);
    EXPECT_EQ(g_nOverlayWheel, 0);

    // The middle button is play/pause; the scan returns to normal speed first.
    sim::Send(MovieWnd(), WM_MBUTTONDOWN, 0, 0);
    sim::Tick();
    EXPECT_EQ(g_nScanSpeed, 0);
    EXPECT_EQ(g_bPaused, 0);
    sim::Send(Overlay(), WM_MBUTTONDOWN, 0, 0);
    sim::Tick();
    EXPECT_EQ(g_bPaused, 1);

    // Notches during the cool-down are dropped.
    g_nKeyCooldown = 3;
    sim::Send(Overlay(), WM_VSCROLL, SB_LINEUP, 0);
    sim::Tick();
    EXPECT_EQ(g_nScanSpeed, 0);
}

TEST_F(FullScreenTest, TickExchangesWithThePanelAndDropsItsVolumeDuringADrag) {
    StartPlaying();
    Enter();
    TogglePanel();
    HWND volume = plat::GetDialogItem(Panel(), IDC_PANEL_VOLUME);

    sim::ClearLog();
    sim::Tick();
    ExpectOrderedPrefixes(sim::Log(), {"mci \"status movie position\"", "mci \"status movie length\"",
                                       "SetScrollPos dlg133.1001"});

    // A knob drag owns the volume: the panel's change made meanwhile is dropped, not kept for later.
    sim::Send(Panel(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 128), reinterpret_cast<LPARAM>(volume));
    g_nPosDrag = 1;
    sim::Tick();
    EXPECT_NE(sim::Volume(), 0x80808080u);
    g_nPosDrag = 0;
    sim::Tick();
    EXPECT_NE(sim::Volume(), 0x80808080u);
}

TEST_F(FullScreenTest, NextMovieOpensIntoTheFullScreenWindows) {
    sim::AddMovie(kMovie, 1000, 10);
    sim::AddMovie(kSecond, 500, 10);
    OpenAndStart();
    SetPlaylist({kMovie, kSecond});
    dlg->OpenCurrentEntry();
    Enter();
    g_nScanSpeed = 5;
    g_nPosition = 300;
    sim::ClearLog();
    dlg->NextEntry();
    EXPECT_EQ(g_nScanSpeed, 0);
    EXPECT_EQ(g_nPosition, 0) << "the next movie starts at its beginning";
    ExpectOrderedPrefixes(sim::Log(),
                          {"SetWindowPos dlg133 NOTOPMOST 0,696 1074x72 HIDE",
                           "SetWindowPos dlg130 BOTTOM 0,-20 1074x788 SHOW",
                           "SetWindowPos dlg130 TOPMOST 0,-20 1074x788 SHOW", "mci \"close movie\"",
                           "mci \"open \"C:\\movies\\b.avi\" alias  movie\"",
                           "mci \"window movie handle " + Handle(MovieWnd()) + "\"",
                           "mci \"put movie destination at 0 20 1024 768\"", "DestroyWindow dlg132",
                           "CreateDialog 132", "SetWindowPos dlg132 TOPMOST 0,-20 1074x788 SHOW",
                           "mci \"play movie\"", "mci \"status movie length\""});
    EXPECT_EQ(g_bFullScreen, 1);
    EXPECT_EQ(g_nLength, 500);
    EXPECT_EQ(sim::Mci().path, kSecond);

    // With the panel up the panel stays in front and the overlay is not rebuilt.
    TogglePanel();
    sim::ClearLog();
    dlg->PreviousEntry();
    EXPECT_EQ(LogCount(sim::Log(), "CreateDialog 132"), 0);
    ExpectOrderedPrefixes(sim::Log(),
                          {"SetWindowPos dlg133 BOTTOM 0,696 1024x72 SHOW",
                           "SetWindowPos dlg133 TOPMOST 0,696 1024x72 SHOW", "mci \"play movie\""});
}

TEST_F(FullScreenTest, EmptyPlaylistOpensNothingInFullScreen) {
    StartPlaying();
    Enter();
    SetPlaylist({});
    g_nCurrentIndex = 0;
    g_nPosition = 33;
    sim::ClearLog();
    dlg->OpenCurrentEntry();
    ExpectSequence(MciLog(), {"stop movie", "window movie handle default", "close movie"});
    EXPECT_EQ(g_nLength, 0);
    EXPECT_EQ(g_nPosition, 0);
    EXPECT_EQ(g_bFullScreen, 1);
    EXPECT_NE(Overlay(), nullptr) << "the overlay is rebuilt all the same";
}

TEST_F(FullScreenTest, QuitInFullScreenFreesEverything) {
    const int windows = sim::LiveWindows();
    const int gdi = sim::LiveGdiObjects();
    StartPlaying();
    Enter();
    g_bQuitRequest = 1;
    sim::Tick();
    INT_PTR result = 0;
    ASSERT_TRUE(sim::ModalEnded(hwnd, &result));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg->m_pMovieWnd, nullptr);
    EXPECT_EQ(dlg->m_pScanlineWnd, nullptr);
    EXPECT_EQ(dlg->m_pControlPanel, nullptr);
    sim::CloseModal(hwnd);
    hwnd = nullptr;
    dlg.reset();
    EXPECT_EQ(sim::LiveWindows(), windows);
    EXPECT_EQ(sim::LiveGdiObjects(), gdi);
}

TEST_F(FullScreenTest, WindowObjectsThatCouldNotBeMadeAreSkipped) {
    StartPlaying();
    SetPlaylist({kMovie, kSecond});
    // As after failed allocations in the main window's constructor.
    delete dlg->m_pMovieWnd;
    delete dlg->m_pScanlineWnd;
    delete dlg->m_pControlPanel;
    dlg->m_pMovieWnd = nullptr;
    dlg->m_pScanlineWnd = nullptr;
    dlg->m_pControlPanel = nullptr;
    Enter();
    EXPECT_EQ(g_bFullScreen, 1);
    sim::Tick(2);
    TogglePanel();
    dlg->NextEntry();
    TogglePanel();
    sim::Tick();
    dlg->SetFullScreen(1);
    EXPECT_EQ(g_bFullScreen, 0);
    EXPECT_EQ(sim::Mci().destination, "24 22 176 120");
    g_bQuitRequest = 1;
    sim::Tick();
}

TEST_F(FullScreenTest, FailedFullScreenWindowsAreSkipped) {
    StartPlaying();
    sim::FailDialogCreation(130, true);
    sim::FailDialogCreation(132, true);
    sim::FailDialogCreation(133, true);
    Enter();
    EXPECT_EQ(g_bFullScreen, 1);
    EXPECT_EQ(LogCount(MciLog(), "window movie handle 0"), 1);
    TogglePanel();
    sim::Tick();
    dlg->SetFullScreen(1);
    EXPECT_EQ(g_bFullScreen, 0);
    EXPECT_EQ(sim::Mci().destination, "24 22 176 120");
}

// ---- Under a window manager
// -------------------------------------------------------------------------------- Windows, and Wine without
// a window manager, put the full-screen windows where they are asked to be: the tick reads them back and does
// nothing more. A window manager that keeps a window covering the screen on the screen (openbox under Wine)
// answers after the placing calls; the tick then lays out what the windows show for where they are.

TEST_F(FullScreenTest, PlacementsThatSucceedLeaveTheTicksWithoutExtraCalls) {
    StartPlaying();
    g_nScanLineMode = 1;
    Enter();
    std::vector<std::string> extra;
    auto ticks = [&extra] {
        sim::ClearLog();
        sim::Tick(3);
        const auto beyond = BeyondTheExchange(sim::Log());
        extra.insert(extra.end(), beyond.begin(), beyond.end());
    };
    ticks();
    TogglePanel();
    ticks();
    TogglePanel();
    ticks();
    dlg->NextEntry();
    ticks();
    EXPECT_TRUE(extra.empty()) << extra.front();
    EXPECT_EQ(sim::Mci().destination, "0 20 1024 768");
    EXPECT_TRUE(sim::Info(FocusBar(MovieWnd()))->visible);
    EXPECT_NE(sim::Info(Overlay())->style & WS_VSCROLL, 0u);
}

TEST_F(FullScreenTest, ClampedWindowsShowThePictureAndRowsOnTheScreen) {
    sim::SetWindowManagerClamps(true);
    StartPlaying();
    g_nScanLineMode = 1;
    g_nMaskTop = g_nMaskBottom = 10; // 7-row units on a 768-row screen: rows 0..69 and 699..767
    Enter();
    EXPECT_EQ(sim::Mci().destination, "0 20 1024 768") << "the placement itself is as asked for";
    const HWND focused = sim::FocusWindow();
    ASSERT_EQ(focused, FocusBar(Overlay())) << "the overlay was created last";

    sim::ClearLog();
    sim::Tick();
    EXPECT_EQ(Placed(MovieWnd()), "0,0 1024x768");
    EXPECT_EQ(Placed(Overlay()), "0,0 1024x768");
    EXPECT_EQ(sim::Mci().destination, "0 0 1024 768") << "window row 0 is screen row 0";
    ExpectOrderedPrefixes(sim::Log(),
                          {"ShowWindow dlg130.1010 0", "ShowScrollBar dlg130 VERT 0",
                           "mci \"put movie destination at 0 0 1024 768\"", "ShowWindow dlg132.1010 0",
                           "ShowScrollBar dlg132 VERT 0", "SetWindowRgn dlg132"});
    for (HWND wnd : {MovieWnd(), Overlay()}) {
        EXPECT_FALSE(sim::Info(FocusBar(wnd))->visible) << sim::WindowName(wnd);
        EXPECT_EQ(sim::Info(wnd)->style & WS_VSCROLL, 0u) << sim::WindowName(wnd);
    }
    EXPECT_EQ(sim::FocusWindow(), focused) << "the wheel still arrives";

    const auto rows = sim::RegionRows(Overlay());
    const std::vector<std::pair<int, int>> screenWide = {{0, 1024}};
    for (int row : {0, 2, 69, 300, 699, 767})
        EXPECT_EQ(rows.count(row) ? rows.at(row) : decltype(screenWide){}, screenWide) << row;
    for (int row : {71, 301, 697})
        EXPECT_EQ(rows.count(row), 0u) << row;
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.first >= 768; }), 0);
    // The pinned pixel lies on a dark row: the overlay catches the clicks and the wheel.
    EXPECT_EQ(sim::Cursor().x, 0);
    EXPECT_EQ(rows.count(sim::Cursor().y), 1u);

    // Laid out once: the next ticks read the windows back and find nothing to do.
    sim::ClearLog();
    sim::Tick(3);
    EXPECT_TRUE(BeyondTheExchange(sim::Log()).empty()) << BeyondTheExchange(sim::Log()).front();

    // A movie opened in full-screen mode is aimed as asked, then fitted again.
    dlg->NextEntry();
    EXPECT_EQ(sim::Mci().destination, "0 20 1024 768");
    sim::Tick();
    EXPECT_EQ(sim::Mci().destination, "0 0 1024 768");
    EXPECT_EQ(sim::RegionRows(Overlay()).count(0), 1u);
}

TEST_F(FullScreenTest, PartlyRefusedPlacementHidesOnlyWhatShows) {
    // A window manager that lets the windows reach past the right edge but keeps all but 5 of their top rows
    // on the screen.
    sim::SetWindowManager([](HWND h, const RECT& asked) {
        if (sim::Info(h)->templateId == IDD_PLAYER || asked.top >= -5) return asked;
        return RECT{asked.left, -5, asked.right, asked.bottom - asked.top - 5};
    });
    StartPlaying();
    g_nScanLineMode = 2;
    Enter();
    sim::Tick();
    EXPECT_EQ(Placed(MovieWnd()), "0,-5 1074x788");
    EXPECT_EQ(sim::Mci().destination, "0 5 1024 768");
    for (HWND wnd : {MovieWnd(), Overlay()}) {
        EXPECT_FALSE(sim::Info(FocusBar(wnd))->visible) << sim::WindowName(wnd);
        EXPECT_NE(sim::Info(wnd)->style & WS_VSCROLL, 0u) << "still past the right edge";
    }
    const auto rows = sim::RegionRows(Overlay());
    EXPECT_EQ(rows.begin()->first, 6) << "screen row 1, the first odd one";
    EXPECT_EQ(rows.rbegin()->first, 772) << "screen row 767";
}

TEST_F(FullScreenTest, ClampedPointerPinLiesOnAWindowThatTakesTheClicks) {
    struct Case {
        int mode;
        bool onOverlay;
    } cases[] = {{0, false}, {1, true}, {2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        sim::SetWindowManagerClamps(true);
        StartPlaying();
        g_nScanLineMode = c.mode;
        Enter();
        sim::Tick();
        const auto& cursor = sim::Cursor();
        EXPECT_EQ(cursor.y, c.mode == 2 ? 1 : 0);
        EXPECT_EQ(sim::RegionRows(Overlay()).count(cursor.y), c.onOverlay ? 1u : 0u);
        // Elsewhere it is the movie window's, whose focus scroll bar no longer covers the corner.
        EXPECT_FALSE(sim::Info(FocusBar(MovieWnd()))->visible);
        Restart();
    }
}

TEST_F(FullScreenTest, ClampedPanelIsNotCoveredByTheMovieWindow) {
    sim::SetWindowManagerClamps(true);
    StartPlaying();
    Enter();
    sim::Tick();
    TogglePanel();
    EXPECT_EQ(sim::Mci().destination, "0 20 1024 768") << "the panel's own sequence, as asked";
    sim::ClearLog();
    sim::Tick();
    EXPECT_EQ(Placed(Panel()), "0,696 1024x72");
    EXPECT_EQ(sim::Mci().destination, "0 0 1024 768");
    ExpectOrderedPrefixes(sim::Log(), {"mci \"put movie destination at 0 0 1024 768\"",
                                       "SetWindowPos dlg130 - 0,0 1024x696 NOZORDER|NOACTIVATE"});
    sim::Tick(2);
    EXPECT_EQ(Placed(MovieWnd()), "0,0 1024x696") << "ends where the panel's strip begins";

    sim::ClearLog();
    TogglePanel();
    sim::Tick();
    EXPECT_EQ(Placed(MovieWnd()), "0,0 1024x768") << "the whole screen again once the panel is down";
    EXPECT_EQ(sim::Mci().destination, "0 0 1024 768");
    EXPECT_FALSE(sim::Info(FocusBar(Overlay()))->visible) << "the rebuilt overlay is fitted as well";
    EXPECT_EQ(LogCount(sim::Log(), "SetWindowPos dlg130 - 0,0 1024x696 NOZORDER|NOACTIVATE"), 0);
}

TEST_F(FullScreenTest, MovieWindowKeptRightOfADockEndsAboveThePanelAtItsOwnWidth) {
    // A window manager that keeps an 8-pixel dock at the left and a 4-pixel bar at the top: a window covering
    // the screen gets the rest.
    sim::SetWindowManager([](HWND h, const RECT& asked) {
        if (sim::Info(h)->templateId != IDD_MOVIE_WND || (asked.top >= 4 && asked.left >= 8)) return asked;
        return RECT{8, 4, 1024, 768};
    });
    StartPlaying();
    Enter();
    sim::Tick();
    TogglePanel();
    sim::ClearLog();
    sim::Tick(3);
    EXPECT_EQ(Placed(MovieWnd()), "8,4 1016x692");
}

TEST_F(FullScreenTest, DisplacedPanelIsMovedBackOnce) {
    struct Case {
        const char* what;
        int shiftX, shiftY; // where the window manager puts the panel: this far right of and below the ask
        bool keepsItAt;     // or at row 600, whatever is asked
        const char* placed;
    } cases[] = {{"a frame above and left of the panel", 3, 10, false, "0,696 1024x72"},
                 {"a strip the panel may not cover", 0, 0, true, "0,600 1024x72"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::SetWindowManager([c](HWND h, const RECT& asked) {
            if (sim::Info(h)->templateId != IDD_CONTROL_PANEL) return asked;
            const int top = c.keepsItAt ? 600 : asked.top + c.shiftY;
            return RECT{asked.left + c.shiftX, top, asked.right + c.shiftX, top + (asked.bottom - asked.top)};
        });
        StartPlaying();
        Enter();
        TogglePanel();
        sim::ClearLog();
        sim::Tick(5);
        EXPECT_EQ(Placed(Panel()), c.placed);
        EXPECT_EQ(sim::LogLines("SetWindowPos dlg133").size(), 1u) << "one try";
        Restart();
    }
}

TEST(PanelVolumeTest, LeftChannelScaledJustBelowOneIn257) {
    struct Case {
        DWORD volume;
        int shown;
    } cases[] = {{0xFFFFFFFFu, 254},
                 {0x0000FFFFu, 254},
                 {0xFFFF0000u, 0},
                 {0, 0},
                 {257u * 5, 4},
                 {257u * 5 + 1, 5},
                 {1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CWaveVolume::PanelLevelFor(c.volume), c.shown) << std::hex << c.volume;
}

} // namespace
