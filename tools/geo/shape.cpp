#include "shape.h"

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
