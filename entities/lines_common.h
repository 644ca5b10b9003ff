// Tolerances and small plan helpers shared by the linear entities' sources.
#pragma once

#include <geo/archive_lists.h>
#include <geo/geometry.h>
#include <geo/point3d.h>

#include "foundation/numeric.h"

namespace lines_detail {

// Points closer than this on every axis count as one.
using geo_detail::kHalfPi;
using geo_detail::kPi;
using geo_detail::kPointTol;

// The z component of a x b: the plan cross product.
inline double planCross(const CVector3d& a, const CVector3d& b) {
    return a.x * b.y - a.y * b.x;
}

// Foot of the perpendicular from p on the infinite line through a and b;
// a itself when the two points coincide exactly.
inline CPoint3d footOnLine(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p) {
    const CVector3d d = b - a;
    const double dd = d.getDotProduct(d);
    if (dd == 0.0)
        return a;
    return a + d * ((p - a).getDotProduct(d) / dd);
}

// The record of an entity defined by two fields (points or vectors): the version, both
// fields, the base record. Reading adopts the fields and the box only once all are read,
// so a short record leaves the entity as it was.
template <class A, class B>
void SerializeTwoFields(CArchive& ar, CGeometry& entity, A& first, B& second) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << first << second;
        entity.CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    A a;
    B b;
    ar >> a >> b;
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    first = a;
    second = b;
    entity.boxMin = lo;
    entity.boxMax = hi;
}

}  // namespace lines_detail
