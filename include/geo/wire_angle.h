// CFixWireAngle: snaps the edge directions of a 2D outline to a few dominant directions.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/export.h>

#include <map>
#include <vector>

// Regularises an outline on construction: edge directions (undirected, modulo a quarter turn)
// within `tol` radians of the most frequent direction class are snapped to it, class by class,
// and the outline is rebuilt from lines in the snapped directions.
class GEO_API CFixWireAngle {
public:
    // `tol` is both a point-equality distance and an angle in radians. Fewer than 3 points, a
    // negative or NaN tolerance, or a non-finite point give an empty result.
    CFixWireAngle(std::vector<AcGePoint2d> const& pts, double tol);
    CFixWireAngle(const CFixWireAngle& other);
    CFixWireAngle& operator=(const CFixWireAngle& other);
    ~CFixWireAngle();

    std::vector<AcGePoint2d> GetResult() const;
    operator std::vector<AcGePoint2d>() const;

private:
    double CompareAngle(double a, double b);
    int RelationCount(double a);
    double FindMostAngle();
    void DelOtherAngle(double a);
    void DealAngles();
    std::vector<AcGePoint2d> GetInterPnt();
    void Rebuild();
    void collectEdges();

    double tol;
    std::vector<AcGePoint2d> points;
    std::vector<AcGePoint2d> result;
    std::vector<double> angles;
    std::vector<AcGePoint2d> midPoints;
    std::vector<double> foldAngles;
    std::map<double, int> angleCount;
};
