// ReadSettings and WriteSettings on real folders: the first start, reading by position, the template's
// seventh line, the fallback for a missing template, where the settings live when the program's folder
// refuses new files, and writes that fail part way (the previous file must survive byte for byte).
#include "support/player_fixture.h"

#include "panel/settings_paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <functional>
#include <fstream>
#include <iterator>

using namespace fw;

namespace {

const char kFirstStartFile[] = "[WindowPoint]\r\nx=0\r\ny=0\r\n[MouseMode]\r\n"
                               "Wheel1_Play =0\r\nWheel1_Pause=0\r\nWheel2_Mode =0\r\nBottunMode  =0\r\n";

std::array<int*, 9> SettingVariables() {
    return {&g_nWindowX,    &g_nWindowY,      &g_nWheel1Play, &g_nWheel1Pause, &g_nWheel2Mode,
            &g_nBottunMode, &g_nScanLineMode, &g_nMaskTop,    &g_nMaskBottom};
}
std::array<int, 9> SettingValues() {
    std::array<int, 9> v{};
    for (size_t n = 0; n < 9; ++n)
        v[n] = *SettingVariables()[n];
    return v;
}
void SetSettingValues(const std::array<int, 9>& v) {
    for (size_t n = 0; n < 9; ++n)
        *SettingVariables()[n] = v[n];
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}
std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void WriteHostFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

class SettingsFileTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        char pattern[] = "/tmp/telly-appdata-XXXXXX";
        const char* dir = mkdtemp(pattern);
        ASSERT_NE(dir, nullptr);
        appData = dir;
        // The per-user folder does not exist until something is written there.
        userDir = appData + "/Telly";
        sim::SetUserSettingsDir(sim::PlayerPath(userDir) + L"\\");
        settings = std::make_unique<CPlayerDlg>(nullptr);
    }
    void TearDown() override {
        settings.reset();
        std::string cmd = "rm -rf '" + appData + "'";
        if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << cmd;
        PlayerTest::TearDown();
    }
    std::string ProgramFile(const char* name) const { return programDir + "/" + name; }
    std::string UserFile(const char* name) const { return userDir + "/" + name; }
    void ShipTemplate() { WriteHostFile(ProgramFile("RIVO.sys"), ReadHostFile(TELLY_TEMPLATE_PATH)); }
    void MakeUserDir() { ASSERT_EQ(mkdir(userDir.c_str(), 0755), 0); }
    // The program's folder answers every create (and replace) as a read-only folder, share or medium does.
    void RefuseProgramFolder(plat::FileError reason = plat::kFileAccessDenied) {
        sim::SetFolderRefusal(sim::PlayerPath(programDir), reason);
    }
    // A start of the program as far as the settings go: fresh values, then OnInitDialog reads the settings
    // file or creates it.
    void Start() {
        ResetPlayerState();
        Open();
        sim::CloseModal(hwnd);
        hwnd = nullptr;
    }
    // The quit sequence's write.
    void Quit() { settings->WriteSettings(); }
    // Names in a host folder, sorted; empty when it does not exist.
    static std::vector<std::string> Names(const std::string& dir) {
        std::vector<std::string> names;
        if (DIR* d = opendir(dir.c_str())) {
            while (const dirent* e = readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.push_back(e->d_name);
            closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string appData, userDir;
    std::unique_ptr<CPlayerDlg> settings; // ReadSettings / WriteSettings need no window
};

TEST_F(SettingsFileTest, FirstStartCreatesTheTemplateWithZeros) {
    for (bool shipped : {true, false}) {
        SCOPED_TRACE(shipped ? "template beside the program" : "no template: built-in copy");
        std::remove(ProgramFile("RIVO.CFG").c_str());
        std::remove(ProgramFile("RIVO.sys").c_str());
        if (shipped) ShipTemplate();
        ResetPlayerState();
        EXPECT_FALSE(SettingsFileExists());
        Open(); // OnInitDialog finds no settings file and writes one
        const std::string bytes = ReadHostFile(ProgramFile("RIVO.CFG"));
        EXPECT_EQ(bytes.size(), 102u);
        EXPECT_EQ(bytes, kFirstStartFile);
        EXPECT_FALSE(FileExists(ProgramFile("RIVO.CFG.tmp")));
        EXPECT_FALSE(FileExists(userDir)) << "no per-user folder";
        sim::CloseModal(hwnd);
        hwnd = nullptr;
    }
}

TEST_F(SettingsFileTest, ReadTakesValuesByPosition) {
    struct Case {
        const char* name;
        std::string file;
        std::array<int, 9> expected; // every variable starts at 7
    };
    const Case cases[] = {
        {"x 300 and y 200 read as 0",
         "[WindowPoint]\r\nx=300\r\ny=200\r\n[MouseMode]\r\nWheel1_Play =1\r\nWheel1_Pause=0\r\n"
         "Wheel2_Mode =3\r\nBottunMode  =1\r\n",
         {0, 0, 1, 0, 3, 1, 7, 7, 7}},
        {"blank then 1 reads 1, letters read 0",
         "x=\r\ny=\r\nWheel1_Play = 1\r\nWheel1_Pause=abc\r\nWheel2_Mode =12abc\r\nBottunMode  =\t1\r\n",
         {0, 0, 1, 0, 12, 1, 7, 7, 7}},
        {"LF line ends",
         "x=9\ny=9\nWheel1_Play =1\nWheel1_Pause=1\nWheel2_Mode =0\nBottunMode  =1\n",
         {0, 0, 1, 1, 0, 1, 7, 7, 7}},
        {"swapped lines: position decides",
         "x=0\r\ny=0\r\nWheel1_Pause=1\r\nWheel1_Play =0\r\n",
         {0, 0, 1, 0, 7, 7, 7, 7, 7}},
        {"empty file changes nothing", "", {7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {"a file without '=' changes nothing",
         "[WindowPoint]\r\n[MouseMode]\r\n",
         {7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {"positions 7 to 9 when the file has them",
         "=\n=\n=1\n=1\n=1\n=1\n=2\n=25\n=24\n=99\n",
         {0, 0, 1, 1, 1, 1, 2, 25, 24}},
        {"numbers beyond int are clamped",
         "=\n=\n=99999999999\n=-99999999999\n",
         {0, 0, 2147483647, -2147483647 - 1, 7, 7, 7, 7, 7}},
    };
    for (const Case& c : cases) {
        WriteHostFile(ProgramFile("RIVO.CFG"), c.file);
        SetSettingValues({7, 7, 7, 7, 7, 7, 7, 7, 7});
        settings->ReadSettings();
        EXPECT_EQ(SettingValues(), c.expected) << c.name;
    }
}

TEST_F(SettingsFileTest, SeventhTemplateLineCarriesTheScanLineMode) {
    WriteHostFile(ProgramFile("RIVO.sys"), ReadHostFile(TELLY_TEMPLATE_PATH) + "ScanLine=\r\n");
    SetSettingValues({40, 50, 1, 0, 0, 1, 2, 25, 24});
    settings->WriteSettings();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")),
              "[WindowPoint]\r\nx=40\r\ny=50\r\n[MouseMode]\r\nWheel1_Play =1\r\nWheel1_Pause=0\r\n"
              "Wheel2_Mode =0\r\nBottunMode  =1\r\nScanLine=2\r\n");
    ResetPlayerState();
    settings->ReadSettings();
    EXPECT_EQ(SettingValues(), (std::array<int, 9>{0, 0, 1, 0, 0, 1, 2, 0, 0}));
}

TEST_F(SettingsFileTest, TemplateFallsBackToTheBuiltInCopyOnlyWhenItCannotBeRead) {
    struct Case {
        const char* name;
        bool present;
        std::string templ;
        bool failRead;
        std::string expected;
    };
    const Case cases[] = {
        {"missing", false, "", false, kFirstStartFile},
        {"unreadable", true, "x=\r\n", true, kFirstStartFile},
        {"empty but readable gives an empty file", true, "", false, ""},
        {"readable", true, "x=\r\n", false, "x=0\r\n"},
    };
    for (const Case& c : cases) {
        std::remove(ProgramFile("RIVO.sys").c_str());
        if (c.present) WriteHostFile(ProgramFile("RIVO.sys"), c.templ);
        WriteHostFile(ProgramFile("RIVO.CFG"), "old");
        if (c.failRead) sim::InjectFileFault(sim::kFailRead, L"RIVO.sys");
        ResetPlayerState();
        settings->WriteSettings();
        EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), c.expected) << c.name;
    }
}

// The settings text the shipped template gives for these mouse modes (x and y always 0).
std::string SettingsText(int wheel1Play, int wheel1Pause, int wheel2Mode, int bottunMode) {
    return "[WindowPoint]\r\nx=0\r\ny=0\r\n[MouseMode]\r\nWheel1_Play =" + std::to_string(wheel1Play) +
           "\r\nWheel1_Pause=" + std::to_string(wheel1Pause) +
           "\r\nWheel2_Mode =" + std::to_string(wheel2Mode) +
           "\r\nBottunMode  =" + std::to_string(bottunMode) + "\r\n";
}

TEST_F(SettingsFileTest, WritableFolderKeepsTheSettingsBesideTheProgram) {
    ShipTemplate();
    Start();
    g_nBottunMode = 1;
    Quit();
    Start();
    EXPECT_EQ(g_nBottunMode, 1);
    EXPECT_FALSE(FileExists(userDir)) << "no per-user folder";

    // A per-user file left by a copy in a read-only folder elsewhere is neither read nor written, also at
    // a first start.
    MakeUserDir();
    const std::string elsewhere = SettingsText(1, 1, 1, 0);
    WriteHostFile(UserFile("RIVO.CFG"), elsewhere);
    std::remove(ProgramFile("RIVO.CFG").c_str());
    Start();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), kFirstStartFile);
    EXPECT_EQ(g_nWheel1Play, 0);
    g_nBottunMode = 1;
    Quit();
    Start();
    EXPECT_EQ(g_nBottunMode, 1);
    EXPECT_EQ(g_nWheel1Play, 0);
    EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), elsewhere);
    EXPECT_EQ(Names(programDir), (std::vector<std::string>{"RIVO.CFG", "RIVO.sys"})) << "no trial file left";
}

TEST_F(SettingsFileTest, RefusingFolderWithAFileBesideTheProgramSeedsThePerUserFile) {
    ShipTemplate();
    const std::string beside = SettingsText(0, 1, 0, 0);
    WriteHostFile(ProgramFile("RIVO.CFG"), beside);
    RefuseProgramFolder();
    Start();
    EXPECT_EQ(g_nWheel1Pause, 1);
    EXPECT_FALSE(FileExists(userDir)) << "reading makes nothing";
    g_nBottunMode = 1; // chosen in the mouse settings dialog
    Quit();
    EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), SettingsText(0, 1, 0, 1));
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), beside);

    // Every later start reads the per-user file, and its changes hold.
    Start();
    EXPECT_EQ(g_nBottunMode, 1);
    g_nBottunMode = 0;
    g_nWheel1Play = 1;
    Quit();
    Start();
    EXPECT_EQ(g_nBottunMode, 0);
    EXPECT_EQ(g_nWheel1Play, 1);
    EXPECT_EQ(g_nWheel1Pause, 1);
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), beside);
    EXPECT_EQ(Names(userDir), std::vector<std::string>{"RIVO.CFG"});
}

TEST_F(SettingsFileTest, RefusingFolderWithoutAFileStartsThePerUserFileFromTheTemplate) {
    ShipTemplate();
    for (plat::FileError reason : {plat::kFileAccessDenied, plat::kFileWriteProtected}) {
        SCOPED_TRACE(reason);
        std::remove(UserFile("RIVO.CFG").c_str());
        RefuseProgramFolder(reason);
        Start();
        EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), kFirstStartFile);
        EXPECT_EQ(Names(programDir), std::vector<std::string>{"RIVO.sys"});
        g_nBottunMode = 1;
        Quit();
        Start();
        EXPECT_EQ(g_nBottunMode, 1);
    }
}

TEST_F(SettingsFileTest, PerUserFileIsReadOnlyWhileTheProgramFolderRefuses) {
    ShipTemplate();
    WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
    MakeUserDir();
    WriteHostFile(UserFile("RIVO.CFG"), SettingsText(0, 0, 0, 1));
    RefuseProgramFolder();
    Start();
    EXPECT_EQ(g_nBottunMode, 1);

    // The folder takes files again: the file beside the program is the settings file once more.
    RefuseProgramFolder(plat::kFileOk);
    Start();
    EXPECT_EQ(g_nBottunMode, 0);
    g_nWheel1Play = 1;
    Quit();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), SettingsText(1, 0, 0, 0));
    EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), SettingsText(0, 0, 0, 1));
}

TEST_F(SettingsFileTest, OnlyTheFolderItselfRefusingMovesTheSettings) {
    ShipTemplate();
    MakeUserDir();
    const std::string perUser = SettingsText(0, 0, 0, 1);
    WriteHostFile(UserFile("RIVO.CFG"), perUser);
    const std::wstring temp = sim::PlayerPath(ProgramFile("RIVO.CFG.tmp"));
    for (plat::FileError reason : {plat::kFileOtherError, plat::kFileNotFound}) {
        SCOPED_TRACE(reason);
        WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
        sim::InjectFileFault(sim::kFailCreate, temp, reason); // the start's trial meets it
        Start();
        EXPECT_EQ(g_nBottunMode, 0) << "the file beside the program is read";
        sim::InjectFileFault(sim::kFailCreate, temp, reason);
        g_nWheel1Pause = 1;
        Quit();
        EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), kFirstStartFile) << "a failed write";
        EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), perUser) << "not a reason to write elsewhere";
    }
}

TEST_F(SettingsFileTest, TakenTemporaryNameUsesTheNextOne) {
    ShipTemplate();
    const std::wstring temp = sim::PlayerPath(ProgramFile("RIVO.CFG.tmp"));
    struct Case {
        const char* what;
        std::function<void()> take;
    };
    const Case cases[] = {
        {"another player writing it",
         [&] { sim::InjectFileFault(sim::kFailCreate, temp, plat::kFileSharingViolation); }},
        {"a read-only leftover, which cannot be removed",
         [&] {
             WriteHostFile(ProgramFile("RIVO.CFG.tmp"), "read-only");
             ASSERT_EQ(chmod(ProgramFile("RIVO.CFG.tmp").c_str(), 0444), 0);
         }},
        {"a name the system will not open: access denied with the name taken",
         [&] {
             ASSERT_EQ(mkdir(ProgramFile("RIVO.CFG.tmp").c_str(), 0755), 0);
             sim::InjectFileFault(sim::kFailCreate, temp, plat::kFileAccessDenied);
         }},
        {"a folder of that name", [&] { ASSERT_EQ(mkdir(ProgramFile("RIVO.CFG.tmp").c_str(), 0755), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
        c.take();
        g_nBottunMode = 1;
        Quit();
        EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), SettingsText(0, 0, 0, 1));
        EXPECT_FALSE(FileExists(userDir));
        EXPECT_FALSE(FileExists(ProgramFile("RIVO.CFG.tmp1")));
        std::string cmd = "rm -rf '" + ProgramFile("RIVO.CFG.tmp") + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    // In a folder that refuses, a taken first name does not hide the folder's answer.
    ASSERT_EQ(mkdir(ProgramFile("RIVO.CFG.tmp").c_str(), 0755), 0);
    MakeUserDir();
    WriteHostFile(UserFile("RIVO.CFG"), SettingsText(1, 0, 0, 0));
    RefuseProgramFolder();
    Start();
    EXPECT_EQ(g_nWheel1Play, 1) << "the per-user file is read";
    RefuseProgramFolder(plat::kFileOk);
    Start();
    EXPECT_EQ(g_nWheel1Play, 0) << "and, once the folder takes files, the file beside the program";

    // Each of the eight names is tried: with only RIVO.CFG.tmp1 free the write still goes through.
    for (int n = 2; n < 8; ++n)
        ASSERT_EQ(mkdir(ProgramFile(("RIVO.CFG.tmp" + std::to_string(n)).c_str()).c_str(), 0755), 0);
    g_nWheel2Mode = 1;
    Quit();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), SettingsText(0, 0, 1, 1));
    EXPECT_FALSE(FileExists(ProgramFile("RIVO.CFG.tmp1")));

    // Every temporary name taken: the write fails and moves nothing.
    ASSERT_EQ(mkdir(ProgramFile("RIVO.CFG.tmp1").c_str(), 0755), 0);
    const std::string before = ReadHostFile(ProgramFile("RIVO.CFG"));
    g_nWheel1Pause = 1;
    Quit();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), before);
    EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), SettingsText(1, 0, 0, 0));
}

// What may stand at the temporary name when a write starts. Each is taken over or passed by without its
// target, or anything else outside the settings, being followed, emptied or written.
TEST_F(SettingsFileTest, WhatStandsAtTheTemporaryNameIsNeverFollowedOrEmptied) {
    ShipTemplate();
    const std::string victim = appData + "/victim.txt";
    const std::string tmp = ProgramFile("RIVO.CFG.tmp");
    const std::wstring tmpPath = sim::PlayerPath(tmp);
    struct Case {
        const char* what;
        std::function<void()> plant;
        bool victimExists; // after the write; its bytes are "precious" when it does
        bool removed;      // the stale name is gone afterwards (else the next name was taken)
    };
    const Case cases[] = {
        {"a stale file", [&] { WriteHostFile(tmp, "stale settings"); }, true, true},
        {"a hard link to another file", [&] { ASSERT_EQ(link(victim.c_str(), tmp.c_str()), 0); }, true, true},
        {"a link to another file", [&] { ASSERT_EQ(symlink(victim.c_str(), tmp.c_str()), 0); }, true, true},
        {"a dangling link",
         [&] {
             std::remove(victim.c_str());
             ASSERT_EQ(symlink(victim.c_str(), tmp.c_str()), 0);
         },
         false, true},
        {"a link to a folder", [&] { ASSERT_EQ(symlink(appData.c_str(), tmp.c_str()), 0); }, true, true},
        // Links the user may not delete: the name is passed by, and still nothing is written through them.
        {"a link to another file that cannot be removed",
         [&] {
             ASSERT_EQ(symlink(victim.c_str(), tmp.c_str()), 0);
             sim::InjectFileFault(sim::kFailDelete, tmpPath);
         },
         true, false},
        {"a hard link that cannot be removed",
         [&] {
             ASSERT_EQ(link(victim.c_str(), tmp.c_str()), 0);
             sim::InjectFileFault(sim::kFailDelete, tmpPath);
         },
         true, false},
        {"a dangling link that cannot be removed",
         [&] {
             std::remove(victim.c_str());
             ASSERT_EQ(symlink(victim.c_str(), tmp.c_str()), 0);
             sim::InjectFileFault(sim::kFailDelete, tmpPath);
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteHostFile(victim, "precious");
        WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
        c.plant();
        g_nBottunMode = 1;
        Quit();
        EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), SettingsText(0, 0, 0, 1));
        struct stat st;
        ASSERT_EQ(lstat(ProgramFile("RIVO.CFG").c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode)) << "the settings file is a file of its own";
        EXPECT_EQ(st.st_nlink, 1u);
        if (c.victimExists)
            EXPECT_EQ(ReadHostFile(victim), "precious");
        else
            EXPECT_FALSE(FileExists(victim)) << "a dangling link made nothing at its target";
        EXPECT_EQ(Names(appData),
                  c.victimExists ? std::vector<std::string>{"victim.txt"} : std::vector<std::string>{});
        const std::vector<std::string> left =
            c.removed ? std::vector<std::string>{"RIVO.CFG", "RIVO.sys"}
                      : std::vector<std::string>{"RIVO.CFG", "RIVO.CFG.tmp", "RIVO.sys"};
        EXPECT_EQ(Names(programDir), left) << "no temporary file of this write is left";
        std::string cmd = "rm -rf '" + tmp + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        g_nBottunMode = 0;
    }
}

TEST_F(SettingsFileTest, ReplacedFileKeepsItsPermissionsAndAReadOnlyOneIsTheUsersLock) {
    ShipTemplate();
    WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
    ASSERT_EQ(chmod(ProgramFile("RIVO.CFG").c_str(), 0640), 0);
    g_nWheel2Mode = 1;
    Quit();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), SettingsText(0, 0, 1, 0));
    struct stat st;
    ASSERT_EQ(stat(ProgramFile("RIVO.CFG").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the settings file's own permissions, not the temporary file's";

    // Read-only: read at every start, never written, and nothing goes elsewhere instead.
    const std::string locked = SettingsText(1, 0, 0, 1);
    WriteHostFile(ProgramFile("RIVO.CFG"), locked);
    ASSERT_EQ(chmod(ProgramFile("RIVO.CFG").c_str(), 0444), 0);
    Start();
    EXPECT_EQ(g_nWheel1Play, 1);
    EXPECT_EQ(g_nBottunMode, 1);
    g_nBottunMode = 0;
    Quit();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), locked);
    ASSERT_EQ(stat(ProgramFile("RIVO.CFG").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_EQ(Names(programDir), (std::vector<std::string>{"RIVO.CFG", "RIVO.sys"}))
        << "no temporary file left";
    EXPECT_FALSE(FileExists(userDir));
    Start();
    EXPECT_EQ(g_nBottunMode, 1) << "the lock holds over the next start";
}

TEST_F(SettingsFileTest, FolderNamedLikeTheSettingsFileIsLeftAlone) {
    ShipTemplate();
    ASSERT_EQ(mkdir(ProgramFile("RIVO.CFG").c_str(), 0755), 0);
    SetSettingValues({7, 7, 7, 7, 7, 7, 7, 7, 7});
    Open(); // starts: the folder opens as no settings file, and the first-start write goes nowhere
    EXPECT_NE(hwnd, nullptr);
    sim::CloseModal(hwnd);
    hwnd = nullptr;
    EXPECT_EQ(g_nWheel1Play, 7);
    g_nBottunMode = 1;
    Quit();
    EXPECT_EQ(Names(ProgramFile("RIVO.CFG")), std::vector<std::string>{}) << "nothing written into it";
    EXPECT_EQ(Names(programDir), (std::vector<std::string>{"RIVO.CFG", "RIVO.sys"}));
    EXPECT_FALSE(FileExists(userDir)) << "a folder in the way is no reason to write elsewhere";
}

TEST_F(SettingsFileTest, OversizedFilesAreNotTakenIntoMemory) {
    constexpr size_t kLimit = 64 * 1024;
    const std::string values = "x=0\r\ny=0\r\nWheel1_Play =1\r\nWheel1_Pause=1\r\n";
    struct Case {
        size_t size;
        bool read;
    } cases[] = {{kLimit, true}, {kLimit + 1, false}, {8u << 20, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        WriteHostFile(ProgramFile("RIVO.CFG"), values + std::string(c.size - values.size(), '#'));
        SetSettingValues({7, 7, 7, 7, 7, 7, 7, 7, 7});
        settings->ReadSettings();
        EXPECT_EQ(g_nWheel1Play, c.read ? 1 : 7);
        EXPECT_EQ(g_nWheel1Pause, c.read ? 1 : 7);
    }

    // A template past the limit gives way to the built-in copy: the settings file stays small.
    const std::string templ = "[T]\r\nx=\r\ny=\r\nWheel1_Play =\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        WriteHostFile(ProgramFile("RIVO.sys"), templ + std::string(c.size - templ.size(), '#'));
        SetSettingValues({0, 0, 1, 0, 0, 0, 0, 0, 0});
        Quit();
        const std::string written = ReadHostFile(ProgramFile("RIVO.CFG"));
        const std::string head = "[T]\r\nx=0\r\ny=0\r\nWheel1_Play =1\r\n";
        if (c.read)
            EXPECT_EQ(written.substr(0, head.size()), head);
        else
            EXPECT_EQ(written, SettingsText(1, 0, 0, 0));
    }
}

TEST_F(SettingsFileTest, FailedWriteLeavesThePreviousFileByteForByteOnEitherSide) {
    const std::string old =
        "[WindowPoint]\r\nx=0\r\ny=0\r\n[MouseMode]\r\nWheel1_Play =1\r\n" + std::string(3000, '#');
    struct Fault {
        const char* name;
        sim::FileFault fault;
    };
    const Fault faults[] = {
        {"at create", sim::kFailCreate}, {"at write", sim::kFailWrite}, {"at replace", sim::kFailReplace}};
    ShipTemplate();
    for (bool perUser : {false, true}) {
        SCOPED_TRACE(perUser ? "per-user folder" : "beside the program");
        const std::string dir = perUser ? userDir : programDir;
        if (perUser) {
            MakeUserDir();
            WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
            RefuseProgramFolder();
        }
        for (const Fault& f : faults) {
            SCOPED_TRACE(f.name);
            WriteHostFile(dir + "/RIVO.CFG", old);
            sim::InjectFileFault(f.fault, sim::PlayerPath(dir + "/RIVO.CFG.tmp"));
            SetSettingValues({0, 0, 0, 1, 0, 1, 0, 0, 0});
            Quit();
            EXPECT_EQ(ReadHostFile(dir + "/RIVO.CFG"), old);
            EXPECT_FALSE(FileExists(dir + "/RIVO.CFG.tmp")) << "the temporary file is removed";
            if (perUser) {
                EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), kFirstStartFile);
            }
            Quit(); // the next write, without a fault, goes through
            EXPECT_EQ(ReadHostFile(dir + "/RIVO.CFG"), SettingsText(0, 1, 0, 1));
        }
    }
}

TEST_F(SettingsFileTest, NowhereToWriteChangesNothing) {
    ShipTemplate();
    WriteHostFile(ProgramFile("RIVO.CFG"), kFirstStartFile);
    RefuseProgramFolder();
    g_nBottunMode = 1;
    sim::SetUserSettingsDir(L""); // the platform has no per-user folder
    Quit();
    WriteHostFile(appData + "/file", "");
    sim::SetUserSettingsDir(sim::PlayerPath(appData + "/file/Telly") + L"\\"); // one that cannot be made
    Quit();
    EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), kFirstStartFile);
    EXPECT_EQ(Names(appData), std::vector<std::string>{"file"});
}

TEST_F(SettingsFileTest, UnreadableOrVanishedFileChangesNothing) {
    SetSettingValues({7, 7, 7, 7, 7, 7, 7, 7, 7});
    settings->ReadSettings(); // no file at all
    WriteHostFile(ProgramFile("RIVO.CFG"), "x=1\r\ny=1\r\nWheel1_Play =1\r\n");
    sim::InjectFileFault(sim::kFailRead, sim::PlayerPath(ProgramFile("RIVO.CFG")));
    settings->ReadSettings();
    EXPECT_EQ(SettingValues(), (std::array<int, 9>{7, 7, 7, 7, 7, 7, 7, 7, 7}));
}

TEST_F(SettingsFileTest, LongFolderPathAndLongFile) {
    // A folder path far past 255 characters, and a file far past 1024 bytes.
    std::string deep = programDir;
    for (int i = 0; i < 6; ++i) {
        deep += "/" + std::string(60, static_cast<char>('a' + i));
        ASSERT_EQ(mkdir(deep.c_str(), 0755), 0) << deep;
    }
    sim::SetCommandLine({sim::PlayerPath(deep) + L"\\telly.exe"});
    WriteHostFile(deep + "/RIVO.sys", "[" + std::string(5000, 'k') + "]\r\nx=\r\ny=\r\nWheel1_Play =\r\n");
    g_nWheel1Play = -123456789;
    settings->WriteSettings();
    ResetPlayerState();
    ASSERT_TRUE(SettingsFileExists());
    settings->ReadSettings();
    EXPECT_EQ(g_nWheel1Play, -123456789);
    EXPECT_EQ(ReadHostFile(deep + "/RIVO.CFG"),
              "[" + std::string(5000, 'k') + "]\r\nx=0\r\ny=0\r\nWheel1_Play =-123456789\r\n");
}

TEST(SettingsPaths, DirectoryIsArgumentZeroUpToItsLastBackslash) {
    struct Case {
        const wchar_t* arg0;
        const wchar_t* dir;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\telly\\telly.exe", L"C:\\Program Files\\telly\\"},
        {L"telly.exe", L""},
        {L"", L""},
        {L"C:\\telly.exe", L"C:\\"},
        {L"\\\\server\\share\\telly.exe", L"\\\\server\\share\\"},
        {L"dir\\", L"dir\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DirectoryOfProgramPath(c.arg0), c.dir);
}

} // namespace
