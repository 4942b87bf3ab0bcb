// The playlist over time: STOP then PLAY from anywhere in the list, FF and REW at both ends of it, the end
// of a movie during and after a knob drag, drops during playback and during scans, and quitting.
#include "scenarios/scenario.h"

namespace {

const Scenario kPlaylist[] = {
    // rand() answers 1, 1, 2: with Rnd on, FF picks b, b, then c, the same entries as in order.
    {"StopThenPlayStartsTheFirstEntryFromTheFirstMiddleAndLast",
     "rnd=* rep=* rand=1,1,2",
     {{"drop a b c; tick 5", "a runs f5"},
      {"click STOP; tick", "none holds lit=GREY,STOP knob24"},
      {"tick 200", "none"}, // no end check while stopped
      {"click PLAY; tick", "a runs f1 lit=-"},
      {"click FF; tick 5", "b f5"},
      {"hold Space; tick; release; click STOP; tick", "none holds lit=GREY,STOP"}, // stopped while paused
      {"click PLAY; tick", "a runs f1 lit=-"},
      {"click FF; click FF; tick 5", "c f5"},
      {"click STOP; click PLAY; tick", "a f1"},
      {"quit; tick", "none holds ended"}}},
    {"FfAndRewAtTheEndsOfTheListWithRepeat",
     "rep=1",
     {{"drop a b c; tick", "a runs f1"},
      {"click REW; tick", "c f1 lit=REW"}, // before the first: the last
      {"click FF; tick", "a f1 lit=REW,FF"},
      {"hold Left; tick; release; tick 2", "c f2 lit=REW"},
      {"tick 162", "c f164 lit=-"},
      {"tick", "a f0"}, // played past the last: the first
      {"click Rep; click FF; click FF; click FF; tick", "none holds lit=GREY,FF,STOP sw=-"}}},
    {"FfAndRewAtTheEndsOfTheListWithoutRepeat",
     "rep=0",
     {{"drop a b c; tick 5", "a runs f5"},
      {"click REW; tick", "a f1 lit=REW"}, // before the first: the first again, from its start
      {"click FF; click FF; tick 2", "c f2 lit=FF"},
      {"hold Right; tick; release", "none holds lit=-"}, // past the last: stopped
      {"tick", "lit=GREY,FF,STOP"},
      {"click PLAY; tick", "a runs f1 lit=FF"},
      {"click PLAY; tick", "holds f1 lit=PAUSE"},
      {"click REW; click REW; tick 3", "f0"}}}, // no frame before the first
    {"KnobDragHoldsTheEndCheckUntilLetGo",
     "",
     {{"drop a b c; tick 10", "a runs f10 knob33"},
      {"down 40,152; tick 3", "f13 knob34"},  // grabbed: the knob stays while the movie runs
      {"move 60,152; tick", "f30 knob54"},    // 20 to the right: played from frame 29
      {"move 200,152; tick", "f165 knob189"}, // parked at the end: from the last frame to the end
      {"tick 3", "a f165"},
      {"up 200,152; tick", "b runs f0"}, // let go: the end is seen
      {"tick", "b f1 knob189"},
      {"tick", "b f2 knob25"},
      {"click PLAY; down 40,152; move 200,152; up 200,152; tick", "holds f164 knob189 lit=PAUSE"},
      {"click FF; tick 3", "b f164 knob188"}, // paused on the last frame: no further, no end
      {"click PLAY; tick", "c runs f0 lit=-"}}},
    {"DropsDuringPlaybackAndScansPlayTheFirstNewEntry",
     "play=* pause=*",
     {{"drop a b c; tick 10", "a runs f10"},
      {"click FF; tick 5", "b f5"},
      {"drop c a; tick", "a f1 knob24"},
      {"click FF; tick", "c f1 lit=FF"}, // the new list: a, c
      {"wheel +1; tick 2", "c holds"},
      {"drop b; tick", "b runs f1"},
      {"click PLAY; tick; wheel +1; tick", "holds lit=PAUSE"},
      {"drop a; tick", "a runs f1 lit=FF"},
      {"quit; tick", "none holds ended"}}},
};
SCENARIO_TABLE(Playlist, kPlaylist);

} // namespace
