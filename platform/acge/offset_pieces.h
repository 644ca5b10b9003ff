#pragma once
// Vectors, line and arc pieces, and their intersections, for the trimmed offset engine (internal).

#include <cmath>
#include <vector>

#include "platform/numeric.h"

namespace trimmed_offset_detail {

using platform_detail::kPi;
using platform_detail::kTwoPi;
// Sine of the angle below which two directions count as parallel (mitres stay below ~1e9 d).
constexpr double kParallelSin = 1e-9;

// ---------------------------------------------------------------------------------------------
// Vectors

struct Vec {
    double x, y;
};

inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec operator*(Vec a, double s) {
    return {a.x * s, a.y * s};
}
inline double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
inline double cross(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}
inline double norm(Vec a) {
    return std::sqrt(a.x * a.x + a.y * a.y);
}
inline double dist(Vec a, Vec b) {
    return norm(a - b);
}
inline Vec leftNormal(Vec t) {
    return {-t.y, t.x};
}
inline Vec polar(double r, double angle) {
    return {r * std::cos(angle), r * std::sin(angle)};
}
inline double angleOf(Vec v) {
    return std::atan2(v.y, v.x);
}

// Unit vector along v (v must not be zero).
inline Vec unit(Vec v) {
    const double n = norm(v);
    return {v.x / n, v.y / n};
}

// Angle reduced into [0, 2*pi).
inline double wrapPositive(double a) {
    double w = std::fmod(a, kTwoPi);
    if (w < 0) {
        w += kTwoPi;
    }
    return w >= kTwoPi ? 0.0 : w;
}

// Angle reduced into (-pi, pi].
inline double wrapSigned(double a) {
    double w = wrapPositive(a);
    return w > kPi ? w - kTwoPi : w;
}

inline double sign(double v) {
    return v < 0 ? -1.0 : 1.0;
}

// ---------------------------------------------------------------------------------------------
// Pieces

// A straight piece (arc false) or a circular arc; arcs keep centre, radius, start angle and signed
// sweep beside their explicit end points, which are what neighbours share.
struct Piece {
    Vec a{0, 0}, b{0, 0};
    bool arc = false;
    Vec c{0, 0};
    double r = 0, a0 = 0, sw = 0;
};

// Point at parameter t in [0, 1] along the piece.
inline Vec evalPiece(const Piece& p, double t) {
    if (!p.arc) {
        return p.a + (p.b - p.a) * t;
    }
    return p.c + polar(p.r, p.a0 + p.sw * t);
}

inline double pieceLength(const Piece& p) {
    return p.arc ? p.r * std::abs(p.sw) : dist(p.a, p.b);
}

// Unit tangent in the direction of travel at the arc's angle `angle`.
inline Vec arcTangent(const Piece& p, double angle) {
    return Vec{-std::sin(angle), std::cos(angle)} * sign(p.sw);
}

inline Vec startTangent(const Piece& p) {
    return p.arc ? arcTangent(p, p.a0) : unit(p.b - p.a);
}
inline Vec endTangent(const Piece& p) {
    return p.arc ? arcTangent(p, p.a0 + p.sw) : unit(p.b - p.a);
}

// Sweep from the arc's start to the angle of q, in the arc's direction, in
// (-(2pi - |sw|)/2, |sw| + (2pi - |sw|)/2]: points just before the start read as negative.
inline double arcOffsetAngle(const Piece& p, Vec q) {
    const double delta = wrapPositive((angleOf(q - p.c) - p.a0) * sign(p.sw));
    const double gapMiddle = std::abs(p.sw) + (kTwoPi - std::abs(p.sw)) / 2;
    return delta > gapMiddle ? delta - kTwoPi : delta;
}

// Parameter in [0, 1] of the point on the piece's carrier nearest to q (may fall outside).
inline double paramOf(const Piece& p, Vec q) {
    if (p.arc) {
        return arcOffsetAngle(p, q) / std::abs(p.sw);
    }
    const Vec d = p.b - p.a;
    return dot(q - p.a, d) / dot(d, d);
}

// Distance from q to the piece itself.
inline double distanceToPiece(const Piece& p, Vec q) {
    const double t = paramOf(p, q);
    if (t >= 0 && t <= 1) {
        return p.arc ? std::abs(dist(q, p.c) - p.r) : dist(q, evalPiece(p, t));
    }
    return std::min(dist(q, p.a), dist(q, p.b));
}

// Builds a straight piece.
inline Piece linePiece(Vec a, Vec b) {
    Piece p;
    p.a = a;
    p.b = b;
    return p;
}

// Builds an arc about c through a with signed sweep, ending at b.
inline Piece arcPiece(Vec c, double r, Vec a, Vec b, double sweep) {
    Piece p;
    p.arc = true;
    p.a = a;
    p.b = b;
    p.c = c;
    p.r = r;
    p.a0 = angleOf(a - c);
    p.sw = sweep;
    return p;
}

// ---------------------------------------------------------------------------------------------
// Intersections

// Crossing of the carrier lines of two straight pieces; none when parallel.
inline int lineLinePoints(const Piece& p, const Piece& q, Vec out[2]) {
    const Vec dp = p.b - p.a, dq = q.b - q.a;
    const double den = cross(dp, dq);
    if (std::abs(den) <= kParallelSin * norm(dp) * norm(dq)) {
        return 0;
    }
    out[0] = p.a + dp * (cross(q.a - p.a, dq) / den);
    return 1;
}

// Where a straight piece's carrier meets a circle; a near-tangent line touches once. A piece
// without length has no carrier.
inline int lineCirclePoints(const Piece& line, const Piece& circle, double tol, Vec out[2]) {
    if (!(norm(line.b - line.a) > 0.0)) {
        return 0;
    }
    const Vec u = unit(line.b - line.a);
    const Vec foot = line.a + u * dot(circle.c - line.a, u);
    const double h = dist(foot, circle.c);
    if (h > circle.r + tol) {
        return 0;
    }
    const double w2 = circle.r * circle.r - h * h;
    const double w = w2 > 0 ? std::sqrt(w2) : 0.0;
    if (w <= tol) {
        out[0] = foot;
        return 1;
    }
    out[0] = foot - u * w;
    out[1] = foot + u * w;
    return 2;
}

// Where two circles meet; nearly touching circles touch once.
inline int circleCirclePoints(const Piece& p, const Piece& q, double tol, Vec out[2]) {
    const double d = dist(p.c, q.c);
    if (d <= tol || d > p.r + q.r + tol || d < std::abs(p.r - q.r) - tol) {
        return 0;
    }
    const Vec e = (q.c - p.c) * (1.0 / d);
    const double along = (d * d + p.r * p.r - q.r * q.r) / (2 * d);
    const double h2 = p.r * p.r - along * along;
    const double h = h2 > 0 ? std::sqrt(h2) : 0.0;
    const Vec base = p.c + e * along;
    if (h <= tol) {
        out[0] = base;
        return 1;
    }
    out[0] = base + leftNormal(e) * h;
    out[1] = base - leftNormal(e) * h;
    return 2;
}

// Common points of the carriers (infinite line, full circle) of two pieces; returns how many.
inline int carrierPoints(const Piece& p, const Piece& q, double tol, Vec out[2]) {
    if (!p.arc && !q.arc) {
        return lineLinePoints(p, q, out);
    }
    if (!p.arc) {
        return lineCirclePoints(p, q, tol, out);
    }
    if (!q.arc) {
        return lineCirclePoints(q, p, tol, out);
    }
    return circleCirclePoints(p, q, tol, out);
}

// A point common to two pieces with its parameter on each.
struct Hit {
    Vec pt;
    double tp, tq;
};

// Parameter tolerance of a piece for a distance tolerance.
inline double paramTol(const Piece& p, double tol) {
    return tol / std::max(pieceLength(p), tol);
}

// Clamps t into [0, 1]; false when it lies further outside than the tolerance.
inline bool clampParam(const Piece& p, double tol, double& t) {
    const double slack = paramTol(p, tol);
    if (t < -slack || t > 1 + slack) {
        return false;
    }
    t = std::min(1.0, std::max(0.0, t));
    return true;
}

// Pieces on one carrier (collinear lines, co-circular arcs): the ends of each inside the other.
inline void overlapHits(const Piece& p, const Piece& q, double tol, std::vector<Hit>& hits) {
    const Vec ends[4] = {q.a, q.b, p.a, p.b};
    for (int k = 0; k < 4; ++k) {
        double tp = k < 2 ? paramOf(p, ends[k]) : (k == 2 ? 0.0 : 1.0);
        double tq = k < 2 ? (k == 0 ? 0.0 : 1.0) : paramOf(q, ends[k]);
        if (clampParam(p, tol, tp) && clampParam(q, tol, tq)) {
            hits.push_back({ends[k], tp, tq});
        }
    }
}

inline bool sameCarrier(const Piece& p, const Piece& q, double tol) {
    if (p.arc != q.arc) {
        return false;
    }
    if (p.arc) {
        return dist(p.c, q.c) <= tol && std::abs(p.r - q.r) <= tol;
    }
    const Vec u = unit(p.b - p.a);
    if (std::abs(cross(u, unit(q.b - q.a))) > kParallelSin) {
        return false;
    }
    return std::abs(cross(u, q.a - p.a)) <= tol && std::abs(cross(u, q.b - p.a)) <= tol;
}

// Appends the points the two pieces have in common.
inline void pieceHits(const Piece& p, const Piece& q, double tol, std::vector<Hit>& hits) {
    if (sameCarrier(p, q, tol)) {
        overlapHits(p, q, tol, hits);
        return;
    }
    Vec pts[2];
    const int n = carrierPoints(p, q, tol, pts);
    for (int k = 0; k < n; ++k) {
        double tp = paramOf(p, pts[k]), tq = paramOf(q, pts[k]);
        if (clampParam(p, tol, tp) && clampParam(q, tol, tq)) {
            hits.push_back({pts[k], tp, tq});
        }
    }
}

}  // namespace trimmed_offset_detail
