// The infinite line through two points, and the plan mirror of points and vectors in it.
#include <geo/archive_lists.h>
#include <geo/lines.h>

#include "entities/lines_common.h"
#include "foundation/segments.h"

using namespace lines_detail;

IMPLEMENT_SERIAL(CLine, CGeometry, 1)

// The copies and the setter take the defining points only: the box of a line
// follows its transforms and nothing else.
CLine::CLine() = default;

CLine::CLine(const CPoint3d& p1, const CPoint3d& p2) {
    set(p1, p2);
}

CLine::CLine(const CLine& other) : CLineSeg() {
    set(other.startPt, other.endPt);
}

CLine::~CLine() = default;

CLine& CLine::operator=(const CLine& other) {
    set(other.startPt, other.endPt);
    return *this;
}

void CLine::set(const CPoint3d& p1, const CPoint3d& p2) {
    const CPoint3d first = p1;
    const CPoint3d second = p2;
    startPt = first;
    endPt = second;
}

bool CLine::isOn(const CPoint3d& p, double tol) const {
    return geo_detail::onLine(startPt, endPt, p, tol);
}

CPoint3d CLine::getClosestPnt(const CPoint3d& p) const {
    return geo_detail::footOnLine(startPt, endPt, p);
}

bool CLine::parallelWith(const CLine& other, double tol) const {
    CPoint3d discarded;
    return !intersectWith(other, discarded, tol);
}

namespace {

// The first point of a line ordered by x; on equal x the end point comes first.
void orderByX(const CLine& line, CPoint3d& first, CPoint3d& second) {
    const bool startFirst = line.startPt.x < line.endPt.x;
    first = startFirst ? line.startPt : line.endPt;
    second = startFirst ? line.endPt : line.startPt;
}

// Whether any of a line's start, end and midpoint lies on other.
bool anyDefiningPointOn(const CLine& line, const CLine& other, double tol) {
    return other.isOn(line.startPt, tol) || other.isOn(line.endPt, tol) ||
           other.isOn(line.midPoint(), tol);
}

}  // namespace

bool CLine::closeWith(const CLine& other, double tol) const {
    // Shared stretch, in drawing units, below which two touching lines are apart.
    constexpr double kMinCloseOverlap = 0.2;
    if (!parallelWith(other, tol)) {
        return false;
    }
    if (!anyDefiningPointOn(*this, other, tol) && !anyDefiningPointOn(other, *this, tol)) {
        return false;
    }
    CPoint3d thisFirst, thisSecond, otherFirst, otherSecond;
    orderByX(*this, thisFirst, thisSecond);
    orderByX(other, otherFirst, otherSecond);
    const CPoint3d& leftmost = thisFirst.x < otherFirst.x ? thisFirst : otherFirst;
    const CPoint3d& rightmost = otherSecond.x > thisSecond.x ? otherSecond : thisSecond;
    const double overlap = length() + other.length() - leftmost.distanceTo(rightmost);
    return overlap >= kMinCloseOverlap;
}

const std::type_info& CLine::type() const {
    return typeid(CLine);
}

CGeometry* CLine::clone() const {
    return new CLine(*this);
}

// A version double, then the complete segment record.
void CLine::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
    } else {
        ReadRecordVersion(ar);
    }
    CLineSeg::Serialize(ar);
}

// This pair carries the base geometry record only; the defining points are neither
// written nor read.
CArchive& operator<<(CArchive& ar, const CLine& line) {
    RequireStoring(ar);
    const_cast<CLine&>(line).CGeometry::Serialize(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CLine& line) {
    RequireLoading(ar);
    line.CGeometry::Serialize(ar);
    return ar;
}

CPoint3d& CPoint3d::mirror(const CLine& line) {
    const CPoint3d foot = line.getClosestPnt(*this);
    const CVector3d shift = (foot - *this) * 2.0;
    x += shift.x;
    y += shift.y;
    return *this;
}

// The vector's image is the difference of the images of the two points it joins,
// so it agrees with CPoint3d::mirror: x and y are reflected about the line's
// direction, z is kept. A line with coincident points reflects through a point,
// which reverses the plan components.
CVector3d& CVector3d::mirror(const CLine& line) {
    const CVector3d d = line.endPt - line.startPt;
    const double dd = d.getDotProduct(d);
    if (dd == 0.0) {
        x = -x;
        y = -y;
        return *this;
    }
    const double along = getDotProduct(d) / dd;
    x = 2.0 * d.x * along - x;
    y = 2.0 * d.y * along - y;
    return *this;
}
