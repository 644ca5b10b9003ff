#pragma once
// AcGeRay3d: a 3D half line from its start point, parameterised by distance from it.

#include <geo/acge/gelent3d.h>
#include <geo/export.h>

class GEO_API AcGeRay3d : public AcGeLinearEnt3d {
public:
    AcGeRay3d();  // from the origin along +X
    AcGeRay3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeRay3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    AcGeRay3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeRay3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    bool boundedBelow() const override { return true; }
    bool boundedAbove() const override { return false; }
};
