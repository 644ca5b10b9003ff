// Three-way comparison of reals with an absolute tolerance.
#pragma once

#include <geo/export.h>

// Compares a with b: 0 when |a - b| <= tol, -1 when a is smaller by more than tol,
// 1 when a is larger by more than tol. The result is always exactly -1, 0 or 1.
//
// Equal infinities compare 0. A NaN never compares equal to anything, itself
// included: a NaN in `a` gives 1 and a NaN only in `b` gives -1, so every caller
// that reads a non-zero result as "differ" sees a difference. A NaN or negative
// tolerance leaves only exact equality as 0.
GEO_API int FloatComp(double a, double b, double tol);
