#pragma once
// AcGeInterval: a parameter range of a curve, bounded or unbounded on either side.

#include <geo/export.h>

class GEO_API AcGeInterval {
public:
    AcGeInterval();  // unbounded on both sides
    AcGeInterval(double lower, double upper);
    AcGeInterval(bool boundedBelow, double bound);  // half-open: bounded below or above

    double lowerBound() const { return m_lower; }
    double upperBound() const { return m_upper; }
    double length() const;  // -1 when unbounded
    bool isBounded() const { return m_boundedBelow && m_boundedAbove; }
    bool isBoundedBelow() const { return m_boundedBelow; }
    bool isBoundedAbove() const { return m_boundedAbove; }
    bool contains(double value, double tol = 1e-12) const;

    AcGeInterval& set(double lower, double upper);
    AcGeInterval& set(bool boundedBelow, double bound);
    AcGeInterval& set();  // unbounded on both sides
    void setLower(double lower);
    void setUpper(double upper);

private:
    double m_lower = 0.0;
    double m_upper = 0.0;
    bool m_boundedBelow = false;
    bool m_boundedAbove = false;
};
