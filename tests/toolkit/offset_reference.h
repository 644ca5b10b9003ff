// The trimmed polyline offsets written out through the curve objects, as the reference for the
// library's direct reading of the offset engine's results.
#pragma once

#include <geo/acge/acarray.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/gecomp3d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gepoly2d.h>
#include <geo/acge/gepoly3d.h>
#include <geo/acge/getol.h>
#include <geo/conversions.h>
#include <geo/point3d.h>

#include <vector>

#include "platform/acge/tol_of.h"

namespace reference {

using acge_detail::pointAndVectorTol;

// PlineOffset: the polyline built, offset by the curve layer, each curve read back as points
// (segments and composites; other curves give an empty list).
inline int PlineOffset(const std::vector<CPoint3d>& pts, std::vector<std::vector<CPoint3d>>& out,
                       double distance, double tol) {
    if (distance >= -1e-6 && distance <= 1e-6) {
        distance = 0.00001;
    }
    AcArray<AcGePoint2d> acPts;
    Pnt3dToAcPnt2d_Ary(pts, acPts);
    AcArray<AcGeCurve2d*> curves;
    AcGePolyline2d(acPts).getTrimmedOffset(distance, curves, AcGe::kExtend, pointAndVectorTol(tol));
    out.assign(curves.length(), {});
    for (int i = 0; i < curves.length(); ++i) {
        if (curves[i]->type() == AcGe::kLineSeg2d) {
            AcGeLineSeg2dToPts(static_cast<const AcGeLineSeg2d*>(curves[i]), out[i]);
        } else if (curves[i]->type() == AcGe::kCompositeCrv2d) {
            AcGeCompositeCurve2dToPts(static_cast<const AcGeCompositeCurve2d*>(curves[i]), out[i]);
        }
        delete curves[i];
    }
    return curves.length();
}

// One run of PlineOffset3D's plane offset, before any retry.
inline std::vector<std::vector<CPoint3d>> planeOffsetOnce(const std::vector<CPoint3d>& pts,
                                                          double distance, const CVector3d& normal,
                                                          double tol) {
    AcArray<AcGePoint3d> acPts;
    Pnt3dToAcPnt3d_Ary(pts, acPts);
    AcArray<AcGeCurve3d*> curves;
    AcGePolyline3d(acPts).getTrimmedOffset(distance, normal.toAcGeVector3d(), curves, AcGe::kExtend,
                                           pointAndVectorTol(tol));
    std::vector<std::vector<CPoint3d>> out(curves.length());
    for (int i = 0; i < curves.length(); ++i) {
        if (curves[i]->type() == AcGe::kLineSeg3d) {
            AcGeLineSeg3dToPts(static_cast<const AcGeLineSeg3d*>(curves[i]), out[i]);
        } else if (curves[i]->type() == AcGe::kCompositeCrv3d) {
            AcGeCompositeCurve3dTo3dPts(static_cast<const AcGeCompositeCurve3d*>(curves[i]),
                                        out[i]);
        }
        delete curves[i];
    }
    return out;
}

}  // namespace reference
