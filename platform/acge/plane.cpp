// AcGeSurface, AcGePlanarEnt and AcGePlane: the plane frame, distances and projections.
#include <cmath>

#include <geo/acge/geplane.h>

#include "platform/acge/frame.h"
#include "platform/numeric.h"

bool AcGeSurface::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kSurface || AcGeEntity3d::isKindOf(entType);
}

double AcGeSurface::distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return pnt.distanceTo(closestPointTo(pnt, tol));
}

// ---------------------------------------------------------------------------------------------

AcGePlanarEnt::AcGePlanarEnt()
    : mOrigin(AcGePoint3d::kOrigin),
      mUAxis(AcGeVector3d::kXAxis),
      mVAxis(AcGeVector3d::kYAxis),
      mNormal(AcGeVector3d::kZAxis),
      mValid(true) {}

bool AcGePlanarEnt::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kPlanarEnt || AcGeSurface::isKindOf(entType);
}

// Degenerate input keeps a finite, usable state: the XY directions through the given origin
// (or through the world origin when the origin itself is not finite), flagged invalid.
void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis,
                             const AcGeVector3d& vAxis) {
    const AcGeTol& tol = AcGeContext::gTol;
    const bool degenerate = !platform_detail::isFiniteXYZ(origin) ||
                            acge_detail::hasNoDirection(uAxis) ||
                            acge_detail::hasNoDirection(vAxis) || uAxis.isZeroLength(tol) ||
                            vAxis.isZeroLength(tol) || uAxis.isParallelTo(vAxis, tol);
    mValid = !degenerate;
    if (degenerate) {
        mOrigin = platform_detail::isFiniteXYZ(origin) ? origin : AcGePoint3d::kOrigin;
        mUAxis = AcGeVector3d::kXAxis;
        mVAxis = AcGeVector3d::kYAxis;
        mNormal = AcGeVector3d::kZAxis;
        return;
    }
    mOrigin = origin;
    mUAxis = uAxis;
    mVAxis = vAxis;
    const AcGeVector3d n = uAxis.crossProduct(vAxis);
    mNormal = n / n.length();
}

void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& normal) {
    if (acge_detail::hasNoDirection(normal) || normal.isZeroLength(AcGeContext::gTol)) {
        setFrame(origin, AcGeVector3d(), AcGeVector3d());  // takes the degenerate branch
        return;
    }
    const AcGeVector3d n = normal / normal.length();
    const AcGeVector3d ax = acge_detail::arbitraryXAxis(n);
    setFrame(origin, ax, n.crossProduct(ax));
}

void AcGePlanarEnt::transformFrame(const AcGeMatrix3d& xfm) {
    setFrame(xfm * mOrigin, xfm * mUAxis, xfm * mVAxis);
}

bool AcGePlanarEnt::frameEquals(const AcGePlanarEnt& other, const AcGeTol& tol) const {
    return mValid == other.mValid && mOrigin.isEqualTo(other.mOrigin, tol) &&
           mUAxis.isEqualTo(other.mUAxis, tol) && mVAxis.isEqualTo(other.mVAxis, tol);
}

AcGePoint3d AcGePlanarEnt::closestPointTo(const AcGePoint3d& pnt, const AcGeTol&) const {
    return pnt - mNormal * mNormal.dotProduct(pnt - mOrigin);
}

bool AcGePlanarEnt::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const {
    return std::fabs(mNormal.dotProduct(pnt - mOrigin)) <= tol.equalPoint();
}

bool AcGePlanarEnt::isParallelTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const {
    return mNormal.isParallelTo(otherPlnEnt.mNormal, tol);
}

bool AcGePlanarEnt::isPerpendicularTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const {
    return mNormal.isPerpendicularTo(otherPlnEnt.mNormal, tol);
}

bool AcGePlanarEnt::isCoplanarTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const {
    return isParallelTo(otherPlnEnt, tol) && isOn(otherPlnEnt.mOrigin, tol);
}

void AcGePlanarEnt::get(AcGePoint3d& origin, AcGeVector3d& uAxis, AcGeVector3d& vAxis) const {
    getCoordSystem(origin, uAxis, vAxis);
}

void AcGePlanarEnt::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1,
                                   AcGeVector3d& axis2) const {
    origin = mOrigin;
    axis1 = mUAxis;
    axis2 = mVAxis;
}

void AcGePlanarEnt::getCoefficients(double& a, double& b, double& c, double& d) const {
    a = mNormal.x;
    b = mNormal.y;
    c = mNormal.z;
    d = -mNormal.dotProduct(mOrigin.asVector());
}

AcGePoint3d AcGePlanarEnt::evalPoint(const AcGePoint2d& param) const {
    return mOrigin + mUAxis * param.x + mVAxis * param.y;
}

AcGePoint2d AcGePlanarEnt::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const {
    return acge_detail::coordsInAxes(mUAxis, mVAxis, pnt - mOrigin);
}

// ---------------------------------------------------------------------------------------------

const AcGePlane AcGePlane::kXYPlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis,
                                    AcGeVector3d::kYAxis);
const AcGePlane AcGePlane::kYZPlane(AcGePoint3d::kOrigin, AcGeVector3d::kYAxis,
                                    AcGeVector3d::kZAxis);
const AcGePlane AcGePlane::kZXPlane(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis,
                                    AcGeVector3d::kXAxis);

AcGePlane::AcGePlane() = default;

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) {
    set(origin, normal);
}

AcGePlane::AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV) {
    set(pntU, org, pntV);
}

AcGePlane::AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis) {
    set(org, uAxis, vAxis);
}

AcGePlane::AcGePlane(double a, double b, double c, double d) {
    set(a, b, c, d);
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pnt, const AcGeVector3d& normal) {
    setFrame(pnt, normal);
    return *this;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pntU, const AcGePoint3d& org,
                          const AcGePoint3d& pntV) {
    setFrame(org, pntU - org, pntV - org);
    return *this;
}

// The origin is the plane's point nearest the world origin.
AcGePlane& AcGePlane::set(double a, double b, double c, double d) {
    const AcGeVector3d n(a, b, c);
    const double lenSq = n.lengthSqrd();
    if (lenSq == 0.0 || !std::isfinite(lenSq) || !std::isfinite(d)) {
        setFrame(AcGePoint3d::kOrigin, AcGeVector3d());
        return *this;
    }
    setFrame(AcGePoint3d::kOrigin + n * (-d / lenSq), n);
    return *this;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& org, const AcGeVector3d& uAxis,
                          const AcGeVector3d& vAxis) {
    setFrame(org, uAxis, vAxis);
    return *this;
}

double AcGePlane::signedDistanceTo(const AcGePoint3d& pnt) const {
    return mNormal.dotProduct(pnt - mOrigin);
}

bool AcGePlane::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kPlane || AcGePlanarEnt::isKindOf(entType);
}

AcGeEntity3d* AcGePlane::copy() const {
    return new AcGePlane(*this);
}

// Equal planes have the same parameterisation: origin and both axes within tolerance.
bool AcGePlane::isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol) const {
    if (entity.type() != AcGe::kPlane) {
        return false;
    }
    return frameEquals(static_cast<const AcGePlane&>(entity), tol);
}

AcGeEntity3d& AcGePlane::transformBy(const AcGeMatrix3d& xfm) {
    transformFrame(xfm);
    return *this;
}
