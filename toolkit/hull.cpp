// Convex hull by monotone chain, least-area rectangle by rotating calipers, and the split of an
// outline into the four sides that face its rectangle.
#include <geo/float_comp.h>
#include <geo/hull.h>
#include <geo/measures.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

using geo_detail::kHalfPi;
using geo_detail::kPi;
using geo_detail::kPointTol;
using geo_detail::kTwoPi;

namespace {

// Digit width of the radix sort of the hull's keys, and the key count from which it is used.
constexpr int kRadixBits = 11;
constexpr size_t kRadixMinKeys = 1024;
// How many hull points ahead the input point is fetched while the hull is copied out.
constexpr size_t kFetchAhead = 16;
// A rectangle this small in area counts as no rectangle (collinear input).
constexpr double kMinRectArea = 1e-6;
// Caliper areas within this relative distance of the least one are decided by rotating the
// outline exactly as the plain rule does, so ties fall as that rule lets them fall.
constexpr double kTieRel = 1e-9;
// Absolute area slack for the rounding of turned coordinates, per unit of coordinate size times
// extent (several hundred units of rounding).
constexpr double kTieAbsRel = 1e-13;
// Below this many outline vertices every candidate is simply rotated and boxed.
constexpr size_t kPlainRectLimit = 16;
// Line tolerances of the two side pairs of IsEchelonOrDiamond.
constexpr double kFirstPairTol = 0.01;
constexpr double kSecondPairTol = 0.1;
// A rectangle whose diagonal ratio exceeds this is elongated.
constexpr double kElongatedRatio = 1.5;

// A point's plan coordinates and its index in the input, the unit the hull sorts.
struct HullKey {
    double x;
    double y;
    size_t index;
};

// Within a run of nearly equal x: y, then exact x, then input position. A strict weak order.
bool runBefore(const HullKey& a, const HullKey& b) {
    if (a.y != b.y) {
        return a.y < b.y;
    }
    if (a.x != b.x) {
        return a.x < b.x;
    }
    return a.index < b.index;
}

// An unsigned integer that orders as the (finite) double does.
uint64_t orderedBits(double x) {
    uint64_t u = 0;
    std::memcpy(&u, &x, sizeof u);
    return (u >> 63) != 0 ? ~u : u | (uint64_t{1} << 63);
}

// Stable least-significant-digit radix sort of the keys by x; passes whose digit is the same
// for every key are skipped.
void radixSortByX(std::vector<HullKey>& keys) {
    std::vector<HullKey> buffer(keys.size());
    std::vector<size_t> count(size_t{1} << kRadixBits);
    const uint64_t mask = (uint64_t{1} << kRadixBits) - 1;
    for (int shift = 0; shift < 64; shift += kRadixBits) {
        std::fill(count.begin(), count.end(), 0);
        for (const HullKey& k : keys) {
            ++count[(orderedBits(k.x) >> shift) & mask];
        }
        if (count[(orderedBits(keys[0].x) >> shift) & mask] == keys.size()) {
            continue;
        }
        size_t sum = 0;
        for (size_t& c : count) {
            sum += c;
            c = sum - c;
        }
        for (const HullKey& k : keys) {
            buffer[count[(orderedBits(k.x) >> shift) & mask]++] = k;
        }
        keys.swap(buffer);
    }
}

// Sorts by x within 1e-6, then y. Comparing x with a tolerance is no strict weak order, so the
// keys are sorted by exact x first and each run of x-values that follow one another within
// 1e-6 (exact ties included) is then ordered by y. Where the tolerant order is consistent
// (every run spans no more than 1e-6) this is that order; elsewhere it is still well defined.
void sortForHull(std::vector<HullKey>& keys) {
    if (keys.size() < kRadixMinKeys) {
        std::sort(keys.begin(), keys.end(),
                  [](const HullKey& a, const HullKey& b) { return a.x < b.x; });
    } else {
        radixSortByX(keys);
    }
    size_t runStart = 0;
    for (size_t i = 1; i <= keys.size(); ++i) {
        if (i < keys.size() && std::fabs(keys[i].x - keys[i - 1].x) <= kPointTol) {
            continue;
        }
        if (i - runStart > 1) {
            std::sort(keys.begin() + runStart, keys.begin() + i, runBefore);
        }
        runStart = i;
    }
}

// The sorted keys of the points, each run of points equal within 1e-6 reduced to its first;
// empty when any x or y is not finite.
std::vector<HullKey> sortedDistinctKeys(const std::vector<CPoint3d>& pts) {
    std::vector<HullKey> keys;
    keys.reserve(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        if (!geo_detail::isFiniteXY(pts[i])) {
            return {};
        }
        keys.push_back({pts[i].x, pts[i].y, i});
    }
    sortForHull(keys);
    size_t kept = 0;
    for (size_t i = 1; i < keys.size(); ++i) {
        // The plan test first spares most lookups of the input point.
        const bool same = std::fabs(keys[i].x - keys[kept].x) < kPointTol &&
                          std::fabs(keys[i].y - keys[kept].y) < kPointTol &&
                          pts[keys[i].index].isEqualTo(pts[keys[kept].index], kPointTol);
        if (!same) {
            keys[++kept] = keys[i];
        }
    }
    keys.resize(keys.empty() ? 0 : kept + 1);
    return keys;
}

// The z of (b - a) x (c - b) is positive.
bool isLeftTurn(const HullKey& a, const HullKey& b, const HullKey& c) {
    const double ux = b.x - a.x, uy = b.y - a.y;
    const double vx = c.x - b.x, vy = c.y - b.y;
    return ux * vy - uy * vx > 0.0;
}

// Appends key k to the chain (positions in keys) that starts at index `base` of chain, first
// dropping each last point that would be the middle of a left turn (the first one stays).
void pushOnChain(const std::vector<HullKey>& keys, std::vector<size_t>& chain, size_t base,
                 size_t k) {
    while (chain.size() >= base + 2 &&
           isLeftTurn(keys[chain[chain.size() - 2]], keys[chain.back()], keys[k])) {
        chain.pop_back();
    }
    chain.push_back(k);
}

// Upper chain forwards from the first key, lower chain backwards from the last one, built in
// one list of key positions; the lower chain's two ends (already in the upper one) are left out.
std::vector<size_t> monotoneChain(const std::vector<HullKey>& keys) {
    const size_t n = keys.size();
    std::vector<size_t> chain;
    chain.reserve(2 * n);  // collinear points may sit in both chains
    for (size_t i = 0; i < n; ++i) {
        pushOnChain(keys, chain, 0, i);
    }
    const size_t lowerBase = chain.size() - 1;  // the last key starts the lower chain
    for (size_t i = n - 1; i-- > 0;) {
        pushOnChain(keys, chain, lowerBase, i);
    }
    chain.pop_back();  // the first key ends the lower chain
    return chain;
}

// ---- least-area rectangle ----------------------------------------------------------------------

// The candidate rotation that lays hull edge a -> b along the x axis.
double edgeRotation(const CPoint3d& a, const CPoint3d& b) {
    double angle = GetAngle(a, b);
    if (angle >= kPi) {
        angle -= kPi;
    }
    return kPi - angle;
}

// Box area of the outline turned about base by r, computed exactly as the plain rule does.
double rotatedBoxArea(const CPolygon& outline, const CPoint3d& base, double r, CPoint3d& min,
                      CPoint3d& max) {
    CPolygon turned(outline);
    turned.rotate(base, r);
    turned.getBox(min, max);
    return (max.x - min.x) * (max.y - min.y);
}

// Offsets of the outline's points from base, the frame the calipers work in.
struct CaliperFrame {
    std::vector<double> dx, dy;
    double scale = 0.0;   // largest coordinate magnitude met, for the rounding slack
    double extent = 0.0;  // largest offset magnitude
};

CaliperFrame makeFrame(const std::vector<CPoint3d>& ring, const CPoint3d& base) {
    CaliperFrame f;
    f.scale = std::max(std::fabs(base.x), std::fabs(base.y));
    for (const CPoint3d& p : ring) {
        f.dx.push_back(p.x - base.x);
        f.dy.push_back(p.y - base.y);
        f.scale = std::max({f.scale, std::fabs(p.x), std::fabs(p.y)});
        f.extent = std::max({f.extent, std::fabs(f.dx.back()), std::fabs(f.dy.back())});
    }
    return f;
}

// Walks a caliper from `at` uphill to a vertex of largest projection on (ux, uy): the
// projection round a convex ring rises, then falls. A flat stretch (repeated plan points) may
// stop it short; that only makes a caliper area too small, which the caller allows for.
size_t climb(const CaliperFrame& f, size_t at, double ux, double uy) {
    const size_t n = f.dx.size();
    auto proj = [&](size_t i) { return f.dx[i] * ux + f.dy[i] * uy; };
    size_t i = at;
    for (size_t steps = 0; steps < n && proj((i + 1) % n) > proj(i); ++steps) {
        i = (i + 1) % n;
    }
    for (size_t steps = 0; steps < n && proj((i + n - 1) % n) > proj(i); ++steps) {
        i = (i + n - 1) % n;
    }
    return i;
}

// Four calipers kept between candidates: the extremes along +u, -u, +v and -v.
struct Calipers {
    size_t maxU = 0, minU = 0, maxV = 0, minV = 0;
};

// Area of the box of the ring turned by r, from the caliper extremes. Never more than the
// exact area beyond rounding, since a caliper can only stop short of its extreme.
double caliperArea(const CaliperFrame& f, Calipers& c, double r) {
    const double cr = std::cos(r), sr = std::sin(r);
    // Turned by r, a point's x is u . d and its y is v . d.
    const double ux = cr, uy = -sr, vx = sr, vy = cr;
    c.maxU = climb(f, c.maxU, ux, uy);
    c.minU = climb(f, c.minU, -ux, -uy);
    c.maxV = climb(f, c.maxV, vx, vy);
    c.minV = climb(f, c.minV, -vx, -vy);
    auto along = [&](size_t i, double x, double y) { return f.dx[i] * x + f.dy[i] * y; };
    const double w = along(c.maxU, ux, uy) - along(c.minU, ux, uy);
    const double h = along(c.maxV, vx, vy) - along(c.minV, vx, vy);
    return w * h;
}

// Candidate rotations, one per hull edge in hull order. Repeats are harmless: a repeated
// rotation gives the same area, which never replaces an earlier equal one.
std::vector<double> candidateRotations(const std::vector<CPoint3d>& hull) {
    std::vector<double> rotations;
    rotations.reserve(hull.size());
    for (size_t i = 0; i < hull.size(); ++i) {
        rotations.push_back(edgeRotation(hull[i], hull[(i + 1) % hull.size()]));
    }
    return rotations;
}

// Exact box areas of the candidates, each computed at most once.
class ExactAreas {
public:
    ExactAreas(const CPolygon& outline, const CPoint3d& base, const std::vector<double>& rotations)
        : outline_(outline),
          base_(base),
          rotations_(rotations),
          area_(rotations.size()),
          known_(rotations.size(), false) {}

    double operator()(size_t i) {
        if (!known_[i]) {
            CPoint3d min, max;
            area_[i] = rotatedBoxArea(outline_, base_, rotations_[i], min, max);
            known_[i] = true;
        }
        return area_[i];
    }

private:
    const CPolygon& outline_;
    const CPoint3d& base_;
    const std::vector<double>& rotations_;
    std::vector<double> area_;
    std::vector<bool> known_;
};

// Which candidates may hold the least exact area. Small outlines: all. Else the caliper areas
// (never above the exact ones beyond rounding) screen them in two rounds: the exact least
// area L of the candidates near the least caliper area is found first, and every candidate
// whose caliper area is within the tie slack of L may win.
std::vector<bool> possibleWinners(const CPolygon& outline, const CPoint3d& base,
                                  const std::vector<double>& rotations, ExactAreas& exact) {
    const std::vector<CPoint3d> ring = outline.getPoints();
    std::vector<bool> winners(rotations.size(), true);
    if (ring.size() < kPlainRectLimit) {
        return winners;
    }
    const CaliperFrame frame = makeFrame(ring, base);
    Calipers calipers;
    std::vector<double> areas;
    areas.reserve(rotations.size());
    for (double r : rotations) {
        areas.push_back(caliperArea(frame, calipers, r));
    }
    const double least = *std::min_element(areas.begin(), areas.end());
    const double abs = kTieAbsRel * frame.scale * frame.extent;
    double exactLeast = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < areas.size(); ++i) {
        if (!(areas[i] > least + kTieRel * least + abs)) {
            exactLeast = std::min(exactLeast, exact(i));
        }
    }
    for (size_t i = 0; i < areas.size(); ++i) {
        // A non-finite area or bound leaves the decision to the exact rotation.
        winners[i] = !(areas[i] > exactLeast + kTieRel * exactLeast + abs);
    }
    return winners;
}

// The rotation of least box area, the first in candidate order among equal ones.
double bestRotation(const CPolygon& outline, const CPoint3d& base,
                    const std::vector<double>& rotations) {
    ExactAreas exact(outline, base, rotations);
    const std::vector<bool> winners = possibleWinners(outline, base, rotations, exact);
    bool found = false;
    double bestArea = 0.0, best = 0.0;
    for (size_t i = 0; i < rotations.size(); ++i) {
        if (!winners[i]) {
            continue;
        }
        const double area = exact(i);
        if (!found || area < bestArea) {
            found = true;
            bestArea = area;
            best = rotations[i];
        }
    }
    return best;
}

// The box of the outline turned by r, as an outline turned back by -r.
std::vector<CPoint3d> rectangleAt(const CPolygon& outline, const CPoint3d& base, double r) {
    CPoint3d min, max;
    rotatedBoxArea(outline, base, r, min, max);
    CPolygon rect;
    rect.setPoints({min, CPoint3d(max.x, min.y, 0.0), max, CPoint3d(min.x, max.y, 0.0)}, true);
    rect.rotate(base, -r);
    return rect.getPoints();
}

// ---- four sides --------------------------------------------------------------------------------

// The hull vertex index of each of four slots, -1 where none faced that side. theta is the
// rectangle's base direction folded into [0, pi/2].
void fillSideSlots(const std::vector<CPoint3d>& hull, double theta, int slots[4]) {
    double bestValue[4] = {kHalfPi, kHalfPi, kHalfPi, kHalfPi};
    const size_t m = hull.size();
    for (size_t i = 0; i < m; ++i) {
        double b = GetAngle(hull[i], hull[(i + 1) % m]) - kPi / 4.0;
        if (theta > b) {
            b += kTwoPi;
        }
        int k = 0;
        while (b > theta && k <= 4) {  // b < theta + 2*pi: at most four quarter turns
            b -= kHalfPi;
            ++k;
        }
        if (k >= 1 && k <= 4 && b < bestValue[k - 1]) {
            bestValue[k - 1] = b;
            slots[k - 1] = static_cast<int>(i);
        }
    }
}

// Indices of the polygon's vertices that match the collected hull corners, in vertex order.
std::vector<int> matchCorners(const std::vector<CPoint3d>& verts, std::vector<CPoint3d> corners) {
    std::vector<int> found;
    for (size_t v = 0; v < verts.size(); ++v) {
        for (auto it = corners.begin(); it != corners.end(); ++it) {
            if (verts[v].isEqualTo(*it, kPointTol)) {
                found.push_back(static_cast<int>(v));
                corners.erase(it);
                break;
            }
        }
    }
    return found;
}

// The ratio of the rectangle's diagonal (corner 0 to corner 2) x and y extents, folded above 1,
// exceeds 1.5. The signs follow the rectangle's corner order, so a negative ratio (the diagonal
// running up-left or down-right) reads as not elongated; callers have always seen it so.
bool isElongated(const std::vector<CPoint3d>& rect) {
    const double dx = rect[0].x - rect[2].x, dy = rect[0].y - rect[2].y;
    if (dy == 0.0) {
        return dx > 0.0;  // +inf folds to +inf, -inf to -0, 0/0 compares false
    }
    const double f = dx / dy;
    if (f == 0.0) {
        return !std::signbit(f);  // 1/+0 is +inf, 1/-0 is -inf
    }
    return (f < 1.0 ? 1.0 / f : f) > kElongatedRatio;
}

// The rectangle's first side direction folded into [0, pi/2].
double baseAngle(const std::vector<CPoint3d>& rect) {
    double theta = GetAngle(rect[0], rect[1]);
    while (theta > kHalfPi) {
        theta -= kHalfPi;
    }
    return theta;
}

// The ring from vertex `from` to vertex `to` inclusive, wrapping past the last vertex.
std::vector<CPoint3d> ringChain(const std::vector<CPoint3d>& ring, int from, int to) {
    std::vector<CPoint3d> chain;
    const int n = static_cast<int>(ring.size());
    for (int i = from;; i = (i + 1) % n) {
        chain.push_back(ring[i]);
        if (i == to) {
            break;
        }
    }
    return chain;
}

}  // namespace

// ---- exported ----------------------------------------------------------------------------------

void ConvexHull(std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& hull) {
    hull.clear();
    if (pts.size() < 3) {
        return;
    }
    const std::vector<HullKey> keys = sortedDistinctKeys(pts);
    if (keys.size() < 2) {
        return;
    }
    const std::vector<size_t> chain = monotoneChain(keys);
    hull.reserve(chain.size());
    for (size_t i = 0; i < chain.size(); ++i) {
        // The input is read in hull order, which is scattered over memory: fetch ahead.
        if (i + kFetchAhead < chain.size()) {
            __builtin_prefetch(&pts[keys[chain[i + kFetchAhead]].index]);
        }
        hull.push_back(pts[keys[chain[i]].index]);
    }
}

void GetConvexPolygon(CPolygon* polygon, std::vector<CPoint3d>& hull) {
    hull.clear();
    if (polygon != nullptr) {
        ConvexHull(polygon->getPoints(), hull);
    }
}

bool GetMinBesiegeRect(std::vector<CPoint3d> pts, std::vector<CPoint3d>& rect) {
    rect.clear();
    std::vector<CPoint3d> hull;
    ConvexHull(pts, hull);
    if (hull.empty()) {
        return false;
    }
    const CPolygon outline(hull, true);
    const double r = bestRotation(outline, hull[0], candidateRotations(hull));
    rect = rectangleAt(outline, hull[0], r);
    return !(CalPolyArea(rect) < kMinRectArea);
}

bool GetMinBesiegeRect(CPolygon* polygon, std::vector<CPoint3d>& rect) {
    if (polygon == nullptr) {
        rect.clear();
        return false;
    }
    return GetMinBesiegeRect(polygon->getPoints(), rect);
}

bool IsEchelonOrDiamond(std::vector<CPoint3d>& pts) {
    if (pts.size() != 4) {
        return false;
    }
    CPoint3d at;
    if (!geo_detail::linesCross(pts[0], pts[1], pts[2], pts[3], kFirstPairTol, at)) {
        return true;
    }
    return !geo_detail::linesCross(pts[1], pts[2], pts[3], pts[0], kSecondPairTol, at);
}

bool GetFourEdgeOfGon(CPolygon* polygon, int& c0, int& c1, int& c2, int& c3, bool& elongated) {
    if (polygon == nullptr) {
        return false;
    }
    std::vector<CPoint3d> hull, rect;
    GetConvexPolygon(polygon, hull);
    GetMinBesiegeRect(polygon, rect);
    if (hull.empty() || rect.size() < 4) {
        return false;  // no rectangle to read a ratio or a direction from
    }
    elongated = isElongated(rect);
    int slots[4] = {-1, -1, -1, -1};
    fillSideSlots(hull, baseAngle(rect), slots);
    std::vector<CPoint3d> corners;
    for (int s : slots) {
        if (s >= 0) {
            corners.push_back(hull[s]);
        }
    }
    if (corners.size() != 4) {
        return false;
    }
    const std::vector<int> found = matchCorners(polygon->getPoints(), corners);
    if (found.size() != 4) {
        return false;
    }
    c0 = found[0];
    c1 = found[1];
    c2 = found[2];
    c3 = found[3];
    return true;
}

bool GetFourEdge(CPolygon* polygon, std::vector<CPoint3d>& side0, std::vector<CPoint3d>& side1,
                 std::vector<CPoint3d>& side2, std::vector<CPoint3d>& side3, bool& elongated,
                 std::vector<CPoint3d>& rect) {
    GetMinBesiegeRect(polygon, rect);
    int c[4] = {0, 0, 0, 0};
    if (!GetFourEdgeOfGon(polygon, c[0], c[1], c[2], c[3], elongated)) {
        return false;
    }
    std::vector<CPoint3d> ring = polygon->getPoints();
    if (ring.size() > 4 && c[3] < static_cast<int>(ring.size()) - 1 &&
        ring.back().isEqualTo(ring.front(), kPointTol)) {
        ring.pop_back();  // a stored closing vertex is not a vertex of its own
    }
    side0 = ringChain(ring, c[0], c[1]);
    side1 = ringChain(ring, c[1], c[2]);
    side2 = ringChain(ring, c[2], c[3]);
    side3 = ringChain(ring, c[3], c[0]);
    return true;
}
