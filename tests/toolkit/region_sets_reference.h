// Straightforward forms of the polygon-set routines that have faster library versions: the
// left fold of the union and the all-pairs pinch split. Tests and benchmarks compare the
// library against these.
#pragma once

#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/gpc_contours.h>
#include <geo/lines.h>
#include <geo/polylines.h>

#include <algorithm>
#include <vector>

namespace region_sets_reference {

// ((in[0] u in[1]) u in[2]) ..., contours split by hole flag in the engine's order.
inline void FoldUnion(const std::vector<CPolygon>& in, std::vector<CPolygon>& outers,
                      std::vector<CPolygon>& holes) {
    gpc::gpc_polygon acc{0, nullptr, nullptr};
    for (const CPolygon& gon : in) {
        gpc::gpc_polygon next{0, nullptr, nullptr}, result{0, nullptr, nullptr};
        AddPtarrToPolygon(gon.getPoints(), &next, 0);
        gpc::gpc_polygon_clip(gpc::GPC_UNION, &acc, &next, &result);
        gpc::gpc_free_polygon(&acc);
        gpc::gpc_free_polygon(&next);
        acc = result;
    }
    for (const auto& pts : GpcContoursOfKind(acc, false)) {
        outers.emplace_back(pts, true);
    }
    for (const auto& pts : GpcContoursOfKind(acc, true)) {
        holes.emplace_back(pts, true);
    }
    gpc::gpc_free_polygon(&acc);
}

// Every vertex on a non-adjacent segment (not equal to its ends) inserted into it, in order
// along the segment, one per position.
inline void ShareTouching(std::vector<CPoint3d>& pts, double tol) {
    std::vector<CPoint3d> joined;
    for (size_t k = 0; k < pts.size(); ++k) {
        joined.push_back(pts[k]);
        if (k + 1 == pts.size()) {
            break;
        }
        std::vector<size_t> on;
        const CLineSeg seg(pts[k], pts[k + 1]);
        for (size_t v = 0; v < pts.size(); ++v) {
            if (v != k && v != k + 1 && seg.isOn(pts[v], tol) && !pts[v].isEqualTo(pts[k], tol) &&
                !pts[v].isEqualTo(pts[k + 1], tol)) {
                on.push_back(v);
            }
        }
        std::sort(on.begin(), on.end(), [&](size_t a, size_t b) {
            const double da = pts[a].distanceTo(pts[k]), db = pts[b].distanceTo(pts[k]);
            return da != db ? da < db : a < b;
        });
        for (size_t v : on) {
            if (!joined.back().isEqualTo(pts[v], tol)) {
                joined.push_back(pts[v]);
            }
        }
    }
    pts = joined;
}

// The recursive pinch split: the stretch between two visits of a vertex is cut off, both
// parts cleaned and split again, the stretch's pieces first.
inline void SplitPinches(std::vector<CPoint3d> pts, std::vector<std::vector<CPoint3d>>& out,
                         double tol) {
    ShareTouching(pts, tol);
    int i = 0, j = 0;
    if (!ExistHoleInPts(pts, &i, &j, tol)) {
        out.push_back(pts);
        return;
    }
    std::vector<CPoint3d> stretch(pts.begin() + i, pts.begin() + j + 1);
    pts.erase(pts.begin() + i, pts.begin() + j);
    RemoveRedundancyPts(stretch, true, tol);
    RemoveRedundancyPts(pts, true, tol);
    SplitPinches(stretch, out, tol);
    SplitPinches(pts, out, tol);
}

// Per list, whether its first point lies strictly inside another list (SetPtsArr2Region).
inline std::vector<bool> FirstPointsInsideAnother(const std::vector<std::vector<CPoint3d>>& lists) {
    std::vector<bool> inside(lists.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        for (size_t j = 0; j < lists.size() && !inside[i]; ++j) {
            inside[i] = j != i && ::PtInArea(lists[i].front(), lists[j], 1e-6, false);
        }
    }
    return inside;
}

// The holes whose first point lies in the outer, boundary included (getRegionsFromRegion).
inline size_t HolesHeld(const std::vector<CPoint3d>& outer,
                        const std::vector<std::vector<CPoint3d>>& holes) {
    return static_cast<size_t>(std::count_if(holes.begin(), holes.end(), [&](const auto& h) {
        return !h.empty() && ::PtInArea(h.front(), outer, 1e-6, true);
    }));
}

// removeHolesInHoleFrmRgn on the contour list, one pair at a time.
template <class Contour>
void RemoveHolesInHoles(std::vector<Contour>& cs) {
    auto usable = [&](size_t i) { return !cs[i].isOuter && !cs[i].pts.empty(); };
    for (size_t a = 0; a < cs.size();) {
        bool removedA = false;
        for (size_t b = a + 1; usable(a) && b < cs.size();) {
            if (!usable(b)) {
                ++b;
            } else if (::PtInArea(cs[b].pts.front(), cs[a].pts, 1e-6, false)) {
                cs.erase(cs.begin() + static_cast<std::ptrdiff_t>(b));
            } else if (::PtInArea(cs[a].pts.front(), cs[b].pts, 1e-6, false)) {
                cs.erase(cs.begin() + static_cast<std::ptrdiff_t>(a));
                removedA = true;
                break;
            } else {
                ++b;
            }
        }
        a += removedA ? 0 : 1;
    }
}

}  // namespace region_sets_reference
