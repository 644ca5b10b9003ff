// The region boolean on GEOS's collection of hard overlay cases: every case whose two inputs
// are polygonal (polygons or multipolygons, holes included) is run through all four
// operations, and the area of the region result is compared with GEOS's own overlay.
#include <geo/region.h>

#include <gtest/gtest.h>

#include "support/overlay_corpus.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Relative tolerance of the area comparison, against the inputs' total area.
constexpr double kAreaRelTol = 1e-7;

using namespace overlay_corpus;

// A GEOS session: readers, overlays, and conversion of polygonal geometries to regions.
class Geos : public GeosSession {
public:
    // A non-empty polygon or multipolygon.
    bool isPolygonal(const GEOSGeometry* g) const {
        if (g == nullptr || GEOSisEmpty_r(ctx_, g)) {
            return false;
        }
        const int type = GEOSGeomTypeId_r(ctx_, g);
        return type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON;
    }
    int parts(const GEOSGeometry* g) const { return GEOSGetNumGeometries_r(ctx_, g); }
    bool isValid(const GEOSGeometry* g) const { return GEOSisValid_r(ctx_, g) == 1; }
    bool hasHoles(const GEOSGeometry* g) const {
        for (int i = 0; i < GEOSGetNumGeometries_r(ctx_, g); ++i) {
            if (GEOSGetNumInteriorRings_r(ctx_, GEOSGetGeometryN_r(ctx_, g, i)) > 0) {
                return true;
            }
        }
        return false;
    }

    // Every shell as an outer contour, every interior ring as a hole, rings as stored.
    CRegion region(const GEOSGeometry* g) const {
        std::vector<std::vector<CPoint3d>> outers, holes;
        for (int i = 0; i < GEOSGetNumGeometries_r(ctx_, g); ++i) {
            const GEOSGeometry* poly = GEOSGetGeometryN_r(ctx_, g, i);
            outers.push_back(ringPoints(GEOSGetExteriorRing_r(ctx_, poly)));
            for (int k = 0; k < GEOSGetNumInteriorRings_r(ctx_, poly); ++k) {
                holes.push_back(ringPoints(GEOSGetInteriorRingN_r(ctx_, poly, k)));
            }
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
        if (g == nullptr) {
            return false;
        }
        result = area(g);
        GEOSGeom_destroy_r(ctx_, g);
        return true;
    }
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
