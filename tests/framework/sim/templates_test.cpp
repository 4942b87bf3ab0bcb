// Dialog templates as the simulated platform reads them from res/telly.rc, and the script reader itself. The
// styles the real dialog manager gives the player's windows are checked on both platforms in tests/seam.
#include "support/sim_fixture.h"

#include "framework/sim/rc_script.h"
#include "res/resource.h"

using namespace fw;

namespace {

TEST(SimTemplates, MainWindowTemplate) {
    ASSERT_EQ(sim::TemplateError(), "");
    const sim::DialogTemplate* t = sim::Template(IDD_PLAYER);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style, 0x90200040u);
    EXPECT_EQ(t->exStyle, 0x00040010u);
    EXPECT_EQ(t->fontName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t->fontSize, 9);
    EXPECT_EQ((std::vector<int>{t->x, t->y, t->cx, t->cy}), (std::vector<int>{0, 0, 162, 146}));
    struct Want {
        int id;
        const char* cls;
        DWORD style;
    };
    // CONTROL starts from WS_CHILD | WS_VISIBLE; NOT WS_VISIBLE takes it away again.
    const Want want[] = {
        {IDOK, "Button", 0x40010001},
        {IDCANCEL, "Button", 0x40010000},
        {IDC_EDIT_UNUSED, "Edit", 0x40810080},
        {IDC_PLAYLIST, "ListBox", 0x40A10103},
        {IDC_FOLDER_QUEUE, "ListBox", 0x40A10103},
        {IDC_FOCUS_SCROLLBAR, "ScrollBar", 0x48030001},
        {IDC_FRAME_UNUSED, "Static", 0x50000107},
    };
    ASSERT_EQ(t->controls.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(t->controls[i].id, want[i].id);
        EXPECT_EQ(t->controls[i].className, want[i].cls);
        EXPECT_EQ(t->controls[i].style, want[i].style) << want[i].id;
        EXPECT_EQ(t->controls[i].y, 130);
    }
    EXPECT_EQ(t->controls[1].text, L"ｷｬﾝｾﾙ");
}

TEST(SimTemplates, MouseSettingsTemplate) {
    const sim::DialogTemplate* t = sim::Template(IDD_MOUSE_SETTINGS);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style, 0x80C800C0u); // DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
    EXPECT_EQ(t->exStyle, 0u);
    EXPECT_EQ(t->caption, L"操作設定ダイアログ");
    ASSERT_EQ(t->controls.size(), 18u);
    EXPECT_EQ(t->controls[2].id, -1);
    EXPECT_EQ(sim::Template(4711), nullptr);
}

TEST(SimTemplates, ReaderSubset) {
    sim::detail::DefineTable defines;
    sim::detail::ReadDefines("#define IDD_X 300\n#define IDC_A (0x10)\n#define NOT_A_NUMBER foo\n", &defines);
    EXPECT_EQ(defines.at("IDC_A"), 16);
    EXPECT_EQ(defines.count("NOT_A_NUMBER"), 0u);
    const std::string script =
        "// comment\n#include <windows.h>\nLANGUAGE 0x11, 0x01\nIDI_X ICON \"x.ico\"\n"
        "STRINGTABLE\nBEGIN\n  1 \"a\"\nEND\n"
        "IDD_X DIALOGEX 1, 2, 30, 40\n"
        "STYLE WS_POPUP | 0x0040 | WS_BORDER | NOT WS_BORDER\n"
        "CAPTION \"say \"\"hi\"\"\"\n"
        "BEGIN\n"
        "  PUSHBUTTON \"Go\", IDC_A, 1, 2, 3, 4\n"
        "  LTEXT \"t\", -1, 0, 0, 5, 5, NOT WS_GROUP\n"
        "  SCROLLBAR 7, 0, 0, 8, 8, SBS_VERT | WS_DISABLED\n"
        "  CONTROL \"\", 8, \"Static\", SS_BLACKFRAME | NOT WS_VISIBLE, 1, 1, 1, 1, WS_EX_STATICEDGE\n"
        "END\n";
    std::map<int, sim::DialogTemplate> out;
    std::string error;
    ASSERT_TRUE(sim::detail::ParseResourceScript(script, defines, &out, &error)) << error;
    ASSERT_EQ(out.count(300), 1u);
    const sim::DialogTemplate& d = out.at(300);
    EXPECT_EQ(d.style, 0x80000040u);
    EXPECT_EQ(d.caption, L"say \"hi\"");
    ASSERT_EQ(d.controls.size(), 4u);
    EXPECT_EQ(d.controls[0].style, 0x50010000u); // push button: child, visible, tab stop
    EXPECT_EQ(d.controls[0].id, 16);
    EXPECT_EQ(d.controls[1].style, 0x50000000u);
    EXPECT_EQ(d.controls[2].className, "ScrollBar");
    EXPECT_EQ(d.controls[2].style, 0x58000001u);
    EXPECT_EQ(d.controls[3].style, 0x40000007u);
    EXPECT_EQ(d.controls[3].exStyle, 0x00020000u);
}

TEST(SimTemplates, ReaderReportsTheLineOfAnError) {
    std::map<int, sim::DialogTemplate> out;
    std::string error;
    EXPECT_FALSE(sim::detail::ParseResourceScript("1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_BOGUS\nBEGIN\nEND\n", {},
                                                  &out, &error));
    EXPECT_EQ(error.compare(0, 7, "line 2:"), 0) << error;
    EXPECT_FALSE(sim::detail::ParseResourceScript("1 DIALOG 0, 0, 1, 1\nBEGIN\n", {}, &out, &error));
}

class SimTemplateWindows : public SimTest {};

TEST_F(SimTemplateWindows, DialogsAreBuiltFromTheirTemplates) {
    const HWND h = plat::CreateModelessDialog(IDD_PLAYER, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    const sim::WindowInfo* info = sim::Info(h);
    EXPECT_EQ(info->name, "dlg102");
    EXPECT_EQ(info->style, 0x90200040u);
    EXPECT_TRUE(info->visible) << "WS_VISIBLE in the template";
    EXPECT_EQ(info->cx, sim::DluToPixelsX(162));
    EXPECT_EQ(info->cy, sim::DluToPixelsY(146));
    const HWND list = plat::GetDialogItem(h, IDC_PLAYLIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(sim::Info(list)->name, "dlg102.1006");
    EXPECT_FALSE(sim::Info(list)->visible);
    EXPECT_TRUE(sim::Info(plat::GetDialogItem(h, IDC_FRAME_UNUSED))->visible);
    // Siblings in template order, ending after the last control.
    HWND c = plat::GetDialogItem(h, IDOK);
    int n = 0;
    for (; c; c = plat::GetNextSibling(c))
        ++n;
    EXPECT_EQ(n, 7);
    EXPECT_EQ(sim::LiveWindows(), 8);
    plat::DestroyWnd(h);
    EXPECT_EQ(sim::LiveWindows(), 0);
    EXPECT_EQ(sim::DialogWindow(IDD_PLAYER), h);
}

} // namespace
