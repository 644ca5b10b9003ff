#pragma once
// Trimmed offsets of polylines as vertex lists (internal to the library).

#include <geo/acge/acarray.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>

#include <vector>

namespace acge_detail {

// The curves AcGePolyline2d(pts).getTrimmedOffset(distance, ..., tol) gives, each as the vertex
// list of its segment or composite form: a segment its two ends, a composite each piece's
// start and then the last piece's end, any other curve (a lone arc) no vertex. The same points,
// to the bit, as reading the built curves, without building them where only straight pieces
// come back.
std::vector<std::vector<AcGePoint2d>> polylineOffsetVertices(const AcArray<AcGePoint2d>& pts,
                                                             double distance, double tol);

// The same for AcGePolyline3d(pts).getTrimmedOffset(distance, normal, ..., tol).
std::vector<std::vector<AcGePoint3d>> polylineOffsetVertices(const AcArray<AcGePoint3d>& pts,
                                                             const AcGeVector3d& normal,
                                                             double distance, double tol);

}  // namespace acge_detail
