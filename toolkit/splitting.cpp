// Splitting and trimming of polylines, and cutting polygons by a segment.
#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/measures.h>
#include <geo/splitting.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"
#include "toolkit/crossing_filter.h"
#include "toolkit/outline_queries.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <utility>

using geo_detail::CrossingFilter;
using geo_detail::kPointTol;

namespace {

// A vertex right of the trimming line by more than this is cut away.
constexpr double kTrimSideTol = 1e-6;
// How deeply a cut with many crossings may hand its chords back to the chord-wise split.
// One level suffices for a straight cutter; the bound only guards against degenerate input.
constexpr int kMaxChordNesting = 4;

// The walk shared by both cutter types: everything up to the first crossing goes to first,
// the crossing and everything after it to second; a crossing at a vertex is not doubled.
template <class Cutter>
bool splitAtFirstCrossing(const std::vector<CPoint3d>& pts, const Cutter& cutter,
                          std::vector<CPoint3d>& first, std::vector<CPoint3d>& second) {
    first.clear();
    second.clear();
    if (pts.size() < 2) {
        return false;
    }
    bool cut = false;
    for (size_t i = 1; i < pts.size(); ++i) {
        if (cut) {
            second.push_back(pts[i]);
            continue;
        }
        first.push_back(pts[i - 1]);
        CPoint3d at;
        if (!CLineSeg(pts[i - 1], pts[i]).intersectWith(cutter, at, kPointTol)) {
            continue;
        }
        if (at.isEqualTo(pts[i - 1], kPointTol)) {
            second.push_back(at);
        } else if (at.isEqualTo(pts[i], kPointTol)) {
            first.push_back(at);
        } else {
            first.push_back(at);
            second.push_back(at);
        }
        second.push_back(pts[i]);
        cut = true;
    }
    return first.size() >= 2 && second.size() >= 2;
}

}  // namespace

bool SplitPLineWithLine(const std::vector<CPoint3d>& pts, const CLine& cutter,
                        std::vector<CPoint3d>& first, std::vector<CPoint3d>& second) {
    return splitAtFirstCrossing(pts, cutter, first, second);
}

bool SplitPlineWithLineSeg(const std::vector<CPoint3d>& pts, const CLineSeg& cutter,
                           std::vector<CPoint3d>& first, std::vector<CPoint3d>& second) {
    return splitAtFirstCrossing(pts, cutter, first, second);
}

bool ptSpiltPolyline(CPoint3d pt, const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& first,
                     std::vector<CPoint3d>& second, double tol) {
    first.clear();
    second.clear();
    if (pts.size() < 2 || !geo_detail::isFiniteXYZ(pt) || pt.isEqualTo(pts.front(), tol) ||
        pt.isEqualTo(pts.back(), tol)) {
        return false;
    }
    first.push_back(pts[0]);
    for (size_t i = 1; i < pts.size(); ++i) {
        if (!geo_detail::onSegment(pts[i - 1], pts[i], pt, tol)) {
            first.push_back(pts[i]);
            continue;
        }
        if (pt.isEqualTo(pts[i], tol)) {
            first.push_back(pts[i]);
        } else {
            first.push_back(pt);
            second.push_back(pt);
        }
        second.insert(second.end(), pts.begin() + static_cast<std::ptrdiff_t>(i), pts.end());
        return true;
    }
    return false;
}

namespace {

// Counts and appends p when it lies on the segment away from the segment's start (a point at
// the start was met on the segment before).
void takeIfOnSegment(const CLineSeg& seg, const CPoint3d& p, double tol, int& found,
                     std::vector<CPoint3d>& out) {
    if (seg.isOn(p, tol) && !p.isEqualTo(seg.startPt, tol)) {
        ++found;
        out.push_back(p);
    }
}

}  // namespace

bool GetSubPLineBy2Pt(const std::vector<CPoint3d>& pts, const CPoint3d& p1, const CPoint3d& p2,
                      std::vector<CPoint3d>& out, double tol) {
    out.clear();
    if (pts.size() < 2 || !geo_detail::isFiniteXYZ(p1) || !geo_detail::isFiniteXYZ(p2)) {
        return false;
    }
    int found = 0;
    for (const CPoint3d* p : {&p1, &p2}) {
        if (p->isEqualTo(pts[0], tol)) {
            ++found;
            out.push_back(*p);
        }
    }
    for (size_t i = 1; i < pts.size(); ++i) {
        const CLineSeg seg(pts[i - 1], pts[i]);
        if (seg.isOn(p1, tol) && seg.isOn(p2, tol)) {
            const bool p2First = !(p2.distanceTo(pts[i - 1]) > p1.distanceTo(pts[i - 1]));
            out = p2First ? std::vector<CPoint3d>{p2, p1} : std::vector<CPoint3d>{p1, p2};
            return true;
        }
        takeIfOnSegment(seg, p1, tol, found, out);
        takeIfOnSegment(seg, p2, tol, found, out);
        if (found >= 2) {
            break;
        }
        if (found == 1) {
            out.push_back(pts[i]);  // also when the point found is this vertex itself
        }
    }
    return out.size() > 1;
}

namespace {

// The ring restarted at p1 on segment `seg`: p1, every distinct vertex once going forwards
// from seg + 1 round to seg, then p1 again.
std::vector<CPoint3d> ringFrom(const std::vector<CPoint3d>& ring, size_t seg, const CPoint3d& p1) {
    const size_t distinct = ring.size() - 1;  // the last vertex repeats the first
    std::vector<CPoint3d> out;
    out.reserve(distinct + 2);
    out.push_back(p1);
    for (size_t t = 1; t <= distinct; ++t) {
        out.push_back(ring[(seg + t) % distinct]);
    }
    out.push_back(p1);
    return out;
}

}  // namespace

bool SplitClosedPlineBy2pt(const std::vector<CPoint3d>& pts, const CPoint3d& p1, const CPoint3d& p2,
                           std::vector<CPoint3d>& shorter, std::vector<CPoint3d>& longer,
                           double tol) {
    shorter.clear();
    longer.clear();
    if (pts.size() < 4 || p1.isEqualTo(p2, tol) || !pts.front().isEqualTo(pts.back(), tol)) {
        return false;
    }
    const int i = CalPtPosAtPLine(p1, pts, tol);
    if (i < 0) {
        return false;
    }
    std::vector<CPoint3d> a = ringFrom(pts, static_cast<size_t>(i), p1);
    const int j = CalPtPosAtPLine(p2, a, tol);
    if (j < 0) {
        return false;
    }
    std::vector<CPoint3d> b{p2};
    b.insert(b.end(), a.begin() + j + 1, a.end());
    a.resize(static_cast<size_t>(j) + 1);
    a.push_back(p2);
    RemoveRedundancyPts(a, false, tol);
    RemoveRedundancyPts(b, false, tol);
    if (a.empty() || b.empty()) {
        return false;
    }
    const bool aLonger = GetTotalLength(a) > GetTotalLength(b);
    longer = aLonger ? std::move(a) : std::move(b);
    shorter = aLonger ? std::move(b) : std::move(a);
    return true;
}

namespace {

// The vertex list with every crossing with the line inserted between the ends of its segment.
std::vector<CPoint3d> withLineCrossings(std::vector<CPoint3d> pts, const CLine& line) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        CPoint3d at;
        if (geo_detail::segmentCrossesLine(pts[i], pts[i + 1], line.startPt, line.endPt, kPointTol,
                                           at) &&
            !at.isEqualTo(pts[i], kPointTol) && !at.isEqualTo(pts[i + 1], kPointTol)) {
            pts.insert(pts.begin() + static_cast<std::ptrdiff_t>(i) + 1, at);
            ++i;  // go on after the inserted point
        }
    }
    return pts;
}

// Appends to kept every run of at least 2 consecutive vertices on the line or left of it.
void keepLeftRuns(const std::vector<CPoint3d>& pts, const CLine& line,
                  std::vector<CPolyline>& kept) {
    const double dx = line.endPt.x - line.startPt.x;
    const double dy = line.endPt.y - line.startPt.y;
    std::vector<CPoint3d> run;
    auto flush = [&kept, &run] {
        if (run.size() >= 2) {
            kept.emplace_back();
            kept.back().setPoints(run);
        }
        run.clear();
    };
    for (const CPoint3d& v : pts) {
        const double side = dx * (v.y - line.endPt.y) - dy * (v.x - line.endPt.x);
        if (side < -kTrimSideTol) {
            flush();
        } else {
            run.push_back(v);
        }
    }
    flush();
}

}  // namespace

void TrimPLWithLine(CLine line, std::vector<CPolyline>& pls) {
    std::vector<CPolyline> kept;
    for (const CPolyline& pl : pls) {
        keepLeftRuns(withLineCrossings(pl.getPoints(), line), line, kept);
    }
    pls = std::move(kept);
}

// ---- Cutting a polygon by a segment -------------------------------------------------------

namespace {

// The polygon's outline with its crossings with a cutter: every vertex in order with each
// crossing that falls inside an edge inserted, and the crossings themselves (one at a vertex is
// counted once).
struct CutOutline {
    std::vector<CPoint3d> augmented;
    std::vector<CPoint3d> crossings;
};

// The polygon's vertices with the first repeated at the end; empty when unusable.
std::vector<CPoint3d> closedVertices(const CPolygon& polygon) {
    std::vector<CPoint3d> pts;
    pts.reserve(static_cast<size_t>(polygon.numVerts()) + 1);  // room for the closing point
    for (int i = 0; i < polygon.numVerts(); ++i) {
        pts.push_back(polygon[i]);
    }
    if (!geo_detail::allFiniteXYZ(pts)) {
        return {};
    }
    if (!pts.empty() && pts.back() != pts.front()) {
        pts.push_back(pts.front());
    }
    return pts;
}

CutOutline crossOutline(const std::vector<CPoint3d>& closed, const CLineSeg& cutter) {
    CutOutline cut;
    cut.augmented.reserve(closed.size() + 4);
    const CrossingFilter filter(cutter.startPt, cutter.endPt, closed.size(),
                                [&closed](size_t i) -> const CPoint3d& { return closed[i]; });
    for (size_t i = 1; i < closed.size(); ++i) {
        cut.augmented.push_back(closed[i - 1]);
        CPoint3d at;
        if (!filter.mayCross(closed[i - 1], closed[i]) ||
            !geo_detail::segmentsCross(closed[i - 1], closed[i], cutter.startPt, cutter.endPt,
                                       kPointTol, at)) {
            continue;
        }
        if (at != closed[i - 1] && at != closed[i]) {
            cut.augmented.push_back(at);
        }
        if (at != closed[i]) {
            cut.crossings.push_back(at);
        }
    }
    return cut;
}

bool isCrossing(const CutOutline& cut, const CPoint3d& p) {
    return std::any_of(cut.crossings.begin(), cut.crossings.end(),
                       [&p](const CPoint3d& c) { return c == p; });
}

// Whether the crossings name more than two distinct points (stops at the third).
bool moreThanTwoDistinct(const std::vector<CPoint3d>& crossings) {
    std::vector<CPoint3d> seen;
    for (const CPoint3d& c : crossings) {
        if (std::none_of(seen.begin(), seen.end(), [&c](const CPoint3d& s) { return s == c; })) {
            seen.push_back(c);
            if (seen.size() > 2) {
                return true;
            }
        }
    }
    return false;
}

// The augmented outline restarted at its first crossing and closed; empty when none is found.
std::vector<CPoint3d> startAtCrossing(const CutOutline& cut) {
    const auto at = std::find_if(cut.augmented.begin(), cut.augmented.end(),
                                 [&cut](const CPoint3d& p) { return isCrossing(cut, p); });
    if (at == cut.augmented.end()) {
        return {};
    }
    std::vector<CPoint3d> ring;
    ring.reserve(cut.augmented.size() + 1);
    ring.insert(ring.end(), at, cut.augmented.end());
    ring.insert(ring.end(), cut.augmented.begin(), at);
    if (ring.back() != ring.front()) {
        ring.push_back(ring.front());
    }
    return ring;
}

// The stretches of outline between consecutive crossings whose chord runs inside, each as a
// normalised polygon. pieces is replaced.
int piecesBetweenCrossings(const CutOutline& cut, std::vector<CPolygon>& pieces) {
    const std::vector<CPoint3d> ring = startAtCrossing(cut);
    pieces.clear();
    if (ring.empty()) {
        return 0;
    }
    pieces.reserve(cut.crossings.size());  // at most one piece per crossing, none copied again
    const containment_detail::OutlineQueries inRing(ring, kPointTol, cut.crossings.size());
    std::vector<CPoint3d> piece{ring[0]};
    for (size_t j = 1; j < ring.size(); ++j) {
        piece.push_back(ring[j]);
        if (!isCrossing(cut, ring[j])) {
            continue;
        }
        if (piece.size() >= 3 && inRing.ptIn(GetMidPoint(piece.front(), ring[j]), false)) {
            pieces.emplace_back(piece, true);
        }
        piece.assign(1, ring[j]);
    }
    return pieces.size() > 1 ? 1 : 0;
}

int splitByChords(const CLineSeg& cutter, const CPolygon& polygon, const CutOutline& cut,
                  std::vector<CPolygon>& pieces, int nesting);

// The polygon's outline crossed by the cutter; false for fewer than 3 points or 2 crossings.
bool crossPolygon(const CLineSeg& cutter, const CPolygon& polygon, CutOutline& cut) {
    const std::vector<CPoint3d> closed = closedVertices(polygon);
    if (closed.size() < 3) {
        return false;
    }
    cut = crossOutline(closed, cutter);
    return cut.crossings.size() >= 2;
}

// The pieces between consecutive crossings; a cutter with more crossings is handed to the
// chord-wise split, so the parts beyond the first chord are not dropped.
int splitBetweenCrossings(const CLineSeg& cutter, const CPolygon& polygon,
                          std::vector<CPolygon>& pieces, int nesting) {
    CutOutline cut;
    if (!crossPolygon(cutter, polygon, cut)) {
        return 0;
    }
    if (nesting < kMaxChordNesting && moreThanTwoDistinct(cut.crossings)) {
        return splitByChords(cutter, polygon, cut, pieces, nesting + 1);
    }
    return piecesBetweenCrossings(cut, pieces);
}

// Whether some edge of the polygon may cross the chord, read in place: a piece far from the
// chord is not copied.
bool mayMeet(const CPolygon& polygon, const CLineSeg& chord) {
    const size_t n = static_cast<size_t>(polygon.numVerts());
    auto at = [&polygon](size_t i) -> const CPoint3d& { return polygon[static_cast<int>(i)]; };
    const CrossingFilter filter(chord.startPt, chord.endPt, n, at);
    for (size_t i = 0; i < n; ++i) {
        if (filter.mayCross(at(i), at((i + 1) % n))) {
            return true;
        }
    }
    return false;
}

// Offers every current piece to the chord; the pieces it cuts are replaced by their parts,
// which go after the pieces it leaves.
void cutPiecesByChord(const CLineSeg& chord, std::vector<CPolygon>& pieces, int nesting) {
    std::vector<size_t> cutAt;
    std::vector<CPolygon> parts;
    for (size_t j = 0; j < pieces.size(); ++j) {
        std::vector<CPolygon> own;
        if (mayMeet(pieces[j], chord) &&
            splitBetweenCrossings(chord, pieces[j], own, nesting) == 1) {
            cutAt.push_back(j);
            std::move(own.begin(), own.end(), std::back_inserter(parts));
        }
    }
    for (auto j = cutAt.rbegin(); j != cutAt.rend(); ++j) {
        pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(*j));
    }
    std::move(parts.begin(), parts.end(), std::back_inserter(pieces));
}

// Cuts along every stretch of the cutter that runs inside the outline, chord by chord.
int splitByChords(const CLineSeg& cutter, const CPolygon& polygon, const CutOutline& cut,
                  std::vector<CPolygon>& pieces, int nesting) {
    // Ordered along the cutter; crossings at one distance collapse into the first.
    std::map<double, CPoint3d> along;
    for (const CPoint3d& c : cut.crossings) {
        along.emplace(cutter.startPt.distanceTo(c), c);
    }
    std::vector<CPolygon> result;
    result.reserve(along.size());
    result.push_back(polygon);  // a copy: the polygon may itself live in pieces
    const containment_detail::OutlineQueries inOutline(cut.augmented, kPointTol, along.size());
    for (auto b = std::next(along.begin()); b != along.end(); ++b) {
        const CPoint3d& from = std::prev(b)->second;
        if (inOutline.ptIn(GetMidPoint(from, b->second), false)) {
            cutPiecesByChord(CLineSeg(from, b->second), result, nesting);
        }
    }
    pieces = std::move(result);
    return pieces.size() > 1 ? 1 : 0;
}

bool usableCutter(const CLineSeg* cutter) {
    return cutter != nullptr && geo_detail::isFiniteXYZ(cutter->startPt) &&
           geo_detail::isFiniteXYZ(cutter->endPt);
}

}  // namespace

int LineSegSplitPolyGon(CLineSeg* cutter, CPolygon* polygon, std::vector<CPolygon>& pieces) {
    if (!usableCutter(cutter) || polygon == nullptr) {
        return 0;
    }
    CutOutline cut;
    if (!crossPolygon(*cutter, *polygon, cut)) {
        return 0;
    }
    return splitByChords(*cutter, *polygon, cut, pieces, 0);
}

int LineSegSplitPolyGonTo2Part(CLineSeg* cutter, CPolygon* polygon, std::vector<CPolygon>& pieces) {
    if (!usableCutter(cutter) || polygon == nullptr) {
        return 0;
    }
    return splitBetweenCrossings(*cutter, *polygon, pieces, 0);
}
