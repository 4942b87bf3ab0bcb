// The mouse settings dialog and the main window's right click that opens it.
#include "panel/mouse_settings_dlg.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "res/resource.h"

using namespace fw;

CMouseSettingsDlg::CMouseSettingsDlg(CWnd* parent)
    : CDialog(IDD_MOUSE_SETTINGS, parent), m_nWheelPlay(-1), m_nWheelPause(-1), m_nBottunMode(-1) {}

CMouseSettingsDlg::~CMouseSettingsDlg() = default;

void CMouseSettingsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_WHEEL_PLAY_MODE1, m_nWheelPlay);
    DDX_Radio(dx, IDC_WHEEL_PAUSE_MODE1, m_nWheelPause);
    DDX_Radio(dx, IDC_BOTTUN_OFF, m_nBottunMode);
}

void CMouseSettingsDlg::OnOK() {
    CDialog::OnOK();
}

void CMouseSettingsDlg::OnCancel() {
    CDialog::OnCancel();
}

int KeepUnlessChosen(int chosen, int previous) {
    return chosen < 0 ? previous : chosen;
}

// A right click anywhere in the main window. The dialog runs its own modal loop; the main window's timer
// keeps ticking inside it, so playback goes on while the user chooses. Nothing reaches the settings file
// before the next quit.
void CPlayerDlg::OnRButtonDown(UINT flags, CPoint pt) {
    (void)flags;
    (void)pt;
    CMouseSettingsDlg dlg(nullptr); // no parent: the framework makes the main window its owner
    dlg.m_nWheelPlay = g_nWheel1Play;
    dlg.m_nWheelPause = g_nWheel1Pause;
    dlg.m_nBottunMode = g_nBottunMode;
    if (dlg.DoModal() != IDOK) return;
    g_nWheel1Play = KeepUnlessChosen(dlg.m_nWheelPlay, g_nWheel1Play);
    g_nWheel1Pause = KeepUnlessChosen(dlg.m_nWheelPause, g_nWheel1Pause);
    g_nBottunMode = KeepUnlessChosen(dlg.m_nBottunMode, g_nBottunMode);
}
