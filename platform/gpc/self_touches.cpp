// Cutting self-touching rings. Vertices lying inside the ring's own edges are found through a
// uniform grid over the ring's box and become vertices of those edges; then one walk with a stack
// cuts a loop off wherever a point comes round again.
#include "platform/gpc/self_touches.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gpc_detail {
namespace {

using ClipperLib::cInt;
using Point = ClipperLib::IntPoint;

// Cells visited and vertices tested per edge, on average, before the search gives up, and the
// allowance every ring has whatever its size.
constexpr std::size_t kWorkPerEdge = 256;
constexpr std::size_t kBaseWork = 4096;
constexpr std::size_t kMaxCellsPerSide = 1024;
// Rings up to this size are searched pair by pair.
constexpr std::size_t kAllPairsVertices = 32;

Wide crossOf(const Point& o, const Point& a, const Point& b) {
    return Wide(a.X - o.X) * (b.Y - o.Y) - Wide(a.Y - o.Y) * (b.X - o.X);
}

Wide dotOf(const Point& o, const Point& a, const Point& b) {
    return Wide(a.X - o.X) * (b.X - o.X) + Wide(a.Y - o.Y) * (b.Y - o.Y);
}

// Whether p lies on the segment a-b away from both ends, exactly.
bool insideSegment(const Point& p, const Point& a, const Point& b) {
    return crossOf(a, b, p) == 0 && dotOf(a, b, p) > 0 && dotOf(b, a, p) > 0;
}

// The vertices of one ring bucketed by the cells of a grid cut at quantiles of their
// coordinates, about one vertex per cell, with a budget of work for the searches along edges.
class VertexGrid {
public:
    explicit VertexGrid(const GridRing& ring) : ring_(ring) {
        const auto side =
            std::min(kMaxCellsPerSide, static_cast<std::size_t>(std::ceil(std::sqrt(ring.size()))));
        std::vector<cInt> xs(ring.size()), ys(ring.size());
        for (std::size_t i = 0; i < ring.size(); ++i) {
            xs[i] = ring[i].X;
            ys[i] = ring[i].Y;
        }
        xCuts_ = quantileCuts(std::move(xs), side);
        yCuts_ = quantileCuts(std::move(ys), side);
        budget_ = kBaseWork + kWorkPerEdge * ring.size();
        bucket();
    }

    // Calls visit(i) for every vertex i in the cells the segment a-b passes through, column by
    // column; false when the budget has run out.
    template <class Visit>
    bool forEachNear(const Point& a, const Point& b, Visit visit) {
        const Point& left = a.X <= b.X ? a : b;
        const Point& right = a.X <= b.X ? b : a;
        const int first = cellAmong(xCuts_, left.X), last = cellAmong(xCuts_, right.X);
        for (int col = first; col <= last; ++col) {
            double lowY = 0, highY = 0;
            spanInColumn(left, right, col, lowY, highY);
            for (int row = cellAmong(yCuts_, lowY), end = cellAmong(yCuts_, highY); row <= end;
                 ++row) {
                if (!visitCell(cellIndex(col, row), visit)) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    std::size_t cellIndex(int col, int row) const {
        return static_cast<std::size_t>(row) * xCuts_.size() + static_cast<std::size_t>(col);
    }

    // The heights the segment from `left` to `right` takes within column `col`, widened by more
    // than the rounding of doubles can move them.
    void spanInColumn(const Point& left, const Point& right, int col, double& low,
                      double& high) const {
        const double dx = static_cast<double>(right.X - left.X);
        const double dy = static_cast<double>(right.Y - left.Y);
        double y0 = static_cast<double>(left.Y), y1 = static_cast<double>(right.Y);
        if (dx > 0) {
            const auto heightAt = [&](cInt x) {
                return static_cast<double>(left.Y) + static_cast<double>(x - left.X) * dy / dx;
            };
            const auto c = static_cast<std::size_t>(col);
            y0 = heightAt(std::max(left.X, xCuts_[c]));
            y1 = c + 1 < xCuts_.size() ? heightAt(std::min(right.X, xCuts_[c + 1])) : y1;
        }
        const double slack = 8.0 + 1e-9 * (std::fabs(static_cast<double>(left.Y)) + std::fabs(dy));
        low = std::min(y0, y1) - slack;
        high = std::max(y0, y1) + slack;
    }

    void bucket() {
        std::vector<std::size_t> cellOfVertex(ring_.size());
        start_.assign(xCuts_.size() * yCuts_.size() + 1, 0);
        for (std::size_t i = 0; i < ring_.size(); ++i) {
            cellOfVertex[i] =
                cellIndex(cellAmong(xCuts_, ring_[i].X), cellAmong(yCuts_, ring_[i].Y));
            ++start_[cellOfVertex[i] + 1];
        }
        for (std::size_t c = 1; c < start_.size(); ++c) {
            start_[c] += start_[c - 1];
        }
        members_.resize(ring_.size());
        std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
        for (std::size_t i = 0; i < ring_.size(); ++i) {
            members_[fill[cellOfVertex[i]]++] = i;
        }
    }

    template <class Visit>
    bool visitCell(std::size_t cell, Visit& visit) {
        const std::size_t work = 1 + start_[cell + 1] - start_[cell];
        if (work > budget_) {
            return false;
        }
        budget_ -= work;
        for (std::size_t k = start_[cell]; k < start_[cell + 1]; ++k) {
            visit(members_[k]);
        }
        return true;
    }

    const GridRing& ring_;
    std::vector<cInt> xCuts_, yCuts_;
    std::size_t budget_ = 0;
    std::vector<std::size_t> start_;    // first member of each cell, and one past the last
    std::vector<std::size_t> members_;  // vertex indices, cell by cell
};

// A vertex position found inside an edge, with its distance along the edge for ordering.
struct OnEdge {
    std::size_t edge;
    Wide along;
    Point at;
};

// Every vertex position lying inside one of the ring's edges, each edge's candidates listed by
// `near(a, b, visit)`; false when that runs out of budget.
template <class Near>
bool verticesOnEdges(const GridRing& ring, Near near, std::vector<OnEdge>& found) {
    const std::size_t n = ring.size();
    for (std::size_t e = 0; e < n; ++e) {
        const Point& a = ring[e];
        const Point& b = ring[(e + 1) % n];
        if (a == b) {
            continue;
        }
        const bool ok = near(a, b, [&](std::size_t i) {
            if (insideSegment(ring[i], a, b)) {
                found.push_back({e, dotOf(a, b, ring[i]), ring[i]});
            }
        });
        if (!ok) {
            return false;
        }
    }
    return true;
}

// Every vertex position lying inside one of the ring's edges; false when the budget runs out.
// Small rings test every vertex against every edge: cheaper than building a grid.
bool verticesOnEdges(const GridRing& ring, std::vector<OnEdge>& found) {
    if (ring.size() <= kAllPairsVertices) {
        const auto everyVertex = [&ring](const Point&, const Point&, const auto& visit) {
            for (std::size_t i = 0; i < ring.size(); ++i) {
                visit(i);
            }
            return true;
        };
        return verticesOnEdges(ring, everyVertex, found);
    }
    VertexGrid grid(ring);
    const auto gridCells = [&grid](const Point& a, const Point& b, const auto& visit) {
        return grid.forEachNear(a, b, visit);
    };
    return verticesOnEdges(ring, gridCells, found);
}

// The ring with the positions found inserted into their edges in order, each once.
GridRing withVerticesOnEdges(const GridRing& ring, std::vector<OnEdge>& found) {
    std::sort(found.begin(), found.end(), [](const OnEdge& u, const OnEdge& v) {
        return u.edge != v.edge ? u.edge < v.edge : u.along < v.along;
    });
    GridRing out;
    out.reserve(ring.size() + found.size());
    std::size_t k = 0;
    for (std::size_t e = 0; e < ring.size(); ++e) {
        out.push_back(ring[e]);
        for (; k < found.size() && found[k].edge == e; ++k) {
            if (!(out.back() == found[k].at)) {
                out.push_back(found[k].at);
            }
        }
    }
    return out;
}

// For each vertex the index of its position among the positions met more than once, or -1;
// the number of such positions in `count`.
std::vector<int> repeatIds(const GridRing& ring, int& count) {
    std::vector<std::size_t> order(ring.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    const auto before = [&ring](std::size_t u, std::size_t v) {
        return ring[u].X != ring[v].X ? ring[u].X < ring[v].X : ring[u].Y < ring[v].Y;
    };
    std::sort(order.begin(), order.end(), before);
    std::vector<int> id(ring.size(), -1);
    count = 0;
    for (std::size_t first = 0, last = 0; first < order.size(); first = last) {
        for (last = first + 1; last < order.size() && ring[order[last]] == ring[order[first]];) {
            ++last;
        }
        if (last - first > 1) {
            for (std::size_t k = first; k < last; ++k) {
                id[order[k]] = count;
            }
            ++count;
        }
    }
    return id;
}

void appendLoop(GridRing&& loop, ClipperLib::Paths& out) {
    if (loop.size() >= 3) {
        out.push_back(std::move(loop));
    }
}

// Cuts a loop off the walk each time it comes back to a position still on its stack.
void cutAtRepeats(const GridRing& ring, ClipperLib::Paths& out) {
    int repeated = 0;
    const std::vector<int> id = repeatIds(ring, repeated);
    if (repeated == 0) {
        appendLoop(GridRing(ring), out);
        return;
    }
    std::vector<std::ptrdiff_t> stackPos(static_cast<std::size_t>(repeated), -1);
    GridRing stack;
    std::vector<int> stackIds;
    stack.reserve(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const int pid = id[i];
        if (pid >= 0 && stackPos[pid] >= 0) {
            const auto from = static_cast<std::size_t>(stackPos[pid]);
            for (std::size_t k = from + 1; k < stack.size(); ++k) {
                if (stackIds[k] >= 0) {
                    stackPos[stackIds[k]] = -1;
                }
            }
            appendLoop(GridRing(stack.begin() + static_cast<std::ptrdiff_t>(from), stack.end()),
                       out);
            stack.resize(from + 1);
            stackIds.resize(from + 1);
            continue;
        }
        if (pid >= 0) {
            stackPos[pid] = static_cast<std::ptrdiff_t>(stack.size());
        }
        stack.push_back(ring[i]);
        stackIds.push_back(pid);
    }
    appendLoop(std::move(stack), out);
}

}  // namespace

bool splitSelfTouches(const ClipperLib::Paths& rings, ClipperLib::Paths& out) {
    std::vector<OnEdge> found;
    for (const GridRing& ring : rings) {
        if (ring.size() < 3) {
            continue;
        }
        found.clear();
        if (!verticesOnEdges(ring, found)) {
            return false;
        }
        if (found.empty()) {
            cutAtRepeats(ring, out);
        } else {
            cutAtRepeats(withVerticesOnEdges(ring, found), out);
        }
    }
    return true;
}

}  // namespace gpc_detail
