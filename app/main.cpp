// The program's entry point (Windows build only; the host build has no program, only tests).
//
// Everything happens in the one application object's InitInstance, reached through the framework's
// AfxWinMain: the main window is a modal dialog, so there is no message loop here. The module handle is
// not stored: the framework asks the platform for it (the application object needs it before this runs).
//
// This file cannot include framework/afxwin.h: its `using namespace fw` makes the Win32 type names
// ambiguous inside <windows.h>, and the A/W macros of <windows.h> would rename its members. So it
// declares the one framework function it calls (defined in framework/app.cpp, declared in afxwin.h).
#include <windows.h>

namespace fw {
int AfxWinMain();
} // namespace fw

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
    (void)instance, (void)previous, (void)commandLine, (void)show;
    // The templates use only the classic user32 controls (button, edit, list box, scroll bar, static), so
    // the common controls library needs no initialisation.
    return fw::AfxWinMain();
}
