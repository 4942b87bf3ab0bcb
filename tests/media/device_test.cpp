// The command table on real clips: length, position, exact seeks both ways across keyframes, play from,
// the end, pictures on time, and what the device gives the window and the sound card.
#include "media/media_fixture.h"

#include <cmath>

namespace {

const char* const kCodedClips[] = {"h264_aac.mp4", "vp9_opus.webm", "mpeg2.mpg", "mpeg2_untimed_tail.mpg",
                                   "wmv2.wmv"};
constexpr int kFrames = 200; // 8 s at 25 frames a second

class DeviceTest : public MediaTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DeviceTest, SeeksShowExactlyTheFrameAskedForBothWaysAcrossKeyframes) {
    ASSERT_EQ(OpenClip(GetParam()), 0u);
    // duration x rate: ASF counts its duration from the file's start, a frame's time before the first
    // picture.
    const int length = AskNumber(L"status movie length");
    EXPECT_NEAR(length, kFrames, 1);
    EXPECT_EQ(Ask(L"status movie mode"), L"stopped") << "open does not start playback";
    EXPECT_EQ(Shown(), 0) << "the first picture shows once the window is given";
    // Keyframes every 50 frames: forward within and across groups, then back across them.
    for (int target : {1, 2, 10, 49, 50, 51, 120, 199, 198, 150, 99, 3, 0, 101}) {
        ASSERT_EQ(Send(L"seek movie to " + std::to_wstring(target)), 0u) << target;
        EXPECT_EQ(Ask(L"status movie position"), std::to_wstring(target))
            << "the target, from the moment of the seek";
        EXPECT_EQ(Shown(), target);
        EXPECT_EQ(Ask(L"status movie mode"), L"stopped");
    }
    EXPECT_EQ(Send(L"seek movie to " + std::to_wstring(length)), media::kMciOutOfRange)
        << "the length is past the last frame";
    EXPECT_EQ(Send(L"seek movie to -1"), media::kMciOutOfRange);
    EXPECT_EQ(Ask(L"status movie position"), L"101");
}

TEST_P(DeviceTest, PlaysFromAFrameOnTheClockToTheEnd) {
    ASSERT_EQ(OpenClip(GetParam()), 0u);
    ASSERT_EQ(Send(L"play movie from 20"), 0u);
    Run(1000);
    EXPECT_NEAR(AskNumber(L"status movie position"), 45, 3);
    // And from another frame while playing: the clock starts again there.
    ASSERT_EQ(Send(L"play movie from 150"), 0u);
    EXPECT_EQ(Ask(L"status movie position"), L"150");
    EXPECT_EQ(Shown(), 150);
    EXPECT_EQ(Ask(L"status movie mode"), L"playing");
    Run(1000);
    const int position = AskNumber(L"status movie position");
    EXPECT_NEAR(position, 175, 1) << "25 frames in a second";
    EXPECT_NEAR(Shown(), position, 1);
    Run(2000);
    EXPECT_EQ(Ask(L"status movie mode"), L"stopped") << "the end";
    EXPECT_EQ(Ask(L"status movie position"), Ask(L"status movie length"))
        << "the position reaches the length";
    EXPECT_EQ(Shown(), kFrames - 1);
}

using ProgramStreamTest = MediaTest;

// A program stream stores no duration, and this one's last pictures carry no time stamps, so the stream's
// duration guessed from the file's end misses them: every frame still counts, and the last one is sought.
TEST_F(ProgramStreamTest, PicturesWithoutTimeStampsAtTheEndStillCount) {
    ASSERT_EQ(OpenClip("mpeg2_untimed_tail.mpg"), 0u);
    EXPECT_EQ(AskNumber(L"status movie length"), kFrames);
    ASSERT_EQ(Send(L"seek movie to " + std::to_wstring(kFrames - 1)), 0u);
    EXPECT_EQ(Shown(), kFrames - 1);
}

using ColourTest = MediaTest;

TEST_F(ColourTest, EachWayOfStoringColoursShowsTheSameColour) {
    // (50, 200, 40) as made; the encoders' rounding moves it by a few steps, a wrong matrix or range by 10
    // to 25.
    for (const char* clip : {"colour_sd.mp4", "colour_hd.mp4", "colour_tagged.mkv", "colour_jpeg.avi"}) {
        SCOPED_TRACE(clip);
        ASSERT_EQ(OpenClip(clip), 0u);
        Send(L"seek movie to 2");
        device.Settle();
        sim::Picture p;
        ASSERT_TRUE(sim::LastPicture(&p));
        const uint32_t pixel = p.pixels[static_cast<size_t>(p.height / 2) * p.width + p.width / 2];
        EXPECT_NEAR(static_cast<int>(pixel >> 16 & 0xff), 50, 6);
        EXPECT_NEAR(static_cast<int>(pixel >> 8 & 0xff), 200, 6);
        EXPECT_NEAR(static_cast<int>(pixel & 0xff), 40, 6);
        Send(L"close movie");
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, DeviceTest, ::testing::ValuesIn(kCodedClips),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

} // namespace
