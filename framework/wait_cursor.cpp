#include "framework/wait_cursor.h"

namespace fw {

CWaitCursor::CWaitCursor(long delayMs) : m_start(delayMs > 0 ? plat::ClockMs() : 0), m_delayMs(delayMs) {
    if (delayMs <= 0) Show();
}

CWaitCursor::~CWaitCursor() {
    if (m_shown) plat::SetPointerShape(m_previous);
}

void CWaitCursor::Pulse() {
    if (m_shown) return;
    const long now = plat::ClockMs();
    // A clock that cannot be read (-1 from the start) never shows the pointer: no wait pointer is better
    // than one that appears for every short drop.
    if (now < 0 || m_start < 0) return;
    if (now - m_start >= m_delayMs) Show();
}

void CWaitCursor::Show() {
    m_previous = plat::SetPointerShape(plat::WaitPointerShape());
    m_shown = true;
}

} // namespace fw
