// Value-type operations that take a line: reflections in lines and plane/line direction tests.
#include <cmath>

#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplanar.h>
#include <geo/acge/gepnt2d.h>

#include <geo/acge/geline2d.h>
#include <geo/acge/geline3d.h>

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGeLine2d& line) {
    return setToMirroring(line.pointOnLine(), line.direction());
}

AcGePoint2d& AcGePoint2d::mirror(const AcGeLine2d& line) {
    return transformBy(AcGeMatrix2d::mirroring(line));
}

// A half-turn about the line: 2 d d^T - I, fixing the line's points.
AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGeLine3d& line) {
    setToIdentity();
    AcGeVector3d d = line.direction();
    const double len = d.length();
    if (len == 0.0 || !std::isfinite(len)) {
        return *this;
    }
    d /= len;
    for (unsigned int r = 0; r < 3; ++r) {
        for (unsigned int c = 0; c < 3; ++c) {
            entry[r][c] = 2.0 * d[r] * d[c] - (r == c ? 1.0 : 0.0);
        }
    }
    const AcGePoint3d p = line.pointOnLine();
    return setTranslation(p - (*this) * p);
}

bool AcGePlanarEnt::isParallelTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol) const {
    return linEnt.direction().isPerpendicularTo(mNormal, tol);
}

bool AcGePlanarEnt::isPerpendicularTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol) const {
    return linEnt.direction().isParallelTo(mNormal, tol);
}
