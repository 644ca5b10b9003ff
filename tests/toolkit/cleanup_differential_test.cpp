// The fast clean-up routines against their plain restarting / all-pairs forms on random
// lists: small integer grids (many exact collinearities, duplicates and spikes), random
// walks, star outlines without crossings, and real-valued clouds.
#include <geo/acge/getol.h>
#include <geo/cleanup.h>

#include "foundation/numeric.h"
#include "support/point_lists.h"
#include "toolkit/cleanup_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using Pts = std::vector<CPoint3d>;

class Lists {
public:
    explicit Lists(unsigned seed) : m_rng(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    double real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(m_rng);
    }

    // Points on a small integer grid, with occasional repeats and back-steps.
    Pts grid(int n, int side) {
        Pts pts;
        for (int k = 0; k < n; ++k) {
            const int roll = below(10);
            if (roll == 0 && !pts.empty()) {
                pts.push_back(pts.back());
            } else if (roll == 1 && pts.size() >= 2) {
                pts.push_back(pts[pts.size() - 2]);  // a spike back along the last edge
            } else {
                pts.emplace_back(below(side), below(side), below(3) == 0 ? below(2) : 0);
            }
        }
        if (pts.size() >= 3 && below(2) == 0) {
            pts.push_back(pts.front());
        }
        return pts;
    }

    // A walk of short steps, some straight on, some on the grid.
    Pts walk(int n, bool snap) {
        Pts pts;
        double x = 0.0, y = 0.0, dx = 1.0, dy = 0.0;
        for (int k = 0; k < n; ++k) {
            if (below(3) != 0) {
                dx = real(-1.0, 1.0);
                dy = real(-1.0, 1.0);
            }
            x += dx;
            y += dy;
            pts.emplace_back(snap ? std::round(x) : x, snap ? std::round(y) : y, 0.0);
        }
        return pts;
    }

    // A star-shaped outline: no two edges cross, every vertex angle differs.
    Pts star(int n) {
        Pts pts;
        for (int k = 0; k < n; ++k) {
            const double a = geo_detail::kTwoPi * k / n;
            const double r = real(50.0, 100.0);
            pts.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
        }
        return pts;
    }

    Pts cloud(int n, double size) {
        Pts pts;
        for (int k = 0; k < n; ++k) {
            pts.emplace_back(real(0.0, size), real(0.0, size), 0.0);
        }
        return pts;
    }

    // Grid points nudged by amounts around the tolerances of the tests: edges that
    // nearly touch, just touch or just miss.
    Pts nearTouch(int n) {
        static const double nudges[] = {0.0, 4e-4, 9e-4, 1.1e-3, 2e-3, 5e-7, 1.5e-6};
        Pts pts = grid(n, 5);
        for (CPoint3d& p : pts) {
            p.x += (below(2) ? 1 : -1) * nudges[below(7)];
            p.y += (below(2) ? 1 : -1) * nudges[below(7)];
        }
        return pts;
    }

    // One of the generators above, chosen at random.
    Pts any(int maxN) {
        const int n = below(maxN + 1);
        switch (below(6)) {
            case 0:
                return grid(n, 3);
            case 5:
                return nearTouch(n);
            case 1:
                return grid(n, 7);
            case 2:
                return walk(n, below(2) == 0);
            case 3:
                return star(n);
            default:
                return cloud(n, 10.0);
        }
    }

private:
    std::mt19937 m_rng;
};

void expectSame(const Pts& got, const Pts& want, const Pts& input) {
    SCOPED_TRACE(testing::Message() << "input of " << input.size() << " points");
    point_lists::expectIdentical(got, want);
}

TEST(CleanupDifferential, RemoveRedundancyPtsMatchesRestartingScan) {
    Lists gen(11);
    const double tols[] = {1e-6, 0.0, 0.05, 0.7};
    for (int round = 0; round < 4000; ++round) {
        const Pts input = gen.any(30);
        const double tol = tols[round % 4];
        const bool ring = (round / 4) % 2 == 0;
        Pts fast = input, plain = input;
        RemoveRedundancyPts(fast, ring, tol);
        cleanup_reference::RemoveRedundancyPts(plain, ring, tol);
        expectSame(fast, plain, input);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(CleanupDifferential, RemoveRepointMatchesAllPairs) {
    Lists gen(12);
    const AcGeTol saved = AcGeContext::gTol;
    const double tols[] = {1e-10, 0.0, 0.5, 1.0};
    for (int round = 0; round < 3000; ++round) {
        AcGeContext::gTol.setEqualPoint(tols[round % 4]);
        const Pts src = gen.any(60);
        std::vector<AcGePoint3d> fast;
        for (const CPoint3d& p : src) {
            fast.push_back(AcGePoint3d(p.x * 0.5, p.y * 0.5, p.z));
        }
        std::vector<AcGePoint3d> plain = fast;
        removeRepoint(fast);
        cleanup_reference::removeRepoint(plain);
        ASSERT_EQ(fast.size(), plain.size());
        for (size_t k = 0; k < fast.size(); ++k) {
            EXPECT_TRUE(fast[k].x == plain[k].x && fast[k].y == plain[k].y &&
                        fast[k].z == plain[k].z);
        }
    }
    AcGeContext::gTol = saved;
}

TEST(CleanupDifferential, SelfIntersectionTestsMatchAllPairs) {
    Lists gen(13);
    int selfIntersecting = 0, offVertex = 0;
    for (int round = 0; round < 4000; ++round) {
        const Pts input = gen.any(40);
        const bool closed = round % 2 == 0;
        const bool fast = IsSelfIntersect(input, closed);
        ASSERT_EQ(fast, cleanup_reference::IsSelfIntersect(input, closed)) << "round " << round;
        const bool crossing = IsIntersectWithSelf(input);
        ASSERT_EQ(crossing, cleanup_reference::IsIntersectWithSelf(input)) << "round " << round;
        selfIntersecting += fast;
        offVertex += crossing;
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(selfIntersecting, 500);
    EXPECT_LT(selfIntersecting, 3500);
    EXPECT_GT(offVertex, 500);
    EXPECT_LT(offVertex, 3500);
}

TEST(CleanupDifferential, SelfIntersectionTestsMatchOnLargerOutlines) {
    Lists gen(14);
    for (int round = 0; round < 20; ++round) {
        Pts input = gen.star(300 + gen.below(300));
        // Pull one vertex across the outline now and then.
        if (round % 3 != 0) {
            input[gen.below(static_cast<int>(input.size()))] = CPoint3d(gen.real(-90, 90), 0, 0);
        }
        EXPECT_EQ(IsSelfIntersect(input, true), cleanup_reference::IsSelfIntersect(input, true));
        EXPECT_EQ(IsIntersectWithSelf(input), cleanup_reference::IsIntersectWithSelf(input));
    }
}

TEST(CleanupDifferential, ClearSelfIntersectMatchesPlainScan) {
    Lists gen(15);
    const double tols[] = {1e-6, 0.0, 0.3};
    for (int round = 0; round < 3000; ++round) {
        const Pts input = round % 7 == 0 ? gen.walk(150, round % 2 == 0) : gen.any(40);
        const double tol = tols[round % 3];
        Pts fast = input, plain = input;
        ClearSelfIntersect(fast, tol);
        cleanup_reference::ClearSelfIntersect(plain, tol);
        SCOPED_TRACE(testing::Message() << "round " << round << " tol " << tol);
        expectSame(fast, plain, input);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(CleanupDifferential, ClearSelfIntersectMatchesOnLongOutlines) {
    // Long enough for every level of the box screen; a few pulled vertices make loops.
    Lists gen(16);
    Pts input = gen.star(4300);
    for (int k = 0; k < 3; ++k) {
        input[gen.below(4300)] = CPoint3d(gen.real(-40, 40), gen.real(-40, 40), 0);
    }
    Pts fast = input, plain = input;
    ClearSelfIntersect(fast, 1e-6);
    cleanup_reference::ClearSelfIntersect(plain, 1e-6);
    expectSame(fast, plain, input);
    EXPECT_LT(fast.size(), input.size());
}

}  // namespace
