// Grid scaling and the nesting of non-crossing rings by exact integer containment.
#include "platform/gpc/grid_rings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>

namespace gpc_detail {
namespace {

// Powers of two beyond this exponent are applied with ldexp, which handles the extremes exactly.
constexpr int kDirectScaleLimit = 1000;

// Result contours do not cross, so probing a few edge midpoints is enough to find one that lies
// on no other contour's boundary; beyond this many the last probe decides, boundaries counting
// as outside.
constexpr std::size_t kMaxProbes = 16;

// Probe points lie at edge midpoints and triangle centroids: grid coordinates scaled by this
// keep them integral.
constexpr ClipperLib::cInt kProbeScale = 6;

// A grid point with both coordinates scaled by kProbeScale.
struct Scaled {
    ClipperLib::cInt x;
    ClipperLib::cInt y;
};

Scaled scaled(const ClipperLib::IntPoint& p) {
    return {kProbeScale * p.X, kProbeScale * p.Y};
}

// Midpoint of the edge from vertex i to its successor, scaled.
Scaled edgeMidpoint(const ClipperLib::Path& ring, std::size_t i) {
    const ClipperLib::IntPoint& a = ring[i];
    const ClipperLib::IntPoint& b = ring[(i + 1) % ring.size()];
    return {kProbeScale / 2 * (a.X + b.X), kProbeScale / 2 * (a.Y + b.Y)};
}

// Twice the signed area (positive counter-clockwise), exact: the sum wraps modulo 2^128 on the
// way but its final value is far inside the range.
Wide twiceArea(const ClipperLib::Path& ring) {
    WideBits sum = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const Wide term = Wide(ring[j].X) * ring[i].Y - Wide(ring[i].X) * ring[j].Y;
        sum += static_cast<WideBits>(term);
    }
    return static_cast<Wide>(sum);
}

bool holds(const Box& b, const Scaled& p) {
    return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY;
}

// An engine rounds crossings to the grid, so a contour held by another may poke a grid unit or
// two out of it near a common corner: boxes are compared with this much slack, in scaled units.
constexpr ClipperLib::cInt kBoxSlack = 4 * kProbeScale;

// Whether `inner` may lie inside `outer`: its box within the other's, up to the slack.
bool holds(const Box& outer, const Box& inner) {
    return inner.minX >= outer.minX - kBoxSlack && inner.maxX <= outer.maxX + kBoxSlack &&
           inner.minY >= outer.minY - kBoxSlack && inner.maxY <= outer.maxY + kBoxSlack;
}

Box boxOf(const ClipperLib::Path& ring) {
    const Scaled first = scaled(ring[0]);
    Box b{first.x, first.y, first.x, first.y};
    for (const ClipperLib::IntPoint& q : ring) {
        const Scaled p = scaled(q);
        b = {std::min(b.minX, p.x), std::min(b.minY, p.y), std::max(b.maxX, p.x),
             std::max(b.maxY, p.y)};
    }
    return b;
}

enum class Side { kOutside, kInside, kBoundary };

// Where p lies relative to the ring, decided exactly by crossings of the ray towards +x.
Side locate(const ClipperLib::Path& ring, const Scaled& p) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const Scaled u = scaled(ring[j]), v = scaled(ring[i]);
        const Wide cross = Wide(v.x - u.x) * (p.y - u.y) - Wide(v.y - u.y) * (p.x - u.x);
        if (cross == 0 && p.x >= std::min(u.x, v.x) && p.x <= std::max(u.x, v.x) &&
            p.y >= std::min(u.y, v.y) && p.y <= std::max(u.y, v.y)) {
            return Side::kBoundary;
        }
        // An edge straddling p's height crosses the ray when p is left of it going upwards.
        if ((u.y > p.y) != (v.y > p.y) && (cross > 0) == (v.y > u.y)) {
            inside = !inside;
        }
    }
    return inside ? Side::kInside : Side::kOutside;
}

Wide magnitude(Wide v) {
    return v < 0 ? -v : v;
}

// Contour indices from the largest area down; equal areas keep their listed order. Whatever
// holds a contour comes before it, and the order has no cycles even for unexpected input.
std::vector<int> byAreaDescending(const std::vector<Contour>& cs) {
    std::vector<int> order(cs.size());
    for (std::size_t i = 0; i < cs.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_sort(order.begin(), order.end(), [&cs](int a, int b) {
        return magnitude(cs[a].area2) > magnitude(cs[b].area2);
    });
    return order;
}

// Contours bucketed by the cells of a grid their boxes overlap, cut at quantiles of the boxes'
// sides so that clustered contours spread over many cells, and a probe meets only the contours
// near it. Contours spanning many cells are kept in one list every probe meets, which keeps the
// buckets small.
class BoxIndex {
public:
    explicit BoxIndex(const std::vector<Contour>& cs) : cs_(cs) {
        std::vector<ClipperLib::cInt> xs, ys;
        xs.reserve(2 * cs.size());
        ys.reserve(2 * cs.size());
        for (const Contour& c : cs) {
            xs.insert(xs.end(), {c.box.minX, c.box.maxX});
            ys.insert(ys.end(), {c.box.minY, c.box.maxY});
        }
        const auto side = static_cast<std::size_t>(std::ceil(std::sqrt(cs.size())));
        xCuts_ = quantileCuts(std::move(xs), std::min(side, kMaxCellsPerSide));
        yCuts_ = quantileCuts(std::move(ys), std::min(side, kMaxCellsPerSide));
        cells_.resize(xCuts_.size() * yCuts_.size());
        for (std::size_t i = 0; i < cs.size(); ++i) {
            insert(static_cast<int>(i));
        }
    }

    // Appends every contour whose box holds p.
    void collectHolding(const Scaled& p, std::vector<int>& out) const {
        for (const std::vector<int>* list :
             {&spanning_, &cells_[cellIndex(cellAmong(xCuts_, p.x), cellAmong(yCuts_, p.y))]}) {
            for (int i : *list) {
                if (holds(cs_[i].box, p)) {
                    out.push_back(i);
                }
            }
        }
    }

private:
    static constexpr std::size_t kMaxCellsPerSide = 1024;
    static constexpr int kMaxCellsPerContour = 16;

    std::size_t cellIndex(int x, int y) const {
        return static_cast<std::size_t>(y) * xCuts_.size() + static_cast<std::size_t>(x);
    }

    void insert(int i) {
        const Box& b = cs_[i].box;
        const int x0 = cellAmong(xCuts_, b.minX), x1 = cellAmong(xCuts_, b.maxX);
        const int y0 = cellAmong(yCuts_, b.minY), y1 = cellAmong(yCuts_, b.maxY);
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCellsPerContour) {
            spanning_.push_back(i);
            return;
        }
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                cells_[cellIndex(x, y)].push_back(i);
            }
        }
    }

    const std::vector<Contour>& cs_;
    std::vector<ClipperLib::cInt> xCuts_, yCuts_;
    std::vector<std::vector<int>> cells_;
    std::vector<int> spanning_;
};

// What nesting needs: the contours, their ranks by area and an index of their boxes.
struct Nesting {
    const std::vector<Contour>& cs;
    std::vector<int> rankOf;
    BoxIndex boxes;
};

// The smallest contour ranked before contour c with p strictly inside; -1 when none. Flags
// `touched` when p lies on the boundary of a contour examined on the way. Only contours whose
// box holds c's whole box qualify: a needle-thin piece can have a probe a grid step inside a
// neighbour that it merely touches.
int innermostHolder(const Nesting& n, int c, const Scaled& p, bool& touched) {
    const int rank = n.rankOf[c];
    std::vector<int> holders;
    n.boxes.collectHolding(p, holders);
    holders.erase(std::remove_if(holders.begin(), holders.end(),
                                 [&n, rank, c](int i) {
                                     return n.rankOf[i] >= rank || !holds(n.cs[i].box, n.cs[c].box);
                                 }),
                  holders.end());
    std::sort(holders.begin(), holders.end(),
              [&n](int a, int b) { return n.rankOf[a] > n.rankOf[b]; });
    for (int i : holders) {
        const Side side = locate(*n.cs[i].ring, p);
        if (side == Side::kInside) {
            return i;
        }
        touched = touched || side == Side::kBoundary;
    }
    return -1;
}

Wide turn(const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b,
          const ClipperLib::IntPoint& c) {
    return Wide(b.X - a.X) * (c.Y - a.Y) - Wide(b.Y - a.Y) * (c.X - a.X);
}

bool sameSideOrOn(Wide t, Wide sense) {
    return t == 0 || (t > 0) == (sense > 0);
}

// The centroid of the corner at the ring's lowest vertex, scaled, when that corner is a proper
// triangle holding no other vertex of the ring even on its sides: then the point lies strictly
// inside the ring, away from its edges.
bool cornerCentroid(const ClipperLib::Path& ring, Scaled& out) {
    const std::size_t n = ring.size();
    std::size_t v = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (ring[i].Y < ring[v].Y || (ring[i].Y == ring[v].Y && ring[i].X < ring[v].X)) {
            v = i;
        }
    }
    const std::size_t u = (v + n - 1) % n, w = (v + 1) % n;
    const Wide sense = turn(ring[u], ring[v], ring[w]);
    if (sense == 0) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const ClipperLib::IntPoint& q = ring[i];
        if (i != u && i != v && i != w && sameSideOrOn(turn(ring[u], ring[v], q), sense) &&
            sameSideOrOn(turn(ring[v], ring[w], q), sense) &&
            sameSideOrOn(turn(ring[w], ring[u], q), sense)) {
            return false;
        }
    }
    out = {kProbeScale / 3 * (ring[u].X + ring[v].X + ring[w].X),
           kProbeScale / 3 * (ring[u].Y + ring[v].Y + ring[w].Y)};
    return true;
}

// The contour directly holding contour i, probed at edge midpoints spread over it. Probes on a
// boundary decide nothing; of the others two that agree decide, since a strictly simple pass
// can leave a probe a grid step across a neighbour the contour only runs along.
int parentOf(const Nesting& n, int i) {
    const ClipperLib::Path& ring = *n.cs[i].ring;
    const std::size_t probes = std::min(ring.size(), kMaxProbes);
    std::vector<std::pair<int, int>> votes;  // holder, probes that found it
    for (std::size_t k = 0; k < probes; ++k) {
        bool touched = false;
        const int holder =
            innermostHolder(n, i, edgeMidpoint(ring, k * ring.size() / probes), touched);
        if (touched) {
            continue;
        }
        auto vote = std::find_if(votes.begin(), votes.end(),
                                 [holder](const auto& v) { return v.first == holder; });
        if (vote == votes.end()) {
            votes.emplace_back(holder, 1);
        } else if (++vote->second == 2) {
            return holder;
        }
    }
    if (!votes.empty()) {
        return votes.front().first;
    }
    // Every midpoint lay on a boundary: a point inside a corner may not.
    Scaled corner{};
    bool touched = false;
    const int holder = cornerCentroid(ring, corner) ? innermostHolder(n, i, corner, touched) : -2;
    if (holder != -2 && !touched) {
        return holder;
    }
    // Every probe lay on a boundary: only the engine's own nesting tells on which side it lies.
    const int tree = n.cs[i].treeParent;
    return tree >= 0 && n.rankOf[tree] < n.rankOf[i] && holds(n.cs[tree].box, n.cs[i].box) ? tree
                                                                                           : -1;
}

// Beyond this many passes through one point the pairwise check below would cost too much; so many
// rings meeting at one point are reported as overlapping, which costs only a repair pass.
constexpr std::size_t kMaxVisitsPerPoint = 64;

// One pass of a contour through a vertex: the point and the directions back and on along it.
struct Visit {
    ClipperLib::IntPoint at;
    ClipperLib::IntPoint back;
    ClipperLib::IntPoint on;
    int contour;
};

Wide cross(const ClipperLib::IntPoint& u, const ClipperLib::IntPoint& v) {
    return Wide(u.X) * v.Y - Wide(u.Y) * v.X;
}

Wide dot(const ClipperLib::IntPoint& u, const ClipperLib::IntPoint& v) {
    return Wide(u.X) * v.X + Wide(u.Y) * v.Y;
}

bool sameDirection(const ClipperLib::IntPoint& u, const ClipperLib::IntPoint& v) {
    return cross(u, v) == 0 && dot(u, v) > 0;
}

// Whether d lies in the half turn counter-clockwise from `base` (base itself included).
bool firstHalfFrom(const ClipperLib::IntPoint& base, const ClipperLib::IntPoint& d) {
    const Wide c = cross(base, d);
    return c > 0 || (c == 0 && dot(base, d) > 0);
}

// Whether u comes before v turning counter-clockwise from `base`, exactly.
bool turnsBefore(const ClipperLib::IntPoint& base, const ClipperLib::IntPoint& u,
                 const ClipperLib::IntPoint& v) {
    const bool hu = firstHalfFrom(base, u), hv = firstHalfFrom(base, v);
    return hu != hv ? hu : cross(u, v) > 0;
}

// The wedge a contour's inside fills next to one of its vertices: from `from` turning
// counter-clockwise to `to`.
struct Wedge {
    ClipperLib::IntPoint from, to;
};

Wedge insideWedge(const Contour& c, const ClipperLib::IntPoint& back,
                  const ClipperLib::IntPoint& on) {
    return c.area2 > 0 ? Wedge{on, back} : Wedge{back, on};
}

// Whether d lies strictly inside the wedge.
bool strictlyInside(const Wedge& w, const ClipperLib::IntPoint& d) {
    return !sameDirection(d, w.from) && turnsBefore(w.from, d, w.to);
}

bool wedgesMeet(const Wedge& a, const Wedge& b) {
    return sameDirection(a.from, b.from) || strictlyInside(a, b.from) || strictlyInside(b, a.from);
}

// Whether `inner` lies within `outer`, sides included.
bool wedgeWithin(const Wedge& inner, const Wedge& outer) {
    const auto notAfter = [&outer](const ClipperLib::IntPoint& u, const ClipperLib::IntPoint& v) {
        return !turnsBefore(outer.from, v, u);
    };
    return notAfter(inner.from, inner.to) && notAfter(inner.to, outer.to);
}

bool isAncestor(const std::vector<int>& parent, int ancestor, int c) {
    for (int p = parent[c]; p >= 0; p = parent[p]) {
        if (p == ancestor) {
            return true;
        }
    }
    return false;
}

// Whether two passes of one ring through a point overlap: their directions alternate around it,
// or they run one edge the same way. A ring touching itself has the two passes' sides apart.
bool passesCross(const Visit& a, const Visit& b) {
    if (sameDirection(a.back, b.back) || sameDirection(a.on, b.on)) {
        return true;
    }
    if (sameDirection(a.back, b.on) || sameDirection(a.on, b.back)) {
        return false;  // one edge run both ways: a slit, not an overlap
    }
    const ClipperLib::IntPoint base = a.back;
    std::pair<ClipperLib::IntPoint, bool> dirs[] = {{a.on, true}, {b.back, false}, {b.on, false}};
    std::sort(std::begin(dirs), std::end(dirs), [&base](const auto& u, const auto& v) {
        return turnsBefore(base, u.first, v.first);
    });
    return dirs[0].second != dirs[1].second && dirs[1].second != dirs[2].second;
}

// Whether passes of two contours through one point overlap: the insides next to the point meet
// while neither contour holds the other, or the inside of the contour held leaves that of its
// holder there. Contours that cross there always overlap; contours along a common edge overlap
// when their insides lie on the same side of it, unless one holds the other.
bool visitsOverlap(const std::vector<Contour>& cs, const std::vector<int>& parent, const Visit& a,
                   const Visit& b) {
    if (a.contour == b.contour) {
        return passesCross(a, b);
    }
    const Wedge wa = insideWedge(cs[a.contour], a.back, a.on);
    const Wedge wb = insideWedge(cs[b.contour], b.back, b.on);
    if (isAncestor(parent, a.contour, b.contour)) {
        return !wedgeWithin(wb, wa);
    }
    if (isAncestor(parent, b.contour, a.contour)) {
        return !wedgeWithin(wa, wb);
    }
    return wedgesMeet(wa, wb);
}

// Every pass of every contour through a vertex, sorted by point.
std::vector<Visit> visitsOf(const std::vector<Contour>& cs) {
    std::vector<Visit> visits;
    for (std::size_t c = 0; c < cs.size(); ++c) {
        const GridRing& ring = *cs[c].ring;
        const std::size_t n = ring.size();
        for (std::size_t i = 0; i < n; ++i) {
            const ClipperLib::IntPoint& p = ring[i];
            const ClipperLib::IntPoint& prev = ring[(i + n - 1) % n];
            const ClipperLib::IntPoint& next = ring[(i + 1) % n];
            const Visit v{
                p, {prev.X - p.X, prev.Y - p.Y}, {next.X - p.X, next.Y - p.Y}, static_cast<int>(c)};
            if ((v.back.X != 0 || v.back.Y != 0) && (v.on.X != 0 || v.on.Y != 0)) {
                visits.push_back(v);
            }
        }
    }
    std::sort(visits.begin(), visits.end(), [](const Visit& u, const Visit& v) {
        return u.at.X != v.at.X ? u.at.X < v.at.X : u.at.Y < v.at.Y;
    });
    return visits;
}

// Whether any two passes in [first, last), all through one point, overlap.
bool anyVisitsOverlap(const std::vector<Contour>& cs, const std::vector<int>& parent,
                      const std::vector<Visit>& visits, std::size_t first, std::size_t last) {
    if (last - first > kMaxVisitsPerPoint) {
        return true;
    }
    for (std::size_t a = first; a < last; ++a) {
        for (std::size_t b = a + 1; b < last; ++b) {
            if (visitsOverlap(cs, parent, visits[a], visits[b])) {
                return true;
            }
        }
    }
    return false;
}

// Whether contours overlap where they meet at a vertex.
bool overlapAtVertices(const std::vector<Contour>& cs, const std::vector<int>& parent) {
    const std::vector<Visit> visits = visitsOf(cs);
    for (std::size_t first = 0, last = 0; first < visits.size(); first = last) {
        last = first + 1;
        while (last < visits.size() && visits[last].at == visits[first].at) {
            ++last;
        }
        if (anyVisitsOverlap(cs, parent, visits, first, last)) {
            return true;
        }
    }
    return false;
}

// One edge of positive length, from its end `from` to its end `to` along `dir` (which points to
// +x, or +y when upright), with the side its contour's inside lies on.
struct LinePiece {
    ClipperLib::IntPoint dir, from, to;
    bool insideLeft;
    int contour;
};

LinePiece pieceOf(const ClipperLib::IntPoint& p, const ClipperLib::IntPoint& q, bool ccw,
                  int contour) {
    const ClipperLib::IntPoint d{q.X - p.X, q.Y - p.Y};
    const bool forward = d.X > 0 || (d.X == 0 && d.Y > 0);
    return forward ? LinePiece{d, p, q, ccw, contour}
                   : LinePiece{{-d.X, -d.Y}, q, p, !ccw, contour};
}

ClipperLib::IntPoint minus(const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b) {
    return {a.X - b.X, a.Y - b.Y};
}

// Exact order of pieces: by direction, then by line (left of the other first), then by side,
// then along the line. Pieces on one line with their insides on one side come together. No
// direction is reduced, so lengths of all sizes compare exactly without a division.
bool pieceBefore(const LinePiece& u, const LinePiece& v) {
    if (const Wide turn = cross(u.dir, v.dir); turn != 0) {
        return turn > 0;
    }
    if (const Wide side = cross(u.dir, minus(v.from, u.from)); side != 0) {
        return side > 0;
    }
    if (u.insideLeft != v.insideLeft) {
        return v.insideLeft;
    }
    return dot(u.dir, minus(v.from, u.from)) > 0;
}

bool sameLineAndSide(const LinePiece& u, const LinePiece& v) {
    return cross(u.dir, v.dir) == 0 && cross(u.dir, minus(v.from, u.from)) == 0 &&
           u.insideLeft == v.insideLeft;
}

std::vector<LinePiece> piecesOf(const std::vector<Contour>& cs) {
    std::vector<LinePiece> pieces;
    for (std::size_t c = 0; c < cs.size(); ++c) {
        const GridRing& ring = *cs[c].ring;
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            if (!(ring[j] == ring[i])) {
                pieces.push_back(pieceOf(ring[j], ring[i], cs[c].area2 > 0, static_cast<int>(c)));
            }
        }
    }
    std::sort(pieces.begin(), pieces.end(), pieceBefore);
    return pieces;
}

// Whether two edges lie over one another for a positive length with both insides on the same
// side, neither contour holding the other: when one edge spans the other's whole length they
// share no vertex, and the check at vertices cannot see them.
bool overlapAlongEdges(const std::vector<Contour>& cs, const std::vector<int>& parent) {
    const std::vector<LinePiece> pieces = piecesOf(cs);
    std::vector<const LinePiece*> open;  // earlier pieces of the group still reaching on
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const LinePiece& piece = pieces[i];
        if (i == 0 || !sameLineAndSide(pieces[i - 1], piece)) {
            open.clear();
        }
        open.erase(std::remove_if(open.begin(), open.end(),
                                  [&piece](const LinePiece* o) {
                                      return dot(piece.dir, minus(o->to, piece.from)) <= 0;
                                  }),
                   open.end());
        if (open.size() > kMaxVisitsPerPoint) {
            return true;
        }
        for (const LinePiece* o : open) {
            if (!isAncestor(parent, o->contour, piece.contour) &&
                !isAncestor(parent, piece.contour, o->contour)) {
                return true;
            }
        }
        open.push_back(&piece);
    }
    return false;
}

// Converts one grid path back, oriented counter-clockwise for outers and clockwise for holes.
ResultContour fromPath(const Contour& c, bool hole, const GridScale& scale) {
    const ClipperLib::Path& path = *c.ring;
    ResultContour out{std::vector<gpc::gpc_vertex>(path.size()), hole};
    for (std::size_t i = 0; i < path.size(); ++i) {
        out.pts[i] = {scale.fromGrid(path[i].X), scale.fromGrid(path[i].Y)};
    }
    if ((c.area2 >= 0) == hole) {
        std::reverse(out.pts.begin(), out.pts.end());
    }
    return out;
}

// Whether a contour is no wider on average than two grid steps, as rounding crossings to the
// grid can make one whatever it should be: its area at most its perimeter.
bool isSliver(const Contour& c) {
    const GridRing& ring = *c.ring;
    Wide perimeter = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        perimeter +=
            magnitude(Wide(ring[i].X) - ring[j].X) + magnitude(Wide(ring[i].Y) - ring[j].Y);
    }
    return magnitude(c.area2) <= 2 * perimeter;
}

}  // namespace

std::vector<ClipperLib::cInt> quantileCuts(std::vector<ClipperLib::cInt> values,
                                           std::size_t cells) {
    std::sort(values.begin(), values.end());
    std::vector<ClipperLib::cInt> cuts;
    cuts.reserve(cells);
    for (std::size_t k = 0; k < cells && !values.empty(); ++k) {
        const ClipperLib::cInt v = values[k * values.size() / cells];
        if (cuts.empty() || cuts.back() != v) {
            cuts.push_back(v);
        }
    }
    return cuts;
}

GridScale::GridScale(double maxAbs) {
    int exponent = 0;
    std::frexp(maxAbs, &exponent);  // maxAbs < 2^exponent
    shift_ = kGridBits - exponent;
    direct_ = std::abs(shift_) <= kDirectScaleLimit;
    up_ = direct_ ? std::ldexp(1.0, shift_) : 0.0;
    down_ = direct_ ? std::ldexp(1.0, -shift_) : 0.0;
}

double maxAbsCoordinate(const std::vector<RingView>& a, const std::vector<RingView>& b) {
    double m = 0.0;
    for (const auto* rings : {&a, &b}) {
        for (const RingView& r : *rings) {
            for (int i = 0; i < r.count; ++i) {
                m = std::max(m, std::max(std::fabs(r.pts[i].x), std::fabs(r.pts[i].y)));
            }
        }
    }
    return m;
}

ClipperLib::Paths toPaths(const std::vector<RingView>& rings, const GridScale& scale) {
    ClipperLib::Paths paths(rings.size());
    for (std::size_t i = 0; i < rings.size(); ++i) {
        ClipperLib::Path& path = paths[i];
        path.reserve(static_cast<std::size_t>(rings[i].count));
        for (int k = 0; k < rings[i].count; ++k) {
            path.emplace_back(scale.toGrid(rings[i].pts[k].x), scale.toGrid(rings[i].pts[k].y));
        }
    }
    return paths;
}

std::vector<Contour> contoursOf(const std::vector<const GridRing*>& rings,
                                const std::vector<int>& treeParents) {
    std::vector<Contour> cs;
    cs.reserve(rings.size());
    std::vector<int> keptAs(rings.size(), -1);  // each ring's nearest kept self or ancestor
    for (std::size_t i = 0; i < rings.size(); ++i) {
        const int tree = i < treeParents.size() ? treeParents[i] : -1;
        const int ancestor = tree >= 0 && static_cast<std::size_t>(tree) < i ? keptAs[tree] : -1;
        keptAs[i] = ancestor;
        const GridRing& r = *rings[i];
        // An engine now and then leaves a ring of collinear vertices: it covers nothing.
        const Wide area2 = r.size() >= 3 ? twiceArea(r) : Wide(0);
        if (area2 != 0) {
            cs.push_back({&r, boxOf(r), area2, ancestor});
            keptAs[i] = static_cast<int>(cs.size()) - 1;
        }
    }
    return cs;
}

bool contoursOverlap(const std::vector<Contour>& cs, const std::vector<int>& parent) {
    return overlapAtVertices(cs, parent) || overlapAlongEdges(cs, parent);
}

std::vector<int> nestContours(const std::vector<Contour>& cs) {
    if (cs.empty()) {
        return {};
    }
    const std::vector<int> order = byAreaDescending(cs);
    Nesting n{cs, std::vector<int>(cs.size()), BoxIndex(cs)};
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        n.rankOf[order[rank]] = static_cast<int>(rank);
    }
    std::vector<int> parent(cs.size(), -1);
    for (std::size_t i = 0; i < cs.size(); ++i) {
        parent[i] = parentOf(n, static_cast<int>(i));
    }
    return parent;
}

std::vector<int> depthsOf(const std::vector<int>& parent) {
    std::vector<int> depth(parent.size(), -1);
    std::vector<int> chain;
    for (std::size_t i = 0; i < parent.size(); ++i) {
        int k = static_cast<int>(i);
        while (k >= 0 && depth[k] < 0) {
            chain.push_back(k);
            k = parent[k];
        }
        int d = k < 0 ? -1 : depth[k];
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            depth[*it] = ++d;
        }
        chain.clear();
    }
    return depth;
}

bool orientedByDepth(const std::vector<Contour>& cs, const std::vector<int>& parent) {
    const std::vector<int> depth = depthsOf(parent);
    for (std::size_t i = 0; i < cs.size(); ++i) {
        if ((cs[i].area2 > 0) != (depth[i] % 2 == 0) && !isSliver(cs[i])) {
            return false;
        }
    }
    return true;
}

std::vector<ResultContour> listNested(const std::vector<Contour>& cs,
                                      const std::vector<int>& parent, const GridScale& scale) {
    std::vector<std::vector<int>> children(cs.size());
    std::deque<int> outers;
    for (std::size_t i = 0; i < cs.size(); ++i) {
        if (parent[i] < 0) {
            outers.push_back(static_cast<int>(i));
        } else {
            children[parent[i]].push_back(static_cast<int>(i));
        }
    }
    std::vector<ResultContour> result;
    while (!outers.empty()) {
        const int outer = outers.front();
        outers.pop_front();
        result.push_back(fromPath(cs[outer], false, scale));
        for (int hole : children[outer]) {
            result.push_back(fromPath(cs[hole], true, scale));
            outers.insert(outers.end(), children[hole].begin(), children[hole].end());
        }
    }
    return result;
}

}  // namespace gpc_detail
