// Polygon booleans on an integer grid chosen per call, computed by the distribution's Clipper with
// touching contours split, so that each result contour is a simple polygon.
#include <deque>
#include <exception>

#include <polyclipping/clipper.hpp>

#include "platform/gpc/grid_rings.h"

namespace gpc_detail {
namespace {

// Unions of a tangled result run at most this often. One pass has untangled every overlap seen;
// rings still meeting crosswise after it have differed by grid rounding alone.
constexpr int kMaxUntanglePasses = 2;

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

// Strictly simple output of tangled operands now and then holds rings that pass through a shared
// vertex into one another and so overlap. Their union read even-odd covers the same ground, and
// its rings come out untangled: retried while they still cross. False when Clipper fails.
bool untangle(ClipperLib::PolyTree& tree) {
    for (int pass = 0; pass < kMaxUntanglePasses && crossAtSharedVertex(collect(tree).rings);
         ++pass) {
        ClipperLib::Paths rings;
        ClipperLib::PolyTreeToPaths(tree, rings);
        ClipperLib::Clipper clipper;
        clipper.StrictlySimple(true);
        clipper.AddPaths(rings, ClipperLib::ptSubject, true);
        if (!clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftEvenOdd,
                             ClipperLib::pftEvenOdd)) {
            return false;
        }
    }
    return true;
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
        ClipperLib::Clipper clipper;
        clipper.StrictlySimple(true);
        clipper.AddPaths(toPaths(subject, scale), ClipperLib::ptSubject, true);
        clipper.AddPaths(toPaths(clip, scale), ClipperLib::ptClip, true);
        ClipperLib::PolyTree tree;
        if (!clipper.Execute(toClipType(op), tree, ClipperLib::pftEvenOdd,
                             ClipperLib::pftEvenOdd) ||
            !untangle(tree)) {
            return {};
        }
        const TreeRings listed = collect(tree);
        const std::vector<Contour> cs = contoursOf(listed.rings, listed.parents);
        return listNested(cs, nestContours(cs), scale);
    } catch (const std::exception&) {
        return {};  // out of memory or a range the engine refuses: no result rather than a crash
    }
}

}  // namespace gpc_detail
