// Point-list measures and predicates: distances, lengths, areas, boxes, angles, side of a line.
// A list of n points is an open polyline of n - 1 segments unless a function says otherwise;
// distances are 3D unless a function says it works in plan.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/mfc/cstring.h>
#include <geo/point3d.h>

#include <vector>

// ---- Distances and nearest points ----

// The 3D distance between a and b.
GEO_API double GetDistance(CPoint3d const& a, CPoint3d const& b);

// Distance from pt to the polyline, measured by the AcGe polyline; closest receives the foot.
// An empty list gives 0 and leaves closest alone; a single point gives the distance to it.
GEO_API double GetDistPt2PL(CPoint3d const& pt, std::vector<CPoint3d> const& pts);
GEO_API double GetDistPt2PL(CPoint3d const& pt, std::vector<CPoint3d> const& pts,
                            CPoint3d& closest);

// Distance from pt to its nearest segment and the foot on it; the earliest of equal segments
// wins. Fewer than 2 points give 0 and leave closest alone.
GEO_API double GetDistPt2Poly(CPoint3d const& pt, std::vector<CPoint3d> const& pts,
                              CPoint3d& closest);

// Least distance between two polylines and the points realising it. The search starts from
// a[0]-b[0] and stops at the first pair nearer than 1e-6; either list empty gives 0 and
// leaves onA, onB alone. A one-point list takes part only through that starting pair.
GEO_API double GetMinDistWith2Pl(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b,
                                 CPoint3d& onA, CPoint3d& onB);

// GetMinDistWith2Pl over every pair of non-empty lists of as and bs; a later pair wins only
// when strictly nearer. No such pair gives 0 and leaves onA, onB alone.
GEO_API double GetMinDistWith2PtArrs(std::vector<std::vector<CPoint3d>> const& as,
                                     std::vector<std::vector<CPoint3d>> const& bs, CPoint3d& onA,
                                     CPoint3d& onB);

// Foot of pt on its nearest segment, whose index goes to index (earliest wins exact ties).
// Fewer than 2 points return pt itself with index -1.
GEO_API CPoint3d getMinDisInPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt, int& index);

// The nearest vertex; a later vertex wins only when nearer by more than 1e-6. An empty list
// returns pt.
GEO_API CPoint3d GetClosestPtFromPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt);

// Index of the nearest segment, closest set to the foot on it, with pt first moved to the
// height of pts[0]; a later segment wins only when nearer by more than 1e-6. Fewer than 2
// points return 0 and leave closest alone.
GEO_API int PtCloseToPolyline(CPoint3d pt, std::vector<CPoint3d> const& pts, CPoint3d& closest);

// The search of PtCloseToPolyline; true when its foot is a true perpendicular foot (within
// 0.001 per axis of the foot on the segment's infinite line), not a clamped segment end.
// Fewer than 2 points give false and leave closest alone.
GEO_API bool PtCloseOnPolyline(CPoint3d pt, std::vector<CPoint3d> const& pts, CPoint3d& closest);

// ---- Lengths and positions along a polyline ----

// Sum of the 3D segment lengths; 0 for fewer than 2 points.
GEO_API double GetTotalLength(std::vector<CPoint3d> const& pts);
GEO_API double GetTotalLength(std::vector<AcGePoint3d> const& pts);

// The point at arc length len from the start, on the first segment whose running length
// reaches len within tol (its index goes to index when not null). Lengths are 3D but the
// point is placed by Polar and GetAngle from the segment's start: meant for level lists.
// False for an empty list, a NaN or negative len, or len beyond the total by more than tol;
// a single point answers only a len within tol of 0.
GEO_API bool GetPtAtLength(std::vector<CPoint3d> const& pts, double len, CPoint3d& out, int* index,
                           double tol);

// Arc length from the start to pt on the first segment that holds it within tol. len is
// always set, to 0 when no segment holds pt (false) or for fewer than 2 points.
GEO_API bool GetLengthAtPt(std::vector<CPoint3d> const& pts, CPoint3d const& pt, double& len,
                           double tol);

// The first crossing of the segments, in order, with the horizontal circle of radius dist
// about pts[0] at its height. False, out untouched, for fewer than 2 points, a dist not positive
// and finite, or no crossing. pts is not changed.
GEO_API bool getPtOnPolBaseDis(std::vector<CPoint3d>& pts, CPoint3d& out, double dist);

// The point at half the 3D length; pts[0] for a list of no length, (0, 0, 0) for an empty one.
// pts is not changed.
GEO_API CPoint3d GetPlMid(std::vector<CPoint3d>& pts);

// ---- Area and orientation ----

// Unsigned plan area, the closing edge implicit (a repeated first point adds nothing); 0 for
// fewer than 3 points or when every inner point lies on the chord from first to last point
// (1e-6; AcGeContext::gTol in the AcGe twin).
GEO_API double CalPolyArea(std::vector<CPoint3d> const& pts);
GEO_API double CalPolyArea(std::vector<AcGePoint3d> const& pts);

// True when the signed plan area is not positive: clockwise, and also zero area. A closing
// repeat (1e-6 per axis; gTol in the AcGe twin) is left out; fewer than 3 corners give false.
// On a closed list the AcGe twin replaces the closing point by an exact copy of the first.
GEO_API bool PolyIsClockWise(std::vector<CPoint3d> const& pts);
GEO_API bool PolyIsClockWise(std::vector<AcGePoint3d>& pts);

// PolyIsClockWise as seen from normal in the plane through pts[0]. False for a zero or
// non-finite normal and for fewer than 3 points; the CPoint3d form also gives false for
// points off one plane by more than 1e-6 (the AcGe form does not test that).
GEO_API bool isPtsClockWise3D(std::vector<CPoint3d> const& pts, CVector3d normal);
GEO_API bool isPtsClockWise3D(std::vector<AcGePoint3d> const& pts, AcGeVector3d normal);

// ---- Boxes ----

// Plan box of the points: both corners keep the z of pts[0]. False for an empty list.
GEO_API bool CalBox(std::vector<CPoint3d> const& pts, CPoint3d& min, CPoint3d& max);

// Box in the outline's own plane (normal with z not negative, pts[0] at the origin, z of
// the corners 0), not in world coordinates. False, corners untouched, for fewer than 3
// points or collinear points.
GEO_API bool CalBox(std::vector<AcGePoint3d> const& pts, AcGePoint3d& min, AcGePoint3d& max);

// Axis-aligned 3D box; an empty list leaves min and max unchanged.
GEO_API void CalBox3D(std::vector<AcGePoint3d> const& pts, AcGePoint3d& min, AcGePoint3d& max);
GEO_API void CalBox3D(std::vector<CPoint3d> pts, CPoint3d& min, CPoint3d& max);

// Whether pt lies strictly inside the plan box (a point on its edge is outside); z ignored.
GEO_API bool ptInBox(CPoint3d const& pt, CPoint3d min, CPoint3d const& max);

// Whether every point passes ptInBox; true for an empty list.
GEO_API bool ptArrInBox(std::vector<CPoint3d> const& pts, CPoint3d min, CPoint3d const& max);

// The eight corners: the bottom face counter-clockwise from min, then the top face in the
// same order (max is the seventh).
GEO_API std::vector<CPoint3d> GetBoxVertexs(CPoint3d min, CPoint3d max);

// ---- Angles and directions ----

// Direction angle of to - from against +X in [0, 2pi); 0 for points less than 1e-8 apart.
// z takes part in the angle: give points at one height.
GEO_API double GetAngle(CPoint3d const& from, CPoint3d const& to);

// The angle at vertex between its arms to a and c, in [0, pi]; 0 when an arm is shorter
// than 1e-6.
GEO_API double PtAngel(CPoint3d const& a, CPoint3d const& vertex, CPoint3d const& c);

// The angle at vertex on AcGe points, in [0, pi]; 0 when an arm has no length.
GEO_API double get_angle(AcGePoint3d const& a, AcGePoint3d const& vertex, AcGePoint3d const& c);

// The point dist away from base in the plan direction angle; z stays that of base.
GEO_API CPoint3d Polar(CPoint3d const& base, double angle, double dist);

// Unit vector from from to to; the zero vector for coincident points.
GEO_API CVector3d LineDir(CPoint3d const& from, CPoint3d const& to);

// to - from turned a quarter turn left about Z, then made unit (its z is kept, so only level
// points give a plan normal).
GEO_API CVector3d LineVDir(CPoint3d const& from, CPoint3d const& to);

// Coordinate-wise mean of the two points.
GEO_API CPoint3d GetMidPoint(CPoint3d const& a, CPoint3d const& b);
GEO_API AcGePoint3d getMidPoint(AcGePoint3d const& a, AcGePoint3d const& b);

// (b - a) x (c - b), not made unit: zero for collinear points.
GEO_API AcGeVector3d getNormal(AcGePoint3d const& a, AcGePoint3d const& b, AcGePoint3d const& c);

// ---- Predicates ----

// At least 3 points and the last equals the first within tol: per axis, strictly, for
// CPoint3d; by distance, tol included, for the AcGe twins.
GEO_API bool IsClosed(std::vector<CPoint3d> const& pts, double tol);
GEO_API bool IsClosed(std::vector<AcGePoint3d> const& pts, double tol);
GEO_API bool IsClosed(std::vector<AcGePoint2d> const& pts, double tol);

// Every coordinate difference strictly below 0.001 (below tol for the AcGe twin).
GEO_API bool isEqual(CPoint3d const& a, CPoint3d const& b);
GEO_API bool isEqual(AcGePoint3d const& a, AcGePoint3d const& b, double tol);

// Consecutive heights equal within tol (tol included); false for an empty list.
GEO_API bool isallZequal(std::vector<CPoint3d> const& pts, double tol);

// Every height within 1e-6 of *z, or of pts[0].z when z is null; false for an empty list.
GEO_API bool PtsIsLevel(std::vector<CPoint3d> const& pts, double* z);

// Every point within tol of the plane through pts[0] of the first turning triple; true for
// fewer than 3 points and for collinear points.
GEO_API bool isInPlane(std::vector<CPoint3d> const& pts, double tol);

// False when a coordinate is not finite or larger than 1e30 in size.
GEO_API bool AgPtIsValid(AcGePoint3d p);

// ---- Side of a directed line ----

// 1 when pt lies left of start->end seen from +Z, -1 right, 0 on the line. tol bounds the
// plan cross product (distance times the segment's length), not a distance.
GEO_API int PntPos(AcGePoint3d pt, AcGePoint3d start, AcGePoint3d end, double tol);
GEO_API int PntPos(CPoint3d pt, CPoint3d start, CPoint3d end, double tol);

// PntPos against the nearest segment (earliest wins ties; points farther than 1e6 from
// every segment use segment 0); -2 for fewer than 2 points.
GEO_API int PntPos(std::vector<CPoint3d> const& pts, CPoint3d const& pt, double tol);

// ---- Parsing and bulk edits ----

// Reads "x;y;z" (first and last semicolon split the fields; a non-number field reads 0):
// 1 and out set, or 0 and out untouched without two semicolons.
GEO_API int Str2Point3d(CString text, CPoint3d& out);

// Sets the z of every point (of every inner list for the nested forms).
GEO_API void SetZ(std::vector<CPoint3d>& pts, double z);
GEO_API void SetZ(std::vector<AcGePoint3d>& pts, double z);
GEO_API void SetZ(std::vector<std::vector<CPoint3d>>& lists, double z);
GEO_API void SetZ(std::vector<std::vector<AcGePoint3d>>& lists, double z);

// Sorts pts in place by ascending 3D distance from ref; equal distances may change order.
GEO_API void SortPtsByDistance(CPoint3d const& ref, std::vector<CPoint3d>& pts);

// The first point of least z, also written to out (NaN heights never win); an empty list
// returns out unchanged. pts is not changed.
GEO_API CPoint3d getLowestPt(std::vector<CPoint3d>& pts, CPoint3d& out);
