// Circles and arcs: records, runtime classes, copies, validity and arc sampling.
#include <geo/circles.h>
#include <geo/float_comp.h>
#include <geo/lines.h>
#include <geo/mfc/exceptions.h>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

namespace {

using point_expect::expectSameXyz;
using point_expect::expectXyz;

using geo_detail::kPi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A base record with the given corners.
RecordBuilder& Box(RecordBuilder& b, const CPoint3d& lo, const CPoint3d& hi, double version = 2.0) {
    return b.real(version).xyz(lo.x, lo.y, lo.z).xyz(hi.x, hi.y, hi.z);
}

// Byte image of a circle record written by hand, with every version double set to v.
Bytes CircleImage(double cx, double cy, double cz, double r, double v = 2.0) {
    RecordBuilder b;
    b.real(v).xyz(cx, cy, cz, v).real(r);
    Box(b, CPoint3d(-1, -2, -3), CPoint3d(4, 5, 6), v);
    return b.bytes();
}

Bytes ArcImage(double r, double s, double e, double v = 2.0) {
    RecordBuilder b;
    b.real(v).xyz(7, 8, 9, v).real(r).real(s).real(e);
    Box(b, CPoint3d(1, 1, 1), CPoint3d(2, 2, 2), v);
    return b.bytes();
}

// The literal sampling walk: every multiple of step from step upward, no shortcuts.
std::vector<double> LiteralSampleAngles(double start, double end, double step) {
    std::vector<double> angles{start};
    for (long long i = 1;; ++i) {
        const double a = static_cast<double>(i) * step;
        if (FloatComp(a, end, 1e-6) != -1) {
            break;
        }
        if (FloatComp(a, start, 1e-6) == 1) {
            angles.push_back(a);
        }
    }
    angles.push_back(end);
    return angles;
}

void ExpectOnArcAt(const CPoint3d& p, const CArc& arc, double angle) {
    expectXyz(p, arc.center.x + arc.radius * std::cos(angle),
              arc.center.y + arc.radius * std::sin(angle), arc.center.z, 1e-9);
}

}  // namespace

// ---- Records --------------------------------------------------------------------------

TEST(CircleRecords, BytesMatchHandBuiltImages) {
    CCircle circle(CPoint3d(1.5, -2, 3), 4.25);
    const Bytes circleBytes = StoreBytes([&](CArchive& ar) { ar << circle; });
    RecordBuilder want;
    Box(want.real(2.0).xyz(1.5, -2, 3).real(4.25), CPoint3d(), CPoint3d());
    EXPECT_EQ(circleBytes, want.bytes());
    EXPECT_EQ(circleBytes.size(), 120u);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { circle.Serialize(ar); }), want.bytes());

    CArc arc(CPoint3d(0, 1, 2), 3, 0.25, 1.75);
    const Bytes arcBytes = StoreBytes([&](CArchive& ar) { ar << arc; });
    ASSERT_EQ(arcBytes.size(), 136u);
    // Field offsets checked with memcpy: radius at 40, angles at 48 and 56, box from 64.
    double v = 0;
    std::memcpy(&v, arcBytes.data() + 40, 8);
    EXPECT_EQ(v, 3.0);
    std::memcpy(&v, arcBytes.data() + 48, 8);
    EXPECT_EQ(v, 0.25);
    std::memcpy(&v, arcBytes.data() + 56, 8);
    EXPECT_EQ(v, 1.75);
    std::memcpy(&v, arcBytes.data() + 64, 8);
    EXPECT_EQ(v, 2.0);
    RecordBuilder arcWant;
    Box(arcWant.real(2.0).xyz(0, 1, 2).real(3).real(0.25).real(1.75), CPoint3d(), CPoint3d());
    EXPECT_EQ(arcBytes, arcWant.bytes());
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { arc.Serialize(ar); }), arcWant.bytes());
}

TEST(CircleRecords, ReadTakesFieldsAndStoredBoxWhateverTheVersion) {
    for (double version : {1.0, 2.0, 3.0}) {
        CCircle circle;
        LoadBytes(CircleImage(1, 2, 3, 0.5, version), [&](CArchive& ar) { ar >> circle; });
        expectSameXyz(circle.center, 1, 2, 3);
        EXPECT_EQ(circle.radius, 0.5);
        expectSameXyz(circle.boxMin, -1, -2, -3);  // as stored, not derived from the circle
        expectSameXyz(circle.boxMax, 4, 5, 6);

        CArc arc;
        LoadBytes(ArcImage(2, -0.5, 4, version), [&](CArchive& ar) { arc.Serialize(ar); });
        expectSameXyz(arc.center, 7, 8, 9);
        EXPECT_EQ(arc.radius, 2);
        EXPECT_EQ(arc.startAngle, -0.5);
        EXPECT_EQ(arc.endAngle, 4);
        expectSameXyz(arc.boxMin, 1, 1, 1);
        expectSameXyz(arc.boxMax, 2, 2, 2);
    }
}

TEST(CircleRecords, RoundTripsKeepEveryBitIncludingNonFinite) {
    CArc arc(CPoint3d(-1e300, 5e-324, -0.0), kNaN, -kInf, kInf);
    LoadBytes(ArcImage(1, 2, 3), [&](CArchive& ar) { ar >> arc; });  // gives it a box
    arc.center = CPoint3d(-1e300, 5e-324, -0.0);
    arc.radius = kNaN;
    arc.startAngle = -kInf;
    arc.endAngle = kInf;
    const Bytes once = StoreBytes([&](CArchive& ar) { ar << arc; });
    CArc back(CPoint3d(), 9, 9, 9);
    LoadBytes(once, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << back; }), once);
    EXPECT_TRUE(std::isnan(back.radius));
    EXPECT_EQ(back.startAngle, -kInf);
    EXPECT_EQ(back.endAngle, kInf);
    expectSameXyz(back.boxMax, 2, 2, 2);

    CCircle circle(CPoint3d(3, 4, 5), 0.0);
    CCircle circleBack(CPoint3d(9, 9, 9), 9);
    LoadBytes(StoreBytes([&](CArchive& ar) { ar << circle; }),
              [&](CArchive& ar) { ar >> circleBack; });
    expectSameXyz(circleBack.center, 3, 4, 5);
    EXPECT_EQ(circleBack.radius, 0.0);
}

TEST(CircleRecords, TruncatedReadRaisesAndLeavesObjectUnchanged) {
    const Bytes circleWhole = CircleImage(1, 2, 3, 4);
    for (size_t n = 0; n < circleWhole.size(); ++n) {
        const Bytes cut(circleWhole.begin(), circleWhole.begin() + static_cast<long>(n));
        CCircle circle(CPoint3d(9, 8, 7), 6);
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(cut, [&](CArchive& ar) { ar >> circle; }); }),
                  CArchiveException::endOfFile)
            << n;
        expectSameXyz(circle.center, 9, 8, 7);
        EXPECT_EQ(circle.radius, 6);
        expectSameXyz(circle.boxMax, 0, 0, 0);
    }
    const Bytes arcWhole = ArcImage(1, 2, 3);
    for (size_t n = 0; n < arcWhole.size(); ++n) {
        const Bytes cut(arcWhole.begin(), arcWhole.begin() + static_cast<long>(n));
        CArc arc(CPoint3d(9, 8, 7), 6, 5, 4);
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(cut, [&](CArchive& ar) { arc.Serialize(ar); }); }),
                  CArchiveException::endOfFile)
            << n;
        expectSameXyz(arc.center, 9, 8, 7);
        EXPECT_EQ(arc.radius, 6);
        EXPECT_EQ(arc.startAngle, 5);
        EXPECT_EQ(arc.endAngle, 4);
        expectSameXyz(arc.boxMin, 0, 0, 0);
    }
}

TEST(CircleRecords, OperatorsRefuseTheWrongDirection) {
    CCircle circle;
    CArc arc;
    const Bytes whole = CircleImage(1, 2, 3, 4);
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(whole, [&](CArchive& ar) { ar << circle; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(whole, [&](CArchive& ar) { ar << arc; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> circle; }); }),
              CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> arc; }); }),
              CArchiveException::writeOnly);
}

// ---- Classes, copies, validity ----------------------------------------------------------

TEST(CircleClasses, RuntimeClassesCreateDefaultObjectsByName) {
    for (const char* name : {"CCircle", "CArc"}) {
        CRuntimeClass* rc = CRuntimeClass::FromName(name);
        ASSERT_NE(rc, nullptr) << name;
        EXPECT_EQ(std::string(rc->m_lpszClassName), name);
        EXPECT_EQ(rc->m_wSchema, 1u);
        EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(CGeometry));
        std::unique_ptr<CObject> obj(rc->CreateObject());
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->GetRuntimeClass(), rc);
        EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CGeometry)));
        EXPECT_TRUE(static_cast<CGeometry*>(obj.get())->isValid());
    }
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_nObjectSize, static_cast<int>(sizeof(CCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CArc)->m_nObjectSize, static_cast<int>(sizeof(CArc)));
    std::unique_ptr<CObject> arc(CRuntimeClass::CreateObject("CArc"));
    const CArc* a = static_cast<CArc*>(arc.get());
    expectSameXyz(a->center, 0, 0, 0);
    EXPECT_EQ(a->radius, 0);
    EXPECT_EQ(a->startAngle, 0);
    EXPECT_EQ(a->endAngle, 0);
}

TEST(CircleClasses, CopiesCloneAndAssignmentCarryFieldsNotBox) {
    CArc arc;
    LoadBytes(ArcImage(2, 0.5, 1.5), [&](CArchive& ar) { ar >> arc; });
    const CArc copy(arc);
    expectSameXyz(copy.center, 7, 8, 9);
    EXPECT_EQ(copy.endAngle, 1.5);
    expectSameXyz(copy.boxMax, 0, 0, 0);
    std::unique_ptr<CGeometry> clone(arc.clone());
    EXPECT_TRUE(clone->type() == typeid(CArc));
    EXPECT_EQ(static_cast<CArc*>(clone.get())->startAngle, 0.5);
    expectSameXyz(clone->boxMin, 0, 0, 0);
    CArc target(CPoint3d(), 1, 1, 1);
    target = arc;
    EXPECT_EQ(target.radius, 2);
    expectSameXyz(target.boxMax, 0, 0, 0);  // the target keeps its own box

    CCircle circle;
    LoadBytes(CircleImage(1, 2, 3, 4), [&](CArchive& ar) { ar >> circle; });
    std::unique_ptr<CGeometry> circleClone(circle.clone());
    EXPECT_TRUE(circleClone->type() == typeid(CCircle));
    EXPECT_EQ(static_cast<CCircle*>(circleClone.get())->radius, 4);
    expectSameXyz(circleClone->boxMax, 0, 0, 0);
    CCircle kept(CPoint3d(), 1);
    LoadBytes(CircleImage(0, 0, 0, 1), [&](CArchive& ar) { ar >> kept; });
    kept = CCircle(CPoint3d(5, 5, 5), 5);
    expectSameXyz(kept.center, 5, 5, 5);
    expectSameXyz(kept.boxMax, 4, 5, 6);
    CCircle& self = kept;
    kept = self;
    EXPECT_EQ(kept.radius, 5);
}

TEST(CircleClasses, TransformsLeaveBothUnchanged) {
    CCircle circle(CPoint3d(1, 2, 3), 4);
    CArc arc(CPoint3d(1, 2, 3), 4, 0.5, 2);
    const CLine axis(CPoint3d(0, 0, 0), CPoint3d(1, 1, 0));
    for (CGeometry* g : {static_cast<CGeometry*>(&circle), static_cast<CGeometry*>(&arc)}) {
        g->move(CVector3d(10, 10, 10));
        g->rotate(CPoint3d(5, 5, 0), 1.0);
        g->scale(CPoint3d(5, 5, 0), 3.0);
        g->mirror(axis);
        expectSameXyz(g->boxMin, 0, 0, 0);
        expectSameXyz(g->boxMax, 0, 0, 0);
    }
    expectSameXyz(circle.center, 1, 2, 3);
    EXPECT_EQ(circle.radius, 4);
    expectSameXyz(arc.center, 1, 2, 3);
    EXPECT_EQ(arc.radius, 4);
    EXPECT_EQ(arc.startAngle, 0.5);
    EXPECT_EQ(arc.endAngle, 2);
}

TEST(CircleClasses, LengthAndValidityOverEveryField) {
    EXPECT_DOUBLE_EQ(CCircle(CPoint3d(), 2).length(), 4 * kPi);
    EXPECT_EQ(CCircle(CPoint3d(), 0).length(), 0);
    EXPECT_TRUE(std::isnan(CCircle(CPoint3d(), kNaN).length()));
    EXPECT_TRUE(CCircle(CPoint3d(1, 2, 3), 0).isValid());
    for (double bad : {kNaN, kInf, -kInf}) {
        EXPECT_FALSE(CCircle(CPoint3d(), bad).isValid());
        EXPECT_FALSE(CCircle(CPoint3d(0, bad, 0), 1).isValid());
        EXPECT_FALSE(CArc(CPoint3d(), bad, 0, 1).isValid());
        EXPECT_FALSE(CArc(CPoint3d(), 1, bad, 1).isValid());
        EXPECT_FALSE(CArc(CPoint3d(), 1, 0, bad).isValid());
        EXPECT_FALSE(CArc(CPoint3d(bad, 0, 0), 1, 0, 1).isValid());
        CCircle boxed(CPoint3d(), 1);
        boxed.boxMax.y = bad;
        EXPECT_FALSE(boxed.isValid());
        CArc arcBoxed(CPoint3d(), 1, 0, 1);
        arcBoxed.boxMin.z = bad;
        EXPECT_FALSE(arcBoxed.isValid());
    }
    EXPECT_TRUE(CArc(CPoint3d(), 0, 3, -3).isValid());
}

// ---- Arc sampling ----------------------------------------------------------------------

TEST(ArcSampling, GridAnglesStrictlyInsideBetweenTheEnds) {
    const CArc quarter(CPoint3d(0, 0, 0), 1, 0.1, 3.0);
    const std::vector<CPoint3d> pts = quarter.getSimplePts(kPi / 2);
    ASSERT_EQ(pts.size(), 3u);
    ExpectOnArcAt(pts[0], quarter, 0.1);
    expectXyz(pts[1], 0, 1, 0, 1e-12);
    ExpectOnArcAt(pts[2], quarter, 3.0);

    const CArc two(CPoint3d(1, 2, 5), 3, 0, 2);
    const std::vector<CPoint3d> unit = two.getSimplePts(1);
    ASSERT_EQ(unit.size(), 3u);  // the candidate 2 is the end, not emitted twice
    for (size_t i = 0; i < unit.size(); ++i) {
        ExpectOnArcAt(unit[i], two, static_cast<double>(i));
    }
    EXPECT_EQ(unit[1].z, 5);

    // A candidate within the tolerance of the start is skipped.
    const CArc nearStart(CPoint3d(), 1, 1.0 - 5e-7, 2.5);
    ASSERT_EQ(nearStart.getSimplePts(1).size(), 3u);
    // Grid counted from 0, not from the start: 0.7 -> 1, 2, 3 -> 3.2.
    const CArc offset(CPoint3d(), 2, 0.7, 3.2);
    const std::vector<CPoint3d> grid = offset.getSimplePts(1);
    ASSERT_EQ(grid.size(), 5u);
    ExpectOnArcAt(grid[1], offset, 1);
    ExpectOnArcAt(grid[3], offset, 3);
}

TEST(ArcSampling, BackwardNegativeAndDegenerateArcs) {
    const CArc backward(CPoint3d(), 1, 2.0, 1.0);
    const std::vector<CPoint3d> ends = backward.getSimplePts(0.1);
    ASSERT_EQ(ends.size(), 2u);
    ExpectOnArcAt(ends[0], backward, 2.0);
    ExpectOnArcAt(ends[1], backward, 1.0);
    // Only positive multiples are candidates: nothing between -3 and 0.
    const CArc negative(CPoint3d(), 1, -3, 0.5);
    EXPECT_EQ(negative.getSimplePts(1).size(), 2u);
    // Zero radius collapses every point onto the centre.
    const CArc dot(CPoint3d(4, 5, 6), 0, 0, 3);
    for (const CPoint3d& p : dot.getSimplePts(1)) {
        expectSameXyz(p, 4, 5, 6);
    }
    // Far-out backward arcs return at once instead of walking the whole grid.
    EXPECT_EQ(CArc(CPoint3d(), 1, 2e15, 1e15).getSimplePts(1e-3).size(), 2u);
}

TEST(ArcSampling, UnusableStepsAndAnglesGiveNoPoints) {
    const CArc arc(CPoint3d(), 1, 0, 1);
    for (double step : {0.0, -1.0, kNaN, kInf, -kInf}) {
        EXPECT_TRUE(arc.getSimplePts(step).empty()) << step;
    }
    for (double bad : {kNaN, kInf, -kInf}) {
        EXPECT_TRUE(CArc(CPoint3d(), 1, bad, 1).getSimplePts(0.1).empty());
        EXPECT_TRUE(CArc(CPoint3d(), 1, 0, bad).getSimplePts(0.1).empty());
    }
    // Too fine a grid would allocate without bound: refused rather than sampled.
    EXPECT_TRUE(arc.getSimplePts(1e-12).empty());
    EXPECT_TRUE(CArc(CPoint3d(), 1, 0, 1e300).getSimplePts(1).empty());
    EXPECT_EQ(arc.getSimplePts(1e-5).size(), 100001u);  // well inside the limit
    // A NaN radius still gives the expected count, just unusable points.
    EXPECT_EQ(CArc(CPoint3d(), kNaN, 0, 2).getSimplePts(1).size(), 3u);
}

TEST(ArcSampling, MatchesTheLiteralWalkOnRandomArcs) {
    std::mt19937 rng(20260);
    std::uniform_real_distribution<double> angle(-10.0, 40.0);
    std::uniform_real_distribution<double> stepDist(0.01, 3.0);
    for (int trial = 0; trial < 3000; ++trial) {
        double start = angle(rng);
        double end = angle(rng);
        double step = stepDist(rng);
        if (trial % 5 == 0) {  // ends placed on or next to grid angles
            start = std::round(start / step) * step + (trial % 3 - 1) * 5e-7;
        }
        if (trial % 7 == 0) {
            end = std::round(end / step) * step + (trial % 3 - 1) * 5e-7;
        }
        const CArc arc(CPoint3d(1, -2, 0.5), 1.5, start, end);
        const std::vector<double> want = LiteralSampleAngles(start, end, step);
        const std::vector<CPoint3d> got = arc.getSimplePts(step);
        ASSERT_EQ(got.size(), want.size()) << start << " " << end << " " << step;
        for (size_t i = 0; i < want.size(); ++i) {
            ExpectOnArcAt(got[i], arc, want[i]);
        }
    }
}
