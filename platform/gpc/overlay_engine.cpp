// Polygon booleans of large valid operands by Boost.Geometry's overlay, which grows nearly
// linearly where Clipper's pass over touching contours does not. Operands go in and results come
// out on the same per-call grid as the Clipper engine, and results are nested by the same exact
// containment.
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

// Boost.Geometry's rescaling and envelope code trips GCC's optimiser into false "maybe
// uninitialized" warnings at the places its templates are instantiated.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// Crossings are computed in plain double precision: the default rescaling to the overlay's own
// integer grid moves result areas by about 1e-8 of the operands' size, beyond what results must
// keep. What the rescaling guards against, side tests too close to call in doubles, is kept out
// instead by admitting only operands that meet in clear crossings (suitOverlay).
#define BOOST_GEOMETRY_NO_ROBUSTNESS
// Boost.Math, under Boost.Geometry, still includes a header Boost itself marks deprecated.
#ifndef BOOST_ALLOW_DEPRECATED_HEADERS
#define BOOST_ALLOW_DEPRECATED_HEADERS
#endif
#include <boost/geometry.hpp>

#include "platform/gpc/grid_rings.h"
#include "platform/gpc/simple_rings.h"

namespace gpc_detail {
namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;  // outers clockwise, holes counter-clockwise, closed
using BMulti = bg::model::multi_polygon<BPolygon>;
using BRing = BPolygon::ring_type;

// Areas may differ from the exact bounds by rounding to the grid; this share of the operands'
// area is allowed for that.
constexpr double kAreaSlack = 1e-9;

// Appends p unless it repeats the last vertex.
void appendDistinct(GridRing& ring, const ClipperLib::IntPoint& p) {
    if (ring.empty() || !(ring.back() == p)) {
        ring.push_back(p);
    }
}

// Drops a closing vertex equal to the first; false when fewer than 3 vertices remain.
bool closeUp(GridRing& ring) {
    while (ring.size() > 1 && ring.back() == ring.front()) {
        ring.pop_back();
    }
    return ring.size() >= 3;
}

// An operand's rings on the grid without repeated consecutive vertices; rings left with fewer
// than 3 vertices enclose nothing and are dropped.
std::vector<GridRing> gridRings(const std::vector<RingView>& rings, const GridScale& scale) {
    std::vector<GridRing> out;
    out.reserve(rings.size());
    for (const RingView& r : rings) {
        GridRing ring;
        ring.reserve(static_cast<std::size_t>(r.count));
        for (int i = 0; i < r.count; ++i) {
            appendDistinct(ring, {scale.toGrid(r.pts[i].x), scale.toGrid(r.pts[i].y)});
        }
        if (closeUp(ring)) {
            out.push_back(std::move(ring));
        }
    }
    return out;
}

std::vector<const GridRing*> pointersTo(const std::vector<GridRing>& rings) {
    std::vector<const GridRing*> ptrs;
    ptrs.reserve(rings.size());
    for (const GridRing& r : rings) {
        ptrs.push_back(&r);
    }
    return ptrs;
}

// Writes a contour as a closed Boost ring, clockwise for outers and counter-clockwise for holes.
void toBoostRing(const Contour& c, bool hole, const GridScale& scale, BRing& ring) {
    const GridRing& r = *c.ring;
    ring.reserve(r.size() + 1);
    const bool reverse = (c.area2 > 0) != hole;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const ClipperLib::IntPoint& p = r[reverse ? r.size() - 1 - i : i];
        ring.emplace_back(scale.fromGrid(p.X), scale.fromGrid(p.Y));
    }
    ring.push_back(ring.front());
}

// The operand as polygons with holes: even-odd depth tells outers (even) from holes (odd), and a
// hole belongs to the outer directly around it. Also gives the operand's area in grid units.
BMulti toMulti(const std::vector<GridRing>& rings, const GridScale& scale, double& area) {
    const std::vector<Contour> cs = contoursOf(pointersTo(rings));
    const std::vector<int> parent = nestContours(cs);
    const std::vector<int> depth = depthsOf(parent);
    std::vector<int> polygonOf(cs.size(), -1);
    BMulti multi;
    area = 0;
    for (std::size_t i = 0; i < cs.size(); ++i) {
        const double a = std::fabs(static_cast<double>(cs[i].area2)) / 2;
        if (depth[i] % 2 == 0) {
            polygonOf[i] = static_cast<int>(multi.size());
            multi.emplace_back();
            toBoostRing(cs[i], false, scale, multi.back().outer());
            area += a;
        }
    }
    for (std::size_t i = 0; i < cs.size(); ++i) {
        if (depth[i] % 2 == 1) {
            BPolygon& owner = multi[polygonOf[parent[i]]];
            owner.inners().emplace_back();
            toBoostRing(cs[i], true, scale, owner.inners().back());
            area -= std::fabs(static_cast<double>(cs[i].area2)) / 2;
        }
    }
    return multi;
}

// The overlay's result as one or two sets of polygons. The symmetric difference is the two
// differences side by side: operands that meet only in clear crossings leave them no shared
// edge, only crossing points, where the pieces stay separate contours.
std::vector<BMulti> overlay(ClipOp op, const BMulti& a, const BMulti& b) {
    std::vector<BMulti> out(op == ClipOp::kXor ? 2 : 1);
    switch (op) {
        case ClipOp::kDifference:
            bg::difference(a, b, out[0]);
            break;
        case ClipOp::kIntersection:
            bg::intersection(a, b, out[0]);
            break;
        case ClipOp::kXor:
            bg::difference(a, b, out[0]);
            bg::difference(b, a, out[1]);
            break;
        case ClipOp::kUnion:
            bg::union_(a, b, out[0]);
            break;
    }
    return out;
}

// A Boost ring back on the grid, repeated consecutive vertices dropped; false when fewer than 3
// vertices remain.
bool fromBoostRing(const BRing& ring, const GridScale& scale, GridRing& out) {
    out.reserve(ring.size());
    for (const BPoint& p : ring) {
        appendDistinct(out, {scale.toGrid(p.x()), scale.toGrid(p.y())});
    }
    return closeUp(out);
}

// Appends the polygons' rings on the grid, outers and holes alike.
void appendRings(const BMulti& result, const GridScale& scale, std::vector<GridRing>& rings) {
    for (const BPolygon& p : result) {
        rings.emplace_back();
        if (!fromBoostRing(p.outer(), scale, rings.back())) {
            rings.pop_back();
        }
        for (const BRing& inner : p.inners()) {
            rings.emplace_back();
            if (!fromBoostRing(inner, scale, rings.back())) {
                rings.pop_back();
            }
        }
    }
}

// Every ring of the overlay's result on the grid, outers and holes alike.
std::vector<GridRing> resultRings(const std::vector<BMulti>& parts, const GridScale& scale) {
    std::vector<GridRing> rings;
    for (const BMulti& part : parts) {
        appendRings(part, scale, rings);
    }
    return rings;
}

// The net area of nested contours: depth parity tells what adds and what subtracts.
double netArea(const std::vector<Contour>& cs, const std::vector<int>& parent) {
    const std::vector<int> depth = depthsOf(parent);
    double area = 0;
    for (std::size_t i = 0; i < cs.size(); ++i) {
        const double a = std::fabs(static_cast<double>(cs[i].area2)) / 2;
        area += depth[i] % 2 == 0 ? a : -a;
    }
    return area;
}

// Whether a result's area lies within what the operation allows for operands of areas a and b;
// catches an overlay that lost or doubled pieces.
bool plausibleArea(ClipOp op, double a, double b, double r) {
    const double slack = kAreaSlack * (a + b);
    switch (op) {
        case ClipOp::kDifference:
            return r >= std::max(0.0, a - b) - slack && r <= a + slack;
        case ClipOp::kIntersection:
            return r >= -slack && r <= std::min(a, b) + slack;
        case ClipOp::kXor:
            return r >= std::fabs(a - b) - slack && r <= a + b + slack;
        case ClipOp::kUnion:
            break;
    }
    return r >= std::max(a, b) - slack && r <= a + b + slack;
}

// Drops contours that enclose nothing on the grid.
std::vector<Contour> withArea(std::vector<Contour> cs) {
    cs.erase(std::remove_if(cs.begin(), cs.end(), [](const Contour& c) { return c.area2 == 0; }),
             cs.end());
    return cs;
}

}  // namespace

bool clipWithOverlay(ClipOp op, const std::vector<RingView>& subject,
                     const std::vector<RingView>& clip, std::vector<ResultContour>& out) {
    const double maxAbs = maxAbsCoordinate(subject, clip);
    if (maxAbs == 0.0) {
        return false;
    }
    try {
        const GridScale scale(maxAbs);
        const std::vector<GridRing> ra = gridRings(subject, scale), rb = gridRings(clip, scale);
        if (!suitOverlay(ra, rb)) {
            return false;
        }
        double areaA = 0, areaB = 0;
        const BMulti a = toMulti(ra, scale, areaA), b = toMulti(rb, scale, areaB);
        const std::vector<GridRing> rings = resultRings(overlay(op, a, b), scale);
        const std::vector<Contour> cs = withArea(contoursOf(pointersTo(rings)));
        const std::vector<int> parent = nestContours(cs);
        if (!plausibleArea(op, areaA, areaB, netArea(cs, parent))) {
            return false;
        }
        out = listNested(cs, parent, scale);
        return true;
    } catch (const std::exception&) {
        return false;  // the overlay refused the input or memory ran out: Clipper decides
    }
}

}  // namespace gpc_detail
