// Full-screen mode over time: clicks, double clicks and wheel notches with the panel down and up in both
// click modes, the panel's bars and buttons during and after seeks and scans, and the cool-down after
// leaving. With scan lines (lines=1, 2) the pointer is pinned on the overlay, without them on the movie
// window: every row runs with both catching the clicks.
#include "scenarios/scenario.h"

namespace {

const Scenario kFullScreen[] = {
    {"ClicksWithClicksOffBringUpAndPutAwayThePanel",
     "click=0 lines=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click FULL", "full f10 bar0"},
      {"tick", "f11 bar16"},
      {"click screen", "panel runs f11 vbar254"},
      {"tick 2", "f13 bar20"},
      {"click screen", "full runs f13"},
      {"click screen; dblclick screen", "panel"}, // the second press does nothing more
      {"mclick; tick", "holds f14 bar21"},
      {"tick", "lit=PAUSE"},
      {"rclick", "window f24"}, // the repaint on leaving plays half a second
      {"quit; tick", "none ended"}}},
    {"ClicksWithClicksOnPlayAndPauseAndADoubleClickBringsUpThePanel",
     "click=0 lines=*",
     {{"settings play=0 pause=0 click=1; drop a b c; tick 10", "a runs f10"}, // clicks on, in the dialog
      {"click FULL; tick", "full f11"},
      {"click screen", "runs f11"}, // carried out by the next tick
      {"tick", "holds f12"},
      {"tick", "lit=PAUSE"},
      {"click screen; tick", "runs f12"},
      {"tick 2", "f14 lit=-"},
      {"click screen; tick; dblclick screen", "panel runs f15"}, // the double click undoes its first click
      {"tick", "f16"},
      {"click screen", "full runs"}, // with the panel up a click only puts it away
      {"tick 2", "f18"},
      {"mclick; tick", "holds f19"},
      {"click screen; tick; dblclick screen", "panel holds f19 lit=PAUSE"},
      {"wheel +1; tick", "f20"},          // a frame a notch with the panel up too
      {"click screen", "full holds f20"}, // put away while paused: still paused
      {"wheel +1; tick", "f21 lit=PAUSE,FF"},
      {"rclick", "window f31"},
      {"click FULL", "full holds f45"}, // entering while paused plays the 0.7 s of the repaint
      {"rclick", "window f55"},
      {"quit; tick", "none ended"}}},
    {"WheelNotchesScanWithThePanelDownAndUp",
     "play=0 click=0 lines=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click FULL; tick", "full f11 bar16"},
      {"wheel +1; tick", "holds f32 bar49"},
      {"tick", "f52 bar80 lit=FF"},
      {"click screen", "panel runs f52"},
      {"tick", "holds f73 bar112"}, // the scan goes on with the panel up
      {"wheel -1; tick", "runs f73 bar112 lit=-"},
      {"wheel +1; tick", "f74 bar114 lit=REW"}, // dropped: the scan has just come back to normal speed
      {"tick 7; wheel +1; tick", "f82 lit=-"},
      {"wheel +1; tick", "holds f103 bar159"},
      {"panel PLAY; tick", "runs f123 bar190 lit=FF"}, // the scan's seek, then normal speed
      {"rclick", "window runs f123"},
      {"quit; tick", "none holds ended"}}},
    {"PanelBarsAndButtonsDuringAndAfterSeeksAndADrag",
     "click=0",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click FULL; tick; click screen", "panel runs f11 bar16 vbar254"},
      {"bar 128; tick", "f82 bar126"}, // the bar shows where the movie went
      {"bar 140; tick", "f90 bar139"},
      {"bar end; tick", "f89 bar137"}, // letting go seeks once more, to where the bar stands
      {"tick", "f90 bar139"},
      {"panel PLAY; tick", "holds f91 bar140"},
      {"bar 0; tick", "f0 bar0 lit=PAUSE"},
      {"panel FF; tick", "f1 bar0"}, // the bar follows on the next tick
      {"tick", "f1 bar1"},
      {"panel REW; panel REW; tick 2", "f0 bar0"}, // two presses between ticks: one step
      {"vbar 128; tick", "vbar128 vol125"},
      {"tick", "vol109"},
      {"panel PLAY; tick 2", "runs f1 bar1 lit=-"},
      {"panel FF; tick", "b runs f0"}, // playing: the next movie, with the panel still up
      {"tick", "b f1 bar1"},
      {"rclick", "window runs f1"},
      {"quit; tick", "none holds ended"}}},
    {"AltEnterSwitchesAndHeldKeysWaitTenTicksAfterLeaving",
     "play=0",
     {{"drop a b c; tick 10", "a runs f10"},
      {"hold Alt Enter; tick; release", "full runs f11 bar16"},
      {"tick 5", "f16"},
      {"hold Alt Enter; tick", "window f16"}, // played on from the last tick's position
      {"tick 9", "window f25"},
      {"tick", "full f26"}, // the tenth tick takes the held keys again
      {"release; mclick; tick", "holds f27"},
      {"hold Alt Enter; tick; release", "window f37 lit=PAUSE"}, // leaving while paused plays 0.5 s
      {"tick 9; wheel +1; tick", "f37"},                         // notches wait a tick longer than keys
      {"wheel +1; tick", "f38"},
      {"quit; tick", "none ended lit=PAUSE,FF"}}},
};
SCENARIO_TABLE(FullScreen, kFullScreen);

} // namespace
