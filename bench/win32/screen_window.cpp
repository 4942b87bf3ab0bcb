#include "bench/win32/screen_window.h"

#include "framework/win32/win32_seam.h"

namespace bench {

namespace {

const wchar_t kClassName[] = L"TellyMovieBenchScreen";

bool RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

} // namespace

CScreenWindow::~CScreenWindow() {
    if (m_window) DestroyWindow(fw::win32::ToWin(m_window));
}

bool CScreenWindow::Create() {
    if (m_window || !RegisterOnce()) return false;
    m_width = GetSystemMetrics(SM_CXSCREEN);
    m_height = GetSystemMetrics(SM_CYSCREEN);
    ::HWND h = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Telly movie benchmark", WS_POPUP | WS_VISIBLE, 0,
                               0, m_width, m_height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!h) return false;
    m_window = fw::win32::FromWin(h);
    UpdateWindow(h);
    PumpMessages(0);
    return true;
}

void PumpMessages(unsigned ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ms > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
}

} // namespace bench
