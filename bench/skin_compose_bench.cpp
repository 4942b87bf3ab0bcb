// One full skin composition (all ten rows of the table, the worst case with every lit row drawn) against a
// plain memcpy of the same 224 x 187 x 3 bytes, both measured in this run. Also counts the heap allocations
// a composition makes: it runs every 50 ms on the UI thread and must make none.
//
// The presentation (PresentFrame's four blits) is the platform's BitBlt and is not part of the figure.
#include "tests/tools/host_skin_frame.h"
#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/sim/sim.h"
#include "res/resource.h"
#include "view/skin_bitmap.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

using namespace fw;

// ---- Allocation counting: every operator new of the program goes through here. ----
static long long g_allocations = 0;

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& t) noexcept {
    return operator new(size, t);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using Clock = std::chrono::steady_clock;

// Best time per call in nanoseconds over `rounds` rounds of `calls` calls.
template <class F> double BestNanoseconds(int rounds, int calls, F f) {
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i)
            f();
        const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / calls;
        best = std::min(best, ns);
    }
    return best;
}

} // namespace

int main() {
    std::unique_ptr<CPlayerDlg> owner = MakeHostSkinDialog();
    if (!owner) {
        std::fprintf(stderr, "the skin resource could not be loaded\n");
        return 1;
    }
    CPlayerDlg& dlg = *owner;
    const CSkinBitmap& sheet = *dlg.m_pSheet;

    // Worst case: every conditional row of the table is drawn on every call.
    g_bPaused = g_bClosed = g_bRandom = g_bRepeat = 1;
    g_nRewLitTicks = g_nFfLitTicks = INT_MAX;
    g_nPosKnobX = 100;
    g_nVolKnobX = 110;

    const size_t frameBytes = 224 * 187 * 3;
    std::vector<BYTE> source(sheet.m_pBits, sheet.m_pBits + frameBytes), target(frameBytes);
    volatile BYTE sink = 0;

    const int rounds = 15, calls = 400;
    dlg.ComposeFrame(); // warm the caches and the code
    const long long allocationsBefore = g_allocations;
    const double compose = BestNanoseconds(rounds, calls, [&] { dlg.ComposeFrame(); });
    const long long allocations = g_allocations - allocationsBefore;
    const double copy = BestNanoseconds(rounds, calls, [&] {
        std::memcpy(target.data(), source.data(), frameBytes);
        sink = sink + target[frameBytes / 2];
    });

    std::printf("skin composition (10 rows, all lit): %.1f us\n", compose / 1000);
    std::printf("memcpy of 224x187x3 bytes:           %.1f us\n", copy / 1000);
    std::printf("ratio composition / memcpy:          %.2f (aim <= 3)\n", compose / copy);
    std::printf("heap allocations in %d compositions: %lld\n", rounds * calls, allocations);

    dlg.m_pCanvas = dlg.m_pSheet = nullptr;
    return allocations == 0 ? 0 : 1;
}
