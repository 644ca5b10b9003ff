#pragma once
// AcGeLineSeg2d: a bounded 2D segment; parameter 0 at the start, 1 at the end.

#include <geo/acge/gelent2d.h>
#include <geo/export.h>

class GEO_API AcGeLineSeg2d : public AcGeLinearEnt2d {
public:
    AcGeLineSeg2d();  // from the origin to (1, 0)
    AcGeLineSeg2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);
    AcGeLineSeg2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);

    AcGeLineSeg2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);
    AcGeLineSeg2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec);

    AcGePoint2d startPoint() const;
    AcGePoint2d endPoint() const;
    AcGePoint2d midPoint() const;
    double length() const;
    using AcGeLinearEnt2d::length;
    // Perpendicular bisector of the segment.
    void getBisector(AcGeLine2d& line) const;

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    bool boundedBelow() const override { return true; }
    bool boundedAbove() const override { return true; }
};
