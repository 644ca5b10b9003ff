// The simple solids (sphere, cone, pyramid), their meshes and snap points.
#pragma once

#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>

#include <typeinfo>
#include <vector>

// The most polygon sides a pyramid is sampled, meshed or snapped with; a larger
// stored count is used as this many.
constexpr unsigned int kMaxPyramidSides = 4096;

// The added move / rotate / scale take their arguments by value and are the ones
// that do the work: the CGeometry overloads taking references stay no-ops, so a
// solid handled through a CGeometry pointer does not move. The hiding of the
// base overloads is deliberate, hence the silenced warning.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Woverloaded-virtual"

// A sphere given by its centre and radius.
class GEO_API CSphere : public CGeometry {
    DECLARE_SERIAL(CSphere)

public:
    struct BaseData {
        CPoint3d pos;
        double radius = 0.0;
    };

    CPoint3d pos;
    double radius = 0.0;

    CSphere();
    CSphere(const CSphere& other);
    ~CSphere() override;
    CSphere& operator=(const CSphere& other);

    void set(CPoint3d pos, double radius);
    void set(BaseData data);
    BaseData get() const;
    CPoint3d getPos() const;
    double getRadius() const;

    // The height of the lowest point.
    double elevation() const;
    // Puts the lowest point at height z; the box is not refreshed.
    void setElevation(double z);

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void mirror(const CLine& line) override;
    // 400 faces: two caps of 20 triangles and 18 bands of 20 quadrilaterals.
    void getMesh(std::vector<MeshData>& faces) const override;
    // Record: version, radius, centre record, base record. A failed read
    // leaves the sphere as it was.
    void Serialize(CArchive& ar) override;

    virtual void move(CVector3d offset);
    virtual void rotate(CPoint3d base, double angle);
    // Does nothing.
    virtual void scale(CPoint3d base, CVector3d factors);

private:
    void updateBox();
};

// A cone or frustum of revolution: bottom circle at basePt, top circle at
// basePt + height * dir, dir kept at unit length by set.
class GEO_API CCone : public CGeometry {
    DECLARE_SERIAL(CCone)

public:
    struct BaseData {
        CPoint3d basePt;
        CVector3d dir;
        double bottomRadius = 0.0;
        double topRadius = 0.0;
        double height = 0.0;
    };

    CPoint3d basePt;
    CVector3d dir;
    double bottomRadius = 0.0;
    double topRadius = 0.0;
    double height = 0.0;

    CCone();
    CCone(const CCone& other);
    ~CCone() override;
    CCone& operator=(const CCone& other);

    void set(CPoint3d basePt, CVector3d dir, double bottomRadius, double topRadius, double height);
    void set(BaseData data);
    BaseData get() const;

    double elevation() const;
    // Sets the base height; the box is not refreshed.
    void setElevation(double z);

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void mirror(const CLine& line) override;
    // Per step of the rings: bottom cap, top cap (each when its radius is
    // not negligible), then two side triangles.
    void getMesh(std::vector<MeshData>& faces) const override;
    // Record: version, bottomRadius, height, topRadius, dir, basePt, base
    // record. A failed read leaves the cone as it was.
    void Serialize(CArchive& ar) override;

    virtual void move(CVector3d offset);
    virtual void rotate(CPoint3d base, double angle);
    // Does nothing.
    virtual void scale(CPoint3d base, CVector3d factors);

private:
    void updateBox();
};

// A regular pyramid or frustum with `sides` sides, turned so that the middle
// of its first bottom side lies in the plan direction `rotation` from basePt.
// dir is stored as given, not normalised.
class GEO_API CPyramid : public CGeometry {
    DECLARE_SERIAL(CPyramid)

public:
    struct BaseData {
        CPoint3d basePt;
        CVector3d dir;
        double bottomRadius = 0.0;
        double topRadius = 0.0;
        double height = 0.0;
        double rotation = 0.0;
        unsigned int sides = 0;
    };

    CPoint3d basePt;
    CVector3d dir;
    double bottomRadius = 0.0;
    double topRadius = 0.0;
    double height = 0.0;
    double rotation = 0.0;
    unsigned int sides = 0;

    CPyramid();
    CPyramid(const CPyramid& other);
    ~CPyramid() override;
    CPyramid& operator=(const CPyramid& other);

    void set(CPoint3d basePt, CVector3d dir, double bottomRadius, double topRadius, double height,
             double rotation, unsigned int sides);
    void set(BaseData data);
    BaseData get() const;

    double elevation() const;
    // Sets the base height; the box is not refreshed.
    void setElevation(double z);

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void mirror(const CLine& line) override;
    // Faces as for the cone, one step per bottom-ring segment; fewer than three
    // sides give flat, degenerate faces rather than none.
    void getMesh(std::vector<MeshData>& faces) const override;
    // Record: version, rotation, bottomRadius, height, sides (32-bit),
    // topRadius, dir, basePt, base record. A failed read leaves the pyramid
    // as it was.
    void Serialize(CArchive& ar) override;

    virtual void move(CVector3d offset);
    virtual void rotate(CPoint3d base, double angle);
    // Does nothing.
    virtual void scale(CPoint3d base, CVector3d factors);

private:
    void updateBox();
};

#pragma GCC diagnostic pop

// Appends the snap points of a solid: a sphere's centre, a cone's base point,
// a pyramid's ring corners in bottom/top pairs then its base and top centres.
// False only for a null entity; other entities add nothing and give true.
GEO_API bool get3dSolidSnapPoints(CGeometry* g, std::vector<CPoint3d>& out);
