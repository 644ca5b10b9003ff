// Exact check that rings are simple and disjoint, over a box tree built along the rings: runs of
// consecutive edges are spatially compact, so the tree needs no sorting.
#include "platform/gpc/simple_rings.h"

#include <algorithm>
#include <utility>

namespace gpc_detail {
namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;

// Consecutive edges per leaf of the box tree.
constexpr int kLeafEdges = 8;
// Box tests and edge tests allowed per edge before the check gives up.
constexpr long kWorkPerEdge = 64;
// Margins of the side tests, in grid units: per unit of edge span, and as a share (2^-40) of the
// product of two spans.
constexpr Wide kSideMargin = 1 << 12;
constexpr int kProductMarginBits = 40;

struct NodeBox {
    cInt minX, minY, maxX, maxY;
};

bool overlap(const NodeBox& a, const NodeBox& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

NodeBox merged(const NodeBox& a, const NodeBox& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
            std::max(a.maxY, b.maxY)};
}

// A node covers edges [first, last); leaves have no children.
struct Node {
    NodeBox box;
    int first, last;
    int left = -1, right = -1;
};

// Twice the signed area of triangle abc, exact.
Wide cross(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    return Wide(b.X - a.X) * (c.Y - a.Y) - Wide(b.Y - a.Y) * (c.X - a.X);
}

Wide span(const IntPoint& a, const IntPoint& b) {
    return std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y));
}

// Whether the overlay, computing in doubles, could misjudge the side of c against line ab: the
// exact value is within a wide margin of its rounding error. Grid coordinates stay below 2^52,
// so each rounded difference is off by at most a few units.
bool nearlyCollinear(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    const Wide v = cross(a, b, c), sab = span(a, b), sac = span(a, c);
    const Wide margin = kSideMargin * (sab + sac) + ((sab * sac) >> kProductMarginBits);
    return (v < 0 ? -v : v) <= margin;
}

int orientation(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    const Wide v = cross(a, b, c);
    return (v > 0) - (v < 0);
}

// For p collinear with a and b: whether it lies on the closed segment.
bool withinSpan(const IntPoint& a, const IntPoint& b, const IntPoint& p) {
    return std::min(a.X, b.X) <= p.X && p.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= p.Y &&
           p.Y <= std::max(a.Y, b.Y);
}

// Whether the closed segments ab and cd share a point.
bool segmentsMeet(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& d) {
    const int o1 = orientation(a, b, c), o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a), o4 = orientation(c, d, b);
    if (o1 * o2 < 0 && o3 * o4 < 0) {
        return true;
    }
    return (o1 == 0 && withinSpan(a, b, c)) || (o2 == 0 && withinSpan(a, b, d)) ||
           (o3 == 0 && withinSpan(c, d, a)) || (o4 == 0 && withinSpan(c, d, b));
}

// Whether any endpoint of one segment lies nearly on the other's line.
bool nearlyDegenerate(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& d) {
    return nearlyCollinear(a, b, c) || nearlyCollinear(a, b, d) || nearlyCollinear(c, d, a) ||
           nearlyCollinear(c, d, b);
}

// Edges a-p and p-c nearly turn back onto each other.
bool foldsBack(const IntPoint& a, const IntPoint& p, const IntPoint& c) {
    const Wide dot = Wide(p.X - a.X) * (c.X - p.X) + Wide(p.Y - a.Y) * (c.Y - p.Y);
    return dot < 0 && nearlyCollinear(a, p, c);
}

// All ring vertices in one array; edge k runs from vertex k to vertex next[k].
class EdgeSet {
public:
    EdgeSet(const std::vector<GridRing>& a, const std::vector<GridRing>& b) {
        std::size_t n = 0;
        for (const auto* rings : {&a, &b}) {
            for (const GridRing& r : *rings) {
                n += r.size();
            }
        }
        pts_.reserve(n);
        next_.reserve(n);
        boxes_.reserve(n);
        add(a);
        firstOfB_ = size();
        add(b);
    }
    int size() const { return static_cast<int>(pts_.size()); }
    const NodeBox& box(int k) const { return boxes_[k]; }
    // Whether edges k and m (k != m) meet, or come so close that the overlay could misjudge them.
    // Edges of one operand may only share the vertex between consecutive edges; edges of the two
    // operands may cross, but only clearly.
    bool conflict(int k, int m) const {
        const IntPoint &a = pts_[k], &b = pts_[next_[k]], &c = pts_[m], &d = pts_[next_[m]];
        if ((k < firstOfB_) != (m < firstOfB_)) {
            return nearlyDegenerate(a, b, c, d);
        }
        if (next_[k] == m) {
            return foldsBack(a, c, d);
        }
        if (next_[m] == k) {
            return foldsBack(c, a, b);
        }
        return segmentsMeet(a, b, c, d) || nearlyDegenerate(a, b, c, d);
    }

private:
    // Appends the rings' vertices and their successor links.
    void add(const std::vector<GridRing>& rings) {
        for (const GridRing& r : rings) {
            const std::size_t start = pts_.size(), n = r.size();
            pts_.insert(pts_.end(), r.begin(), r.end());
            next_.resize(start + n);
            boxes_.resize(start + n);
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t after = i + 1 == n ? 0 : i + 1;
                const IntPoint &p = r[i], &q = r[after];
                next_[start + i] = static_cast<int>(start + after);
                boxes_[start + i] = {std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X),
                                     std::max(p.Y, q.Y)};
            }
        }
    }

    std::vector<IntPoint> pts_;
    std::vector<int> next_;
    std::vector<NodeBox> boxes_;  // each edge's box, looked up far more often than built
    int firstOfB_ = 0;
};

// Leaves over runs of consecutive edges, then parents over pairs of neighbouring nodes; the
// root is the last node.
std::vector<Node> buildTree(const EdgeSet& edges) {
    std::vector<Node> nodes;
    nodes.reserve(2 * static_cast<std::size_t>(edges.size() / kLeafEdges + 1) + 64);
    for (int first = 0; first < edges.size(); first += kLeafEdges) {
        const int last = std::min(edges.size(), first + kLeafEdges);
        NodeBox b = edges.box(first);
        for (int k = first + 1; k < last; ++k) {
            b = merged(b, edges.box(k));
        }
        nodes.push_back({b, first, last});
    }
    std::size_t levelStart = 0;
    while (nodes.size() - levelStart > 1) {
        const std::size_t levelEnd = nodes.size();
        for (std::size_t i = levelStart; i < levelEnd; i += 2) {
            if (i + 1 == levelEnd) {
                nodes.push_back(nodes[i]);  // an odd node out moves up unchanged
                continue;
            }
            const Node &l = nodes[i], &r = nodes[i + 1];
            nodes.push_back({merged(l.box, r.box), l.first, r.last, static_cast<int>(i),
                             static_cast<int>(i + 1)});
        }
        levelStart = levelEnd;
    }
    return nodes;
}

// Walks pairs of tree nodes whose boxes overlap, testing edges where two leaves meet.
class ConflictSearch {
public:
    ConflictSearch(const EdgeSet& edges, const std::vector<Node>& nodes)
        : edges_(edges), nodes_(nodes), budget_(kWorkPerEdge * (edges.size() + 1)) {}

    // True when the rings are shown free of conflicts within the budget.
    bool provesClean() {
        std::vector<std::pair<int, int>> pending{
            {static_cast<int>(nodes_.size()) - 1, static_cast<int>(nodes_.size()) - 1}};
        while (!pending.empty()) {
            const auto [a, b] = pending.back();
            pending.pop_back();
            if (--budget_ < 0 || !visit(a, b, pending)) {
                return false;
            }
        }
        return true;
    }

private:
    // Tests or splits one pair of nodes; false on a conflict or an exhausted budget.
    bool visit(int a, int b, std::vector<std::pair<int, int>>& pending) {
        const Node &na = nodes_[a], &nb = nodes_[b];
        if (a != b && !overlap(na.box, nb.box)) {
            return true;
        }
        if (na.left < 0 && nb.left < 0) {
            return a == b ? leafClean(na) : leavesClean(na, nb);
        }
        if (a == b) {
            pending.push_back({na.left, na.left});
            pending.push_back({na.right, na.right});
            pending.push_back({na.left, na.right});
        } else if (nb.left < 0 || (na.left >= 0 && na.last - na.first >= nb.last - nb.first)) {
            pending.push_back({na.left, b});
            pending.push_back({na.right, b});
        } else {
            pending.push_back({a, nb.left});
            pending.push_back({a, nb.right});
        }
        return true;
    }

    bool leafClean(const Node& n) {
        for (int k = n.first; k < n.last; ++k) {
            for (int m = k + 1; m < n.last; ++m) {
                if (!pairClean(k, m)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Only edges reaching into the other leaf's box are paired.
    bool leavesClean(const Node& p, const Node& q) {
        int near[kLeafEdges];
        int count = 0;
        for (int m = q.first; m < q.last; ++m) {
            if (overlap(edges_.box(m), p.box)) {
                near[count++] = m;
            }
        }
        for (int k = p.first; k < p.last && count > 0; ++k) {
            if (!overlap(edges_.box(k), q.box)) {
                continue;
            }
            for (int i = 0; i < count; ++i) {
                if (!pairClean(k, near[i])) {
                    return false;
                }
            }
        }
        return true;
    }

    inline bool pairClean(int k, int m) {
        --budget_;
        return !overlap(edges_.box(k), edges_.box(m)) || !edges_.conflict(k, m);
    }

    const EdgeSet& edges_;
    const std::vector<Node>& nodes_;
    long budget_;
};

}  // namespace

bool suitOverlay(const std::vector<GridRing>& a, const std::vector<GridRing>& b) {
    const EdgeSet edges(a, b);
    if (edges.size() == 0) {
        return true;
    }
    const std::vector<Node> nodes = buildTree(edges);
    return ConflictSearch(edges, nodes).provesClean();
}

}  // namespace gpc_detail
