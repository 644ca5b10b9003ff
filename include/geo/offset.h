// Polyline offsets: the trimmed offset of the curve layer, the library's own mitred vertex
// offset, and the bands and plane forms built on it.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/point3d.h>

#include <vector>

// Trimmed offset of the polyline through pts in the XY plane, corners joined by extension.
// A distance within 1e-6 of 0 becomes 0.00001. out is resized to the number of result
// polylines (closed ones repeat their first point; z is 0) and that number is returned.
GEO_API int PlineOffset(const std::vector<CPoint3d>& pts, std::vector<std::vector<CPoint3d>>& out,
                        double distance, double tol);

// Trimmed offset in the plane of `normal`; positive distance goes towards normal x tangent.
// out is emptied first. A single result with fewer than half the input's points is retried
// once on the outline started two vertices earlier; no result at all is retried on the
// cleaned outline, then once more on it rotated by one vertex with tol x 10. Returns the
// number of result polylines, 0 when the retries are used up. Safe to call from several
// threads at once: the retry state belongs to the call.
GEO_API int PlineOffset3D(const std::vector<CPoint3d>& pts, std::vector<std::vector<CPoint3d>>& out,
                          double distance, const CVector3d& normal, double tol);
GEO_API int PlineOffset3D(const std::vector<AcGePoint3d>& pts,
                          std::vector<std::vector<AcGePoint3d>>& out, double distance,
                          const AcGeVector3d& normal, double tol);

// Mitred vertex offset in XY: each vertex moves along its corner bisector by
// distance / sin(half corner); positive distance is left of travel. Vertices nearer than
// 0.001 per axis or than minEdge to their successor, or at no finite distance from it, are
// dropped first; a dropped last vertex makes the list closed. Straight and degenerate corners give
// no point. A closed result repeats its first point. Points (z 0) are appended to out, which is not
// emptied. A path that turns straight back gives a non-finite point (see PtsOffsetIsRight).
GEO_API void OffsetPline(const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out,
                         double distance, double minEdge);

// 0 when OffsetPline keeps one finite point per input point, 2 when it produces a
// non-finite point, 1 otherwise (and for fewer than 2 points).
GEO_API int PtsOffsetIsRight(const std::vector<CPoint3d>& pts, double distance, double minEdge);

// OffsetPline in the plane of the outline (seen from `normal`); two points are offset in XY.
// out is emptied first; false for fewer than 2 points, a non-planar or straight outline, or
// an empty or non-finite offset.
GEO_API bool OffsetPline3D(const std::vector<CPoint3d>& pts, CVector3d normal, double distance,
                           std::vector<CPoint3d>& out, double minEdge);

// Closed outline of a band of the given width centred on the polyline: the left offset,
// then the right one backwards, then the first point again. out is replaced; it is empty
// when the band has no point or a non-finite one.
GEO_API void PlineOffsetToRect(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double width);

// The band between an outline and its OffsetPline3D offset as one closed outline: the
// outline, then the offset backwards, both opened by a slit of slitLen at their first
// vertex. out is written only on success.
GEO_API bool OffsetSimpleRegin(std::vector<CPoint3d> pts, CVector3d normal, double distance,
                               std::vector<CPoint3d>& out, double slitLen, double minEdge);
