// Booleans of regions with holes through CRegion::booleanOper against Clipper called directly
// on the same contours, GEOS's overlay and Boost.Geometry; and CRegion::Offset against
// PlineOffset run on each contour.
#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include "foundation/numeric.h"
#include "support/boost_geometry.h"

#include <geo/cleanup.h>
#include <geo/measures.h>
#include <geo/offset.h>
#include <geo/region.h>
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

namespace bg = boost::geometry;
using BgPoint = bg::model::d2::point_xy<double>;
using BgPolygon = bg::model::polygon<BgPoint>;
using Outline = std::vector<CPoint3d>;

using geo_detail::kTwoPi;
constexpr int kOuterVertices = 1000;
constexpr int kHoleVertices = 24;
constexpr int kHoles = 10;

// A star-shaped outline of n vertices around (cx, cy), counter-clockwise.
Outline Star(std::mt19937& rng, int n, double cx, double cy, double rMin, double rMax) {
    std::uniform_real_distribution<double> radius(rMin, rMax);
    Outline pts;
    pts.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = kTwoPi * i / n;
        const double r = radius(rng);
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    return pts;
}

// An outer of 1000 vertices (radius 80 to 100) with ten holes on a ring of radius 50,
// holes clockwise.
CRegion Room(std::mt19937& rng, double cx, double cy) {
    std::vector<Outline> outers{Star(rng, kOuterVertices, cx, cy, 80, 100)}, holes;
    for (int h = 0; h < kHoles; ++h) {
        const double a = kTwoPi * h / kHoles;
        Outline hole =
            Star(rng, kHoleVertices, cx + 50 * std::cos(a), cy + 50 * std::sin(a), 6, 12);
        std::reverse(hole.begin(), hole.end());
        holes.push_back(hole);
    }
    return CRegion(outers, holes);
}

// The two operands, made once.
const std::pair<CRegion, CRegion>& Rooms() {
    static const std::pair<CRegion, CRegion> rooms = [] {
        std::mt19937 rng(1000);
        CRegion a = Room(rng, 0, 0);
        CRegion b = Room(rng, 30, 20);
        return std::make_pair(a, b);
    }();
    return rooms;
}

gpc::gpc_op OpOf(const benchmark::State& state) {
    return static_cast<gpc::gpc_op>(state.range(0));
}

void BM_RegionBooleanOper(benchmark::State& state) {
    const auto& [a, b] = Rooms();
    for (auto _ : state) {
        CRegion out;
        benchmark::DoNotOptimize(a.booleanOper(b, out, OpOf(state)));
        benchmark::DoNotOptimize(out.contours.data());
    }
}

ClipperLib::ClipType ClipTypeOf(gpc::gpc_op op) {
    switch (op) {
        case gpc::GPC_DIFF:
            return ClipperLib::ctDifference;
        case gpc::GPC_INT:
            return ClipperLib::ctIntersection;
        case gpc::GPC_XOR:
            return ClipperLib::ctXor;
        default:
            return ClipperLib::ctUnion;
    }
}

// A contour of the result with its kind, as the region would hold it.
struct BackContour {
    Outline pts;
    bool outer;
};

// Clipper directly on the regions' contours: doubles onto an integer grid, the operation, and
// the result back into point lists with hole flags. `wideGrid` uses the 2^52 grid, strictly
// simple output and the tree result of the library's clipping layer; otherwise a 2^30 grid
// and flat paths (Clipper's fast range, holes told by orientation).
void ClipperRegions(benchmark::State& state, bool wideGrid) {
    const auto& [a, b] = Rooms();
    for (auto _ : state) {
        double maxAbs = 0;
        for (const CRegion* r : {&a, &b}) {
            for (const RegionContour& c : r->contours) {
                for (const CPoint3d& p : c.pts) {
                    maxAbs = std::max({maxAbs, std::fabs(p.x), std::fabs(p.y)});
                }
            }
        }
        int exponent = 0;
        std::frexp(maxAbs, &exponent);
        const double up = std::ldexp(1.0, (wideGrid ? 52 : 30) - exponent), down = 1.0 / up;
        ClipperLib::Clipper clipper;
        clipper.StrictlySimple(wideGrid);
        for (const CRegion* r : {&a, &b}) {
            ClipperLib::Paths paths(r->contours.size());
            for (size_t i = 0; i < paths.size(); ++i) {
                paths[i].reserve(r->contours[i].pts.size());
                for (const CPoint3d& p : r->contours[i].pts) {
                    paths[i].emplace_back(std::llround(p.x * up), std::llround(p.y * up));
                }
            }
            clipper.AddPaths(paths, r == &a ? ClipperLib::ptSubject : ClipperLib::ptClip, true);
        }
        std::vector<BackContour> back;
        const auto keep = [&](const ClipperLib::Path& path, bool outer) {
            back.push_back({Outline(), outer});
            back.back().pts.reserve(path.size());
            for (const ClipperLib::IntPoint& q : path) {
                back.back().pts.emplace_back(static_cast<double>(q.X) * down,
                                             static_cast<double>(q.Y) * down, 0.0);
            }
        };
        if (wideGrid) {
            ClipperLib::PolyTree tree;
            clipper.Execute(ClipTypeOf(OpOf(state)), tree, ClipperLib::pftEvenOdd,
                            ClipperLib::pftEvenOdd);
            for (ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
                keep(node->Contour, !node->IsHole());
            }
        } else {
            ClipperLib::Paths paths;
            clipper.Execute(ClipTypeOf(OpOf(state)), paths, ClipperLib::pftEvenOdd,
                            ClipperLib::pftEvenOdd);
            for (const ClipperLib::Path& path : paths) {
                keep(path, ClipperLib::Orientation(path));
            }
        }
        benchmark::DoNotOptimize(back.data());
    }
}

void BM_ClipperSameGrid(benchmark::State& state) {
    ClipperRegions(state, true);
}

void BM_ClipperFastGrid(benchmark::State& state) {
    ClipperRegions(state, false);
}

BgPolygon ToBoost(const CRegion& region) {
    BgPolygon poly;
    for (const RegionContour& c : region.contours) {
        auto& ring =
            c.isOuter ? poly.outer() : (poly.inners().emplace_back(), poly.inners().back());
        for (const CPoint3d& p : c.pts) {
            ring.push_back(BgPoint(p.x, p.y));
        }
    }
    bg::correct(poly);
    return poly;
}

void BM_BoostOverlay(benchmark::State& state) {
    const auto& [a, b] = Rooms();
    const BgPolygon ba = ToBoost(a), bb = ToBoost(b);
    for (auto _ : state) {
        bg::model::multi_polygon<BgPolygon> out;
        geo_test::boostOverlay(OpOf(state), ba, bb, out);
        benchmark::DoNotOptimize(out.data());
    }
}

GEOSGeometry* GeosRing(GEOSContextHandle_t ctx, const Outline& pts) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(pts.size() + 1), 2);
    for (size_t i = 0; i <= pts.size(); ++i) {
        const CPoint3d& p = pts[i % pts.size()];
        GEOSCoordSeq_setXY_r(ctx, seq, static_cast<unsigned>(i), p.x, p.y);
    }
    return GEOSGeom_createLinearRing_r(ctx, seq);
}

// The region's first outer as shell, every hole as an interior ring.
GEOSGeometry* ToGeos(GEOSContextHandle_t ctx, const CRegion& region) {
    std::vector<GEOSGeometry*> holes;
    for (const RegionContour& c : region.contours) {
        if (!c.isOuter) {
            holes.push_back(GeosRing(ctx, c.pts));
        }
    }
    return GEOSGeom_createPolygon_r(ctx, GeosRing(ctx, region.contours[0].pts), holes.data(),
                                    static_cast<unsigned>(holes.size()));
}

void BM_GeosOverlay(benchmark::State& state) {
    const auto& [a, b] = Rooms();
    GEOSContextHandle_t ctx = GEOS_init_r();
    GEOSGeometry* ga = ToGeos(ctx, a);
    GEOSGeometry* gb = ToGeos(ctx, b);
    for (auto _ : state) {
        GEOSGeometry* r = nullptr;
        switch (OpOf(state)) {
            case gpc::GPC_DIFF:
                r = GEOSDifference_r(ctx, ga, gb);
                break;
            case gpc::GPC_INT:
                r = GEOSIntersection_r(ctx, ga, gb);
                break;
            case gpc::GPC_XOR:
                r = GEOSSymDifference_r(ctx, ga, gb);
                break;
            default:
                r = GEOSUnion_r(ctx, ga, gb);
                break;
        }
        benchmark::DoNotOptimize(r);
        if (r) {
            GEOSGeom_destroy_r(ctx, r);
        }
    }
    GEOSGeom_destroy_r(ctx, ga);
    GEOSGeom_destroy_r(ctx, gb);
    GEOS_finish_r(ctx);
}

void Operations(benchmark::internal::Benchmark* b) {
    for (int op : {gpc::GPC_DIFF, gpc::GPC_INT, gpc::GPC_XOR, gpc::GPC_UNION}) {
        b->Arg(op);
    }
    b->Unit(benchmark::kMicrosecond);
}

// Offsets of the first operand: the region copied and offset whole ...
void BM_RegionOffset(benchmark::State& state) {
    const CRegion& a = Rooms().first;
    const double dist = static_cast<double>(state.range(0)) / 2.0;
    for (auto _ : state) {
        CRegion r = a;
        benchmark::DoNotOptimize(r.Offset(dist));
        benchmark::DoNotOptimize(r.contours.data());
    }
}

// ... against PlineOffset on each contour, already oriented and closed as the region does.
void BM_PlineOffsetContours(benchmark::State& state) {
    const CRegion& a = Rooms().first;
    const double dist = static_cast<double>(state.range(0)) / 2.0;
    std::vector<Outline> inputs;
    for (const RegionContour& c : a.contours) {
        Outline pts = c.pts;
        if (PolyIsClockWise(pts) != c.isOuter) {
            std::reverse(pts.begin(), pts.end());
        }
        ClosePts(pts, 1e-6);
        inputs.push_back(pts);
    }
    for (auto _ : state) {
        for (const Outline& pts : inputs) {
            std::vector<Outline> pieces;
            benchmark::DoNotOptimize(PlineOffset(pts, pieces, dist, 1e-6));
            benchmark::DoNotOptimize(pieces.data());
        }
    }
}

void Distances(benchmark::internal::Benchmark* b) {
    for (int twice : {2, -2}) {
        b->Arg(twice);
    }
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_RegionBooleanOper)->Apply(Operations);
BENCHMARK(BM_ClipperSameGrid)->Apply(Operations);
BENCHMARK(BM_ClipperFastGrid)->Apply(Operations);
BENCHMARK(BM_GeosOverlay)->Apply(Operations);
BENCHMARK(BM_BoostOverlay)->Apply(Operations);
BENCHMARK(BM_RegionOffset)->Apply(Distances);
BENCHMARK(BM_PlineOffsetContours)->Apply(Distances);

BENCHMARK_MAIN();
