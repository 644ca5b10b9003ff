// Contour generator: grid set-up, smoothing, levels, start passes and edge-by-edge tracing.
#include <geo/contour.h>
#include <geo/float_comp.h>
#include <geo/mfc/exceptions.h>

#include <climits>
#include <cmath>
#include <cstdint>

#include "analysis/contour_internal.h"
#include "foundation/numeric.h"

using namespace contour_detail;

namespace {

// Level sequences longer than this are refused: such a run would not finish in useful time.
constexpr double kMaxLevels = 1e6;
// Grids with more nodes than this are refused rather than allocated.
constexpr int64_t kMaxNodes = int64_t{1} << 27;
// Bias added before truncating a sample's grid coordinate, so samples on a node land on it.
constexpr double kIndexBias = 1e-6;
// Raise of a node equal to the level, so that no crossing falls exactly on a node.
constexpr double kNudge = 2e-6;
// Offset of an edge's level when the level equals one of its ends.
constexpr double kLevelShift = 1.0;
// Pass-3 lines whose ends lie closer than this many column steps are closed.
constexpr double kCloseSteps = 3.0;

// Truncated grid index of a distance from the base, or -1 when it falls outside 0 .. count-1.
int GridIndex(double offset, double spacing, int count) {
    const double t = std::fabs(offset) / spacing + kIndexBias;
    if (!(t > -1.0) || t >= static_cast<double>(count)) {
        return -1;
    }
    return static_cast<int>(t);
}

// The candidate edges of one tracing step, relative to the current edge (R, C).
struct Candidate {
    int kind;
    int dRow;
    int dCol;
};
constexpr Candidate kFromHorizontal[6] = {{kVertical, -1, 0},  {kHorizontal, -1, 0},
                                          {kVertical, -1, 1},  {kVertical, 0, 1},
                                          {kHorizontal, 1, 0}, {kVertical, 0, 0}};
constexpr Candidate kFromVertical[6] = {{kHorizontal, 0, 0}, {kVertical, 0, 1},
                                        {kHorizontal, 1, 0}, {kHorizontal, 1, -1},
                                        {kVertical, 0, -1},  {kHorizontal, 0, -1}};

}  // namespace

CContourGenerator::CContourGenerator() = default;

CContourGenerator::~CContourGenerator() {
    grid.clear();
    freeMemory();
}

// Grid geometry and interval; unusable counts leave no grid geometry.
void CContourGenerator::setParam(AcGePoint2d const& newBase, AcGePoint2d const& newStep, int a,
                                 int b, double newInterval) {
    const bool usable = a >= 1 && b >= 1 && a < INT_MAX && b < INT_MAX &&
                        geo_detail::isFiniteXY(newBase) && geo_detail::isFiniteXY(newStep) &&
                        (int64_t{a} + 1) * (int64_t{b} + 1) <= kMaxNodes;
    base = newBase;
    step = newStep;
    interval = newInterval;
    const int newRows = usable ? a + 1 : 0;
    const int newCols = usable ? b + 1 : 0;
    // Samples stored for other counts would no longer match the grid geometry.
    if (newRows != rows || newCols != cols) {
        grid.clear();
    }
    rows = newRows;
    cols = newCols;
}

// Stores one sample; the first accepted one creates the grid and starts the extremes.
void CContourGenerator::setZ(AcGePoint3d const& p) {
    if (!std::isfinite(p.z) || rows < 1 || cols < 1) {
        return;
    }
    const int r = GridIndex(p.y - base.y, step.y, rows);
    const int c = GridIndex(p.x - base.x, step.x, cols);
    if (r < 0 || c < 0) {
        return;
    }
    if (grid.empty()) {
        grid.assign(static_cast<size_t>(rows), std::vector<double>(static_cast<size_t>(cols)));
        minZ = maxZ = p.z;
    } else {
        if (p.z > maxZ) {
            maxZ = p.z;
        }
        if (p.z < minZ) {
            minZ = p.z;
        }
    }
    grid[static_cast<size_t>(r)][static_cast<size_t>(c)] = p.z;
}

// A run over every level; refused intervals leave no lines and the grid unsmoothed.
void CContourGenerator::exeCalu() {
    freeMemory();
    if (!levelsUsable() || !prepareRun()) {
        return;
    }
    cacculation();
    removeShortLines();
}

// A run over the one level z.
void CContourGenerator::caluElev(double z) {
    freeMemory();
    if (!std::isfinite(z) || !prepareRun()) {
        return;
    }
    ScanLine(z);
    removeShortLines();
}

// Number of lines of the last run.
int CContourGenerator::lineSize() const {
    return static_cast<int>(lines.GetSize());
}

// Line i of the last run.
CContourLine* CContourGenerator::at(int i) const {
    if (i < 0 || i >= lineSize()) {
        AfxThrowInvalidArgException();
    }
    return lines[i];
}

// Whether the interval steps through the sample range in a number of levels a run can finish.
bool CContourGenerator::levelsUsable() const {
    if (!(interval > 0.0) || !std::isfinite(interval)) {
        return false;
    }
    return !((maxZ - (std::trunc(minZ + 0.5) + interval)) / interval > kMaxLevels);
}

// Fresh flags and one more smoothing pass; false when there is no grid to work on.
bool CContourGenerator::prepareRun() {
    freeMemory();
    if (grid.empty() || rows < 2 || cols < 2) {
        return false;
    }
    hFlags.assign(static_cast<size_t>(rows), std::vector<BYTE>(static_cast<size_t>(cols - 1), 0));
    vFlags.assign(static_cast<size_t>(rows - 1), std::vector<BYTE>(static_cast<size_t>(cols), 0));
    Gaussfilter();
    return true;
}

// 3x3 binomial smoothing of the interior, in place: earlier rows and columns are already smoothed.
void CContourGenerator::Gaussfilter() {
    auto& g = grid;
    for (int r = 1; r <= rows - 2; ++r) {
        for (int c = 1; c <= cols - 2; ++c) {
            g[r][c] =
                (4.0 * g[r][c] + 2.0 * (g[r - 1][c] + g[r][c - 1] + g[r][c + 1] + g[r + 1][c]) +
                 g[r - 1][c - 1] + g[r - 1][c + 1] + g[r + 1][c - 1] + g[r + 1][c + 1]) *
                0.0625;
        }
    }
}

// Every level above the rounded lowest sample, by repeated addition, below the highest sample.
void CContourGenerator::cacculation() {
    double level = std::trunc(minZ + 0.5) + interval;
    while (level < maxZ) {
        for (auto& row : hFlags) {
            std::fill(row.begin(), row.end(), BYTE{0});
        }
        for (auto& row : vFlags) {
            std::fill(row.begin(), row.end(), BYTE{0});
        }
        ScanLine(level);
        const double next = level + interval;
        if (!(next > level)) {
            break;  // the interval no longer moves the level
        }
        level = next;
    }
}

// One level: nudge, the three start passes, then joining of this level's fragments.
void CContourGenerator::ScanLine(double level) {
    nudgeLevel(level);
    int added = 0;
    for (int pass = 1; pass <= 3; ++pass) {
        added += startPass(pass, level);
    }
    Integration(added);
}

// Raises nodes equal to the level; the raise stays in the grid.
void CContourGenerator::nudgeLevel(double level) {
    for (auto& row : grid) {
        for (double& value : row) {
            if (FloatComp(value, level, kNodeTol) == 0) {
                value += kNudge;
            }
        }
    }
}

// Starts and traces lines from the edges of one pass; returns the number of lines appended.
int CContourGenerator::startPass(int pass, double level) {
    int added = 0;
    if (pass == 1) {
        for (int r : {0, rows - 1}) {
            for (int c = 0; c <= cols - 2; ++c) {
                added += startLine(pass, {r, c, kHorizontal}, level);
            }
        }
    } else if (pass == 2) {
        for (int c : {0, cols - 1}) {
            for (int r = 0; r <= rows - 2; ++r) {
                added += startLine(pass, {r, c, kVertical}, level);
            }
        }
    } else {
        for (int r = 1; r <= rows - 2; ++r) {
            for (int c = 0; c <= cols - 2; ++c) {
                added += startLine(pass, {r, c, kHorizontal}, level);
            }
        }
    }
    return added;
}

// Traces a line from one unflagged start edge that the level crosses; 1 when a line was added.
int CContourGenerator::startLine(int pass, temple edge, double level) {
    if (flagOf(edge.edge, edge.row, edge.col) != 0) {
        return 0;
    }
    const EdgeEnds ends = edgeEnds(edge.edge, edge.row, edge.col);
    double v = level;
    if (FloatComp(level, ends.g0, kNodeTol) == 0 || FloatComp(level, ends.g1, kNodeTol) == 0) {
        v = level - kLevelShift;
    }
    const double product = (v - ends.g1) * (v - ends.g0);
    const bool crossed = pass == 3 ? FloatComp(product, 0.0, kNodeTol) < 0 : product < 0.0;
    if (!crossed) {
        return 0;
    }
    flagOf(edge.edge, edge.row, edge.col) = 1;
    auto* line = new CContourLine;
    line->elev = v;
    line->pts.Add(crossingPoint(edge.edge, edge.row, edge.col, v));
    traceFrom(line, edge, v);
    if (pass == 3) {
        closeInteriorLine(line);
    }
    lines.Add(line);
    return 1;
}

// Follows the line from its start edge until no unflagged crossing is near.
void CContourGenerator::traceFrom(CContourLine* line, temple current, double level) {
    for (;;) {
        current = RecruScan(line, current, level, grid);
        if (current.edge == kEndOfTrace) {
            return;
        }
        line->pts.Add(crossingPoint(current.edge, current.row, current.col, level));
    }
}

// An interior line that came back near its start is closed on its first point.
void CContourGenerator::closeInteriorLine(CContourLine* line) const {
    const INT_PTR n = line->pts.GetSize();
    const AcGePoint2d first = line->pts[0];
    if (FloatComp(dist(first, line->pts[n - 1]), kCloseSteps * step.x, kNodeTol) < 0 && n > 3) {
        line->pts.Add(first);
    }
}

// The next edge: the nearest crossing on the side edges of the two adjoining cells, or on the
// facing edges when no side edge is crossed; lower candidate numbers win ties.
temple CContourGenerator::RecruScan(CContourLine* line, temple current, double level,
                                    const std::vector<std::vector<double>>& g) {
    const AcGePoint2d from = line->pts[line->pts.GetSize() - 1];
    const Candidate* table = current.edge == kHorizontal ? kFromHorizontal : kFromVertical;
    double distance[6];
    for (int i = 0; i < 6; ++i) {
        distance[i] = intersectornot(table[i].kind, level, current.row + table[i].dRow,
                                     current.col + table[i].dCol, g, from);
    }
    bool sideCrossed = false;
    for (int i : {0, 2, 3, 5}) {
        sideCrossed = sideCrossed || FloatComp(distance[i], kNoCrossing, kNodeTol) != 0;
    }
    double best = kNoCrossing;
    int bestIndex = 0;
    for (int i = 0; i < 6; ++i) {
        if (sideCrossed && (i == 1 || i == 4)) {
            continue;
        }
        if (FloatComp(distance[i], best, kNodeTol) < 0) {
            best = distance[i];
            bestIndex = i;
        }
    }
    if (FloatComp(best, kNoCrossing, kNodeTol) == 0) {
        return {current.row, current.col, kEndOfTrace};
    }
    const Candidate& chosen = table[bestIndex];
    return {current.row + chosen.dRow, current.col + chosen.dCol, chosen.kind};
}

// Distance from `from` to the crossing on an unflagged candidate edge, flagging the edge when it
// is crossed; kNoCrossing when the edge is absent, flagged or not crossed.
double CContourGenerator::intersectornot(int kind, double level, int row, int col,
                                         const std::vector<std::vector<double>>& g,
                                         AcGePoint2d const& from) {
    if (!edgeExists(kind, row, col) || flagOf(kind, row, col) == 1) {
        return kNoCrossing;
    }
    const double gStart = g[row][col];
    const double gEnd = kind == kHorizontal ? g[row][col + 1] : g[row + 1][col];
    double w = level;
    if (FloatComp(level, gStart, kNodeTol) == 0 || FloatComp(level, gEnd, kNodeTol) == 0) {
        w = level + kLevelShift;
    }
    if (!((w - gEnd) * (w - gStart) < 0.0) || flagOf(kind, row, col) != 0) {
        return kNoCrossing;
    }
    const AcGePoint2d crossing = crossingPoint(kind, row, col, w);
    flagOf(kind, row, col) = 1;
    return from.distanceTo(crossing);
}

// The values at the two nodes of an edge.
CContourGenerator::EdgeEnds CContourGenerator::edgeEnds(int kind, int row, int col) const {
    const double g0 = grid[row][col];
    const double g1 = kind == kHorizontal ? grid[row][col + 1] : grid[row + 1][col];
    return {g0, g1};
}

// Linear interpolation of the level along an edge whose end values differ.
AcGePoint2d CContourGenerator::crossingPoint(int kind, int row, int col, double level) const {
    const EdgeEnds ends = edgeEnds(kind, row, col);
    const double x = base.x + col * step.x;
    const double y = base.y + row * step.y;
    if (kind == kHorizontal) {
        return AcGePoint2d(x + (level - ends.g0) * step.x / (ends.g1 - ends.g0), y);
    }
    return AcGePoint2d(x, y + (level - ends.g0) * step.y / (ends.g1 - ends.g0));
}

// Whether the edge lies inside the grid.
bool CContourGenerator::edgeExists(int kind, int row, int col) const {
    if (kind == kHorizontal) {
        return row >= 0 && row < rows && col >= 0 && col < cols - 1;
    }
    return row >= 0 && row < rows - 1 && col >= 0 && col < cols;
}

// The used-flag of an existing edge.
BYTE& CContourGenerator::flagOf(int kind, int row, int col) {
    return kind == kHorizontal ? hFlags[row][col] : vFlags[row][col];
}

// Distance of two points.
double CContourGenerator::dist(AcGePoint2d const& a, AcGePoint2d const& b) const {
    return a.distanceTo(b);
}
