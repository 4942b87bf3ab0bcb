// The 50 ms timer tick: the player's scheduler. Every tick draws the skin, gathers the input the handlers
// queued, carries out requests, drives the controller and, when asked, ends the program -- in that order,
// so all movie traffic happens here on the UI thread in a fixed sequence.
#include "app/player_dlg.h"

#include "app/globals.h"
#include "panel/control_panel_dlg.h"
#include "res/resource.h"
#include "view/capture_windows.h"
#include "view/skin_bitmap.h"

#include <new>

using namespace fw;

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

    // The device keeps its volume; a failed read leaves all ones, which sets full volume.
    const uint32_t volume = m_volume.Read();
    m_volume.Write(volume);
    g_nVolKnobX = CWaveVolume::KnobFor(volume);

    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_FOCUS_SCROLLBAR)), 1);
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

void CPlayerDlg::SyncControlPanel() {
    const int devicePosition = m_movie.Position();
    g_nPosition = devicePosition;
    const int length = m_movie.Length();
    if (!m_pControlPanel) return;
    CControlPanelDlg& panel = *m_pControlPanel;
    panel.SetBar(CControlPanelDlg::kBarLength, length);

    int shown = devicePosition;
    if (panel.Poll(CControlPanelDlg::kPollSeekRequest) == CControlPanelDlg::kSeekPending) {
        const int target = panel.Poll(CControlPanelDlg::kPollSeekTarget);
        SeekTo(target);
        shown = target;
    }
    panel.SetBar(CControlPanelDlg::kBarPosition, shown);

    if (panel.Poll(CControlPanelDlg::kPollVolumeRequest) == CControlPanelDlg::kVolumePending) {
        const uint32_t volume = CWaveVolume::ForPanelLevel(panel.Poll(CControlPanelDlg::kPollVolume));
        // A knob drag or a movie load owns the volume at this moment: the panel's change is dropped.
        if (g_nPosDrag == 0) {
            m_volume.Write(volume);
            g_nVolKnobX = CWaveVolume::KnobFor(volume);
        }
    }

    if (panel.Poll(CControlPanelDlg::kPollButtonRequest) == CControlPanelDlg::kButtonPending) {
        const int command = panel.Poll(CControlPanelDlg::kPollCommand);
        if (command <= CControlPanelDlg::kCommandPlayPauseOther)
            RequestPlayPause();
        else if (command == CControlPanelDlg::kCommandFastForward)
            StepPosition(+1);
        else if (command == CControlPanelDlg::kCommandRewind)
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
