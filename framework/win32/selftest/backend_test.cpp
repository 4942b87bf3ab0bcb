// What only the Windows backend has, checked on the real system: its pure helpers (long_path.h,
// wheel_notches.h), the process's own argument vector and settings folder, the dialog colours answered to
// WM_CTLCOLOR*, painting, and the main window's extended styles. Everything the simulation has too is in the
// conformance suite (tests/seam).
#include "framework/afxwin.h"
#include "framework/paths.h"
#include "framework/win32/long_path.h"
#include "framework/win32/selftest/probe.h"
#include "framework/win32/wheel_notches.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw;

namespace {

TEST(Win32Backend, ExtendedLengthFormTable) {
    const std::wstring longTail(260, L'x');
    struct Row {
        std::wstring in, out;
    } rows[] = {
        {L"C:\\short", L"C:\\short"},
        {L"C:\\" + longTail, L"\\\\?\\C:\\" + longTail},
        {L"z:\\" + longTail, L"\\\\?\\z:\\" + longTail},
        {L"\\\\server\\share\\" + longTail, L"\\\\?\\UNC\\server\\share\\" + longTail},
        {L"\\\\?\\C:\\" + longTail, L"\\\\?\\C:\\" + longTail},     // already extended
        {L"\\\\.\\pipe\\" + longTail, L"\\\\.\\pipe\\" + longTail}, // device namespace: left alone
        {L"relative\\" + longTail, L"relative\\" + longTail},       // not normalised: left alone
    };
    for (const Row& r : rows)
        EXPECT_EQ(fw::win32::ExtendedLengthForm(r.in), r.out);
    EXPECT_EQ(fw::win32::ExtendedLengthForm(std::wstring(247, L'a')).size(), 247u);
}

TEST(Win32Backend, WheelNotchTable) {
    struct Row {
        int remainder, delta, notches, remainderAfter;
    } rows[] = {
        {0, 120, 1, 0},     {0, -120, -1, 0},  {0, 240, 2, 0},  {0, 60, 0, 60},        {60, 60, 1, 0},
        {0, -150, -1, -30}, {-30, -90, -1, 0}, {60, -60, 0, 0}, {0, -32768, -273, -8}, {119, 32767, 274, 6},
    };
    for (const Row& r : rows) {
        int remainder = r.remainder;
        EXPECT_EQ(fw::win32::TakeWheelNotches(&remainder, r.delta), r.notches)
            << r.remainder << " " << r.delta;
        EXPECT_EQ(remainder, r.remainderAfter);
    }
}

TEST(Win32Backend, ProcessArgumentsAndSettingsFolder) {
    // run_under_wine.sh passes exactly these two arguments.
    const std::vector<std::wstring> args = AfxGetCommandLineArgs();
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[0].substr(args[0].size() - 4), L".exe");
    EXPECT_EQ(args[1], L"two words");
    EXPECT_EQ(args[2], L"x");
    // The program's own file: a full path whose folder is the one argument 0 names when it names one.
    const std::wstring module = AfxGetModuleFileName();
    ASSERT_GT(module.size(), 19u);
    EXPECT_EQ(module.substr(module.size() - 19), L"\\win32_selftest.exe");
    EXPECT_TRUE(module.compare(1, 2, L":\\") == 0 || module.compare(0, 2, L"\\\\") == 0) << "absolute";
    if (args[0].find(L'\\') != std::wstring::npos) {
        std::wstring a = DirectoryOf(module), b = DirectoryOf(args[0]);
        for (std::wstring* text : {&a, &b})
            for (wchar_t& c : *text)
                c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        EXPECT_EQ(a, b);
    }
    // Asking where the per-user folder is makes nothing; only the create call does.
    const std::wstring settings = AfxGetUserSettingsFolder();
    ASSERT_GT(settings.size(), 7u);
    EXPECT_EQ(settings.substr(settings.size() - 7), L"\\Telly\\");
    const bool existed = probe::IsFolder(settings);
    EXPECT_EQ(AfxGetUserSettingsFolder(), settings);
    EXPECT_EQ(probe::IsFolder(settings), existed);
    EXPECT_EQ(AfxCreateUserSettingsFolder(), settings);
    EXPECT_TRUE(probe::IsFolder(settings));
    if (!existed) {
        EXPECT_TRUE(probe::RemoveFolder(settings)) << "the shared prefix keeps no per-user folder";
    }
}

// Counts the paints it is asked for and remembers whether its paint DC was real.
class PaintDlg : public CDialog {
public:
    explicit PaintDlg(UINT templateId) : CDialog(templateId) {}
    BOOL OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        if (msg != WM_PAINT) return CDialog::OnWndMsg(msg, wp, lp, result);
        CPaintDC dc(this);
        m_paintDcValid = dc.GetSafeHdc() != nullptr;
        ++m_paints;
        return TRUE;
    }
    int m_paints = 0;
    bool m_paintDcValid = false;
};

TEST(Win32Backend, EveryControlColourMessageGetsTheApplicationColours) {
    const COLORREF background = RGB(10, 20, 30), text = RGB(200, 100, 50);
    CWinApp app;
    app.SetDialogBkColor(background, text);
    PaintDlg dlg(IDD_MOUSE_SETTINGS);
    ASSERT_TRUE(dlg.Create(IDD_MOUSE_SETTINGS));
    const UINT messages[] = {0x0133 /*EDIT*/, 0x0134 /*LISTBOX*/,   0x0135 /*BTN*/,
                             0x0136 /*DLG*/,  0x0137 /*SCROLLBAR*/, 0x0138 /*STATIC*/};
    for (UINT msg : messages) {
        HDC dc = probe::MakeMemoryDC();
        const LRESULT brush = dlg.SendMessage(msg, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDOK)));
        EXPECT_EQ(probe::SolidBrushColor(brush), background) << msg;
        EXPECT_EQ(probe::TextColor(dc), text);
        EXPECT_EQ(probe::BackgroundColor(dc), background);
        probe::DeleteDC(dc);
    }
    dlg.DestroyWindow();
    app.SetDialogBkColor(RGB(0, 0, 0), RGB(255, 255, 255));
}

TEST(Win32Backend, PaintHandlerValidatesTheWindow) {
    PaintDlg dlg(IDD_PLAYER);
    ASSERT_TRUE(dlg.Create(IDD_PLAYER));
    probe::PumpMessages();
    const int before = dlg.m_paints;
    probe::InvalidateAndUpdate(dlg.m_hWnd);
    EXPECT_EQ(dlg.m_paints, before + 1);
    EXPECT_TRUE(dlg.m_paintDcValid);
    EXPECT_FALSE(probe::HasUpdateRegion(dlg.m_hWnd)) << "EndPaint got the PAINTSTRUCT BeginPaint filled";
    dlg.DestroyWindow();
}

TEST(Win32Backend, MainWindowShowsInTheTaskbarAndTakesDrops) {
    CDialog dlg(IDD_PLAYER);
    ASSERT_TRUE(dlg.Create(IDD_PLAYER));
    EXPECT_EQ(probe::ExStyle(dlg.m_hWnd) & (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES),
              WS_EX_APPWINDOW | WS_EX_ACCEPTFILES);
    dlg.DestroyWindow();
}

} // namespace
