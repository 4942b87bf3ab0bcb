#include "framework/region.h"

namespace fw {

bool CRgn::CreateEmpty() {
    m_region.Reset(plat::CreateRectRegion(0, 0, 0, 0));
    return m_region.Get() != nullptr;
}

bool CRgn::AddRow(int left, int y, int right) {
    if (!m_region.Get()) return false;
    CRgnHandle row(plat::CreateRectRegion(left, y, right, y + 1));
    if (!row.Get()) return false;
    return plat::CombineRegions(m_region.Get(), m_region.Get(), row.Get(), RGN_XOR) != ERROR_REGION;
}

} // namespace fw
