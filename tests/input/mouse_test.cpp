// Mouse control of the main window: presses on the skin, the knob drags, the window move and the middle
// button, through the real handlers of the main window.
#include "support/player_fixture.h"

#include "playback/wave_volume.h"
#include "playback/knob_mapping.h"

using namespace fw;

namespace {

const std::wstring kA = L"C:\\m\\a.avi", kB = L"C:\\m\\b.avi";
const char kMoveLine[] = "SendMessage dlg102 WM_SYSCOMMAND 61458 0";

class MouseTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        sim::AddMovie(kA, 1000, 10);
        sim::AddMovie(kB, 2000, 10);
        OpenAndStart();
        SetPlaylist({kA, kB});
        g_nCurrentIndex = 0;
        dlg->OpenCurrentEntry();
        g_bPaused = g_bClosed = 0;
        sim::ClearLog();
    }
    void Press(int x, int y) { sim::Send(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y)); }
    void Move(int x, int y) { sim::Send(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void Release(int x, int y) { sim::Send(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void DoubleClick(int x, int y) { sim::Send(hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y)); }
    int Moves() { return LogCount(sim::Log(), kMoveLine); }
};

TEST_F(MouseTest, PressOnAButtonMovesTheWindowFirstThenActsAtThePressPoint) {
    sim::SetMoveDragOffset(30, 40);
    const int x0 = sim::Info(hwnd)->x, y0 = sim::Info(hwnd)->y;
    Press(160, 165); // Rnd
    EXPECT_EQ(sim::Info(hwnd)->x, x0 + 30);
    EXPECT_EQ(sim::Info(hwnd)->y, y0 + 40);
    EXPECT_EQ(g_bRandom, 1);
    EXPECT_EQ(dlg->m_nLastMouseX, 160);
    EXPECT_EQ(dlg->m_nLastMouseY, 165);
    ExpectOrderedPrefixes(sim::Log(), {kMoveLine, "Default dlg102 WM_LBUTTONDOWN"});
}

TEST_F(MouseTest, EachBoxTakesItsAction) {
    struct Case {
        const char* name;
        int x, y;
        int bottunMode, paused;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"Rnd", 154, 160, 0, 0, [] { EXPECT_EQ(g_bRandom, 1); }},
        {"Rep", 181, 176, 0, 0, [] { EXPECT_EQ(g_bRepeat, 0); }},
        {"close box", 201, 179, 0, 0, [] { EXPECT_EQ(g_bQuitRequest, 1); }},
        {"FF at the STOP edge, playing", 76, 170, 0, 0, [] { EXPECT_EQ(g_nCurrentIndex, 1); }},
        {"FF paused steps a frame", 62, 161, 0, 1,
         [] { EXPECT_EQ(LogCount(sim::Log(), "mci \"seek movie to 1\""), 1); }},
        {"REW paused", 37, 178, 0, 1, [] { EXPECT_EQ(LogCount(sim::Log(), "mci \"seek movie to -1\""), 1); }},
        {"STOP", 77, 170, 0, 0, [] { EXPECT_EQ(g_bClosed, 1); }},
        {"PLAY/PAUSE", 50, 170, 0, 0, [] { EXPECT_EQ(g_bPaused, 1); }},
        {"picture, button mode off", 100, 80, 0, 0, [] { EXPECT_EQ(g_bPaused, 0); }},
        {"picture, button mode on", 100, 80, 1, 0, [] { EXPECT_EQ(g_bPaused, 1); }},
        {"bare skin", 10, 100, 0, 0, [] { EXPECT_EQ(g_bPaused, 0); }},
        // Last: the player stays in full-screen mode afterwards.
        {"FULL enters full-screen mode", 140, 170, 0, 0,
         [] {
             EXPECT_EQ(g_bFullScreen, 1);
             EXPECT_EQ(g_bPaused, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_nCurrentIndex = 0;
        dlg->OpenCurrentEntry();
        g_bPaused = c.paused;
        g_bClosed = 0;
        g_nPosition = 0;
        g_bRandom = 0;
        g_bRepeat = 1;
        g_bQuitRequest = 0;
        g_nFfLitTicks = g_nRewLitTicks = 0;
        g_nBottunMode = c.bottunMode;
        sim::ClearLog();
        Press(c.x, c.y);
        c.check();
        EXPECT_EQ(g_nFfLitTicks, c.x >= 62 && c.x <= 76 && c.y > 160 ? 2 : 0);
        EXPECT_EQ(g_nRewLitTicks, c.x == 37 ? 2 : 0);
        EXPECT_EQ(Moves(), 1);
        EXPECT_EQ(g_nPosDrag, 0);
        EXPECT_EQ(g_nVolDrag, 0);
    }
}

TEST_F(MouseTest, SwitchesToggleBetweenOffAndOn) {
    const std::vector<int> want = {1, 0, 1, 0};
    std::vector<int> rnd, rep;
    g_bRandom = 0;
    g_bRepeat = 1;
    for (int i = 0; i < 4; ++i) {
        Press(160, 168);
        rnd.push_back(g_bRandom);
        Press(174, 168);
        rep.push_back(g_bRepeat);
    }
    EXPECT_EQ(rnd, want);
    EXPECT_EQ(rep, (std::vector<int>{0, 1, 0, 1}));
}

TEST_F(MouseTest, DoubleClickOnFfMovesOneEntryNotTwo) {
    Press(70, 170);
    Release(70, 170);
    DoubleClick(70, 170);
    Release(70, 170);
    EXPECT_EQ(g_nCurrentIndex, 1);
    EXPECT_EQ(Moves(), 4) << "press, release, double-click and release each start the window move";
    EXPECT_EQ(LogCount(sim::Log(), "Default dlg102 WM_LBUTTONDBLCLK"), 1);
    EXPECT_EQ(LogCount(sim::Log(), "Default dlg102 WM_LBUTTONUP"), 2);
}

TEST_F(MouseTest, PositionKnobFollowsTheMouseAndParksAtTheEnds) {
    Press(100, 152); // right of the knob at 24: grabbed where it is
    EXPECT_EQ(g_nPosDrag, 1);
    EXPECT_EQ(g_nPosKnobX, 24);
    EXPECT_EQ(Moves(), 0);

    sim::ClearLog();
    Move(110, 152);
    EXPECT_EQ(g_nPosKnobX, 34);
    EXPECT_EQ(sim::LogLines("mci "),
              (std::vector<std::string>{"mci \"status movie length\"",
                                        "mci \"play movie from " + std::to_string(KnobToPosition(1000, 34)) +
                                            "\""}));

    Move(60, 152); // 50 to the left: the knob stops at 24 without parking
    EXPECT_EQ(g_nPosKnobX, 24);
    EXPECT_EQ(g_nPosDrag, 1);

    sim::ClearLog();
    Move(200, 152); // from x 200 on: parked at 189, which seeks to length - 1
    EXPECT_EQ(g_nPosKnobX, 189);
    EXPECT_EQ(g_nPosDrag, 2);
    EXPECT_EQ(LogCount(sim::Log(), "mci \"play movie from 999\""), 1);

    sim::ClearLog();
    Move(150, 152);
    EXPECT_TRUE(sim::LogLines("mci ").empty()) << "a parked knob ignores moves";
    EXPECT_EQ(g_nPosKnobX, 189);

    Release(150, 152);
    EXPECT_EQ(g_nPosDrag, 0);
    EXPECT_EQ(Moves(), 0) << "a release that ends a drag does not move the window";
}

TEST_F(MouseTest, KnobsStopAtTheEndsOfTheirBarsWithoutParking) {
    // A long move that stays inside the bar's x limits takes the knob to its end and keeps the drag alive.
    g_nPosKnobX = 150;
    Press(150, 152);
    sim::ClearLog();
    Move(199, 152);
    EXPECT_EQ(g_nPosKnobX, 189);
    EXPECT_EQ(g_nPosDrag, 1);
    EXPECT_EQ(LogCount(sim::Log(), "mci \"play movie from 999\""), 1);
    Move(198, 152); // still dragging: the knob follows by the distance moved
    EXPECT_EQ(g_nPosKnobX, 188);
    Release(198, 152);

    g_nVolKnobX = 120;
    Press(120, 175);
    Move(131, 175); // +11 would be 131: stops at 125, x 131 is still inside the bar's limits
    EXPECT_EQ(g_nVolKnobX, 125);
    EXPECT_EQ(g_nVolDrag, 1);
    EXPECT_EQ(sim::Volume(), CWaveVolume::BothChannels(32 * 2047));
    Move(90, 175); // -41: stops at 93, x 90 is still inside
    EXPECT_EQ(g_nVolKnobX, 93);
    EXPECT_EQ(g_nVolDrag, 1);
    EXPECT_EQ(sim::Volume(), 0u);
    Release(90, 175);
}

TEST_F(MouseTest, PositionDragWhilePausedSeeksAndParksLeft) {
    g_bPaused = 1;
    g_nPosKnobX = 100;
    Press(100, 150);
    Move(20, 150); // x 20 is still inside the bar's limits: the knob stops at its end, still dragged
    EXPECT_EQ(g_nPosKnobX, 24);
    EXPECT_EQ(g_nPosDrag, 1);
    sim::ClearLog();
    Move(19, 150);
    EXPECT_EQ(g_nPosKnobX, 24);
    EXPECT_EQ(g_nPosDrag, 2);
    EXPECT_EQ(LogCount(sim::Log(), "mci \"seek movie to 0\""), 1);
}

TEST_F(MouseTest, KnobsThatCannotBeGrabbed) {
    struct Case {
        const char* name;
        int closed, cooldown, x, y;
    } cases[] = {
        {"position while closed", 1, 0, 100, 152},
        {"position left of the knob", 0, 0, 23, 152},
        {"volume during the key cool-down", 0, 3, 100, 175},
        {"volume left of the knob", 0, 0, 92, 175},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bClosed = c.closed;
        g_nKeyCooldown = c.cooldown;
        sim::ClearLog();
        Press(c.x, c.y);
        EXPECT_EQ(g_nPosDrag, 0);
        EXPECT_EQ(g_nVolDrag, 0);
        EXPECT_EQ(Moves(), 1) << "a press that grabs nothing moves the window";
        Release(c.x, c.y);
    }
}

TEST_F(MouseTest, VolumeKnobSetsBothChannelsAndParks) {
    g_nVolKnobX = 93; // the first tick set it from the device's full volume
    Press(110, 175);
    EXPECT_EQ(g_nVolDrag, 1);
    struct Step {
        int x;
        int knob, drag;
    } steps[] = {{120, 103, 1}, {150, 125, 2}, {100, 125, 2}};
    for (const Step& s : steps) {
        Move(s.x, 175);
        EXPECT_EQ(g_nVolKnobX, s.knob) << s.x;
        EXPECT_EQ(g_nVolDrag, s.drag) << s.x;
        const DWORD level = static_cast<DWORD>(s.knob - 93) * 2047;
        EXPECT_EQ(sim::Volume(), level + level * 65536) << s.x;
    }
    Release(100, 175);
    EXPECT_EQ(g_nVolDrag, 0);

    Press(126, 175); // knob at 125
    Move(88, 175);   // left of x 89: parked at 93, silence
    EXPECT_EQ(g_nVolKnobX, 93);
    EXPECT_EQ(g_nVolDrag, 2);
    EXPECT_EQ(sim::Volume(), 0u);
}

TEST_F(MouseTest, MiddleButtonLeavesAPlayPauseRequestForTheTick) {
    sim::Send(hwnd, WM_MBUTTONDOWN, 0, MAKELPARAM(100, 80));
    EXPECT_EQ(g_bPlayPauseRequest, 1);
    EXPECT_EQ(g_bPaused, 0) << "nothing happens before the tick";
    EXPECT_EQ(LogCount(sim::Log(), "Default dlg102 WM_MBUTTONDOWN"), 0);
    sim::Tick();
    EXPECT_EQ(g_bPlayPauseRequest, 0);
    EXPECT_EQ(g_bPaused, 1);
}

} // namespace
