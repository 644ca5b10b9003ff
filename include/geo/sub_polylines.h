// Sub-polylines: the stretch between two points of a polyline or ring, equal-length pieces,
// and the distance from a point to a closed outline.
#pragma once

#include <geo/export.h>
#include <geo/point3d.h>

#include <vector>

// The stretch of the open polyline from p1 to p2, walking from p1 towards p2; repeated points
// are skipped. out is cleared; false when either point lies on no segment.
GEO_API bool getPtsFromPolyline(std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& out,
                                CPoint3d const& p1, CPoint3d const& p2, double tol);

// The polyline cut into consecutive pieces of length step, the last one taking the rest;
// a step equal to the whole length gives the polyline as one piece. pieces is appended to;
// false, with pieces untouched, for a step not positive or longer than the polyline, or one
// that would make more than a million pieces.
GEO_API bool getPtsFromPolyline(std::vector<CPoint3d> const& pts, double step,
                                std::vector<std::vector<CPoint3d>>& pieces, double tol);

// The stretch of a ring (closed or not) from p1 to p2, walking forwards along its vertex order
// or backwards; both points on one edge give the short way when it runs in the walking
// direction and the way round the ring otherwise. out is cleared; false when either point
// lies on no edge.
GEO_API bool getPtsFromPolyline(std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& out,
                                CPoint3d const& p1, CPoint3d const& p2, bool forward, double tol);

// The stretch of a closed ring (last vertex repeating the first) from p1 on edge edgeA
// forwards to p2 on edge edgeB. False, with out untouched, for an edge index outside the
// vertex list; otherwise out is replaced and the result is true.
GEO_API bool GetPts(std::vector<CPoint3d>& out, std::vector<CPoint3d> const& ring, int edgeA,
                    CPoint3d const& p1, int edgeB, CPoint3d const& p2);

// The least distance from pt to the edges of the outline, closing edge included;
// 1e10 for fewer than 3 points.
GEO_API double getDisFromPolyline(std::vector<CPoint3d> pts, CPoint3d pt, double tol);
