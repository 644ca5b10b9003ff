// The crossing pre-check against the crossing test itself: an edge that the test accepts is
// never skipped, so cuts with and without the pre-check agree.
#include <geo/lines.h>

#include "toolkit/crossing_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// A closed random walk near a random cutter, with steps and distances from the cutter's line
// spread over nine decades: edges crossing, touching at the ends, nearly parallel and apart.
std::vector<CPoint3d> walkNear(const CLineSeg& cutter, std::mt19937& rng, double scale) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0), along(-0.2, 1.2);
    auto decades = [&] { return scale * std::pow(10.0, -1 - 4.5 * (unit(rng) + 1)); };
    const CVector3d d = cutter.endPt - cutter.startPt;
    std::vector<CPoint3d> pts;
    CPoint3d p = cutter.startPt + d * along(rng);
    for (int i = 0; i < 400; ++i) {
        if (i % 40 == 0) {
            const double off = decades();
            p = cutter.startPt + d * along(rng) + CVector3d(off * unit(rng), off * unit(rng), 0);
        }
        const double step = decades();
        p = p + CVector3d(step * unit(rng), step * unit(rng), 0);
        pts.push_back(p);
    }
    return pts;
}

}  // namespace

TEST(CrossingFilter, NeverSkipsAnEdgeTheCrossingTestAccepts) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int accepted = 0, skipped = 0;
    for (double scale : {1.0, 1e3, 1e6}) {
        for (int round = 0; round < 50; ++round) {
            const CLineSeg cutter(CPoint3d(scale * unit(rng), scale * unit(rng), 0),
                                  CPoint3d(scale * unit(rng), scale * unit(rng), 0));
            const std::vector<CPoint3d> pts = walkNear(cutter, rng, scale);
            const geo_detail::CrossingFilter filter(
                cutter.startPt, cutter.endPt, pts.size(),
                [&pts](size_t i) -> const CPoint3d& { return pts[i]; });
            for (size_t i = 0; i < pts.size(); ++i) {
                const CPoint3d& a = pts[i];
                const CPoint3d& b = pts[(i + 1) % pts.size()];
                CPoint3d at;
                skipped += filter.mayCross(a, b) ? 0 : 1;
                if (CLineSeg(a, b).intersectWith(cutter, at, 1e-6)) {
                    ++accepted;
                    EXPECT_TRUE(filter.mayCross(a, b)) << scale << " " << round << " " << i;
                }
            }
        }
    }
    EXPECT_GT(accepted, 1000);
    EXPECT_GT(skipped, 1000) << "the pre-check must skip something to be worth having";
}
