// The outline rules of the polygon entities: tidying, and laying a world outline into its plane.
#include "toolkit/polygon_outline.h"

#include <geo/cleanup.h>
#include <geo/measures.h>

#include "foundation/numeric.h"

#include <algorithm>

namespace geo_detail {

namespace {

// Outlines smaller than this are only opened and oriented.
constexpr double kSmallOutlineArea = 0.05;
// Consecutive vertices nearer than this are merged.
constexpr double kDuplicateVertexDist = 0.01;

// Erases each vertex nearer than kDuplicateVertexDist to the vertex kept before it.
void removeNearDuplicates(std::vector<CPoint3d>& pts) {
    if (pts.empty()) {
        return;
    }
    size_t kept = 0;  // in-place compaction: same result as erasing one at a time
    for (size_t i = 1; i < pts.size(); ++i) {
        // Written as "not below" so a NaN distance keeps the vertex, as the erase rule does.
        if (!(pts[i].distanceTo(pts[kept]) < kDuplicateVertexDist)) {
            pts[++kept] = pts[i];
        }
    }
    pts.resize(kept + 1);
}

bool samePoints(const std::vector<CPoint3d>& a, const std::vector<CPoint3d>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace

void tidyPolygonOutline(std::vector<CPoint3d>& pts) {
    if (pts.empty()) {
        return;
    }
    if (CalPolyArea(pts) < kSmallOutlineArea) {
        OpenPts(pts, kPointTol);
    } else {
        removeNearDuplicates(pts);
        if (pts.size() >= 4 && pts.back().isEqualTo(pts.front(), kPointTol)) {
            pts.pop_back();
        }
    }
    if (PolyIsClockWise(pts)) {
        std::reverse(pts.begin(), pts.end());
    }
}

std::vector<CPoint3d> openWorldOutline(const std::vector<CPoint3d>& pts) {
    std::vector<CPoint3d> open = pts;
    if (!open.empty() && open.back().isEqualTo(open.front(), kPointTol)) {
        open.pop_back();
    }
    return open;
}

FramedOutline frameOutline(std::vector<CPoint3d> world, const CVector3d& normal, double elevation) {
    PlaneFrame frame{normal, elevation};
    std::vector<CPoint3d> plane = world;
    frame.toFrame(plane, 0.0);
    if (PolyIsClockWise(plane)) {
        std::reverse(world.begin(), world.end());
        std::reverse(plane.begin(), plane.end());
    }
    std::vector<CPoint3d> kept = plane;
    tidyPolygonOutline(kept);
    if (!samePoints(kept, plane)) {
        std::reverse(plane.begin(), plane.end());
        if (samePoints(kept, plane)) {
            std::reverse(world.begin(), world.end());
        } else {
            // Back onto the plane at the elevation the outline had so far.
            if (!world.empty()) {
                frame.elevation = frame.elevationOf(world[0]);
            }
            world = kept;
            frame.toWorld(world);
        }
    }
    if (!world.empty()) {
        frame.elevation = frame.elevationOf(world[0]);
    }
    return FramedOutline{std::move(world), std::move(kept), frame.elevation};
}

PlaneFrame polygonFrame(const std::vector<CPoint3d>& pts, const CVector3d& n) {
    const std::vector<CPoint3d> open = openWorldOutline(pts);
    const CVector3d normal = settledNormal(n, open);
    // A new polygon starts at elevation 0.
    return PlaneFrame{normal, frameOutline(open, normal, 0.0).elevation};
}

}  // namespace geo_detail
