// The bounded segment: construction, measures, nearest points, overlap, transforms, record.
#include <geo/archive_lists.h>
#include <geo/lines.h>

#include "entities/lines_common.h"
#include "foundation/segments.h"

#include <algorithm>

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
    return geo_detail::segmentDirection(startPt, endPt);
}

CVector3d CLineSeg::verticalDir() const {
    return direction().rotate(kHalfPi, CVector3d::kZAxis);
}

CPoint3d CLineSeg::getClosestPnt(const CPoint3d& p) const {
    return geo_detail::closestOnSegment(startPt, endPt, p);
}

CPoint3d CLineSeg::getClosestPnt(const CLineSeg& other, CPoint3d& onOther) const {
    return geo_detail::closestBetweenSegments(startPt, endPt, other.startPt, other.endPt, onOther);
}

double CLineSeg::distanceTo(const CPoint3d& p) const {
    return geo_detail::distanceToLine(startPt, endPt, p);
}

bool CLineSeg::isOn(const CPoint3d& p, double tol) const {
    return geo_detail::onSegment(startPt, endPt, p, tol);
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
