// Offsets built edge by edge: side lines of a centre line, road bands, tapered side lines,
// outlines grown by per-edge distances, and small edits that shift one edge.
#pragma once

#include <geo/export.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <vector>

// Side line of a centre line at distance d, left or right of travel, corners mitred.
// out is cleared first. Returns -1 for fewer than 2 points, 1 for one edge, otherwise the
// number of points written (parallel neighbours give no corner point).
GEO_API int CalcMline(const std::vector<CPoint3d>& centre, std::vector<CPoint3d>& out, double d,
                      bool left);

// Both side lines at d; returns their common CalcMline result, or -1 when they differ.
GEO_API int RoadLineCalc(const std::vector<CPoint3d>& centre, std::vector<CPoint3d>& left,
                         std::vector<CPoint3d>& right, double d);

// The band of the given width along the centre line as one quadrilateral per stretch
// between corners: left[i-1], left[i], right[i], right[i-1]. out is replaced; returns the
// number of pieces, or 0 (out untouched) when the side lines do not match.
GEO_API int SplitRoadPolygon(std::vector<CPoint3d>& centre, std::vector<CPolygon>& out,
                             double width);

// Side line left of travel whose distance runs from `start` at the first edge to `end` at
// the last; loops are cut out. out is cleared first; false for fewer than 2 points.
GEO_API bool OffsetPtsEx(const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out, double start,
                         double end);

// The outline grown outward edge by edge, each edge by the z of its first vertex (either
// orientation; edges shorter than 0.01 are dropped). out is cleared first and gets an open
// outline with z 0; false when the grown outline has no area or has turned inside out
// (every edge moved past the opposite ones).
GEO_API bool offsetPolyGonByDistArr(const std::vector<CPoint3d>& outline,
                                    std::vector<CPoint3d>& out);

// offsetPolyGonByDistArr with every edge moved outward by d.
GEO_API void offsetEntOutSide(const std::vector<CPoint3d>& outline, double d,
                              std::vector<CPoint3d>& out);

// Moves edge `index` (points index and index + 1) left of travel by d in place; a zero d
// or an index without a following point leaves the list alone.
GEO_API void SideOff(std::vector<CPoint3d>& pts, int index, double d);

// Shifts the two-point line sideways (side +1 left, -1 right) onto the farthest interior
// point that lies squarely on that side; nothing moves otherwise.
GEO_API void MoveLineAlongPts(std::vector<CPoint3d>& line, const std::vector<CPoint3d>& pts,
                              double side);
