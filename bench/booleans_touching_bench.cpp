// All four booleans of operands that touch all along: a wavy star and the same star with every
// fourth vertex pushed outwards, so that three vertices in four and half the edges are shared,
// as neighbouring rooms share walls. gpc_polygon_clip against plain Clipper, Boost.Geometry and
// GEOS on the same vertices.
#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "foundation/numeric.h"
#include "gpc_peers.h"
#include "settled_heap.h"
#include "support/boost_geometry.h"

#include <geo/gpc.h>
#include <polyclipping/clipper.hpp>

namespace {

using gpc_peers::BMulti;
using gpc_peers::BPolygon;
using gpc_peers::Ring;

constexpr double kSnap = 1e6;  // Clipper's integer grid: coordinates snapped to 1e-6

// A star-shaped ring at increasing angles, and the same ring with every fourth vertex moved
// 3 % further from the centre: both stay simple, the second holds the first.
std::pair<Ring, Ring> touchingPair(int n) {
    std::mt19937 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> jitter(-1.0, 1.0);
    Ring inner, outer;
    for (int i = 0; i < n; ++i) {
        const double t = geo_detail::kTwoPi * i / n;
        const double d = 100 + 10 * std::sin(5 * t) + jitter(rng) * geo_detail::kTwoPi * 100 / n;
        inner.push_back({d * std::cos(t), d * std::sin(t)});
        const double pushed = i % 4 == 0 ? 1.03 * d : d;
        outer.push_back({pushed * std::cos(t), pushed * std::sin(t)});
    }
    return {inner, outer};
}

const std::pair<Ring, Ring>& operands(const benchmark::State& s) {
    static std::map<int, std::pair<Ring, Ring>> cache;
    const int n = static_cast<int>(s.range(0));
    auto it = cache.find(n);
    return it != cache.end() ? it->second : cache.emplace(n, touchingPair(n)).first->second;
}

int opOf(const benchmark::State& s) {
    return static_cast<int>(s.range(1));
}

void BM_Gpc(benchmark::State& state) {
    const auto& [ra, rb] = operands(state);
    gpc::gpc_vertex_list la{static_cast<int>(ra.size()), const_cast<gpc::gpc_vertex*>(ra.data())};
    gpc::gpc_vertex_list lb{static_cast<int>(rb.size()), const_cast<gpc::gpc_vertex*>(rb.data())};
    int noHole = 0;
    gpc::gpc_polygon a{1, &noHole, &la}, b{1, &noHole, &lb};
    for (auto _ : state) {
        gpc::gpc_polygon r{0, nullptr, nullptr};
        gpc::gpc_polygon_clip(static_cast<gpc::gpc_op>(opOf(state)), &a, &b, &r);
        benchmark::DoNotOptimize(r.num_contours);
        gpc::gpc_free_polygon(&r);
    }
}

void BM_Clipper(benchmark::State& state) {
    const auto& [ra, rb] = operands(state);
    gpc_peers::timeClipper(state, ra, rb, opOf(state), kSnap);
}

void BM_Boost(benchmark::State& state) {
    const auto& [ra, rb] = operands(state);
    const BPolygon a = gpc_peers::toBoost(ra), b = gpc_peers::toBoost(rb);
    for (auto _ : state) {
        BMulti out;
        geo_test::boostOverlay(opOf(state), a, b, out);
        benchmark::DoNotOptimize(out.size());
    }
}

void BM_Geos(benchmark::State& state) {
    const auto& [ra, rb] = operands(state);
    gpc_peers::timeGeos(state, ra, rb, opOf(state));
}

}  // namespace

int main(int argc, char** argv) {
    bench_support::settleHeap();
    gpc_peers::registerInterleaved({{"BM_Gpc", BM_Gpc},
                                    {"BM_Clipper", BM_Clipper},
                                    {"BM_Boost", BM_Boost},
                                    {"BM_Geos", BM_Geos}},
                                   {256, 4096, 65536});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
