// Region and polygon sets: booleans over polygon lists, unions into regions, and conversions
// between regions, bridged polygons and loose contour lists.
#pragma once

#include <geo/export.h>
#include <geo/gpc.h>
#include <geo/point3d.h>
#include <geo/polylines.h>
#include <geo/region.h>

#include <vector>

// ---- Booleans and unions -------------------------------------------------------------------

// Total area of the outer contours of a op b (holes not subtracted); true when it exceeds
// 0.01. Null pointers or fewer than 3 vertices give false with area unchanged; plan boxes
// apart give area 0 and false whatever op is (an empty result leaves area unchanged).
GEO_API bool BooleanOper(CPolygon const* a, CPolygon const* b, double& area, gpc::gpc_op op);

// op folded over `in`, its result split into normalised outer and hole polygons; both lists
// are cleared first, `in` is read before that (it may be one of them). One polygon is copied
// to outers as it is. Other ops fold from the left: ((in[0] op in[1]) op in[2]) ... and keep
// the engine's contour order. GPC_UNION unites in a balanced tree instead, and returns outers
// and holes each ordered by the lower-left corner of their plan box (x, then y, then the
// larger area first). True when either list is non-empty.
GEO_API bool BooleanOper(std::vector<CPolygon>& in, std::vector<CPolygon>& outers,
                         std::vector<CPolygon>& holes, gpc::gpc_op op);
