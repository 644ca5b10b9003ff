#pragma once
// Shared arithmetic of the two-point curve's source files (internal).

#include <cmath>

#include <geo/two_pt_curve.h>

namespace two_pt_detail {

// A bulge smaller than this in magnitude is a straight piece.
constexpr double kLineBulge = 1e-6;
// Fixed tolerance of bulge and length comparisons.
constexpr double kFixedTol = 1e-6;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kTwoPi = 6.283185307179586;

inline bool Finite(const AcGePoint2d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Whether AcGe built a real arc: finite centre, finite positive radius.
inline bool UsableArc(const AcGeCircArc2d& arc) {
    const double r = arc.radius();
    return r > 0.0 && std::isfinite(r) && Finite(arc.center());
}

// The arc of a valid arc piece; false for lines, invalid pieces and arcs AcGe cannot build.
inline bool PieceArc(const C2PtCurve& piece, AcGeCircArc2d& arc) {
    if (piece.IsLine() || !piece.IsValid())
        return false;
    arc = piece.GetArc();
    return UsableArc(arc);
}

// Runs fn on the AcGe segment or arc of a valid piece; `neutral` when there is none.
template <typename R, typename Fn>
R OnCurve(const C2PtCurve& piece, R neutral, Fn&& fn) {
    if (!piece.IsValid())
        return neutral;
    if (piece.IsLine()) {
        const AcGeLineSeg2d seg = piece.GetLine();
        return fn(static_cast<const AcGeCurve2d&>(seg));
    }
    AcGeCircArc2d arc;
    if (!PieceArc(piece, arc))
        return neutral;
    return fn(static_cast<const AcGeCurve2d&>(arc));
}

// The vector turned by -90 degrees (clockwise), exactly.
inline AcGeVector2d TurnRight(const AcGeVector2d& v) {
    return AcGeVector2d(v.y, -v.x);
}

}  // namespace two_pt_detail
