#include "framework/dropped_files.h"

namespace fw {

CDroppedFiles::CDroppedFiles(HDROP drop) : m_drop(drop) {
    if (m_drop) plat::DropItems(m_drop, &m_items);
}

CDroppedFiles::~CDroppedFiles() {
    if (m_drop) plat::FinishDrop(m_drop);
}

bool CDroppedFiles::GetItem(UINT index, std::wstring* path) const {
    if (!path || index >= m_items.size()) return false;
    *path = m_items[index];
    return true;
}

} // namespace fw
