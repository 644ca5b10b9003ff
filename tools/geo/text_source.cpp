#include "text_source.h"

namespace geoio {
namespace {

// Bytes read from a stream at a time.
constexpr std::size_t kChunk = 1 << 16;

}  // namespace

TextSource::TextSource(std::istream& stream, std::string name, Cursor start)
    : in(&stream),
      base(start.offset),
      line(start.line),
      lineStart(start.lineStart),
      inputName(std::move(name)) {}

TextSource::TextSource(std::string_view text, std::string name)
    : data(text.data()), size(text.size()), inputName(std::move(name)) {}

// Keeps the unread characters, moved to the front, and appends the next chunk; false when
// nothing more could be read.
bool TextSource::refill() {
    if (in == nullptr || !*in) {
        return false;
    }
    storage.erase(0, pos);
    base += pos;
    pos = 0;
    const std::size_t kept = storage.size();
    storage.resize(kept + kChunk);
    in->read(&storage[kept], kChunk);
    storage.resize(kept + static_cast<std::size_t>(in->gcount()));
    data = storage.data();
    size = storage.size();
    return size > kept;
}

Place TextSource::here() const {
    Place place;
    place.input = inputName;
    place.line = line;
    place.offset = base + pos;
    place.column = static_cast<long>(place.offset - lineStart) + 1;
    return place;
}

}  // namespace geoio
