// Trimmed offsets of segments, arcs, polylines and composites, in 2D and in a plane in 3D.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <geo/acge/gearc2d.h>
#include <geo/acge/gearc3d.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/gecomp3d.h>
#include <geo/acge/geline2d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gepoly2d.h>
#include <geo/acge/gepoly3d.h>

#include "platform/acge/tol_of.h"
#include "support/acge_points.h"

using acge_detail::pointAndVectorTol;

namespace {

constexpr double kEps = 1e-9;

// Owns the curves an offset hands back.
template <typename Curve>
struct Owned {
    AcArray<Curve*> list;
    ~Owned() {
        for (Curve* c : list) {
            delete c;
        }
    }
};

// Piece starts and the last end, as the library's callers read composites.
std::vector<AcGePoint2d> vertices(const AcGeCurve2d& curve) {
    std::vector<AcGePoint2d> out;
    AcArray<AcGeCurve2d*> pieces;
    if (curve.type() == AcGe::kCompositeCrv2d) {
        static_cast<const AcGeCompositeCurve2d&>(curve).getCurveList(pieces);
    } else {
        pieces.append(const_cast<AcGeCurve2d*>(&curve));
    }
    for (AcGeCurve2d* piece : pieces) {
        AcGePoint2d p;
        if (piece->hasStartPoint(p)) {
            out.push_back(p);
        }
    }
    AcGePoint2d end;
    if (pieces.last()->hasEndPoint(end)) {
        out.push_back(end);
    }
    return out;
}

AcGePoint2dArray square() {
    AcGePoint2dArray pts;
    for (auto p : {AcGePoint2d(0, 0), AcGePoint2d(10, 0), AcGePoint2d(10, 10), AcGePoint2d(0, 10),
                   AcGePoint2d(0, 0)}) {
        pts.append(p);
    }
    return pts;
}

}  // namespace

TEST(TrimmedOffset2d, SegmentMovesLeftOfTravelAsOneSegment) {
    AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    Owned<AcGeCurve2d> left, right;
    seg.getTrimmedOffset(2.0, left.list, AcGe::kExtend);
    ASSERT_EQ(left.list.length(), 1);
    ASSERT_EQ(left.list[0]->type(), 22);
    const AcGeLineSeg2d* moved = static_cast<AcGeLineSeg2d*>(left.list[0]);
    EXPECT_NEAR(moved->startPoint().distanceTo(AcGePoint2d(0, 2)), 0.0, kEps);
    EXPECT_NEAR(moved->endPoint().distanceTo(AcGePoint2d(10, 2)), 0.0, kEps);
    seg.getTrimmedOffset(-2.0, right.list, AcGe::kExtend);
    ASSERT_EQ(right.list.length(), 1);
    EXPECT_NEAR(right.list[0]->distanceTo(AcGePoint2d(5, -2)), 0.0, kEps);
}

TEST(TrimmedOffset2d, ClosedSquareShrinksToAClosedComposite) {
    AcGePolyline2d poly(square());
    Owned<AcGeCurve2d> out;
    poly.getTrimmedOffset(1.0, out.list, AcGe::kExtend, pointAndVectorTol(1e-6));
    ASSERT_EQ(out.list.length(), 1);
    ASSERT_EQ(out.list[0]->type(), 46);
    const std::vector<AcGePoint2d> v = vertices(*out.list[0]);
    ASSERT_EQ(v.size(), 5u);
    EXPECT_NEAR(v.front().distanceTo(v.back()), 0.0, kEps);
    for (const AcGePoint2d& p : v) {
        EXPECT_NEAR(std::fabs(p.x - 5.0), 4.0, kEps);  // corners of the 8 x 8 square
        EXPECT_NEAR(std::fabs(p.y - 5.0), 4.0, kEps);
    }
    // Growing it: extended corners stay sharp.
    Owned<AcGeCurve2d> grown;
    poly.getTrimmedOffset(-1.0, grown.list, AcGe::kExtend, pointAndVectorTol(1e-6));
    ASSERT_EQ(grown.list.length(), 1);
    for (const AcGePoint2d& p : vertices(*grown.list[0])) {
        EXPECT_NEAR(std::fabs(p.x - 5.0), 6.0, kEps);
        EXPECT_NEAR(std::fabs(p.y - 5.0), 6.0, kEps);
    }
}

TEST(TrimmedOffset2d, ArcOffsetChangesTheRadiusOnly) {
    // Counter-clockwise: left of travel is towards the centre.
    AcGeCircArc2d arc(AcGePoint2d(5, 0), AcGePoint2d(0, 5), AcGePoint2d(-5, 0));
    Owned<AcGeCurve2d> out;
    arc.getTrimmedOffset(1.0, out.list, AcGe::kExtend);
    ASSERT_EQ(out.list.length(), 1);
    ASSERT_EQ(out.list[0]->type(), AcGe::kCircArc2d);
    const AcGeCircArc2d* inner = static_cast<AcGeCircArc2d*>(out.list[0]);
    EXPECT_NEAR(inner->radius(), 4.0, kEps);
    EXPECT_NEAR(inner->center().distanceTo(AcGePoint2d(0, 0)), 0.0, kEps);
    EXPECT_NEAR(inner->startPoint().distanceTo(AcGePoint2d(4, 0)), 0.0, kEps);
    EXPECT_FALSE(inner->isClockWise());

    Owned<AcGeCurve2d> ring;
    AcGeCircArc2d(AcGePoint2d(0, 0), 3.0).getTrimmedOffset(-1.0, ring.list, AcGe::kExtend);
    ASSERT_EQ(ring.list.length(), 1);
    for (double a = 0.0; a < 6.2; a += 0.5) {
        EXPECT_NEAR(ring.list[0]->distanceTo(AcGePoint2d(4 * std::cos(a), 4 * std::sin(a))), 0.0,
                    1e-9);
    }
    EXPECT_TRUE(ring.list[0]->isClosed());
}

TEST(TrimmedOffset2d, CompositeOfSegmentAndArc) {
    AcGeLineSeg2d seg(AcGePoint2d(-5, -5), AcGePoint2d(-5, 0));
    AcGeCircArc2d arc(AcGePoint2d(-5, 0), AcGePoint2d(0, 5), AcGePoint2d(5, 0));
    AcArray<AcGeCurve2d*> list;
    list.append(&seg);
    list.append(&arc);
    AcGeCompositeCurve2d comp(list);
    Owned<AcGeCurve2d> out;
    // The arc runs clockwise, so left of travel is outside it.
    comp.getTrimmedOffset(1.0, out.list, AcGe::kExtend);
    ASSERT_EQ(out.list.length(), 1);
    EXPECT_EQ(out.list[0]->type(), 46);
    EXPECT_NEAR(out.list[0]->distanceTo(AcGePoint2d(-6, -2)), 0.0, kEps);
    EXPECT_NEAR(out.list[0]->distanceTo(AcGePoint2d(0, 6)), 0.0, kEps);
}

TEST(TrimmedOffset2d, UnusableInputGivesNoCurves) {
    Owned<AcGeCurve2d> out;
    AcGeLine2d().getTrimmedOffset(1.0, out.list, AcGe::kExtend);
    AcGeLineSeg2d(AcGePoint2d(1, 1), AcGePoint2d(1, 1)).getTrimmedOffset(1.0, out.list);
    AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(1, 0))
        .getTrimmedOffset(std::numeric_limits<double>::quiet_NaN(), out.list);
    AcGePoint2dArray bad;
    bad.append(AcGePoint2d(0, 0));
    bad.append(AcGePoint2d(std::numeric_limits<double>::infinity(), 0));
    AcGePolyline2d(bad).getTrimmedOffset(1.0, out.list);
    EXPECT_TRUE(out.list.isEmpty());
}

TEST(TrimmedOffset3d, OffsetsStayInThePlaneOfTheNormal) {
    AcGePoint3dArray pts;
    for (const AcGePoint2d& p : square()) {
        pts.append(AcGePoint3d(p.x, p.y, 5.0));
    }
    AcGePolyline3d poly(pts);
    Owned<AcGeCurve3d> up, down;
    poly.getTrimmedOffset(1.0, AcGeVector3d(0, 0, 1), up.list, AcGe::kExtend,
                          pointAndVectorTol(1e-6));
    ASSERT_EQ(up.list.length(), 1);
    ASSERT_EQ(up.list[0]->type(), 47);
    // Counter-clockwise about +Z: normal x tangent points inwards.
    EXPECT_NEAR(up.list[0]->distanceTo(AcGePoint3d(5, 1, 5)), 0.0, kEps);
    EXPECT_NEAR(up.list[0]->distanceTo(AcGePoint3d(1, 1, 5)), 0.0, kEps);
    poly.getTrimmedOffset(1.0, AcGeVector3d(0, 0, -1), down.list, AcGe::kExtend,
                          pointAndVectorTol(1e-6));
    ASSERT_EQ(down.list.length(), 1);
    EXPECT_NEAR(down.list[0]->distanceTo(AcGePoint3d(5, -1, 5)), 0.0, kEps);

    Owned<AcGeCurve3d> seg;
    AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 4))
        .getTrimmedOffset(2.0, AcGeVector3d(1, 0, 0), seg.list, AcGe::kExtend);
    ASSERT_EQ(seg.list.length(), 1);
    EXPECT_EQ(seg.list[0]->type(), 23);
    // Normal +X, tangent +Z: the left side is X x Z = -Y.
    EXPECT_NEAR(seg.list[0]->distanceTo(AcGePoint3d(0, -2, 2)), 0.0, kEps);

    Owned<AcGeCurve3d> none;
    poly.getTrimmedOffset(1.0, AcGeVector3d(0, 0, 0), none.list, AcGe::kExtend);
    AcGeCircArc3d(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), 2.0)
        .getTrimmedOffset(1.0, AcGeVector3d(0, 0, 1), none.list, AcGe::kExtend);
    EXPECT_TRUE(none.list.isEmpty());
}

TEST(TrimmedOffset3d, CircleAboutTheNormalGivesAConcentricCircle) {
    AcGeCircArc3d circle(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, 1), 4.0);
    Owned<AcGeCurve3d> out;
    circle.getTrimmedOffset(1.0, AcGeVector3d(0, 0, 1), out.list, AcGe::kExtend);
    ASSERT_EQ(out.list.length(), 1);
    AcGePoint3dArray pts;
    out.list[0]->getSamplePoints(12, pts);
    for (const AcGePoint3d& p : pts) {
        EXPECT_NEAR(p.distanceTo(AcGePoint3d(1, 2, 3)), 3.0, 1e-9);
        EXPECT_NEAR(p.z, 3.0, 1e-9);
    }
    // Seen from -Z the circle runs clockwise, so the same distance moves it outwards.
    Owned<AcGeCurve3d> flipped;
    circle.getTrimmedOffset(1.0, AcGeVector3d(0, 0, -1), flipped.list, AcGe::kExtend);
    ASSERT_EQ(flipped.list.length(), 1);
    EXPECT_NEAR(flipped.list[0]->distanceTo(AcGePoint3d(6, 2, 3)), 0.0, 1e-9);
    EXPECT_NEAR(flipped.list[0]->distanceTo(AcGePoint3d(1, -3, 3)), 0.0, 1e-9);
}
