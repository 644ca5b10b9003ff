// Polygon booleans on an integer grid chosen per call, computed by the distribution's Clipper with
// touching contours split, so that each result contour is a simple polygon.
#include <deque>
#include <exception>

#include <polyclipping/clipper.hpp>

#include "platform/gpc/grid_rings.h"
#include "platform/gpc/self_touches.h"

namespace gpc_detail {
namespace {

// Unions of a tangled result run at most this often: a cut plain union first, which mostly
// suffices, then strictly simple ones. Two of those have untangled every overlap seen; contours
// still overlapping after them have differed by grid rounding alone.
constexpr int kMaxUntanglePasses = 3;

ClipperLib::ClipType toClipType(ClipOp op) {
    switch (op) {
        case ClipOp::kDifference:
            return ClipperLib::ctDifference;
        case ClipOp::kIntersection:
            return ClipperLib::ctIntersection;
        case ClipOp::kXor:
            return ClipperLib::ctXor;
        case ClipOp::kUnion:
            break;
    }
    return ClipperLib::ctUnion;
}

// Every contour of the tree, listed level by level (each outer, its holes, islands queued
// behind), which fixes the order among siblings of the result; with the index of each one's
// parent in the tree (-1 at the top).
struct TreeRings {
    std::vector<const GridRing*> rings;
    std::vector<int> parents;
};

TreeRings collect(const ClipperLib::PolyTree& tree) {
    TreeRings out;
    std::deque<std::pair<const ClipperLib::PolyNode*, int>> queue;
    for (const ClipperLib::PolyNode* top : tree.Childs) {
        queue.emplace_back(top, -1);
    }
    while (!queue.empty()) {
        const auto [node, parent] = queue.front();
        queue.pop_front();
        const int index = static_cast<int>(out.rings.size());
        out.rings.push_back(&node->Contour);
        out.parents.push_back(parent);
        for (const ClipperLib::PolyNode* child : node->Childs) {
            queue.emplace_back(child, index);
        }
    }
    return out;
}

// The union of the rings read even-odd, touching contours split, into `out`; false when Clipper
// fails. A plain union comes first. When `cutOnly`, its rings are cut where they touch
// themselves, which is cheap; otherwise (or when the cut runs over its budget) a strictly simple
// union of them follows, which costs far more but settles where the cut leaves contours
// overlapping, and still far less than a strictly simple union of the tangle. Plain paths rather
// than a tree: Clipper's own nesting of split contours can take it long on a tangle, and nesting
// is done by exact containment anyway.
bool uniteEvenOdd(const std::vector<const GridRing*>& rings, bool cutOnly, ClipperLib::Paths& out) {
    ClipperLib::Paths untangled;
    ClipperLib::Clipper plain;
    for (const GridRing* ring : rings) {
        plain.AddPath(*ring, ClipperLib::ptSubject, true);
    }
    if (!plain.Execute(ClipperLib::ctUnion, untangled, ClipperLib::pftEvenOdd,
                       ClipperLib::pftEvenOdd)) {
        return false;
    }
    out.clear();
    if (cutOnly && splitSelfTouches(untangled, out)) {
        return true;
    }
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPaths(untangled, ClipperLib::ptSubject, true);
    return clipper.Execute(ClipperLib::ctUnion, out, ClipperLib::pftEvenOdd,
                           ClipperLib::pftEvenOdd);
}

// Result rings nested and listed, with the engine's own nesting when it gave one (see
// contoursOf). Output of tangled operands now and then holds contours that overlap where they
// meet at a vertex or along an edge, or one inside another that turns the same way; the union of
// all its rings covers the same ground read even-odd and comes out untangled, so it is taken
// instead. (Uniting only the overlapping contours is not enough: the crossings of their union
// round to the grid and can then cross a neighbour.)
std::vector<ResultContour> listUntangled(TreeRings listed, const GridScale& scale) {
    ClipperLib::Paths united[2];
    for (int pass = 0;; ++pass) {
        const std::vector<Contour> cs = contoursOf(listed.rings, listed.parents);
        const std::vector<int> parent = nestContours(cs);
        ClipperLib::Paths& next = united[pass % 2];
        const bool tangled = contoursOverlap(cs, parent) || !orientedByDepth(cs, parent);
        if (pass == kMaxUntanglePasses || !tangled ||
            !uniteEvenOdd(listed.rings, pass == 0, next)) {
            return listNested(cs, parent, scale);
        }
        listed = {};
        for (const GridRing& ring : next) {
            listed.rings.push_back(&ring);
        }
    }
}

// Clipper itself run on the operands; false when it fails.
template <class Output>
bool runClipper(ClipOp op, const std::vector<RingView>& subject, const std::vector<RingView>& clip,
                const GridScale& scale, bool strictlySimple, Output& out) {
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(strictlySimple);
    clipper.AddPaths(toPaths(subject, scale), ClipperLib::ptSubject, true);
    clipper.AddPaths(toPaths(clip, scale), ClipperLib::ptClip, true);
    return clipper.Execute(toClipType(op), out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
}

}  // namespace

std::vector<ResultContour> clipWithClipper(ClipOp op, const std::vector<RingView>& subject,
                                           const std::vector<RingView>& clip) {
    const double maxAbs = maxAbsCoordinate(subject, clip);
    if (maxAbs == 0.0) {
        return {};  // every vertex at the origin: nothing has area
    }
    try {
        const GridScale scale(maxAbs);
        ClipperLib::PolyTree tree;
        if (!runClipper(op, subject, clip, scale, true, tree)) {
            return {};
        }
        return listUntangled(collect(tree), scale);
    } catch (const std::exception&) {
        return {};  // out of memory or a range the engine refuses: no result rather than a crash
    }
}

bool clipWithSplitting(ClipOp op, const std::vector<RingView>& subject,
                       const std::vector<RingView>& clip, std::vector<ResultContour>& out) {
    const double maxAbs = maxAbsCoordinate(subject, clip);
    if (maxAbs == 0.0) {
        out.clear();
        return true;
    }
    try {
        const GridScale scale(maxAbs);
        ClipperLib::Paths plain, loops;
        if (!runClipper(op, subject, clip, scale, false, plain) ||
            !splitSelfTouches(plain, loops)) {
            return false;
        }
        TreeRings listed;
        listed.rings.reserve(loops.size());
        for (const GridRing& loop : loops) {
            listed.rings.push_back(&loop);
        }
        out = listUntangled(std::move(listed), scale);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace gpc_detail
