// AcGePoint2d: a 2D position (plain x, y).
#pragma once

#include <cmath>

#include <geo/acge/gevec2d.h>
#include <geo/export.h>

class AcGeMatrix2d;
class AcGeLine2d;

class GEO_API AcGePoint2d {
public:
    constexpr AcGePoint2d() : x(0.0), y(0.0) {}
    constexpr AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGePoint2d kOrigin;

    AcGePoint2d& setToProduct(const AcGeMatrix2d& mat, const AcGePoint2d& pnt);
    AcGePoint2d& transformBy(const AcGeMatrix2d& leftSide);
    // Turns counter-clockwise by `angle` radians about `wrtPoint`.
    AcGePoint2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    // Reflects in the infinite line carrying `line`.
    AcGePoint2d& mirror(const AcGeLine2d& line);
    AcGePoint2d& scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);

    AcGePoint2d operator*(double scl) const { return AcGePoint2d(x * scl, y * scl); }
    friend AcGePoint2d operator*(double scl, const AcGePoint2d& p) { return p * scl; }
    AcGePoint2d& operator*=(double scl) {
        x *= scl;
        y *= scl;
        return *this;
    }
    AcGePoint2d operator/(double scl) const { return AcGePoint2d(x / scl, y / scl); }
    AcGePoint2d& operator/=(double scl) {
        x /= scl;
        y /= scl;
        return *this;
    }
    AcGePoint2d operator+(const AcGeVector2d& v) const { return AcGePoint2d(x + v.x, y + v.y); }
    AcGePoint2d& operator+=(const AcGeVector2d& v) {
        x += v.x;
        y += v.y;
        return *this;
    }
    AcGePoint2d operator-(const AcGeVector2d& v) const { return AcGePoint2d(x - v.x, y - v.y); }
    AcGePoint2d& operator-=(const AcGeVector2d& v) {
        x -= v.x;
        y -= v.y;
        return *this;
    }
    AcGePoint2d& setToSum(const AcGePoint2d& p, const AcGeVector2d& v) {
        x = p.x + v.x;
        y = p.y + v.y;
        return *this;
    }
    AcGeVector2d operator-(const AcGePoint2d& p) const { return AcGeVector2d(x - p.x, y - p.y); }
    AcGeVector2d asVector() const { return AcGeVector2d(x, y); }

    double distanceTo(const AcGePoint2d& p) const {
        return std::sqrt((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y));
    }

    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
    // Equal when the Euclidean distance is at most equalPoint.
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }

    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGePoint2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }

    double x, y;
};

// Matrix product; for vectors the translation part is ignored.
GEO_API AcGePoint2d operator*(const AcGeMatrix2d& mat, const AcGePoint2d& pnt);
