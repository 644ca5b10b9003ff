#pragma once
// Clipper's mitred offset of a closed outline, the peers' answer for the area of an offset.

#include <geo/point3d.h>

#include <polyclipping/clipper.hpp>

#include <cmath>
#include <vector>

namespace support {

// Total signed area of Clipper's offset of the closed outline (first point not repeated) grown
// by `grow` (negative shrinks), mitres limited at 100 times the distance. Coordinates up to
// 2^31 / scale.
inline double clipperMitreArea(const std::vector<CPoint3d>& outline, double grow,
                               double scale = 1 << 20) {
    ClipperLib::Path path;
    for (const CPoint3d& p : outline) {
        path.push_back({static_cast<ClipperLib::cInt>(std::llround(p.x * scale)),
                        static_cast<ClipperLib::cInt>(std::llround(p.y * scale))});
    }
    ClipperLib::ClipperOffset offset(100.0);
    offset.AddPath(path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
    ClipperLib::Paths out;
    offset.Execute(out, grow * scale);
    double area = 0.0;
    for (const ClipperLib::Path& p : out) {
        area += ClipperLib::Area(p);
    }
    return area / (scale * scale);
}

}  // namespace support
