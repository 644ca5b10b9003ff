// Toolkit functions over entities: point on a polyline, edge-aligned box, containment of
// outlines through the polygon boolean and in 3D, clean-up of an entity's vertices, and
// simplification of an outline by an offset out and back.
#pragma once

#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <vector>

// Whether p lies on one of the polyline's listed segments (1e-6); a closed polyline's closing
// segment counts only when its list repeats the first vertex.
GEO_API bool PtOnCurve2d(CPoint3d const& p, CPolyline const& polyline);

// Length and width of the polygon's box aligned with edge `edge` (from vertex edge to the next,
// the last edge closing to vertex 0). False, outputs untouched, for fewer than 2 vertices, an
// edge outside 0..n-1 or a non-finite vertex.
GEO_API bool CalBox(CPolygon polygon, int edge, double& length, double& width);

// Whether outline a lies in outline b up to an area of 0.1: the area of a minus b is at most
// 0.1. Outlines whose plan boxes are apart count as a lying outside b unless a itself has no
// more than 0.1 of area. The third argument is not consulted.
GEO_API bool bPolyLineIsInPolygon(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b, bool);

// Whether the planar 3D outline `inner` lies inside `outer` (polygonInPolygon in outer's
// plane frame). False for fewer than 3 points, outlines out of one plane (tol), or planes
// that meet.
GEO_API bool polygonInPolygon3D(std::vector<CPoint3d> inner, std::vector<CPoint3d> outer,
                                double tol);

// The point-list RemoveRedundancyPts applied to the vertex lists of a polygon, region
// (contours left with fewer than 3 points are removed), polyline or 3D polygon; other
// entities and null are left alone.
GEO_API void RemoveRedundancyPts(CGeometry* geo, double tol);

// Simplifies an outline by offsetting it outwards and back by the first distance (5, 4.5, ...
// down to 1.3, then 5, 6, 7.2, ... up to 70) that loses less than 0.1 of its area. Lists of
// fewer than 3 points or with a non-finite point are left alone; otherwise the list is left
// closed and counter-clockwise even when no distance works.
GEO_API void ReduceGonBorder(std::vector<CPoint3d>& pts);
