// CListBox and CScrollBar: thin forwarding to the platform's control messages.
#include "framework/controls.h"

namespace fw {

int CListBox::AddString(const std::wstring& text) {
    return static_cast<int>(plat::ListBoxAdd(m_hWnd, text));
}

int CListBox::GetCount() const {
    return static_cast<int>(plat::ListBoxCount(m_hWnd));
}

bool CListBox::GetText(int index, std::wstring* text) const {
    return plat::ListBoxText(m_hWnd, index, text);
}

int CListBox::DeleteString(int index) {
    return static_cast<int>(plat::ListBoxDelete(m_hWnd, index));
}

void CListBox::ResetContent() {
    plat::ListBoxReset(m_hWnd);
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw) {
    plat::SetScrollBarRange(m_hWnd, minPos, maxPos, redraw);
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw) {
    return plat::SetScrollBarPos(m_hWnd, pos, redraw);
}

int CScrollBar::GetScrollPos() const {
    return plat::GetScrollBarPos(m_hWnd);
}

} // namespace fw
