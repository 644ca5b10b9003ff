// Wire angle regularisation: folding, snapping to dominant directions, and rebuilding the outline.
#include <geo/acge/getol.h>
#include <geo/acge/gevec2d.h>
#include <geo/float_comp.h>
#include <geo/wire_angle.h>

#include <algorithm>
#include <cmath>

#include "foundation/numeric.h"
#include "platform/acge/tol_of.h"

namespace {

// Tolerance of the folding of directions and of the comparison of snapped directions.
constexpr double kAngleTol = 1e-6;
using geo_detail::kHalfPi;
using geo_detail::kPi;

}  // namespace

CFixWireAngle::CFixWireAngle(std::vector<AcGePoint2d> const& pts, double tolerance)
    : tol(tolerance), points(pts) {
    // A negative or NaN tolerance would leave every direction class unsnapped for ever.
    if (points.size() < 3 || !(tol >= 0.0)) {
        return;
    }
    if (!std::all_of(points.begin(), points.end(), geo_detail::isFiniteXY<AcGePoint2d>)) {
        return;
    }
    const bool open = !points.front().isEqualTo(points.back(), acge_detail::pointAndVectorTol(tol));
    if (open) {
        points.push_back(points.front());
    }
    collectEdges();
    DealAngles();
    Rebuild();
    if (open && !result.empty()) {
        result.pop_back();
    }
}

CFixWireAngle::CFixWireAngle(const CFixWireAngle& other) = default;
CFixWireAngle& CFixWireAngle::operator=(const CFixWireAngle& other) = default;
CFixWireAngle::~CFixWireAngle() = default;

std::vector<AcGePoint2d> CFixWireAngle::GetResult() const {
    return result;
}

CFixWireAngle::operator std::vector<AcGePoint2d>() const {
    return result;
}

// Per edge: undirected direction in [0, pi), the same folded into a quarter turn, and midpoint.
void CFixWireAngle::collectEdges() {
    angles.clear();
    midPoints.clear();
    foldAngles.clear();
    angleCount.clear();
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        double a = (points[i + 1] - points[i]).angle();
        while (FloatComp(a, kPi, kAngleTol) >= 0) {
            a -= kPi;
        }
        while (a < 0.0) {
            a += kPi;
        }
        angles.push_back(a);
        if (FloatComp(a, kHalfPi, kAngleTol) >= 0) {
            a -= kHalfPi;
        }
        foldAngles.push_back(a);
        midPoints.push_back(AcGePoint2d((points[i].x + points[i + 1].x) / 2.0,
                                        (points[i].y + points[i + 1].y) / 2.0));
    }
}

// Distance of two folded directions on a circle of a quarter turn.
double CFixWireAngle::CompareAngle(double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    return std::min(hi - lo, lo + kHalfPi - hi);
}

// Number of edges whose current direction lies within the tolerance of `a`.
int CFixWireAngle::RelationCount(double a) {
    int count = 0;
    for (double f : foldAngles) {
        if (CompareAngle(f, a) <= tol) {
            ++count;
        }
    }
    return count;
}

// The most frequent direction; among equally frequent ones the one with most edges within the
// tolerance, then the smallest.
double CFixWireAngle::FindMostAngle() {
    std::vector<double> most;
    int largest = 0;
    for (const auto& entry : angleCount) {
        if (entry.second > largest) {
            largest = entry.second;
            most.clear();
        }
        if (entry.second == largest) {
            most.push_back(entry.first);
        }
    }
    if (most.size() == 1) {
        return most.front();
    }
    double winner = most.front();
    int winnerRelations = -1;
    for (double key : most) {
        const int relations = RelationCount(key);
        if (relations > winnerRelations) {
            winner = key;
            winnerRelations = relations;
        }
    }
    return winner;
}

// Snaps every direction within the tolerance of `a` to it and retires the snapped classes.
void CFixWireAngle::DelOtherAngle(double a) {
    std::vector<double> snapped;
    for (double& f : foldAngles) {
        if (CompareAngle(f, a) <= tol) {
            snapped.push_back(f);
            f = a;
        }
    }
    for (double value : snapped) {
        angleCount.erase(value);
    }
}

// Counts the direction classes, then snaps class after class, most frequent first.
void CFixWireAngle::DealAngles() {
    for (double f : foldAngles) {
        ++angleCount[f];
    }
    while (!angleCount.empty()) {
        DelOtherAngle(FindMostAngle());
    }
}

// Steep edges get their snapped direction back in the upper half turn; then the new vertices.
void CFixWireAngle::Rebuild() {
    if (angles.size() == foldAngles.size()) {
        for (size_t i = 0; i < angles.size(); ++i) {
            if (std::fabs(foldAngles[i] + kHalfPi - angles[i]) < tol) {
                foldAngles[i] += kHalfPi;
            }
        }
    }
    result = GetInterPnt();
}
