// The movie benchmark's window: a real top-level window over the whole screen, as full-screen mode makes
// for the movie, and the message pump the benchmark's UI thread runs while it waits. UI thread only.
#pragma once

#include "framework/fw_types.h"

namespace bench {

class CScreenWindow {
public:
    CScreenWindow() = default;
    ~CScreenWindow();
    CScreenWindow(const CScreenWindow&) = delete;
    CScreenWindow& operator=(const CScreenWindow&) = delete;

    // A black popup window, topmost, at (0, 0) with the primary screen's size, shown. False when none could
    // be made.
    bool Create();
    fw::HWND Handle() const { return m_window; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    fw::HWND m_window = nullptr;
    int m_width = 0, m_height = 0;
};

// Dispatches the messages waiting for this thread, then sleeps up to `ms` or until another arrives.
void PumpMessages(unsigned ms);

} // namespace bench
