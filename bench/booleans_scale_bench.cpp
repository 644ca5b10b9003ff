// All four booleans of two random star outlines at 16 to 65 536 vertices: gpc_polygon_clip,
// CPolygon::booleanOper and CRegion::booleanOper against plain Clipper, Boost.Geometry and GEOS
// on the same vertices. After the runs a table gives gpc against the fastest peer and the two
// entity booleans against gpc, from the least CPU time of each benchmark's repetitions
// (e.g. --benchmark_repetitions=3).
#include <benchmark/benchmark.h>
#include <geos_c.h>

#include "gpc_peers.h"
#include "settled_heap.h"
#include "support/boost_geometry.h"
#include "support/bumpy_star.h"

#include <geo/gpc.h>
#include <geo/polylines.h>
#include <geo/region.h>
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using gpc_peers::BMulti;
using gpc_peers::BPolygon;
using gpc_peers::Ring;
using gpc_peers::toBoost;

// Clipper's integer grid: the stars' coordinates are snapped to 1e-6.
constexpr double kSnap = 1e6;
constexpr double kCentreDistance = 320;
const std::vector<int> kSizes{16, 256, 4096, 65536};
const char* const kOpNames[] = {"diff", "int", "xor", "union"};

// The shared bumpy star as a GPC ring.
Ring star(unsigned seed, int n, double cx) {
    Ring ring;
    for (const CPoint3d& p : support::bumpyStar(seed, n, cx)) {
        ring.push_back({p.x, p.y});
    }
    return ring;
}

const std::pair<Ring, Ring>& operands(int n) {
    static std::map<int, std::pair<Ring, Ring>> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        const unsigned seed = static_cast<unsigned>(n) * 7919u;
        it = cache.emplace(n, std::make_pair(star(seed, n, 0), star(seed + 1, n, kCentreDistance)))
                 .first;
    }
    return it->second;
}

int sizeOf(const benchmark::State& s) {
    return static_cast<int>(s.range(0));
}
int opOf(const benchmark::State& s) {
    return static_cast<int>(s.range(1));
}

// --- gpc ---
void addRing(gpc::gpc_polygon& p, const Ring& r) {
    gpc::gpc_vertex_list list{static_cast<int>(r.size()), const_cast<gpc::gpc_vertex*>(r.data())};
    gpc::gpc_add_contour(&p, &list, 0);
}

void BM_Gpc(benchmark::State& state) {
    const auto& [ra, rb] = operands(sizeOf(state));
    gpc::gpc_polygon a{0, nullptr, nullptr}, b{0, nullptr, nullptr};
    addRing(a, ra);
    addRing(b, rb);
    for (auto _ : state) {
        gpc::gpc_polygon r{0, nullptr, nullptr};
        gpc::gpc_polygon_clip(static_cast<gpc::gpc_op>(opOf(state)), &a, &b, &r);
        benchmark::DoNotOptimize(r.num_contours);
        gpc::gpc_free_polygon(&r);
    }
    gpc::gpc_free_polygon(&a);
    gpc::gpc_free_polygon(&b);
}

// --- the entity booleans ---
std::vector<CPoint3d> points(const Ring& r) {
    std::vector<CPoint3d> pts;
    for (const gpc::gpc_vertex& v : r) {
        pts.emplace_back(v.x, v.y, 0.0);
    }
    return pts;
}

void BM_Polygon(benchmark::State& state) {
    const auto& [ra, rb] = operands(sizeOf(state));
    const CPolygon a(points(ra), true), b(points(rb), true);
    for (auto _ : state) {
        std::vector<CPolygon> out;
        a.booleanOper(b, out, static_cast<gpc::gpc_op>(opOf(state)));
        benchmark::DoNotOptimize(out.size());
    }
}

void BM_Region(benchmark::State& state) {
    const auto& [ra, rb] = operands(sizeOf(state));
    const CRegion a(points(ra)), b(points(rb));
    for (auto _ : state) {
        CRegion out;
        a.booleanOper(b, out, static_cast<gpc::gpc_op>(opOf(state)));
        benchmark::DoNotOptimize(out);
    }
}

// --- Clipper at its fastest ---
void BM_Clipper(benchmark::State& state) {
    const auto& [ra, rb] = operands(sizeOf(state));
    gpc_peers::timeClipper(state, ra, rb, opOf(state), kSnap);
}

void BM_Boost(benchmark::State& state) {
    const auto& [ra, rb] = operands(sizeOf(state));
    const BPolygon a = toBoost(ra), b = toBoost(rb);
    for (auto _ : state) {
        BMulti out;
        geo_test::boostOverlay(opOf(state), a, b, out);
        benchmark::DoNotOptimize(out.size());
    }
}

// --- GEOS, reentrant C API ---
void BM_Geos(benchmark::State& state) {
    const auto& [ra, rb] = operands(sizeOf(state));
    gpc_peers::timeGeos(state, ra, rb, opOf(state));
}

// Keeps the least CPU time per iteration of each benchmark's repetitions while the console shows
// the runs.
class Recorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration) {
                continue;
            }
            auto [it, added] = cpu.emplace(r.benchmark_name(), r.GetAdjustedCPUTime());
            if (!added) {
                it->second = std::min(it->second, r.GetAdjustedCPUTime());
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double at(const std::string& engine, int n, int op) const {
        auto it =
            cpu.find("BM_" + engine + "/n:" + std::to_string(n) + "/op:" + std::to_string(op));
        return it == cpu.end() ? NAN : it->second;
    }
    std::map<std::string, double> cpu;
};

// The ratios the goals are stated in, one row per operation and size.
void printRatios(const Recorder& rec) {
    std::printf("\n%-6s %6s %10s %10s %10s %10s %9s %10s %10s\n", "op", "n", "gpc us", "Clipper",
                "Boost", "GEOS", "gpc/best", "Polygon/g", "Region/g");
    for (int op = 0; op < 4; ++op) {
        for (int n : kSizes) {
            const double g = rec.at("Gpc", n, op), c = rec.at("Clipper", n, op);
            const double b = rec.at("Boost", n, op), s = rec.at("Geos", n, op);
            const double best = std::min({c, b, s});
            std::printf("%-6s %6d %10.1f %10.1f %10.1f %10.1f %9.2f %10.2f %10.2f\n", kOpNames[op],
                        n, g, c, b, s, g / best, rec.at("Polygon", n, op) / g,
                        rec.at("Region", n, op) / g);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    bench_support::settleHeap();
    gpc_peers::registerInterleaved({{"BM_Gpc", BM_Gpc},
                                    {"BM_Polygon", BM_Polygon},
                                    {"BM_Region", BM_Region},
                                    {"BM_Clipper", BM_Clipper},
                                    {"BM_Boost", BM_Boost},
                                    {"BM_Geos", BM_Geos}},
                                   kSizes);
    benchmark::Initialize(&argc, argv);
    Recorder rec;
    benchmark::RunSpecifiedBenchmarks(&rec);
    printRatios(rec);
    return 0;
}
