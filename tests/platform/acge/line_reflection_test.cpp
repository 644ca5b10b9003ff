// Value-type operations that take a line: reflections in lines, plane/line direction tests.
#include <cmath>

#include <gtest/gtest.h>

#include <geo/acge/geline2d.h>
#include <geo/acge/geline3d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>

#include "platform/acge/value_expect.h"

namespace {

TEST(LineReflection, PointMirrorInTwoDimensionalLine) {
    AcGePoint2d p(3, 1);
    p.mirror(AcGeLine2d(AcGePoint2d(0, 0), AcGeVector2d(1, 1)));
    expectNear(p, 1, 3);
    AcGePoint2d q(0, 5);  // line y = 2 given by two points
    q.mirror(AcGeLine2d(AcGePoint2d(7, 2), AcGePoint2d(-1, 2)));
    expectNear(q, 0, -1);
    AcGePoint2d onLine(4, 2);
    onLine.mirror(AcGeLine2d(AcGePoint2d(7, 2), AcGePoint2d(-1, 2)));
    expectNear(onLine, 4, 2);
    const AcGeMatrix2d m =
        AcGeMatrix2d::mirroring(AcGeLine2d(AcGePoint2d(1, 0), AcGeVector2d(0, 3)));
    expectNear(m * AcGePoint2d(3, 7), -1, 7);
    EXPECT_NEAR(m.det(), -1.0, 1e-12);
}

TEST(LineReflection, MatrixMirrorInThreeDimensionalLineIsAHalfTurn) {
    const AcGeLine3d zLine(AcGePoint3d(1, 1, 0), AcGeVector3d(0, 0, 2));
    const AcGeMatrix3d m = AcGeMatrix3d::mirroring(zLine);
    expectNear(m * AcGePoint3d(2, 1, 5), 0, 1, 5);
    expectNear(m * AcGePoint3d(1, 1, -3), 1, 1, -3);
    EXPECT_NEAR(m.det(), 1.0, 1e-12);
}

TEST(LineReflection, PlaneDirectionTestsAgainstLinearEntities) {
    const AcGePlane plane(AcGePoint3d(0, 0, 1), AcGeVector3d::kZAxis);
    const AcGeLineSeg3d flat(AcGePoint3d(0, 0, 5), AcGePoint3d(3, 4, 5));
    const AcGeLineSeg3d upright(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 2));
    const AcGeLineSeg3d slanted(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 1));
    EXPECT_TRUE(plane.isParallelTo(flat));
    EXPECT_FALSE(plane.isPerpendicularTo(flat));
    EXPECT_TRUE(plane.isPerpendicularTo(upright));
    EXPECT_FALSE(plane.isParallelTo(upright));
    EXPECT_FALSE(plane.isParallelTo(slanted));
    EXPECT_FALSE(plane.isPerpendicularTo(slanted));
}

}  // namespace
