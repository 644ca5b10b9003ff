// The point-in-outline rule written out literally, edge by edge, as the reference for the
// screened walk of the library, and the random outlines both are compared on.
#pragma once

#include <geo/float_comp.h>
#include <geo/lines.h>
#include <geo/point3d.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "foundation/numeric.h"

namespace reference {

// Closes a copy of the outline, then counts crossings of the leftward ray: a vertex on the
// ray counts for the edge whose other end lies below; exact end hits never count.
inline bool PtInArea(CPoint3d pt, const std::vector<CPoint3d>& pts, double tol, bool onEdge) {
    std::vector<CPoint3d> ring = pts;
    if (ring.size() < 3) {
        return false;
    }
    if (!ring.back().isEqualTo(ring.front(), tol)) {
        ring.push_back(ring.front());
    }
    const CRay ray(pt, CVector3d(-1.0, 0.0, 0.0));
    int count = 0;
    const size_t m = ring.size();
    for (size_t i = 0; i < m; ++i) {
        const CPoint3d& r = ring[i];
        const CPoint3d& q = ring[(i + 1) % m];
        if (pt.isEqualTo(r, tol)) {
            return onEdge;
        }
        const CLineSeg edge(r, q);
        if (edge.isOn(pt, tol)) {
            return onEdge;
        }
        if (FloatComp(q.y, r.y, tol) == 0) {
            continue;
        }
        if (FloatComp(pt.y, r.y, tol) == 0 && FloatComp(pt.x, r.x, tol) == 1 &&
            FloatComp(pt.y, q.y, tol) == 1) {
            ++count;
        } else if (FloatComp(pt.y, q.y, tol) == 0 && FloatComp(pt.x, q.x, tol) == 1 &&
                   FloatComp(pt.y, r.y, tol) == 1) {
            ++count;
        } else {
            CPoint3d hit;
            if (ray.intersectWith(edge, hit, tol) && !hit.isEqualTo(r, tol) &&
                !hit.isEqualTo(q, tol)) {
                ++count;
            }
        }
    }
    return count % 2 == 1;
}

// A star-shaped outline of n vertices around (cx, cy): sorted random angles, random radii.
// With grid > 0 the coordinates are snapped to that grid, which produces horizontal edges,
// collinear runs and repeated vertices.
inline std::vector<CPoint3d> randomStar(std::mt19937& rng, int n, double cx, double cy,
                                        double radius, double grid) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> angles(n);
    for (double& a : angles) {
        a = unit(rng) * geo_detail::kTwoPi;
    }
    std::sort(angles.begin(), angles.end());
    std::vector<CPoint3d> pts;
    pts.reserve(n);
    for (double a : angles) {
        const double r = radius * (0.2 + 0.8 * unit(rng));
        double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        if (grid > 0.0) {
            x = std::round(x / grid) * grid;
            y = std::round(y / grid) * grid;
        }
        pts.emplace_back(x, y, 0.0);
    }
    return pts;
}

// Queries that sit on, near and beside the outline's features.
inline std::vector<CPoint3d> probePoints(std::mt19937& rng, const std::vector<CPoint3d>& pts,
                                         double tol, double spread) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<CPoint3d> probes;
    const double nudges[] = {0.0, 0.5, 1.0, 2.0, 4.5};
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const CPoint3d& a = pts[i];
        const CPoint3d& b = pts[(i + 1) % n];
        const double nudge = nudges[rng() % 5] * (tol > 0 ? tol : 1e-9) * (rng() % 2 ? 1 : -1);
        probes.push_back(a);
        probes.emplace_back(a.x + nudge, a.y, a.z);
        probes.emplace_back(a.x, a.y + nudge, a.z);
        const double t = unit(rng);
        probes.emplace_back(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z);
        probes.emplace_back((a.x + b.x) / 2, (a.y + b.y) / 2 + nudge, a.z);
        probes.emplace_back(a.x + (unit(rng) - 0.5) * spread, a.y, a.z);  // at a vertex height
    }
    for (int k = 0; k < 8; ++k) {
        const CPoint3d& c = pts[rng() % n];
        probes.emplace_back(c.x + (unit(rng) - 0.5) * spread, c.y + (unit(rng) - 0.5) * spread,
                            c.z);
    }
    return probes;
}

// Variants of an outline: closed exactly, closed within the tolerance, with a repeated
// vertex, lifted to a random height per vertex.
inline std::vector<std::vector<CPoint3d>> outlineVariants(std::mt19937& rng,
                                                          std::vector<CPoint3d> pts, double tol) {
    std::vector<std::vector<CPoint3d>> out = {pts};
    auto closed = pts;
    closed.push_back(pts.front());
    out.push_back(closed);
    auto nearlyClosed = pts;
    nearlyClosed.emplace_back(pts[0].x + tol / 2, pts[0].y - tol / 2, pts[0].z);
    out.push_back(nearlyClosed);
    auto repeated = pts;
    const size_t k = rng() % pts.size();
    repeated.insert(repeated.begin() + k, pts[k]);
    out.push_back(repeated);
    auto lifted = pts;
    for (CPoint3d& p : lifted) {
        p.z = (rng() % 3) * 0.5;
    }
    out.push_back(lifted);
    return out;
}

}  // namespace reference
