// Regions: construction, areas and point tests with holes, contour lists, GPC conversion,
// booleans (against Boost.Geometry on random regions), offsets, transforms and the record.
#include <geo/containment.h>
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/region.h>

#include <geos_c.h>
#include <gtest/gtest.h>
#include "support/boost_overlay.h"

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

#include <cmath>
#include <memory>
#include <random>

namespace {

using point_expect::expectXy;

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;
using Outline = std::vector<CPoint3d>;
using Outlines = std::vector<Outline>;

constexpr double kTol = 1e-6;
using geo_detail::kTwoPi;

// Counter-clockwise axis-aligned square with lower-left corner (x, y).
Outline Square(double x, double y, double size, double z = 0.0) {
    return {CPoint3d(x, y, z), CPoint3d(x + size, y, z), CPoint3d(x + size, y + size, z),
            CPoint3d(x, y + size, z)};
}

Outline Reversed(Outline pts) {
    std::reverse(pts.begin(), pts.end());
    return pts;
}

// The square 0..10 with the hole 4..6.
CRegion Framed() {
    return CRegion(Outlines{Square(0, 0, 10)}, Outlines{Square(4, 4, 2)});
}

// ---- Construction, areas and contour lists ------------------------------------------

TEST(RegionConstruction, EveryConstructorFlagsContoursAndBuildsBox) {
    const CRegion empty;
    EXPECT_TRUE(empty.contours.empty());
    EXPECT_EQ(empty.elevation(), 0.0);
    expectXy(empty.boxMax, 0, 0);

    const CRegion one(Square(1, 2, 3, 7.5));
    ASSERT_EQ(one.contours.size(), 1u);
    EXPECT_TRUE(one.contours[0].isOuter);
    expectXy(one.boxMin, 1, 2);
    expectXy(one.boxMax, 4, 5);
    EXPECT_EQ(one.boxMin.z, 7.5);  // the z of the first outer vertex

    const CRegion flat(
        std::vector<AcGePoint2d>{AcGePoint2d(0, 0), AcGePoint2d(2, 0), AcGePoint2d(2, 1)});
    ASSERT_EQ(flat.contours.size(), 1u);
    EXPECT_EQ(flat.contours[0].pts[2].x, 2.0);
    EXPECT_EQ(flat.contours[0].pts[2].z, 0.0);

    const CRegion mixed(Outlines{Square(0, 0, 1), Square(5, 5, 1)},
                        Outlines{Square(20, 20, 1), Square(0.2, 0.2, 0.1)});
    ASSERT_EQ(mixed.contours.size(), 4u);
    EXPECT_TRUE(mixed.contours[1].isOuter);
    EXPECT_FALSE(mixed.contours[2].isOuter);
    expectXy(mixed.boxMax, 6, 6);  // the far hole does not widen the box

    CPolygon room(Square(0, 0, 2), true);
    room.setElevation(3);
    room.setThickness(4);
    const CRegion fromRoom(room);
    EXPECT_EQ(fromRoom.elevation(), 3.0);
    EXPECT_EQ(fromRoom.thickness(), 4.0);
    EXPECT_EQ(fromRoom.contours[0].pts.size(), 4u);

    CRegion copy(fromRoom);
    EXPECT_EQ(copy.thickness(), 4.0);
    expectXy(copy.boxMax, 2, 2);
    CRegion assigned(Square(50, 50, 1));
    assigned = mixed;
    EXPECT_EQ(assigned.contours.size(), 4u);
    expectXy(assigned.boxMin, 0, 0);
    assigned = std::move(copy);
    expectXy(assigned.boxMax, 2, 2);
    EXPECT_EQ(assigned.elevation(), 3.0);
}

TEST(RegionConstruction, GpcPolygonKeepsOrderFlagsAndSurvivesBadStructs) {
    gpc::gpc_polygon poly{0, nullptr, nullptr};
    AddPtarrToPolygon(Square(0, 0, 10), &poly, 0);
    AddPtarrToPolygon(Square(2, 2, 1), &poly, 1);
    AddPtarrToPolygon(Square(20, 0, 1), &poly, 0);
    const CRegion r(poly);
    ASSERT_EQ(r.contours.size(), 3u);
    EXPECT_TRUE(r.contours[0].isOuter);
    EXPECT_FALSE(r.contours[1].isOuter);
    EXPECT_TRUE(r.contours[2].isOuter);
    expectXy(r.contours[1].pts[1], 3, 2);
    expectXy(r.boxMax, 21, 10);
    EXPECT_DOUBLE_EQ(r.area(), 100.0 - 1.0 + 1.0);
    gpc::gpc_free_polygon(&poly);

    // A count without arrays, or a missing hole array, must not be followed.
    const gpc::gpc_polygon noArrays{5, nullptr, nullptr};
    EXPECT_TRUE(CRegion(noArrays).contours.empty());
    const gpc::gpc_polygon negative{-3, nullptr, nullptr};
    EXPECT_TRUE(CRegion(negative).contours.empty());
    gpc::gpc_vertex v[3] = {{0, 0}, {1, 0}, {0, 1}};
    gpc::gpc_vertex_list lists[2] = {{3, v}, {-4, nullptr}};
    const gpc::gpc_polygon noHoles{2, nullptr, lists};
    const CRegion partial(noHoles);
    ASSERT_EQ(partial.contours.size(), 2u);
    EXPECT_TRUE(partial.contours[0].isOuter);
    EXPECT_TRUE(partial.contours[1].pts.empty());
}

TEST(RegionQueries, AreaSubtractsHolesWhateverTheOrientation) {
    EXPECT_DOUBLE_EQ(Framed().area(), 96.0);
    const CRegion clockwise(Outlines{Reversed(Square(0, 0, 10)), Square(20, 0, 2)},
                            Outlines{Reversed(Square(1, 1, 1)), Square(3, 3, 1)});
    EXPECT_DOUBLE_EQ(clockwise.area(), 100.0 + 4.0 - 2.0);
    EXPECT_EQ(CRegion().area(), 0.0);
}

TEST(RegionQueries, PointInRegionWithHoleEdges) {
    const CRegion r = Framed();
    EXPECT_FALSE(r.ptIn(CPoint3d(5, 5, 0), true, kTol));  // inside the hole
    EXPECT_TRUE(r.ptIn(CPoint3d(4, 5, 0), true, kTol));   // hole edge counts for the region
    EXPECT_FALSE(r.ptIn(CPoint3d(4, 5, 0), false, kTol));
    EXPECT_TRUE(r.ptIn(CPoint3d(1, 1, 0), false, kTol));
    EXPECT_TRUE(r.ptIn(CPoint3d(0, 5, 0), true, kTol));  // outer edge
    EXPECT_FALSE(r.ptIn(CPoint3d(0, 5, 0), false, kTol));
    EXPECT_FALSE(r.ptIn(CPoint3d(11, 5, 0), true, kTol));
    EXPECT_TRUE(r.ptIn(AcGePoint3d(2, 2, 0), false, kTol));

    // A hole wins over any outer that also holds the point.
    const CRegion nested(Outlines{Square(0, 0, 10), Square(3, 3, 4)}, Outlines{Square(2, 2, 6)});
    EXPECT_FALSE(nested.ptIn(CPoint3d(5, 5, 0), true, kTol));
    EXPECT_TRUE(nested.ptIn(CPoint3d(1, 1, 0), true, kTol));
}

TEST(RegionQueries, PointOnBoundaryIncludingClosingEdges) {
    const CRegion r = Framed();
    EXPECT_TRUE(r.ptOn(CPoint3d(0, 5, 0), kTol));  // closing edge of the open outer list
    EXPECT_TRUE(r.ptOn(CPoint3d(4, 5, 0), kTol));  // closing edge of the hole
    EXPECT_TRUE(r.ptOn(AcGePoint3d(10, 3, 0), kTol));
    EXPECT_FALSE(r.ptOn(CPoint3d(5, 5, 0), kTol));
    EXPECT_FALSE(r.ptOn(CPoint3d(2, 2, 0), kTol));
    Outline closed = Square(0, 0, 10);
    closed.push_back(closed.front());
    EXPECT_TRUE(CRegion(closed).ptOn(CPoint3d(0, 5, 0), kTol));
    CRegion withEmpty;
    withEmpty.contours.resize(1);
    EXPECT_FALSE(withEmpty.ptOn(CPoint3d(0, 0, 0), kTol));
}

TEST(RegionQueries, ContourListsAndTheirOrder) {
    CRegion r;
    r.contours = {RegionContour(Square(0, 0, 1), true), RegionContour(Square(5, 5, 1), false),
                  RegionContour(Square(10, 10, 1), true)};
    std::vector<std::vector<AcGePoint3d>> all(3);
    r.getAllContour(all);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0][0].x, 10.0);  // B
    EXPECT_EQ(all[1][0].x, 0.0);   // A
    EXPECT_EQ(all[2][0].x, 5.0);   // H

    Outlines outers(7), holes(2);
    EXPECT_EQ(r.getPtsOuter(outers), 2);
    ASSERT_EQ(outers.size(), 2u);
    EXPECT_EQ(outers[1][0].x, 10.0);
    EXPECT_EQ(r.getPtsHoles(holes), 1);
    EXPECT_EQ(holes.size(), 1u);
    EXPECT_EQ(CRegion(Square(0, 0, 1)).getPtsHoles(holes), 0);
    EXPECT_TRUE(holes.empty());

    CPoint3d lo(-1, -1, -1), hi(-1, -1, -1);
    CRegion(Outlines{}, Outlines{Square(0, 0, 1)}).getBox(lo, hi);
    expectXy(hi, -1, -1);  // no outer vertex: corners untouched
    r.getBox(lo, hi);
    expectXy(lo, 0, 0);
    expectXy(hi, 11, 11);
}

// ---- GPC conversion and booleans -------------------------------------------------------

TEST(RegionGpc, ShortContoursAreSkippedAndHolesFlagged) {
    CRegion r;
    r.contours = {RegionContour(Square(0, 0, 10), true),
                  RegionContour({CPoint3d(1, 1, 0), CPoint3d(2, 2, 0)}, true),
                  RegionContour(Square(2, 2, 1), false)};
    gpc::gpc_polygon poly = r.GetGpcGon();
    ASSERT_EQ(poly.num_contours, 2);
    EXPECT_EQ(poly.hole[0], 0);
    EXPECT_EQ(poly.hole[1], 1);
    EXPECT_EQ(poly.contour[1].vertex[0].x, 2.0);
    gpc::gpc_polygon same = MakeGpcGonFromRegion(r);
    ASSERT_EQ(same.num_contours, 2);
    EXPECT_EQ(same.contour[0].num_vertices, 4);
    gpc::gpc_free_polygon(&poly);
    gpc::gpc_free_polygon(&same);
    gpc::gpc_polygon none = CRegion().GetGpcGon();
    EXPECT_EQ(none.num_contours, 0);
    gpc::gpc_free_polygon(&none);
}

TEST(RegionBoolean, HolesComeBackFlaggedAndEmptyResultsFail) {
    const CRegion a(Square(0, 0, 10));
    CRegion out(Square(50, 50, 1));
    out.setElevation(9);
    EXPECT_TRUE(a.booleanOper(CRegion(Square(4, 4, 2)), out, gpc::GPC_DIFF));
    ASSERT_EQ(out.contours.size(), 2u);
    EXPECT_TRUE(out.contours[0].isOuter);
    EXPECT_FALSE(out.contours[1].isOuter);
    EXPECT_DOUBLE_EQ(out.area(), 96.0);
    EXPECT_EQ(out.elevation(), 0.0);
    expectXy(out.boxMax, 10, 10);

    EXPECT_FALSE(a.booleanOper(a, out, gpc::GPC_DIFF));
    EXPECT_TRUE(out.contours.empty());
    EXPECT_FALSE(a.booleanOper(CRegion(Square(20, 0, 1)), out, gpc::GPC_INT));
    EXPECT_TRUE(a.booleanOper(CRegion(Square(20, 0, 1)), out, gpc::GPC_UNION));
    EXPECT_EQ(out.contours.size(), 2u);
    EXPECT_FALSE(CRegion().booleanOper(CRegion(), out, gpc::GPC_UNION));
}

TEST(RegionBoolean, PolygonOperandAndOutputAliasingEitherOperand) {
    CRegion r = Framed();
    const CPolygon band(Outline{CPoint3d(-1, 4.5, 0), CPoint3d(11, 4.5, 0), CPoint3d(11, 5.5, 0),
                                CPoint3d(-1, 5.5, 0)},
                        true);
    CRegion cut;
    EXPECT_TRUE(r.booleanOper(band, cut, gpc::GPC_DIFF));
    EXPECT_EQ(cut.contours.size(), 2u);  // the band splits the framed square in two
    EXPECT_NEAR(cut.area(), 96.0 - 10.0 + 2.0, 1e-9);

    EXPECT_TRUE(r.booleanOper(r, r, gpc::GPC_UNION));  // out is both operands
    EXPECT_DOUBLE_EQ(r.area(), 96.0);
    CRegion other(Square(8, 0, 4));
    EXPECT_TRUE(r.booleanOper(other, other, gpc::GPC_INT));
    EXPECT_DOUBLE_EQ(other.area(), 8.0);
}

// A hole touching the shell, cut by a triangle: the piece left between them lies in the
// shell's notch and must come back as an outer (taken for a hole, the difference loses 10000).
TEST(RegionBoolean, PieceSplitOffBesideATouchingHoleStaysOuter) {
    const CRegion a(Outlines{Square(0, 0, 200)},
                    Outlines{{CPoint3d(100, 100, 0), CPoint3d(50, 100, 0), CPoint3d(50, 200, 0)}});
    const CRegion b({CPoint3d(150, 100, 0), CPoint3d(100, 100, 0), CPoint3d(150, 200, 0)});
    CRegion out;
    ASSERT_TRUE(a.booleanOper(b, out, gpc::GPC_DIFF));
    EXPECT_DOUBLE_EQ(out.area(), 35000.0);
}

// A star-shaped outline of n vertices around (cx, cy) with radii in [rMin, rMax].
Outline Star(std::mt19937& rng, int n, double cx, double cy, double rMin, double rMax) {
    std::uniform_real_distribution<double> radius(rMin, rMax);
    Outline pts;
    for (int i = 0; i < n; ++i) {
        const double a = kTwoPi * i / n;
        const double r = radius(rng);
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    return rng() % 2 ? pts : Reversed(pts);  // orientation is not normalised
}

// A region of one or two islands, each a star with up to four disjoint star holes.
CRegion RandomRegion(std::mt19937& rng, double cx, double cy) {
    // Eight or more outer vertices keep every outer edge beyond radius 59, clear of the holes.
    std::uniform_int_distribution<int> outerVerts(8, 24), holeVerts(3, 12), holeCount(0, 4);
    std::uniform_real_distribution<double> spot(-30.0, 30.0);
    Outlines outers, holes;
    const int islands = 1 + static_cast<int>(rng() % 2);
    for (int k = 0; k < islands; ++k) {
        const double ox = cx + 220.0 * k, oy = cy;  // islands never touch
        outers.push_back(Star(rng, outerVerts(rng), ox, oy, 60, 100));
        std::vector<CPoint3d> centres;
        for (int h = holeCount(rng); h > 0; --h) {
            const CPoint3d c(ox + spot(rng), oy + spot(rng), 0);
            bool apart = true;
            for (const CPoint3d& other : centres) {
                apart = apart && c.distanceTo(other) > 17.0;
            }
            if (apart) {
                centres.push_back(c);
                holes.push_back(Star(rng, holeVerts(rng), c.x, c.y, 3, 8));
            }
        }
    }
    return CRegion(outers, holes);
}

// Each outer with the holes whose first vertex it holds, as (outer, holes) pairs.
std::vector<std::pair<Outline, Outlines>> Islands(const CRegion& region) {
    Outlines outers, holes;
    region.getPtsOuter(outers);
    region.getPtsHoles(holes);
    std::vector<std::pair<Outline, Outlines>> islands;
    for (const Outline& outer : outers) {
        islands.emplace_back(outer, Outlines{});
        for (const Outline& hole : holes) {
            if (PtInArea(hole[0], outer, 0, false)) {
                islands.back().second.push_back(hole);
            }
        }
    }
    return islands;
}

geo_test::PlanPolygons ToPlan(const CRegion& region) {
    geo_test::PlanPolygons polygons;
    for (const auto& [outer, holes] : Islands(region)) {
        geo_test::PlanPolygon& rings = polygons.emplace_back(1, geo_test::planRingOf(outer));
        for (const Outline& hole : holes) {
            rings.push_back(geo_test::planRingOf(hole));
        }
    }
    return polygons;
}

// A GEOS session that turns regions into multipolygons and overlays them.
class GeosOverlay {
public:
    GeosOverlay() : ctx_(GEOS_init_r()) {}
    ~GeosOverlay() { GEOS_finish_r(ctx_); }
    GeosOverlay(const GeosOverlay&) = delete;
    GeosOverlay& operator=(const GeosOverlay&) = delete;

    // Area of a op b; -1 when GEOS fails.
    double area(const CRegion& a, const CRegion& b, gpc::gpc_op op) const {
        GEOSGeometry* ga = multi(a);
        GEOSGeometry* gb = multi(b);
        GEOSGeometry* r = op == gpc::GPC_DIFF  ? GEOSDifference_r(ctx_, ga, gb)
                          : op == gpc::GPC_INT ? GEOSIntersection_r(ctx_, ga, gb)
                          : op == gpc::GPC_XOR ? GEOSSymDifference_r(ctx_, ga, gb)
                                               : GEOSUnion_r(ctx_, ga, gb);
        double value = -1;
        if (r == nullptr || !GEOSArea_r(ctx_, r, &value)) {
            value = -1;
        }
        for (GEOSGeometry* g : {r, ga, gb}) {
            if (g) {
                GEOSGeom_destroy_r(ctx_, g);
            }
        }
        return value;
    }

private:
    GEOSGeometry* ring(const Outline& pts) const {
        GEOSCoordSequence* seq =
            GEOSCoordSeq_create_r(ctx_, static_cast<unsigned>(pts.size() + 1), 2);
        for (size_t i = 0; i <= pts.size(); ++i) {
            const CPoint3d& p = pts[i % pts.size()];
            GEOSCoordSeq_setXY_r(ctx_, seq, static_cast<unsigned>(i), p.x, p.y);
        }
        return GEOSGeom_createLinearRing_r(ctx_, seq);
    }
    GEOSGeometry* multi(const CRegion& region) const {
        std::vector<GEOSGeometry*> polys;
        for (const auto& [outer, holes] : Islands(region)) {
            std::vector<GEOSGeometry*> inner;
            for (const Outline& hole : holes) {
                inner.push_back(ring(hole));
            }
            polys.push_back(GEOSGeom_createPolygon_r(ctx_, ring(outer), inner.data(),
                                                     static_cast<unsigned>(inner.size())));
        }
        return GEOSGeom_createCollection_r(ctx_, GEOS_MULTIPOLYGON, polys.data(),
                                           static_cast<unsigned>(polys.size()));
    }

    GEOSContextHandle_t ctx_;
};

// GEOS's overlay is exact to rounding; this Boost.Geometry snaps intersections to a grid of
// its own, so it is held to a looser bound.
TEST(RegionBoolean, RandomRegionsWithHolesMatchGeosAndBoostAreas) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<double> shift(-90.0, 90.0);
    const GeosOverlay geos;
    int compared = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const CRegion a = RandomRegion(rng, 0, 0);
        const CRegion b = RandomRegion(rng, shift(rng), shift(rng));
        const geo_test::PlanPolygons ba = ToPlan(a), bb = ToPlan(b);
        const double scale = a.area() + b.area();
        for (gpc::gpc_op op : {gpc::GPC_DIFF, gpc::GPC_INT, gpc::GPC_XOR, gpc::GPC_UNION}) {
            CRegion out;
            const bool ok = a.booleanOper(b, out, op);
            EXPECT_NEAR(out.area(), geos.area(a, b, op), 1e-9 * scale) << trial << " op " << op;
            EXPECT_NEAR(out.area(), geo_test::boostOverlayAreas(op, ba, bb).net, 1e-6 * scale)
                << trial << " op " << op;
            EXPECT_EQ(ok, !out.contours.empty());
            for (const RegionContour& c : out.contours) {  // engine output: outers run ccw
                EXPECT_EQ(PolyIsClockWise(c.pts), !c.isOuter);
            }
            ++compared;
        }
    }
    EXPECT_EQ(compared, 1200);
}

// ---- Offset ---------------------------------------------------------------------------

TEST(RegionOffset, OutersClockwiseHolesCounterClockwise) {
    CRegion r(Square(0, 0, 10));  // counter-clockwise as given
    r.setElevation(2);
    ASSERT_TRUE(r.Offset(1.0));
    ASSERT_EQ(r.contours.size(), 1u);
    EXPECT_TRUE(r.contours[0].isOuter);
    EXPECT_TRUE(PolyIsClockWise(r.contours[0].pts));
    EXPECT_EQ(r.elevation(), 2.0);
    EXPECT_NEAR(r.area(), 144.0, 1e-6);
    CPoint3d lo, hi;
    r.getBox(lo, hi);
    expectXy(r.boxMin, lo.x, lo.y);
    expectXy(r.boxMax, hi.x, hi.y);

    // A positive distance grows outers and shrinks holes alike: the region grows.
    CRegion framed = Framed();
    ASSERT_TRUE(framed.Offset(-0.5));
    ASSERT_EQ(framed.contours.size(), 2u);
    EXPECT_TRUE(framed.contours[0].isOuter);
    EXPECT_FALSE(framed.contours[1].isOuter);
    EXPECT_FALSE(PolyIsClockWise(framed.contours[1].pts));
    EXPECT_NEAR(CalPolyArea(framed.contours[0].pts), 81.0, 1e-6);
    EXPECT_NEAR(CalPolyArea(framed.contours[1].pts), 9.0, 1e-6);
    CRegion swallowed = Framed();
    ASSERT_TRUE(swallowed.Offset(1.0));
    ASSERT_EQ(swallowed.contours.size(), 1u);  // the 2 x 2 hole closes up
    EXPECT_NEAR(swallowed.area(), 144.0, 1e-6);
}

TEST(RegionOffset, ShortContoursContributeNothingAndFailureKeepsRegion) {
    CRegion r;
    r.contours = {RegionContour({CPoint3d(0, 0, 0), CPoint3d(5, 0, 0)}, true),
                  RegionContour(Square(0, 0, 4), false)};
    ASSERT_TRUE(r.Offset(-0.5));
    ASSERT_EQ(r.contours.size(), 1u);  // the two-vertex contour is gone
    EXPECT_FALSE(r.contours[0].isOuter);

    CRegion lines;
    lines.contours = {RegionContour({CPoint3d(0, 0, 0), CPoint3d(5, 0, 0)}, true)};
    lines.calBox();
    EXPECT_FALSE(lines.Offset(1.0));
    ASSERT_EQ(lines.contours.size(), 1u);
    EXPECT_EQ(lines.contours[0].pts.size(), 2u);
    EXPECT_FALSE(CRegion().Offset(1.0));
}

// ---- Transforms ---------------------------------------------------------------------------

TEST(RegionTransforms, PlanMovesKeepZAndRebuildBox) {
    CRegion r(Outlines{Square(0, 0, 2, 5.0)}, Outlines{Square(0.5, 0.5, 1, 5.0)});
    r.setElevation(1);
    r.move(CVector3d(1, 2, 3));
    for (const RegionContour& c : r.contours) {
        for (const CPoint3d& p : c.pts) {
            EXPECT_EQ(p.z, 5.0);
        }
    }
    expectXy(r.boxMin, 1, 2);
    EXPECT_EQ(r.elevation(), 1.0);

    r.rotate(CPoint3d(1, 2, 0), kTwoPi / 4);
    expectXy(r.boxMin, -1, 2);
    expectXy(r.boxMax, 1, 4);
    EXPECT_EQ(r.contours[0].pts[0].z, 5.0);

    r.scale(CPoint3d(-1, 2, 0), 2.0);
    expectXy(r.boxMax, 3, 6);
    EXPECT_DOUBLE_EQ(r.area(), 4.0 * (4.0 - 1.0));

    const bool outerCw = PolyIsClockWise(r.contours[0].pts);
    const bool holeCw = PolyIsClockWise(r.contours[1].pts);
    r.mirror(CLine(CPoint3d(0, 0, 0), CPoint3d(0, 1, 0)));
    expectXy(r.boxMin, -3, 2);
    EXPECT_EQ(PolyIsClockWise(r.contours[0].pts), outerCw);
    EXPECT_EQ(PolyIsClockWise(r.contours[1].pts), holeCw);
    EXPECT_DOUBLE_EQ(r.area(), 12.0);
}

// ---- Record, runtime class, clone --------------------------------------------------------

TEST(RegionRecord, BytesHaveNoBaseRecord) {
    CRegion r;
    r.contours = {RegionContour({CPoint3d(1, 2, 3)}, true), RegionContour({}, false)};
    r.setElevation(0.5);
    r.setThickness(-2);
    RecordBuilder want;
    want.real(2.0).real(0.5).real(-2).count(2);
    want.count(1).xyz(1, 2, 3).byte(1);
    want.count(0).byte(0);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { r.Serialize(ar); }), want.bytes());
    EXPECT_EQ(StoreBytes([](CArchive& ar) { CRegion().Serialize(ar); }).size(), 8u + 16u + 4u);
}

// A record of an outer triangle at z 9 and a hole far away, with the given version and flag.
Bytes TriangleAndFarHole(double version, BYTE outerFlag) {
    RecordBuilder rec;
    rec.real(version).real(1).real(2).count(2);
    rec.count(3).xyz(0, 0, 9).xyz(4, 0, 9).xyz(0, 3, 9).byte(outerFlag);
    rec.count(3).xyz(50, 50, 0).xyz(60, 50, 0).xyz(50, 60, 0).byte(0);
    return rec.bytes();
}

TEST(RegionRecord, ReadingRebuildsBoxAcceptsAnyFlagByteAndVersion) {
    for (double version : {1.0, 3.0}) {
        CRegion r(Square(-100, -100, 1));
        LoadBytes(TriangleAndFarHole(version, 7), [&](CArchive& ar) { r.Serialize(ar); });
        ASSERT_EQ(r.contours.size(), 2u);
        EXPECT_TRUE(r.contours[0].isOuter);
        EXPECT_FALSE(r.contours[1].isOuter);
        EXPECT_EQ(r.elevation(), 1.0);
        EXPECT_EQ(r.thickness(), 2.0);
        expectXy(r.boxMin, 0, 0);
        expectXy(r.boxMax, 4, 3);  // the hole far away is not boxed
        EXPECT_EQ(r.boxMax.z, 9.0);
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { r.Serialize(ar); }), TriangleAndFarHole(2.0, 1));
    }
}

TEST(RegionRecord, HostileCountsAndTruncationRaiseAndKeepRegion) {
    const CRegion original = Framed();
    const auto expectRefused = [&](const Bytes& bytes) {
        CRegion r = original;
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(bytes, [&](CArchive& ar) { r.Serialize(ar); }); }),
                  CArchiveException::endOfFile);
        ASSERT_EQ(r.contours.size(), 2u);
        EXPECT_DOUBLE_EQ(r.area(), 96.0);
        expectXy(r.boxMax, 10, 10);
    };
    RecordBuilder contours;
    contours.real(2).real(0).real(0).count(0xFFFFFFFFu).count(0).byte(1);
    expectRefused(contours.bytes());
    RecordBuilder points;
    points.real(2).real(0).real(0).count(1).count(0x40000000u).xyz(1, 1, 1);
    expectRefused(points.bytes());
    RecordBuilder laterPoints;
    laterPoints.real(2).real(0).real(0).count(2).count(0).byte(1).count(0x7FFFFFFFu);
    expectRefused(laterPoints.bytes());

    const Bytes full = StoreBytes([&](CArchive& ar) { CRegion(original).Serialize(ar); });
    for (size_t cut = 0; cut < full.size(); cut += 13) {
        expectRefused(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)));
    }
    expectRefused(Bytes(full.begin(), full.end() - 1));
}

TEST(RegionRecord, RoundTripRuntimeClassAndClone) {
    CRegion r = Framed();
    r.setThickness(3);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { r.Serialize(ar); });
    std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject("CRegion"));
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->GetRuntimeClass()->m_wSchema, 1u);
    EXPECT_EQ(obj->GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(CGeometry));
    LoadBytes(bytes, [&](CArchive& ar) { obj->Serialize(ar); });
    auto& back = static_cast<CRegion&>(*obj);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { back.Serialize(ar); }), bytes);
    expectXy(back.boxMax, 10, 10);

    std::unique_ptr<CGeometry> copy(r.clone());
    EXPECT_EQ(copy->type(), typeid(CRegion));
    EXPECT_EQ(static_cast<CRegion&>(*copy).thickness(), 3.0);
    EXPECT_TRUE(copy->isValid());
    expectXy(copy->boxMax, 10, 10);
}

}  // namespace
