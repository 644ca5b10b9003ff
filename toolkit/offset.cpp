// Trimmed polyline offsets through the curve layer, with the retries of the plane form.
#include <geo/acge/acarray.h>
#include <geo/cleanup.h>
#include <geo/conversions.h>
#include <geo/offset.h>

#include <vector>

#include "platform/acge/polyline_offset.h"

namespace {

typedef std::vector<CPoint3d> Pts;
typedef std::vector<Pts> PtsList;

// Offsets this close to 0 are never asked for: they become kSmallestOffset.
constexpr double kZeroOffset = 1e-6;
constexpr double kSmallestOffset = 0.00001;
// Opening and closing the outline before a retry.
constexpr double kCloseTol = 1e-6;
// Clean-up of the outline before a retry after an empty result.
constexpr double kRetryCleanTol = 0.001;
// The second retry after an empty result widens the tolerance by this factor.
constexpr double kRetryTolGrowth = 10.0;
// Retries nest at most this deep. The two retries never nest deeper unless the empty-result
// counter is re-armed after a poor-result retry, which could otherwise recurse without end.
constexpr int kMaxRetryDepth = 3;

double nonZeroOffset(double d) {
    return (d >= -kZeroOffset && d <= kZeroOffset) ? kSmallestOffset : d;
}

// One run of the plane offset: out becomes one list per result curve.
void trimmedOffset3d(const Pts& pts, PtsList& out, double distance, const CVector3d& normal,
                     double tol) {
    AcArray<AcGePoint3d> acPts;
    Pnt3dToAcPnt3d_Ary(pts, acPts);
    const auto curves =
        acge_detail::polylineOffsetVertices(acPts, normal.toAcGeVector3d(), distance, tol);
    out.resize(curves.size());
    for (size_t i = 0; i < curves.size(); ++i) {
        out[i].clear();
        out[i].reserve(curves[i].size());
        for (const AcGePoint3d& p : curves[i]) {
            out[i].push_back(AcPnt3dToPnt3d(p));
        }
    }
}

// Moves the last point to the front `times` times.
void startEarlier(Pts& pts, int times) {
    for (int k = 0; k < times && !pts.empty(); ++k) {
        const CPoint3d last = pts.back();
        pts.pop_back();
        pts.insert(pts.begin(), last);
    }
}

// Retry state of one top-level call, handed down through its retries.
struct RetryState {
    bool poorRetried = false;  // a poor-result retry is under way
    int emptyRetries = 0;      // empty-result retries under way
    int depth = 0;             // nesting of the current call
};

int offset3dWithRetries(const Pts& pts, PtsList& out, double distance, const CVector3d& normal,
                        double tol, RetryState& state);

// Recursive run on a rearranged outline, one level deeper.
void retry(const Pts& pts, PtsList& out, double distance, const CVector3d& normal, double tol,
           RetryState& state) {
    ++state.depth;
    offset3dWithRetries(pts, out, distance, normal, tol, state);
    --state.depth;
}

// A single result curve with fewer than half the input's points: the outline is started two
// vertices earlier and offset again. False when a retry is not allowed here (return 0).
bool retryPoorResult(Pts& copy, PtsList& out, double distance, const CVector3d& normal, double tol,
                     RetryState& state) {
    if (state.poorRetried || state.depth >= kMaxRetryDepth) {
        state.poorRetried = false;
        return false;
    }
    state.poorRetried = true;
    OpenPts(copy, kCloseTol);
    startEarlier(copy, 2);
    ClosePts(copy, kCloseTol);
    out.clear();
    retry(copy, out, distance, normal, tol, state);
    state.poorRetried = false;
    return true;
}

// No result: the cleaned outline is offset again, the second time also started one vertex
// earlier with a ten times wider tolerance. False when the retries are used up (return 0).
bool retryEmptyResult(Pts& copy, PtsList& out, double distance, const CVector3d& normal, double tol,
                      RetryState& state) {
    ++state.emptyRetries;
    if (state.emptyRetries > 2 || state.depth >= kMaxRetryDepth) {
        state.emptyRetries = 0;
        return false;
    }
    if (state.emptyRetries == 2) {
        OpenPts(copy, kCloseTol);
        startEarlier(copy, 1);
        tol *= kRetryTolGrowth;
    }
    RemoveRedundancyPts(copy, true, kRetryCleanTol);
    if (copy.size() < 3) {
        state.emptyRetries = 0;
        return false;
    }
    ClosePts(copy, kCloseTol);
    retry(copy, out, distance, normal, tol, state);
    state.emptyRetries = 0;
    return true;
}

int offset3dWithRetries(const Pts& pts, PtsList& out, double distance, const CVector3d& normal,
                        double tol, RetryState& state) {
    out.clear();
    distance = nonZeroOffset(distance);
    trimmedOffset3d(pts, out, distance, normal, tol);
    Pts copy = pts;
    if (out.size() == 1 && 2 * out[0].size() < pts.size()) {
        if (!retryPoorResult(copy, out, distance, normal, tol, state)) {
            return 0;
        }
    }
    if (out.empty()) {
        if (!retryEmptyResult(copy, out, distance, normal, tol, state)) {
            return 0;
        }
    }
    return static_cast<int>(out.size());
}

}  // namespace

int PlineOffset(const std::vector<CPoint3d>& pts, std::vector<std::vector<CPoint3d>>& out,
                double distance, double tol) {
    AcArray<AcGePoint2d> acPts;
    Pnt3dToAcPnt2d_Ary(pts, acPts);
    const auto curves = acge_detail::polylineOffsetVertices(acPts, nonZeroOffset(distance), tol);
    out.resize(curves.size());
    for (size_t i = 0; i < curves.size(); ++i) {
        out[i].clear();
        out[i].reserve(curves[i].size());
        for (const AcGePoint2d& p : curves[i]) {
            out[i].emplace_back(p.x, p.y, 0.0);
        }
    }
    return static_cast<int>(curves.size());
}

int PlineOffset3D(const std::vector<CPoint3d>& pts, std::vector<std::vector<CPoint3d>>& out,
                  double distance, const CVector3d& normal, double tol) {
    RetryState state;
    return offset3dWithRetries(pts, out, distance, normal, tol, state);
}

int PlineOffset3D(const std::vector<AcGePoint3d>& pts, std::vector<std::vector<AcGePoint3d>>& out,
                  double distance, const AcGeVector3d& normal, double tol) {
    Pts ownPts;
    vecgePts2AcVecPts(pts, ownPts);
    PtsList ownOut;
    PlineOffset3D(ownPts, ownOut, distance, CVector3d(normal), tol);
    out.clear();
    for (const Pts& list : ownOut) {
        out.emplace_back();
        acVecPts2VecgePts(list, out.back());
    }
    return static_cast<int>(out.size());
}
