// Areas of gpc booleans on random valid polygons with and without holes, against a literal
// even-odd reference and against Boost.Geometry.
#include <gtest/gtest.h>

#include "support/boost_overlay.h"

#include "platform/gpc/gpc_support.h"

using namespace gpc;
using namespace gpc_test;

namespace {

// An operand: an outer ring and optionally one hole well inside it.
struct Operand {
    Ring outer;
    Ring hole;
};

Operand randomOperand(std::mt19937& rng, double cx, double cy) {
    Operand op{randomStar(rng, 5 + static_cast<int>(rng() % 60), cx, cy, 10), {}};
    if (rng() % 2) {
        op.hole = randomStar(rng, 3 + static_cast<int>(rng() % 10), cx, cy, 1.9);
    }
    return op;
}

geo_test::PlanPolygons toPlan(const Operand& op) {
    geo_test::PlanPolygon rings{geo_test::planRingOf(op.outer)};
    if (!op.hole.empty()) {
        rings.push_back(geo_test::planRingOf(op.hole));
    }
    return {rings};
}

void toGpc(const Operand& op, Poly& p) {
    p.add(op.outer, 0);
    if (!op.hole.empty()) {
        p.add(op.hole, 1);
    }
}

std::vector<Ring> ringsOf(const Operand& op) {
    std::vector<Ring> rings{op.outer};
    if (!op.hole.empty()) {
        rings.push_back(op.hole);
    }
    return rings;
}

// Exact-ish areas of every operation: each follows from |A|, |B| and |A xor B|, and the xor of
// two even-odd operands is the even-odd reading of all their rings together.
double referenceArea(gpc_op op, const Operand& a, const Operand& b) {
    std::vector<Ring> ra = ringsOf(a), rb = ringsOf(b), all = ra;
    all.insert(all.end(), rb.begin(), rb.end());
    double areaA = evenOddAreaReference(ra), areaB = evenOddAreaReference(rb);
    double areaXor = evenOddAreaReference(all);
    switch (op) {
        case GPC_DIFF:
            return (areaA - areaB + areaXor) / 2;
        case GPC_INT:
            return (areaA + areaB - areaXor) / 2;
        case GPC_XOR:
            return areaXor;
        case GPC_UNION:
            break;
    }
    return (areaA + areaB + areaXor) / 2;
}

}  // namespace

// Operands have areas of a few hundred. Boost.Geometry rounds crossings to its own grid, which
// moves areas by up to about 1e-5 here; the literal reference is good to rounding.
constexpr double kReferenceTol = 1e-9;
constexpr double kBoostTol = 1e-4;

TEST(GpcCrossCheck, AreasMatchReferenceAndBoostOnRandomPairs) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> offset(-12, 12);
    for (int i = 0; i < 300; ++i) {
        Operand a = randomOperand(rng, 0, 0), b = randomOperand(rng, offset(rng), offset(rng));
        const geo_test::PlanPolygons ba = toPlan(a), bb = toPlan(b);
        ASSERT_TRUE(geo_test::boostIsValid(ba) && geo_test::boostIsValid(bb)) << "case " << i;
        Poly ga, gb;
        toGpc(a, ga);
        toGpc(b, gb);
        for (gpc_op op : {GPC_DIFF, GPC_INT, GPC_XOR, GPC_UNION}) {
            Poly r;
            gpc_polygon_clip(op, ga.get(), gb.get(), r.get());
            double expected = referenceArea(op, a, b);
            EXPECT_NEAR(netArea(r.p), expected, kReferenceTol) << "case " << i << " op " << op;
            EXPECT_NEAR(geo_test::boostOverlayAreas(op, ba, bb).net, expected, kBoostTol)
                << "case " << i << " op " << op;
        }
    }
}
