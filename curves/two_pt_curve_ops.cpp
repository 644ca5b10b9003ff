// The two-point curve against other pieces and points: intersection, overlap, union,
// extension, division and sampling.

#include <geo/two_pt_curve.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include <geo/acge/geintrvl.h>
#include <geo/float_comp.h>

#include "curves/two_pt_curve_util.h"

using two_pt_detail::isFiniteXY;
using two_pt_detail::kFixedTol;
using two_pt_detail::kHalfPi;
using two_pt_detail::kTwoPi;
using two_pt_detail::Shape;
using two_pt_detail::ShapeOf;

namespace {

// Angular step of the polyline that approximates an arc, and its fewest steps.
constexpr double kSampleStep = 0.1;
constexpr int kMinSampleSteps = 6;
// Turns added one by one before the sweep is folded arithmetically instead.
constexpr int kMaxLiteralTurns = 4;

struct Box {
    double minX, minY, maxX, maxY;
};

// The box spanned by a straight piece's end points.
Box LineBox(const AcGePoint2d& a, const AcGePoint2d& b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The box of an arc's whole circle.
Box CircleBox(const AcGeCircArc2d& arc) {
    const AcGePoint2d c = arc.center();
    const double r = arc.radius();
    return {c.x - r, c.y - r, c.x + r, c.y + r};
}

// Whether two boxes are apart by more than the tolerance on some axis.
bool Apart(const Box& a, const Box& b, double t) {
    return a.minX - t > b.maxX || a.maxX + t < b.minX || a.maxY + t < b.minY || a.minY - t > b.maxY;
}

// Appends the first `count` (at most two) of the points; true when there was any.
bool PushPoints(int count, const AcGePoint2d& p1, const AcGePoint2d& p2,
                std::vector<AcGePoint2d>& out) {
    if (count > 0) {
        out.push_back(p1);
    }
    if (count > 1) {
        out.push_back(p2);
    }
    return count > 0;
}

bool LineLineInter(const C2PtCurve& a, const C2PtCurve& b, const AcGeTol& tol,
                   std::vector<AcGePoint2d>& out) {
    if (Apart(LineBox(a.GetStartPt(), a.GetEndPt()), LineBox(b.GetStartPt(), b.GetEndPt()),
              tol.equalPoint())) {
        return false;
    }
    AcGePoint2d pt;
    if (!a.GetLine().intersectWith(b.GetLine(), pt, tol)) {
        return false;
    }
    out.push_back(pt);
    return true;
}

bool LineArcInter(const C2PtCurve& line, const AcGeCircArc2d& arc, const AcGeTol& tol,
                  std::vector<AcGePoint2d>& out) {
    if (Apart(LineBox(line.GetStartPt(), line.GetEndPt()), CircleBox(arc), tol.equalPoint())) {
        return false;
    }
    int count = 0;
    AcGePoint2d p1, p2;
    arc.intersectWith(line.GetLine(), count, p1, p2, tol);
    return PushPoints(count, p1, p2, out);
}

// Arcs about one centre are not intersected, whether they cross, touch or coincide.
bool ArcArcInter(const AcGeCircArc2d& arcA, const AcGeCircArc2d& arcB, const AcGeTol& tol,
                 std::vector<AcGePoint2d>& out) {
    if (arcA.center().isEqualTo(arcB.center(), tol)) {
        return false;
    }
    if (Apart(CircleBox(arcA), CircleBox(arcB), tol.equalPoint())) {
        return false;
    }
    int count = 0;
    AcGePoint2d p1, p2;
    arcA.intersectWith(arcB, count, p1, p2, tol);
    return PushPoints(count, p1, p2, out);
}

// The full circle carrying an arc.
AcGeCircArc2d CarrierCircle(const AcGeCircArc2d& arc) {
    return AcGeCircArc2d(arc.center(), arc.radius());
}

// Points where the carriers of two pieces meet: infinite lines and full circles.
int CarrierInter(const C2PtCurve& a, Shape shapeA, const AcGeCircArc2d& arcA, const C2PtCurve& b,
                 Shape shapeB, const AcGeCircArc2d& arcB, AcGePoint2d& p1, AcGePoint2d& p2) {
    const AcGeTol& tol = AcGeContext::gTol;
    int count = 0;
    if (shapeA == Shape::kLine && shapeB == Shape::kLine) {
        const AcGeLine2d lineA(a.GetStartPt(), a.GetEndPt()), lineB(b.GetStartPt(), b.GetEndPt());
        count = lineA.intersectWith(lineB, p1, tol) ? 1 : 0;
    } else if (shapeA == Shape::kLine || shapeB == Shape::kLine) {
        const C2PtCurve& line = shapeA == Shape::kLine ? a : b;
        const AcGeCircArc2d circle = CarrierCircle(shapeA == Shape::kLine ? arcB : arcA);
        circle.intersectWith(AcGeLine2d(line.GetStartPt(), line.GetEndPt()), count, p1, p2, tol);
    } else {
        CarrierCircle(arcA).intersectWith(CarrierCircle(arcB), count, p1, p2, tol);
    }
    return count;
}

double CurveLength(const AcGeCurve2d& curve) {
    AcGeInterval range;
    curve.getInterval(range);
    return curve.length(range.lowerBound(), range.upperBound());
}

// Whether the shorter piece runs along the longer one beyond a shared end point. Both run
// the same way; on equal lengths the first is taken as the shorter.
template <typename Curve>
bool SharesStretch(const Curve& first, const Curve& second) {
    const bool secondShorter = CurveLength(second) < CurveLength(first);
    const Curve& s = secondShorter ? second : first;
    const Curve& l = secondShorter ? first : second;
    const AcGeTol& tol = AcGeContext::gTol;
    const AcGePoint2d sStart = s.startPoint(), sEnd = s.endPoint();
    if (l.isOn(sStart, tol) && !sStart.isEqualTo(l.endPoint(), tol)) {
        return true;
    }
    return l.isOn(sEnd, tol) && !sEnd.isEqualTo(l.startPoint(), tol);
}

bool LinesOverlap(const C2PtCurve& a, const C2PtCurve& b) {
    const AcGeLine2d carrier(a.GetStartPt(), a.GetEndPt());
    if (!carrier.isOn(b.GetStartPt(), AcGeContext::gTol) ||
        !carrier.isOn(b.GetEndPt(), AcGeContext::gTol)) {
        return false;
    }
    const AcGeLineSeg2d segA = a.GetLine();
    AcGeLineSeg2d segB = b.GetLine();
    const AcGeVector2d dirA = a.GetEndPt() - a.GetStartPt();
    if (dirA.angleTo(b.GetEndPt() - b.GetStartPt()) > kHalfPi) {
        segB.reverseParam();
    }
    return SharesStretch(segA, segB);
}

bool ArcsOverlap(AcGeCircArc2d arcA, AcGeCircArc2d arcB) {
    if (!arcA.center().isEqualTo(arcB.center(), AcGeContext::gTol) ||
        FloatComp(arcA.radius(), arcB.radius(), kFixedTol) != 0) {
        return false;
    }
    // Both counter-clockwise, so that their parameters run the same way.
    if (arcA.isClockWise()) {
        arcA.reverseParam();
    }
    if (arcB.isClockWise()) {
        arcB.reverseParam();
    }
    return SharesStretch(arcA, arcB);
}

// The line covering two straight pieces that meet at joint and continue each other.
bool UnitedLines(const C2PtCurve& a, const C2PtCurve& b, const AcGePoint2d& joint,
                 const AcGeTol& tol, C2PtCurve& result) {
    const AcGePoint2d farA = a.GetStartPt().isEqualTo(joint, tol) ? a.GetEndPt() : a.GetStartPt();
    const AcGePoint2d farB = b.GetStartPt().isEqualTo(joint, tol) ? b.GetEndPt() : b.GetStartPt();
    // Pieces folding back onto each other would unite into an empty piece.
    if (farA.isEqualTo(farB, AcGeContext::gTol)) {
        return false;
    }
    if (!AcGeLineSeg2d(farA, farB).isOn(joint, tol)) {
        return false;
    }
    result.set(farA, farB, 0.0);
    return true;
}

// The arc covering two arc pieces of one circle that meet at joint without overlapping.
bool UnitedArcs(const C2PtCurve& a, const AcGeCircArc2d& arcA, const C2PtCurve& b,
                const AcGeCircArc2d& arcB, const AcGePoint2d& joint, const AcGeTol& tol,
                C2PtCurve& result) {
    if (!arcA.center().isEqualTo(arcB.center(), tol) ||
        FloatComp(arcA.radius(), arcB.radius(), kFixedTol) != 0) {
        return false;
    }
    const auto farEnd = [&](const C2PtCurve& piece) {
        return piece.GetStartPt().distanceTo(joint) <= kFixedTol ? piece.GetEndPt()
                                                                 : piece.GetStartPt();
    };
    const AcGePoint2d farA = farEnd(a), farB = farEnd(b);
    if (arcA.isOn(farB, tol) || arcB.isOn(farA, tol)) {
        return false;
    }
    C2PtCurve merged;
    if (!merged.SetAcgeGeo(AcGeCircArc2d(farA, joint, farB))) {
        return false;
    }
    result = merged;
    return true;
}

// Ordered parameters of the points inside a straight piece, deduplicated by parameter.
std::set<double> LineCutParams(const AcGeLineSeg2d& seg, const std::vector<AcGePoint2d>& pts,
                               const AcGeTol& tol) {
    std::set<double> params{seg.paramOf(seg.startPoint(), tol), seg.paramOf(seg.endPoint(), tol)};
    for (const AcGePoint2d& p : pts) {
        double t = 0.0;
        if (!seg.isOn(p, t, tol)) {
            continue;
        }
        const bool known = std::any_of(params.begin(), params.end(), [&](double known) {
            return FloatComp(t, known, tol.equalPoint()) == 0;
        });
        if (!known) {
            params.insert(t);
        }
    }
    return params;
}

// Ordered parameters of the points inside an arc piece, deduplicated by point.
std::set<double> ArcCutParams(const AcGeCircArc2d& arc, const std::vector<AcGePoint2d>& pts,
                              const AcGeTol& tol) {
    std::vector<AcGePoint2d> accepted{arc.startPoint(), arc.endPoint()};
    std::set<double> params{arc.paramOf(accepted[0], tol), arc.paramOf(accepted[1], tol)};
    for (const AcGePoint2d& p : pts) {
        const bool known = std::any_of(accepted.begin(), accepted.end(),
                                       [&](const AcGePoint2d& q) { return q.isEqualTo(p, tol); });
        double t = 0.0;
        if (known || !arc.isOn(p, t, tol)) {
            continue;
        }
        params.insert(t);
        accepted.push_back(p);
    }
    return params;
}

// The arc piece between two parameters; straight when the piece is too flat for AcGe to
// give it a circle, so that no piece is ever lost.
C2PtCurve ArcPiece(const AcGeCircArc2d& arc, double t0, double t1) {
    const AcGePoint2d a = arc.evalPoint(t0), b = arc.evalPoint(t1);
    C2PtCurve piece;
    if (!piece.SetAcgeGeo(AcGeCircArc2d(a, arc.evalPoint((t0 + t1) / 2.0), b))) {
        piece.set(a, b, 0.0);
    }
    return piece;
}

// One piece per pair of neighbouring parameters, in ascending order; none unless some
// parameter lies strictly between the two ends.
template <typename MakePiece>
std::vector<C2PtCurve> PiecesBetween(const std::set<double>& params, MakePiece&& makePiece) {
    std::vector<C2PtCurve> pieces;
    if (params.size() < 3) {
        return pieces;
    }
    for (auto it = params.begin(); std::next(it) != params.end(); ++it) {
        pieces.push_back(makePiece(*it, *std::next(it)));
    }
    return pieces;
}

// Counter-clockwise angles of an arc's ends, from the first to the second, whatever the
// arc's own sense.
bool CounterClockwiseSpan(const AcGeCircArc2d& arc, bool clockwise, double& a, double& b) {
    const double r0 = arc.refVec().angle();
    double startAng = arc.startAng(), endAng = arc.endAng();
    if (clockwise) {
        startAng = -startAng;
        endAng = -endAng;
    }
    a = r0 + startAng;
    b = r0 + endAng;
    if (clockwise) {
        std::swap(a, b);
    }
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return false;
    }
    for (int turns = 0; b < a && turns < kMaxLiteralTurns; ++turns) {
        b += kTwoPi;
    }
    if (b < a) {
        b += kTwoPi * std::ceil((a - b) / kTwoPi);
    }
    return b >= a;
}

// Steps of the polyline for a sweep: about 0.1 radian each, an even count, at least 6.
int SampleSteps(double sweep) {
    const double capped = std::min(sweep, kTwoPi);
    int n = static_cast<int>(capped / kSampleStep);
    if (n % 2 != 0) {
        ++n;
    }
    return n <= kMinSampleSteps ? kMinSampleSteps : n;
}

}  // namespace

bool C2PtCurve::GetInterPts(const C2PtCurve& other, std::vector<AcGePoint2d>& out) const {
    out.clear();
    AcGeCircArc2d mine, theirs;
    const Shape shape = ShapeOf(*this, mine), otherShape = ShapeOf(other, theirs);
    if (shape == Shape::kNone || otherShape == Shape::kNone) {
        return false;
    }
    const AcGeTol tol = getTol();
    if (shape == Shape::kLine && otherShape == Shape::kLine) {
        return LineLineInter(*this, other, tol, out);
    }
    if (shape == Shape::kLine) {
        return LineArcInter(*this, theirs, tol, out);
    }
    if (otherShape == Shape::kLine) {
        return LineArcInter(other, mine, tol, out);
    }
    return ArcArcInter(mine, theirs, tol, out);
}

bool C2PtCurve::GetExtendInterPts(const C2PtCurve& other, std::vector<AcGePoint2d>& out) const {
    out.clear();
    AcGeCircArc2d mine, theirs;
    const Shape shape = ShapeOf(*this, mine), otherShape = ShapeOf(other, theirs);
    if (shape == Shape::kNone || otherShape == Shape::kNone) {
        return false;
    }
    AcGePoint2d p1, p2;
    const int count = CarrierInter(*this, shape, mine, other, otherShape, theirs, p1, p2);
    return PushPoints(count, p1, p2, out);
}

bool C2PtCurve::IsOverLap(const C2PtCurve& other) const {
    AcGeCircArc2d mine, theirs;
    const Shape shape = ShapeOf(*this, mine);
    if (shape == Shape::kNone || shape != ShapeOf(other, theirs)) {
        return false;
    }
    return shape == Shape::kLine ? LinesOverlap(*this, other) : ArcsOverlap(mine, theirs);
}

bool C2PtCurve::TryUnite(const C2PtCurve& other, const AcGePoint2d& joint) {
    AcGeCircArc2d mine, theirs;
    const Shape shape = ShapeOf(*this, mine);
    if (shape == Shape::kNone || shape != ShapeOf(other, theirs) || !isFiniteXY(joint)) {
        return false;
    }
    const AcGeTol tol = getTol();
    C2PtCurve united;
    const bool ok = shape == Shape::kLine
                        ? UnitedLines(*this, other, joint, tol, united)
                        : UnitedArcs(*this, mine, other, theirs, joint, tol, united);
    if (ok) {
        *this = united;
    }
    return ok;
}

// The start stays; a point at the start would leave an empty piece and is refused.
bool C2PtCurve::ExtendToPt(const AcGePoint2d& pt) {
    AcGeCircArc2d arc;
    const Shape shape = ShapeOf(*this, arc);
    if (shape == Shape::kNone || !isFiniteXY(pt) || pt.isEqualTo(m_start, AcGeContext::gTol)) {
        return false;
    }
    if (shape == Shape::kLine) {
        if ((pt - m_start).angleTo(m_end - m_start) > kFixedTol) {
            return false;
        }
        m_end = pt;
        m_bulge = 0.0;
        return true;
    }
    const AcGeTol tol = getTol();
    AcGePoint2d mid = GetMidPt();
    double t = 0.0;
    if (arc.isOn(pt, t, tol)) {
        mid = arc.evalPoint((t + arc.paramOf(m_start, tol)) / 2.0);
    }
    set(m_start, mid, pt);
    return true;
}

bool C2PtCurve::DivideByPts(const std::vector<AcGePoint2d>& pts, std::vector<C2PtCurve>& out) {
    const AcGeTol tol = getTol();
    std::vector<C2PtCurve> pieces;
    AcGeCircArc2d arc;
    const Shape shape = ShapeOf(*this, arc);
    if (shape == Shape::kLine) {
        const AcGeLineSeg2d seg = GetLine();
        pieces = PiecesBetween(LineCutParams(seg, pts, tol), [&](double t0, double t1) {
            C2PtCurve piece;
            piece.SetAcgeGeo(AcGeLineSeg2d(seg.evalPoint(t0), seg.evalPoint(t1)));
            return piece;
        });
    } else if (shape == Shape::kArc) {
        pieces = PiecesBetween(ArcCutParams(arc, pts, tol),
                               [&](double t0, double t1) { return ArcPiece(arc, t0, t1); });
    }
    if (pieces.empty()) {
        return false;
    }
    out.assign(pieces.begin(), pieces.end());
    return true;
}

std::vector<AcGePoint3d> C2PtCurve::GetPtArr() const {
    std::vector<AcGePoint3d> pts;
    AcGeCircArc2d arc;
    const Shape shape = ShapeOf(*this, arc);
    if (shape == Shape::kLine) {
        pts.emplace_back(m_start.x, m_start.y, 0.0);
        pts.emplace_back(m_end.x, m_end.y, 0.0);
        return pts;
    }
    double a = 0.0, b = 0.0;
    if (shape != Shape::kArc || !CounterClockwiseSpan(arc, m_bulge < 0.0, a, b)) {
        return pts;
    }
    const double sweep = b - a;
    const int n = SampleSteps(sweep);
    const AcGePoint2d c = arc.center();
    const double r = arc.radius();
    for (int i = 0; i <= n; ++i) {
        const double angle = a + sweep * i / n;
        pts.emplace_back(c.x + r * std::cos(angle), c.y + r * std::sin(angle), 0.0);
    }
    // Sampled counter-clockwise; a clockwise piece runs the other way.
    if (m_bulge < 0.0) {
        std::reverse(pts.begin(), pts.end());
    }
    return pts;
}
