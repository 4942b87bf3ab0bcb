// Scroll bars, window regions built from rows, drops, the pointer, the clock, the program's resources and
// DIB sections: the rest of what the player asks of the platform around its windows.
#include "framework/afxwin.h"
#include "framework/controls.h"
#include "framework/dropped_files.h"
#include "framework/region.h"
#include "res/resource.h"
#include "seam/seam_env.h"

#include <cstring>
#include <string>
#include <vector>

using namespace fw;

namespace {

class WindowPartsSeam : public SeamTest {
protected:
    void TearDown() override { dlg.DestroyWindow(); }
    CDialog dlg{IDD_PLAYER};
};

TEST_F(WindowPartsSeam, ScrollBarKeepsItsPositionInsideItsRange) {
    ASSERT_TRUE(dlg.Create(IDD_CONTROL_PANEL));
    for (int id : {IDC_PANEL_POSITION, IDC_PANEL_VOLUME}) {
        CScrollBar bar(dlg.GetDlgItem(id));
        bar.SetScrollRange(0, 100, FALSE);
        EXPECT_EQ(bar.SetScrollPos(40), 0) << id;
        EXPECT_EQ(bar.GetScrollPos(), 40);
        EXPECT_EQ(bar.SetScrollPos(150), 40) << "answers the previous position";
        EXPECT_EQ(bar.GetScrollPos(), 100);
        bar.SetScrollPos(-5);
        EXPECT_EQ(bar.GetScrollPos(), 0);
        bar.SetScrollRange(10, 20);
        EXPECT_EQ(bar.GetScrollPos(), 10) << "a new range pulls the position in";
        bar.m_hWnd = nullptr;
    }
    CScrollBar none;
    EXPECT_EQ(none.SetScrollPos(3), 0);
    EXPECT_EQ(none.GetScrollPos(), 0);
}

TEST_F(WindowPartsSeam, RegionOfRowsBecomesTheWindowsShape) {
    ASSERT_TRUE(dlg.Create(IDD_PLAYER));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateEmpty());
    EXPECT_TRUE(rgn.AddRow(0, 0, 10));
    EXPECT_TRUE(rgn.AddRow(2, 1, 5));
    EXPECT_TRUE(rgn.AddRow(7, 1, 9));
    EXPECT_TRUE(rgn.AddRow(0, 3, 10));
    EXPECT_TRUE(rgn.AddRow(3, 4, 6));
    EXPECT_TRUE(rgn.AddRow(3, 4, 6)) << "added twice: exclusive, so gone again";
    EXPECT_TRUE(rgn.AddRow(0, 5, 4));
    EXPECT_TRUE(rgn.AddRow(4, 5, 9)); // touching spans join
    EXPECT_TRUE(rgn.AddRow(5, 6, 5)); // empty
    EXPECT_TRUE(rgn.AddRow(9, 7, 2)); // edges swapped
    EXPECT_TRUE(rgn.AddRow(0, 8, 10));
    EXPECT_TRUE(rgn.AddRow(4, 8, 6)); // a hole punched into a row ...
    EXPECT_TRUE(rgn.AddRow(6, 9, 8));
    EXPECT_TRUE(rgn.AddRow(6, 9, 8)); // ... and one filled again
    EXPECT_NE(dlg.SetWindowRgn(rgn, TRUE), 0);
    EXPECT_EQ(rgn.GetSafeHandle(), nullptr) << "the window owns it now";
    EXPECT_EQ(seam::RegionRows(dlg.m_hWnd), (seam::Rows{{0, {{0, 10}}},
                                                        {1, {{2, 5}, {7, 9}}},
                                                        {3, {{0, 10}}},
                                                        {5, {{0, 9}}},
                                                        {7, {{2, 9}}},
                                                        {8, {{0, 4}, {6, 10}}}}));

    CRgn smaller;
    ASSERT_TRUE(smaller.CreateEmpty());
    smaller.AddRow(1, 2, 4);
    EXPECT_NE(dlg.SetWindowRgn(smaller, TRUE), 0) << "a new region replaces the old one";
    EXPECT_EQ(seam::RegionRows(dlg.m_hWnd), (seam::Rows{{2, {{1, 4}}}}));

    CRgn refused;
    ASSERT_TRUE(refused.CreateEmpty());
    CWnd noWindow;
    EXPECT_EQ(noWindow.SetWindowRgn(refused, TRUE), 0);
    EXPECT_NE(refused.GetSafeHandle(), nullptr) << "a refused region stays with its owner";
    CRgn none;
    EXPECT_FALSE(none.AddRow(0, 0, 1)) << "no region made yet";
}

TEST_F(WindowPartsSeam, DroppedItemsComeBackWhole) {
    const std::vector<std::wstring> paths = {L"C:\\a.avi", L"C:\\" + std::wstring(400, L'n') + L"\\long.avi",
                                             L"C:\\\u65e5\u672c\u8a9e\\\u52d5\u753b.avi"};
    const CDroppedFiles dropped(seam::MakeDrop(paths));
    ASSERT_EQ(dropped.GetCount(), 3u);
    for (UINT i = 0; i < 3; ++i) {
        std::wstring item;
        EXPECT_TRUE(dropped.GetItem(i, &item));
        EXPECT_EQ(item, paths[i]);
    }
    std::wstring past = L"keep";
    EXPECT_FALSE(dropped.GetItem(3, &past));
    EXPECT_EQ(past, L"keep");
}

TEST_F(WindowPartsSeam, PointerStaysInsideItsClipAndItsShowCountCounts) {
    const RECT clip{10, 20, 11, 21};
    EXPECT_TRUE(ClipPointer(&clip));
    EXPECT_TRUE(SetPointerPos(33, 44));
    EXPECT_EQ(seam::PointerPos().x, 10);
    EXPECT_EQ(seam::PointerPos().y, 20);
    EXPECT_TRUE(ClipPointer(nullptr));
    EXPECT_TRUE(SetPointerPos(33, 44));
    EXPECT_EQ(seam::PointerPos().x, 33);
    EXPECT_EQ(seam::PointerPos().y, 44);
    const int hidden = ShowPointer(FALSE);
    EXPECT_EQ(ShowPointer(TRUE), hidden + 1);
    SetPointerPos(1000, 740); // out of the way of the windows at the top left
}

TEST_F(WindowPartsSeam, ClockCountsMilliseconds) {
    const long start = ClockMs();
    seam::RunMessages(120);
    const long elapsed = ClockMs() - start;
    EXPECT_GE(elapsed, 100);
    EXPECT_LT(elapsed, 10000) << "seconds would mean the unit is wrong";
}

TEST_F(WindowPartsSeam, SkinResourceIsABitmapWithoutItsFileHeader) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(AfxLockResource(AfxGetResourceHandle(), IDB_SKIN, RT_BITMAP_ID, &data, &size));
    ASSERT_GT(size, sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_FALSE(AfxLockResource(AfxGetResourceHandle(), 4711, RT_BITMAP_ID, &data, &size));
}

TEST_F(WindowPartsSeam, DibSectionsOfTheSkinsFormat) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 4;
    header.biHeight = -3; // top-down
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_NE(bits, nullptr);
    std::memset(bits, 0x5A, 12 * 3); // rows of 4 pixels are 12 bytes: no padding
    EXPECT_TRUE(DeleteObject(AsGdiObject(bitmap)));

    for (const LONG width : {0, 100000}) { // nothing, and more memory than there is
        BITMAPINFOHEADER refused = header;
        refused.biWidth = width;
        refused.biHeight = width;
        bits = &header;
        EXPECT_EQ(CreateDIBSection(nullptr, &refused, DIB_RGB_COLORS, &bits), nullptr) << width;
        EXPECT_EQ(bits, nullptr);
    }
}

} // namespace
