// Containment, side, crossing and ray tests of points, segments and outlines.
// A list of n points is an open polyline of n - 1 segments unless a function says it closes
// the outline itself. Segment crossings are found in plan, z carried along the first segment.
#pragma once

#include <geo/acge/geline3d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/lines.h>
#include <geo/point3d.h>

#include <vector>

// ---- Point in outline ----

// Even-odd test in plan, the closing edge implicit; a point on the boundary (at a vertex
// within tol per axis, or on an edge within tol) returns onEdge. Boundary tests are 3D, so
// pass pt at the outline's height. Fewer than 3 points give false whatever onEdge says.
GEO_API bool PtInArea(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol, bool onEdge);

// PtInArea in the plane through pts[0] with the given normal, point and outline laid flat in
// it. False for fewer than 3 points or a zero or non-finite normal. pts is not changed.
GEO_API bool PtIn3DArea(CPoint3d const& pt, std::vector<CPoint3d>& pts, CVector3d const& normal,
                        double tol, bool onEdge);

// Whether the angles that the three corners tri[0..2] subtend at pt add up to 2pi within 0.1
// (bounds included): inside or on the triangle, in 3D. False for a null tri.
GEO_API bool IsPointInTriangle(CVector3d pt, CVector3d* tri);

// ---- Outline in outline ----

// Whether every vertex of inner lies inside outer by the kernel test Orvel::isIn, a vertex
// on the boundary (1e-6 in plan) counting as inside; tol is not used. True for an empty inner.
GEO_API bool polygonInPolygon(std::vector<CPoint3d> const& inner,
                              std::vector<CPoint3d> const& outer, double tol);

// Whether at least one vertex of a lies strictly inside b (PtInArea with 0.001, boundary not
// counted). Neither list is changed.
GEO_API bool PolyInPolygon(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b);

// Whether some segment of a meets some segment of b (0.001): an overlap of boundaries, not
// an inclusion test. Neither list is changed.
GEO_API bool PolInPol(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b);

// Whether the planes of the first three points of a and of b are parallel (parallelOnly not
// 0) or the same plane (parallelOnly 0, within 1e-6 rad). False for fewer than 3 points in
// either list; collinear first points give a zero normal, parallel to another zero normal.
GEO_API bool FirstplanCoplanaritySecondplan(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b,
                                            int parallelOnly);

// ---- Point or segment on an outline ----

// Whether some segment holds pt within tol, in 3D; false for fewer than 2 points. The AcGe
// twin measures the distance to each segment against tol.
GEO_API bool PtOnPolyline(CPoint3d const& pt, std::vector<CPoint3d> const& pts, double tol);
GEO_API bool PtOnPolyline(AcGePoint3d const& pt, std::vector<AcGePoint3d> const& pts, double tol);

// Whether one segment holds both a and b (0.1), the ends first moved to the height of
// pts[0]; false for an empty list. pts is not changed.
GEO_API bool LineOnPolyline(CPoint3d a, CPoint3d b, std::vector<CPoint3d>& pts);

// Index of the first edge holding pt (0.01), the closing edge n-1 -> 0 added here even when
// the list is closed already; -1 when none does.
GEO_API int CalPtPosAtPL(CPoint3d pt, std::vector<CPoint3d> const& pts);

// Index of the first open segment holding pt within tol (no closing edge); -1 when none does.
GEO_API int CalPtPosAtPLine(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol);

// Index of the nearest open segment (3D foot distance); a later segment wins only when
// nearer by more than 1e-6. 0 when there is none or every segment is 1e10 away or more.
GEO_API int GetSideFromPts(CPoint3d const& pt, std::vector<CPoint3d> const& pts);

// GetSideFromPts over the level segments only (both ends of exactly equal z); 0 when none.
GEO_API int GetSideFromPts_XY_Plain(CPoint3d const& pt, std::vector<CPoint3d> const& pts);

// Whether the list passes twice through one point (within tol per axis): the first pair
// i < j - 1, the closing repeat (0, n-1) excepted, goes to *first and *second when not null.
GEO_API bool ExistHoleInPts(std::vector<CPoint3d> const& pts, int* first, int* second, double tol);

// ---- Crossings ----

// Whether segments ab and cd meet (1e-6): at is their crossing, or c or d when it lies on ab.
// at is untouched on false.
GEO_API bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, CPoint3d const& c,
                             CPoint3d const& d, CPoint3d& at);

// Whether ab meets an edge of the outline, closing edge implicit, at a point that is
// neither a nor b (1e-6); false for an empty list. pts is not changed.
GEO_API bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, std::vector<CPoint3d>& pts);

// hits is cleared, then receives the crossing of the infinite line with each open segment
// in order (0.01; a vertex may come twice). True when hits is not empty.
GEO_API bool IsIntersectWith(CLine& line, std::vector<CPoint3d> const& pts,
                             std::vector<CPoint3d>& hits);

// Whether segments ab and cd meet at a point equal (within tol per axis) to none of a, b, c, d.
GEO_API bool lineSegInter(CPoint3d a, CPoint3d b, CPoint3d c, CPoint3d d, double tol);

// Whether two outlines cross (lineSegInter with 0.001 over every edge pair; touching at
// edge ends does not count). Each copy is closed first when its ends differ (tol per axis),
// tol's only use; fewer than 3 points in either give false.
GEO_API bool PolylineInter(std::vector<CPoint3d> a, std::vector<CPoint3d> b, double tol);

// ---- Rays and lines against outlines, triangles and cubes ----

// Where the line through pt along dir meets the open segments (3D, tol): the hit nearest a
// point 1e5 ahead of pt for a clockwise outline, 1e5 behind otherwise; edge and hit are set
// then. False when |dir| < 1e-6 or nothing is hit.
GEO_API bool GetPtSideFromPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt,
                              CVector3d const& dir, int& edge, CPoint3d& hit, double tol);

// Moves pt, lying on segment edge, along the outline by dist (backwards when negative,
// wrapping round a list that is expected closed); pt and edge are updated on success. False
// for a length below 1e-6, a non-finite dist or an edge out of range.
GEO_API bool GetPtSideFromPts(std::vector<CPoint3d> const& pts, int& edge, CPoint3d& pt,
                              double dist);

// Nearest hit (within 1e10) of the ray from pt along dir on the open segments of the
// contours, in 3D with tol. contour is set to 0 first; hit and contour are set on success.
// False for a zero dir or no hit.
GEO_API bool PtRayToContour(AcGePoint3d const& pt, AcGeVector3d const& dir,
                            std::vector<std::vector<AcGePoint3d>> const& contours, AcGePoint3d& hit,
                            unsigned int& contour, double tol);

// Two-sided ray-triangle test: t along dir (negative behind orig: not rejected) and the
// barycentric u, v of the hit. False when the determinant is below 1e-4 (parallel, or a
// small triangle); u and v may be written even then.
GEO_API bool IntersectTriangle(CVector3d orig, CVector3d dir, CPoint3d p0, CPoint3d p1, CPoint3d p2,
                               double& t, double& u, double& v);

// Whether the ray meets the axis-aligned cube center +- size/2; t receives the least hit
// parameter (possibly behind orig), and is untouched on false.
GEO_API bool IntersectCube(CPoint3d center, double size, CVector3d orig, CVector3d dir, double& t);

// Crossings of line with the outline, closing edge implicit (3D, 1e-4), each vertex once;
// out is cleared and the count returned. Fewer than 3 points return 0 and leave out alone.
GEO_API int PolygonIntersectWithLine(const std::vector<CPoint3d>& pts, const AcGeLine3d& line,
                                     std::vector<CPoint3d>& out);
