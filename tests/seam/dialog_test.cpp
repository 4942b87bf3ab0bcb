// Dialogs made from the program's templates (res/telly.rc): the order of their first and last messages,
// refused creation, results of handled messages, the control styles the player relies on, radio groups,
// item texts, the dialog manager's close and wheel handling, owned windows.
#include "framework/afxwin.h"
#include "res/resource.h"
#include "seam/seam_env.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace fw;

namespace {

constexpr UINT kWmNcDestroy = 0x0082;
constexpr UINT kAskValue = WM_USER + 7; // answered with 4242
constexpr UINT kUnhandled = WM_USER + 8;
constexpr UINT_PTR kEndTimer = 7;
constexpr DWORD kLbsSort = 0x0002, kSbsVert = 0x0001;

int IndexOf(const std::vector<UINT>& messages, UINT msg) {
    for (size_t i = 0; i < messages.size(); ++i)
        if (messages[i] == msg) return static_cast<int>(i);
    return -1;
}

// Records every message its dispatcher delivers; what it does with them is set by its members.
class RecorderDlg : public CDialog {
public:
    explicit RecorderDlg(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

    BOOL OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
        m_messages.push_back(msg);
        if (m_log && (msg == WM_DESTROY)) m_log->push_back(m_name);
        if (msg == WM_VSCROLL) m_scrollCodes.push_back(LOWORD(wp));
        return Handle(msg, wp, result) || CDialog::OnWndMsg(msg, wp, lp, result);
    }
    BOOL OnInitDialog() override {
        m_messages.push_back(WM_INITDIALOG);
        m_hwndAtInit = m_hWnd;
        return CDialog::OnInitDialog();
    }
    void OnCancel() override {
        ++m_cancels;
        CDialog::OnCancel();
    }
    void DoDataExchange(CDataExchange* dx) override {
        if (!m_exchangeRadios) return;
        DDX_Radio(dx, IDC_WHEEL_PAUSE_MODE1, m_pauseMode);
        DDX_Radio(dx, IDC_WHEEL_PLAY_MODE1, m_playMode);
        DDX_Radio(dx, IDC_BOTTUN_OFF, m_buttonMode);
    }

    std::vector<UINT> m_messages;
    std::vector<UINT> m_scrollCodes;
    HWND m_hwndAtCreate = nullptr, m_hwndAtInit = nullptr;
    bool m_refuseCreation = false;
    int m_endAtTick = 0;       // modal: EndDialog(77) at this tick of the timer started in WM_CREATE
    bool m_nestAtTick = false; // modal: at the first tick, create and destroy a modeless dialog
    std::vector<UINT> m_nestedMessages;
    int m_ticks = 0, m_cancels = 0;
    HICON m_dragIcon = nullptr;
    bool m_exchangeRadios = false;
    int m_pauseMode = 0, m_playMode = 0, m_buttonMode = 0;
    std::vector<std::string>* m_log = nullptr; // who got WM_DESTROY, in order
    std::string m_name;

private:
    BOOL Handle(UINT msg, WPARAM wp, LRESULT* result) {
        switch (msg) {
        case WM_CREATE:
            m_hwndAtCreate = m_hWnd;
            if (m_endAtTick) SetTimer(kEndTimer, 50, nullptr);
            *result = m_refuseCreation ? -1 : 0;
            return TRUE;
        case WM_TIMER:
            if (wp != kEndTimer) return FALSE;
            if (++m_ticks == 1 && m_nestAtTick) {
                RecorderDlg nested(IDD_PLAYER);
                if (nested.Create(IDD_PLAYER, this)) nested.DestroyWindow();
                m_nestedMessages = nested.m_messages;
            }
            if (m_ticks == m_endAtTick) {
                KillTimer(kEndTimer);
                EndDialog(77);
            }
            return TRUE;
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
};

class DialogSeam : public SeamTest {};

TEST_F(DialogSeam, ModalDialogHearsCreateBeforeInitAndEndsWithItsResult) {
    seam::LetModalLoopsRun(IDD_MOUSE_SETTINGS);
    RecorderDlg dlg(IDD_MOUSE_SETTINGS);
    dlg.m_endAtTick = 3;
    EXPECT_EQ(dlg.DoModal(), 77);
    const std::vector<UINT>& m = dlg.m_messages;
    EXPECT_EQ(IndexOf(m, WM_CREATE), 0);
    EXPECT_GT(IndexOf(m, WM_INITDIALOG), 0);
    EXPECT_NE(dlg.m_hwndAtCreate, nullptr) << "the object knows its window from WM_CREATE on";
    EXPECT_EQ(dlg.m_hwndAtCreate, dlg.m_hwndAtInit);
    EXPECT_EQ(dlg.m_ticks, 3) << "the timer started in WM_CREATE runs in the modal loop";
    EXPECT_GT(IndexOf(m, WM_DESTROY), IndexOf(m, WM_INITDIALOG));
    EXPECT_GT(IndexOf(m, kWmNcDestroy), IndexOf(m, WM_DESTROY));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogSeam, DialogMadeInsideAModalLoopHearsCreateToo) {
    seam::LetModalLoopsRun(IDD_MOUSE_SETTINGS);
    RecorderDlg dlg(IDD_MOUSE_SETTINGS);
    dlg.m_endAtTick = 1;
    dlg.m_nestAtTick = true;
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_EQ(IndexOf(dlg.m_nestedMessages, WM_CREATE), 0);
    EXPECT_GT(IndexOf(dlg.m_nestedMessages, WM_INITDIALOG), 0);
    EXPECT_GT(IndexOf(dlg.m_nestedMessages, kWmNcDestroy), IndexOf(dlg.m_nestedMessages, WM_INITDIALOG));
}

TEST_F(DialogSeam, CreateAnsweringMinusOneFailsTheDialogAtOnce) {
    seam::LetModalLoopsRun(IDD_PLAYER);
    RecorderDlg modal(IDD_PLAYER);
    modal.m_refuseCreation = true;
    modal.m_endAtTick = 1000; // would keep it open for a minute if the refusal were ignored
    EXPECT_EQ(modal.DoModal(), -1);
    EXPECT_EQ(IndexOf(modal.m_messages, WM_INITDIALOG), -1);
    EXPECT_EQ(modal.m_ticks, 0);
    EXPECT_GT(IndexOf(modal.m_messages, kWmNcDestroy), 0) << "told that the window is gone";
    EXPECT_EQ(modal.m_hWnd, nullptr);

    RecorderDlg modeless(IDD_PLAYER);
    modeless.m_refuseCreation = true;
    EXPECT_FALSE(modeless.Create(IDD_PLAYER));
    EXPECT_EQ(modeless.m_hWnd, nullptr);
    EXPECT_EQ(IndexOf(modeless.m_messages, WM_INITDIALOG), -1);
}

TEST_F(DialogSeam, HandledMessagesAnswerWithTheHandlersResult) {
    RecorderDlg dlg(IDD_PLAYER);
    ASSERT_TRUE(dlg.Create(IDD_PLAYER));
    EXPECT_EQ(dlg.SendMessage(kAskValue), 4242);
    EXPECT_EQ(dlg.SendMessage(kUnhandled), 0);
    CWinApp app;
    dlg.m_dragIcon = app.LoadIcon(IDR_MAINFRAME);
    ASSERT_NE(dlg.m_dragIcon, nullptr);
    EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dlg.m_dragIcon));
    EXPECT_EQ(app.LoadIcon(4711), nullptr);
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogSeam, MainWindowIsABorderlessPopupWithHiddenDataHolders) {
    RecorderDlg dlg(IDD_PLAYER);
    ASSERT_TRUE(dlg.Create(IDD_PLAYER));
    const DWORD style = dlg.GetStyle();
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_VSCROLL), WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_SYSMENU), 0u);
    for (int id : {IDC_PLAYLIST, IDC_FOLDER_QUEUE}) {
        const CWnd list(dlg.GetDlgItem(id));
        EXPECT_EQ(list.GetStyle() & (kLbsSort | WS_VISIBLE), kLbsSort) << id;
    }
    const CWnd bar(dlg.GetDlgItem(IDC_FOCUS_SCROLLBAR));
    EXPECT_EQ(bar.GetStyle() & (kSbsVert | WS_DISABLED | WS_VISIBLE), kSbsVert | WS_DISABLED);
    EXPECT_EQ(dlg.GetDlgItem(4711), nullptr);
}

TEST_F(DialogSeam, RadioGroupsLoadAndSave) {
    RecorderDlg dlg(IDD_MOUSE_SETTINGS);
    dlg.m_exchangeRadios = true;
    dlg.m_pauseMode = 1;
    dlg.m_playMode = 5; // no such button: the group is left unchecked
    dlg.m_buttonMode = 0;
    ASSERT_TRUE(dlg.Create(IDD_MOUSE_SETTINGS)); // OnInitDialog loads the members into the buttons
    struct Check {
        int id;
        UINT state;
    };
    const Check loaded[] = {{IDC_WHEEL_PAUSE_MODE1, BST_UNCHECKED}, {IDC_WHEEL_PAUSE_MODE2, BST_CHECKED},
                            {IDC_WHEEL_PLAY_MODE1, BST_UNCHECKED},  {IDC_WHEEL_PLAY_MODE2, BST_UNCHECKED},
                            {IDC_BOTTUN_OFF, BST_CHECKED},          {IDC_BOTTUN_ON, BST_UNCHECKED}};
    for (const Check& c : loaded)
        EXPECT_EQ(dlg.IsDlgButtonChecked(c.id), c.state) << c.id;
    for (const int first : {IDC_WHEEL_PAUSE_MODE1, IDC_WHEEL_PLAY_MODE1, IDC_BOTTUN_OFF}) {
        const CWnd button(dlg.GetDlgItem(first));
        EXPECT_EQ(button.GetStyle() & (BS_TYPEMASK | BS_PUSHLIKE | WS_GROUP),
                  BS_AUTORADIOBUTTON | BS_PUSHLIKE | WS_GROUP)
            << first;
    }

    dlg.CheckDlgButton(IDC_BOTTUN_OFF, BST_UNCHECKED);
    dlg.CheckDlgButton(IDC_BOTTUN_ON, BST_CHECKED);
    dlg.CheckDlgButton(IDC_WHEEL_PLAY_MODE1, BST_CHECKED);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_pauseMode, 1);
    EXPECT_EQ(dlg.m_playMode, 0);
    EXPECT_EQ(dlg.m_buttonMode, 1);
    dlg.CheckDlgButton(IDC_BOTTUN_ON, BST_UNCHECKED);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_buttonMode, -1) << "no button of the group checked";
}

TEST_F(DialogSeam, ItemTextsComeBackWhole) {
    RecorderDlg dlg(IDD_MOUSE_SETTINGS);
    ASSERT_TRUE(dlg.Create(IDD_MOUSE_SETTINGS));
    EXPECT_EQ(dlg.GetDlgItemText(IDOK), L"OK");
    EXPECT_EQ(dlg.GetDlgItemText(IDCANCEL), L"\uff77\uff6c\uff9d\uff7e\uff99");
    const std::wstring japanese = L"\u64cd\u4f5c\u8a2d\u5b9a" + std::wstring(400, L'x');
    dlg.SetDlgItemText(IDOK, japanese);
    EXPECT_EQ(dlg.GetDlgItemText(IDOK), japanese);
    EXPECT_EQ(dlg.GetDlgItemText(4711), L"");
}

TEST_F(DialogSeam, SystemCloseBecomesTheCancelCommand) {
    RecorderDlg dlg(IDD_MOUSE_SETTINGS);
    ASSERT_TRUE(dlg.Create(IDD_MOUSE_SETTINGS));
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    // The dialog manager may post the command rather than send it.
    EXPECT_TRUE(seam::RunMessagesUntil([&] { return dlg.m_cancels > 0; }, 2000));
    EXPECT_EQ(dlg.m_cancels, 1);
    EXPECT_LT(IndexOf(dlg.m_messages, WM_SYSCOMMAND), IndexOf(dlg.m_messages, WM_CLOSE));
}

TEST_F(DialogSeam, WheelNotchesArriveAsLineScrolls) {
    struct Case {
        std::vector<int> deltas;
        std::vector<UINT> codes;
    };
    const Case cases[] = {
        {{120}, {SB_LINEUP}},
        {{-240}, {SB_LINEDOWN, SB_LINEDOWN}},
        {{60, 60}, {SB_LINEUP}}, // parts of a notch add up
        {{-150, -90}, {SB_LINEDOWN, SB_LINEDOWN}},
        {{100, -100}, {}},
        {{120, -240, 60, 60, -30}, {SB_LINEUP, SB_LINEDOWN, SB_LINEDOWN, SB_LINEUP}},
    };
    for (const Case& c : cases) {
        RecorderDlg dlg(IDD_PLAYER);
        ASSERT_TRUE(dlg.Create(IDD_PLAYER));
        for (int delta : c.deltas)
            dlg.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        EXPECT_EQ(dlg.m_scrollCodes, c.codes) << c.deltas.size() << " turns from " << c.deltas[0];
    }
}

TEST_F(DialogSeam, DestroyingAnOwnerDestroysTheWindowsItOwnsFirst) {
    std::vector<std::string> destroyed;
    RecorderDlg owner(IDD_PLAYER), owned(IDD_MOUSE_SETTINGS, &owner);
    owner.m_log = owned.m_log = &destroyed;
    owner.m_name = "owner";
    owned.m_name = "owned";
    ASSERT_TRUE(owner.Create(IDD_PLAYER));
    ASSERT_TRUE(owned.Create(IDD_MOUSE_SETTINGS, &owner));
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(destroyed, (std::vector<std::string>{"owned", "owner"}));
    EXPECT_EQ(owned.m_hWnd, nullptr) << "the owned object heard that its window is gone";
}

TEST_F(DialogSeam, TimerTicksArriveAsWmTimerUntilStopped) {
    RecorderDlg dlg(IDD_PLAYER);
    ASSERT_TRUE(dlg.Create(IDD_PLAYER));
    const auto ticks = [&] {
        return static_cast<int>(std::count(dlg.m_messages.begin(), dlg.m_messages.end(), WM_TIMER));
    };
    EXPECT_EQ(dlg.SetTimer(5000, 50, nullptr), 5000u);
    EXPECT_TRUE(seam::RunMessagesUntil([&] { return ticks() >= 3; }, 5000));
    EXPECT_TRUE(dlg.KillTimer(5000));
    const int stoppedAt = ticks();
    seam::RunMessages(300);
    EXPECT_EQ(ticks(), stoppedAt);
    EXPECT_FALSE(dlg.KillTimer(5000)) << "no such timer any more";
}

} // namespace
