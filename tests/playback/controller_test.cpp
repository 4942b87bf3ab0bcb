// The movie controller against the scripted MCI device: command sequences and state transitions.
#include "support/player_fixture.h"

#include "framework/sim/utf.h"
#include "playback/movie_device.h"

#include <climits>

using namespace fw;

namespace {

const std::wstring kA = L"C:\\m\\a.avi", kB = L"C:\\m\\b.avi", kC = L"C:\\m\\c.avi";

class ControllerTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        sim::AddMovie(kA, 100, 10);
        sim::AddMovie(kB, 200, 10);
        sim::AddMovie(kC, 300, 10);
        OpenAndStart();
        SetPlaylist({kA, kB, kC});
        sim::ClearLog();
    }
    std::string Hwnd() {
        std::wstring w = HandleToDecimal(hwnd);
        return std::string(w.begin(), w.end());
    }
};

TEST_F(ControllerTest, OpenInWindowModeSendsTheExactSequence) {
    g_nCurrentIndex = 1;
    g_nScanSpeed = 4;
    dlg->OpenCurrentEntry();
    ExpectSequence(MciLog(), {"stop movie", "window movie handle default", "close movie",
                              "open \"C:\\m\\b.avi\" alias  movie", "stop movie",
                              "window movie handle default", "window movie handle " + Hwnd(),
                              "put movie destination at 24 22 176 120", "play movie", "status movie length"});
    EXPECT_EQ(g_nLength, 200);
    EXPECT_EQ(g_nScanSpeed, 0);
    EXPECT_EQ(g_nPosDrag, 0);
    EXPECT_EQ(g_nPosition, 0);
    EXPECT_TRUE(sim::Mci().playing);
}

TEST_F(ControllerTest, EntriesThatCannotBeCarriedOrDoNotExistOpenNothing) {
    SetPlaylist({L"C:\\m\\a\" wait notify.avi"});
    g_nCurrentIndex = 0;
    g_nLength = 100; // the previous movie's
    dlg->OpenCurrentEntry();
    for (const auto& line : MciLog())
        EXPECT_EQ(line.find("open"), std::string::npos) << line;
    EXPECT_EQ(g_nLength, 0);

    SetPlaylist({});
    g_nLength = 100;
    sim::ClearLog();
    dlg->OpenCurrentEntry();
    ExpectSequence(MciLog(), {"stop movie", "window movie handle default", "close movie"});
    EXPECT_EQ(g_nPosDrag, 0);
    EXPECT_EQ(g_nLength, 0);

    // Moving on in an empty list stops, and moving back stays at the start, whatever Rnd and Rep say.
    for (int random : {0, 1})
        for (int repeat : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "rnd " << random << " rep " << repeat);
            g_bRandom = random;
            g_bRepeat = repeat;
            sim::ClearLog();
            dlg->NextEntry();
            ExpectSequence(MciLog(), {"close movie"});
            EXPECT_EQ(g_bClosed, 1);
            g_nCurrentIndex = 0;
            dlg->PreviousEntry();
            EXPECT_EQ(g_nCurrentIndex, 0);
        }
}

TEST_F(ControllerTest, PathsTheDeviceRefusesOpenOnceMoreByTheirShortName) {
    // The device refuses 260 characters or more; names outside ASCII get the same second chance.
    const std::wstring longA = L"C:\\" + std::wstring(300, L'a') + L".avi";
    const std::wstring longB = L"C:\\" + std::wstring(300, L'b') + L".avi";
    const std::wstring longC = L"C:\\" + std::wstring(300, L'c') + L".avi";
    const std::wstring japanese = L"C:\\\u30c6\u30ec\u30d3.avi";
    const std::wstring limit = L"C:\\" + std::wstring(252, L'y') + L".avi"; // 259 characters: still taken
    const std::wstring missing = L"C:\\" + std::wstring(252, L'z') + L".avi";
    const std::wstring at260 = L"C:\\" + std::wstring(253, L'x') + L".avi";
    const std::wstring cafe = L"C:\\caf\xe9.avi"; // outside ASCII, inside the device's code page
    const struct Case {
        std::wstring path, shortPath;
        bool movieUnderShortName;
        std::vector<std::wstring> opens;
        int length;
    } cases[] = {
        {limit, L"", false, {limit}, 30},
        {longA, L"C:\\AAAAAA~1.AVI", true, {longA, L"C:\\AAAAAA~1.AVI"}, 50},
        {japanese, L"C:\\7E36~1.AVI", true, {japanese, L"C:\\7E36~1.AVI"}, 50},
        {longB, L"", false, {longB}, 0}, // the volume keeps no short names
        {longC, L"C:\\CCCCCC~1.AVI", false, {longC, L"C:\\CCCCCC~1.AVI"}, 0},    // one retry only
        {L"C:\\plain.txt", L"C:\\PLAIN~1.TXT", false, {L"C:\\plain.txt"}, 0},    // refused for another reason
        {L"C:\\del\x7f.avi", L"C:\\DEL_~1.AVI", false, {L"C:\\del\x7f.avi"}, 0}, // DEL is ASCII
        {L"C:\\c1\x80.avi", L"C:\\C1_~1.AVI", true, {L"C:\\c1\x80.avi", L"C:\\C1_~1.AVI"}, 50}, // past ASCII
        {missing, L"C:\\ZZZZZZ~1.AVI", false, {missing}, 0}, // 259 characters that fail: not for their length
        {at260, L"C:\\XXXXXX~1.AVI", true, {at260, L"C:\\XXXXXX~1.AVI"}, 50},
        {cafe, L"C:\\CAF~1.AVI", false, {cafe}, 40}, // opened at once: no second open
    };
    ASSERT_EQ(limit.size(), 259u);
    ASSERT_EQ(at260.size(), 260u);
    sim::AddMovie(limit, 30, 10);
    sim::AddMovie(cafe, 40, 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.size());
        if (!c.shortPath.empty()) sim::SetShortPath(c.path, c.shortPath);
        if (c.movieUnderShortName) sim::AddMovie(c.shortPath, 50, 10);
        SetPlaylist({c.path});
        g_nCurrentIndex = 0;
        sim::ClearLog();
        dlg->OpenCurrentEntry();
        std::vector<std::string> opens, want;
        for (const std::string& line : MciLog())
            if (line.compare(0, 5, "open ") == 0) opens.push_back(line);
        for (const std::wstring& p : c.opens)
            want.push_back(sim::detail::ToUtf8(L"open \"" + p + L"\" alias  movie"));
        EXPECT_EQ(opens, want);
        EXPECT_EQ(g_nLength, c.length);
    }
}

struct NavCase {
    bool next;
    int random, repeat, start;
    int expectIndex;
    const wchar_t* expectOpened; // null: closed instead
};

TEST_F(ControllerTest, NextAndPreviousOverRandomRepeatAndPlace) {
    const NavCase cases[] = {
        {true, 0, 0, 0, 1, L"b"},  {true, 0, 0, 1, 2, L"c"},  {true, 0, 0, 2, 0, nullptr},
        {true, 0, 1, 0, 1, L"b"},  {true, 0, 1, 1, 2, L"c"},  {true, 0, 1, 2, 0, L"a"},
        {true, 1, 0, 0, 1, L"b"},  {true, 1, 0, 2, 1, L"b"},  {true, 1, 1, 2, 1, L"b"},
        {false, 0, 0, 0, 0, L"a"}, {false, 0, 0, 1, 0, L"a"}, {false, 0, 0, 2, 1, L"b"},
        {false, 0, 1, 0, 2, L"c"}, {false, 0, 1, 1, 0, L"a"}, {false, 0, 1, 2, 1, L"b"},
        {false, 1, 0, 0, 1, L"b"}, {false, 1, 1, 0, 1, L"b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.next ? "next" : "previous") << " rnd " << c.random << " rep "
                                        << c.repeat << " from " << c.start);
        g_bRandom = c.random;
        g_bRepeat = c.repeat;
        g_nCurrentIndex = c.start;
        g_bClosed = 0;
        g_bPaused = 0;
        sim::ScriptRand({7}); // 7 % 3 == 1
        sim::ClearLog();
        c.next ? dlg->NextEntry() : dlg->PreviousEntry();
        EXPECT_EQ(g_nCurrentIndex, c.expectIndex);
        if (c.expectOpened) {
            EXPECT_EQ(g_bClosed, 0);
            EXPECT_EQ(g_bPaused, 0) << "navigation does not touch the paused flag";
            const std::string want =
                std::string("open \"C:\\m\\") + char(c.expectOpened[0]) + ".avi\" alias  movie";
            EXPECT_EQ(LogCount(MciLog(), want), 1);
        } else {
            ExpectSequence(MciLog(), {"close movie"});
            EXPECT_EQ(g_bClosed, 1);
            EXPECT_EQ(g_bPaused, 1);
            EXPECT_EQ(g_nPosKnobX, 24);
        }
    }
}

struct ToggleCase {
    const char* state;
    int paused, scan, closed;
    std::vector<std::string> expectMci; // prefix of the commands sent
    int expectPaused, expectClosed;
};

TEST_F(ControllerTest, RequestPlayPauseOverTheFiveStates) {
    const ToggleCase cases[] = {
        {"playing", 0, 0, 0, {"pause movie", "status movie position"}, 1, 0},
        {"scanning from playback", 0, 3, 0, {"play movie"}, 0, 0},
        {"paused", 1, 0, 0, {"play movie"}, 0, 0},
        {"scanning from pause", 1, -2, 0, {"pause movie"}, 1, 0},
        {"closed",
         1,
         0,
         1,
         {"stop movie", "window movie handle default", "close movie", "open \"C:\\m\\a.avi\" alias  movie"},
         0,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        dlg->NextEntry(); // something open
        g_nCurrentIndex = 0;
        g_bPaused = c.paused;
        g_nScanSpeed = c.scan;
        g_bClosed = c.closed;
        sim::ClearLog();
        dlg->RequestPlayPause();
        auto log = MciLog();
        ASSERT_GE(log.size(), c.expectMci.size());
        log.resize(c.expectMci.size());
        ExpectSequence(log, c.expectMci);
        EXPECT_EQ(g_bPaused, c.expectPaused);
        EXPECT_EQ(g_bClosed, c.expectClosed);
        EXPECT_EQ(g_nScanSpeed, 0);
    }
}

TEST_F(ControllerTest, TogglePlayPauseEndsAScanInPlaybackAndReadsThePositionOnPause) {
    dlg->OpenCurrentEntry();
    sim::AdvanceClock(1500);
    g_nScanSpeed = 5;
    g_bPaused = 1;
    sim::ClearLog();
    dlg->TogglePlayPause();
    ExpectSequence(MciLog(), {"play movie"});
    EXPECT_EQ(g_bPaused, 0);
    EXPECT_EQ(g_nScanSpeed, 0);

    sim::ClearLog();
    dlg->TogglePlayPause();
    ExpectSequence(MciLog(), {"pause movie", "status movie position"});
    EXPECT_GE(g_nPosition, 15);
}

TEST_F(ControllerTest, StepAndSeekDependOnPlaying) {
    g_nCurrentIndex = 0;
    dlg->OpenCurrentEntry();
    g_bPaused = 1;
    g_nPosition = 10;
    sim::ClearLog();
    dlg->StepPosition(1);
    dlg->StepPosition(-1);
    dlg->StepPosition(-1);
    dlg->SeekTo(40);
    ExpectSequence(MciLog(), {"seek movie to 11", "seek movie to 10", "seek movie to 9", "seek movie to 40"});

    g_bPaused = 0;
    sim::ClearLog();
    dlg->SeekTo(55);
    ExpectSequence(MciLog(), {"play movie from 55"});
    EXPECT_EQ(g_nPosition, 55);
    dlg->StepPosition(1);
    EXPECT_EQ(g_nCurrentIndex, 1) << "FF while playing is the next entry";
}

struct ScanCase {
    const char* what;
    int paused, wheelPlay, wheelPause, speed, step;
    signed char arrows;
    int prevArrows;
    int startPos; // position in frames (the device's unit at the time)
    std::vector<std::string> expectMci;
    int expectSpeed;
};

TEST_F(ControllerTest, ScanTickInBothWheelModes) {
    const ScanCase cases[] = {
        {"play MODE1 jumps seconds",
         0,
         0,
         0,
         0,
         1,
         0,
         0,
         20,
         {"set movie time format milliseconds", "status movie position", "seek movie to 3000",
          "set movie time format frames"},
         1},
        {"play MODE1 backwards to the start",
         0,
         0,
         0,
         -3,
         0,
         0,
         0,
         20,
         {"set movie time format milliseconds", "status movie position", "seek movie to 0",
          "set movie time format frames"},
         -3},
        {"play MODE2 frames",
         0,
         1,
         0,
         6,
         1,
         0,
         0,
         20,
         {"status movie position", "seek movie to 36", "set movie time format frames"},
         7},
        {"pause MODE1 one frame per notch",
         1,
         0,
         0,
         0,
         1,
         0,
         0,
         20,
         {"status movie position", "seek movie to 21"},
         0},
        {"pause MODE1 arrow held keeps the level",
         1,
         0,
         0,
         3,
         0,
         2,
         2,
         20,
         {"status movie position", "seek movie to 22"},
         3},
        {"pause MODE2 scans", 1, 0, 1, -8, 0, 0, 0, 100, {"status movie position", "seek movie to 68"}, -8},
        {"pause MODE2 arrow released stops",
         1,
         0,
         1,
         2,
         0,
         0,
         4,
         20,
         {"status movie position", "seek movie to 21"},
         0},
        {"level returns to 0 while playing", 0, 0, 0, 1, -1, 0, 0, 20, {"play movie"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_nCurrentIndex = 2;
        dlg->OpenCurrentEntry();
        dlg->SeekTo(c.startPos); // "play movie from" while playing keeps the device at the position
        sim::AdvanceClock(0);
        g_bPaused = c.paused;
        if (c.paused) MciSend(L"pause movie", nullptr, 0);
        g_nWheel1Play = c.wheelPlay;
        g_nWheel1Pause = c.wheelPause;
        g_nScanSpeed = c.speed;
        g_nScanStep = c.step;
        g_cArrowKeys = c.arrows;
        g_nPrevArrowKeys = c.prevArrows;
        g_nKeyCooldown = 0;
        sim::ClearLog();
        dlg->ScanTick();
        ExpectSequence(MciLog(), c.expectMci);
        EXPECT_EQ(g_nScanSpeed, c.expectSpeed);
        EXPECT_EQ(g_nScanStep, 0);
        if (c.paused == 0 && c.expectSpeed == 0) {
            EXPECT_EQ(g_nKeyCooldown, 9);
        }
    }
}

TEST_F(ControllerTest, EveryScanLevelMovesByItsOwnAmount) {
    // Per tick: seconds in MODE1 while playing, frames in MODE2 (playing, or paused with MODE2).
    const int seconds[10] = {0, 1, 2, 4, 6, 9, 12, 15, 20, 24};
    const int frames[10] = {0, 1, 1, 2, 4, 6, 8, 16, 32, 64};
    const std::wstring film = L"C:\\m\\long.avi";
    sim::AddMovie(film, 100000, 10); // 10,000 s: no jump reaches either end from the middle
    SetPlaylist({film});
    struct Mode {
        int paused, wheelPlay, wheelPause;
        bool inSeconds;
    } modes[] = {{0, 0, 0, true}, {0, 1, 0, false}, {1, 0, 1, false}};
    for (const Mode& m : modes) {
        for (int level = 1; level <= 9; ++level) {
            for (int sign : {1, -1}) {
                SCOPED_TRACE(testing::Message() << "paused " << m.paused << " level " << sign * level);
                g_nCurrentIndex = 0;
                g_bPaused = 0;
                dlg->OpenCurrentEntry();
                dlg->SeekTo(50000);
                g_bPaused = m.paused;
                g_nWheel1Play = m.wheelPlay;
                g_nWheel1Pause = m.wheelPause;
                g_nScanSpeed = sign * level;
                g_nScanStep = 0;
                g_cArrowKeys = 2; // held: a paused scan keeps its level
                sim::ClearLog();
                dlg->ScanTick();
                const int want =
                    m.inSeconds ? 5000000 + sign * seconds[level] * 1000 : 50000 + sign * frames[level];
                EXPECT_EQ(g_nPosition, want);
                EXPECT_EQ(LogCount(MciLog(), "seek movie to " + std::to_string(want)), 1);
            }
        }
    }
}

TEST_F(ControllerTest, StepWhilePlayingChangesTheEntryWithoutASeek) {
    for (int d : {1, -1}) {
        SCOPED_TRACE(d);
        g_nCurrentIndex = 1;
        g_bPaused = 0;
        g_nPosition = 40;
        sim::ClearLog();
        dlg->StepPosition(d);
        EXPECT_EQ(g_nCurrentIndex, 1 + d);
        for (const std::string& line : MciLog())
            EXPECT_EQ(line.find("seek"), std::string::npos) << line;
    }
}

TEST_F(ControllerTest, APlayRequestWhileClosedReopensOnlyWithSomethingToPlay) {
    SetPlaylist({});
    dlg->CloseMovie();
    sim::ClearLog();
    dlg->TogglePlayPause();
    EXPECT_EQ(g_bPaused, 1);
    EXPECT_EQ(g_bClosed, 1);
    EXPECT_TRUE(MciLog().empty());

    SetPlaylist({kB}); // a single entry is enough
    g_nCurrentIndex = 0;
    dlg->TogglePlayPause();
    EXPECT_EQ(g_bPaused, 0);
    EXPECT_EQ(g_bClosed, 0);
    EXPECT_EQ(LogCount(MciLog(), "open \"C:\\m\\b.avi\" alias  movie"), 1);
}

TEST_F(ControllerTest, ScanLevelClampsAtNineAndLightsTheButtons) {
    g_bPaused = 1;
    g_nWheel1Pause = 1;
    g_cArrowKeys = 2;
    for (int i = 0; i < 12; ++i) {
        g_nScanStep = 1;
        dlg->ScanTick();
    }
    EXPECT_EQ(g_nScanSpeed, 9);
    EXPECT_EQ(g_nFfLitTicks, 2);
    for (int i = 0; i < 20; ++i) {
        g_nScanStep = -1;
        dlg->ScanTick();
    }
    EXPECT_EQ(g_nScanSpeed, -9);
    EXPECT_EQ(g_nRewLitTicks, 2);
}

TEST_F(ControllerTest, CheckEndOfMovieFollowsThePositionAndMovesOnAtTheEnd) {
    g_nCurrentIndex = 0;
    dlg->OpenCurrentEntry(); // a.avi: 100 frames at 10 fps
    sim::AdvanceClock(5000);
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 0);
    EXPECT_EQ(g_nPosKnobX, 24 + static_cast<int>(50 / (100 * double(0.006060606f))));

    g_nPosDrag = 1;
    sim::AdvanceClock(6000);
    sim::ClearLog();
    dlg->CheckEndOfMovie();
    EXPECT_TRUE(MciLog().empty()) << "no check while the knob is dragged";

    g_nPosDrag = 0;
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 1);
    EXPECT_EQ(sim::Mci().path, kB);

    g_bClosed = 1;
    sim::ClearLog();
    dlg->CheckEndOfMovie();
    EXPECT_TRUE(MciLog().empty()) << "no check while closed";
}

TEST_F(ControllerTest, UnplayableEntriesAreSkippedOnePerCheck) {
    SetPlaylist({L"C:\\m\\0-missing.avi", kA});
    g_nCurrentIndex = 0;
    dlg->OpenCurrentEntry();
    EXPECT_EQ(g_nLength, 0);
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 1);
    EXPECT_EQ(sim::Mci().path, kA);
}

TEST_F(ControllerTest, WaitTenthsBusyWaitsOnTheClock) {
    const long long before = sim::ClockNow();
    dlg->WaitTenths(7);
    EXPECT_GE(sim::ClockNow() - before, 700);
    const long long mid = sim::ClockNow();
    dlg->WaitTenths(0);
    dlg->WaitTenths(-3);
    EXPECT_LE(sim::ClockNow() - mid, 2);
}

TEST_F(ControllerTest, ADeviceThatStopsOnTheFrameBeforeTheLengthStillEndsTheMovie) {
    const std::wstring shortA = L"C:\\m\\a.avi", shortB = L"C:\\m\\b.avi";
    sim::AddMovieEndingShort(shortA, 40, 10);
    sim::AddMovieEndingShort(shortB, 40, 10);
    SetPlaylist({shortA, shortB});
    g_nCurrentIndex = 0;
    dlg->OpenCurrentEntry();
    sim::AdvanceClock(3950); // on the last frame, still playing
    sim::ClearLog();
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 0);
    EXPECT_EQ(LogCount(MciLog(), "status movie mode"), 1);

    sim::AdvanceClock(1000); // the device has stopped at frame 39 of 40
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 1);
    EXPECT_EQ(sim::Mci().path, shortB);

    // Paused on the last frame is not the end, and neither is a frame step onto it.
    sim::AdvanceClock(5000);
    g_bPaused = 1;
    MciSend(L"pause movie", nullptr, 0);
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 1);
    sim::ClearLog();
    sim::AdvanceClock(100);
    dlg->CheckEndOfMovie();
    EXPECT_EQ(LogCount(MciLog(), "status movie mode"), 0);

    // A movie of one frame stops on frame 0, which is its last.
    const std::wstring single = L"C:\\m\\0.avi"; // sorts before a.avi
    sim::AddMovieEndingShort(single, 1, 10);
    SetPlaylist({single, shortA});
    g_nCurrentIndex = 0;
    g_bPaused = 0;
    dlg->OpenCurrentEntry();
    ASSERT_EQ(g_nLength, 1);
    sim::AdvanceClock(1000);
    dlg->CheckEndOfMovie();
    EXPECT_EQ(g_nCurrentIndex, 1);
}

// A device may answer anything in the int range (the reply parser clamps longer numbers to it): a movie of
// 2e9 frames reads INT_MAX in milliseconds, a device with a negative length reads INT_MIN. Every place where
// such a position meets a step, a jump or the length stays inside int; the sanitizers of the host build
// fail this test on any overflow.
TEST_F(ControllerTest, DeviceRepliesAtTheEndsOfTheIntRangeSaturate) {
    const struct Movie {
        const wchar_t* path;
        int frames, fps;
    } movies[] = {{L"C:\\m\\huge.avi", 2000000000, 25},
                  {L"C:\\m\\max.avi", INT_MAX, 1},
                  {L"C:\\m\\min.avi", INT_MIN, 1},
                  {L"C:\\m\\minus.avi", -1, 1}};
    for (const Movie& movie : movies) {
        SCOPED_TRACE(sim::detail::ToUtf8(movie.path));
        sim::AddMovie(movie.path, movie.frames, movie.fps);
        SetPlaylist({movie.path});
        g_bClosed = 0;
        g_bPaused = 0;
        g_nCurrentIndex = 0;
        dlg->OpenCurrentEntry();
        EXPECT_EQ(g_nLength, movie.frames);
        for (int wheel : {0, 1}) {
            for (int speed : {9, -9}) {
                for (int paused : {0, 1}) {
                    MciSend(L"play movie", nullptr, 0);
                    sim::AdvanceClock(1LL << 40); // to the end, in any time unit
                    g_bPaused = paused;
                    g_nWheel1Play = g_nWheel1Pause = wheel;
                    g_cArrowKeys = 2;
                    g_nScanSpeed = speed;
                    dlg->ScanTick();
                    EXPECT_GE(g_nPosition, 0);
                }
            }
        }
        // A jump forward from the last position the device can report stays there.
        MciSend(L"set movie time format milliseconds", nullptr, 0);
        MciSend(L"play movie", nullptr, 0);
        sim::AdvanceClock(1LL << 40);
        if (movie.frames == 2000000000) {
            g_bPaused = 0;
            g_nWheel1Play = 0;
            g_nScanSpeed = 9;
            sim::ClearLog();
            dlg->ScanTick();
            ExpectSequence(MciLog(), {"set movie time format milliseconds", "status movie position",
                                      "seek movie to 2147483647", "set movie time format frames"});
        }
        g_bPaused = 1;
        for (int start : {INT_MAX, INT_MIN}) {
            for (int d : {1, -1}) {
                g_nPosition = start;
                dlg->StepPosition(d);
                EXPECT_EQ(g_nPosition, start == INT_MAX ? (d > 0 ? INT_MAX : INT_MAX - 1)
                                                        : (d < 0 ? INT_MIN : INT_MIN + 1));
            }
        }
        g_nPosDrag = 0;
        g_bClosed = 0;
        g_bPaused = 0;
        dlg->CheckEndOfMovie();
        EXPECT_GE(g_nPosKnobX, 24);
        EXPECT_LE(g_nPosKnobX, 189);
        sim::Tick(); // and the whole tick around them
    }
}

} // namespace
