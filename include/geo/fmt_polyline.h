// A polyline whose vertices carry drawing widths, with a label and extended data.
#pragma once

#include <geo/acge/getol.h>
#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/lines.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/collections.h>
#include <geo/mfc/cstring.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>
#include <geo/wintypes.h>

#include <typeinfo>
#include <vector>

// A wide polyline: each vertex holds the widths of the segment leaving it.
// The cached box is not maintained; it changes only when a record is read.
class GEO_API CFmtPolyline : public CGeometry {
    DECLARE_SERIAL(CFmtPolyline)

public:
    // One vertex and the widths at both ends of the segment that leaves it.
    struct VertexFmt {
        CPoint3d pt;
        double startWidth = 0.0;
        double endWidth = 0.0;
        // Kept and stored with the vertex; nothing here reads it.
        double extra = 0.0;
    };

    std::vector<VertexFmt> vertexList;
    CString label;
    CMapStringToString xdata;

    CFmtPolyline();
    // One vertex per point, widths 0.
    CFmtPolyline(const std::vector<CPoint3d>& pts);
    CFmtPolyline(const CFmtPolyline& other);
    ~CFmtPolyline() override;
    CFmtPolyline& operator=(const CFmtPolyline& other);

    unsigned int numVerts() const;
    // The point of vertex i; an index out of range throws kArrayOutOfBounds.
    CPoint3d& operator[](unsigned int i);
    const CPoint3d& operator[](unsigned int i) const;
    // An index out of range changes nothing (getPointAt leaves p as it was).
    void setPointAt(unsigned int i, const CPoint3d& p);
    void getPointAt(unsigned int i, CPoint3d& p) const;

    // Replaces every vertex; all widths become 0.
    void setPoints(const std::vector<CPoint3d>& pts);
    void getPoints(std::vector<CPoint3d>& pts) const;
    // Inserts before vertex i (i == numVerts() appends); a larger i changes nothing.
    void insertVertex(unsigned int i, const CPoint3d& p, double startWidth, double endWidth);
    // An index out of range changes nothing.
    void removeVertex(unsigned int i);

    // An index out of range is ignored / leaves the outputs unchanged.
    void setWidthAt(unsigned int i, double start, double end);
    void getWidthAt(unsigned int i, double& start, double& end) const;
    void setConstantWidth(double w);
    // The first vertex's start width, 0 without vertices.
    double getConstantWidth() const;
    // Every width equal to the first start width within 1e-6; true without vertices.
    bool hasConstantWidth() const;

    // Sum of the segment lengths.
    double length() const;
    // Length of segment i (vertex i to i + 1); 0 when that segment does not exist.
    double lengthAt(int i) const;
    // Area of the band the wide polyline draws, each segment a trapezoid.
    double area() const;
    // At least 3 vertices and the last equal to the first within tol.
    bool isClose(const AcGeTol& tol) const;
    // The two outline edges of wide segment i; without a segment i the outputs
    // are left unchanged.
    void get2Edge(unsigned int i, CLineSeg& left, CLineSeg& right) const;

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    // Transforms move the vertex points; widths are unchanged.
    void move(const CVector3d& offset) override;
    void rotate(const CPoint3d& base, double angle) override;
    void scale(const CPoint3d& base, double factor) override;
    void mirror(const CLine& line) override;
    // Box corners and every vertex point finite.
    bool isValid() const override;
    // Record: version, 32-bit vertex count, vertex records, label, extended
    // data, base record. A read that fails leaves the polyline as it was.
    void Serialize(CArchive& ar) override;

protected:
    // The box is not maintained for this class.
    void calBox();
    // Empties `to`, then copies every pair of xdata into it.
    void copyXdata(CMapStringToString& to) const;
};

// The hash table size of a formatted polyline's extended data.
constexpr UINT kFmtXdataHashSize = 10;
// Bytes of one vertex record: version, x, y, z, both widths, extra.
constexpr ULONGLONG kVertexFmtRecordBytes = 56;

// Write / read one 56-byte vertex record.
GEO_API CArchive& operator<<(CArchive& ar, const CFmtPolyline::VertexFmt& v);
GEO_API CArchive& operator>>(CArchive& ar, CFmtPolyline::VertexFmt& v);
