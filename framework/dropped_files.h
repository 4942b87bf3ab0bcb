// CDroppedFiles: the items of one WM_DROPFILES. The drop's count is asked once, items are taken by index, and
// the drop handle is released (DragFinish) when the object goes.
#pragma once

#include "framework/platform.h"

#include <string>

namespace fw {

class CDroppedFiles {
public:
    explicit CDroppedFiles(HDROP drop);
    ~CDroppedFiles();
    CDroppedFiles(const CDroppedFiles&) = delete;
    CDroppedFiles& operator=(const CDroppedFiles&) = delete;

    UINT GetCount() const { return m_count; }
    // Item `index` whole (no length limit); false past the last item (*path untouched).
    bool GetItem(UINT index, std::wstring* path) const;

private:
    HDROP m_drop;
    UINT m_count;
};

} // namespace fw
