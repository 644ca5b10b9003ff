#include "shape.h"

#include <algorithm>

namespace geoio {

Shape Shape::point(const CPoint3d& p) {
    Shape s;
    s.pts.push_back(p);
    return s;
}

Shape Shape::line(std::vector<CPoint3d> pts) {
    Shape s;
    s.kind = ShapeKind::Line;
    s.pts = std::move(pts);
    return s;
}

Shape Shape::area(std::vector<RingSet> polygons) {
    Shape s;
    s.kind = ShapeKind::Area;
    s.multi = polygons.size() > 1;
    s.polygons = std::move(polygons);
    return s;
}

const char* KindName(const Shape& shape) {
    switch (shape.kind) {
        case ShapeKind::Point:
            return "Point";
        case ShapeKind::Line:
            return "LineString";
        case ShapeKind::Area:
            break;
    }
    return shape.multi ? "MultiPolygon" : "Polygon";
}

std::size_t VertexCount(const Shape& shape) {
    std::size_t n = shape.pts.size();
    for (const RingSet& polygon : shape.polygons) {
        for (const Ring& ring : polygon) {
            n += ring.size();
        }
    }
    return n;
}

bool HasZ(const Shape& shape) {
    const auto nonZero = [](const CPoint3d& p) { return p.z != 0; };
    if (std::any_of(shape.pts.begin(), shape.pts.end(), nonZero)) {
        return true;
    }
    for (const RingSet& polygon : shape.polygons) {
        for (const Ring& ring : polygon) {
            if (std::any_of(ring.begin(), ring.end(), nonZero)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<CPoint3d> AllVertices(const Shape& shape) {
    std::vector<CPoint3d> out = shape.pts;
    for (const RingSet& polygon : shape.polygons) {
        for (const Ring& ring : polygon) {
            out.insert(out.end(), ring.begin(), ring.end());
        }
    }
    return out;
}

}  // namespace geoio
