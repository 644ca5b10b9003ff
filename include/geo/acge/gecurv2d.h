#pragma once
// AcGeCurve2d: the parametric 2D curve base of segments, lines, rays, arcs, polylines and
// composites.

#include <geo/acge/acarray.h>
#include <geo/acge/adesk.h>
#include <geo/acge/geent2d.h>
#include <geo/acge/gegbl.h>
#include <geo/acge/geintrvl.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/getol.h>
#include <geo/acge/gevec2d.h>
#include <geo/export.h>

class AcGePointOnCurve2d;
class AcGeCurve2d;

typedef AcArray<AcGePoint2d> AcGePoint2dArray;
typedef AcArray<void*> AcGeVoidPointerArray;

class GEO_API AcGeCurve2d : public AcGeEntity2d {
public:
    ~AcGeCurve2d() override;
    bool isKindOf(AcGe::EntityId entType) const override;

    // Parameter range; bounded below/above tell where the curve starts and ends.
    virtual void getInterval(AcGeInterval& range) const = 0;
    void getInterval(AcGeInterval& range, AcGePoint2d& start, AcGePoint2d& end) const;
    // Runs the curve the other way; the point set is unchanged.
    virtual AcGeCurve2d& reverseParam() = 0;
    virtual AcGePoint2d evalPoint(double param) const = 0;

    virtual AcGePoint2d closestPointTo(const AcGePoint2d& pnt,
                                       const AcGeTol& tol = AcGeContext::gTol) const;
    virtual void getClosestPointTo(const AcGePoint2d& pnt, AcGePointOnCurve2d& pntOnCrv,
                                   const AcGeTol& tol = AcGeContext::gTol) const;
    virtual double distanceTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // Parameter of the curve point nearest to pnt.
    virtual double paramOf(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(const AcGePoint2d& pnt,
                        const AcGeTol& tol = AcGeContext::gTol) const override;
    virtual Adesk::Boolean isOn(const AcGePoint2d& pnt, double& param,
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

    virtual Adesk::Boolean hasStartPoint(AcGePoint2d& startPnt) const;
    virtual Adesk::Boolean hasEndPoint(AcGePoint2d& endPnt) const;
    virtual Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const;

    // numSample points evenly spread by parameter from start to end; pointArray is replaced.
    virtual void getSamplePoints(int numSample, AcGePoint2dArray& pointArray) const;

    // Offset with self-crossing loops cut away; positive distance = left of travel. The new
    // curves are appended to offsetCurveList and belong to the caller.
    virtual void getTrimmedOffset(double distance, AcArray<AcGeCurve2d*>& offsetCurveList,
                                  AcGe::OffsetCrvExtType extensionType = AcGe::kFillet,
                                  const AcGeTol& tol = AcGeContext::gTol) const;
    void getTrimmedOffset(double distance, AcGeVoidPointerArray& offsetCurveList,
                          AcGe::OffsetCrvExtType extensionType = AcGe::kFillet,
                          const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeCurve2d() = default;
    AcGeCurve2d(const AcGeCurve2d&) = default;
    AcGeCurve2d& operator=(const AcGeCurve2d&) = default;

    // Parameter of the curve point nearest to pnt; every curve supplies it.
    virtual double closestParam(const AcGePoint2d& pnt) const = 0;
};
