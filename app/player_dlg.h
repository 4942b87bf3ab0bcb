// CPlayerDlg: the main window. A borderless, shaped modal dialog (template 102) whose 50 ms timer tick does
// all periodic work. Its members are spread over the subsystem folders by job:
//   app/player_dlg.cpp          life of the window and its small messages
//   app/timer_tick.cpp          OnTimer and its blocks
//   playback/controller.cpp     the movie controller, through CMovieDevice (the only speaker of MCI)
//   playback/playlist.cpp       the start-up entry and playlist access
//   playback/drop_scan.cpp      OnDropFiles
//   input/mouse.cpp             mouse handlers;  input/keys.cpp  PollKeys
//   view/skin_compose.cpp       DrawSprite, ComposeFrame;  view/window_shape.cpp  BuildWindowShape
//   view/full_screen.cpp        full-screen mode: enter, leave, the panel toggle, the full-screen open,
//                               the polling of its windows;  view/scanline_overlay.cpp  BuildScanlineOverlay
//   panel/settings.cpp          ReadSettings, WriteSettings;  panel/mouse_settings_dlg.cpp  OnRButtonDown
#pragma once

#include "framework/afxwin.h"
#include "playback/movie_device.h"
#include "playback/wave_volume.h"

#include <functional>
#include <string>

class CSkinBitmap;
class CMovieWnd;
class CScanlineWnd;
class CControlPanelDlg;

class CPlayerDlg : public fw::CDialog {
public:
    explicit CPlayerDlg(fw::CWnd* parent = nullptr);
    ~CPlayerDlg() override;

    // ---- Secondary windows, skin, per-tick DC ----
    CMovieWnd* m_pMovieWnd = nullptr;
    CScanlineWnd* m_pScanlineWnd = nullptr;
    CControlPanelDlg* m_pControlPanel = nullptr;
    CSkinBitmap* m_pSheet = nullptr;
    CSkinBitmap* m_pCanvas = nullptr;
    fw::CClientDC* m_pClientDC = nullptr;
    // The point of the last left press or drag move: a drag moves a knob by the x distance to it. The y is
    // recorded with it but nothing reads it.
    int m_nLastMouseX = 0, m_nLastMouseY = 0;
    fw::UINT_PTR m_nTimerID = 0;
    fw::HICON m_hIcon = nullptr;

    // The movie under the alias "movie" and the wave-out volume: every MCI command and every volume call of
    // the player goes through these two.
    CMovieDevice m_movie;
    CWaveVolume m_volume;

    // ---- Movie controller (playback/controller.cpp) ----
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
    // What both ways of opening share: "stop movie", "window movie handle default", "close movie"; then, when
    // the playlist has an entry at g_nCurrentIndex, its "open" command (none for a path the command cannot
    // carry), "stop movie" and "window movie handle default". True when there was an entry to open (whether
    // the device took it is not examined).
    bool LoadCurrentEntry();
    // Opens the current entry while full-screen mode is on (windows to place, the overlay to rebuild). The
    // constructor sets it to OpenCurrentEntryFullScreen: the controller asks full-screen mode only through
    // this one call, so the controller never names full-screen mode's code while full-screen mode calls the
    // controller's.
    std::function<void()> m_openFullScreen;

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
    fw::LRESULT OnFullScreenCommand(fw::WPARAM code, fw::LPARAM lp);
    // Without an overlay window: creates it, places it and gives it the region of the dark rows. With one:
    // only destroys it (callers wanting a fresh overlay call it twice or destroy first).
    void BuildScanlineOverlay();
    // ---- Settings ----
    void ReadSettings();
    void WriteSettings();

    // ---- Framework overrides ----
    fw::BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void DoDataExchange(fw::CDataExchange* dx) override { (void)dx; }

    // ---- Message handlers ----
    int OnCreate(void* createStruct);
    void OnTimer(fw::UINT_PTR id);
    void OnDestroy();
    void OnPaint();
    fw::HICON OnQueryDragIcon();
    void OnMouseMove(fw::UINT flags, fw::CPoint pt);
    void OnLButtonDown(fw::UINT flags, fw::CPoint pt);
    void OnMButtonDown(fw::UINT flags, fw::CPoint pt);
    void OnLButtonUp(fw::UINT flags, fw::CPoint pt);
    void OnLButtonDblClk(fw::UINT flags, fw::CPoint pt);
    void OnRButtonDown(fw::UINT flags, fw::CPoint pt);
    void OnDropFiles(fw::HDROP drop);
    void OnMove(int x, int y);
    void OnVScroll(fw::UINT code, fw::UINT pos, fw::HWND scrollBar);
    void OnActivate(fw::UINT state, fw::HWND other, fw::BOOL minimized);

    DECLARE_MESSAGE_MAP()

private:
    // Blocks of the timer tick.
    void RunFirstTickSetUp();
    void GatherInput();
    void RunQuitSequence();
    void SyncControlPanel();
    // Block 4.1: the wheel notches and clicks the two full-screen windows recorded (view/full_screen.cpp).
    void PollFullScreenWindows();
    // Full-screen mode's parts (view/full_screen.cpp): the two halves of the panel toggle, and the
    // full-screen variant of OpenCurrentEntry (see m_openFullScreen).
    void ShowControlPanel();
    void HideControlPanel();
    void OpenCurrentEntryFullScreen();
};
