// Rings on the per-call integer grid shared by the clipping engines: the map between doubles and
// grid integers, and the nesting of result rings by exact containment.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include <polyclipping/clipper.hpp>

#include "platform/gpc/clip_engine.h"

namespace gpc_detail {

// Largest grid coordinate: integers up to 2^53 are exact doubles, so every grid point and every
// intersection an engine rounds stays representable.
constexpr int kGridBits = 52;

// Integers wide enough for exact products of grid coordinates (each below 2^54 in magnitude).
__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 WideBits;

using GridRing = ClipperLib::Path;

// Nearest integer, halves away from zero, as std::llround gives it; inline and without a library
// call, since every vertex in and out of an engine passes through it. The remainder after
// truncation is exact, and beyond 2^52 every double is already an integer.
inline ClipperLib::cInt roundHalfAway(double v) {
    constexpr double kCastLimit = 4611686018427387904.0;  // 2^62
    if (!(std::fabs(v) < kCastLimit)) {
        return static_cast<ClipperLib::cInt>(std::llround(v));
    }
    const auto whole = static_cast<ClipperLib::cInt>(v);
    const double rest = v - static_cast<double>(whole);
    return whole + (rest >= 0.5) - (rest <= -0.5);
}

// Power-of-two map between doubles and grid integers; exact in both directions but for rounding.
class GridScale {
public:
    explicit GridScale(double maxAbs);
    ClipperLib::cInt toGrid(double v) const {
        return roundHalfAway(direct_ ? v * up_ : std::ldexp(v, shift_));
    }
    double fromGrid(ClipperLib::cInt v) const {
        const auto d = static_cast<double>(v);
        return direct_ ? d * down_ : std::ldexp(d, -shift_);
    }

private:
    int shift_ = 0;
    bool direct_ = true;
    double up_ = 1.0;
    double down_ = 1.0;
};

// Largest |coordinate| over both operands; 0 when they hold nothing.
double maxAbsCoordinate(const std::vector<RingView>& a, const std::vector<RingView>& b);

// Converts rings to grid paths.
ClipperLib::Paths toPaths(const std::vector<RingView>& rings, const GridScale& scale);

// Cuts of one axis at quantiles of `values`, at most `cells` of them and all distinct, so that
// clustered values still spread over many cells: cell k holds values from cuts[k] up to, not
// including, cuts[k + 1]; the first cell also everything below.
std::vector<ClipperLib::cInt> quantileCuts(std::vector<ClipperLib::cInt> values, std::size_t cells);

// The cell of v among cuts from quantileCuts (v an integer or a double).
template <class T>
int cellAmong(const std::vector<ClipperLib::cInt>& cuts, T v) {
    const auto above = std::upper_bound(cuts.begin(), cuts.end(), v, [](T u, ClipperLib::cInt cut) {
        return u < static_cast<T>(cut);
    });
    return std::max(0, static_cast<int>(above - cuts.begin()) - 1);
}

// Bounding box in grid coordinates scaled for probing.
struct Box {
    ClipperLib::cInt minX, minY, maxX, maxY;
};

// A ring with what nesting needs.
struct Contour {
    const GridRing* ring;
    Box box;
    Wide area2;           // twice the signed area, positive counter-clockwise
    int treeParent = -1;  // the engine's own parent among the contours kept, when it has one
};

// Contours of the rings that enclose some area, in the given order. `treeParents`, when given,
// holds for each ring the index of the ring the engine nested it in (-1 for none), listed
// before it; a dropped ring passes its children on to its own nearest kept ancestor.
std::vector<Contour> contoursOf(const std::vector<const GridRing*>& rings,
                                const std::vector<int>& treeParents = {});

// Parent of every contour (-1 for top-level ones) by exact containment. The contours must not
// cross one another; they may touch.
std::vector<int> nestContours(const std::vector<Contour>& cs);

// True when two contours, or one with itself, overlap so that the nesting `parent` (from
// nestContours) cannot describe them: next to a common vertex, or along a common stretch of edge
// (sharing a vertex there or not), their insides meet while neither holds the other, or the one
// held leaves its holder; or one ring passes through itself at a vertex.
bool contoursOverlap(const std::vector<Contour>& cs, const std::vector<int>& parent);

// Nesting depth of every contour from its parent links (0 at the top); each chain is walked once.
std::vector<int> depthsOf(const std::vector<int>& parent);

// Whether every contour turns as its depth in the nesting says: those at even depth (outers)
// counter-clockwise, the others (holes) clockwise. Slivers, no wider on average than two grid
// steps, may turn either way: rounding crossings to the grid makes them.
bool orientedByDepth(const std::vector<Contour>& cs, const std::vector<int>& parent);

// Lists the nesting level by level: each outer (counter-clockwise) followed by the holes
// (clockwise) directly inside it, islands inside those holes queued behind all outers of the
// enclosing level. Outers keep their listed order. `parent` comes from nestContours.
std::vector<ResultContour> listNested(const std::vector<Contour>& cs,
                                      const std::vector<int>& parent, const GridScale& scale);

}  // namespace gpc_detail
