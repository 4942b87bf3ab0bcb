// The mouse settings dialog: template 139 as the user sees it, the preset from the settings variables, and
// the copy back on OK only (a pair left without a choice keeps its variable).
#include "support/player_fixture.h"

#include "panel/mouse_settings_dlg.h"

#include <array>
#include <fstream>
#include <functional>
#include <iterator>

using namespace fw;

namespace {

class MouseSettingsTest : public PlayerTest {
protected:
    // Right click on the main window; `user` acts in the dialog while it is open.
    void RightClick(std::function<void(HWND)> user) {
        opened = false;
        sim::SetModalDriver(IDD_MOUSE_SETTINGS, [this, user](HWND d) {
            opened = true;
            dialog = d;
            if (user) user(d);
        });
        sim::Send(hwnd, WM_RBUTTONDOWN, 0, MAKELPARAM(100, 60));
    }
    static std::array<int, 3> Variables() { return {g_nWheel1Play, g_nWheel1Pause, g_nBottunMode}; }
    static void SetVariables(int play, int pause, int bottun) {
        g_nWheel1Play = play;
        g_nWheel1Pause = pause;
        g_nBottunMode = bottun;
    }
    // Check state of 1034, 1035, 1032, 1033, 1037, 1038.
    static std::array<UINT, 6> Checks(HWND d) {
        const int ids[6] = {IDC_WHEEL_PLAY_MODE1,  IDC_WHEEL_PLAY_MODE2, IDC_WHEEL_PAUSE_MODE1,
                            IDC_WHEEL_PAUSE_MODE2, IDC_BOTTUN_OFF,       IDC_BOTTUN_ON};
        std::array<UINT, 6> out{};
        for (int i = 0; i < 6; ++i)
            out[i] = plat::IsButtonChecked(d, ids[i]);
        return out;
    }

    std::string SettingsText() const {
        std::ifstream in(programDir + "/RIVO.CFG", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool opened = false;
    HWND dialog = nullptr;
};

TEST(MouseSettingsTemplate, ControlsTextsAndPositions) {
    const sim::DialogTemplate* t = sim::Template(IDD_MOUSE_SETTINGS);
    ASSERT_NE(t, nullptr) << sim::TemplateError();
    EXPECT_EQ(t->caption, L"操作設定ダイアログ");
    EXPECT_EQ(t->fontName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t->fontSize, 9);
    EXPECT_EQ(t->cx, 239);
    EXPECT_EQ(t->cy, 91);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(t->style & frame, frame);

    enum Kind { kDefPush, kPush, kStatic, kGroupBox, kRadioFirst, kRadio };
    struct Expected {
        int id;
        Kind kind;
        const wchar_t* text;
        int x, y, cx, cy;
    };
    const Expected expected[] = {
        {IDOK, kDefPush, L"OK", 185, 60, 50, 15},
        {IDCANCEL, kPush, L"ｷｬﾝｾﾙ", 185, 80, 50, 10},
        {-1, kStatic, L"左クリックで再生/一時停止。", 5, 65, 105, 10},
        {-1, kGroupBox, L"最大化時の設定", 0, 55, 180, 35},
        {-1, kStatic, L"最大化時はダブルクリックで操作パネル表示", 5, 75, 135, 10},
        {-1, kGroupBox, L"ホイールの設定", 0, 0, 235, 50},
        {-1, kStatic, L"前後早送り", 160, 20, 60, 10},
        {-1, kStatic, L"スロー～早送り", 160, 30, 55, 8},
        {1032, kRadioFirst, L"MODE1", 10, 20, 30, 10},
        {1033, kRadio, L"MODE2", 10, 30, 30, 10},
        {-1, kGroupBox, L"再生中からの動作", 120, 10, 110, 35},
        {-1, kGroupBox, L"一時停止からの動作", 5, 10, 110, 35},
        {-1, kStatic, L"スロー～早送り", 45, 30, 67, 8},
        {-1, kStatic, L"前後コマ送り", 45, 20, 45, 10},
        {1034, kRadioFirst, L"MODE1", 125, 20, 30, 9},
        {1035, kRadio, L"MODE2", 125, 30, 30, 10},
        {1037, kRadioFirst, L"OFF", 155, 65, 20, 10},
        {1038, kRadio, L"ON", 135, 65, 20, 10},
    };
    ASSERT_EQ(t->controls.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const sim::ControlTemplate& c = t->controls[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.text, e.text);
        const std::array<int, 4> rect{c.x, c.y, c.cx, c.cy};
        EXPECT_EQ(rect, (std::array<int, 4>{e.x, e.y, e.cx, e.cy}));
        const DWORD type = c.style & BS_TYPEMASK;
        switch (e.kind) {
        case kDefPush:
            EXPECT_EQ(type, BS_DEFPUSHBUTTON);
            break;
        case kPush:
            EXPECT_EQ(type, BS_PUSHBUTTON);
            break;
        case kGroupBox:
            EXPECT_EQ(type, BS_GROUPBOX);
            EXPECT_FALSE(c.style & WS_GROUP) << "a group box must not split a radio pair";
            break;
        case kStatic:
            EXPECT_EQ(c.className, "Static");
            EXPECT_TRUE(c.style & WS_GROUP) << "every static text ends the radio group before it";
            break;
        case kRadioFirst:
        case kRadio:
            EXPECT_EQ(type, BS_AUTORADIOBUTTON);
            EXPECT_TRUE(c.style & BS_PUSHLIKE);
            EXPECT_FALSE(c.style & WS_TABSTOP);
            EXPECT_EQ((c.style & WS_GROUP) != 0, e.kind == kRadioFirst);
            break;
        }
    }
}

TEST(MouseSettingsDlg, StartsWithNoChoiceInAnyPair) {
    const CMouseSettingsDlg fresh(nullptr);
    EXPECT_EQ(fresh.m_nWheelPlay, -1);
    EXPECT_EQ(fresh.m_nWheelPause, -1);
    EXPECT_EQ(fresh.m_nBottunMode, -1);
}

TEST_F(MouseSettingsTest, OpensOwnedByTheMainWindowWithTheCurrentChoicesChecked) {
    Open();
    TestApp()->m_pMainWnd = dlg.get();
    struct Case {
        std::array<int, 3> vars; // play, pause, bottun
        std::array<UINT, 6> checks;
    };
    const Case cases[] = {
        {{0, 1, 0}, {1, 0, 0, 1, 1, 0}},
        {{1, 0, 1}, {0, 1, 1, 0, 0, 1}},
        {{2, -1, 7}, {0, 0, 0, 0, 0, 0}}, // neither 0 nor 1: nothing checked
    };
    for (const Case& c : cases) {
        SetVariables(c.vars[0], c.vars[1], c.vars[2]);
        std::array<UINT, 6> seen{};
        HWND owner = nullptr;
        RightClick([&](HWND d) {
            seen = Checks(d);
            owner = sim::Info(d)->owner;
        });
        ASSERT_TRUE(opened);
        EXPECT_EQ(seen, c.checks) << c.vars[0] << ' ' << c.vars[1] << ' ' << c.vars[2];
        EXPECT_EQ(owner, hwnd);
        EXPECT_EQ(Variables(), c.vars) << "closing without OK changes nothing";
    }
}

TEST_F(MouseSettingsTest, OkCopiesTheChoicesBackAndEveryOtherEndKeepsThem) {
    Open();
    struct Case {
        const char* name;
        std::vector<int> clicks;     // ids clicked in order; IDOK / IDCANCEL end the dialog
        UINT closeMessage;           // sent after the clicks when not 0
        std::array<int, 3> expected; // from play 0, pause 1, bottun 0
    };
    const Case cases[] = {
        {"ON and OK", {IDC_BOTTUN_ON, IDOK}, 0, {0, 1, 1}},
        {"every pair changed and OK",
         {IDC_WHEEL_PLAY_MODE2, IDC_WHEEL_PAUSE_MODE1, IDC_BOTTUN_ON, IDOK},
         0,
         {1, 0, 1}},
        {"a click clears only its partner", {IDC_WHEEL_PLAY_MODE2, IDC_WHEEL_PLAY_MODE1, IDOK}, 0, {0, 1, 0}},
        {"OK unchanged", {IDOK}, 0, {0, 1, 0}},
        {"changes and Cancel", {IDC_WHEEL_PLAY_MODE2, IDC_BOTTUN_ON, IDCANCEL}, 0, {0, 1, 0}},
        {"changes and the caption's close button", {IDC_BOTTUN_ON}, WM_CLOSE, {0, 1, 0}},
        {"changes, then the dialog is left open", {IDC_WHEEL_PAUSE_MODE1}, 0, {0, 1, 0}},
    };
    bool ended = false;
    for (const Case& c : cases) {
        SetVariables(0, 1, 0);
        RightClick([&](HWND d) {
            for (int id : c.clicks)
                EXPECT_TRUE(sim::ClickButton(d, id)) << id;
            if (c.closeMessage) sim::Send(d, c.closeMessage);
            ended = sim::ModalEnded(d);
        });
        ASSERT_TRUE(opened);
        EXPECT_EQ(Variables(), c.expected) << c.name;
        // OK, Cancel and the close button end the dialog themselves; only the last case leaves it open.
        EXPECT_EQ(ended, std::string(c.name) != "changes, then the dialog is left open") << c.name;
    }
}

TEST_F(MouseSettingsTest, PairLeftWithoutAChoiceKeepsItsValue) {
    Open();
    SetVariables(5, -1, 1); // say from an edited settings file
    RightClick([](HWND d) {
        sim::ClickButton(d, IDC_WHEEL_PAUSE_MODE2);
        sim::ClickButton(d, IDOK);
    });
    EXPECT_EQ(Variables(), (std::array<int, 3>{5, 1, 1}));
}

TEST_F(MouseSettingsTest, TimerKeepsTickingWhileItIsOpen) {
    sim::AddMovie(L"C:\\clip.avi", 1000, 10);
    SetArgs({L"C:\\clip.avi"});
    OpenAndStart();
    sim::ClearLog();
    sim::KeepModalOpenFor(IDD_MOUSE_SETTINGS, 150); // the user looks at it for three ticks, then cancels
    RightClick(nullptr);
    EXPECT_EQ(sim::LogLines("mci \"status movie position\"").size(), 3u) << "the tick polls the movie";
    EXPECT_TRUE(sim::LogLines("mci \"stop").empty()) << "playback goes on";
    g_bQuitRequest = 1; // the quit sequence frees what the first tick made
    sim::Tick();
}

TEST_F(MouseSettingsTest, ChoiceReachesTheFileOnlyAtTheNextWrite) {
    Open(); // first start: the file holds the zeros
    RightClick([](HWND d) {
        sim::ClickButton(d, IDC_BOTTUN_ON);
        sim::ClickButton(d, IDOK);
    });
    EXPECT_EQ(g_nBottunMode, 1);
    EXPECT_NE(SettingsText().find("BottunMode  =0\r\n"), std::string::npos);
    dlg->WriteSettings(); // as the quit sequence does
    EXPECT_NE(SettingsText().find("BottunMode  =1\r\n"), std::string::npos);
}

} // namespace
