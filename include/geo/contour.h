// CContourGenerator and CContourLine: contour lines over a regular grid of elevation samples.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/mfc/collections.h>
#include <geo/wintypes.h>

#include <vector>

// One contour line: the level it was traced at and its vertices in tracing order.
// The line is closed when its last point repeats its first.
struct CContourLine {
    double elev = 0.0;
    CArray<AcGePoint2d, AcGePoint2d> pts;
};

// The tracer's reference to a grid edge: edge 1 horizontal (row, col) -> (row, col + 1),
// 2 vertical (row, col) -> (row + 1, col), 0 end of tracing.
struct temple {
    int row;
    int col;
    int edge;
};

// Smooths a grid of samples and traces its contour lines, level by level.
class GEO_API CContourGenerator {
public:
    CContourGenerator();
    ~CContourGenerator();
    CContourGenerator(const CContourGenerator&) = delete;
    CContourGenerator& operator=(const CContourGenerator&) = delete;

    // Grid of (a + 1) x (b + 1) nodes from `base`, spaced by `step`. Counts below 1, a non-finite
    // base or step, or a grid too large to hold leave the generator without a grid geometry
    // (samples are then ignored and runs give no lines). New counts discard existing samples.
    void setParam(AcGePoint2d const& base, AcGePoint2d const& step, int a, int b, double interval);
    // Stores one sample at the node nearest below-left of it; outside or non-finite: ignored.
    void setZ(AcGePoint3d const& p);
    // Traces every level from the lowest to the highest sample at the set interval.
    void exeCalu();
    // Traces the single level z.
    void caluElev(double z);
    int lineSize() const;
    // Line i, owned by the generator until the next run; raises CInvalidArgException* outside.
    CContourLine* at(int i) const;

private:
    friend struct ContourGeneratorTestAccess;

    using FlagRows = std::vector<std::vector<BYTE>>;
    struct EdgeEnds {
        double g0;  // value at node (row, col)
        double g1;  // value at the edge's other node
    };

    bool levelsUsable() const;
    bool prepareRun();
    void Gaussfilter();
    void cacculation();
    void ScanLine(double level);
    void nudgeLevel(double level);
    int startPass(int pass, double level);
    int startLine(int pass, temple edge, double level);
    void traceFrom(CContourLine* line, temple current, double level);
    temple RecruScan(CContourLine* line, temple current, double level,
                     const std::vector<std::vector<double>>& g);
    double intersectornot(int kind, double level, int row, int col,
                          const std::vector<std::vector<double>>& g, AcGePoint2d const& from);
    void closeInteriorLine(CContourLine* line) const;
    EdgeEnds edgeEnds(int kind, int row, int col) const;
    AcGePoint2d crossingPoint(int kind, int row, int col, double level) const;
    BYTE& flagOf(int kind, int row, int col);
    bool edgeExists(int kind, int row, int col) const;
    void Integration(int count);
    void removeShortLines();
    void removeErrorLine();
    void freeMemory();
    double dist(AcGePoint2d const& a, AcGePoint2d const& b) const;

    AcGePoint2d base;
    AcGePoint2d step;
    int rows = 0;
    int cols = 0;
    double maxZ = 0.0;
    double minZ = 0.0;
    double interval = 0.0;
    FlagRows hFlags;
    FlagRows vFlags;
    std::vector<std::vector<double>> grid;
    CArray<CContourLine*, CContourLine*> lines;
};
