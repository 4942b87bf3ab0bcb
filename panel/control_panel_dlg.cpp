// The operation panel: its program-wide values, the request-and-poll interface the tick uses, and the
// handlers of its buttons and bars. Nothing here touches the movie, the sound device or the overlay.
#include "panel/control_panel_dlg.h"

#include "framework/controls.h"

#include <climits>
#include <cwchar>
#include <string>

using namespace fw;

int g_nPanelSeekRequest, g_nPanelSeekTarget, g_nPanelVolumeRequest, g_nPanelVolume;
int g_nPanelButtonRequest, g_nPanelCommand, g_nPanelPlayToggle, g_nPanelLength;
int g_nPanelScanLineMode, g_nPanelMaskTop, g_nPanelMaskBottom, g_bPanelLineMask = 1;

void ResetControlPanelState() {
    g_nPanelSeekRequest = g_nPanelSeekTarget = g_nPanelVolumeRequest = g_nPanelVolume = 0;
    g_nPanelButtonRequest = g_nPanelCommand = g_nPanelPlayToggle = g_nPanelLength = 0;
    g_nPanelScanLineMode = g_nPanelMaskTop = g_nPanelMaskBottom = 0;
    g_bPanelLineMask = 1;
}

namespace {

constexpr int kBarMax = 255;
constexpr int kBandMax = 25;

// The bar-to-movie scale: the single-precision number nearest to 1/255 (0x3B808081), widened to double
// where it is used. It lies a hair above 1/255, so bar 255 maps to the length itself and the length maps
// back to bar 254.
constexpr float kBarScale = 0.003921569f;

// Horizontal bars use the vertical names' values.
constexpr UINT kLineLeft = SB_LINEUP, kLineRight = SB_LINEDOWN, kPageLeft = SB_PAGEUP,
               kPageRight = SB_PAGEDOWN;
constexpr UINT kLeft = SB_TOP, kRight = SB_BOTTOM;

int ClampBar(int p) {
    return p < 0 ? 0 : (p > kBarMax ? kBarMax : p);
}

// Bar position of a movie position: trunc(position / (length * scale)). A length of 0 (no movie) would
// divide by zero, and a tiny length with a large position would overflow int: the quotient is limited to
// the bar's range before it is converted.
int PositionToBar(int position, int length) {
    const double unit = static_cast<double>(length) * static_cast<double>(kBarScale);
    if (unit == 0.0) return 0;
    const double q = static_cast<double>(position) / unit;
    if (!(q > 0.0)) return 0; // negative, or NaN
    if (q >= kBarMax) return kBarMax;
    return static_cast<int>(q);
}

// Movie position of a bar position 0..255: trunc(length * scale * p). The single-precision scale lies just
// above 1/255, so the bar's right end would give the length itself -- a seek past the last frame, which the
// end-of-movie check takes for the end and moves on. The target is kept at the last frame, length - 1.
int BarToPosition(int p, int length) {
    const double t = static_cast<double>(length) * static_cast<double>(kBarScale) * p;
    if (length > 0 && t >= static_cast<double>(length)) return length - 1;
    if (t >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (t <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(t);
}

std::wstring ModeText(int mode) {
    return mode == 0 ? L"Off" : (mode == 1 ? L"Mode1" : L"Mode2");
}

std::wstring BandText(int band) {
    wchar_t buf[16];
    std::swprintf(buf, sizeof buf / sizeof buf[0], L"%2d%%", band);
    return buf;
}

// One band step. The result always lies in 0..kBandMax, so a value stored out of range by
// SetScanLineSettings is pulled in by the first press in either direction. Written without v + 1 / v - 1
// on the extremes, which would overflow for INT_MAX / INT_MIN.
int BandUp(int v) {
    return v >= kBandMax - 1 ? kBandMax : (v < 0 ? 0 : v + 1);
}
int BandDown(int v) {
    return v <= 1 ? 0 : (v > kBandMax ? kBandMax : v - 1);
}

} // namespace

BEGIN_MESSAGE_MAP(CControlPanelDlg, CDialog)
ON_BN_CLICKED(IDC_PANEL_PLAY_PAUSE, OnPlayPause)
ON_BN_CLICKED(IDC_PANEL_FF, OnFF)
ON_BN_CLICKED(IDC_PANEL_REW, OnRew)
ON_BN_CLICKED(IDC_PANEL_MODE_UP, OnModeUp)
ON_BN_CLICKED(IDC_PANEL_MODE_DOWN, OnModeDown)
ON_BN_CLICKED(IDC_PANEL_TOP_UP, OnTopUp)
ON_BN_CLICKED(IDC_PANEL_TOP_DOWN, OnTopDown)
ON_BN_CLICKED(IDC_PANEL_BOTTOM_UP, OnBottomUp)
ON_BN_CLICKED(IDC_PANEL_BOTTOM_DOWN, OnBottomDown)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

CControlPanelDlg::~CControlPanelDlg() = default;

BOOL CControlPanelDlg::CreatePanel() {
    return Create(IDD_CONTROL_PANEL, nullptr);
}

void CControlPanelDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PANEL_FF, m_btnFF);
    DDX_Control(dx, IDC_PANEL_PLAY_PAUSE, m_btnPlayPause);
    DDX_Control(dx, IDC_PANEL_REW, m_btnRew);
}

BOOL CControlPanelDlg::OnInitDialog() {
    // A new window has new controls: forget the buttons of the previous one so the exchange binds these.
    m_btnFF.m_hWnd = m_btnPlayPause.m_hWnd = m_btnRew.m_hWnd = nullptr;
    CDialog::OnInitDialog();
    CScrollBar position(GetDlgItem(IDC_PANEL_POSITION));
    position.SetScrollRange(0, kBarMax, TRUE);
    position.SetScrollPos(0, TRUE);
    return TRUE;
}

// Enter and Esc reach the dialog as IDOK / IDCANCEL: the panel stays open. Only full-screen mode's end
// destroys it.
void CControlPanelDlg::OnOK() {}

void CControlPanelDlg::OnCancel() {}

void CControlPanelDlg::SetBar(int nWhich, int nValue) {
    if (nWhich == kBarLength) {
        g_nPanelLength = nValue;
    } else if (nWhich == kBarPosition) {
        CScrollBar bar(GetDlgItem(IDC_PANEL_POSITION));
        bar.SetScrollRange(0, kBarMax, TRUE);
        bar.SetScrollPos(PositionToBar(nValue, g_nPanelLength), TRUE);
    } else if (nWhich == kBarVolume) {
        CScrollBar bar(GetDlgItem(IDC_PANEL_VOLUME));
        bar.SetScrollRange(0, kBarMax, TRUE);
        bar.SetScrollPos(nValue, TRUE);
    }
}

int CControlPanelDlg::Poll(int nWhich) {
    switch (nWhich) {
    case kPollSeekRequest:
        if (g_nPanelSeekRequest != kSeekPending) return 0;
        g_nPanelSeekRequest = 0;
        return kSeekPending;
    case kPollSeekTarget:
        return g_nPanelSeekTarget;
    case kPollVolumeRequest:
        if (g_nPanelVolumeRequest != kVolumePending) return 0;
        g_nPanelVolumeRequest = 0;
        return kVolumePending;
    case kPollVolume:
        return g_nPanelVolume;
    case kPollButtonRequest:
        if (g_nPanelButtonRequest != kButtonPending) return 0;
        g_nPanelButtonRequest = 0;
        return kButtonPending;
    case kPollCommand: {
        const int command = g_nPanelCommand;
        g_nPanelCommand = kCommandNone;
        return command;
    }
    default:
        return 0;
    }
}

void CControlPanelDlg::SetScanLineSettings(int nMode, int bLineMask, int nTop, int nBottom) {
    (void)bLineMask; // the line mask stays on: no control of the panel changes it
    g_nPanelScanLineMode = nMode;
    g_nPanelMaskTop = nTop;
    g_nPanelMaskBottom = nBottom;
    SetDlgItemText(IDC_PANEL_SCAN_MODE, ModeText(nMode));
    SetDlgItemText(IDC_PANEL_MASK_TOP, BandText(nTop));
    SetDlgItemText(IDC_PANEL_MASK_BOTTOM, BandText(nBottom));
}

int CControlPanelDlg::GetScanLineSetting(int nWhich) {
    switch (nWhich) {
    case kSettingMode:
        return g_nPanelScanLineMode;
    case kSettingLineMask:
        return g_bPanelLineMask;
    case kSettingMaskTop:
        return g_nPanelMaskTop;
    default:
        return g_nPanelMaskBottom;
    }
}

void CControlPanelDlg::OnPlayPause() {
    // The toggle's value before the press is the command: presses give 0, 1, 0, 1 ...
    g_nPanelCommand = g_nPanelPlayToggle;
    g_nPanelPlayToggle =
        g_nPanelPlayToggle == kCommandPlayPauseOther ? kCommandPlayPause : kCommandPlayPauseOther;
    g_nPanelButtonRequest = kButtonPending;
}

void CControlPanelDlg::OnFF() {
    g_nPanelCommand = kCommandFastForward;
    g_nPanelButtonRequest = kButtonPending;
}

void CControlPanelDlg::OnRew() {
    g_nPanelCommand = kCommandRewind;
    g_nPanelButtonRequest = kButtonPending;
}

// Mode steps: up goes Off -> Mode1 -> Mode2 and stays; down goes Mode2 -> Mode1 -> Off and stays. A mode
// stored out of range lands on Mode2 (up) or Off (down).
void CControlPanelDlg::OnModeUp() {
    g_nPanelScanLineMode = g_nPanelScanLineMode == 0 ? 1 : 2;
    SetDlgItemText(IDC_PANEL_SCAN_MODE, ModeText(g_nPanelScanLineMode));
}

void CControlPanelDlg::OnModeDown() {
    g_nPanelScanLineMode = g_nPanelScanLineMode == 2 ? 1 : 0;
    SetDlgItemText(IDC_PANEL_SCAN_MODE, ModeText(g_nPanelScanLineMode));
}

namespace {

// One press of a band button: the value steps and its field shows the result.
void StepBand(CWnd& panel, int& band, bool up, int field) {
    band = up ? BandUp(band) : BandDown(band);
    panel.SetDlgItemText(field, BandText(band));
}

} // namespace

void CControlPanelDlg::OnTopUp() {
    StepBand(*this, g_nPanelMaskTop, true, IDC_PANEL_MASK_TOP);
}
void CControlPanelDlg::OnTopDown() {
    StepBand(*this, g_nPanelMaskTop, false, IDC_PANEL_MASK_TOP);
}
void CControlPanelDlg::OnBottomUp() {
    StepBand(*this, g_nPanelMaskBottom, true, IDC_PANEL_MASK_BOTTOM);
}
void CControlPanelDlg::OnBottomDown() {
    StepBand(*this, g_nPanelMaskBottom, false, IDC_PANEL_MASK_BOTTOM);
}

// Both bars. Every message raises a request, end-scroll included (then for the bar's current position),
// so a thumb drag asks again on every movement; the tick takes the latest one per tick.
void CControlPanelDlg::OnHScroll(UINT code, UINT pos, HWND bar) {
    const HWND volumeBar = GetDlgItem(IDC_PANEL_VOLUME);
    CScrollBar volume(volumeBar);
    CScrollBar sender(bar);
    volume.SetScrollRange(0, kBarMax, TRUE);
    sender.SetScrollRange(0, kBarMax, TRUE);

    int p = sender.GetScrollPos();
    if (code == kLineLeft)
        p -= 1;
    else if (code == kLineRight)
        p += 1;
    else if (code == kPageLeft)
        p -= 10;
    else if (code == kPageRight)
        p += 10;
    else if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)
        p = static_cast<int>(pos);
    else if (code == kLeft)
        p = 0;
    else if (code == kRight)
        p = kBarMax;
    p = ClampBar(p);

    sender.SetScrollPos(p, TRUE);
    if (bar != nullptr && bar == volumeBar) {
        g_nPanelVolume = p;
        g_nPanelVolumeRequest = kVolumePending;
    } else {
        g_nPanelSeekRequest = kSeekPending;
        g_nPanelSeekTarget = BarToPosition(p, g_nPanelLength);
    }
}
