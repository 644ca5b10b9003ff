#include "regions.h"

#include <geo/containment.h>
#include <geo/measures.h>

namespace geoio {
namespace {

// The point tolerance of the library's own outline tests.
constexpr double kTol = 1e-6;

bool Same(const CPoint3d& a, const CPoint3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Index of the smallest outer holding the point, or 0.
std::size_t OuterHolding(const CPoint3d& p, const std::vector<std::vector<CPoint3d>>& outers) {
    std::size_t best = 0;
    double bestArea = -1;
    for (std::size_t i = 0; i < outers.size(); ++i) {
        const double area = CalPolyArea(outers[i]);
        if ((bestArea < 0 || area < bestArea) && PtInArea(p, outers[i], kTol, true)) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

}  // namespace

std::vector<CPoint3d> OpenRing(const Ring& ring) {
    std::vector<CPoint3d> pts = ring;
    if (pts.size() > 1 && Same(pts.front(), pts.back())) {
        pts.pop_back();
    }
    return pts;
}

Ring ClosedRing(std::vector<CPoint3d> pts) {
    if (!pts.empty() && !Same(pts.front(), pts.back())) {
        pts.push_back(pts.front());
    }
    return pts;
}

CRegion ToRegion(const Shape& area) {
    CRegion region;
    for (const RingSet& polygon : area.polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            region.contours.emplace_back(OpenRing(polygon[i]), i == 0);
        }
    }
    region.calBox();
    return region;
}

Shape FromRegion(const CRegion& region) {
    std::vector<std::vector<CPoint3d>> outers, holes;
    for (const RegionContour& c : region.contours) {
        if (c.pts.size() >= 3) {
            (c.isOuter ? outers : holes).push_back(c.pts);
        }
    }
    std::vector<RingSet> polygons;
    for (const std::vector<CPoint3d>& outer : outers) {
        polygons.push_back({ClosedRing(outer)});
    }
    for (const std::vector<CPoint3d>& hole : holes) {
        if (!polygons.empty()) {
            polygons[OuterHolding(hole.front(), outers)].push_back(ClosedRing(hole));
        }
    }
    return Shape::area(std::move(polygons));
}

}  // namespace geoio
