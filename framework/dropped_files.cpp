#include "framework/dropped_files.h"

namespace fw {

CDroppedFiles::CDroppedFiles(HDROP drop) : m_drop(drop), m_count(drop ? plat::DropCount(drop) : 0) {}

CDroppedFiles::~CDroppedFiles() {
    if (m_drop) plat::FinishDrop(m_drop);
}

bool CDroppedFiles::GetItem(UINT index, std::wstring* path) const {
    return index < m_count && plat::DropItem(m_drop, index, path);
}

} // namespace fw
