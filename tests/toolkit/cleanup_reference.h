// Straightforward forms of the clean-up routines that have faster library versions:
// restarting scans and all-pairs tests, written as plainly as the rules read. Tests and
// benchmarks compare the library against these.
#pragma once

#include <geo/acge/gelnsg3d.h>
#include <geo/acge/getol.h>
#include <geo/cleanup.h>
#include <geo/float_comp.h>
#include <geo/lines.h>
#include <geo/measures.h>

#include <vector>

#include "foundation/numeric.h"
#include "platform/acge/tol_of.h"

namespace cleanup_reference {

inline void RemoveRedundancyPts(std::vector<CPoint3d>& pts, bool ring, double tol) {
    if (pts.size() < 2) {
        return;
    }
    while (pts.size() > 1 && pts[pts.size() - 1].isEqualTo(pts[pts.size() - 2], tol)) {
        pts.pop_back();
    }
    while (pts.size() > 1 && pts[0].isEqualTo(pts[1], tol)) {
        pts.erase(pts.begin());
    }
    if (pts.size() < 3) {
        return;
    }
    if (pts.size() == 3) {
        if (PntPos(pts[2], pts[0], pts[1], tol) != 0) {
            return;
        }
        const double d01 = pts[0].distanceTo(pts[1]), d02 = pts[0].distanceTo(pts[2]),
                     d12 = pts[1].distanceTo(pts[2]);
        if (d01 > d02 && d12 < d01) {
            pts.erase(pts.begin() + 2);
        } else if (d01 < d02 && d12 < d02) {
            pts.erase(pts.begin() + 1);
        } else {
            pts.erase(pts.begin());
        }
        return;
    }
    const bool closed = IsClosed(pts, tol);
    while (IsClosed(pts, tol)) {
        OpenPts(pts, tol);
    }
    if (pts.size() < 3) {
        return;
    }
    for (size_t i = 1; i + 1 < pts.size();) {
        const CPoint3d prev = pts[i - 1], cur = pts[i], next = pts[i + 1];
        const double a = (prev - cur).getAngle(next - cur);
        if (FloatComp(geo_detail::kPi, a, tol) == 0 || (ring && FloatComp(0.0, a, tol) == 0) ||
            cur.isEqualTo(prev, tol)) {
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i));
            i = 1;
        } else {
            ++i;
        }
    }
    if (ring) {
        if (pts.size() >= 3 && PntPos(pts[0], pts.back(), pts[1], tol) == 0) {
            pts.erase(pts.begin());
        }
        if (pts.size() >= 3 && PntPos(pts.back(), pts[0], pts[pts.size() - 2], tol) == 0) {
            pts.pop_back();
        }
    }
    if (closed) {
        ClosePts(pts, tol);
    }
}

inline void removeRepoint(std::vector<AcGePoint3d>& pts) {
    std::vector<AcGePoint3d> kept;
    for (const AcGePoint3d& p : pts) {
        bool repeat = false;
        for (const AcGePoint3d& q : kept) {
            repeat = repeat || q.isEqualTo(p, AcGeContext::gTol);
        }
        if (!repeat) {
            kept.push_back(p);
        }
    }
    pts = kept;
}

inline bool IsSelfIntersect(std::vector<CPoint3d> const& pts, bool closed) {
    if (pts.size() < 3) {
        return false;
    }
    std::vector<AcGeLineSeg3d> segs;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        segs.emplace_back(pts[i].toAcGePoint3d(), pts[i + 1].toAcGePoint3d());
    }
    if (closed) {
        segs.emplace_back(pts.back().toAcGePoint3d(), pts.front().toAcGePoint3d());
    }
    const AcGeTol tol = acge_detail::pointTol(0.001);
    for (size_t i = 0; i < segs.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            AcGeLinearEnt3d* shared = nullptr;
            const bool overlapping = segs[i].overlap(segs[j], shared, tol);
            delete shared;
            if (overlapping) {
                return true;
            }
            AcGePoint3d x;
            if (segs[i].intersectWith(segs[j], x, tol)) {
                const bool endI =
                    x.isEqualTo(segs[i].startPoint()) || x.isEqualTo(segs[i].endPoint());
                const bool endJ =
                    x.isEqualTo(segs[j].startPoint()) || x.isEqualTo(segs[j].endPoint());
                if (!endI || !endJ) {
                    return true;
                }
            }
        }
    }
    return false;
}

inline bool IsIntersectWithSelf(std::vector<CPoint3d> const& pts) {
    if (pts.size() < 3) {
        return false;
    }
    std::vector<CPoint3d> meets;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        for (size_t j = i + 1; j + 1 < pts.size(); ++j) {
            CPoint3d x;
            if (CLineSeg(pts[i], pts[i + 1]).intersectWith(CLineSeg(pts[j], pts[j + 1]), x, 1e-6)) {
                meets.push_back(x);
            }
        }
    }
    for (const CPoint3d& x : meets) {
        bool isVertex = false;
        for (const CPoint3d& v : pts) {
            isVertex = isVertex || v == x;
        }
        if (!isVertex) {
            return true;
        }
    }
    return false;
}

// Neighbouring segments never cut each other (see the library version).
inline void ClearSelfIntersect(std::vector<CPoint3d>& pts, double tol) {
    if (pts.size() < 3) {
        return;
    }
    for (size_t i = 0; i + 2 < pts.size(); ++i) {
        for (size_t j = i + 1; j + 1 < pts.size(); ++j) {
            const CLineSeg a(pts[i], pts[i + 1]);
            CPoint3d x;
            if (j > i + 1 && CLineSeg(pts[j], pts[j + 1]).intersectWith(a, x, tol) &&
                !x.isEqualTo(a.startPt, tol) && !x.isEqualTo(a.endPt, tol)) {
                pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i + 1),
                          pts.begin() + static_cast<std::ptrdiff_t>(j + 1));
                pts.insert(pts.begin() + static_cast<std::ptrdiff_t>(i + 1), x);
                j = i;  // examine segment i again from i + 1
            } else if (pts[j + 1].isEqualTo(a.endPt, tol)) {
                pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i + 2),
                          pts.begin() + static_cast<std::ptrdiff_t>(j + 2));
                j = i;
            }
        }
    }
}

}  // namespace cleanup_reference
