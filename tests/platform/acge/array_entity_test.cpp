// AcArray behaviour and the 2D entity base: ancestry and the transforms built on transformBy.
#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <geo/acge/acarray.h>
#include <geo/acge/geent2d.h>

#include "foundation/numeric.h"
#include "platform/acge/value_expect.h"

namespace {

using geo_detail::kPi;

TEST(AcArray, AppendInsertRemoveAndFind) {
    AcArray<int> a;
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(a.append(5), 0);
    EXPECT_EQ(a.append(7), 1);
    a.insertAt(0, 3).insertAt(3, 9);    // front and end
    a.insertAt(99, 1).insertAt(-1, 1);  // out of range: ignored
    ASSERT_EQ(a.length(), 4);
    EXPECT_EQ(a.logicalLength(), 4);
    EXPECT_EQ(a.first(), 3);
    EXPECT_EQ(a.last(), 9);
    EXPECT_EQ(a[1], 5);
    EXPECT_EQ(a.at(2), 7);
    EXPECT_TRUE(a.contains(7));
    EXPECT_FALSE(a.contains(8));
    int at = -1;
    EXPECT_TRUE(a.find(9, at));
    EXPECT_EQ(at, 3);
    EXPECT_FALSE(a.find(3, at, 1));  // search starts at index 1
    EXPECT_EQ(a.find(42), -1);
    a.removeAt(1).removeAt(10);
    ASSERT_EQ(a.length(), 3);
    EXPECT_EQ(a[1], 7);
    a.reverse();
    EXPECT_EQ(a.first(), 9);
    EXPECT_EQ(a.last(), 3);
    a.removeAll();
    EXPECT_TRUE(a.isEmpty());
    a.removeAt(0);  // empty: nothing happens
    EXPECT_EQ(a.length(), 0);
}

TEST(AcArray, LengthsAndRangeFor) {
    AcArray<AcGePoint3d> pts(16);
    EXPECT_EQ(pts.length(), 0);
    EXPECT_GE(pts.physicalLength(), 16);
    pts.setLogicalLength(3);
    ASSERT_EQ(pts.length(), 3);
    expectNear(pts[2], 0, 0, 0, 0.0);  // new slots are default points
    pts[1].set(1, 2, 3);
    double sum = 0.0;
    for (const AcGePoint3d& p : pts) {
        sum += p.x + p.y + p.z;
    }
    EXPECT_DOUBLE_EQ(sum, 6.0);
    pts.setLogicalLength(-4);
    EXPECT_TRUE(pts.isEmpty());
    pts.setPhysicalLength(100);
    EXPECT_GE(pts.physicalLength(), 100);

    AcArray<std::string> words;
    words.append("a");
    AcArray<std::string> more;
    more.append("b");
    more.append("c");
    words.append(more);
    EXPECT_EQ(words.length(), 3);
    EXPECT_EQ(words.last(), "c");
    AcArray<std::string> copy = words;
    EXPECT_TRUE(copy == words);
    copy.removeLast();
    EXPECT_TRUE(copy != words);
}

// A minimal concrete 2D entity: one position, for exercising the base class.
class PointEnt : public AcGeEntity2d {
public:
    explicit PointEnt(const AcGePoint2d& p) : p_(p) {}
    bool isKindOf(AcGe::EntityId id) const override {
        return id == AcGe::kPointEnt2d || AcGeEntity2d::isKindOf(id);
    }
    AcGe::EntityId type() const override { return AcGe::kPointEnt2d; }
    AcGeEntity2d* copy() const override { return new PointEnt(*this); }
    bool isEqualTo(const AcGeEntity2d& other, const AcGeTol& tol) const override {
        return other.type() == type() && static_cast<const PointEnt&>(other).p_.isEqualTo(p_, tol);
    }
    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override {
        p_.transformBy(xfm);
        return *this;
    }
    bool isOn(const AcGePoint2d& pnt, const AcGeTol& tol) const override {
        return pnt.isEqualTo(p_, tol);
    }
    const AcGePoint2d& point() const { return p_; }

private:
    AcGePoint2d p_;
};

TEST(Entity2d, AncestryAndTransformsThroughTransformBy) {
    PointEnt e(AcGePoint2d(2, 1));
    EXPECT_TRUE(e.isKindOf(AcGe::kPointEnt2d));
    EXPECT_TRUE(e.isKindOf(AcGe::kEntity2d));
    EXPECT_FALSE(e.isKindOf(AcGe::kEntity3d));
    e.rotateBy(kPi / 2, AcGePoint2d(1, 1));
    expectNear(e.point(), 1, 2);
    e.translateBy(AcGeVector2d(1, 1));
    expectNear(e.point(), 2, 3);
    e.scaleBy(2.0, AcGePoint2d(1, 1));
    expectNear(e.point(), 3, 5);
    std::unique_ptr<AcGeEntity2d> c(e.copy());
    EXPECT_TRUE(*c == e);
    c->translateBy(AcGeVector2d(1e-9, 0));
    EXPECT_TRUE(*c != e);
    EXPECT_TRUE(c->isOn(AcGePoint2d(3 + 1e-9, 5)));
}

}  // namespace
