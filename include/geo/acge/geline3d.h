#pragma once
// AcGeLine3d: an infinite 3D line, parameterised by distance along its unit direction.

#include <geo/acge/gelent3d.h>
#include <geo/export.h>

class GEO_API AcGeLine3d : public AcGeLinearEnt3d {
public:
    AcGeLine3d();  // the X axis
    AcGeLine3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLine3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    static const AcGeLine3d kXAxis;
    static const AcGeLine3d kYAxis;
    static const AcGeLine3d kZAxis;

    AcGeLine3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLine3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    bool boundedBelow() const override { return false; }
    bool boundedAbove() const override { return false; }
};
