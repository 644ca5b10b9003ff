// Regions split into one-outer parts, holes bridged into single polygons, loose contours
// classified, and the orderings used to sort contours.
#include <geo/region_sets.h>

#include <geo/acge/gelnsg3d.h>
#include <geo/acge/geray3d.h>
#include <geo/acge/getol.h>
#include <geo/containment.h>
#include <geo/measures.h>

#include "foundation/numeric.h"
#include "toolkit/outline_queries.h"

#include <algorithm>

#include "platform/acge/tol_of.h"

using geo_detail::kPointTol;

namespace {

// Outer and hole contours of a region, each in region order.
void SplitByKind(const CRegion& rgn, std::vector<std::vector<CPoint3d>>& outers,
                 std::vector<std::vector<CPoint3d>>& holes) {
    for (const RegionContour& c : rgn.contours) {
        (c.isOuter ? outers : holes).push_back(c.pts);
    }
}

// A region of one outer contour followed by the given holes.
CRegion OuterWithHoles(const std::vector<CPoint3d>& outer,
                       const std::vector<std::vector<CPoint3d>>& holes) {
    CRegion part;
    part.contours.emplace_back(outer, true);
    for (const std::vector<CPoint3d>& hole : holes) {
        part.contours.emplace_back(hole, false);
    }
    part.calBox();
    return part;
}

// Appends the first point when the last differs from it by more than the point tolerance.
void CloseWithin(std::vector<CPoint3d>& pts) {
    if (!pts.empty() && !pts.back().isEqualTo(pts.front(), kPointTol)) {
        pts.push_back(pts.front());
    }
}

// Index of the largest y, the first of equals.
size_t TopVertex(const std::vector<CPoint3d>& pts) {
    size_t top = 0;
    for (size_t i = 1; i < pts.size(); ++i) {
        if (pts[i].y > pts[top].y) {
            top = i;
        }
    }
    return top;
}

AcGePoint3d ToAcGe(const CPoint3d& p) {
    return AcGePoint3d(p.x, p.y, p.z);
}

// The lowest point straight above top where a segment (k, k+1) of outer is hit, and k; the
// first hit found wins among equals. False when nothing lies above.
bool HitAbove(const CPoint3d& top, const std::vector<CPoint3d>& outer, CPoint3d& hit, size_t& k) {
    const AcGeTol tol = acge_detail::pointTol(kPointTol);
    const AcGeRay3d up(ToAcGe(top), AcGeVector3d(0.0, 1.0, 0.0));
    bool found = false;
    for (size_t j = 0; j + 1 < outer.size(); ++j) {
        AcGePoint3d at;
        const AcGeLineSeg3d seg(ToAcGe(outer[j]), ToAcGe(outer[j + 1]));
        if (up.intersectWith(seg, at, tol) && (!found || at.y < hit.y)) {
            hit = CPoint3d(at.x, at.y, at.z);
            k = j;
            found = true;
        }
    }
    return found;
}

// Joins one closed clockwise hole into outer by a bridge from its top vertex up to the
// nearest outer edge: ..., outer[k], H, T, round the hole, T, H, outer[k + 1], ...
void BridgeHole(std::vector<CPoint3d>& outer, const std::vector<CPoint3d>& hole) {
    const size_t top = TopVertex(hole);
    CPoint3d hit;
    size_t k = 0;
    if (!HitAbove(hole[top], outer, hit, k)) {
        return;
    }
    std::vector<CPoint3d> loop;
    loop.reserve(hole.size() + 3);
    loop.push_back(hit);
    loop.insert(loop.end(), hole.begin() + static_cast<std::ptrdiff_t>(top), hole.end());
    loop.insert(loop.end(), hole.begin(), hole.begin() + static_cast<std::ptrdiff_t>(top) + 1);
    loop.push_back(hit);
    outer.insert(outer.begin() + static_cast<std::ptrdiff_t>(k) + 1, loop.begin(), loop.end());
}

// Per list, whether its first point lies strictly inside some other list of lists.
std::vector<bool> FirstPointsInsideAnother(const std::vector<std::vector<CPoint3d>>& lists) {
    std::vector<containment_detail::OutlineQueries> outlines;
    outlines.reserve(lists.size());
    for (const std::vector<CPoint3d>& list : lists) {
        outlines.emplace_back(list, kPointTol, lists.size() - 1);  // every other first point
    }
    std::vector<bool> inside(lists.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        for (size_t j = 0; j < lists.size() && !inside[i]; ++j) {
            inside[i] = j != i && outlines[j].ptIn(lists[i].front(), false);
        }
    }
    return inside;
}

// Largest y of a non-empty list.
double HighestY(const std::vector<CPoint3d>& pts) {
    return pts[TopVertex(pts)].y;
}

// Index of the largest area, the first of equals, from a best area of 0.
template <class P>
int BiggestContour(const std::vector<std::vector<P>>& contours) {
    if (contours.empty()) {
        return -1;
    }
    int best = 0;
    double bestArea = 0.0;
    for (size_t i = 0; i < contours.size(); ++i) {
        const double area = CalPolyArea(contours[i]);
        if (area > bestArea) {
            bestArea = area;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// The hole (outer) lists of geo when it is a region, true when there are any; false, out
// untouched, for anything else.
bool RegionContourLists(CGeometry* geo, bool holes, std::vector<std::vector<CPoint3d>>& out) {
    const CRegion* rgn = dynamic_cast<const CRegion*>(geo);
    if (rgn == nullptr) {
        return false;
    }
    holes ? rgn->getPtsHoles(out) : rgn->getPtsOuter(out);
    return !out.empty();
}

}  // namespace

void region2regionWithOnlyOneOutside(CRegion const& rgn, std::vector<CRegion>& out) {
    std::vector<std::vector<CPoint3d>> outers, holes;
    SplitByKind(rgn, outers, holes);
    std::stable_sort(outers.begin(), outers.end(), areaLess);
    for (const std::vector<CPoint3d>& outer : outers) {
        std::vector<std::vector<CPoint3d>> mine;
        auto inside = [&](const std::vector<CPoint3d>& h) {
            return polygonInPolygon(h, outer, kPointTol);
        };
        std::copy_if(holes.begin(), holes.end(), std::back_inserter(mine), inside);
        holes.erase(std::remove_if(holes.begin(), holes.end(), inside), holes.end());
        out.push_back(OuterWithHoles(outer, mine));
    }
}

void getRegionsFromRegion(CRegion const* rgn, std::vector<CRegion*>& out) {
    if (rgn == nullptr) {
        return;
    }
    std::vector<std::vector<CPoint3d>> outers, holes;
    SplitByKind(*rgn, outers, holes);
    for (const std::vector<CPoint3d>& outer : outers) {
        std::vector<std::vector<CPoint3d>> mine;
        const containment_detail::OutlineQueries inOuter(outer, kPointTol, holes.size());
        for (const std::vector<CPoint3d>& hole : holes) {
            if (!hole.empty() && inOuter.ptIn(hole.front(), true)) {
                mine.push_back(hole);
            }
        }
        out.push_back(new CRegion(OuterWithHoles(outer, mine)));
    }
}

void region2polygonWithHole(CRegion const& rgn, std::vector<CPolygon>& out) {
    if (rgn.contours.size() == 1) {
        out.emplace_back(rgn.contours.front().pts, true);
        return;
    }
    std::vector<CPoint3d> outer;
    std::vector<std::vector<CPoint3d>> holes;
    for (const RegionContour& c : rgn.contours) {
        if (c.isOuter) {
            outer = c.pts;
        } else {
            holes.push_back(c.pts);
        }
    }
    eraseHole(outer, holes, out);
}

void eraseHole(std::vector<CPoint3d>& outer, std::vector<std::vector<CPoint3d>>& holes,
               std::vector<CPolygon>& out) {
    if (PolyIsClockWise(outer)) {
        std::reverse(outer.begin(), outer.end());
    }
    if (outer.empty()) {
        return;
    }
    CloseWithin(outer);
    std::stable_sort(holes.begin(), holes.end(), highestPosGreate);
    for (std::vector<CPoint3d>& hole : holes) {
        if (hole.size() < 3) {
            continue;
        }
        CloseWithin(hole);
        if (!PolyIsClockWise(hole)) {
            std::reverse(hole.begin(), hole.end());
        }
        BridgeHole(outer, hole);
    }
    out.emplace_back(outer, true);
}

void region2polygon(CRegion const& rgn, std::vector<CPolygon>& out) {
    std::vector<CRegion> parts;
    region2regionWithOnlyOneOutside(rgn, parts);
    for (const CRegion& part : parts) {
        region2polygonWithHole(part, out);
    }
}

void SetPtsArr2Region(std::vector<std::vector<CPoint3d>> lists, CRegion& rgn) {
    lists.erase(std::remove_if(lists.begin(), lists.end(),
                               [](const std::vector<CPoint3d>& l) { return l.empty(); }),
                lists.end());
    const std::vector<bool> hole = FirstPointsInsideAnother(lists);
    rgn.contours.clear();
    for (size_t i = 0; i < lists.size(); ++i) {
        rgn.contours.emplace_back(std::move(lists[i]), !hole[i]);
    }
    rgn.calBox();
}

void removeHolesInHoleFrmRgn(CRegion* rgn) {
    if (rgn == nullptr) {
        return;
    }
    std::vector<RegionContour>& cs = rgn->contours;
    auto usableHole = [&](size_t i) { return !cs[i].isOuter && !cs[i].pts.empty(); };
    size_t a = 0;
    while (a < cs.size()) {
        bool removedA = false;
        // Erasing later contours leaves cs[a] where it is.
        const containment_detail::OutlineQueries inA(cs[a].pts, kPointTol, cs.size() - a - 1);
        for (size_t b = a + 1; usableHole(a) && b < cs.size();) {
            if (!usableHole(b)) {
                ++b;
            } else if (inA.ptIn(cs[b].pts.front(), false)) {
                cs.erase(cs.begin() + static_cast<std::ptrdiff_t>(b));
            } else if (PtInArea(cs[a].pts.front(), cs[b].pts, kPointTol, false)) {
                cs.erase(cs.begin() + static_cast<std::ptrdiff_t>(a));
                removedA = true;
                break;
            } else {
                ++b;
            }
        }
        a += removedA ? 0 : 1;
    }
    rgn->calBox();
}

bool GetRegionOutPts(CGeometry* geo, std::vector<std::vector<CPoint3d>>& out) {
    return RegionContourLists(geo, false, out);
}

bool GetRegionHoles(CGeometry* geo, std::vector<std::vector<CPoint3d>>& out) {
    return RegionContourLists(geo, true, out);
}

int GetBigContour(std::vector<std::vector<CPoint3d>> const& contours) {
    return BiggestContour(contours);
}

int GetBigContour(std::vector<std::vector<AcGePoint3d>> const& contours) {
    return BiggestContour(contours);
}

bool areaLess(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b) {
    return CalPolyArea(a) < CalPolyArea(b);
}

bool highestPosGreate(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b) {
    if (a.empty() || b.empty()) {
        return false;
    }
    return HighestY(a) > HighestY(b);
}
