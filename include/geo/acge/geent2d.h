// AcGeEntity2d: abstract base of every 2D geometric entity (type id, copy, transform).
#pragma once

#include <geo/acge/gegbl.h>
#include <geo/acge/gemat2d.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/getol.h>
#include <geo/export.h>

class AcGeLine2d;

// Each derived class reports its own id from type() and overrides isKindOf as
//   return id == AcGe::kMine || Base::isKindOf(id);
// so that an entity is a kind of every class it derives from.
class GEO_API AcGeEntity2d {
public:
    virtual ~AcGeEntity2d();

    virtual bool isKindOf(AcGe::EntityId entType) const;
    virtual AcGe::EntityId type() const = 0;
    // A heap copy of the same dynamic type; the caller deletes it.
    virtual AcGeEntity2d* copy() const = 0;

    bool operator==(const AcGeEntity2d& entity) const { return isEqualTo(entity); }
    bool operator!=(const AcGeEntity2d& entity) const { return !isEqualTo(entity); }
    // Same type and same geometry within `tol`.
    virtual bool isEqualTo(const AcGeEntity2d& entity,
                           const AcGeTol& tol = AcGeContext::gTol) const = 0;

    virtual AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) = 0;
    AcGeEntity2d& translateBy(const AcGeVector2d& translateVec);
    AcGeEntity2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    AcGeEntity2d& mirror(const AcGeLine2d& line);
    AcGeEntity2d& scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    virtual bool isOn(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

protected:
    AcGeEntity2d() = default;
    AcGeEntity2d(const AcGeEntity2d&) = default;
    AcGeEntity2d& operator=(const AcGeEntity2d&) = default;
};
