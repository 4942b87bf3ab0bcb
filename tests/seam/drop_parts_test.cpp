// What the drop scan adds to the seam: the cheap folder query, the file index alone, and the wait pointer.
#include "framework/afxwin.h"
#include "framework/folders.h"
#include "framework/wait_cursor.h"
#include "seam/scratch_folder.h"
#include "seam/seam_env.h"

#include <string>

using namespace fw;

namespace {

class DropPartsSeam : public SeamTest {
protected:
    seam::ScratchFolder dir;
    bool MakeFile(const std::wstring& path) {
        CFile f;
        return f.Open(path, CFile::modeCreate) && f.Close();
    }
};

TEST_F(DropPartsSeam, IsFolderTellsFoldersFromFilesAndNothing) {
    ASSERT_TRUE(seam::MakeFolder(dir / L"sub"));
    ASSERT_TRUE(MakeFile(dir / L"a.avi"));
    std::wstring deep = dir.Path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'f');
        ASSERT_TRUE(seam::MakeFolder(deep));
    }
    EXPECT_TRUE(IsFolder(dir / L"sub"));
    EXPECT_TRUE(IsFolder(deep)) << "beyond the classic path limit";
    EXPECT_FALSE(IsFolder(dir / L"a.avi"));
    EXPECT_FALSE(IsFolder(dir / L"missing"));
}

TEST_F(DropPartsSeam, TheIndexAloneIsTheIdentitysIndex) {
    ASSERT_TRUE(seam::MakeFolder(dir / L"sub"));
    ASSERT_TRUE(MakeFile(dir / L"a.avi"));
    for (const std::wstring& path : {dir.Path(), dir / L"sub", dir / L"sub\\..", dir / L"a.avi"}) {
        CFileIdentity id{};
        uint64_t index = 0;
        ASSERT_TRUE(IdentifyFile(path, &id));
        ASSERT_TRUE(IdentifyFileIndex(path, &index));
        EXPECT_EQ(index, id.index);
    }
    uint64_t index = 7;
    EXPECT_FALSE(IdentifyFileIndex(dir / L"missing", &index));
}

TEST_F(DropPartsSeam, TheWaitPointerComesAndThePreviousShapeReturns) {
    const HCURSOR wait = plat::WaitPointerShape();
    ASSERT_NE(wait, nullptr);
    const HCURSOR before = plat::SetPointerShape(wait);
    EXPECT_EQ(plat::SetPointerShape(before), wait);
    {
        CWaitCursor waiting;
        EXPECT_TRUE(waiting.IsShown());
    }
    EXPECT_EQ(plat::SetPointerShape(before), before) << "the shape before the wait pointer is back";
}

} // namespace
