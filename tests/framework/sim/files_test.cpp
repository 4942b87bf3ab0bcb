// Simulated files: real host files under player paths, short names, links, injected faults. What the real
// platform does with files as well is held against it in the conformance suite (tests/seam).
#include "support/sim_fixture.h"

#include "framework/folders.h"

#include <cstdlib>
#include <fstream>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

using namespace fw;

namespace {

constexpr size_t kAnyLength = 1u << 20;

class SimFilesTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        char pattern[] = "/tmp/telly-sim-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        host = pattern;
        dir = sim::PlayerPath(host);
    }
    void TearDown() override { ASSERT_EQ(std::system(("rm -rf '" + host + "'").c_str()), 0); }
    std::wstring P(const wchar_t* name) const { return dir + L"\\" + name; }
    bool Write(const std::wstring& path, const std::string& bytes) {
        CFile f;
        return f.Open(path, CFile::modeCreate) && f.Write(bytes.data(), bytes.size()) && f.Flush() &&
               f.Close();
    }
    static std::string Read(const std::wstring& path) {
        std::string data = "<unread>";
        ReadWholeFile(path, &data, kAnyLength);
        return data;
    }
    std::string host;
    std::wstring dir;
};

TEST_F(SimFilesTest, PlayerPathsMapOntoHostPaths) {
    EXPECT_EQ(sim::HostPath(L"\\tmp\\a b\\ü.avi"), "/tmp/a b/ü.avi");
    EXPECT_EQ(sim::PlayerPath("/tmp/x/y"), L"\\tmp\\x\\y");
    ASSERT_TRUE(Write(P(L"RIVO.CFG"), "abc"));
    std::ifstream in(host + "/RIVO.CFG");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "abc");
    // A registered short name reaches its file; an empty one stands for a volume that keeps none.
    sim::SetShortPath(P(L"RIVO.CFG"), L"C:\\RIVO~1.CFG");
    EXPECT_EQ(sim::HostPath(L"C:\\RIVO~1.CFG"), host + "/RIVO.CFG");
    EXPECT_EQ(ShortPathOf(P(L"RIVO.CFG")), L"C:\\RIVO~1.CFG");
    sim::SetShortPath(P(L"RIVO.CFG"), L"");
    EXPECT_EQ(ShortPathOf(P(L"RIVO.CFG")), L"");
}

TEST_F(SimFilesTest, InjectedFaultsHitOnceAndOnlyTheirSuffix) {
    ASSERT_TRUE(Write(P(L"keep.txt"), "old"));
    struct Case {
        sim::FileFault fault;
        const char* what;
    };
    for (const Case c :
         {Case{sim::kFailCreate, "create"}, Case{sim::kFailWrite, "write"}, Case{sim::kFailRead, "read"},
          Case{sim::kFailReplace, "replace"}, Case{sim::kFailDelete, "delete"}}) {
        sim::InjectFileFault(c.fault, L"RIVO.CFG");
        EXPECT_TRUE(Write(P(L"other.txt"), "x")) << c.what << ": other paths are not hit";
        bool failed = false;
        switch (c.fault) {
        case sim::kFailCreate:
        case sim::kFailWrite:
            failed = !Write(P(L"RIVO.CFG"), "123456");
            break;
        case sim::kFailRead:
            failed = Read(P(L"RIVO.CFG")) == "<unread>";
            break;
        case sim::kFailReplace:
            failed = !plat::FileReplace(P(L"keep.txt"), P(L"RIVO.CFG"));
            break;
        case sim::kFailDelete:
            failed = !plat::FileDelete(P(L"RIVO.CFG"));
            break;
        }
        EXPECT_TRUE(failed) << c.what;
        if (c.fault == sim::kFailWrite) {
            EXPECT_EQ(Read(P(L"RIVO.CFG")), "123") << "half written";
        }
        EXPECT_TRUE(Write(P(L"RIVO.CFG"), "ok")) << c.what << ": the fault is used up";
    }
    EXPECT_TRUE(plat::FileReplace(P(L"keep.txt"), P(L"RIVO.CFG")));
    EXPECT_EQ(Read(P(L"RIVO.CFG")), "old");
    EXPECT_TRUE(plat::FileDelete(P(L"RIVO.CFG")));
    EXPECT_FALSE(plat::FileDelete(P(L"RIVO.CFG")));
}

TEST_F(SimFilesTest, ListingShowsDotsAndLinkedFoldersAsFolders) {
    ASSERT_EQ(mkdir((host + "/sub").c_str(), 0755), 0);
    ASSERT_TRUE(Write(P(L"a.avi"), "x"));
    ASSERT_EQ(symlink((host + "/sub").c_str(), (host + "/link").c_str()), 0);
    ASSERT_EQ(symlink("/nonexistent/target", (host + "/dangling").c_str()), 0);
    std::vector<plat::DirEntry> entries;
    ASSERT_TRUE(plat::ListDirectory(dir, &entries));
    std::set<std::pair<std::wstring, bool>> got;
    for (const auto& e : entries)
        got.insert({e.name, e.isDirectory});
    EXPECT_EQ(got, (std::set<std::pair<std::wstring, bool>>{{L".", true},
                                                            {L"..", true},
                                                            {L"sub", true},
                                                            {L"link", true},
                                                            {L"a.avi", false},
                                                            {L"dangling", false}}));

    plat::FileIdentity viaLink{}, direct{}, file{};
    ASSERT_TRUE(plat::GetFileIdentity(P(L"link"), &viaLink));
    ASSERT_TRUE(plat::GetFileIdentity(P(L"sub"), &direct));
    EXPECT_EQ(viaLink, direct);
    EXPECT_FALSE(plat::GetFileIdentity(P(L"dangling"), &file));
}

TEST_F(SimFilesTest, FinishedDropsAndSettingsFolder) {
    const HDROP drop = sim::MakeDrop({L"C:\\a", L"C:\\b c"});
    EXPECT_EQ(sim::DropItemCount(drop), 2u);
    plat::FinishDrop(drop);
    EXPECT_EQ(sim::DropItemCount(drop), 0u);
    EXPECT_EQ(sim::Log(), std::vector<std::string>{"DragFinish"});

    EXPECT_EQ(plat::UserSettingsDir(), L"");
    sim::SetUserSettingsDir(P(L"user"));
    EXPECT_EQ(plat::UserSettingsDir(), P(L"user") + L"\\");
    struct stat st;
    EXPECT_EQ(stat((host + "/user").c_str(), &st), 0) << "created when missing";
}

} // namespace
