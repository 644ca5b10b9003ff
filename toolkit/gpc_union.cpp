// Owned GPC polygons and the balanced union of many polygons.
#include "toolkit/gpc_owned.h"

#include <geo/gpc_contours.h>

#include "foundation/numeric.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numeric>

namespace geo_detail {

GpcGon::GpcGon(const std::vector<CPoint3d>& outline) {
    AddPtarrToPolygon(outline, &poly, 0);
}

GpcGon::~GpcGon() {
    gpc::gpc_free_polygon(&poly);
}

GpcGon::GpcGon(GpcGon&& other) noexcept : poly(other.poly) {
    other.poly = gpc::gpc_polygon{0, nullptr, nullptr};
}

GpcGon& GpcGon::operator=(GpcGon&& other) noexcept {
    if (this != &other) {
        gpc::gpc_free_polygon(&poly);
        poly = other.poly;
        other.poly = gpc::gpc_polygon{0, nullptr, nullptr};
    }
    return *this;
}

GpcGon Clip(gpc::gpc_op op, GpcGon& subject, GpcGon& clip) {
    GpcGon result;
    gpc::gpc_polygon_clip(op, &subject.poly, &clip.poly, &result.poly);
    return result;
}

namespace {

using cleanup_detail::PlanBox;

// Grid cells per axis of the spatial order: 2^16, so a key fits 32 bits.
constexpr double kOrderCells = 65535.0;

// One node of the union tree: its contours, their plan box, and whether the engine has
// made them (a leaf still holds its caller's raw outline).
struct UnionPiece {
    GpcGon gon;
    PlanBox box{0, 0, 0, 0};
    bool engineMade = false;
};

// Plan box of an outline the engine will read: 3 or more points, all finite in plan.
bool UsableOutlineBox(const std::vector<CPoint3d>& pts, PlanBox& box) {
    if (pts.size() < 3 || !std::all_of(pts.begin(), pts.end(), isFiniteXY<CPoint3d>)) {
        return false;
    }
    box = PlanBox{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const CPoint3d& p : pts) {
        box.widen(PlanBox{p.x, p.y, p.x, p.y});
    }
    return true;
}

// The 16 low bits of v spread to the even bit positions.
std::uint32_t SpreadBits(std::uint32_t v) {
    v &= 0xFFFFu;
    v = (v | (v << 8)) & 0x00FF00FFu;
    v = (v | (v << 4)) & 0x0F0F0F0Fu;
    v = (v | (v << 2)) & 0x33333333u;
    v = (v | (v << 1)) & 0x55555555u;
    return v;
}

// Cell of c on the grid spanning lo..hi.
std::uint32_t GridCell(double c, double lo, double hi) {
    const double t = hi > lo ? (c - lo) / (hi - lo) : 0.0;
    return static_cast<std::uint32_t>(std::clamp(t, 0.0, 1.0) * kOrderCells);
}

// Z-order key of the box centre within `all`, so that neighbours in the list are near.
std::uint32_t ZOrderKey(const PlanBox& b, const PlanBox& all) {
    const std::uint32_t x = GridCell(0.5 * (b.loX + b.hiX), all.loX, all.hiX);
    const std::uint32_t y = GridCell(0.5 * (b.loY + b.hiY), all.loY, all.hiY);
    return SpreadBits(x) | (SpreadBits(y) << 1);
}

// The usable outlines as raw leaves, in Z-order of their box centres (ties in input order).
std::vector<UnionPiece> OrderedLeaves(const std::vector<CPolygon>& gons) {
    std::vector<UnionPiece> leaves;
    for (const CPolygon& g : gons) {
        const std::vector<CPoint3d> pts = g.getPoints();
        UnionPiece leaf;
        if (UsableOutlineBox(pts, leaf.box)) {
            leaf.gon = GpcGon(pts);
            leaves.push_back(std::move(leaf));
        }
    }
    if (leaves.empty()) {
        return leaves;
    }
    PlanBox all = leaves.front().box;
    std::vector<std::uint32_t> keys;
    for (const UnionPiece& leaf : leaves) {
        all.widen(leaf.box);
    }
    for (const UnionPiece& leaf : leaves) {
        keys.push_back(ZOrderKey(leaf.box, all));
    }
    std::vector<size_t> order(leaves.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<UnionPiece> sorted;
    sorted.reserve(leaves.size());
    for (size_t k : order) {
        sorted.push_back(std::move(leaves[k]));
    }
    return sorted;
}

// Moves every contour of `from` behind those of `into` (vertex arrays are handed over, not
// copied) and leaves `from` empty. Arrays come from malloc, as GPC's own do.
void AppendContours(gpc::gpc_polygon& into, gpc::gpc_polygon& from) {
    if (from.num_contours <= 0) {
        return;
    }
    const size_t n =
        static_cast<size_t>(into.num_contours) + static_cast<size_t>(from.num_contours);
    int* hole = static_cast<int*>(std::malloc(n * sizeof(int)));
    auto* contour =
        static_cast<gpc::gpc_vertex_list*>(std::malloc(n * sizeof(gpc::gpc_vertex_list)));
    if (hole == nullptr || contour == nullptr) {
        std::free(hole);
        std::free(contour);
        return;
    }
    const size_t first = static_cast<size_t>(std::max(into.num_contours, 0));
    for (size_t c = 0; c < first; ++c) {
        hole[c] = into.hole[c];
        contour[c] = into.contour[c];
    }
    for (size_t c = first; c < n; ++c) {
        hole[c] = from.hole[c - first];
        contour[c] = from.contour[c - first];
    }
    std::free(into.hole);
    std::free(into.contour);
    std::free(from.hole);
    std::free(from.contour);
    into = gpc::gpc_polygon{static_cast<int>(n), hole, contour};
    from = gpc::gpc_polygon{0, nullptr, nullptr};
}

// Unites b into a. Engine-made pieces whose boxes are apart cannot interact, so their
// contours are simply joined.
void MergeInto(UnionPiece& a, UnionPiece& b) {
    if (a.engineMade && b.engineMade && !a.box.meets(b.box)) {
        AppendContours(a.gon.poly, b.gon.poly);
    } else {
        a.gon = Clip(gpc::GPC_UNION, a.gon, b.gon);
    }
    a.box.widen(b.box);
    a.engineMade = true;
}

}  // namespace

GpcGon UnionAll(const std::vector<CPolygon>& gons) {
    std::vector<UnionPiece> level = OrderedLeaves(gons);
    if (level.empty()) {
        return GpcGon();
    }
    while (level.size() > 1) {
        size_t kept = 0;
        for (size_t i = 0; i < level.size(); i += 2) {
            if (i + 1 < level.size()) {
                MergeInto(level[i], level[i + 1]);
            }
            if (kept != i) {
                level[kept] = std::move(level[i]);
            }
            ++kept;
        }
        level.resize(kept);
    }
    UnionPiece& root = level.front();
    if (!root.engineMade) {
        GpcGon empty;
        root.gon = Clip(gpc::GPC_UNION, root.gon, empty);
    }
    return std::move(root.gon);
}

}  // namespace geo_detail
