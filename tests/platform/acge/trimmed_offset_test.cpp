// Trimmed offset engine: shapes with known offsets, distances measured by brute force, and
// random outlines compared against Clipper's mitred offset.

#include "platform/acge/trimmed_offset.h"

#include "foundation/numeric.h"
#include "platform/acge/offset_index.h"
#include "platform/acge/tol_of.h"
#include "support/bumpy_star.h"

#include <geo/acge/gearc2d.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/geintrvl.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gepoly2d.h>
#include <gtest/gtest.h>
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

using acge_detail::OffsetPiece;
using acge_detail::trimmedOffset;
using Chain = std::vector<OffsetPiece>;
using Pt = std::pair<double, double>;

using geo_detail::kPi;
constexpr double kTol = 1e-9;
// Arcs are measured as this many chords; the chords stray 3e-7 of the radius from the arc.
constexpr int kArcSamples = 4096;
constexpr double kDistTol = 1e-6;

// Straight pieces through the points; closed adds the closing piece.
Chain polyline(const std::vector<Pt>& pts, bool closed) {
    Chain c;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        c.push_back({pts[i].first, pts[i].second, pts[i + 1].first, pts[i + 1].second, 0.0});
    }
    if (closed) {
        c.push_back({pts.back().first, pts.back().second, pts[0].first, pts[0].second, 0.0});
    }
    return c;
}

// Point on a bulged piece at fraction t, found from the chord and sagitta alone.
Pt pointOn(const OffsetPiece& p, double t) {
    if (p.bulge == 0) {
        return {p.sx + (p.ex - p.sx) * t, p.sy + (p.ey - p.sy) * t};
    }
    const double theta = 4 * std::atan(p.bulge);
    const double dx = p.ex - p.sx, dy = p.ey - p.sy, chord = std::hypot(dx, dy);
    const double r = chord / (2 * std::sin(std::abs(theta) / 2));
    // The centre lies on the chord's perpendicular bisector, left of the chord for positive sweep
    // under a half turn.
    const double h = r * std::cos(theta / 2) * (theta > 0 ? 1 : -1);
    const double cx = (p.sx + p.ex) / 2 - dy / chord * h, cy = (p.sy + p.ey) / 2 + dx / chord * h;
    const double a0 = std::atan2(p.sy - cy, p.sx - cx);
    return {cx + r * std::cos(a0 + theta * t), cy + r * std::sin(a0 + theta * t)};
}

double segDist(Pt q, Pt a, Pt b) {
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double l2 = dx * dx + dy * dy;
    double t = l2 > 0 ? ((q.first - a.first) * dx + (q.second - a.second) * dy) / l2 : 0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(q.first - a.first - t * dx, q.second - a.second - t * dy);
}

// Distance from q to the chain, by brute force over every piece (arcs as fine chords).
double chainDist(const Chain& chain, Pt q) {
    double best = std::numeric_limits<double>::infinity();
    for (const OffsetPiece& p : chain) {
        const int n = p.bulge == 0 ? 1 : kArcSamples;
        Pt prev = pointOn(p, 0);
        for (int k = 1; k <= n; ++k) {
            const Pt cur = pointOn(p, double(k) / n);
            best = std::min(best, segDist(q, prev, cur));
            prev = cur;
        }
    }
    return best;
}

// Signed area of a closed chain, arcs included.
double area(const Chain& chain) {
    double a = 0;
    for (const OffsetPiece& p : chain) {
        a += (p.sx * p.ey - p.ex * p.sy) / 2;
        if (p.bulge == 0) {
            continue;
        }
        const double theta = 4 * std::atan(p.bulge);
        const double chord = std::hypot(p.ex - p.sx, p.ey - p.sy);
        const double r = chord / (2 * std::sin(std::abs(theta) / 2));
        a += r * r / 2 * (theta - std::sin(theta));
    }
    return a;
}

double totalArea(const std::vector<Chain>& chains) {
    double a = 0;
    for (const Chain& c : chains) {
        a += area(c);
    }
    return a;
}

// Every piece starts where its predecessor ends; closed chains end where they start.
void expectConnected(const Chain& c, bool closed) {
    ASSERT_FALSE(c.empty());
    for (size_t i = 0; i + 1 < c.size(); ++i) {
        EXPECT_EQ(c[i].ex, c[i + 1].sx) << "gap after piece " << i;
        EXPECT_EQ(c[i].ey, c[i + 1].sy) << "gap after piece " << i;
    }
    if (closed) {
        EXPECT_EQ(c.back().ex, c.front().sx);
        EXPECT_EQ(c.back().ey, c.front().sy);
    }
}

// Every vertex of the result lies at exactly |d| from the input.
void expectVerticesAtDistance(const std::vector<Chain>& result, const Chain& input, double d) {
    for (const Chain& c : result) {
        for (const OffsetPiece& p : c) {
            EXPECT_NEAR(chainDist(input, {p.sx, p.sy}), std::abs(d), kDistTol);
            EXPECT_NEAR(chainDist(input, {p.ex, p.ey}), std::abs(d), kDistTol);
        }
    }
}

// Every piece's middle lies at exactly |d| from the input (mitre corners put vertices further).
void expectMiddlesAtDistance(const std::vector<Chain>& result, const Chain& input, double d) {
    for (const Chain& c : result) {
        for (const OffsetPiece& p : c) {
            EXPECT_NEAR(chainDist(input, pointOn(p, 0.5)), std::abs(d), kDistTol);
        }
    }
}

// No point of the result comes closer to the input than |d|.
void expectNothingCloser(const std::vector<Chain>& result, const Chain& input, double d) {
    for (const Chain& c : result) {
        for (const OffsetPiece& p : c) {
            for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) {
                EXPECT_GE(chainDist(input, pointOn(p, t)), std::abs(d) - kDistTol);
            }
        }
    }
}

void expectLoops(const std::vector<Chain>& result) {
    for (const Chain& c : result) {
        expectConnected(c, true);
    }
}

const std::vector<Pt> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const std::vector<Pt> kEll{{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}};
const std::vector<Pt> kDumbbell{{0, 0},   {10, 0},  {10, 4}, {20, 4}, {20, 0},  {30, 0},
                                {30, 10}, {20, 10}, {20, 6}, {10, 6}, {10, 10}, {0, 10}};
// Two unit squares meeting at the single vertex (1,1).
const std::vector<Pt> kFigureEight{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 1}, {0, 1}};

// ---------------------------------------------------------------------------------------------
// Closed straight outlines

TEST(TrimmedOffsetPolygon, ConvexSquareShrinksAndGrows) {
    const Chain sq = polyline(kSquare, true);
    const auto in = trimmedOffset(sq, true, 1.0, kTol);
    ASSERT_EQ(in.size(), 1u);
    expectLoops(in);
    ASSERT_EQ(in[0].size(), 4u);
    EXPECT_NEAR(in[0][0].sx, 1, 1e-12);
    EXPECT_NEAR(in[0][0].sy, 1, 1e-12);
    EXPECT_NEAR(in[0][1].sx, 9, 1e-12);
    EXPECT_NEAR(area(in[0]), 64, 1e-9);  // counter-clockwise like the input
    expectVerticesAtDistance(in, sq, 1.0);

    const auto out = trimmedOffset(sq, true, -1.0, kTol);
    ASSERT_EQ(out.size(), 1u);
    expectLoops(out);
    EXPECT_EQ(out[0].size(), 4u);  // mitred corners, no fillets
    EXPECT_NEAR(area(out[0]), 144, 1e-9);
    expectNothingCloser(out, sq, 1.0);
}

TEST(TrimmedOffsetPolygon, ClockwiseOutlineKeepsItsOrientation) {
    std::vector<Pt> cw(kSquare.rbegin(), kSquare.rend());
    const auto grown = trimmedOffset(polyline(cw, true), true, 1.0, kTol);  // left of cw = outside
    ASSERT_EQ(grown.size(), 1u);
    EXPECT_NEAR(area(grown[0]), -144, 1e-9);
    const auto shrunk = trimmedOffset(polyline(cw, true), true, -1.0, kTol);
    ASSERT_EQ(shrunk.size(), 1u);
    EXPECT_NEAR(area(shrunk[0]), -64, 1e-9);
}

TEST(TrimmedOffsetPolygon, ConcaveEllShape) {
    const Chain ell = polyline(kEll, true);
    const auto in = trimmedOffset(ell, true, 1.0, kTol);
    ASSERT_EQ(in.size(), 1u);
    expectLoops(in);
    EXPECT_EQ(in[0].size(), 6u);
    EXPECT_NEAR(area(in[0]), 28, 1e-9);
    expectMiddlesAtDistance(in, ell, 1.0);
    expectNothingCloser(in, ell, 1.0);

    const auto out = trimmedOffset(ell, true, -1.0, kTol);
    ASSERT_EQ(out.size(), 1u);
    expectLoops(out);
    EXPECT_NEAR(area(out[0]), 108, 1e-9);
    expectNothingCloser(out, ell, 1.0);
}

TEST(TrimmedOffsetPolygon, ConcaveUShapeNotchNarrowsAndCloses) {
    const Chain u =
        polyline({{0, 0}, {10, 0}, {10, 10}, {7, 10}, {7, 3}, {3, 3}, {3, 10}, {0, 10}}, true);
    const auto thin = trimmedOffset(u, true, 1.0, kTol);
    ASSERT_EQ(thin.size(), 1u);
    expectLoops(thin);
    EXPECT_NEAR(area(thin[0]), 8 * 8 - 6 * 7, 1e-9);  // the notch widens to 6 x 7
    expectMiddlesAtDistance(thin, u, 1.0);
    expectNothingCloser(thin, u, 1.0);

    const auto wide = trimmedOffset(u, true, -1.0, kTol);
    ASSERT_EQ(wide.size(), 1u);
    expectLoops(wide);
    EXPECT_NEAR(area(wide[0]), 12 * 12 - 2 * 7, 1e-9);  // the notch narrows to 2 x 7
    expectNothingCloser(wide, u, 1.0);
}

TEST(TrimmedOffsetPolygon, DumbbellSplitsAtItsNeck) {
    const Chain bell = polyline(kDumbbell, true);
    const auto whole = trimmedOffset(bell, true, 0.5, kTol);
    ASSERT_EQ(whole.size(), 1u);
    expectLoops(whole);

    const auto parts = trimmedOffset(bell, true, 1.5, kTol);
    ASSERT_EQ(parts.size(), 2u);
    expectLoops(parts);
    EXPECT_NEAR(area(parts[0]), 49, 1e-9);
    EXPECT_NEAR(area(parts[1]), 49, 1e-9);
    // In the input's order: the left box comes first.
    EXPECT_LT(parts[0][0].sx, 10);
    EXPECT_GT(parts[1][0].sx, 20);
    expectMiddlesAtDistance(parts, bell, 1.5);
    expectNothingCloser(parts, bell, 1.5);
}

TEST(TrimmedOffsetPolygon, ShrinkingPastTheMiddleLeavesNothing) {
    EXPECT_TRUE(trimmedOffset(polyline(kSquare, true), true, 6.0, kTol).empty());
    EXPECT_TRUE(trimmedOffset(polyline(kEll, true), true, 4.5, kTol).empty());
    EXPECT_TRUE(trimmedOffset(polyline(kDumbbell, true), true, 5.5, kTol).empty());
}

TEST(TrimmedOffsetPolygon, SelfTouchingOutline) {
    const Chain eight = polyline(kFigureEight, true);
    const auto apart = trimmedOffset(eight, true, 0.1, kTol);
    ASSERT_EQ(apart.size(), 2u);
    expectLoops(apart);
    EXPECT_NEAR(area(apart[0]), 0.64, 1e-9);
    EXPECT_NEAR(area(apart[1]), 0.64, 1e-9);
    expectVerticesAtDistance(apart, eight, 0.1);

    const auto joined = trimmedOffset(eight, true, -0.1, kTol);
    ASSERT_EQ(joined.size(), 1u);
    expectLoops(joined);
    EXPECT_NEAR(area(joined[0]), 2 * 1.44 - 0.04, 1e-9);
    expectNothingCloser(joined, eight, 0.1);
}

TEST(TrimmedOffsetPolygon, RedundantVerticesChangeNothing) {
    const Chain messy =
        polyline({{0, 0}, {0, 0}, {5, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true);
    const auto r = trimmedOffset(messy, true, 1.0, kTol);
    ASSERT_EQ(r.size(), 1u);
    expectLoops(r);
    EXPECT_NEAR(area(r[0]), 64, 1e-9);
    expectVerticesAtDistance(r, messy, 1.0);
}

TEST(TrimmedOffsetPolygon, NearlyCollinearVerticesDoNotLeaveSpurs) {
    // A square whose edges bend by a hair at their middles, inward and outward.
    const Chain wobbly = polyline(
        {{0, 0}, {5, 1e-7}, {10, 0}, {10 - 1e-7, 5}, {10, 10}, {5, 10 + 1e-9}, {0, 10}}, true);
    for (double d : {1.0, -1.0}) {
        const auto r = trimmedOffset(wobbly, true, d, kTol);
        ASSERT_EQ(r.size(), 1u) << d;
        expectLoops(r);
        EXPECT_NEAR(area(r[0]), d > 0 ? 64 : 144, 1e-4);
        EXPECT_LE(r[0].size(), 8u);
    }
}

// ---------------------------------------------------------------------------------------------
// Reversals

TEST(TrimmedOffsetReversal, TwoVertexLoopBecomesAStadium) {
    const Chain there = polyline({{0, 0}, {10, 0}}, true);
    for (double d : {1.0, -1.0}) {
        const auto r = trimmedOffset(there, true, d, kTol);
        ASSERT_EQ(r.size(), 1u);
        expectLoops(r);
        EXPECT_NEAR(std::abs(area(r[0])), 20 + kPi, 1e-9);
        expectVerticesAtDistance(r, there, 1.0);
        expectNothingCloser(r, there, 1.0);
    }
}

TEST(TrimmedOffsetReversal, OpenPathTurningBackIsCappedRound) {
    const Chain back = polyline({{0, 0}, {10, 0}, {5, 0}}, false);
    const auto r = trimmedOffset(back, false, 1.0, kTol);
    ASSERT_EQ(r.size(), 1u);
    expectConnected(r[0], false);
    EXPECT_NEAR(r[0].front().sy, 1, 1e-12);
    EXPECT_NEAR(r[0].back().ex, 5, 1e-12);
    EXPECT_NEAR(r[0].back().ey, -1, 1e-12);
    expectVerticesAtDistance(r, back, 1.0);
    expectNothingCloser(r, back, 1.0);
}

// ---------------------------------------------------------------------------------------------
// Open chains

TEST(TrimmedOffsetOpen, BothSidesOfACorner) {
    const Chain path = polyline({{0, 0}, {10, 0}, {10, 10}}, false);
    const auto inside = trimmedOffset(path, false, 1.0, kTol);
    ASSERT_EQ(inside.size(), 1u);
    expectConnected(inside[0], false);
    ASSERT_EQ(inside[0].size(), 2u);
    EXPECT_NEAR(inside[0][0].sx, 0, 1e-12);
    EXPECT_NEAR(inside[0][0].sy, 1, 1e-12);
    EXPECT_NEAR(inside[0][1].sx, 9, 1e-12);
    EXPECT_NEAR(inside[0][1].sy, 1, 1e-12);
    EXPECT_NEAR(inside[0][1].ey, 10, 1e-12);
    expectVerticesAtDistance(inside, path, 1.0);

    const auto outside = trimmedOffset(path, false, -1.0, kTol);
    ASSERT_EQ(outside.size(), 1u);
    ASSERT_EQ(outside[0].size(), 2u);
    EXPECT_NEAR(outside[0][0].ex, 11, 1e-12);  // the mitre point
    EXPECT_NEAR(outside[0][0].ey, -1, 1e-12);
    EXPECT_NEAR(outside[0][1].ey, 10, 1e-12);  // ends are not capped
}

TEST(TrimmedOffsetOpen, SingleSegmentAndNarrowHairpin) {
    const auto one = trimmedOffset(polyline({{0, 0}, {10, 0}}, false), false, -2.0, kTol);
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(one[0].size(), 1u);
    EXPECT_NEAR(one[0][0].sy, -2, 1e-12);
    EXPECT_NEAR(one[0][0].ex, 10, 1e-12);

    const Chain hairpin = polyline({{0, 0}, {10, 0}, {10, 2}, {0, 2}}, false);
    EXPECT_TRUE(trimmedOffset(hairpin, false, 1.5, kTol).empty());
    const auto around = trimmedOffset(hairpin, false, -1.0, kTol);
    ASSERT_EQ(around.size(), 1u);
    ASSERT_EQ(around[0].size(), 3u);
    EXPECT_NEAR(around[0][2].sy, 3, 1e-12);
    EXPECT_NEAR(around[0][2].ex, 0, 1e-12);
}

TEST(TrimmedOffsetOpen, StartSwallowedByTheOtherArm) {
    // Arms 4 apart, the first shorter: offset by 3 inside eats the first arm's offset entirely
    // and the start of the last one.
    const Chain path = polyline({{5, 0}, {10, 0}, {10, 4}, {0, 4}}, false);
    const auto r = trimmedOffset(path, false, 3.0, kTol);
    for (const Chain& c : r) {
        expectConnected(c, false);
    }
    expectNothingCloser(r, path, 3.0);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_NEAR(r[0].back().ey, 1, 1e-12);
    EXPECT_NEAR(r[0].back().ex, 0, 1e-12);
}

TEST(TrimmedOffsetOpen, MitreTipBeyondTheInputIsDropped) {
    // The sharp turn at (10,0) mitres far to the east, through the last segment at x = 13: the
    // tip beyond that segment's band belongs to no offset and must not come back on its own.
    const Chain path = polyline({{0, 0}, {10, 0}, {0, 1}, {13, 5}, {13, -5}}, false);
    const auto r = trimmedOffset(path, false, -0.5, kTol);
    ASSERT_FALSE(r.empty());
    for (const Chain& c : r) {
        for (const OffsetPiece& p : c) {
            EXPECT_LE(p.sx, 13.5 + 1e-9);
            EXPECT_LE(p.ex, 13.5 + 1e-9);
        }
    }
    expectNothingCloser(r, path, 0.5);
}

// ---------------------------------------------------------------------------------------------
// Arcs

// A circle of radius r about the origin as two counter-clockwise half circles.
Chain circle(double r) {
    return {{r, 0, -r, 0, 1.0}, {-r, 0, r, 0, 1.0}};
}

// A slot: two straight sides 10 long joined by half circles of radius 2.
Chain slot() {
    return {{-5, -2, 5, -2, 0.0}, {5, -2, 5, 2, 1.0}, {5, 2, -5, 2, 0.0}, {-5, 2, -5, -2, 1.0}};
}

TEST(TrimmedOffsetArcs, CircleInwardOutwardAndGone) {
    const Chain c = circle(5);
    const auto out = trimmedOffset(c, true, -1.0, kTol);
    ASSERT_EQ(out.size(), 1u);
    expectLoops(out);
    EXPECT_NEAR(area(out[0]), kPi * 36, 1e-9);
    for (const OffsetPiece& p : out[0]) {
        EXPECT_NEAR(p.bulge, 1.0, 1e-12);
    }
    expectVerticesAtDistance(out, c, 1.0);

    const auto in = trimmedOffset(c, true, 1.0, kTol);
    ASSERT_EQ(in.size(), 1u);
    EXPECT_NEAR(area(in[0]), kPi * 16, 1e-9);
    expectVerticesAtDistance(in, c, 1.0);
    expectNothingCloser(in, c, 1.0);

    EXPECT_TRUE(trimmedOffset(c, true, 6.0, kTol).empty());
}

TEST(TrimmedOffsetArcs, SlotShrinksGrowsAndVanishes) {
    const Chain s = slot();
    const auto in = trimmedOffset(s, true, 1.0, kTol);
    ASSERT_EQ(in.size(), 1u);
    expectLoops(in);
    EXPECT_EQ(in[0].size(), 4u);
    EXPECT_NEAR(area(in[0]), 10 * 2 + kPi, 1e-9);
    expectVerticesAtDistance(in, s, 1.0);
    expectNothingCloser(in, s, 1.0);

    const auto out = trimmedOffset(s, true, -1.0, kTol);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(area(out[0]), 10 * 6 + 9 * kPi, 1e-9);
    expectVerticesAtDistance(out, s, 1.0);

    EXPECT_TRUE(trimmedOffset(s, true, 2.5, kTol).empty());
}

TEST(TrimmedOffsetArcs, ArcMeetsLineAtConvexCornerByExtension) {
    // A quarter disc: two radii and a counter-clockwise quarter arc; growing it extends the arc
    // along its circle and the radii along their lines until they meet.
    const double b = std::tan(kPi / 8);
    const Chain wedge{{0, 0, 10, 0, 0.0}, {10, 0, 0, 10, b}, {0, 10, 0, 0, 0.0}};
    const auto out = trimmedOffset(wedge, true, -1.0, kTol);
    ASSERT_EQ(out.size(), 1u);
    expectLoops(out);
    expectNothingCloser(out, wedge, 1.0);
    const auto in = trimmedOffset(wedge, true, 1.0, kTol);
    ASSERT_EQ(in.size(), 1u);
    expectLoops(in);
    expectVerticesAtDistance(in, wedge, 1.0);
    EXPECT_GT(area(in[0]), 0);
}

TEST(TrimmedOffsetArcs, TightArcCollapsesAndNeighboursMeet) {
    // A square with one corner rounded by radius 0.5: shrinking by 1 collapses the arc.
    const double b = std::tan(kPi / 8);
    const Chain rounded{{0, 0, 9.5, 0, 0.0},
                        {9.5, 0, 10, 0.5, b},
                        {10, 0.5, 10, 10, 0.0},
                        {10, 10, 0, 10, 0.0},
                        {0, 10, 0, 0, 0.0}};
    const auto r = trimmedOffset(rounded, true, 1.0, kTol);
    ASSERT_EQ(r.size(), 1u);
    expectLoops(r);
    EXPECT_NEAR(area(r[0]), 64, 1e-9);
    for (const OffsetPiece& p : r[0]) {
        EXPECT_EQ(p.bulge, 0.0);
    }
    expectVerticesAtDistance(r, rounded, 1.0);
}

TEST(TrimmedOffsetArcs, NearlyTangentInnerJoinLeavesNoSpur) {
    // A line, then a counter-clockwise quarter arc whose start turns left by 2e-5 rad: the
    // stretch of each offset past their crossing comes within 1e-10 of |d|, below the tolerance.
    const double tilt = 2e-5, r = 5;
    const double cx = 10 - r * std::sin(tilt), cy = r * std::cos(tilt);
    const double a0 = -kPi / 2 + tilt;
    const Chain path{{0, 0, 10, 0, 0.0},
                     {10, 0, cx + r * std::cos(a0 + kPi / 2), cy + r * std::sin(a0 + kPi / 2),
                      std::tan(kPi / 8)}};
    const auto res = trimmedOffset(path, false, 1.0, kTol);
    ASSERT_EQ(res.size(), 1u);
    ASSERT_EQ(res[0].size(), 2u);
    expectConnected(res[0], false);
    expectVerticesAtDistance(res, path, 1.0);
}

// ---------------------------------------------------------------------------------------------
// Hostile and degenerate input

TEST(TrimmedOffsetInput, NonFiniteAndEmptyGiveNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Chain sq = polyline(kSquare, true);
    EXPECT_TRUE(trimmedOffset({}, true, 1.0, kTol).empty());
    EXPECT_TRUE(trimmedOffset({}, false, 1.0, kTol).empty());
    EXPECT_TRUE(trimmedOffset(sq, true, nan, kTol).empty());
    EXPECT_TRUE(trimmedOffset(sq, true, inf, kTol).empty());
    EXPECT_TRUE(trimmedOffset(sq, true, 1.0, nan).empty());
    sq[2].ex = nan;
    EXPECT_TRUE(trimmedOffset(sq, true, 1.0, kTol).empty());
    sq = polyline(kSquare, true);
    sq[1].bulge = inf;
    EXPECT_TRUE(trimmedOffset(sq, true, 1.0, kTol).empty());
    // Only zero-length pieces.
    EXPECT_TRUE(trimmedOffset({{1, 1, 1, 1, 0.0}, {1, 1, 1, 1, 0.5}}, true, 1.0, kTol).empty());
}

TEST(TrimmedOffsetInput, ZeroDistanceReturnsTheCurve) {
    const auto r = trimmedOffset(polyline(kSquare, true), true, 0.0, kTol);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_NEAR(area(r[0]), 100, 1e-12);
}

TEST(TrimmedOffsetInput, GapsBetweenPiecesAreBridged) {
    Chain sq = polyline(kSquare, true);
    sq[1].sx += 0.5;  // the second side starts half a unit past the first one's end
    const auto r = trimmedOffset(sq, true, 1.0, kTol);
    ASSERT_EQ(r.size(), 1u);
    expectLoops(r);
}

// ---------------------------------------------------------------------------------------------
// Random outlines against Clipper's mitred offset

// A star-shaped outline: n vertices at sorted random angles, radius varying gently around 1.
std::vector<Pt> randomStar(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3), phase(0, 2 * kPi);
    const double p1 = phase(rng), p2 = phase(rng);
    std::vector<Pt> pts;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * (i + 0.5 + jitter(rng)) / n;
        const double r = 1 + 0.25 * std::sin(3 * a + p1) + 0.1 * std::sin(7 * a + p2) +
                         0.3 * std::abs(jitter(rng)) / std::sqrt(double(n));
        pts.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return pts;
}

constexpr double kClipperScale = 1 << 28;

// Total signed area of Clipper's offset with unlimited mitres.
double clipperOffsetArea(const std::vector<Pt>& pts, double d, size_t& loops) {
    ClipperLib::Path path;
    for (const Pt& p : pts) {
        path.push_back({ClipperLib::cInt(std::llround(p.first * kClipperScale)),
                        ClipperLib::cInt(std::llround(p.second * kClipperScale))});
    }
    ClipperLib::ClipperOffset offset(1e9, 0.25);
    offset.AddPath(path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    ClipperLib::Paths out;
    // Clipper grows a counter-clockwise outline for a positive delta: the opposite side.
    offset.Execute(out, -d * kClipperScale);
    loops = out.size();
    double a = 0;
    for (const auto& p : out) {
        a += ClipperLib::Area(p);
    }
    return a / (kClipperScale * kClipperScale);
}

TEST(TrimmedOffsetRandom, StarOutlinesMatchClipperArea) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const std::vector<Pt> pts = randomStar(40 + 15 * seed, seed);
        const Chain star = polyline(pts, true);
        for (double d : {0.02, 0.15, 0.4, -0.05, -0.3}) {
            const auto r = trimmedOffset(star, true, d, kTol);
            expectLoops(r);
            size_t loops = 0;
            const double expected = clipperOffsetArea(pts, d, loops);
            EXPECT_EQ(r.size(), loops) << "seed " << seed << " d " << d;
            EXPECT_NEAR(totalArea(r), expected, 1e-6 * std::max(1.0, std::abs(expected)))
                << "seed " << seed << " d " << d;
            expectNothingCloser(r, star, d);
        }
    }
}

// A star with random radii: sharp spikes whose mitres reach far out and cover the offsets of
// their neighbours. Star-shaped about the origin, so simple.
std::vector<Pt> spikyStar(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> angles(n);
    for (double& a : angles) {
        a = 2 * kPi * unit(rng);
    }
    std::sort(angles.begin(), angles.end());
    std::vector<Pt> pts;
    for (double a : angles) {
        const double r = 5 * (0.3 + 0.7 * unit(rng));
        pts.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return pts;
}

TEST(TrimmedOffsetRandom, SpikyStarsMatchClipperArea) {
    std::mt19937 rng(5);
    for (int round = 0; round < 30; ++round) {
        const std::vector<Pt> pts = spikyStar(rng, 5 + 2 * round);
        const Chain star = polyline(pts, true);
        for (double d : {0.3, 1.0, 2.5, 6.0, -0.3, -1.0, -2.5}) {
            const auto r = trimmedOffset(star, true, d, kTol);
            expectLoops(r);
            size_t loops = 0;
            const double expected = clipperOffsetArea(pts, d, loops);
            EXPECT_EQ(r.size(), loops) << "round " << round << " d " << d;
            EXPECT_NEAR(totalArea(r), expected, 1e-6 * std::max(1.0, std::abs(expected)))
                << "round " << round << " d " << d;
        }
    }
}

// The join before a convex corner may trim a short piece to a point; the mitre still extends
// it along its own line, to (2, 5 + sqrt 2).
TEST(TrimmedOffsetPolygon, PieceTrimmedToAPointStillMitres) {
    const std::vector<Pt> pts = {{2, 1},     {2.5, 1.5},   {1.5, 3}, {1, 3},    {1, 4},
                                 {0, 3},     {-1, 4.5},    {-3, 0},  {-3.5, 0}, {-1, -1.5},
                                 {-0.5, -2}, {-0.5, -2.5}, {0, -4}};
    const auto r = trimmedOffset(polyline(pts, true), true, -1.0, kTol);
    ASSERT_EQ(r.size(), 1u);
    size_t loops = 0;
    EXPECT_NEAR(totalArea(r), clipperOffsetArea(pts, -1.0, loops), 1e-8);
    bool tip = false;
    for (const OffsetPiece& p : r[0]) {
        tip = tip || (std::abs(p.ex - 2) < 1e-9 && std::abs(p.ey - 5 - std::sqrt(2.0)) < 1e-9);
    }
    EXPECT_TRUE(tip);
}

}  // namespace

namespace {

// Random closed or open chains with straight and bulged pieces, some of them self-crossing.
Chain randomChain(std::mt19937& rng, int n, bool closed, double bulgeShare) {
    std::uniform_real_distribution<double> coord(-10, 10), bulge(-1.5, 1.5), pick(0, 1);
    std::vector<Pt> pts;
    for (int i = 0; i < n; ++i) {
        pts.push_back({coord(rng), coord(rng)});
    }
    Chain c = polyline(pts, closed);
    for (OffsetPiece& p : c) {
        if (pick(rng) < bulgeShare) {
            p.bulge = bulge(rng);
        }
    }
    return c;
}

bool allFinite(const std::vector<Chain>& result) {
    for (const Chain& c : result) {
        if (!std::all_of(c.begin(), c.end(), acge_detail::isFinitePiece)) {
            return false;
        }
    }
    return true;
}

TEST(TrimmedOffsetRandom, ArbitraryChainsGiveConnectedResultsKeepingTheirDistance) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> dist(-3, 3);
    for (int round = 0; round < 60; ++round) {
        const bool closed = round % 2 == 0;
        const Chain c = randomChain(rng, 3 + round % 9, closed, round < 20 ? 0.0 : 0.5);
        const double d = dist(rng);
        const auto r = trimmedOffset(c, closed, d, kTol);
        ASSERT_TRUE(allFinite(r)) << "round " << round;
        for (const Chain& piece : r) {
            expectConnected(piece, closed);
        }
        expectNothingCloser(r, c, d);
    }
}

// FNV-1a over the bits of every number the offsets give.
uint64_t digestOf(const std::vector<Chain>& result, uint64_t h) {
    auto mix = [&h](double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int k = 0; k < 8; ++k) {
            h = (h ^ ((bits >> (8 * k)) & 0xff)) * 1099511628211ull;
        }
    };
    mix(double(result.size()));
    for (const Chain& c : result) {
        mix(double(c.size()));
        for (const OffsetPiece& p : c) {
            for (double v : {p.sx, p.sy, p.ex, p.ey, p.bulge}) {
                mix(v);
            }
        }
    }
    return h;
}

// Faster searches must find the same crossings and nodes: the exact bits of these offsets are
// pinned, so any change to them is seen here first.
TEST(TrimmedOffsetRandom, ArbitraryChainsKeepTheirExactBits) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> dist(-3, 3);
    uint64_t h = 1469598103934665603ull;
    for (int round = 0; round < 400; ++round) {
        const bool closed = round % 3 != 0;
        const Chain c = randomChain(rng, 3 + round % 25, closed, round % 2 ? 0.4 : 0.0);
        h = digestOf(trimmedOffset(c, closed, dist(rng), kTol), h);
    }
    EXPECT_EQ(h, 2515775581595688356ull);
}

// Offsets of many edge lengths leave most raw pieces deep inside the distance, where no crossing
// is sought: the exact bits of bumpy and spiky stars so offset are pinned to those of the engine
// that sought every crossing.
TEST(TrimmedOffsetRandom, StarsOffsetByManyEdgesKeepTheirExactBits) {
    std::mt19937 rng(1212);
    std::uniform_int_distribution<int> vertices(64, 768);
    uint64_t h = 1469598103934665603ull;
    for (int round = 0; round < 36; ++round) {
        const int n = vertices(rng);
        std::vector<CPoint3d> star = support::bumpyStar(rng(), n);
        for (int i = 1; round % 3 == 2 && i < n; i += 2) {
            star[i] = CPoint3d(star[i].x / 2, star[i].y / 2, 0.0);
        }
        std::vector<Pt> pts;
        for (const CPoint3d& p : star) {
            pts.push_back({p.x, p.y});
        }
        const double edges = std::pow(10.0, 0.5 + 0.5 * (round % 4)), edge = 2 * kPi * 400 / n;
        const double d = ((round / 4) % 2 ? edges : -edges) * edge;
        h = digestOf(trimmedOffset(polyline(pts, true), true, d, 1e-6), h);
    }
    EXPECT_EQ(h, 13121630184103317040ull);
}

TEST(TrimmedOffsetInput, DegenerateShapesStayBounded) {
    // Every vertex the same; back and forth along one line; a huge far-away square; an offset
    // far below the coordinates' resolution.
    EXPECT_TRUE(trimmedOffset(polyline({{3, 3}, {3, 3}, {3, 3}}, true), true, 1, kTol).empty());
    const Chain zigzag = polyline({{0, 0}, {10, 0}, {2, 0}, {8, 0}, {4, 0}}, false);
    for (double d : {1.0, -1.0}) {
        const auto r = trimmedOffset(zigzag, false, d, kTol);
        ASSERT_TRUE(allFinite(r));
        expectNothingCloser(r, zigzag, d);
    }
    std::vector<Pt> far;
    for (const Pt& p : kSquare) {
        far.push_back({p.first * 1e6 + 1e8, p.second * 1e6 - 1e8});
    }
    const auto big = trimmedOffset(polyline(far, true), true, 1e6, 1e-6);
    ASSERT_EQ(big.size(), 1u);
    EXPECT_NEAR(area(big[0]), 64e12, 1e3);
    const auto tiny = trimmedOffset(polyline(kSquare, true), true, 1e-5, 1e-6);
    ASSERT_EQ(tiny.size(), 1u);
    EXPECT_NEAR(area(tiny[0]), (10 - 2e-5) * (10 - 2e-5), 1e-9);
}

TEST(TrimmedOffsetInput, NearReversalMitreStaysFinite) {
    // The path turns back by all but 1e-7 rad: the mitre point lies far out but is finite.
    const Chain spike = polyline({{0, 0}, {10, 0}, {0, 1e-6}}, false);
    const auto r = trimmedOffset(spike, false, -1.0, kTol);
    ASSERT_TRUE(allFinite(r));
    ASSERT_FALSE(r.empty());
    expectNothingCloser(r, spike, 1.0);
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------------------------
// Through the library's curve interface

AcGePolyline2d polylineCurve(const std::vector<Pt>& pts) {
    AcGePoint2dArray arr;
    for (const Pt& p : pts) {
        arr.append(AcGePoint2d(p.first, p.second));
    }
    return AcGePolyline2d(arr);
}

std::vector<AcGeCurve2d*> offsetCurves(const AcGeCurve2d& curve, double d, double tol) {
    AcArray<AcGeCurve2d*> out;
    curve.getTrimmedOffset(d, out, AcGe::kExtend, acge_detail::pointAndVectorTol(tol));
    std::vector<AcGeCurve2d*> list;
    for (int i = 0; i < out.length(); ++i) {
        list.push_back(out[i]);
    }
    return list;
}

void deleteAll(std::vector<AcGeCurve2d*>& curves) {
    for (AcGeCurve2d* c : curves) {
        delete c;
    }
    curves.clear();
}

TEST(TrimmedOffsetCurves, DumbbellPolylineGivesTwoClosedComposites) {
    std::vector<Pt> pts = kDumbbell;
    pts.push_back(pts.front());
    std::vector<AcGeCurve2d*> r = offsetCurves(polylineCurve(pts), 1.5, 1e-6);
    ASSERT_EQ(r.size(), 2u);
    for (AcGeCurve2d* c : r) {
        EXPECT_EQ(c->type(), AcGe::kCompositeCrv2d);
        EXPECT_TRUE(c->isClosed());
    }
    deleteAll(r);
}

TEST(TrimmedOffsetCurves, SingleSegmentGivesASegmentAndAnArcSlotStaysRound) {
    std::vector<AcGeCurve2d*> one =
        offsetCurves(AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(10, 0)), 2.0, 1e-6);
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(one[0]->type(), AcGe::kLineSeg2d);
    const AcGeLineSeg2d* seg = static_cast<const AcGeLineSeg2d*>(one[0]);
    EXPECT_NEAR(seg->startPoint().y, 2, 1e-12);
    EXPECT_NEAR(seg->endPoint().x, 10, 1e-12);
    deleteAll(one);

    AcArray<AcGeCurve2d*> parts;
    for (const OffsetPiece& p : slot()) {
        const AcGePoint2d s(p.sx, p.sy), e(p.ex, p.ey);
        if (p.bulge == 0) {
            parts.append(new AcGeLineSeg2d(s, e));
        } else {
            parts.append(new AcGeCircArc2d(s, e, p.bulge, false));
        }
    }
    const AcGeCompositeCurve2d slotCurve(parts);
    for (int i = 0; i < parts.length(); ++i) {
        delete parts[i];
    }
    std::vector<AcGeCurve2d*> in = offsetCurves(slotCurve, 1.0, 1e-6);
    ASSERT_EQ(in.size(), 1u);
    EXPECT_TRUE(in[0]->isClosed());
    AcGeInterval range;
    in[0]->getInterval(range);
    EXPECT_NEAR(in[0]->length(range.lowerBound(), range.upperBound()), 2 * 10 + 2 * kPi, 1e-6);
    deleteAll(in);
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------------------------
// The spatial indexes against the literal all-pairs rules

using trimmed_offset_detail::Box;
using trimmed_offset_detail::BoxTree;
using trimmed_offset_detail::PointClusters;
using trimmed_offset_detail::Vec;

TEST(TrimmedOffsetIndex, BoxTreeFindsExactlyTheOverlappingBoxes) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> pos(0, 100), size(0, 8);
    for (int n : {0, 1, 3, 50, 700, -700}) {
        // A negative count builds the same number of boxes in the order given.
        const trimmed_offset_detail::TreeOrder order =
            n < 0 ? trimmed_offset_detail::TreeOrder::AsGiven
                  : trimmed_offset_detail::TreeOrder::Median;
        n = std::abs(n);
        trimmed_offset_detail::Buffer<Box> boxes;
        for (int i = 0; i < n; ++i) {
            const double x = pos(rng), y = pos(rng);
            boxes.push_back({x, y, x + size(rng), y + (i % 7 == 0 ? 0.0 : size(rng))});
        }
        const BoxTree tree(boxes, order);
        // Narrowed: every third box gone, the others shrunk to a corner of themselves.
        trimmed_offset_detail::Buffer<Box> smaller(boxes);
        for (int i = 0; i < n; ++i) {
            smaller[i] = i % 3 == 0 ? trimmed_offset_detail::kNoBox
                                    : Box{boxes[i].x0, boxes[i].y0, (boxes[i].x0 + boxes[i].x1) / 2,
                                          (boxes[i].y0 + boxes[i].y1) / 2};
        }
        BoxTree narrowed(boxes, order);
        narrowed.narrow([&](size_t i) { return smaller[i]; });
        auto visits = [](const BoxTree& t, const Box& query) {
            std::vector<int> found;
            t.query(query, [&](int k) {
                found.push_back(k);
                return false;
            });
            return found;
        };
        for (int q = 0; q < 100; ++q) {
            const double x = pos(rng), y = pos(rng);
            const Box query{x, y, x + size(rng), y + size(rng)};
            std::vector<int> found = visits(tree, query), expected, kept;
            for (int k : found) {
                if (trimmed_offset_detail::overlaps(smaller[k], query)) {
                    kept.push_back(k);
                }
            }
            // The narrowed tree finds the boxes still overlapping, in the order the full one did.
            EXPECT_EQ(visits(narrowed, query), kept) << "n " << n << " query " << q;
            for (int k = 0; k < n; ++k) {
                if (trimmed_offset_detail::overlaps(boxes[k], query)) {
                    expected.push_back(k);
                }
            }
            std::sort(found.begin(), found.end());
            EXPECT_EQ(found, expected) << "n " << n << " query " << q;
        }
    }
}

// Literal clustering: every pair within tol joined, groups numbered by their first point.
std::vector<int> clusterByAllPairs(const trimmed_offset_detail::Buffer<Vec>& pts, double tol) {
    std::vector<int> group(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        group[i] = static_cast<int>(i);
    }
    bool changed = true;
    while (changed) {
        changed = false;
        for (size_t i = 0; i < pts.size(); ++i) {
            for (size_t j = 0; j < pts.size(); ++j) {
                if (std::hypot(pts[i].x - pts[j].x, pts[i].y - pts[j].y) <= tol &&
                    group[j] < group[i]) {
                    group[i] = group[j];
                    changed = true;
                }
            }
        }
    }
    std::vector<int> number(pts.size(), -1), out(pts.size());
    int next = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        if (number[group[i]] < 0) {
            number[group[i]] = next++;
        }
        out[i] = number[group[i]];
    }
    return out;
}

// A large working block comes back for the next request of its size; a small one is not kept.
TEST(TrimmedOffsetIndex, LargeBlocksAreKeptForTheNextCall) {
    using trimmed_offset_detail::BlockCache;
    const size_t big = 3 * trimmed_offset_detail::kKeptBlockMin + 5, small = 100;
    EXPECT_GE(BlockCache::sizeFor(big), big);
    EXPECT_LE(BlockCache::sizeFor(big), big + big / 4);
    EXPECT_EQ(BlockCache::sizeFor(small), small);
    BlockCache cache;
    void* first = cache.take(big);
    cache.give(first, big);
    void* again = cache.take(big);
    EXPECT_EQ(again, first);
    void* other = cache.take(big);
    EXPECT_NE(other, first);
    cache.give(again, big);
    cache.give(other, big);
    cache.give(cache.take(small), small);
}

TEST(TrimmedOffsetIndex, PointClustersMatchAllPairsClustering) {
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> pos(0, 1), jitter(-0.01, 0.01);
    for (int round = 0; round < 20; ++round) {
        trimmed_offset_detail::Buffer<Vec> pts;
        for (int i = 0; i < 150; ++i) {
            if (i > 0 && i % 3 == 0) {  // near copies of earlier points, some chained
                const Vec& base = pts[rng() % pts.size()];
                pts.push_back({base.x + jitter(rng), base.y + jitter(rng)});
            } else {
                pts.push_back({pos(rng), round % 2 ? 0.5 : pos(rng)});  // odd rounds on one line
            }
        }
        const double tol = 0.012;
        const PointClusters clusters(pts, tol);
        const std::vector<int> expected = clusterByAllPairs(pts, tol);
        for (size_t i = 0; i < pts.size(); ++i) {
            ASSERT_EQ(clusters.node(static_cast<int>(i)), expected[i]) << "round " << round;
        }
    }
}

}  // namespace
