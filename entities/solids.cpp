// The sphere, cone and pyramid entities: parameters, boxes, transforms, records, snaps.
#include "entities/solid_rings.h"

#include <geo/acge/gearc3d.h>
#include <geo/archive_lists.h>
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/solids.h>

#include <algorithm>

IMPLEMENT_SERIAL(CSphere, CGeometry, 1)
IMPLEMENT_SERIAL(CCone, CGeometry, 1)
IMPLEMENT_SERIAL(CPyramid, CGeometry, 1)

using solids_detail::PyramidRings;
using solids_detail::PyramidTop;
using solids_detail::SampleCircle;

namespace {

// Samples a bounding circle with this many points.
constexpr int kBoxCircleSamples = 20;

// The plan box of the points, with the z of the first in both corners.
void BoxOf(const std::vector<AcGePoint3d>& pts, CPoint3d& lo, CPoint3d& hi) {
    std::vector<CPoint3d> cps;
    cps.reserve(pts.size());
    for (const AcGePoint3d& p : pts) {
        cps.emplace_back(p);
    }
    CalBox(cps, lo, hi);
}

// A direction reflected in the line: the image of start + dir, less start.
CVector3d MirrorDirection(const CVector3d& dir, const CLine& line) {
    const CPoint3d s = line.startPt;
    CPoint3d tip = s + dir;
    tip.mirror(line);
    return tip - s;
}

// A direction turned about the vertical.
CVector3d TurnDirection(const CVector3d& dir, double angle) {
    AcGeVector3d v = dir.toAcGeVector3d();
    v.rotateBy(angle, AcGeVector3d::kZAxis);
    return CVector3d(v);
}

void Append(std::vector<AcGePoint3d>& to, const std::vector<AcGePoint3d>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

namespace solids_detail {

std::vector<AcGePoint3d> SampleCircle(const AcGePoint3d& centre, const AcGeVector3d& normal,
                                      double radius, int samples) {
    AcGeCircArc3d circle;
    circle.set(centre, normal, radius);
    AcGePoint3dArray sampled;
    circle.getSamplePoints(samples, sampled);
    std::vector<AcGePoint3d> pts;
    pts.reserve(static_cast<size_t>(sampled.length()) + 1);
    for (int i = 0; i < sampled.length(); ++i) {
        pts.push_back(sampled[i]);
    }
    if (!pts.empty()) {
        pts.push_back(pts.front());
    }
    return pts;
}

unsigned int UsableSides(const CPyramid& p) {
    return std::min(p.sides, kMaxPyramidSides);
}

AcGePoint3d PyramidTop(const CPyramid& p) {
    return (p.basePt + p.dir * p.height).toAcGePoint3d();
}

namespace {

// Turns every point about the axis through centre along dir.
void TurnRing(std::vector<AcGePoint3d>& ring, const AcGePoint3d& centre, const AcGeVector3d& dir,
              double angle) {
    for (AcGePoint3d& p : ring) {
        AcGeVector3d v = p - centre;
        v.rotateBy(angle, dir);
        p = centre + v;
    }
}

}  // namespace

void PyramidRings(const CPyramid& p, std::vector<AcGePoint3d>& bottom,
                  std::vector<AcGePoint3d>& top) {
    const int samples = static_cast<int>(UsableSides(p)) + 1;
    const AcGePoint3d base = p.basePt.toAcGePoint3d();
    const AcGePoint3d ctop = PyramidTop(p);
    const AcGeVector3d dir = p.dir.toAcGeVector3d();
    bottom = SampleCircle(base, dir, p.bottomRadius, samples);
    top = SampleCircle(ctop, dir, p.topRadius, samples);
    if (bottom.size() <= 1 || bottom.size() != top.size()) {
        return;
    }
    const CPoint3d mid(getMidPoint(bottom[0], bottom[1]));
    const double turn = p.rotation - GetAngle(p.basePt, mid);
    TurnRing(bottom, base, dir, turn);
    TurnRing(top, ctop, dir, turn);
}

}  // namespace solids_detail

// ---- Sphere ----------------------------------------------------------------------------

CSphere::CSphere() = default;

CSphere::CSphere(const CSphere& other) : CGeometry(other), pos(other.pos), radius(other.radius) {
    updateBox();
}

CSphere::~CSphere() = default;

CSphere& CSphere::operator=(const CSphere& other) {
    CGeometry::operator=(other);
    pos = other.pos;
    radius = other.radius;
    updateBox();
    return *this;
}

void CSphere::set(CPoint3d p, double r) {
    pos = p;
    radius = r;
    updateBox();
}

void CSphere::set(BaseData data) {
    set(data.pos, data.radius);
}

CSphere::BaseData CSphere::get() const {
    return BaseData{pos, radius};
}

CPoint3d CSphere::getPos() const {
    return pos;
}

double CSphere::getRadius() const {
    return radius;
}

double CSphere::elevation() const {
    return pos.z - radius;
}

void CSphere::setElevation(double z) {
    pos.z = radius + z;
}

const std::type_info& CSphere::type() const {
    return typeid(CSphere);
}

CGeometry* CSphere::clone() const {
    return new CSphere(*this);
}

void CSphere::mirror(const CLine& line) {
    pos.mirror(line);
    updateBox();
}

void CSphere::move(CVector3d offset) {
    pos += offset;
    updateBox();
}

void CSphere::rotate(CPoint3d base, double angle) {
    pos.rotate(base, angle);
    updateBox();
}

void CSphere::scale(CPoint3d, CVector3d) {}

void CSphere::updateBox() {
    const CVector3d half(radius, radius, radius);
    boxMin = pos + half * -1.0;
    boxMax = pos + half;
}

void CSphere::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << radius << pos;
        CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    double r = 0.0;
    CPoint3d p;
    ar >> r >> p;
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    radius = r;
    pos = p;
    boxMin = lo;
    boxMax = hi;
}

// ---- Cone ------------------------------------------------------------------------------

CCone::CCone() = default;

CCone::CCone(const CCone& other)
    : CGeometry(other),
      basePt(other.basePt),
      dir(other.dir),
      bottomRadius(other.bottomRadius),
      topRadius(other.topRadius),
      height(other.height) {
    updateBox();
}

CCone::~CCone() = default;

CCone& CCone::operator=(const CCone& other) {
    CGeometry::operator=(other);
    basePt = other.basePt;
    dir = other.dir;
    bottomRadius = other.bottomRadius;
    topRadius = other.topRadius;
    height = other.height;
    updateBox();
    return *this;
}

void CCone::set(CPoint3d base, CVector3d axis, double bottom, double top, double h) {
    basePt = base;
    dir = axis;
    dir.normalize();
    bottomRadius = bottom;
    topRadius = top;
    height = h;
    updateBox();
}

void CCone::set(BaseData data) {
    set(data.basePt, data.dir, data.bottomRadius, data.topRadius, data.height);
}

CCone::BaseData CCone::get() const {
    return BaseData{basePt, dir, bottomRadius, topRadius, height};
}

double CCone::elevation() const {
    return basePt.z;
}

void CCone::setElevation(double z) {
    basePt.z = z;
}

const std::type_info& CCone::type() const {
    return typeid(CCone);
}

CGeometry* CCone::clone() const {
    return new CCone(*this);
}

void CCone::mirror(const CLine& line) {
    basePt.mirror(line);
    dir = MirrorDirection(dir, line);
    updateBox();
}

void CCone::move(CVector3d offset) {
    basePt += offset;
    updateBox();
}

void CCone::rotate(CPoint3d base, double angle) {
    basePt.rotate(base, angle);
    dir = TurnDirection(dir, angle);
    updateBox();
}

void CCone::scale(CPoint3d, CVector3d) {}

void CCone::updateBox() {
    const AcGeVector3d axis = dir.toAcGeVector3d();
    std::vector<AcGePoint3d> pts =
        SampleCircle(basePt.toAcGePoint3d(), axis, bottomRadius, kBoxCircleSamples);
    Append(pts, SampleCircle((basePt + dir * height).toAcGePoint3d(), axis, topRadius,
                             kBoxCircleSamples));
    BoxOf(pts, boxMin, boxMax);
}

void CCone::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << bottomRadius << height << topRadius << dir << basePt;
        CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    BaseData d;
    ar >> d.bottomRadius >> d.height >> d.topRadius >> d.dir >> d.basePt;
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    basePt = d.basePt;
    dir = d.dir;
    bottomRadius = d.bottomRadius;
    topRadius = d.topRadius;
    height = d.height;
    boxMin = lo;
    boxMax = hi;
}

// ---- Pyramid ---------------------------------------------------------------------------

CPyramid::CPyramid() = default;

CPyramid::CPyramid(const CPyramid& other) : CGeometry(other) {
    set(other.get());
}

CPyramid::~CPyramid() = default;

CPyramid& CPyramid::operator=(const CPyramid& other) {
    CGeometry::operator=(other);
    set(other.get());
    return *this;
}

void CPyramid::set(CPoint3d base, CVector3d axis, double bottom, double top, double h, double rot,
                   unsigned int n) {
    basePt = base;
    dir = axis;
    bottomRadius = bottom;
    topRadius = top;
    height = h;
    rotation = rot;
    sides = n;
    updateBox();
}

void CPyramid::set(BaseData d) {
    set(d.basePt, d.dir, d.bottomRadius, d.topRadius, d.height, d.rotation, d.sides);
}

CPyramid::BaseData CPyramid::get() const {
    return BaseData{basePt, dir, bottomRadius, topRadius, height, rotation, sides};
}

double CPyramid::elevation() const {
    return basePt.z;
}

void CPyramid::setElevation(double z) {
    basePt.z = z;
}

const std::type_info& CPyramid::type() const {
    return typeid(CPyramid);
}

CGeometry* CPyramid::clone() const {
    return new CPyramid(*this);
}

void CPyramid::mirror(const CLine& line) {
    basePt.mirror(line);
    dir = MirrorDirection(dir, line);
    updateBox();
}

void CPyramid::move(CVector3d offset) {
    basePt += offset;
    updateBox();
}

void CPyramid::rotate(CPoint3d base, double angle) {
    basePt.rotate(base, angle);
    dir = TurnDirection(dir, angle);
    updateBox();
}

void CPyramid::scale(CPoint3d, CVector3d) {}

void CPyramid::updateBox() {
    std::vector<AcGePoint3d> bottom, top;
    PyramidRings(*this, bottom, top);
    Append(bottom, top);
    BoxOf(bottom, boxMin, boxMax);
}

void CPyramid::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << rotation << bottomRadius << height << sides << topRadius << dir << basePt;
        CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    BaseData d;
    ar >> d.rotation >> d.bottomRadius >> d.height >> d.sides >> d.topRadius >> d.dir >> d.basePt;
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    basePt = d.basePt;
    dir = d.dir;
    bottomRadius = d.bottomRadius;
    topRadius = d.topRadius;
    height = d.height;
    rotation = d.rotation;
    sides = d.sides;
    boxMin = lo;
    boxMax = hi;
}

// ---- Snap points -----------------------------------------------------------------------

namespace {

// Ring corners in bottom/top pairs, then the base and top centres.
void AppendPyramidSnaps(const CPyramid& p, std::vector<CPoint3d>& out) {
    std::vector<AcGePoint3d> bottom, top;
    PyramidRings(p, bottom, top);
    const size_t pairs = std::min(bottom.size(), top.size());
    for (size_t i = 0; i < pairs; ++i) {
        out.emplace_back(bottom[i]);
        out.emplace_back(top[i]);
    }
    out.push_back(p.basePt);
    out.emplace_back(PyramidTop(p));
}

}  // namespace

bool get3dSolidSnapPoints(CGeometry* g, std::vector<CPoint3d>& out) {
    if (g == nullptr) {
        return false;
    }
    const std::type_info& t = g->type();
    if (t == typeid(CSphere)) {
        out.push_back(static_cast<CSphere*>(g)->pos);
    } else if (t == typeid(CCone)) {
        out.push_back(static_cast<CCone*>(g)->basePt);
    } else if (t == typeid(CPyramid)) {
        AppendPyramidSnaps(*static_cast<CPyramid*>(g), out);
    }
    return true;
}
