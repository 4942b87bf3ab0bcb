#include "app/player_app.h"

#include "app/player_dlg.h"
#include "framework/mci_devices.h"
#include "media/telly_movie_device.h"

using namespace fw;

CPlayerApp theApp;

BOOL CPlayerApp::InitInstance() {
    // Every dialog of the program is drawn black with white text.
    SetDialogBkColor(RGB(0, 0, 0), RGB(255, 255, 255));
    // Telly's own movie device opens what FFmpeg's libraries decode; the system's devices keep the rest.
    // It outlives the main window, whose end closes the movie.
    media::CTellyMovieDevice movies;
    InstallMciDevice(&movies);
    {
        CPlayerDlg dlg(nullptr);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    InstallMciDevice(nullptr);
    return FALSE;
}
