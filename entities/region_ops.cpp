// Region conversions to GPC, booleans and offsets.
#include <geo/region.h>

#include <geo/cleanup.h>
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/offset.h>

#include <algorithm>

#include "entities/boolean_rings.h"

namespace {

// Vertices this close on every axis count as one when an outline is closed for offsetting.
constexpr double kCloseTol = 1e-6;
// Tolerance handed to the polyline offset.
constexpr double kOffsetTol = 1e-6;
// Fewer vertices than this make no area: such contours are not offset.
constexpr size_t kMinOffsetVertices = 3;

// The contour's vertices as an outline to offset: outers clockwise, holes counter-clockwise,
// closed.
std::vector<CPoint3d> OffsetInput(const RegionContour& contour) {
    std::vector<CPoint3d> pts = contour.pts;
    if (PolyIsClockWise(pts) != contour.isOuter) {
        std::reverse(pts.begin(), pts.end());
    }
    ClosePts(pts, kCloseTol);
    return pts;
}

using gpc_detail::ResultContour;

// Every contour of the region as a ring, as GetGpcGon would hand them to GPC.
boolean_detail::PlanRings PlanRingsOf(const CRegion& region) {
    boolean_detail::PlanRings rings;
    for (const RegionContour& c : region.contours) {
        rings.add(c.pts);
    }
    return rings;
}

}  // namespace

gpc::gpc_polygon CRegion::GetGpcGon() const {
    gpc::gpc_polygon result{0, nullptr, nullptr};
    for (const RegionContour& c : contours) {
        AddPtarrToPolygon(c.pts, &result, c.isOuter ? 0 : 1);
    }
    return result;
}

gpc::gpc_polygon MakeGpcGonFromRegion(const CRegion& region) {
    return region.GetGpcGon();
}

bool CRegion::booleanOper(const CRegion& other, CRegion& out, gpc::gpc_op op) const {
    // Both operands are converted before out is touched: either may be out itself.
    const std::vector<ResultContour> result =
        gpc_detail::clipRings(op, PlanRingsOf(*this).views(), PlanRingsOf(other).views());
    CRegion made;
    made.contours.reserve(result.size());
    for (const ResultContour& c : result) {
        made.contours.emplace_back(boolean_detail::PointsOf(c), !c.hole);
    }
    made.calBox();
    out = std::move(made);
    return !result.empty();
}

bool CRegion::booleanOper(const CPolygon& other, CRegion& out, gpc::gpc_op op) const {
    return booleanOper(CRegion(other.getPoints()), out, op);
}

bool CRegion::Offset(double dist) {
    std::vector<std::vector<CPoint3d>> collected;
    for (const RegionContour& c : contours) {
        if (c.pts.size() < kMinOffsetVertices) {
            continue;
        }
        std::vector<std::vector<CPoint3d>> pieces;
        PlineOffset(OffsetInput(c), pieces, dist, kOffsetTol);
        std::move(pieces.begin(), pieces.end(), std::back_inserter(collected));
    }
    if (collected.empty()) {
        return false;
    }
    contours.clear();
    contours.reserve(collected.size());
    for (std::vector<CPoint3d>& pts : collected) {
        const bool outer = PolyIsClockWise(pts);
        contours.emplace_back(std::move(pts), outer);
    }
    calBox();
    return true;
}
