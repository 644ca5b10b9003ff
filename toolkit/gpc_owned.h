// Owned GPC polygons for the toolkit's set operations (internal).
#pragma once

#include <geo/gpc.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <vector>

namespace geo_detail {

// A GPC polygon released when it goes out of scope; moves hand the arrays over.
struct GpcGon {
    gpc::gpc_polygon poly{0, nullptr, nullptr};

    GpcGon() = default;
    // One outer contour from the plan coordinates of outline (none for fewer than 3 points).
    explicit GpcGon(const std::vector<CPoint3d>& outline);
    ~GpcGon();
    GpcGon(GpcGon&& other) noexcept;
    GpcGon& operator=(GpcGon&& other) noexcept;
    GpcGon(const GpcGon&) = delete;
    GpcGon& operator=(const GpcGon&) = delete;
};

// subject op clip through the engine.
GpcGon Clip(gpc::gpc_op op, GpcGon& subject, GpcGon& clip);

// The union of all polygons, united pairwise in a balanced tree over a spatial order of the
// inputs; operands whose boxes are apart are joined without the engine. Every contour of the
// result has passed through the engine; the contour order is the tree's, not a sorted one.
GpcGon UnionAll(const std::vector<CPolygon>& gons);

}  // namespace geo_detail
