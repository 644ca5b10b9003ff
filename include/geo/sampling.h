// Sampling: points along polylines, lattices inside outlines, arc and circle points, the
// rectangle around a segment, wavy arc chains and the triangles of an outline with holes.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/point3d.h>

#include <vector>

// No sampling function makes more points than this in one call: a step so small against the
// extent that more would be needed makes the call produce nothing, as a step that is zero,
// negative or not finite does.
constexpr long kMaxSamplePoints = 1L << 22;

// Points at 0, step, 2 step, ... along the polyline in plan (z 0), appended to out. The count
// is the integer part of length / step + 0.7, so the end is only reached when the last
// remainder exceeds 0.3 step. Nothing for fewer than 2 points.
GEO_API void MeasurePolyline(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step);

// out is cleared, then holds every vertex plus a point every `step` of length measured from
// the start across the vertices, and the last vertex at the end. Empty for fewer than 2 points.
GEO_API void MeasurePolylineEx(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step);

// MeasurePolyline over an entity's vertices: a CPolygon (closed), a CLineSeg (its two ends) or
// a CPolyline (closed when it is); other types give nothing. out is cleared; true when it is
// not empty afterwards (false for a null pointer).
GEO_API bool MeasureGeometry(CGeometry* geo, double step, std::vector<CPoint3d>& out);

// The lattice of world multiples of step over the outline's box (first column and row the first
// multiples beyond the box's minimum; it may reach two steps past the maximum), row by row at
// the box's lowest z, appended to out; then every point of out, earlier ones included, that
// is not strictly inside the outline (PtInArea with 1e-6) is removed. Nothing for fewer than 3
// points.
GEO_API void MesurePolygon(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step);
// The same, counting lattice points strictly inside the box: alongY is set to 0, then both
// count up from there: alongX by those in the first such point's column (the caller sets
// alongX), alongY by those in its row.
GEO_API void MesurePolygon(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step,
                           int& alongX, int& alongY);

// The whole lattice over the outline's box, unfiltered, appended to out; rows and cols are
// its size (both 0 when nothing is made, as for fewer than 3 points).
GEO_API void MesurePolygonWGF(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step,
                              int& rows, int& cols);

// Points of the arc from p1 to p2 with the central angle in degrees (positive: bulging to the
// right of p1 -> p2), one every pi/144 of sweep and at least 6, z 0, appended to out. The middle
// one of the appended points is then moved to factor times the arc's height above the chord.
// Nothing for a chord shorter than 1e-6 or an angle giving no finite arc.
GEO_API void GetChildArcPoints(CPoint3d p1, CPoint3d p2, double angle, double factor,
                               std::vector<CPoint3d>& out);
// The same arc sampled every pi/18 (at least 6 points), without moving the middle point.
GEO_API void GetChildArcPoints(CPoint3d p1, CPoint3d p2, double angle, std::vector<CPoint3d>& out);

// The circle as a ring: the point at angle 0, then one every stepDeg degrees up to 360
// inclusive, so a step dividing 360 repeats the first point last. Empty unless stepDeg
// exceeds 0.0001 and is finite.
GEO_API std::vector<CPoint3d> Circle(CPoint3d const& center, double radius, double stepDeg);

// Centre of the arc from p1 to p2 whose bulge is the ratio of sagitta to half chord (positive:
// centre to the left of p1 -> p2 for a minor arc). False for a chord or bulge below 1e-6, or
// non-finite input; center is written only on success.
GEO_API bool GetCenterFromBulge(CPoint3d const& p1, CPoint3d const& p2, double const& bulge,
                                CPoint3d& center);

// Appends the closed ring of 5 points of the rectangle of the given width centred on a -> b:
// a + n w/2, b + n w/2, b - n w/2, a - n w/2, a + n w/2, n the left normal.
GEO_API void LineToRectPts(CPoint3d a, CPoint3d b, double width, std::vector<CPoint3d>& out);

// Appends a chain of small arcs from a to b, each of chord len/2 (mode non-zero) or len/4
// (mode 0), the last one shorter, each with a random sweep of 60 to 179 degrees on a random
// side. The sweeps are drawn from std::rand: seed it with std::srand for a repeatable chain.
// Nothing for a non-positive or non-finite len, non-finite ends, or too many arcs.
GEO_API void LineToArcPts(CPoint3d a, CPoint3d b, double len, std::vector<CPoint3d>& out, int mode);
// Appends a wave of arc pairs from a to b: each piece of chord len is an arc of `angle`
// degrees to its midpoint and one bulging the other way from there; the side of each pair's
// first arc is drawn from std::rand. Nothing as for LineToArcPts, or for a zero angle.
GEO_API void LineToArcArcpts(CPoint3d a, CPoint3d b, double len, double angle,
                             std::vector<CPoint3d>& out);

// Lattice points for a window outline: the outline is made counter-clockwise (reversed when
// clockwise); its first edge is the sill, sampled every colStep by MeasurePolyline; from each
// sample, points every rowStep towards the inside (along the sill's left normal) are kept
// while strictly inside the outline. out is cleared; true when it is not empty.
GEO_API bool getWindowLatticePtArr(std::vector<CPoint3d>& pts, double colStep, double rowStep,
                                   std::vector<CPoint3d>& out);

// Triangles of the outer contour less the holes (read even-odd in plan), each appended to
// triangles as three points at height z, from the triangle strips of the clipping library.
// Contours of fewer than 3 points are left out; nothing when a coordinate is not finite.
GEO_API void divTringle(std::vector<AcGePoint3d>& outer,
                        std::vector<std::vector<AcGePoint3d>>& holes, double z,
                        std::vector<std::vector<AcGePoint3d>>& triangles);
// The same with several outer contours.
GEO_API void divTringle(std::vector<std::vector<AcGePoint3d>>& outers,
                        std::vector<std::vector<AcGePoint3d>>& holes, double z,
                        std::vector<std::vector<AcGePoint3d>>& triangles);
