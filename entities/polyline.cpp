// The polyline entity: vertices, closing, clean-up, transforms and its archive record.
#include <geo/archive_lists.h>
#include <geo/conversions.h>
#include <geo/float_comp.h>
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include "entities/polylines_common.h"

#include <cmath>

#include "foundation/numeric.h"

using namespace polylines_detail;

IMPLEMENT_SERIAL(CPolyline, CGeometry, 1)

namespace polylines_detail {

void RemoveSpikes(std::vector<CPoint3d>& pts) {
    constexpr double kSpikeEdge = 0.02;
    size_t i = 1;
    while (i + 1 < pts.size()) {
        const double edge = pts[i - 1].distanceTo(pts[i]);
        const double corner = get_angle(pts[i - 1].toAcGePoint3d(), pts[i].toAcGePoint3d(),
                                        pts[i + 1].toAcGePoint3d());
        if (FloatComp(edge, kSpikeEdge, kPointTol) == -1 &&
            FloatComp(corner, geo_detail::kHalfPi, kPointTol) == -1) {
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void RemoveCollinear(std::vector<CPoint3d>& pts) {
    for (size_t i = 0; i + 2 < pts.size(); ++i) {
        while (i + 2 < pts.size() && CLineSeg(pts[i], pts[i + 2]).isOn(pts[i + 1], kCleanupOnTol)) {
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i + 1));
        }
    }
}

void MoveAll(std::vector<CPoint3d>& pts, const CVector3d& v) {
    for (CPoint3d& p : pts) {
        p.move(v);
    }
}

void RotateAll(std::vector<CPoint3d>& pts, const CPoint3d& base, double angle) {
    for (CPoint3d& p : pts) {
        p.rotate(base, angle);
    }
}

void ScaleAll(std::vector<CPoint3d>& pts, const CPoint3d& base, double factor) {
    for (CPoint3d& p : pts) {
        p.scale(factor, base);
    }
}

void MirrorAll(std::vector<CPoint3d>& pts, const CLine& line) {
    for (CPoint3d& p : pts) {
        p.mirror(line);
    }
}

void SetAllZ(std::vector<CPoint3d>& pts, double z) {
    for (CPoint3d& p : pts) {
        p.z = z;
    }
}

bool AllValid(const std::vector<CPoint3d>& pts) {
    for (const CPoint3d& p : pts) {
        if (!p.isValid()) {
            return false;
        }
    }
    return true;
}

}  // namespace polylines_detail

CPolyline::CPolyline() = default;

CPolyline::CPolyline(const std::vector<CPoint3d>& points) {
    setPoints(points);
}

CPolyline::CPolyline(const std::vector<AcGePoint3d>& points) {
    pts.reserve(points.size());
    for (const AcGePoint3d& p : points) {
        pts.push_back(AcPnt3dToPnt3d(p));
    }
    rebuildBox();
}

CPolyline::CPolyline(const std::vector<AcGePoint2d>& points) {
    setPoints(points);
}

CPolyline::CPolyline(const CPolyline& other) : CGeometry(other), pts(other.pts) {
    rebuildBox();
}

CPolyline::~CPolyline() = default;

CPolyline& CPolyline::operator=(const CPolyline& other) {
    CGeometry::operator=(other);
    pts = other.pts;
    rebuildBox();
    return *this;
}

void CPolyline::rebuildBox() {
    CalBox(pts, boxMin, boxMax);
}

void CPolyline::setPoints(const std::vector<CPoint3d>& points) {
    pts = points;
    rebuildBox();
}

void CPolyline::setPoints(const std::vector<AcGePoint2d>& points) {
    std::vector<CPoint3d> converted(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        converted[i].set(points[i].x, points[i].y, 0.0);
    }
    setPoints(converted);
}

void CPolyline::getPoints(std::vector<CPoint3d>& out) const {
    out = pts;
}

const std::vector<CPoint3d>& CPolyline::getPoints() const {
    return pts;
}

void CPolyline::pushPoint(const CPoint3d& pt) {
    pts.push_back(pt);
    rebuildBox();
}

CPoint3d& CPolyline::operator[](int i) {
    return VertexAt(pts, i);
}

const CPoint3d& CPolyline::operator[](int i) const {
    return VertexAt(pts, i);
}

int CPolyline::numVerts() const {
    return static_cast<int>(pts.size());
}

double CPolyline::length() const {
    double total = 0.0;
    for (size_t i = 1; i < pts.size(); ++i) {
        total += pts[i - 1].distanceTo(pts[i]);
    }
    return total;
}

bool CPolyline::isClosed() const {
    return !pts.empty() && pts.back().isEqualTo(pts.front(), kPointTol);
}

void CPolyline::setClosed(bool closed) {
    if (pts.size() < 3) {
        return;
    }
    if (closed && !isClosed()) {
        const CPoint3d first = pts.front();
        pts.push_back(first);
    } else if (!closed && isClosed()) {
        pts.pop_back();
    }
}

void CPolyline::SetElevation(double z) {
    SetAllZ(pts, z);
}

void CPolyline::ClearError() {
    RemoveSpikes(pts);
    RemoveCollinear(pts);
}

void CPolyline::getBox(CPoint3d& min, CPoint3d& max) const {
    CalBox(pts, min, max);
}

const std::type_info& CPolyline::type() const {
    return typeid(CPolyline);
}

CGeometry* CPolyline::clone() const {
    return new CPolyline(*this);
}

void CPolyline::move(const CVector3d& v) {
    MoveAll(pts, v);
    rebuildBox();
}

void CPolyline::rotate(const CPoint3d& base, double angle) {
    RotateAll(pts, base, angle);
    rebuildBox();
}

void CPolyline::scale(const CPoint3d& base, double factor) {
    ScaleAll(pts, base, factor);
    rebuildBox();
}

void CPolyline::mirror(const CLine& line) {
    MirrorAll(pts, line);
    rebuildBox();
}

bool CPolyline::isValid() const {
    return CGeometry::isValid() && AllValid(pts);
}

void CPolyline::writeRecord(CArchive& ar) const {
    WriteRecordVersion(ar);
    WritePointList(ar, pts);
    ar << static_cast<const CGeometry&>(*this);
}

// Adopts the record only once all of it has been read.
void CPolyline::readRecord(CArchive& ar) {
    ReadRecordVersion(ar);
    std::vector<CPoint3d> read;
    ReadPointList(ar, read);
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    pts.swap(read);
    boxMin = lo;
    boxMax = hi;
}

void CPolyline::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        writeRecord(ar);
    } else {
        readRecord(ar);
    }
}

CArchive& operator<<(CArchive& ar, const CPolyline& pl) {
    RequireStoring(ar);
    pl.writeRecord(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CPolyline& pl) {
    RequireLoading(ar);
    pl.readRecord(ar);
    return ar;
}
