// Transformed point lists and entity vertex lists.
#include <geo/circles.h>
#include <geo/polygon3d.h>
#include <geo/polylines.h>
#include <geo/region.h>
#include <geo/solids.h>
#include <geo/transformed_lists.h>

#include "foundation/numeric.h"
#include "support/point_lists.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using point_lists::Pts;
const Pts kPair{CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)};

// Every list transform changes the caller's list and returns a copy of the result.
TEST(PtsTransforms, ChangeTheListInPlaceAndReturnACopy) {
    const struct {
        const char* name;
        std::function<Pts(Pts&)> apply;
        Pts want;
    } cases[] = {
        {"move",
         [](Pts& p) { return PtsMove(p, CVector3d(0, 0, 5)); },
         {CPoint3d(0, 0, 5), CPoint3d(1, 0, 5)}},
        {"rotate",
         [](Pts& p) { return PtsRotate(p, CPoint3d(1, 0, 3), geo_detail::kHalfPi); },
         {CPoint3d(1, -1, 0), CPoint3d(1, 0, 0)}},
        {"mirror",
         [](Pts& p) { return PtsMirror(p, CLine(CPoint3d(0, 2, 0), CPoint3d(1, 2, 0))); },
         {CPoint3d(0, 4, 0), CPoint3d(1, 4, 0)}},
        {"scale",
         [](Pts& p) { return PtsScale(p, CPoint3d(1, 0, 1), 3.0); },
         {CPoint3d(-2, 0, -2), CPoint3d(1, 0, -2)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pts pts = kPair;
        const Pts copy = c.apply(pts);
        point_lists::expectPoints(pts, c.want);
        point_lists::expectPoints(copy, c.want);
    }
}

TEST(ScalePtBaseline, StretchesAwayFromTheLineKeepingPointsOnIt) {
    Pts pts{CPoint3d(3, 4, 0), CPoint3d(7, 0, 0), CPoint3d(-1, -2, 1)};
    ScalePtBaseline(CLine(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)), pts, 2.0);
    point_lists::expectPoints(pts, {CPoint3d(3, 8, 0), CPoint3d(7, 0, 0), CPoint3d(-1, -4, 2)});
}

TEST(RotateGeo, MovesThenTurnsFromOneEdgeDirectionToAnother) {
    const Pts ring{CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 10, 0), CPoint3d(0, 10, 0)};
    CLineSeg seg(CPoint3d(0, 0, 0), CPoint3d(2, 0, 0));
    ASSERT_TRUE(RotateGeo(&seg, ring, 1, CPoint3d(0, 0, 0), 1, CPoint3d(5, 5, 0)));  // move only
    point_lists::expectPoints({seg.startPt, seg.endPt}, {CPoint3d(5, 5, 0), CPoint3d(7, 5, 0)});
    // Edge 0 runs along x, edge 1 along y: a quarter turn about p2.
    ASSERT_TRUE(RotateGeo(&seg, ring, 0, CPoint3d(5, 5, 0), 1, CPoint3d(5, 5, 0)));
    point_lists::expectPoints({seg.startPt, seg.endPt}, {CPoint3d(5, 5, 0), CPoint3d(5, 7, 0)});
    for (int bad : {-1, 4}) {
        EXPECT_FALSE(RotateGeo(&seg, ring, bad, CPoint3d(), 0, CPoint3d(1, 1, 0)));
        EXPECT_FALSE(RotateGeo(&seg, ring, 0, CPoint3d(), bad, CPoint3d(1, 1, 0)));
    }
    EXPECT_FALSE(RotateGeo(nullptr, ring, 0, CPoint3d(), 0, CPoint3d()));
    EXPECT_FALSE(RotateGeo(&seg, Pts{}, 0, CPoint3d(), 0, CPoint3d()));
    point_lists::expectPoints({seg.startPt, seg.endPt}, {CPoint3d(5, 5, 0), CPoint3d(5, 7, 0)});
}

TEST(GetGeometryPts, VerticesByEntityType) {
    const Pts a{CPoint3d(0, 0, 0), CPoint3d(4, 0, 0), CPoint3d(4, 4, 0)};
    const Pts b{CPoint3d(10, 0, 0), CPoint3d(14, 0, 0), CPoint3d(14, 4, 0)};
    const Pts hole{CPoint3d(1, 1, 0), CPoint3d(2, 1, 0), CPoint3d(2, 2, 0)};
    CPolyline polyline(a);
    CPolygon polygon(a, false);
    CRegion region({a, b}, {hole});
    CPolygon3D flat(a, CVector3d(0, 0, 1));
    CLineSeg seg(a[0], a[1]);
    point_lists::expectPoints(GetGeometryPts(&polyline), a);
    point_lists::expectPoints(GetGeometryPts(&polygon), a);
    Pts outers = a;
    outers.insert(outers.end(), b.begin(), b.end());
    point_lists::expectPoints(GetGeometryPts(&region), outers);
    point_lists::expectPoints(GetGeometryPts(&flat), flat.getWorldPts());
    EXPECT_EQ(GetGeometryPts(&flat).size(), 3u);
    EXPECT_TRUE(GetGeometryPts(&seg).empty());
    EXPECT_TRUE(GetGeometryPts(nullptr).empty());
}

TEST(GeoIsPline, AreasAndSolidsAreNotLineLike) {
    std::vector<std::pair<std::unique_ptr<CGeometry>, bool>> cases;
    cases.emplace_back(std::make_unique<CPolyline>(), true);
    cases.emplace_back(std::make_unique<CLineSeg>(), true);
    cases.emplace_back(std::make_unique<CArc>(), true);
    cases.emplace_back(std::make_unique<CCircle>(), true);
    cases.emplace_back(std::make_unique<CPolygon>(), false);
    cases.emplace_back(std::make_unique<CRegion>(), false);
    cases.emplace_back(std::make_unique<CPolygon3D>(), false);
    cases.emplace_back(std::make_unique<CSphere>(), false);
    cases.emplace_back(std::make_unique<CCone>(), false);
    cases.emplace_back(std::make_unique<CPyramid>(), false);
    for (const auto& c : cases) {
        EXPECT_EQ(GeoIsPline(c.first.get()), c.second) << c.first->type().name();
    }
    EXPECT_TRUE(GeoIsPline(nullptr));
}

}  // namespace
