// The base class of every entity, with its cached plan box, and one mesh face.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>

#include <typeinfo>
#include <vector>

class CLine;

// One face of a mesh: its corners in order (3 or 4) and its normal, not
// necessarily of unit length.
struct MeshData {
    std::vector<AcGePoint3d> vertices;
    AcGeVector3d normal;
};

// The common base of the entities. Its box is a plan box that derived classes
// keep up to date; the z of the corners carries no meaning.
//
// Copying the base copies nothing: a copy starts with a zero box and an
// assignment leaves the target's box alone, so each derived class rebuilds
// its box from its own geometry when copied or assigned.
class GEO_API CGeometry : public CObject {
    DECLARE_SERIAL(CGeometry)

public:
    CPoint3d boxMin;
    CPoint3d boxMax;

    CGeometry();
    CGeometry(const CGeometry& other);
    CGeometry& operator=(const CGeometry& other);
    ~CGeometry() override;

    // The 72-byte base record: version 2.0, boxMin record, boxMax record. The
    // box read is taken as stored.
    void Serialize(CArchive& ar) override;

    // The type information of the object's exact class.
    virtual const std::type_info& type() const;
    // A new heap object that the caller deletes; here a default CGeometry.
    virtual CGeometry* clone() const;
    // The transforms and the mesh do nothing unless a derived class says otherwise.
    virtual void move(const CVector3d& offset);
    virtual void rotate(const CPoint3d& base, double angle);
    virtual void scale(const CPoint3d& base, double factor);
    virtual void mirror(const CLine& line);
    virtual void getMesh(std::vector<MeshData>& faces) const;
    // True when both box corners are finite.
    virtual bool isValid() const;

    // Copies the cached corners out.
    void box(CPoint3d& min, CPoint3d& max) const;
};

// Write / read the 72-byte base record, exactly as Serialize does.
GEO_API CArchive& operator<<(CArchive& ar, const CGeometry& g);
GEO_API CArchive& operator>>(CArchive& ar, CGeometry& g);
// Reads a whole base record and hands out its box; nothing else changes, so an
// entity can take its own fields and the box together once all were read.
GEO_API void ReadGeometryBox(CArchive& ar, CPoint3d& min, CPoint3d& max);
