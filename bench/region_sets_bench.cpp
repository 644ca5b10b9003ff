// Union of many building footprints: UnionPolygonArr and the list boolean (balanced tree)
// against the literal left fold and GEOS's GEOSUnaryUnion on the same outlines.
#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <geo/region_sets.h>

#include "support/footprints.h"
#include "toolkit/region_sets_reference.h"

#include <cmath>
#include <map>
#include <vector>

namespace {

constexpr unsigned kSeed = 2026;

const std::vector<CPolygon>& Site(size_t count) {
    static std::map<size_t, std::vector<CPolygon>> sites;
    auto it = sites.find(count);
    if (it == sites.end()) {
        it = sites.emplace(count, footprints::Site(kSeed, count)).first;
    }
    return it->second;
}

void BM_UnionPolygonArr(benchmark::State& state) {
    const std::vector<CPolygon>& site = Site(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<CPolygon> gons = site;
        UnionPolygonArr(gons);
        benchmark::DoNotOptimize(gons.size());
    }
}

void BM_BooleanOperUnion(benchmark::State& state) {
    std::vector<CPolygon> site = Site(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<CPolygon> outers, holes;
        BooleanOper(site, outers, holes, gpc::GPC_UNION);
        benchmark::DoNotOptimize(outers.size() + holes.size());
    }
}

void BM_LiteralFold(benchmark::State& state) {
    const std::vector<CPolygon>& site = Site(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<CPolygon> outers, holes;
        region_sets_reference::FoldUnion(site, outers, holes);
        benchmark::DoNotOptimize(outers.size() + holes.size());
    }
}

// The footprints as one GEOS collection of polygons.
GEOSGeometry* ToGeosCollection(GEOSContextHandle_t h, const std::vector<CPolygon>& gons) {
    std::vector<GEOSGeometry*> polys;
    for (const CPolygon& g : gons) {
        const std::vector<CPoint3d> pts = g.getPoints();
        GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, static_cast<unsigned>(pts.size() + 1), 2);
        for (size_t i = 0; i <= pts.size(); ++i) {
            GEOSCoordSeq_setXY_r(h, seq, static_cast<unsigned>(i), pts[i % pts.size()].x,
                                 pts[i % pts.size()].y);
        }
        polys.push_back(
            GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, seq), nullptr, 0));
    }
    return GEOSGeom_createCollection_r(h, GEOS_MULTIPOLYGON, polys.data(),
                                       static_cast<unsigned>(polys.size()));
}

void BM_GeosUnaryUnion(benchmark::State& state) {
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSGeometry* all = ToGeosCollection(h, Site(static_cast<size_t>(state.range(0))));
    for (auto _ : state) {
        GEOSGeometry* r = GEOSUnaryUnion_r(h, all);
        benchmark::DoNotOptimize(r);
        GEOSGeom_destroy_r(h, r);
    }
    GEOSGeom_destroy_r(h, all);
    GEOS_finish_r(h);
}

// Loose contours classified by containment: `count` nested rings of 64 vertices each, every
// first point asked of every other ring.
void BM_SetPtsArr2Region(benchmark::State& state) {
    std::vector<std::vector<CPoint3d>> rings(static_cast<size_t>(state.range(0)));
    for (size_t k = 0; k < rings.size(); ++k) {
        for (int i = 0; i < 64; ++i) {
            const double a = 0.09817477042468103 * i + 0.01 * static_cast<double>(k);
            const double r = 10.0 * static_cast<double>(k + 1);
            rings[k].emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
        }
    }
    for (auto _ : state) {
        CRegion rgn;
        SetPtsArr2Region(rings, rgn);
        benchmark::DoNotOptimize(rgn.contours.size());
    }
}
BENCHMARK(BM_SetPtsArr2Region)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"footprints"})->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_UnionPolygonArr)->Apply(Sizes);
BENCHMARK(BM_BooleanOperUnion)->Apply(Sizes);
BENCHMARK(BM_GeosUnaryUnion)->Apply(Sizes);
// The fold is quadratic: 10 000 footprints would take minutes.
BENCHMARK(BM_LiteralFold)
    ->ArgNames({"footprints"})
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
