// The framework's dialog layer on the simulated platform: message-map cracking, the dispatcher's
// routing of OK/Cancel, modal and modeless life, owners, Default() under nested sends, radio exchange through
// the simulated user's clicks. What the real dialog manager must agree with (creation order and refusal,
// owned windows, close, radio groups) is in the conformance suite (tests/seam).
#include "support/sim_fixture.h"

#include "res/resource.h"

#include <string>
#include <vector>

using namespace fw;

namespace {

constexpr UINT kNested = WM_USER + 1;
constexpr UINT kInner = WM_USER + 2;
constexpr UINT kAnswer = WM_USER + 3;

// A dialog on template 139 that records what its handlers were given.
class ProbeDlg : public CDialog {
public:
    explicit ProbeDlg(CWnd* parent = nullptr) : CDialog(IDD_MOUSE_SETTINGS, parent) {}

    int OnCreate(void*) {
        calls.push_back("create");
        return createAnswer;
    }
    BOOL OnInitDialog() override {
        calls.push_back("init");
        return CDialog::OnInitDialog();
    }
    void OnDestroy() {
        calls.push_back(std::string("destroy hwnd=") + (m_hWnd ? "set" : "null"));
        Default();
    }
    void OnLButtonDown(UINT flags, CPoint pt) {
        calls.push_back("ldown " + std::to_string(flags) + " " + std::to_string(pt.x) + "," +
                        std::to_string(pt.y));
    }
    void OnVScroll(UINT code, UINT pos, HWND bar) {
        calls.push_back("vscroll " + std::to_string(code) + " " + std::to_string(pos) + " " +
                        std::to_string(reinterpret_cast<intptr_t>(bar)));
    }
    void OnActivate(UINT state, HWND, BOOL minimized) {
        calls.push_back("activate " + std::to_string(state) + " " + std::to_string(minimized));
    }
    void OnMove(int x, int y) { calls.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
    void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }
    void OnDropFiles(HDROP drop) { calls.push_back("drop " + std::to_string(sim::DropItemCount(drop))); }
    void OnFirstMode() { calls.push_back("command 1032"); }
    LRESULT OnAnswer(WPARAM wp, LPARAM lp) { return static_cast<LRESULT>(wp) * 100 + lp; }
    LRESULT OnNested(WPARAM, LPARAM) {
        SendMessage(kInner, 7, 8); // re-enters the dispatcher for the same window
        Default();                 // must still be about kNested
        return 0;
    }
    LRESULT OnInner(WPARAM, LPARAM) { return 0; }
    void OnOK() override {
        calls.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        calls.push_back("cancel");
        CDialog::OnCancel();
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Radio(dx, IDC_WHEEL_PAUSE_MODE1, pauseMode);
        DDX_Radio(dx, IDC_WHEEL_PLAY_MODE1, playMode);
        DDX_Radio(dx, IDC_BOTTUN_OFF, buttonMode);
    }

    DECLARE_MESSAGE_MAP()

    std::vector<std::string> calls;
    int createAnswer = 0;
    int pauseMode = 0, playMode = 0, buttonMode = 0;
};

BEGIN_MESSAGE_MAP(ProbeDlg, CDialog)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_VSCROLL()
ON_WM_ACTIVATE()
ON_WM_MOVE()
ON_WM_TIMER()
ON_WM_DROPFILES()
ON_BN_CLICKED(IDC_WHEEL_PAUSE_MODE1, OnFirstMode)
ON_MESSAGE(kAnswer, OnAnswer)
ON_MESSAGE(kNested, OnNested)
ON_MESSAGE(kInner, OnInner)
END_MESSAGE_MAP()

class FrameworkDialogTest : public SimTest {
protected:
    // The log without the radio exchange's check messages and the base handlers' default processing.
    static std::vector<std::string> DialogCalls() {
        std::vector<std::string> out;
        for (const std::string& line : sim::Log())
            if (line.find(" BM_") == std::string::npos && line.compare(0, 8, "Default ") != 0)
                out.push_back(line);
        return out;
    }
    void TearDown() override {
        if (hwnd && sim::Info(hwnd) && !sim::Info(hwnd)->destroyed) sim::CloseModal(hwnd);
    }
    HWND OpenProbe() {
        hwnd = sim::OpenModal(dlg);
        return hwnd;
    }
    ProbeDlg dlg;
    HWND hwnd = nullptr;
};

TEST_F(FrameworkDialogTest, MessageMapCracksArguments) {
    ASSERT_NE(OpenProbe(), nullptr);
    dlg.calls.clear();
    struct Case {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        const char* call;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, 1, MAKELPARAM(10, 20), "ldown 1 10,20"},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(-3, -4), "ldown 0 -3,-4"}, // coordinates are signed 16-bit
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77), 0, "vscroll 5 77 0"},
        {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, "activate 2 1"},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0, "activate 0 0"},
        {WM_MOVE, 0, MAKELPARAM(-5, 300), "move -5,300"},
        {WM_TIMER, 5000, 0, "timer 5000"},
        {WM_COMMAND, MAKEWPARAM(IDC_WHEEL_PAUSE_MODE1, 0), 0, "command 1032"},
    };
    for (const Case& c : cases) {
        dlg.calls.clear();
        sim::Send(hwnd, c.msg, c.wp, c.lp);
        ASSERT_EQ(dlg.calls.size(), 1u) << c.call;
        EXPECT_EQ(dlg.calls[0], c.call);
    }
    const HDROP drop = sim::MakeDrop({L"a", L"b"});
    dlg.calls.clear();
    sim::Send(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(dlg.calls, std::vector<std::string>{"drop 2"});
}

TEST_F(FrameworkDialogTest, EntriesMatchOnlyTheirOwnMessage) {
    ASSERT_NE(OpenProbe(), nullptr);
    dlg.calls.clear();
    EXPECT_EQ(sim::Send(hwnd, kAnswer, 3, 4), 304) << "ON_MESSAGE returns the handler's result";
    // A notification other than BN_CLICKED (HIWORD != 0) is not the command.
    sim::Send(hwnd, WM_COMMAND, MAKEWPARAM(IDC_WHEEL_PAUSE_MODE1, 5), 0);
    sim::Send(hwnd, WM_MBUTTONDOWN, 0, 0); // no entry: falls through to the base map
    EXPECT_TRUE(dlg.calls.empty());
}

TEST_F(FrameworkDialogTest, OkAndCancelGoToTheirVirtualsAndEndTheDialog) {
    struct Case {
        int id;
        const char* call;
        INT_PTR result;
    };
    for (const Case c : {Case{IDOK, "ok", IDOK}, Case{IDCANCEL, "cancel", IDCANCEL}}) {
        sim::Reset();
        ProbeDlg probe;
        sim::SetModalDriver(IDD_MOUSE_SETTINGS, [&](HWND h) { sim::ClickButton(h, c.id); });
        EXPECT_EQ(probe.DoModal(), c.result) << c.call;
        EXPECT_EQ(probe.calls, (std::vector<std::string>{"create", "init", c.call, "destroy hwnd=set"}));
        EXPECT_EQ(probe.m_hWnd, nullptr);
        EXPECT_EQ(sim::LiveWindows(), 0);
    }
}

TEST_F(FrameworkDialogTest, ModalWithoutDriverEndsAsCancel) {
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ExpectSequence(DialogCalls(), {"CreateDialog 139"});
}

TEST_F(FrameworkDialogTest, EndDialogFromTheDriverGivesItsResult) {
    sim::SetModalDriver(IDD_MOUSE_SETTINGS, [&](HWND h) {
        EXPECT_EQ(dlg.m_hWnd, h);
        EXPECT_TRUE(sim::Info(h)->visible) << "DialogBox shows the dialog";
        dlg.EndDialog(42);
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    ExpectSequence(DialogCalls(), {"CreateDialog 139", "EndDialog dlg139 42"});
}

TEST_F(FrameworkDialogTest, FailedCreationReturnsMinusOneWithoutMessages) {
    sim::FailDialogCreation(IDD_MOUSE_SETTINGS, true);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(dlg.calls.empty());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "only the next creation fails";
}

TEST_F(FrameworkDialogTest, OwnerIsTheParentOrElseTheMainWindow) {
    ProbeDlg main;
    ASSERT_NE(sim::OpenModal(main), nullptr);
    TestApp()->m_pMainWnd = &main;

    HWND seen = nullptr;
    sim::SetModalDriver(IDD_MOUSE_SETTINGS, [&](HWND h) { seen = sim::Info(h)->owner; });
    ProbeDlg orphan;
    orphan.DoModal();
    EXPECT_EQ(seen, main.m_hWnd) << "no parent: the application's main window";

    ProbeDlg parent;
    ASSERT_NE(sim::OpenModal(parent), nullptr);
    ProbeDlg child(&parent);
    child.DoModal();
    EXPECT_EQ(seen, parent.m_hWnd);

    // The main window itself has no owner.
    sim::CloseModal(main.m_hWnd);
    main.DoModal();
    EXPECT_EQ(seen, nullptr);
    sim::CloseModal(parent.m_hWnd);
    TestApp()->m_pMainWnd = nullptr;
}

TEST_F(FrameworkDialogTest, ModelessDialogLivesUntilDestroyWindow) {
    ProbeDlg main;
    ASSERT_NE(sim::OpenModal(main), nullptr);
    TestApp()->m_pMainWnd = &main;
    ASSERT_TRUE(dlg.Create(IDD_MOUSE_SETTINGS));
    const HWND h = dlg.m_hWnd;
    EXPECT_EQ(sim::Info(h)->owner, main.m_hWnd);
    EXPECT_FALSE(sim::Info(h)->visible) << "template 139 has no WS_VISIBLE";
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(sim::Info(h)->destroyed);
    EXPECT_FALSE(dlg.DestroyWindow()) << "nothing left to destroy";
    sim::CloseModal(main.m_hWnd);
    TestApp()->m_pMainWnd = nullptr;
}

TEST_F(FrameworkDialogTest, DeletingAModelessObjectDestroysItsWindow) {
    HWND h = nullptr;
    {
        ProbeDlg doomed;
        ASSERT_TRUE(doomed.Create(IDD_MOUSE_SETTINGS));
        h = doomed.m_hWnd;
    }
    EXPECT_TRUE(sim::Info(h)->destroyed);
    EXPECT_EQ(sim::LiveWindows(), 0);
}

TEST_F(FrameworkDialogTest, DefaultAfterANestedSendStillMeansTheOuterMessage) {
    ASSERT_NE(OpenProbe(), nullptr);
    sim::ClearLog();
    sim::Send(hwnd, kNested, 1, 2);
    ExpectSequence(sim::Log(), {"SendMessage dlg139 WM_USER+2 7 8", "Default dlg139 WM_USER+1"});
}

TEST_F(FrameworkDialogTest, RadioGroupsLoadOnInitAndSaveOnOk) {
    dlg.pauseMode = 1;
    dlg.playMode = 5; // out of range: nothing checked
    dlg.buttonMode = 0;
    ASSERT_NE(OpenProbe(), nullptr);
    EXPECT_EQ(plat::IsButtonChecked(hwnd, IDC_BOTTUN_OFF), BST_CHECKED);
    sim::ClickButton(hwnd, IDC_BOTTUN_ON); // unchecks OFF, its group partner
    EXPECT_EQ(plat::IsButtonChecked(hwnd, IDC_BOTTUN_OFF), BST_UNCHECKED);
    sim::ClickButton(hwnd, IDOK);
    EXPECT_EQ(dlg.pauseMode, 1);
    EXPECT_EQ(dlg.playMode, -1) << "no button of the group checked";
    EXPECT_EQ(dlg.buttonMode, 1);
    INT_PTR result = 0;
    EXPECT_TRUE(sim::ModalEnded(hwnd, &result));
    EXPECT_EQ(result, IDOK);
}

} // namespace
