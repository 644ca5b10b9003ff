// Cutting a polygon by a segment: LineSegSplitPolyGon on a round outline crossed twice and on
// combs crossed through every tooth, against GEOS intersecting the outline with the two
// half-plane boxes on either side of the cutter's line (the same pieces).
#include <geo/splitting.h>

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <cmath>
#include <vector>

#include "foundation/numeric.h"

namespace {

// n vertices on a circle of radius 1000 (0.06 apart at most n, above normalisation's merge).
std::vector<CPoint3d> disc(int n) {
    std::vector<CPoint3d> pts;
    const double turn = geo_detail::kTwoPi / n;
    for (int i = 0; i < n; ++i) {
        pts.emplace_back(1000 * std::cos(i * turn), 1000 * std::sin(i * turn), 0);
    }
    return pts;
}

// A base 1 high under `teeth` teeth 1 wide and 2 high, 1 apart; the cutter runs at y = 2.
std::vector<CPoint3d> comb(int teeth) {
    std::vector<CPoint3d> pts{CPoint3d(0, 0, 0), CPoint3d(2.0 * teeth - 1, 0, 0)};
    for (int t = teeth - 1; t >= 0; --t) {
        pts.emplace_back(2.0 * t + 1, 3, 0);
        pts.emplace_back(2.0 * t, 3, 0);
        if (t > 0) {
            pts.emplace_back(2.0 * t, 1, 0);
            pts.emplace_back(2.0 * t - 1, 1, 0);
        }
    }
    return pts;
}

// The outline and the horizontal cutter at height y across it.
struct Case {
    std::vector<CPoint3d> outline;
    double y;
};

Case caseFor(bool isComb, int n) {
    return isComb ? Case{comb(n), 2.0} : Case{disc(n), 0.1};
}

void BM_LineSegSplitPolyGon(benchmark::State& state) {
    const Case c = caseFor(state.range(0) != 0, static_cast<int>(state.range(1)));
    CPolygon gon(c.outline, true);
    CLineSeg cutter(CPoint3d(-5000, c.y, 0), CPoint3d(5000, c.y, 0));
    size_t pieces = 0;
    for (auto _ : state) {
        std::vector<CPolygon> out;
        LineSegSplitPolyGon(&cutter, &gon, out);
        pieces = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["pieces"] = static_cast<double>(pieces);
}

GEOSGeometry* geosPolygon(GEOSContextHandle_t ctx, const std::vector<CPoint3d>& pts) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(pts.size() + 1), 2);
    for (size_t i = 0; i <= pts.size(); ++i) {
        const CPoint3d& p = pts[i % pts.size()];
        GEOSCoordSeq_setXY_r(ctx, seq, static_cast<unsigned>(i), p.x, p.y);
    }
    return GEOSGeom_createPolygon_r(ctx, GEOSGeom_createLinearRing_r(ctx, seq), nullptr, 0);
}

void BM_GeosHalfPlanes(benchmark::State& state) {
    const Case c = caseFor(state.range(0) != 0, static_cast<int>(state.range(1)));
    GEOSContextHandle_t ctx = GEOS_init_r();
    GEOSGeometry* gon = geosPolygon(ctx, c.outline);
    GEOSGeometry* above = GEOSGeom_createRectangle_r(ctx, -5000, c.y, 5000, 5000);
    GEOSGeometry* below = GEOSGeom_createRectangle_r(ctx, -5000, -5000, 5000, c.y);
    int pieces = 0;
    for (auto _ : state) {
        pieces = 0;
        for (GEOSGeometry* side : {above, below}) {
            GEOSGeometry* part = GEOSIntersection_r(ctx, gon, side);
            pieces += GEOSGetNumGeometries_r(ctx, part);
            GEOSGeom_destroy_r(ctx, part);
        }
    }
    state.counters["pieces"] = pieces;
    for (GEOSGeometry* g : {gon, above, below}) {
        GEOSGeom_destroy_r(ctx, g);
    }
    GEOS_finish_r(ctx);
}

// First argument: 0 round outline (second: vertices), 1 comb (second: teeth).
void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000, 100000}) {
        b->Args({0, n});
    }
    for (int teeth : {10, 100, 1000}) {
        b->Args({1, teeth});
    }
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_LineSegSplitPolyGon)->Apply(Sizes);
BENCHMARK(BM_GeosHalfPlanes)->Apply(Sizes);

BENCHMARK_MAIN();
