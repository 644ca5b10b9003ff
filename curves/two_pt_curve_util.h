#pragma once
// Shared arithmetic of the two-point curve's source files (internal).

#include <cmath>

#include <geo/two_pt_curve.h>

#include "foundation/numeric.h"

namespace two_pt_detail {

// A bulge smaller than this in magnitude is a straight piece.
constexpr double kLineBulge = 1e-6;
// Fixed tolerance of bulge and length comparisons.
constexpr double kFixedTol = 1e-6;
using geo_detail::isFiniteXY;
using geo_detail::kHalfPi;
using geo_detail::kPi;
using geo_detail::kTwoPi;

// Whether AcGe built a real arc: finite centre, finite positive radius.
inline bool UsableArc(const AcGeCircArc2d& arc) {
    const double r = arc.radius();
    return r > 0.0 && std::isfinite(r) && isFiniteXY(arc.center());
}

// How an operation treats a piece: as its chord, as the arc AcGe builds for it, or not at
// all (invalid pieces, and sagittas too large for a finite circle).
enum class Shape { kNone, kLine, kArc };

// An arc so flat that AcGe finds its three points collinear is treated as its chord, which
// lies within the (vanishing) sagitta of it; `arc` is set for kArc only.
inline Shape ShapeOf(const C2PtCurve& piece, AcGeCircArc2d& arc) {
    if (!piece.IsValid()) {
        return Shape::kNone;
    }
    if (piece.IsLine()) {
        return Shape::kLine;
    }
    arc = piece.GetArc();
    if (UsableArc(arc)) {
        return Shape::kArc;
    }
    const double halfChord = piece.GetStartPt().distanceTo(piece.GetEndPt()) / 2.0;
    return std::fabs(piece.GetBugle()) <= halfChord ? Shape::kLine : Shape::kNone;
}

// Runs fn on the AcGe segment or arc of a piece; `neutral` when there is none.
template <typename R, typename Fn>
R OnCurve(const C2PtCurve& piece, R neutral, Fn&& fn) {
    AcGeCircArc2d arc;
    switch (ShapeOf(piece, arc)) {
        case Shape::kLine: {
            const AcGeLineSeg2d seg = piece.GetLine();
            return fn(static_cast<const AcGeCurve2d&>(seg));
        }
        case Shape::kArc:
            return fn(static_cast<const AcGeCurve2d&>(arc));
        default:
            return neutral;
    }
}

// The vector turned by -90 degrees (clockwise), exactly.
inline AcGeVector2d TurnRight(const AcGeVector2d& v) {
    return AcGeVector2d(v.y, -v.x);
}

}  // namespace two_pt_detail
