#include "output.h"

#include "geojson.h"
#include "wkt.h"

namespace geotool {
namespace {

// Text held back before it is written out.
constexpr std::size_t kHoldBack = 1 << 20;

const char kFeaturesOpen[] = "{\"type\":\"FeatureCollection\",\"features\":[\n";
const char kFeaturesClose[] = "\n]}\n";

}  // namespace

Output::Output(std::FILE* out, Format f, geoio::NumberFormat n, std::string resultLabel)
    : file(out), format(f), numbers(n) {
    results.label = std::move(resultLabel);
    results.result = true;
}

void Output::addInput(std::size_t inputIndex, const std::string& inputName,
                      const geoio::Shape& shape) {
    if (format != Format::Svg) {
        return;
    }
    while (layers.size() <= inputIndex) {
        layers.emplace_back();
        layers.back().label = "input " + std::to_string(layers.size()) + ": " + inputName;
    }
    layers[inputIndex].shapes.push_back(shape);
}

void Output::add(OpResult&& result) {
    for (const std::string& line : result.lines) {
        held += line;
        held += '\n';
        ++produced;
    }
    for (geoio::Shape& shape : result.shapes) {
        if (format == Format::Svg) {
            results.shapes.push_back(std::move(shape));
        } else {
            write(shape);
        }
        ++produced;
    }
    flushIfLarge();
}

void Output::write(const geoio::Shape& shape) {
    if (format == Format::Wkt) {
        geoio::AppendWkt(held, shape, numbers);
        held += '\n';
        return;
    }
    held += featuresOpen ? ",\n" : kFeaturesOpen;
    featuresOpen = true;
    held += "{\"type\":\"Feature\",\"properties\":{},\"geometry\":";
    geoio::AppendGeoJson(held, shape, numbers);
    held += '}';
}

void Output::flushIfLarge() {
    if (held.size() >= kHoldBack) {
        flush();
    }
}

bool Output::flush() {
    if (!held.empty() && std::fwrite(held.data(), 1, held.size(), file) != held.size()) {
        writeFailed = true;
    }
    held.clear();
    return !writeFailed;
}

bool Output::finish() {
    if (format == Format::Svg && !results.shapes.empty()) {
        layers.push_back(std::move(results));
        geoio::AppendSvg(held, layers);
    } else if (featuresOpen) {
        held += kFeaturesClose;
    }
    return flush() && std::fflush(file) == 0;
}

}  // namespace geotool
