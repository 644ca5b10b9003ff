// PlineOffset, PlineOffset3D and CRegion::Offset of closed random star-shaped outlines,
// against Clipper's mitred offset and GEOS's mitred buffer on the same outlines.
#include <geo/offset.h>
#include <geo/region.h>

#include <benchmark/benchmark.h>
#include <geos_c.h>
#include <polyclipping/clipper.hpp>

#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "foundation/numeric.h"
#include "settled_heap.h"
#include "toolkit/offset_reference.h"

namespace {

using geo_detail::kPi;
// Coordinates stay within radius 150; this scale keeps Clipper in its 30-bit range.
constexpr double kClipperScale = 4194304.0;
// Mitre limits large enough that no corner is squared off.
constexpr double kClipperMiterLimit = 100;
constexpr double kGeosMitreLimit = 1e6;
// The offset is this many mean edge lengths, so the work per vertex does not depend on n.
constexpr double kEdgesPerOffset = 3.0;

struct Outline {
    std::vector<CPoint3d> pts;  // closed: the first point repeated at the end
    ClipperLib::Path path;
    GEOSGeometry* polygon = nullptr;
    double offset = 0.0;
};

[[maybe_unused]] const bool kHeapSettled = bench_support::settleHeap();

GEOSContextHandle_t geosContext() {
    static GEOSContextHandle_t ctx = GEOS_init_r();
    return ctx;
}

// Counter-clockwise star: jittered angles, a smooth radius wave plus edge-sized noise.
std::vector<CPoint3d> starPoints(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-0.5, 0.5);
    const double step = 2 * kPi / n, phase = 6 * jitter(rng);
    std::vector<CPoint3d> pts;
    for (int i = 0; i < n; ++i) {
        const double a = step * (i + 0.5 + 0.6 * jitter(rng));
        const double r = 100 * (1 + 0.2 * std::sin(5 * a + phase) + 0.4 * step * jitter(rng));
        pts.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    pts.push_back(pts.front());
    return pts;
}

GEOSGeometry* geosPolygon(const std::vector<CPoint3d>& pts) {
    GEOSContextHandle_t ctx = geosContext();
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(ctx, unsigned(pts.size()), 2);
    for (size_t i = 0; i < pts.size(); ++i) {
        GEOSCoordSeq_setXY_r(ctx, seq, unsigned(i), pts[i].x, pts[i].y);
    }
    return GEOSGeom_createPolygon_r(ctx, GEOSGeom_createLinearRing_r(ctx, seq), nullptr, 0);
}

const Outline& outline(int n) {
    static std::map<int, Outline> cache;
    auto found = cache.find(n);
    if (found != cache.end()) {
        return found->second;
    }
    Outline& o = cache[n];
    o.pts = starPoints(n, 17u + unsigned(n));
    double length = 0;
    for (size_t i = 0; i + 1 < o.pts.size(); ++i) {
        length += o.pts[i].distanceTo(o.pts[i + 1]);
        o.path.push_back({ClipperLib::cInt(std::llround(o.pts[i].x * kClipperScale)),
                          ClipperLib::cInt(std::llround(o.pts[i].y * kClipperScale))});
    }
    o.offset = kEdgesPerOffset * length / n;
    o.polygon = geosPolygon(o.pts);
    return o;
}

// Growing is the right-hand side of a counter-clockwise outline: a negative distance here.
void BM_PlineOffset(benchmark::State& state) {
    const Outline& o = outline(int(state.range(0)));
    const double d = state.range(1) ? -o.offset : o.offset;
    size_t points = 0;
    for (auto _ : state) {
        std::vector<std::vector<CPoint3d>> out;
        benchmark::DoNotOptimize(PlineOffset(o.pts, out, d, 1e-9));
        points = out.empty() ? 0 : out[0].size();
    }
    state.counters["points"] = double(points);
}

// The same offset read back through built curve objects, as it once was.
void BM_PlineOffsetThroughCurves(benchmark::State& state) {
    const Outline& o = outline(int(state.range(0)));
    const double d = state.range(1) ? -o.offset : o.offset;
    for (auto _ : state) {
        std::vector<std::vector<CPoint3d>> out;
        benchmark::DoNotOptimize(reference::PlineOffset(o.pts, out, d, 1e-9));
    }
}

void BM_PlineOffset3D(benchmark::State& state) {
    const Outline& o = outline(int(state.range(0)));
    const double d = state.range(1) ? -o.offset : o.offset;
    size_t points = 0;
    for (auto _ : state) {
        std::vector<std::vector<CPoint3d>> out;
        benchmark::DoNotOptimize(PlineOffset3D(o.pts, out, d, CVector3d(0, 0, 1), 1e-9));
        points = out.empty() ? 0 : out[0].size();
    }
    state.counters["points"] = double(points);
}

// The region keeps its outer clockwise for the offset: a positive distance grows it.
void BM_RegionOffset(benchmark::State& state) {
    const Outline& o = outline(int(state.range(0)));
    const double d = state.range(1) ? o.offset : -o.offset;
    CRegion region;
    region.contours.emplace_back(std::vector<CPoint3d>(o.pts.begin(), o.pts.end() - 1), true);
    size_t points = 0;
    for (auto _ : state) {
        CRegion copy = region;
        benchmark::DoNotOptimize(copy.Offset(d));
        points = copy.contours.empty() ? 0 : copy.contours[0].pts.size();
    }
    state.counters["points"] = double(points);
}

void BM_ClipperOffset(benchmark::State& state) {
    const Outline& o = outline(int(state.range(0)));
    const double delta = (state.range(1) ? o.offset : -o.offset) * kClipperScale;
    size_t points = 0;
    for (auto _ : state) {
        ClipperLib::ClipperOffset co(kClipperMiterLimit);
        co.AddPath(o.path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
        ClipperLib::Paths out;
        co.Execute(out, delta);
        points = out.empty() ? 0 : out[0].size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["points"] = double(points);
}

void BM_GeosBuffer(benchmark::State& state) {
    const Outline& o = outline(int(state.range(0)));
    const double width = state.range(1) ? o.offset : -o.offset;
    GEOSContextHandle_t ctx = geosContext();
    int points = 0;
    for (auto _ : state) {
        GEOSGeometry* out = GEOSBufferWithStyle_r(ctx, o.polygon, width, 8, GEOSBUF_CAP_FLAT,
                                                  GEOSBUF_JOIN_MITRE, kGeosMitreLimit);
        points = GEOSGetNumCoordinates_r(ctx, out);
        GEOSGeom_destroy_r(ctx, out);
    }
    state.counters["points"] = double(points);
}

// Arguments: vertex count, then 1 to grow the outline or 0 to shrink it.
void sizes(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000, 65536}) {
        for (int grow : {1, 0}) {
            b->Args({n, grow});
        }
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_PlineOffset)->Apply(sizes);
BENCHMARK(BM_PlineOffsetThroughCurves)->Apply(sizes);
BENCHMARK(BM_PlineOffset3D)->Apply(sizes);
BENCHMARK(BM_RegionOffset)->Apply(sizes);
BENCHMARK(BM_ClipperOffset)->Apply(sizes);
BENCHMARK(BM_GeosBuffer)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
