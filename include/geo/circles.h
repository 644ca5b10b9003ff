// The circular entities: a plan circle and a counter-clockwise plan arc.
#pragma once

#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>

#include <typeinfo>
#include <vector>

// A full circle. It keeps no box of its own: the cached box stays as
// constructed (zero) unless a record read into it says otherwise.
class GEO_API CCircle : public CGeometry {
    DECLARE_SERIAL(CCircle)

public:
    CPoint3d center;
    double radius = 0.0;

    CCircle();
    CCircle(CPoint3d center, double radius);
    CCircle(const CCircle& other);
    ~CCircle() override;
    // Copies centre and radius; the target keeps its own box.
    CCircle& operator=(const CCircle& other);

    // The circumference, radius times 2 pi.
    double length() const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    // Box corners, centre and radius all finite.
    bool isValid() const override;
    // Record: version, centre record, radius, base record (120 bytes). A read
    // that fails leaves the circle as it was.
    void Serialize(CArchive& ar) override;
};

// An arc running counter-clockwise from startAngle to endAngle (radians from
// +X in plan). Like the circle it keeps no box of its own.
class GEO_API CArc : public CGeometry {
    DECLARE_SERIAL(CArc)

public:
    CPoint3d center;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;

    CArc();
    CArc(CPoint3d center, double radius, double startAngle, double endAngle);
    CArc(const CArc& other);
    ~CArc() override;
    // Copies the four members; the target keeps its own box.
    CArc& operator=(const CArc& other);

    // The start point, every multiple of step (counted from angle 0) strictly
    // inside the arc, then the end point. Empty when step is not a positive
    // finite number, an angle is not finite, or the grid inside the arc would
    // hold more than kMaxArcSamples points.
    std::vector<CPoint3d> getSimplePts(double step) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    // Box corners, centre, radius and both angles finite.
    bool isValid() const override;
    // Record: version, centre record, radius, start and end angle, base record
    // (136 bytes). A read that fails leaves the arc as it was.
    void Serialize(CArchive& ar) override;
};

// The most grid points getSimplePts emits between an arc's two end points.
constexpr double kMaxArcSamples = 1.0e6;

// Write / read exactly the bytes of the class's Serialize.
GEO_API CArchive& operator<<(CArchive& ar, const CCircle& circle);
GEO_API CArchive& operator>>(CArchive& ar, CCircle& circle);
GEO_API CArchive& operator<<(CArchive& ar, const CArc& arc);
GEO_API CArchive& operator>>(CArchive& ar, CArc& arc);
