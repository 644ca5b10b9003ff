// Text speed: reading and writing a 65 536-vertex outline as WKT and GeoJSON with the geo
// tool's readers and writers, against GEOS's WKT reader and writer and Boost.Geometry's WKT
// on the same text, in the same run.
#include "geojson.h"
#include "wkt.h"

#include "support/boost_geometry.h"

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr int kVertices = 65536;

// A wavy site outline with full-precision coordinates, closed.
geoio::Shape Outline() {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> noise(-0.25, 0.25);
    geoio::Ring ring;
    for (int i = 0; i < kVertices - 1; ++i) {
        const double a = 6.283185307179586 * i / (kVertices - 1);
        const double r = 1000.0 + 40.0 * std::sin(7 * a) + noise(rng);
        ring.emplace_back(512345.678 + r * std::cos(a), 4123456.789 + r * std::sin(a), 0.0);
    }
    ring.push_back(ring.front());
    return geoio::Shape::area({geoio::RingSet{ring}});
}

const geoio::Shape& TheOutline() {
    static const geoio::Shape shape = Outline();
    return shape;
}

const std::string& WktText() {
    static const std::string text = geoio::ToWkt(TheOutline());
    return text;
}

const std::string& GeoJsonText() {
    static const std::string text = geoio::ToGeoJson(TheOutline());
    return text;
}

void SetCounters(benchmark::State& state, std::size_t bytes) {
    state.SetItemsProcessed(state.iterations() * kVertices);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

void GeoReadWkt(benchmark::State& state) {
    const std::string& text = WktText();
    for (auto _ : state) {
        std::size_t n = 0;
        geoio::ReadWkt(text, "outline", [&](geoio::Shape&& s) { n += s.polygons.size(); });
        benchmark::DoNotOptimize(n);
    }
    SetCounters(state, text.size());
}

void GeoWriteWkt(benchmark::State& state) {
    for (auto _ : state) {
        std::string out = geoio::ToWkt(TheOutline());
        benchmark::DoNotOptimize(out.data());
    }
    SetCounters(state, WktText().size());
}

void GeoReadGeoJson(benchmark::State& state) {
    const std::string& text = GeoJsonText();
    for (auto _ : state) {
        std::size_t n = 0;
        geoio::ReadGeoJson(text, "outline", [&](geoio::Shape&& s) { n += s.polygons.size(); });
        benchmark::DoNotOptimize(n);
    }
    SetCounters(state, text.size());
}

void GeoWriteGeoJson(benchmark::State& state) {
    for (auto _ : state) {
        std::string out = geoio::ToGeoJson(TheOutline());
        benchmark::DoNotOptimize(out.data());
    }
    SetCounters(state, GeoJsonText().size());
}

// One GEOS context for the run.
struct Geos {
    GEOSContextHandle_t ctx = GEOS_init_r();
    ~Geos() { GEOS_finish_r(ctx); }
};

void GeosReadWkt(benchmark::State& state) {
    Geos geos;
    GEOSWKTReader* reader = GEOSWKTReader_create_r(geos.ctx);
    const std::string& text = WktText();
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
void GeosWriteWkt(benchmark::State& state, bool trimmed) {
    Geos geos;
    GEOSWKTReader* reader = GEOSWKTReader_create_r(geos.ctx);
    GEOSGeometry* g = GEOSWKTReader_read_r(geos.ctx, reader, WktText().c_str());
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
    SetCounters(state, WktText().size());
}

namespace bg = boost::geometry;
using BoostPolygon = bg::model::polygon<bg::model::d2::point_xy<double>>;

void BoostReadWkt(benchmark::State& state) {
    const std::string& text = WktText();
    for (auto _ : state) {
        BoostPolygon polygon;
        bg::read_wkt(text, polygon);
        benchmark::DoNotOptimize(polygon.outer().data());
    }
    SetCounters(state, text.size());
}

void BoostWriteWkt(benchmark::State& state) {
    BoostPolygon polygon;
    bg::read_wkt(WktText(), polygon);
    for (auto _ : state) {
        std::ostringstream out;
        out.precision(17);
        out << bg::wkt(polygon);
        benchmark::DoNotOptimize(out.str().data());
    }
    SetCounters(state, WktText().size());
}

}  // namespace

BENCHMARK(GeoReadWkt)->Unit(benchmark::kMillisecond);
BENCHMARK(GeosReadWkt)->Unit(benchmark::kMillisecond);
BENCHMARK(BoostReadWkt)->Unit(benchmark::kMillisecond);
BENCHMARK(GeoReadGeoJson)->Unit(benchmark::kMillisecond);
BENCHMARK(GeoWriteWkt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosWriteWkt, default, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GeosWriteWkt, trimmed, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BoostWriteWkt)->Unit(benchmark::kMillisecond);
BENCHMARK(GeoWriteGeoJson)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
