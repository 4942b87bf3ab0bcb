// CWinApp and the shared entry point body.
#include "framework/afxwin.h"

namespace fw {

namespace {
// The one application object of the program. Set by its constructor, which runs during static
// initialisation, so it must not depend on any other global being constructed.
CWinApp* g_theApp = nullptr;
} // namespace

CWinApp::CWinApp() {
    g_theApp = this;
    m_hInstance = plat::ModuleHandle();
}

CWinApp::~CWinApp() {
    if (g_theApp == this) g_theApp = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return plat::LoadAppIcon(m_hInstance, id);
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
    plat::SetDialogColors(background, text);
}

CWinApp* AfxGetApp() {
    return g_theApp;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_theApp ? g_theApp->m_hInstance : plat::ModuleHandle();
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

std::vector<std::wstring> AfxGetCommandLineArgs() {
    return plat::CommandLineArgs();
}

std::wstring AfxGetModuleFileName() {
    return plat::ModuleFileName();
}

namespace {
std::wstring EndingInBackslash(std::wstring dir) {
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}
} // namespace

std::wstring AfxGetUserSettingsFolder() {
    return EndingInBackslash(plat::UserSettingsDirPath());
}

std::wstring AfxCreateUserSettingsFolder() {
    return EndingInBackslash(plat::UserSettingsDir());
}

bool AfxLockResource(HINSTANCE module, UINT id, UINT type, const BYTE** data, DWORD* size) {
    return plat::LockResourceBytes(module, id, type, data, size);
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = plat::ModuleHandle();
    // The program's whole life happens inside InitInstance (the main window is a modal dialog); its
    // answer only decides whether a message loop would follow, and there is none to run.
    app->InitInstance();
    return 0;
}

} // namespace fw
