// Regions as sets of half-open spans per pixel row: the representation the simulated GDI uses, and the
// one tests read back (sim::RegionRows). Rows without spans are not stored.
#pragma once

#include <map>
#include <utility>
#include <vector>

namespace sim {
namespace detail {

typedef std::vector<std::pair<int, int>> Spans; // sorted, disjoint, non-touching [x0, x1)
typedef std::map<int, Spans> RegionRowsMap;

struct Region {
    RegionRowsMap rows;
};

// Rectangle [left, right) x [top, bottom); swapped edges are put in order as GDI does.
Region MakeRectRegion(int left, int top, int right, int bottom);
// RGN_AND / RGN_OR / RGN_XOR / RGN_DIFF / RGN_COPY of a and b (b unused for COPY). False for a bad mode.
bool CombineRegion(const Region& a, const Region& b, int mode, Region* out);
// `into` OR `rows` (equally XOR) in place, when no line of `rows` is a line of `into`; false (and nothing
// changed) otherwise. Shapes built row by row take this path, so n rows cost n log n instead of n squared.
bool AddRowsOnNewLines(Region* into, const Region& rows);
// NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
int RegionKind(const Region& r);

} // namespace detail
} // namespace sim
