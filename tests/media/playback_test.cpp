// Playback over time: pictures on the clock, the sound that leads it, pause, movies without pictures or
// without a sound card, variable frame rates, the picture's place, and what the device refuses or survives.
#include "media/media_fixture.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <future>
#include <random>
#include <thread>

namespace {

class PlaybackTest : public MediaTest {
protected:
    static int Played() { return static_cast<int>(sim::WaveOut().playedFrames); }
    static std::string HostClip(const char* name) { return std::string(TELLY_MEDIA_CLIPS) + "/" + name; }
    // A scratch copy of a clip's bytes, changed by `edit`.
    std::wstring Variant(const char* clip, const char* name, void (*edit)(std::string&)) {
        std::ifstream in(HostClip(clip), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        edit(bytes);
        const std::string path = std::string("/tmp/telly-media-") + name;
        std::ofstream(path, std::ios::binary) << bytes;
        made.push_back(path);
        return sim::PlayerPath(path);
    }
    void TearDown() override {
        MediaTest::TearDown();
        for (const std::string& p : made)
            std::remove(p.c_str());
    }
    std::vector<std::string> made;
};

TEST_F(PlaybackTest, PicturesComeOnTheSoundsClockWithinAFrame) {
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    ASSERT_EQ(Send(L"play movie"), 0u);
    for (int ms = 10; ms <= 3000; ms += 10) {
        sim::AdvanceClock(10);
        const int due = ms * 25 / 1000, shown = Shown();
        ASSERT_TRUE(shown == due || shown == due - 1) << ms << " ms: frame " << shown << ", due " << due;
    }
    const sim::WaveOutRecord sound = sim::WaveOut();
    EXPECT_EQ(sound.rate, 48000);
    EXPECT_EQ(sound.channels, 2);
    EXPECT_NEAR(sound.playedFrames, 3 * 48000, 48000 / 25) << "the sound card set the pace";
    // The tone: 440 rises through zero a second, in the left channel.
    int rises = 0;
    for (size_t i = 2; i < 48000 * 2; i += 2)
        rises += sound.samples[i - 2] < 0 && sound.samples[i] >= 0;
    EXPECT_NEAR(rises, 440, 5);
}

TEST_F(PlaybackTest, PauseIsSilentAtOnceAndHoldsThePictureUntilPlay) {
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    Send(L"play movie");
    Run(1000);
    ASSERT_EQ(Send(L"pause movie"), 0u);
    device.Settle();
    const int played = Played(), shown = Shown();
    const std::wstring position = Ask(L"status movie position");
    Run(500);
    EXPECT_EQ(Played(), played) << "no sound while paused";
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(Ask(L"status movie position"), position);
    EXPECT_EQ(Ask(L"status movie mode"), L"paused");
    EXPECT_NEAR(std::stoi(position), shown, 1);
    Send(L"play movie");
    Run(1000);
    EXPECT_NEAR(AskNumber(L"status movie position"), std::stoi(position) + 25, 1) << "on from where it stood";
    EXPECT_GT(Played(), played);
}

TEST_F(PlaybackTest, SoundInShortBlocksKeepsThePace) {
    // 2.7 ms a packet: written one to a block, the stream's eight blocks would run dry between two looks.
    ASSERT_EQ(OpenClip("short_blocks.mkv"), 0u);
    Send(L"play movie");
    Run(2000, 100);
    EXPECT_NEAR(Played(), 2 * 48000, 48000 / 10);
    EXPECT_NEAR(AskNumber(L"status movie position"), 50, 3);
}

TEST_F(PlaybackTest, WithoutASoundCardPicturesRunOnTheSystemClock) {
    sim::FailWaveOut(true);
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    Send(L"play movie from 20");
    device.Settle(); // playback starts once the picture at 20 is decoded
    Run(2000);
    EXPECT_NEAR(AskNumber(L"status movie position"), 70, 1);
    EXPECT_NEAR(Shown(), 70, 1);
    EXPECT_EQ(sim::WaveOut().writtenFrames, 0);
}

TEST_F(PlaybackTest, SoundAlonePlaysOnABlackScreenToItsEnd) {
    ASSERT_EQ(OpenClip("tone.mp3"), 0u);
    EXPECT_NEAR(AskNumber(L"status movie length"), 200, 1) << "8 s counted at 25 frames a second";
    Send(L"play movie");
    Run(1000);
    sim::Picture picture;
    ASSERT_TRUE(sim::LastPicture(&picture));
    EXPECT_TRUE(media_test::AllBlack(picture));
    EXPECT_EQ(picture.width, 176);
    EXPECT_GT(sim::WaveOut().playedFrames, 40000);
    Run(8000);
    EXPECT_EQ(Ask(L"status movie mode"), L"stopped");
    EXPECT_EQ(Ask(L"status movie position"), Ask(L"status movie length"));
}

TEST_F(PlaybackTest, VariableRateFramesAreNumberedByTheirTime) {
    // Two pictures of every three, at their own times: numbers 2, 5, 8 ... have none and show the one before.
    ASSERT_EQ(OpenClip("vfr_h264.mkv"), 0u);
    EXPECT_EQ(AskNumber(L"status movie length"), 200) << "duration x average rate";
    for (int target : {2, 5, 6, 100, 4, 1, 199}) {
        Send(L"seek movie to " + std::to_wstring(target));
        EXPECT_EQ(Shown(), target % 3 == 2 ? target - 1 : target) << target;
    }
}

TEST_F(PlaybackTest, MillisecondsAreTheOtherTimeFormat) {
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    ASSERT_EQ(Send(L"set movie time format milliseconds"), 0u);
    EXPECT_EQ(Ask(L"status movie length"), L"8000");
    EXPECT_EQ(Ask(L"status movie time format"), L"milliseconds");
    Send(L"seek movie to 2010");
    EXPECT_EQ(Ask(L"status movie position"), L"2010");
    EXPECT_EQ(Send(L"seek movie to 8000"), media::kMciOutOfRange);
    Send(L"set movie time format frames");
    EXPECT_EQ(Ask(L"status movie position"), L"50");
    EXPECT_EQ(Shown(), 50);
}

TEST_F(PlaybackTest, ThePictureMovesAtOnceAlsoWhileItStandsAndComesBackWhenCovered) {
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    Send(L"seek movie to 30");
    ASSERT_EQ(Shown(), 30);
    Send(L"put movie destination at 0 20 640 480");
    Send(L"window movie handle 4664");
    sim::Picture p;
    ASSERT_EQ(Shown(), 30) << "no clock needed";
    ASSERT_TRUE(sim::LastPicture(&p));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p.window), 4664u);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 20);
    EXPECT_EQ(p.width, 640);
    EXPECT_EQ(p.height, 480);
    const size_t drawn = sim::PictureCount();
    Run(1000);
    EXPECT_GE(sim::PictureCount(), drawn + 3) << "a standing picture is drawn again";
    EXPECT_EQ(Shown(), 30);
    Send(L"window movie handle default");
    device.Settle();
    const size_t hidden = sim::PictureCount();
    Run(1000);
    EXPECT_EQ(sim::PictureCount(), hidden) << "no window: nothing drawn";
}

// Threads with nothing to do sleep until there is something: the output thread for its own time-outs (100 ms
// while the movie stands, 10 ms between sound feeds while it plays ahead of a clock that does not move here),
// the decode thread until there is room. Neither may wake the other only to be woken back: that loop burns
// both threads' CPU time while the movie stands and starves the decoders while it plays.
TEST_F(PlaybackTest, ThreadsWithNothingToDoSleep) {
    const struct {
        const char* state;
        std::vector<const wchar_t*> commands; // after opening, each followed by 500 ms of the clock
        long long mostWaits;                  // in 300 ms of real time
    } kCases[] = {
        {"standing after open", {}, 15},
        {"standing after a seek", {L"seek movie to 30"}, 15},
        {"paused", {L"play movie", L"pause movie"}, 15},
        {"playing, the clock standing", {L"play movie"}, 90},
    };
    for (const auto& c : kCases) {
        ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u) << c.state;
        for (const wchar_t* command : c.commands) {
            Send(command);
            Run(500);
        }
        device.Settle();
        const long long before = sim::ConditionWaits();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_LE(sim::ConditionWaits() - before, c.mostWaits) << c.state;
        Send(L"close movie");
    }
}

TEST_F(PlaybackTest, AnAudioDriverThatHangsHoldsNoCommand) {
    // The output thread is stuck in a wave-out call; the UI thread's commands answer regardless, "close"
    // too, and the movie opened next has its own stream.
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    Send(L"play movie");
    Run(500);
    sim::HoldWaveOut(true);
    // The output thread feeds the stream at least every 10 ms (real time): it is caught in a call now.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // What each command changed is answered at once: the output thread, stuck, posts nothing meanwhile.
    struct Step {
        const wchar_t* command;
        const wchar_t* question;
        const wchar_t* answer;
    };
    const Step steps[] = {{L"seek movie to 30", L"status movie position", L"30"},
                          {L"seek movie to 31", L"status movie mode", L"stopped"},
                          {L"play movie from 40", L"status movie mode", L"playing"},
                          {L"pause movie", L"status movie mode", L"paused"},
                          {L"play movie", L"status movie mode", L"playing"},
                          {L"stop movie", L"status movie position", L"40"},
                          {L"close movie", nullptr, nullptr}};
    for (const Step& step : steps) {
        auto answer = std::async(std::launch::async, [&step] {
            std::wstring reply;
            return Send(step.command) == 0 && (!step.question || Send(step.question, &reply) == 0) ? reply
                                                                                                   : L"error";
        });
        const bool answered = answer.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        EXPECT_TRUE(answered) << "waits for the audio driver: " << step.command;
        if (!answered) break;
        EXPECT_EQ(answer.get(), step.answer ? step.answer : L"") << step.command;
    }
    EXPECT_EQ(OpenClip("vp9_opus.webm"), 0u);
    EXPECT_EQ(sim::WaveOut().openStreams, 2) << "the closed movie's stream is closed on the teardown's time";
    sim::HoldWaveOut(false);
    Send(L"play movie");
    Run(500);
    EXPECT_EQ(sim::WaveOut().openStreams, 1);
    EXPECT_EQ(sim::WaveOut().rate, 48000);
    EXPECT_GT(Shown(), 5);
}

TEST_F(PlaybackTest, FilesItCannotPlayGoToTheSystemsDevices) {
    // Not a movie: the system's device has it (here the simulation's, told it is one).
    const std::wstring text =
        Variant("h264_aac.mp4", "not-a-movie.avi", [](std::string& b) { b = "just text\n"; });
    sim::AddMovie(text, 100, 10);
    EXPECT_EQ(Send(L"open \"" + text + L"\" alias  movie"), 0u);
    EXPECT_FALSE(device.Holds(L"movie"));
    EXPECT_EQ(Ask(L"status movie length"), L"100");
    Send(L"close movie");
    // A movie: this device, and the same alias twice is refused by whoever holds it.
    EXPECT_EQ(Send(L"open \"" + Clip("wmv2.wmv") + L"\" alias  movie"), 0u);
    EXPECT_TRUE(device.Holds(L"movie"));
    EXPECT_EQ(Send(L"open \"" + Clip("h264_aac.mp4") + L"\" alias  movie"), media::kMciDuplicateAlias);
    EXPECT_EQ(Send(L"close movie"), 0u);
    EXPECT_FALSE(device.Holds(L"movie"));
    EXPECT_NE(Send(L"status movie mode"), 0u) << "closed";
}

TEST_F(PlaybackTest, SoundThatNeverDecodesLeavesThePicturesOnTheSystemClock) {
    ASSERT_EQ(OpenClip("bad_audio.mkv"), 0u);
    Send(L"play movie from 10");
    device.Settle();
    Run(2000);
    EXPECT_NEAR(AskNumber(L"status movie position"), 60, 1);
    EXPECT_NEAR(Shown(), 60, 1);
    EXPECT_EQ(sim::WaveOut().writtenFrames, 0);
    Run(7000);
    EXPECT_EQ(Ask(L"status movie position"), Ask(L"status movie length")) << "and it ends";
}

TEST_F(PlaybackTest, ADamagedFirstKeyframeStillOpensAndTheRestIsExact) {
    ASSERT_EQ(OpenClip("broken_key.mp4"), 0u);
    for (int target : {60, 120, 51}) {
        Send(L"seek movie to " + std::to_wstring(target));
        EXPECT_EQ(Shown(), target);
    }
    Send(L"play movie from 0");
    Run(9000, 250);
    EXPECT_EQ(Ask(L"status movie mode"), L"stopped");
    EXPECT_EQ(Shown(), 199);
}

TEST_F(PlaybackTest, TheContentDecidesNotTheName) {
    const std::wstring webm = Variant("vp9_opus.webm", "named-like.avi", [](std::string&) {});
    const std::wstring mpg = Variant("mpeg2.mpg", "named-like.txt", [](std::string&) {});
    for (const std::wstring& path : {webm, mpg}) {
        ASSERT_EQ(Send(L"open \"" + path + L"\" alias  movie"), 0u);
        Send(L"window movie handle 4660");
        Send(L"seek movie to 77");
        EXPECT_EQ(Shown(), 77);
        Send(L"close movie");
    }
}

TEST_F(PlaybackTest, PicturesBeyond8192PixelsAreRefused) {
    EXPECT_NE(OpenClip("huge.avi"), 0u);
    EXPECT_FALSE(device.Holds(L"movie")) << "nothing else in it: the system's devices have it";
    ASSERT_EQ(OpenClip("huge_with_tone.avi"), 0u);
    Send(L"play movie");
    Run(500);
    sim::Picture picture;
    ASSERT_TRUE(sim::LastPicture(&picture));
    EXPECT_TRUE(media_test::AllBlack(picture)) << "its sound plays alone";
    EXPECT_GT(sim::WaveOut().playedFrames, 0);
}

TEST_F(PlaybackTest, DamagedFilesPlayWhatDecodesAndEnd) {
    struct Case {
        const char* clip;
        const char* name;
        void (*edit)(std::string&);
        bool opens;
    };
    const Case cases[] = {
        {"mpeg2.mpg", "half.mpg", [](std::string& b) { b.resize(b.size() / 2); }, true},
        {"vp9_opus.webm", "half.webm", [](std::string& b) { b.resize(b.size() / 2); }, true},
        {"h264_aac.mp4", "noise.mp4",
         [](std::string& b) {
             std::mt19937 random(7);
             for (size_t i = b.size() / 4; i < b.size() * 3 / 4; i += 97)
                 b[i] = static_cast<char>(random());
         },
         true},
        {"h264_aac.mp4", "empty.mp4", [](std::string& b) { b.clear(); }, false},
        {"h264_aac.mp4", "random.mp4",
         [](std::string& b) {
             std::mt19937 random(11);
             for (char& c : b)
                 c = static_cast<char>(random());
         },
         false},
        {"h264_aac.mp4", "cut.mp4", [](std::string& b) { b.resize(b.size() / 2); },
         false}, // index at the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = Variant(c.clip, c.name, c.edit);
        const fw::DWORD e = Send(L"open \"" + path + L"\" alias  movie");
        EXPECT_EQ(device.Holds(L"movie"), c.opens);
        if (!c.opens) {
            EXPECT_NE(e, 0u) << "refused, and the system's device has nothing either";
            continue;
        }
        Send(L"window movie handle 4660");
        Send(L"play movie");
        Run(10000, 250);
        EXPECT_EQ(Ask(L"status movie mode"), L"stopped") << "the end comes";
        EXPECT_EQ(Ask(L"status movie position"), Ask(L"status movie length"));
        Send(L"seek movie to 20");
        EXPECT_EQ(Send(L"close movie"), 0u);
    }
}

TEST_F(PlaybackTest, CommandsItDoesNotKnowAreRefusedAsTheSystemRefusesThem) {
    ASSERT_EQ(OpenClip("h264_aac.mp4"), 0u);
    struct Case {
        const wchar_t* command;
        fw::DWORD error;
    };
    for (const Case& c :
         {Case{L"frobnicate movie", media::kMciUnrecognizedCommand},
          Case{L"status movie", media::kMciMissingParameter},
          Case{L"status movie colour", media::kMciUnrecognizedKeyword},
          Case{L"seek movie to x", media::kMciBadInteger}, Case{L"seek movie", media::kMciMissingParameter},
          Case{L"play movie from 99999", media::kMciOutOfRange},
          Case{L"put movie destination at 1 2 3", media::kMciMissingParameter},
          Case{L"window movie handle twelve", media::kMciBadInteger},
          Case{L"set movie time format fortnights", media::kMciUnrecognizedKeyword}}) {
        std::wstring reply = L"stale";
        EXPECT_EQ(Send(c.command, &reply), c.error) << c.command;
        EXPECT_EQ(reply, L"") << c.command;
    }
    EXPECT_EQ(Ask(L"status movie mode"), L"stopped") << "nothing changed";
}

} // namespace
