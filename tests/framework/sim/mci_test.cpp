// The scripted MCI device: its state, the clock it plays by, the variant that holds at the end, the log. The
// command grammar and the answers the real device gives are in the conformance suite (tests/seam).
#include "support/sim_fixture.h"

#include <string>

using namespace fw;

namespace {

class SimMciTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        sim::AddMovie(L"C:\\clips\\a b.avi", 300, 30); // 10 s
        sim::AddMovie(L"C:\\clips\\odd.avi", 100, 30); // 3333 ms: frames and ms do not divide evenly
    }
    // Sends a command; returns the reply, and the error code through *error.
    static std::wstring Send(const std::wstring& command, DWORD* error = nullptr, UINT capacity = 256) {
        std::wstring reply = L"untouched";
        const DWORD e = MciSend(command, &reply, capacity);
        if (error) *error = e;
        return reply;
    }
    static void OpenA() { ASSERT_EQ(MciSend(L"open \"C:\\clips\\a b.avi\" alias  movie", nullptr, 0), 0u); }
};

TEST_F(SimMciTest, DeviceStateFollowsTheCommands) {
    OpenA();
    EXPECT_TRUE(sim::Mci().open);
    EXPECT_EQ(sim::Mci().path, L"C:\\clips\\a b.avi");
    EXPECT_FALSE(sim::Mci().playing) << "open does not start playback";
    MciSend(L"window movie handle 258", nullptr, 0);
    MciSend(L"put movie destination at 0 20 1024 768", nullptr, 0);
    EXPECT_EQ(sim::Mci().windowHandle, L"258");
    EXPECT_EQ(sim::Mci().destination, "0 20 1024 768");
    MciSend(L"window movie handle default", nullptr, 0);
    EXPECT_EQ(sim::Mci().windowHandle, L"default");
    MciSend(L"play movie from 150", nullptr, 0);
    EXPECT_TRUE(sim::Mci().playing);
    EXPECT_EQ(sim::Mci().positionMs, 5000);
    MciSend(L"seek movie to 30", nullptr, 0);
    EXPECT_FALSE(sim::Mci().playing) << "a seek holds the picture";
    MciSend(L"close movie", nullptr, 0);
    EXPECT_FALSE(sim::Mci().open);
}

TEST_F(SimMciTest, PlaybackRunsWithTheClockAndHoldsAtTheEnd) {
    OpenA();
    MciSend(L"play movie", nullptr, 0);
    sim::Tick(20); // 1 s
    EXPECT_EQ(Send(L"status movie position"), L"30");
    MciSend(L"pause movie", nullptr, 0);
    sim::AdvanceClock(5000);
    EXPECT_EQ(Send(L"status movie position"), L"30") << "paused: no movement";
    MciSend(L"play movie", nullptr, 0);
    sim::AdvanceClock(60000);
    EXPECT_EQ(Send(L"status movie position"), L"300");
    EXPECT_TRUE(sim::Mci().playing) << "the device still says playing at the end";
}

TEST_F(SimMciTest, EndPositionEqualsTheLengthInFrames) {
    ASSERT_EQ(MciSend(L"open \"C:\\clips\\odd.avi\" alias movie", nullptr, 0), 0u);
    MciSend(L"play movie", nullptr, 0);
    sim::AdvanceClock(4000);
    EXPECT_EQ(Send(L"status movie position"), Send(L"status movie length"));
    // A frame sought reads back as that frame.
    MciSend(L"seek movie to 7", nullptr, 0);
    EXPECT_EQ(Send(L"status movie position"), L"7");
}

TEST_F(SimMciTest, ClockReadsMoveTimeOnSoBusyWaitsEnd) {
    const long start = ClockMs();
    long now = start;
    int reads = 0;
    while (now - start < 200 && reads < 1000)
        now = ClockMs(), ++reads;
    EXPECT_EQ(reads, 200);
}

TEST_F(SimMciTest, EveryCommandIsLogged) {
    OpenA();
    Send(L"status movie length");
    MciSend(L"close movie", nullptr, 0);
    ExpectSequence(MciLog(),
                   {"open \"C:\\clips\\a b.avi\" alias  movie", "status movie length", "close movie"});
}

} // namespace
