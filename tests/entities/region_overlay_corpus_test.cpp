// The region boolean on GEOS's collection of hard overlay cases: every case whose two inputs
// are polygonal (polygons or multipolygons, holes included) is run through all four
// operations, and the area of the region result is compared with GEOS's own overlay.
#include <geo/region.h>

#include <geos_c.h>
#include <gtest/gtest.h>

#include <dirent.h>
#include <algorithm>
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
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0)
                files.push_back(kCorpusDir + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
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

// A GEOS session: readers, overlays, and conversion of polygonal geometries to regions.
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

    // A non-empty polygon or multipolygon.
    bool isPolygonal(const GEOSGeometry* g) const {
        if (g == nullptr || GEOSisEmpty_r(ctx_, g))
            return false;
        const int type = GEOSGeomTypeId_r(ctx_, g);
        return type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON;
    }
    int parts(const GEOSGeometry* g) const { return GEOSGetNumGeometries_r(ctx_, g); }
    bool isValid(const GEOSGeometry* g) const { return GEOSisValid_r(ctx_, g) == 1; }
    bool hasHoles(const GEOSGeometry* g) const {
        for (int i = 0; i < GEOSGetNumGeometries_r(ctx_, g); ++i) {
            if (GEOSGetNumInteriorRings_r(ctx_, GEOSGetGeometryN_r(ctx_, g, i)) > 0)
                return true;
        }
        return false;
    }

    // Every shell as an outer contour, every interior ring as a hole, rings as stored.
    CRegion region(const GEOSGeometry* g) const {
        std::vector<std::vector<CPoint3d>> outers, holes;
        for (int i = 0; i < GEOSGetNumGeometries_r(ctx_, g); ++i) {
            const GEOSGeometry* poly = GEOSGetGeometryN_r(ctx_, g, i);
            outers.push_back(ring(GEOSGetExteriorRing_r(ctx_, poly)));
            for (int k = 0; k < GEOSGetNumInteriorRings_r(ctx_, poly); ++k)
                holes.push_back(ring(GEOSGetInteriorRingN_r(ctx_, poly, k)));
        }
        return CRegion(outers, holes);
    }

    double area(const GEOSGeometry* g) const {
        double a = 0;
        return GEOSArea_r(ctx_, g, &a) ? a : 0.0;
    }

    // Area of a op b by GEOS's overlay; false when GEOS refuses the inputs.
    bool overlayArea(const GEOSGeometry* a, const GEOSGeometry* b, gpc::gpc_op op,
                     double& result) const {
        GEOSGeometry* g = nullptr;
        switch (op) {
            case gpc::GPC_DIFF:
                g = GEOSDifference_r(ctx_, a, b);
                break;
            case gpc::GPC_INT:
                g = GEOSIntersection_r(ctx_, a, b);
                break;
            case gpc::GPC_XOR:
                g = GEOSSymDifference_r(ctx_, a, b);
                break;
            case gpc::GPC_UNION:
                g = GEOSUnion_r(ctx_, a, b);
                break;
        }
        if (g == nullptr)
            return false;
        result = area(g);
        GEOSGeom_destroy_r(ctx_, g);
        return true;
    }

    void destroy(GEOSGeometry* g) const {
        if (g)
            GEOSGeom_destroy_r(ctx_, g);
    }

private:
    std::vector<CPoint3d> ring(const GEOSGeometry* r) const {
        std::vector<CPoint3d> pts;
        const GEOSCoordSequence* seq = r ? GEOSGeom_getCoordSeq_r(ctx_, r) : nullptr;
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

    GEOSContextHandle_t ctx_;
    GEOSWKTReader* wkt_;
    GEOSWKBReader* wkb_;
};

// Outers less holes by the plain shoelace rule: CRegion::area counts slivers thinner than its
// point tolerance as empty, which would hide what the boolean computed.
double ShoelaceArea(const CRegion& region) {
    double total = 0;
    for (const RegionContour& c : region.contours) {
        double twice = 0;  // about the first vertex, so large coordinates do not cancel
        for (size_t i = 1; i + 1 < c.pts.size(); ++i) {
            const CVector3d u = c.pts[i] - c.pts[0], v = c.pts[i + 1] - c.pts[0];
            twice += u.x * v.y - v.x * u.y;
        }
        total += (c.isOuter ? 0.5 : -0.5) * std::fabs(twice);
    }
    return total;
}

struct Tally {
    int cases = 0;             // cases with two polygonal inputs
    int withHoles = 0;         // ... of which at least one input has a hole
    int multi = 0;             // ... of which at least one input is a multipolygon
    int invalidCases = 0;      // ... of which an input is not valid for GEOS
    int skipped = 0;           // other inputs
    int comparisons = 0;       // operations GEOS could compute
    int geosFailed = 0;        // operations GEOS refused
    int agrees = 0;            // region result within tolerance
    int areaAgrees = 0;        // ... measured by CRegion::area, which counts slivers as empty
    int validComparisons = 0;  // comparisons on valid inputs
    int validAgrees = 0;
};

void CompareOperations(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b, bool valid,
                       const std::string& where, Tally& tally) {
    const CRegion ra = geos.region(a), rb = geos.region(b);
    const double tol = kAreaRelTol * (geos.area(a) + geos.area(b));
    for (gpc::gpc_op op : {gpc::GPC_DIFF, gpc::GPC_INT, gpc::GPC_XOR, gpc::GPC_UNION}) {
        double want = 0;
        if (!geos.overlayArea(a, b, op, want)) {
            ++tally.geosFailed;
            continue;
        }
        CRegion out;
        ra.booleanOper(rb, out, op);
        const double area = ShoelaceArea(out);
        const bool agree = std::fabs(area - want) <= tol;
        tally.areaAgrees += std::fabs(out.area() - want) <= tol;
        ++tally.comparisons;
        tally.agrees += agree;
        tally.validComparisons += valid;
        tally.validAgrees += valid && agree;
        if (!agree) {
            std::printf("  differs: %s op %d%s: region %.12g GEOS %.12g\n", where.c_str(), op,
                        valid ? "" : " (invalid input)", area, want);
        }
    }
}

void RunCase(const Geos& geos, const std::string& block, const std::string& where, Tally& tally) {
    GEOSGeometry* a = geos.read(ElementText(block, "a"));
    GEOSGeometry* b = geos.read(ElementText(block, "b"));
    if (!geos.isPolygonal(a) || !geos.isPolygonal(b)) {
        ++tally.skipped;
    } else {
        const bool valid = geos.isValid(a) && geos.isValid(b);
        ++tally.cases;
        tally.withHoles += geos.hasHoles(a) || geos.hasHoles(b);
        tally.multi += geos.parts(a) > 1 || geos.parts(b) > 1;
        tally.invalidCases += !valid;
        CompareOperations(geos, a, b, valid, where, tally);
    }
    geos.destroy(a);
    geos.destroy(b);
}

TEST(RegionOverlayCorpus, AreasAgreeWithGeosOverlay) {
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
        "corpus: %d polygonal pairs (%d with holes, %d with multipolygons, %d with invalid "
        "inputs; %d other cases skipped)\n"
        "  %d operations compared (%d refused by GEOS): region agrees %d (%d by "
        "CRegion::area); on valid inputs %d of %d\n",
        tally.cases, tally.withHoles, tally.multi, tally.invalidCases, tally.skipped,
        tally.comparisons, tally.geosFailed, tally.agrees, tally.areaAgrees, tally.validAgrees,
        tally.validComparisons);
    EXPECT_GT(tally.cases, 0);
    EXPECT_EQ(tally.validAgrees, tally.validComparisons);
}

}  // namespace
