// Text speed: reading and writing a 65 536-vertex outline as WKT and GeoJSON with the geo
// tool's readers and writers, against GEOS's WKT reader and writer and Boost.Geometry's WKT
// on the same text, in the same run. Two outlines: computed coordinates that need all 17
// digits, and surveyed ones given to the millimetre.
#include "geojson.h"
#include "wkt.h"

#include "foundation/numeric.h"
#include "support/boost_geometry.h"

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr int kVertices = 65536;

// Which outline: coordinates as computed, or rounded to the millimetre.
enum Outline { kComputed = 0, kMillimetre = 1 };

// A wavy site outline, closed.
geoio::Shape MakeOutline(Outline kind) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> noise(-0.25, 0.25);
    const auto coordinate = [kind](double v) {
        return kind == kMillimetre ? std::round(v * 1000) / 1000 : v;
    };
    geoio::Ring ring;
    for (int i = 0; i < kVertices - 1; ++i) {
        const double a = geo_detail::kTwoPi * i / (kVertices - 1);
        const double r = 1000.0 + 40.0 * std::sin(7 * a) + noise(rng);
        ring.emplace_back(coordinate(512345.678 + r * std::cos(a)),
                          coordinate(4123456.789 + r * std::sin(a)), 0.0);
    }
    ring.push_back(ring.front());
    return geoio::Shape::area({geoio::RingSet{ring}});
}

const geoio::Shape& TheOutline(Outline kind) {
    static const geoio::Shape shapes[] = {MakeOutline(kComputed), MakeOutline(kMillimetre)};
    return shapes[kind];
}

const std::string& WktText(Outline kind) {
    static const std::string texts[] = {geoio::ToWkt(TheOutline(kComputed)),
                                        geoio::ToWkt(TheOutline(kMillimetre))};
    return texts[kind];
}

const std::string& GeoJsonText(Outline kind) {
    static const std::string texts[] = {geoio::ToGeoJson(TheOutline(kComputed)),
                                        geoio::ToGeoJson(TheOutline(kMillimetre))};
    return texts[kind];
}

void SetCounters(benchmark::State& state, std::size_t bytes) {
    state.SetItemsProcessed(state.iterations() * kVertices);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

void GeoReadWkt(benchmark::State& state, Outline kind) {
    const std::string& text = WktText(kind);
    for (auto _ : state) {
        std::size_t n = 0;
        geoio::ReadWkt(text, "outline", [&](geoio::Shape&& s) { n += s.polygons.size(); });
        benchmark::DoNotOptimize(n);
    }
    SetCounters(state, text.size());
}

void GeoWriteWkt(benchmark::State& state, Outline kind) {
    for (auto _ : state) {
        std::string out = geoio::ToWkt(TheOutline(kind));
        benchmark::DoNotOptimize(out.data());
    }
    SetCounters(state, WktText(kind).size());
}

void GeoReadGeoJson(benchmark::State& state, Outline kind) {
    const std::string& text = GeoJsonText(kind);
    for (auto _ : state) {
        std::size_t n = 0;
        geoio::ReadGeoJson(text, "outline", [&](geoio::Shape&& s) { n += s.polygons.size(); });
        benchmark::DoNotOptimize(n);
    }
    SetCounters(state, text.size());
}

void GeoWriteGeoJson(benchmark::State& state, Outline kind) {
    for (auto _ : state) {
        std::string out = geoio::ToGeoJson(TheOutline(kind));
        benchmark::DoNotOptimize(out.data());
    }
    SetCounters(state, GeoJsonText(kind).size());
}

// One GEOS context for the run.
struct Geos {
    GEOSContextHandle_t ctx = GEOS_init_r();
    ~Geos() { GEOS_finish_r(ctx); }
};

void GeosReadWkt(benchmark::State& state, Outline kind) {
    Geos geos;
    GEOSWKTReader* reader = GEOSWKTReader_create_r(geos.ctx);
    const std::string& text = WktText(kind);
    for (auto _ : state) {
        GEOSGeometry* g = GEOSWKTReader_read_r(geos.ctx, reader, text.c_str());
        if (g == nullptr) {
            state.SkipWithError("GEOS could not read the outline");
            break;
        }
        GEOSGeom_destroy_r(geos.ctx, g);
    }
    GEOSWKTReader_destroy_r(geos.ctx, reader);
    SetCounters(state, text.size());
}

// GEOS's writer as it comes (16 decimals, trailing zeros kept) or trimmed (17 decimals, trailing
// zeros dropped: its fastest text that reads back as the same doubles).
void GeosWriteWkt(benchmark::State& state, Outline kind, bool trimmed) {
    Geos geos;
    GEOSWKTReader* reader = GEOSWKTReader_create_r(geos.ctx);
    GEOSGeometry* g = GEOSWKTReader_read_r(geos.ctx, reader, WktText(kind).c_str());
    GEOSWKTWriter* writer = GEOSWKTWriter_create_r(geos.ctx);
    if (trimmed) {
        GEOSWKTWriter_setTrim_r(geos.ctx, writer, 1);
        GEOSWKTWriter_setRoundingPrecision_r(geos.ctx, writer, 17);
    }
    for (auto _ : state) {
        char* out = GEOSWKTWriter_write_r(geos.ctx, writer, g);
        benchmark::DoNotOptimize(out);
        GEOSFree_r(geos.ctx, out);
    }
    GEOSWKTWriter_destroy_r(geos.ctx, writer);
    GEOSGeom_destroy_r(geos.ctx, g);
    GEOSWKTReader_destroy_r(geos.ctx, reader);
    SetCounters(state, WktText(kind).size());
}

namespace bg = boost::geometry;
using BoostPolygon = bg::model::polygon<bg::model::d2::point_xy<double>>;

void BoostReadWkt(benchmark::State& state, Outline kind) {
    const std::string& text = WktText(kind);
    for (auto _ : state) {
        BoostPolygon polygon;
        bg::read_wkt(text, polygon);
        benchmark::DoNotOptimize(polygon.outer().data());
    }
    SetCounters(state, text.size());
}

void BoostWriteWkt(benchmark::State& state, Outline kind) {
    BoostPolygon polygon;
    bg::read_wkt(WktText(kind), polygon);
    for (auto _ : state) {
        std::ostringstream out;
        out.precision(17);
        out << bg::wkt(polygon);
        benchmark::DoNotOptimize(out.str().data());
    }
    SetCounters(state, WktText(kind).size());
}

}  // namespace

BENCHMARK_CAPTURE(GeoReadWkt, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoReadWkt, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosReadWkt, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosReadWkt, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoostReadWkt, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoostReadWkt, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoReadGeoJson, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoReadGeoJson, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoWriteWkt, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoWriteWkt, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosWriteWkt, computed_default, kComputed, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosWriteWkt, computed_trimmed, kComputed, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosWriteWkt, millimetre_default, kMillimetre, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosWriteWkt, millimetre_trimmed, kMillimetre, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoostWriteWkt, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoostWriteWkt, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoWriteGeoJson, computed, kComputed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeoWriteGeoJson, millimetre, kMillimetre)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
