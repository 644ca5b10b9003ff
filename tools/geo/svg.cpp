#include "svg.h"

#include <algorithm>
#include <cstdio>

namespace geoio {
namespace {

// Longest side of the drawing in pixels, the margin around it and a legend row's height.
constexpr double kDrawingSize = 800;
constexpr double kMargin = 40;
constexpr double kLegendRow = 22;
constexpr int kPointRadius = 3;

const char* const kInputColours[] = {"#1f6fd0", "#2a9d3a", "#8e44ad", "#d08a1f", "#17a2b8"};
const char* const kResultColours[] = {"#d0301f", "#000000"};

// Maps drawing units to pixels, y pointing down.
struct Frame {
    double minX = 0, minY = 0, maxX = 0, maxY = 0, scale = 1;

    double x(double v) const { return kMargin + (v - minX) * scale; }
    double y(double v) const { return kMargin + (maxY - v) * scale; }
    double width() const { return 2 * kMargin + (maxX - minX) * scale; }
    double height() const { return 2 * kMargin + (maxY - minY) * scale; }
};

Frame FrameOf(const std::vector<SvgLayer>& layers) {
    Frame f;
    bool first = true;
    for (const SvgLayer& layer : layers) {
        for (const Shape& shape : layer.shapes) {
            for (const CPoint3d& p : AllVertices(shape)) {
                f.minX = first ? p.x : std::min(f.minX, p.x);
                f.minY = first ? p.y : std::min(f.minY, p.y);
                f.maxX = first ? p.x : std::max(f.maxX, p.x);
                f.maxY = first ? p.y : std::max(f.maxY, p.y);
                first = false;
            }
        }
    }
    const double span = std::max(f.maxX - f.minX, f.maxY - f.minY);
    f.scale = span > 0 ? kDrawingSize / span : 1;
    return f;
}

// Appends printf-style text of two numbers; formats here are short, longer text is cut.
void AppendFormat(std::string& out, const char* format, double a, double b) {
    char buffer[160];
    const int n = std::snprintf(buffer, sizeof buffer, format, a, b);
    out.append(buffer, static_cast<std::size_t>(std::clamp(n, 0, int(sizeof buffer) - 1)));
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string StyleOf(const SvgLayer& layer, std::size_t index, bool filled) {
    if (layer.result) {
        const char* colour = kResultColours[index % 2];
        return std::string(filled ? "fill:#d8d8d8;fill-opacity:0.6;" : "fill:none;") +
               "stroke:" + colour + ";stroke-width:2";
    }
    return std::string("fill:none;stroke:") + kInputColours[index % 5] +
           ";stroke-width:2;stroke-dasharray:6,4";
}

void AppendPoints(std::string& out, const Frame& f, const std::vector<CPoint3d>& pts) {
    for (const CPoint3d& p : pts) {
        AppendFormat(out, "%.2f,%.2f ", f.x(p.x), f.y(p.y));
    }
}

void AppendShape(std::string& out, const Frame& f, const Shape& shape, const std::string& style) {
    if (shape.kind == ShapeKind::Point) {
        for (const CPoint3d& p : shape.pts) {
            AppendFormat(out, "  <circle cx=\"%.2f\" cy=\"%.2f\"", f.x(p.x), f.y(p.y));
            out += " r=\"" + std::to_string(kPointRadius) + "\" style=\"" + style + "\"/>\n";
        }
        return;
    }
    if (shape.kind == ShapeKind::Line) {
        out += "  <polyline style=\"" + style + "\" points=\"";
        AppendPoints(out, f, shape.pts);
        out += "\"/>\n";
        return;
    }
    out += "  <path fill-rule=\"evenodd\" style=\"" + style + "\" d=\"";
    for (const RingSet& polygon : shape.polygons) {
        for (const Ring& ring : polygon) {
            out += 'M';
            AppendPoints(out, f, ring);
            out += "Z ";
        }
    }
    out += "\"/>\n";
}

void AppendLegendRow(std::string& out, double x, double y, const std::string& style,
                     const std::string& label) {
    AppendFormat(out, "  <line x1=\"%.1f\" y1=\"%.1f\"", x, y);
    AppendFormat(out, " x2=\"%.1f\" y2=\"%.1f\"", x + 30, y);
    out += " style=\"" + style + "\"/>\n";
    AppendFormat(out, "  <text x=\"%.1f\" y=\"%.1f\"", x + 38, y + 4);
    out += " font-family=\"sans-serif\" font-size=\"13\">" + Escaped(label) + "</text>\n";
}

}  // namespace

void AppendSvg(std::string& out, const std::vector<SvgLayer>& layers) {
    const Frame f = FrameOf(layers);
    const double legendHeight = static_cast<double>(layers.size()) * kLegendRow + 10;
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\"";
    AppendFormat(out, " width=\"%.0f\" height=\"%.0f\">\n", f.width(), f.height() + legendHeight);
    out += "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    std::size_t inputs = 0, results = 0;
    std::vector<std::string> legendStyles;
    for (const SvgLayer& layer : layers) {
        const std::size_t index = layer.result ? results++ : inputs++;
        for (const Shape& shape : layer.shapes) {
            AppendShape(out, f, shape, StyleOf(layer, index, shape.kind == ShapeKind::Area));
        }
        legendStyles.push_back(StyleOf(layer, index, false));
    }
    for (std::size_t i = 0; i < layers.size(); ++i) {
        AppendLegendRow(out, kMargin, f.height() + 10 + static_cast<double>(i) * kLegendRow,
                        legendStyles[i], layers[i].label);
    }
    out += "</svg>\n";
}

}  // namespace geoio
