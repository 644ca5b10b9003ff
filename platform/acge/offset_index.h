#pragma once
// Bounding-box tree and point clustering for the trimmed offset engine (internal).

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/acge/offset_buffers.h"
#include "platform/acge/offset_pieces.h"

namespace trimmed_offset_detail {

// Leaves of the bounding-box tree hold at most this many boxes.
constexpr int kLeafSize = 4;
// Median splits keep the tree's depth near log2(n / kLeafSize); a query's stack holds one
// pending node per level plus one.
constexpr int kMaxDepth = 128;

// ---------------------------------------------------------------------------------------------
// Bounding boxes and the tree over them

struct Box {
    double x0, y0, x1, y1;
};

// A box that overlaps nothing, not even itself.
constexpr Box kNoBox{
    std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};

inline bool overlaps(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

inline Box boxAround(Vec q, double r) {
    return {q.x - r, q.y - r, q.x + r, q.y + r};
}

inline void addToBox(Box& b, Vec q) {
    b.x0 = std::min(b.x0, q.x);
    b.y0 = std::min(b.y0, q.y);
    b.x1 = std::max(b.x1, q.x);
    b.y1 = std::max(b.y1, q.y);
}

// Box of a piece, grown by `margin`.
inline Box pieceBox(const Piece& p, double margin) {
    Box b{p.a.x, p.a.y, p.a.x, p.a.y};
    addToBox(b, p.b);
    if (p.arc) {
        // The circle's extreme points that the sweep passes.
        for (int k = 0; k < 4; ++k) {
            const double angle = k * kPi / 2;
            const double along = wrapPositive((angle - p.a0) * sign(p.sw));
            if (along <= std::abs(p.sw)) {
                addToBox(b, p.c + polar(p.r, angle));
            }
        }
    }
    return {b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

// How a BoxTree groups its boxes: by median splits of their centres, or by halving the list as
// given, which costs no sorting and suits boxes that follow a chain.
enum class TreeOrder { Median, AsGiven };

// A static bounding-volume tree; queries visit the boxes that overlap.
class BoxTree {
public:
    explicit BoxTree(Buffer<Box> boxes, TreeOrder order = TreeOrder::Median)
        : boxes_(std::move(boxes)), sorted_(order == TreeOrder::Median) {
        const int n = static_cast<int>(boxes_.size());
        entries_.resize(n);
        for (int i = 0; i < n; ++i) {
            const Box& b = boxes_[i];
            entries_[i] = {b.x0 + b.x1, b.y0 + b.y1, i};
        }
        if (n > 0) {
            nodes_.reserve(2 * (n / kLeafSize + 1));
            build(0, n);
        }
    }

    const Box& box(int i) const { return boxes_[i]; }

    // Calls visit(index) for every box overlapping `query` until visit returns true.
    template <class Visit>
    bool query(const Box& query, Visit&& visit) const {
        if (nodes_.empty() || !overlaps(nodes_[0].box, query)) {
            return false;
        }
        int stack[kMaxDepth];
        int top = 0;
        stack[top++] = 0;
        while (top > 0) {
            const Node& node = nodes_[stack[--top]];
            if (node.left < 0) {
                for (int k = node.begin; k < node.end; ++k) {
                    if (overlaps(boxes_[entries_[k].index], query) && visit(entries_[k].index)) {
                        return true;
                    }
                }
                continue;
            }
            // Children are tested before they are stacked, which visits them in the same order
            // as testing them when taken off, with fewer trips through the stack.
            if (overlaps(nodes_[node.left].box, query)) {
                stack[top++] = node.left;
            }
            if (overlaps(nodes_[node.right].box, query)) {
                stack[top++] = node.right;
            }
        }
        return false;
    }

    // Replaces box i by boxOf(i) (kNoBox for one never to be found) and refits the nodes around
    // them. The tree keeps its shape, so the boxes still found are visited in the same order.
    template <class BoxOf>
    void narrow(BoxOf&& boxOf) {
        for (size_t i = 0; i < boxes_.size(); ++i) {
            boxes_[i] = boxOf(i);
        }
        // Children follow their parent in the node list, so a backward pass refits bottom-up.
        for (size_t id = nodes_.size(); id-- > 0;) {
            Node& node = nodes_[id];
            if (node.left >= 0) {
                node.box = nodes_[node.left].box;
                unite(node.box, nodes_[node.right].box);
                continue;
            }
            node.box = kNoBox;
            for (int k = node.begin; k < node.end; ++k) {
                unite(node.box, boxes_[entries_[k].index]);
            }
        }
    }

private:
    // Twice the centre of a box, with the box's index.
    struct Entry {
        double cx, cy;
        int index;
    };
    struct Node {
        Box box;
        int left, right, begin, end;
    };

    // Builds the subtree over entries [begin, end); node boxes are unions of their children's.
    int build(int begin, int end) {
        const int id = static_cast<int>(nodes_.size());
        nodes_.push_back({Box{}, -1, -1, begin, end});
        if (end - begin <= kLeafSize) {
            Box total = boxes_[entries_[begin].index];
            for (int k = begin + 1; k < end; ++k) {
                unite(total, boxes_[entries_[k].index]);
            }
            nodes_[id].box = total;
            return id;
        }
        const int mid = begin + (end - begin) / 2;
        if (sorted_) {
            splitAtMedian(begin, mid, end);
        }
        const int left = build(begin, mid);
        const int right = build(mid, end);
        nodes_[id].left = left;
        nodes_[id].right = right;
        nodes_[id].box = nodes_[left].box;
        unite(nodes_[id].box, nodes_[right].box);
        return id;
    }

    // Orders the range so [begin, mid) holds the smaller centres along the centres' long axis.
    void splitAtMedian(int begin, int mid, int end) {
        double x0 = entries_[begin].cx, x1 = x0, y0 = entries_[begin].cy, y1 = y0;
        for (int k = begin + 1; k < end; ++k) {
            x0 = std::min(x0, entries_[k].cx);
            x1 = std::max(x1, entries_[k].cx);
            y0 = std::min(y0, entries_[k].cy);
            y1 = std::max(y1, entries_[k].cy);
        }
        auto first = entries_.begin() + begin, nth = entries_.begin() + mid,
             last = entries_.begin() + end;
        if (x1 - x0 >= y1 - y0) {
            std::nth_element(first, nth, last,
                             [](const Entry& l, const Entry& r) { return l.cx < r.cx; });
        } else {
            std::nth_element(first, nth, last,
                             [](const Entry& l, const Entry& r) { return l.cy < r.cy; });
        }
    }

    static void unite(Box& a, const Box& b) {
        a.x0 = std::min(a.x0, b.x0);
        a.y0 = std::min(a.y0, b.y0);
        a.x1 = std::max(a.x1, b.x1);
        a.y1 = std::max(a.y1, b.y1);
    }

    Buffer<Box> boxes_;
    bool sorted_;
    Buffer<Entry> entries_;
    Buffer<Node> nodes_;
};

// ---------------------------------------------------------------------------------------------
// Point nodes: points closer than the merge tolerance become one node

// Groups points lying within `tol` of each other (transitively) and numbers the groups densely
// in the order of their first point, which gives the group its position.
class PointClusters {
public:
    PointClusters(const Buffer<Vec>& pts, double tol) : parent_(pts.size()) {
        for (size_t i = 0; i < pts.size(); ++i) {
            parent_[i] = static_cast<int>(i);
        }
        joinClose(pts, tol);
        numberGroups(pts);
    }

    int node(int point) const { return node_[point]; }
    Vec position(int node) const { return positions_[node]; }
    int size() const { return static_cast<int>(positions_.size()); }

private:
    int root(int i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }

    // The smaller index stays the root, so a group's first point is its root.
    void unite(int i, int j) {
        i = root(i);
        j = root(j);
        if (i != j) {
            parent_[std::max(i, j)] = std::min(i, j);
        }
    }

    // Columns twice the tolerance wide, each sorted by y: close points share a column or lie in
    // neighbouring ones, and within a column only a window of y needs comparing.
    void joinClose(const Buffer<Vec>& pts, double tol) {
        const size_t n = pts.size();
        Buffer<int64_t> column(n);
        for (size_t i = 0; i < n; ++i) {
            column[i] = static_cast<int64_t>(
                std::max(-1e15, std::min(1e15, std::floor(pts[i].x / (2 * tol)))));
        }
        const Buffer<int> order = byColumnThenY(pts, column);
        auto runEnd = [&](size_t from) {
            size_t end = from;
            while (end < n && column[order[end]] == column[order[from]]) {
                ++end;
            }
            return end;
        };
        for (size_t begin = 0; begin < n;) {
            const size_t end = runEnd(begin);
            joinRuns(pts, tol, order, begin, end, begin, end);
            if (end < n && column[order[end]] == column[order[begin]] + 1) {
                joinRuns(pts, tol, order, begin, end, end, runEnd(end));
            }
            begin = end;
        }
    }

    // Point indices sorted by column, then by y. The keys sit beside the indices so the sort
    // reads them in place; the order among equal keys does not change which points unite.
    static Buffer<int> byColumnThenY(const Buffer<Vec>& pts, const Buffer<int64_t>& column) {
        struct Key {
            int64_t column;
            double y;
            int index;
        };
        Buffer<Key> keys(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) {
            keys[i] = {column[i], pts[i].y, static_cast<int>(i)};
        }
        std::sort(keys.begin(), keys.end(), [](const Key& l, const Key& r) {
            return l.column != r.column ? l.column < r.column : l.y < r.y;
        });
        Buffer<int> order(keys.size());
        for (size_t k = 0; k < keys.size(); ++k) {
            order[k] = keys[k].index;
        }
        return order;
    }

    // Unites the points of run [b0, e0) with those of run [b1, e1) (both sorted by y) within tol.
    void joinRuns(const Buffer<Vec>& pts, double tol, const Buffer<int>& order, size_t b0,
                  size_t e0, size_t b1, size_t e1) {
        const bool same = b0 == b1;
        size_t low = b1;
        for (size_t i = b0; i < e0; ++i) {
            const Vec p = pts[order[i]];
            if (same) {
                low = i + 1;
            }
            while (low < e1 && pts[order[low]].y < p.y - tol) {
                ++low;
            }
            for (size_t j = low; j < e1 && pts[order[j]].y <= p.y + tol; ++j) {
                if (dist(pts[order[j]], p) <= tol) {
                    unite(order[i], order[j]);
                }
            }
        }
    }

    void numberGroups(const Buffer<Vec>& pts) {
        node_.resize(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) {
            const int r = root(static_cast<int>(i));
            if (r == static_cast<int>(i)) {
                node_[i] = static_cast<int>(positions_.size());
                positions_.push_back(pts[i]);
            } else {
                node_[i] = node_[r];
            }
        }
    }

    Buffer<int> parent_, node_;
    Buffer<Vec> positions_;
};

}  // namespace trimmed_offset_detail
