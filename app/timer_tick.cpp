// The 50 ms timer tick: the player's scheduler. Every tick draws the skin, gathers the input the handlers
// queued, carries out requests, drives the controller and, when asked, ends the program -- in that order,
// so all movie traffic happens here on the UI thread in a fixed sequence.
#include "app/player_dlg.h"

#include "app/globals.h"
#include "input/wheel_capture_wnd.h"
#include "panel/control_panel_dlg.h"
#include "playback/mci_text.h"
#include "res/resource.h"
#include "view/skin_bitmap.h"

#include <new>

namespace {

// Volume knob x for a wave-out volume, in unsigned 32-bit arithmetic: 93 for silence, 125 for full.
int VolumeKnobFor(DWORD volume) {
    return static_cast<int>(volume / 0x7FFFFFFu + 93u);
}

} // namespace

void CPlayerDlg::OnTimer(UINT_PTR id) {
    (void)id; // every WM_TIMER of the window runs the tick

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

    // 7. The operation panel's exchange.
    if (g_bFullScreen == 1) SyncControlPanel();

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
    if (g_bFullScreen == 1) PollFullScreenWindows();
    if (g_nWheelStep != 0) {
        g_nScanStep = g_nWheelStep;
        g_nWheelStep = 0;
    }
    if (g_nKeyCooldown != 0) g_nScanStep = 0;
    --g_nKeyCooldown;
    if (g_nKeyCooldown <= 0) g_nKeyCooldown = 0;
    PollKeys();
}

void CPlayerDlg::PollFullScreenWindows() {
    // The overlay's notch wins when both windows saw one; both values are cleared either way.
    int w = m_pMovieWnd ? m_pMovieWnd->Poll(0) : 0;
    if (w != 0) g_nScanStep = w;
    w = m_pScanlineWnd ? m_pScanlineWnd->Poll(0) : 0;
    if (w != 0) g_nScanStep = w;
    if (g_nKeyCooldown != 0) g_nScanStep = 0;

    // The movie window's left flag is read only when the overlay's was clear, so it can wait a tick.
    if (m_pScanlineWnd && m_pScanlineWnd->Poll(2) != 0)
        g_bPlayPauseRequest = 1;
    else if (m_pMovieWnd && m_pMovieWnd->Poll(2) != 0 && g_bFsPanelShown == 0)
        g_bPlayPauseRequest = 1;

    if ((m_pMovieWnd && m_pMovieWnd->Poll(1) != 0) || (m_pScanlineWnd && m_pScanlineWnd->Poll(1) != 0))
        g_bPlayPauseRequest = 1;
}

void CPlayerDlg::SyncControlPanel() {
    std::wstring reply;
    MciSend(L"status movie position", &reply, 255);
    const int devicePosition = ParseMciNumber(reply);
    g_nPosition = devicePosition;
    MciSend(L"status movie length", &reply, 255);
    if (!m_pControlPanel) return;
    m_pControlPanel->SetBar(0, ParseMciNumber(reply));

    int shown = devicePosition;
    if (m_pControlPanel->Poll(0) == 1) {
        const int target = m_pControlPanel->Poll(1);
        SeekTo(target);
        shown = target;
    }
    m_pControlPanel->SetBar(1, shown);

    if (m_pControlPanel->Poll(2) == 2) {
        const DWORD v = static_cast<DWORD>(m_pControlPanel->Poll(3)) & 0xFFu;
        const DWORD volume = v * 0x01010101u;
        // A knob drag or a movie load owns the volume at this moment: the panel's change is dropped.
        if (g_nPosDrag == 0) {
            WaveOutSetVolume(0, volume);
            g_nVolKnobX = VolumeKnobFor(volume);
        }
    }

    if (m_pControlPanel->Poll(4) == 3) {
        const int command = m_pControlPanel->Poll(5);
        if (command <= 1)
            RequestPlayPause();
        else if (command == 2)
            StepPosition(+1);
        else if (command == 3)
            StepPosition(-1);
    }
}

void CPlayerDlg::RunQuitSequence() {
    CloseMovie();
    WriteSettings();
    delete m_pCanvas;
    m_pCanvas = nullptr;
    delete m_pSheet;
    m_pSheet = nullptr;
    g_pCanvasTop = nullptr;
    // Their destructors destroy the windows that still exist.
    delete m_pControlPanel;
    m_pControlPanel = nullptr;
    delete m_pScanlineWnd;
    m_pScanlineWnd = nullptr;
    delete m_pMovieWnd;
    m_pMovieWnd = nullptr;
    // The framework's own OK handler: the (empty) data exchange, then the modal loop ends with IDOK.
    CDialog::OnOK();
}
