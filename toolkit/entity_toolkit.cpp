// Toolkit functions over entities: point on a polyline, edge-aligned box, outline containment,
// entity clean-up and outline simplification.
#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/conversions.h>
#include <geo/entity_toolkit.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/offset.h>
#include <geo/polygon3d.h>
#include <geo/region.h>
#include <geo/region_sets.h>

#include "foundation/numeric.h"
#include "foundation/planes.h"
#include "foundation/segments.h"
#include "toolkit/polygon_outline.h"

#include <algorithm>
#include <typeinfo>

using geo_detail::kPointTol;

namespace {

// Area of a minus b up to which a still counts as lying in b.
constexpr double kInsideSlack = 0.1;
// ReduceGonBorder: end points nearer than this are one closing point.
constexpr double kCloseGap = 0.1;
// ReduceGonBorder: the distances tried, shrinking from the start to the floor, then growing
// from the start to the ceiling, and the area the offset out and back may lose.
constexpr double kReduceStart = 5.0;
constexpr double kReduceShrink = 0.9;
constexpr double kReduceFloor = 1.3;
constexpr double kReduceGrow = 1.2;
constexpr double kReduceCeiling = 70.0;
constexpr double kReduceLostArea = 0.1;

}  // namespace

bool PtOnCurve2d(CPoint3d const& p, CPolyline const& polyline) {
    const std::vector<CPoint3d> v = polyline.getPoints();
    for (size_t i = 1; i < v.size(); ++i) {
        if (geo_detail::onSegment(v[i - 1], v[i], p, kPointTol)) {
            return true;
        }
    }
    return false;
}

bool CalBox(CPolygon polygon, int edge, double& length, double& width) {
    const std::vector<CPoint3d> v = polygon.getPoints();
    const int n = static_cast<int>(v.size());
    if (n <= 1 || edge < 0 || edge >= n || !geo_detail::allFiniteXYZ(v)) {
        return false;
    }
    const size_t e = static_cast<size_t>(edge);
    polygon.rotate(v[e], -GetAngle(v[e], v[(e + 1) % v.size()]));
    CPoint3d min, max;
    polygon.getBox(min, max);
    length = max.x - min.x;
    width = max.y - min.y;
    return true;
}

namespace {

bool planBoxesApart(const CPolygon& a, const CPolygon& b) {
    CPoint3d minA, maxA, minB, maxB;
    a.getBox(minA, maxA);
    b.getBox(minB, maxB);
    return minB.x > maxA.x || minB.y > maxA.y || minA.x > maxB.x || minA.y > maxB.y;
}

// The area of a minus b. The boolean answers 0 for outlines that cannot overlap, which would
// read as "inside": there a loses nothing to b and keeps its whole area.
double areaOutside(const CPolygon& a, const CPolygon& b) {
    if (a.numVerts() < 3) {
        return 0.0;
    }
    if (b.numVerts() < 3 || planBoxesApart(a, b)) {
        return a.area();
    }
    double area = 0.0;
    BooleanOper(&a, &b, area, gpc::GPC_DIFF);
    return area;
}

}  // namespace

bool bPolyLineIsInPolygon(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b, bool) {
    return areaOutside(CPolygon(a, true), CPolygon(b, true)) <= kInsideSlack;
}

bool polygonInPolygon3D(std::vector<CPoint3d> inner, std::vector<CPoint3d> outer, double tol) {
    if (inner.size() < 3 || outer.size() < 3) {
        return false;
    }
    std::vector<CPoint3d> both = outer;
    both.insert(both.end(), inner.begin(), inner.end());
    if (!isInPlane(inner, tol) || !isInPlane(outer, tol) || !isInPlane(both, tol)) {
        return false;
    }
    const CVector3d outerNormal = geo_detail::turnNormal(outer[0], outer[1], outer[2]);
    const CVector3d innerNormal = geo_detail::turnNormal(inner[0], inner[1], inner[2]);
    CPoint3d at;
    CVector3d along;
    if (geo_detail::planesMeet(outer[0], outerNormal, inner[0], innerNormal, tol, at, along)) {
        return false;
    }
    const geo_detail::PlaneFrame frame =
        geo_detail::polygonFrame(outer, GetNormal(outer[0], outer[1], outer[2]));
    for (std::vector<CPoint3d>* pts : {&inner, &outer}) {
        frame.toFrame(*pts, 0);
        if (PolyIsClockWise(*pts)) {
            std::reverse(pts->begin(), pts->end());
        }
    }
    return polygonInPolygon(inner, outer, tol);
}

namespace {

void cleanRegion(CRegion& region, double tol) {
    for (RegionContour& c : region.contours) {
        RemoveRedundancyPts(c.pts, true, tol);
    }
    auto collapsed = [](const RegionContour& c) { return c.pts.size() < 3; };
    region.contours.erase(std::remove_if(region.contours.begin(), region.contours.end(), collapsed),
                          region.contours.end());
    region.calBox();
}

}  // namespace

void RemoveRedundancyPts(CGeometry* geo, double tol) {
    if (geo == nullptr) {
        return;
    }
    const std::type_info& type = geo->type();
    if (type == typeid(CPolygon)) {
        auto* polygon = static_cast<CPolygon*>(geo);
        std::vector<CPoint3d> pts = polygon->getPoints();
        RemoveRedundancyPts(pts, true, tol);
        polygon->setPoints(pts, true);
    } else if (type == typeid(CRegion)) {
        cleanRegion(*static_cast<CRegion*>(geo), tol);
    } else if (type == typeid(CPolyline)) {
        auto* polyline = static_cast<CPolyline*>(geo);
        std::vector<CPoint3d> pts = polyline->getPoints();
        RemoveRedundancyPts(pts, false, tol);
        polyline->setPoints(pts);
    } else if (type == typeid(CPolygon3D)) {
        auto* polygon = static_cast<CPolygon3D*>(geo);
        std::vector<CPoint3d> pts = polygon->getUcsPts();
        RemoveRedundancyPts(pts, true, tol);
        polygon->setUcsPts(pts);
    }
}

namespace {

// The outline offset outwards by d and the largest piece back inwards by d; empty unless
// exactly one outline comes back.
std::vector<CPoint3d> outAndBack(const std::vector<CPoint3d>& pts, double d) {
    std::vector<std::vector<CPoint3d>> out, back;
    PlineOffset(pts, out, -d, kPointTol);
    if (out.empty()) {
        return {};
    }
    size_t largest = 0;
    for (size_t i = 1; i < out.size(); ++i) {
        if (CalPolyArea(out[i]) > CalPolyArea(out[largest])) {
            largest = i;
        }
    }
    PlineOffset(out[largest], back, d, kPointTol);
    return back.size() == 1 ? back[0] : std::vector<CPoint3d>{};
}

// The area of pts that the simplified outline no longer covers.
double areaLost(const std::vector<CPoint3d>& pts, const std::vector<CPoint3d>& simplified) {
    CRegion lost;
    CRegion(pts).booleanOper(CRegion(simplified), lost, gpc::GPC_DIFF);
    return lost.area();
}

}  // namespace

void ReduceGonBorder(std::vector<CPoint3d>& pts) {
    if (pts.size() < 3 || !geo_detail::allFiniteXYZ(pts)) {
        return;
    }
    if (pts.front().distanceTo(pts.back()) < kCloseGap) {
        pts.front() = pts.back();
    } else {
        pts.push_back(pts.front());
    }
    if (PolyIsClockWise(pts)) {
        std::reverse(pts.begin(), pts.end());
    }
    double factor = kReduceShrink;
    for (double d = kReduceStart;; d *= factor) {
        if (FloatComp(d, kReduceFloor, kPointTol) == -1) {
            factor = kReduceGrow;
            d = kReduceStart;
        }
        if (FloatComp(d, kReduceCeiling, kPointTol) == 1) {
            return;
        }
        std::vector<CPoint3d> simplified = outAndBack(pts, d);
        if (!simplified.empty() && areaLost(pts, simplified) < kReduceLostArea) {
            pts = std::move(simplified);
            return;
        }
    }
}
