// Trimmed offset of planar chains of line and arc pieces.
//
// Steps, in order: clean the input (drop zero-length pieces, bridge gaps); offset every piece;
// join neighbours (extend convex corners to their intersection, route concave corners through
// the original vertex so the overlap becomes a loop); split the raw offset at its
// self-intersections; drop the sub-pieces that come closer to the input than the distance;
// chain the survivors into curves in the input's order.

#include "platform/acge/trimmed_offset.h"

#include "platform/acge/offset_buffers.h"
#include "platform/acge/offset_index.h"
#include "platform/acge/offset_pieces.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace acge_detail {
namespace {

using namespace trimmed_offset_detail;

// Floor under every tolerance, relative to the coordinates' magnitude: intersections of nearly
// parallel carriers lose several of the sixteen digits a double carries.
constexpr double kRelativeFloor = 1e-11;
// Longer arcs are emitted in two halves so their bulge stays finite and well conditioned.
constexpr double kMaxEmittedSweep = 1.5 * kPi;
// Share of |d| that caps the merge tolerance: a coarse caller tolerance must not fuse points of
// a small offset, while a hundredth of |d| still absorbs the rounding of its intersections.
constexpr double kMergeShareOfDistance = 0.01;
// Share of |d| that caps the filter margin: a piece is cut only when it comes closer than |d| by
// more, which spares the true offset's rounding yet cuts loops a thousandth of |d| too close.
constexpr double kFilterShareOfDistance = 1e-3;
// Share of the radius by which a fillet's ends may miss it: the corner's offsets carry a few
// digits of rounding, far below any real mismatch between a gap and the circle about the corner.
constexpr double kFilletRadiusSlack = 1e-6;
// Stand-in scale when the chain and the distance are all zero: keeps the numeric floor positive.
constexpr double kTinyScale = 1e-300;
// Largest coordinate or distance offset at all: squared lengths overflow beyond about 1e154, so
// larger inputs would give meaningless points, and their crossings, all too far apart to merge,
// would be compared pairwise without end.
constexpr double kMaxScale = 1e150;
// A stretch of a raw piece counts as buried when it stays this many merge tolerances deeper
// inside the distance than the filter's margin: crossings on it are then too far from any kept
// stretch's end to merge with it.
constexpr double kBuriedDepth = 16.0;
// Long raw pieces (links to the input, mitre extensions) are judged in stretches of about this
// many mean input piece lengths, at most kMaxStretches of them.
constexpr double kStretchEdges = 4.0;
constexpr int kMaxStretches = 64;
// Spans are sought only for offsets of more than this many mean input piece lengths: nearer,
// few crossings lie deep enough to be passed over, and seeking spans costs more than it saves.
constexpr double kSpannedEdges = 8.0;

// Reads an input piece; false when it has no length. A bulge whose sagitta is within the
// tolerance is read as straight.
bool readPiece(const OffsetPiece& op, double tol, Piece& out) {
    const Vec a{op.sx, op.sy}, b{op.ex, op.ey};
    const double chord = dist(a, b);
    if (chord <= tol) {
        return false;
    }
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
    if (out.r <= collapseTol) {
        return false;
    }
    out.a = p.c + (p.a - p.c) * (out.r / p.r);
    out.b = p.c + (p.b - p.c) * (out.r / p.r);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Tolerances

struct Tolerances {
    double join;    // coincidence of input points and of offset ends at a corner
    double merge;   // two result points are one node
    double filter;  // margin under |d| before a piece counts as too close
};

// Largest coordinate magnitude of a set of pieces (arcs by their circle).
double extentOf(const Buffer<Piece>& pieces) {
    double m = 0;
    for (const Piece& p : pieces) {
        m = std::max({m, std::abs(p.a.x), std::abs(p.a.y), std::abs(p.b.x), std::abs(p.b.y)});
        if (p.arc) {
            m = std::max({m, std::abs(p.c.x) + p.r, std::abs(p.c.y) + p.r});
        }
    }
    return m;
}

// The cap a mitre adds at a corner: the triangle between the two offset ends it joins and the
// point where their extensions meet. Points inside it lie farther than the distance from the
// input, yet the mitred offset covers them, as it does the points nearer than the distance.
struct MitreCap {
    Vec a, tip, b;
};

double chainLength(const Buffer<Piece>& src) {
    double length = 0;
    for (const Piece& p : src) {
        length += pieceLength(p);
    }
    return length;
}

// ---------------------------------------------------------------------------------------------
// Input cleaning

// The input as contiguous pieces: zero-length pieces dropped, gaps bridged by straight pieces,
// a closed chain closed. False on non-finite input.
bool cleanChain(const std::vector<OffsetPiece>& chain, bool closed, double tol,
                Buffer<Piece>& out) {
    for (const OffsetPiece& p : chain) {
        if (!isFinitePiece(p)) {
            return false;
        }
    }
    for (const OffsetPiece& op : chain) {
        Piece p;
        if (!readPiece(op, tol, p)) {
            continue;
        }
        if (!out.empty() && dist(out.back().b, p.a) > tol) {
            out.push_back(linePiece(out.back().b, p.a));
        }
        out.push_back(p);
    }
    if (closed && out.size() > 1 && dist(out.back().b, out.front().a) > tol) {
        out.push_back(linePiece(out.back().b, out.front().a));
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Raw offset: offset pieces joined at the corners

class RawOffset {
public:
    RawOffset(const Buffer<Piece>& src, bool closed, double d, const Tolerances& tol)
        : src_(src), closed_(closed), d_(d), tol_(tol) {}

    // The raw offset as one sequence of pieces (closed when the input is).
    Buffer<Piece> build() {
        offsetAll();
        const size_t m = items_.size();
        Buffer<Piece> raw, links;
        raw.reserve(3 * m + 1);  // pages are touched only as they fill
        // An item is final once the join after it is made; the closing join moves the first
        // item's start, which is patched in at the end.
        for (size_t k = 0; k < m; ++k) {
            links.clear();
            const size_t here = raw.size(), next = k + 1 < m ? here + 1 : 0;
            if (k + 1 < m) {
                join(k, k + 1, here, next, links);
            } else if (closed_) {
                join(k, 0, here, next, links);
            }
            raw.push_back(items_[k].piece);
            proper_.push_back(properRange(items_[k]));
            raw.insert(raw.end(), links.begin(), links.end());
            proper_.insert(proper_.end(), links.size(), {0.0, 1.0});
        }
        if (closed_ && m > 0) {
            raw[0] = items_[0].piece;
            proper_[0] = properRange(items_[0]);
        }
        return raw;
    }

    // Per raw piece, the parameter range that is not mitre extension.
    Buffer<std::pair<double, double>>& properRanges() { return proper_; }

    // Curves that only split the raw offset where the distance to the input passes |d|.
    Buffer<Piece>& splitters() { return splitters_; }
    // The caps of the mitres between straight pieces.
    Buffer<MitreCap>& caps() { return caps_; }
    // For each splitter, the two raw pieces it touches (and need not split).
    Buffer<std::pair<size_t, size_t>>& splitterOwners() { return owners_; }

private:
    struct Item {
        Piece piece;
        size_t src;
        size_t collapsedBegin, collapsedEnd;  // centres of collapsed arcs since its predecessor
        Vec properA, properB;                 // the ends before any corner extended them
    };

    void offsetAll() {
        items_.reserve(src_.size());
        // Room for a round corner per piece and for the input, added later.
        splitters_.reserve(2 * src_.size() + 2);
        owners_.reserve(src_.size());
        size_t pending = 0;
        for (size_t i = 0; i < src_.size(); ++i) {
            Piece p;
            if (offsetPiece(src_[i], d_, tol_.merge, p)) {
                items_.push_back({p, i, pending, centres_.size(), p.a, p.b});
                pending = centres_.size();
            } else {
                centres_.push_back(src_[i].c);
            }
        }
        // A closed chain's trailing collapsed arcs precede its first piece.
        if (closed_) {
            wrapCentres_.assign(centres_.begin() + pending, centres_.end());
        }
    }

    // Connects item k's end to item l's start, adjusting both; appends the pieces in between.
    // `at` and `next` are the raw positions the two items take when no piece comes between.
    void join(size_t k, size_t l, size_t at, size_t next, Buffer<Piece>& out) {
        Piece& P = items_[k].piece;
        Piece& Q = items_[l].piece;
        const bool collapsed =
            items_[l].collapsedEnd > items_[l].collapsedBegin || (l == 0 && !wrapCentres_.empty());
        if (k == l || collapsed) {
            joinThroughCentres(l, out);
            return;
        }
        if (dist(P.b, Q.a) <= tol_.join) {
            Q.a = P.b;
            return;
        }
        joinCorner(items_[k], src_[items_[k].src], items_[l], src_[items_[l].src], out);
        if (splitters_.size() > owners_.size()) {
            owners_.push_back({at, next});
        }
    }

    // Straight pieces from the previous end through the centres of the collapsed arcs to l's
    // start: they all come closer than |d| and are cut away, letting the neighbours meet.
    void joinThroughCentres(size_t l, Buffer<Piece>& out) {
        Vec from = items_[l == 0 ? items_.size() - 1 : l - 1].piece.b;
        auto step = [&](Vec to) {
            out.push_back(linePiece(from, to));
            from = to;
        };
        if (l == 0) {
            for (Vec c : wrapCentres_) {
                step(c);
            }
        }
        for (size_t i = items_[l].collapsedBegin; i < items_[l].collapsedEnd; ++i) {
            step(centres_[i]);
        }
        step(items_[l].piece.a);
    }

    // Joins at a vertex of the input between pieces sp and sq.
    void joinCorner(Item& ip, const Piece& sp, Item& iq, const Piece& sq, Buffer<Piece>& out) {
        Piece& P = ip.piece;
        Piece& Q = iq.piece;
        const Vec tp = endTangent(sp), tq = startTangent(sq), corner = sp.b;
        const double turn = cross(tp, tq), along = dot(tp, tq);
        const bool parallel = std::abs(turn) <= kParallelSin;
        if (parallel && along > 0) {
            out.push_back(linePiece(P.b, Q.a));
            return;
        }
        // The corner opens a gap on the offset side when it turns away from it (or reverses).
        const bool convex = parallel || turn * d_ < 0;
        if (convex) {
            const Piece round = filletOrChord(P.b, Q.a, corner);
            const Vec endP = P.b, startQ = Q.a;
            if (!extendToMeet(ip, iq, corner)) {
                out.push_back(round);
                return;
            }
            if (!P.arc && !Q.arc) {
                caps_.push_back({endP, P.b, startQ});
            }
            if (round.arc) {
                // The round corner the mitre stands for still bounds where the distance drops
                // below |d|: keep it to split other pieces that pass the corner.
                splitters_.push_back(round);
            }
            return;
        }
        if (along >= 0 && trimAtCrossing(P, Q, corner)) {
            return;
        }
        // The overlap becomes a loop through the input vertex, cut away later.
        out.push_back(linePiece(P.b, corner));
        out.push_back(linePiece(corner, Q.a));
    }

    // The line or circle an item's piece lies on. A straight piece's own ends may have been
    // trimmed to one point by the join before it; its offset before any join still gives the
    // line and the direction of travel.
    static Piece carrierOf(const Item& item) {
        return item.piece.arc ? item.piece : linePiece(item.properA, item.properB);
    }

    // Extends P's end and Q's start to the carriers' common point nearest the corner.
    bool extendToMeet(Item& ip, Item& iq, Vec corner) {
        Piece& P = ip.piece;
        Piece& Q = iq.piece;
        const Piece carrierP = carrierOf(ip), carrierQ = carrierOf(iq);
        Vec pts[2];
        const int n = carrierPoints(carrierP, carrierQ, tol_.merge, pts);
        int best = -1;
        for (int k = 0; k < n; ++k) {
            if (extendsEnd(P, carrierP, pts[k]) && extendsStart(Q, carrierQ, pts[k]) &&
                (best < 0 || dist(pts[k], corner) < dist(pts[best], corner))) {
                best = k;
            }
        }
        if (best < 0) {
            return false;
        }
        moveEnd(P, pts[best]);
        moveStart(Q, pts[best]);
        return true;
    }

    // Whether x lies on P's carrier ahead of its end (by less than half a turn for arcs).
    bool extendsEnd(const Piece& P, const Piece& carrier, Vec x) const {
        if (!P.arc) {
            const Vec along = carrier.b - carrier.a;
            return dot(x - P.b, along) >= -tol_.join * norm(along);
        }
        const double ahead = wrapSigned((angleOf(x - P.c) - (P.a0 + P.sw)) * sign(P.sw));
        return ahead >= -tol_.join / P.r;
    }

    // Whether x lies on Q's carrier behind its start.
    bool extendsStart(const Piece& Q, const Piece& carrier, Vec x) const {
        if (!Q.arc) {
            const Vec along = carrier.b - carrier.a;
            return dot(Q.a - x, along) >= -tol_.join * norm(along);
        }
        const double behind = wrapSigned((Q.a0 - angleOf(x - Q.c)) * sign(Q.sw));
        return behind >= -tol_.join / Q.r;
    }

    static void moveEnd(Piece& P, Vec x) {
        if (P.arc) {
            P.sw += sign(P.sw) * wrapSigned((angleOf(x - P.c) - (P.a0 + P.sw)) * sign(P.sw));
        }
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

    // Cuts the two pieces back to their crossing nearest the corner, when they cross. At a turn
    // of at most a right angle the cut-off stretches lie within |d| of the other piece, so this
    // is the trim the loop through the corner would give, without the loop.
    bool trimAtCrossing(Piece& P, Piece& Q, Vec corner) const {
        std::vector<Hit> hits;
        pieceHits(P, Q, tol_.merge, hits);
        const Hit* best = nullptr;
        for (const Hit& h : hits) {
            if (!best || dist(h.pt, corner) < dist(best->pt, corner)) {
                best = &h;
            }
        }
        if (!best) {
            return false;
        }
        const Vec x = best->pt;
        moveEnd(P, x);
        moveStart(Q, x);
        return true;
    }

    // Where the item's own offset lies on its final piece, extensions excluded.
    static std::pair<double, double> properRange(const Item& item) {
        const double t0 = paramOf(item.piece, item.properA), t1 = paramOf(item.piece, item.properB);
        return {std::max(0.0, t0), std::min(1.0, t1)};
    }

    // An arc about the corner from a to b when both lie at the distance from it, else a chord.
    Piece filletOrChord(Vec a, Vec b, Vec corner) const {
        const double r = std::abs(d_), slack = kFilletRadiusSlack * r + tol_.join;
        if (std::abs(dist(a, corner) - r) > slack || std::abs(dist(b, corner) - r) > slack) {
            return linePiece(a, b);
        }
        // A gap on the left side opens on a right turn: the fillet runs clockwise.
        const double s = d_ > 0 ? -1.0 : 1.0;
        const double sweep = wrapPositive((angleOf(b - corner) - angleOf(a - corner)) * s);
        if (sweep * r <= tol_.merge) {
            return linePiece(a, b);
        }
        return arcPiece(corner, r, a, b, s * sweep);
    }

    const Buffer<Piece>& src_;
    bool closed_;
    double d_;
    Tolerances tol_;
    Buffer<Item> items_;
    Buffer<Vec> centres_, wrapCentres_;
    Buffer<Piece> splitters_;
    Buffer<MitreCap> caps_;
    Buffer<std::pair<size_t, size_t>> owners_;
    Buffer<std::pair<double, double>> proper_;
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

// Where a raw piece is cut: its parameter and the index of the cutting point.
struct Cut {
    int seg;
    double t;
    int point;
    bool operator<(const Cut& o) const { return seg != o.seg ? seg < o.seg : t < o.t; }
};

// The parameter range of a raw piece in which crossings are sought.
struct Span {
    double t0, t1;
    bool empty() const { return t0 > t1; }
    bool holds(double t) const { return t >= t0 && t <= t1; }
};

class Trimmer {
public:
    // raw: the offset chain; splitters: curves that only cut it, each beside the two raw pieces
    // it merely touches; spans: per raw piece, where crossings are sought (beyond its span a
    // piece lies deep in what the filter cuts away).
    Trimmer(const Buffer<Piece>& raw, const Buffer<Piece>& splitters,
            const Buffer<std::pair<size_t, size_t>>& owners, Buffer<Span> spans, bool closed,
            const Tolerances& tol)
        : raw_(raw),
          splitters_(splitters),
          owners_(owners),
          spans_(std::move(spans)),
          chainSize_(raw.size()),
          closed_(closed),
          tol_(tol) {}

    // Splits the raw offset at its self-intersections into sub-pieces, in raw order.
    Buffer<Sub> split() {
        Buffer<Vec> pts;
        Buffer<Cut> cuts;
        pts.reserve(4 * chainSize_);
        cuts.reserve(4 * chainSize_);
        for (size_t k = 0; k < chainSize_; ++k) {
            addCut(static_cast<int>(k), 0.0, raw_[k].a, pts, cuts);
            addCut(static_cast<int>(k), 1.0, raw_[k].b, pts, cuts);
        }
        findCrossings(pts, cuts);
        const PointClusters clusters(pts, tol_.merge);
        for (int n = 0; n < clusters.size(); ++n) {
            nodes_.push_back(clusters.position(n));
        }
        std::sort(cuts.begin(), cuts.end());
        Buffer<Sub> subs;
        subs.reserve(cuts.size());
        for (size_t from = 0, k = 1; k < cuts.size(); ++k) {
            if (cuts[k].seg != cuts[from].seg) {
                from = k;
                continue;
            }
            const int n0 = clusters.node(cuts[from].point), n1 = clusters.node(cuts[k].point);
            const double length = (cuts[k].t - cuts[from].t) * pieceLength(piece(cuts[k].seg));
            if (n0 == n1 && length <= 4 * tol_.merge) {
                continue;
            }
            subs.push_back({cuts[k].seg, cuts[from].t, cuts[k].t, n0, n1});
            from = k;
        }
        return subs;
    }

    const Piece& piece(size_t k) const {
        return k < chainSize_ ? raw_[k] : splitters_[k - chainSize_];
    }
    Vec node(int id) const { return nodes_[id]; }
    int nodeCount() const { return static_cast<int>(nodes_.size()); }

private:
    static void addCut(int seg, double t, Vec q, Buffer<Vec>& pts, Buffer<Cut>& cuts) {
        cuts.push_back({seg, t, static_cast<int>(pts.size())});
        pts.push_back(q);
    }

    void findCrossings(Buffer<Vec>& pts, Buffer<Cut>& cuts) {
        Buffer<Box> boxes;
        boxes.reserve(chainSize_ + splitters_.size());
        for (size_t k = 0; k < chainSize_ + splitters_.size(); ++k) {
            boxes.push_back(pieceBox(piece(k), tol_.merge));
        }
        BoxTree tree(std::move(boxes));
        // Narrowed after the tree is built, so the crossings still sought come in the same order.
        tree.narrow([this](size_t k) { return spanBox(k); });
        std::vector<Hit> hits;
        for (size_t i = 0; i < chainSize_; ++i) {
            if (spans_[i].empty()) {
                continue;
            }
            tree.query(tree.box(static_cast<int>(i)), [&](int j) {
                if (static_cast<size_t>(j) <= i || isOwner(i, static_cast<size_t>(j))) {
                    return false;
                }
                hits.clear();
                pieceHits(raw_[i], piece(j), tol_.merge, hits);
                for (const Hit& h : hits) {
                    if (isSharedJoint(i, static_cast<size_t>(j), h.pt) || !inSpans(i, j, h)) {
                        continue;
                    }
                    if (static_cast<size_t>(j) < chainSize_) {
                        cuts.push_back({j, h.tq, static_cast<int>(pts.size())});
                    }
                    addCut(static_cast<int>(i), h.tp, h.pt, pts, cuts);
                }
                return false;
            });
        }
    }

    // The box of raw piece k's span (none for a buried piece), or of a splitter.
    Box spanBox(size_t k) const {
        if (k >= chainSize_) {
            return pieceBox(piece(k), tol_.merge);
        }
        const Span& s = spans_[k];
        if (s.empty()) {
            return kNoBox;
        }
        if (s.t0 == 0.0 && s.t1 == 1.0) {
            return pieceBox(raw_[k], tol_.merge);
        }
        return pieceBox(linePiece(evalPiece(raw_[k], s.t0), evalPiece(raw_[k], s.t1)),
                        2 * tol_.merge);
    }

    // Whether a crossing of raw piece i with piece j lies within both spans.
    bool inSpans(size_t i, size_t j, const Hit& h) const {
        return spans_[i].holds(h.tp) && (j >= chainSize_ || spans_[j].holds(h.tq));
    }

    // Whether j is a splitter that only touches raw piece i.
    bool isOwner(size_t i, size_t j) const {
        if (j < chainSize_ || j - chainSize_ >= owners_.size()) {
            return false;
        }
        const std::pair<size_t, size_t>& o = owners_[j - chainSize_];
        return o.first == i || o.second == i;
    }

    // Whether a common point of pieces i < j is merely the joint the chain gives them.
    bool isSharedJoint(size_t i, size_t j, Vec q) const {
        if (j == i + 1 && j < chainSize_ && dist(q, raw_[i].b) <= tol_.merge) {
            return true;
        }
        return closed_ && i == 0 && j + 1 == chainSize_ && dist(q, raw_[i].a) <= tol_.merge;
    }

    const Buffer<Piece>& raw_;
    const Buffer<Piece>& splitters_;
    const Buffer<std::pair<size_t, size_t>>& owners_;
    Buffer<Span> spans_;
    size_t chainSize_;
    bool closed_;
    Tolerances tol_;
    Buffer<Vec> nodes_;
};

// Whether q lies inside the triangle by more than `margin` from each of its sides.
bool deepInside(const MitreCap& cap, Vec q, double margin) {
    const Vec corners[3] = {cap.a, cap.tip, cap.b};
    const double orientation = cross(cap.tip - cap.a, cap.b - cap.a) < 0 ? -1.0 : 1.0;
    for (int k = 0; k < 3; ++k) {
        const Vec from = corners[k], side = corners[(k + 1) % 3] - from;
        const double length = norm(side);
        if (!(length > 0) || orientation * cross(side, q - from) <= margin * length) {
            return false;
        }
    }
    return true;
}

BoxTree capTree(const Buffer<MitreCap>& caps) {
    Buffer<Box> boxes;
    boxes.reserve(caps.size());
    for (const MitreCap& cap : caps) {
        Box b{cap.a.x, cap.a.y, cap.a.x, cap.a.y};
        addToBox(b, cap.tip);
        addToBox(b, cap.b);
        boxes.push_back(b);
    }
    // Caps follow the outline's corners, so neighbours in the list are neighbours in the plane.
    return BoxTree(std::move(boxes), TreeOrder::AsGiven);
}

// What the filter cuts away: points nearer to the input than a reach, and points deep inside
// the caps of the mitres. Neighbouring questions are mostly answered by the same input piece
// or cap, so the one that answered last is asked first; no answer depends on it.
class CutAway {
public:
    // `srcTree` holds the boxes of `src`, grown by any margin.
    CutAway(const BoxTree& srcTree, const Buffer<Piece>& src, const Buffer<MitreCap>& caps)
        : srcTree_(srcTree), src_(src), caps_(caps), capTree_(capTree(caps)) {}

    // Whether q lies within `reach` of the input or inside a cap by more than `margin`.
    bool holds(Vec q, double reach, double margin) {
        return ask(
            boxAround(q, reach), boxAround(q, 0),
            [&](int k) { return distanceToPiece(src_[k], q) < reach; },
            [&](int k) { return deepInside(caps_[k], q, margin); });
    }

    // Whether the straight piece p lies wholly within `reach` of one straight input piece or
    // inside one cap by more than `margin`. Distance to a segment is convex along a line and a
    // cap is convex, so p's two ends decide.
    bool holdsAll(const Piece& p, double reach, double margin) {
        return ask(
            pieceBox(p, reach), pieceBox(p, 0),
            [&](int k) {
                const Piece& s = src_[k];
                return !s.arc && distanceToPiece(s, p.a) < reach && distanceToPiece(s, p.b) < reach;
            },
            [&](int k) {
                return deepInside(caps_[k], p.a, margin) && deepInside(caps_[k], p.b, margin);
            });
    }

private:
    // Whether an input piece in `near` passes nearTest or a cap in `in` passes capTest. The last
    // answers go first, then the caps, which are few near any point, then the input pieces.
    template <class NearTest, class CapTest>
    bool ask(const Box& near, const Box& in, NearTest&& nearTest, CapTest&& capTest) {
        if ((lastPiece_ >= 0 && nearTest(lastPiece_)) || (lastCap_ >= 0 && capTest(lastCap_))) {
            return true;
        }
        return search(capTree_, in, lastCap_, capTest) ||
               search(srcTree_, near, lastPiece_, nearTest);
    }

    template <class Test>
    static bool search(const BoxTree& tree, const Box& box, int& last, Test&& test) {
        return tree.query(box, [&](int k) {
            if (!test(k)) {
                return false;
            }
            last = k;
            return true;
        });
    }

    const BoxTree& srcTree_;
    const Buffer<Piece>& src_;
    const Buffer<MitreCap>& caps_;
    const BoxTree capTree_;
    int lastPiece_ = -1, lastCap_ = -1;
};

// The span of a straight piece outside which it is buried, judged in `parts` equal stretches
// from both ends inward; empty when every stretch is buried.
Span unburiedSpan(const Piece& p, int parts, CutAway& cutAway, double reach, double margin) {
    auto buried = [&](int k) {
        const Vec a = k == 0 ? p.a : evalPiece(p, double(k) / parts);
        const Vec b = k + 1 == parts ? p.b : evalPiece(p, double(k + 1) / parts);
        return cutAway.holdsAll(linePiece(a, b), reach, margin);
    };
    int first = 0;
    while (first < parts && buried(first)) {
        ++first;
    }
    if (first == parts) {
        return {1.0, 0.0};
    }
    int last = parts - 1;
    while (last > first && buried(last)) {
        --last;
    }
    return {double(first) / parts, last + 1 == parts ? 1.0 : double(last + 1) / parts};
}

// Per raw piece, the span that may come as far as the distance from the input: beyond it every
// part is cut away and no crossing can end a kept stretch.
Buffer<Span> unburiedSpans(const Buffer<Piece>& raw, const Buffer<Piece>& src, CutAway& cutAway,
                           double d, const Tolerances& tol) {
    Buffer<Span> spans(raw.size(), Span{0.0, 1.0});
    const double margin = tol.filter + kBuriedDepth * tol.merge, reach = std::abs(d) - margin;
    const double edge = chainLength(src) / double(src.size());
    if (reach <= kSpannedEdges * edge) {
        return spans;
    }
    const double stretch = kStretchEdges * edge;
    for (size_t k = 0; k < raw.size(); ++k) {
        if (raw[k].arc) {
            continue;
        }
        const double parts = std::ceil(pieceLength(raw[k]) / stretch);
        if (!(parts >= 1.0)) {  // lengths beyond the range of doubles: search the whole piece
            continue;
        }
        spans[k] = unburiedSpan(raw[k], int(std::min(parts, double(kMaxStretches))), cutAway, reach,
                                margin);
    }
    return spans;
}

// Keeps the sub-pieces whose middle stays at least |d| (less the margin) from the input and
// outside the caps of the mitres.
Buffer<Sub> keepFarEnough(const Buffer<Sub>& subs, const Trimmer& trimmer, CutAway& cutAway,
                          double d, const Tolerances& tol) {
    const double reach = std::abs(d) - tol.filter;
    Buffer<Sub> kept;
    kept.reserve(subs.size());
    for (const Sub& s : subs) {
        const Vec mid = evalPiece(trimmer.piece(s.seg), (s.t0 + s.t1) / 2);
        if (!cutAway.holds(mid, reach, tol.filter)) {
            kept.push_back(s);
        }
    }
    return kept;
}

// Sub-pieces grouped by a node of theirs (start or end), each group in sub-piece order.
struct NodeLists {
    Buffer<int> start, items;

    NodeLists(const Buffer<Sub>& subs, int nodes, bool byEnd) : start(nodes + 1, 0) {
        for (const Sub& s : subs) {
            ++start[(byEnd ? s.n1 : s.n0) + 1];
        }
        for (int n = 0; n < nodes; ++n) {
            start[n + 1] += start[n];
        }
        items.resize(subs.size());
        Buffer<int> fill(start.begin(), start.end() - 1);
        for (size_t k = 0; k < subs.size(); ++k) {
            items[fill[byEnd ? subs[k].n1 : subs[k].n0]++] = static_cast<int>(k);
        }
    }
    int count(int node) const { return start[node + 1] - start[node]; }
};

// Drops sub-pieces that cannot lie on a loop: a start no piece reaches or an end nothing leaves.
Buffer<Sub> pruneDangling(const Buffer<Sub>& subs, int nodes) {
    const NodeLists leaving(subs, nodes, false), entering(subs, nodes, true);
    Buffer<int> in(nodes), out(nodes);
    for (int n = 0; n < nodes; ++n) {
        in[n] = entering.count(n);
        out[n] = leaving.count(n);
    }
    Buffer<bool> gone(subs.size(), false);
    Buffer<int> work(subs.size());
    for (size_t k = 0; k < subs.size(); ++k) {
        work[k] = static_cast<int>(k);
    }
    while (!work.empty()) {
        const int k = work.back();
        work.pop_back();
        if (gone[k] || (in[subs[k].n0] > 0 && out[subs[k].n1] > 0)) {
            continue;
        }
        gone[k] = true;
        // Removing it may strand the pieces around its two nodes.
        const int a = subs[k].n0, b = subs[k].n1;
        if (--out[a] == 0) {
            work.insert(work.end(), entering.items.begin() + entering.start[a],
                        entering.items.begin() + entering.start[a + 1]);
        }
        if (--in[b] == 0) {
            work.insert(work.end(), leaving.items.begin() + leaving.start[b],
                        leaving.items.begin() + leaving.start[b + 1]);
        }
    }
    Buffer<Sub> kept;
    kept.reserve(subs.size());
    for (size_t k = 0; k < subs.size(); ++k) {
        if (!gone[k]) {
            kept.push_back(subs[k]);
        }
    }
    return kept;
}

// Follows sub-pieces end to start into chains. Sub-pieces arrive sorted in raw order.
class Chainer {
public:
    Chainer(const Buffer<Sub>& subs, int nodes, bool closed)
        : subs_(subs),
          closed_(closed),
          leaving_(subs, nodes, false),
          entering_(subs, nodes, true),
          used_(subs.size(), false) {}

    // Chains as lists of sub-piece indices; closed ones end at their start node.
    Buffer<Buffer<int>> run() {
        Buffer<Buffer<int>> chains;
        if (!closed_) {
            for (size_t k = 0; k < subs_.size(); ++k) {
                if (!used_[k] && entering_.count(subs_[k].n0) == 0) {
                    chains.push_back(follow(k));
                }
            }
        }
        for (size_t k = 0; k < subs_.size(); ++k) {
            if (used_[k]) {
                continue;
            }
            Buffer<int> chain = follow(k);
            const bool loops = subs_[chain.back()].n1 == subs_[chain.front()].n0;
            if (loops || !closed_) {
                chains.push_back(std::move(chain));
            }
        }
        return chains;
    }

private:
    Buffer<int> follow(size_t first) {
        Buffer<int> chain{static_cast<int>(first)};
        used_[first] = true;
        const int start = subs_[first].n0;
        while (subs_[chain.back()].n1 != start) {
            const int next = nextFrom(chain.back());
            if (next < 0) {
                break;
            }
            used_[next] = true;
            chain.push_back(next);
        }
        return chain;
    }

    // The unused piece leaving the current end that comes soonest after `current` in raw order.
    int nextFrom(int current) const {
        const int node = subs_[current].n1;
        int wrapped = -1;
        for (int i = leaving_.start[node]; i < leaving_.start[node + 1]; ++i) {
            const int k = leaving_.items[i];
            if (used_[k]) {
                continue;
            }
            if (k > current) {
                return k;
            }
            if (wrapped < 0) {
                wrapped = k;
            }
        }
        return wrapped;
    }

    const Buffer<Sub>& subs_;
    bool closed_;
    NodeLists leaving_, entering_;
    Buffer<bool> used_;
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
std::vector<OffsetPiece> emitChain(const Buffer<int>& chain, const Buffer<Sub>& subs,
                                   const Trimmer& trimmer) {
    Buffer<Sub> merged;
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
    for (const Sub& s : merged) {
        emit(s, trimmer, out);
    }
    return out;
}

// The cleaned input returned unchanged, for offsets too small to move anything.
std::vector<std::vector<OffsetPiece>> copyOfInput(const Buffer<Piece>& src) {
    std::vector<OffsetPiece> out;
    for (const Piece& p : src) {
        out.push_back({p.a.x, p.a.y, p.b.x, p.b.y, p.arc ? std::tan(p.sw / 4) : 0.0});
    }
    return {out};
}

// Whether a chain lies wholly on mitre extensions: a tip cut off from the offset it belongs to.
bool onlyExtension(const Buffer<int>& chain, const Buffer<Sub>& subs, const Buffer<Piece>& raw,
                   const Buffer<std::pair<double, double>>& proper, double tol) {
    for (int k : chain) {
        const Sub& s = subs[k];
        const double slack = paramTol(raw[s.seg], tol);
        if (std::min(s.t1, proper[s.seg].second) - std::max(s.t0, proper[s.seg].first) > slack) {
            return false;
        }
    }
    return true;
}

// Removes pieces without length from the raw offset, renumbering the splitters' owners.
void dropDegenerate(Buffer<Piece>& raw, Buffer<std::pair<size_t, size_t>>& owners,
                    Buffer<std::pair<double, double>>& proper, double tol) {
    Buffer<size_t> newIndex(raw.size());
    size_t kept = 0;
    for (size_t k = 0; k < raw.size(); ++k) {
        newIndex[k] = SIZE_MAX;
        if (isDegenerate(raw[k], tol)) {
            continue;
        }
        newIndex[k] = kept;
        proper[kept] = proper[k];
        raw[kept++] = raw[k];
    }
    raw.resize(kept);
    proper.resize(kept);
    for (std::pair<size_t, size_t>& o : owners) {
        o = {newIndex[o.first], newIndex[o.second]};
    }
}

// Twice the signed area a closed chain encloses (arcs add their circular segments).
double signedArea2(const Buffer<Piece>& src) {
    double a = 0;
    for (const Piece& p : src) {
        a += cross(p.a, p.b);
        if (p.arc) {
            a += p.r * p.r * (p.sw - std::sin(p.sw));
        }
    }
    return a;
}

// Whether a simple closed chain winds around q, which lies well away from it. Each piece adds
// the angle its chord subtends at q, and an arc a full turn more when q lies between the arc
// and its chord.
bool encloses(const Buffer<Piece>& src, Vec q) {
    double turn = 0;
    for (const Piece& p : src) {
        const Vec u = p.a - q, v = p.b - q;
        turn += std::atan2(cross(u, v), dot(u, v));
        if (p.arc && dist(q, p.c) < p.r && sign(p.sw) * cross(p.b - p.a, q - p.a) < 0) {
            turn += sign(p.sw) * kTwoPi;
        }
    }
    return std::abs(turn) > kPi;
}

Vec subMiddle(const Sub& s, const Trimmer& trimmer) {
    return evalPiece(trimmer.piece(s.seg), (s.t0 + s.t1) / 2);
}

// A full circle as two half arcs.
void addCircle(Vec c, double r, Buffer<Piece>& out) {
    const Vec east = c + Vec{r, 0}, west = c - Vec{r, 0};
    out.push_back(arcPiece(c, r, east, west, kPi));
    out.push_back(arcPiece(c, r, west, east, kPi));
}

// Whether the chain crosses or overlaps itself anywhere but at the joints of neighbours.
// Boxes of the input pieces grown by tol, as one tree.
BoxTree inputTree(const Buffer<Piece>& src, double tol) {
    Buffer<Box> boxes;
    boxes.reserve(src.size());
    for (const Piece& p : src) {
        boxes.push_back(pieceBox(p, tol));
    }
    // Its queries only ask whether some piece is near, which no visiting order changes; pieces
    // follow the chain, so halving the list keeps neighbours together without sorting.
    return BoxTree(std::move(boxes), TreeOrder::AsGiven);
}

// `tree` is inputTree(src, tol).
bool crossesItself(const Buffer<Piece>& src, const BoxTree& tree, bool closed, double tol) {
    std::vector<Hit> hits;
    const size_t n = src.size();
    for (size_t i = 0; i < n; ++i) {
        const bool found = tree.query(tree.box(static_cast<int>(i)), [&](int jj) {
            const size_t j = static_cast<size_t>(jj);
            if (j <= i) {
                return false;
            }
            hits.clear();
            pieceHits(src[i], src[j], tol, hits);
            for (const Hit& h : hits) {
                const bool joint = (j == i + 1 && dist(h.pt, src[i].b) <= tol) ||
                                   (closed && i == 0 && j + 1 == n && dist(h.pt, src[0].a) <= tol);
                if (!joint) {
                    return true;
                }
            }
            return false;
        });
        if (found) {
            return true;
        }
    }
    return false;
}

// Where else the distance to the input passes |d|, beyond the raw offset and its round corners.
// A mitre may pierce the input: the input itself cuts it, and what lies beyond is left hanging
// and pruned. An open or self-crossing chain has valid points facing the other side of a piece:
// that side's offset cuts too, and so do the circles about an open chain's two ends.
void addBoundarySplitters(const Buffer<Piece>& src, bool closed, bool simple, double d,
                          const Tolerances& tol, Buffer<Piece>& splitters) {
    splitters.reserve(splitters.size() + src.size());
    splitters.insert(splitters.end(), src.begin(), src.end());
    if (simple) {
        return;
    }
    RawOffset other(src, closed, -d, tol);
    const Buffer<Piece> raw = other.build();
    splitters.insert(splitters.end(), raw.begin(), raw.end());
    splitters.insert(splitters.end(), other.splitters().begin(), other.splitters().end());
    if (!closed) {
        addCircle(src.front().a, std::abs(d), splitters);
        addCircle(src.back().b, std::abs(d), splitters);
    }
}

}  // namespace

std::vector<std::vector<OffsetPiece>> trimmedOffset(const std::vector<OffsetPiece>& chain,
                                                    bool closed, double distance, double tol) {
    if (!std::isfinite(distance) || !std::isfinite(tol)) {
        return {};
    }
    tol = std::max(tol, 0.0);
    Buffer<Piece> src;
    src.reserve(chain.size() + 1);
    if (!cleanChain(chain, closed, std::max(tol, kRelativeFloor), src) || src.empty()) {
        return {};
    }
    const double scale = std::max(extentOf(src), std::abs(distance));
    if (!(scale <= kMaxScale)) {
        return {};
    }
    const double numericFloor = kRelativeFloor * std::max(scale, kTinyScale);
    if (std::abs(distance) <= numericFloor) {
        return copyOfInput(src);
    }
    Tolerances tols;
    tols.join = std::max(tol, numericFloor);
    tols.merge =
        std::max(std::min(tols.join, kMergeShareOfDistance * std::abs(distance)), numericFloor);
    tols.filter =
        std::max(std::min(tols.join, kFilterShareOfDistance * std::abs(distance)), numericFloor);

    Buffer<Piece> raw, splitters;
    Buffer<std::pair<size_t, size_t>> owners;
    Buffer<std::pair<double, double>> proper;
    Buffer<MitreCap> caps;
    // A simple outline encloses an area on one side; a flat one (there and back) does not.
    const double area2 = closed ? signedArea2(src) : 0.0;
    const BoxTree srcTree = inputTree(src, tols.merge);
    const bool simple = closed && std::abs(area2) > tols.merge * chainLength(src) &&
                        !crossesItself(src, srcTree, closed, tols.merge);
    {
        RawOffset offset(src, closed, distance, tols);
        raw = offset.build();
        splitters = std::move(offset.splitters());
        owners = std::move(offset.splitterOwners());
        proper = std::move(offset.properRanges());
        if (simple) {
            caps = std::move(offset.caps());
        }
    }
    addBoundarySplitters(src, closed, simple, distance, tols, splitters);
    tols.merge = std::max(tols.merge, kRelativeFloor * extentOf(raw));
    dropDegenerate(raw, owners, proper, tols.merge / 2);
    if (raw.empty()) {
        return {};
    }

    CutAway cutAway(srcTree, src, caps);
    Trimmer trimmer(raw, splitters, owners, unburiedSpans(raw, src, cutAway, distance, tols),
                    closed, tols);
    Buffer<Sub> subs = keepFarEnough(trimmer.split(), trimmer, cutAway, distance, tols);
    if (closed) {
        subs = pruneDangling(subs, trimmer.nodeCount());
    }
    // A simple outline's offset lies on the offset side of it; anything else is a tip of
    // mitre cut off from its offset, which may there be made of nothing but extensions.
    const bool insideWanted = (distance > 0) == (area2 > 0);
    std::vector<std::vector<OffsetPiece>> result;
    for (const Buffer<int>& c : Chainer(subs, trimmer.nodeCount(), closed).run()) {
        const bool stray = simple
                               ? encloses(src, subMiddle(subs[c.front()], trimmer)) != insideWanted
                               : onlyExtension(c, subs, raw, proper, tols.merge);
        if (!stray) {
            result.push_back(emitChain(c, subs, trimmer));
        }
    }
    return result;
}

}  // namespace acge_detail
