// Files, folder listings, file identities and short names: what the settings file and the drop scan rely on.
#include "framework/afxwin.h"
#include "framework/folders.h"
#include "framework/paths.h"
#include "seam/scratch_folder.h"
#include "seam/seam_env.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

using namespace fw;

namespace {

constexpr size_t kAnyLength = 1u << 20;

bool WriteFile(const std::wstring& path, const std::string& bytes) {
    CFile f;
    return f.Open(path, CFile::modeCreate) && f.Write(bytes.data(), bytes.size()) && f.Flush() && f.Close();
}

std::string ReadFile(const std::wstring& path) {
    std::string data = "<unread>";
    ReadWholeFile(path, &data, kAnyLength);
    return data;
}

using Listing = std::vector<std::pair<std::wstring, bool>>; // name, is a folder

Listing SortedListing(const std::wstring& dir, bool* ok) {
    std::vector<CFolderEntry> entries;
    *ok = ListFolder(dir, &entries);
    Listing listing;
    for (const CFolderEntry& e : entries)
        listing.push_back({e.name, e.isDirectory});
    std::sort(listing.begin(), listing.end());
    return listing;
}

// A chain of folders below `base` whose last one lies well past the classic 260-character limit.
std::wstring MakeDeepFolder(const std::wstring& base) {
    std::wstring dir = base;
    while (dir.size() < 300) {
        dir += L"\\" + std::wstring(40, L'd');
        EXPECT_TRUE(seam::MakeFolder(dir));
    }
    return dir;
}

bool IsAscii(const std::wstring& s) {
    return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c > 0 && c < 0x80; });
}

// Every component after the drive is an 8.3 name: up to eight characters, a dot and up to three more.
bool IsShortForm(const std::wstring& path) {
    size_t start = path.find(L'\\');
    while (start != std::wstring::npos && start + 1 < path.size()) {
        const size_t end = path.find(L'\\', start + 1);
        const std::wstring name = path.substr(start + 1, end == std::wstring::npos ? end : end - start - 1);
        const size_t dot = name.find(L'.');
        const size_t stem = dot == std::wstring::npos ? name.size() : dot;
        const size_t ext = dot == std::wstring::npos ? 0 : name.size() - dot - 1;
        if (stem == 0 || stem > 8 || ext > 3 ||
            (dot != std::wstring::npos && name.find(L'.', dot + 1) != std::wstring::npos))
            return false;
        start = end;
    }
    return true;
}

class FileSeam : public SeamTest {
protected:
    seam::ScratchFolder dir;
};

TEST_F(FileSeam, WrittenBytesReadBackWhole) {
    std::string big;
    for (int i = 0; i < 10000; ++i)
        big += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(WriteFile(dir / L"big.bin", big));
    CFile f;
    ASSERT_TRUE(f.Open(dir / L"big.bin", CFile::modeRead));
    EXPECT_EQ(f.GetLength(), 10000);
    char head[64];
    EXPECT_EQ(f.Read(head, sizeof head), sizeof head);
    EXPECT_EQ(std::string(head, sizeof head), big.substr(0, sizeof head));
    EXPECT_FALSE(f.Write("x", 1)) << "opened for reading";
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadFile(dir / L"big.bin"), big) << "longer than one read";

    ASSERT_TRUE(WriteFile(dir / L"empty.txt", ""));
    ASSERT_TRUE(f.Open(dir / L"empty.txt", CFile::modeRead));
    EXPECT_EQ(f.GetLength(), 0);
    EXPECT_EQ(f.Read(head, 1), 0u);
    f.Close();
    EXPECT_EQ(ReadFile(dir / L"empty.txt"), "");

    ASSERT_TRUE(WriteFile(dir / L"big.bin", "short")) << "creating empties the file first";
    EXPECT_EQ(ReadFile(dir / L"big.bin"), "short");
}

TEST_F(FileSeam, WhatCannotBeOpenedIsToldApart) {
    bool opened = true;
    std::string data = "untouched";
    EXPECT_FALSE(ReadWholeFile(dir / L"missing.txt", &data, kAnyLength, &opened));
    EXPECT_FALSE(opened);
    EXPECT_EQ(data, "untouched");
    CFile f;
    EXPECT_FALSE(f.Open(dir / L"missing.txt", CFile::modeRead));
    EXPECT_FALSE(f.Open(dir.Path(), CFile::modeRead)) << "a folder is no file";
    EXPECT_FALSE(f.Open(dir / L"no folder\\x.txt", CFile::modeCreate));
}

TEST_F(FileSeam, ReplaceTakesTheSourcesPlaceInOneStep) {
    ASSERT_TRUE(WriteFile(dir / L"RIVO.CFG", "old"));
    ASSERT_TRUE(WriteFile(dir / L"RIVO.tmp", "new"));
    EXPECT_TRUE(CFile::Replace(dir / L"RIVO.tmp", dir / L"RIVO.CFG"));
    EXPECT_EQ(ReadFile(dir / L"RIVO.CFG"), "new");
    EXPECT_EQ(ReadFile(dir / L"RIVO.tmp"), "<unread>") << "the source is gone";

    ASSERT_TRUE(WriteFile(dir / L"first.tmp", "first"));
    EXPECT_TRUE(CFile::Replace(dir / L"first.tmp", dir / L"first.cfg")) << "no target yet";
    EXPECT_EQ(ReadFile(dir / L"first.cfg"), "first");
    EXPECT_FALSE(CFile::Replace(dir / L"missing.tmp", dir / L"first.cfg"));
    EXPECT_EQ(ReadFile(dir / L"first.cfg"), "first");

    EXPECT_TRUE(CFile::Remove(dir / L"first.cfg"));
    EXPECT_FALSE(CFile::Remove(dir / L"first.cfg"));
    ASSERT_TRUE(seam::MakeFolder(dir / L"sub"));
    EXPECT_FALSE(CFile::Remove(dir / L"sub")) << "a folder is no file";
}

// What the settings writer relies on: a new file is made only where no name stands, and nothing that stands
// there is followed, emptied or written through.
TEST_F(FileSeam, CreateNewTakesOnlyAFreeName) {
    CFile f;
    ASSERT_TRUE(f.Open(dir / L"new.tmp", CFile::modeCreateNew));
    EXPECT_TRUE(f.Write("new", 3));
    EXPECT_FALSE(CFile::Remove(dir / L"new.tmp")) << "a file in use is not deleted from under its writer";
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadFile(dir / L"new.tmp"), "new");

    ASSERT_TRUE(WriteFile(dir / L"taken.tmp", "taken"));
    ASSERT_TRUE(seam::MakeFolder(dir / L"folder.tmp"));
    for (const wchar_t* name : {L"taken.tmp", L"folder.tmp", L"new.tmp"}) {
        SCOPED_TRACE(std::string(name, name + std::wcslen(name)));
        for (CFile::OpenFlags flags : {CFile::modeCreateNew, CFile::modeCreateTrial}) {
            EXPECT_FALSE(f.Open(dir / name, flags));
            EXPECT_EQ(f.GetOpenError(), CFile::errNameInUse);
        }
    }
    EXPECT_EQ(ReadFile(dir / L"taken.tmp"), "taken") << "not emptied";

    ASSERT_TRUE(f.Open(dir / L"trial.tmp", CFile::modeCreateTrial));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadFile(dir / L"trial.tmp"), "<unread>") << "a trial file leaves nothing";
}

TEST_F(FileSeam, ALinkIsNeverFollowedByCreateNewNorRemove) {
    ASSERT_TRUE(WriteFile(dir / L"target.txt", "precious"));
    if (!seam::MakeLink(dir / L"link.tmp", dir / L"target.txt")) GTEST_SKIP() << "no links here";
    ASSERT_TRUE(seam::MakeLink(dir / L"dangling.tmp", dir / L"missing.txt"));
    CFile f;
    for (const wchar_t* name : {L"link.tmp", L"dangling.tmp"}) {
        SCOPED_TRACE(std::string(name, name + std::wcslen(name)));
        EXPECT_FALSE(f.Open(dir / name, CFile::modeCreateNew));
        EXPECT_FALSE(f.Open(dir / name, CFile::modeCreateTrial));
        EXPECT_TRUE(CFile::Remove(dir / name)) << "the link goes itself";
        ASSERT_TRUE(f.Open(dir / name, CFile::modeCreateNew)) << "and leaves its name free";
        EXPECT_TRUE(f.Write("own", 3));
        EXPECT_TRUE(f.Close());
        EXPECT_EQ(ReadFile(dir / name), "own");
    }
    EXPECT_EQ(ReadFile(dir / L"target.txt"), "precious");
    EXPECT_EQ(ReadFile(dir / L"missing.txt"), "<unread>") << "nothing made at a dangling link's target";
}

TEST_F(FileSeam, RemoveTakesOnlyTheFileAtItsName) {
    ASSERT_TRUE(WriteFile(dir / L"stale.tmp", "stale"));
    EXPECT_TRUE(CFile::Remove(dir / L"stale.tmp"));
    EXPECT_EQ(ReadFile(dir / L"stale.tmp"), "<unread>");
    EXPECT_FALSE(CFile::Remove(dir / L"stale.tmp")) << "gone already";

    ASSERT_TRUE(WriteFile(dir / L"locked.tmp", "locked"));
    ASSERT_TRUE(seam::SetReadOnly(dir / L"locked.tmp", true));
    EXPECT_FALSE(CFile::Remove(dir / L"locked.tmp")) << "read-only";
    EXPECT_EQ(ReadFile(dir / L"locked.tmp"), "locked");
    ASSERT_TRUE(seam::SetReadOnly(dir / L"locked.tmp", false));
    EXPECT_TRUE(CFile::Remove(dir / L"locked.tmp"));

    ASSERT_TRUE(seam::MakeFolder(dir / L"folder.tmp"));
    EXPECT_FALSE(CFile::Remove(dir / L"folder.tmp"));
    bool ok = false;
    SortedListing(dir / L"folder.tmp", &ok);
    EXPECT_TRUE(ok) << "the folder stays";
}

TEST_F(FileSeam, ReplaceLeavesAReadOnlyFileAndAFolderAsTheyAre) {
    ASSERT_TRUE(WriteFile(dir / L"locked.cfg", "locked"));
    ASSERT_TRUE(seam::SetReadOnly(dir / L"locked.cfg", true));
    ASSERT_TRUE(seam::MakeFolder(dir / L"folder.cfg"));
    ASSERT_TRUE(WriteFile(dir / L"new.tmp", "new"));
    EXPECT_FALSE(CFile::Replace(dir / L"new.tmp", dir / L"locked.cfg"));
    EXPECT_FALSE(CFile::Replace(dir / L"new.tmp", dir / L"folder.cfg"));
    EXPECT_EQ(ReadFile(dir / L"locked.cfg"), "locked");
    EXPECT_EQ(ReadFile(dir / L"new.tmp"), "new") << "the source stays where it was";
    bool ok = false;
    EXPECT_EQ(SortedListing(dir / L"folder.cfg", &ok), (Listing{{L".", true}, {L"..", true}}));

    ASSERT_TRUE(seam::SetReadOnly(dir / L"locked.cfg", false));
    EXPECT_TRUE(CFile::Replace(dir / L"new.tmp", dir / L"locked.cfg")) << "unlocked, it is replaced";
    EXPECT_EQ(ReadFile(dir / L"locked.cfg"), "new");
}

TEST_F(FileSeam, LongPathsAndNamesOutsideAsciiWork) {
    const std::wstring deep = MakeDeepFolder(dir.Path());
    ASSERT_GT(deep.size(), 300u);
    ASSERT_TRUE(seam::MakeFolder(deep + L"\\sub"));
    const std::wstring file = deep + L"\\\u30d5\u30a1\u30a4\u30eb \u00fc.txt";
    ASSERT_TRUE(WriteFile(file, "hello\r\n"));
    EXPECT_EQ(ReadFile(file), "hello\r\n");

    bool ok = false;
    EXPECT_EQ(
        SortedListing(deep, &ok),
        (Listing{
            {L".", true}, {L"..", true}, {L"sub", true}, {L"\u30d5\u30a1\u30a4\u30eb \u00fc.txt", false}}));
    EXPECT_TRUE(ok);
    CFileIdentity id{};
    EXPECT_TRUE(IdentifyFile(file, &id));

    ASSERT_TRUE(WriteFile(deep + L"\\new.tmp", "second"));
    EXPECT_TRUE(CFile::Replace(deep + L"\\new.tmp", file));
    EXPECT_EQ(ReadFile(file), "second");
    EXPECT_TRUE(CFile::Remove(file));
    EXPECT_EQ(ReadFile(file), "<unread>");
}

TEST_F(FileSeam, ListingNamesDotsFoldersAndFilesOnce) {
    ASSERT_TRUE(seam::MakeFolder(dir / L"sub"));
    ASSERT_TRUE(WriteFile(dir / L"a.avi", "x"));
    bool ok = false;
    EXPECT_EQ(SortedListing(dir.Path(), &ok),
              (Listing{{L".", true}, {L"..", true}, {L"a.avi", false}, {L"sub", true}}));
    EXPECT_TRUE(ok);
    std::vector<CFolderEntry> entries(3);
    EXPECT_FALSE(ListFolder(dir / L"a.avi", &entries)) << "a file is no folder";
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(ListFolder(dir / L"missing", &entries));
}

TEST_F(FileSeam, AFolderReachedTwoWaysHasOneIdentity) {
    ASSERT_TRUE(seam::MakeFolder(dir / L"sub"));
    ASSERT_TRUE(WriteFile(dir / L"a.avi", "x"));
    CFileIdentity direct{}, up{}, dot{}, sub{}, file{};
    ASSERT_TRUE(IdentifyFile(dir.Path(), &direct));
    ASSERT_TRUE(IdentifyFile(dir / L"sub\\..", &up));
    ASSERT_TRUE(IdentifyFile(dir / L".", &dot));
    ASSERT_TRUE(IdentifyFile(dir / L"sub", &sub));
    ASSERT_TRUE(IdentifyFile(dir / L"a.avi", &file));
    EXPECT_EQ(up, direct);
    EXPECT_EQ(dot, direct);
    EXPECT_FALSE(sub == direct);
    EXPECT_FALSE(file == sub);
    EXPECT_FALSE(IdentifyFile(dir / L"missing", &file));
}

TEST_F(FileSeam, RootsOfTwoMountsMayShareAnIdentity) {
    // Wine reports volume 0 for every folder of its Z: drive and a mount's root has index 1 (its inode), so
    // two mounts' roots collide: the drop scan must not take an identity for unique. (On Windows proper the
    // roots are drives of their own; network and some FAT volumes report zero or reused indexes instead.)
    std::wstring first, second;
    if (!seam::MountRoots(&first, &second)) GTEST_SKIP() << "no two mounts to compare";
    CFileIdentity a{}, b{};
    ASSERT_TRUE(IdentifyFile(first, &a));
    ASSERT_TRUE(IdentifyFile(second, &b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.volume, 0u);
}

TEST_F(FileSeam, ShortNamesArePlainAsciiAndReachTheSameFile) {
    EXPECT_EQ(ShortPathOf(dir / L"missing.avi"), L"");

    const std::wstring japanese = dir / L"\u30c6\u30ec\u30d3 \u756a\u7d44 seam.avi";
    ASSERT_TRUE(WriteFile(japanese, "movie"));
    const std::wstring shortJapanese = ShortPathOf(japanese);
    ASSERT_FALSE(shortJapanese.empty()) << "the volume keeps short names";
    EXPECT_TRUE(IsAscii(shortJapanese)) << shortJapanese.size();
    EXPECT_TRUE(IsShortForm(shortJapanese));
    EXPECT_EQ(ReadFile(shortJapanese), "movie");
    CFileIdentity viaLong{}, viaShort{};
    EXPECT_TRUE(IdentifyFile(japanese, &viaLong));
    EXPECT_TRUE(IdentifyFile(shortJapanese, &viaShort));
    EXPECT_EQ(viaLong, viaShort);

    const std::wstring deep = MakeDeepFolder(dir.Path()) + L"\\movie.avi";
    ASSERT_TRUE(WriteFile(deep, "deep"));
    const std::wstring shortDeep = ShortPathOf(deep);
    EXPECT_LT(shortDeep.size(), 260u);
    EXPECT_TRUE(IsShortForm(shortDeep));
    EXPECT_EQ(shortDeep.substr(shortDeep.size() - 10), L"\\movie.avi") << "an 8.3 name stays as it is";
    EXPECT_EQ(ReadFile(shortDeep), "deep");
}

} // namespace
