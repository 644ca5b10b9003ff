// Constants and checks that every layer above the platform shares (internal).
#pragma once

#include "platform/numeric.h"

namespace geo_detail {

// Pi and the finiteness checks live with the platform, which cannot include this layer.
using platform_detail::isFiniteXY;
using platform_detail::isFiniteXYZ;
using platform_detail::kHalfPi;
using platform_detail::kPi;
using platform_detail::kTwoPi;

// Two points closer than this on every axis are the same point (CPoint3d's operator==).
constexpr double kPointTol = 1e-6;

// True when every point of the list has three finite coordinates.
template <class List>
bool allFiniteXYZ(const List& pts) {
    for (const auto& p : pts) {
        if (!isFiniteXYZ(p)) {
            return false;
        }
    }
    return true;
}

}  // namespace geo_detail
