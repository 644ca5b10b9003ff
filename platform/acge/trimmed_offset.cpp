// Trimmed offset of planar chains of line and arc pieces.
//
// Steps, in order: clean the input (drop zero-length pieces, bridge gaps); offset every piece;
// join neighbours (extend convex corners to their intersection, route concave corners through
// the original vertex so the overlap becomes a loop); split the raw offset at its
// self-intersections; drop the sub-pieces that come closer to the input than the distance;
// chain the survivors into curves in the input's order.

#include "platform/acge/trimmed_offset.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace acge_detail {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// Floor under every tolerance, relative to the coordinates' magnitude: intersections of nearly
// parallel carriers lose several of the sixteen digits a double carries.
constexpr double kRelativeFloor = 1e-11;
// Sine of the angle below which two directions count as parallel (mitres stay below ~1e9 d).
constexpr double kParallelSin = 1e-9;
// Longer arcs are emitted in two halves so their bulge stays finite and well conditioned.
constexpr double kMaxEmittedSweep = 1.5 * kPi;
// Leaves of the bounding-box tree hold at most this many boxes.
constexpr int kLeafSize = 4;

// ---------------------------------------------------------------------------------------------
// Vectors

struct Vec {
    double x, y;
};

inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec operator*(Vec a, double s) {
    return {a.x * s, a.y * s};
}
inline double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
inline double cross(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}
inline double norm(Vec a) {
    return std::hypot(a.x, a.y);
}
inline double dist(Vec a, Vec b) {
    return norm(a - b);
}
inline Vec leftNormal(Vec t) {
    return {-t.y, t.x};
}
inline Vec polar(double r, double angle) {
    return {r * std::cos(angle), r * std::sin(angle)};
}
inline double angleOf(Vec v) {
    return std::atan2(v.y, v.x);
}

// Unit vector along v (v must not be zero).
inline Vec unit(Vec v) {
    const double n = norm(v);
    return {v.x / n, v.y / n};
}

// Angle reduced into [0, 2*pi).
double wrapPositive(double a) {
    double w = std::fmod(a, kTwoPi);
    if (w < 0)
        w += kTwoPi;
    return w >= kTwoPi ? 0.0 : w;
}

// Angle reduced into (-pi, pi].
double wrapSigned(double a) {
    double w = wrapPositive(a);
    return w > kPi ? w - kTwoPi : w;
}

inline double sign(double v) {
    return v < 0 ? -1.0 : 1.0;
}

// ---------------------------------------------------------------------------------------------
// Pieces

// A straight piece (arc false) or a circular arc; arcs keep centre, radius, start angle and signed
// sweep beside their explicit end points, which are what neighbours share.
struct Piece {
    Vec a{0, 0}, b{0, 0};
    bool arc = false;
    Vec c{0, 0};
    double r = 0, a0 = 0, sw = 0;
};

// Point at parameter t in [0, 1] along the piece.
Vec evalPiece(const Piece& p, double t) {
    if (!p.arc)
        return p.a + (p.b - p.a) * t;
    return p.c + polar(p.r, p.a0 + p.sw * t);
}

double pieceLength(const Piece& p) {
    return p.arc ? p.r * std::abs(p.sw) : dist(p.a, p.b);
}

// Unit tangent in the direction of travel at the arc's angle `angle`.
Vec arcTangent(const Piece& p, double angle) {
    return Vec{-std::sin(angle), std::cos(angle)} * sign(p.sw);
}

Vec startTangent(const Piece& p) {
    return p.arc ? arcTangent(p, p.a0) : unit(p.b - p.a);
}
Vec endTangent(const Piece& p) {
    return p.arc ? arcTangent(p, p.a0 + p.sw) : unit(p.b - p.a);
}

// Sweep from the arc's start to the angle of q, in the arc's direction, in
// (-(2pi - |sw|)/2, |sw| + (2pi - |sw|)/2]: points just before the start read as negative.
double arcOffsetAngle(const Piece& p, Vec q) {
    const double delta = wrapPositive((angleOf(q - p.c) - p.a0) * sign(p.sw));
    const double gapMiddle = std::abs(p.sw) + (kTwoPi - std::abs(p.sw)) / 2;
    return delta > gapMiddle ? delta - kTwoPi : delta;
}

// Parameter in [0, 1] of the point on the piece's carrier nearest to q (may fall outside).
double paramOf(const Piece& p, Vec q) {
    if (p.arc)
        return arcOffsetAngle(p, q) / std::abs(p.sw);
    const Vec d = p.b - p.a;
    return dot(q - p.a, d) / dot(d, d);
}

// Distance from q to the piece itself.
double distanceToPiece(const Piece& p, Vec q) {
    const double t = paramOf(p, q);
    if (t >= 0 && t <= 1)
        return p.arc ? std::abs(dist(q, p.c) - p.r) : dist(q, evalPiece(p, t));
    return std::min(dist(q, p.a), dist(q, p.b));
}

// Builds a straight piece.
Piece linePiece(Vec a, Vec b) {
    Piece p;
    p.a = a;
    p.b = b;
    return p;
}

// Builds an arc about c through a with signed sweep, ending at b.
Piece arcPiece(Vec c, double r, Vec a, Vec b, double sweep) {
    Piece p;
    p.arc = true;
    p.a = a;
    p.b = b;
    p.c = c;
    p.r = r;
    p.a0 = angleOf(a - c);
    p.sw = sweep;
    return p;
}

// Reads an input piece; false when it has no length. A bulge whose sagitta is within the
// tolerance is read as straight.
bool readPiece(const OffsetPiece& op, double tol, Piece& out) {
    const Vec a{op.sx, op.sy}, b{op.ex, op.ey};
    const double chord = dist(a, b);
    if (chord <= tol)
        return false;
    const double bulge = op.bulge;
    if (std::abs(bulge) * chord / 2 <= tol) {
        out = linePiece(a, b);
        return true;
    }
    const Vec u = (b - a) * (1.0 / chord);
    const Vec mid = (a + b) * 0.5;
    const Vec c = mid + leftNormal(u) * (chord * (1 - bulge * bulge) / (4 * bulge));
    const double r = chord * (1 + bulge * bulge) / (4 * std::abs(bulge));
    out = arcPiece(c, r, a, b, 4 * std::atan(bulge));
    return true;
}

bool isFinitePiece(const OffsetPiece& p) {
    return std::isfinite(p.sx) && std::isfinite(p.sy) && std::isfinite(p.ex) &&
           std::isfinite(p.ey) && std::isfinite(p.bulge);
}

// Offset of a piece to its left by d; false when an arc's radius collapses to zero or below.
bool offsetPiece(const Piece& p, double d, double collapseTol, Piece& out) {
    out = p;
    if (!p.arc) {
        const Vec shift = leftNormal(unit(p.b - p.a)) * d;
        out.a = p.a + shift;
        out.b = p.b + shift;
        return true;
    }
    // Left of travel on a counter-clockwise arc is toward the centre.
    out.r = p.r - d * sign(p.sw);
    if (out.r <= collapseTol)
        return false;
    out.a = p.c + (p.a - p.c) * (out.r / p.r);
    out.b = p.c + (p.b - p.c) * (out.r / p.r);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Bounding boxes and the tree over them

struct Box {
    double x0, y0, x1, y1;
};

bool overlaps(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

Box boxAround(Vec q, double r) {
    return {q.x - r, q.y - r, q.x + r, q.y + r};
}

void addToBox(Box& b, Vec q) {
    b.x0 = std::min(b.x0, q.x);
    b.y0 = std::min(b.y0, q.y);
    b.x1 = std::max(b.x1, q.x);
    b.y1 = std::max(b.y1, q.y);
}

// Box of a piece, grown by `margin`.
Box pieceBox(const Piece& p, double margin) {
    Box b{p.a.x, p.a.y, p.a.x, p.a.y};
    addToBox(b, p.b);
    if (p.arc) {
        // The circle's extreme points that the sweep passes.
        for (int k = 0; k < 4; ++k) {
            const double angle = k * kPi / 2;
            const double along = wrapPositive((angle - p.a0) * sign(p.sw));
            if (along <= std::abs(p.sw))
                addToBox(b, p.c + polar(p.r, angle));
        }
    }
    return {b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

// A static bounding-volume tree built by median splits; queries visit the boxes that overlap.
class BoxTree {
public:
    explicit BoxTree(std::vector<Box> boxes) : boxes_(std::move(boxes)) {
        order_.resize(boxes_.size());
        for (size_t i = 0; i < order_.size(); ++i)
            order_[i] = static_cast<int>(i);
        if (!boxes_.empty())
            build(0, static_cast<int>(order_.size()));
    }

    // Calls visit(index) for every box overlapping `query` until visit returns true.
    template <class Visit>
    bool query(const Box& query, Visit&& visit) const {
        if (nodes_.empty())
            return false;
        std::vector<int> stack{0};
        while (!stack.empty()) {
            const Node& node = nodes_[stack.back()];
            stack.pop_back();
            if (!overlaps(node.box, query))
                continue;
            if (node.left < 0) {
                for (int k = node.begin; k < node.end; ++k)
                    if (overlaps(boxes_[order_[k]], query) && visit(order_[k]))
                        return true;
            } else {
                stack.push_back(node.left);
                stack.push_back(node.right);
            }
        }
        return false;
    }

private:
    struct Node {
        Box box;
        int left, right, begin, end;
    };

    int build(int begin, int end) {
        const int id = static_cast<int>(nodes_.size());
        nodes_.push_back({boxes_[order_[begin]], -1, -1, begin, end});
        Box total = boxes_[order_[begin]];
        for (int k = begin + 1; k < end; ++k) {
            addToBox(total, {boxes_[order_[k]].x0, boxes_[order_[k]].y0});
            addToBox(total, {boxes_[order_[k]].x1, boxes_[order_[k]].y1});
        }
        nodes_[id].box = total;
        if (end - begin <= kLeafSize)
            return id;
        splitAtMedian(begin, end, total);
        const int mid = begin + (end - begin) / 2;
        const int left = build(begin, mid);
        const int right = build(mid, end);
        nodes_[id].left = left;
        nodes_[id].right = right;
        return id;
    }

    // Orders the range so its lower half holds the boxes with smaller centres on the long axis.
    void splitAtMedian(int begin, int end, const Box& total) {
        const bool alongX = total.x1 - total.x0 >= total.y1 - total.y0;
        auto centre = [&](int i) {
            const Box& b = boxes_[i];
            return alongX ? b.x0 + b.x1 : b.y0 + b.y1;
        };
        std::nth_element(order_.begin() + begin, order_.begin() + (begin + (end - begin) / 2),
                         order_.begin() + end, [&](int l, int r) { return centre(l) < centre(r); });
    }

    std::vector<Box> boxes_;
    std::vector<int> order_;
    std::vector<Node> nodes_;
};

// ---------------------------------------------------------------------------------------------
// Intersections

// Common points of the carriers (infinite line, full circle) of two pieces; returns how many.
int carrierPoints(const Piece& p, const Piece& q, double tol, Vec out[2]);

int lineLinePoints(const Piece& p, const Piece& q, Vec out[2]) {
    const Vec dp = p.b - p.a, dq = q.b - q.a;
    const double den = cross(dp, dq);
    if (std::abs(den) <= kParallelSin * norm(dp) * norm(dq))
        return 0;
    out[0] = p.a + dp * (cross(q.a - p.a, dq) / den);
    return 1;
}

int lineCirclePoints(const Piece& line, const Piece& circle, double tol, Vec out[2]) {
    const Vec u = unit(line.b - line.a);
    const Vec foot = line.a + u * dot(circle.c - line.a, u);
    const double h = dist(foot, circle.c);
    if (h > circle.r + tol)
        return 0;
    const double w2 = circle.r * circle.r - h * h;
    const double w = w2 > 0 ? std::sqrt(w2) : 0.0;
    if (w <= tol) {
        out[0] = foot;
        return 1;
    }
    out[0] = foot - u * w;
    out[1] = foot + u * w;
    return 2;
}

int circleCirclePoints(const Piece& p, const Piece& q, double tol, Vec out[2]) {
    const double d = dist(p.c, q.c);
    if (d <= tol || d > p.r + q.r + tol || d < std::abs(p.r - q.r) - tol)
        return 0;
    const Vec e = (q.c - p.c) * (1.0 / d);
    const double along = (d * d + p.r * p.r - q.r * q.r) / (2 * d);
    const double h2 = p.r * p.r - along * along;
    const double h = h2 > 0 ? std::sqrt(h2) : 0.0;
    const Vec base = p.c + e * along;
    if (h <= tol) {
        out[0] = base;
        return 1;
    }
    out[0] = base + leftNormal(e) * h;
    out[1] = base - leftNormal(e) * h;
    return 2;
}

int carrierPoints(const Piece& p, const Piece& q, double tol, Vec out[2]) {
    if (!p.arc && !q.arc)
        return lineLinePoints(p, q, out);
    if (!p.arc)
        return lineCirclePoints(p, q, tol, out);
    if (!q.arc)
        return lineCirclePoints(q, p, tol, out);
    return circleCirclePoints(p, q, tol, out);
}

// A point common to two pieces with its parameter on each.
struct Hit {
    Vec pt;
    double tp, tq;
};

// Parameter tolerance of a piece for a distance tolerance.
double paramTol(const Piece& p, double tol) {
    return tol / std::max(pieceLength(p), tol);
}

// Clamps t into [0, 1]; false when it lies further outside than the tolerance.
bool clampParam(const Piece& p, double tol, double& t) {
    const double slack = paramTol(p, tol);
    if (t < -slack || t > 1 + slack)
        return false;
    t = std::min(1.0, std::max(0.0, t));
    return true;
}

// Pieces on one carrier (collinear lines, co-circular arcs): the ends of each inside the other.
void overlapHits(const Piece& p, const Piece& q, double tol, std::vector<Hit>& hits) {
    const Vec ends[4] = {q.a, q.b, p.a, p.b};
    for (int k = 0; k < 4; ++k) {
        double tp = k < 2 ? paramOf(p, ends[k]) : (k == 2 ? 0.0 : 1.0);
        double tq = k < 2 ? (k == 0 ? 0.0 : 1.0) : paramOf(q, ends[k]);
        if (clampParam(p, tol, tp) && clampParam(q, tol, tq))
            hits.push_back({ends[k], tp, tq});
    }
}

bool sameCarrier(const Piece& p, const Piece& q, double tol) {
    if (p.arc != q.arc)
        return false;
    if (p.arc)
        return dist(p.c, q.c) <= tol && std::abs(p.r - q.r) <= tol;
    const Vec u = unit(p.b - p.a);
    if (std::abs(cross(u, unit(q.b - q.a))) > kParallelSin)
        return false;
    return std::abs(cross(u, q.a - p.a)) <= tol && std::abs(cross(u, q.b - p.a)) <= tol;
}

// Appends the points the two pieces have in common.
void pieceHits(const Piece& p, const Piece& q, double tol, std::vector<Hit>& hits) {
    if (sameCarrier(p, q, tol)) {
        overlapHits(p, q, tol, hits);
        return;
    }
    Vec pts[2];
    const int n = carrierPoints(p, q, tol, pts);
    for (int k = 0; k < n; ++k) {
        double tp = paramOf(p, pts[k]), tq = paramOf(q, pts[k]);
        if (clampParam(p, tol, tp) && clampParam(q, tol, tq))
            hits.push_back({pts[k], tp, tq});
    }
}

// ---------------------------------------------------------------------------------------------
// Tolerances

struct Tolerances {
    double join;    // coincidence of input points and of offset ends at a corner
    double merge;   // two result points are one node
    double filter;  // margin under |d| before a piece counts as too close
};

// Largest coordinate magnitude of a set of pieces (arcs by their circle).
double extentOf(const std::vector<Piece>& pieces) {
    double m = 0;
    for (const Piece& p : pieces) {
        m = std::max({m, std::abs(p.a.x), std::abs(p.a.y), std::abs(p.b.x), std::abs(p.b.y)});
        if (p.arc)
            m = std::max({m, std::abs(p.c.x) + p.r, std::abs(p.c.y) + p.r});
    }
    return m;
}

// ---------------------------------------------------------------------------------------------
// Point nodes: points closer than the merge tolerance are one node

class NodeSet {
public:
    explicit NodeSet(double tol) : tol_(tol), cell_(2 * tol) {}

    int insert(Vec q) {
        const int64_t cx = cellOf(q.x), cy = cellOf(q.y);
        for (int64_t dx = -1; dx <= 1; ++dx)
            for (int64_t dy = -1; dy <= 1; ++dy) {
                auto it = cells_.find(key(cx + dx, cy + dy));
                if (it == cells_.end())
                    continue;
                for (int id : it->second)
                    if (dist(points_[id], q) <= tol_)
                        return id;
            }
        const int id = static_cast<int>(points_.size());
        points_.push_back(q);
        cells_[key(cx, cy)].push_back(id);
        return id;
    }

    Vec point(int id) const { return points_[id]; }

private:
    int64_t cellOf(double v) const {
        const double c = std::floor(v / cell_);
        return static_cast<int64_t>(std::max(-1e15, std::min(1e15, c)));
    }
    static uint64_t key(int64_t x, int64_t y) {
        return static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(y);
    }

    double tol_, cell_;
    std::vector<Vec> points_;
    std::unordered_map<uint64_t, std::vector<int>> cells_;
};

// ---------------------------------------------------------------------------------------------
// Input cleaning

// The input as contiguous pieces: zero-length pieces dropped, gaps bridged by straight pieces,
// a closed chain closed. False on non-finite input.
bool cleanChain(const std::vector<OffsetPiece>& chain, bool closed, double tol,
                std::vector<Piece>& out) {
    for (const OffsetPiece& p : chain)
        if (!isFinitePiece(p))
            return false;
    for (const OffsetPiece& op : chain) {
        Piece p;
        if (!readPiece(op, tol, p))
            continue;
        if (!out.empty() && dist(out.back().b, p.a) > tol)
            out.push_back(linePiece(out.back().b, p.a));
        out.push_back(p);
    }
    if (closed && out.size() > 1 && dist(out.back().b, out.front().a) > tol)
        out.push_back(linePiece(out.back().b, out.front().a));
    return true;
}

// ---------------------------------------------------------------------------------------------
// Raw offset: offset pieces joined at the corners

class RawOffset {
public:
    RawOffset(const std::vector<Piece>& src, bool closed, double d, const Tolerances& tol)
        : src_(src), closed_(closed), d_(d), tol_(tol) {}

    // The raw offset as one sequence of pieces (closed when the input is).
    std::vector<Piece> build() {
        offsetAll();
        const size_t m = items_.size();
        std::vector<std::vector<Piece>> links(m);
        for (size_t k = 0; k + 1 < m; ++k)
            links[k] = join(k, k + 1);
        if (closed_ && m > 0)
            links[m - 1] = join(m - 1, 0);
        std::vector<Piece> raw;
        for (size_t k = 0; k < m; ++k) {
            raw.push_back(items_[k].piece);
            raw.insert(raw.end(), links[k].begin(), links[k].end());
        }
        return raw;
    }

    // Curves that only split the raw offset where the distance to the input passes |d|.
    const std::vector<Piece>& splitters() const { return splitters_; }

private:
    struct Item {
        Piece piece;
        size_t src;
        std::vector<Vec>
            collapsedBefore;  // centres of collapsed arcs between it and its predecessor
    };

    void offsetAll() {
        std::vector<Vec> pending;
        for (size_t i = 0; i < src_.size(); ++i) {
            Piece p;
            if (offsetPiece(src_[i], d_, tol_.merge, p)) {
                items_.push_back({p, i, pending});
                pending.clear();
            } else {
                pending.push_back(src_[i].c);
            }
        }
        // A closed chain's trailing collapsed arcs precede its first piece.
        if (closed_ && !items_.empty())
            items_.front().collapsedBefore.insert(items_.front().collapsedBefore.begin(),
                                                  pending.begin(), pending.end());
    }

    // Connects item k's end to item l's start, adjusting both; returns the pieces in between.
    std::vector<Piece> join(size_t k, size_t l) {
        Piece& P = items_[k].piece;
        Piece& Q = items_[l].piece;
        if (k == l || !items_[l].collapsedBefore.empty()) {
            std::vector<Vec> path{P.b};
            path.insert(path.end(), items_[l].collapsedBefore.begin(),
                        items_[l].collapsedBefore.end());
            path.push_back(Q.a);
            return polyline(path);
        }
        if (dist(P.b, Q.a) <= tol_.join) {
            Q.a = P.b;
            return {};
        }
        return joinCorner(P, src_[items_[k].src], Q, src_[items_[l].src]);
    }

    // Joins at a vertex of the input between pieces sp and sq.
    std::vector<Piece> joinCorner(Piece& P, const Piece& sp, Piece& Q, const Piece& sq) {
        const Vec tp = endTangent(sp), tq = startTangent(sq), corner = sp.b;
        const double turn = cross(tp, tq), along = dot(tp, tq);
        const bool parallel = std::abs(turn) <= kParallelSin;
        if (parallel && along > 0)
            return {linePiece(P.b, Q.a)};
        // The corner opens a gap on the offset side when it turns away from it (or reverses).
        const bool convex = parallel || turn * d_ < 0;
        if (convex) {
            const Vec a = P.b, b = Q.a;
            if (!extendToMeet(P, Q, corner))
                return filletOrChord(a, b, corner);
            // The round corner the mitre stands for still bounds where the distance drops
            // below |d|: keep it to split other pieces that pass the corner.
            std::vector<Piece> round = filletOrChord(a, b, corner);
            if (round.front().arc)
                splitters_.push_back(round.front());
            return {};
        }
        if (!P.arc && !Q.arc && along >= 0 && trimLines(P, Q))
            return {};
        // The overlap becomes a loop through the input vertex, cut away later.
        return polyline({P.b, corner, Q.a});
    }

    // Extends P's end and Q's start to the carriers' common point nearest the corner.
    bool extendToMeet(Piece& P, Piece& Q, Vec corner) {
        Vec pts[2];
        const int n = carrierPoints(P, Q, tol_.merge, pts);
        int best = -1;
        for (int k = 0; k < n; ++k)
            if (extendsEnd(P, pts[k]) && extendsStart(Q, pts[k]) &&
                (best < 0 || dist(pts[k], corner) < dist(pts[best], corner)))
                best = k;
        if (best < 0)
            return false;
        moveEnd(P, pts[best]);
        moveStart(Q, pts[best]);
        return true;
    }

    // Whether x lies on P's carrier ahead of its end (by less than half a turn for arcs).
    bool extendsEnd(const Piece& P, Vec x) const {
        if (!P.arc)
            return dot(x - P.b, P.b - P.a) >= -tol_.join * norm(P.b - P.a);
        const double ahead = wrapSigned((angleOf(x - P.c) - (P.a0 + P.sw)) * sign(P.sw));
        return ahead >= -tol_.join / P.r;
    }

    // Whether x lies on Q's carrier behind its start.
    bool extendsStart(const Piece& Q, Vec x) const {
        if (!Q.arc)
            return dot(Q.a - x, Q.b - Q.a) >= -tol_.join * norm(Q.b - Q.a);
        const double behind = wrapSigned((Q.a0 - angleOf(x - Q.c)) * sign(Q.sw));
        return behind >= -tol_.join / Q.r;
    }

    static void moveEnd(Piece& P, Vec x) {
        if (P.arc)
            P.sw += sign(P.sw) * wrapSigned((angleOf(x - P.c) - (P.a0 + P.sw)) * sign(P.sw));
        P.b = x;
    }

    static void moveStart(Piece& Q, Vec x) {
        if (Q.arc) {
            const double angle = angleOf(x - Q.c);
            Q.sw += sign(Q.sw) * wrapSigned((Q.a0 - angle) * sign(Q.sw));
            Q.a0 = angle;
        }
        Q.a = x;
    }

    // Cuts two straight pieces back to their crossing when it lies on both.
    bool trimLines(Piece& P, Piece& Q) const {
        Vec x[2];
        if (lineLinePoints(P, Q, x) != 1)
            return false;
        const double tp = paramOf(P, x[0]), tq = paramOf(Q, x[0]);
        if (tp < 0 || tp > 1 || tq < 0 || tq > 1)
            return false;
        P.b = x[0];
        Q.a = x[0];
        return true;
    }

    // An arc about the corner from a to b when both lie at the distance from it, else a chord.
    std::vector<Piece> filletOrChord(Vec a, Vec b, Vec corner) const {
        const double r = std::abs(d_), slack = 1e-6 * r + tol_.join;
        if (std::abs(dist(a, corner) - r) > slack || std::abs(dist(b, corner) - r) > slack)
            return {linePiece(a, b)};
        // A gap on the left side opens on a right turn: the fillet runs clockwise.
        const double s = d_ > 0 ? -1.0 : 1.0;
        const double sweep = wrapPositive((angleOf(b - corner) - angleOf(a - corner)) * s);
        if (sweep * r <= tol_.merge)
            return {linePiece(a, b)};
        return {arcPiece(corner, r, a, b, s * sweep)};
    }

    static std::vector<Piece> polyline(const std::vector<Vec>& pts) {
        std::vector<Piece> out;
        for (size_t k = 0; k + 1 < pts.size(); ++k)
            out.push_back(linePiece(pts[k], pts[k + 1]));
        return out;
    }

    const std::vector<Piece>& src_;
    bool closed_;
    double d_;
    Tolerances tol_;
    std::vector<Item> items_;
    std::vector<Piece> splitters_;
};

// ---------------------------------------------------------------------------------------------
// Splitting, filtering and chaining

// A stretch of a raw piece between two nodes.
struct Sub {
    int seg;
    double t0, t1;
    int n0, n1;
};

bool isDegenerate(const Piece& p, double tol) {
    return pieceLength(p) <= tol;
}

class Trimmer {
public:
    // raw: the offset chain; splitters: curves that only cut it.
    Trimmer(std::vector<Piece> raw, const std::vector<Piece>& splitters, bool closed,
            const Tolerances& tol)
        : raw_(std::move(raw)),
          chainSize_(raw_.size()),
          closed_(closed),
          tol_(tol),
          nodes_(tol.merge) {
        raw_.insert(raw_.end(), splitters.begin(), splitters.end());
    }

    // Splits the raw offset at its self-intersections into sub-pieces.
    std::vector<Sub> split() {
        std::vector<std::vector<std::pair<double, int>>> cuts(raw_.size());
        for (size_t k = 0; k < raw_.size(); ++k) {
            cuts[k].push_back({0.0, nodes_.insert(raw_[k].a)});
            cuts[k].push_back({1.0, nodes_.insert(raw_[k].b)});
        }
        findCrossings(cuts);
        std::vector<Sub> subs;
        for (size_t k = 0; k < chainSize_; ++k)
            appendSubs(static_cast<int>(k), cuts[k], subs);
        return subs;
    }

    const Piece& piece(int seg) const { return raw_[seg]; }
    Vec node(int id) const { return nodes_.point(id); }

private:
    void findCrossings(std::vector<std::vector<std::pair<double, int>>>& cuts) {
        std::vector<Box> boxes;
        boxes.reserve(raw_.size());
        for (const Piece& p : raw_)
            boxes.push_back(pieceBox(p, tol_.merge));
        const BoxTree tree(boxes);
        std::vector<Hit> hits;
        for (size_t i = 0; i < chainSize_; ++i) {
            tree.query(boxes[i], [&](int j) {
                if (static_cast<size_t>(j) <= i)
                    return false;
                hits.clear();
                pieceHits(raw_[i], raw_[j], tol_.merge, hits);
                for (const Hit& h : hits)
                    addCrossing(i, static_cast<size_t>(j), h, cuts);
                return false;
            });
        }
    }

    // Records a crossing on both pieces, except the joint neighbours already share.
    void addCrossing(size_t i, size_t j, const Hit& h,
                     std::vector<std::vector<std::pair<double, int>>>& cuts) {
        const size_t n = chainSize_;
        if (j == i + 1 && j < n && dist(h.pt, raw_[i].b) <= tol_.merge)
            return;
        if (closed_ && i == 0 && j == n - 1 && dist(h.pt, raw_[i].a) <= tol_.merge)
            return;
        const int id = nodes_.insert(h.pt);
        cuts[i].push_back({h.tp, id});
        cuts[j].push_back({h.tq, id});
    }

    void appendSubs(int seg, std::vector<std::pair<double, int>>& cuts, std::vector<Sub>& subs) {
        std::sort(cuts.begin(), cuts.end());
        const double length = pieceLength(raw_[seg]);
        size_t from = 0;
        for (size_t k = 1; k < cuts.size(); ++k) {
            const bool sameNode = cuts[k].second == cuts[from].second;
            if (sameNode && (cuts[k].first - cuts[from].first) * length <= 4 * tol_.merge)
                continue;
            subs.push_back(
                {seg, cuts[from].first, cuts[k].first, cuts[from].second, cuts[k].second});
            from = k;
        }
    }

    std::vector<Piece> raw_;  // the chain's pieces, then the splitters
    size_t chainSize_;
    bool closed_;
    Tolerances tol_;
    NodeSet nodes_;
};

// Whether some input piece comes within `reach` of q.
bool anyWithin(const BoxTree& tree, const std::vector<Piece>& src, Vec q, double reach) {
    return tree.query(boxAround(q, reach),
                      [&](int k) { return distanceToPiece(src[k], q) < reach; });
}

// Keeps the sub-pieces whose middle stays at least |d| (less the margin) from the input.
std::vector<Sub> keepFarEnough(const std::vector<Sub>& subs, const Trimmer& trimmer,
                               const std::vector<Piece>& src, double d, const Tolerances& tol) {
    std::vector<Box> boxes;
    boxes.reserve(src.size());
    for (const Piece& p : src)
        boxes.push_back(pieceBox(p, 0));
    const BoxTree tree(boxes);
    const double reach = std::abs(d) - tol.filter;
    std::vector<Sub> kept;
    for (const Sub& s : subs) {
        const Vec mid = evalPiece(trimmer.piece(s.seg), (s.t0 + s.t1) / 2);
        if (!anyWithin(tree, src, mid, reach))
            kept.push_back(s);
    }
    return kept;
}

// Drops sub-pieces that cannot lie on a loop: a start no piece reaches or an end nothing leaves.
std::vector<Sub> pruneDangling(const std::vector<Sub>& subs) {
    std::unordered_map<int, std::vector<int>> leaving, entering;
    for (size_t k = 0; k < subs.size(); ++k) {
        leaving[subs[k].n0].push_back(static_cast<int>(k));
        entering[subs[k].n1].push_back(static_cast<int>(k));
    }
    std::unordered_map<int, int> in, out;
    for (const Sub& s : subs) {
        ++out[s.n0];
        ++in[s.n1];
    }
    std::vector<bool> gone(subs.size(), false);
    std::vector<int> work;
    for (size_t k = 0; k < subs.size(); ++k)
        work.push_back(static_cast<int>(k));
    while (!work.empty()) {
        const int k = work.back();
        work.pop_back();
        if (gone[k] || (in[subs[k].n0] > 0 && out[subs[k].n1] > 0))
            continue;
        gone[k] = true;
        // Removing it may strand the pieces around its two nodes.
        if (--out[subs[k].n0] == 0)
            for (int e : entering[subs[k].n0])
                work.push_back(e);
        if (--in[subs[k].n1] == 0)
            for (int l : leaving[subs[k].n1])
                work.push_back(l);
    }
    std::vector<Sub> kept;
    for (size_t k = 0; k < subs.size(); ++k)
        if (!gone[k])
            kept.push_back(subs[k]);
    return kept;
}

// Follows sub-pieces end to start into chains. Sub-pieces arrive sorted in raw order.
class Chainer {
public:
    Chainer(const std::vector<Sub>& subs, bool closed) : subs_(subs), closed_(closed) {
        used_.assign(subs.size(), false);
        for (size_t k = 0; k < subs.size(); ++k) {
            leaving_[subs[k].n0].push_back(static_cast<int>(k));
            ++entering_[subs[k].n1];
        }
    }

    // Chains as lists of sub-piece indices; closed ones end at their start node.
    std::vector<std::vector<int>> run() {
        std::vector<std::vector<int>> chains;
        if (!closed_) {
            for (size_t k = 0; k < subs_.size(); ++k)
                if (!used_[k] && entering_[subs_[k].n0] == 0)
                    chains.push_back(follow(k));
        }
        for (size_t k = 0; k < subs_.size(); ++k) {
            if (used_[k])
                continue;
            std::vector<int> chain = follow(k);
            const bool loops = subs_[chain.back()].n1 == subs_[chain.front()].n0;
            if (loops || !closed_)
                chains.push_back(std::move(chain));
        }
        return chains;
    }

private:
    std::vector<int> follow(size_t first) {
        std::vector<int> chain{static_cast<int>(first)};
        used_[first] = true;
        const int start = subs_[first].n0;
        while (subs_[chain.back()].n1 != start) {
            const int next = nextFrom(chain.back());
            if (next < 0)
                break;
            used_[next] = true;
            chain.push_back(next);
        }
        return chain;
    }

    // The unused piece leaving the current end that comes soonest after `current` in raw order.
    int nextFrom(int current) const {
        auto it = leaving_.find(subs_[current].n1);
        if (it == leaving_.end())
            return -1;
        int wrapped = -1;
        for (int k : it->second) {
            if (used_[k])
                continue;
            if (k > current)
                return k;
            if (wrapped < 0)
                wrapped = k;
        }
        return wrapped;
    }

    const std::vector<Sub>& subs_;
    bool closed_;
    std::vector<bool> used_;
    std::unordered_map<int, std::vector<int>> leaving_;
    std::unordered_map<int, int> entering_;
};

// Appends a sub-piece as output pieces (long arcs in two halves).
void emit(const Sub& s, const Trimmer& trimmer, std::vector<OffsetPiece>& out) {
    const Piece& p = trimmer.piece(s.seg);
    const Vec a = trimmer.node(s.n0), b = trimmer.node(s.n1);
    if (!p.arc) {
        out.push_back({a.x, a.y, b.x, b.y, 0.0});
        return;
    }
    const double sweep = p.sw * (s.t1 - s.t0);
    if (std::abs(sweep) <= kMaxEmittedSweep) {
        out.push_back({a.x, a.y, b.x, b.y, std::tan(sweep / 4)});
        return;
    }
    const Vec m = evalPiece(p, (s.t0 + s.t1) / 2);
    const double half = std::tan(sweep / 8);
    out.push_back({a.x, a.y, m.x, m.y, half});
    out.push_back({m.x, m.y, b.x, b.y, half});
}

// Output pieces of one chain, rejoining neighbouring stretches of the same raw piece.
std::vector<OffsetPiece> emitChain(const std::vector<int>& chain, const std::vector<Sub>& subs,
                                   const Trimmer& trimmer) {
    std::vector<Sub> merged;
    for (int k : chain) {
        const Sub& s = subs[k];
        if (!merged.empty() && merged.back().seg == s.seg && merged.back().t1 == s.t0 &&
            merged.back().n1 == s.n0) {
            merged.back().t1 = s.t1;
            merged.back().n1 = s.n1;
        } else {
            merged.push_back(s);
        }
    }
    std::vector<OffsetPiece> out;
    for (const Sub& s : merged)
        emit(s, trimmer, out);
    return out;
}

// The cleaned input returned unchanged, for offsets too small to move anything.
std::vector<std::vector<OffsetPiece>> copyOfInput(const std::vector<Piece>& src) {
    std::vector<OffsetPiece> out;
    for (const Piece& p : src)
        out.push_back({p.a.x, p.a.y, p.b.x, p.b.y, p.arc ? std::tan(p.sw / 4) : 0.0});
    return {out};
}

// A full circle as two half arcs.
void addCircle(Vec c, double r, std::vector<Piece>& out) {
    const Vec east = c + Vec{r, 0}, west = c - Vec{r, 0};
    out.push_back(arcPiece(c, r, east, west, kPi));
    out.push_back(arcPiece(c, r, west, east, kPi));
}

// An open chain's offset also changes sides of |d| where it meets the other side's offset or the
// circles about the chain's two ends.
void addOpenChainSplitters(const std::vector<Piece>& src, double d, const Tolerances& tol,
                           std::vector<Piece>& splitters) {
    RawOffset other(src, false, -d, tol);
    const std::vector<Piece> raw = other.build();
    splitters.insert(splitters.end(), raw.begin(), raw.end());
    splitters.insert(splitters.end(), other.splitters().begin(), other.splitters().end());
    addCircle(src.front().a, std::abs(d), splitters);
    addCircle(src.back().b, std::abs(d), splitters);
}

}  // namespace

std::vector<std::vector<OffsetPiece>> trimmedOffset(const std::vector<OffsetPiece>& chain,
                                                    bool closed, double distance, double tol) {
    if (!std::isfinite(distance) || !std::isfinite(tol))
        return {};
    tol = std::max(tol, 0.0);
    std::vector<Piece> src;
    if (!cleanChain(chain, closed, std::max(tol, kRelativeFloor), src) || src.empty())
        return {};
    const double scale = std::max(extentOf(src), std::abs(distance));
    const double numericFloor = kRelativeFloor * std::max(scale, 1e-300);
    if (std::abs(distance) <= numericFloor)
        return copyOfInput(src);
    Tolerances tols;
    tols.join = std::max(tol, numericFloor);
    tols.merge = std::max(std::min(tols.join, 0.01 * std::abs(distance)), numericFloor);
    tols.filter = std::max(std::min(tols.join, 1e-3 * std::abs(distance)), numericFloor);

    RawOffset offset(src, closed, distance, tols);
    std::vector<Piece> raw = offset.build();
    std::vector<Piece> splitters = offset.splitters();
    if (!closed)
        addOpenChainSplitters(src, distance, tols, splitters);
    tols.merge = std::max(tols.merge, kRelativeFloor * extentOf(raw));
    std::vector<Piece> kept;
    for (const Piece& p : raw)
        if (!isDegenerate(p, tols.merge / 2))
            kept.push_back(p);
    if (kept.empty())
        return {};

    Trimmer trimmer(std::move(kept), splitters, closed, tols);
    std::vector<Sub> subs = keepFarEnough(trimmer.split(), trimmer, src, distance, tols);
    if (closed)
        subs = pruneDangling(subs);
    std::vector<std::vector<OffsetPiece>> result;
    for (const std::vector<int>& c : Chainer(subs, closed).run())
        result.push_back(emitChain(c, subs, trimmer));
    return result;
}

}  // namespace acge_detail
