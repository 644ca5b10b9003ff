// Sampled circles and pyramid rings shared by the solids' boxes, meshes and snaps.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/solids.h>

#include <vector>

namespace solids_detail {

// Radii at or below this give a ring of copies of its centre in a mesh.
constexpr double kRingRadiusTol = 1e-5;
// Radii and heights below this give no mesh at all.
constexpr double kSolidSizeTol = 1e-6;

// The full circle sampled with `samples` points (the last repeating the
// first), then its first point appended once more.
std::vector<AcGePoint3d> SampleCircle(const AcGePoint3d& centre, const AcGeVector3d& normal,
                                      double radius, int samples);

// The pyramid's side count with the cap applied.
unsigned int UsableSides(const CPyramid& p);

// The centre of the pyramid's top polygon.
AcGePoint3d PyramidTop(const CPyramid& p);

// Both polygon rings, each circle sampled with sides + 1 points whatever its
// radius, turned so the first bottom side's midpoint lies in the direction of
// `rotation` from the base point.
void PyramidRings(const CPyramid& p, std::vector<AcGePoint3d>& bottom,
                  std::vector<AcGePoint3d>& top);

}  // namespace solids_detail
