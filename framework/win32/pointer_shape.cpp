// The pointer's shape: the system's wait shape while long work blocks the window.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

namespace fw {
namespace plat {

HCURSOR WaitPointerShape() {
    return reinterpret_cast<HCURSOR>(LoadCursorW(nullptr, IDC_WAIT));
}

HCURSOR SetPointerShape(HCURSOR shape) {
    return reinterpret_cast<HCURSOR>(SetCursor(reinterpret_cast<::HCURSOR>(shape)));
}

} // namespace plat
} // namespace fw
