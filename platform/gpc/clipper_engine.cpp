// Polygon booleans on an integer grid chosen per call, computed by the distribution's Clipper with
// touching contours split, so that each result contour is a simple polygon.
#include <deque>
#include <exception>

#include <polyclipping/clipper.hpp>

#include "platform/gpc/grid_rings.h"

namespace gpc_detail {
namespace {

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
// behind), which fixes the order among siblings of the result.
std::vector<const GridRing*> collect(const ClipperLib::PolyTree& tree) {
    std::vector<const GridRing*> rings;
    std::deque<const ClipperLib::PolyNode*> queue(tree.Childs.begin(), tree.Childs.end());
    while (!queue.empty()) {
        const ClipperLib::PolyNode* node = queue.front();
        queue.pop_front();
        rings.push_back(&node->Contour);
        queue.insert(queue.end(), node->Childs.begin(), node->Childs.end());
    }
    return rings;
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
                             ClipperLib::pftEvenOdd)) {
            return {};
        }
        const std::vector<Contour> cs = contoursOf(collect(tree));
        return listNested(cs, nestContours(cs), scale);
    } catch (const std::exception&) {
        return {};  // out of memory or a range the engine refuses: no result rather than a crash
    }
}

}  // namespace gpc_detail
