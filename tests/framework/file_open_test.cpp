// CFile's open reasons and trial files over the simulated platform (whose answers follow the Windows
// backend's: a folder in the way of a create is access denied). The settings tests use them in context.
#include "support/sim_fixture.h"

#include <cstdlib>
#include <fstream>

#include <sys/stat.h>

using namespace fw;

namespace {

class FileOpenTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        char pattern[] = "/tmp/telly-file-open-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        host = pattern;
        dir = sim::PlayerPath(host);
    }
    void TearDown() override { ASSERT_EQ(std::system(("rm -rf '" + host + "'").c_str()), 0); }
    std::wstring P(const wchar_t* name) const { return dir + L"\\" + name; }
    bool Exists(const std::string& name) const {
        struct stat st;
        return stat((host + "/" + name).c_str(), &st) == 0;
    }
    // Opens `path` as `flags` asks and returns the reason it failed (errNone when it opened).
    static CFile::OpenError Answer(const std::wstring& path, CFile::OpenFlags flags) {
        CFile f;
        f.Open(path, flags);
        return f.GetOpenError();
    }
    std::string host;
    std::wstring dir;
};

TEST_F(FileOpenTest, ReasonsTellAFolderThatRefusesFromANameInTheWay) {
    EXPECT_EQ(Answer(P(L"no\\such\\folder"), CFile::modeCreate), CFile::errNotFound);
    EXPECT_EQ(Answer(P(L"new"), CFile::modeCreate), CFile::errNone);

    ASSERT_EQ(mkdir((host + "/sub").c_str(), 0755), 0);
    EXPECT_EQ(Answer(P(L"sub"), CFile::modeCreate), CFile::errNameInUse) << "a folder of that name";
    EXPECT_EQ(Answer(P(L"sub"), CFile::modeRead), CFile::errAccessDenied) << "reading a folder as a file";

    // The system's access denied means the folder when nothing has the name, the name when something has.
    sim::InjectFileFault(sim::kFailCreate, P(L"new"), plat::kFileAccessDenied);
    EXPECT_EQ(Answer(P(L"new"), CFile::modeCreate), CFile::errNameInUse) << "a hidden file, say";
    sim::InjectFileFault(sim::kFailCreate, P(L"other"), plat::kFileAccessDenied);
    EXPECT_EQ(Answer(P(L"other"), CFile::modeCreate), CFile::errAccessDenied);
    EXPECT_FALSE(Exists("other"));
    sim::InjectFileFault(sim::kFailCreate, P(L"new"), plat::kFileSharingViolation);
    EXPECT_EQ(Answer(P(L"new"), CFile::modeCreateTrial), CFile::errNameInUse);

    sim::SetFolderRefusal(dir + L"\\", plat::kFileWriteProtected);
    EXPECT_EQ(Answer(P(L"x"), CFile::modeCreateTrial), CFile::errWriteProtected);
    EXPECT_EQ(Answer(P(L"new"), CFile::modeRead), CFile::errNone) << "reading goes on";
    EXPECT_FALSE(CFile::Replace(P(L"new"), P(L"moved")));
}

TEST_F(FileOpenTest, TrialFileIsGoneWhenClosedOrWhenTheProgramEnds) {
    {
        CFile trial;
        ASSERT_TRUE(trial.Open(P(L"trial"), CFile::modeCreateTrial));
        EXPECT_TRUE(trial.Write("x", 1));
        EXPECT_TRUE(Exists("trial"));
    }
    EXPECT_FALSE(Exists("trial"));
    CFile* leaked = new CFile;
    ASSERT_TRUE(leaked->Open(P(L"trial"), CFile::modeCreateTrial));
    sim::Reset(); // the process ends with the file open
    EXPECT_FALSE(Exists("trial"));
    delete leaked;
}

} // namespace
