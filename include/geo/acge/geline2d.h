#pragma once
// AcGeLine2d: an infinite 2D line, parameterised by distance along its unit direction.

#include <geo/acge/gelent2d.h>
#include <geo/export.h>

class GEO_API AcGeLine2d : public AcGeLinearEnt2d {
public:
    AcGeLine2d();  // the X axis
    AcGeLine2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeLine2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);

    static const AcGeLine2d kXAxis;
    static const AcGeLine2d kYAxis;

    AcGeLine2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeLine2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    bool boundedBelow() const override { return false; }
    bool boundedAbove() const override { return false; }
};
