// Point transforms over whole lists, scaling away from a base line, fitting an entity to an
// outline edge, and the vertex list of any entity.
#pragma once

#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/lines.h>
#include <geo/point3d.h>

#include <vector>

// Each moves every point of pts by v (in place) and returns a copy of the changed list.
GEO_API std::vector<CPoint3d> PtsMove(std::vector<CPoint3d>& pts, CVector3d v);
// Turns every point about the vertical through base (z kept), in place; returns a copy.
GEO_API std::vector<CPoint3d> PtsRotate(std::vector<CPoint3d>& pts, CPoint3d base, double angle);
// Mirrors every point about the line in plan, in place; returns a copy.
GEO_API std::vector<CPoint3d> PtsMirror(std::vector<CPoint3d>& pts, CLine line);
// Scales every point by factor about base (all three axes), in place; returns a copy.
GEO_API std::vector<CPoint3d> PtsScale(std::vector<CPoint3d>& pts, CPoint3d base, double factor);

// Moves each point p to f + (p - f) x factor, f being p's foot on the line: points on the line
// stay, the others are stretched away from it (or towards it for a factor below 1).
GEO_API void ScalePtBaseline(CLine const& line, std::vector<CPoint3d>& pts, double const& factor);

// Moves geo by p2 - p1, then turns it about p2 so that the direction of ring edge edgeA
// becomes that of edge edgeB (edge j runs from vertex j to j + 1, the last one closing). False,
// geo untouched, for a null geo or an edge index outside 0 .. ring size - 1.
GEO_API bool RotateGeo(CGeometry* geo, std::vector<CPoint3d> const& ring, int edgeA,
                       CPoint3d const& p1, int edgeB, CPoint3d const& p2);

// The entity's vertices: a CPolygon's or CPolyline's points, a CRegion's outer contours one
// after another (holes left out), a CPolygon3D's world points; empty for any other type or a
// null pointer.
GEO_API std::vector<CPoint3d> GetGeometryPts(CGeometry* geo);

// False for an area or a solid (exactly a CPolygon, CRegion, CPolygon3D, CSphere, CCone or
// CPyramid), true for every other entity and for a null pointer.
GEO_API bool GeoIsPline(CGeometry* geo);
