// The prepared outline answers every point question as PtInArea does.
#include <geo/containment.h>
#include <geo/prepared_area.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "foundation/numeric.h"
#include "toolkit/outline_queries.h"
#include "toolkit/pt_in_area_reference.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Compares the prepared outline with the literal rule on every probe, for both boundary
// answers. Where a coordinate is not finite, and on large outlines, PtInArea is the
// reference: the literal rule's arithmetic on infinities and NaN is noise that PtInArea's
// screen does not repeat.
int compareOn(const std::vector<CPoint3d>& pts, const std::vector<CPoint3d>& probes, double tol,
              bool small = true) {
    const CPreparedArea prepared(pts, tol);
    const bool finiteOutline = geo_detail::allFiniteXYZ(pts);
    int boundary = 0;
    for (const CPoint3d& pt : probes) {
        const bool literal = small && finiteOutline && geo_detail::isFiniteXYZ(pt);
        for (bool onEdge : {true, false}) {
            const bool expected = literal ? reference::PtInArea(pt, pts, tol, onEdge)
                                          : PtInArea(pt, pts, tol, onEdge);
            EXPECT_EQ(prepared.ptIn(pt, onEdge), expected)
                << "pt " << pt.x << "," << pt.y << "," << pt.z << " n " << pts.size() << " tol "
                << tol << " onEdge " << onEdge;
            if (::testing::Test::HasFailure()) {
                return boundary;
            }
        }
        boundary += prepared.locate(pt) < 0;
    }
    return boundary;
}

TEST(PreparedArea, MatchesTheLiteralRuleOnRandomOutlines) {
    std::mt19937 rng(424242);
    const double tols[] = {1e-6, 0.001, 0.0, 0.25, 1.0};
    int boundary = 0;
    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        const int n = 3 + static_cast<int>(rng() % 40);
        const double grid = (round % 3 == 0) ? 0.0 : (round % 3 == 1 ? 1.0 : 0.5);
        const double tol = tols[round % 5];
        const double far = round % 4 == 3 ? 3e6 : 0.0;  // survey coordinates
        const auto base = reference::randomStar(rng, n, far, -far, 10.0, grid);
        for (const auto& pts : reference::outlineVariants(rng, base, tol)) {
            boundary += compareOn(pts, reference::probePoints(rng, pts, tol, 25.0), tol);
        }
    }
    EXPECT_GT(boundary, 700);
}

// Long edges filed in many bands, repeated points, one-point and straight outlines, edges
// from far below that rounding lets reach the ray, and values no outline should carry.
TEST(PreparedArea, MatchesTheLiteralRuleOnHostileOutlines) {
    std::mt19937 rng(31);
    std::vector<CPoint3d> comb;
    for (int k = 0; k < 40; ++k) {
        comb.emplace_back(2 * k, k % 2 ? 100.0 : 0.0, 0);
    }
    comb.emplace_back(80, -5, 0);
    comb.emplace_back(-1, -5, 0);
    std::vector<CPoint3d> nanCorner = reference::randomStar(rng, 12, 0, 0, 10, 0.0);
    nanCorner[3].y = kNaN;
    nanCorner[7].x = kInf;
    const std::vector<std::vector<CPoint3d>> outlines = {
        comb,
        nanCorner,
        {CPoint3d(0, 0, 0), CPoint3d(0, 0, 0), CPoint3d(0, 0, 0)},
        {CPoint3d(0, 0, 0), CPoint3d(5, 0, 0), CPoint3d(10, 0, 0)},
        {CPoint3d(0, -1e16, 0), CPoint3d(10, -0.5, 0), CPoint3d(30, -0.5, 0),
         CPoint3d(30, -1e16, 0)},
        {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(0, 10, 0), CPoint3d(10, 10, 0)},
    };
    for (const auto& pts : outlines) {
        for (double tol : {1e-6, 0.0, 0.5, -1.0, kNaN, kInf}) {
            auto probes = reference::probePoints(rng, pts, std::isfinite(tol) ? tol : 0.0, 30.0);
            for (int y = -6; y <= 102; y += 3) {
                for (int x = -4; x <= 84; x += 4) {
                    probes.emplace_back(x, y, 0);
                }
            }
            probes.insert(probes.end(), {CPoint3d(kNaN, 5, 0), CPoint3d(5, kNaN, 0),
                                         CPoint3d(5, kInf, 0), CPoint3d(5, 5, kNaN)});
            compareOn(pts, probes, tol);
        }
    }
    EXPECT_FALSE(
        CPreparedArea({CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)}, 1e-6).ptIn(CPoint3d(0, 0, 0), true));
}

TEST(PreparedArea, MatchesOnLargeOutlines) {
    std::mt19937 rng(8);
    for (int n : {1024, 65536}) {
        const auto pts = reference::randomStar(rng, n, 0.0, 0.0, 100.0, n == 1024 ? 0.25 : 0.0);
        auto probes = reference::probePoints(rng, pts, 1e-6, 200.0);
        std::shuffle(probes.begin(), probes.end(), rng);
        probes.resize(n == 1024 ? 800 : 60);
        EXPECT_GT(compareOn(pts, probes, 1e-6, n == 1024), n == 1024 ? 100 : 5);
    }
}

// One outline asked many times answers as PtInArea whether or not it is prepared: small and
// large outlines, few and many questions, points that are not finite.
TEST(OutlineQueries, AnswerAsThePlainTestAtEveryQueryCount) {
    std::mt19937 rng(77);
    for (int n : {8, 31, 32, 300}) {
        const double tol = n == 300 ? 0.01 : 1e-6;
        const auto pts = reference::randomStar(rng, n, 5e4, -3.0, 50.0, n == 32 ? 0.5 : 0.0);
        auto probes = reference::probePoints(rng, pts, tol, 80.0);
        probes.insert(probes.end(), {CPoint3d(kNaN, 5, 0), CPoint3d(5, kInf, 0)});
        for (size_t queries : {size_t{1}, size_t{63}, size_t{64}, probes.size()}) {
            const containment_detail::OutlineQueries asked(pts, tol, queries);
            for (const CPoint3d& pt : probes) {
                for (bool onEdge : {true, false}) {
                    ASSERT_EQ(asked.ptIn(pt, onEdge), PtInArea(pt, pts, tol, onEdge))
                        << "n " << n << " queries " << queries << " pt " << pt.x << "," << pt.y;
                }
            }
        }
    }
}

// An outline in a tilted plane, laid flat once, answers as PtIn3DArea; no plane, no answer.
TEST(OutlineQueries, PlaneOutlineAnswersAsPtIn3DArea) {
    std::mt19937 rng(12);
    const CVector3d normals[] = {CVector3d(0, 0, 1), CVector3d(1, 2, 3), CVector3d(0, -1, 0)};
    for (const CVector3d& normal : normals) {
        const CVector3d w = CVector3d(normal).normalize();
        const CVector3d u = (std::fabs(w.z) < 0.9 ? CVector3d(0, 0, 1) : CVector3d(1, 0, 0))
                                .crossProduct(w)
                                .normalize();
        const CVector3d v = w.crossProduct(u);
        auto lift = [&](const CPoint3d& p) {
            return CPoint3d(7, -2, 40) + u * p.x + v * p.y + w * (0.001 * p.x);
        };
        const auto flat = reference::randomStar(rng, 120, 0.0, 0.0, 30.0, 0.25);
        std::vector<CPoint3d> pts;
        for (const CPoint3d& p : flat) {
            pts.push_back(lift(p));
        }
        const containment_detail::PlaneOutlineQueries asked(pts, normal, 1e-6, 1000);
        for (const CPoint3d& probe : reference::probePoints(rng, flat, 1e-6, 40.0)) {
            const CPoint3d pt = lift(probe);
            for (bool onEdge : {true, false}) {
                ASSERT_EQ(asked.ptIn(pt, onEdge), PtIn3DArea(pt, pts, normal, 1e-6, onEdge))
                    << "pt " << probe.x << "," << probe.y;
            }
        }
    }
    const std::vector<CPoint3d> square = {CPoint3d(0, 0, 0), CPoint3d(9, 0, 0), CPoint3d(9, 9, 0),
                                          CPoint3d(0, 9, 0)};
    for (const CVector3d& none : {CVector3d(0, 0, 0), CVector3d(kNaN, 0, 1)}) {
        EXPECT_FALSE(containment_detail::PlaneOutlineQueries(square, none, 1e-6, 100)
                         .ptIn(CPoint3d(1, 1, 0), true));
    }
}

}  // namespace
