// The polygon boolean on GEOS's collection of hard overlay cases: every case whose two
// inputs are single polygons without holes is clipped both ways, and the area of the outer
// boundaries is compared with GEOS's own overlay.
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include <gtest/gtest.h>

#include "support/overlay_corpus.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Relative tolerance of the area comparison, against the inputs' total area.
constexpr double kAreaRelTol = 1e-7;

using namespace overlay_corpus;

// A GEOS session for the test: context, readers, and owned geometries.
class Geos : public GeosSession {
public:
    // The exterior ring of a polygon as a point list (closing point included).
    std::vector<CPoint3d> shell(const GEOSGeometry* polygon) const {
        return ringPoints(GEOSGetExteriorRing_r(ctx_, polygon));
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
    for (const auto& outline : GpcContoursOfKind(result, false)) {
        sum += CalPolyArea(outline);
    }
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
            for (const CPolygon& piece : out) {
                got += piece.area();
            }
            tally.engineAgrees += std::fabs(raw - want) <= tol;
            tally.booleanAgrees += std::fabs(got - want) <= tol;
            if (std::fabs(got - want) > tol) {
                std::printf("  differs: %s op %d: boolean %.12g engine %.12g GEOS %.12g\n",
                            where.c_str(), op, got, raw, want);
            }
        }
    }
    if (a) {
        GEOSGeom_destroy_r(geos.ctx(), a);
    }
    if (b) {
        GEOSGeom_destroy_r(geos.ctx(), b);
    }
}

TEST(PolygonOverlayCorpus, AreasAgreeWithGeosOverlay) {
    const std::vector<std::string> files = CorpusFiles();
    if (files.empty()) {
        GTEST_SKIP() << "corpus not found at " << CorpusDir();
    }
    Geos geos;
    Tally tally;
    for (const std::string& file : files) {
        const std::vector<std::string> cases = Cases(ReadFile(file));
        for (size_t i = 0; i < cases.size(); ++i) {
            const std::string where =
                file.substr(CorpusDir().size() + 1) + " #" + std::to_string(i);
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
