// The base class of every entity.
#include <geo/archive_lists.h>
#include <geo/geometry.h>

IMPLEMENT_SERIAL(CGeometry, CObject, 1)

CGeometry::CGeometry() : CObject(), boxMin(), boxMax() {}

CGeometry::CGeometry(const CGeometry&) : CObject(), boxMin(), boxMax() {}

CGeometry& CGeometry::operator=(const CGeometry&) {
    return *this;
}

CGeometry::~CGeometry() = default;

void CGeometry::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << *this;
    } else {
        ar >> *this;
    }
}

const std::type_info& CGeometry::type() const {
    return typeid(*this);
}

CGeometry* CGeometry::clone() const {
    return new CGeometry();
}

void CGeometry::move(const CVector3d&) {}

void CGeometry::rotate(const CPoint3d&, double) {}

void CGeometry::scale(const CPoint3d&, double) {}

void CGeometry::mirror(const CLine&) {}

void CGeometry::getMesh(std::vector<MeshData>&) const {}

bool CGeometry::isValid() const {
    return boxMin.isValid() && boxMax.isValid();
}

void CGeometry::box(CPoint3d& min, CPoint3d& max) const {
    if (&min != &boxMin) {
        min = boxMin;
    }
    if (&max != &boxMax) {
        max = boxMax;
    }
}

CArchive& operator<<(CArchive& ar, const CGeometry& g) {
    WriteRecordVersion(ar);
    return ar << g.boxMin << g.boxMax;
}

// The box changes only when the whole record was read.
CArchive& operator>>(CArchive& ar, CGeometry& g) {
    ReadRecordVersion(ar);
    CPoint3d min;
    CPoint3d max;
    ar >> min >> max;
    g.boxMin = min;
    g.boxMax = max;
    return ar;
}

void ReadGeometryBox(CArchive& ar, CPoint3d& min, CPoint3d& max) {
    CGeometry base;
    ar >> base;
    min = base.boxMin;
    max = base.boxMax;
}
