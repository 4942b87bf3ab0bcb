// Sorted list boxes: the player keeps its playlist and its folder queue in two hidden ones of the main window
// and relies on their order and on where each insert lands.
#include "framework/controls.h"
#include "res/resource.h"
#include "seam/seam_env.h"

#include <string>
#include <vector>

using namespace fw;

namespace {

class ListBoxSeam : public SeamTest {
protected:
    void SetUp() override {
        SeamTest::SetUp();
        ASSERT_TRUE(dlg.Create(IDD_PLAYER));
        list.m_hWnd = dlg.GetDlgItem(IDC_PLAYLIST);
        ASSERT_NE(list.m_hWnd, nullptr);
    }
    void TearDown() override {
        list.m_hWnd = nullptr;
        dlg.DestroyWindow();
    }
    std::vector<std::wstring> Items() const {
        std::vector<std::wstring> items;
        std::wstring text;
        for (int i = 0; list.GetText(i, &text); ++i)
            items.push_back(text);
        return items;
    }

    CDialog dlg{IDD_PLAYER};
    CListBox list;
};

// The order the real list box gives these paths (Wine, en-US). Not a code-point order: '-' and '\'' count
// only when all else is equal (so the folders "ab" and "a-b" interleave), other punctuation comes before
// digits and digits before letters, "10" sorts before "2", accented and full-width letters sit beside their
// base letters, katakana beside hiragana, small kana first.
const std::vector<std::wstring> kCollated = {
    L"C:\\m\\[z].avi",
    L"C:\\m\\a b\\x.avi",
    L"C:\\m\\a(1)\\x.avi",
    L"C:\\m\\a.b\\x.avi",
    L"C:\\m\\a\\x.avi",
    L"C:\\m\\a_b\\x.avi",
    L"C:\\m\\a~b\\x.avi",
    L"C:\\m\\a1\\x.avi",
    L"C:\\m\\a10\\x.avi",
    L"C:\\m\\a2\\x.avi",
    L"C:\\m\\ab.avi",
    L"C:\\m\\ab\\a.avi",
    L"C:\\m\\a-b\\b.avi",
    L"C:\\m\\ab\\c.avi",
    L"C:\\m\\AB\\d.avi",
    L"C:\\m\\\uFF21b\\e.avi", // full-width A
    L"C:\\m\\b.avi",
    L"C:\\m\\e.avi",
    L"C:\\m\\\u00e9.avi",
    L"C:\\m\\\u00c8.avi",
    L"C:\\m\\ea.avi",
    L"C:\\m\\\u00e9b.avi",
    L"C:\\m\\ss.avi",
    L"C:\\m\\st.avi",
    L"C:\\m\\Z.avi",
    L"C:\\m\\\u30a1.avi", // small katakana a
    L"C:\\m\\\u3041.avi", // small hiragana a
    L"C:\\m\\\uff71.avi", // half-width katakana a
    L"C:\\m\\\u30a2.avi", // katakana a
    L"C:\\m\\\u3042.avi", // hiragana a
    L"C:\\m\\\u30a2\u30fc.avi",
    L"C:\\m\\\u30ab.avi",
    L"C:\\m\\\u304c.avi", // voiced ka
    L"C:\\m\\\u6620\u753b.avi",
};

TEST_F(ListBoxSeam, KeepsItsItemsWholeAndRefusesMissingOnes) {
    EXPECT_EQ(list.AddString(L"b.avi"), 0);
    EXPECT_EQ(list.AddString(L"A.avi"), 0);
    const std::wstring longItem = L"Z:\\" + std::wstring(1000, L'\u00e4') + L".avi";
    EXPECT_EQ(list.AddString(longItem), 2);
    EXPECT_EQ(list.AddString(L""), 0);
    EXPECT_EQ(Items(), (std::vector<std::wstring>{L"", L"A.avi", L"b.avi", longItem}));
    EXPECT_EQ(list.GetCount(), 4);

    std::wstring untouched = L"keep";
    EXPECT_FALSE(list.GetText(4, &untouched));
    EXPECT_FALSE(list.GetText(-1, &untouched));
    EXPECT_EQ(untouched, L"keep");

    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.DeleteString(3), LB_ERR);
    EXPECT_EQ(list.GetCount(), 3);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.GetText(0, &untouched));
}

TEST_F(ListBoxSeam, SortsPathsByTheLocaleNotByCodePoints) {
    // Inserted in a scrambled order (a stride prime to the count visits every item once), so most inserts
    // land between items already there.
    const size_t n = kCollated.size();
    ASSERT_NE(n % 7, 0u);
    for (size_t i = 0; i < n; ++i)
        list.AddString(kCollated[(i * 7 + 3) % n]);
    EXPECT_EQ(Items(), kCollated);
}

TEST_F(ListBoxSeam, ItemsPresentedInItsOrderAreAppended) {
    // What makes a presorted batch cheap: every insert lands at the end.
    for (size_t i = 0; i < kCollated.size(); ++i)
        EXPECT_EQ(list.AddString(kCollated[i]), static_cast<int>(i)) << i;
}

TEST_F(ListBoxSeam, EqualTextsGoWhereTheSearchMeetsThem) {
    // Texts that differ only in case compare equal; the list box's binary search inserts a text before the
    // first equal item it meets, so their order depends on what is already there.
    struct Add {
        const wchar_t* text;
        int index;
    };
    const Add adds[] = {{L"b.avi", 0}, {L"A.avi", 0}, {L"c\\d.avi", 2}, {L"a.avi", 0},
                        {L"B.AVI", 2}, {L"", 0},      {L"A.AVI", 2}};
    for (const Add& a : adds)
        EXPECT_EQ(list.AddString(a.text), a.index) << a.text;
    EXPECT_EQ(Items(), (std::vector<std::wstring>{L"", L"a.avi", L"A.AVI", L"A.avi", L"B.AVI", L"b.avi",
                                                  L"c\\d.avi"}));
}

TEST_F(ListBoxSeam, AWindowThatIsNoListBoxKeepsNothing) {
    // It answers the list box messages as any window does (0), not with LB_ERR.
    CListBox button(dlg.GetDlgItem(IDOK));
    EXPECT_EQ(button.AddString(L"x"), 0);
    EXPECT_EQ(button.GetCount(), 0);
    EXPECT_EQ(button.DeleteString(0), 0);
    std::wstring untouched = L"keep";
    EXPECT_FALSE(button.GetText(0, &untouched));
    EXPECT_EQ(untouched, L"keep");
    button.m_hWnd = nullptr;
}

} // namespace
