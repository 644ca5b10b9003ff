// Face meshes of the sphere, cone and pyramid.
#include "entities/solid_rings.h"

#include <geo/measures.h>
#include <geo/solids.h>

#include <cmath>

#include "foundation/numeric.h"

using solids_detail::kRingRadiusTol;
using solids_detail::kSolidSizeTol;

namespace {

// Parallels of the sphere between its poles, and samples per circle.
constexpr int kSphereRings = 19;
constexpr int kSphereCircleSamples = 20;
// The polar angle between neighbouring parallels, pi / 20.
constexpr double kSphereRingStep = 0.15707963267948966;
// Samples of a cone's full circle.
constexpr int kConeCircleSamples = 20;

MeshData Face(std::vector<AcGePoint3d> corners, const AcGeVector3d& normal) {
    MeshData face;
    face.vertices = std::move(corners);
    face.normal = normal;
    return face;
}

// A triangle with the normal of its corners' turn.
MeshData Triangle(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c) {
    return Face({a, b, c}, getNormal(a, b, c));
}

// A ring of a cone or pyramid: sampled points, or copies of its centre that
// answer the centre for any index.
struct Ring {
    std::vector<AcGePoint3d> pts;
    AcGePoint3d centre;
    bool sampled = false;

    AcGePoint3d at(size_t k) const { return sampled && k < pts.size() ? pts[k] : centre; }
};

Ring CopiesRing(const AcGePoint3d& centre, size_t copies) {
    Ring ring;
    ring.pts.assign(copies, centre);
    ring.centre = centre;
    return ring;
}

Ring SampledRing(std::vector<AcGePoint3d> pts, const AcGePoint3d& centre) {
    Ring ring;
    ring.pts = std::move(pts);
    ring.centre = centre;
    ring.sampled = true;
    return ring;
}

// Caps and sides between two rings, one step per bottom-ring segment.
void AppendRingFaces(const Ring& bottom, const Ring& top, const AcGeVector3d& dir,
                     std::vector<MeshData>& faces) {
    const size_t steps = bottom.pts.size() < 2 ? 0 : bottom.pts.size() - 1;
    for (size_t k = 0; k < steps; ++k) {
        const AcGePoint3d b0 = bottom.at(k), b1 = bottom.at(k + 1);
        const AcGePoint3d t0 = top.at(k), t1 = top.at(k + 1);
        if (bottom.sampled) {
            faces.push_back(Face({b0, b1, bottom.centre}, -dir));
        }
        if (top.sampled) {
            faces.push_back(Face({t0, t1, top.centre}, dir));
        }
        faces.push_back(Triangle(b0, b1, t1));
        faces.push_back(Triangle(b0, t1, t0));
    }
}

// The size checks every cone and pyramid mesh starts with: some radius, a
// height, an axis, all finite.
bool HasVolume(double bottomRadius, double topRadius, double height, const CVector3d& dir) {
    const bool finite = std::isfinite(bottomRadius) && std::isfinite(topRadius) &&
                        std::isfinite(height) && geo_detail::isFiniteXYZ(dir);
    const bool someRadius = bottomRadius >= kSolidSizeTol || topRadius >= kSolidSizeTol;
    const bool axis = dir.x != 0.0 || dir.y != 0.0 || dir.z != 0.0;
    return finite && someRadius && height >= kSolidSizeTol && axis;
}

// Parallel j of a sphere, counted from the top pole.
std::vector<AcGePoint3d> SphereRing(const CPoint3d& c, double r, int j) {
    const double theta = kSphereRingStep * j;
    const AcGePoint3d centre(c.x, c.y, c.z + r * std::cos(theta));
    return solids_detail::SampleCircle(centre, AcGeVector3d::kZAxis, std::fabs(r * std::sin(theta)),
                                       kSphereCircleSamples);
}

// A band quadrilateral between two parallels; its normal is taken from its
// first three corners walked backwards, which points outward.
MeshData BandQuad(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c,
                  const AcGePoint3d& d) {
    return Face({a, b, c, d}, getNormal(c, b, a));
}

}  // namespace

void CSphere::getMesh(std::vector<MeshData>& faces) const {
    if (!(radius >= kSolidSizeTol) || !std::isfinite(radius) || !pos.isValid()) {
        return;
    }
    const AcGePoint3d top(pos.x, pos.y, pos.z + radius);
    const AcGePoint3d bottom(pos.x, pos.y, pos.z - radius);
    std::vector<std::vector<AcGePoint3d>> rings;
    for (int j = 1; j <= kSphereRings; ++j) {
        rings.push_back(SphereRing(pos, radius, j));
    }
    const size_t steps = rings.front().size() - 1;
    for (size_t k = 0; k < steps; ++k) {
        faces.push_back(Triangle(rings.front()[k], rings.front()[k + 1], top));
    }
    for (size_t j = 0; j + 1 < rings.size(); ++j) {
        for (size_t k = 0; k < steps; ++k) {
            faces.push_back(
                BandQuad(rings[j][k], rings[j][k + 1], rings[j + 1][k + 1], rings[j + 1][k]));
        }
    }
    for (size_t k = 0; k < steps; ++k) {
        faces.push_back(Triangle(bottom, rings.back()[k + 1], rings.back()[k]));
    }
}

void CCone::getMesh(std::vector<MeshData>& faces) const {
    if (!HasVolume(bottomRadius, topRadius, height, dir) || !basePt.isValid()) {
        return;
    }
    const AcGeVector3d axis = dir.toAcGeVector3d();
    const AcGePoint3d base = basePt.toAcGePoint3d();
    const AcGePoint3d ctop = (basePt + dir * height).toAcGePoint3d();
    auto ring = [&](const AcGePoint3d& centre, double r) {
        if (r > kRingRadiusTol) {
            return SampledRing(solids_detail::SampleCircle(centre, axis, r, kConeCircleSamples),
                               centre);
        }
        return CopiesRing(centre, kConeCircleSamples);
    };
    AppendRingFaces(ring(base, bottomRadius), ring(ctop, topRadius), axis, faces);
}

// Both rings come from the turned polygon rings, so an apex pyramid is meshed
// with the same turn as its box and snap points; a ring whose radius is
// negligible becomes sides + 1 copies of its centre.
void CPyramid::getMesh(std::vector<MeshData>& faces) const {
    if (!HasVolume(bottomRadius, topRadius, height, dir) || !basePt.isValid() ||
        !std::isfinite(rotation)) {
        return;
    }
    std::vector<AcGePoint3d> bottomPts, topPts;
    solids_detail::PyramidRings(*this, bottomPts, topPts);
    const size_t copies = static_cast<size_t>(solids_detail::UsableSides(*this)) + 1;
    auto ring = [&](std::vector<AcGePoint3d>& pts, const AcGePoint3d& centre, double r) {
        return r > kRingRadiusTol ? SampledRing(std::move(pts), centre)
                                  : CopiesRing(centre, copies);
    };
    const Ring bottom = ring(bottomPts, basePt.toAcGePoint3d(), bottomRadius);
    const Ring top = ring(topPts, solids_detail::PyramidTop(*this), topRadius);
    AppendRingFaces(bottom, top, dir.toAcGeVector3d(), faces);
}
