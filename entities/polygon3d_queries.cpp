// CPolygon3D: plane queries, extrusion directions and the meeting of two polygons.
#include <geo/polygon3d.h>

#include <geo/acge/gelnsg3d.h>
#include <geo/containment.h>
#include <geo/float_comp.h>
#include <geo/measures.h>

#include <algorithm>
#include <cmath>

#include "platform/acge/tol_of.h"
#include "toolkit/outline_queries.h"

namespace {

// Containment tolerance for the other polygon's chords.
constexpr double kOtherContainTol = 1e-6;
// Crossing points this close are the same point.
constexpr double kSamePointTol = 1e-6;

using acge_detail::pointTol;
using acge_detail::vectorTol;

// Orders crossings along the line. Sorting by the signed parameter gives the order of
// increasing distance from any reference point behind all of them, however far apart the
// crossings lie.
void sortAlong(const AcGeLine3d& line, std::vector<CPoint3d>& pts) {
    const CPoint3d origin(line.pointOnLine());
    const CVector3d dir(line.direction());
    std::stable_sort(pts.begin(), pts.end(), [&](const CPoint3d& a, const CPoint3d& b) {
        return (a - origin).getDotProduct(dir) < (b - origin).getDotProduct(dir);
    });
}

// Whether a chord of `own` (two consecutive crossings whose midpoint lies inside the
// outline) holds any of the other outline's crossings.
bool chordHoldsAny(const std::vector<CPoint3d>& own, const std::vector<CPoint3d>& outline,
                   const CVector3d& normal, double tol, const std::vector<CPoint3d>& other) {
    if (own.size() < 2) {
        return false;
    }
    const containment_detail::PlaneOutlineQueries inOutline(outline, normal, tol, own.size() - 1);
    for (size_t k = 0; k + 1 < own.size(); ++k) {
        if (!inOutline.ptIn(GetMidPoint(own[k], own[k + 1]), true)) {
            continue;
        }
        const AcGeLineSeg3d chord(own[k].toAcGePoint3d(), own[k + 1].toAcGePoint3d());
        for (const CPoint3d& p : other) {
            if (chord.isOn(p.toAcGePoint3d(), AcGeContext::gTol)) {
                return true;
            }
        }
    }
    return false;
}

bool anyShared(const std::vector<CPoint3d>& a, const std::vector<CPoint3d>& b) {
    for (const CPoint3d& p : a) {
        for (const CPoint3d& q : b) {
            if (p.isEqualTo(q, kSamePointTol)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void CPolygon3D::GetPlane(AcGePlane& plane) const {
    plane = planeAt(elevation);
}

void CPolygon3D::GetPtInPln(AcGePoint3d& out) const {
    out.set(ucs.x * elevation, ucs.y * elevation, ucs.z * elevation);
}

void CPolygon3D::GetPtInPln(CPoint3d& out) const {
    out.set(ucs.x * elevation, ucs.y * elevation, ucs.z * elevation);
}

CPoint3d CPolygon3D::GetPtInPln() const {
    CPoint3d out;
    GetPtInPln(out);
    return out;
}

AcGePoint3d CPolygon3D::GetAcptInPln() const {
    AcGePoint3d out;
    GetPtInPln(out);
    return out;
}

bool CPolygon3D::ptIsInPln(const AcGePoint3d& p, double tol) const {
    return planeAt(elevation).isOn(p, pointTol(tol));
}

bool CPolygon3D::ptIsInPln(const CPoint3d& p, double tol) const {
    return ptIsInPln(p.toAcGePoint3d(), tol);
}

bool CPolygon3D::ptIsInArea(const AcGePoint3d& p, double tol, bool onEdge) const {
    return ptIsInArea(CPoint3d(p), tol, onEdge);
}

bool CPolygon3D::ptIsInArea(const CPoint3d& p, double tol, bool onEdge) const {
    if (!ptIsInPln(p, tol)) {
        return false;
    }
    CPoint3d local;
    world2ucs(p, local);
    return PtInArea(local, ucsPolygon.getPoints(), tol, onEdge);
}

// The planes n.x = e and -n.x = -e are one plane, so opposite normals compare the
// elevation with its negation.
bool CPolygon3D::plnIsEqual(CPolygon3D& o, double tol) {
    const AcGeVector3d n = ucs.toAcGeVector3d();
    const AcGeVector3d m = o.ucs.toAcGeVector3d();
    if (!n.isParallelTo(m, vectorTol(tol))) {
        return false;
    }
    const double otherElev = n.dotProduct(m) < 0.0 ? -o.elevation : o.elevation;
    return FloatComp(elevation, otherElev, tol) == 0;
}

bool CPolygon3D::plnIsParallelTo(CPolygon3D& o, double tol) {
    return planeAt(elevation).isParallelTo(o.planeAt(o.elevation), pointTol(tol));
}

bool CPolygon3D::plnIsIntersectWith(const CPolygon3D& o, AcGeLine3d& line, double tol) const {
    return planeAt(elevation).intersectWith(o.planeAt(o.elevation), line, vectorTol(tol));
}

bool CPolygon3D::getExtrudeV(int i, CVector3d& v) const {
    if (i == -1) {
        v = ucs;
        return true;
    }
    if (i == -2) {
        v = -ucs;
        return true;
    }
    if (i < 0 || static_cast<size_t>(i) >= worldPts.size()) {
        return false;
    }
    const CPoint3d& a = worldPts[static_cast<size_t>(i)];
    const CPoint3d& b = worldPts[(static_cast<size_t>(i) + 1) % worldPts.size()];
    v = (a - b).crossProduct(-ucs);
    return true;
}

void CPolygon3D::getTopPts(double h, std::vector<CPoint3d>& out) const {
    out.clear();
    out.reserve(worldPts.size());
    for (const CPoint3d& p : worldPts) {
        out.push_back(p + ucs * h);
    }
}

void CPolygon3D::getTopPts(std::vector<CPoint3d>& out) const {
    getTopPts(thickness, out);
}

// The polygons meet when, along the common line of their planes, a chord of one (a
// stretch between consecutive crossings lying inside it) holds a crossing of the other,
// or the two share a crossing.
bool CPolygon3D::intersectWith(CPolygon3D& o, AcGeLine3d& line, double tol) {
    AcGeLine3d common;
    if (!plnIsIntersectWith(o, common, tol)) {
        return false;
    }
    line.set(common.pointOnLine(), common.direction());
    std::vector<CPoint3d> a;
    std::vector<CPoint3d> b;
    if (worldPts.empty() || PolygonIntersectWithLine(worldPts, common, a) == 0 ||
        PolygonIntersectWithLine(o.worldPts, common, b) == 0) {
        return false;
    }
    sortAlong(common, a);
    sortAlong(common, b);
    return chordHoldsAny(a, worldPts, ucs, tol, b) ||
           chordHoldsAny(b, o.worldPts, o.ucs, kOtherContainTol, a) || anyShared(a, b);
}
