// CPlayerDlg: the main window. A borderless, shaped modal dialog (template 102) whose 50 ms timer tick does
// all periodic work. Its members are spread over the subsystem folders by job:
//   app/player_dlg.cpp        life of the window and its small messages
//   app/timer_tick.cpp        OnTimer and its blocks
//   playback/controller.cpp   the movie controller (MCI)
//   playback/playlist.cpp     the start-up entry and playlist access
//   playback/drop_scan.cpp    OnDropFiles
//   input/mouse.cpp           mouse handlers;  input/keys.cpp  PollKeys
//   view/skin_compose.cpp     DrawSprite, ComposeFrame;  view/window_shape.cpp  BuildWindowShape
//   panel/settings.cpp        ReadSettings, WriteSettings;  panel/mouse_settings_dlg.cpp  OnRButtonDown
#pragma once

#include "framework/afxwin.h"

#include <string>

class CSkinBitmap;
class CMovieWnd;
class CScanlineWnd;
class CControlPanelDlg;

class CPlayerDlg : public CDialog {
public:
    explicit CPlayerDlg(CWnd* parent = nullptr);
    ~CPlayerDlg() override;

    // ---- Secondary windows, skin, per-tick DC (declaration order matters to nobody but readers) ----
    CMovieWnd* m_pMovieWnd = nullptr;
    CScanlineWnd* m_pScanlineWnd = nullptr;
    CControlPanelDlg* m_pControlPanel = nullptr;
    CSkinBitmap* m_pSheet = nullptr;
    CSkinBitmap* m_pCanvas = nullptr;
    CClientDC* m_pClientDC = nullptr;
    int m_nLastMouseX = 0, m_nLastMouseY = 0;
    UINT_PTR m_nTimerID = 0;
    HICON m_hIcon = nullptr;

    // ---- Movie controller ----
    void OpenCurrentEntry();
    void NextEntry();
    void PreviousEntry();
    void CloseMovie();
    void TogglePlayPause();
    void RequestPlayPause();
    void StepPosition(int d);
    void SeekTo(int position);
    void ScanTick();
    void CheckEndOfMovie();
    void WaitTenths(int n);

    // ---- Playlist ----
    void AddStartupEntry();
    // Text of playlist entry `index`; false when there is no such entry.
    bool GetEntryText(int index, std::wstring* text);

    // ---- Input ----
    char PollKeys();
    void SendWindowMove(); // the system's interactive move, until the button is released

    // ---- Presentation ----
    void DrawSprite(int index, int dx, int dy, int sx, int sy, int w, int h);
    void ComposeFrame();
    void BuildWindowShape();

    // ---- Full-screen mode (view/full_screen.cpp, view/scanline_overlay.cpp) ----
    // 0 enters full-screen mode, anything else leaves it.
    void SetFullScreen(int flag);
    void EnterFullScreen();
    void LeaveFullScreen();
    // WM_FULLSCREEN_COMMAND from the movie window or the overlay: 5 leaves, anything else toggles the panel.
    LRESULT OnFullScreenCommand(WPARAM code, LPARAM lp);
    // Without an overlay window: creates it, places it and gives it the region of the dark rows. With one:
    // only destroys it (callers wanting a fresh overlay call it twice or destroy first).
    void BuildScanlineOverlay();

    // ---- Settings ----
    void ReadSettings();
    void WriteSettings();

    // ---- Framework overrides ----
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void DoDataExchange(CDataExchange* dx) override { (void)dx; }

    // ---- Message handlers ----
    int OnCreate(void* createStruct);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnMouseMove(UINT flags, CPoint pt);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnMButtonDown(UINT flags, CPoint pt);
    void OnLButtonUp(UINT flags, CPoint pt);
    void OnLButtonDblClk(UINT flags, CPoint pt);
    void OnRButtonDown(UINT flags, CPoint pt);
    void OnDropFiles(HDROP drop);
    void OnMove(int x, int y);
    void OnVScroll(UINT code, UINT pos, HWND scrollBar);
    void OnActivate(UINT state, HWND other, BOOL minimized);

    DECLARE_MESSAGE_MAP()

private:
    // Blocks of the timer tick.
    void RunFirstTickSetUp();
    void GatherInput();
    void RunQuitSequence();
    void SetVolumeKnobFromDevice();
    void PollFullScreenWindows();
    void SyncControlPanel();
    void OpenCurrentEntryFullScreen();
    // The two halves of the panel toggle.
    void ShowControlPanel();
    void HideControlPanel();
};
