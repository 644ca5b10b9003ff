// The linear entities: segment, infinite line, ray and plane.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>

#include <typeinfo>
#include <vector>

class CLine;

// A bounded segment; its plan box follows the two points.
class GEO_API CLineSeg : public CGeometry {
    DECLARE_SERIAL(CLineSeg)

public:
    CPoint3d startPt;
    CPoint3d endPt;

    CLineSeg();
    CLineSeg(const CPoint3d& s, const CPoint3d& e);
    CLineSeg(const CLineSeg& other);
    ~CLineSeg() override;
    CLineSeg& operator=(const CLineSeg& other);

    // Stores the points and rebuilds the plan box from them.
    void set(const CPoint3d& s, const CPoint3d& e);

    CPoint3d startPoint() const;
    CPoint3d endPoint() const;
    AcGePoint3d startAcPoint() const;
    AcGePoint3d endAcPoint() const;
    CPoint3d midPoint() const;
    double length() const;
    // Unit vector from start to end; the zero vector for a zero-length segment.
    CVector3d direction() const;
    // The left-hand normal in plan: direction() turned by a quarter turn.
    CVector3d verticalDir() const;

    // The point of the segment nearest to p.
    CPoint3d getClosestPnt(const CPoint3d& p) const;
    // The nearest pair between this segment and other: returns the one on this
    // segment and writes the one on other.
    CPoint3d getClosestPnt(const CLineSeg& other, CPoint3d& onOther) const;
    // Distance from p to the infinite line through the segment.
    double distanceTo(const CPoint3d& p) const;
    bool isOn(const CPoint3d& p, double tol) const;
    // Planar crossing with z carried along this segment; false leaves out untouched.
    bool intersectWith(const CLineSeg& other, CPoint3d& out, double tol) const;
    bool intersectWith(const CLine& line, CPoint3d& out, double tol) const;
    // Whether the two segments run along each other; out (may be null) gets the shared part.
    bool overlap(const CLineSeg& other, CLineSeg* out, double angTol, double distTol) const;
    // Four corners of a rectangle of the given width along the segment:
    // side < 0 left of it, 0 centred on it, > 0 right of it.
    std::vector<CPoint3d> getRect(double width, int side) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void move(const CVector3d& v) override;
    void rotate(const CPoint3d& base, double angle) override;
    void scale(const CPoint3d& base, double factor) override;
    void mirror(const CLine& line) override;
    bool isValid() const override;
    void Serialize(CArchive& ar) override;

protected:
    // Rebuilds the x and y of the plan box from the two points.
    void rebuildBox();
};

// An infinite line through two defining points. Only the transforms keep its box.
class GEO_API CLine : public CLineSeg {
    DECLARE_SERIAL(CLine)

public:
    CLine();
    CLine(const CPoint3d& p1, const CPoint3d& p2);
    CLine(const CLine& other);
    ~CLine() override;
    CLine& operator=(const CLine& other);

    // Stores the defining points; the box is left as it was.
    void set(const CPoint3d& p1, const CPoint3d& p2);

    // Near either defining point, or at an angle of at most tol (radians) seen from p1.
    bool isOn(const CPoint3d& p, double tol) const;
    // Foot of the perpendicular from p; p1 itself when the defining points coincide.
    CPoint3d getClosestPnt(const CPoint3d& p) const;
    // Planar crossing of the two lines, z carried along this line.
    bool intersectWith(const CLine& other, CPoint3d& out, double tol) const;
    bool parallelWith(const CLine& other, double tol) const;
    // Parallel, touching and sharing a stretch of at least kMinCloseOverlap.
    bool closeWith(const CLine& other, double tol) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void Serialize(CArchive& ar) override;
};

// A half-line from an origin along an unnormalised direction.
class GEO_API CRay : public CGeometry {
    DECLARE_SERIAL(CRay)

public:
    CPoint3d startPt;
    CVector3d dirVec;

    CRay();
    CRay(const CPoint3d& origin, const CVector3d& dir);
    CRay(const CPoint3d& p1, const CPoint3d& p2);
    CRay(const CRay& other);
    ~CRay() override;
    CRay& operator=(const CRay& other);

    void set(const CPoint3d& p1, const CPoint3d& p2);
    void set(const CPoint3d& origin, const CVector3d& dir);
    CPoint3d startPoint() const;
    CVector3d direction() const;

    // The point of the ray nearest to p; the origin for a zero direction.
    CPoint3d getClosestPnt(const CPoint3d& p) const;
    bool intersectWith(const CLineSeg& seg, CPoint3d& out, double tol) const;
    bool intersectWith(const CRay& other, CPoint3d& out, double tol) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void move(const CVector3d& v) override;
    bool isValid() const override;
    void Serialize(CArchive& ar) override;
};

// A plane through a point with a unit normal.
class GEO_API CPlane : public CGeometry {
    DECLARE_SERIAL(CPlane)

public:
    CPoint3d originPt;
    CVector3d normalVec;

    CPlane();
    CPlane(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3);
    CPlane(const CPlane& other);
    ~CPlane() override;
    CPlane& operator=(const CPlane& other);

    // Origin p1, normal (p2 - p1) x (p3 - p2): counter-clockwise points seen from +Z give +Z.
    void set(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3);
    // The normal is normalised unless its length is exactly 0.
    void set(const CPoint3d& origin, const CVector3d& normal);
    // Plane through the first non-collinear triple, origin at pts[0]; false leaves it unchanged.
    bool set(const std::vector<CPoint3d>& pts);

    bool intersectWith(const CLineSeg& seg, CPoint3d& out, double tol) const;
    bool intersectWith(const CLine& line, CPoint3d& out, double tol) const;
    bool intersectWith(const CRay& ray, CPoint3d& out, double tol) const;
    // The line shared with other; its second point is the first plus nThis x nOther.
    bool intersectWith(const CPlane& other, CLine& out, double tol) const;

    // p moved along dir (the normal when dir is shorter than 1e-6) onto the plane;
    // (0, 0, 0) when dir runs parallel to the plane.
    CPoint3d PtProj2Plane(const CPoint3d& p, CVector3d dir) const;
    std::vector<CPoint3d> PtProj2Plane(const std::vector<CPoint3d>& pts, CVector3d dir) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    bool isValid() const override;
    void Serialize(CArchive& ar) override;
};

// Each writes or reads exactly the bytes of the class's Serialize, except CLine,
// whose pair carries only the base geometry record (the defining points stay as they are).
GEO_API CArchive& operator<<(CArchive& ar, const CLineSeg& seg);
GEO_API CArchive& operator>>(CArchive& ar, CLineSeg& seg);
GEO_API CArchive& operator<<(CArchive& ar, const CLine& line);
GEO_API CArchive& operator>>(CArchive& ar, CLine& line);
GEO_API CArchive& operator<<(CArchive& ar, const CRay& ray);
GEO_API CArchive& operator>>(CArchive& ar, CRay& ray);
GEO_API CArchive& operator<<(CArchive& ar, const CPlane& plane);
GEO_API CArchive& operator>>(CArchive& ar, CPlane& plane);
