// compose_frame: writes the skin frame the player composes for a given state, as a 224 x 187 24-bit BMP.
//
// It runs the player's own composition (CPlayerDlg::ComposeFrame with the sheet and canvas loaded from the
// build's skin resource) on the simulated platform, so an end-to-end check can compare a screenshot of
// telly.exe with it pixel for pixel. The screen hole holds the sheet's blue; the movie covers it on screen.
//
//   compose_frame [options] <out.bmp>
//     --state start      the state after start-up without a movie (the default): Rep on, nothing else lit,
//                        position knob at 24, volume knob at 125 (a wave-out volume that cannot be read)
//     --paused N --closed N --random N --repeat N      the switches and flags, 0 or 1
//     --rew N --ff N     lamp counters of REW and FF (above 0: lit)
//     --pos-knob X --vol-knob X                        knob positions (x of the knob's left edge)
#include "tests/tools/host_skin_frame.h"
#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/sim/sim.h"
#include "res/resource.h"
#include "view/skin_bitmap.h"
#include "view/window_shape.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace fw;

namespace {

struct State {
    int paused = 0, closed = 0, random = 0, repeat = 1, rew = 0, ff = 0, posKnobX = 24, volKnobX = 125;
};

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--state start] [--paused N] [--closed N] [--random N] [--repeat N] [--rew N] "
                 "[--ff N] [--pos-knob X] [--vol-knob X] <out.bmp>\n",
                 program);
    return 2;
}

bool ParseArgs(int argc, char** argv, State* state, std::string* out) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.compare(0, 2, "--") != 0) {
            if (!out->empty()) return false;
            *out = arg;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (arg == "--state") {
            if (std::strcmp(value, "start") != 0) return false;
            *state = State();
            continue;
        }
        char* end = nullptr;
        const long n = std::strtol(value, &end, 10);
        if (*value == '\0' || *end != '\0') return false;
        struct {
            const char* name;
            int* field;
        } const options[] = {{"--paused", &state->paused},     {"--closed", &state->closed},
                             {"--random", &state->random},     {"--repeat", &state->repeat},
                             {"--rew", &state->rew},           {"--ff", &state->ff},
                             {"--pos-knob", &state->posKnobX}, {"--vol-knob", &state->volKnobX}};
        bool known = false;
        for (const auto& o : options)
            if (arg == o.name) *o.field = int(n), known = true;
        if (!known) return false;
    }
    return !out->empty();
}

void Put(std::vector<unsigned char>& b, unsigned v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back((unsigned char)(v >> (8 * i)));
}

// The top-left 224 x 187 pixels of the canvas as a BMP file (rows bottom-up, as the canvas stores them).
bool WriteFrame(const std::string& path, const BYTE* canvasTop) {
    const unsigned rowBytes = kSetWidth * 3, imageSize = rowBytes * kSetHeight;
    std::vector<unsigned char> b;
    b.push_back('B'), b.push_back('M');
    Put(b, 54 + imageSize, 4), Put(b, 0, 4), Put(b, 54, 4);
    Put(b, 40, 4), Put(b, kSetWidth, 4), Put(b, kSetHeight, 4), Put(b, 1, 2), Put(b, 24, 2);
    Put(b, 0, 4), Put(b, imageSize, 4), Put(b, 11811, 4), Put(b, 11811, 4), Put(b, 0, 4), Put(b, 0, 4);
    for (int y = kSetHeight - 1; y >= 0; --y) {
        const BYTE* row = canvasTop - std::ptrdiff_t(y) * g_nCanvasPitch * 3;
        b.insert(b.end(), row, row + rowBytes);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    State state;
    std::string out;
    if (!ParseArgs(argc, argv, &state, &out)) return Usage(argv[0]);

    std::unique_ptr<CPlayerDlg> dlg = MakeHostSkinDialog();
    if (!dlg) {
        std::fprintf(stderr, "%s: the skin resource could not be loaded\n", argv[0]);
        return 1;
    }
    g_bPaused = state.paused;
    g_bClosed = state.closed;
    g_bRandom = state.random;
    g_bRepeat = state.repeat;
    g_nRewLitTicks = state.rew;
    g_nFfLitTicks = state.ff;
    g_nPosKnobX = state.posKnobX;
    g_nVolKnobX = state.volKnobX;

    dlg->ComposeFrame();
    if (!WriteFrame(out, g_pCanvasTop)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], out.c_str());
        return 1;
    }
    return 0;
}
