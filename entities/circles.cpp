// The circle and arc entities: construction, measures, arc sampling, records.
#include <geo/archive_lists.h>
#include <geo/circles.h>
#include <geo/float_comp.h>
#include <geo/measures.h>

#include "foundation/numeric.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(CCircle, CGeometry, 1)
IMPLEMENT_SERIAL(CArc, CGeometry, 1)

namespace {

// Grid angles this close to an end of the arc count as that end.
constexpr double kArcAngleTol = 1e-6;
// Beyond this many steps from angle 0 consecutive grid indices stop being exact.
constexpr double kMaxGridIndex = 9007199254740992.0;  // 2^53

}  // namespace

// ---- Circle ----------------------------------------------------------------------------

CCircle::CCircle() = default;

CCircle::CCircle(CPoint3d c, double r) : center(c), radius(r) {}

CCircle::CCircle(const CCircle& other)
    : CGeometry(other), center(other.center), radius(other.radius) {}

CCircle::~CCircle() = default;

CCircle& CCircle::operator=(const CCircle& other) {
    CGeometry::operator=(other);
    center = other.center;
    radius = other.radius;
    return *this;
}

double CCircle::length() const {
    return radius * geo_detail::kTwoPi;
}

const std::type_info& CCircle::type() const {
    return typeid(CCircle);
}

CGeometry* CCircle::clone() const {
    return new CCircle(*this);
}

bool CCircle::isValid() const {
    return CGeometry::isValid() && center.isValid() && std::isfinite(radius);
}

void CCircle::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << center << radius;
        CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    CPoint3d c;
    double r = 0.0;
    ar >> c >> r;
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    center = c;
    radius = r;
    boxMin = lo;
    boxMax = hi;
}

CArchive& operator<<(CArchive& ar, const CCircle& circle) {
    RequireStoring(ar);
    const_cast<CCircle&>(circle).CCircle::Serialize(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CCircle& circle) {
    RequireLoading(ar);
    circle.CCircle::Serialize(ar);
    return ar;
}

// ---- Arc -------------------------------------------------------------------------------

CArc::CArc() = default;

CArc::CArc(CPoint3d c, double r, double start, double end)
    : center(c), radius(r), startAngle(start), endAngle(end) {}

CArc::CArc(const CArc& other)
    : CGeometry(other),
      center(other.center),
      radius(other.radius),
      startAngle(other.startAngle),
      endAngle(other.endAngle) {}

CArc::~CArc() = default;

CArc& CArc::operator=(const CArc& other) {
    CGeometry::operator=(other);
    center = other.center;
    radius = other.radius;
    startAngle = other.startAngle;
    endAngle = other.endAngle;
    return *this;
}

// The walk over the multiples of step conceptually starts at step itself; it
// starts just below startAngle instead, since no multiple before that can be
// emitted or end the walk earlier. The walk ends by ceil(end / step) + 1.
std::vector<CPoint3d> CArc::getSimplePts(double step) const {
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(startAngle) ||
        !std::isfinite(endAngle)) {
        return {};
    }
    std::vector<CPoint3d> pts{Polar(center, startAngle, radius)};
    if (endAngle > startAngle) {
        const double first = std::max(1.0, std::floor(startAngle / step) - 1.0);
        const double last = std::ceil(endAngle / step) + 1.0;
        if (last > kMaxGridIndex || last - first > kMaxArcSamples) {
            return {};
        }
        for (auto i = static_cast<long long>(first);; ++i) {
            const double a = static_cast<double>(i) * step;
            if (FloatComp(a, endAngle, kArcAngleTol) != -1) {
                break;
            }
            if (FloatComp(a, startAngle, kArcAngleTol) == 1) {
                pts.push_back(Polar(center, a, radius));
            }
        }
    }
    pts.push_back(Polar(center, endAngle, radius));
    return pts;
}

const std::type_info& CArc::type() const {
    return typeid(CArc);
}

CGeometry* CArc::clone() const {
    return new CArc(*this);
}

bool CArc::isValid() const {
    return CGeometry::isValid() && center.isValid() && std::isfinite(radius) &&
           std::isfinite(startAngle) && std::isfinite(endAngle);
}

void CArc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << center << radius << startAngle << endAngle;
        CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    CPoint3d c;
    double r = 0.0, start = 0.0, end = 0.0;
    ar >> c >> r >> start >> end;
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    center = c;
    radius = r;
    startAngle = start;
    endAngle = end;
    boxMin = lo;
    boxMax = hi;
}

CArchive& operator<<(CArchive& ar, const CArc& arc) {
    RequireStoring(ar);
    const_cast<CArc&>(arc).CArc::Serialize(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CArc& arc) {
    RequireLoading(ar);
    arc.CArc::Serialize(ar);
    return ar;
}
