// The polygon boolean on GEOS's collection of hard overlay cases: every case whose two
// inputs are single polygons without holes is clipped both ways, and the area of the outer
// boundaries is compared with GEOS's own overlay.
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include <geos_c.h>
#include <gtest/gtest.h>

#include <dirent.h>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string kCorpusDir = GEO_CORPORA_DIR "/geos-overlay";

// Relative tolerance of the area comparison, against the inputs' total area.
constexpr double kAreaRelTol = 1e-7;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    if (DIR* dir = opendir(kCorpusDir.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0) {
                files.push_back(kCorpusDir + "/" + name);
            }
        }
        closedir(dir);
    }
    return files;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

// The text of the first <tag ...>...</tag> element inside block, or "" when absent.
std::string ElementText(const std::string& block, const std::string& tag) {
    const size_t open = block.find("<" + tag);
    if (open == std::string::npos)
        return "";
    const size_t bodyStart = block.find('>', open);
    const size_t close = block.find("</" + tag + ">", open);
    if (bodyStart == std::string::npos || close == std::string::npos || close < bodyStart)
        return "";
    return Trim(block.substr(bodyStart + 1, close - bodyStart - 1));
}

// The <case> blocks of one corpus file.
std::vector<std::string> Cases(const std::string& text) {
    std::vector<std::string> cases;
    size_t at = 0;
    while ((at = text.find("<case", at)) != std::string::npos) {
        const size_t end = text.find("</case>", at);
        if (end == std::string::npos)
            break;
        cases.push_back(text.substr(at, end - at));
        at = end;
    }
    return cases;
}

// A GEOS session for the test: context, readers, and owned geometries.
class Geos {
public:
    Geos() : ctx_(GEOS_init_r()) {
        wkt_ = GEOSWKTReader_create_r(ctx_);
        wkb_ = GEOSWKBReader_create_r(ctx_);
    }
    ~Geos() {
        GEOSWKTReader_destroy_r(ctx_, wkt_);
        GEOSWKBReader_destroy_r(ctx_, wkb_);
        GEOS_finish_r(ctx_);
    }
    Geos(const Geos&) = delete;
    Geos& operator=(const Geos&) = delete;

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

    // The exterior ring of a polygon as a point list (closing point included).
    std::vector<CPoint3d> shell(const GEOSGeometry* polygon) const {
        std::vector<CPoint3d> pts;
        const GEOSGeometry* ring = GEOSGetExteriorRing_r(ctx_, polygon);
        const GEOSCoordSequence* seq = ring ? GEOSGeom_getCoordSeq_r(ctx_, ring) : nullptr;
        unsigned int size = 0;
        if (!seq || !GEOSCoordSeq_getSize_r(ctx_, seq, &size))
            return pts;
        for (unsigned int i = 0; i < size; ++i) {
            double x = 0, y = 0;
            GEOSCoordSeq_getXY_r(ctx_, seq, i, &x, &y);
            pts.emplace_back(x, y, 0.0);
        }
        return pts;
    }

    // Sum of the shell areas of the polygonal parts of g (holes not subtracted).
    double outerArea(const GEOSGeometry* g) const {
        const int type = GEOSGeomTypeId_r(ctx_, g);
        if (type == GEOS_POLYGON) {
            return GEOSisEmpty_r(ctx_, g) ? 0.0 : CalPolyArea(shell(g));
        }
        if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION) {
            double sum = 0;
            for (int i = 0; i < GEOSGetNumGeometries_r(ctx_, g); ++i) {
                sum += outerArea(GEOSGetGeometryN_r(ctx_, g, i));
            }
            return sum;
        }
        return 0.0;
    }

private:
    GEOSContextHandle_t ctx_;
    GEOSWKTReader* wkt_;
    GEOSWKBReader* wkb_;
};

// A polygon with a shell and no holes.
bool IsSimplePolygonInput(const Geos& geos, const GEOSGeometry* g) {
    return g && GEOSGeomTypeId_r(geos.ctx(), g) == GEOS_POLYGON && !GEOSisEmpty_r(geos.ctx(), g) &&
           GEOSGetNumInteriorRings_r(geos.ctx(), g) == 0;
}

GEOSGeometry* GeosOverlay(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b,
                          gpc::gpc_op op) {
    switch (op) {
        case gpc::GPC_INT:
            return GEOSIntersection_r(geos.ctx(), a, b);
        case gpc::GPC_UNION:
            return GEOSUnion_r(geos.ctx(), a, b);
        default:
            return GEOSDifference_r(geos.ctx(), a, b);
    }
}

// Outer-contour area of the engine's result for the two rings as the boolean feeds them.
double RawClipOuterArea(const std::vector<CPoint3d>& a, const std::vector<CPoint3d>& b,
                        gpc::gpc_op op) {
    gpc::gpc_polygon pa{0, nullptr, nullptr}, pb{0, nullptr, nullptr}, result{0, nullptr, nullptr};
    AddPtarrToPolygon(a, &pa, 0);
    AddPtarrToPolygon(b, &pb, 0);
    gpc::gpc_polygon_clip(op, &pa, &pb, &result);
    double sum = 0;
    for (const auto& outline : GpcContoursOfKind(result, false))
        sum += CalPolyArea(outline);
    gpc::gpc_free_polygon(&pa);
    gpc::gpc_free_polygon(&pb);
    gpc::gpc_free_polygon(&result);
    return sum;
}

struct Tally {
    int cases = 0;          // cases with two simple polygon inputs
    int skipped = 0;        // other inputs
    int comparisons = 0;    // operations GEOS could compute
    int geosFailed = 0;     // operations GEOS refused
    int engineAgrees = 0;   // raw clip result within tolerance
    int booleanAgrees = 0;  // booleanOper pieces within tolerance
};

void RunCase(const Geos& geos, const std::string& block, const std::string& where, Tally& tally) {
    GEOSGeometry* a = geos.read(ElementText(block, "a"));
    GEOSGeometry* b = geos.read(ElementText(block, "b"));
    if (!IsSimplePolygonInput(geos, a) || !IsSimplePolygonInput(geos, b)) {
        ++tally.skipped;
    } else {
        ++tally.cases;
        const std::vector<CPoint3d> ra = geos.shell(a), rb = geos.shell(b);
        // The rings go in as given (closing point included): only the boolean is under test.
        const CPolygon pa(ra, false), pb(rb, false);
        const double tol = kAreaRelTol * (CalPolyArea(ra) + CalPolyArea(rb));
        for (gpc::gpc_op op : {gpc::GPC_INT, gpc::GPC_UNION, gpc::GPC_DIFF}) {
            GEOSGeometry* expected = GeosOverlay(geos, a, b, op);
            if (!expected) {
                ++tally.geosFailed;
                continue;
            }
            const double want = geos.outerArea(expected);
            GEOSGeom_destroy_r(geos.ctx(), expected);
            ++tally.comparisons;
            const double raw = RawClipOuterArea(ra, rb, op);
            std::vector<CPolygon> out;
            pa.booleanOper(pb, out, op);
            double got = 0;
            for (const CPolygon& piece : out)
                got += piece.area();
            tally.engineAgrees += std::fabs(raw - want) <= tol;
            tally.booleanAgrees += std::fabs(got - want) <= tol;
            if (std::fabs(got - want) > tol) {
                std::printf("  differs: %s op %d: boolean %.12g engine %.12g GEOS %.12g\n",
                            where.c_str(), op, got, raw, want);
            }
        }
    }
    if (a)
        GEOSGeom_destroy_r(geos.ctx(), a);
    if (b)
        GEOSGeom_destroy_r(geos.ctx(), b);
}

TEST(PolygonOverlayCorpus, AreasAgreeWithGeosOverlay) {
    const std::vector<std::string> files = CorpusFiles();
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << kCorpusDir;
    Geos geos;
    Tally tally;
    for (const std::string& file : files) {
        const std::vector<std::string> cases = Cases(ReadFile(file));
        for (size_t i = 0; i < cases.size(); ++i) {
            const std::string where = file.substr(kCorpusDir.size() + 1) + " #" + std::to_string(i);
            RunCase(geos, cases[i], where, tally);
        }
    }
    std::printf(
        "corpus: %d polygon pairs (%d other cases skipped), %d operations compared "
        "(%d refused by GEOS): engine agrees %d, boolean agrees %d\n",
        tally.cases, tally.skipped, tally.comparisons, tally.geosFailed, tally.engineAgrees,
        tally.booleanAgrees);
    EXPECT_GT(tally.cases, 0);
    EXPECT_EQ(tally.engineAgrees, tally.comparisons);
    // Normalising merges result vertices within 0.01 of each other, which moves the area of
    // some cases with fine detail; the rest must match.
    EXPECT_GE(tally.booleanAgrees, tally.comparisons * 9 / 10);
}

}  // namespace
