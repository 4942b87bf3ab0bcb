// The seam's non-dialog functions on the real system: list boxes, files and long paths, drops,
// resources, process facts, pointer, MCI; and the backend's pure helpers.
#include "framework/afxwin.h"
#include "framework/win32/long_path.h"
#include "framework/win32/selftest/check.h"
#include "framework/win32/selftest/probe.h"
#include "framework/win32/wheel_notches.h"
#include "resource.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace fw;

namespace {

std::vector<std::wstring> Items(HWND listBox) {
    std::vector<std::wstring> items;
    std::wstring text;
    for (int i = 0; plat::ListBoxText(listBox, i, &text); ++i)
        items.push_back(text);
    return items;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    plat::FileHandle f = plat::FileOpen(path, plat::kCreateWrite);
    if (!f) return false;
    const bool ok = plat::FileWrite(f, bytes.data(), bytes.size()) && plat::FileFlush(f);
    return plat::FileClose(f) && ok;
}

std::string ReadFileBytes(const std::wstring& path) {
    plat::FileHandle f = plat::FileOpen(path, plat::kRead);
    if (!f) return "<cannot open>";
    std::string bytes(static_cast<size_t>(std::max(0LL, plat::FileLength(f))), '\0');
    const long long got = plat::FileRead(f, &bytes[0], bytes.size());
    plat::FileClose(f);
    return got == static_cast<long long>(bytes.size()) ? bytes : "<short read>";
}

struct Listed {
    std::wstring name;
    bool isDirectory;
    bool operator==(const Listed& o) const { return name == o.name && isDirectory == o.isDirectory; }
    bool operator<(const Listed& o) const { return name < o.name; }
};

std::vector<Listed> SortedListing(const std::wstring& dir, bool* ok) {
    std::vector<plat::DirEntry> entries;
    *ok = plat::ListDirectory(dir, &entries);
    std::vector<Listed> listed;
    for (const plat::DirEntry& e : entries)
        listed.push_back(Listed{e.name, e.isDirectory});
    std::sort(listed.begin(), listed.end());
    return listed;
}

} // namespace

TEST_CASE(sorted_list_box_orders_without_case_and_keeps_long_items) {
    CDialog dlg(IDD_PLAYER);
    CHECK(dlg.Create(IDD_PLAYER));
    HWND list = plat::GetDialogItem(dlg.m_hWnd, IDC_PLAYLIST);
    for (const wchar_t* s : {L"b.avi", L"A.avi", L"c.avi", L"a2.avi"})
        plat::ListBoxAdd(list, s);
    const std::wstring longItem = L"Z:\\" + std::wstring(1000, L'ä') + L".avi";
    plat::ListBoxAdd(list, longItem);
    const std::vector<std::wstring> want = {L"A.avi", L"a2.avi", L"b.avi", L"c.avi", longItem};
    CHECK(Items(list) == want);
    CHECK_EQ(plat::ListBoxCount(list), 5);

    std::wstring untouched = L"keep";
    CHECK(!plat::ListBoxText(list, 5, &untouched));
    CHECK(!plat::ListBoxText(list, -1, &untouched));
    CHECK(untouched == L"keep");

    plat::ListBoxDelete(list, 0);
    CHECK(Items(list).front() == L"a2.avi");
    plat::ListBoxReset(list);
    CHECK_EQ(plat::ListBoxCount(list), 0);
    dlg.DestroyWindow();
}

TEST_CASE(files_work_beyond_the_classic_path_limit) {
    const std::wstring base = probe::TempFolder() + L"telly-selftest";
    std::wstring dir = base;
    CHECK(probe::MakeFolder(dir));
    while (dir.size() < 300) { // a chain of folders whose last one is far past MAX_PATH
        dir += L"\\" + std::wstring(40, L'd');
        CHECK(probe::MakeFolder(dir));
    }
    CHECK(probe::MakeFolder(dir + L"\\sub"));
    const std::wstring file = dir + L"\\ファイル.txt";
    CHECK(WriteFileBytes(file, "hello\r\n"));
    CHECK(ReadFileBytes(file) == "hello\r\n");

    bool ok = false;
    const std::vector<Listed> want = {{L".", true}, {L"..", true}, {L"sub", true}, {L"ファイル.txt", false}};
    CHECK(SortedListing(dir, &ok) == want);
    CHECK(ok);
    SortedListing(file, &ok);
    CHECK(!ok); // a file is no folder
    SortedListing(dir + L"\\missing", &ok);
    CHECK(!ok);

    // Same folder through another spelling: same identity; a different folder: another one.
    plat::FileIdentity a{}, b{}, c{};
    CHECK(plat::GetFileIdentity(dir, &a));
    CHECK(plat::GetFileIdentity(dir + L"\\sub\\..", &b));
    CHECK(plat::GetFileIdentity(dir + L"\\sub", &c));
    CHECK(a == b);
    CHECK(!(a == c));
    CHECK(!plat::GetFileIdentity(dir + L"\\missing", &c));

    // Replace an existing file in one step; the source is gone afterwards.
    const std::wstring temp = dir + L"\\new.tmp";
    CHECK(WriteFileBytes(temp, "second"));
    CHECK(plat::FileReplace(temp, file));
    CHECK(ReadFileBytes(file) == "second");
    CHECK(!probe::Exists(temp));
    CHECK(plat::FileDelete(file));
    CHECK(!probe::Exists(file));
    CHECK(!plat::FileDelete(file));
    CHECK(plat::FileOpen(file, plat::kRead) == nullptr);

    CHECK(probe::RemoveFolder(dir + L"\\sub"));
    for (std::wstring d = dir; d.size() >= base.size(); d = d.substr(0, d.rfind(L'\\')))
        CHECK(probe::RemoveFolder(d));
}

TEST_CASE(empty_file_reads_nothing_and_writes_create) {
    const std::wstring path = probe::TempFolder() + L"telly-selftest-empty.txt";
    CHECK(WriteFileBytes(path, ""));
    plat::FileHandle f = plat::FileOpen(path, plat::kRead);
    CHECK(f != nullptr);
    char byte = 0;
    CHECK_EQ(plat::FileLength(f), 0);
    CHECK_EQ(plat::FileRead(f, &byte, 1), 0);
    CHECK(plat::FileClose(f));
    CHECK(plat::FileDelete(path));
}

TEST_CASE(drop_items_come_back_whole) {
    const std::vector<std::wstring> paths = {L"Z:\\a.avi", L"Z:\\" + std::wstring(400, L'n') + L"\\long.avi",
                                             L"Z:\\日本語\\動画.avi"};
    HDROP drop = probe::MakeDrop(paths);
    CHECK(drop != nullptr);
    CHECK_EQ(plat::DropCount(drop), 3u);
    for (UINT i = 0; i < 3; ++i) {
        std::wstring got;
        CHECK(plat::DropItem(drop, i, &got));
        CHECK(got == paths[i]);
    }
    std::wstring past = L"keep";
    CHECK(!plat::DropItem(drop, 3, &past));
    CHECK(past == L"keep");
    plat::FinishDrop(drop);
}

TEST_CASE(program_resources_are_found) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    CHECK(plat::LockResourceBytes(plat::ModuleHandle(), IDB_SKIN, RT_BITMAP_ID, &data, &size));
    CHECK(size > 40);
    DWORD headerSize = 0;
    if (data) std::memcpy(&headerSize, data, sizeof headerSize);
    CHECK_EQ(headerSize, 40u);
    CHECK(!plat::LockResourceBytes(plat::ModuleHandle(), 4711, RT_BITMAP_ID, &data, &size));
    CHECK(plat::LoadAppIcon(plat::ModuleHandle(), IDR_MAINFRAME) != nullptr);
    CHECK(plat::ModuleHandle() == AfxGetInstanceHandle() || AfxGetApp() == nullptr);
}

TEST_CASE(process_arguments_and_settings_folder) {
    // run_under_wine.sh passes exactly these two arguments.
    const std::vector<std::wstring> args = plat::CommandLineArgs();
    CHECK_EQ(args.size(), 3u);
    if (args.size() == 3) {
        CHECK(args[0].size() > 4 && args[0].compare(args[0].size() - 4, 4, L".exe") == 0);
        CHECK(args[1] == L"two words");
        CHECK(args[2] == L"x");
    }
    const std::wstring settings = plat::UserSettingsDir();
    CHECK(settings.size() > 7 && settings.compare(settings.size() - 7, 7, L"\\Telly\\") == 0);
    CHECK(probe::IsFolder(settings));
}

TEST_CASE(clock_counts_milliseconds) {
    const long start = plat::ClockMs();
    probe::Sleep(120);
    const long elapsed = plat::ClockMs() - start;
    CHECK(elapsed >= 100);
    CHECK(elapsed < 10000); // seconds would mean the unit is wrong
}

TEST_CASE(pointer_position_clip_and_show_count) {
    CHECK(plat::SetPointerPos(33, 44));
    CHECK_EQ(probe::CursorPos().x, 33);
    CHECK_EQ(probe::CursorPos().y, 44);
    const RECT clip{10, 20, 11, 21};
    CHECK(plat::ClipPointer(&clip));
    const RECT got = probe::CursorClip();
    CHECK(got.left == 10 && got.top == 20 && got.right == 11 && got.bottom == 21);
    CHECK(plat::ClipPointer(nullptr));
    CHECK(probe::CursorClip().right > 11);
    const int hidden = plat::ShowPointer(FALSE);
    CHECK_EQ(plat::ShowPointer(TRUE), hidden + 1);
    plat::SetPointerPos(1000, 740); // out of the way of windows at the top left (the display is shared)
}

TEST_CASE(mci_answers_an_unknown_alias_with_an_error_and_no_text) {
    std::wstring reply = L"stale";
    CHECK(plat::MciSend(L"status movie length", &reply, 256) != 0);
    CHECK(reply.empty());
    CHECK(plat::MciSend(L"close movie", nullptr, 0) != 0);
}

TEST_CASE(mci_opens_a_movie_named_outside_the_ansi_code_page_by_its_short_name) {
    const std::wstring movie = probe::E2eMovie(L"grey.avi");
    if (movie.empty()) return; // only inside the end-to-end run, which makes the clips
    const std::wstring unicodeName = probe::TempFolder() + L"テレビ selftest.avi";
    CHECK(probe::CopyTo(movie, unicodeName));
    // Wine's device cannot open the name itself; its short name is plain ASCII and opens.
    const std::wstring shortName = plat::ShortPathName(unicodeName);
    CHECK(!shortName.empty() && shortName != unicodeName);
    for (wchar_t c : shortName)
        CHECK(c <= 0x7F);
    CHECK_EQ(plat::MciSend(L"open \"" + shortName + L"\" alias  movie", nullptr, 0), 0u);
    std::wstring length;
    CHECK_EQ(plat::MciSend(L"status movie length", &length, 256), 0u);
    CHECK(!length.empty() && length != L"0");
    CHECK_EQ(plat::MciSend(L"close movie", nullptr, 0), 0u);
    CHECK(plat::FileDelete(unicodeName));
}

TEST_CASE(extended_length_form_table) {
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
        CHECK(fw::win32::ExtendedLengthForm(r.in) == r.out);
    CHECK(fw::win32::ExtendedLengthForm(std::wstring(247, L'a')).size() == 247);
}

TEST_CASE(wheel_notch_table) {
    struct Row {
        int remainder, delta, notches, remainderAfter;
    } rows[] = {
        {0, 120, 1, 0},     {0, -120, -1, 0},  {0, 240, 2, 0},  {0, 60, 0, 60},        {60, 60, 1, 0},
        {0, -150, -1, -30}, {-30, -90, -1, 0}, {60, -60, 0, 0}, {0, -32768, -273, -8}, {119, 32767, 274, 6},
    };
    for (const Row& r : rows) {
        int remainder = r.remainder;
        CHECK_EQ(fw::win32::TakeWheelNotches(&remainder, r.delta), r.notches);
        CHECK_EQ(remainder, r.remainderAfter);
    }
}
