// The point and vector value types: three doubles each, serialisable.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>

class CLine;
class CVector3d;

// The text thrown on a bad index into a point, polyline or polygon: "数组越界"
// in the GBK code page, NUL-terminated. The thrown value is this very pointer.
extern GEO_API const char kArrayOutOfBounds[9];

// Throws kArrayOutOfBounds as a `const char*`.
[[noreturn]] GEO_API void ThrowArrayOutOfBounds();

// A point in drawing units. Equality is a strict per-axis box test.
class GEO_API CPoint3d : public CObject {
    DECLARE_SERIAL(CPoint3d)

public:
    double x;
    double y;
    double z;

    static const CPoint3d kOrigin;

    CPoint3d();
    CPoint3d(double x, double y, double z);
    CPoint3d(const CPoint3d& p);
    CPoint3d(const CVector3d& v);
    // Takes the components of an AcGe point.
    explicit CPoint3d(const AcGePoint3d& p);
    ~CPoint3d() override;

    CPoint3d& operator=(const CPoint3d& p);
    void set(double x, double y, double z);

    // Index 0, 1, 2 selects x, y, z; any other index throws kArrayOutOfBounds.
    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);

    // True when every axis differs by strictly less than tol (so never for tol <= 0).
    bool isEqualTo(const CPoint3d& p, double tol) const;
    bool operator==(const CPoint3d& p) const;
    bool operator!=(const CPoint3d& p) const;
    double distanceTo(const CPoint3d& p) const;

    CPoint3d& operator+=(const CPoint3d& p);
    CPoint3d& operator+=(const CVector3d& v);
    CPoint3d& move(const CVector3d& v);
    CPoint3d operator+(const CPoint3d& p) const;
    CPoint3d operator+(const CVector3d& v) const;
    // The vector from p to this point.
    CVector3d operator-(const CPoint3d& p) const;
    CPoint3d operator*(double s) const;
    // No zero check: a zero divisor gives IEEE infinities or NaN.
    CPoint3d operator/(double s) const;

    // this = base + (this - base) * f.
    CPoint3d& scale(const double& f, const CPoint3d& base);
    CPoint3d& scale(const double& fx, const double& fy, const double& fz, const CPoint3d& base);
    // Turns the point about the vertical axis through base; z is kept as it is.
    CPoint3d& rotate(const CPoint3d& base, double angle);
    // Reflection in plan about the line; defined with CLine.
    CPoint3d& mirror(const CLine& line);

    // The same components as an AcGe point.
    AcGePoint3d toAcGePoint3d() const;

    void Serialize(CArchive& ar) override;
    // True when all three components are finite.
    virtual bool isValid() const;
};

// A direction or displacement; `==` is a strict per-axis test with 1e-6.
class GEO_API CVector3d : public CObject {
    DECLARE_SERIAL(CVector3d)

public:
    double x;
    double y;
    double z;

    static const CVector3d kXAxis;
    static const CVector3d kYAxis;
    static const CVector3d kZAxis;

    CVector3d();
    CVector3d(double x, double y, double z);
    CVector3d(const AcGeVector3d& v);
    CVector3d(const CVector3d& v);
    // A point becomes its position vector.
    CVector3d(const CPoint3d& p);
    ~CVector3d() override;

    CVector3d& operator=(const CVector3d& v);
    CVector3d& set(const CVector3d& v);
    CVector3d& set(double x, double y, double z);

    CVector3d& operator+=(const CVector3d& v);
    CVector3d& operator-=(const CVector3d& v);
    CVector3d& operator*=(double s);
    // Leaves the vector unchanged when s is exactly 0.
    CVector3d& operator/=(double s);
    CVector3d operator+(const CVector3d& v) const;
    CVector3d operator-(const CVector3d& v) const;
    CVector3d operator-() const;
    CVector3d operator*(double s) const;
    // No zero check: a zero divisor gives IEEE infinities or NaN.
    CVector3d operator/(double s) const;
    bool operator==(const CVector3d& v) const;

    double getDotProduct(const CVector3d& v) const;
    double length() const;
    // Makes the vector unit length; a zero-length vector is left unchanged.
    CVector3d& normalize();
    CVector3d crossProduct(const CVector3d& v) const;
    // Sets this to a x b.
    CVector3d& crossProduct(const CVector3d& a, const CVector3d& b);
    // Unsigned angle in [0, pi]; NaN when either vector has zero length.
    double getAngle(const CVector3d& v) const;
    // Angle against the X axis in [0, 2*pi], measured in 3D; 0 for a vector shorter than 1e-8.
    double angle() const;
    // Right-handed rotation about axis; a zero axis scales the vector by cos(angle).
    CVector3d& rotate(double angle, CVector3d axis);
    // Reflection about the line's direction; defined with CLine.
    CVector3d& mirror(const CLine& line);

    // The same components as an AcGe vector.
    AcGeVector3d toAcGeVector3d() const;

    void Serialize(CArchive& ar) override;
    // True when all three components are finite.
    virtual bool isValid() const;
};

// Write / read the 32-byte record: version 2.0, x, y, z.
GEO_API CArchive& operator<<(CArchive& ar, const CPoint3d& p);
GEO_API CArchive& operator>>(CArchive& ar, CPoint3d& p);
GEO_API CArchive& operator<<(CArchive& ar, const CVector3d& v);
GEO_API CArchive& operator>>(CArchive& ar, CVector3d& v);
