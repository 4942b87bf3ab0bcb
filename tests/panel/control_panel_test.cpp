// The operation panel: template 133, its requests and polls, the scan-line fields, the two bars, and the
// panel's values outliving its window.
#include "support/player_fixture.h"

#include "panel/control_panel_dlg.h"

#include <climits>

using namespace fw;

namespace {

constexpr DWORD kEsReadOnly = 0x0800; // edit control style

class PanelTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        Open();
        TestApp()->m_pMainWnd = dlg.get();
        panel = dlg->m_pControlPanel;
        ASSERT_NE(panel, nullptr);
        sim::ClearLog();
        ASSERT_TRUE(panel->CreatePanel());
        w = sim::DialogWindow(IDD_CONTROL_PANEL);
        ASSERT_NE(w, nullptr);
    }
    void TearDown() override {
        TestApp()->m_pMainWnd = nullptr;
        PlayerTest::TearDown();
    }
    HWND PanelItem(int id) { return plat::GetDialogItem(w, id); }
    std::wstring Text(int id) { return plat::GetItemText(w, id); }
    void Click(int id) { ASSERT_TRUE(sim::ClickButton(w, id)) << id; }
    void Scroll(int barId, UINT code, UINT pos = 0) {
        sim::Send(w, WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(PanelItem(barId)));
    }
    int BarPos(int barId) { return sim::ScrollBar(PanelItem(barId)).pos; }

    CControlPanelDlg* panel = nullptr;
    HWND w = nullptr;
};

TEST(ControlPanelTemplate, ControlsTextsAndPositions) {
    const sim::DialogTemplate* t = sim::Template(IDD_CONTROL_PANEL);
    ASSERT_NE(t, nullptr) << sim::TemplateError();
    EXPECT_EQ(t->fontName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t->fontSize, 9);
    EXPECT_EQ(t->cx, 363);
    EXPECT_EQ(t->cy, 42);
    EXPECT_EQ(t->style & (WS_POPUP | WS_VISIBLE | DS_MODALFRAME), WS_POPUP | WS_VISIBLE | DS_MODALFRAME);
    EXPECT_EQ(t->style & WS_CAPTION, 0u) << "no caption";

    struct Expected {
        int id;
        const char* className;
        const wchar_t* text;
        int x, y, cx, cy;
    };
    const Expected expected[] = {
        {IDC_PANEL_FF, "Button", L"FF", 70, 10, 20, 15},
        {IDC_PANEL_PLAY_PAUSE, "Button", L"PLAY/PAUSE", 25, 10, 45, 15},
        {IDC_PANEL_REW, "Button", L"REW", 5, 10, 20, 15},
        {-1, "Button", L"LineMaskSize", 100, 0, 65, 25},
        {-1, "Button", L"ScanLineMode", 170, 0, 50, 25},
        {IDC_PANEL_VOLUME, "ScrollBar", L"", 230, 15, 60, 8},
        {IDC_PANEL_MASK_TOP, "Edit", L"", 105, 10, 15, 12},
        {IDC_PANEL_MASK_BOTTOM, "Edit", L"", 135, 10, 15, 12},
        {IDC_PANEL_SCAN_MODE, "Edit", L"", 175, 10, 30, 12},
        {IDC_PANEL_MODE_UP, "Button", L"", 205, 10, 10, 6},
        {IDC_PANEL_MODE_DOWN, "Button", L"", 205, 15, 10, 6},
        {IDC_PANEL_TOP_UP, "Button", L"", 120, 10, 10, 6},
        {IDC_PANEL_TOP_DOWN, "Button", L"", 120, 15, 10, 6},
        {IDC_PANEL_BOTTOM_UP, "Button", L"", 150, 10, 10, 6},
        {IDC_PANEL_BOTTOM_DOWN, "Button", L"", 150, 15, 10, 6},
        {-1, "Button", L"WaveVolume", 225, 5, 70, 20},
        {IDC_PANEL_POSITION, "ScrollBar", L"", 5, 30, 290, 8},
    };
    ASSERT_EQ(t->controls.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < t->controls.size(); ++i) {
        const sim::ControlTemplate& c = t->controls[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.className, e.className);
        EXPECT_EQ(c.text, e.text);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.cx, e.cx);
        EXPECT_EQ(c.cy, e.cy);
        if (e.id >= IDC_PANEL_MASK_TOP && e.id <= IDC_PANEL_SCAN_MODE) {
            EXPECT_EQ(c.style & (kEsReadOnly | WS_BORDER), kEsReadOnly | WS_BORDER);
        }
    }
    EXPECT_TRUE(t->controls.back().style & WS_TABSTOP) << "the position bar is a tab stop";
}

TEST_F(PanelTest, CreationIsOwnedByTheMainWindowAndZeroesOnlyThePositionBar) {
    ExpectSequence(sim::Log(),
                   {"CreateDialog 133", "SetScrollRange dlg133.1001 0..255", "SetScrollPos dlg133.1001 0"});
    EXPECT_EQ(sim::Info(w)->owner, hwnd);
    const sim::ScrollBarState position = sim::ScrollBar(PanelItem(IDC_PANEL_POSITION));
    EXPECT_EQ(position.min, 0);
    EXPECT_EQ(position.max, 255);
    EXPECT_EQ(position.pos, 0);
    const sim::ScrollBarState volume = sim::ScrollBar(PanelItem(IDC_PANEL_VOLUME));
    EXPECT_EQ(volume.max, 0) << "the volume bar gets its range from SetBar(2) or its first scroll";
    EXPECT_TRUE(sim::Info(PanelItem(IDC_PANEL_FF))->focused) << "the first tab stop takes the focus";
}

TEST_F(PanelTest, StartsWithNothingPendingAndTheLineMaskOn) {
    EXPECT_EQ(panel->Poll(0), 0);
    EXPECT_EQ(panel->Poll(2), 0);
    EXPECT_EQ(panel->Poll(4), 0);
    for (int which = 0; which < 4; ++which)
        EXPECT_EQ(panel->GetScanLineSetting(which), which == 1 ? 1 : 0);
    EXPECT_EQ(panel->Poll(6), 0);
    EXPECT_EQ(panel->Poll(-1), 0);
}

TEST_F(PanelTest, TransportPressesBetweenTwoPollsLeaveOneRequestWithTheLastCommand) {
    struct Case {
        std::vector<int> presses;
        int request, command;
    };
    const Case cases[] = {
        {{IDC_PANEL_PLAY_PAUSE}, 3, 0},
        {{IDC_PANEL_PLAY_PAUSE, IDC_PANEL_PLAY_PAUSE}, 3, 1},
        {{IDC_PANEL_PLAY_PAUSE, IDC_PANEL_PLAY_PAUSE, IDC_PANEL_PLAY_PAUSE}, 3, 0},
        {{IDC_PANEL_FF}, 3, 2},
        {{IDC_PANEL_REW}, 3, 3},
        {{IDC_PANEL_FF, IDC_PANEL_REW}, 3, 3},
        {{IDC_PANEL_REW, IDC_PANEL_FF}, 3, 2},
        {{}, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.presses));
        ResetControlPanelState();
        panel->Poll(5); // as a previous tick would have: no command since
        for (int id : c.presses)
            Click(id);
        EXPECT_EQ(panel->Poll(4), c.request);
        EXPECT_EQ(panel->Poll(4), 0) << "the request is cleared by the asking";
        EXPECT_EQ(panel->Poll(5), c.command);
        EXPECT_EQ(panel->Poll(5), 10) << "no press since the last poll";
    }
}

TEST_F(PanelTest, ModeButtonsStepAndStopAtBothEnds) {
    panel->SetScanLineSettings(0, 1, 0, 0);
    EXPECT_EQ(Text(IDC_PANEL_SCAN_MODE), L"Off");
    struct Step {
        int id, mode;
        const wchar_t* text;
    };
    const Step steps[] = {
        {IDC_PANEL_MODE_UP, 1, L"Mode1"}, {IDC_PANEL_MODE_UP, 2, L"Mode2"},
        {IDC_PANEL_MODE_UP, 2, L"Mode2"}, {IDC_PANEL_MODE_DOWN, 1, L"Mode1"},
        {IDC_PANEL_MODE_DOWN, 0, L"Off"}, {IDC_PANEL_MODE_DOWN, 0, L"Off"},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        SCOPED_TRACE(i);
        Click(steps[i].id);
        EXPECT_EQ(panel->GetScanLineSetting(0), steps[i].mode);
        EXPECT_EQ(Text(IDC_PANEL_SCAN_MODE), steps[i].text);
    }
}

TEST_F(PanelTest, ModeStoredOutOfRangeLandsOnAnEnd) {
    const struct {
        int stored, button, mode;
    } cases[] = {{7, IDC_PANEL_MODE_UP, 2},       {7, IDC_PANEL_MODE_DOWN, 0},
                 {-4, IDC_PANEL_MODE_UP, 2},      {-4, IDC_PANEL_MODE_DOWN, 0},
                 {INT_MAX, IDC_PANEL_MODE_UP, 2}, {INT_MIN, IDC_PANEL_MODE_DOWN, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        panel->SetScanLineSettings(c.stored, 1, 0, 0);
        Click(c.button);
        EXPECT_EQ(panel->GetScanLineSetting(0), c.mode);
    }
}

TEST_F(PanelTest, BandButtonsStepWithinZeroToTwentyFive) {
    struct Band {
        int field, up, down, which;
    };
    const Band bands[] = {{IDC_PANEL_MASK_TOP, IDC_PANEL_TOP_UP, IDC_PANEL_TOP_DOWN, 2},
                          {IDC_PANEL_MASK_BOTTOM, IDC_PANEL_BOTTOM_UP, IDC_PANEL_BOTTOM_DOWN, 3}};
    struct Case {
        int stored;
        bool up;
        int value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {5, true, 6, L" 6%"},         {9, true, 10, L"10%"},       {24, true, 25, L"25%"},
        {25, true, 25, L"25%"},       {10, false, 9, L" 9%"},      {2, false, 1, L" 1%"},
        {1, false, 0, L" 0%"},        {-1, true, 0, L" 0%"},       {26, false, 25, L"25%"},
        {25, false, 24, L"24%"},      {23, true, 24, L"24%"},      {0, false, 0, L" 0%"},
        {123, true, 25, L"25%"},      {123, false, 25, L"25%"},    {-3, false, 0, L" 0%"},
        {-3, true, 0, L" 0%"},        {INT_MAX, true, 25, L"25%"}, {INT_MIN, false, 0, L" 0%"},
        {INT_MAX, false, 25, L"25%"}, {INT_MIN, true, 0, L" 0%"},
    };
    for (const Band& b : bands) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message()
                         << "field " << b.field << " from " << c.stored << (c.up ? " up" : " down"));
            panel->SetScanLineSettings(0, 1, c.stored, c.stored);
            Click(c.up ? b.up : b.down);
            EXPECT_EQ(panel->GetScanLineSetting(b.which), c.value);
            EXPECT_EQ(Text(b.field), c.text);
            const int other = b.which == 2 ? 3 : 2;
            EXPECT_EQ(panel->GetScanLineSetting(other), c.stored) << "the other band is untouched";
        }
    }
}

TEST_F(PanelTest, ScanLineSettingsAreStoredAndShownAsGiven) {
    struct Case {
        int mode, lineMask, top, bottom;
        const wchar_t *modeText, *topText, *bottomText;
    };
    const Case cases[] = {
        {0, 1, 5, 25, L"Off", L" 5%", L"25%"},
        {1, 0, 0, 9, L"Mode1", L" 0%", L" 9%"},
        {2, 1, -3, 123, L"Mode2", L"-3%", L"123%"},
        {7, 1, 10, 10, L"Mode2", L"10%", L"10%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        panel->SetScanLineSettings(c.mode, c.lineMask, c.top, c.bottom);
        EXPECT_EQ(Text(IDC_PANEL_SCAN_MODE), c.modeText);
        EXPECT_EQ(Text(IDC_PANEL_MASK_TOP), c.topText);
        EXPECT_EQ(Text(IDC_PANEL_MASK_BOTTOM), c.bottomText);
        EXPECT_EQ(panel->GetScanLineSetting(0), c.mode);
        EXPECT_EQ(panel->GetScanLineSetting(1), 1) << "the line mask is not stored";
        EXPECT_EQ(panel->GetScanLineSetting(2), c.top);
        EXPECT_EQ(panel->GetScanLineSetting(3), c.bottom);
        EXPECT_EQ(panel->GetScanLineSetting(42), c.bottom);
    }
}

TEST_F(PanelTest, PositionBarFollowsThePositionScaledByTheLength) {
    struct Case {
        int length, position, bar;
    };
    const Case cases[] = {
        // The scale lies a hair above 1/255: the length itself shows as 254, 996 as 253.
        {1000, 500, 127},  {1000, 1000, 254}, {1000, 996, 253}, {1000, 0, 0},    {0, 500, 0},
        {0, 0, 0},         {1, INT_MAX, 255}, {1000, -5, 0},    {-1000, 500, 0}, {INT_MAX, INT_MAX, 254},
        {1000, 2000, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.position << " of " << c.length);
        panel->SetBar(0, c.length);
        sim::ClearLog();
        panel->SetBar(1, c.position);
        ExpectSequence(sim::Log(), {"SetScrollRange dlg133.1001 0..255",
                                    "SetScrollPos dlg133.1001 " + std::to_string(c.bar)});
        EXPECT_EQ(BarPos(IDC_PANEL_POSITION), c.bar);
    }
}

TEST_F(PanelTest, VolumeBarShowsTheVolumeAndOtherBarsDoNothing) {
    sim::ClearLog();
    panel->SetBar(2, 200);
    ExpectSequence(sim::Log(), {"SetScrollRange dlg133.1010 0..255", "SetScrollPos dlg133.1010 200"});
    EXPECT_EQ(BarPos(IDC_PANEL_VOLUME), 200);
    panel->SetBar(2, 300);
    EXPECT_EQ(BarPos(IDC_PANEL_VOLUME), 255) << "the bar's range limits it";
    sim::ClearLog();
    panel->SetBar(3, 10);
    panel->SetBar(-1, 10);
    EXPECT_TRUE(sim::Log().empty());
    EXPECT_EQ(panel->Poll(2), 0) << "showing a volume is no request";
}

TEST_F(PanelTest, PositionBarMovesRequestASeek) {
    struct Case {
        int length, start;
        UINT code, pos;
        int bar, target;
    };
    const Case cases[] = {
        // The scale lies a hair above 1/255: the end of the bar would be the length itself; it stays on
        // the last frame.
        {1000, 0, SB_THUMBPOSITION, 255, 255, 999},
        {1000, 0, SB_THUMBPOSITION, 254, 254, 996},
        {1000, 0, SB_THUMBTRACK, 100, 100, 392},
        {1000, 0, SB_THUMBTRACK, 65535, 255, 999},
        {1000, 0, SB_LINEDOWN, 0, 1, 3},
        {1000, 0, SB_LINEUP, 0, 0, 0},
        {1000, 5, SB_PAGEUP, 0, 0, 0},
        {1000, 250, SB_PAGEDOWN, 0, 255, 999},
        {1000, 100, SB_TOP, 0, 0, 0},
        {1000, 100, SB_BOTTOM, 0, 255, 999},
        {1000, 100, SB_ENDSCROLL, 0, 100, 392},
        {1000, 100, 99, 0, 100, 392},
        {0, 100, SB_THUMBPOSITION, 200, 200, 0},
        {INT_MAX, 0, SB_BOTTOM, 0, 255, INT_MAX - 1},
        {-1000, 0, SB_BOTTOM, 0, 255, -1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code << " from " << c.start << " of " << c.length);
        ResetControlPanelState();
        panel->SetBar(0, c.length);
        plat::SetScrollBarPos(PanelItem(IDC_PANEL_POSITION), c.start, TRUE);
        sim::ClearLog();
        Scroll(IDC_PANEL_POSITION, c.code, c.pos);
        ExpectSequence(sim::Log(), {"SetScrollRange dlg133.1010 0..255", "SetScrollRange dlg133.1001 0..255",
                                    "SetScrollPos dlg133.1001 " + std::to_string(c.bar)});
        EXPECT_EQ(BarPos(IDC_PANEL_POSITION), c.bar);
        EXPECT_EQ(panel->Poll(0), 1);
        EXPECT_EQ(panel->Poll(0), 0) << "cleared by the asking";
        EXPECT_EQ(panel->Poll(1), c.target);
        EXPECT_EQ(panel->Poll(2), 0) << "no volume request";
    }
}

TEST_F(PanelTest, VolumeBarMovesRequestAVolume) {
    struct Case {
        int start;
        UINT code, pos;
        int volume;
    };
    const Case cases[] = {
        {250, SB_PAGEDOWN, 0, 255}, {5, SB_PAGEUP, 0, 0},         {100, SB_LINEDOWN, 0, 101},
        {100, SB_LINEUP, 0, 99},    {0, SB_THUMBTRACK, 128, 128}, {100, SB_ENDSCROLL, 0, 100},
        {100, SB_TOP, 0, 0},        {100, SB_BOTTOM, 0, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code << " from " << c.start);
        ResetControlPanelState();
        panel->SetBar(2, c.start);
        sim::ClearLog();
        Scroll(IDC_PANEL_VOLUME, c.code, c.pos);
        ExpectSequence(sim::Log(), {"SetScrollRange dlg133.1010 0..255", "SetScrollRange dlg133.1010 0..255",
                                    "SetScrollPos dlg133.1010 " + std::to_string(c.volume)});
        EXPECT_EQ(panel->Poll(2), 2);
        EXPECT_EQ(panel->Poll(2), 0) << "cleared by the asking";
        EXPECT_EQ(panel->Poll(3), c.volume);
        EXPECT_EQ(panel->Poll(0), 0) << "no seek request";
    }
}

TEST_F(PanelTest, EnterAndEscapeLeaveThePanelOpen) {
    sim::Send(w, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    sim::Send(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_TRUE(sim::LogLines("EndDialog").empty());
    EXPECT_TRUE(sim::LogLines("DestroyWindow").empty());
    EXPECT_FALSE(sim::Info(w)->destroyed);
    EXPECT_TRUE(sim::Info(w)->visible);
    EXPECT_EQ(panel->GetSafeHwnd(), w);
}

TEST_F(PanelTest, ValuesOutliveTheWindowAndANewWindowStartsAtZero) {
    panel->SetScanLineSettings(1, 1, 4, 6);
    Click(IDC_PANEL_TOP_UP);
    Click(IDC_PANEL_REW);
    panel->SetBar(0, 1000);
    Scroll(IDC_PANEL_POSITION, SB_THUMBPOSITION, 255);
    Scroll(IDC_PANEL_VOLUME, SB_THUMBPOSITION, 77);

    ASSERT_TRUE(panel->DestroyWindow());
    EXPECT_TRUE(sim::Info(w)->destroyed);
    EXPECT_EQ(panel->GetSafeHwnd(), nullptr);

    sim::ClearLog();
    ASSERT_TRUE(panel->CreatePanel());
    const HWND again = sim::DialogWindow(IDD_CONTROL_PANEL);
    ASSERT_NE(again, w);
    w = again;
    ExpectSequence(sim::Log(),
                   {"CreateDialog 133", "SetScrollRange dlg133.1001 0..255", "SetScrollPos dlg133.1001 0"});
    EXPECT_EQ(Text(IDC_PANEL_MASK_TOP), L"") << "fields are filled by whoever enters full-screen mode";

    EXPECT_EQ(panel->GetScanLineSetting(0), 1);
    EXPECT_EQ(panel->GetScanLineSetting(2), 5);
    EXPECT_EQ(panel->GetScanLineSetting(3), 6);
    EXPECT_EQ(panel->Poll(4), 3) << "requests raised before still pending";
    EXPECT_EQ(panel->Poll(5), 3);
    EXPECT_EQ(panel->Poll(0), 1);
    EXPECT_EQ(panel->Poll(1), 999);
    EXPECT_EQ(panel->Poll(2), 2);
    EXPECT_EQ(panel->Poll(3), 77);

    Click(IDC_PANEL_PLAY_PAUSE);
    EXPECT_EQ(panel->Poll(4), 3) << "the new window's buttons work";
}

TEST_F(PanelTest, WithoutAWindowTheInterfaceStillStoresAndPolls) {
    ASSERT_TRUE(panel->DestroyWindow());
    panel->SetBar(0, 1000);
    panel->SetBar(1, 500);
    panel->SetBar(2, 100);
    panel->SetScanLineSettings(2, 1, 3, 4);
    EXPECT_EQ(panel->GetScanLineSetting(0), 2);
    EXPECT_EQ(panel->GetScanLineSetting(3), 4);
    EXPECT_EQ(panel->Poll(0), 0);
    EXPECT_EQ(g_nPanelLength, 1000);
}

TEST_F(PanelTest, DeletingThePanelObjectDestroysItsWindow) {
    const int before = sim::LiveWindows();
    delete dlg->m_pControlPanel;
    dlg->m_pControlPanel = nullptr;
    EXPECT_TRUE(sim::Info(w)->destroyed);
    EXPECT_LT(sim::LiveWindows(), before);
}

} // namespace
