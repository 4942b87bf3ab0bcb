// ReadSettings and WriteSettings on real folders: the first start, reading by position, the template's
// seventh line, the fallbacks for a missing template and an unwritable program folder, and writes that
// fail part way (the previous file must survive byte for byte).
#include "support/player_fixture.h"

#include "panel/settings_paths.h"

#include <sys/stat.h>

#include <array>
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
        char pattern[] = "/tmp/telly-user-XXXXXX";
        const char* dir = mkdtemp(pattern);
        ASSERT_NE(dir, nullptr);
        userDir = dir;
        sim::SetUserSettingsDir(sim::PlayerPath(userDir) + L"\\");
        settings = std::make_unique<CPlayerDlg>(nullptr);
    }
    void TearDown() override {
        settings.reset();
        std::string cmd = "rm -rf '" + userDir + "'";
        if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << cmd;
        PlayerTest::TearDown();
    }
    std::string ProgramFile(const char* name) const { return programDir + "/" + name; }
    std::string UserFile(const char* name) const { return userDir + "/" + name; }
    void ShipTemplate() { WriteHostFile(ProgramFile("RIVO.sys"), ReadHostFile(TELLY_TEMPLATE_PATH)); }
    // The program's folder becomes one that takes no file: argument 0 names a folder below a plain file.
    void MakeProgramFolderUnwritable() {
        WriteHostFile(ProgramFile("not-a-folder"), "");
        sim::SetCommandLine({sim::PlayerPath(programDir) + L"\\not-a-folder\\telly.exe"});
    }

    std::string userDir;
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
        EXPECT_FALSE(FileExists(UserFile("RIVO.CFG")));
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

TEST_F(SettingsFileTest, FailedWriteLeavesThePreviousFileByteForByte) {
    const std::string old =
        "[WindowPoint]\r\nx=0\r\ny=0\r\n[MouseMode]\r\nWheel1_Play =1\r\n" + std::string(3000, '#');
    struct Case {
        const char* name;
        sim::FileFault fault;
    };
    const Case cases[] = {
        {"at create", sim::kFailCreate}, {"at write", sim::kFailWrite}, {"at replace", sim::kFailReplace}};
    sim::SetUserSettingsDir(L""); // nowhere else to go
    ShipTemplate();
    for (const Case& c : cases) {
        WriteHostFile(ProgramFile("RIVO.CFG"), old);
        sim::InjectFileFault(c.fault, L"RIVO.CFG.tmp");
        SetSettingValues({0, 0, 0, 1, 0, 1, 0, 0, 0});
        settings->WriteSettings();
        EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")), old) << c.name;
        EXPECT_FALSE(FileExists(ProgramFile("RIVO.CFG.tmp"))) << c.name << ": the temporary file is removed";
        // The next write, without a fault, goes through.
        settings->WriteSettings();
        EXPECT_EQ(ReadHostFile(ProgramFile("RIVO.CFG")).substr(0, 18), "[WindowPoint]\r\nx=0") << c.name;
        EXPECT_NE(ReadHostFile(ProgramFile("RIVO.CFG")), old) << c.name;
    }
}

TEST_F(SettingsFileTest, UnwritableProgramFolderUsesThePerUserFolder) {
    MakeProgramFolderUnwritable();
    EXPECT_FALSE(SettingsFileExists());
    settings->WriteSettings(); // the first start
    EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), kFirstStartFile);
    EXPECT_FALSE(FileExists(UserFile("RIVO.CFG.tmp")));
    EXPECT_TRUE(SettingsFileExists());

    g_nBottunMode = 1;
    g_nWheel1Pause = 1;
    settings->WriteSettings(); // the quit
    ResetPlayerState();
    settings->ReadSettings(); // the next start
    EXPECT_EQ(g_nBottunMode, 1);
    EXPECT_EQ(g_nWheel1Pause, 1);
}

TEST_F(SettingsFileTest, FileBesideTheProgramComesFirst) {
    WriteHostFile(ProgramFile("RIVO.CFG"), "=\n=\n=1\n");
    WriteHostFile(UserFile("RIVO.CFG"), "=\n=\n=0\n=1\n");
    settings->ReadSettings();
    EXPECT_EQ(g_nWheel1Play, 1);
    EXPECT_EQ(g_nWheel1Pause, 0) << "nothing is taken from the per-user file";

    g_nWheel1Play = 0;
    settings->WriteSettings();
    EXPECT_EQ(ReadHostFile(UserFile("RIVO.CFG")), "=\n=\n=0\n=1\n") << "a writable program folder is written";
    EXPECT_NE(ReadHostFile(ProgramFile("RIVO.CFG")).find("Wheel1_Play =0\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, NowhereToWriteChangesNothing) {
    MakeProgramFolderUnwritable();
    sim::SetUserSettingsDir(L"");
    settings->WriteSettings();
    EXPECT_FALSE(SettingsFileExists());
    EXPECT_FALSE(FileExists(UserFile("RIVO.CFG")));
}

TEST_F(SettingsFileTest, UnreadableOrVanishedFileChangesNothing) {
    SetSettingValues({7, 7, 7, 7, 7, 7, 7, 7, 7});
    settings->ReadSettings(); // no file at all
    WriteHostFile(ProgramFile("RIVO.CFG"), "x=1\r\ny=1\r\nWheel1_Play =1\r\n");
    sim::InjectFileFault(sim::kFailRead, L"RIVO.CFG");
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
