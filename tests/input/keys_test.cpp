// PollKeys: the volume keys, the arrow keys' precedence and cool-downs, Space, and the inactive window.
#include "support/player_fixture.h"

#include "playback/wave_volume.h"

using namespace fw;

namespace {

const std::wstring kA = L"C:\\m\\a.avi", kB = L"C:\\m\\b.avi", kC = L"C:\\m\\c.avi";

class KeysTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        // Long movies, so the end check never moves on by itself during a test.
        for (const auto& m : {kA, kB, kC})
            sim::AddMovie(m, 100000, 10);
        OpenAndStart();
        SetPlaylist({kA, kB, kC});
        g_nCurrentIndex = 0;
        dlg->OpenCurrentEntry();
        g_bPaused = g_bClosed = 0;
        g_nKeyCooldown = 0;
        sim::ClearLog();
    }
    void Hold(std::initializer_list<int> keys) {
        sim::ReleaseAllKeys();
        for (int vk : keys)
            sim::SetKey(vk, true);
    }
};

TEST_F(KeysTest, VolumeKeysStepBothChannelsAndMoveTheKnob) {
    const struct {
        int vk;
        DWORD leftBefore;
        bool failRead;
        DWORD levelAfter;
        int knob;
    } cases[] = {
        {VK_ADD, 65000, false, 65520, 124},   {VK_ADD, 65520, false, 65535, 125},
        {VK_PRIOR, 65000, false, 65520, 124}, {VK_SUBTRACT, 2000, false, 0, 93},
        {VK_SUBTRACT, 5460, false, 2730, 94}, {VK_NEXT, 5460, false, 2730, 94},
        {VK_SUBTRACT, 0, true, 62790, 123}, // a failed read steps down from full volume
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vk);
        sim::SetVolume(c.leftBefore | (1234u << 16)); // only the left channel counts
        sim::FailVolumeRead(c.failRead);
        Hold({c.vk});
        dlg->PollKeys();
        EXPECT_EQ(sim::Volume(), CWaveVolume::BothChannels(c.levelAfter));
        EXPECT_EQ(g_nVolKnobX, c.knob);
    }
}

TEST_F(KeysTest, ScanStepPrecedenceUpOverLeftOverRightOverDown) {
    const struct {
        std::vector<int> keys;
        int scanStep;
        char arrows;
    } cases[] = {
        {{}, 0, 0},
        {{VK_DOWN}, -1, 0},
        {{VK_DOWN, VK_RIGHT}, 1, 2},
        {{VK_RIGHT, VK_LEFT}, -1, 6},
        {{VK_DOWN, VK_RIGHT, VK_LEFT}, -1, 6},
        {{VK_LEFT, VK_UP}, 1, 4},
        {{VK_DOWN, VK_UP}, 1, 0},
    };
    g_bPaused = 1; // paused: Right and Left scan instead of changing the entry
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.size());
        sim::ReleaseAllKeys();
        for (int vk : c.keys)
            sim::SetKey(vk, true);
        g_nScanStep = 0;
        g_nFfLitTicks = g_nRewLitTicks = 0;
        EXPECT_EQ(dlg->PollKeys(), c.arrows);
        EXPECT_EQ(g_nScanStep, c.scanStep);
        EXPECT_EQ(g_cArrowKeys, c.arrows);
        EXPECT_EQ(g_nFfLitTicks, (c.arrows & 2) ? 2 : 0);
        EXPECT_EQ(g_nRewLitTicks, (c.arrows & 4) ? 2 : 0);
    }
}

TEST_F(KeysTest, ArrowsWhilePlayingChangeTheEntryAndEndAScan) {
    g_nScanSpeed = 5;
    g_nScanStep = 1;
    Hold({VK_RIGHT});
    dlg->PollKeys();
    EXPECT_EQ(g_nCurrentIndex, 1);
    EXPECT_EQ(g_nKeyCooldown, 7);
    EXPECT_EQ(g_nScanSpeed, 0);
    EXPECT_EQ(g_nScanStep, 0);

    Hold({VK_RIGHT});
    g_nScanSpeed = 6;
    dlg->PollKeys();
    EXPECT_EQ(g_nCurrentIndex, 1) << "the cool-down holds the entry";
    EXPECT_EQ(g_nScanSpeed, 0) << "but the scan ends all the same";

    Hold({VK_LEFT});
    g_nScanSpeed = -4;
    dlg->PollKeys();
    EXPECT_EQ(g_nCurrentIndex, 1) << "the cool-down holds the entry";
    EXPECT_EQ(g_nScanSpeed, 0) << "but the scan ends all the same";
    g_nKeyCooldown = 0;
    g_nScanSpeed = 3;
    dlg->PollKeys();
    EXPECT_EQ(g_nCurrentIndex, 0);
    EXPECT_EQ(g_nKeyCooldown, 7);
    EXPECT_EQ(g_nScanSpeed, 0);
    EXPECT_EQ(g_nScanStep, 0);
}

TEST_F(KeysTest, InactiveWindowIgnoresKeysUnlessFullScreen) {
    g_bActive = 0;
    g_cArrowKeys = 6;
    sim::SetVolume(CWaveVolume::BothChannels(30000));
    Hold({VK_RIGHT, VK_SPACE, VK_ADD, VK_UP});
    EXPECT_EQ(dlg->PollKeys(), 0);
    EXPECT_EQ(g_cArrowKeys, 6) << "the last active poll is kept";
    EXPECT_EQ(g_nCurrentIndex, 0);
    EXPECT_EQ(g_bPaused, 0);
    EXPECT_EQ(g_nScanStep, 0);
    EXPECT_EQ(sim::Volume(), CWaveVolume::BothChannels(30000));

    g_bFullScreen = 1; // full-screen mode polls even without activation
    Hold({VK_UP});
    dlg->PollKeys();
    EXPECT_EQ(g_nScanStep, 1);
    EXPECT_EQ(g_cArrowKeys, 0);
    g_bFullScreen = 0;
}

} // namespace
