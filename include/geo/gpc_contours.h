// Conversions between point lists and GPC contours.
#pragma once

#include <geo/export.h>
#include <geo/gpc.h>
#include <geo/point3d.h>

#include <vector>

// Adds pts as one contour of poly (x and y only, same order) with the given hole flag;
// lists of fewer than 3 points add nothing.
GEO_API void AddPtarrToPolygon(std::vector<CPoint3d> const& pts, gpc::gpc_polygon* poly, int hole);

// The vertices of one GPC contour as points (x, y, 0) in GPC's order; a contour with a
// negative count or a null vertex array gives an empty list.
GEO_API std::vector<CPoint3d> GpcContourPoints(const gpc::gpc_vertex_list& contour);

// The vertex lists of the contours of poly in GPC's order, keeping only those whose hole
// flag is 0 (outers) or non-zero (holes) and that hold at least one vertex.
GEO_API std::vector<std::vector<CPoint3d>> GpcContoursOfKind(const gpc::gpc_polygon& poly,
                                                             bool holes);
