// GeoJSON: reading Geometry, Feature and FeatureCollection objects as a stream of shapes, and
// writing geometries.
#pragma once

#include "numbers.h"
#include "shape.h"

#include <istream>
#include <string>
#include <string_view>

namespace geoio {

// Reads every GeoJSON object of the input (one, or several one after the other), handing each
// geometry to sink as soon as its object is complete: collections and multi-points and
// multi-lines as their members, a Feature as its geometry (none when null). Throws InputError
// naming the line, column and JSON pointer of the first fault, and for an input without any
// object. `start` is where the stream's next character lies in the input.
void ReadGeoJson(std::istream& in, const std::string& name, const ShapeSink& sink,
                 Cursor start = {});
void ReadGeoJson(std::string_view text, const std::string& name, const ShapeSink& sink);

// Appends the shape as a GeoJSON geometry object, without a line break.
void AppendGeoJson(std::string& out, const Shape& shape, const NumberFormat& format);
std::string ToGeoJson(const Shape& shape, const NumberFormat& format = {});

}  // namespace geoio
