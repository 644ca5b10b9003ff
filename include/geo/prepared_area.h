// An outline prepared once for many point-in-outline questions.
#pragma once

#include <geo/export.h>
#include <geo/point3d.h>

#include <memory>
#include <vector>

// The outline's edges filed by height, so that a question looks only at the edges near the
// point's height. Every answer is the one PtInArea gives for the same points and tolerance;
// the outline is copied, queries may run in several threads at once.
class GEO_API CPreparedArea {
public:
    CPreparedArea(std::vector<CPoint3d> const& pts, double tol);
    ~CPreparedArea();
    CPreparedArea(CPreparedArea&& other) noexcept;
    CPreparedArea& operator=(CPreparedArea&& other) noexcept;
    CPreparedArea(const CPreparedArea&) = delete;
    CPreparedArea& operator=(const CPreparedArea&) = delete;

    // PtInArea(pt, pts, tol, onEdge): even-odd inside; a boundary point returns onEdge;
    // false for fewer than 3 points.
    bool ptIn(CPoint3d const& pt, bool onEdge) const;

    // 1 inside, 0 outside, -1 on the boundary (where ptIn returns onEdge); 0 for fewer than
    // 3 points.
    int locate(CPoint3d const& pt) const;

private:
    struct Index;
    std::unique_ptr<const Index> index_;
};
