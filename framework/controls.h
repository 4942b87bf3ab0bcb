// Typed wrappers over dialog controls, in the style of WTL's: a wrapper holds the control's window and never
// owns it (the dialog destroys its controls). Built on a control handle, usually GetDlgItem's.
#pragma once

#include "framework/afxwin.h"

#include <string>

namespace fw {

// A list box control. With the sorted style (LBS_SORT) an added item lands at its place in the platform's
// locale order with case ignored (CompareString): not a code-point order ('-' and '\'' count only when all
// else is equal, other punctuation sorts before digits and digits before letters, accented and full-width
// letters sit beside their base letters). The list box finds the place by a binary search and inserts before
// the first equal item it meets, so texts that differ only in case keep no fixed order; a text that sorts
// after every item is appended. A window that is no list box answers 0 to everything and keeps nothing.
class CListBox : public CWnd {
public:
    CListBox() = default;
    explicit CListBox(HWND listBox) : CWnd(listBox) {}

    // Index of the new item, or LB_ERR.
    int AddString(const std::wstring& text);
    // Number of items.
    int GetCount() const;
    // Text of item `index`; false (and *text untouched) when there is no such item.
    bool GetText(int index, std::wstring* text) const;
    // Count of the remaining items, or LB_ERR for no such item.
    int DeleteString(int index);
    void ResetContent();
};

// A scroll bar control (SB_CTL). As the platform: the position stays inside the range, and a new range pulls
// the position into it. All do nothing (and answer 0) without a control.
class CScrollBar : public CWnd {
public:
    CScrollBar() = default;
    explicit CScrollBar(HWND bar) : CWnd(bar) {}

    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    // Returns the previous position.
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const;
};

} // namespace fw
