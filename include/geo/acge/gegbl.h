// Namespace AcGe: entity type ids, error conditions and offset extension types.
#pragma once

namespace AcGe {

// Entity type ids; the numbering is fixed: callers compare type() with literal values.
enum EntityId {
    kEntity2d = 0,
    kEntity3d,
    kPointEnt2d,
    kPointEnt3d,
    kPosition2d,
    kPosition3d,
    kPointOnCurve2d,
    kPointOnCurve3d,
    kPointOnSurface,
    kBoundedPlane,
    kCircArc2d,
    kCircArc3d,
    kConic2d,
    kConic3d,
    kCurve2d,
    kCurve3d,
    kEllipArc2d,
    kEllipArc3d,
    kLine2d,
    kLine3d,
    kLinearEnt2d,
    kLinearEnt3d,
    kLineSeg2d,
    kLineSeg3d,
    kPlanarEnt,
    kPlane,
    kRay2d,
    kRay3d,
    kSurface,
    kSphere,
    kCylinder,
    kTorus,
    kCone,
    kSplineEnt2d,
    kPolyline2d,
    kAugPolyline2d,
    kNurbCurve2d,
    kDSpline2d,
    kCubicSplineCurve2d,
    kSplineEnt3d,
    kPolyline3d,
    kAugPolyline3d,
    kNurbCurve3d,
    kDSpline3d,
    kCubicSplineCurve3d,
    kTrimmedCrv2d,
    kCompositeCrv2d,
    kCompositeCrv3d,
    kExternalSurface,
    kNurbSurface,
    kTrimmedSurface,
    kOffsetSurface,
    kEnvelope2d,
    kCurveBoundedSurface,
    kExternalCurve3d,
    kExternalCurve2d,
    kSurfaceCurve2dTo3d,
    kSurfaceCurve3dTo2d,
    kExternalBoundedSurface,
    kCurveCurveInt2d,
    kCurveCurveInt3d,
    kBoundBlock2d,
    kBoundBlock3d,
    kOffsetCurve2d,
    kOffsetCurve3d,
    kPolynomCurve3d,
    kBezierCurve3d,
    kObject,
    kFitData3d,
    kHatch,
    kTrimmedCurve2d,
    kTrimmedCurve3d,
    kCurveSampleData,
    kEllipCone,
    kEllipCylinder,
    kIntervalBoundBlock,
    kClipBoundary2d,
    kExternalObject,
    kCurveSurfaceInt,
    kSurfaceSurfaceInt
};

static_assert(kLineSeg2d == 22, "2D line segment id is stored and compared by callers");
static_assert(kLineSeg3d == 23, "3D line segment id is stored and compared by callers");
static_assert(kCompositeCrv2d == 46, "2D composite curve id is compared by callers");
static_assert(kCompositeCrv3d == 47, "3D composite curve id is compared by callers");

enum ErrorCondition {
    kOk = 0,
    k0This,
    k0Arg1,
    k0Arg2,
    kPerpendicularArg1Arg2,
    kEqualArg1Arg2,
    kEqualArg1Arg3,
    kEqualArg2Arg3,
    kLinearlyDependentArg1Arg2Arg3,
    kArg1TooBig,
    kArg1OnThis,
    kArg1InsideThis,
    kNonCoplanarGeometry,
    kDegenerateGeometry,
    kSingularPoint
};

// How getTrimmedOffset joins neighbouring offset pieces at a corner.
enum OffsetCrvExtType { kFillet = 0, kChamfer = 1, kExtend = 2 };

enum AcGeXConfig {
    kNotDefined = 1 << 0,
    kUnknown = 1 << 1,
    kLeftRight = 1 << 2,
    kRightLeft = 1 << 3,
    kLeftLeft = 1 << 4,
    kRightRight = 1 << 5,
    kPointLeft = 1 << 6,
    kPointRight = 1 << 7,
    kLeftOverlap = 1 << 8,
    kOverlapLeft = 1 << 9,
    kRightOverlap = 1 << 10,
    kOverlapRight = 1 << 11,
    kOverlapStart = 1 << 12,
    kOverlapEnd = 1 << 13,
    kOverlapOverlap = 1 << 14
};

}  // namespace AcGe
