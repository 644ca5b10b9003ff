// AcGeEntity3d: abstract base of every 3D geometric entity (type id, copy, transform).
#pragma once

#include <geo/acge/gegbl.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/getol.h>
#include <geo/export.h>

class AcGePlane;

// Each derived class reports its own id from type() and overrides isKindOf as
//   return id == AcGe::kMine || Base::isKindOf(id);
// so that an entity is a kind of every class it derives from.
class GEO_API AcGeEntity3d {
public:
    virtual ~AcGeEntity3d();

    virtual bool isKindOf(AcGe::EntityId entType) const;
    virtual AcGe::EntityId type() const = 0;
    // A heap copy of the same dynamic type; the caller deletes it.
    virtual AcGeEntity3d* copy() const = 0;

    bool operator==(const AcGeEntity3d& entity) const { return isEqualTo(entity); }
    bool operator!=(const AcGeEntity3d& entity) const { return !isEqualTo(entity); }
    // Same type and same geometry within `tol`.
    virtual bool isEqualTo(const AcGeEntity3d& entity,
                           const AcGeTol& tol = AcGeContext::gTol) const = 0;

    virtual AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) = 0;
    AcGeEntity3d& translateBy(const AcGeVector3d& translateVec);
    AcGeEntity3d& rotateBy(double angle, const AcGeVector3d& vec,
                           const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    AcGeEntity3d& mirror(const AcGePlane& plane);
    AcGeEntity3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    virtual bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

protected:
    AcGeEntity3d() = default;
    AcGeEntity3d(const AcGeEntity3d&) = default;
    AcGeEntity3d& operator=(const AcGeEntity3d&) = default;
};
