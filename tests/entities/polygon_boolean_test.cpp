// The polygon boolean and the triangulation on random star-shaped rooms, cross-checked
// against Boost.Geometry.
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include <gtest/gtest.h>

#include "foundation/numeric.h"
#include "support/boost_overlay.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace {

using geo_detail::kTwoPi;

// A star-shaped outline around (cx, cy): n vertices at increasing angles, radii in [rMin, rMax].
std::vector<CPoint3d> RandomStar(std::mt19937& rng, int n, double cx, double cy, double rMin,
                                 double rMax) {
    std::uniform_real_distribution<double> radius(rMin, rMax);
    std::uniform_real_distribution<double> jitter(0.1, 0.9);
    std::vector<CPoint3d> pts;
    for (int i = 0; i < n; ++i) {
        const double a = kTwoPi * (i + jitter(rng)) / n;
        const double r = radius(rng);
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    return pts;
}

geo_test::PlanPolygons ToPlan(const std::vector<CPoint3d>& pts) {
    return {{geo_test::planRingOf(pts)}};
}

double PiecesArea(const std::vector<CPolygon>& pieces) {
    double sum = 0;
    for (const CPolygon& p : pieces) {
        sum += p.area();
    }
    return sum;
}

// The clip engine's own result for two outlines, one contour each, as the boolean builds it.
struct RawClip {
    gpc::gpc_polygon result{0, nullptr, nullptr};
    RawClip(const CPolygon& a, const CPolygon& b, gpc::gpc_op op) {
        gpc::gpc_polygon pa{0, nullptr, nullptr}, pb{0, nullptr, nullptr};
        AddPtarrToPolygon(a.getPoints(), &pa, 0);
        AddPtarrToPolygon(b.getPoints(), &pb, 0);
        gpc::gpc_polygon_clip(op, &pa, &pb, &result);
        gpc::gpc_free_polygon(&pa);
        gpc::gpc_free_polygon(&pb);
    }
    ~RawClip() { gpc::gpc_free_polygon(&result); }
    RawClip(const RawClip&) = delete;
    RawClip& operator=(const RawClip&) = delete;
};

// The engine's outer contours agree with Boost.Geometry at 1e-7 of the inputs' area, and
// the boolean returns exactly those contours as normalised polygons (normalising may merge
// an intersection point lying within 0.01 of a vertex, so its area is compared loosely).
TEST(PolygonBooleanRandom, AreasAgreeWithBoostGeometry) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<double> offset(-15, 15);
    std::uniform_int_distribution<int> count(3, 40);
    int exactAfterNormalising = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const CPolygon pa(RandomStar(rng, count(rng), 0, 0, 5, 20), true);
        const CPolygon pb(RandomStar(rng, count(rng), offset(rng), offset(rng), 5, 20), true);
        const geo_test::PlanPolygons ba = ToPlan(pa.getPoints()), bb = ToPlan(pb.getPoints());
        const double tol = 1e-7 * (pa.area() + pb.area());
        for (gpc::gpc_op op : {gpc::GPC_INT, gpc::GPC_UNION, gpc::GPC_DIFF}) {
            // Holes are not subtracted: the polygon boolean drops them.
            const double expected = geo_test::boostOverlayAreas(op, ba, bb).outers;
            const RawClip raw(pa, pb, op);
            const std::vector<std::vector<CPoint3d>> outers = GpcContoursOfKind(raw.result, false);
            double rawArea = 0;
            for (const auto& outline : outers) {
                rawArea += CalPolyArea(outline);
            }
            ASSERT_NEAR(rawArea, expected, tol) << "trial " << trial << " op " << op;

            std::vector<CPolygon> out;
            const bool ok = pa.booleanOper(pb, out, op);
            ASSERT_EQ(out.size(), outers.size());
            for (size_t i = 0; i < out.size(); ++i) {
                EXPECT_EQ(out[i].getPoints(), CPolygon(outers[i], true).getPoints());
                EXPECT_FALSE(PolyIsClockWise(out[i].getPoints()));
            }
            EXPECT_EQ(ok, PiecesArea(out) > 0.01);
            EXPECT_NEAR(PiecesArea(out), expected, 0.01 * (pa.length() + pb.length()));
            exactAfterNormalising += std::fabs(PiecesArea(out) - expected) <= tol;
        }
    }
    std::printf("boolean areas within 1e-7 of Boost.Geometry after normalising: %d of 900\n",
                exactAfterNormalising);
    EXPECT_GT(exactAfterNormalising, 800);
}

TEST(PolygonBooleanRandom, UnionOfCopyIsTheRoomItself) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 50; ++trial) {
        const CPolygon room(RandomStar(rng, 24, 3, -2, 4, 9), true);
        std::vector<CPolygon> out;
        ASSERT_TRUE(room.booleanOper(room, out, gpc::GPC_UNION));
        ASSERT_EQ(out.size(), 1u);
        EXPECT_NEAR(out[0].area(), room.area(), 1e-9 * room.area());
        EXPECT_FALSE(room.booleanOper(room, out, gpc::GPC_DIFF));
        EXPECT_TRUE(out.empty());
    }
}

TEST(TriangulationRandom, StarOutlinesSplitIntoTrianglesCoveringTheirArea) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> count(3, 30);
    for (int trial = 0; trial < 200; ++trial) {
        const CPolygon room(RandomStar(rng, count(rng), 0, 0, 2, 10), true);
        std::vector<CPoint3d> work = room.getPoints();
        std::vector<Triangle> tris;
        DivideTriangle(work, tris);
        double sum = 0;
        for (const Triangle& t : tris) {
            sum += CalPolyArea(std::vector<CPoint3d>{t.vertA, t.vertB, t.vertC});
        }
        EXPECT_NEAR(sum, room.area(), 1e-9 * room.area()) << trial;
        EXPECT_LE(tris.size(), room.numTriangles());
        // Every index triple names three distinct vertices of the room.
        const std::vector<unsigned int> idx = room.indexTriangles();
        ASSERT_EQ(idx.size() % 3, 0u);
        for (size_t i = 0; i < idx.size(); i += 3) {
            EXPECT_LT(idx[i], static_cast<unsigned int>(room.numVerts()));
            EXPECT_NE(idx[i], idx[i + 1]);
            EXPECT_NE(idx[i + 1], idx[i + 2]);
        }
    }
}

}  // namespace
