// Polygon booleans on an integer grid chosen per call, computed by the distribution's Clipper with
// touching contours split, so that each result contour is a simple polygon.
#include <deque>
#include <exception>

#include <polyclipping/clipper.hpp>

#include "platform/gpc/grid_rings.h"

namespace gpc_detail {
namespace {

// Repasses of a tangled result run at most this often. One has untangled every overlap seen;
// contours still overlapping after it have differed by grid rounding alone.
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

// Both operands on the grid.
struct GridOperands {
    ClipperLib::Paths subject;
    ClipperLib::Paths clip;
};

// Runs the operation; strictly simple output has touching contours split. False when Clipper
// fails.
template <typename Out>
bool execute(ClipOp op, const GridOperands& in, bool strictlySimple, Out& out) {
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(strictlySimple);
    clipper.AddPaths(in.subject, ClipperLib::ptSubject, true);
    clipper.AddPaths(in.clip, ClipperLib::ptClip, true);
    return clipper.Execute(toClipType(op), out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
}

// Another run for a result whose contours overlap, into `next`. The first repeats the operation
// without splitting touching contours, which is where the overlaps arise (and the split of a
// tangle can take Clipper long), and splits the plain result's rings in a union read even-odd;
// later ones unite the rings of `last` again.
bool repass(int pass, ClipOp op, const GridOperands& in, const ClipperLib::PolyTree& last,
            ClipperLib::PolyTree& next) {
    ClipperLib::Paths rings;
    if (pass == 0) {
        if (!execute(op, in, false, rings)) {
            return false;
        }
    } else {
        ClipperLib::PolyTreeToPaths(last, rings);
    }
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPaths(rings, ClipperLib::ptSubject, true);
    return clipper.Execute(ClipperLib::ctUnion, next, ClipperLib::pftEvenOdd,
                           ClipperLib::pftEvenOdd);
}

// The result in trees[0] nested and listed. Strictly simple output of tangled operands now and
// then holds contours that overlap where they meet at a vertex; then the result of a repass is
// taken instead (trees[1] and trees[0] hold them in turn).
std::vector<ResultContour> listUntangled(ClipOp op, const GridOperands& in,
                                         ClipperLib::PolyTree (&trees)[2], const GridScale& scale) {
    for (int pass = 0;; ++pass) {
        const TreeRings listed = collect(trees[pass % 2]);
        const std::vector<Contour> cs = contoursOf(listed.rings, listed.parents);
        const std::vector<int> parent = nestContours(cs);
        if (pass == kMaxUntanglePasses || !overlapAtSharedVertex(cs, parent) ||
            !repass(pass, op, in, trees[pass % 2], trees[(pass + 1) % 2])) {
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
        const GridOperands in{toPaths(subject, scale), toPaths(clip, scale)};
        ClipperLib::PolyTree trees[2];
        if (!execute(op, in, true, trees[0])) {
            return {};
        }
        return listUntangled(op, in, trees, scale);
    } catch (const std::exception&) {
        return {};  // out of memory or a range the engine refuses: no result rather than a crash
    }
}

}  // namespace gpc_detail
