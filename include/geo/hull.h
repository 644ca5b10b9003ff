// Convex hull, least-area enclosing rectangle, and the split of an outline into four sides.
#pragma once

#include <geo/export.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <vector>

// Monotone-chain hull in plan. hull is cleared, then holds the hull clockwise from the first
// point in x order (x compared within 1e-6, then y), without a closing repeat; points on a
// straight stretch of the boundary are kept, points equal within 1e-6 count once, and the
// input's own points (z included) are returned. Collinear input gives the line there and
// back. Empty for fewer than 3 points, fewer than 2 distinct ones, or any non-finite x or y.
GEO_API void ConvexHull(std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& hull);

// ConvexHull of the polygon's vertices; hull is cleared (and left empty for a null polygon).
GEO_API void GetConvexPolygon(CPolygon* polygon, std::vector<CPoint3d>& hull);

// Least-area rectangle of any orientation around the points: four corners, counter-clockwise,
// with one side along a hull edge (the first hull edge wins among equal areas). rect is cleared
// first, then filled whenever the hull exists; false for no hull or a rectangle of area below
// 1e-6 (collinear points), whose flat "rectangle" may then hold fewer than four points.
GEO_API bool GetMinBesiegeRect(std::vector<CPoint3d> pts, std::vector<CPoint3d>& rect);
// The same for a polygon's vertices; false (rect cleared) for a null polygon.
GEO_API bool GetMinBesiegeRect(CPolygon* polygon, std::vector<CPoint3d>& rect);

// True for exactly four points with p0-p1 parallel to p2-p3 (lines tested with tolerance
// 0.01) or p1-p2 parallel to p3-p0 (tolerance 0.1): a trapezoid or a parallelogram.
GEO_API bool IsEchelonOrDiamond(std::vector<CPoint3d>& pts);

// Four vertex indices of the polygon, ascending, at the hull corners that best face the four
// sides of its least-area rectangle; elongated is true when that rectangle's longer side
// exceeds 1.5 times its shorter one. False (outputs untouched) for a null polygon, no rectangle, or
// when four distinct corners are not found among the polygon's own vertices.
GEO_API bool GetFourEdgeOfGon(CPolygon* polygon, int& c0, int& c1, int& c2, int& c3,
                              bool& elongated);

// The polygon's vertex ring cut at the four corners of GetFourEdgeOfGon into four chains, each
// from one corner to the next inclusive, in ring order starting at the lowest corner index
// (side3 wraps round past the last vertex). rect receives the least-area rectangle. False
// when GetFourEdgeOfGon is false; the sides are written only on success.
GEO_API bool GetFourEdge(CPolygon* polygon, std::vector<CPoint3d>& side0,
                         std::vector<CPoint3d>& side1, std::vector<CPoint3d>& side2,
                         std::vector<CPoint3d>& side3, bool& elongated,
                         std::vector<CPoint3d>& rect);
