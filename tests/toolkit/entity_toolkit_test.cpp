// Toolkit functions over entities.
#include <geo/entity_toolkit.h>
#include <geo/measures.h>
#include <geo/polygon3d.h>
#include <geo/region.h>

#include "foundation/numeric.h"
#include "support/plan_points.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plan_test;

namespace {

// The plan points tilted about the x axis by 45 degrees and lifted by 3.
std::vector<CPoint3d> tilted(const XYList& xy) {
    std::vector<CPoint3d> out;
    for (const auto& p : xy) {
        out.emplace_back(p.first, p.second * std::sqrt(0.5), 3 + p.second * std::sqrt(0.5));
    }
    return out;
}

}  // namespace

TEST(PointOnPolyline, OnlyListedSegmentsCount) {
    const CPolyline open(pts(kOpenSquare));
    const CPolyline closed(pts({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    EXPECT_TRUE(PtOnCurve2d(at(5, 0), CPolyline(pts({{0, 0}, {10, 0}}))));
    EXPECT_FALSE(PtOnCurve2d(at(5, 0.1), CPolyline(pts({{0, 0}, {10, 0}}))));
    EXPECT_FALSE(PtOnCurve2d(at(0, 5), open));
    EXPECT_TRUE(PtOnCurve2d(at(0, 5), closed));
    EXPECT_FALSE(PtOnCurve2d(at(0, 0), CPolyline()));
}

TEST(EdgeAlignedBox, SizeAlongTheChosenEdge) {
    CPolygon rect(pts({{0, 0}, {4, 0}, {4, 2}, {0, 2}}), true);
    rect.rotate(at(1, 1), geo_detail::kPi / 6);
    const struct {
        int edge;
        double length, width;
    } cases[] = {{0, 4, 2}, {1, 2, 4}, {2, 4, 2}, {3, 2, 4}};
    for (const auto& c : cases) {
        double length = 0, width = 0;
        EXPECT_TRUE(CalBox(rect, c.edge, length, width));
        EXPECT_NEAR(length, c.length, 1e-9);
        EXPECT_NEAR(width, c.width, 1e-9);
    }
    double length = -1, width = -1;
    EXPECT_FALSE(CalBox(rect, 4, length, width));
    EXPECT_FALSE(CalBox(rect, -1, length, width));
    EXPECT_FALSE(CalBox(CPolygon(pts({{1, 1}}), false), 0, length, width));
    EXPECT_FALSE(CalBox(CPolygon(pts({{0, 0}, {kNaN, 0}, {1, 1}}), false), 0, length, width));
    EXPECT_EQ(length, -1);
    EXPECT_EQ(width, -1);
}

TEST(OutlineInOutline, AreaOutsideUpToATenth) {
    const struct {
        XYList a;
        bool inside;
    } cases[] = {
        {{{1, 1}, {3, 1}, {3, 3}, {1, 3}}, true},
        {kOpenSquare, true},                                       // equal outlines
        {{{0, 0}, {5, 0}, {5, 5}, {0, 5}}, true},                  // sharing edges
        {{{9, 1}, {12, 1}, {12, 3}, {9, 3}}, false},               // partly out
        {{{9.99, 1}, {10.03, 1}, {10.03, 3}, {9.99, 3}}, true},    // 0.06 out
        {{{20, 20}, {23, 20}, {23, 23}, {20, 23}}, false},         // boxes apart
        {{{20, 20}, {20.2, 20}, {20.2, 20.2}, {20, 20.2}}, true},  // too small to count
    };
    for (const auto& c : cases) {
        std::vector<CPoint3d> a = pts(c.a), b = pts(kOpenSquare);
        EXPECT_EQ(bPolyLineIsInPolygon(a, b, false), c.inside);
    }
    std::vector<CPoint3d> a = pts({{1, 1}, {3, 1}, {3, 3}}), none;
    EXPECT_FALSE(bPolyLineIsInPolygon(a, none, true));
}

TEST(OutlineInOutline3D, InsideInOneTiltedPlaneOnly) {
    const std::vector<CPoint3d> outer = tilted(kOpenSquare);
    const std::vector<CPoint3d> inner = tilted({{2, 2}, {4, 2}, {4, 4}, {2, 4}});
    const std::vector<CPoint3d> innerCw = tilted({{2, 2}, {2, 4}, {4, 4}, {4, 2}});
    const std::vector<CPoint3d> outside = tilted({{12, 2}, {14, 2}, {14, 4}, {12, 4}});
    EXPECT_TRUE(polygonInPolygon3D(inner, outer, 1e-6));
    EXPECT_TRUE(polygonInPolygon3D(innerCw, outer, 1e-6));
    EXPECT_FALSE(polygonInPolygon3D(outside, outer, 1e-6));
    EXPECT_FALSE(polygonInPolygon3D(outer, inner, 1e-6));
    EXPECT_FALSE(polygonInPolygon3D(pts({{2, 2}, {4, 2}, {4, 4}, {2, 4}}), outer, 1e-6));
    EXPECT_FALSE(polygonInPolygon3D({inner[0], inner[1]}, outer, 1e-6));
}

TEST(EntityCleanup, EachEntityTypeCleansItsOwnLists) {
    const XYList withCollinear{{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}};
    CPolygon polygon(pts(withCollinear), false);
    RemoveRedundancyPts(&polygon, 1e-6);
    EXPECT_EQ(polygon.numVerts(), 4);

    CPolyline polyline(pts({{0, 0}, {5, 0}, {10, 0}, {10, 10}}));
    RemoveRedundancyPts(&polyline, 1e-6);
    expectXY(polyline.getPoints(), {{0, 0}, {10, 0}, {10, 10}});

    CPolygon3D polygon3d(tilted(withCollinear), CVector3d(0, -std::sqrt(0.5), std::sqrt(0.5)));
    RemoveRedundancyPts(&polygon3d, 1e-6);
    EXPECT_EQ(polygon3d.getUcsPts().size(), 4u);

    // A contour collapsing below 3 points goes; the others keep their order.
    CRegion region;
    region.contours.emplace_back(pts(withCollinear), true);
    region.contours.emplace_back(pts({{1, 1}, {2, 1}, {3, 1}}), false);
    region.contours.emplace_back(pts({{4, 4}, {6, 4}, {6, 6}, {4, 6}}), false);
    RemoveRedundancyPts(&region, 1e-6);
    ASSERT_EQ(region.contours.size(), 2u);
    EXPECT_EQ(region.contours[0].pts.size(), 4u);
    EXPECT_TRUE(region.contours[0].isOuter);
    EXPECT_FALSE(region.contours[1].isOuter);

    CLineSeg other(at(0, 0), at(1, 0));
    RemoveRedundancyPts(&other, 1e-6);
    RemoveRedundancyPts(static_cast<CGeometry*>(nullptr), 1e-6);
    EXPECT_EQ(other.endPt.x, 1);
}

TEST(OutlineSimplification, FillsNarrowNotchesAndLeavesItClosedCounterClockwise) {
    // A 20 x 20 square with a notch 1 wide and 10 deep cut from its top edge, clockwise.
    std::vector<CPoint3d> notched =
        pts({{0, 0}, {0, 20}, {9.5, 20}, {9.5, 10}, {10.5, 10}, {10.5, 20}, {20, 20}, {20, 0}});
    ReduceGonBorder(notched);
    EXPECT_NEAR(CalPolyArea(notched), 400.0, 1e-6);
    EXPECT_TRUE(IsClosed(notched, 1e-9));
    EXPECT_FALSE(PolyIsClockWise(notched));

    // Nearly closed: the first point is overwritten by the last.
    std::vector<CPoint3d> square = pts({{0.05, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0}});
    ReduceGonBorder(square);
    EXPECT_NEAR(CalPolyArea(square), 400.0, 1e-6);
    EXPECT_TRUE(IsClosed(square, 1e-9));

    for (XYList bad : {XYList{{0, 0}, {1, 1}}, XYList{{0, 0}, {kNaN, 0}, {1, 1}}}) {
        std::vector<CPoint3d> list = pts(bad);
        ReduceGonBorder(list);
        EXPECT_EQ(list.size(), bad.size());
    }
}
