// Splitting and trimming of polylines: cuts at a line, a segment or a point, the stretch
// between two points, trimming to one side of a line, and cutting a polygon by a segment.
#pragma once

#include <geo/export.h>
#include <geo/lines.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <vector>

// Cuts the polyline at its first crossing with the line: first runs from the start to the
// crossing, second from the crossing to the end. Both outputs are cleared; true when both
// hold at least 2 points. Later crossings are ignored.
GEO_API bool SplitPLineWithLine(const std::vector<CPoint3d>& pts, const CLine& cutter,
                                std::vector<CPoint3d>& first, std::vector<CPoint3d>& second);

// SplitPLineWithLine with a segment as the cutter.
GEO_API bool SplitPlineWithLineSeg(const std::vector<CPoint3d>& pts, const CLineSeg& cutter,
                                   std::vector<CPoint3d>& first, std::vector<CPoint3d>& second);

// Cuts the polyline at pt. Both outputs are cleared; false when pt is an end vertex or lies on
// no segment (first then holds the whole list when pt was not an end).
GEO_API bool ptSpiltPolyline(CPoint3d pt, const std::vector<CPoint3d>& pts,
                             std::vector<CPoint3d>& first, std::vector<CPoint3d>& second,
                             double tol);

// The stretch between p1 and p2 in the polyline's own order (whichever comes first leads).
// out is cleared; true when it holds at least 2 points.
GEO_API bool GetSubPLineBy2Pt(const std::vector<CPoint3d>& pts, const CPoint3d& p1,
                              const CPoint3d& p2, std::vector<CPoint3d>& out, double tol);

// Cuts a closed ring (last vertex repeating the first) at p1 and p2 into its two arcs and
// sorts them by length; equal lengths put the arc from p2 back to p1 in `longer`. Both outputs
// are cleared; false for an open or short ring, equal points, or a point off the ring.
GEO_API bool SplitClosedPlineBy2pt(const std::vector<CPoint3d>& pts, const CPoint3d& p1,
                                   const CPoint3d& p2, std::vector<CPoint3d>& shorter,
                                   std::vector<CPoint3d>& longer, double tol);

// Replaces pls by the runs of their vertices (crossings inserted) that lie left of the line or
// on it; a vertex right of the line ends a run, runs of fewer than 2 points are dropped.
GEO_API void TrimPLWithLine(CLine line, std::vector<CPolyline>& pls);

// Cuts the polygon along every stretch of the cutter inside it. With fewer than 2 crossings
// the result is 0 and pieces is untouched; otherwise pieces is replaced by the pieces
// (normalised) and the result is 1 when there is more than one.
GEO_API int LineSegSplitPolyGon(CLineSeg* cutter, CPolygon* polygon, std::vector<CPolygon>& pieces);

// Cuts the polygon into the pieces between consecutive crossings with the cutter. A cutter
// with more than two distinct crossings gives what LineSegSplitPolyGon gives, so no part of
// the polygon is lost. With fewer than 2 crossings pieces is untouched; otherwise it is
// replaced. 1 when it then holds more than one polygon.
GEO_API int LineSegSplitPolyGonTo2Part(CLineSeg* cutter, CPolygon* polygon,
                                       std::vector<CPolygon>& pieces);
