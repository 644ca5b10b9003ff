// CPolygon3D: construction, the plane frame, keeping both outlines in step, transforms, archive.
#include <geo/polygon3d.h>

#include <geo/acge/gemat3d.h>
#include <geo/archive_lists.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/mfc/exceptions.h>

#include "foundation/plane_frame.h"
#include "toolkit/polygon_outline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "foundation/numeric.h"

IMPLEMENT_SERIAL(CPolygon3D, CGeometry, 1)

using geo_detail::PlaneFrame;

namespace {

// Records older than this version stop after the normal.
constexpr double kCurrentVersion = 2.1;
constexpr double kVersionTol = 1e-6;
// Bytes that follow the world points in a current record: three doubles and the base record.
constexpr ULONGLONG kTailBytes = 3 * sizeof(double) + kGeometryRecordBytes;

using geo_detail::isFiniteXYZ;

}  // namespace

// ---- construction --------------------------------------------------------------------------

CPolygon3D::CPolygon3D() : ucs(0.0, 0.0, 1.0), areaPrjXY(0.0), elevation(0.0), thickness(0.0) {}

CPolygon3D::CPolygon3D(const CPolygon& p, const CVector3d& n, double e)
    : ucsPolygon(p), ucs(0.0, 0.0, 1.0), areaPrjXY(0.0), elevation(e), thickness(0.0) {
    settleNormal(n);
    ucsPolygon.setPtElev(0.0);
    initWorldPts();
}

CPolygon3D::CPolygon3D(const std::vector<CPoint3d>& pts, const CVector3d& n) : CPolygon3D() {
    setWorldPts(pts, n);
}

CPolygon3D::CPolygon3D(const std::vector<AcGePoint3d>& pts, const AcGeVector3d& n) : CPolygon3D() {
    setWorldPts(pts, n);
}

CPolygon3D::CPolygon3D(const CPolygon3D& other)
    : CGeometry(other),
      ucsPolygon(other.ucsPolygon),
      ucs(other.ucs),
      worldPts(other.worldPts),
      areaPrjXY(other.areaPrjXY),
      elevation(other.elevation),
      thickness(other.thickness) {
    boxMin = other.boxMin;
    boxMax = other.boxMax;
}

CPolygon3D::~CPolygon3D() = default;

CPolygon3D& CPolygon3D::operator=(const CPolygon3D& other) {
    if (this == &other) {
        return *this;
    }
    ucsPolygon = other.ucsPolygon;
    ucs = other.ucs;
    worldPts = other.worldPts;
    areaPrjXY = other.areaPrjXY;
    elevation = other.elevation;
    thickness = other.thickness;
    boxMin = other.boxMin;
    boxMax = other.boxMax;
    return *this;
}

// ---- plane frame ---------------------------------------------------------------------------

AcGePlane CPolygon3D::planeAt(double e) const {
    return PlaneFrame{ucs, elevation}.planeAt(e);
}

void CPolygon3D::world2ucs(const AcGePoint3d& in, AcGePoint3d& out) const {
    PlaneFrame{ucs, elevation}.toFrame(in, out);
}

void CPolygon3D::world2ucs(const CPoint3d& in, CPoint3d& out) const {
    AcGePoint3d q;
    world2ucs(in.toAcGePoint3d(), q);
    out.set(q.x, q.y, q.z);
}

void CPolygon3D::ucs2world(const AcGePoint3d& in, AcGePoint3d& out) const {
    PlaneFrame{ucs, elevation}.toWorld(in, out);
}

void CPolygon3D::ucs2world(const CPoint3d& in, CPoint3d& out) const {
    AcGePoint3d q;
    ucs2world(in.toAcGePoint3d(), q);
    out.set(q.x, q.y, q.z);
}

void CPolygon3D::changeWorldToUcs(std::vector<AcGePoint3d>& pts, double z) const {
    PlaneFrame{ucs, elevation}.toFrame(pts, z);
}

void CPolygon3D::changeWorldToUcs(std::vector<CPoint3d>& pts, double z) const {
    PlaneFrame{ucs, elevation}.toFrame(pts, z);
}

void CPolygon3D::changeUcsToWorld(std::vector<AcGePoint3d>& pts) const {
    PlaneFrame{ucs, elevation}.toWorld(pts);
}

void CPolygon3D::changeUcsToWorld(std::vector<CPoint3d>& pts) const {
    PlaneFrame{ucs, elevation}.toWorld(pts);
}

// ---- accessors -----------------------------------------------------------------------------

std::vector<CPoint3d>& CPolygon3D::getWorldPts() {
    return worldPts;
}

const std::vector<CPoint3d>& CPolygon3D::getWorldPts() const {
    return worldPts;
}

void CPolygon3D::getWorldPts(std::vector<CPoint3d>& out) const {
    out = worldPts;
}

void CPolygon3D::getWorldPts(std::vector<AcGePoint3d>& out) const {
    out.clear();
    out.reserve(worldPts.size());
    for (const CPoint3d& p : worldPts) {
        out.push_back(p.toAcGePoint3d());
    }
}

std::vector<AcGePoint3d> CPolygon3D::getAcWorldPts() const {
    std::vector<AcGePoint3d> out;
    getWorldPts(out);
    return out;
}

void CPolygon3D::getUcsPts(std::vector<CPoint3d>& out) const {
    ucsPolygon.getPoints(out);
}

std::vector<CPoint3d> CPolygon3D::getUcsPts() const {
    return ucsPolygon.getPoints();
}

void CPolygon3D::getUcsPts(std::vector<AcGePoint3d>& out) const {
    out.clear();
    for (const CPoint3d& p : ucsPolygon.getPoints()) {
        out.push_back(p.toAcGePoint3d());
    }
}

std::vector<AcGePoint3d> CPolygon3D::getAcucsPts() const {
    std::vector<AcGePoint3d> out;
    getUcsPts(out);
    return out;
}

CPolygon* CPolygon3D::getUcsPolygon() {
    return &ucsPolygon;
}

double CPolygon3D::getArea() const {
    return ucsPolygon.area();
}

double CPolygon3D::getAreaPrjXY() const {
    return areaPrjXY;
}

CVector3d& CPolygon3D::getUcs() {
    return ucs;
}

void CPolygon3D::getUcs(CVector3d& out) const {
    out = ucs;
}

AcGeVector3d CPolygon3D::getAcucs() const {
    return ucs.toAcGeVector3d();
}

void CPolygon3D::getAcucs(AcGeVector3d& out) const {
    out = ucs.toAcGeVector3d();
}

double CPolygon3D::getElev() const {
    return elevation;
}

double CPolygon3D::getThickness() const {
    return thickness;
}

void CPolygon3D::setThickness(double t) {
    thickness = t;
}

// ---- keeping the two outlines in step ------------------------------------------------------

void CPolygon3D::settleNormal(const CVector3d& n) {
    ucs = geo_detail::settledNormal(n, worldPts);
}

void CPolygon3D::setElev(double e, bool rebuild) {
    elevation = e;
    if (rebuild) {
        initWorldPts();
    }
}

void CPolygon3D::setUcsPts(const std::vector<CPoint3d>& pts) {
    ucsPolygon.setPoints(pts, true);
    ucsPolygon.setPtElev(0.0);
    initWorldPts();
}

void CPolygon3D::setUcsPts(const std::vector<AcGePoint3d>& pts) {
    std::vector<CPoint3d> own;
    own.reserve(pts.size());
    for (const AcGePoint3d& p : pts) {
        own.emplace_back(p);
    }
    setUcsPts(own);
}

void CPolygon3D::setUcsPolygon(const CPolygon& p) {
    ucsPolygon = p;
    ucsPolygon.setPtElev(0.0);
    initWorldPts();
}

void CPolygon3D::setWorldPts(const std::vector<CPoint3d>& pts) {
    setWorldPts(pts, ucs);
}

void CPolygon3D::setWorldPts(const std::vector<CPoint3d>& pts, const CVector3d& n) {
    if (pts.size() < 3) {
        return;
    }
    worldPts = geo_detail::openWorldOutline(pts);
    settleNormal(n);
    rebuildFromWorld();
}

void CPolygon3D::setWorldPts(const std::vector<AcGePoint3d>& pts, const AcGeVector3d& n) {
    std::vector<CPoint3d> own;
    own.reserve(pts.size());
    for (const AcGePoint3d& p : pts) {
        own.emplace_back(p);
    }
    setWorldPts(own, CVector3d(n));
}

void CPolygon3D::initWorldPts() {
    worldPts = ucsPolygon.getPoints();
    changeUcsToWorld(worldPts);
    calElev();
    calArea();
    calBox();
}

// The plane outline follows the world outline. Both end counter-clockwise about the normal.
// When the polygon's own normalisation merges near-coincident vertices (or orders a
// degenerate outline its own way), the world outline is rebuilt from the plane outline so
// that vertex i of one is always vertex i of the other.
void CPolygon3D::rebuildFromWorld() {
    geo_detail::FramedOutline framed = geo_detail::frameOutline(worldPts, ucs, elevation);
    worldPts = std::move(framed.world);
    ucsPolygon.setPoints(framed.plane, false);
    elevation = framed.elevation;
    calArea();
    calBox();
}

void CPolygon3D::calElev() {
    if (!worldPts.empty()) {
        elevation = PlaneFrame{ucs, elevation}.elevationOf(worldPts[0]);
    }
}

void CPolygon3D::calArea() {
    areaPrjXY = CalPolyArea(worldPts);
}

void CPolygon3D::calBox() {
    if (worldPts.empty()) {
        boxMin = CPoint3d();
        boxMax = CPoint3d();
        return;
    }
    CalBox3D(worldPts, boxMin, boxMax);
}

// ---- transforms ----------------------------------------------------------------------------

const std::type_info& CPolygon3D::type() const {
    return typeid(CPolygon3D);
}

CGeometry* CPolygon3D::clone() const {
    return new CPolygon3D(*this);
}

// A transform with a non-finite parameter changes nothing, so the state stays finite.
void CPolygon3D::move(const CVector3d& v) {
    if (!isFiniteXYZ(v)) {
        return;
    }
    for (CPoint3d& p : worldPts) {
        p += v;
    }
    rebuildFromWorld();
}

void CPolygon3D::rotate(const CPoint3d& base, double angle) {
    if (!isFiniteXYZ(base) || !std::isfinite(angle)) {
        return;
    }
    for (CPoint3d& p : worldPts) {
        p.rotate(base, angle);
    }
    ucs.rotate(angle, CVector3d::kZAxis);
    settleNormal(ucs);
    rebuildFromWorld();
}

void CPolygon3D::rotate(const AcGeVector3d& axis, const AcGePoint3d& base, double angle) {
    rotate(CVector3d(axis), CPoint3d(base), angle);
}

void CPolygon3D::rotate(const CVector3d& axis, const CPoint3d& base, double angle) {
    CVector3d unitAxis;
    if (!geo_detail::unitOf(axis, unitAxis) || !isFiniteXYZ(base) || !std::isfinite(angle)) {
        return;  // no axis to turn about
    }
    const AcGeVector3d acAxis = unitAxis.toAcGeVector3d();
    const AcGePoint3d acBase = base.toAcGePoint3d();
    for (CPoint3d& p : worldPts) {
        AcGePoint3d q = p.toAcGePoint3d();
        q.rotateBy(angle, acAxis, acBase);
        p.set(q.x, q.y, q.z);
    }
    ucs.rotate(angle, unitAxis);
    settleNormal(ucs);
    rebuildFromWorld();
}

void CPolygon3D::scale(const CPoint3d& base, double factor) {
    if (!isFiniteXYZ(base) || !std::isfinite(factor)) {
        return;
    }
    for (CPoint3d& p : worldPts) {
        p.scale(factor, base);
    }
    rebuildFromWorld();
}

void CPolygon3D::mirror(const CLine& line) {
    if (!isFiniteXYZ(line.startPt) || !isFiniteXYZ(line.endPt)) {
        return;
    }
    for (CPoint3d& p : worldPts) {
        p.mirror(line);
    }
    std::reverse(worldPts.begin(), worldPts.end());
    // The normal is a direction: mirror its tip as a point hung off the line's start.
    const CPoint3d& s = line.startPt;
    CPoint3d tip = s + ucs;
    tip.mirror(line);
    settleNormal(tip - s);
    rebuildFromWorld();
}

void CPolygon3D::mirror(const AcGePlane& plane) {
    std::vector<CPoint3d> pts = worldPts;
    for (CPoint3d& p : pts) {
        AcGePoint3d q = p.toAcGePoint3d();
        q.mirror(plane);
        p.set(q.x, q.y, q.z);
    }
    AcGeVector3d n = ucs.toAcGeVector3d();
    n.mirror(plane.normal());
    setWorldPts(pts, CVector3d(n));
}

void CPolygon3D::mirror(CPolygon3D& o) {
    AcGePlane plane;
    o.GetPlane(plane);
    mirror(plane);
}

// ---- archive -------------------------------------------------------------------------------

void CPolygon3D::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar, kCurrentVersion);
        ucsPolygon.Serialize(ar);
        ucs.Serialize(ar);
        ar << static_cast<std::int32_t>(worldPts.size());
        for (CPoint3d& p : worldPts) {
            p.Serialize(ar);
        }
        ar << areaPrjXY << elevation << thickness;
        CGeometry::Serialize(ar);
        return;
    }
    // Read into a copy (the older layout needs this object's elevation), adopted only once
    // the whole record has been read, so a short record leaves this polygon as it was.
    CPolygon3D read(*this);
    read.readRecord(ar);
    *this = read;
    // Assigning a polygon rebuilds its box; the plane outline keeps the box it was stored with.
    ucsPolygon.boxMin = read.ucsPolygon.boxMin;
    ucsPolygon.boxMax = read.ucsPolygon.boxMax;
}

// The loading half of Serialize, in place.
void CPolygon3D::readRecord(CArchive& ar) {
    const double version = ReadRecordVersion(ar);
    ucsPolygon.Serialize(ar);
    ucs.Serialize(ar);
    if (FloatComp(version, kCurrentVersion, kVersionTol) < 0) {
        // The older layout stores no world outline: derive it from the plane outline at
        // the elevation this object already has.
        settleNormal(ucs);
        initWorldPts();
    } else {
        readCurrentTail(ar);
        settleNormal(ucs);
    }
    CGeometry::Serialize(ar);
}

// The world points, projected area, elevation and thickness of a current record.
void CPolygon3D::readCurrentTail(CArchive& ar) {
    std::int32_t count = 0;
    ar >> count;
    if (count < 0) {
        AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    ar.EnsureAvailable(static_cast<ULONGLONG>(count) * kPointRecordBytes + kTailBytes);
    std::vector<CPoint3d> pts(static_cast<size_t>(count));
    for (CPoint3d& p : pts) {
        p.Serialize(ar);
    }
    worldPts.swap(pts);
    ar >> areaPrjXY >> elevation >> thickness;
}
