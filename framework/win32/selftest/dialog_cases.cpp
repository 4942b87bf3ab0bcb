// Framework dialogs on the real dialog manager: message order at creation, refused creation, results of
// handled messages, wheel translation, application colours, painting.
#include "framework/afxwin.h"
#include "framework/win32/selftest/check.h"
#include "framework/win32/selftest/probe.h"
#include "resource.h"

#include <vector>

using namespace fw;

namespace {

constexpr UINT kWmNcDestroy = 0x0082;
constexpr UINT kAskValue = WM_USER + 7; // answered with 4242 through the message map
constexpr UINT kUnhandled = WM_USER + 8;
constexpr UINT_PTR kFallbackTimer = 8;

int IndexOf(const std::vector<UINT>& v, UINT msg) {
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] == msg) return static_cast<int>(i);
    return -1;
}

// Records every message the dispatcher delivers; its handlers are switched by the members.
class CRecorderDlg : public CDialog {
public:
    explicit CRecorderDlg(UINT templateId) : CDialog(templateId) {}

    BOOL OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        m_messages.push_back(msg);
        if (msg == WM_VSCROLL) m_scrollCodes.push_back(LOWORD(wp));
        return CDialog::OnWndMsg(msg, wp, lp, result) || Handle(msg, wp, lp, result);
    }
    BOOL OnInitDialog() override {
        m_messages.push_back(WM_INITDIALOG);
        m_hwndAtInit = m_hWnd;
        // Without WM_CREATE the test's own timer never started: end a modal run at once instead of
        // leaving it open for good (the case then fails on its checks).
        if (!m_hwndAtCreate) SetTimer(kFallbackTimer, 10, nullptr);
        return CDialog::OnInitDialog();
    }

    std::vector<UINT> m_messages;
    std::vector<UINT> m_scrollCodes;
    HWND m_hwndAtCreate = nullptr, m_hwndAtInit = nullptr;
    bool m_refuseCreation = false;
    int m_endAfterTicks = 0;     // modal: end with 77 at this tick (0: never)
    bool m_nestModeless = false; // modal: at the first tick create and destroy a modeless dialog
    std::vector<UINT> m_nestedMessages;
    int m_ticks = 0, m_paints = 0;
    bool m_paintDcValid = false;
    HICON m_dragIcon = nullptr;

private:
    BOOL Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
};

BOOL CRecorderDlg::Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    (void)lp;
    switch (msg) {
    case WM_CREATE:
        m_hwndAtCreate = m_hWnd;
        if (m_endAfterTicks) SetTimer(7, 10, nullptr);
        *result = m_refuseCreation ? -1 : 0;
        return TRUE;
    case WM_TIMER:
        if (wp == kFallbackTimer) {
            KillTimer(kFallbackTimer);
            EndDialog(-2);
            return TRUE;
        }
        if (wp != 7) return FALSE;
        if (++m_ticks == 1 && m_nestModeless) {
            CRecorderDlg nested(IDD_PLAYER);
            if (nested.Create(IDD_PLAYER, this)) nested.DestroyWindow();
            m_nestedMessages = nested.m_messages;
        }
        if (m_ticks == m_endAfterTicks) {
            KillTimer(7);
            EndDialog(77);
        }
        return TRUE;
    case WM_PAINT: {
        CPaintDC dc(this);
        m_paintDcValid = dc.GetSafeHdc() != nullptr;
        ++m_paints;
        return TRUE;
    }
    case WM_QUERYDRAGICON:
        if (!m_dragIcon) return FALSE;
        *result = reinterpret_cast<LRESULT>(m_dragIcon);
        return TRUE;
    case kAskValue:
        *result = 4242;
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

TEST_CASE(modal_dialog_gets_create_before_init_and_ends_with_its_result) {
    CRecorderDlg dlg(IDD_MOUSE_SETTINGS);
    dlg.m_endAfterTicks = 3;
    CHECK_EQ(dlg.DoModal(), 77);
    const std::vector<UINT>& m = dlg.m_messages;
    CHECK_EQ(IndexOf(m, WM_CREATE), 0);
    CHECK(IndexOf(m, WM_INITDIALOG) > 0);
    CHECK(dlg.m_hwndAtCreate != nullptr);
    CHECK(dlg.m_hwndAtCreate == dlg.m_hwndAtInit);
    CHECK_EQ(dlg.m_ticks, 3); // the timer started in WM_CREATE runs the modal loop
    CHECK(IndexOf(m, WM_DESTROY) > IndexOf(m, WM_INITDIALOG));
    CHECK(IndexOf(m, kWmNcDestroy) > IndexOf(m, WM_DESTROY));
    CHECK(dlg.m_hWnd == nullptr);
    CHECK(!plat::IsWnd(dlg.m_hwndAtCreate));
}

TEST_CASE(dialog_created_inside_a_modal_loop_gets_create_too) {
    CRecorderDlg dlg(IDD_MOUSE_SETTINGS);
    dlg.m_endAfterTicks = 1;
    dlg.m_nestModeless = true;
    CHECK_EQ(dlg.DoModal(), 77);
    CHECK_EQ(IndexOf(dlg.m_nestedMessages, WM_CREATE), 0);
    CHECK(IndexOf(dlg.m_nestedMessages, WM_INITDIALOG) > 0);
    CHECK(IndexOf(dlg.m_nestedMessages, kWmNcDestroy) > IndexOf(dlg.m_nestedMessages, WM_INITDIALOG));
}

TEST_CASE(create_answering_minus_one_fails_the_dialog_at_once) {
    CRecorderDlg modal(IDD_PLAYER);
    modal.m_refuseCreation = true;
    modal.m_endAfterTicks = 1000; // would keep it open for seconds if the refusal were ignored
    CHECK_EQ(modal.DoModal(), -1);
    CHECK_EQ(IndexOf(modal.m_messages, WM_INITDIALOG), -1);
    CHECK_EQ(modal.m_ticks, 0);
    CHECK(IndexOf(modal.m_messages, kWmNcDestroy) > 0); // told that the window is gone
    CHECK(modal.m_hWnd == nullptr);

    CRecorderDlg modeless(IDD_PLAYER);
    modeless.m_refuseCreation = true;
    CHECK(!modeless.Create(IDD_PLAYER));
    CHECK(modeless.m_hWnd == nullptr);
    CHECK_EQ(IndexOf(modeless.m_messages, WM_INITDIALOG), -1);
}

TEST_CASE(handled_messages_return_the_handler_result) {
    CRecorderDlg dlg(IDD_PLAYER);
    CHECK(dlg.Create(IDD_PLAYER));
    HWND h = dlg.m_hWnd;
    CHECK_EQ(plat::SendMsg(h, kAskValue, 0, 0), 4242); // through DWLP_MSGRESULT
    CHECK_EQ(plat::SendMsg(h, kUnhandled, 0, 0), 0);
    dlg.m_dragIcon = plat::LoadAppIcon(plat::ModuleHandle(), IDR_MAINFRAME);
    CHECK(dlg.m_dragIcon != nullptr);
    // WM_QUERYDRAGICON's answer is the dialog procedure's return value itself.
    CHECK(plat::SendMsg(h, WM_QUERYDRAGICON, 0, 0) == reinterpret_cast<LRESULT>(dlg.m_dragIcon));
    dlg.DestroyWindow();
    CHECK(!plat::IsWnd(h));
}

TEST_CASE(main_window_template_makes_a_borderless_popup) {
    CRecorderDlg dlg(IDD_PLAYER);
    CHECK(dlg.Create(IDD_PLAYER));
    const DWORD style = plat::GetWindowStyle(dlg.m_hWnd);
    CHECK((style & (WS_POPUP | WS_VISIBLE | WS_VSCROLL)) == (WS_POPUP | WS_VISIBLE | WS_VSCROLL));
    CHECK((style & (WS_CAPTION | WS_BORDER | WS_SYSMENU)) == 0);
    CHECK((probe::ExStyle(dlg.m_hWnd) & (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES)) ==
          (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES));
    // The hidden data holders are there: the radio walk and the list boxes find them by id.
    CHECK(plat::GetDialogItem(dlg.m_hWnd, IDC_PLAYLIST) != nullptr);
    CHECK(plat::GetNextSibling(plat::GetDialogItem(dlg.m_hWnd, IDC_PLAYLIST)) ==
          plat::GetDialogItem(dlg.m_hWnd, IDC_FOLDER_QUEUE));
    dlg.DestroyWindow();
}

TEST_CASE(wheel_notches_arrive_as_line_scrolls) {
    CRecorderDlg dlg(IDD_PLAYER);
    CHECK(dlg.Create(IDD_PLAYER));
    const int deltas[] = {120, -240, 60, 60, -30};
    for (int d : deltas)
        plat::SendMsg(dlg.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, d), 0);
    const std::vector<UINT> want = {SB_LINEUP, SB_LINEDOWN, SB_LINEDOWN, SB_LINEUP};
    CHECK(dlg.m_scrollCodes == want);
    dlg.DestroyWindow();
}

TEST_CASE(every_dialog_control_colour_message_gets_the_application_colours) {
    const COLORREF background = RGB(10, 20, 30), text = RGB(200, 100, 50);
    plat::SetDialogColors(background, text);
    CRecorderDlg dlg(IDD_MOUSE_SETTINGS);
    CHECK(dlg.Create(IDD_MOUSE_SETTINGS));
    const UINT messages[] = {0x0133 /*EDIT*/, 0x0134 /*LISTBOX*/,   0x0135 /*BTN*/,
                             0x0136 /*DLG*/,  0x0137 /*SCROLLBAR*/, 0x0138 /*STATIC*/};
    for (UINT msg : messages) {
        HDC dc = probe::MakeMemoryDC();
        const LRESULT brush = plat::SendMsg(dlg.m_hWnd, msg, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(plat::GetDialogItem(dlg.m_hWnd, IDOK)));
        CHECK_EQ(probe::SolidBrushColor(brush), background);
        CHECK_EQ(probe::TextColor(dc), text);
        CHECK_EQ(probe::BackgroundColor(dc), background);
        probe::DeleteDC(dc);
    }
    dlg.DestroyWindow();
    plat::SetDialogColors(RGB(0, 0, 0), RGB(255, 255, 255));
}

TEST_CASE(paint_handler_validates_the_window) {
    CRecorderDlg dlg(IDD_PLAYER);
    CHECK(dlg.Create(IDD_PLAYER));
    probe::PumpMessages();
    const int before = dlg.m_paints;
    probe::InvalidateAndUpdate(dlg.m_hWnd);
    CHECK_EQ(dlg.m_paints, before + 1);
    CHECK(dlg.m_paintDcValid);
    CHECK(!probe::HasUpdateRegion(dlg.m_hWnd)); // EndPaint got the PAINTSTRUCT BeginPaint filled
    dlg.DestroyWindow();
}

TEST_CASE(dialog_item_texts_and_checks_round_trip) {
    CRecorderDlg dlg(IDD_MOUSE_SETTINGS);
    CHECK(dlg.Create(IDD_MOUSE_SETTINGS));
    HWND h = dlg.m_hWnd;
    CHECK(plat::GetItemText(h, IDOK) == L"OK");
    const std::wstring japanese = L"操作設定ダイアログ" + std::wstring(400, L'x');
    CHECK(plat::SetItemText(h, IDOK, japanese));
    CHECK(plat::GetItemText(h, IDOK) == japanese);
    CHECK(plat::GetItemText(h, 4711).empty());
    CHECK(plat::CheckButton(h, IDC_BOTTUN_ON, BST_CHECKED));
    CHECK_EQ(plat::IsButtonChecked(h, IDC_BOTTUN_ON), BST_CHECKED);
    CHECK_EQ(plat::IsButtonChecked(h, IDC_BOTTUN_OFF), BST_UNCHECKED);
    dlg.DestroyWindow();
}
