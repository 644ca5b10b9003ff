// The plan area an outline sweeps when moved along a direction, and the reduction of a
// self-crossing outline to its largest simple loop.
//
// GetMaxPL cuts an outline at its first crossing (in edge order) into two loops and keeps
// the larger after cutting each of those the same way. The loops wait on an explicit
// stack instead of the call stack, so outlines with many crossings cannot exhaust it. Which
// edges cross is asked once per pair of edges over the whole cutting (see LoopCutter), the
// first time among the pairs whose padded plan boxes meet; the padding covers every
// tolerance of the crossing test, so the crossing found is the one an exhaustive search in
// edge order finds.
#include <geo/containment.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/projection.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

using cleanup_detail::kLargestScreened;
using cleanup_detail::kScalePad;
using geo_detail::kPi;

namespace {

// Neighbouring vertices of a swept outline closer than this are merged.
constexpr double kNearVertex = 0.01;
// Tolerance of the fold test and of the trailing-edge angle comparisons.
constexpr double kFoldTol = 1e-6;
// The record of crossing edge pairs holds at most this many entries per vertex of the
// outline, or kBookFloor if that is more (32 MiB of entries); an outline crossing itself more
// often is cut with a fresh search of each loop instead, which needs no memory beyond the loop.
constexpr size_t kBookPerVertex = 16;
constexpr size_t kBookFloor = size_t{1} << 23;
// Reach of the crossing test beyond a segment: parameter slack, end-point and on-segment
// tolerances, with room to spare.
constexpr double kCrossReach = 5e-6;

// Plan angle of a vector in [0, 2 pi].
double planAngle(const CVector3d& v) {
    return CVector3d(v.x, v.y, 0.0).angle();
}

// Whether an edge of plan angle v lies on the far side of a sweep along plan angle a: a < v
// <= a + pi, taken round the full turn, within kFoldTol.
bool isTrailing(double v, double a) {
    if (a <= kPi) {
        return FloatComp(v, a, kFoldTol) == 1 && FloatComp(v, a + kPi, kFoldTol) != 1;
    }
    return FloatComp(v, a, kFoldTol) == 1 || FloatComp(v, a - kPi, kFoldTol) != 1;
}

// Drops each vertex closer than kNearVertex to its successor, the last one compared with
// the first vertex kept.
std::vector<CPoint3d> withoutNearNeighbours(const std::vector<CPoint3d>& pts) {
    std::vector<CPoint3d> kept;
    kept.reserve(pts.size());
    for (size_t k = 0; k + 1 < pts.size(); ++k) {
        if (!(pts[k].distanceTo(pts[k + 1]) < kNearVertex)) {
            kept.push_back(pts[k]);
        }
    }
    const CPoint3d& last = pts.back();
    if (!(last.distanceTo(kept.empty() ? last : kept.front()) < kNearVertex)) {
        kept.push_back(last);
    }
    return kept;
}

// The walk round a counter-clockwise outline that goes along its leading edges where they
// are and along its trailing edges moved by shift, joined by copies of shift.
std::vector<CPoint3d> sweepWalk(const std::vector<CPoint3d>& pts, const CVector3d& shift) {
    const double a = planAngle(shift);
    const size_t n = pts.size();
    std::vector<CPoint3d> walk;
    walk.reserve(2 * n + 2);
    CPoint3d r = pts[0];
    walk.push_back(r);
    bool shifted = isTrailing(planAngle(pts[1] - pts[0]), a);
    if (shifted) {
        walk.push_back(r += shift);
    }
    for (size_t i = 0; i < n; ++i) {
        const CVector3d s = pts[(i + 1) % n] - pts[i];
        const bool trailing = isTrailing(planAngle(s), a);
        if (trailing != shifted) {
            walk.push_back(r += trailing ? shift : -shift);
        }
        shifted = trailing;
        walk.push_back(r += s);
    }
    return walk;
}

// A vertex of a loop being cut: its point, a key naming it, and the last edge known to leave
// it with the key of that edge's end. An edge keeps its id while both its ends stay neighbours.
struct Vertex {
    CPoint3d p;
    uint32_t key;
    uint32_t edge;
    uint32_t edgeEnd;
};
using Loop = std::vector<Vertex>;

constexpr uint32_t kNoEdge = UINT32_MAX;

// Whether the corner i, j, k folds back: k lies on i-j or i on j-k.
bool folds(const Vertex& vi, const Vertex& vj, const Vertex& vk) {
    return geo_detail::onSegment(vi.p, vj.p, vk.p, kFoldTol) ||
           geo_detail::onSegment(vj.p, vk.p, vi.p, kFoldTol);
}

// From vertex i on, erases the middle vertex of every folded corner, testing the same
// corner again after each erasure; the last corners wrap round to the front.
void eraseFoldsFrom(Loop& loop, size_t i) {
    while (i < loop.size()) {
        const size_t n = loop.size(), j = (i + 1) % n, k = (i + 2) % n;
        if (folds(loop[i], loop[j], loop[k])) {
            loop.erase(loop.begin() + static_cast<std::ptrdiff_t>(j));
        } else {
            ++i;
        }
    }
}

// eraseFoldsFrom(loop, 0) in linear time: until the corners reach the end of the list the
// kept vertices form a prefix that only grows, so they are moved out as they are passed.
void eraseFolds(Loop& loop) {
    if (loop.size() < 4) {
        eraseFoldsFrom(loop, 0);
        return;
    }
    Loop kept;
    kept.reserve(loop.size());
    kept.push_back(loop[0]);
    size_t next = 1;
    for (; next + 1 < loop.size(); ++next) {
        if (!folds(kept.back(), loop[next], loop[next + 1])) {
            kept.push_back(loop[next]);
        }
    }
    const size_t corner = kept.size() - 1;
    kept.insert(kept.end(), loop.begin() + static_cast<std::ptrdiff_t>(next), loop.end());
    loop.swap(kept);
    eraseFoldsFrom(loop, corner);
}

// The first crossing of two edges that do not follow each other, in edge order.
struct Crossing {
    size_t i = 0, j = 0;
    CPoint3d at;
};

// Whether edges i and j of the closed loop cross, and where.
bool edgesCross(const Loop& loop, size_t i, size_t j, CPoint3d& at) {
    return IsIntersectWith(loop[i].p, loop[i + 1].p, loop[j].p, loop[(j + 1) % loop.size()].p, at);
}

// Whether the pair (i, j) takes part in the search: not neighbours, not the last and first.
bool searched(size_t i, size_t j, size_t n) {
    return j >= i + 2 && !(i == 0 && j == n - 1);
}

// The boxes of the loop's edges grown by every tolerance of the crossing test, or an empty
// list when the coordinates are too large for a safe screen.
std::vector<cleanup_detail::PlanBox> crossingBoxes(const Loop& loop) {
    const size_t n = loop.size();
    double scale = 0.0, maxExtent = 0.0;
    for (size_t k = 0; k < n; ++k) {
        const CPoint3d& p = loop[k].p;
        scale = std::max({scale, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        maxExtent = std::max(maxExtent, cleanup_detail::planExtent(p, loop[(k + 1) % n].p));
    }
    const double slope = cleanup_detail::crossingSlope(kFoldTol, maxExtent, scale);
    if (!(scale <= kLargestScreened) || !std::isfinite(slope)) {
        return {};
    }
    std::vector<cleanup_detail::PlanBox> boxes;
    boxes.reserve(n);
    for (size_t k = 0; k < n; ++k) {
        boxes.push_back(cleanup_detail::paddedBox(loop[k].p, loop[(k + 1) % n].p,
                                                  kCrossReach + kScalePad * scale, slope));
    }
    return boxes;
}

// Cuts a loop at its first crossing again and again, keeping the largest simple loop.
//
// Cutting keeps the order of the surviving edges, and an edge whose two ends are still
// neighbours is the same segment, so whether two edges cross is asked once: when the later of
// the two first appears in a loop, it is tested against every edge of that loop, and the pairs
// that cross are written in a book. The first crossing of a loop is then read from the book. A
// loop's edges live in no other loop, so book entries naming edges gone from it are dropped.
// When the book outgrows its budget it is given up and each loop is searched afresh.
class LoopCutter {
public:
    explicit LoopCutter(const std::vector<CPoint3d>& pts)
        : m_budget(std::max(kBookPerVertex * pts.size(), kBookFloor)) {
        Loop loop;
        loop.reserve(pts.size());
        for (const CPoint3d& p : pts) {
            loop.push_back({p, m_nextKey++, kNoEdge, 0});
        }
        m_pending.push_back(std::move(loop));
    }

    // Cuts every loop down; out receives the winning loop and its area is returned. The second
    // loop of a cut is taken first and the first replaces the best so far only with a strictly
    // larger area, so a tie keeps the second.
    double run(bool dropClockwise, std::vector<CPoint3d>& out) {
        std::vector<CPoint3d> best;
        double bestArea = 0.0;
        bool haveBest = false;
        while (!m_pending.empty()) {
            Loop loop = std::move(m_pending.back());
            m_pending.pop_back();
            eraseFolds(loop);
            Crossing c;
            if (crossingOf(loop, c)) {
                cut(loop, c);
                continue;
            }
            std::vector<CPoint3d> pts;
            pts.reserve(loop.size());
            for (const Vertex& v : loop) {
                pts.push_back(v.p);
            }
            const double area = simpleLoopArea(pts, dropClockwise);
            if (!haveBest || area > bestArea) {
                best = std::move(pts);
                bestArea = area;
                haveBest = true;
            }
        }
        out = std::move(best);
        return bestArea;
    }

private:
    struct Edge {
        bool tested = false;
        std::vector<uint32_t> crosses;  // edges it crosses, in either order
    };

    std::vector<Loop> m_pending;
    std::vector<Edge> m_edges;
    std::vector<uint32_t> m_position;  // of each edge in the loop stamped last
    std::vector<uint32_t> m_stamp;
    uint32_t m_loopNo = 0;
    uint32_t m_nextKey = 0;
    size_t m_budget;
    size_t m_booked = 0;
    bool m_bookless = false;

    // Area of a loop without crossings; a clockwise one counts as none (and is emptied) when
    // dropClockwise is set.
    static double simpleLoopArea(std::vector<CPoint3d>& pts, bool dropClockwise) {
        if (dropClockwise && PolyIsClockWise(pts)) {
            pts.clear();
            return 0.0;
        }
        return CalPolyArea(pts);
    }

    bool present(uint32_t edge) const { return m_stamp[edge] == m_loopNo; }

    // Gives every edge of the loop its id, a new one where its ends are no longer the pair
    // they were, and records where each sits.
    std::vector<uint32_t> nameEdges(Loop& loop) {
        ++m_loopNo;
        const size_t n = loop.size();
        std::vector<uint32_t> ids(n);
        for (size_t q = 0; q < n; ++q) {
            Vertex& v = loop[q];
            const uint32_t next = loop[(q + 1) % n].key;
            if (v.edge == kNoEdge || v.edgeEnd != next) {
                v.edge = static_cast<uint32_t>(m_edges.size());
                v.edgeEnd = next;
                m_edges.emplace_back();
                m_position.push_back(0);
                m_stamp.push_back(0);
            }
            ids[q] = v.edge;
            m_position[v.edge] = static_cast<uint32_t>(q);
            m_stamp[v.edge] = m_loopNo;
        }
        return ids;
    }

    // Tests edges q < r of the loop and books them when they cross.
    void testPair(const Loop& loop, const std::vector<uint32_t>& ids, size_t q, size_t r) {
        const size_t n = loop.size();
        if (r == q + 1 || (q == 0 && r == n - 1)) {
            return;  // neighbours always touch and are never searched
        }
        CPoint3d at;
        if (edgesCross(loop, q, r, at)) {
            m_edges[ids[q]].crosses.push_back(ids[r]);
            m_edges[ids[r]].crosses.push_back(ids[q]);
            m_booked += 2;
        }
    }

    bool overBudget() const { return m_booked > m_budget; }

    // Tests every edge not tested before against every other edge of the loop.
    void testNewEdges(const Loop& loop, const std::vector<uint32_t>& ids) {
        const size_t n = loop.size();
        std::vector<size_t> fresh;
        for (size_t q = 0; q < n; ++q) {
            if (!m_edges[ids[q]].tested) {
                fresh.push_back(q);
            }
        }
        if (fresh.empty()) {
            return;
        }
        const std::vector<cleanup_detail::PlanBox> boxes = crossingBoxes(loop);
        auto untested = [&](size_t q) { return !m_edges[ids[q]].tested; };
        if (!boxes.empty() && fresh.size() * 8 > n) {
            cleanup_detail::anyMeetingPair(boxes, [&](size_t q, size_t r) {
                if (untested(q) || untested(r)) {
                    testPair(loop, ids, q, r);
                }
                return overBudget();
            });
        } else {
            for (size_t q : fresh) {
                for (size_t r = 0; r < n && !overBudget(); ++r) {
                    const bool once = r != q && !(untested(r) && r < q);
                    if (once && (boxes.empty() || boxes[q].meets(boxes[r]))) {
                        testPair(loop, ids, std::min(q, r), std::max(q, r));
                    }
                }
            }
        }
        for (size_t q : fresh) {
            m_edges[ids[q]].tested = true;
        }
    }

    // The searched partner after edge q that comes first, or n; book entries of edges gone
    // from the loop are dropped on the way.
    size_t firstPartner(const std::vector<uint32_t>& ids, size_t q) {
        const size_t n = ids.size();
        std::vector<uint32_t>& crosses = m_edges[ids[q]].crosses;
        size_t first = n;
        for (size_t k = 0; k < crosses.size();) {
            const uint32_t other = crosses[k];
            if (!present(other)) {
                crosses[k] = crosses.back();
                crosses.pop_back();
                continue;
            }
            const size_t r = m_position[other];
            if (r > q && searched(q, r, n)) {
                first = std::min(first, r);
            }
            ++k;
        }
        return first;
    }

    bool crossingOf(Loop& loop, Crossing& c) {
        if (m_bookless) {
            return searchedCrossing(loop, c);
        }
        const std::vector<uint32_t> ids = nameEdges(loop);
        testNewEdges(loop, ids);
        if (overBudget()) {
            m_bookless = true;
            std::vector<Edge>().swap(m_edges);
            return searchedCrossing(loop, c);
        }
        for (size_t q = 0; q + 2 < loop.size(); ++q) {
            const size_t r = firstPartner(ids, q);
            if (r < loop.size()) {
                c.i = q;
                c.j = r;
                edgesCross(loop, q, r, c.at);
                return true;
            }
        }
        return false;
    }

    // The first crossing found afresh: every pair of edges whose boxes meet is tested.
    static bool searchedCrossing(const Loop& loop, Crossing& c) {
        const size_t n = loop.size();
        bool found = false;
        auto consider = [&](size_t i, size_t j) {
            const bool earlier = !found || i < c.i || (i == c.i && j < c.j);
            CPoint3d at;
            if (earlier && searched(i, j, n) && edgesCross(loop, i, j, at)) {
                c.i = i;
                c.j = j;
                c.at = at;
                found = true;
            }
            return false;
        };
        const std::vector<cleanup_detail::PlanBox> boxes = crossingBoxes(loop);
        if (!boxes.empty()) {
            cleanup_detail::anyMeetingPair(boxes, consider);
            return found;
        }
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = i + 1; j < n; ++j) {
                consider(i, j);
            }
        }
        return found;
    }

    // Queues the two loops the loop falls into at the crossing: the loop up to the crossing
    // and on after it, then the stretch between, which is taken first.
    void cut(const Loop& loop, const Crossing& c) {
        const auto at = [&](size_t k) { return loop.begin() + static_cast<std::ptrdiff_t>(k); };
        Loop a(loop.begin(), at(c.i + 1));
        a.push_back({c.at, m_nextKey++, kNoEdge, 0});
        a.insert(a.end(), at(c.j + 1), loop.end());
        Loop b{{c.at, m_nextKey++, kNoEdge, 0}};
        b.insert(b.end(), at(c.i + 1), at(c.j + 1));
        m_pending.push_back(std::move(a));
        m_pending.push_back(std::move(b));
    }
};

}  // namespace

double GetMaxPL(std::vector<CPoint3d>& pts, bool dropClockwise) {
    if (!geo_detail::allFiniteXYZ(pts)) {
        pts.clear();
        return 0.0;
    }
    LoopCutter cutter(pts);
    return cutter.run(dropClockwise, pts);
}

void GetEntShade(const std::vector<CPoint3d>& outline, CVector3d shift,
                 std::vector<CPoint3d>& shade) {
    shade.clear();
    if (outline.empty() || !geo_detail::allFiniteXYZ(outline) || !geo_detail::isFiniteXYZ(shift)) {
        return;
    }
    std::vector<CPoint3d> work(outline);
    if (PolyIsClockWise(work)) {
        std::reverse(work.begin(), work.end());
    }
    work = withoutNearNeighbours(work);
    if (work.size() < 3) {
        return;
    }
    std::vector<CPoint3d> walk = sweepWalk(work, shift);
    GetMaxPL(walk, false);
    shade.insert(shade.end(), walk.begin(), walk.end());
}
