// CWaitCursor: the system's wait pointer (IDC_WAIT) while long work blocks the window, and the pointer it
// replaced back when the object goes, as MFC's CWaitCursor; with a delay, work that ends within a moment
// shows nothing at all.
//
// The work processes no messages while it runs, so nothing else sets the pointer's shape in the meantime;
// the next mouse move after it sets the window's own shape again in any case.
#pragma once

#include "framework/platform.h"

namespace fw {

class CWaitCursor {
public:
    // delayMs 0 shows the wait pointer at once; otherwise the first Pulse() after that much time on the
    // platform clock (ClockMs) shows it.
    explicit CWaitCursor(long delayMs = 0);
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Called between steps of the work: shows the wait pointer once the delay has passed. One clock read
    // until then, nothing after.
    void Pulse();
    bool IsShown() const { return m_shown; }

private:
    void Show();

    long m_start;
    long m_delayMs;
    bool m_shown = false;
    HCURSOR m_previous = nullptr;
};

} // namespace fw
