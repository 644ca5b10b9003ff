// A picture of shapes with a legend, as SVG text.
#pragma once

#include "shape.h"

#include <string>
#include <vector>

namespace geoio {

// Shapes drawn in one style under one legend label. Inputs are drawn as dashed outlines,
// results filled.
struct SvgLayer {
    std::string label;
    std::vector<Shape> shapes;
    bool result = false;
};

// Appends a whole SVG document: every layer in order (later ones on top), the drawing scaled
// to fit 800 pixels, y pointing up, and one legend row per layer below it.
void AppendSvg(std::string& out, const std::vector<SvgLayer>& layers);

}  // namespace geoio
