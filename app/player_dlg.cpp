// Life of the main window and its small messages. Everything periodic happens in the timer tick.
#include "app/player_dlg.h"

#include "app/fullscreen_command.h"
#include "app/globals.h"
#include "panel/control_panel_dlg.h"
#include "panel/settings_paths.h"
#include "res/resource.h"
#include "view/capture_windows.h"
#include "view/skin_bitmap.h"

#include <new>

using namespace fw;

namespace {
constexpr UINT_PTR kTickTimerId = 5000;
constexpr UINT kTickMs = 50;
} // namespace

BEGIN_MESSAGE_MAP(CPlayerDlg, CDialog)
ON_WM_CREATE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_MBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_DROPFILES()
ON_WM_MOVE()
ON_WM_VSCROLL()
ON_WM_ACTIVATE()
ON_WM_RBUTTONDOWN()
ON_MESSAGE(WM_FULLSCREEN_COMMAND, OnFullScreenCommand)
END_MESSAGE_MAP()

CPlayerDlg::CPlayerDlg(CWnd* parent) : CDialog(IDD_PLAYER, parent) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    // Only the objects: their windows exist in full-screen mode. A failed allocation leaves the member null
    // and every user skips it.
    m_pMovieWnd = new (std::nothrow) CMovieWnd(this);
    m_pScanlineWnd = new (std::nothrow) CScanlineWnd(this);
    m_pControlPanel = new (std::nothrow) CControlPanelDlg(this);
    m_openFullScreen = [this] { OpenCurrentEntryFullScreen(); };
}

CPlayerDlg::~CPlayerDlg() {
    m_movie.Close();
    // The quit sequence deletes the owned objects and clears the pointers; whatever is still owned here
    // (the dialog ended some other way) is freed rather than leaked.
    delete m_pCanvas;
    delete m_pSheet;
    delete m_pControlPanel;
    delete m_pScanlineWnd;
    delete m_pMovieWnd;
    delete m_pClientDC;
}

int CPlayerDlg::OnCreate(void* createStruct) {
    (void)createStruct;
    m_nTimerID = SetTimer(kTickTimerId, kTickMs, nullptr);
    return m_nTimerID == 0 ? -1 : 0;
}

BOOL CPlayerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    DragAcceptFiles(TRUE);
    if (SettingsFileExists())
        ReadSettings();
    else
        WriteSettings();
    return TRUE;
}

void CPlayerDlg::OnDestroy() {
    KillTimer(m_nTimerID);
}

void CPlayerDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HICON CPlayerDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CPlayerDlg::OnMove(int x, int y) {
    g_nWindowX = x;
    g_nWindowY = y;
    Default();
}

void CPlayerDlg::OnVScroll(UINT code, UINT pos, HWND scrollBar) {
    (void)pos;
    (void)scrollBar;
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP:
    case SB_TOP:
        g_nWheelStep = 1;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
    case SB_BOTTOM:
        g_nWheelStep = -1;
        break;
    default:
        break;
    }
    Default();
}

void CPlayerDlg::OnActivate(UINT state, HWND other, BOOL minimized) {
    (void)other;
    (void)minimized;
    if (state == WA_INACTIVE) {
        g_bActive = 0;
    } else {
        g_bActive = 1;
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_FOCUS_SCROLLBAR)), 1);
    }
    g_nWheelStep = 0;
}
