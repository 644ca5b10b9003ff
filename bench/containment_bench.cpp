// Point-in-outline speed: the library's PtInArea and its prepared outline against a plain
// even-odd crossing loop over the same outline, the edge-by-edge literal rule,
// Boost.Geometry's within and GEOS's prepared contains. Outlines of 16, 1024 and 65536
// vertices; the same query points for all.
#include <geo/containment.h>
#include <geo/point3d.h>
#include <geo/prepared_area.h>

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <algorithm>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <cmath>
#include <ctime>
#include <map>
#include <random>
#include <vector>
#include "support/boost_geometry.h"

#include "foundation/numeric.h"
#include "support/bumpy_star.h"
#include "toolkit/pt_in_area_reference.h"

namespace {

constexpr double kTol = 1e-6;
constexpr int kQueries = 512;

// An outline and query points over its box.
struct Scene {
    std::vector<CPoint3d> outline;
    std::vector<CPoint3d> queries;
};

// A star of n vertices with random radii: a tangle of long spikes that any horizontal line
// crosses hundreds of times.
Scene spikyScene(int n) {
    std::mt19937 rng(1234u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Scene s;
    std::vector<double> angles(n);
    for (double& a : angles) {
        a = unit(rng) * geo_detail::kTwoPi;
    }
    std::sort(angles.begin(), angles.end());
    for (double a : angles) {
        const double r = 100.0 * (0.5 + 0.5 * unit(rng));
        s.outline.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    for (int i = 0; i < kQueries; ++i) {
        s.queries.emplace_back(-110.0 + 220.0 * unit(rng), -110.0 + 220.0 * unit(rng), 0.0);
    }
    return s;
}

// A simple, locally bumpy star of radius about 400, as large outlines of sites are.
Scene bumpyScene(int n) {
    Scene s;
    s.outline = support::bumpyStar(77u + static_cast<unsigned>(n), n);
    std::mt19937 rng(4321u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> unit(-500.0, 500.0);
    for (int i = 0; i < kQueries; ++i) {
        s.queries.emplace_back(unit(rng), unit(rng), 0.0);
    }
    return s;
}

// The scene of n vertices; shape 0 spiky, 1 bumpy.
const Scene& scene(int n, int shape = 0) {
    static std::map<std::pair<int, int>, Scene> cache;
    auto found = cache.find({n, shape});
    if (found == cache.end()) {
        found =
            cache.emplace(std::make_pair(n, shape), shape ? bumpyScene(n) : spikyScene(n)).first;
    }
    return found->second;
}

// The textbook crossing loop: closing edge implicit, no tolerance, no boundary handling.
bool plainEvenOdd(const std::vector<CPoint3d>& pts, double px, double py) {
    bool inside = false;
    const size_t n = pts.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const double yi = pts[i].y, yj = pts[j].y;
        if ((yi > py) != (yj > py) &&
            px < (pts[j].x - pts[i].x) * (py - yi) / (yj - yi) + pts[i].x) {
            inside = !inside;
        }
    }
    return inside;
}

void BM_PtInArea(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    size_t k = 0, inside = 0;
    for (auto _ : state) {
        inside += PtInArea(s.queries[k++ % kQueries], s.outline, kTol, true);
    }
    benchmark::DoNotOptimize(inside);
}

void BM_PreparedArea(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const CPreparedArea prepared(s.outline, kTol);
    size_t k = 0, inside = 0;
    for (auto _ : state) {
        inside += prepared.ptIn(s.queries[k++ % kQueries], true);
    }
    benchmark::DoNotOptimize(inside);
}

// Filing the outline's edges, once per outline.
void BM_PreparedAreaBuild(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const CPreparedArea prepared(s.outline, kTol);
        benchmark::DoNotOptimize(&prepared);
    }
}

void BM_PlainEvenOdd(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)));
    size_t k = 0, inside = 0;
    for (auto _ : state) {
        const CPoint3d& q = s.queries[k++ % kQueries];
        inside += plainEvenOdd(s.outline, q.x, q.y);
    }
    benchmark::DoNotOptimize(inside);
}

void BM_LiteralRule(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)));
    size_t k = 0, inside = 0;
    for (auto _ : state) {
        inside += reference::PtInArea(s.queries[k++ % kQueries], s.outline, kTol, true);
    }
    benchmark::DoNotOptimize(inside);
}

namespace bg = boost::geometry;
using BoostPoint = bg::model::d2::point_xy<double>;
using BoostPolygon = bg::model::polygon<BoostPoint, false, true>;  // counter-clockwise, closed

void BM_BoostWithin(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)));
    BoostPolygon poly;
    for (const CPoint3d& p : s.outline) {
        bg::append(poly.outer(), BoostPoint(p.x, p.y));
    }
    bg::correct(poly);
    std::vector<BoostPoint> queries;
    for (const CPoint3d& q : s.queries) {
        queries.emplace_back(q.x, q.y);
    }
    size_t k = 0, inside = 0;
    for (auto _ : state) {
        inside += bg::within(queries[k++ % kQueries], poly);
    }
    benchmark::DoNotOptimize(inside);
}

void BM_GeosPreparedContains(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    GEOSContextHandle_t ctx = GEOS_init_r();
    GEOSCoordSequence* seq =
        GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(s.outline.size() + 1), 2);
    for (size_t i = 0; i <= s.outline.size(); ++i) {
        const CPoint3d& p = s.outline[i % s.outline.size()];
        GEOSCoordSeq_setXY_r(ctx, seq, static_cast<unsigned>(i), p.x, p.y);
    }
    GEOSGeometry* shell = GEOSGeom_createLinearRing_r(ctx, seq);
    GEOSGeometry* poly = GEOSGeom_createPolygon_r(ctx, shell, nullptr, 0);
    const GEOSPreparedGeometry* prepared = GEOSPrepare_r(ctx, poly);
    std::vector<GEOSGeometry*> queries;
    for (const CPoint3d& q : s.queries) {
        queries.push_back(GEOSGeom_createPointFromXY_r(ctx, q.x, q.y));
    }
    size_t k = 0, inside = 0;
    for (auto _ : state) {
        inside += GEOSPreparedContains_r(ctx, prepared, queries[k++ % kQueries]) == 1;
    }
    benchmark::DoNotOptimize(inside);
    for (GEOSGeometry* g : queries) {
        GEOSGeom_destroy_r(ctx, g);
    }
    GEOSPreparedGeom_destroy_r(ctx, prepared);
    GEOSGeom_destroy_r(ctx, poly);
    GEOS_finish_r(ctx);
}

double threadSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

// PtInArea and the plain loop timed in alternating blocks of the same queries, so that a
// busy machine slows both alike; the counter "ratio" is PtInArea's time over the loop's.
void BM_RatioToPlainLoop(benchmark::State& state) {
    const Scene& s = scene(static_cast<int>(state.range(0)));
    double ours = 0.0, plain = 0.0;
    size_t inside = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        for (const CPoint3d& q : s.queries) {
            inside += PtInArea(q, s.outline, kTol, true);
        }
        const double t1 = threadSeconds();
        for (const CPoint3d& q : s.queries) {
            inside += plainEvenOdd(s.outline, q.x, q.y);
        }
        plain += threadSeconds() - t1;
        ours += t1 - t0;
    }
    benchmark::DoNotOptimize(inside);
    state.counters["ratio"] = ours / plain;
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(16)->Arg(1024)->Arg(65536);
}

// Sizes, then the shape: 0 spiky, 1 bumpy.
void sizesAndShapes(benchmark::internal::Benchmark* b) {
    for (int shape : {0, 1}) {
        for (int n : {16, 1024, 65536}) {
            b->Args({n, shape});
        }
    }
}

BENCHMARK(BM_RatioToPlainLoop)->Apply(sizes);
BENCHMARK(BM_PtInArea)->Apply(sizesAndShapes);
BENCHMARK(BM_PreparedArea)->Apply(sizesAndShapes);
BENCHMARK(BM_PreparedAreaBuild)->Apply(sizesAndShapes);
BENCHMARK(BM_PlainEvenOdd)->Apply(sizes);
BENCHMARK(BM_LiteralRule)->Apply(sizes);
BENCHMARK(BM_BoostWithin)->Apply(sizes);
BENCHMARK(BM_GeosPreparedContains)->Apply(sizesAndShapes);

}  // namespace

BENCHMARK_MAIN();
