// Coordinates as text, in the brackets and separators of WKT or of GeoJSON.
#pragma once

#include "numbers.h"
#include "shape.h"

#include <string>
#include <vector>

namespace geoio {

// WKT writes "(x y, x y)", GeoJSON "[[x,y],[x,y]]".
struct CoordinateStyle {
    char open;
    char close;
    const char* listSeparator;
    char numberSeparator;
    bool bracketEachPoint;
};

constexpr CoordinateStyle kWktStyle{'(', ')', ", ", ' ', false};
constexpr CoordinateStyle kGeoJsonStyle{'[', ']', ",", ',', true};

// One point: x, y and, withZ, z.
void AppendPoint(std::string& out, const CPoint3d& p, bool withZ, const NumberFormat& format,
                 const CoordinateStyle& style);
// A bracketed list of points, of rings (a polygon), or of polygons.
void AppendPoints(std::string& out, const std::vector<CPoint3d>& pts, bool withZ,
                  const NumberFormat& format, const CoordinateStyle& style);
void AppendRingSet(std::string& out, const RingSet& rings, bool withZ, const NumberFormat& format,
                   const CoordinateStyle& style);
void AppendPolygons(std::string& out, const std::vector<RingSet>& polygons, bool withZ,
                    const NumberFormat& format, const CoordinateStyle& style);

}  // namespace geoio
