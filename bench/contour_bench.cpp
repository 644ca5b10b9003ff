// Contour generation speed: exeCalu over a synthetic terrain (a few Gaussian hills on a tilted
// plane) of 100x100, 500x500 and 1000x1000 nodes with about 20 levels. Reports lines per second
// and the number of traced lines per level before joining (the fragments that joining compares).
#include <geo/contour.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

// Reaches the start passes directly to count one level's fragments before they are joined.
struct ContourGeneratorTestAccess {
    static int Fragments(CContourGenerator& gen, double level) {
        if (!gen.prepareRun()) {
            return 0;
        }
        gen.nudgeLevel(level);
        int added = 0;
        for (int pass = 1; pass <= 3; ++pass) {
            added += gen.startPass(pass, level);
        }
        gen.freeMemory();
        return added;
    }
    // Fragments over every level of an exeCalu run (smooths the grid once, like a run).
    static long TotalFragments(CContourGenerator& gen) {
        if (!gen.prepareRun()) {
            return 0;
        }
        long total = 0;
        for (double level = std::trunc(gen.minZ + 0.5) + gen.interval; level < gen.maxZ;
             level += gen.interval) {
            for (auto& row : gen.hFlags) {
                std::fill(row.begin(), row.end(), BYTE{0});
            }
            for (auto& row : gen.vFlags) {
                std::fill(row.begin(), row.end(), BYTE{0});
            }
            gen.nudgeLevel(level);
            for (int pass = 1; pass <= 3; ++pass) {
                total += gen.startPass(pass, level);
            }
        }
        gen.freeMemory();
        return total;
    }
};

namespace {

constexpr int kLevels = 20;

struct Hill {
    double x, y, height, radius;
};

// Terrain height at (x, y) in a unit square.
double Terrain(double x, double y) {
    static const Hill hills[] = {{0.3, 0.3, 40.0, 0.12},
                                 {0.7, 0.6, 55.0, 0.18},
                                 {0.2, 0.8, -25.0, 0.10},
                                 {0.55, 0.2, 30.0, 0.07}};
    double z = 20.0 * x + 10.0 * y;
    for (const Hill& h : hills) {
        const double d2 = (x - h.x) * (x - h.x) + (y - h.y) * (y - h.y);
        z += h.height * std::exp(-d2 / (h.radius * h.radius));
    }
    return z;
}

// A generator holding n x n nodes of the terrain (plus uniform noise of the given amplitude),
// with an interval giving about kLevels levels.
void Fill(CContourGenerator& gen, int n, double noise = 0.0) {
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> jitter(-noise, noise);
    std::vector<double> z(static_cast<size_t>(n) * n);
    const double spacing = 1.0 / (n - 1);
    double lo = 1e300;
    double hi = -1e300;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            double& v = z[static_cast<size_t>(r) * n + c];
            v = Terrain(c * spacing, r * spacing) + jitter(rng);
            lo = std::fmin(lo, v);
            hi = std::fmax(hi, v);
        }
    }
    gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(spacing, spacing), n - 1, n - 1,
                 (hi - lo) / kLevels);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            gen.setZ(AcGePoint3d(c * spacing, r * spacing, z[static_cast<size_t>(r) * n + c]));
        }
    }
}

// exeCalu on n x n nodes; the second argument is the noise amplitude in tenths.
void BM_ExeCalu(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const double noise = static_cast<double>(state.range(1)) / 10.0;
    double lines = 0;
    double points = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CContourGenerator gen;
        Fill(gen, n, noise);
        state.ResumeTiming();
        gen.exeCalu();
        state.PauseTiming();
        lines += gen.lineSize();
        for (int i = 0; i < gen.lineSize(); ++i) {
            points += static_cast<double>(gen.at(i)->pts.GetSize());
        }
        state.ResumeTiming();
    }
    state.counters["lines"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
    state.counters["points"] = benchmark::Counter(points, benchmark::Counter::kAvgIterations);
    state.counters["lines_per_s"] = benchmark::Counter(lines, benchmark::Counter::kIsRate);
    CContourGenerator fresh;
    Fill(fresh, n, noise);
    state.counters["fragments"] =
        static_cast<double>(ContourGeneratorTestAccess::TotalFragments(fresh));
}
BENCHMARK(BM_ExeCalu)
    ->Args({100, 0})
    ->Args({500, 0})
    ->Args({1000, 0})
    ->Args({100, 10})
    ->Args({1000, 10})
    ->Args({500, 50})
    ->Unit(benchmark::kMillisecond);

// One level at the middle of the range: lines after joining, and fragments traced before it.
void BM_CaluElevMiddle(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CContourGenerator gen;
    Fill(gen, n);
    double lines = 0;
    for (auto _ : state) {
        gen.caluElev(35.0);
        lines += gen.lineSize();
    }
    state.counters["lines"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
    state.counters["fragments"] = ContourGeneratorTestAccess::Fragments(gen, 35.0);
}
BENCHMARK(BM_CaluElevMiddle)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
