// AcGeEntity2d and AcGeEntity3d: type ancestry and the transforms built on transformBy.
#include <geo/acge/geent2d.h>
#include <geo/acge/geent3d.h>
#include <geo/acge/geplane.h>

AcGeEntity2d::~AcGeEntity2d() = default;

bool AcGeEntity2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kEntity2d;
}

AcGeEntity2d& AcGeEntity2d::translateBy(const AcGeVector2d& translateVec) {
    return transformBy(AcGeMatrix2d::translation(translateVec));
}

AcGeEntity2d& AcGeEntity2d::rotateBy(double angle, const AcGePoint2d& wrtPoint) {
    return transformBy(AcGeMatrix2d::rotation(angle, wrtPoint));
}

AcGeEntity2d& AcGeEntity2d::mirror(const AcGeLine2d& line) {
    return transformBy(AcGeMatrix2d::mirroring(line));
}

AcGeEntity2d& AcGeEntity2d::scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint) {
    return transformBy(AcGeMatrix2d::scaling(scaleFactor, wrtPoint));
}

AcGeEntity3d::~AcGeEntity3d() = default;

bool AcGeEntity3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kEntity3d;
}

AcGeEntity3d& AcGeEntity3d::translateBy(const AcGeVector3d& translateVec) {
    return transformBy(AcGeMatrix3d::translation(translateVec));
}

AcGeEntity3d& AcGeEntity3d::rotateBy(double angle, const AcGeVector3d& vec,
                                     const AcGePoint3d& wrtPoint) {
    return transformBy(AcGeMatrix3d::rotation(angle, vec, wrtPoint));
}

AcGeEntity3d& AcGeEntity3d::mirror(const AcGePlane& plane) {
    return transformBy(AcGeMatrix3d::mirroring(plane));
}

AcGeEntity3d& AcGeEntity3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint) {
    return transformBy(AcGeMatrix3d::scaling(scaleFactor, wrtPoint));
}
