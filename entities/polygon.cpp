// The polygon entity: normalised outline, clean-up, transforms, boolean and archive record.
#include <geo/archive_lists.h>
#include <geo/cleanup.h>
#include <geo/conversions.h>
#include <geo/gpc_contours.h>
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include "entities/polylines_common.h"
#include "toolkit/polygon_outline.h"

#include <algorithm>
#include <cmath>

using namespace polylines_detail;

IMPLEMENT_SERIAL(CPolygon, CGeometry, 1)

namespace {

// A boolean whose outer pieces cover no more than this reports failure.
constexpr double kBooleanMinArea = 0.01;

// Erases the last vertex while it lies on the segment from the one before it to the first.
void RemoveClosingCollinear(std::vector<CPoint3d>& pts) {
    const size_t n = pts.size();
    if (n >= 3 && CLineSeg(pts[n - 2], pts[0]).isOn(pts[n - 1], kCleanupOnTol)) {
        pts.pop_back();
    }
}

// Erases each vertex whose predecessor lies on the line through it and its successor.
void RemoveRingCollinear(std::vector<CPoint3d>& pts) {
    size_t j = 0;
    while (j < pts.size()) {
        const size_t n = pts.size();
        const CPoint3d& prev = pts[(n + j - 1) % n];
        const CPoint3d& next = pts[(j + 1) % n];
        if (CLine(pts[j], next).isOn(prev, kCleanupOnTol)) {
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(j));
        } else {
            ++j;
        }
    }
}

// Disjoint in plan, as the intersection's early exit tests it.
bool BoxesDisjoint(const CPoint3d& minA, const CPoint3d& maxA, const CPoint3d& minB,
                   const CPoint3d& maxB) {
    return minB.x > maxA.x || minB.y > maxA.y || minA.x > maxB.x || minA.y > maxB.y;
}

// Appends every outer contour of result to out as a normalised polygon; their total area.
double AppendOuterContours(const gpc::gpc_polygon& result, std::vector<CPolygon>& out) {
    double total = 0.0;
    for (const std::vector<CPoint3d>& outline : GpcContoursOfKind(result, false)) {
        out.emplace_back(outline, true);
        total += out.back().area();
    }
    return total;
}

}  // namespace

CPolygon::CPolygon() = default;

CPolygon::CPolygon(const std::vector<CPoint3d>& points, bool norm) {
    setPoints(points, norm);
}

CPolygon::CPolygon(const std::vector<AcGePoint3d>& points) {
    pts.reserve(points.size());
    for (const AcGePoint3d& p : points) {
        pts.push_back(AcPnt3dToPnt3d(p));
    }
    normalize();
    rebuildBox();
}

CPolygon::CPolygon(const CPolygon& other)
    : CGeometry(other), elev(other.elev), thick(other.thick), pts(other.pts) {
    rebuildBox();
}

CPolygon::~CPolygon() = default;

CPolygon& CPolygon::operator=(const CPolygon& other) {
    CGeometry::operator=(other);
    elev = other.elev;
    thick = other.thick;
    pts = other.pts;
    rebuildBox();
    return *this;
}

void CPolygon::rebuildBox() {
    CalBox(pts, boxMin, boxMax);
}

void CPolygon::setPoints(const std::vector<CPoint3d>& points, bool norm) {
    pts = points;
    if (norm) {
        normalize();
    }
    rebuildBox();
}

std::vector<CPoint3d> CPolygon::getPoints() const {
    return pts;
}

void CPolygon::getPoints(std::vector<CPoint3d>& out) const {
    out = pts;
}

CPoint3d& CPolygon::operator[](int i) {
    return VertexAt(pts, i);
}

const CPoint3d& CPolygon::operator[](int i) const {
    return VertexAt(pts, i);
}

int CPolygon::numVerts() const {
    return static_cast<int>(pts.size());
}

CPoint3d CPolygon::pointAt(unsigned int i) const {
    return i < pts.size() ? pts[i] : CPoint3d();
}

CLineSeg CPolygon::lineSegAt(unsigned int i) const {
    if (i >= pts.size()) {
        return CLineSeg();
    }
    return CLineSeg(pts[i], pts[(i + 1) % pts.size()]);
}

double CPolygon::length() const {
    double total = 0.0;
    for (size_t i = 0; i < pts.size(); ++i) {
        total += pts[i].distanceTo(pts[(i + 1) % pts.size()]);
    }
    return total;
}

double CPolygon::area() const {
    return CalPolyArea(pts);
}

void CPolygon::setPtElev(double z) {
    SetAllZ(pts, z);
}

double CPolygon::elevation() const {
    return elev;
}

void CPolygon::setElevation(double e) {
    elev = e;
}

double CPolygon::thickness() const {
    return thick;
}

void CPolygon::setThickness(double t) {
    thick = t;
}

void CPolygon::normalize() {
    geo_detail::tidyPolygonOutline(pts);
}

void CPolygon::ClearError() {
    RemoveSpikes(pts);
    RemoveCollinear(pts);
    RemoveClosingCollinear(pts);
    RemoveRingCollinear(pts);
    normalize();
}

unsigned int CPolygon::numTriangles() const {
    return pts.size() >= 3 ? static_cast<unsigned int>(pts.size() - 2) : 0u;
}

bool CPolygon::booleanOper(const CPolygon& other, std::vector<CPolygon>& out,
                           gpc::gpc_op op) const {
    // Everything read from the operands is taken before out is cleared: either may live in out.
    const bool enoughVertices = pts.size() >= 3 && other.pts.size() >= 3;
    const bool disjoint = BoxesDisjoint(boxMin, boxMax, other.boxMin, other.boxMax);
    gpc::gpc_polygon subject{0, nullptr, nullptr};
    gpc::gpc_polygon clip{0, nullptr, nullptr};
    if (enoughVertices && !(op == gpc::GPC_INT && disjoint)) {
        AddPtarrToPolygon(pts, &subject, 0);
        AddPtarrToPolygon(other.pts, &clip, 0);
    }
    out.clear();
    if (subject.num_contours == 0 || clip.num_contours == 0) {
        gpc::gpc_free_polygon(&subject);
        gpc::gpc_free_polygon(&clip);
        return false;
    }
    gpc::gpc_polygon result{0, nullptr, nullptr};
    gpc::gpc_polygon_clip(op, &subject, &clip, &result);
    gpc::gpc_free_polygon(&subject);
    gpc::gpc_free_polygon(&clip);
    if (result.num_contours <= 0 || (result.hole != nullptr && result.hole[0] != 0)) {
        gpc::gpc_free_polygon(&result);
        return false;
    }
    const double total = AppendOuterContours(result, out);
    gpc::gpc_free_polygon(&result);
    return total > kBooleanMinArea;
}

void CPolygon::getBox(CPoint3d& min, CPoint3d& max) const {
    CalBox(pts, min, max);
}

const std::type_info& CPolygon::type() const {
    return typeid(CPolygon);
}

CGeometry* CPolygon::clone() const {
    return new CPolygon(*this);
}

void CPolygon::move(const CVector3d& v) {
    MoveAll(pts, v);
    rebuildBox();
}

void CPolygon::rotate(const CPoint3d& base, double angle) {
    RotateAll(pts, base, angle);
    rebuildBox();
}

void CPolygon::scale(const CPoint3d& base, double factor) {
    ScaleAll(pts, base, factor);
    rebuildBox();
}

void CPolygon::mirror(const CLine& line) {
    MirrorAll(pts, line);
    normalize();
    rebuildBox();
}

bool CPolygon::isValid() const {
    return CGeometry::isValid() && AllValid(pts) && std::isfinite(elev) && std::isfinite(thick);
}

void CPolygon::writeRecord(CArchive& ar) const {
    WriteRecordVersion(ar);
    ar << elev << thick;
    WritePointList(ar, pts);
    ar << static_cast<const CGeometry&>(*this);
}

// Adopts the record only once all of it has been read.
void CPolygon::readRecord(CArchive& ar) {
    ReadRecordVersion(ar);
    double e = 0.0, t = 0.0;
    ar >> e >> t;
    std::vector<CPoint3d> read;
    ReadPointList(ar, read);
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    elev = e;
    thick = t;
    pts.swap(read);
    boxMin = lo;
    boxMax = hi;
}

void CPolygon::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        writeRecord(ar);
    } else {
        readRecord(ar);
    }
}

CArchive& operator<<(CArchive& ar, const CPolygon& pg) {
    RequireStoring(ar);
    pg.writeRecord(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CPolygon& pg) {
    RequireLoading(ar);
    pg.readRecord(ar);
    return ar;
}
