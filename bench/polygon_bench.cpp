// Union of two random star-shaped rooms through CPolygon::booleanOper, against Clipper called
// directly on the same vertices, Boost.Geometry's union_ and GEOS's GEOSUnion_r.
// Boost.Geometry's rescaling policy trips GCC's maybe-uninitialized analysis at -O3.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include <geo/polylines.h>
#include <polyclipping/clipper.hpp>

#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "foundation/numeric.h"

namespace {

namespace bg = boost::geometry;
using BgPoint = bg::model::d2::point_xy<double>;
using BgPolygon = bg::model::polygon<BgPoint, false, true>;
using BgMulti = bg::model::multi_polygon<BgPolygon>;

using geo_detail::kTwoPi;

// A star-shaped outline of n vertices at increasing angles. The radius is a random sum of a
// few harmonics, so the outline stays a smooth wavy room at any n: random radii per vertex
// would make thousands of spikes cross each other, which measures something else.
std::vector<CPoint3d> Star(std::mt19937& rng, int n, double cx, double cy) {
    constexpr int kHarmonics = 6;
    std::uniform_real_distribution<double> amplitude(0.0, 6.0), phase(0.0, kTwoPi);
    double amp[kHarmonics], ph[kHarmonics];
    for (int k = 0; k < kHarmonics; ++k) {
        amp[k] = amplitude(rng);
        ph[k] = phase(rng);
    }
    std::vector<CPoint3d> pts;
    pts.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = kTwoPi * i / n;
        double r = 75.0;
        for (int k = 0; k < kHarmonics; ++k) {
            r += amp[k] * std::sin((k + 1) * a + ph[k]);
        }
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    return pts;
}

// The two rooms of size n, made once and already normalised (counter-clockwise).
const std::pair<CPolygon, CPolygon>& Rooms(int n) {
    static std::map<int, std::pair<CPolygon, CPolygon>> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        std::mt19937 rng(static_cast<unsigned>(n) * 7919u);
        CPolygon a(Star(rng, n, 0, 0), true);
        CPolygon b(Star(rng, n, 30, 20), true);
        it = cache.emplace(n, std::make_pair(a, b)).first;
    }
    return it->second;
}

void BM_PolygonBooleanOper(benchmark::State& state) {
    const auto& [a, b] = Rooms(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<CPolygon> out;
        benchmark::DoNotOptimize(a.booleanOper(b, out, gpc::GPC_UNION));
        benchmark::DoNotOptimize(out.data());
    }
}

// Clipper directly: the doubles scaled onto an integer grid, unioned, and scaled back into
// point lists. `wideGrid` uses the 2^52 grid, strictly simple output and the tree result that
// the library's clipping layer uses; otherwise a 2^30 grid and flat paths (Clipper's fast range).
void ClipperUnion(benchmark::State& state, bool wideGrid) {
    const auto& [a, b] = Rooms(static_cast<int>(state.range(0)));
    const std::vector<CPoint3d> pa = a.getPoints(), pb = b.getPoints();
    for (auto _ : state) {
        double maxAbs = 0;
        for (const auto* pts : {&pa, &pb}) {
            for (const CPoint3d& p : *pts) {
                maxAbs = std::max({maxAbs, std::fabs(p.x), std::fabs(p.y)});
            }
        }
        int exponent = 0;
        std::frexp(maxAbs, &exponent);
        const double up = std::ldexp(1.0, (wideGrid ? 52 : 30) - exponent), down = 1.0 / up;
        ClipperLib::Clipper clipper;
        clipper.StrictlySimple(wideGrid);
        for (const auto* pts : {&pa, &pb}) {
            ClipperLib::Path path;
            path.reserve(pts->size());
            for (const CPoint3d& p : *pts) {
                path.emplace_back(std::llround(p.x * up), std::llround(p.y * up));
            }
            clipper.AddPath(path, pts == &pa ? ClipperLib::ptSubject : ClipperLib::ptClip, true);
        }
        ClipperLib::Paths paths;
        ClipperLib::PolyTree tree;
        if (wideGrid) {
            clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftEvenOdd,
                            ClipperLib::pftEvenOdd);
            ClipperLib::PolyTreeToPaths(tree, paths);
        } else {
            clipper.Execute(ClipperLib::ctUnion, paths, ClipperLib::pftEvenOdd,
                            ClipperLib::pftEvenOdd);
        }
        std::vector<std::vector<CPoint3d>> back(paths.size());
        for (size_t i = 0; i < paths.size(); ++i) {
            back[i].reserve(paths[i].size());
            for (const ClipperLib::IntPoint& q : paths[i]) {
                back[i].emplace_back(static_cast<double>(q.X) * down,
                                     static_cast<double>(q.Y) * down, 0.0);
            }
        }
        benchmark::DoNotOptimize(back.data());
    }
}

void BM_ClipperSameGrid(benchmark::State& state) {
    ClipperUnion(state, true);
}

void BM_ClipperFastGrid(benchmark::State& state) {
    ClipperUnion(state, false);
}

BgPolygon ToBoost(const std::vector<CPoint3d>& pts) {
    BgPolygon poly;
    for (const CPoint3d& p : pts) {
        bg::append(poly.outer(), BgPoint(p.x, p.y));
    }
    bg::append(poly.outer(), BgPoint(pts[0].x, pts[0].y));
    return poly;
}

void BM_BoostUnion(benchmark::State& state) {
    const auto& [a, b] = Rooms(static_cast<int>(state.range(0)));
    const BgPolygon ba = ToBoost(a.getPoints()), bb = ToBoost(b.getPoints());
    for (auto _ : state) {
        BgMulti out;
        bg::union_(ba, bb, out);
        benchmark::DoNotOptimize(out.data());
    }
}

// A GEOS polygon from a closed copy of the outline.
GEOSGeometry* ToGeos(GEOSContextHandle_t ctx, const std::vector<CPoint3d>& pts) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(pts.size() + 1), 2);
    for (size_t i = 0; i <= pts.size(); ++i) {
        const CPoint3d& p = pts[i % pts.size()];
        GEOSCoordSeq_setXY_r(ctx, seq, static_cast<unsigned>(i), p.x, p.y);
    }
    return GEOSGeom_createPolygon_r(ctx, GEOSGeom_createLinearRing_r(ctx, seq), nullptr, 0);
}

void BM_GeosUnion(benchmark::State& state) {
    const auto& [a, b] = Rooms(static_cast<int>(state.range(0)));
    GEOSContextHandle_t ctx = GEOS_init_r();
    GEOSGeometry* ga = ToGeos(ctx, a.getPoints());
    GEOSGeometry* gb = ToGeos(ctx, b.getPoints());
    for (auto _ : state) {
        GEOSGeometry* u = GEOSUnion_r(ctx, ga, gb);
        benchmark::DoNotOptimize(u);
        if (u) {
            GEOSGeom_destroy_r(ctx, u);
        }
    }
    GEOSGeom_destroy_r(ctx, ga);
    GEOSGeom_destroy_r(ctx, gb);
    GEOS_finish_r(ctx);
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {16, 256, 4096, 65536}) {
        b->Arg(n);
    }
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_PolygonBooleanOper)->Apply(Sizes);
BENCHMARK(BM_ClipperSameGrid)->Apply(Sizes);
BENCHMARK(BM_ClipperFastGrid)->Apply(Sizes);
BENCHMARK(BM_BoostUnion)->Apply(Sizes);
BENCHMARK(BM_GeosUnion)->Apply(Sizes);

BENCHMARK_MAIN();
