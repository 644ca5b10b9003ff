// The circle constants and finiteness checks, named once for the platform stand-ins and, through
// foundation/numeric.h, for every layer above them (internal).
#pragma once

#include <cmath>

namespace platform_detail {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kHalfPi = 0.5 * kPi;

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

}  // namespace platform_detail
