// Scenario tests: the player followed over several ticks, as a user meets it. A row is a short story: each
// step is what the user does (actions separated by ';') and then what the user sees. Everything goes
// through the real handlers and the real ticks on the simulated platform; after the set-up nothing in a row
// touches a player variable.
//
// Set-up (the row's `setup`, settings-file values and switch positions; '*' runs the row once per value):
//   play=0|1 pause=0|1 click=0|1   Wheel1_Play, Wheel1_Pause, BottunMode, written to RIVO.CFG before start
//   lines=0|1|2                    scan-line mode, in the same file (no bands)
//   rnd=0|1 rep=0|1                the Rnd and Rep switches, clicked on the set after the first tick
//   rand=N,N,...                   the platform's next rand() results
// The movies a, b and c (C:\m\a.avi ...) have 165 frames at 20 fps: one frame per tick, and the position
// knob stands at x 24 + frame (on the next picture). The command line names nothing; stories start with a
// drop.
//
// Actions:
//   tick [N]                       N timer ticks (50 ms each)
//   hold KEY... / release [KEY...] keys held from now on / let go (all without a name); KEY is one of
//                                  Right Left Up Down Space PgUp PgDn Alt Enter
//   click X / dblclick X           X on the set: REW PLAY FF STOP FULL Rnd Rep close picture (press and
//                                  release; dblclick is the second press of a double click); X = screen:
//                                  the full-screen window under the pointer
//   mclick / rclick / wheel N      middle or right press, N wheel notches (+ away from the user), on the
//                                  window under the pointer in full-screen mode, else on the set
//   down X,Y / move X,Y / up X,Y   the left button on the set, for knob drags
//   drop NAME...                   files dropped on the set
//   panel FF|PLAY|REW              a button of the operation panel
//   bar N|end / vbar N             the panel's position / volume bar dragged to N (0..255), or let go
//   settings play=N pause=N click=N  right click on the set, choose in the dialog, OK
//   quit                           click on the close box
// What the user sees (space separated; the first group stays expected until restated, the second is
// checked on its step only):
//   a|b|c|none                     the movie open on the device
//   runs|holds                     the picture moves on by itself, or stands
//   lit=LIST|lit=-                 lit buttons, in the set's order REW PAUSE GREY FF STOP (PAUSE: the
//                                  PLAY/PAUSE key's paused look; GREY: its closed look); none unless stated
//   sw=LIST|sw=-                   lit switch lamps, Rnd Rep; as the set-up left them unless stated
//   window|full|panel              the set alone (pointer free); full-screen with the pointer hidden and
//                                  pinned; full-screen with the operation panel up and the pointer free
//   running|ended                  the program runs (always expected unless `ended` is stated)
//   fN knobN volN barN vbarN       frame shown; x of the position and volume knobs on the set; the panel's
//                                  position and volume bars
// The set's picture is the one the last tick drew: it shows the state as the tick before it left it.
#pragma once

#include "support/player_fixture.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

struct Step {
    const char* does;
    const char* sees;
};
struct Scenario {
    const char* name;
    const char* setup;
    std::vector<Step> steps;
};
inline void PrintTo(const Scenario& s, std::ostream* os) {
    *os << s.name;
}
inline std::string ScenarioName(const testing::TestParamInfo<Scenario>& info) {
    return info.param.name;
}

class ScenarioTest : public PlayerTest, public testing::WithParamInterface<Scenario> {
protected:
    // Runs the story once for every combination of the set-up's '*' values.
    void Run(const Scenario& s);

private:
    using Setup = std::vector<std::pair<std::string, std::string>>;
    void RunOnce(const Scenario& s, const Setup& setup);
    void Start(std::map<std::string, std::string>& setup);
    void Do(const std::string& action);
    std::vector<std::string> Sees();
    fw::HWND UnderPointer();
    fw::HWND Live(int templateId);
};

// One table of stories: each row becomes its own test, Suite.Story/<row name>.
#define SCENARIO_TABLE(Suite, rows)                                                                          \
    class Suite : public ScenarioTest {};                                                                    \
    TEST_P(Suite, Story) {                                                                                   \
        Run(GetParam());                                                                                     \
    }                                                                                                        \
    INSTANTIATE_TEST_SUITE_P(, Suite, testing::ValuesIn(rows), ScenarioName)
