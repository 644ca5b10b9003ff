// Convex hull speed: the library's ConvexHull against a plain monotone chain over the same
// points, Boost.Geometry's convex_hull and GEOS's; 10^4 to 10^6 points uniform in a disc and on
// a circle (every point on the hull). Least-area rectangle: calipers against the literal rule.
#include <geo/hull.h>

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>
#include "support/boost_geometry.h"
#include "support/random_points.h"

#include "toolkit/hull_reference.h"

namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;

enum Shape { kDisc = 0, kCircle = 1 };

const std::vector<CPoint3d>& points(int shape, int n) {
    static std::map<std::pair<int, int>, std::vector<CPoint3d>> cache;
    auto& pts = cache[{shape, n}];
    if (pts.empty()) {
        std::mt19937 rng(99u + static_cast<unsigned>(n));
        pts = shape == kDisc ? testpts::inDisc(rng, n, 1000.0) : testpts::onCircle(rng, n, 1000.0);
    }
    return pts;
}

// The textbook monotone chain: exact (x, y) sort, collinear points kept, no tolerance.
std::vector<CPoint3d> plainMonotoneChain(const std::vector<CPoint3d>& in) {
    std::vector<CPoint3d> p = in;
    std::sort(p.begin(), p.end(), [](const CPoint3d& a, const CPoint3d& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    auto left = [](const CPoint3d& a, const CPoint3d& b, const CPoint3d& c) {
        return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x) > 0.0;
    };
    std::vector<CPoint3d> hull;
    for (int pass = 0; pass < 2; ++pass) {
        const size_t start = hull.size();
        for (size_t k = 0; k < p.size(); ++k) {
            const CPoint3d& q = pass == 0 ? p[k] : p[p.size() - 1 - k];
            while (hull.size() >= start + 2 && left(hull[hull.size() - 2], hull.back(), q)) {
                hull.pop_back();
            }
            hull.push_back(q);
        }
        hull.pop_back();
    }
    return hull;
}

void BM_ConvexHull(benchmark::State& state) {
    const auto& pts = points(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<CPoint3d> hull;
    for (auto _ : state) {
        ConvexHull(pts, hull);
        benchmark::DoNotOptimize(hull.data());
    }
    state.counters["hull"] = static_cast<double>(hull.size());
}

void BM_PlainMonotoneChain(benchmark::State& state) {
    const auto& pts = points(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        auto hull = plainMonotoneChain(pts);
        benchmark::DoNotOptimize(hull.data());
    }
}

void BM_BoostConvexHull(benchmark::State& state) {
    const auto& pts = points(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bg::model::multi_point<BPoint> mp;
    for (const CPoint3d& p : pts) {
        mp.emplace_back(p.x, p.y);
    }
    for (auto _ : state) {
        bg::model::polygon<BPoint> hull;
        bg::convex_hull(mp, hull);
        benchmark::DoNotOptimize(hull.outer().data());
    }
}

void BM_GeosConvexHull(benchmark::State& state) {
    const auto& pts = points(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    GEOSContextHandle_t ctx = GEOS_init_r();
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(pts.size()), 2);
    for (size_t i = 0; i < pts.size(); ++i) {
        GEOSCoordSeq_setXY_r(ctx, seq, static_cast<unsigned>(i), pts[i].x, pts[i].y);
    }
    GEOSGeometry* line = GEOSGeom_createLineString_r(ctx, seq);
    for (auto _ : state) {
        GEOSGeometry* hull = GEOSConvexHull_r(ctx, line);
        benchmark::DoNotOptimize(hull);
        GEOSGeom_destroy_r(ctx, hull);
    }
    GEOSGeom_destroy_r(ctx, line);
    GEOS_finish_r(ctx);
}

void HullArgs(benchmark::internal::Benchmark* b) {
    for (int shape : {kDisc, kCircle}) {
        for (int n : {10000, 100000, 1000000}) {
            b->Args({shape, n});
        }
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ConvexHull)->Apply(HullArgs);
BENCHMARK(BM_PlainMonotoneChain)->Apply(HullArgs);
BENCHMARK(BM_BoostConvexHull)->Apply(HullArgs);
BENCHMARK(BM_GeosConvexHull)->Apply(HullArgs);

// Least-area rectangle of n points on a circle (a hull of n vertices).
void BM_GetMinBesiegeRect(benchmark::State& state) {
    const auto& pts = points(kCircle, static_cast<int>(state.range(0)));
    std::vector<CPoint3d> rect;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetMinBesiegeRect(pts, rect));
    }
}

void BM_LiteralMinBesiegeRect(benchmark::State& state) {
    const auto& pts = points(kCircle, static_cast<int>(state.range(0)));
    std::vector<CPoint3d> rect;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference::GetMinBesiegeRect(pts, rect));
    }
}

BENCHMARK(BM_GetMinBesiegeRect)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiteralMinBesiegeRect)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
