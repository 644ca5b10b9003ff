// Reading an input whose format, WKT or GeoJSON, is told by its first character.
#pragma once

#include "shape.h"

#include <istream>
#include <string>
#include <string_view>

namespace geoio {

// Reads GeoJSON when the first character after blanks is '{', WKT otherwise; each geometry
// goes to sink as soon as it is complete. Throws InputError on a fault and on an input with
// nothing but blanks.
void ReadShapes(std::istream& in, const std::string& name, const ShapeSink& sink);
void ReadShapes(std::string_view text, const std::string& name, const ShapeSink& sink);

}  // namespace geoio
