// AcGeTol (point and vector tolerances) and AcGeContext::gTol, the global default.
#pragma once

#include <geo/export.h>

// Tolerances are absolute: points are equal within equalPoint() of Euclidean distance,
// vectors within equalVector().
class AcGeTol {
public:
    AcGeTol() = default;
    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double value) { mEqualPoint = value; }
    void setEqualVector(double value) { mEqualVector = value; }

private:
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-10;
};

struct GEO_API AcGeContext {
    // Tolerance used wherever a call takes none; changing it changes every such call.
    static AcGeTol gTol;
};
