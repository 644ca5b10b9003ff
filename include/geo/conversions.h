// Copies between the library's points and AcGe's, curve vertex lists, and small curve measures.
#pragma once

#include <geo/acge/acarray.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/gecomp3d.h>
#include <geo/acge/gecurv2d.h>
#include <geo/acge/gecurv3d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/point3d.h>

#include <vector>

// Single points. Going to 2D drops z; going to 3D writes the z given, or 0.
GEO_API AcGePoint2d Pnt3dToAcPnt2d(const CPoint3d& p);
GEO_API AcGePoint2d AcPt3dToAcPt2d(const AcGePoint3d& p);
GEO_API AcGePoint3d AcPt2dToAcPt3d(const AcGePoint2d& p, double z);
GEO_API AcGePoint3d Pnt3dToAcPnt3d(const CPoint3d& p);
GEO_API CPoint3d AcPnt2dToPnt3d(const AcGePoint2d& p);
GEO_API CPoint3d AcPnt3dToPnt3d(const AcGePoint3d& p);

// Lists: the output is resized to the input's length and overwritten in order.
GEO_API void Pnt3dToAcPnt2d_Ary(const std::vector<CPoint3d>& pts, AcArray<AcGePoint2d>& out);
GEO_API void Pnt3dToAcPnt3d_Ary(const std::vector<CPoint3d>& pts, AcArray<AcGePoint3d>& out);
GEO_API void AcPnt2dToPnt3d_Ary(const AcArray<AcGePoint2d>& pts, std::vector<CPoint3d>& out);
GEO_API void AcPnt3dToPnt3d_Ary(const AcArray<AcGePoint3d>& pts, std::vector<CPoint3d>& out);
// AcGe points to CPoint3d.
GEO_API void vecgePts2AcVecPts(const std::vector<AcGePoint3d>& pts, std::vector<CPoint3d>& out);
// CPoint3d to AcGe points.
GEO_API void acVecPts2VecgePts(const std::vector<CPoint3d>& pts, std::vector<AcGePoint3d>& out);
GEO_API void pts2dTo3d(const std::vector<AcGePoint2d>& pts, std::vector<CPoint3d>& out, double z);
GEO_API void pts2dTo3d(const std::vector<AcGePoint2d>& pts, std::vector<AcGePoint3d>& out,
                       double z);
GEO_API void pts3dTo2d(const std::vector<AcGePoint3d>& pts, std::vector<AcGePoint2d>& out);
GEO_API void pts3dTo2d(const std::vector<CPoint3d>& pts, std::vector<AcGePoint2d>& out);

// Curves to vertex lists: each piece's start, then the last piece's end; arcs are
// not subdivided. Each returns the number of points in the output after the call;
// a null curve returns 0 and leaves the output alone. The 2D forms and
// AcGeCompositeCurve3dToPts write z 0.
GEO_API int AcGeLineSeg2dToPts(const AcGeLineSeg2d* seg, std::vector<CPoint3d>& out);
GEO_API int AcGeCompositeCurve2dToPts(const AcGeCompositeCurve2d* curve,
                                      std::vector<CPoint3d>& out);
GEO_API int AcGeCompositeCurve3dToPts(const AcGeCompositeCurve3d* curve,
                                      std::vector<CPoint3d>& out);
// Segments and composites only; any other curve leaves the output as it was.
GEO_API int AcGeCurve2dToPts(const AcGeCurve2d* curve, std::vector<CPoint3d>& out);
GEO_API int AcGeLineSeg3dToPts(const AcGeLineSeg3d* seg, std::vector<CPoint3d>& out);
GEO_API int AcGeCompositeCurve3dTo3dPts(const AcGeCompositeCurve3d* curve,
                                        std::vector<CPoint3d>& out);
GEO_API int AcGeCurve3dToPts(const AcGeCurve3d* curve, std::vector<CPoint3d>& out);
GEO_API int AcGeLineSeg3dToPts(const AcGeLineSeg3d* seg, std::vector<AcGePoint3d>& out);
GEO_API int AcGeCompositeCurve3dTo3dPts(const AcGeCompositeCurve3d* curve,
                                        std::vector<AcGePoint3d>& out);
GEO_API int AcGeCurve3dToPts(const AcGeCurve3d* curve, std::vector<AcGePoint3d>& out);

// Distance from p to the curve; nearest gets the curve's closest point. A null
// curve gives 0 and leaves nearest alone.
GEO_API double DistCurve2dToPnt(const AcGeCurve2d* curve, const AcGePoint2d& p,
                                AcGePoint2d& nearest);
// Distance from p to the open polyline through pts (no closing edge), with its
// nearest point; fewer than 2 points give 0 and leave nearest alone.
GEO_API double DistPoylineToPnt(const std::vector<CPoint3d>& pts, const CPoint3d& p,
                                CPoint3d& nearest);
// Unit normal (p2 - p1) x (p3 - p2); the zero vector for collinear points.
GEO_API CVector3d GetNormal(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3);
