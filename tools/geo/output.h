// Where results go: WKT or GeoJSON streamed to standard output, or an SVG picture at the end.
#pragma once

#include "operations.h"
#include "svg.h"

#include <cstdio>
#include <string>
#include <vector>

namespace geotool {

enum class Format { Wkt, GeoJson, Svg };

// Collects results and writes them to a file. Text is held back until a large amount has
// gathered, so that a fault found early leaves the output empty.
class Output {
public:
    Output(std::FILE* file, Format format, geoio::NumberFormat numbers, std::string resultLabel);

    // Records an input geometry for the picture (only the SVG format keeps it).
    void addInput(std::size_t inputIndex, const std::string& inputName, const geoio::Shape& shape);
    void add(OpResult&& result);
    // Whether anything has been produced.
    bool empty() const { return produced == 0; }
    // Writes what is held back and the closing text; false when the file could not be written.
    bool finish();

private:
    void write(const geoio::Shape& shape);
    void flushIfLarge();
    bool flush();

    std::FILE* file;
    Format format;
    geoio::NumberFormat numbers;
    std::string held;
    std::size_t produced = 0;
    bool writeFailed = false;
    bool featuresOpen = false;
    std::vector<geoio::SvgLayer> layers;
    geoio::SvgLayer results;
};

}  // namespace geotool
