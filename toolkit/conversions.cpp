// Copies between CPoint3d and AcGe points, curve vertex lists and small curve measures.
#include <geo/acge/gegbl.h>
#include <geo/acge/getol.h>
#include <geo/conversions.h>

#include "foundation/planes.h"
#include "toolkit/nearest_segment.h"

#include <cfloat>

AcGePoint2d Pnt3dToAcPnt2d(const CPoint3d& p) {
    return AcGePoint2d(p.x, p.y);
}

AcGePoint2d AcPt3dToAcPt2d(const AcGePoint3d& p) {
    return AcGePoint2d(p.x, p.y);
}

AcGePoint3d AcPt2dToAcPt3d(const AcGePoint2d& p, double z) {
    return AcGePoint3d(p.x, p.y, z);
}

AcGePoint3d Pnt3dToAcPnt3d(const CPoint3d& p) {
    return AcGePoint3d(p.x, p.y, p.z);
}

CPoint3d AcPnt2dToPnt3d(const AcGePoint2d& p) {
    return CPoint3d(p.x, p.y, 0.0);
}

CPoint3d AcPnt3dToPnt3d(const AcGePoint3d& p) {
    return CPoint3d(p.x, p.y, p.z);
}

namespace {

// Resizes out to the input's length and overwrites every element with convert(input).
template <class In, class Out, class Convert>
void convertAll(const std::vector<In>& pts, std::vector<Out>& out, Convert convert) {
    out.resize(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        out[i] = convert(pts[i]);
    }
}

AcGePoint3d toAcPoint3d(const CPoint3d& p) {
    return Pnt3dToAcPnt3d(p);
}

CPoint3d toPoint3d(const AcGePoint3d& p) {
    return AcPnt3dToPnt3d(p);
}

}  // namespace

void Pnt3dToAcPnt2d_Ary(const std::vector<CPoint3d>& pts, AcArray<AcGePoint2d>& out) {
    out.setLogicalLength(static_cast<int>(pts.size()));
    for (size_t i = 0; i < pts.size(); ++i) {
        out[static_cast<int>(i)] = Pnt3dToAcPnt2d(pts[i]);
    }
}

void Pnt3dToAcPnt3d_Ary(const std::vector<CPoint3d>& pts, AcArray<AcGePoint3d>& out) {
    out.setLogicalLength(static_cast<int>(pts.size()));
    for (size_t i = 0; i < pts.size(); ++i) {
        out[static_cast<int>(i)] = Pnt3dToAcPnt3d(pts[i]);
    }
}

void AcPnt2dToPnt3d_Ary(const AcArray<AcGePoint2d>& pts, std::vector<CPoint3d>& out) {
    const int n = pts.length();
    out.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        out[static_cast<size_t>(i)] = AcPnt2dToPnt3d(pts[i]);
    }
}

void AcPnt3dToPnt3d_Ary(const AcArray<AcGePoint3d>& pts, std::vector<CPoint3d>& out) {
    const int n = pts.length();
    out.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        out[static_cast<size_t>(i)] = AcPnt3dToPnt3d(pts[i]);
    }
}

void vecgePts2AcVecPts(const std::vector<AcGePoint3d>& pts, std::vector<CPoint3d>& out) {
    convertAll(pts, out, toPoint3d);
}

void acVecPts2VecgePts(const std::vector<CPoint3d>& pts, std::vector<AcGePoint3d>& out) {
    convertAll(pts, out, toAcPoint3d);
}

void pts2dTo3d(const std::vector<AcGePoint2d>& pts, std::vector<CPoint3d>& out, double z) {
    convertAll(pts, out, [z](const AcGePoint2d& p) { return CPoint3d(p.x, p.y, z); });
}

void pts2dTo3d(const std::vector<AcGePoint2d>& pts, std::vector<AcGePoint3d>& out, double z) {
    convertAll(pts, out, [z](const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, z); });
}

void pts3dTo2d(const std::vector<AcGePoint3d>& pts, std::vector<AcGePoint2d>& out) {
    convertAll(pts, out, AcPt3dToAcPt2d);
}

void pts3dTo2d(const std::vector<CPoint3d>& pts, std::vector<AcGePoint2d>& out) {
    convertAll(pts, out, Pnt3dToAcPnt2d);
}

namespace {

// A composite's vertex list: each piece's start (convert(start), or fallback when the
// piece has none), then the last piece's end when it has one.
template <class Composite, class Curve, class AcPoint, class Out, class Convert>
int compositeToPts(const Composite* curve, std::vector<Out>& out, const Out& fallback,
                   Convert convert) {
    if (curve == nullptr) {
        return 0;
    }
    AcGeVoidPointerArray pieces;
    curve->getCurveList(pieces);
    const int n = pieces.length();
    out.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const Curve* piece = static_cast<const Curve*>(pieces[i]);
        AcPoint start;
        const bool has = piece != nullptr && piece->hasStartPoint(start);
        out[static_cast<size_t>(i)] = has ? convert(start) : fallback;
    }
    const Curve* last = n > 0 ? static_cast<const Curve*>(pieces[n - 1]) : nullptr;
    AcPoint end;
    if (last != nullptr && last->hasEndPoint(end)) {
        out.push_back(convert(end));
    }
    return static_cast<int>(out.size());
}

// A segment's two end points, converted; out is replaced.
template <class Seg, class Out, class Convert>
int segmentToPts(const Seg* seg, std::vector<Out>& out, Convert convert) {
    if (seg == nullptr) {
        return 0;
    }
    out.clear();
    out.push_back(convert(seg->startPoint()));
    out.push_back(convert(seg->endPoint()));
    return 2;
}

// Hands segments and composites to their converters; other curves leave out untouched.
template <class Seg, class Composite, class Curve, class Out>
int curveToPts(const Curve* curve, std::vector<Out>& out, AcGe::EntityId segId,
               AcGe::EntityId compositeId, int (*segToPts)(const Seg*, std::vector<Out>&),
               int (*compositeToPts)(const Composite*, std::vector<Out>&)) {
    if (curve == nullptr) {
        return 0;
    }
    if (curve->type() == segId) {
        return segToPts(static_cast<const Seg*>(curve), out);
    }
    if (curve->type() == compositeId) {
        return compositeToPts(static_cast<const Composite*>(curve), out);
    }
    return static_cast<int>(out.size());
}

CPoint3d planPoint2d(const AcGePoint2d& p) {
    return CPoint3d(p.x, p.y, 0.0);
}

CPoint3d planPoint3d(const AcGePoint3d& p) {
    return CPoint3d(p.x, p.y, 0.0);
}

AcGePoint3d samePoint(const AcGePoint3d& p) {
    return p;
}

}  // namespace

int AcGeLineSeg2dToPts(const AcGeLineSeg2d* seg, std::vector<CPoint3d>& out) {
    return segmentToPts(seg, out, planPoint2d);
}

int AcGeCompositeCurve2dToPts(const AcGeCompositeCurve2d* curve, std::vector<CPoint3d>& out) {
    return compositeToPts<AcGeCompositeCurve2d, AcGeCurve2d, AcGePoint2d>(curve, out, CPoint3d(),
                                                                          planPoint2d);
}

int AcGeCompositeCurve3dToPts(const AcGeCompositeCurve3d* curve, std::vector<CPoint3d>& out) {
    return compositeToPts<AcGeCompositeCurve3d, AcGeCurve3d, AcGePoint3d>(curve, out, CPoint3d(),
                                                                          planPoint3d);
}

int AcGeCurve2dToPts(const AcGeCurve2d* curve, std::vector<CPoint3d>& out) {
    return curveToPts<AcGeLineSeg2d, AcGeCompositeCurve2d>(
        curve, out, AcGe::kLineSeg2d, AcGe::kCompositeCrv2d, AcGeLineSeg2dToPts,
        AcGeCompositeCurve2dToPts);
}

int AcGeLineSeg3dToPts(const AcGeLineSeg3d* seg, std::vector<CPoint3d>& out) {
    return segmentToPts(seg, out, AcPnt3dToPnt3d);
}

int AcGeCompositeCurve3dTo3dPts(const AcGeCompositeCurve3d* curve, std::vector<CPoint3d>& out) {
    return compositeToPts<AcGeCompositeCurve3d, AcGeCurve3d, AcGePoint3d>(curve, out, CPoint3d(),
                                                                          toPoint3d);
}

int AcGeCurve3dToPts(const AcGeCurve3d* curve, std::vector<CPoint3d>& out) {
    return curveToPts<AcGeLineSeg3d, AcGeCompositeCurve3d>(
        curve, out, AcGe::kLineSeg3d, AcGe::kCompositeCrv3d, AcGeLineSeg3dToPts,
        AcGeCompositeCurve3dTo3dPts);
}

int AcGeLineSeg3dToPts(const AcGeLineSeg3d* seg, std::vector<AcGePoint3d>& out) {
    return segmentToPts(seg, out, samePoint);
}

int AcGeCompositeCurve3dTo3dPts(const AcGeCompositeCurve3d* curve, std::vector<AcGePoint3d>& out) {
    return compositeToPts<AcGeCompositeCurve3d, AcGeCurve3d, AcGePoint3d>(curve, out, AcGePoint3d(),
                                                                          samePoint);
}

int AcGeCurve3dToPts(const AcGeCurve3d* curve, std::vector<AcGePoint3d>& out) {
    return curveToPts<AcGeLineSeg3d, AcGeCompositeCurve3d>(
        curve, out, AcGe::kLineSeg3d, AcGe::kCompositeCrv3d, AcGeLineSeg3dToPts,
        AcGeCompositeCurve3dTo3dPts);
}

double DistCurve2dToPnt(const AcGeCurve2d* curve, const AcGePoint2d& p, AcGePoint2d& nearest) {
    if (curve == nullptr) {
        return 0.0;
    }
    nearest = curve->closestPointTo(p, AcGeContext::gTol);
    return nearest.distanceTo(p);
}

double DistPoylineToPnt(const std::vector<CPoint3d>& pts, const CPoint3d& p, CPoint3d& nearest) {
    if (pts.size() < 2) {
        return 0.0;
    }
    // Strictly closer only: on a tie the earlier segment keeps its point.
    const geo_detail::NearestSegment near = geo_detail::nearestSegment(
        p, pts, geo_detail::nearerThan(DBL_MAX), geo_detail::NearTie::kStrict);
    if (near.found) {
        nearest = near.foot;
    }
    return near.dist;
}

CVector3d GetNormal(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3) {
    return geo_detail::turnNormal(p1, p2, p3);
}
