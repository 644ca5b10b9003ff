// The geo tool's WKT and GeoJSON readers on arbitrary text: a fault is an InputError, never a
// crash; every shape read is finite, and writing it, reading that back and writing again gives
// the same text in both formats.
#include "geojson.h"
#include "read_shapes.h"
#include "shape.h"
#include "wkt.h"

#include "fuzz_support.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

using geoio::Shape;

bool ShapeFinite(const Shape& shape) {
    if (!fuzz::AllFinite(shape.pts)) {
        return false;
    }
    for (const geoio::RingSet& polygon : shape.polygons) {
        if (!fuzz::AllFinite(polygon)) {
            return false;
        }
    }
    return true;
}

// The one shape that `text` holds.
Shape ReadOne(std::string_view text) {
    std::vector<Shape> shapes;
    geoio::ReadShapes(text, "written", [&](Shape&& s) { shapes.push_back(std::move(s)); });
    FUZZ_CHECK(shapes.size() == 1, "written shape reads back as another number of shapes");
    return shapes.front();
}

template <class Write>
void CheckRoundTrip(const Shape& shape, Write write) {
    const std::string first = write(shape);
    const std::string second = write(ReadOne(first));
    FUZZ_CHECK(first == second, "written shape reads back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<Shape> shapes;
    try {
        geoio::ReadShapes(text, "fuzz", [&](Shape&& s) { shapes.push_back(std::move(s)); });
    } catch (const geoio::InputError&) {
        return 0;
    }
    for (const Shape& shape : shapes) {
        FUZZ_CHECK(ShapeFinite(shape), "a shape read has a non-finite coordinate");
        CheckRoundTrip(shape, [](const Shape& s) { return geoio::ToWkt(s); });
        CheckRoundTrip(shape, [](const Shape& s) { return geoio::ToGeoJson(s); });
    }
    return 0;
}
