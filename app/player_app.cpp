#include "app/player_app.h"

#include "app/player_dlg.h"

using namespace fw;

CPlayerApp theApp;

BOOL CPlayerApp::InitInstance() {
    // Every dialog of the program is drawn black with white text.
    SetDialogBkColor(RGB(0, 0, 0), RGB(255, 255, 255));
    {
        CPlayerDlg dlg(nullptr);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
