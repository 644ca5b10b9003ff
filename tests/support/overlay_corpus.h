// Reading GEOS's overlay robustness cases: corpus files, <case> blocks, and a GEOS session.
#pragma once

#include <geo/point3d.h>

#include <geos_c.h>

#include <dirent.h>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace overlay_corpus {

inline const std::string& CorpusDir() {
    static const std::string dir = GEO_CORPORA_DIR "/geos-overlay";
    return dir;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The corpus's .xml files, sorted so that reports list them in a stable order.
inline std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    if (DIR* dir = opendir(CorpusDir().c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0) {
                files.push_back(CorpusDir() + "/" + name);
            }
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

inline std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) {
        ++b;
    }
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) {
        --e;
    }
    return s.substr(b, e - b);
}

// The text of the first <tag ...>...</tag> element inside block, or "" when absent.
inline std::string ElementText(const std::string& block, const std::string& tag) {
    const size_t open = block.find("<" + tag);
    if (open == std::string::npos) {
        return "";
    }
    const size_t bodyStart = block.find('>', open);
    const size_t close = block.find("</" + tag + ">", open);
    if (bodyStart == std::string::npos || close == std::string::npos || close < bodyStart) {
        return "";
    }
    return Trim(block.substr(bodyStart + 1, close - bodyStart - 1));
}

// The <case> blocks of one corpus file.
inline std::vector<std::string> Cases(const std::string& text) {
    std::vector<std::string> cases;
    size_t at = 0;
    while ((at = text.find("<case", at)) != std::string::npos) {
        const size_t end = text.find("</case>", at);
        if (end == std::string::npos) {
            break;
        }
        cases.push_back(text.substr(at, end - at));
        at = end;
    }
    return cases;
}

// A GEOS context with WKT and hex WKB readers.
class GeosSession {
public:
    GeosSession() : ctx_(GEOS_init_r()) {
        wkt_ = GEOSWKTReader_create_r(ctx_);
        wkb_ = GEOSWKBReader_create_r(ctx_);
    }
    ~GeosSession() {
        GEOSWKTReader_destroy_r(ctx_, wkt_);
        GEOSWKBReader_destroy_r(ctx_, wkb_);
        GEOS_finish_r(ctx_);
    }
    GeosSession(const GeosSession&) = delete;
    GeosSession& operator=(const GeosSession&) = delete;

    GEOSContextHandle_t ctx() const { return ctx_; }

    // Reads WKT or hex WKB; null on failure. The caller destroys the result.
    GEOSGeometry* read(const std::string& text) const {
        const bool hex =
            !text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
        if (hex) {
            return GEOSWKBReader_readHEX_r(
                ctx_, wkb_, reinterpret_cast<const unsigned char*>(text.data()), text.size());
        }
        return GEOSWKTReader_read_r(ctx_, wkt_, text.c_str());
    }

    void destroy(GEOSGeometry* g) const {
        if (g) {
            GEOSGeom_destroy_r(ctx_, g);
        }
    }

    // A ring's coordinates as (x, y, 0) points, closing point included.
    std::vector<CPoint3d> ringPoints(const GEOSGeometry* ring) const {
        std::vector<CPoint3d> pts;
        const GEOSCoordSequence* seq = ring ? GEOSGeom_getCoordSeq_r(ctx_, ring) : nullptr;
        unsigned int size = 0;
        if (!seq || !GEOSCoordSeq_getSize_r(ctx_, seq, &size)) {
            return pts;
        }
        for (unsigned int i = 0; i < size; ++i) {
            double x = 0, y = 0;
            GEOSCoordSeq_getXY_r(ctx_, seq, i, &x, &y);
            pts.emplace_back(x, y, 0.0);
        }
        return pts;
    }

protected:
    GEOSContextHandle_t ctx_;

private:
    GEOSWKTReader* wkt_;
    GEOSWKBReader* wkb_;
};

}  // namespace overlay_corpus
