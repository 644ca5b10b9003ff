// Two-point curve against other pieces and points: intersections (checked against circle
// equations solved here), overlap, union, extension, division and sampling.

#include <geo/two_pt_curve.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "foundation/numeric.h"
#include "support/expect.h"

namespace {

using point_expect::expectXy;

using geo_detail::kPi;
constexpr double kNear = 1e-9;
const double kRootHalf = std::sqrt(0.5);
// Sagitta of a quarter of the unit circle.
const double kQuarter = 1 - std::sqrt(0.5);

using P = AcGePoint2d;

// ---- an independent model of a piece's circle ----

struct Circle {
    P c;
    double r;
};

// Centre and radius from chord and sagitta: the arc's midpoint is the chord midpoint moved
// by the bulge along the chord's right-hand normal.
Circle CircleOf(const P& s, const P& e, double b) {
    const double h = s.distanceTo(e) / 2;
    const AcGeVector2d d = (e - s) / (2 * h);
    const AcGeVector2d right(d.y, -d.x);
    const double r = (h * h + b * b) / (2 * std::fabs(b));
    const P m((s.x + e.x) / 2, (s.y + e.y) / 2);
    return {m + right * (b - (b > 0 ? r : -r)), r};
}

// A point of the circle lies on the arc when it is on the midpoint's side of the chord.
bool OnArcSide(const P& s, const P& e, double b, const P& q) {
    const double side = (e - s).crossProduct(q - s);
    return b > 0 ? side < 0 : side > 0;
}

// Points where the infinite line through a and b meets the circle, with their line
// parameters (0 at a, 1 at b).
std::vector<std::pair<P, double>> LineCircle(const P& a, const P& b, const Circle& k) {
    const AcGeVector2d d = b - a, w = a - k.c;
    const double qa = d.dotProduct(d), qb = 2 * d.dotProduct(w), qc = w.dotProduct(w) - k.r * k.r;
    const double disc = qb * qb - 4 * qa * qc;
    std::vector<std::pair<P, double>> out;
    if (disc < 0) {
        return out;
    }
    for (double sgn : {-1.0, 1.0}) {
        const double t = (-qb + sgn * std::sqrt(disc)) / (2 * qa);
        out.push_back({a + d * t, t});
    }
    return out;
}

std::vector<P> CircleCircle(const Circle& a, const Circle& b) {
    const double d = a.c.distanceTo(b.c);
    std::vector<P> out;
    if (d > a.r + b.r || d < std::fabs(a.r - b.r) || d == 0) {
        return out;
    }
    const double x = (d * d + a.r * a.r - b.r * b.r) / (2 * d);
    const double y = std::sqrt(std::max(0.0, a.r * a.r - x * x));
    const AcGeVector2d u = (b.c - a.c) / d, n(-u.y, u.x);
    out.push_back(a.c + u * x + n * y);
    out.push_back(a.c + u * x - n * y);
    return out;
}

// Whether every expected point is reported once, in any order.
void ExpectSamePoints(const std::vector<P>& got, const std::vector<P>& want, int caseNo) {
    ASSERT_EQ(got.size(), want.size()) << "case " << caseNo;
    for (const P& w : want) {
        const bool found =
            std::any_of(got.begin(), got.end(), [&](const P& g) { return g.distanceTo(w) < 1e-7; });
        EXPECT_TRUE(found) << "case " << caseNo << " missing " << w.x << "," << w.y;
    }
}

// A random arc piece well clear of straightness.
C2PtCurve RandomArc(std::mt19937& rng) {
    std::uniform_real_distribution<double> coord(-5, 5), q(0.1, 2.5), sign(0, 1);
    for (;;) {
        const P s(coord(rng), coord(rng)), e(coord(rng), coord(rng));
        const double h = s.distanceTo(e) / 2;
        if (h < 0.2) {
            continue;
        }
        return C2PtCurve(s, e, (sign(rng) < 0.5 ? -1 : 1) * q(rng) * h);
    }
}

// Candidates far enough from every end point and from each other to be decided plainly.
bool ClearOf(const std::vector<P>& cands, const std::vector<P>& ends) {
    for (size_t i = 0; i < cands.size(); ++i) {
        for (const P& e : ends) {
            if (cands[i].distanceTo(e) < 0.01) {
                return false;
            }
        }
        for (size_t j = i + 1; j < cands.size(); ++j) {
            if (cands[i].distanceTo(cands[j]) < 0.01) {
                return false;
            }
        }
    }
    return true;
}

// --------------------------------------------------------------------------------------------
// Intersections

TEST(TwoPtCurveIntersect, CrossingAndShortenedSegments) {
    const C2PtCurve a(P(0, 0), P(2, 2), 0), b(P(0, 2), P(2, 0), 0);
    std::vector<P> out{P(9, 9)};
    ASSERT_TRUE(a.GetInterPts(b, out));
    ASSERT_EQ(out.size(), 1u);
    expectXy(out[0], 1, 1);
    const C2PtCurve shortA(P(0, 0), P(0.5, 0.5), 0);
    EXPECT_FALSE(shortA.GetInterPts(b, out));
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(shortA.GetExtendInterPts(b, out));
    ASSERT_EQ(out.size(), 1u);
    expectXy(out[0], 1, 1);
    // Parallel carriers never meet.
    EXPECT_FALSE(a.GetExtendInterPts(C2PtCurve(P(1, 0), P(3, 2), 0), out));
    EXPECT_TRUE(out.empty());
}

TEST(TwoPtCurveIntersect, LineAgainstArcMatchesCircleEquations) {
    std::mt19937 rng(21);
    std::uniform_real_distribution<double> coord(-6, 6);
    int checked = 0;
    for (int i = 0; i < 600; ++i) {
        const C2PtCurve arc = RandomArc(rng);
        const P a(coord(rng), coord(rng)), b(coord(rng), coord(rng));
        if (a.distanceTo(b) < 0.1) {
            continue;
        }
        const C2PtCurve line(a, b, 0);
        const P s = arc.GetStartPt(), e = arc.GetEndPt();
        const Circle k = CircleOf(s, e, arc.GetBugle());
        // Lines nearly touching the circle are left to the tolerance; skip them.
        const double toLine = std::fabs((b - a).crossProduct(k.c - a)) / a.distanceTo(b);
        if (std::fabs(toLine - k.r) < 0.01) {
            continue;
        }
        const auto roots = LineCircle(a, b, k);
        std::vector<P> cands, bounded, carried;
        for (const auto& root : roots) {
            cands.push_back(root.first);
        }
        if (!ClearOf(cands, {s, e, a, b})) {
            continue;
        }
        for (const auto& root : roots) {
            carried.push_back(root.first);
            if (root.second >= 0 && root.second <= 1 &&
                OnArcSide(s, e, arc.GetBugle(), root.first)) {
                bounded.push_back(root.first);
            }
        }
        std::vector<P> got;
        EXPECT_EQ(line.GetInterPts(arc, got), !bounded.empty());
        ExpectSamePoints(got, bounded, i);
        EXPECT_EQ(arc.GetInterPts(line, got), !bounded.empty());
        ExpectSamePoints(got, bounded, i);
        EXPECT_EQ(arc.GetExtendInterPts(line, got), !carried.empty());
        ExpectSamePoints(got, carried, i);
        checked += bounded.empty() ? 0 : 1;
    }
    EXPECT_GT(checked, 50);
}

TEST(TwoPtCurveIntersect, ArcAgainstArcMatchesCircleEquations) {
    std::mt19937 rng(5);
    int checked = 0;
    for (int i = 0; i < 600; ++i) {
        const C2PtCurve p = RandomArc(rng), q = RandomArc(rng);
        const P ps = p.GetStartPt(), pe = p.GetEndPt(), qs = q.GetStartPt(), qe = q.GetEndPt();
        const Circle cp = CircleOf(ps, pe, p.GetBugle()), cq = CircleOf(qs, qe, q.GetBugle());
        if (cp.c.distanceTo(cq.c) < 0.01 || std::fabs(cp.c.distanceTo(cq.c) - cp.r - cq.r) < 0.01 ||
            std::fabs(cp.c.distanceTo(cq.c) - std::fabs(cp.r - cq.r)) < 0.01) {
            continue;
        }
        const std::vector<P> cands = CircleCircle(cp, cq);
        if (!ClearOf(cands, {ps, pe, qs, qe})) {
            continue;
        }
        std::vector<P> bounded;
        for (const P& c : cands) {
            if (OnArcSide(ps, pe, p.GetBugle(), c) && OnArcSide(qs, qe, q.GetBugle(), c)) {
                bounded.push_back(c);
            }
        }
        std::vector<P> got;
        EXPECT_EQ(p.GetInterPts(q, got), !bounded.empty());
        ExpectSamePoints(got, bounded, i);
        EXPECT_EQ(p.GetExtendInterPts(q, got), !cands.empty());
        ExpectSamePoints(got, cands, i);
        checked += bounded.empty() ? 0 : 1;
    }
    EXPECT_GT(checked, 50);
}

TEST(TwoPtCurveIntersect, ArcsOfOneCircleAreNeverIntersected) {
    const C2PtCurve upper(P(1, 0), P(-1, 0), 1.0);
    const C2PtCurve crossing(P(0, 1), P(0, -1), 1.0);  // left half, crosses at (-1,0)
    std::vector<P> out{P(1, 1)};
    EXPECT_FALSE(upper.GetInterPts(crossing, out));
    EXPECT_TRUE(out.empty());
    // Their full circles coincide: no isolated point either.
    EXPECT_FALSE(upper.GetExtendInterPts(crossing, out));
}

// --------------------------------------------------------------------------------------------
// Overlap and union

TEST(TwoPtCurveOverlap, CollinearSegments) {
    const C2PtCurve a(P(0, 0), P(2, 0), 0);
    EXPECT_TRUE(a.IsOverLap(C2PtCurve(P(1, 0), P(3, 0), 0)));
    EXPECT_FALSE(C2PtCurve(P(0, 0), P(1, 0), 0).IsOverLap(C2PtCurve(P(1, 0), P(2, 0), 0)));
    EXPECT_TRUE(a.IsOverLap(C2PtCurve(P(3, 0), P(1, 0), 0)));
    EXPECT_TRUE(a.IsOverLap(C2PtCurve(P(0.5, 0), P(1, 0), 0)));  // inside
    EXPECT_TRUE(a.IsOverLap(a));
    EXPECT_FALSE(a.IsOverLap(C2PtCurve(P(3, 0), P(4, 0), 0)));    // apart on one line
    EXPECT_FALSE(a.IsOverLap(C2PtCurve(P(1, 0), P(1, 1), 0)));    // not collinear
    EXPECT_FALSE(a.IsOverLap(C2PtCurve(P(2, 0), P(0, 0), 1.0)));  // line against arc
}

TEST(TwoPtCurveOverlap, ArcsOfOneCircle) {
    const C2PtCurve upper(P(1, 0), P(-1, 0), 1.0);
    EXPECT_TRUE(upper.IsOverLap(C2PtCurve(P(0, 1), P(-1, 0), kQuarter)));
    EXPECT_FALSE(upper.IsOverLap(C2PtCurve(P(-1, 0), P(0, -1), kQuarter)));  // end to end
    EXPECT_TRUE(upper.IsOverLap(C2PtCurve(P(0, 1), P(1, 0), -kQuarter)));    // other sense
    EXPECT_FALSE(upper.IsOverLap(C2PtCurve(P(1, 0), P(-1, 0), 1.5)));        // other radius
}

TEST(TwoPtCurveUnite, Lines) {
    C2PtCurve a(P(0, 0), P(1, 0), 0);
    ASSERT_TRUE(a.TryUnite(C2PtCurve(P(1, 0), P(2, 0), 0), P(1, 0)));
    expectXy(a.GetStartPt(), 0, 0, 0);
    expectXy(a.GetEndPt(), 2, 0, 0);
    C2PtCurve b(P(0, 0), P(1, 0), 0);
    EXPECT_FALSE(b.TryUnite(C2PtCurve(P(1, 0), P(1, 1), 0), P(1, 0)));
    EXPECT_FALSE(b.TryUnite(C2PtCurve(P(1, 0), P(0.5, 0), 0), P(1, 0)));  // folds back
    expectXy(b.GetEndPt(), 1, 0, 0);
    // This piece's start at the joint: the union runs from its end.
    C2PtCurve c(P(1, 0), P(0, 0), 0);
    ASSERT_TRUE(c.TryUnite(C2PtCurve(P(2, 0), P(1, 0), 0), P(1, 0)));
    expectXy(c.GetStartPt(), 0, 0, 0);
    expectXy(c.GetEndPt(), 2, 0, 0);
    // Pieces shorter than the tolerance folding onto each other would unite into nothing.
    C2PtCurve tiny(P(0, 0), P(0.0005, 0), 0);
    EXPECT_FALSE(tiny.TryUnite(C2PtCurve(P(0, 0), P(0.0005, 0), 0), P(0, 0)));
    expectXy(tiny.GetEndPt(), 0.0005, 0, 0);
    EXPECT_FALSE(tiny.TryUnite(C2PtCurve(P(0.0005, 0), P(1, 0), 0.5), P(0.0005, 0)));
}

TEST(TwoPtCurveUnite, ArcsContinuingEachOther) {
    C2PtCurve first(P(1, 0), P(0, 1), kQuarter);
    ASSERT_TRUE(first.TryUnite(C2PtCurve(P(0, 1), P(-1, 0), kQuarter), P(0, 1)));
    EXPECT_NEAR(first.GetBugle(), 1.0, kNear);
    expectXy(first.GetEndPt(), -1, 0);
    // Start at the joint: the union runs from this piece's far end.
    C2PtCurve back(P(0, 1), P(1, 0), -kQuarter);
    ASSERT_TRUE(back.TryUnite(C2PtCurve(P(0, 1), P(-1, 0), kQuarter), P(0, 1)));
    expectXy(back.GetStartPt(), 1, 0);
    EXPECT_NEAR(back.GetBugle(), 1.0, kNear);
    // Overlapping arcs are not united.
    C2PtCurve upper(P(1, 0), P(-1, 0), 1.0);
    const C2PtCurve backOver(P(-1, 0), P(kRootHalf, kRootHalf), -(1 - std::cos(3 * kPi / 8)));
    ASSERT_TRUE(backOver.isOn(P(0, 1)));
    EXPECT_FALSE(upper.TryUnite(backOver, P(-1, 0)));
    EXPECT_FALSE(upper.TryUnite(C2PtCurve(P(-1, 0), P(0, 5), 1.0), P(-1, 0)));  // other circle
    EXPECT_NEAR(upper.GetBugle(), 1.0, 0);
}

// --------------------------------------------------------------------------------------------
// Extension

TEST(TwoPtCurveExtend, Lines) {
    C2PtCurve c(P(0, 0), P(1, 0), 0);
    ASSERT_TRUE(c.ExtendToPt(P(3, 0)));
    expectXy(c.GetEndPt(), 3, 0, 0);
    EXPECT_FALSE(c.ExtendToPt(P(0, 1)));
    EXPECT_FALSE(c.ExtendToPt(P(-1, 0)));  // behind the start
    ASSERT_TRUE(c.ExtendToPt(P(2, 0)));    // shortens
    expectXy(c.GetEndPt(), 2, 0, 0);
    // The direction test allows 1e-6 radian.
    EXPECT_TRUE(C2PtCurve(P(0, 0), P(1, 0), 0).ExtendToPt(P(3, 3e-7)));
    EXPECT_FALSE(C2PtCurve(P(0, 0), P(1, 0), 0).ExtendToPt(P(3, 3e-5)));
    // Extending to the start would leave an empty piece.
    EXPECT_FALSE(c.ExtendToPt(P(0, 0)));
    expectXy(c.GetEndPt(), 2, 0, 0);
}

TEST(TwoPtCurveExtend, ArcsFollowTheirCircle) {
    C2PtCurve quarter(P(1, 0), P(0, 1), kQuarter);
    ASSERT_TRUE(quarter.ExtendToPt(P(-1, 0)));
    EXPECT_NEAR(quarter.GetBugle(), 1.0, 1e-9);
    expectXy(quarter.GetEndPt(), -1, 0);
    // A point on the piece shortens it along the same circle.
    C2PtCurve upper(P(1, 0), P(-1, 0), 1.0);
    ASSERT_TRUE(upper.ExtendToPt(P(0, 1)));
    EXPECT_NEAR(upper.GetBugle(), kQuarter, 1e-9);
    expectXy(upper.GetMidPt(), kRootHalf, kRootHalf);
    // Clockwise pieces keep their sense.
    C2PtCurve lower(P(1, 0), P(0, -1), -kQuarter);
    ASSERT_TRUE(lower.ExtendToPt(P(-1, 0)));
    EXPECT_NEAR(lower.GetBugle(), -1.0, 1e-9);
    EXPECT_FALSE(lower.ExtendToPt(P(1, 0)));
}

// --------------------------------------------------------------------------------------------
// Division

TEST(TwoPtCurveDivide, LineDedupByParameterAndOrderedPieces) {
    C2PtCurve c(P(0, 0), P(4, 0), 0);
    std::vector<C2PtCurve> out;
    ASSERT_TRUE(c.DivideByPts({P(3, 0), P(1, 0), P(1.0001, 0), P(5, 0)}, out));
    ASSERT_EQ(out.size(), 3u);
    expectXy(out[0].GetStartPt(), 0, 0, 0);
    expectXy(out[0].GetEndPt(), 1, 0, kNear);
    expectXy(out[1].GetStartPt(), 1, 0, kNear);
    expectXy(out[1].GetEndPt(), 3, 0, kNear);
    expectXy(out[2].GetEndPt(), 4, 0, kNear);
    // Duplicates are judged by parameter: 0.05 apart on a piece of length 100 is one cut.
    C2PtCurve longer(P(0, 0), P(100, 0), 0);
    ASSERT_TRUE(longer.DivideByPts({P(50, 0), P(50.05, 0), P(50.2, 0)}, out));
    EXPECT_EQ(out.size(), 3u);
}

TEST(TwoPtCurveDivide, NothingInsideLeavesOutputUntouched) {
    std::vector<C2PtCurve> out(2, C2PtCurve(P(7, 7), P(8, 8), 0));
    C2PtCurve c(P(0, 0), P(4, 0), 0);
    EXPECT_FALSE(c.DivideByPts({P(0, 0), P(4, 0), P(0.0005, 0)}, out));
    EXPECT_FALSE(c.DivideByPts({P(2, 1), P(-1, 0)}, out));
    EXPECT_FALSE(c.DivideByPts({}, out));
    C2PtCurve arc(P(1, 0), P(-1, 0), 1.0);
    EXPECT_FALSE(arc.DivideByPts({P(1, 0), P(-1, 0), P(0, -1), P(0, 0)}, out));
    ASSERT_EQ(out.size(), 2u);
    expectXy(out[1].GetStartPt(), 7, 7, 0);
}

// Checks that pieces chain from the piece's start to its end on one circle and sense.
void ExpectChain(const std::vector<C2PtCurve>& pieces, const C2PtCurve& whole) {
    ASSERT_FALSE(pieces.empty());
    expectXy(pieces.front().GetStartPt(), whole.GetStartPt().x, whole.GetStartPt().y, 1e-9);
    expectXy(pieces.back().GetEndPt(), whole.GetEndPt().x, whole.GetEndPt().y, 1e-9);
    double total = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(pieces[i].GetStartPt().distanceTo(pieces[i - 1].GetEndPt()), 1e-9);
        }
        EXPECT_EQ(pieces[i].IsClockWise(), whole.IsClockWise());
        EXPECT_TRUE(whole.isOn(pieces[i].GetMidPt()));
        total += pieces[i].length();
    }
    EXPECT_NEAR(total, whole.length(), 1e-9);
}

TEST(TwoPtCurveDivide, ArcsInOrderOfTravelForBothSenses) {
    C2PtCurve upper(P(1, 0), P(-1, 0), 1.0);
    const std::vector<P> cuts{P(-kRootHalf, kRootHalf),
                              P(kRootHalf, kRootHalf),
                              P(0, 1),
                              P(0.0004, 1),
                              P(0, -1),
                              P(5, 5)};
    std::vector<C2PtCurve> out;
    ASSERT_TRUE(upper.DivideByPts(cuts, out));
    ASSERT_EQ(out.size(), 4u);
    ExpectChain(out, upper);
    expectXy(out[1].GetEndPt(), 0, 1);
    for (const C2PtCurve& piece : out) {
        EXPECT_NEAR(piece.GetBugle(), 1 - std::cos(kPi / 8), 1e-9);
    }
    C2PtCurve lower(P(-1, 0), P(1, 0), 1.0);  // counter-clockwise through (0,-1)
    C2PtCurve cw = upper;
    cw.Reverse();
    ASSERT_TRUE(cw.DivideByPts(cuts, out));
    ASSERT_EQ(out.size(), 4u);
    ExpectChain(out, cw);
    expectXy(out[0].GetEndPt(), -kRootHalf, kRootHalf);
    ASSERT_TRUE(lower.DivideByPts({P(0, -1)}, out));
    ExpectChain(out, lower);
}

// --------------------------------------------------------------------------------------------
// Sampling

// Steps of the polyline for a sweep, from the rule written out here.
int ExpectedSteps(double sweep) {
    int n = static_cast<int>(sweep / 0.1);
    n += n % 2;
    return std::max(n, 6);
}

TEST(TwoPtCurveSample, StepCountsAndDirection) {
    const C2PtCurve quarter(P(1, 0), P(0, 1), kQuarter);
    std::vector<AcGePoint3d> pts = quarter.GetPtArr();
    ASSERT_EQ(pts.size(), 17u);
    EXPECT_NEAR(pts.front().x, 1, kNear);
    EXPECT_NEAR(pts.back().y, 1, kNear);
    for (const AcGePoint3d& p : pts) {
        EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, kNear);
        EXPECT_EQ(p.z, 0.0);
    }
    const C2PtCurve small(P(1, 0), P(std::cos(0.3), std::sin(0.3)), 1 - std::cos(0.15));
    EXPECT_EQ(small.GetPtArr().size(), 7u);
    // Clockwise: still from start to end, counter-clockwise order reversed.
    C2PtCurve cw = quarter;
    cw.Reverse();
    pts = cw.GetPtArr();
    ASSERT_EQ(pts.size(), 17u);
    EXPECT_NEAR(pts.front().y, 1, kNear);
    EXPECT_NEAR(pts.back().x, 1, kNear);
    EXPECT_GT(pts[1].x, pts[0].x);
    pts = C2PtCurve(P(0, 0), P(3, 4), 0).GetPtArr();
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[1].y, 4.0);
    EXPECT_TRUE(C2PtCurve(P(3, 4), P(3, 4), 1.0).GetPtArr().empty());
}

TEST(TwoPtCurveSample, EvenStepsAtLeastSixForAnySweep) {
    std::mt19937 rng(13);
    std::uniform_real_distribution<double> q(-30, 30), half(0.01, 50);
    for (int i = 0; i < 500; ++i) {
        const double h = half(rng), poly = q(rng);
        if (std::fabs(poly) < 1e-3) {
            continue;
        }
        const double sweep = 4 * std::atan(std::fabs(poly));
        if (std::fabs(sweep / 0.1 - std::round(sweep / 0.1)) < 1e-6) {
            continue;
        }
        const C2PtCurve c(P(-h, 1), P(h, 1), poly * h);
        const std::vector<AcGePoint3d> pts = c.GetPtArr();
        const int steps = static_cast<int>(pts.size()) - 1;
        EXPECT_EQ(steps, ExpectedSteps(sweep)) << "sweep " << sweep;
        EXPECT_EQ(steps % 2, 0);
        EXPECT_GE(steps, 6);
        EXPECT_NEAR(pts.front().x, -h, 1e-6 * h + 1e-9);
        EXPECT_NEAR(pts.back().x, h, 1e-6 * h + 1e-9);
    }
}

TEST(TwoPtCurveSample, HugeSweepsAndRadiiStayBounded) {
    // Nearly a full turn: at most 64 steps.
    const C2PtCurve ring(P(0, 0), P(1e-6, 0), -1.0);
    std::vector<AcGePoint3d> pts = ring.GetPtArr();
    EXPECT_EQ(pts.size(), 63u);
    // A huge radius with a tiny sweep keeps the minimum of six steps.
    const C2PtCurve flat(P(-1e5, 0), P(1e5, 0), 1.0);
    pts = flat.GetPtArr();
    ASSERT_EQ(pts.size(), 7u);
    for (const AcGePoint3d& p : pts) {
        EXPECT_TRUE(geo_detail::isFiniteXY(p));
    }
    // Sagittas too large for a finite centre give nothing rather than NaN points.
    EXPECT_TRUE(C2PtCurve(P(0, 0), P(1, 0), 1e300).GetPtArr().empty());
}

// --------------------------------------------------------------------------------------------
// Invalid and non-finite pieces

TEST(TwoPtCurveInvalid, EveryOperationGivesItsNeutralResult) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const C2PtCurve good(P(0, 0), P(2, 0), 0.5);
    for (const C2PtCurve& bad : {C2PtCurve(P(1, 1), P(1, 1), 0.5), C2PtCurve(P(1, 1), P(1, 1), 0),
                                 C2PtCurve(P(nan, 0), P(1, 0), 0.5)}) {
        std::vector<P> out{P(5, 5)};
        EXPECT_FALSE(bad.GetInterPts(good, out));
        EXPECT_TRUE(out.empty());
        EXPECT_FALSE(good.GetInterPts(bad, out));
        EXPECT_FALSE(bad.GetExtendInterPts(good, out));
        EXPECT_FALSE(good.GetExtendInterPts(bad, out));
        EXPECT_TRUE(out.empty());
        EXPECT_FALSE(bad.IsOverLap(bad));
        EXPECT_FALSE(good.IsOverLap(bad));
        C2PtCurve edited = bad;
        EXPECT_FALSE(edited.TryUnite(good, P(1, 1)));
        EXPECT_FALSE(edited.ExtendToPt(P(3, 3)));
        std::vector<C2PtCurve> pieces(1);
        EXPECT_FALSE(edited.DivideByPts({P(1, 1), P(2, 2)}, pieces));
        EXPECT_EQ(pieces.size(), 1u);
        EXPECT_TRUE(bad.GetPtArr().empty());
        C2PtCurve other = good;
        EXPECT_FALSE(other.TryUnite(bad, P(2, 0)));
        EXPECT_NEAR(other.GetBugle(), 0.5, 0);
    }
}

TEST(TwoPtCurveInvalid, NonFinitePointsAreRefused) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    C2PtCurve line(P(0, 0), P(1, 0), 0), arc(P(1, 0), P(-1, 0), 1.0);
    EXPECT_FALSE(line.ExtendToPt(P(inf, 0)));
    EXPECT_FALSE(arc.ExtendToPt(P(nan, 0)));
    EXPECT_FALSE(line.TryUnite(C2PtCurve(P(1, 0), P(2, 0), 0), P(nan, 0)));
    std::vector<C2PtCurve> out;
    EXPECT_FALSE(line.DivideByPts({P(nan, 0), P(inf, 0), P(0.5, nan)}, out));
    EXPECT_FALSE(arc.DivideByPts({P(nan, 0), P(inf, inf)}, out));
    expectXy(line.GetEndPt(), 1, 0, 0);
    EXPECT_NEAR(arc.GetBugle(), 1.0, 0);
}

}  // namespace

namespace {

// An arc whose three points AcGe finds collinear is handled as its chord, not dropped.
TEST(TwoPtCurveInvalid, ArcTooFlatForACircleActsAsItsChord) {
    C2PtCurve flat(P(0, 0), P(1e6, 0), 3e-6);
    ASSERT_FALSE(flat.IsLine());
    ASSERT_EQ(flat.GetArc().radius(), 0.0);
    EXPECT_NEAR(flat.length(), 1e6, 1e-6);
    EXPECT_EQ(flat.GetPtArr().size(), 2u);
    EXPECT_EQ(flat.JudgePtPos(P(5e5, 1)), -1);
    std::vector<P> out;
    ASSERT_TRUE(flat.GetInterPts(C2PtCurve(P(5e5, -1), P(5e5, 1), 0), out));
    expectXy(out[0], 5e5, 0, 1e-6);
    std::vector<C2PtCurve> pieces;
    ASSERT_TRUE(flat.DivideByPts({P(5e5, 0)}, pieces));
    EXPECT_EQ(pieces.size(), 2u);
}

}  // namespace
