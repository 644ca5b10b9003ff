// Trimmed offset of random star-shaped outlines, against Clipper's mitred polygon offset.

#include "foundation/numeric.h"
#include "platform/acge/trimmed_offset.h"

#include <benchmark/benchmark.h>
#include <polyclipping/clipper.hpp>

#include <cmath>
#include <random>
#include <vector>

namespace {

using acge_detail::OffsetPiece;

using geo_detail::kPi;
// Outlines stay within radius 1.5; 2^29 keeps Clipper in its fast 30-bit coordinate range.
constexpr double kClipperScale = 536870912.0;
// Offsets are this many mean edge lengths, so the work per vertex does not depend on n.
constexpr double kEdgesPerOffset = 2.0;

struct Outline {
    std::vector<OffsetPiece> pieces;
    ClipperLib::Path path;
    double spacing;  // mean edge length
};

// A star-shaped outline: vertices at jittered angles, radius a smooth wave plus noise of the
// size of an edge.
Outline randomStar(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(-0.5, 0.5);
    const double step = 2 * kPi / n, p1 = 10 * unit(rng), p2 = 10 * unit(rng);
    std::vector<double> xs, ys;
    for (int i = 0; i < n; ++i) {
        const double a = step * (i + 0.5 + 0.6 * unit(rng));
        const double r =
            1 + 0.25 * std::sin(3 * a + p1) + 0.1 * std::sin(11 * a + p2) + 0.5 * step * unit(rng);
        xs.push_back(r * std::cos(a));
        ys.push_back(r * std::sin(a));
    }
    Outline o;
    double length = 0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        o.pieces.push_back({xs[i], ys[i], xs[j], ys[j], 0.0});
        length += std::hypot(xs[j] - xs[i], ys[j] - ys[i]);
        o.path.push_back({ClipperLib::cInt(std::llround(xs[i] * kClipperScale)),
                          ClipperLib::cInt(std::llround(ys[i] * kClipperScale))});
    }
    o.spacing = length / n;
    return o;
}

const Outline& outline(int n) {
    static std::vector<std::pair<int, Outline>> cache;
    for (const auto& entry : cache) {
        if (entry.first == n) {
            return entry.second;
        }
    }
    cache.push_back({n, randomStar(n, 7u + unsigned(n))});
    return cache.back().second;
}

// side +1 offsets inward (left of the counter-clockwise outline), -1 outward.
void TrimmedOffset(benchmark::State& state, double side) {
    const Outline& o = outline(int(state.range(0)));
    const double d = side * kEdgesPerOffset * o.spacing;
    size_t pieces = 0;
    for (auto _ : state) {
        auto result = acge_detail::trimmedOffset(o.pieces, true, d, 1e-9);
        pieces = 0;
        for (const auto& c : result) {
            pieces += c.size();
        }
        benchmark::DoNotOptimize(result);
    }
    state.counters["out_pieces"] = double(pieces);
    state.SetComplexityN(state.range(0));
}

void ClipperMitre(benchmark::State& state, double side) {
    const Outline& o = outline(int(state.range(0)));
    // Clipper grows a counter-clockwise outline for a positive delta.
    const double delta = -side * kEdgesPerOffset * o.spacing * kClipperScale;
    size_t points = 0;
    for (auto _ : state) {
        ClipperLib::ClipperOffset offset(1e9, 0.25);  // a mitre limit no corner reaches
        offset.AddPath(o.path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
        ClipperLib::Paths out;
        offset.Execute(out, delta);
        points = 0;
        for (const auto& p : out) {
            points += p.size();
        }
        benchmark::DoNotOptimize(out);
    }
    state.counters["out_points"] = double(points);
    state.SetComplexityN(state.range(0));
}

void TrimmedOffsetInward(benchmark::State& s) {
    TrimmedOffset(s, 1);
}
void TrimmedOffsetOutward(benchmark::State& s) {
    TrimmedOffset(s, -1);
}
void ClipperMitreInward(benchmark::State& s) {
    ClipperMitre(s, 1);
}
void ClipperMitreOutward(benchmark::State& s) {
    ClipperMitre(s, -1);
}

}  // namespace

BENCHMARK(TrimmedOffsetInward)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(ClipperMitreInward)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(TrimmedOffsetOutward)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(ClipperMitreOutward)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// One offset of the largest outline by each engine first, so that the allocator has settled its
// thresholds (glibc otherwise returns and refaults memory for whichever benchmark runs first).
int main(int argc, char** argv) {
    const Outline& big = outline(100000);
    benchmark::DoNotOptimize(acge_detail::trimmedOffset(big.pieces, true, big.spacing, 1e-9));
    ClipperLib::ClipperOffset offset(1e9, 0.25);
    offset.AddPath(big.path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    ClipperLib::Paths out;
    offset.Execute(out, big.spacing * kClipperScale);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
