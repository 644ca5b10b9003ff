// Casting outlines onto horizontal and inclined planes, panel shadows, and the matrices and
// rotations that carry outlines between coordinate systems.
#include <geo/acge/geline3d.h>
#include <geo/acge/geray3d.h>
#include <geo/containment.h>
#include <geo/conversions.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/projection.h>

#include "foundation/numeric.h"
#include "foundation/planes.h"
#include "foundation/segments.h"

#include <cmath>

using geo_detail::kHalfPi;
using geo_detail::kPointTol;

namespace {

// A panel whose height lies this close to the base plane casts its plain outline.
constexpr double kLevelPanelTol = 1e-5;
// How far behind the first point the measuring ray of GetNearFarPoint starts, in units of
// the direction vector.
constexpr double kRayBackOff = 100000.0;
// Starting value of the nearest distance of GetNearFarPoint.
constexpr double kFarAway = 1e10;

CPoint3d flat(const CPoint3d& p) {
    return CPoint3d(p.x, p.y, 0.0);
}

// The crossings with z = height of the edges before and after vertex i of an open list.
template <class Cross>
void appendEdgeCrossings(const std::vector<CPoint3d>& pts, size_t i, Cross cross,
                         std::vector<CPoint3d>& out) {
    CPoint3d at;
    if (i > 0 && cross(pts[i - 1], pts[i], at)) {
        out.push_back(at);
    }
    if (i + 1 < pts.size() && cross(pts[i], pts[i + 1], at)) {
        out.push_back(at);
    }
}

// The panel's shadow outline on the base plane, closed by a repeat of its first point.
std::vector<CPoint3d> panelShadow(const std::vector<CPoint3d>& panel, double azimuth,
                                  double lengthPerHeight, double baseHeight, double panelHeight) {
    const double d = panelHeight - baseHeight;
    std::vector<CPoint3d> shadow;
    auto cross = [baseHeight](const CPoint3d& a, const CPoint3d& b, CPoint3d& at) {
        return GetIntersectPt(a, b, baseHeight, at);
    };
    for (size_t i = 0; i < panel.size(); ++i) {
        if (d > 0.0 || std::fabs(d) < kLevelPanelTol) {
            shadow.push_back(Polar(panel[i], azimuth, d * lengthPerHeight));
        } else {
            appendEdgeCrossings(panel, i, cross, shadow);
        }
    }
    if (!shadow.empty()) {
        shadow.push_back(CPoint3d(shadow.front()));
    }
    return shadow;
}

}  // namespace

bool IsPtInPanelShadow(CPoint3d point, double azimuth, double lengthPerHeight, double baseHeight,
                       const std::vector<CPoint3d>& panel, double panelHeight) {
    if (panel.size() < 3) {
        return false;
    }
    const std::vector<CPoint3d> shadow =
        panelShadow(panel, azimuth, lengthPerHeight, baseHeight, panelHeight);
    return shadow.size() >= 3 && PtInArea(point, shadow, 0.0, false);
}

bool GetIntersectPt(CPoint3d a, CPoint3d b, double height, CPoint3d& out) {
    const CPoint3d& lo = b.z > a.z ? a : b;
    const CPoint3d& hi = b.z > a.z ? b : a;
    if (!(lo.z < height && height < hi.z)) {
        return false;
    }
    const double run = flat(lo).distanceTo(flat(hi));
    const double rise = hi.z - lo.z;
    const double along = (height - lo.z) / std::tan(std::atan(rise / run));
    CPoint3d at = Polar(flat(lo), GetAngle(flat(lo), flat(hi)), along);
    at.z = height;
    out = at;
    return true;
}

bool GetProjectPlane(const std::vector<CPoint3d>& pts, CVector3d dir, double height,
                     std::vector<CPoint3d>& out) {
    out.clear();
    const CPoint3d origin(0, 0, height);
    const CVector3d normal =
        geo_detail::turnNormal(origin, CPoint3d(1, 0, height), CPoint3d(1, 1, height));
    auto cross = [&origin, &normal](const CPoint3d& a, const CPoint3d& b, CPoint3d& at) {
        return geo_detail::crossPlane(origin, normal, a, b - a, kPointTol, 0.0, 1.0, at);
    };
    for (size_t i = 0; i < pts.size(); ++i) {
        CPoint3d at;
        if (std::fabs(pts[i].z - height) < kPointTol || pts[i].z > height) {
            const CPoint3d ahead = pts[i] + dir;
            if (geo_detail::crossPlane(origin, normal, pts[i], ahead - pts[i], kPointTol, -HUGE_VAL,
                                       HUGE_VAL, at)) {
                out.push_back(at);
            }
        } else {
            appendEdgeCrossings(pts, i, cross, out);
        }
    }
    return out.size() > 2;
}

bool GetInclinedPlane(const CPoint3d& p1, const CPoint3d& p2, AcGePlane& plane) {
    const CPoint3d f1 = flat(p1), f2 = flat(p2);
    if (f1.isEqualTo(f2, kPointTol)) {
        return false;
    }
    CVector3d across = f2 - f1;
    across.rotate(kHalfPi, CVector3d::kZAxis);
    CPoint3d q = f1 + across;
    q.z = p1.z;
    plane.set(p1.toAcGePoint3d(), p2.toAcGePoint3d(), q.toAcGePoint3d());
    return true;
}

bool GetPtOnPlane(const AcGePlane& plane, const CPoint3d& pt, CPoint3d& out) {
    const AcGeLine3d vertical(pt.toAcGePoint3d(), AcGeVector3d(0.0, 0.0, 1.0));
    AcGePoint3d hit;
    if (!plane.intersectWith(vertical, hit, AcGeContext::gTol)) {
        return false;
    }
    out = CPoint3d(hit);
    return true;
}

bool PtsProjToInclinedPlane(const CPoint3d& p1, const CPoint3d& p2,
                            const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out,
                            AcGeVector3d& normal) {
    out.clear();
    AcGePlane plane;
    if (!GetInclinedPlane(p1, p2, plane)) {
        return false;
    }
    normal = plane.normal();
    for (const CPoint3d& p : pts) {
        CPoint3d on;
        if (GetPtOnPlane(plane, p, on)) {
            out.push_back(on);
        }
    }
    return !out.empty();
}

AcGeMatrix3d GetAlignCoordSysMap(const AcGePoint3d& fromOrigin, const AcGePoint3d& fromX,
                                 const AcGePoint3d& fromY, const AcGeVector3d& fromZ,
                                 const AcGePoint3d& toOrigin, const AcGePoint3d& toX,
                                 const AcGePoint3d& toY, const AcGeVector3d& toZ) {
    return AcGeMatrix3d::alignCoordSys(fromOrigin, fromX - fromOrigin, fromY - fromOrigin, fromZ,
                                       toOrigin, toX - toOrigin, toY - toOrigin, toZ);
}

AcGeMatrix3d GetAlignCoordSysMap(const CPoint3d& fromOrigin, const CPoint3d& fromX,
                                 const CPoint3d& fromY, const CVector3d& fromZ,
                                 const CPoint3d& toOrigin, const CPoint3d& toX, const CPoint3d& toY,
                                 const CVector3d& toZ) {
    return GetAlignCoordSysMap(fromOrigin.toAcGePoint3d(), fromX.toAcGePoint3d(),
                               fromY.toAcGePoint3d(), fromZ.toAcGeVector3d(),
                               toOrigin.toAcGePoint3d(), toX.toAcGePoint3d(), toY.toAcGePoint3d(),
                               toZ.toAcGeVector3d());
}

AcGeMatrix3d GetAlignCoordSysMap(const CPoint3d& fromOrigin, const CVector3d& fromX,
                                 const CVector3d& fromY, const CVector3d& fromZ,
                                 const CPoint3d& toOrigin, const CVector3d& toX,
                                 const CVector3d& toY, const CVector3d& toZ) {
    return AcGeMatrix3d::alignCoordSys(fromOrigin.toAcGePoint3d(), fromX.toAcGeVector3d(),
                                       fromY.toAcGeVector3d(), fromZ.toAcGeVector3d(),
                                       toOrigin.toAcGePoint3d(), toX.toAcGeVector3d(),
                                       toY.toAcGeVector3d(), toZ.toAcGeVector3d());
}

std::vector<AcGePoint3d> PtsMultiMatrix(const std::vector<AcGePoint3d>& pts,
                                        const AcGeMatrix3d& m) {
    std::vector<AcGePoint3d> out(pts);
    for (AcGePoint3d& p : out) {
        p.transformBy(m);
    }
    return out;
}

void RotateGon(std::vector<CPoint3d>& pts, CVector3d& normal, const CVector3d& axis,
               const CPoint3d& base, double angle) {
    std::vector<AcGePoint3d> ge;
    acVecPts2VecgePts(pts, ge);
    for (AcGePoint3d& p : ge) {
        p.rotateBy(angle, axis.toAcGeVector3d(), base.toAcGePoint3d());
    }
    vecgePts2AcVecPts(ge, pts);
    normal.rotate(angle, axis);
}

void GetNearFarPoint(const std::vector<AcGePoint3d>& pts, const AcGeVector3d& dir,
                     AcGePoint3d& nearPt, AcGePoint3d& farPt) {
    if (pts.empty()) {
        return;
    }
    if (pts.size() == 1) {
        nearPt = farPt = pts.front();
        return;
    }
    const AcGePoint3d start = pts.front() - dir * kRayBackOff;
    const AcGeRay3d ray(start, dir);
    double farthest = 0.0, nearest = kFarAway;
    for (const AcGePoint3d& p : pts) {
        const double d = start.distanceTo(ray.closestPointTo(p, AcGeContext::gTol));
        if (FloatComp(d, farthest, kPointTol) > 0) {
            farthest = d;
            farPt = p;
        }
        if (FloatComp(d, nearest, kPointTol) < 0) {
            nearest = d;
            nearPt = p;
        }
    }
}

CPoint3d DroopPoint(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b) {
    CVector3d across = b - a;
    across.rotate(kHalfPi, CVector3d::kZAxis);
    CPoint3d foot = CPoint3d::kOrigin;
    const CPoint3d ahead = p + across;
    geo_detail::linesCross(p, ahead, a, b, kPointTol, foot);
    return foot;
}

double GetDisPrjVec(const CPoint3d& from, const CPoint3d& to, const CVector3d& dir) {
    const CVector3d w = to - from;
    if (dir.length() < kPointTol || w.length() < kPointTol) {
        return 0.0;
    }
    return w.length() * std::cos(dir.toAcGeVector3d().angleTo(w.toAcGeVector3d()));
}

namespace {

// The point of the segment at the plan position `at`, taken at the segment's own height; false
// for a segment standing vertically, which has no one such point.
bool pointAbove(const CLineSeg& seg, const CPoint3d& at, CPoint3d& out) {
    const double run = flat(seg.startPt).distanceTo(flat(seg.endPt));
    if (!(run > 0.0)) {
        return false;
    }
    const double t = flat(at).distanceTo(flat(seg.startPt)) / run;
    out = seg.startPt + (seg.endPt - seg.startPt) * t;
    return true;
}

}  // namespace

bool GetPlumbClosetPnt(CLineSeg* a, CLineSeg* b, CPoint3d& onA, CPoint3d& onB) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    CPoint3d at;
    if (!IsIntersectWith(flat(a->startPt), flat(a->endPt), flat(b->startPt), flat(b->endPt), at)) {
        return false;
    }
    CPoint3d pa, pb;
    if (!pointAbove(*a, at, pa) || !pointAbove(*b, at, pb)) {
        return false;
    }
    onA = pa;
    onB = pb;
    return true;
}
