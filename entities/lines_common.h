// The quarter turn and the record helper shared by the linear entities' sources.
#pragma once

#include <geo/archive_lists.h>
#include <geo/geometry.h>
#include <geo/point3d.h>

#include "foundation/numeric.h"

namespace lines_detail {

using geo_detail::kHalfPi;

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
