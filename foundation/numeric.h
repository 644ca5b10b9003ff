// Constants and checks that every layer above the platform shares (internal).
#pragma once

#include <cmath>

namespace geo_detail {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kHalfPi = 0.5 * kPi;

// Two points closer than this on every axis are the same point (CPoint3d's operator==).
constexpr double kPointTol = 1e-6;

// True when a point or vector type with x and y members holds finite plan coordinates.
template <class P>
bool isFiniteXY(const P& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// True when all three coordinates of a point or vector are finite.
template <class P>
bool isFiniteXYZ(const P& p) {
    return isFiniteXY(p) && std::isfinite(p.z);
}

// True when every point of the list has three finite coordinates.
template <class List>
bool allFiniteXYZ(const List& pts) {
    for (const auto& p : pts) {
        if (!isFiniteXYZ(p))
            return false;
    }
    return true;
}

}  // namespace geo_detail
