// The main window's life and the timer tick: start-up, the set-up of the first tick, the order of the
// blocks, the quit sequence and the messages that must not end the program.
#include "support/player_fixture.h"

#include "app/player_app.h"
#include "playback/playlist.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

using namespace fw;

namespace {

class TickTest : public PlayerTest {};

TEST_F(TickTest, CreationStartsTheTimerAndInitialisationAcceptsDrops) {
    Open();
    ExpectOrderedPrefixes(sim::Log(), {"SetTimer dlg102 5000 50", "SendMessage dlg102 WM_SETICON 1",
                                       "SendMessage dlg102 WM_SETICON 0", "DragAcceptFiles dlg102 1"});
    const std::string settings = programDir + "/RIVO.CFG";
    EXPECT_TRUE(std::ifstream(settings).good()) << "the first start creates the settings file";
}

TEST_F(TickTest, TheApplicationRunsTheMainWindowInItsColours) {
    HWND seen = nullptr;
    CWnd* mainWnd = nullptr;
    sim::SetModalDriver(IDD_PLAYER, [&](HWND h) {
        seen = h;
        mainWnd = AfxGetApp()->m_pMainWnd;
    });
    EXPECT_EQ(theApp.InitInstance(), FALSE) << "the program ends when the main window does";
    ASSERT_NE(seen, nullptr);
    ASSERT_NE(mainWnd, nullptr);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr) << "no main window is left behind";
    EXPECT_EQ(sim::DialogBackground(), RGB(0, 0, 0));
    EXPECT_EQ(sim::DialogText(), RGB(255, 255, 255));
    EXPECT_EQ(LogCount(MciLog(), "close movie"), 1)
        << "the main window's object closes the movie when it goes";
}

TEST_F(TickTest, AFailedTimerMeansNoDialog) {
    sim::FailTimers(true);
    CPlayerDlg failing(nullptr);
    EXPECT_EQ(failing.DoModal(), -1);
}

TEST_F(TickTest, FirstTickSetsUpInOrder) {
    sim::AddMovie(L"C:\\My Movies\\a.avi", 100, 10);
    SetArgs({L"C:\\My", L"Movies\\a.avi"});
    Open();
    g_nWindowX = 300; // where the window was created (its WM_MOVE): the first tick puts it at the corner
    g_nWindowY = 200;
    sim::ClearLog();
    sim::Tick();
    ExpectOrderedPrefixes(sim::Log(),
                          {"SetWindowPos dlg102 TOP 0,0 274x187", "SetWindowRgn dlg102 187 rows",
                           "mci \"stop movie\"", "mci \"open \"C:\\My Movies\\a.avi\" alias  movie\"",
                           "mci \"play movie\"", "mci \"status movie length\"", "waveOutGetVolume 0",
                           "waveOutSetVolume 0 0xFFFFFFFF", "SendMessage dlg102 WM_NEXTDLGCTL",
                           "mci \"status movie position\""});
    EXPECT_EQ(g_bSetUpDone, 1);
    EXPECT_EQ(g_nWindowX, 0);
    EXPECT_EQ(g_nWindowY, 0);
    EXPECT_EQ(g_nEntryCount, 1);
    EXPECT_EQ(g_nLength, 100);
    EXPECT_TRUE(sim::Mci().playing) << "the command-line movie plays without a click";
    EXPECT_TRUE(sim::Info(Item(IDC_FOCUS_SCROLLBAR))->focused);
    const auto* info = sim::Info(hwnd);
    EXPECT_EQ(info->x, 0);
    EXPECT_EQ(info->y, 0);
    EXPECT_EQ(info->cx, 274);
    EXPECT_EQ(info->cy, 187);

    sim::ClearLog();
    sim::Tick();
    EXPECT_EQ(LogCount(MciLog(), "status movie length"), 0) << "the set-up runs once";
}

TEST_F(TickTest, VolumeKnobFollowsTheDevice) {
    struct Case {
        bool fail;
        DWORD volume, expectWritten;
        int expectKnob;
    } cases[] = {
        {false, 0xFFFFFFFFu, 0xFFFFFFFFu, 125},
        {false, 0x00000000u, 0x00000000u, 93},
        {false, 0x80008000u, 0x80008000u, 109},
        {true, 0x12341234u, 0xFFFFFFFFu, 125},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.volume);
        TearDown();
        SetUp();
        sim::SetVolume(c.volume);
        sim::FailVolumeRead(c.fail);
        Open();
        sim::Tick();
        EXPECT_EQ(sim::Volume(), c.expectWritten);
        EXPECT_EQ(g_nVolKnobX, c.expectKnob);
    }
}

TEST_F(TickTest, StartupEntryJoinsTheArgumentsAfterTheProgramsName) {
    const std::wstring program = L"C:\\Program Files\\Telly\\telly.exe";
    struct Case {
        std::vector<std::wstring> args;
        std::wstring module;
        std::wstring entry;
    } cases[] = {
        {{L"telly.exe"}, L"telly.exe", L""},
        {{L"telly.exe", L"C:\\a.avi"}, L"telly.exe", L"C:\\a.avi"},
        {{L"telly.exe", L"C:\\My", L"Movies\\a.avi"}, L"telly.exe", L"C:\\My Movies\\a.avi"},
        {{L"telly.exe", L"a", L"", L"b"}, L"telly.exe", L"a  b"},
        {{L"telly.exe", std::wstring(300, L'x')}, L"telly.exe", std::wstring(300, L'x')},
        // The program's own path unquoted: its pieces name no movie.
        {{L"C:\\Program", L"Files\\Telly\\telly.exe", L"C:\\a.avi"}, program, L"C:\\a.avi"},
        {{L"C:\\Program", L"Files\\Telly\\telly.exe"}, program, L""},
        {{L"c:\\program", L"files\\TELLY\\telly", L"C:\\My", L"Movies\\a.avi"},
         program,
         L"C:\\My Movies\\a.avi"},
        {{L"Program", L"Files\\Telly\\telly.exe", L"x"},
         program,
         L"x"}, // started from C:\ by a relative path
        // Argument 0 alone is the program's whenever it names it, or names something else altogether.
        {{program, L"Files\\Telly\\telly.exe"}, program, L"Files\\Telly\\telly.exe"},
        {{L"telly", L"C:\\a.avi"}, program, L"C:\\a.avi"},
        {{L"launcher", L"C:\\Program", L"Files\\a.avi"}, program, L"C:\\Program Files\\a.avi"},
        {{L"C:\\Program", L"Files\\Other\\telly.exe"}, program, L"Files\\Other\\telly.exe"},
        {{L"Telly\\telly.exe"}, L"C:\\MyTelly\\telly.exe", L""},
        {{L"ly\\telly.exe", L"x"}, L"C:\\Telly\\telly.exe", L"x"},
        {{L"C:\\a.avi"}, L"", L""}, // the platform does not tell: argument 0 is the program's
    };
    for (const auto& c : cases) {
        std::wstring args;
        for (const std::wstring& a : c.args)
            args += L"[" + a + L"]";
        SCOPED_TRACE(std::string(args.begin(), args.end()));
        EXPECT_EQ(JoinCommandLineEntry(c.args, c.module), c.entry);
    }
    EXPECT_EQ(ProgramNameArguments({}, program), 0u);
}

TEST_F(TickTest, UnquotedProgramPathWithBlanksKeepsTheSettingsAndTheEntryRight) {
    // "C:\Program Files\Telly\telly.exe movie.avi" typed without quotes: argument 0 is "C:\Program".
    char pattern[] = "/tmp/telly-unquoted-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string programDir = root + "/Program Files/Telly";
    ASSERT_EQ(std::system(("mkdir -p '" + programDir + "'").c_str()), 0);
    const std::wstring rootPath = sim::PlayerPath(root);
    sim::SetModuleFileName(sim::PlayerPath(programDir) + L"\\telly.exe");
    sim::AddMovie(L"C:\\a.avi", 1000, 25);
    sim::SetCommandLine({rootPath + L"\\Program", L"Files\\Telly\\telly.exe", L"C:\\a.avi"});
    OpenAndStart();
    std::wstring entry;
    ASSERT_TRUE(dlg->GetEntryText(0, &entry));
    EXPECT_EQ(entry, L"C:\\a.avi");
    EXPECT_EQ(g_nEntryCount, 1);
    struct stat st;
    EXPECT_EQ(stat((programDir + "/RIVO.CFG").c_str(), &st), 0) << "the settings beside the program";
    EXPECT_NE(stat((root + "/RIVO.CFG").c_str(), &st), 0) << "none in the folder argument 0 names";
    EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0);
}

TEST_F(TickTest, NoArgumentGivesOneEmptyEntryThatIsRetriedWithRepeat) {
    OpenAndStart();
    EXPECT_EQ(g_nEntryCount, 1);
    std::wstring text = L"x";
    ASSERT_TRUE(dlg->GetEntryText(0, &text));
    EXPECT_EQ(text, L"");
    sim::Tick();
    EXPECT_EQ(LogCount(MciLog(), "close movie"), 1) << "the empty entry is reopened on the next tick";
    EXPECT_EQ(g_bClosed, 0);
}

TEST_F(TickTest, WheelNotchBecomesAScanStepUnlessCoolingDown) {
    sim::AddMovie(L"C:\\a.avi", 1000, 25);
    SetArgs({L"C:\\a.avi"});
    OpenAndStart();
    struct Case {
        UINT code;
        int cooldown, expectSpeed;
    } cases[] = {{SB_LINEUP, 0, 1},     {SB_PAGEUP, 0, 1},    {SB_TOP, 0, 1},
                 {SB_LINEDOWN, 0, -1},  {SB_PAGEDOWN, 0, -1}, {SB_BOTTOM, 0, -1},
                 {SB_THUMBTRACK, 0, 0}, {SB_ENDSCROLL, 0, 0}, {SB_LINEUP, 3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        g_nScanSpeed = 0;
        g_nKeyCooldown = c.cooldown;
        sim::Send(hwnd, WM_VSCROLL, c.code, 0);
        sim::Tick();
        EXPECT_EQ(g_nScanSpeed, c.expectSpeed);
        EXPECT_EQ(g_nWheelStep, 0);
    }
}

TEST_F(TickTest, ActivationClearsAPendingNotchAndMovesTheFocus) {
    OpenAndStart();
    for (UINT state : {WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE}) {
        SCOPED_TRACE(state);
        // Somewhere else first: the first tick has already put the focus on the scroll bar.
        sim::Send(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PLAYLIST)), 1);
        ASSERT_FALSE(sim::Info(Item(IDC_FOCUS_SCROLLBAR))->focused);
        g_nWheelStep = 1;
        sim::Send(hwnd, WM_ACTIVATE, state, 0);
        EXPECT_EQ(g_nWheelStep, 0);
        EXPECT_EQ(g_bActive, state == WA_INACTIVE ? 0 : 1);
        EXPECT_EQ(sim::Info(Item(IDC_FOCUS_SCROLLBAR))->focused, state != WA_INACTIVE);
    }
}

TEST_F(TickTest, PaintingDrawsTheIconCentredOnlyWhenMinimised) {
    OpenAndStart();
    sim::Send(hwnd, WM_PAINT);
    EXPECT_EQ(LogCount(sim::Log(), "Default dlg102 WM_PAINT"), 1)
        << "the skin is the tick's: the platform paints";
    EXPECT_TRUE(sim::LogLines("DrawIcon").empty());

    plat::ShowWnd(hwnd, 6); // SW_MINIMIZE
    sim::ClearLog();
    sim::Send(hwnd, WM_PAINT);
    // The 274 x 187 window and a 32 x 32 icon: ((274 - 32 + 1) / 2, (187 - 32 + 1) / 2).
    ExpectOrderedPrefixes(sim::Log(), {"SendMessage dlg102 WM_ICONERASEBKGND", "DrawIcon 121,78"});
    EXPECT_EQ(LogCount(sim::Log(), "Default dlg102 WM_PAINT"), 0);
}

TEST_F(TickTest, MovesAreRemembered) {
    OpenAndStart();
    sim::Send(hwnd, WM_MOVE, 0, MAKELPARAM(30, 40));
    EXPECT_EQ(g_nWindowX, 30);
    EXPECT_EQ(g_nWindowY, 40);
}

TEST_F(TickTest, EnterEscapeAndSystemCloseLeaveThePlayerRunning) {
    OpenAndStart();
    sim::Send(hwnd, WM_COMMAND, IDOK, 0);
    sim::Send(hwnd, WM_COMMAND, IDCANCEL, 0);
    sim::Send(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    sim::Send(hwnd, WM_CLOSE, 0, 0);
    INT_PTR result = 0;
    EXPECT_FALSE(sim::ModalEnded(hwnd, &result));
    sim::Tick();
    EXPECT_FALSE(sim::ModalEnded(hwnd, &result));
}

TEST_F(TickTest, QuitRequestClosesWritesAndEndsWithOk) {
    sim::AddMovie(L"C:\\a.avi", 1000, 25);
    SetArgs({L"C:\\a.avi"});
    OpenAndStart();
    g_nWheel1Play = 1;
    g_bQuitRequest = 1;
    sim::ClearLog();
    sim::Tick();
    // The movie is closed before the settings are written, and both before the dialog ends.
    ExpectOrderedPrefixes(sim::Log(), {"mci \"close movie\"", "ReplaceFile RIVO.CFG", "EndDialog dlg102 1"});
    EXPECT_EQ(LogCount(sim::Log(), "ReplaceFile RIVO.CFG"), 1);
    INT_PTR result = 0;
    ASSERT_TRUE(sim::ModalEnded(hwnd, &result));
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(sim::Mci().open);
    EXPECT_EQ(dlg->m_pCanvas, nullptr);
    EXPECT_EQ(dlg->m_pSheet, nullptr);
    std::ifstream in(programDir + "/RIVO.CFG", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Wheel1_Play =1\r\n"), std::string::npos) << text;
}

TEST_F(TickTest, EveryTickReleasesItsDeviceContext) {
    OpenAndStart();
    const int dcs = sim::LiveDCs();
    const int gdi = sim::LiveGdiObjects();
    sim::Tick(5);
    EXPECT_EQ(sim::LiveDCs(), dcs);
    EXPECT_EQ(sim::LiveGdiObjects(), gdi);
}

} // namespace
