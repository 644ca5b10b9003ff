// Segments, lines, rays and planes: records, geometry queries, crossings, transforms.
#include <geo/lines.h>
#include <geo/mfc/exceptions.h>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

namespace {

using point_expect::expectXyz;

using geo_detail::kPi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

RecordBuilder& Box(RecordBuilder& b, const CPoint3d& lo, const CPoint3d& hi) {
    return b.real(2.0).xyz(lo.x, lo.y, lo.z).xyz(hi.x, hi.y, hi.z);
}

// ---- Records --------------------------------------------------------------------------

TEST(LineRecords, SegmentRayPlaneBytes) {
    const CLineSeg seg(CPoint3d(1, 7, 3), CPoint3d(-4, 5, 6));
    RecordBuilder segBytes;
    segBytes.real(2.0).xyz(1, 7, 3).xyz(-4, 5, 6);
    Box(segBytes, CPoint3d(-4, 5, 0), CPoint3d(1, 7, 0));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << seg; }), segBytes.bytes());
    EXPECT_EQ(segBytes.bytes().size(), 144u);

    const CRay ray(CPoint3d(1, 2, 3), CVector3d(0.5, -1, 0));
    RecordBuilder rayBytes;
    Box(rayBytes.real(2.0).xyz(1, 2, 3).xyz(0.5, -1, 0), CPoint3d(), CPoint3d());
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { CRay(ray).Serialize(ar); }), rayBytes.bytes());

    const CPlane plane(CPoint3d(0, 0, 2), CPoint3d(1, 0, 2), CPoint3d(1, 1, 2));
    RecordBuilder planeBytes;
    Box(planeBytes.real(2.0).xyz(0, 0, 2).xyz(0, 0, 1), CPoint3d(), CPoint3d());
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << plane; }), planeBytes.bytes());
}

TEST(LineRecords, LineSerializeNestsSegmentRecordButOperatorsCarryBoxOnly) {
    CLine line(CPoint3d(1, 2, 3), CPoint3d(4, -5, 6));
    line.move(CVector3d(1, 1, 1));  // the transforms are what keep a line's box
    RecordBuilder full;
    full.real(2.0).real(2.0).xyz(2, 3, 4).xyz(5, -4, 7);
    Box(full, CPoint3d(2, -4, 0), CPoint3d(5, 3, 0));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { line.Serialize(ar); }), full.bytes());

    RecordBuilder boxOnly;
    Box(boxOnly, CPoint3d(2, -4, 0), CPoint3d(5, 3, 0));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << line; }), boxOnly.bytes());
    // Seen as a segment, the same object writes the plain segment record.
    const CLineSeg& asSeg = line;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << asSeg; }).size(), 144u);

    CLine reader(CPoint3d(9, 9, 9), CPoint3d(8, 8, 8));
    LoadBytes(boxOnly.bytes(), [&](CArchive& ar) { ar >> reader; });
    expectXyz(reader.startPt, 9, 9, 9);
    expectXyz(reader.boxMin, 2, -4, 0);
    CLine full2;
    LoadBytes(full.bytes(), [&](CArchive& ar) { full2.Serialize(ar); });
    expectXyz(full2.endPt, 5, -4, 7);
    expectXyz(full2.boxMax, 5, 3, 0);
}

TEST(LineRecords, ReadingIgnoresVersionAndKeepsStoredBox) {
    for (double version : {1.0, 3.0}) {
        RecordBuilder b;
        b.real(version).xyz(1, 2, 3, version).xyz(4, 5, 6).real(version);
        b.xyz(-100, -100, 7).xyz(100, 100, 8);
        CLineSeg seg;
        LoadBytes(b.bytes(), [&](CArchive& ar) { ar >> seg; });
        expectXyz(seg.endPt, 4, 5, 6);
        expectXyz(seg.boxMin, -100, -100, 7);  // not recomputed from the points
        CPlane plane;
        LoadBytes(b.bytes(), [&](CArchive& ar) { plane.Serialize(ar); });
        expectXyz(plane.normalVec, 4, 5, 6);  // read as stored, not renormalised
    }
}

TEST(LineRecords, TruncatedDataAndWrongDirectionRaise) {
    const Bytes whole =
        StoreBytes([](CArchive& ar) { ar << CLineSeg(CPoint3d(1, 2, 3), CPoint3d()); });
    for (size_t n = 0; n < whole.size(); n += 7) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
        CLineSeg seg;
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(cut, [&](CArchive& ar) { ar >> seg; }); }),
                  CArchiveException::endOfFile)
            << n;
    }
    CRay ray;
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(whole, [&](CArchive& ar) { ar << ray; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> ray; }); }),
              CArchiveException::writeOnly);
}

TEST(LineRecords, RuntimeClassesTypesAndClones) {
    for (const char* name : {"CLineSeg", "CLine", "CRay", "CPlane"}) {
        CRuntimeClass* rc = CRuntimeClass::FromName(name);
        ASSERT_NE(rc, nullptr) << name;
        EXPECT_EQ(rc->m_wSchema, 1u);
        EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(CGeometry)) << name;
        std::unique_ptr<CObject> obj(rc->CreateObject());
        EXPECT_EQ(obj->GetRuntimeClass(), rc);
    }
    std::unique_ptr<CObject> plane(CRuntimeClass::CreateObject("CPlane"));
    expectXyz(static_cast<CPlane*>(plane.get())->normalVec, 0, 0, 1);

    CLine line(CPoint3d(0, 0, 0), CPoint3d(3, 4, 0));
    line.move(CVector3d(1, 1, 0));
    std::unique_ptr<CGeometry> copy(line.clone());
    EXPECT_TRUE(copy->type() == typeid(CLine));
    expectXyz(static_cast<CLine*>(copy.get())->endPt, 4, 5, 0);
    expectXyz(copy->boxMax, 0, 0, 0);  // a line's copy leaves the box alone
    CLineSeg seg(CPoint3d(0, 0, 0), CPoint3d(3, 4, 0));
    std::unique_ptr<CGeometry> segCopy(seg.clone());
    EXPECT_TRUE(segCopy->type() == typeid(CLineSeg));
    expectXyz(segCopy->boxMax, 3, 4, 0);
    EXPECT_TRUE(CRay().type() == typeid(CRay));
}

// ---- Segment queries and transforms ---------------------------------------------------

TEST(LineSegment, MeasuresBoxesAndRectangles) {
    CLineSeg seg(CPoint3d(10, 0, 1), CPoint3d(0, 0, 1));
    expectXyz(seg.boxMin, 0, 0, 0);
    seg.set(seg.endPt, seg.startPt);  // the arguments alias the members
    expectXyz(seg.startPt, 0, 0, 1);
    expectXyz(seg.endPt, 10, 0, 1);
    expectXyz(seg.direction(), 1, 0, 0);
    expectXyz(seg.midPoint(), 5, 0, 1);
    expectXyz(CLineSeg(CPoint3d(1, 1, 1), CPoint3d(1, 1, 1)).direction(), 0, 0, 0);

    const std::vector<CPoint3d> centred =
        CLineSeg(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)).getRect(2, 0);
    ASSERT_EQ(centred.size(), 4u);
    expectXyz(centred[0], 10, 1, 0);
    expectXyz(centred[1], 0, 1, 0);
    expectXyz(centred[2], 0, -1, 0);
    expectXyz(centred[3], 10, -1, 0);
    expectXyz(seg.getRect(2, -1)[0], 10, 2, 1);
    expectXyz(seg.getRect(2, 1)[3], 10, -2, 1);

    seg.rotate(seg.startPt, kPi / 2);
    expectXyz(seg.endPt, 0, 10, 1);
    expectXyz(seg.boxMax, 0, 10, 0);
    seg.scale(CPoint3d(0, 0, 0), 2);
    expectXyz(seg.endPt, 0, 20, 2);
    seg.mirror(CLine(CPoint3d(0, 0, 0), CPoint3d(1, 1, 0)));
    expectXyz(seg.endPt, 20, 0, 2);
    expectXyz(seg.boxMax, 20, 0, 0);
    EXPECT_TRUE(seg.isValid());
    seg.set(CPoint3d(kNaN, 0, 0), CPoint3d());
    EXPECT_FALSE(seg.isValid());
}

TEST(LineSegment, IsOnUsesEndsLineDistanceAndSpannedAxis) {
    const CLineSeg seg(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0));
    EXPECT_TRUE(seg.isOn(CPoint3d(5, 0.0005, 0), 0.001));
    EXPECT_TRUE(seg.isOn(CPoint3d(10.0005, 0, 0), 0.001));
    EXPECT_FALSE(seg.isOn(CPoint3d(11, 0, 0), 0.001));
    EXPECT_FALSE(seg.isOn(CPoint3d(5, 0.01, 0), 0.001));
    EXPECT_TRUE(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(0, 10, 0)).isOn(CPoint3d(0, 4, 0), 1e-6));
    EXPECT_TRUE(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(0, 0, 10)).isOn(CPoint3d(0, 0, 4), 1e-6));
    EXPECT_FALSE(seg.isOn(CPoint3d(kNaN, 0, 0), 0.001));
    // Found by fuzzing: a length overflowing to infinity made the distance NaN, which passed.
    const CLineSeg huge(CPoint3d(-2e197, 0, 0), CPoint3d(0, 0, 0));
    EXPECT_FALSE(huge.isOn(CPoint3d(-1.9e197, -2e197, 0), 1e-5));
}

// Distance from p to segment ab, by clamped projection.
double DistToSeg(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b) {
    const CVector3d d = b - a;
    const double dd = d.getDotProduct(d);
    double t = dd == 0 ? 0 : (p - a).getDotProduct(d) / dd;
    t = std::min(1.0, std::max(0.0, t));
    return p.distanceTo(a + d * t);
}

// Shortest distance between two segments: an interior pair, or an end against a segment.
double SegSegReference(const CLineSeg& a, const CLineSeg& b) {
    double best = std::min(
        {DistToSeg(a.startPt, b.startPt, b.endPt), DistToSeg(a.endPt, b.startPt, b.endPt),
         DistToSeg(b.startPt, a.startPt, a.endPt), DistToSeg(b.endPt, a.startPt, a.endPt)});
    const CVector3d u = a.endPt - a.startPt, v = b.endPt - b.startPt, w = a.startPt - b.startPt;
    const double A = u.getDotProduct(u), B = u.getDotProduct(v), C = v.getDotProduct(v);
    const double D = u.getDotProduct(w), E = v.getDotProduct(w), den = A * C - B * B;
    if (den > 1e-12) {
        const double s = (B * E - C * D) / den, t = (A * E - B * D) / den;
        if (s >= 0 && s <= 1 && t >= 0 && t <= 1) {
            best = std::min(best, (a.startPt + u * s).distanceTo(b.startPt + v * t));
        }
    }
    return best;
}

TEST(LineSegment, ClosestPointsMatchReferenceIncludingParallel) {
    expectXyz(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)).getClosestPnt(CPoint3d(-3, 2, 0)), 0,
              0, 0);
    expectXyz(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)).getClosestPnt(CPoint3d(4, 2, 5)), 4,
              0, 0);
    expectXyz(CLineSeg(CPoint3d(1, 1, 1), CPoint3d(1, 1, 1)).getClosestPnt(CPoint3d(4, 2, 5)), 1, 1,
              1);

    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-10, 10);
    auto pt = [&] { return CPoint3d(coord(rng), coord(rng), coord(rng)); };
    for (int i = 0; i < 500; ++i) {
        const CLineSeg a(pt(), pt());
        CLineSeg b(pt(), pt());
        const CPoint3d shifted = a.startPt + CVector3d(1, 2, 0);
        if (i % 5 == 0) {
            b.set(shifted, shifted + (a.endPt - a.startPt) * 0.3);
        }
        if (i % 7 == 0) {
            b.set(a.startPt + CVector3d(0, 3, 0), a.endPt + CVector3d(0, 3, 0));
        }
        CPoint3d onB;
        const CPoint3d onA = a.getClosestPnt(b, onB);
        ASSERT_TRUE(onA.isValid() && onB.isValid()) << i;
        EXPECT_NEAR(onA.distanceTo(onB), SegSegReference(a, b), 1e-7) << i;
        EXPECT_NEAR(DistToSeg(onA, a.startPt, a.endPt), 0, 1e-9);
        EXPECT_NEAR(DistToSeg(onB, b.startPt, b.endPt), 0, 1e-9);
    }
    // Two points: both parameters are free and the starts are taken.
    CPoint3d onB;
    const CPoint3d onA = CLineSeg(CPoint3d(1, 0, 0), CPoint3d(1, 0, 0))
                             .getClosestPnt(CLineSeg(CPoint3d(4, 0, 0), CPoint3d(4, 0, 0)), onB);
    expectXyz(onA, 1, 0, 0);
    expectXyz(onB, 4, 0, 0);
}

// ---- Planar crossings -----------------------------------------------------------------

// The plan crossing of the lines through ab and cd from their implicit equations,
// with z interpolated along ab.
bool ReferenceCrossing(const CPoint3d& a, const CPoint3d& b, const CPoint3d& c, const CPoint3d& d,
                       CPoint3d& out, double& s, double& t) {
    const double a1 = b.y - a.y, b1 = a.x - b.x, c1 = a1 * a.x + b1 * a.y;
    const double a2 = d.y - c.y, b2 = c.x - d.x, c2 = a2 * c.x + b2 * c.y;
    const double det = a1 * b2 - a2 * b1;
    if (std::fabs(det) < 1e-3) {
        return false;
    }
    out.x = (c1 * b2 - c2 * b1) / det;
    out.y = (a1 * c2 - a2 * c1) / det;
    s = std::hypot(out.x - a.x, out.y - a.y) / std::hypot(b.x - a.x, b.y - a.y);
    if ((out.x - a.x) * (b.x - a.x) + (out.y - a.y) * (b.y - a.y) < 0) {
        s = -s;
    }
    t = std::hypot(out.x - c.x, out.y - c.y) / std::hypot(d.x - c.x, d.y - c.y);
    if ((out.x - c.x) * (d.x - c.x) + (out.y - c.y) * (d.y - c.y) < 0) {
        t = -t;
    }
    out.z = a.z + (b.z - a.z) * s;
    return true;
}

TEST(LineCrossing, RandomSegmentsAndLinesMatchReference) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> coord(-10, 10);
    auto pt = [&] { return CPoint3d(coord(rng), coord(rng), coord(rng)); };
    int hits = 0;
    for (int i = 0; i < 2000; ++i) {
        const CPoint3d a = pt(), b = pt(), c = pt(), d = pt();
        CPoint3d ref;
        double s, t;
        if (!ReferenceCrossing(a, b, c, d, ref, s, t)) {
            continue;
        }
        const bool margin = std::fabs(s) > 1e-6 && std::fabs(s - 1) > 1e-6 && std::fabs(t) > 1e-6 &&
                            std::fabs(t - 1) > 1e-6;
        if (!margin) {
            continue;
        }
        CPoint3d got;
        const double tol = 1e-7 * (1 + std::fabs(ref.x) + std::fabs(ref.y) + std::fabs(ref.z));
        const bool segHit = CLineSeg(a, b).intersectWith(CLineSeg(c, d), got, 1e-6);
        EXPECT_EQ(segHit, s > 0 && s < 1 && t > 0 && t < 1) << i;
        if (segHit) {
            expectXyz(got, ref.x, ref.y, ref.z, tol), ++hits;
        }
        EXPECT_EQ(CLineSeg(a, b).intersectWith(CLine(c, d), got, 1e-6), s > 0 && s < 1) << i;
        ASSERT_TRUE(CLine(a, b).intersectWith(CLine(c, d), got, 1e-6));
        expectXyz(got, ref.x, ref.y, ref.z, tol);
    }
    EXPECT_GT(hits, 100);
}

TEST(LineCrossing, TolerancesTouchesAndDegenerates) {
    const CLineSeg base(CPoint3d(0, 0, 0), CPoint3d(10, 0, 10));
    CPoint3d at(-1, -1, -1);
    ASSERT_TRUE(base.intersectWith(CLineSeg(CPoint3d(5, -5, 0), CPoint3d(5, 5, 0)), at, 1e-6));
    expectXyz(at, 5, 0, 5);  // z carried along the first segment
    // Crossing at t = 1 + 5e-7 is accepted, at 1 + 2e-6 rejected; lines are exact.
    const double nearEnd = 10 * (1 + 5e-7), pastEnd = 10 * (1 + 2e-6);
    EXPECT_TRUE(
        base.intersectWith(CLineSeg(CPoint3d(nearEnd, -1, 0), CPoint3d(nearEnd, 1, 0)), at, 1e-6));
    EXPECT_FALSE(
        base.intersectWith(CLineSeg(CPoint3d(pastEnd, -1, 0), CPoint3d(pastEnd, 1, 0)), at, 1e-6));
    EXPECT_FALSE(
        base.intersectWith(CLine(CPoint3d(nearEnd, -1, 0), CPoint3d(nearEnd, 1, 0)), at, 1e-6));

    const CLineSeg flat(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0));
    ASSERT_TRUE(flat.intersectWith(CLineSeg(CPoint3d(10, 0, 0), CPoint3d(20, 0, 0)), at, 1e-6));
    expectXyz(at, 10, 0, 0);
    at.set(7, 7, 7);
    EXPECT_FALSE(flat.intersectWith(CLineSeg(CPoint3d(5, 0, 0), CPoint3d(15, 0, 0)), at, 1e-6));
    EXPECT_FALSE(flat.intersectWith(CLineSeg(CPoint3d(0, 1, 0), CPoint3d(10, 1, 0)), at, 1e-6));
    expectXyz(at, 7, 7, 7);  // untouched on failure
    // The parallel test compares tol with |d1||d2| sin(angle).
    const double eps = 1e-10;
    EXPECT_TRUE(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(1000, 0, 0))
                    .intersectWith(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(1000 * std::cos(eps),
                                                                        1000 * std::sin(eps), 0)),
                                   at, 1e-6));
    EXPECT_FALSE(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(0.001, 0, 0))
                     .intersectWith(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(0.001 * std::cos(0.5),
                                                                         0.001 * std::sin(0.5), 0)),
                                    at, 1e-6));
    // Degenerate pieces lying on the other.
    ASSERT_TRUE(CLineSeg(CPoint3d(4, 0, 0), CPoint3d(4, 0, 0)).intersectWith(flat, at, 1e-6));
    expectXyz(at, 4, 0, 0);
    ASSERT_TRUE(flat.intersectWith(CLineSeg(CPoint3d(6, 0, 0), CPoint3d(6, 0, 0)), at, 1e-6));
    expectXyz(at, 6, 0, 0);
    // A piece standing vertically over the segment gives no plan parameter: no crossing, no NaN.
    at.set(7, 7, 7);
    EXPECT_FALSE(flat.intersectWith(CLineSeg(CPoint3d(3, 0, 0), CPoint3d(3, 0, 5)), at, 1e-6));
    EXPECT_FALSE(flat.intersectWith(CLineSeg(CPoint3d(kNaN, 0, 0), CPoint3d(3, 1, 0)), at, 1e-6));
    EXPECT_FALSE(CLine(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0))
                     .intersectWith(CLine(CPoint3d(0, 1, 0), CPoint3d(HUGE_VAL, 2, 0)), at, 1e-6));
    expectXyz(at, 7, 7, 7);
}

// ---- Lines, mirrors, rays -------------------------------------------------------------

TEST(Line, IsOnClosestParallelAndClose) {
    const CLine xAxis(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0));
    const double far = 1e6;
    EXPECT_TRUE(xAxis.isOn(CPoint3d(far * std::cos(0.005), far * std::sin(0.005), 0), 0.01));
    EXPECT_TRUE(xAxis.isOn(CPoint3d(-50, 0.1, 0), 0.01));
    EXPECT_FALSE(xAxis.isOn(CPoint3d(far, far * 0.02, 0), 0.01));
    EXPECT_FALSE(CLine(CPoint3d(1, 1, 0), CPoint3d(1, 1, 0)).isOn(CPoint3d(5, 5, 0), 0.01));

    expectXyz(xAxis.getClosestPnt(CPoint3d(-7, 3, 2)), -7, 0, 0);
    expectXyz(CLine(CPoint3d(2, 3, 4), CPoint3d(2, 3, 4)).getClosestPnt(CPoint3d(9, 9, 9)), 2, 3,
              4);

    const CLine shifted(CPoint3d(0, 1, 0), CPoint3d(5, 1, 0));
    EXPECT_TRUE(xAxis.parallelWith(shifted, 1e-6));
    EXPECT_FALSE(xAxis.parallelWith(CLine(CPoint3d(0, 0, 0), CPoint3d(1, 1, 0)), 1e-6));
    // closeWith: parallel, touching, and sharing at least 0.2 units.
    const CLine a(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0));
    EXPECT_TRUE(a.closeWith(CLine(CPoint3d(1.5, 0, 0), CPoint3d(0.7, 0, 0)), 1e-6));
    EXPECT_FALSE(a.closeWith(CLine(CPoint3d(0.9, 0, 0), CPoint3d(1.5, 0, 0)), 1e-6));
    EXPECT_FALSE(a.closeWith(shifted, 1e-6));
    EXPECT_FALSE(a.closeWith(CLine(CPoint3d(0, 0, 0), CPoint3d(1, 1, 0)), 1e-6));
}

TEST(Line, MirrorOfPointsAndVectors) {
    const CLine xAxis(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0));
    expectXyz(CPoint3d(1, 1, 7).mirror(xAxis), 1, -1, 7);
    const CLine diagonal(CPoint3d(1, 0, 3), CPoint3d(2, 1, 3));
    expectXyz(CPoint3d(0, 1, -2).mirror(diagonal), 2, -1, -2);
    // Vectors on either side of the direction are reflected, z kept.
    expectXyz(CVector3d(0, 1, 5).mirror(diagonal), 1, 0, 5);
    expectXyz(CVector3d(1, 0, 5).mirror(diagonal), 0, 1, 5);
    expectXyz(CVector3d(3, 4, 0).mirror(xAxis), 3, -4, 0);
    // The image of a vector is the difference of the images of its two ends.
    const CPoint3d p(4, -2, 1), q(-3, 5, 2);
    CVector3d v = q - p;
    CPoint3d mp = p, mq = q;
    v.mirror(diagonal);
    const CVector3d expected = mq.mirror(diagonal) - mp.mirror(diagonal);
    expectXyz(v, expected.x, expected.y, v.z);
    // A line without direction reflects through its point, never into NaN.
    const CLine dot(CPoint3d(1, 1, 0), CPoint3d(1, 1, 0));
    expectXyz(CPoint3d(3, 2, 9).mirror(dot), -1, 0, 9);
    expectXyz(CVector3d(3, 2, 9).mirror(dot), -3, -2, 9);
}

TEST(Ray, ClosestPointsCrossingsAndTransforms) {
    CRay ray(CPoint3d(1, 1, 0), CPoint3d(3, 1, 0));
    expectXyz(ray.direction(), 2, 0, 0);
    expectXyz(ray.getClosestPnt(CPoint3d(-5, 4, 0)), 1, 1, 0);
    expectXyz(ray.getClosestPnt(CPoint3d(7, 4, 0)), 7, 1, 0);
    expectXyz(CRay(CPoint3d(1, 2, 3), CVector3d()).getClosestPnt(CPoint3d(7, 4, 0)), 1, 2, 3);

    CPoint3d at;
    ASSERT_TRUE(ray.intersectWith(CLineSeg(CPoint3d(5, 0, 0), CPoint3d(5, 4, 0)), at, 1e-6));
    expectXyz(at, 5, 1, 0);
    EXPECT_FALSE(ray.intersectWith(CLineSeg(CPoint3d(0, 0, 0), CPoint3d(0, 4, 0)), at, 1e-6));
    EXPECT_FALSE(ray.intersectWith(CLineSeg(CPoint3d(5, 2, 0), CPoint3d(5, 4, 0)), at, 1e-6));
    EXPECT_FALSE(ray.intersectWith(CLineSeg(CPoint3d(2, 1, 0), CPoint3d(9, 1, 0)), at, 1e-6));
    ASSERT_TRUE(ray.intersectWith(CRay(CPoint3d(4, -3, 0), CVector3d(0, 1, 0)), at, 1e-6));
    expectXyz(at, 4, 1, 0);
    EXPECT_FALSE(ray.intersectWith(CRay(CPoint3d(4, -3, 0), CVector3d(0, -1, 0)), at, 1e-6));

    ray.move(CVector3d(0, 0, 2));
    expectXyz(ray.startPt, 1, 1, 2);
    ray.rotate(CPoint3d(), 1.0);
    ray.scale(CPoint3d(), 3.0);
    expectXyz(ray.startPt, 1, 1, 2);
    expectXyz(ray.dirVec, 2, 0, 0);
    EXPECT_TRUE(ray.isValid());
    ray.set(CPoint3d(), CVector3d(kNaN, 0, 0));
    EXPECT_FALSE(ray.isValid());
}

// ---- Planes ---------------------------------------------------------------------------

CPlane MakePlane(const CPoint3d& origin, const CVector3d& normal) {
    CPlane plane;
    plane.set(origin, normal);
    return plane;
}

double PlaneDistance(const CPlane& plane, const CPoint3d& p) {
    return plane.normalVec.getDotProduct(p - plane.originPt);
}

TEST(Plane, ConstructionFromPoints) {
    CPlane plane;
    EXPECT_TRUE(
        plane.set(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 1, 0)}));
    expectXyz(plane.normalVec, 0, 0, 1);
    plane.set(CPoint3d(5, 5, 5), CVector3d(0, 3, 4));
    expectXyz(plane.normalVec, 0, 0.6, 0.8);
    EXPECT_FALSE(
        plane.set(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(1, 1, 1), CPoint3d(3, 3, 3)}));
    EXPECT_FALSE(plane.set(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(1, 1, 1)}));
    expectXyz(plane.originPt, 5, 5, 5);  // unchanged by the failures
    // A later triple may decide; the origin stays the first point.
    ASSERT_TRUE(plane.set(std::vector<CPoint3d>{CPoint3d(1, 0, 0), CPoint3d(2, 0, 0),
                                                CPoint3d(3, 0, 0), CPoint3d(3, 0, 1)}));
    expectXyz(plane.originPt, 1, 0, 0);
    expectXyz(plane.normalVec, 0, -1, 0);
    plane.set(CPoint3d(), CVector3d());
    expectXyz(plane.normalVec, 0, 0, 0);
}

TEST(Plane, CrossingsInSpaceAndProjection) {
    const CPlane tilted = MakePlane(CPoint3d(1, 2, 3), CVector3d(1, 1, 1));
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> coord(-10, 10);
    for (int i = 0; i < 200; ++i) {
        const CPoint3d a(coord(rng), coord(rng), coord(rng)), b(coord(rng), coord(rng), coord(rng));
        const double da = PlaneDistance(tilted, a), db = PlaneDistance(tilted, b);
        CPoint3d at;
        const bool lineHit = tilted.intersectWith(CLine(a, b), at, 1e-6);
        ASSERT_TRUE(lineHit);
        EXPECT_NEAR(PlaneDistance(tilted, at), 0, 1e-9);
        EXPECT_NEAR(CLine(a, b).getClosestPnt(at).distanceTo(at), 0, 1e-9);
        EXPECT_EQ(tilted.intersectWith(CLineSeg(a, b), at, 1e-6), da * db <= 0) << i;
        EXPECT_EQ(tilted.intersectWith(CRay(a, b), at, 1e-6),
                  std::fabs(da) > std::fabs(db) || da * db <= 0)
            << i;
    }
    CPoint3d at(7, 7, 7);
    EXPECT_FALSE(tilted.intersectWith(CLine(CPoint3d(0, 0, 0), CPoint3d(1, -1, 0)), at, 1e-6));
    expectXyz(at, 7, 7, 7);

    expectXyz(tilted.PtProj2Plane(CPoint3d(1, 2, 6), CVector3d()), 0, 1, 5);
    expectXyz(tilted.PtProj2Plane(CPoint3d(1, 2, 6), CVector3d(0, 0, 2)), 1, 2, 3);
    expectXyz(tilted.PtProj2Plane(CPoint3d(9, 9, 9), CVector3d(1, -1, 0)), 0, 0, 0);
    const std::vector<CPoint3d> moved =
        tilted.PtProj2Plane({CPoint3d(1, 2, 6), CPoint3d(9, 9, 9)}, CVector3d(1, -1, 0));
    ASSERT_EQ(moved.size(), 2u);
    expectXyz(moved[1], 0, 0, 0);
}

TEST(Plane, PlanePlaneLineLiesInBoth) {
    const CVector3d normals[] = {CVector3d(1, 0, 0), CVector3d(0, 1, 0), CVector3d(0, 0, 1),
                                 CVector3d(1, 2, 3), CVector3d(-3, 1, 0.5)};
    for (const CVector3d& n1 : normals) {
        for (const CVector3d& n2 : normals) {
            const CPlane p1 = MakePlane(CPoint3d(1, 2, 3), n1),
                         p2 = MakePlane(CPoint3d(-4, 0, 2), n2);
            CLine line(CPoint3d(9, 9, 9), CPoint3d(9, 9, 9));
            const bool hit = p1.intersectWith(p2, line, 1e-6);
            EXPECT_EQ(hit, !(n1 == n2));
            if (!hit) {
                expectXyz(line.startPt, 9, 9, 9);
                continue;
            }
            for (const CPoint3d& p : {line.startPt, line.endPt}) {
                EXPECT_NEAR(PlaneDistance(p1, p), 0, 1e-9);
                EXPECT_NEAR(PlaneDistance(p2, p), 0, 1e-9);
            }
            const CVector3d dir = line.endPt - line.startPt;
            const CVector3d cross = p1.normalVec.crossProduct(p2.normalVec);
            expectXyz(dir, cross.x, cross.y, cross.z);
            expectXyz(line.boxMax, 0, 0, 0);
        }
    }
}

// ---- Overlap --------------------------------------------------------------------------

TEST(LineSegment, OverlapAlongAndPartial) {
    const CLineSeg seg(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0));
    CLineSeg out;
    ASSERT_TRUE(
        seg.overlap(CLineSeg(CPoint3d(2, 0.001, 0), CPoint3d(6, 0.001, 0)), &out, 0.01, 0.01));
    expectXyz(out.startPt, 2, 0, 0);
    expectXyz(out.endPt, 6, 0, 0);
    expectXyz(out.boxMax, 6, 0, 0);
    ASSERT_TRUE(
        seg.overlap(CLineSeg(CPoint3d(-2, 0.001, 0), CPoint3d(12, 0.001, 0)), &out, 0.01, 0.01));
    expectXyz(out.startPt, 0, 0.001, 0);
    expectXyz(out.endPt, 10, 0.001, 0);
    ASSERT_TRUE(
        seg.overlap(CLineSeg(CPoint3d(5, 0.001, 0), CPoint3d(15, 0.001, 0)), &out, 0.01, 0.01));
    expectXyz(out.startPt, 5, 0, 0);
    expectXyz(out.endPt, 10, 0.001, 0);
    EXPECT_TRUE(seg.overlap(CLineSeg(CPoint3d(15, 0, 0), CPoint3d(5, 0, 0)), nullptr, 0.01, 0.01));
    EXPECT_FALSE(
        seg.overlap(CLineSeg(CPoint3d(10, 0, 0), CPoint3d(20, 0, 0)), nullptr, 0.01, 0.01));
    EXPECT_FALSE(
        seg.overlap(CLineSeg(CPoint3d(5, 0.1, 0), CPoint3d(15, 0.1, 0)), nullptr, 0.01, 0.01));
    EXPECT_FALSE(seg.overlap(CLineSeg(CPoint3d(5, 0, 0), CPoint3d(15, 1, 0)), nullptr, 0.01, 0.01));
}

}  // namespace
