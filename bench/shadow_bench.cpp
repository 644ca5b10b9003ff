// Sweep and largest-loop speed: GetEntShade and GetMaxPL on outlines of 100, 1 000 and
// 10 000 vertices, GetMaxPL against its plain recursive all-pairs form, and as peers for
// the sweep GEOS's union of the outline, its translate and the edge quadrilaterals, and
// Clipper's Minkowski sum of the outline with the shift segment.
#include <geo/projection.h>

#include "../tests/toolkit/shadow_reference.h"

#include <benchmark/benchmark.h>

#include <geos_c.h>
#include <polyclipping/clipper.hpp>
#include "foundation/numeric.h"
#include "star_outlines.h"

#include <cmath>
#include <map>
#include <random>
#include <vector>

namespace {

using Pts = std::vector<CPoint3d>;

using geo_detail::kTwoPi;
const CVector3d kShift(300.0, -400.0, 0.0);

// A smooth random outline: a few harmonics of the radius, no crossings.
Pts smoothOutline(int n) {
    std::mt19937 rng(13u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> phase(0.0, kTwoPi);
    double phases[4];
    for (double& p : phases) {
        p = phase(rng);
    }
    Pts pts;
    for (int k = 0; k < n; ++k) {
        const double a = kTwoPi * k / n;
        double r = 1000.0;
        for (int h = 0; h < 4; ++h) {
            r += 60.0 * std::cos((h + 2) * a + phases[h]);
        }
        pts.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    return pts;
}

using star_outlines::spikyStar;

// A circle with a small crossing curl every tenth of the way round.
Pts curledCircle(int n) {
    Pts pts;
    for (int k = 0; k < n; ++k) {
        const double a = kTwoPi * k / n, step = kTwoPi * 1000.0 / n;
        const CPoint3d p(1000.0 * std::cos(a), 1000.0 * std::sin(a), 0.0);
        pts.push_back(p);
        if (k % (n / 10) == 0) {
            const CVector3d t(-std::sin(a), std::cos(a), 0.0), u(std::cos(a), std::sin(a), 0.0);
            const double h = step / 4;
            pts.push_back(p + t * (2 * h));
            pts.push_back(p + t * (2 * h) + u * h);
            pts.push_back(p + t * h + u * h);
            pts.push_back(p + t * h - u * h);
        }
    }
    return pts;
}

template <auto Make>
const Pts& cached(int n) {
    static std::map<int, Pts> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        it = cache.emplace(n, Make(n)).first;
    }
    return it->second;
}

template <auto Make>
void BM_GetEntShade(benchmark::State& state) {
    const Pts& outline = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts shade;
        GetEntShade(outline, kShift, shade);
        benchmark::DoNotOptimize(shade.data());
    }
}

template <auto Make>
void BM_GetMaxPL(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts pts = input;
        benchmark::DoNotOptimize(GetMaxPL(pts, false));
    }
}

template <auto Make>
void BM_GetMaxPLPlain(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts pts = input;
        benchmark::DoNotOptimize(shadow_reference::GetMaxPL(pts, false));
    }
}

GEOSGeometry* geosPolygon(GEOSContextHandle_t ctx, const Pts& pts) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, unsigned(pts.size() + 1), 2);
    for (size_t i = 0; i <= pts.size(); ++i) {
        const CPoint3d& p = pts[i % pts.size()];
        GEOSCoordSeq_setXY_r(ctx, seq, unsigned(i), p.x, p.y);
    }
    return GEOSGeom_createPolygon_r(ctx, GEOSGeom_createLinearRing_r(ctx, seq), nullptr, 0);
}

// The swept area as GEOS's union of the outline, its translate and every edge's quadrilateral.
template <auto Make>
void BM_SweepGeosUnion(benchmark::State& state) {
    const Pts& outline = cached<Make>(static_cast<int>(state.range(0)));
    GEOSContextHandle_t ctx = GEOS_init_r();
    for (auto _ : state) {
        std::vector<GEOSGeometry*> parts;
        Pts moved;
        for (const CPoint3d& p : outline) {
            moved.push_back(p + kShift);
        }
        parts.push_back(geosPolygon(ctx, outline));
        parts.push_back(geosPolygon(ctx, moved));
        for (size_t k = 0; k < outline.size(); ++k) {
            const size_t next = (k + 1) % outline.size();
            parts.push_back(geosPolygon(ctx, {outline[k], outline[next], moved[next], moved[k]}));
        }
        GEOSGeometry* all = GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, parts.data(),
                                                        unsigned(parts.size()));
        GEOSGeometry* united = GEOSUnaryUnion_r(ctx, all);
        benchmark::DoNotOptimize(united);
        GEOSGeom_destroy_r(ctx, united);
        GEOSGeom_destroy_r(ctx, all);
    }
    GEOS_finish_r(ctx);
}

// Clipper's Minkowski sum of the shift segment along the closed outline (integer units of 1e-3).
template <auto Make>
void BM_SweepClipperMinkowski(benchmark::State& state) {
    const Pts& outline = cached<Make>(static_cast<int>(state.range(0)));
    const double scale = 1000.0;
    ClipperLib::Path path,
        segment{{0, 0}, {ClipperLib::cInt(kShift.x * scale), ClipperLib::cInt(kShift.y * scale)}};
    for (const CPoint3d& p : outline) {
        path.push_back({ClipperLib::cInt(p.x * scale), ClipperLib::cInt(p.y * scale)});
    }
    for (auto _ : state) {
        ClipperLib::Paths sum;
        ClipperLib::MinkowskiSum(segment, path, sum, true);
        benchmark::DoNotOptimize(sum.data());
    }
}

}  // namespace

BENCHMARK(BM_GetEntShade<smoothOutline>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetEntShade<spikyStar>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepGeosUnion<smoothOutline>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepGeosUnion<spikyStar>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepClipperMinkowski<smoothOutline>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepClipperMinkowski<spikyStar>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetMaxPL<smoothOutline>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetMaxPLPlain<smoothOutline>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetMaxPL<curledCircle>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetMaxPLPlain<curledCircle>)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
