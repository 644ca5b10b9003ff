// Self-intersection of point lists: detection, and cutting out the loops.
//
// The detections ask only whether some pair of edges meets, so they look at the pairs
// whose padded plan boxes meet and give each of those the full pair test. The padding
// covers every tolerance the pair test allows, so no pair it could accept is skipped.
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/getol.h>
#include <geo/cleanup.h>

#include "foundation/segments.h"
#include "toolkit/point_hash.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/acge/tol_of.h"

using cleanup_detail::kLargestScreened;
using cleanup_detail::kScalePad;
using cleanup_detail::PlanBox;

namespace {

// Point tolerance of the edge tests of IsSelfIntersect.
constexpr double kEdgeMeetTol = 0.001;
// Tolerance of the crossings of IsIntersectWithSelf.
constexpr double kCrossTol = 1e-6;
// Parameter slack of a segment crossing (geo_detail::segmentsCross), as a length reach.
constexpr double kParamTol = 1e-6;
// Box growth per unit of segment extent for IsSelfIntersect, whose pair test checks its
// meeting points by distance: far above the parameter slack, for rounding.
constexpr double kSlopePad = 1e-3;
// Segments per block and per super-block of ClearSelfIntersect's three-level box screen.
constexpr size_t kBlock = 64;
constexpr size_t kSuperBlock = kBlock * kBlock;

// ---- IsSelfIntersect ----

// The pair test: overlap, or a meeting point that is not a shared end of both.
bool edgesMeet(const AcGeLineSeg3d& si, const AcGeLineSeg3d& sj, const AcGeTol& tol) {
    AcGeLinearEnt3d* shared = nullptr;
    const bool overlapping = si.overlap(sj, shared, tol);
    std::unique_ptr<AcGeLinearEnt3d> owner(shared);
    if (overlapping) {
        return true;
    }
    AcGePoint3d x;
    if (!si.intersectWith(sj, x, tol)) {
        return false;
    }
    const bool endOfI = x.isEqualTo(si.startPoint()) || x.isEqualTo(si.endPoint());
    const bool endOfJ = x.isEqualTo(sj.startPoint()) || x.isEqualTo(sj.endPoint());
    return !(endOfI && endOfJ);
}

std::vector<AcGeLineSeg3d> edgesOf(const std::vector<CPoint3d>& pts, bool closed) {
    std::vector<AcGeLineSeg3d> segs;
    segs.reserve(pts.size());
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        segs.emplace_back(pts[i].toAcGePoint3d(), pts[i + 1].toAcGePoint3d());
    }
    if (closed) {
        segs.emplace_back(pts.back().toAcGePoint3d(), pts.front().toAcGePoint3d());
    }
    return segs;
}

// Every pair, for input whose coordinates defeat the box screen.
bool anyEdgesMeetAllPairs(const std::vector<AcGeLineSeg3d>& segs, const AcGeTol& tol) {
    for (size_t i = 0; i < segs.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (edgesMeet(segs[i], segs[j], tol)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool IsSelfIntersect(std::vector<CPoint3d> const& pts, bool closed) {
    if (pts.size() < 3) {
        return false;
    }
    const AcGeTol tol = acge_detail::pointTol(kEdgeMeetTol);
    const std::vector<AcGeLineSeg3d> segs = edgesOf(pts, closed);
    const double scale = cleanup_detail::coordinateScale(pts);
    if (!(scale <= kLargestScreened)) {
        return anyEdgesMeetAllPairs(segs, tol);
    }
    // Both meeting tests accept points up to the tolerance off each segment.
    const double reach = 2 * kEdgeMeetTol + kScalePad * scale;
    std::vector<PlanBox> boxes;
    boxes.reserve(segs.size());
    for (const AcGeLineSeg3d& s : segs) {
        boxes.push_back(cleanup_detail::paddedBox(s.startPoint(), s.endPoint(), reach, kSlopePad));
    }
    return cleanup_detail::anyMeetingPair(boxes, [&](size_t j, size_t i) {
        const AcGePoint3d a0 = segs[i].startPoint(), a1 = segs[i].endPoint();
        const AcGePoint3d b0 = segs[j].startPoint(), b1 = segs[j].endPoint();
        const double r = reach + kSlopePad * (cleanup_detail::planExtent(a0, a1) +
                                              cleanup_detail::planExtent(b0, b1));
        return !cleanup_detail::apartInPlan(a0, a1, b0, b1, r) && edgesMeet(segs[i], segs[j], tol);
    });
}

// ---- IsIntersectWithSelf ----

namespace {

bool crossesOffVertex(const std::vector<CPoint3d>& pts, size_t i, size_t j,
                      const cleanup_detail::PointGrid<CPoint3d>& vertices) {
    CPoint3d x;
    if (!geo_detail::segmentsCross(pts[i], pts[i + 1], pts[j], pts[j + 1], kCrossTol, x)) {
        return false;
    }
    return !vertices.anyNear(x, [&x](const CPoint3d& v) { return v == x; });
}

}  // namespace

bool IsIntersectWithSelf(std::vector<CPoint3d> const& pts) {
    if (pts.size() < 3) {
        return false;
    }
    cleanup_detail::PointGrid<CPoint3d> vertices(pts, kCrossTol);
    for (const CPoint3d& p : pts) {
        vertices.insert(p);
    }
    const double scale = cleanup_detail::coordinateScale(pts);
    double maxExtent = 0.0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        maxExtent = std::max(maxExtent, cleanup_detail::planExtent(pts[i], pts[i + 1]));
    }
    const double slope = cleanup_detail::crossingSlope(kCrossTol, maxExtent, scale);
    if (!(scale <= kLargestScreened) || !std::isfinite(slope)) {
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            for (size_t j = i + 1; j + 1 < pts.size(); ++j) {
                if (crossesOffVertex(pts, i, j, vertices)) {
                    return true;
                }
            }
        }
        return false;
    }
    const double reach = kCrossTol + kParamTol + kScalePad * scale;
    std::vector<PlanBox> boxes;
    boxes.reserve(pts.size() - 1);
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        boxes.push_back(cleanup_detail::paddedBox(pts[i], pts[i + 1], reach, slope));
    }
    return cleanup_detail::anyMeetingPair(boxes, [&](size_t i, size_t j) {
        const double r = reach + slope * (cleanup_detail::planExtent(pts[i], pts[i + 1]) +
                                          cleanup_detail::planExtent(pts[j], pts[j + 1]));
        return !cleanup_detail::apartInPlan(pts[i], pts[i + 1], pts[j], pts[j + 1], r) &&
               crossesOffVertex(pts, i, j, vertices);
    });
}

// ---- ClearSelfIntersect ----

namespace {

// Padded boxes of the segments, of blocks of kBlock consecutive segments and of blocks of
// those, so that the scan for a segment's first partner skips whole runs that cannot
// meet it. With coordinates or a tolerance the padding cannot bound, every box meets
// every other; a cut that lengthens a segment grows the padding, or turns the screen off.
class SegmentScreen {
public:
    SegmentScreen(const std::vector<CPoint3d>& pts, double tol) : m_tol(tol) {
        m_scale = cleanup_detail::coordinateScale(pts);
        m_open = !(m_scale <= kLargestScreened && std::isfinite(tol));
        m_reach = std::max(tol, kParamTol) + kParamTol + kScalePad * m_scale;
        rebuildFrom(pts, 0);
    }

    // Recomputes the boxes of segment `first` onwards after the list changed there.
    void rebuildFrom(const std::vector<CPoint3d>& pts, size_t first) {
        if (m_open) {
            return;
        }
        for (size_t k = first; k + 1 < pts.size(); ++k) {
            m_maxExtent = std::max(m_maxExtent, cleanup_detail::planExtent(pts[k], pts[k + 1]));
        }
        const double need = cleanup_detail::crossingSlope(m_tol, m_maxExtent, m_scale);
        if (!std::isfinite(need)) {
            m_open = true;
            return;
        }
        if (need > m_slope) {
            // A longer segment than before: every box grows, with room to spare.
            m_slope = std::min(2 * need, 0.2);
            first = 0;
        }
        m_boxes.resize(pts.size() - 1);
        for (size_t k = first; k < m_boxes.size(); ++k) {
            m_boxes[k] = cleanup_detail::paddedBox(pts[k], pts[k + 1], m_reach, m_slope);
        }
        m_blocks.resize((m_boxes.size() + kBlock - 1) / kBlock);
        for (size_t b = first / kBlock; b < m_blocks.size(); ++b) {
            m_blocks[b] = m_boxes[b * kBlock];
            for (size_t k = b * kBlock + 1; k < std::min(m_boxes.size(), (b + 1) * kBlock); ++k) {
                m_blocks[b].widen(m_boxes[k]);
            }
        }
        m_supers.resize((m_blocks.size() + kBlock - 1) / kBlock);
        for (size_t s = first / kSuperBlock; s < m_supers.size(); ++s) {
            m_supers[s] = m_blocks[s * kBlock];
            for (size_t b = s * kBlock + 1; b < std::min(m_blocks.size(), (s + 1) * kBlock); ++b) {
                m_supers[s].widen(m_blocks[b]);
            }
        }
    }

    // The first segment k >= j that may meet segment i, or `end` when none before it.
    size_t nextCandidate(const std::vector<CPoint3d>& pts, size_t i, size_t j, size_t end) const {
        if (m_open) {
            return j;
        }
        const PlanBox& a = m_boxes[i];
        const double extentA = cleanup_detail::planExtent(pts[i], pts[i + 1]);
        while (j < end) {
            if (j % kSuperBlock == 0 && !a.meets(m_supers[j / kSuperBlock])) {
                j += kSuperBlock;
                continue;
            }
            if (j % kBlock == 0 && !a.meets(m_blocks[j / kBlock])) {
                j += kBlock;
                continue;
            }
            if (a.meets(m_boxes[j]) && !apart(pts, i, j, extentA)) {
                return j;
            }
            ++j;
        }
        return end;
    }

private:
    // Segments i and j provably too far apart for a crossing or a returning end.
    bool apart(const std::vector<CPoint3d>& pts, size_t i, size_t j, double extentA) const {
        const double r =
            2 * m_reach + m_slope * (extentA + cleanup_detail::planExtent(pts[j], pts[j + 1]));
        return cleanup_detail::apartInPlan(pts[i], pts[i + 1], pts[j], pts[j + 1], r);
    }

    double m_tol;
    double m_scale = 0.0;
    double m_maxExtent = 0.0;
    bool m_open = false;
    double m_reach = 0.0;
    double m_slope = 0.0;
    std::vector<PlanBox> m_boxes;
    std::vector<PlanBox> m_blocks;
    std::vector<PlanBox> m_supers;
};

// Cuts at the first later segment j that crosses segment i off its ends, or whose end
// returns to segment i's end; returns whether the list changed. Neighbouring segments
// meet only at their shared vertex, so a crossing reported between them elsewhere is
// rounding and cuts nothing (a cut there would remove no vertex and could repeat forever).
bool cutFirstLoop(std::vector<CPoint3d>& pts, size_t i, double tol, const SegmentScreen& screen) {
    const CPoint3d aS = pts[i], aE = pts[i + 1];
    const size_t end = pts.size() - 1;
    for (size_t j = screen.nextCandidate(pts, i, i + 1, end); j < end;
         j = screen.nextCandidate(pts, i, j + 1, end)) {
        CPoint3d x;
        if (j > i + 1 && geo_detail::segmentsCross(pts[j], pts[j + 1], aS, aE, tol, x) &&
            !x.isEqualTo(aS, tol) && !x.isEqualTo(aE, tol)) {
            pts[i + 1] = x;
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i + 2),
                      pts.begin() + static_cast<std::ptrdiff_t>(j + 1));
            return true;
        }
        if (pts[j + 1].isEqualTo(aE, tol)) {
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i + 2),
                      pts.begin() + static_cast<std::ptrdiff_t>(j + 2));
            return true;
        }
    }
    return false;
}

}  // namespace

void ClearSelfIntersect(std::vector<CPoint3d>& pts, double tol) {
    if (pts.size() < 3) {
        return;
    }
    SegmentScreen screen(pts, tol);
    size_t i = 0;
    while (i + 2 < pts.size()) {
        if (cutFirstLoop(pts, i, tol, screen)) {
            screen.rebuildFrom(pts, i);
        } else {
            ++i;
        }
    }
}
