// Wire angle regularisation: the new vertices from the snapped edge lines.
#include <geo/acge/geline2d.h>
#include <geo/acge/gevec2d.h>
#include <geo/float_comp.h>
#include <geo/wire_angle.h>

#include <cmath>

namespace {

// Tolerance under which consecutive snapped directions count as one.
constexpr double kRunTol = 1e-6;

// A line through `through` at angle `angle` from +X.
AcGeLine2d LineAt(const AcGePoint2d& through, double angle) {
    return AcGeLine2d(through, AcGeVector2d(1.0, std::tan(angle)));
}

// Runs of consecutive edges with one direction; a run wraps across the closing vertex when the
// first and the last edge share their direction.
std::vector<std::vector<size_t>> DirectionRuns(const std::vector<double>& fold) {
    std::vector<std::vector<size_t>> runs;
    for (size_t e = 0; e < fold.size(); ++e) {
        if (runs.empty() || FloatComp(fold[e], fold[runs.back().front()], kRunTol) != 0) {
            runs.emplace_back();
        }
        runs.back().push_back(e);
    }
    if (runs.size() >= 2 && FloatComp(fold.front(), fold.back(), kRunTol) == 0) {
        runs.back().insert(runs.back().end(), runs.front().begin(), runs.front().end());
        runs.erase(runs.begin());
    }
    return runs;
}

}  // namespace

// Vertex v + 1 is the meeting point of edge lines v and v + 1; edges of one run share the line
// through the run's second vertex and its inner vertices are projected onto it. A vertex that no
// pair of lines fixes (parallel neighbours, or one run for the whole outline) keeps its input
// position.
std::vector<AcGePoint2d> CFixWireAngle::GetInterPnt() {
    const size_t m = foldAngles.size();
    const size_t n = m + 1;
    std::vector<AcGePoint2d> out(n);
    if (m == 0 || angles.size() != m || midPoints.size() != m || points.size() != n) {
        return out;
    }
    std::vector<bool> fixed(n, false);
    std::vector<AcGeLine2d> edgeLines;
    edgeLines.reserve(m);
    for (size_t i = 0; i < m; ++i) {
        edgeLines.push_back(LineAt(midPoints[i], foldAngles[i]));
    }
    for (const std::vector<size_t>& run : DirectionRuns(foldAngles)) {
        if (run.size() < 2) {
            continue;
        }
        const AcGeLine2d runLine = LineAt(points[(run.front() + 1) % n], foldAngles[run.front()]);
        for (size_t k = 0; k < run.size(); ++k) {
            edgeLines[run[k]] = runLine;
            if (k + 1 == run.size()) {
                continue;
            }
            const size_t p = (run[k] + 1) % n;
            out[p] = runLine.closestPointTo(points[p]);
            fixed[p] = true;
        }
    }
    for (size_t v = 0; v < m; ++v) {
        const size_t w = (v + 1) % m;
        AcGePoint2d meet;
        if (edgeLines[v] != edgeLines[w] && edgeLines[v].intersectWith(edgeLines[w], meet)) {
            out[v + 1] = meet;
            fixed[v + 1] = true;
        }
    }
    for (size_t p = 1; p < n; ++p) {
        if (!fixed[p]) {
            out[p] = points[p];
        }
    }
    out[0] = out[n - 1];
    return out;
}
