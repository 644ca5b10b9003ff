// Polylines and polygons: records, vertex access, closing, normalisation, clean-up,
// transforms, triangulation and the polygon boolean on small hand-made rooms.
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/mfc/exceptions.h>
#include <geo/polylines.h>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

namespace {

using point_expect::expectSameXyz;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
using geo_detail::kPi;

std::vector<CPoint3d> Pts(std::initializer_list<std::initializer_list<double>> xyz) {
    std::vector<CPoint3d> out;
    for (const auto& p : xyz) {
        const double* v = p.begin();
        out.emplace_back(v[0], v[1], p.size() > 2 ? v[2] : 0.0);
    }
    return out;
}

std::vector<CPoint3d> Square(double x0, double y0, double side) {
    return Pts({{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}});
}

// Appends one embedded point record per vertex after the count, the way the list is stored.
RecordBuilder& PointList(RecordBuilder& b, const std::vector<CPoint3d>& pts) {
    b.count(static_cast<std::uint32_t>(pts.size()));
    for (const CPoint3d& p : pts) {
        b.xyz(p.x, p.y, p.z);
    }
    return b;
}

RecordBuilder& Box(RecordBuilder& b, const CPoint3d& lo, const CPoint3d& hi) {
    return b.real(2.0).xyz(lo.x, lo.y, lo.z).xyz(hi.x, hi.y, hi.z);
}

// Whether fn throws the library's bad-index text, the very pointer it exports.
template <typename Fn>
bool ThrowsOutOfBounds(Fn&& fn) {
    try {
        fn();
    } catch (const char* text) {
        return text == kArrayOutOfBounds;
    }
    return false;
}

double TriangleArea(const Triangle& t) {
    return CalPolyArea(std::vector<CPoint3d>{t.vertA, t.vertB, t.vertC});
}

// ---- Records --------------------------------------------------------------------------

TEST(PolylineRecords, PolylineAndPolygonBytes) {
    const std::vector<CPoint3d> v = Pts({{1, 2, 5}, {-3, 4, 6}, {7, -8, 9}});
    const CPolyline pl(v);
    RecordBuilder plBytes;
    PointList(plBytes.real(2.0), v);
    Box(plBytes, CPoint3d(-3, -8, 5), CPoint3d(7, 4, 5));  // both corners take the first z
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << pl; }), plBytes.bytes());
    EXPECT_EQ(plBytes.bytes().size(), 8u + 4u + 32u * 3u + 72u);

    CPolygon pg(Square(0, 0, 2), false);
    pg.setElevation(3.5);
    pg.setThickness(-1.25);
    RecordBuilder pgBytes;
    PointList(pgBytes.real(2.0).real(3.5).real(-1.25), Square(0, 0, 2));
    Box(pgBytes, CPoint3d(0, 0, 0), CPoint3d(2, 2, 0));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { pg.Serialize(ar); }), pgBytes.bytes());
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << pg; }), pgBytes.bytes());
}

TEST(PolylineRecords, EmptyObjectsWriteZeroCountAndZeroBox) {
    RecordBuilder plBytes;
    Box(plBytes.real(2.0).count(0), CPoint3d(), CPoint3d());
    EXPECT_EQ(StoreBytes([](CArchive& ar) { ar << CPolyline(); }), plBytes.bytes());
    RecordBuilder pgBytes;
    Box(pgBytes.real(2.0).real(0).real(0).count(0), CPoint3d(), CPoint3d());
    EXPECT_EQ(StoreBytes([](CArchive& ar) { ar << CPolygon(); }), pgBytes.bytes());
}

TEST(PolylineRecords, ReadingTakesStoredBoxAndIgnoresVersion) {
    for (double version : {1.0, 2.0, 3.0}) {
        RecordBuilder b;
        PointList(b.real(version).real(7).real(8), Pts({{0, 0}, {4, 0}, {4, 4}}));
        Box(b, CPoint3d(-100, -100, 1), CPoint3d(100, 100, 2));
        CPolygon pg;
        LoadBytes(b.bytes(), [&](CArchive& ar) { ar >> pg; });
        EXPECT_EQ(pg.numVerts(), 3);
        EXPECT_EQ(pg.elevation(), 7);
        EXPECT_EQ(pg.thickness(), 8);
        expectSameXyz(pg.boxMin, -100, -100, 1);  // as stored, not recomputed
        expectSameXyz(pg.boxMax, 100, 100, 2);
    }
}

TEST(PolylineRecords, RoundTripsKeepEveryByte) {
    CPolyline pl(Pts({{0.1, 0.2, 0.3}, {1e300, -1e-300, 0}, {kNaN, 5, 6}}));
    const Bytes plBytes = StoreBytes([&](CArchive& ar) { ar << pl; });
    CPolyline plBack(Pts({{9, 9}}));
    LoadBytes(plBytes, [&](CArchive& ar) { plBack.Serialize(ar); });
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << plBack; }), plBytes);

    CPolygon pg(Pts({{0, 0, 2}, {10, 0, 2}, {5, 8, 2}}), true);
    pg.setElevation(-4);
    const Bytes pgBytes = StoreBytes([&](CArchive& ar) { ar << pg; });
    CPolygon pgBack;
    LoadBytes(pgBytes, [&](CArchive& ar) { ar >> pgBack; });
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << pgBack; }), pgBytes);
}

TEST(PolylineRecords, HostileCountsTruncationAndWrongDirectionRaise) {
    RecordBuilder huge;
    huge.real(2.0).count(0xFFFFFFFFu).xyz(1, 2, 3);
    CPolyline pl(Pts({{5, 6}}));
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(huge.bytes(), [&](CArchive& ar) { ar >> pl; }); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(pl.numVerts(), 1);  // the list keeps its contents when the count is refused

    RecordBuilder hugeGon;
    hugeGon.real(2.0).real(0).real(0).count(0x7FFFFFFFu);
    CPolygon pg;
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(hugeGon.bytes(), [&](CArchive& ar) { ar >> pg; }); }),
              CArchiveException::endOfFile);

    // A full record cut short anywhere raises end of file.
    const Bytes full = StoreBytes([](CArchive& ar) { ar << CPolygon(Square(0, 0, 1), true); });
    for (size_t cut : {size_t{0}, size_t{7}, size_t{20}, size_t{60}, full.size() - 1}) {
        const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        CPolygon target;
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(part, [&](CArchive& ar) { ar >> target; }); }),
                  CArchiveException::endOfFile)
            << cut;
    }

    EXPECT_EQ(ArchiveCause([&] { LoadBytes(full, [&](CArchive& ar) { ar << pg; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> pg; }); }),
              CArchiveException::writeOnly);
}

TEST(PolylineRecords, RuntimeClassesTypesAndClones) {
    for (const char* name : {"CPolyline", "CPolygon"}) {
        std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject(name));
        ASSERT_NE(obj, nullptr) << name;
        EXPECT_STREQ(obj->GetRuntimeClass()->m_lpszClassName, name);
        EXPECT_EQ(obj->GetRuntimeClass()->m_wSchema, 1u);
        EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CGeometry)));
    }
    const CPolygon pg(Square(1, 1, 3), true);
    std::unique_ptr<CGeometry> copy(pg.clone());
    EXPECT_EQ(copy->type(), typeid(CPolygon));
    EXPECT_EQ(static_cast<CPolygon&>(*copy).getPoints().size(), 4u);
    expectSameXyz(copy->boxMax, 4, 4, 0.0);
    const CPolyline pl(Square(0, 0, 1));
    std::unique_ptr<CGeometry> plCopy(pl.clone());
    EXPECT_EQ(plCopy->type(), typeid(CPolyline));
}

// ---- Vertex access, closing and boxes ------------------------------------------------

TEST(PolylineVertices, BadIndexThrowsTheLibraryText) {
    CPolyline pl(Square(0, 0, 1));
    const CPolyline& cpl = pl;
    CPolygon pg(Square(0, 0, 1), true);
    const CPolygon& cpg = pg;
    EXPECT_TRUE(ThrowsOutOfBounds([&] { pl[4]; }));
    EXPECT_TRUE(ThrowsOutOfBounds([&] { cpl[-1]; }));
    EXPECT_TRUE(ThrowsOutOfBounds([&] { pg[-1]; }));
    EXPECT_TRUE(ThrowsOutOfBounds([&] { cpg[4]; }));
    EXPECT_TRUE(ThrowsOutOfBounds([&] { CPolygon()[0]; }));
    pl[3].x = 7;  // the non-const form is a reference into the list
    EXPECT_EQ(pl.getPoints()[3].x, 7);
    expectSameXyz(pg.pointAt(4), 0, 0, 0.0);
    const CLineSeg closing = pg.lineSegAt(3);
    expectSameXyz(closing.startPt, 0, 1, 0.0);
    expectSameXyz(closing.endPt, 0, 0, 0.0);
    const CLineSeg zero = pg.lineSegAt(4);
    expectSameXyz(zero.startPt, 0, 0, 0.0);
    expectSameXyz(zero.endPt, 0, 0, 0.0);
}

TEST(PolylineVertices, ClosingRules) {
    CPolyline pl(Pts({{0, 0}, {10, 0}, {10, 10}, {0, 0.0000005}}));
    EXPECT_TRUE(pl.isClosed());
    pl.setClosed(false);
    EXPECT_EQ(pl.numVerts(), 3);
    EXPECT_FALSE(pl.isClosed());
    pl.setClosed(true);
    EXPECT_EQ(pl.numVerts(), 4);
    expectSameXyz(pl[3], 0, 0, 0.0);
    pl.setClosed(true);  // already closed
    EXPECT_EQ(pl.numVerts(), 4);

    CPolyline two(Pts({{0, 0}, {1, 0}}));
    two.setClosed(true);
    EXPECT_EQ(two.numVerts(), 2);
    EXPECT_FALSE(CPolyline().isClosed());
    EXPECT_TRUE(CPolyline(Pts({{3, 3}})).isClosed());
    EXPECT_DOUBLE_EQ(CPolyline(Pts({{0, 0, 0}, {3, 4, 0}, {3, 4, 12}})).length(), 17.0);
}

TEST(PolylineVertices, BoxFollowsEditsButNotElevationOrCleanup) {
    CPolyline pl(Pts({{1, 1, 4}, {3, -2, 9}}));
    expectSameXyz(pl.boxMin, 1, -2, 4);
    expectSameXyz(pl.boxMax, 3, 1, 4);
    pl.pushPoint(CPoint3d(-5, 6, 0));
    expectSameXyz(pl.boxMin, -5, -2, 4);
    pl.SetElevation(10);
    EXPECT_EQ(pl.boxMin.z, 4);  // left as it was
    CPoint3d lo, hi;
    pl.getBox(lo, hi);
    EXPECT_EQ(lo.z, 10);  // computed afresh

    CPolyline target(Pts({{100, 100}, {200, 200}}));
    target = CPolyline();
    expectSameXyz(target.boxMax, 200, 200, 0.0);  // an empty list leaves the box alone
    CPolyline copied(CPolyline(Pts({{1, 2}, {3, 4}})));
    expectSameXyz(copied.boxMax, 3, 4, 0.0);

    std::vector<AcGePoint2d> flat{AcGePoint2d(1, 2), AcGePoint2d(3, 4)};
    CPolyline from2d(flat);
    expectSameXyz(from2d[1], 3, 4, 0);
    std::vector<AcGePoint3d> ac{AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6), AcGePoint3d(0, 9, 6)};
    expectSameXyz(CPolyline(ac)[1], 4, 5, 6);
    EXPECT_EQ(CPolygon(ac).numVerts(), 3);
    EXPECT_FALSE(PolyIsClockWise(CPolygon(ac).getPoints()));
}

TEST(PolylineVertices, ValidityLooksAtVerticesAndPolygonFields) {
    EXPECT_TRUE(CPolyline(Square(0, 0, 1)).isValid());
    CPolyline pl(Square(0, 0, 1));
    pl[2].y = kNaN;  // box still finite, the vertex is not
    EXPECT_FALSE(pl.isValid());
    CPolygon pg(Square(0, 0, 1), true);
    EXPECT_TRUE(pg.isValid());
    pg.setThickness(std::numeric_limits<double>::infinity());
    EXPECT_FALSE(pg.isValid());
    pg.setThickness(0);
    pg.setElevation(kNaN);
    EXPECT_FALSE(pg.isValid());
}

// ---- Normalisation and clean-up ------------------------------------------------------

TEST(PolygonNormalize, OrientationAndClosingDuplicate) {
    const std::vector<CPoint3d> cw = Pts({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    CPolygon pg(cw, true);
    ASSERT_EQ(pg.numVerts(), 4);
    EXPECT_FALSE(PolyIsClockWise(pg.getPoints()));
    CPolygon raw(cw, false);
    EXPECT_EQ(raw.numVerts(), 5);
    EXPECT_TRUE(PolyIsClockWise(raw.getPoints()));
    // A triangle given with its closing copy loses the copy (4 vertices with it).
    CPolygon tri(Pts({{0, 0}, {10, 0}, {0, 10}, {0, 0}}), true);
    EXPECT_EQ(tri.numVerts(), 3);
}

TEST(PolygonNormalize, NearDuplicatesAndSmallOutlines) {
    // Vertices under 0.01 from the one kept before them go; each is compared with the same
    // predecessor.
    CPolygon pg(Pts({{0, 0}, {0.006, 0}, {0.009, 0}, {10, 0}, {10, 10}, {0, 10}}), true);
    EXPECT_EQ(pg.numVerts(), 4);
    // A 0.1 x 0.1 square is only opened and oriented: vertices 0.005 apart survive.
    CPolygon small(Pts({{0, 0}, {0, 0.1}, {0.005, 0.1}, {0.1, 0.1}, {0.1, 0}, {0, 0}}), true);
    EXPECT_EQ(small.numVerts(), 5);
    EXPECT_FALSE(PolyIsClockWise(small.getPoints()));
    CPolygon empty(std::vector<CPoint3d>{}, true);
    EXPECT_EQ(empty.numVerts(), 0);
    CPolygon one(Pts({{1, 1}}), true);
    EXPECT_EQ(one.numVerts(), 1);
    // A NaN vertex is neither near nor far: it is kept, and nothing crashes.
    CPolygon withNaN(Pts({{0, 0}, {10, 0}, {kNaN, 5}, {10, 10}, {0, 10}}), true);
    EXPECT_EQ(withNaN.numVerts(), 5);
}

TEST(PolygonNormalize, MirrorKeepsCounterClockwiseAndRebuildsBox) {
    CPolygon pg(Pts({{1, 0}, {3, 0}, {3, 2}}), true);
    pg.mirror(CLine(CPoint3d(0, 0, 0), CPoint3d(0, 1, 0)));
    EXPECT_FALSE(PolyIsClockWise(pg.getPoints()));
    expectSameXyz(pg.boxMin, -3, 0, 0.0);
    expectSameXyz(pg.boxMax, -1, 2, 0.0);
    pg.rotate(CPoint3d(0, 0, 0), kPi);
    EXPECT_NEAR(pg.boxMin.x, 1, 1e-12);
    pg.scale(CPoint3d(0, 0, 0), 2);
    EXPECT_NEAR(pg.boxMax.x, 6, 1e-12);
    pg.move(CVector3d(1, 1, 1));
    EXPECT_NEAR(pg.boxMax.x, 7, 1e-12);
    EXPECT_NEAR(pg.area(), 8, 1e-12);
    EXPECT_NEAR(pg.length(), 4 + 4 + std::sqrt(32.0), 1e-12);
}

TEST(PolylineClearError, CollinearAndSpikeRules) {
    CPolyline collinear(Pts({{0, 0}, {10, 0}, {20, 0}, {20, 10}}));
    collinear.ClearError();
    ASSERT_EQ(collinear.numVerts(), 3);
    expectSameXyz(collinear[1], 20, 0, 0.0);

    CPolyline spike(Pts({{0, 0}, {10, 0}, {10.01, 0}, {5, 0.5}}));
    spike.ClearError();
    ASSERT_EQ(spike.numVerts(), 3);
    expectSameXyz(spike[1], 10, 0, 0.0);
    expectSameXyz(spike[2], 5, 0.5, 0.0);
    CPolyline box(Pts({{0, 0}, {10, 0}}));
    box.ClearError();
    EXPECT_EQ(box.numVerts(), 2);
}

TEST(PolygonClearError, RingRulesAndNormalize) {
    // A clockwise square with a vertex on the closing edge and one on a side.
    CPolygon pg(Pts({{0, 0}, {0, 10}, {10, 10}, {10, 5}, {10, 0}, {5, 0}}), false);
    pg.ClearError();
    ASSERT_EQ(pg.numVerts(), 4);
    EXPECT_FALSE(PolyIsClockWise(pg.getPoints()));
    EXPECT_DOUBLE_EQ(pg.area(), 100);
    // A vertex on the edge across the start is removed by the ring rule.
    CPolygon across(Pts({{5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}), false);
    across.ClearError();
    EXPECT_EQ(across.numVerts(), 4);
    // A flat outline collapses entirely and nothing loops.
    CPolygon flat(Pts({{0, 0}, {1, 0}, {2, 0}, {3, 0}}), false);
    flat.ClearError();
    EXPECT_LE(flat.numVerts(), 2);
}

// ---- Triangulation ------------------------------------------------------------------

TEST(Triangulation, SquareAndSmallLists) {
    CPolygon square(Square(0, 0, 1), true);
    EXPECT_EQ(square.numTriangles(), 2u);
    const std::vector<unsigned int> idx = square.indexTriangles();
    ASSERT_EQ(idx.size(), 6u);
    std::vector<bool> seen(4, false);
    for (unsigned int i : idx) {
        ASSERT_LT(i, 4u);
        seen[i] = true;
    }
    EXPECT_EQ(seen, std::vector<bool>(4, true));
    EXPECT_EQ(square.numVerts(), 4);  // works on a copy

    std::vector<Triangle> tris;
    std::vector<CPoint3d> two = Pts({{0, 0}, {1, 1}});
    DivideTriangle(two, tris);
    EXPECT_TRUE(tris.empty());
    EXPECT_EQ(two.size(), 2u);
    std::vector<CPoint3d> three = Pts({{0, 0}, {1, 0}, {0, 1}});
    DivideTriangle(three, tris);
    ASSERT_EQ(tris.size(), 1u);
    EXPECT_TRUE(three.empty());
    expectSameXyz(tris[0].vertB, 1, 0, 0.0);
    EXPECT_EQ(CPolygon(Pts({{0, 0}, {1, 1}}), false).numTriangles(), 0u);
    EXPECT_TRUE(CPolygon(Pts({{0, 0}, {1, 1}}), false).indexTriangles().empty());
}

TEST(Triangulation, EarOrderAppendAndCollinearVertexDropped) {
    std::vector<Triangle> tris(1);  // appended to, never cleared
    std::vector<CPoint3d> pts = Pts({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}});
    DivideTriangle(pts, tris);
    ASSERT_EQ(tris.size(), 3u);
    EXPECT_TRUE(pts.empty());
    // The first scan meets (0,0), (5,0), (10,0): collinear, so (5,0) goes without a triangle.
    expectSameXyz(tris[1].vertA, 0, 0, 0.0);
    expectSameXyz(tris[1].vertB, 10, 0, 0.0);
    expectSameXyz(tris[1].vertC, 10, 10, 0.0);
    EXPECT_DOUBLE_EQ(TriangleArea(tris[1]) + TriangleArea(tris[2]), 100);
}

TEST(Triangulation, ConcaveOutlinesCoverTheirArea) {
    const std::vector<std::vector<CPoint3d>> outlines{
        Pts({{0, 0}, {10, 0}, {10, 10}, {5, 3}, {0, 10}}),                      // arrow head
        Pts({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}}),                  // L room
        Pts({{0, 0}, {9, 0}, {9, 9}, {6, 9}, {6, 3}, {3, 3}, {3, 9}, {0, 9}}),  // U room
    };
    for (const auto& outline : outlines) {
        CPolygon pg(outline, true);
        std::vector<CPoint3d> work = pg.getPoints();
        std::vector<Triangle> tris;
        DivideTriangle(work, tris);
        EXPECT_EQ(tris.size(), pg.numTriangles());
        double sum = 0;
        for (const Triangle& t : tris) {
            sum += TriangleArea(t);
        }
        EXPECT_NEAR(sum, pg.area(), 1e-9);
        EXPECT_EQ(pg.indexTriangles().size(), 3 * tris.size());
    }
}

// A hole bridged into its outer reaches every ear through the bridge's ends, so only a
// vertex-in-ear check keeps the ears off the hole: the triangles tile the ring exactly.
TEST(Triangulation, BridgedHolesStayUncovered) {
    // x, y pairs: one hole bridged up from its top corner, then two holes.
    const std::vector<std::vector<double>> rings{
        {0, 0, 4, 0, 4, 4, 1, 4, 1, 2, 2, 2, 2, 1, 1, 1, 1, 2, 1, 4, 0, 4},
        {0, 0, 9, 0, 9, 9, 6, 9, 6, 3, 7, 3, 7, 2, 6, 2, 6, 3,
         6, 9, 2, 9, 2, 7, 3, 7, 3, 6, 2, 6, 2, 7, 2, 9, 0, 9},
    };
    for (const auto& xy : rings) {
        std::vector<CPoint3d> outline;
        for (size_t k = 0; k + 1 < xy.size(); k += 2) {
            outline.emplace_back(xy[k], xy[k + 1], 0);
        }
        std::vector<CPoint3d> work = outline;
        std::vector<Triangle> tris;
        DivideTriangle(work, tris);
        EXPECT_TRUE(work.empty());
        double sum = 0;
        for (const Triangle& t : tris) {
            EXPECT_FALSE(PolyIsClockWise(std::vector<CPoint3d>{t.vertA, t.vertB, t.vertC}));
            sum += TriangleArea(t);
        }
        EXPECT_NEAR(sum, CalPolyArea(outline), 1e-9);
    }
}

TEST(Triangulation, DuplicateVertexMapsToFirstIndexAndDegenerateInputEnds) {
    // The outline visits (5,5) twice; both occurrences become index 2.
    CPolygon pg(Pts({{0, 0}, {10, 0}, {5, 5}, {10, 10}, {0, 10}, {5, 5}}), false);
    for (unsigned int i : pg.indexTriangles()) {
        EXPECT_NE(i, 5u);
    }
    // Flat and NaN outlines end without triangles or with the leftovers kept.
    std::vector<Triangle> tris;
    std::vector<CPoint3d> flat = Pts({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}});
    DivideTriangle(flat, tris);
    EXPECT_LE(flat.size(), 3u);
    // Only the ear with finite corners is cut; the vertices around the NaN stay in the list.
    tris.clear();
    std::vector<CPoint3d> nan = Pts({{0, 0}, {kNaN, 0}, {2, kNaN}, {3, 3}, {0, 5}});
    DivideTriangle(nan, tris);
    ASSERT_EQ(tris.size(), 1u);
    expectSameXyz(tris[0].vertA, 3, 3, 0.0);
    expectSameXyz(tris[0].vertB, 0, 5, 0.0);
    expectSameXyz(tris[0].vertC, 0, 0, 0.0);
    EXPECT_EQ(nan.size(), 4u);
}

TEST(Triangulation, LargeConvexOutlineNeedsNoDeepStack) {
    std::vector<CPoint3d> circle;
    const int n = 2000;
    for (int i = 0; i < n; ++i) {
        circle.emplace_back(std::cos(2 * kPi * i / n) * 100, std::sin(2 * kPi * i / n) * 100, 0);
    }
    const double area = CalPolyArea(circle);
    std::vector<Triangle> tris;
    DivideTriangle(circle, tris);
    EXPECT_EQ(tris.size(), static_cast<size_t>(n - 2));
    double sum = 0;
    for (const Triangle& t : tris) {
        sum += TriangleArea(t);
    }
    EXPECT_NEAR(sum, area, 1e-6);
}

// ---- Boolean on hand-made rooms -----------------------------------------------------

TEST(PolygonBoolean, RoomsOverlappingDisjointTouchingContained) {
    const CPolygon a(Square(0, 0, 10), true);
    std::vector<CPolygon> out;
    EXPECT_TRUE(a.booleanOper(CPolygon(Square(5, 5, 10), true), out, gpc::GPC_UNION));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0].area(), 175, 1e-9);
    EXPECT_FALSE(PolyIsClockWise(out[0].getPoints()));
    EXPECT_EQ(out[0].elevation(), 0);
    for (const CPoint3d& p : out[0].getPoints()) {
        EXPECT_EQ(p.z, 0);
    }

    const CPolygon far(Square(20, 0, 10), true);
    out.assign(3, CPolygon());
    EXPECT_FALSE(a.booleanOper(far, out, gpc::GPC_INT));  // boxes disjoint: no clipping
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(a.booleanOper(far, out, gpc::GPC_UNION));
    EXPECT_EQ(out.size(), 2u);

    EXPECT_TRUE(a.booleanOper(CPolygon(Square(10, 0, 10), true), out, gpc::GPC_UNION));
    ASSERT_EQ(out.size(), 1u);  // touching rooms merge
    EXPECT_NEAR(out[0].area(), 200, 1e-9);

    // A room inside another: the difference has a hole, which is dropped.
    EXPECT_TRUE(a.booleanOper(CPolygon(Square(4, 4, 2), true), out, gpc::GPC_DIFF));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0].area(), 100, 1e-9);
    EXPECT_FALSE(a.booleanOper(a, out, gpc::GPC_DIFF));
    EXPECT_TRUE(out.empty());
}

TEST(PolygonBoolean, TinyResultFailsButKeepsPieces) {
    const CPolygon a(Square(0, 0, 10), true);
    std::vector<CPolygon> out;
    // Overlap of 0.05 x 0.1 = 0.005 square units.
    EXPECT_FALSE(a.booleanOper(CPolygon(Pts({{9.95, 5}, {20, 5}, {20, 5.1}, {9.95, 5.1}}), true),
                               out, gpc::GPC_INT));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0].area(), 0.005, 1e-9);
}

TEST(PolygonBoolean, ShortOrNonFiniteOperandsFail) {
    const CPolygon a(Square(0, 0, 10), true);
    std::vector<CPolygon> out(2);
    EXPECT_FALSE(a.booleanOper(CPolygon(Pts({{0, 0}, {1, 1}}), false), out, gpc::GPC_UNION));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(CPolygon().booleanOper(a, out, gpc::GPC_UNION));
    CPolygon bad(Pts({{kNaN, 0}, {1, 0}, {1, 1}}), false);
    EXPECT_FALSE(a.booleanOper(bad, out, gpc::GPC_INT));
    EXPECT_TRUE(a.booleanOper(bad, out, gpc::GPC_UNION));  // the NaN contour is ignored
    EXPECT_NEAR(out[0].area(), 100, 1e-9);
}

TEST(PolygonBoolean, OperandInsideOutputList) {
    std::vector<CPolygon> out{CPolygon(Square(0, 0, 10), true), CPolygon(Square(5, 0, 10), true)};
    EXPECT_TRUE(out[0].booleanOper(out[1], out, gpc::GPC_UNION));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0].area(), 150, 1e-9);
}

// ---- GPC contour conversion ---------------------------------------------------------

TEST(GpcContours, AddAndReadBack) {
    gpc::gpc_polygon poly{0, nullptr, nullptr};
    AddPtarrToPolygon(Pts({{0, 0}, {1, 1}}), &poly, 0);  // too short: nothing
    EXPECT_EQ(poly.num_contours, 0);
    AddPtarrToPolygon(Pts({{0, 0, 5}, {4, 0, 6}, {4, 3, 7}}), &poly, 0);
    AddPtarrToPolygon(Pts({{1, 1}, {2, 1}, {2, 2}, {1, 2}}), &poly, 1);
    AddPtarrToPolygon(Square(0, 0, 1), nullptr, 0);
    ASSERT_EQ(poly.num_contours, 2);
    EXPECT_EQ(poly.hole[0], 0);
    EXPECT_EQ(poly.hole[1], 1);
    const std::vector<CPoint3d> back = GpcContourPoints(poly.contour[0]);
    ASSERT_EQ(back.size(), 3u);
    expectSameXyz(back[2], 4, 3, 0);  // z is not carried
    EXPECT_EQ(GpcContoursOfKind(poly, false).size(), 1u);
    EXPECT_EQ(GpcContoursOfKind(poly, true)[0].size(), 4u);
    gpc::gpc_vertex_list broken{-4, nullptr};
    EXPECT_TRUE(GpcContourPoints(broken).empty());
    gpc::gpc_free_polygon(&poly);
}

}  // namespace
