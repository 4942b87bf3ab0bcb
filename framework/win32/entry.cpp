// The program's entry point in the Windows build. The program itself is the one application object (the
// player's CPlayerApp); everything happens in its InitInstance, reached through AfxWinMain. The main window
// is a modal dialog, so there is no message loop here. The module handle is not stored: the framework asks
// the platform for it (the application object needs it during static initialisation, before this runs).
#include "framework/afxwin.h"
#include "framework/win32/system_library.h"
#include "framework/win32/win32_seam.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
    (void)instance, (void)previous, (void)commandLine, (void)show;
    // First, before anything can load a DLL: no DLL from the program's or the current folder.
    fw::win32::RestrictDllSearch();
    // The templates use only the classic user32 controls (button, edit, list box, scroll bar, static), so
    // the common controls library is neither initialised nor linked.
    return fw::AfxWinMain();
}
