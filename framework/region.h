// CRgn: a window region built row by row, as the player's shapes are (the set's rounded outline, the
// scan-line overlay's dark rows). The object owns the region until a window takes it (CWnd::SetWindowRgn),
// and deletes it otherwise.
#pragma once

#include "framework/afxwin.h"

namespace fw {

class CRgn {
public:
    CRgn() = default;
    ~CRgn() { m_region.Reset(); }
    CRgn(const CRgn&) = delete;
    CRgn& operator=(const CRgn&) = delete;

    // Starts an empty region (replacing any earlier one); false when the platform cannot make one.
    bool CreateEmpty();
    // Adds the one-pixel-high row [left, right) x [y, y + 1). Rows must not overlap rows already added: they
    // are combined exclusively (XOR), which for disjoint rows is their union. False when there is no region
    // or the row could not be made; the region is then as it was.
    bool AddRow(int left, int y, int right);

    HRGN GetSafeHandle() const { return m_region.Get(); }
    // Gives up ownership: the caller (a window) deletes the region from now on.
    HRGN Detach() { return m_region.Release(); }

private:
    CRgnHandle m_region;
};

} // namespace fw
