// Well-known text: reading geometries with the line and column of every error, and writing
// them with the shortest round-trip numbers.
#pragma once

#include "numbers.h"
#include "shape.h"
#include "text_source.h"

#include <istream>
#include <string>
#include <string_view>

namespace geoio {

// Reads every geometry of the input, one after the other (separated by blanks or line
// breaks), handing each to sink as soon as it is complete. POINT, LINESTRING, POLYGON,
// MULTIPOINT, MULTILINESTRING, MULTIPOLYGON and GEOMETRYCOLLECTION, any letter case, with Z,
// M or ZM (M values are dropped) or EMPTY. Throws InputError at the first fault, and for an
// input without any geometry.
void ReadWkt(TextSource& source, const ShapeSink& sink);
void ReadWkt(std::istream& in, const std::string& name, const ShapeSink& sink);
void ReadWkt(std::string_view text, const std::string& name, const ShapeSink& sink);

// Appends the shape's text (with Z when some vertex has a non-zero z), without a line break.
void AppendWkt(std::string& out, const Shape& shape, const NumberFormat& format);
std::string ToWkt(const Shape& shape, const NumberFormat& format = {});

}  // namespace geoio
