// Clean-up speed: the library's RemoveRedundancyPts, removeRepoint, IsSelfIntersect,
// IsIntersectWithSelf and ClearSelfIntersect against their plain restarting / all-pairs
// forms, on random lists of 1 000, 10 000 and 100 000 points. The plain forms run only
// at the sizes where they finish in reasonable time.
#include <geo/cleanup.h>

#include "../tests/toolkit/cleanup_reference.h"

#include <benchmark/benchmark.h>

#include "foundation/numeric.h"
#include "star_outlines.h"

#include <cmath>
#include <map>
#include <random>
#include <vector>

namespace {

using Pts = std::vector<CPoint3d>;

// A walk on the integer grid that often runs straight on or steps back: many collinear
// vertices, repeats and spikes for RemoveRedundancyPts.
Pts gridWalk(int n) {
    std::mt19937 rng(7u + static_cast<unsigned>(n));
    std::uniform_int_distribution<int> step(-1, 1), roll(0, 9);
    Pts pts;
    int x = 0, y = 0, dx = 1, dy = 0;
    for (int k = 0; k < n; ++k) {
        const int r = roll(rng);
        if (r < 3) {
            dx = step(rng);
            dy = step(rng);
        } else if (r == 3) {
            dx = -dx;
            dy = -dy;
        }
        x += dx;
        y += dy;
        pts.emplace_back(x, y, 0.0);
    }
    return pts;
}

// Points on a grid of about n / 2 cells: roughly half of them repeat an earlier one.
std::vector<AcGePoint3d> repeatedCloud(int n) {
    std::mt19937 rng(11u + static_cast<unsigned>(n));
    const int side = static_cast<int>(std::sqrt(n / 2.0)) + 1;
    std::uniform_int_distribution<int> cell(0, side - 1);
    std::vector<AcGePoint3d> pts;
    for (int k = 0; k < n; ++k) {
        pts.emplace_back(cell(rng), cell(rng), 0.0);
    }
    return pts;
}

// A smooth random outline (a few harmonics of the radius plus a little noise): no
// crossings, so every test must look at the whole list. Edges are short.
Pts smoothOutline(int n) {
    std::mt19937 rng(13u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> phase(0.0, geo_detail::kTwoPi), noise(-0.5, 0.5);
    double phases[5];
    for (double& p : phases) {
        p = phase(rng);
    }
    Pts pts;
    for (int k = 0; k < n; ++k) {
        const double a = geo_detail::kTwoPi * k / n;
        double r = 1000.0 + noise(rng);
        for (int h = 0; h < 5; ++h) {
            r += 40.0 * std::cos((h + 1) * a + phases[h]);
        }
        pts.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    return pts;
}

using star_outlines::spikyStar;

// A real-valued random walk of unit steps: crosses itself again and again.
Pts tangledWalk(int n) {
    std::mt19937 rng(17u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> angle(0.0, geo_detail::kTwoPi);
    Pts pts;
    double x = 0.0, y = 0.0;
    for (int k = 0; k < n; ++k) {
        const double a = angle(rng);
        x += std::cos(a);
        y += std::sin(a);
        pts.emplace_back(x, y, 0.0);
    }
    return pts;
}

// One list per generator and size, made on first use.
template <auto Make>
const auto& cached(int n) {
    static std::map<int, decltype(Make(n))> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        it = cache.emplace(n, Make(n)).first;
    }
    return it->second;
}

void BM_RemoveRedundancy(benchmark::State& state) {
    const Pts& input = cached<gridWalk>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts pts = input;
        RemoveRedundancyPts(pts, true, 1e-6);
        benchmark::DoNotOptimize(pts.data());
    }
}

void BM_RemoveRedundancyPlain(benchmark::State& state) {
    const Pts& input = cached<gridWalk>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts pts = input;
        cleanup_reference::RemoveRedundancyPts(pts, true, 1e-6);
        benchmark::DoNotOptimize(pts.data());
    }
}

void BM_RemoveRepoint(benchmark::State& state) {
    const auto& input = cached<repeatedCloud>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto pts = input;
        removeRepoint(pts);
        benchmark::DoNotOptimize(pts.data());
    }
}

void BM_RemoveRepointPlain(benchmark::State& state) {
    const auto& input = cached<repeatedCloud>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto pts = input;
        cleanup_reference::removeRepoint(pts);
        benchmark::DoNotOptimize(pts.data());
    }
}

template <auto Make>
void BM_IsSelfIntersect(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsSelfIntersect(input, true));
    }
}

template <auto Make>
void BM_IsSelfIntersectPlain(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(cleanup_reference::IsSelfIntersect(input, true));
    }
}

template <auto Make>
void BM_IsIntersectWithSelf(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsIntersectWithSelf(input));
    }
}

template <auto Make>
void BM_IsIntersectWithSelfPlain(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(cleanup_reference::IsIntersectWithSelf(input));
    }
}

template <auto Make>
void BM_ClearSelfIntersect(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts pts = input;
        ClearSelfIntersect(pts, 1e-6);
        benchmark::DoNotOptimize(pts.data());
    }
}

template <auto Make>
void BM_ClearSelfIntersectPlain(benchmark::State& state) {
    const Pts& input = cached<Make>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pts pts = input;
        cleanup_reference::ClearSelfIntersect(pts, 1e-6);
        benchmark::DoNotOptimize(pts.data());
    }
}

}  // namespace

BENCHMARK(BM_RemoveRedundancy)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveRedundancyPlain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveRepoint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveRepointPlain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
#define GEO_ALL_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
#define GEO_PLAIN_SIZES ->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)
BENCHMARK_TEMPLATE(BM_IsSelfIntersect, smoothOutline) GEO_ALL_SIZES;
BENCHMARK_TEMPLATE(BM_IsSelfIntersectPlain, smoothOutline) GEO_PLAIN_SIZES;
BENCHMARK_TEMPLATE(BM_IsSelfIntersect, spikyStar) GEO_ALL_SIZES;
BENCHMARK_TEMPLATE(BM_IsSelfIntersectPlain, spikyStar) GEO_PLAIN_SIZES;
BENCHMARK_TEMPLATE(BM_IsIntersectWithSelf, smoothOutline) GEO_ALL_SIZES;
BENCHMARK_TEMPLATE(BM_IsIntersectWithSelfPlain, smoothOutline) GEO_PLAIN_SIZES;
BENCHMARK_TEMPLATE(BM_IsIntersectWithSelf, spikyStar) GEO_ALL_SIZES;
BENCHMARK_TEMPLATE(BM_IsIntersectWithSelfPlain, spikyStar) GEO_PLAIN_SIZES;
BENCHMARK_TEMPLATE(BM_ClearSelfIntersect, smoothOutline) GEO_ALL_SIZES;
BENCHMARK_TEMPLATE(BM_ClearSelfIntersectPlain, smoothOutline) GEO_PLAIN_SIZES;
BENCHMARK_TEMPLATE(BM_ClearSelfIntersect, tangledWalk) GEO_ALL_SIZES;
BENCHMARK_TEMPLATE(BM_ClearSelfIntersectPlain, tangledWalk) GEO_PLAIN_SIZES;

BENCHMARK_MAIN();
