// CControlPanelDlg: the operation panel of full-screen mode (template 133), a strip across the bottom of
// the screen with REW, PLAY/PAUSE, FF, a position bar, a volume bar and three read-only fields that set the
// scan-line overlay. It never acts on the movie, the device or the overlay: each control records a request
// in the panel's program-wide values and the main window's tick polls them (request and poll keeps all MCI
// and device traffic in the tick). The object lives from the main window's construction to the quit
// sequence; its window exists only in full-screen mode.
#pragma once

#include "framework/afxwin.h"
#include "res/resource.h"

class CPlayerDlg;

// The panel's values; initial values at program start (ResetControlPanelState restores them and
// ResetPlayerState calls it). They survive the panel's window.
extern int g_nPanelSeekRequest, g_nPanelSeekTarget, g_nPanelVolumeRequest, g_nPanelVolume;
extern int g_nPanelButtonRequest, g_nPanelCommand, g_nPanelPlayToggle, g_nPanelLength;
extern int g_nPanelScanLineMode, g_nPanelMaskTop, g_nPanelMaskBottom, g_bPanelLineMask;
void ResetControlPanelState();

class CControlPanelDlg : public fw::CDialog {
public:
    // ---- The codes of the request-and-poll interface ----
    // SetBar's first argument.
    static constexpr int kBarLength = 0;   // the movie length: scales the position bar
    static constexpr int kBarPosition = 1; // a movie position, shown on bar 1001
    static constexpr int kBarVolume = 2;   // a volume 0..255, shown on bar 1010
    // Poll's argument. The three requests answer with their own pending code (and clear it), else 0.
    static constexpr int kPollSeekRequest = 0;   // kSeekPending after the position bar moved
    static constexpr int kPollSeekTarget = 1;    // the movie position to seek to
    static constexpr int kPollVolumeRequest = 2; // kVolumePending after the volume bar moved
    static constexpr int kPollVolume = 3;        // the volume bar's value 0..255
    static constexpr int kPollButtonRequest = 4; // kButtonPending after a transport button
    static constexpr int kPollCommand = 5;       // the last button's command, which becomes kCommandNone
    static constexpr int kSeekPending = 1;
    static constexpr int kVolumePending = 2;
    static constexpr int kButtonPending = 3;
    // Commands. PLAY/PAUSE alternates between the two play/pause codes; the tick treats both alike.
    static constexpr int kCommandPlayPause = 0;
    static constexpr int kCommandPlayPauseOther = 1;
    static constexpr int kCommandFastForward = 2;
    static constexpr int kCommandRewind = 3;
    static constexpr int kCommandNone = 10;
    // GetScanLineSetting's argument (any value past the last reads the bottom band).
    static constexpr int kSettingMode = 0;
    static constexpr int kSettingLineMask = 1; // always 1: no control of the panel changes it
    static constexpr int kSettingMaskTop = 2;
    static constexpr int kSettingMaskBottom = 3;

    // The window, where one is left, is destroyed by CDialog's destructor.
    explicit CControlPanelDlg(CPlayerDlg* mainDlg) : fw::CDialog(IDD_CONTROL_PANEL), m_pMainDlg(mainDlg) {}
    ~CControlPanelDlg() override;

    // The modeless window from template 133, owned by the application's main window. Nonzero on success.
    fw::BOOL CreatePanel();
    // See kBarLength .. kBarVolume; any other nWhich does nothing.
    void SetBar(int nWhich, int nValue);
    // See kPollSeekRequest .. kPollCommand; any other nWhich returns 0.
    int Poll(int nWhich);
    // Stores and shows mode, top and bottom unchanged; bLineMask is accepted and not stored.
    void SetScanLineSettings(int nMode, int bLineMask, int nTop, int nBottom);
    // See kSettingMode .. kSettingMaskBottom.
    int GetScanLineSetting(int nWhich);

    // The main window that made the panel. Kept as the panel's owner of record; the panel never calls it
    // (every exchange goes through the tick's polls).
    CPlayerDlg* m_pMainDlg;

protected:
    // Binds the three transport buttons to the members below (not used further).
    void DoDataExchange(fw::CDataExchange* dx) override;
    // Bar 1001 gets its range 0..255 at position 0; the volume bar only from SetBar(kBarVolume) or its first
    // scroll.
    fw::BOOL OnInitDialog() override;
    // Both do nothing: Enter and Esc never close the panel.
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    void OnPlayPause();
    void OnFF();
    void OnRew();
    void OnModeUp();
    void OnModeDown();
    void OnTopUp();
    void OnTopDown();
    void OnBottomUp();
    void OnBottomDown();
    void OnHScroll(fw::UINT code, fw::UINT pos, fw::HWND bar);

    fw::CWnd m_btnFF, m_btnPlayPause, m_btnRew;
};
