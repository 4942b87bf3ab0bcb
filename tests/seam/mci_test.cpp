// The MCI grammar the player speaks (playback/movie_device.cpp) and how the movie devices answer it: every
// case runs against the platform's own device (the simulation's scripted one; Wine's AVI device under Wine)
// and against Telly's own device, installed in front of it as the application installs it. Where the two
// differ, the case pins what each does. The clip is real (the end-to-end run's short clip under Wine, the
// same clip made by tests/media/make-clips on the host).
#include "framework/afxwin.h"
#include "framework/folders.h"
#include "framework/mci_devices.h"
#include "media/telly_movie_device.h"
#include "res/resource.h"
#include "seam/scratch_folder.h"
#include "seam/seam_env.h"

#include <string>

using namespace fw;

namespace {

constexpr DWORD kUnrecognizedCommand = 261;
constexpr DWORD kInvalidDeviceName = 263;
constexpr DWORD kFileNotFound = 275; // also the answer to a path of 260 characters or more
constexpr DWORD kExtensionNotFound = 281;
constexpr DWORD kOutOfRange = 282;
constexpr DWORD kDuplicateAlias = 289;

// Sends a command; the reply, with the error code through *error.
std::wstring Send(const std::wstring& command, DWORD* error = nullptr) {
    std::wstring reply = L"stale";
    const DWORD e = MciSend(command, &reply, 256);
    if (error) *error = e;
    return reply;
}

DWORD Open(const std::wstring& path) {
    return MciSend(L"open \"" + path + L"\" alias  movie", nullptr, 0); // two blanks, as the player sends it
}

enum class Device { kPlatform, kTelly };

class MciSeam : public SeamTest, public ::testing::WithParamInterface<Device> {
protected:
    void SetUp() override {
        SeamTest::SetUp();
        haveClip = seam::MovieClip(&clip);
        if (Telly()) InstallMciDevice(&telly);
    }
    void TearDown() override {
        MciSend(L"close movie", nullptr, 0);
        InstallMciDevice(nullptr);
    }
    static bool Telly() { return GetParam() == Device::kTelly; }
    seam::Clip clip;
    bool haveClip = false;
    seam::ScratchFolder dir;
    media::CTellyMovieDevice telly;
};

TEST_P(MciSeam, CommandsOnAnUnopenedAliasAnswerAnErrorAndNoText) {
    // The device takes an unknown alias for a file name and finds no device for it; only "close" says that
    // there is no such device.
    struct Case {
        const wchar_t* command;
        DWORD error;
    };
    for (const Case& c :
         {Case{L"status movie length", kExtensionNotFound},
          Case{L"status movie position", kExtensionNotFound}, Case{L"status movie mode", kExtensionNotFound},
          Case{L"play movie", kExtensionNotFound}, Case{L"seek movie to 3", kExtensionNotFound},
          Case{L"pause movie", kExtensionNotFound}, Case{L"close movie", kInvalidDeviceName}}) {
        DWORD error = 0;
        EXPECT_EQ(Send(c.command, &error), L"") << c.command;
        EXPECT_EQ(error, c.error) << c.command;
    }
    EXPECT_EQ(MciSend(L"frobnicate movie", nullptr, 0), kUnrecognizedCommand);
    EXPECT_EQ(Open(dir / L"missing.avi"), kFileNotFound);
}

TEST_P(MciSeam, ClipRunsThroughThePlayersCommands) {
    if (!haveClip) GTEST_SKIP() << "the real device needs the end-to-end run's clips";
    const std::wstring frames = std::to_wstring(clip.frames);
    ASSERT_EQ(Open(clip.path), 0u);
    EXPECT_EQ(Open(clip.path), kDuplicateAlias);
    EXPECT_EQ(Send(L"status movie length"), frames) << "frames until told otherwise";
    EXPECT_EQ(Send(L"status movie position"), L"0");
    EXPECT_EQ(Send(L"status movie mode"), L"stopped") << "open does not start playback";
    EXPECT_EQ(MciSend(L"set movie time format milliseconds", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie length"), std::to_wstring(clip.frames * 100));
    std::wstring cut;
    EXPECT_EQ(MciSend(L"status movie length", &cut, 3), 0u);
    EXPECT_EQ(cut, std::to_wstring(clip.frames * 100).substr(0, 2)) << "a long reply is cut to the buffer";
    std::wstring untouched = L"keep";
    EXPECT_EQ(MciSend(L"status movie length", &untouched, 0), 0u);
    EXPECT_EQ(untouched, L"keep") << "no room: no reply wanted";
    EXPECT_EQ(MciSend(L"set movie time format frames", nullptr, 0), 0u);

    CDialog window(IDD_PLAYER);
    ASSERT_TRUE(window.Create(IDD_PLAYER));
    const std::wstring handle = std::to_wstring(reinterpret_cast<UINT_PTR>(window.m_hWnd));
    EXPECT_EQ(MciSend(L"window movie handle " + handle, nullptr, 0), 0u);
    EXPECT_EQ(MciSend(L"put movie destination at 24 22 176 120", nullptr, 0), 0u);

    EXPECT_EQ(MciSend(L"seek movie to 10", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie position"), L"10");
    EXPECT_EQ(Send(L"status movie mode"), L"stopped");
    EXPECT_EQ(MciSend(L"seek movie to " + frames, nullptr, 0), kOutOfRange)
        << "the length is past the last frame";
    EXPECT_EQ(MciSend(L"seek movie to -1", nullptr, 0), kOutOfRange);
    EXPECT_EQ(Send(L"status movie position"), L"10") << "a refused seek leaves the position";
    EXPECT_EQ(MciSend(L"seek movie to " + std::to_wstring(clip.frames - 1), nullptr, 0), 0u);

    EXPECT_EQ(MciSend(L"play movie from 2", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie mode"), L"playing");
    EXPECT_EQ(MciSend(L"pause movie", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie mode"), L"paused");
    EXPECT_EQ(MciSend(L"play movie", nullptr, 0), 0u);
    // Played to its end: Wine's AVI device stops one frame short of the length; Telly's reaches it.
    EXPECT_TRUE(seam::RunMessagesUntil([] { return Send(L"status movie mode") != L"playing"; }, 10000));
    EXPECT_EQ(Send(L"status movie mode"), L"stopped");
    EXPECT_EQ(Send(L"status movie position"), std::to_wstring(Telly() ? clip.frames : clip.frames - 1));

    EXPECT_EQ(MciSend(L"window movie handle default", nullptr, 0), 0u);
    EXPECT_EQ(MciSend(L"close movie", nullptr, 0), 0u);
    DWORD error = 0;
    EXPECT_EQ(Send(L"status movie mode", &error), L"");
    EXPECT_NE(error, 0u);
    window.DestroyWindow();
}

TEST_P(MciSeam, PathsOf260CharactersOrMoreAreRefusedAndOpenByTheirShortName) {
    if (!haveClip) GTEST_SKIP() << "the real device needs the end-to-end run's clips";
    const std::wstring folder = dir / std::wstring(100, L'f');
    ASSERT_TRUE(seam::MakeFolder(folder));
    const size_t nameLength = 259 - folder.size() - 1;
    const std::wstring limit = folder + L"\\" + std::wstring(nameLength - 4, L'x') + L".avi";
    const std::wstring over = folder + L"\\" + std::wstring(nameLength - 3, L'y') + L".avi";
    ASSERT_EQ(limit.size(), 259u);
    ASSERT_EQ(over.size(), 260u);
    ASSERT_TRUE(seam::CopyClip(clip, limit));
    ASSERT_TRUE(seam::CopyClip(clip, over));

    EXPECT_EQ(Open(limit), 0u) << "259 characters are still taken";
    EXPECT_EQ(MciSend(L"close movie", nullptr, 0), 0u);
    // Telly's device reads through the program's own file functions, which take paths of any length.
    EXPECT_EQ(Open(over), Telly() ? 0u : kFileNotFound);
    MciSend(L"close movie", nullptr, 0);
    const std::wstring shortOver = ShortPathOf(over);
    ASSERT_FALSE(shortOver.empty());
    ASSERT_LT(shortOver.size(), 260u);
    EXPECT_EQ(Open(shortOver), 0u);
    EXPECT_EQ(Send(L"status movie length"), std::to_wstring(clip.frames));
}

TEST_P(MciSeam, NamesOutsideTheAnsiCodePageOpenByTheirShortName) {
    if (!haveClip) GTEST_SKIP() << "the real device needs the end-to-end run's clips";
    const std::wstring japanese = dir / L"\u30c6\u30ec\u30d3 seam.avi";
    ASSERT_TRUE(seam::CopyClip(clip, japanese));
    EXPECT_EQ(Open(japanese), Telly() ? 0u : kFileNotFound) << "only Telly's device takes the name itself";
    MciSend(L"close movie", nullptr, 0);
    const std::wstring shortName = ShortPathOf(japanese);
    ASSERT_FALSE(shortName.empty());
    EXPECT_EQ(Open(shortName), 0u);
    EXPECT_EQ(Send(L"status movie length"), std::to_wstring(clip.frames));
}

TEST_P(MciSeam, SeekStopsPlaybackAndPlayFromStartsThere) {
    if (!haveClip) GTEST_SKIP() << "the real device needs the end-to-end run's clips";
    ASSERT_EQ(Open(clip.path), 0u);
    EXPECT_EQ(MciSend(L"play movie from 5", nullptr, 0), 0u);
    EXPECT_GE(std::stoi(L"0" + Send(L"status movie position")), 5);
    EXPECT_EQ(MciSend(L"seek movie to 12", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie mode"), L"stopped") << "a seek holds the picture";
    EXPECT_EQ(Send(L"status movie position"), L"12");
    seam::RunMessages(300);
    EXPECT_EQ(Send(L"status movie position"), L"12") << "and stays there";
    EXPECT_EQ(MciSend(L"set movie time format milliseconds", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie position"), L"1200");
    EXPECT_EQ(MciSend(L"seek movie to 700", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie position"), L"700");
    EXPECT_EQ(MciSend(L"set movie time format frames", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie position"), L"7");
    EXPECT_EQ(MciSend(L"stop movie", nullptr, 0), 0u);
    EXPECT_EQ(Send(L"status movie mode"), L"stopped");
    EXPECT_EQ(Send(L"status movie position"), L"7") << "stop keeps the position";
}

INSTANTIATE_TEST_SUITE_P(Devices, MciSeam, ::testing::Values(Device::kPlatform, Device::kTelly),
                         [](const ::testing::TestParamInfo<Device>& info) {
                             return std::string(info.param == Device::kTelly ? "Telly" : "Platform");
                         });

} // namespace
