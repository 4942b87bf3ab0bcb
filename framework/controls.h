// Typed wrappers over dialog controls, in the style of WTL's: a wrapper holds the control's window and never
// owns it (the dialog destroys its controls). Built on a control handle, usually GetDlgItem's.
#pragma once

#include "framework/afxwin.h"

#include <string>

namespace fw {

// A list box control. With the sorted style (LBS_SORT) an added item lands at its place in the platform's
// case-insensitive text order; the real list box compares by the user's locale (punctuation and width
// differences count for little), not by code points, so callers must not assume a particular collation.
class CListBox : public CWnd {
public:
    CListBox() = default;
    explicit CListBox(HWND listBox) : CWnd(listBox) {}

    // Index of the new item, or LB_ERR.
    int AddString(const std::wstring& text);
    // Number of items; LB_ERR when this is no list box.
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
