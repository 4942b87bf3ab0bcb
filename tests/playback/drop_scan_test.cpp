// Drops of files and folders onto the main window: the playlist they make, the state they reset, the
// movie that opens, and the trees that used to break the scan (link loops, long paths, empty folders).
#include "support/player_fixture.h"

#include "playback/drop_scan.h"
#include "framework/paths.h"

#include <algorithm>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace fw;

namespace {

class DropTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        root = programDir + "/drop";
        ASSERT_EQ(::mkdir(root.c_str(), 0755), 0);
        OpenAndStart();
    }
    // Player path of a path under the tree root ("" is the root itself).
    std::wstring P(const std::string& rel) const {
        return sim::PlayerPath(rel.empty() ? root : root + "/" + rel);
    }
    void File(const std::string& rel) { std::ofstream(root + "/" + rel) << "x"; }
    void Dir(const std::string& rel) { ASSERT_EQ(::mkdir((root + "/" + rel).c_str(), 0755), 0) << rel; }
    void Link(const std::string& rel, const std::string& target) {
        ASSERT_EQ(::symlink(target.c_str(), (root + "/" + rel).c_str()), 0) << rel;
    }
    void Drop(const std::vector<std::wstring>& items) {
        sim::ClearLog();
        sim::Send(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(sim::MakeDrop(items)), 0);
    }
    std::vector<std::wstring> Playlist() { return sim::ListBoxItems(Item(IDC_PLAYLIST)); }
    std::vector<std::string> Mci() { return sim::LogLines("mci "); }
    static std::string Quoted(const std::wstring& command) {
        std::string s = "mci \"";
        for (wchar_t c : command)
            s += static_cast<char>(c); // test paths are ASCII
        return s + "\"";
    }
    std::string OpenLine(const std::wstring& path) { return Quoted(L"open \"" + path + L"\" alias  movie"); }

    std::string root;
};

TEST_F(DropTest, FolderTreeBecomesTheSortedPathsOfItsFiles) {
    File("b.avi");
    File("A.avi");
    Dir("c");
    File("c/d.avi");
    Drop({P("")});
    const std::vector<std::wstring> want = {P("") + L"\\A.avi", P("") + L"\\b.avi", P("") + L"\\c\\d.avi"};
    EXPECT_EQ(Playlist(), want);
    EXPECT_EQ(g_nEntryCount, 3);
    EXPECT_EQ(g_nCurrentIndex, 0);
    EXPECT_TRUE(sim::ListBoxItems(Item(IDC_FOLDER_QUEUE)).empty())
        << "the folder queue is empty after a drop";
    // Closed twice around the scan, then the first entry in sorted order opens; the handle is released last.
    ExpectOrderedPrefixes(sim::Log(), {"mci \"close movie\"", "mci \"close movie\"", "mci \"stop movie\"",
                                       OpenLine(want[0]), "mci \"play movie\"", "DragFinish"});
    EXPECT_EQ(LogCount(sim::Log(), "DragFinish"), 1);
}

TEST_F(DropTest, FolderAndOutsideFileMakeOneSortedList) {
    // On the host these are two folders, k and K: the sort ignores case, so their files interleave.
    Dir("k");
    File("k/a.avi");
    File("k/z.avi");
    Dir("K");
    File("K/m.avi");
    Drop({P("k"), P("K") + L"\\m.avi"});
    const std::vector<std::wstring> want = {P("k") + L"\\a.avi", P("K") + L"\\m.avi", P("k") + L"\\z.avi"};
    EXPECT_EQ(Playlist(), want);
    EXPECT_EQ(g_nEntryCount, 3);
}

TEST_F(DropTest, WhatNothingFoundMeans) {
    struct Case {
        const char* name;
        std::vector<std::string> dirs, files;
        std::vector<std::string> drop; // relative items
        std::vector<std::string> want; // relative entries
    } cases[] = {
        {"one file", {}, {"x.avi"}, {"x.avi"}, {"x.avi"}},
        {"empty folder gives itself", {"e"}, {}, {"e"}, {"e"}},
        {"missing path gives itself", {}, {}, {"gone.avi"}, {"gone.avi"}},
        {"only an empty subfolder gives nothing", {"o", "o/sub"}, {}, {"o"}, {}},
        {"items are judged one by one", {"o", "o/sub", "e"}, {"f.avi"}, {"o", "e", "f.avi"}, {"e", "f.avi"}},
        {"the same file dropped twice is listed twice",
         {},
         {"x.avi"},
         {"x.avi", "x.avi"},
         {"x.avi", "x.avi"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(std::system(("rm -rf '" + root + "' && mkdir '" + root + "'").c_str()), 0);
        for (const auto& d : c.dirs)
            Dir(d);
        for (const auto& f : c.files)
            File(f);
        std::vector<std::wstring> items, want;
        for (const auto& i : c.drop)
            items.push_back(P(i));
        for (const auto& w : c.want)
            want.push_back(P(w));
        Drop(items);
        EXPECT_EQ(Playlist(), want);
        EXPECT_EQ(g_nEntryCount, static_cast<int>(want.size()));
    }
}

TEST_F(DropTest, EmptyPlaylistOpensNothingAndStaysClosed) {
    Dir("o");
    Dir("o/sub");
    g_nPosition = 55;
    g_nPosDrag = 2; // a parked knob from before
    Drop({P("o")});
    EXPECT_EQ(g_nEntryCount, 0);
    EXPECT_EQ(g_nPosition, 0);
    EXPECT_EQ(g_nPosDrag, 0);
    EXPECT_EQ(g_bClosed, 1);
    EXPECT_EQ(g_bPaused, 1);
    for (const auto& line : Mci())
        EXPECT_EQ(line.find("open"), std::string::npos) << line;
    sim::ClearLog();
    sim::Tick(3);
    EXPECT_EQ(LogCount(sim::Log(), "mci \"status movie position\""), 0) << "the end check does not spin";
}

TEST_F(DropTest, OnlyALinkBackToAnAncestorIsSkipped) {
    File("a.avi");
    Dir("sub");
    File("sub/b.avi");
    Link("sub/up", root);  // back to the dropped folder
    Link("sub/self", "."); // to itself
    Link("zz", "sub");     // a second route into sub, not a loop: scanned again (its own up and self end)
    Drop({P("")});
    const std::vector<std::wstring> want = {P("a.avi"), P("sub/b.avi"), P("zz/b.avi")};
    EXPECT_EQ(Playlist(), want);
}

TEST_F(DropTest, FoldersSharingAnIdentityAreAllScanned) {
    // Two mounts under one folder, as Wine reports them: volume 0 for both, and their roots, and folders
    // inside them, with the same index.
    Dir("m1");
    Dir("m1/in");
    File("m1/in/red.avi");
    Dir("m2");
    Dir("m2/in");
    File("m2/in/green.avi");
    sim::SetFileIdentity(P("m1"), 0, 1);
    sim::SetFileIdentity(P("m2"), 0, 1);
    sim::SetFileIdentity(P("m1/in"), 0, 2);
    sim::SetFileIdentity(P("m2/in"), 0, 2);
    Drop({P("")});
    const std::vector<std::wstring> want = {P("m1/in/red.avi"), P("m2/in/green.avi")};
    EXPECT_EQ(Playlist(), want);
}

TEST_F(DropTest, AnAncestorsIndexOnAnotherVolumeIsNoLoop) {
    // NTFS gives every volume's root the same index: a volume mounted in a folder of another one.
    Dir("mnt");
    File("mnt/a.avi");
    sim::SetFileIdentity(P(""), 1, 5);
    sim::SetFileIdentity(P("mnt"), 2, 5);
    Drop({P("")});
    EXPECT_EQ(Playlist(), std::vector<std::wstring>{P("mnt/a.avi")});
}

TEST_F(DropTest, AZeroIdentityIsUnknownAndEqualsNothing) {
    // A network share reporting no file indexes: a folder and its subfolder both read as zero.
    Dir("share");
    File("share/a.avi");
    Dir("share/sub");
    File("share/sub/b.avi");
    sim::SetFileIdentity(P("share"), 0, 0);
    sim::SetFileIdentity(P("share/sub"), 0, 0);
    Drop({P("share")});
    const std::vector<std::wstring> want = {P("share/a.avi"), P("share/sub/b.avi")};
    EXPECT_EQ(Playlist(), want);
}

TEST_F(DropTest, TheDepthLimitEndsALoopIdentitiesCannotSee) {
    // loop/again leads back into loop, and every folder on the way reads as unknown.
    Dir("loop");
    File("loop/f.avi");
    Link("loop/again", ".");
    std::string rel = "loop";
    for (int i = 0; i < 40; ++i) {
        sim::SetFileIdentity(P(rel), 0, 0);
        rel += "/again";
    }
    CDropScanner scanner(Item(IDC_FOLDER_QUEUE), nullptr, 8);
    scanner.ScanItem(P(""));
    // Folders at depths 1 (loop) to 8 are listed; the ninth level is not.
    std::vector<std::wstring> want;
    rel = "loop";
    for (int depth = 1; depth <= 8; ++depth, rel += "/again")
        want.push_back(P(rel + "/f.avi"));
    EXPECT_EQ(scanner.Entries(), want);
    EXPECT_TRUE(sim::ListBoxItems(Item(IDC_FOLDER_QUEUE)).empty());

    // A folder beyond the limit finds nothing, and takes nothing from what its parent found: a dropped
    // folder holding only a subfolder is still a folder, not an entry.
    Dir("only");
    Dir("only/sub");
    CDropScanner shallow(Item(IDC_FOLDER_QUEUE), nullptr, 0);
    shallow.ScanItem(P("only"));
    EXPECT_TRUE(shallow.Entries().empty());
}

TEST_F(DropTest, ADeepRealTreeIsScannedWhole) {
    std::string rel = "d";
    Dir(rel);
    for (int depth = 2; depth <= 100; ++depth) {
        rel += "/d";
        Dir(rel);
    }
    File(rel + "/deep.avi");
    Drop({P("")});
    EXPECT_EQ(Playlist(), std::vector<std::wstring>{P(rel + "/deep.avi")});
}

TEST_F(DropTest, APathDroppedManyTimesIsListedAsOften) {
    File("same.avi");
    Drop(std::vector<std::wstring>(40, P("same.avi")));
    EXPECT_EQ(Playlist(), std::vector<std::wstring>(40, P("same.avi")));
}

TEST_F(DropTest, ManyDroppedItemsAreReadInOnePass) {
    std::vector<std::wstring> items;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "f" + std::to_string(i) + ".avi";
        File(name);
        items.push_back(P(name));
    }
    Dir("k");
    File("k/x.avi");
    items.push_back(P("k"));
    Drop(items);
    EXPECT_EQ(sim::LogLines("DragQueryFile"), std::vector<std::string>{"DragQueryFile all -> 41"});
    EXPECT_EQ(g_nEntryCount, 41);
    EXPECT_EQ(Playlist().front(), P("f0.avi"));
    EXPECT_EQ(Playlist().back(), P("k/x.avi"));
}

TEST_F(DropTest, TheWaitPointerShowsOnlyWhileALongScanRuns) {
    Dir("a");
    Dir("b");
    File("a/1.avi");
    File("b/2.avi");
    // Three quick listings: no sign needed.
    Drop({P("")});
    EXPECT_TRUE(sim::LogLines("SetCursor").empty());
    // Three listings of 60 ms, on a slow share: the pointer waits from the second folder on, and is back
    // before the first entry opens.
    sim::SetFolderListingTime(60);
    std::vector<std::string> pointerAtListing;
    sim::OnFolderListing([&](const std::wstring&) { pointerAtListing.push_back(sim::PointerShape()); });
    Drop({P("")});
    EXPECT_EQ(pointerAtListing, (std::vector<std::string>{"IDC_ARROW", "IDC_ARROW", "IDC_WAIT"}))
        << "the pointer waits while the scan still runs, not only once it is over";
    ExpectOrderedPrefixes(sim::Log(), {"SetCursor IDC_WAIT -> IDC_ARROW", "SetCursor IDC_ARROW -> IDC_WAIT",
                                       "mci \"stop movie\"", OpenLine(P("a/1.avi"))});
    EXPECT_EQ(sim::LogLines("SetCursor").size(), 2u);
    EXPECT_EQ(sim::PointerShape(), "IDC_ARROW");
}

TEST_F(DropTest, LongPathsAreKeptWholeAndPlayByTheirShortName) {
    std::string rel;
    for (int i = 0; i < 6; ++i) {
        rel += (i ? "/" : "") + std::string(48, static_cast<char>('a' + i));
        Dir(rel);
    }
    const std::string file = rel + "/movie.avi";
    File(file);
    const std::wstring path = P(file);
    ASSERT_GT(path.size(), 300u);
    // The device refuses the long path itself; the file's short name opens.
    sim::SetShortPath(path, L"C:\\MOVIE~1.AVI");
    sim::AddMovie(L"C:\\MOVIE~1.AVI", 100, 10);
    Drop({P("")});
    EXPECT_EQ(Playlist(), std::vector<std::wstring>{path});
    ExpectOrderedPrefixes(sim::Log(), {OpenLine(path), OpenLine(L"C:\\MOVIE~1.AVI"), "mci \"play movie\""});
    EXPECT_TRUE(sim::Mci().open);
    EXPECT_EQ(g_nLength, 100);
}

TEST_F(DropTest, ADropResetsThePlayerAndPlaysTheFirstEntry) {
    File("a.avi");
    File("b.avi");
    sim::AddMovie(P("a.avi"), 100, 10);
    struct Case {
        const char* name;
        int paused, closed;
    } cases[] = {{"while playing", 0, 0}, {"while paused", 1, 0}, {"after STOP", 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bPaused = c.paused;
        g_bClosed = c.closed;
        g_nCurrentIndex = 5;
        g_nPosKnobX = 120;
        g_nPosDrag = 2;
        g_nPosition = 777;
        Drop({P("")});
        EXPECT_EQ(g_bPaused, 0);
        EXPECT_EQ(g_bClosed, 0);
        EXPECT_EQ(g_nCurrentIndex, 0);
        EXPECT_EQ(g_nPosKnobX, 24);
        EXPECT_EQ(g_nPosDrag, 0);
        EXPECT_EQ(g_nPosition, 0);
        EXPECT_EQ(g_nLength, 100);
        EXPECT_TRUE(sim::Mci().playing);
        EXPECT_EQ(sim::Mci().path, P("a.avi"));
    }
}

TEST_F(DropTest, TheSortKeyAgreesWithTheListBox) {
    // The drop presents its entries in the key's order so that each insert lands at the end; that holds only
    // while the key orders as the list box's collation (the system's word sort) does. The same names are in
    // this order in a sorted list box under Wine.
    std::vector<std::wstring> names = {L"a b.avi",      L"a.avi",         L"a\\z.avi",    L"a_b.avi",
                                       L"A1.avi",       L"clip1.avi",     L"clip-10.avi", L"Clip2.avi",
                                       L"IMG_0001.avi", L"Disc 0\\x.avi", L"Disc 0.avi",  L"Disc0\\x.avi"};
    // And every ASCII character a name can hold, between two letters (upper case letters equal lower case
    // ones, and equal texts may stand in either order).
    for (wchar_t c = 0x20; c < 0x80; ++c)
        if (c != L'\\' && c != L'-' && c != L'\'' && !(c >= L'A' && c <= L'Z'))
            names.push_back(std::wstring(L"n") + c + L"m.avi");
    for (wchar_t c = L'A'; c <= L'Z'; ++c)
        names.push_back(std::wstring(L"q") + c + L"1.avi");
    std::vector<std::wstring> byKey;
    CListBox list(Item(IDC_FOLDER_QUEUE));
    std::reverse(names.begin(), names.end()); // far from sorted
    for (size_t i = 0; i < names.size(); ++i) {
        const std::wstring path = L"C:\\m\\" + names[i];
        byKey.push_back(path);
        list.AddString(path);
    }
    std::stable_sort(byKey.begin(), byKey.end(), [](const std::wstring& a, const std::wstring& b) {
        return PlaylistSortKey(a) < PlaylistSortKey(b);
    });
    EXPECT_EQ(sim::ListBoxItems(Item(IDC_FOLDER_QUEUE)), byKey);
    list.ResetContent();
}

TEST(JoinPath, AddsOneSeparator) {
    EXPECT_EQ(JoinPath(L"C:\\m", L"a.avi"), L"C:\\m\\a.avi");
    EXPECT_EQ(JoinPath(L"C:\\", L"a.avi"), L"C:\\a.avi");
    EXPECT_EQ(JoinPath(L"C:\\m", L"sub"), L"C:\\m\\sub");
}

} // namespace
