// AcGeSurface: abstract base of 3D surfaces.
#pragma once

#include <geo/acge/geent3d.h>
#include <geo/export.h>

class GEO_API AcGeSurface : public AcGeEntity3d {
public:
    bool isKindOf(AcGe::EntityId entType) const override;

    // Nearest point of the surface to `pnt`.
    virtual AcGePoint3d closestPointTo(const AcGePoint3d& pnt,
                                       const AcGeTol& tol = AcGeContext::gTol) const = 0;
    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeSurface() = default;
    AcGeSurface(const AcGeSurface&) = default;
    AcGeSurface& operator=(const AcGeSurface&) = default;
};
