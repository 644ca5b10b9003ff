// The geometries the readers produce and the writers take: points, lines and areas.
#pragma once

#include "place.h"

#include <geo/point3d.h>

#include <functional>
#include <string>
#include <vector>

namespace geoio {

// A closed ring: the last point repeats the first.
using Ring = std::vector<CPoint3d>;
// One polygon: its outer ring, then its holes.
using RingSet = std::vector<Ring>;

enum class ShapeKind { Point, Line, Area };

// One geometry. Collections, multi-points and multi-lines are read as their members, so a
// shape is a point (no coordinate when empty), a line, or an area of polygons with holes.
struct Shape {
    ShapeKind kind = ShapeKind::Point;
    // The point or the line's vertices.
    std::vector<CPoint3d> pts;
    // The polygons of an area.
    std::vector<RingSet> polygons;
    // Written as a multi-polygon even with one polygon.
    bool multi = false;
    // Where the geometry starts in its input.
    Place place;

    static Shape point(const CPoint3d& p);
    static Shape line(std::vector<CPoint3d> pts);
    static Shape area(std::vector<RingSet> polygons);
};

// Receives each geometry as soon as it has been read.
using ShapeSink = std::function<void(Shape&&)>;

// "Point", "LineString", "Polygon" or "MultiPolygon".
const char* KindName(const Shape& shape);

// How many vertices the shape has, rings with their closing repeat.
std::size_t VertexCount(const Shape& shape);

// Whether some vertex has a non-zero z, so that text is written with z.
bool HasZ(const Shape& shape);

// Every vertex of the shape, rings with their closing repeat.
std::vector<CPoint3d> AllVertices(const Shape& shape);

}  // namespace geoio
