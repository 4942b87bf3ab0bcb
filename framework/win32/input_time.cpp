// Keyboard state, the pointer, the process clock and the runtime's random numbers.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <cstdlib>
#include <ctime>

namespace fw {
namespace plat {

short AsyncKeyState(int vk) {
    return GetAsyncKeyState(vk);
}

int ShowPointer(BOOL show) {
    return ShowCursor(show);
}

BOOL ClipPointer(const RECT* rc) {
    if (!rc) return ClipCursor(nullptr);
    const ::RECT r = win32::ToWin(*rc);
    return ClipCursor(&r);
}

BOOL SetPointerPos(int x, int y) {
    return SetCursorPos(x, y);
}

long ClockMs() {
    const std::clock_t ticks = std::clock();
    if (ticks == static_cast<std::clock_t>(-1)) return -1;
    // CLOCKS_PER_SEC is 1000 with the Windows runtimes, but nothing guarantees it; 64-bit arithmetic keeps
    // the conversion from overflowing on any of them.
    return static_cast<long>(static_cast<long long>(ticks) * 1000 / CLOCKS_PER_SEC);
}

int Rand() {
    return std::rand();
}

} // namespace plat
} // namespace fw
