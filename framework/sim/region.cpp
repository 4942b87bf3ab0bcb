#include "framework/sim/region.h"

#include "framework/fw_types.h"

#include <algorithm>

namespace sim {
namespace detail {

namespace {

// Boolean combination of two span lists of one row, by sweeping their edges.
Spans CombineSpans(const Spans& a, const Spans& b, int mode) {
    std::vector<int> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const auto& s : a)
        edges.push_back(s.first), edges.push_back(s.second);
    for (const auto& s : b)
        edges.push_back(s.first), edges.push_back(s.second);
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    Spans out;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const int x0 = edges[i], x1 = edges[i + 1];
        while (ia < a.size() && a[ia].second <= x0)
            ++ia;
        while (ib < b.size() && b[ib].second <= x0)
            ++ib;
        const bool inA = ia < a.size() && a[ia].first <= x0;
        const bool inB = ib < b.size() && b[ib].first <= x0;
        bool keep = false;
        switch (mode) {
        case fw::RGN_AND:
            keep = inA && inB;
            break;
        case fw::RGN_OR:
            keep = inA || inB;
            break;
        case fw::RGN_XOR:
            keep = inA != inB;
            break;
        case fw::RGN_DIFF:
            keep = inA && !inB;
            break;
        default:
            keep = inA;
            break;
        }
        if (!keep) continue;
        if (!out.empty() && out.back().second == x0)
            out.back().second = x1;
        else
            out.emplace_back(x0, x1);
    }
    return out;
}

} // namespace

Region MakeRectRegion(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    Region r;
    if (left == right) return r;
    for (int y = top; y < bottom; ++y)
        r.rows[y] = Spans{{left, right}};
    return r;
}

bool CombineRegion(const Region& a, const Region& b, int mode, Region* out) {
    if (mode == fw::RGN_COPY) {
        *out = a;
        return true;
    }
    if (mode != fw::RGN_AND && mode != fw::RGN_OR && mode != fw::RGN_XOR && mode != fw::RGN_DIFF)
        return false;
    static const Spans kNone;
    Region result;
    auto ia = a.rows.begin();
    auto ib = b.rows.begin();
    // Merge the two row maps in y order; a row missing from one side is empty there.
    while (ia != a.rows.end() || ib != b.rows.end()) {
        int y;
        const Spans* sa = &kNone;
        const Spans* sb = &kNone;
        if (ib == b.rows.end() || (ia != a.rows.end() && ia->first < ib->first)) {
            y = ia->first;
            sa = &ia->second;
            ++ia;
        } else if (ia == a.rows.end() || ib->first < ia->first) {
            y = ib->first;
            sb = &ib->second;
            ++ib;
        } else {
            y = ia->first;
            sa = &ia->second;
            sb = &ib->second;
            ++ia;
            ++ib;
        }
        Spans row = CombineSpans(*sa, *sb, mode);
        if (!row.empty()) result.rows.emplace_hint(result.rows.end(), y, std::move(row));
    }
    *out = std::move(result);
    return true;
}

bool AddRowsOnNewLines(Region* into, const Region& rows) {
    for (const auto& row : rows.rows)
        if (into->rows.count(row.first)) return false;
    for (const auto& row : rows.rows)
        if (!row.second.empty()) into->rows.insert(row);
    return true;
}

int RegionKind(const Region& r) {
    if (r.rows.empty()) return fw::NULLREGION;
    const Spans& first = r.rows.begin()->second;
    if (first.size() != 1) return fw::COMPLEXREGION;
    int expectY = r.rows.begin()->first;
    for (const auto& row : r.rows) {
        if (row.first != expectY || row.second != first) return fw::COMPLEXREGION;
        ++expectY;
    }
    return fw::SIMPLEREGION;
}

} // namespace detail
} // namespace sim
