// Constants shared by the contour generator's sources.
#pragma once

namespace contour_detail {

// Tolerance of every comparison of levels, node values and distances.
constexpr double kNodeTol = 1e-6;
// Distance reported for a candidate edge that the level does not cross.
constexpr double kNoCrossing = 99999.0;
// Edge kinds of the tracer's edge reference.
constexpr int kEndOfTrace = 0;
constexpr int kHorizontal = 1;
constexpr int kVertical = 2;

}  // namespace contour_detail
