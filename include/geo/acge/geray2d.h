#pragma once
// AcGeRay2d: a 2D half line from its start point, parameterised by distance from it.

#include <geo/acge/gelent2d.h>
#include <geo/export.h>

class GEO_API AcGeRay2d : public AcGeLinearEnt2d {
public:
    AcGeRay2d();  // from the origin along +X
    AcGeRay2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeRay2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);

    AcGeRay2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeRay2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    bool boundedBelow() const override { return true; }
    bool boundedAbove() const override { return false; }
};
