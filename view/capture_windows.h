// The two full-screen windows that catch the mouse for the player: the movie window (template 130), into
// which the MCI device draws, and the scan-line overlay (template 132) above it. The pointer is hidden and
// pinned on one of them, so each records wheel notches, middle presses and (click mode 1) left presses in
// program-wide values that the main window's tick reads with Poll, and sends WM_FULLSCREEN_COMMAND to its
// owner for "toggle the panel" (left press in click mode 0, double-click in click mode 1) and "leave full
// screen" (right press).
//
// One object of each class lives from the main window's construction to the quit sequence; only the windows
// come and go (Create / DestroyWindow). The recorded values are program-wide, one set per class, and outlive
// the windows: a flag not yet read when a window is destroyed is read by the next full-screen tick.
#pragma once

#include "framework/afxwin.h"
#include "res/resource.h"

class CPlayerDlg;

// Recorded values, all 0 at start (ResetWheelCaptureState restores that; ResetPlayerState calls it).
extern int g_nMovieWheel, g_bMovieMiddle, g_bMovieLeft, g_nMovieClickMode;
extern int g_nOverlayWheel, g_bOverlayMiddle, g_bOverlayLeft, g_nOverlayClickMode;
void ResetWheelCaptureState();

// What the two windows share: everything but their template, their set of recorded values and the few
// overlay differences (see capture_windows.cpp), which each class fixes at construction.
class CWheelCaptureWnd : public fw::CDialog {
public:
    // Poll's argument: each recorded value is returned and set to 0 in one step. The wheel answers +1 (a
    // notch away from the user), -1 (toward) or 0; the two flags 1 or 0.
    static constexpr int kPollWheel = 0;
    static constexpr int kPollMiddle = 1;
    static constexpr int kPollLeft = 2;
    // SetClickMode's first argument; the click mode itself is 0 (a left press asks for the panel) or 1 (a
    // left press is a play/pause request and a double-click asks for the panel).
    static constexpr int kClickModeFlag = 0;

    // The modeless window from the class's template, owned by the application's main window. TRUE on success.
    fw::BOOL Create();
    // Any other `which` than the three above returns 0 and changes nothing.
    int Poll(int which);
    // With flag kClickModeFlag the click mode becomes `value`; any other flag is ignored.
    void SetClickMode(int flag, int value);

    // For a window that a window manager kept from reaching above or past the screen (see
    // view/full_screen_fit.h). HideFocusScrollBar hides the focus scroll bar, which then shows at the
    // window's top left; a bar that had the focus gets it back, so the wheel still arrives. HideOwnScrollBar
    // hides the window's own vertical scroll bar, which then shows at the screen's right edge. Both do
    // nothing when already done.
    void HideFocusScrollBar();
    void HideOwnScrollBar();

    // Where on the screen the window's top-left corner was taken to be when its content was laid out (the
    // picture's destination in the movie window, the dark rows of the overlay). Whoever lays the content
    // out sets it.
    fw::POINT m_layoutOrigin = {0, 0};

    // Receives the requests; may be null (then none are sent).
    CPlayerDlg* m_pOwner;

protected:
    struct RecordedValues {
        int* wheel;
        int* middle;
        int* left;
        int* clickMode;
    };
    CWheelCaptureWnd(fw::UINT templateId, CPlayerDlg* owner, const RecordedValues& values, bool isOverlay)
        : fw::CDialog(templateId), m_pOwner(owner), m_values(values), m_bOverlay(isOverlay) {}

    void DoDataExchange(fw::CDataExchange* dx) override { (void)dx; }
    fw::BOOL OnInitDialog() override;
    void OnOK() override {} // Enter never closes either window

private:
    void OnLButtonDown(fw::UINT flags, fw::CPoint pt);
    void OnLButtonDblClk(fw::UINT flags, fw::CPoint pt);
    void OnRButtonDown(fw::UINT flags, fw::CPoint pt);
    void OnMButtonDown(fw::UINT flags, fw::CPoint pt);
    void OnVScroll(fw::UINT code, fw::UINT pos, fw::HWND scrollBar);

    RecordedValues m_values;
    bool m_bOverlay;

    DECLARE_MESSAGE_MAP()
};

// Template 130; Escape keeps the framework's OnCancel.
class CMovieWnd : public CWheelCaptureWnd {
public:
    // Stores the owner; no window yet.
    explicit CMovieWnd(CPlayerDlg* owner)
        : CWheelCaptureWnd(IDD_MOVIE_WND, owner,
                           RecordedValues{&g_nMovieWheel, &g_bMovieMiddle, &g_bMovieLeft, &g_nMovieClickMode},
                           false) {}

private:
    void OnMouseMove(fw::UINT flags, fw::CPoint pt);

    DECLARE_MESSAGE_MAP()
};

// Template 132; neither Enter nor Escape closes it.
class CScanlineWnd : public CWheelCaptureWnd {
public:
    explicit CScanlineWnd(CPlayerDlg* owner)
        : CWheelCaptureWnd(
              IDD_SCANLINE_WND, owner,
              RecordedValues{&g_nOverlayWheel, &g_bOverlayMiddle, &g_bOverlayLeft, &g_nOverlayClickMode},
              true) {}

protected:
    void OnCancel() override {}
};
