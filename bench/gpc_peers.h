#pragma once
// One GPC ring handed to the peers the clipping benchmarks compare against.

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "support/boost_geometry.h"

#include <geo/gpc.h>
#include <polyclipping/clipper.hpp>

namespace gpc_peers {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BMulti = bg::model::multi_polygon<BPolygon>;
using Ring = std::vector<gpc::gpc_vertex>;

// The ring as a Boost polygon, oriented and closed as Boost expects.
inline BPolygon toBoost(const Ring& ring) {
    BPolygon p;
    for (const gpc::gpc_vertex& v : ring) {
        bg::append(p.outer(), BPoint(v.x, v.y));
    }
    bg::correct(p);
    return p;
}

// The ring as a GEOS polygon (closing vertex added); the caller destroys it.
inline GEOSGeometry* toGeos(GEOSContextHandle_t h, const Ring& ring) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, static_cast<unsigned>(ring.size() + 1), 2);
    for (std::size_t i = 0; i <= ring.size(); ++i) {
        const gpc::gpc_vertex& v = ring[i % ring.size()];
        GEOSCoordSeq_setXY_r(h, seq, static_cast<unsigned>(i), v.x, v.y);
    }
    return GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, seq), nullptr, 0);
}

// GEOS's boolean for a GPC operation code; the caller destroys the result.
inline GEOSGeometry* geosBoolean(GEOSContextHandle_t h, int op, const GEOSGeometry* a,
                                 const GEOSGeometry* b) {
    switch (op) {
        case gpc::GPC_DIFF:
            return GEOSDifference_r(h, a, b);
        case gpc::GPC_INT:
            return GEOSIntersection_r(h, a, b);
        case gpc::GPC_XOR:
            return GEOSSymDifference_r(h, a, b);
        default:
            return GEOSUnion_r(h, a, b);
    }
}

// Times plain Clipper's boolean `op` (GPC's code) of two rings snapped to integers at `snap` to
// the unit: Clipper at its fastest, in its small integer range, flat paths out.
inline void timeClipper(benchmark::State& state, const Ring& ra, const Ring& rb, int op,
                        double snap) {
    const auto toClipper = [snap](const Ring& ring) {
        ClipperLib::Path path;
        for (const gpc::gpc_vertex& v : ring) {
            path.emplace_back(std::llround(v.x * snap), std::llround(v.y * snap));
        }
        return path;
    };
    const ClipperLib::Path a = toClipper(ra), b = toClipper(rb);
    const ClipperLib::ClipType types[] = {ClipperLib::ctDifference, ClipperLib::ctIntersection,
                                          ClipperLib::ctXor, ClipperLib::ctUnion};
    for (auto _ : state) {
        ClipperLib::Clipper clipper;
        clipper.AddPath(a, ClipperLib::ptSubject, true);
        clipper.AddPath(b, ClipperLib::ptClip, true);
        ClipperLib::Paths out;
        clipper.Execute(types[op], out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
        benchmark::DoNotOptimize(out.size());
    }
}

// Times GEOS's boolean `op` of two rings.
inline void timeGeos(benchmark::State& state, const Ring& ra, const Ring& rb, int op) {
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSGeometry* a = toGeos(h, ra);
    GEOSGeometry* b = toGeos(h, rb);
    for (auto _ : state) {
        GEOSGeometry* r = geosBoolean(h, op, a, b);
        benchmark::DoNotOptimize(r);
        GEOSGeom_destroy_r(h, r);
    }
    GEOSGeom_destroy_r(h, a);
    GEOSGeom_destroy_r(h, b);
    GEOS_finish_r(h);
}

using Engine = std::pair<const char*, void (*)(benchmark::State&)>;

// Registers every engine for each operation and size, the engines of one operation and size
// right after one another, so that a shared machine's changing load falls on all of them alike.
inline void registerInterleaved(const std::vector<Engine>& engines, const std::vector<int>& sizes) {
    for (int op = 0; op < 4; ++op) {
        for (int n : sizes) {
            for (const auto& [name, fn] : engines) {
                benchmark::RegisterBenchmark(name, fn)
                    ->ArgNames({"n", "op"})
                    ->Args({n, op})
                    ->Unit(benchmark::kMicrosecond);
            }
        }
    }
}

}  // namespace gpc_peers
