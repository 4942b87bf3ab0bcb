// The simulated pointer shape: one current shape, as SetCursor keeps it, named in the log.
#include "framework/sim/sim_state.h"

#include <cstdio>

namespace sim {
namespace detail {
namespace {

std::string ShapeName(uintptr_t shape) {
    if (shape == 0) return "0";
    if (shape == kArrowPointer) return "IDC_ARROW";
    if (shape == kWaitPointer) return "IDC_WAIT";
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(shape));
    return buf;
}

} // namespace
} // namespace detail

std::string PointerShape() {
    return detail::ShapeName(detail::S().pointerShape);
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

HCURSOR WaitPointerShape() {
    return As<HCURSOR>(kWaitPointer);
}

HCURSOR SetPointerShape(HCURSOR shape) {
    const uintptr_t previous = S().pointerShape;
    S().pointerShape = Key(shape);
    AddLog("SetCursor " + ShapeName(Key(shape)) + " -> " + ShapeName(previous));
    return As<HCURSOR>(previous);
}

} // namespace plat
} // namespace fw
