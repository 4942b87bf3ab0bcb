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

class CControlPanelDlg : public CDialog {
public:
    // The window, where one is left, is destroyed by CDialog's destructor.
    explicit CControlPanelDlg(CPlayerDlg* mainDlg) : CDialog(IDD_CONTROL_PANEL), m_pMainDlg(mainDlg) {}
    ~CControlPanelDlg() override;

    // The modeless window from template 133, owned by the application's main window. Nonzero on success.
    BOOL CreatePanel();
    // 0: the movie length (scales the position bar); 1: show a position on bar 1001; 2: show a volume
    // 0..255 on bar 1010; anything else nothing.
    void SetBar(int nWhich, int nValue);
    // 0: 1 if a seek is pending (cleared); 1: the seek target; 2: 2 if a volume change is pending (cleared);
    // 3: the volume; 4: 3 if a button was pressed (cleared); 5: the last command (then 10); else 0.
    int Poll(int nWhich);
    // Stores and shows mode, top and bottom unchanged; bLineMask is accepted and not stored.
    void SetScanLineSettings(int nMode, int bLineMask, int nTop, int nBottom);
    // 0: mode, 1: line mask (always 1), 2: top band, anything else: bottom band.
    int GetScanLineSetting(int nWhich);

    CPlayerDlg* m_pMainDlg;

protected:
    // Binds the three transport buttons to the members below (not used further).
    void DoDataExchange(CDataExchange* dx) override;
    // Bar 1001 gets its range 0..255 at position 0; the volume bar only from SetBar(2) or its first scroll.
    BOOL OnInitDialog() override;
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
    void OnHScroll(UINT code, UINT pos, HWND bar);

    CWnd m_btnFF, m_btnPlayPause, m_btnRew;
};
