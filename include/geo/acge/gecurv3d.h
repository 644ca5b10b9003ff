#pragma once
// AcGeCurve3d: the parametric 3D curve base of segments, lines, rays, arcs, polylines and
// composites.

#include <geo/acge/acarray.h>
#include <geo/acge/adesk.h>
#include <geo/acge/geent3d.h>
#include <geo/acge/gegbl.h>
#include <geo/acge/geintrvl.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/getol.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>

class AcGePointOnCurve3d;
class AcGeCurve3d;

typedef AcArray<AcGePoint3d> AcGePoint3dArray;
typedef AcArray<void*> AcGeVoidPointerArray;

class GEO_API AcGeCurve3d : public AcGeEntity3d {
public:
    ~AcGeCurve3d() override;
    bool isKindOf(AcGe::EntityId entType) const override;

    // Parameter range; bounded below/above tell where the curve starts and ends.
    virtual void getInterval(AcGeInterval& range) const = 0;
    void getInterval(AcGeInterval& range, AcGePoint3d& start, AcGePoint3d& end) const;
    // Runs the curve the other way; the point set is unchanged.
    virtual AcGeCurve3d& reverseParam() = 0;
    virtual AcGePoint3d evalPoint(double param) const = 0;

    virtual AcGePoint3d closestPointTo(const AcGePoint3d& pnt,
                                       const AcGeTol& tol = AcGeContext::gTol) const;
    virtual void getClosestPointTo(const AcGePoint3d& pnt, AcGePointOnCurve3d& pntOnCrv,
                                   const AcGeTol& tol = AcGeContext::gTol) const;
    virtual double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // Parameter of the curve point nearest to pnt.
    virtual double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(const AcGePoint3d& pnt,
                        const AcGeTol& tol = AcGeContext::gTol) const override;
    virtual Adesk::Boolean isOn(const AcGePoint3d& pnt, double& param,
                                const AcGeTol& tol = AcGeContext::gTol) const;
    // Whether param lies in the parameter range.
    virtual Adesk::Boolean isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const;

    // Arc length between two parameters (order does not matter).
    virtual double length(double fromParam, double toParam,
                          double tol = AcGeContext::gTol.equalPoint()) const = 0;
    // Parameter at the given arc length from the datum, forward or backward.
    virtual double paramAtLength(double datumParam, double length,
                                 Adesk::Boolean posParamDir = Adesk::kTrue,
                                 double tol = AcGeContext::gTol.equalPoint()) const = 0;

    virtual Adesk::Boolean hasStartPoint(AcGePoint3d& startPnt) const;
    virtual Adesk::Boolean hasEndPoint(AcGePoint3d& endPnt) const;
    virtual Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const;

    // numSample points evenly spread by parameter from start to end; pointArray is replaced.
    virtual void getSamplePoints(int numSample, AcGePoint3dArray& pointArray) const;

    // Offset within the plane of planeNormal, self-crossing loops cut away; positive distance
    // = towards planeNormal x tangent. The new curves are appended to offsetCurveList and
    // belong to the caller.
    virtual void getTrimmedOffset(double distance, const AcGeVector3d& planeNormal,
                                  AcArray<AcGeCurve3d*>& offsetCurveList,
                                  AcGe::OffsetCrvExtType extensionType = AcGe::kFillet,
                                  const AcGeTol& tol = AcGeContext::gTol) const;
    void getTrimmedOffset(double distance, const AcGeVector3d& planeNormal,
                          AcGeVoidPointerArray& offsetCurveList,
                          AcGe::OffsetCrvExtType extensionType = AcGe::kFillet,
                          const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeCurve3d() = default;
    AcGeCurve3d(const AcGeCurve3d&) = default;
    AcGeCurve3d& operator=(const AcGeCurve3d&) = default;

    // Parameter of the curve point nearest to pnt; every curve supplies it.
    virtual double closestParam(const AcGePoint3d& pnt) const = 0;
};
