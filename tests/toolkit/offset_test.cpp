// Polyline offsets: mitred vertex offsets, trimmed offsets and their retries, plane forms,
// bands, and bad input. Distances are checked against brute-force distances to the input.
#include <geo/cleanup.h>
#include <geo/measures.h>
#include <geo/offset.h>
#include <geo/region.h>

#include <gtest/gtest.h>

#include "support/point_lists.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "foundation/numeric.h"
#include "support/bumpy_star.h"
#include "support/clipper_offset.h"
#include "toolkit/offset_reference.h"

namespace {

using Pts = std::vector<CPoint3d>;
using PtsList = std::vector<Pts>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
using geo_detail::kPi;

Pts xy(std::initializer_list<std::pair<double, double>> coords) {
    Pts out;
    for (const auto& c : coords) {
        out.emplace_back(c.first, c.second, 0.0);
    }
    return out;
}

void expectPoints(const Pts& got, const Pts& want, double tol = 1e-9) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k) {
        EXPECT_TRUE(got[k].isEqualTo(want[k], tol))
            << k << ": (" << got[k].x << ", " << got[k].y << ", " << got[k].z << ") want ("
            << want[k].x << ", " << want[k].y << ", " << want[k].z << ")";
    }
}

// Plan distance from p to the segment ab.
double segDist(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double len2 = ex * ex + ey * ey;
    double t = len2 > 0 ? ((p.x - a.x) * ex + (p.y - a.y) * ey) / len2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(p.x - (a.x + t * ex), p.y - (a.y + t * ey));
}

// Signed plan distance from p to the line through ab, positive on the left.
double lineSide(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    return (ex * (p.y - a.y) - ey * (p.x - a.x)) / std::hypot(ex, ey);
}

// Distance to the nearest edge of the closed outline ring (no repeated point).
double ringDist(const CPoint3d& p, const Pts& ring) {
    double best = HUGE_VAL;
    for (size_t i = 0; i < ring.size(); ++i) {
        best = std::min(best, segDist(p, ring[i], ring[(i + 1) % ring.size()]));
    }
    return best;
}

// How many edge lines of the ring pass at |d| from p.
int linesAtDistance(const CPoint3d& p, const Pts& ring, double d, double tol) {
    int count = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        if (std::fabs(std::fabs(lineSide(p, ring[i], ring[(i + 1) % ring.size()])) - std::fabs(d)) <
            tol) {
            ++count;
        }
    }
    return count;
}

bool insideRing(const CPoint3d& p, const Pts& ring) {
    bool in = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const CPoint3d& a = ring[i];
        const CPoint3d& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            in = !in;
        }
    }
    return in;
}

// Counter-clockwise star-shaped outline about the origin, radii in [rMin, rMax].
Pts randomStar(std::mt19937& rng, int n, double rMin, double rMax) {
    std::uniform_real_distribution<double> radius(rMin, rMax);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3);
    Pts ring;
    for (int i = 0; i < n; ++i) {
        const double a = (i + 0.5 + jitter(rng)) * 2 * kPi / n;
        const double r = radius(rng);
        ring.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    return ring;
}

Pts closed(Pts ring) {
    ring.push_back(ring.front());
    return ring;
}

Pts reversed(Pts pts) {
    std::reverse(pts.begin(), pts.end());
    return pts;
}

const Pts kSquare = xy({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});

using point_lists::comb;

// ---- Mitred vertex offset ----

TEST(OffsetPline, SquareSidesFollowTravel) {
    Pts out;
    OffsetPline(kSquare, out, 1.0, 1e-6);
    expectPoints(out, xy({{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}}));
    out.clear();
    OffsetPline(kSquare, out, -1.0, 1e-6);
    expectPoints(out, xy({{-1, -1}, {11, -1}, {11, 11}, {-1, 11}, {-1, -1}}));
    // Clockwise: left of travel is outside.
    out.clear();
    OffsetPline(reversed(kSquare), out, 1.0, 1e-6);
    expectPoints(out, xy({{-1, -1}, {-1, 11}, {11, 11}, {11, -1}, {-1, -1}}));
}

TEST(OffsetPline, OpenPathEndsMovePerpendicular) {
    Pts out;
    OffsetPline(xy({{0, 0}, {10, 0}}), out, 2.0, 1e-6);
    expectPoints(out, xy({{0, 2}, {10, 2}}));
    out.clear();
    OffsetPline(xy({{0, 0}, {10, 0}}), out, -2.0, 1e-6);
    expectPoints(out, xy({{0, -2}, {10, -2}}));
    // z is dropped, and a tiny positive distance stays on the left.
    out.clear();
    Pts raised = {CPoint3d(0, 0, 5), CPoint3d(0, 10, 5), CPoint3d(-10, 10, 5)};
    OffsetPline(raised, out, 5e-8, 1e-6);
    expectPoints(out, xy({{-5e-8, 0}, {-5e-8, 10 - 5e-8}, {-10, 10 - 5e-8}}), 1e-12);
}

TEST(OffsetPline, MitreHasNoLengthLimit) {
    // Corner at the origin between (-10, 0) and a leg leaving at `turn` radians.
    for (double turn : {0.3, 1.0, 2.0, 2.9, 3.1}) {
        const CPoint3d a(-10, 0, 0), v(0, 0, 0);
        const CPoint3d b(10 * std::cos(turn), 10 * std::sin(turn), 0);
        for (double d : {1.0, -1.0}) {
            Pts out;
            OffsetPline({a, v, b}, out, d, 1e-6);
            ASSERT_EQ(out.size(), 3u) << turn;
            const CPoint3d& m = out[1];
            EXPECT_NEAR(lineSide(m, a, v), d, 1e-9) << turn;
            EXPECT_NEAR(lineSide(m, v, b), d, 1e-9) << turn;
            // Half the inner corner angle is (pi - turn) / 2.
            EXPECT_NEAR(m.distanceTo(v), 1.0 / std::sin((kPi - turn) / 2), 1e-9) << turn;
        }
    }
}

TEST(OffsetPline, SkipsStraightRepeatedAndShortVertices) {
    Pts out;
    // Straight through (5, 0): no point for it.
    OffsetPline(xy({{0, 0}, {5, 0}, {10, 0}, {10, 10}}), out, 1.0, 1e-6);
    expectPoints(out, xy({{0, 1}, {9, 1}, {9, 10}}));
    // A vertex within 0.001 of its successor is dropped before offsetting.
    out.clear();
    OffsetPline(xy({{0, 0}, {10, 0}, {10.0005, 0}, {10, 10}}), out, 1.0, 1e-6);
    EXPECT_EQ(out.size(), 3u);
    // As is one closer than the minimum edge length.
    out.clear();
    OffsetPline(xy({{0, 0}, {10, 0}, {10, 0.5}, {10, 10}}), out, 1.0, 1.0);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_NEAR(lineSide(out[1], CPoint3d(0, 0, 0), CPoint3d(10, 0.5, 0)), 1.0, 1e-9);
    // A last vertex near the first closes the list.
    out.clear();
    OffsetPline(xy({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0.0005}}), out, 1.0, 1e-6);
    expectPoints(out, xy({{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}}));
}

TEST(OffsetPline, FoldBackIsSkippedWhenClosedAndNonFiniteWhenOpen) {
    Pts out;
    OffsetPline(xy({{0, 0}, {10, 0}, {5, 0}}), out, 1.0, 1e-6);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_FALSE(out[1].isValid());
    EXPECT_EQ(PtsOffsetIsRight(xy({{0, 0}, {10, 0}, {5, 0}}), 1.0, 1e-6), 2);
    // Closed: the spike tip at (10, 10) turns straight back and gives nothing.
    out.clear();
    const Pts spiked = xy({{0, 0}, {10, 0}, {10, 10}, {10, 5}, {0, 0}});
    OffsetPline(spiked, out, 1.0, 1e-6);
    EXPECT_EQ(out.size(), 4u);
    EXPECT_TRUE(geo_detail::allFiniteXYZ(out));
    EXPECT_EQ(PtsOffsetIsRight(spiked, 1.0, 1e-6), 1);
}

TEST(OffsetPline, AppendsAndClosesOnlyItsOwnPoints) {
    Pts out = xy({{100, 100}});
    OffsetPline(kSquare, out, 1.0, 1e-6);
    expectPoints(out, xy({{100, 100}, {1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}}));
    // Nothing produced: nothing appended, not even a closing point.
    out = xy({{100, 100}});
    OffsetPline(xy({{0, 0}, {5, 0}, {10, 0}, {0, 0}}), out, 1.0, 1e-6);
    expectPoints(out, xy({{100, 100}}));
}

TEST(OffsetPline, RandomOutlinesKeepTheDistanceToBothEdges) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 40; ++trial) {
        // Odd trials are concave, even ones convex (every vertex on one circle).
        Pts ring = randomStar(rng, 5 + trial % 20, trial % 2 ? 60.0 : 100.0, 100.0);
        if (trial % 4 >= 2) {
            ring = reversed(ring);
        }
        const double d = (trial % 3 == 0 ? -1.0 : 1.0) * 0.5;
        Pts out;
        OffsetPline(closed(ring), out, d, 1e-6);
        ASSERT_EQ(out.size(), ring.size() + 1) << trial;
        const size_t n = ring.size();
        for (size_t i = 0; i < n; ++i) {
            const CPoint3d& prev = ring[(i + n - 1) % n];
            EXPECT_NEAR(lineSide(out[i], prev, ring[i]), d, 1e-7) << trial << " " << i;
            EXPECT_NEAR(lineSide(out[i], ring[i], ring[(i + 1) % n]), d, 1e-7) << trial;
            EXPECT_GE(ringDist(out[i], ring), std::fabs(d) - 1e-7) << trial << " " << i;
        }
        EXPECT_EQ(PtsOffsetIsRight(closed(ring), d, 1e-6), 0);
    }
}

TEST(PtsOffsetIsRight, CountsUsablePoints) {
    EXPECT_EQ(PtsOffsetIsRight(kSquare, 1.0, 1e-6), 0);
    EXPECT_EQ(PtsOffsetIsRight(xy({{0, 0}, {5, 0}, {10, 0}, {10, 10}}), 1.0, 1e-6), 1);
    EXPECT_EQ(PtsOffsetIsRight(xy({{0, 0}}), 1.0, 1e-6), 1);
    EXPECT_EQ(PtsOffsetIsRight({}, 1.0, 1e-6), 1);
}

// ---- Trimmed offsets ----

// Every vertex of every result lies no nearer than |d| to the outline, exactly |d| from
// some edge line, and on the side the sign asks for.
void expectTrimmedOffset(const Pts& ring, const PtsList& out, double d, bool shrinks) {
    for (const Pts& list : out) {
        ASSERT_GE(list.size(), 2u);
        EXPECT_TRUE(list.front().isEqualTo(list.back(), 1e-9)) << "closed outline, closed result";
        for (const CPoint3d& p : list) {
            EXPECT_GE(ringDist(p, ring), std::fabs(d) - 1e-6);
            EXPECT_GE(linesAtDistance(p, ring, d, 1e-6), 1);
            EXPECT_EQ(insideRing(p, ring), shrinks);
            EXPECT_EQ(p.z, 0.0);
        }
    }
}

TEST(PlineOffset, SquareAndZeroDistance) {
    PtsList out;
    EXPECT_EQ(PlineOffset(kSquare, out, 1.0, 1e-6), 1);
    ASSERT_EQ(out.size(), 1u);
    expectPoints(out[0], xy({{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}}), 1e-9);
    EXPECT_EQ(PlineOffset(kSquare, out, 0.0, 1e-6), 1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0][0].x, 0.00001, 1e-12);
    EXPECT_NEAR(out[0][0].y, 0.00001, 1e-12);
    // A shrink past the middle leaves nothing, and out is resized to nothing.
    EXPECT_EQ(PlineOffset(kSquare, out, 6.0, 1e-6), 0);
    EXPECT_TRUE(out.empty());
}

TEST(PlineOffset, RandomStarsStayAtTheDistance) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 30; ++trial) {
        const Pts ccw = randomStar(rng, 8 + trial * 3, trial % 3 ? 50.0 : 100.0, 100.0);
        const bool clockwise = trial % 2 == 1;
        const Pts ring = clockwise ? reversed(ccw) : ccw;
        for (double d : {2.0, -2.0, 7.0}) {
            PtsList out;
            const int n = PlineOffset(closed(ring), out, d, 1e-6);
            ASSERT_EQ(n, static_cast<int>(out.size()));
            ASSERT_GE(n, 1) << trial << " " << d;
            // Left of travel is inside a counter-clockwise outline.
            expectTrimmedOffset(ring, out, d, (d > 0) != clockwise);
        }
    }
}

// Outlines of thousands of vertices, offset by many edge lengths, have the area the peers give
// their mitred offset; the plane form and the region's offset follow. Clipper takes seconds on
// 65 536 vertices, so its area there is stored (scale 2^20; its rounding moves it by ~1e-8),
// and only the growth the engine once gave up on is checked at that size.
TEST(PlineOffset, LargeStarsOffsetByManyEdgeLengths) {
    constexpr double kDistance = 10.0, kRelTol = 2e-8;
    const Pts star = support::bumpyStar(7919u + 4096, 4096);
    for (double d : {-kDistance, kDistance}) {
        const double expected = std::fabs(support::clipperMitreArea(star, -d));
        PtsList out;
        ASSERT_EQ(PlineOffset(closed(star), out, d, 1e-6), 1) << d;
        EXPECT_NEAR(CalPolyArea(out[0]), expected, kRelTol * expected) << d;
        if (d < 0) {
            ASSERT_EQ(PlineOffset3D(closed(star), out, d, CVector3d(0, 0, 1), 1e-6), 1);
            EXPECT_NEAR(CalPolyArea(out[0]), expected, kRelTol * expected);
        } else {
            // The region offsets its outer clockwise: a negative distance shrinks it.
            CRegion region;
            region.contours.emplace_back(star, true);
            ASSERT_TRUE(region.Offset(-d));
            EXPECT_NEAR(region.area(), expected, kRelTol * expected);
        }
    }
    constexpr double kClipperGrownArea65536 = 534096.1143748193;
    PtsList out;
    ASSERT_EQ(PlineOffset(closed(support::bumpyStar(7919u + 65536, 65536)), out, -kDistance, 1e-6),
              1);
    EXPECT_NEAR(CalPolyArea(out[0]), kClipperGrownArea65536, kRelTol * kClipperGrownArea65536);
}

// Bitwise equality of two result lists (NaN equal to NaN).
bool sameBits(const PtsList& a, const PtsList& b) {
    auto same = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size()) {
            return false;
        }
        for (size_t k = 0; k < a[i].size(); ++k) {
            if (!same(a[i][k].x, b[i][k].x) || !same(a[i][k].y, b[i][k].y) ||
                !same(a[i][k].z, b[i][k].z)) {
                return false;
            }
        }
    }
    return true;
}

// Random outlines and paths, closed and open, tangled ones turning back on themselves (whose
// offsets hold arcs), in the plan and in tilted planes: the offsets read straight from the
// engine are, to the bit, those read back from the curve objects.
TEST(PlineOffset, SameResultsAsThroughTheCurveObjects) {
    std::mt19937 rng(314);
    std::uniform_real_distribution<double> coord(-50.0, 50.0), unit(-1.0, 1.0);
    int compared3d = 0;
    for (int trial = 0; trial < 120; ++trial) {
        Pts pts = trial % 3 == 0 ? closed(randomStar(rng, 6 + trial / 2, 40.0, 100.0)) : Pts{};
        for (int k = 0; trial % 3 != 0 && k < 3 + trial % 9; ++k) {
            pts.emplace_back(coord(rng), coord(rng), 0.0);
        }
        if (trial % 10 == 4) {  // there and back: the offset rounds both ends with arcs
            pts = xy({{0, 0}, {coord(rng), coord(rng)}, {0, 0}});
        }
        if (trial % 3 == 1) {
            pts.push_back(pts.front());
        }
        const double d = (trial % 5 == 0 ? 0.0 : 8.0 * unit(rng)), tol = trial % 2 ? 1e-6 : 0.01;
        PtsList ours, theirs;
        EXPECT_EQ(PlineOffset(pts, ours, d, tol), reference::PlineOffset(pts, theirs, d, tol));
        EXPECT_TRUE(sameBits(ours, theirs)) << trial;
        // The plane form, on the outline carried into a tilted plane.
        const CVector3d normal(unit(rng), unit(rng), 2.0);
        Pts tilted;
        for (const CPoint3d& p : pts) {
            tilted.emplace_back(p.x, p.y, 3.0 - (normal.x * p.x + normal.y * p.y) / normal.z);
        }
        const PtsList once = reference::planeOffsetOnce(tilted, d + 0.5, normal, tol);
        if (once.empty() || (once.size() == 1 && 2 * once[0].size() < tilted.size())) {
            continue;  // retried: the retries run the same offset on other outlines
        }
        ++compared3d;
        EXPECT_EQ(PlineOffset3D(tilted, ours, d + 0.5, normal, tol), static_cast<int>(once.size()));
        EXPECT_TRUE(sameBits(ours, once)) << trial;
    }
    EXPECT_GT(compared3d, 60);
}

TEST(PlineOffset3D, PlaneOfTheNormal) {
    PtsList flat;
    PlineOffset(kSquare, flat, 1.0, 1e-6);
    PtsList out = {xy({{5, 5}})};
    EXPECT_EQ(PlineOffset3D(kSquare, out, 1.0, CVector3d(0, 0, 1), 1e-6), 1);
    ASSERT_EQ(out.size(), 1u);
    expectPoints(out[0], flat[0], 1e-9);
    // Seen from -Z the square runs clockwise: the same distance grows it.
    EXPECT_EQ(PlineOffset3D(kSquare, out, 1.0, CVector3d(0, 0, -1), 1e-6), 1);
    expectPoints(out[0], xy({{-1, -1}, {11, -1}, {11, 11}, {-1, 11}, {-1, -1}}), 1e-9);

    // A square in the plane y = 3, counter-clockwise about -Y.
    Pts wall;
    for (const CPoint3d& p : kSquare) {
        wall.emplace_back(p.x, 3.0, p.y);
    }
    EXPECT_EQ(PlineOffset3D(wall, out, 1.0, CVector3d(0, -1, 0), 1e-6), 1);
    ASSERT_EQ(out[0].size(), 5u);
    for (const CPoint3d& p : out[0]) {
        EXPECT_NEAR(p.y, 3.0, 1e-9);
        EXPECT_NEAR(std::min(std::fabs(p.x - 1), std::fabs(p.x - 9)), 0.0, 1e-9);
        EXPECT_NEAR(std::min(std::fabs(p.z - 1), std::fabs(p.z - 9)), 0.0, 1e-9);
    }

    std::vector<AcGePoint3d> acWall;
    for (const CPoint3d& p : wall) {
        acWall.push_back(p.toAcGePoint3d());
    }
    std::vector<std::vector<AcGePoint3d>> acOut(3);
    EXPECT_EQ(PlineOffset3D(acWall, acOut, 1.0, AcGeVector3d(0, -1, 0), 1e-6), 1);
    ASSERT_EQ(acOut.size(), 1u);
    ASSERT_EQ(acOut[0].size(), out[0].size());
    for (size_t k = 0; k < out[0].size(); ++k) {
        EXPECT_TRUE(CPoint3d(acOut[0][k]).isEqualTo(out[0][k], 1e-12));
    }
}

// The outline started two vertices earlier, as the poor-result retry rebuilds it.
Pts startedTwoEarlier(Pts pts) {
    OpenPts(pts, 1e-6);
    std::rotate(pts.begin(), pts.end() - 2, pts.end());
    ClosePts(pts, 1e-6);
    return pts;
}

TEST(PlineOffset3D, PoorResultIsRetriedOnceFromAnotherStart) {
    const Pts teeth = comb();
    PtsList direct;
    ASSERT_EQ(PlineOffset(teeth, direct, -2.0, 1e-6), 1);
    ASSERT_LT(2 * direct[0].size(), teeth.size());

    PtsList rotated;
    ASSERT_EQ(PlineOffset(startedTwoEarlier(teeth), rotated, -2.0, 1e-6), 1);
    PtsList out;
    // The retry is poor too and is not retried again: its result stands.
    EXPECT_EQ(PlineOffset3D(teeth, out, -2.0, CVector3d(0, 0, 1), 1e-6), 1);
    ASSERT_EQ(out.size(), 1u);
    expectPoints(out[0], rotated[0], 1e-9);
    EXPECT_FALSE(out[0][0].isEqualTo(direct[0][0], 1e-6));
}

TEST(PlineOffset3D, NoResultGivesZeroAfterTheRetries) {
    PtsList out = {xy({{1, 1}})};
    EXPECT_EQ(PlineOffset3D(xy({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}), out, 5.0,
                            CVector3d(0, 0, 1), 1e-6),
              0);
    EXPECT_TRUE(out.empty());
    // The failed call leaves nothing behind for the next one.
    EXPECT_EQ(PlineOffset3D(kSquare, out, 1.0, CVector3d(0, 0, 1), 1e-6), 1);
    EXPECT_EQ(PlineOffset3D(comb(), out, -2.0, CVector3d(0, 0, 1), 1e-6), 1);
    EXPECT_FALSE(out[0][0].isEqualTo(CPoint3d(-2, -2, 0), 1e-6));
}

TEST(PlineOffset3D, ConcurrentCallsKeepTheirOwnRetries) {
    std::mt19937 rng(3);
    const std::vector<Pts> inputs = {comb(), xy({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}), kSquare,
                                     closed(randomStar(rng, 40, 60, 100))};
    const std::vector<double> dists = {-2.0, 5.0, 1.0, -3.0};
    std::vector<PtsList> expected(inputs.size());
    std::vector<int> counts(inputs.size());
    for (size_t k = 0; k < inputs.size(); ++k) {
        counts[k] = PlineOffset3D(inputs[k], expected[k], dists[k], CVector3d(0, 0, 1), 1e-6);
    }

    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 30; ++round) {
                const size_t k = static_cast<size_t>(t + round) % inputs.size();
                PtsList out;
                const int n = PlineOffset3D(inputs[k], out, dists[k], CVector3d(0, 0, 1), 1e-6);
                bool same = n == counts[k] && out.size() == expected[k].size();
                for (size_t i = 0; same && i < out.size(); ++i) {
                    same = out[i].size() == expected[k][i].size();
                    for (size_t j = 0; same && j < out[i].size(); ++j) {
                        same = out[i][j].isEqualTo(expected[k][i][j], 1e-12);
                    }
                }
                if (!same) {
                    ++mismatches[t];
                }
            }
        });
    }
    for (std::thread& th : threads) {
        th.join();
    }
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    }
}

// ---- Plane forms and bands ----

TEST(OffsetPline3D, OffsetsInThePlaneOfTheOutline) {
    // The square in the plane x = 2, counter-clockwise about +X.
    Pts wall;
    for (const CPoint3d& p : kSquare) {
        wall.emplace_back(2.0, p.x, p.y);
    }
    Pts out = xy({{7, 7}});
    ASSERT_TRUE(OffsetPline3D(wall, CVector3d(1, 0, 0), 1.0, out, 1e-6));
    ASSERT_EQ(out.size(), 5u);
    Pts want;
    for (const CPoint3d& p : xy({{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}})) {
        want.emplace_back(2.0, p.x, p.y);
    }
    expectPoints(out, want, 1e-9);
    // Seen from -X it runs clockwise, so the same distance grows it.
    ASSERT_TRUE(OffsetPline3D(wall, CVector3d(-2, 0, 0), 1.0, out, 1e-6));
    EXPECT_NEAR(out[0].y, -1.0, 1e-9);
    EXPECT_NEAR(out[0].z, -1.0, 1e-9);
}

TEST(OffsetPline3D, RefusesWhatItCannotOffset) {
    Pts out = xy({{7, 7}});
    Pts bent = xy({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    bent[3].z = 0.01;
    EXPECT_FALSE(OffsetPline3D(bent, CVector3d(0, 0, 1), 1.0, out, 1e-6));
    EXPECT_TRUE(out.empty());
    out = xy({{7, 7}});
    EXPECT_FALSE(OffsetPline3D(xy({{0, 0}}), CVector3d(0, 0, 1), 1.0, out, 1e-6));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(
        OffsetPline3D(xy({{0, 0}, {5, 0}, {10, 0}, {0, 0}}), CVector3d(0, 0, 1), 1.0, out, 1e-6));
    EXPECT_FALSE(
        OffsetPline3D(xy({{0, 0}, {10, 0}, {5, 0}, {5, 0}}), CVector3d(0, 0, 1), 1.0, out, 1e-6));
    EXPECT_FALSE(OffsetPline3D(xy({{0, 0}, {10, 0}, {kNaN, 5}, {0, 10}}), CVector3d(0, 0, 1), 1.0,
                               out, 1e-6));
    EXPECT_FALSE(OffsetPline3D(xy({{0, 0}, {0, 0}}), CVector3d(0, 0, 1), 1.0, out, 1e-6));
    EXPECT_TRUE(out.empty());
}

TEST(OffsetPline3D, TwoPointsAndStraightStart) {
    Pts out;
    ASSERT_TRUE(OffsetPline3D(xy({{0, 0}, {10, 0}}), CVector3d(1, 0, 0), 2.0, out, 1e-6));
    expectPoints(out, xy({{0, 2}, {10, 2}}));
    // The first three vertices in line: the plane comes from the rest of the outline.
    ASSERT_TRUE(OffsetPline3D(xy({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
                              CVector3d(0, 0, 1), 1.0, out, 1e-6));
    expectPoints(out, xy({{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}}), 1e-9);
}

TEST(PlineOffsetToRect, BandAroundTheCentreLine) {
    Pts out = xy({{9, 9}});
    PlineOffsetToRect(xy({{0, 0}, {10, 0}}), out, 4.0);
    expectPoints(out, xy({{0, 2}, {10, 2}, {10, -2}, {0, -2}, {0, 2}}));
    PlineOffsetToRect(xy({{0, 0}, {10, 0}, {10, 10}}), out, 2.0);
    expectPoints(out, xy({{0, 1}, {9, 1}, {9, 10}, {11, 10}, {11, -1}, {0, -1}, {0, 1}}));
    // Nothing to band, or a band through infinity: empty.
    PlineOffsetToRect(xy({{0, 0}}), out, 2.0);
    EXPECT_TRUE(out.empty());
    PlineOffsetToRect(xy({{0, 0}, {10, 0}, {5, 0}}), out, 2.0);
    EXPECT_TRUE(out.empty());
}

TEST(OffsetSimpleRegin, BandWithASlit) {
    Pts out;
    ASSERT_TRUE(OffsetSimpleRegin(xy({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), CVector3d(0, 0, 1), 1.0,
                                  out, 0.5, 1e-6));
    expectPoints(out,
                 xy({{0.5, 0},
                     {10, 0},
                     {10, 10},
                     {0, 10},
                     {0, 0},
                     {0, 1},
                     {0, 9},
                     {9, 9},
                     {9, 1},
                     {0.5, 1},
                     {0.5, 0}}),
                 1e-9);
    ASSERT_TRUE(OffsetSimpleRegin(kSquare, CVector3d(0, 0, 1), -1.0, out, 0.5, 1e-6));
    EXPECT_EQ(out.size(), 11u);
    EXPECT_TRUE(out.front().isEqualTo(out.back(), 1e-12));
}

TEST(OffsetSimpleRegin, FailuresLeaveOutAlone) {
    const Pts kept = xy({{3, 3}});
    Pts out = kept;
    // A straight vertex gives no offset point: the counts differ.
    EXPECT_FALSE(OffsetSimpleRegin(xy({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
                                   CVector3d(0, 0, 1), 1.0, out, 0.5, 1e-6));
    EXPECT_FALSE(OffsetSimpleRegin(xy({{0, 0}, {10, 0}}), CVector3d(0, 0, 1), 1.0, out, 0.5, 1e-6));
    EXPECT_FALSE(
        OffsetSimpleRegin(xy({{0, 0}, {5, 0}, {10, 0}}), CVector3d(0, 0, 1), 1.0, out, 0.5, 1e-6));
    EXPECT_FALSE(OffsetSimpleRegin(xy({{0, 0}, {kNaN, 0}, {10, 10}}), CVector3d(0, 0, 1), 1.0, out,
                                   0.5, 1e-6));
    expectPoints(out, kept);
}

// ---- Bad input ----

TEST(OffsetBadInput, NeutralResults) {
    const std::vector<Pts> bad = {{},
                                  xy({{1, 1}}),
                                  xy({{1, 1}, {1, 1}, {1, 1}}),
                                  xy({{kNaN, 0}, {kNaN, 1}, {kNaN, kNaN}}),
                                  xy({{0, 0}, {10, 0}, {kNaN, 5}, {0, 10}, {0, 0}}),
                                  xy({{0, 0}, {kInf, 0}, {10, 10}, {0, 0}})};
    for (const Pts& pts : bad) {
        PtsList lists = {xy({{1, 2}})};
        EXPECT_EQ(PlineOffset3D(pts, lists, 1.0, CVector3d(0, 0, 1), 1e-6), 0);
        EXPECT_TRUE(lists.empty());
        EXPECT_EQ(PlineOffset(pts, lists, 1.0, 1e-6), 0);
        EXPECT_TRUE(lists.empty());
        Pts out;
        OffsetPline(pts, out, 1.0, 1e-6);
        EXPECT_TRUE(geo_detail::allFiniteXYZ(out));
        EXPECT_FALSE(OffsetPline3D(pts, CVector3d(0, 0, 1), 1.0, out, 1e-6));
    }
    // Unusable distances, normals and tolerances.
    PtsList lists;
    EXPECT_EQ(PlineOffset3D(kSquare, lists, kNaN, CVector3d(0, 0, 1), 1e-6), 0);
    EXPECT_EQ(PlineOffset3D(kSquare, lists, 1.0, CVector3d(0, 0, 0), 1e-6), 0);
    EXPECT_EQ(PlineOffset3D(kSquare, lists, 1.0, CVector3d(0, 0, 1), kNaN), 0);
    EXPECT_EQ(PlineOffset(kSquare, lists, kNaN, 1e-6), 0);
    Pts out;
    OffsetPline(kSquare, out, 1.0, kNaN);
    EXPECT_TRUE(out.empty());
    OffsetPline(kSquare, out, kNaN, 1e-6);
    EXPECT_EQ(PtsOffsetIsRight(kSquare, kNaN, 1e-6), 2);
}

}  // namespace

TEST(PlineOffset, PathTurningStraightBackOverRepeatsStaysFinite) {
    // Found by fuzzing: the reversal at (1, 0) left a raw piece without length whose carrier
    // met the round end in NaN points.
    const Pts pts = xy({{0, 10}, {0, 0}, {1, 0}, {0, 0}, {0, 10}, {0, 0}});
    PtsList out;
    ASSERT_EQ(PlineOffset(pts, out, -1.0, 0.001), 2);
    for (const Pts& line : out) {
        for (const CPoint3d& p : line) {
            EXPECT_TRUE(geo_detail::isFiniteXY(p));
        }
    }
    expectPoints(out[1], xy({{-1, 10}, {-1, 0}}));
}

TEST(PlineOffset, DistanceOrCoordinatesBeyondTheRangeOfLengthsGiveNoCurve) {
    // Found by fuzzing: offsets near 1e304 overflowed on the way out, met beyond the largest
    // double when joined, or compared their crossings pairwise for seconds. Squared lengths
    // overflow above about 1e154, so such offsets give nothing.
    Pts spiky = xy({{12.25, 12.25}, {12.25, -24.25}, {0, 24}, {12.25, 12.25}, {0, 0}, {1, 0}});
    spiky.resize(24, CPoint3d(0, 0, 0));
    const Pts straight = {CPoint3d(4.03e-308, 19.75, 0), CPoint3d(19.75, 19.75, 19.75),
                          CPoint3d(19.75, 19.75, 19.75), CPoint3d(4, 19.75, 19.75)};
    const Pts farSquare = xy({{0, 0}, {1e151, 0}, {1e151, 1e151}, {0, 1e151}});
    const struct {
        Pts pts;
        double distance;
    } cases[] = {{spiky, -2.762426622565388e+304},
                 {straight, -1.7974959772786445e+308},
                 {kSquare, 1e151},
                 {farSquare, 1.0}};
    for (const auto& c : cases) {
        PtsList out(2);
        EXPECT_EQ(PlineOffset(c.pts, out, c.distance, 1e-5), 0);
        EXPECT_TRUE(out.empty());
    }
    // Just below the limit an outline of that size still grows.
    const Pts bigSquare = xy({{0, 0}, {1e140, 0}, {1e140, 1e140}, {0, 1e140}});
    PtsList out;
    EXPECT_EQ(PlineOffset(bigSquare, out, -1e149, 1e-5), 1);
}
