// Timers of the simulated platform: started and stopped by the player, fired by sim::Tick.
#include "framework/sim/sim_state.h"

#include <algorithm>

namespace sim {
namespace detail {

void DropTimers(HWND h) {
    auto& t = S().timers;
    t.erase(std::remove_if(t.begin(), t.end(), [h](const Timer& x) { return x.hwnd == h; }), t.end());
}

} // namespace detail

using namespace detail;

void FailTimers(bool fail) {
    S().failTimers = fail;
}

void Tick(int count) {
    for (int i = 0; i < count; ++i) {
        AdvanceClockBy(50);
        SettleWindowManager();
        // Handlers start and stop timers while we deliver: walk a snapshot and re-check each one.
        const std::vector<Timer> snapshot = S().timers;
        for (const Timer& t : snapshot) {
            const auto& live = S().timers;
            const bool stillThere =
                std::any_of(live.begin(), live.end(), [&t](const Timer& x) { return x.serial == t.serial; });
            if (!stillThere) continue;
            Window* w = LiveWindow(t.hwnd);
            // A modal dialog whose EndDialog has been called runs no more messages.
            if (!w || (w->modal && w->ended)) continue;
            Deliver(t.hwnd, WM_TIMER, t.id, 0);
        }
    }
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    AddLog("SetTimer " + NameOf(hwnd) + " " + std::to_string(id) + " " + std::to_string(elapseMs));
    State& s = S();
    if (s.failTimers || !LiveWindow(hwnd)) return 0;
    for (Timer& t : s.timers) {
        if (t.hwnd == hwnd && t.id == id) { // restarting keeps its place in the firing order
            t.ms = elapseMs;
            return id ? id : 1;
        }
    }
    s.timers.push_back(Timer{hwnd, id, elapseMs, ++s.timerSerial});
    return id ? id : 1;
}

BOOL StopTimer(HWND hwnd, UINT_PTR id) {
    AddLog("KillTimer " + NameOf(hwnd) + " " + std::to_string(id));
    auto& t = S().timers;
    auto it = std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
    if (it == t.end()) return FALSE;
    t.erase(it);
    return TRUE;
}

} // namespace plat
} // namespace fw
