// Union and intersection of two random star-shaped polygons: gpc against Clipper called directly,
// Boost.Geometry and GEOS on the same vertices.
#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "foundation/numeric.h"
#include "gpc_peers.h"
#include "support/boost_geometry.h"

#include <geo/gpc.h>
#include <polyclipping/clipper.hpp>

namespace {

namespace bg = boost::geometry;
using gpc_peers::BMulti;
using gpc_peers::BPolygon;
using gpc_peers::Ring;
using gpc_peers::toBoost;
using gpc_peers::toGeos;

// A star-shaped ring of n vertices at increasing angles: a wavy circle whose radii jitter by
// about one vertex spacing, so the two operands cross O(n) times rather than O(n^2).
Ring star(std::mt19937& rng, int n, double cx, double cy) {
    const double spacing = geo_detail::kTwoPi * 100 / n;
    std::uniform_real_distribution<double> jitter(-spacing, spacing);
    Ring ring;
    for (int i = 0; i < n; ++i) {
        double t = geo_detail::kTwoPi * i / n;
        double d = 100 + 10 * std::sin(5 * t) + jitter(rng);
        ring.push_back({cx + d * std::cos(t), cy + d * std::sin(t)});
    }
    return ring;
}

// The two operands of size n, made once.
const std::pair<Ring, Ring>& operands(int n) {
    static std::map<int, std::pair<Ring, Ring>> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        std::mt19937 rng(static_cast<unsigned>(n));
        it = cache.emplace(n, std::make_pair(star(rng, n, 0, 0), star(rng, n, 30, 20))).first;
    }
    return it->second;
}

enum Op { kUnion = 0, kIntersection = 1 };

// --- gpc ---
void BM_Gpc(benchmark::State& state) {
    const auto& [ra, rb] = operands(static_cast<int>(state.range(0)));
    gpc::gpc_polygon a{0, nullptr, nullptr}, b{0, nullptr, nullptr};
    gpc::gpc_vertex_list la{static_cast<int>(ra.size()), const_cast<gpc::gpc_vertex*>(ra.data())};
    gpc::gpc_vertex_list lb{static_cast<int>(rb.size()), const_cast<gpc::gpc_vertex*>(rb.data())};
    gpc::gpc_add_contour(&a, &la, 0);
    gpc::gpc_add_contour(&b, &lb, 0);
    gpc::gpc_op op = state.range(1) == kUnion ? gpc::GPC_UNION : gpc::GPC_INT;
    for (auto _ : state) {
        gpc::gpc_polygon r{0, nullptr, nullptr};
        gpc::gpc_polygon_clip(op, &a, &b, &r);
        benchmark::DoNotOptimize(r.num_contours);
        gpc::gpc_free_polygon(&r);
    }
    gpc::gpc_free_polygon(&a);
    gpc::gpc_free_polygon(&b);
}

// --- Clipper, called directly: own scaling to integers, same fill rule and output tree ---
ClipperLib::Path toClipper(const Ring& ring, double scale) {
    ClipperLib::Path path;
    path.reserve(ring.size());
    for (const gpc::gpc_vertex& v : ring) {
        path.emplace_back(std::llround(v.x * scale), std::llround(v.y * scale));
    }
    return path;
}

// The same job as gpc's: simple output contours in a tree that tells outers from holes.
void BM_Clipper(benchmark::State& state) {
    const auto& [ra, rb] = operands(static_cast<int>(state.range(0)));
    ClipperLib::ClipType type =
        state.range(1) == kUnion ? ClipperLib::ctUnion : ClipperLib::ctIntersection;
    const double scale = std::ldexp(1.0, 52 - 8);  // coordinates stay below 256
    for (auto _ : state) {
        ClipperLib::Clipper clipper;
        clipper.StrictlySimple(true);
        clipper.AddPath(toClipper(ra, scale), ClipperLib::ptSubject, true);
        clipper.AddPath(toClipper(rb, scale), ClipperLib::ptClip, true);
        ClipperLib::PolyTree tree;
        clipper.Execute(type, tree, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
        benchmark::DoNotOptimize(tree.Total());
    }
}

// Clipper's cheapest use, for scale: flat paths, touching contours left joined.
void BM_ClipperPaths(benchmark::State& state) {
    const auto& [ra, rb] = operands(static_cast<int>(state.range(0)));
    ClipperLib::ClipType type =
        state.range(1) == kUnion ? ClipperLib::ctUnion : ClipperLib::ctIntersection;
    const double scale = std::ldexp(1.0, 52 - 8);
    for (auto _ : state) {
        ClipperLib::Clipper clipper;
        clipper.AddPath(toClipper(ra, scale), ClipperLib::ptSubject, true);
        clipper.AddPath(toClipper(rb, scale), ClipperLib::ptClip, true);
        ClipperLib::Paths out;
        clipper.Execute(type, out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
        benchmark::DoNotOptimize(out.size());
    }
}

// --- Boost.Geometry ---
void BM_Boost(benchmark::State& state) {
    const auto& [ra, rb] = operands(static_cast<int>(state.range(0)));
    BPolygon a = toBoost(ra), b = toBoost(rb);
    for (auto _ : state) {
        BMulti out;
        if (state.range(1) == kUnion) {
            bg::union_(a, b, out);
        } else {
            bg::intersection(a, b, out);
        }
        benchmark::DoNotOptimize(out.size());
    }
}

// --- GEOS, reentrant C API ---
void BM_Geos(benchmark::State& state) {
    const auto& [ra, rb] = operands(static_cast<int>(state.range(0)));
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSGeometry* a = toGeos(h, ra);
    GEOSGeometry* b = toGeos(h, rb);
    for (auto _ : state) {
        GEOSGeometry* r =
            state.range(1) == kUnion ? GEOSUnion_r(h, a, b) : GEOSIntersection_r(h, a, b);
        benchmark::DoNotOptimize(r);
        GEOSGeom_destroy_r(h, r);
    }
    GEOSGeom_destroy_r(h, a);
    GEOSGeom_destroy_r(h, b);
    GEOS_finish_r(h);
}

void sizesAndOps(benchmark::internal::Benchmark* b) {
    b->ArgNames({"n", "int"});
    for (int op : {kUnion, kIntersection}) {
        for (int n : {16, 256, 4096, 65536}) {
            b->Args({n, op});
        }
    }
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_Gpc)->Apply(sizesAndOps);
BENCHMARK(BM_Clipper)->Apply(sizesAndOps);
BENCHMARK(BM_ClipperPaths)->Apply(sizesAndOps);
BENCHMARK(BM_Boost)->Apply(sizesAndOps);
BENCHMARK(BM_Geos)->Apply(sizesAndOps);

BENCHMARK_MAIN();
