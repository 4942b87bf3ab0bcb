// The 50 ms timer tick: the player's scheduler. Every tick draws the skin, gathers the input the handlers
// queued, carries out requests, drives the controller and, when asked, ends the program -- in that order,
// so all movie traffic happens here on the UI thread in a fixed sequence.
#include "app/player_dlg.h"

#include "app/globals.h"
#include "res/resource.h"
#include "view/skin_bitmap.h"

#include <new>

namespace {

// Volume knob x for a wave-out volume, in unsigned 32-bit arithmetic: 93 for silence, 125 for full.
int VolumeKnobFor(DWORD volume) { return static_cast<int>(volume / 0x7FFFFFFu + 93u); }

}  // namespace

void CPlayerDlg::OnTimer(UINT_PTR id) {
    (void)id;  // every WM_TIMER of the window runs the tick

    // 1. A client DC for this tick's drawing; null when it cannot be made.
    m_pClientDC = new (std::nothrow) CClientDC(this);
    if (m_pClientDC && !m_pClientDC->GetSafeHdc()) {
        delete m_pClientDC;
        m_pClientDC = nullptr;
    }

    // 2. One-time set-up.
    if (g_bSetUpDone == 0) RunFirstTickSetUp();

    // 3. The skin, as the previous tick left the state.
    ComposeFrame();

    // 4. Input.
    GatherInput();

    // 5. A deferred play/pause request.
    if (g_bPlayPauseRequest != 0) {
        RequestPlayPause();
        g_bPlayPauseRequest = 0;
    }

    // 6. Controller.
    ScanTick();
    CheckEndOfMovie();

    // 7. The operation panel's exchange runs here once full-screen mode exists (it is never on yet).

    // 8.
    delete m_pClientDC;
    m_pClientDC = nullptr;

    // 9.
    if (g_bQuitRequest == 1) RunQuitSequence();
}

void CPlayerDlg::RunFirstTickSetUp() {
    g_bSetUpDone = 1;
    g_bQuitRequest = 0;

    // Canvas first, then the sheet: two separate loads of the same bitmap.
    const HINSTANCE module = AfxGetInstanceHandle();
    m_pCanvas = new (std::nothrow) CSkinBitmap(m_pClientDC, IDB_SKIN, module, 1);
    m_pSheet = new (std::nothrow) CSkinBitmap(m_pClientDC, IDB_SKIN, module, 1);
    g_pCanvasTop = m_pCanvas ? m_pCanvas->TopRowBits() : nullptr;

    g_nWindowX = 0;
    g_nWindowY = 0;
    BuildWindowShape();

    AddStartupEntry();
    OpenCurrentEntry();

    SetVolumeKnobFromDevice();

    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_FOCUS_SCROLLBAR)), 1);
}

void CPlayerDlg::SetVolumeKnobFromDevice() {
    // The device keeps its volume; a failed read leaves all ones, which sets full volume.
    DWORD volume = 0xFFFFFFFFu;
    WaveOutGetVolume(0, &volume);
    WaveOutSetVolume(0, volume);
    g_nVolKnobX = VolumeKnobFor(volume);
}

void CPlayerDlg::GatherInput() {
    // The full-screen windows' notches and clicks are polled here once full-screen mode exists.
    if (g_nWheelStep != 0) {
        g_nScanStep = g_nWheelStep;
        g_nWheelStep = 0;
    }
    if (g_nKeyCooldown != 0) g_nScanStep = 0;
    --g_nKeyCooldown;
    if (g_nKeyCooldown <= 0) g_nKeyCooldown = 0;
    PollKeys();
}

void CPlayerDlg::RunQuitSequence() {
    CloseMovie();
    WriteSettings();
    delete m_pCanvas;
    m_pCanvas = nullptr;
    delete m_pSheet;
    m_pSheet = nullptr;
    g_pCanvasTop = nullptr;
    // The three full-screen window objects are deleted here (panel, overlay, movie window, in that order)
    // once they exist.
    // The framework's own OK handler: the (empty) data exchange, then the modal loop ends with IDOK.
    CDialog::OnOK();
}
