// Drops of files and folders onto the main window: the playlist they make, the state they reset, the
// movie that opens, and the trees that used to break the scan (link loops, long paths, empty folders).
#include "support/player_fixture.h"

#include "playback/drop_scan.h"
#include "framework/paths.h"

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
    Drop({P("o")});
    EXPECT_EQ(g_nEntryCount, 0);
    EXPECT_EQ(g_bClosed, 1);
    EXPECT_EQ(g_bPaused, 1);
    for (const auto& line : Mci())
        EXPECT_EQ(line.find("open"), std::string::npos) << line;
    sim::ClearLog();
    sim::Tick(3);
    EXPECT_EQ(LogCount(sim::Log(), "mci \"status movie position\""), 0) << "the end check does not spin";
}

TEST_F(DropTest, LinksBackToAnAncestorEndTheScan) {
    File("a.avi");
    Dir("sub");
    File("sub/b.avi");
    Link("sub/up", root);  // back to the dropped folder
    Link("sub/self", "."); // to itself
    Link("zz", "sub");     // a second way into sub, reached after it: skipped
    Drop({P("")});
    const std::vector<std::wstring> want = {P("a.avi"), P("sub/b.avi")};
    EXPECT_EQ(Playlist(), want);
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

TEST(JoinPath, AddsOneSeparator) {
    EXPECT_EQ(JoinPath(L"C:\\m", L"a.avi"), L"C:\\m\\a.avi");
    EXPECT_EQ(JoinPath(L"C:\\", L"a.avi"), L"C:\\a.avi");
    EXPECT_EQ(JoinPath(L"C:\\m", L"sub"), L"C:\\m\\sub");
}

} // namespace
