// Polylines and polygons over point lists, ear-clipping triangulation and polygon booleans.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/gpc.h>
#include <geo/lines.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>

#include <typeinfo>
#include <vector>

// One ear cut from an outline: previous vertex, ear tip, next vertex.
struct Triangle {
    CPoint3d vertA;
    CPoint3d vertB;
    CPoint3d vertC;

    Triangle() = default;
    Triangle(const CPoint3d& a, const CPoint3d& b, const CPoint3d& c)
        : vertA(a), vertB(b), vertC(c) {}
};

// An open or closed chain of vertices. It is closed when its last vertex repeats
// its first within 1e-6; no flag is stored.
class GEO_API CPolyline : public CGeometry {
    DECLARE_SERIAL(CPolyline)

public:
    CPolyline();
    CPolyline(const std::vector<CPoint3d>& pts);
    CPolyline(const std::vector<AcGePoint3d>& pts);
    CPolyline(const std::vector<AcGePoint2d>& pts);
    CPolyline(const CPolyline& other);
    ~CPolyline() override;
    CPolyline& operator=(const CPolyline& other);

    // Replace the vertices and rebuild the box (2D points get z 0).
    void setPoints(const std::vector<CPoint3d>& pts);
    void setPoints(const std::vector<AcGePoint2d>& pts);
    void getPoints(std::vector<CPoint3d>& out) const;
    const std::vector<CPoint3d>& getPoints() const;
    // Appends a vertex and rebuilds the box.
    void pushPoint(const CPoint3d& pt);

    // Vertex i; an index outside 0..n-1 throws kArrayOutOfBounds.
    CPoint3d& operator[](int i);
    const CPoint3d& operator[](int i) const;
    int numVerts() const;

    // Sum of the edge lengths in 3D, without a closing edge.
    double length() const;
    // False when empty; a single vertex counts as closed.
    bool isClosed() const;
    // Appends or removes the closing vertex; lists of fewer than 3 vertices are left alone.
    void setClosed(bool closed);
    // Sets the z of every vertex; the box is left as it was.
    void SetElevation(double z);
    // Removes spikes and collinear vertices; the box is left as it was.
    void ClearError();
    // The plan box of the vertices computed afresh.
    void getBox(CPoint3d& min, CPoint3d& max) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void move(const CVector3d& v) override;
    void rotate(const CPoint3d& base, double angle) override;
    void scale(const CPoint3d& base, double factor) override;
    void mirror(const CLine& line) override;
    // Box corners and every vertex finite.
    bool isValid() const override;
    // Version, point list, base record.
    void Serialize(CArchive& ar) override;

    // The record without the loading/storing dispatch, for the archive operators.
    void writeRecord(CArchive& ar) const;
    void readRecord(CArchive& ar);

protected:
    void rebuildBox();

private:
    std::vector<CPoint3d> pts;
};

// A closed outline (the closing edge is implicit) with an elevation and a thickness.
// After normalize() the vertices run counter-clockwise in plan without a closing duplicate.
class GEO_API CPolygon : public CGeometry {
    DECLARE_SERIAL(CPolygon)

public:
    CPolygon();
    // Copies the vertices, normalises them when norm is true, rebuilds the box.
    CPolygon(const std::vector<CPoint3d>& pts, bool norm);
    // Always normalised.
    CPolygon(const std::vector<AcGePoint3d>& pts);
    CPolygon(const CPolygon& other);
    ~CPolygon() override;
    CPolygon& operator=(const CPolygon& other);

    // Replaces the vertices; elevation and thickness are kept.
    void setPoints(const std::vector<CPoint3d>& pts, bool norm);
    std::vector<CPoint3d> getPoints() const;
    void getPoints(std::vector<CPoint3d>& out) const;

    // Vertex i; an index outside 0..n-1 throws kArrayOutOfBounds.
    CPoint3d& operator[](int i);
    const CPoint3d& operator[](int i) const;
    int numVerts() const;
    // Vertex i, or (0, 0, 0) past the end.
    CPoint3d pointAt(unsigned int i) const;
    // Edge i, the last one closing back to vertex 0; a zero segment past the end.
    CLineSeg lineSegAt(unsigned int i) const;

    // Perimeter including the closing edge.
    double length() const;
    // Unsigned plan area; 0 for fewer than 3 vertices.
    double area() const;
    // Sets the z of every vertex; the box is left as it was.
    void setPtElev(double z);
    double elevation() const;
    void setElevation(double elev);
    double thickness() const;
    void setThickness(double thick);

    // Drops a closing duplicate and near-duplicate vertices, then orients counter-clockwise.
    void normalize();
    // Removes spikes and collinear vertices around the ring, then normalises.
    void ClearError();

    // n - 2 for n >= 3, else 0: a count by formula.
    unsigned int numTriangles() const;
    // Vertex index triples of an ear-clipping triangulation of a copy of the outline.
    std::vector<unsigned int> indexTriangles() const;

    // Clips this polygon (subject) with other. out is cleared, then receives every outer
    // contour of the result as a normalised polygon; true when their total area exceeds 0.01.
    // Either polygon may be an element of out.
    bool booleanOper(const CPolygon& other, std::vector<CPolygon>& out, gpc::gpc_op op) const;

    // The plan box of the vertices computed afresh.
    void getBox(CPoint3d& min, CPoint3d& max) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void move(const CVector3d& v) override;
    void rotate(const CPoint3d& base, double angle) override;
    void scale(const CPoint3d& base, double factor) override;
    // Plan reflection, then normalised so the outline stays counter-clockwise.
    void mirror(const CLine& line) override;
    // Box corners, every vertex, elevation and thickness finite.
    bool isValid() const override;
    // Version, elevation, thickness, point list, base record.
    void Serialize(CArchive& ar) override;

    // The record without the loading/storing dispatch, for the archive operators.
    void writeRecord(CArchive& ar) const;
    void readRecord(CArchive& ar);

protected:
    void rebuildBox();

private:
    double elev = 0.0;
    double thick = 0.0;
    std::vector<CPoint3d> pts;
};

// Triangulates the closed outline pts by ear clipping, appending to tris. Consumes pts:
// every cut ear's tip and every collinear vertex is erased; when no ear can be cut the
// remaining vertices stay in pts untriangulated.
GEO_API void DivideTriangle(std::vector<CPoint3d>& pts, std::vector<Triangle>& tris);

// Write / read exactly the bytes of Serialize.
GEO_API CArchive& operator<<(CArchive& ar, const CPolyline& pl);
GEO_API CArchive& operator>>(CArchive& ar, CPolyline& pl);
GEO_API CArchive& operator<<(CArchive& ar, const CPolygon& pg);
GEO_API CArchive& operator>>(CArchive& ar, CPolygon& pg);
