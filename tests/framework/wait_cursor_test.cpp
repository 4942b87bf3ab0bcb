// CWaitCursor: the wait pointer after its delay on the platform clock, and the shape it replaced back.
#include "support/sim_fixture.h"

#include "framework/wait_cursor.h"

using namespace fw;

namespace {

class WaitCursorTest : public SimTest {};

TEST_F(WaitCursorTest, ShowsAtOnceWithoutADelayAndPutsBackWhatItReplaced) {
    plat::SetPointerShape(nullptr); // whatever the shape was, it comes back
    sim::ClearLog();
    {
        CWaitCursor wait;
        EXPECT_TRUE(wait.IsShown());
        EXPECT_EQ(sim::PointerShape(), "IDC_WAIT");
    }
    ExpectSequence(sim::Log(), {"SetCursor IDC_WAIT -> 0", "SetCursor 0 -> IDC_WAIT"});
}

TEST_F(WaitCursorTest, ADelayedOneShowsAtTheFirstPulseAfterTheDelay) {
    {
        CWaitCursor wait(100);
        sim::AdvanceClock(90);
        wait.Pulse();
        EXPECT_FALSE(wait.IsShown());
        EXPECT_EQ(sim::PointerShape(), "IDC_ARROW");
        sim::AdvanceClock(10);
        EXPECT_FALSE(wait.IsShown()) << "only a pulse shows it";
        wait.Pulse();
        EXPECT_TRUE(wait.IsShown());
        wait.Pulse();
    }
    ExpectSequence(sim::Log(), {"SetCursor IDC_WAIT -> IDC_ARROW", "SetCursor IDC_ARROW -> IDC_WAIT"});
}

TEST_F(WaitCursorTest, WorkEndingWithinTheDelayLeavesThePointerAlone) {
    {
        CWaitCursor wait(100);
        wait.Pulse();
        wait.Pulse();
    }
    EXPECT_TRUE(sim::LogLines("SetCursor").empty());
    EXPECT_EQ(sim::PointerShape(), "IDC_ARROW");
}

} // namespace
