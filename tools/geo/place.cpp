#include "place.h"

namespace geoio {

Place WholeInput(std::string input) {
    Place place;
    place.input = std::move(input);
    return place;
}

std::string Describe(const Place& place, const std::string& message) {
    std::string out = place.input;
    if (place.line > 0) {
        out += ':' + std::to_string(place.line) + ':' + std::to_string(place.column);
    }
    out += ": ";
    if (!place.pointer.empty()) {
        out += place.pointer + ": ";
    }
    return out + message;
}

InputError::InputError(Place place, const std::string& message)
    : std::runtime_error(Describe(place, message)), where(std::move(place)), text(message) {}

}  // namespace geoio
