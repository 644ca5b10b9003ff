// The clipping routes against the Clipper engine with touching contours split (the reference
// every result used to come from) on thousands of random operands: the same net area whatever
// route a case takes, and from the overlay the same contours with the same hole flags and areas.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "foundation/numeric.h"
#include "platform/gpc/clip_engine.h"
#include "platform/gpc/gpc_support.h"
#include "platform/gpc/grid_rings.h"

using namespace gpc_test;
using gpc_detail::ClipOp;
using gpc_detail::ResultContour;
using gpc_detail::RingView;

namespace {

constexpr double kAreaTol = 1e-9;  // of the operands' summed absolute ring areas
constexpr int kCasesPerFamily = 300;
const ClipOp kOps[] = {ClipOp::kDifference, ClipOp::kIntersection, ClipOp::kXor, ClipOp::kUnion};

using Rings = std::vector<Ring>;

std::vector<RingView> views(const Rings& rings) {
    std::vector<RingView> v;
    for (const Ring& r : rings) {
        v.push_back({r.data(), static_cast<int>(r.size())});
    }
    return v;
}

double ringsArea(const Rings& rings) {
    double a = 0;
    for (const Ring& r : rings) {
        a += std::fabs(signedArea(r.data(), static_cast<int>(r.size())));
    }
    return a;
}

// (hole flag, area) of every contour, sorted: what the order among outers may not change.
std::vector<std::pair<bool, double>> signature(const std::vector<ResultContour>& cs) {
    std::vector<std::pair<bool, double>> s;
    for (const ResultContour& c : cs) {
        s.push_back({c.hole, signedArea(c.pts.data(), static_cast<int>(c.pts.size()))});
    }
    std::sort(s.begin(), s.end());
    return s;
}

// The result contract: outers counter-clockwise and first, holes clockwise, no vertex repeated
// within a contour.
void expectContract(const std::vector<ResultContour>& cs, const std::string& where) {
    ASSERT_TRUE(cs.empty() || !cs.front().hole) << where;
    for (const ResultContour& c : cs) {
        EXPECT_EQ(signedArea(c.pts.data(), static_cast<int>(c.pts.size())) < 0, c.hole) << where;
        std::vector<std::pair<double, double>> pts;
        for (const gpc::gpc_vertex& v : c.pts) {
            pts.push_back({v.x, v.y});
        }
        std::sort(pts.begin(), pts.end());
        EXPECT_TRUE(std::adjacent_find(pts.begin(), pts.end()) == pts.end()) << where;
    }
}

double netArea(const std::vector<ResultContour>& cs) {
    double a = 0;
    for (const ResultContour& c : cs) {
        a += signedArea(c.pts.data(), static_cast<int>(c.pts.size()));
    }
    return a;
}

// The same net area, and the result contract.
void expectSameArea(const std::vector<ResultContour>& got, const std::vector<ResultContour>& want,
                    double tol, const std::string& where) {
    expectContract(got, where);
    EXPECT_NEAR(netArea(got), netArea(want), tol) << where;
}

// The same contours, or for a symmetric difference pinched where the operands cross, the same
// area: there the reference keeps an outer with a hole touching it at the crossings, the overlay
// gives the separate pieces between them.
void expectSame(const std::vector<ResultContour>& got, const std::vector<ResultContour>& want,
                ClipOp op, double tol, const std::string& where) {
    if (op == ClipOp::kXor) {
        expectSameArea(got, want, tol, where);
        return;
    }
    expectContract(got, where);
    const auto g = signature(got), w = signature(want);
    ASSERT_EQ(g.size(), w.size()) << where;
    for (std::size_t i = 0; i < g.size(); ++i) {
        EXPECT_EQ(g[i].first, w[i].first) << where << " contour " << i;
        EXPECT_NEAR(g[i].second, w[i].second, tol) << where << " contour " << i;
    }
}

// A jittered star: simple, with vertices at increasing angles.
Ring star(std::mt19937& rng, int n, double cx, double cy, double r) {
    std::uniform_real_distribution<double> jitter(0.85, 1.0);
    Ring ring;
    for (int i = 0; i < n; ++i) {
        const double t = geo_detail::kTwoPi * i / n, d = r * jitter(rng);
        ring.push_back({cx + d * std::cos(t), cy + d * std::sin(t)});
    }
    return ring;
}

Ring rounded(Ring r) {
    for (gpc::gpc_vertex& v : r) {
        v = {std::round(v.x), std::round(v.y)};
    }
    return r;
}

// A square of side s with every edge cut into k collinear pieces.
Ring dottedSquare(double x0, double y0, double s, int k) {
    Ring r;
    for (int side = 0; side < 4; ++side) {
        for (int i = 0; i < k; ++i) {
            const double t = s * i / k;
            const gpc::gpc_vertex corners[] = {
                {x0 + t, y0}, {x0 + s, y0 + t}, {x0 + s - t, y0 + s}, {x0, y0 + s - t}};
            r.push_back(corners[side]);
        }
    }
    return r;
}

// Families of operand pairs: generic crossings, holes, shared vertices and edges on an integer
// grid, holes touching their outers, collinear runs and self-crossing tangles.
using Family = std::function<std::pair<Rings, Rings>(std::mt19937&)>;

std::vector<std::pair<const char*, Family>> families() {
    std::uniform_int_distribution<int> size(3, 160);
    return {
        {"stars",
         [size](std::mt19937& g) mutable {
             std::uniform_real_distribution<double> off(-12, 12);
             return std::make_pair(Rings{star(g, size(g), 0, 0, 10)},
                                   Rings{star(g, size(g), off(g), off(g), 10)});
         }},
        {"stars with holes",
         [size](std::mt19937& g) mutable {
             std::uniform_real_distribution<double> off(-8, 8);
             Rings a{star(g, size(g), 0, 0, 10), star(g, 3 + size(g) / 4, 1, 0, 4)};
             Rings b{star(g, size(g), off(g), off(g), 10), star(g, 3 + size(g) / 4, 0, 1, 3)};
             return std::make_pair(a, b);
         }},
        {"shared grid vertices",
         [size](std::mt19937& g) mutable {
             std::uniform_int_distribution<int> off(-6, 6);
             return std::make_pair(Rings{rounded(star(g, size(g), 0, 0, 12))},
                                   Rings{rounded(star(g, size(g), off(g), off(g), 12))});
         }},
        {"holes touching outers",
         [size](std::mt19937& g) mutable {
             Ring hole{{0, 0}, {4, -3}, {4, 3}};  // its first vertex on the outer's boundary
             Ring outer = rounded(star(g, size(g), 10, 0, 10));
             outer.push_back({0, 0});
             std::sort(outer.begin(), outer.end(), [](const auto& p, const auto& q) {
                 return std::atan2(p.y, p.x - 10) < std::atan2(q.y, q.x - 10);
             });
             return std::make_pair(Rings{outer, hole}, Rings{rounded(star(g, size(g), 14, 4, 9))});
         }},
        {"collinear runs",
         [](std::mt19937& g) {
             std::uniform_int_distribution<int> k(1, 40), off(-9, 9);
             return std::make_pair(Rings{dottedSquare(0, 0, 12, k(g))},
                                   Rings{dottedSquare(off(g), off(g), 12, k(g))});
         }},
        {"tangles",
         [](std::mt19937& g) {
             std::uniform_int_distribution<int> n(3, 24);
             return std::make_pair(Rings{randomTangle(g, n(g), 10)},
                                   Rings{randomTangle(g, n(g), 10), randomTangle(g, n(g), 10)});
         }},
    };
}

// Runs `check` on every case and operation of every family.
void forEveryCase(const std::function<void(const Rings&, const Rings&, ClipOp, double,
                                           const std::string&)>& check) {
    std::mt19937 rng(1212);
    for (auto& [name, make] : families()) {
        for (int i = 0; i < kCasesPerFamily; ++i) {
            const auto [a, b] = make(rng);
            const double tol = kAreaTol * (ringsArea(a) + ringsArea(b));
            for (ClipOp op : kOps) {
                check(a, b, op, tol,
                      std::string(name) + " case " + std::to_string(i) + " op " +
                          std::to_string(static_cast<int>(op)));
            }
        }
    }
}

}  // namespace

TEST(ClipEngineDifferential, OverlayRouteAgreesWithReferenceWheneverItAccepts) {
    int accepted = 0;
    forEveryCase([&](const Rings& a, const Rings& b, ClipOp op, double tol, const std::string& w) {
        std::vector<ResultContour> got;
        if (gpc_detail::clipWithOverlay(op, views(a), views(b), got)) {
            ++accepted;
            expectSame(got, gpc_detail::clipWithClipper(op, views(a), views(b)), op, tol, w);
        }
    });
    // Generic crossings are accepted; grid-shared vertices, touching holes and tangles are not.
    EXPECT_GT(accepted, 2 * 4 * kCasesPerFamily / 2);
}

// Each route is held to the reference in its own test; whichever is taken, the area is the same.
TEST(ClipEngineDifferential, RoutedEngineAgreesWithReference) {
    forEveryCase([](const Rings& a, const Rings& b, ClipOp op, double tol, const std::string& w) {
        expectSameArea(gpc_detail::clipEvenOdd(op, views(a), views(b)),
                       gpc_detail::clipWithClipper(op, views(a), views(b)), tol, w);
    });
}

// Self-crossing operands past the overlay's threshold, which the splitting route takes: three
// rings of 40 to 80 random vertices each, every other case on a coarse integer grid, where rings
// pass through one another's vertices and run along one another's edges. Contours may be cut
// otherwise than the reference cuts them (it leaves a ring touching itself where one of its
// vertices lies on one of its edges, and cuts a hole in two where an island touches it twice),
// so the net areas are compared.
TEST(ClipEngineDifferential, SplittingRouteAgreesWithReference) {
    constexpr int kCases = 16;
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> n(40, 80);
    for (int i = 0; i < kCases; ++i) {
        Rings a, b;
        for (Rings* operand : {&a, &a, &b}) {
            const Ring ring = randomTangle(rng, n(rng), 20);
            operand->push_back(i % 2 ? rounded(ring) : ring);
        }
        const double tol = kAreaTol * (ringsArea(a) + ringsArea(b));
        for (ClipOp op : kOps) {
            const std::string where =
                "case " + std::to_string(i) + " op " + std::to_string(static_cast<int>(op));
            std::vector<ResultContour> got;
            ASSERT_TRUE(gpc_detail::clipWithSplitting(op, views(a), views(b), got)) << where;
            expectSameArea(got, gpc_detail::clipWithClipper(op, views(a), views(b)), tol, where);
        }
    }
}

// Operands the overlay must refuse, leaving them to the reference: not sets of disjoint simple
// rings, meeting the other operand other than in clear crossings, or too crowded to check within
// a budget linear in their size.
TEST(ClipEngineDifferential, OverlayRefusesOperandsItCannotTakeExactly) {
    std::mt19937 rng(7);
    const Ring big = star(rng, 200, 0, 0, 10);
    Ring crossed = big, spiked = big, pinched = big, sun;
    std::swap(crossed[10], crossed[12]);
    spiked.insert(spiked.begin() + 5, {spiked[4].x * 2, spiked[4].y * 2});
    spiked.insert(spiked.begin() + 6, spiked[4]);
    pinched.insert(pinched.begin() + 50, {0, 0});
    pinched.insert(pinched.begin() + 150, {0, 0});
    for (int i = 0; i < 2000; ++i) {
        const double r = i % 2 ? 100 : 1, t = geo_detail::kTwoPi * i / 2000;
        sun.push_back({r * std::cos(t), r * std::sin(t)});
    }
    const Ring flat{{-5, 0}, {0, 0}, {5, 0}}, other = star(rng, 100, 3, 2, 10);
    const Ring edgeSharing{big[0], big[1], {big[1].x + 20, big[1].y}, {big[0].x + 20, big[0].y}};
    const std::vector<std::tuple<const char*, Rings, Rings>> cases{
        {"self-crossing ring", {crossed}, {other}},
        {"ring folding back on itself", {spiked}, {other}},
        {"ring touching itself", {pinched}, {other}},
        {"zero-area ring beside a valid one", {big, flat}, {other}},
        {"rings of one operand touching", {big, square(big[0].x, big[0].y, 3)}, {other}},
        {"operands sharing an edge", {big}, {edgeSharing}},
        {"operands sharing a vertex", {big}, {Ring{big[7], {20, 30}, {25, 1}}}},
        {"edges crowded round a point", {sun}, {other}},
    };
    for (const auto& [name, a, b] : cases) {
        std::vector<ResultContour> got;
        EXPECT_FALSE(gpc_detail::clipWithOverlay(ClipOp::kUnion, views(a), views(b), got)) << name;
        EXPECT_TRUE(got.empty()) << name;
    }
}

// Grid rounding is written out for speed; it must round exactly as std::llround does, halves
// away from zero included, up to and beyond the grid's 2^52.
TEST(ClipEngineDifferential, GridRoundingMatchesLlround) {
    const double two52 = std::ldexp(1.0, 52), two62 = std::ldexp(1.0, 62);
    const double values[] = {0.0,
                             -0.0,
                             0.5,
                             -0.5,
                             2.5,
                             -2.5,
                             std::nextafter(0.5, 0.0),
                             -std::nextafter(0.5, 0.0),
                             std::nextafter(1.5, 2.0),
                             two52 - 0.5,
                             -(two52 - 0.5),
                             two52 + 1,
                             two62,
                             -two62,
                             std::nextafter(two62, 0.0),
                             1e18};
    for (double v : values) {
        EXPECT_EQ(gpc_detail::roundHalfAway(v), std::llround(v)) << v;
    }
}
