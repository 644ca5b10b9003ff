// Areas read from text as the library's regions, and regions back as areas.
#pragma once

#include "shape.h"

#include <geo/region.h>

#include <vector>

namespace geoio {

// The ring without its closing repeat, as the library's outlines keep it.
std::vector<CPoint3d> OpenRing(const Ring& ring);
// The outline with its first point repeated at the end (unless it already is).
Ring ClosedRing(std::vector<CPoint3d> pts);

// One contour per ring, in order: each polygon's outer, then its holes.
CRegion ToRegion(const Shape& area);

// The region as an area: each hole goes with the smallest outer that holds its first vertex
// (the first outer when none does); contours of fewer than 3 vertices are left out.
Shape FromRegion(const CRegion& region);

}  // namespace geoio
