// Point-list clean-up: open/close, reversal, redundant vertices, repeated points,
// shallow corners and overlapping edges.
#include <geo/acge/getol.h>
#include <geo/acge/gevec3d.h>
#include <geo/cleanup.h>
#include <geo/conversions.h>
#include <geo/float_comp.h>
#include <geo/measures.h>

#include "foundation/segments.h"
#include "toolkit/point_hash.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "foundation/numeric.h"
#include "platform/acge/tol_of.h"

namespace {

using acge_detail::pointTol;
using geo_detail::kPi;
// Consecutive points closer than this on every axis count as one.
constexpr double kInsertTol = 1e-6;
// Turn angle and cross-product length below which a corner counts as straight.
constexpr double kStraightTol = 1e-6;
// Angle and distance tolerances of the edge overlap test.
constexpr double kOverlapAngTol = 0.01;
constexpr double kOverlapDistTol = 0.01;

}  // namespace

void ClosePts(std::vector<CPoint3d>& pts, double tol) {
    if (pts.size() < 3) {
        return;
    }
    if (!pts.front().isEqualTo(pts.back(), tol)) {
        pts.push_back(CPoint3d(pts.front()));
    }
}

void ClosePts(std::vector<AcGePoint3d>& pts, double tol) {
    if (pts.size() < 3) {
        return;
    }
    if (!pts.front().isEqualTo(pts.back(), pointTol(tol))) {
        pts.push_back(AcGePoint3d(pts.front()));
    }
}

void OpenPts(std::vector<CPoint3d>& pts, double tol) {
    while (pts.size() > 2 && pts.back().isEqualTo(pts.front(), tol)) {
        pts.pop_back();
    }
}

void OpenPts(std::vector<AcGePoint3d>& pts, double tol) {
    const AcGeTol t = pointTol(tol);
    while (pts.size() > 2 && pts.back().isEqualTo(pts.front(), t)) {
        pts.pop_back();
    }
}

void ptVectInsertDiffer(std::vector<CPoint3d>& pts, CPoint3d pt) {
    if (pts.empty() || !pts.back().isEqualTo(pt, kInsertTol)) {
        pts.push_back(pt);
    }
}

void RemoveZV(std::vector<CPoint3d>& pts) {
    for (CPoint3d& p : pts) {
        p.z = 0.0;
    }
}

std::vector<CPoint3d> PtsReverse(std::vector<CPoint3d> pts) {
    if (pts.size() >= 2) {
        std::reverse(pts.begin(), pts.end());
    }
    return pts;
}

void NormalizeSideSeq(std::vector<int>& sides, int count) {
    for (int& e : sides) {
        // Wrapping arithmetic: extreme indices must not overflow a signed int.
        const auto mapped = static_cast<int>(static_cast<std::uint32_t>(count) -
                                             static_cast<std::uint32_t>(e) - 1u);
        e = mapped == -1 ? count : mapped;
    }
}

// ---- Redundant vertices ----

namespace {

// Drops repeats of the last point at the tail and of the first point at the head.
void trimEndRepeats(std::vector<CPoint3d>& pts, double tol) {
    while (pts.size() > 1 && pts[pts.size() - 1].isEqualTo(pts[pts.size() - 2], tol)) {
        pts.pop_back();
    }
    size_t lead = 0;
    while (pts.size() - lead > 1 && pts[lead].isEqualTo(pts[lead + 1], tol)) {
        ++lead;
    }
    pts.erase(pts.begin(), pts.begin() + static_cast<std::ptrdiff_t>(lead));
}

// Of three collinear points, removes the one lying between the other two.
void reduceThree(std::vector<CPoint3d>& pts, double tol) {
    if (PntPos(pts[2], pts[0], pts[1], tol) != 0) {
        return;
    }
    const double d01 = pts[0].distanceTo(pts[1]);
    const double d02 = pts[0].distanceTo(pts[2]);
    const double d12 = pts[1].distanceTo(pts[2]);
    size_t drop = 0;
    if (d01 > d02 && d12 < d01) {
        drop = 2;
    } else if (d01 < d02 && d12 < d02) {
        drop = 1;
    }
    pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(drop));
}

// Whether cur is redundant between prev and next: straight through, folded back (ring
// only), or a repeat of prev.
bool isRedundantVertex(const CPoint3d& prev, const CPoint3d& cur, const CPoint3d& next, bool ring,
                       double tol) {
    const double a = (prev - cur).getAngle(next - cur);
    if (FloatComp(kPi, a, tol) == 0) {
        return true;
    }
    if (ring && FloatComp(0.0, a, tol) == 0) {
        return true;
    }
    return cur.isEqualTo(prev, tol);
}

// The interior scan. A removal only changes the test of the vertex before the removed
// one and of its successor, and every earlier vertex was already kept with the same
// neighbours, so resuming one step back gives what a scan from the start would give.
void removeInteriorRedundancy(std::vector<CPoint3d>& pts, bool ring, double tol) {
    size_t kept = 0;  // pts[0, kept) is the settled prefix
    for (size_t k = 0; k < pts.size(); ++k) {
        pts[kept++] = pts[k];
        while (kept >= 3 &&
               isRedundantVertex(pts[kept - 3], pts[kept - 2], pts[kept - 1], ring, tol)) {
            pts[kept - 2] = pts[kept - 1];
            --kept;
        }
    }
    pts.resize(kept);
}

// The seam of a ring: the first point, then the last, when collinear with their neighbours.
void removeSeamRedundancy(std::vector<CPoint3d>& pts, double tol) {
    if (pts.size() >= 3 && PntPos(pts[0], pts.back(), pts[1], tol) == 0) {
        pts.erase(pts.begin());
    }
    if (pts.size() >= 3 && PntPos(pts.back(), pts[0], pts[pts.size() - 2], tol) == 0) {
        pts.pop_back();
    }
}

}  // namespace

void RemoveRedundancyPts(std::vector<CPoint3d>& pts, bool ring, double tol) {
    if (pts.size() < 2) {
        return;
    }
    trimEndRepeats(pts, tol);
    if (pts.size() < 3) {
        return;
    }
    if (pts.size() == 3) {
        reduceThree(pts, tol);
        return;
    }
    const bool closed = IsClosed(pts, tol);
    while (IsClosed(pts, tol)) {
        OpenPts(pts, tol);
    }
    if (pts.size() < 3) {
        return;
    }
    removeInteriorRedundancy(pts, ring, tol);
    if (ring) {
        removeSeamRedundancy(pts, tol);
    }
    if (closed) {
        ClosePts(pts, tol);
    }
}

void RemoveRedundancyPts(std::vector<AcGePoint3d>& pts, bool ring, double tol) {
    std::vector<CPoint3d> work;
    vecgePts2AcVecPts(pts, work);
    RemoveRedundancyPts(work, ring, tol);
    acVecPts2VecgePts(work, pts);
}

void RemoveRedundancyPts(std::vector<AcGePoint2d>& pts, bool ring, double tol) {
    std::vector<CPoint3d> work;
    pts2dTo3d(pts, work, 0.0);
    RemoveRedundancyPts(work, ring, tol);
    pts3dTo2d(work, pts);
}

// ---- Repeated points ----

void removeRepoint(std::vector<AcGePoint3d>& pts) {
    if (pts.empty()) {
        return;
    }
    const AcGeTol tol = AcGeContext::gTol;
    cleanup_detail::PointGrid<AcGePoint3d> kept(pts, tol.equalPoint());
    std::vector<AcGePoint3d> out;
    out.reserve(pts.size());
    for (const AcGePoint3d& p : pts) {
        const bool repeat =
            kept.anyNear(p, [&](const AcGePoint3d& q) { return q.isEqualTo(p, tol); });
        if (repeat) {
            continue;
        }
        kept.insert(p);
        out.push_back(p);
    }
    pts = std::move(out);
}

// ---- Short edges and shallow corners ----

namespace {

// A singly linked walk over the points; removed nodes are unlinked.
struct PointChain {
    std::vector<AcGePoint3d> pts;
    std::vector<size_t> next;
    static constexpr size_t kEnd = static_cast<size_t>(-1);

    explicit PointChain(const std::vector<AcGePoint3d>& p) : pts(p), next(p.size()) {
        for (size_t i = 0; i < p.size(); ++i) {
            next[i] = i + 1 < p.size() ? i + 1 : kEnd;
        }
    }
    void removeAfter(size_t node) { next[node] = next[next[node]]; }
    std::vector<AcGePoint3d> survivors() const {
        std::vector<AcGePoint3d> out;
        for (size_t i = pts.empty() ? kEnd : 0; i != kEnd; i = next[i]) {
            out.push_back(pts[i]);
        }
        return out;
    }
};

}  // namespace

void CavePtArr(std::vector<AcGePoint3d>& pts, double minLen, double maxAngle) {
    if (pts.empty()) {
        return;
    }
    PointChain chain(pts);
    AcGeVector3d reference(1.0, 1.0, 1.0);
    size_t p = 0;
    while (chain.next[p] != PointChain::kEnd) {
        const size_t m = chain.next[p];
        if (chain.pts[m].distanceTo(chain.pts[p]) < minLen) {
            chain.removeAfter(p);
            continue;
        }
        const size_t d = chain.next[m];
        if (d == PointChain::kEnd) {
            break;
        }
        if (chain.pts[d].distanceTo(chain.pts[m]) < minLen) {
            chain.removeAfter(m);
            continue;
        }
        const AcGeVector3d u = chain.pts[m] - chain.pts[p];
        const AcGeVector3d w = chain.pts[d] - chain.pts[m];
        const double turn = u.angleTo(w);
        AcGeVector3d c = u.crossProduct(w);
        if (turn < kStraightTol || c.length() < kStraightTol) {
            chain.removeAfter(p);
            continue;
        }
        c.normalize();
        const bool senseChanged = reference.angleTo(c) > maxAngle;
        reference = c;
        if (!senseChanged && turn < maxAngle) {
            chain.removeAfter(p);
            continue;
        }
        p = m;
    }
    pts = chain.survivors();
}

void CavePtArr(std::vector<CPoint3d>& pts, double minLen, double maxAngle) {
    std::vector<AcGePoint3d> work;
    acVecPts2VecgePts(pts, work);
    CavePtArr(work, minLen, maxAngle);
    vecgePts2AcVecPts(work, pts);
}

// ---- Overlapping edges of two polylines ----

bool HaveOverlapLine(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b,
                     std::vector<int>* edgesA, std::vector<int>* edgesB) {
    bool found = false;
    for (size_t i = 0; i + 1 < a.size(); ++i) {
        for (size_t j = 0; j + 1 < b.size(); ++j) {
            CPoint3d from, to;
            if (!geo_detail::segmentsOverlap(a[i], a[i + 1], b[j], b[j + 1], kOverlapAngTol,
                                             kOverlapDistTol, from, to)) {
                continue;
            }
            found = true;
            if (edgesA != nullptr && edgesB != nullptr) {
                edgesA->push_back(static_cast<int>(i));
                edgesB->push_back(static_cast<int>(j));
            }
        }
    }
    return found;
}
