// CDroppedFiles: the items of one WM_DROPFILES. They are read once, in one pass over the drop, when the
// object is made (the count asked once, no item found by walking the list from its start), so a drop of n
// items costs O(n); the drop handle is released (DragFinish) when the object goes.
#pragma once

#include "framework/platform.h"

#include <string>
#include <vector>

namespace fw {

class CDroppedFiles {
public:
    explicit CDroppedFiles(HDROP drop);
    ~CDroppedFiles();
    CDroppedFiles(const CDroppedFiles&) = delete;
    CDroppedFiles& operator=(const CDroppedFiles&) = delete;

    UINT GetCount() const { return static_cast<UINT>(m_items.size()); }
    // Item `index` whole (no length limit); false past the last item (*path untouched).
    bool GetItem(UINT index, std::wstring* path) const;
    // Every item, whole, in drop order.
    const std::vector<std::wstring>& Items() const { return m_items; }

private:
    HDROP m_drop;
    std::vector<std::wstring> m_items;
};

} // namespace fw
