// Outline lattice speed: MesurePolygon's row scan against asking PtInArea for every lattice
// point (the literal rule), on star outlines of 100 and 1000 vertices with a lattice of about
// 200 x 200 points; and points along a long polyline.
#include <geo/sampling.h>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "toolkit/pt_in_area_reference.h"
#include "toolkit/sampling_reference.h"

namespace {

// A star outline about 200 wide, so that a step of 1 gives a lattice of about 200 x 200.
const std::vector<CPoint3d>& outline(int n) {
    static std::vector<std::pair<int, std::vector<CPoint3d>>> cache;
    for (const auto& entry : cache) {
        if (entry.first == n) {
            return entry.second;
        }
    }
    std::mt19937 rng(77u + static_cast<unsigned>(n));
    cache.emplace_back(n, reference::randomStar(rng, n, 0.3, 0.7, 100.0, 0.0));
    return cache.back().second;
}

void BM_MesurePolygon(benchmark::State& state) {
    const auto& pts = outline(static_cast<int>(state.range(0)));
    std::vector<CPoint3d> out;
    for (auto _ : state) {
        out.clear();
        MesurePolygon(pts, out, 1.0);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["inside"] = static_cast<double>(out.size());
}

void BM_MesurePolygonCounting(benchmark::State& state) {
    const auto& pts = outline(static_cast<int>(state.range(0)));
    std::vector<CPoint3d> out;
    for (auto _ : state) {
        out.clear();
        int alongX = 0, alongY = 0;
        MesurePolygon(pts, out, 1.0, alongX, alongY);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_LiteralMesurePolygon(benchmark::State& state) {
    const auto& pts = outline(static_cast<int>(state.range(0)));
    std::vector<CPoint3d> out;
    for (auto _ : state) {
        out.clear();
        reference::MesurePolygon(pts, out, 1.0);
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(BM_MesurePolygon)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MesurePolygonCounting)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiteralMesurePolygon)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// 10^5 points along a polyline of 1000 vertices.
void BM_MeasurePolyline(benchmark::State& state) {
    const auto& pts = outline(1000);
    std::vector<CPoint3d> out;
    for (auto _ : state) {
        out.clear();
        MeasurePolyline(pts, out, 0.01);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["points"] = static_cast<double>(out.size());
}
BENCHMARK(BM_MeasurePolyline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
