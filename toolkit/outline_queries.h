// Point-in-outline questions asked many times of one outline: the outline is prepared once
// when enough questions are coming, and asked plainly otherwise; the answers are the same.
#pragma once

#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>
#include <geo/containment.h>
#include <geo/conversions.h>
#include <geo/point3d.h>
#include <geo/prepared_area.h>

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace containment_detail {

// Filing an outline's edges costs about as much as walking them ten to twenty times at a few
// hundred edges, and grows faster than the outline beyond a thousand edges or so (about 230
// plain walks at 4 096 edges, 1 100 at 65 536): the index is built only for enough questions
// that are also a fair share of the edges. Below that the plain tests are used.
constexpr size_t kPrepareFromEdges = 32;
constexpr size_t kPayingQueries = 64;
constexpr size_t kEdgesPerQuery = 8;

inline bool preparingPays(size_t queries, size_t edges) {
    return queries >= kPayingQueries && edges >= kPrepareFromEdges &&
           queries * kEdgesPerQuery >= edges;
}

// PtInArea(pt, pts, tol, onEdge) for up to `queries` points; pts must outlive the object
// and stay unchanged.
class OutlineQueries {
public:
    OutlineQueries(const std::vector<CPoint3d>& pts, double tol, size_t queries);
    bool ptIn(const CPoint3d& pt, bool onEdge) const;

private:
    const std::vector<CPoint3d>* pts_;
    double tol_;
    std::optional<CPreparedArea> prepared_;
};

// PtIn3DArea(pt, pts, normal, tol, onEdge) for up to `queries` points: the outline is laid
// into its plane once.
class PlaneOutlineQueries {
public:
    PlaneOutlineQueries(const std::vector<CPoint3d>& pts, const CVector3d& normal, double tol,
                        size_t queries);
    PlaneOutlineQueries(const PlaneOutlineQueries&) = delete;
    PlaneOutlineQueries& operator=(const PlaneOutlineQueries&) = delete;
    bool ptIn(const CPoint3d& pt, bool onEdge) const;

private:
    CPoint3d flatten(const CPoint3d& p) const;

    bool usable_ = false;  // three points and a plane to lay them in
    AcGeMatrix3d toPlane_;
    std::vector<CPoint3d> local_;
    std::optional<OutlineQueries> queries_;
};

inline OutlineQueries::OutlineQueries(const std::vector<CPoint3d>& pts, double tol, size_t queries)
    : pts_(&pts), tol_(tol) {
    if (preparingPays(queries, pts.size())) {
        prepared_.emplace(pts, tol);
    }
}

inline bool OutlineQueries::ptIn(const CPoint3d& pt, bool onEdge) const {
    return prepared_ ? prepared_->ptIn(pt, onEdge) : PtInArea(pt, *pts_, tol_, onEdge);
}

inline PlaneOutlineQueries::PlaneOutlineQueries(const std::vector<CPoint3d>& pts,
                                                const CVector3d& normal, double tol,
                                                size_t queries) {
    const AcGeVector3d n(normal.x, normal.y, normal.z);
    if (pts.size() < 3 || n.length() == 0.0 || !std::isfinite(n.length())) {
        return;  // nothing to enclose, or no plane to work in
    }
    usable_ = true;
    toPlane_ = AcGeMatrix3d::worldToPlane(AcGePlane(Pnt3dToAcPnt3d(pts[0]), n));
    local_.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        local_.push_back(flatten(p));
    }
    queries_.emplace(local_, tol, queries);
}

inline CPoint3d PlaneOutlineQueries::flatten(const CPoint3d& p) const {
    AcGePoint3d q = Pnt3dToAcPnt3d(p);
    q.transformBy(toPlane_);
    CPoint3d out = AcPnt3dToPnt3d(q);
    out.z = 0.0;
    return out;
}

inline bool PlaneOutlineQueries::ptIn(const CPoint3d& pt, bool onEdge) const {
    return usable_ && queries_->ptIn(flatten(pt), onEdge);
}

}  // namespace containment_detail
