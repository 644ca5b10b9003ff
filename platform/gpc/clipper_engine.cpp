// Polygon booleans on an integer grid chosen per call, computed by the distribution's Clipper.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <exception>
#include <utility>

#include <polyclipping/clipper.hpp>

#include "platform/gpc/clip_engine.h"

namespace gpc_detail {
namespace {

// Largest grid coordinate: integers up to 2^53 are exact doubles, so every grid point and every
// intersection the engine rounds stays representable; Clipper switches to 128-bit products
// itself once coordinates pass its 2^30 range.
constexpr int kGridBits = 52;
// Touching contours are split so that every result contour is a simple polygon. This costs
// Clipper a pass that grows about quadratically with the vertices of bumpy inputs (tens of
// seconds at 65 536 vertices against half a second without it).
constexpr bool kSplitTouchingContours = true;
// Powers of two beyond this exponent are applied with ldexp, which handles the extremes exactly.
constexpr int kDirectScaleLimit = 1000;

// Power-of-two map between doubles and grid integers; exact in both directions but for rounding.
class GridScale {
public:
    explicit GridScale(double maxAbs) {
        int exponent = 0;
        std::frexp(maxAbs, &exponent);  // maxAbs < 2^exponent
        shift_ = kGridBits - exponent;
        direct_ = std::abs(shift_) <= kDirectScaleLimit;
        up_ = direct_ ? std::ldexp(1.0, shift_) : 0.0;
        down_ = direct_ ? std::ldexp(1.0, -shift_) : 0.0;
    }
    ClipperLib::cInt toGrid(double v) const {
        return static_cast<ClipperLib::cInt>(
            std::llround(direct_ ? v * up_ : std::ldexp(v, shift_)));
    }
    double fromGrid(ClipperLib::cInt v) const {
        double d = static_cast<double>(v);
        return direct_ ? d * down_ : std::ldexp(d, -shift_);
    }

private:
    int shift_ = 0;
    bool direct_ = true;
    double up_ = 1.0;
    double down_ = 1.0;
};

// Largest |coordinate| over both operands; 0 when they hold nothing.
double maxAbsCoordinate(const std::vector<RingView>& a, const std::vector<RingView>& b) {
    double m = 0.0;
    for (const auto* rings : {&a, &b}) {
        for (const RingView& r : *rings) {
            for (int i = 0; i < r.count; ++i) {
                m = std::max(m, std::max(std::fabs(r.pts[i].x), std::fabs(r.pts[i].y)));
            }
        }
    }
    return m;
}

// Converts rings to grid paths.
ClipperLib::Paths toPaths(const std::vector<RingView>& rings, const GridScale& scale) {
    ClipperLib::Paths paths(rings.size());
    for (std::size_t i = 0; i < rings.size(); ++i) {
        ClipperLib::Path& path = paths[i];
        path.reserve(static_cast<std::size_t>(rings[i].count));
        for (int k = 0; k < rings[i].count; ++k) {
            path.emplace_back(scale.toGrid(rings[i].pts[k].x), scale.toGrid(rings[i].pts[k].y));
        }
    }
    return paths;
}

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

// Converts one grid path back, oriented counter-clockwise for outers and clockwise for holes.
ResultContour fromPath(const ClipperLib::Path& path, bool hole, const GridScale& scale) {
    ResultContour out{std::vector<gpc::gpc_vertex>(path.size()), hole};
    for (std::size_t i = 0; i < path.size(); ++i) {
        out.pts[i] = {scale.fromGrid(path[i].X), scale.fromGrid(path[i].Y)};
    }
    if (ClipperLib::Orientation(path) == hole) {
        std::reverse(out.pts.begin(), out.pts.end());
    }
    return out;
}

// Lists the tree level by level: each outer followed by its holes, islands queued behind.
std::vector<ResultContour> flatten(const ClipperLib::PolyTree& tree, const GridScale& scale) {
    std::vector<ResultContour> result;
    std::deque<const ClipperLib::PolyNode*> outers(tree.Childs.begin(), tree.Childs.end());
    while (!outers.empty()) {
        const ClipperLib::PolyNode* outer = outers.front();
        outers.pop_front();
        result.push_back(fromPath(outer->Contour, false, scale));
        for (const ClipperLib::PolyNode* hole : outer->Childs) {
            result.push_back(fromPath(hole->Contour, true, scale));
            outers.insert(outers.end(), hole->Childs.begin(), hole->Childs.end());
        }
    }
    return result;
}

}  // namespace

std::vector<ResultContour> clipEvenOdd(ClipOp op, const std::vector<RingView>& subject,
                                       const std::vector<RingView>& clip) {
    double maxAbs = maxAbsCoordinate(subject, clip);
    if (maxAbs == 0.0) {
        return {};  // every vertex at the origin: nothing has area
    }
    try {
        GridScale scale(maxAbs);
        ClipperLib::Clipper clipper;
        clipper.StrictlySimple(kSplitTouchingContours);
        clipper.AddPaths(toPaths(subject, scale), ClipperLib::ptSubject, true);
        clipper.AddPaths(toPaths(clip, scale), ClipperLib::ptClip, true);
        ClipperLib::PolyTree tree;
        if (!clipper.Execute(toClipType(op), tree, ClipperLib::pftEvenOdd,
                             ClipperLib::pftEvenOdd)) {
            return {};
        }
        return flatten(tree, scale);
    } catch (const std::exception&) {
        return {};  // out of memory or a range the engine refuses: no result rather than a crash
    }
}

}  // namespace gpc_detail
