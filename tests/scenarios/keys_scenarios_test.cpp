// Keys held and let go, the wheel and the set's buttons, while playing and while paused, under the wheel
// and click settings; and the tick on which each key cool-down ends.
#include "scenarios/scenario.h"

namespace {

const Scenario kKeys[] = {
    {"RightHeldWhilePlayingMovesOnEverySevenTicks",
     "play=* pause=* click=*",
     {{"drop a b c; tick", "a runs f1 knob24 vol125"},
      {"hold Right; tick", "b f0 knob25"}, // at once; FF lights from the next picture on
      {"tick", "b f1 knob24 lit=FF"},
      {"tick 5", "b f6"},
      {"tick", "c f0"},            // the seventh tick after the first change
      {"release; tick 2", "c f2"}, // lit on the two pictures after the last held tick
      {"tick", "c f3 lit=-"},
      {"quit; tick", "none holds ended"}}},
    {"LeftHeldWhilePlayingGoesBackEverySevenTicksFromTheLastEntry",
     "play=* pause=* click=*",
     {{"drop a b c; tick 3", "a runs f3"},
      {"hold Left; tick", "c f0"}, // before the first entry, with Rep on: the last
      {"tick 6", "c f6 lit=REW"},
      {"tick", "b f0"},
      {"release; tick 3", "b f3 lit=-"}}},
    {"ArrowsWhilePlayingEndAScanAndTakeTheNotchesPlace",
     "play=* pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"wheel +1; tick", "holds"},
      {"hold Right; tick; release", "b runs f0 lit=FF"},
      {"tick 7; hold Left; wheel +1; tick; release", "a runs f0 lit=-"},
      {"tick 2", "a f2 lit=REW"}}},
    {"RightHeldWhilePausedScansFasterAndStepsOneFrameMoreInModeOne",
     "play=* pause=0 click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"hold Space; tick; release", "holds f11"},
      {"hold Right; tick", "f12 lit=PAUSE"}, // levels 1, 2, 3, 4 step 1, 1, 2 and 4 frames
      {"tick 3", "f19 lit=PAUSE,FF"},
      {"release; tick", "f20"}, // one frame more, and the scan ends
      {"tick 2", "f20 lit=PAUSE"},
      {"click PLAY; tick", "runs f21 lit=-"}}},
    {"RightHeldWhilePausedScansFasterAndStopsOnReleaseInModeTwo",
     "play=* pause=1 click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"hold Space; tick; release", "holds f11"},
      {"hold Right; tick 4", "f19 lit=PAUSE,FF"},
      {"release; tick", "f23"}, // one more tick at level 4, and the scan ends
      {"tick 2", "f23 lit=PAUSE"}}},
    {"LeftHeldWhilePausedScansBackToTheStart",
     "play=* pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click PLAY; tick", "holds f10 lit=PAUSE"},
      {"hold Left; tick 4", "f2 lit=REW,PAUSE"},
      {"tick; release", "f0"}, // six back from 2: the start
      {"tick 3", "f0 lit=PAUSE"},
      {"click FF; tick", "f1 lit=PAUSE,FF"}}},
    {"UpAndDownWhilePlayingJumpSecondsInModeOne",
     "play=0 pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"hold Up; tick", "holds f31"}, // one second a tick at level 1
      {"tick; release", "f71 lit=FF"},
      {"tick", "f111"}, // the level stays without the key
      {"hold Down; tick 2; release", "runs f131 lit=REW"},
      {"tick 3", "f134 lit=-"}}},
    {"UpAndDownWhilePlayingStepFramesInModeTwo",
     "play=1 pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"hold Up; tick", "holds f12"},
      {"tick; release", "f13 lit=FF"},
      {"tick", "f14"},
      {"hold Down; tick 2; release", "runs f15 lit=REW"},
      {"tick 3", "f18 lit=-"}}},
    {"WheelAndUpWhilePausedStepOneFrameAtATimeInModeOne",
     "play=* pause=0 click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click PLAY; tick", "holds f10 lit=PAUSE"},
      {"wheel +1; tick", "f11"},
      {"tick", "f11 lit=PAUSE,FF"},
      {"wheel -1; wheel -1; tick 2", "f10 lit=REW,PAUSE"}, // two notches between ticks are one
      {"hold Up; tick 3; release", "f13 lit=PAUSE,FF"},
      {"tick 3", "f13 lit=PAUSE"}}},
    {"WheelAndUpWhilePausedScanUntilTurnedBackInModeTwo",
     "play=* pause=1 click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click PLAY; tick", "holds f10 lit=PAUSE"},
      {"wheel +1; tick 4", "f14"},
      {"wheel -1; tick 2", "f14 lit=REW,PAUSE"},
      {"hold Up; tick 3; release", "f18 lit=PAUSE,FF"}, // levels 1, 2, 3
      {"tick", "f20"},                                  // the level stays without the key
      {"hold Down; tick 3; release", "f22 lit=REW,PAUSE"}}},
    {"SpaceHeldTogglesEveryFiveTicks",
     "play=* pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"hold Space; tick", "holds f11"},
      {"tick 4", "f11 lit=PAUSE"},
      {"tick", "runs f11"}, // the fifth tick after
      {"release; tick", "f12 lit=-"}}},
    {"ScanBackAtNormalSpeedDropsNotchesForNineTicks",
     "play=1 pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"wheel +1; tick", "holds f12"},
      {"wheel -1; tick", "runs f12 lit=FF"},
      {"tick 8; wheel +1; tick", "f21 lit=-"},
      {"wheel +1; tick", "holds f23"}}},
    {"ScanBackAtNormalSpeedRefusesSpaceForEightTicks",
     "play=1 pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"wheel +1; tick; wheel -1; tick", "runs f12 lit=FF"},
      {"hold Space; tick 8", "f20 lit=-"},
      {"tick", "holds f21"}}},
    {"VolumeKeysStepOncePerTickAndTheKnobFollows",
     "play=* pause=* click=*",
     {{"drop a b c; tick", "a runs vol125"},
      {"hold PgDn; tick 2", "vol123"},
      {"tick; release", "vol122"},
      {"tick", "vol120"},
      {"click PLAY; hold PgUp; tick 4; release", "holds vol124 lit=PAUSE"},
      {"tick", "vol125"},
      // x 89 is still on the bar: the knob stops at its end without parking, and follows again.
      {"down 126,175; move 89,175; move 100,175; up 100,175; tick", "vol104"}}},
    {"ButtonsWhilePausedAndPlaying",
     "play=* pause=* click=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click PLAY; tick", "holds f10 lit=PAUSE"},
      {"click FF", "f11"}, // one frame on; lit from the next picture
      {"tick 2", "f11 lit=PAUSE,FF"},
      {"tick", "lit=PAUSE"},
      {"click REW; click REW; tick", "f9 lit=REW,PAUSE"},
      {"mclick", "holds f9"},
      {"tick", "runs f9"}, // carried out by the tick, after its picture
      {"tick", "f10 lit=-"},
      {"click FF; tick", "b f1 lit=FF"}, // playing: the next movie
      {"dblclick FF; tick", "b f2"},     // the second press of a double click presses nothing
      {"tick", "b f3 lit=-"}}},
    {"PictureClickPausesAndPlaysWithClicksOn",
     "play=* pause=* click=1",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click picture", "holds f10"},
      {"tick", "f10 lit=PAUSE"},
      {"click picture; tick", "runs f11 lit=-"}}},
    {"PictureClickDoesNothingWithClicksOff",
     "play=* pause=* click=0",
     {{"drop a b c; tick 10", "a runs f10"}, {"click picture; tick 2", "runs f12"}}},
};
SCENARIO_TABLE(Keys, kKeys);

} // namespace
