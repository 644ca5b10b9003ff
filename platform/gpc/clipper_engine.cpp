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

// The union of `from`'s rings read even-odd, into `to`; false when Clipper fails.
bool uniteEvenOdd(const ClipperLib::PolyTree& from, ClipperLib::PolyTree& to) {
    ClipperLib::Paths rings;
    ClipperLib::PolyTreeToPaths(from, rings);
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPaths(rings, ClipperLib::ptSubject, true);
    return clipper.Execute(ClipperLib::ctUnion, to, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
}

// The result in trees[0] nested and listed. Strictly simple output of tangled operands now and
// then holds contours that overlap where they meet at a vertex; the union of its rings covers the
// same ground, and comes out untangled, so it is taken instead (trees[1] holds it on the way).
std::vector<ResultContour> listUntangled(ClipperLib::PolyTree (&trees)[2], const GridScale& scale) {
    for (int pass = 0;; ++pass) {
        const TreeRings listed = collect(trees[pass % 2]);
        const std::vector<Contour> cs = contoursOf(listed.rings, listed.parents);
        const std::vector<int> parent = nestContours(cs);
        if (pass == kMaxUntanglePasses || !overlapAtSharedVertex(cs, parent) ||
            !uniteEvenOdd(trees[pass % 2], trees[(pass + 1) % 2])) {
            return listNested(cs, parent, scale);
        }
    }
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
        ClipperLib::PolyTree trees[2];
        if (!clipper.Execute(toClipType(op), trees[0], ClipperLib::pftEvenOdd,
                             ClipperLib::pftEvenOdd)) {
            return {};
        }
        return listUntangled(trees, scale);
    } catch (const std::exception&) {
        return {};  // out of memory or a range the engine refuses: no result rather than a crash
    }
}

}  // namespace gpc_detail
