// The bounded segment: construction, measures, nearest points, overlap, transforms, record.
#include <geo/archive_lists.h>
#include <geo/float_comp.h>
#include <geo/lines.h>

#include "entities/lines_common.h"

#include <algorithm>
#include <cmath>

using namespace lines_detail;

IMPLEMENT_SERIAL(CLineSeg, CGeometry, 1)

CLineSeg::CLineSeg() = default;

CLineSeg::CLineSeg(const CPoint3d& s, const CPoint3d& e) {
    set(s, e);
}

CLineSeg::CLineSeg(const CLineSeg& other) : CGeometry(other) {
    set(other.startPt, other.endPt);
}

CLineSeg::~CLineSeg() = default;

CLineSeg& CLineSeg::operator=(const CLineSeg& other) {
    CGeometry::operator=(other);
    set(other.startPt, other.endPt);
    return *this;
}

void CLineSeg::set(const CPoint3d& s, const CPoint3d& e) {
    // Copies first: either argument may be one of this segment's own points.
    const CPoint3d start = s;
    const CPoint3d end = e;
    startPt = start;
    endPt = end;
    rebuildBox();
}

void CLineSeg::rebuildBox() {
    boxMin.x = std::min(startPt.x, endPt.x);
    boxMin.y = std::min(startPt.y, endPt.y);
    boxMax.x = std::max(startPt.x, endPt.x);
    boxMax.y = std::max(startPt.y, endPt.y);
}

CPoint3d CLineSeg::startPoint() const {
    return startPt;
}
CPoint3d CLineSeg::endPoint() const {
    return endPt;
}
AcGePoint3d CLineSeg::startAcPoint() const {
    return startPt.toAcGePoint3d();
}
AcGePoint3d CLineSeg::endAcPoint() const {
    return endPt.toAcGePoint3d();
}

CPoint3d CLineSeg::midPoint() const {
    return (startPt + endPt) * 0.5;
}

double CLineSeg::length() const {
    return startPt.distanceTo(endPt);
}

CVector3d CLineSeg::direction() const {
    const CVector3d d = endPt - startPt;
    const double len = d.length();
    if (len == 0.0)
        return d;
    return d / len;
}

CVector3d CLineSeg::verticalDir() const {
    return direction().rotate(kHalfPi, CVector3d::kZAxis);
}

CPoint3d CLineSeg::getClosestPnt(const CPoint3d& p) const {
    if (startPt.isEqualTo(endPt, kPointTol))
        return startPt;
    const CVector3d d = endPt - startPt;
    const double t = (p - startPt).getDotProduct(d) / d.getDotProduct(d);
    if (t < 0.0)
        return startPt;
    if (t > 1.0)
        return endPt;
    return startPt + d * t;
}

namespace {

// A parameter given as numerator over denominator; a zero denominator means the
// parameter is free, and the start of the segment is taken.
double ratioOrZero(double num, double den) {
    return den == 0.0 ? 0.0 : num / den;
}

// Clamps the parameter on this segment once the one on other is pinned to an end.
void clampOnThis(double candidate, double uu, double& sN, double& sD) {
    if (candidate < 0.0) {
        sN = 0.0;
    } else if (candidate > uu) {
        sN = sD;
    } else {
        sN = candidate;
        sD = uu;
    }
}

}  // namespace

CPoint3d CLineSeg::getClosestPnt(const CLineSeg& other, CPoint3d& onOther) const {
    const CVector3d u = endPt - startPt;
    const CVector3d v = other.endPt - other.startPt;
    const CVector3d w = startPt - other.startPt;
    const double uu = u.getDotProduct(u), uv = u.getDotProduct(v), vv = v.getDotProduct(v);
    const double uw = u.getDotProduct(w), vw = v.getDotProduct(w);
    const double den = uu * vv - uv * uv;
    constexpr double kParallelDen = 1e-6;

    double sN, sD, tN, tD;
    if (den >= kParallelDen) {
        sN = uv * vw - vv * uw;
        tN = uu * vw - uv * uw;
        sD = tD = den;
    } else {
        // Near parallel: pin this segment's start and project it on other,
        // rather than divide by a vanishing determinant.
        sN = 0.0;
        sD = 1.0;
        tN = vw;
        tD = vv;
    }
    if (sN < 0.0) {
        sN = 0.0;
        tN = vw;
        tD = vv;
    } else if (sN > sD) {
        sN = sD;
        tN = vw + uv;
        tD = vv;
    }
    if (tN < 0.0) {
        tN = 0.0;
        clampOnThis(-uw, uu, sN, sD);
    } else if (tN > tD) {
        tN = tD;
        clampOnThis(uv - uw, uu, sN, sD);
    }
    onOther = other.startPt + v * ratioOrZero(tN, tD);
    return startPt + u * ratioOrZero(sN, sD);
}

double CLineSeg::distanceTo(const CPoint3d& p) const {
    constexpr double kShortSegment = 1e-6;
    const double len = length();
    if (len < kShortSegment)
        return p.distanceTo(startPt);
    const CVector3d d = endPt - startPt;
    return d.crossProduct(p - startPt).length() / len;
}

bool CLineSeg::isOn(const CPoint3d& p, double tol) const {
    if (p.isEqualTo(startPt, tol) || p.isEqualTo(endPt, tol))
        return true;
    // A distance that overflowed to NaN (coordinates beyond 1e154) is not a near one.
    if (!(distanceTo(p) <= tol))
        return false;
    // Strictly between the ends on the first axis the segment spans; a segment
    // that spans no z gives up after x and y.
    for (unsigned axis = 0; axis < 3; ++axis) {
        const double s = startPt[axis], e = endPt[axis], c = p[axis];
        if (FloatComp(s, e, tol) == 0) {
            if (axis == 2)
                return false;
            continue;
        }
        if (FloatComp(c - s, 0.0, tol) * FloatComp(c - e, 0.0, tol) == -1)
            return true;
    }
    return false;
}

std::vector<CPoint3d> CLineSeg::getRect(double width, int side) const {
    const CVector3d n = verticalDir();
    if (side < 0) {
        return {endPt + n * width, startPt + n * width, startPt, endPt};
    }
    if (side == 0) {
        const CVector3d half = n * (width / 2.0);
        return {endPt + half, startPt + half, startPt + (-half), endPt + (-half)};
    }
    return {endPt, startPt, startPt + (-(n * width)), endPt + (-(n * width))};
}

void CLineSeg::move(const CVector3d& v) {
    set(startPt + v, endPt + v);
}

void CLineSeg::scale(const CPoint3d& base, double factor) {
    const CPoint3d pivot = base;
    CPoint3d s = startPt, e = endPt;
    s.scale(factor, pivot);
    e.scale(factor, pivot);
    set(s, e);
}

void CLineSeg::rotate(const CPoint3d& base, double angle) {
    const CPoint3d pivot = base;
    startPt.rotate(pivot, angle);
    endPt.rotate(pivot, angle);
    rebuildBox();
}

void CLineSeg::mirror(const CLine& line) {
    // A copy, so that mirroring a line in itself reads an unchanged axis.
    const CLine axis(line);
    CPoint3d s = startPt, e = endPt;
    s.mirror(axis);
    e.mirror(axis);
    set(s, e);
}

bool CLineSeg::isValid() const {
    return CGeometry::isValid() && startPt.isValid() && endPt.isValid();
}

const std::type_info& CLineSeg::type() const {
    return typeid(CLineSeg);
}

CGeometry* CLineSeg::clone() const {
    return new CLineSeg(*this);
}

void CLineSeg::Serialize(CArchive& ar) {
    lines_detail::SerializeTwoFields(ar, *this, startPt, endPt);
}

CArchive& operator<<(CArchive& ar, const CLineSeg& seg) {
    RequireStoring(ar);
    // Qualified call: the segment record even when seg is a CLine.
    const_cast<CLineSeg&>(seg).CLineSeg::Serialize(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CLineSeg& seg) {
    RequireLoading(ar);
    seg.CLineSeg::Serialize(ar);
    return ar;
}
