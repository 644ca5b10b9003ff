#pragma once
// AcGeLineSeg3d: a bounded 3D segment; parameter 0 at the start, 1 at the end.

#include <geo/acge/gelent3d.h>
#include <geo/export.h>

class GEO_API AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    AcGeLineSeg3d();  // from the origin to (1, 0)
    AcGeLineSeg3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    AcGeLineSeg3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);

    AcGeLineSeg3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    AcGeLineSeg3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);

    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;
    AcGePoint3d midPoint() const;
    double length() const;
    using AcGeLinearEnt3d::length;

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    bool boundedBelow() const override { return true; }
    bool boundedAbove() const override { return true; }
};
