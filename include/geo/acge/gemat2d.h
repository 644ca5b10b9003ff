// AcGeMatrix2d: a 3x3 homogeneous transform of the plane (points as columns, p' = M p).
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/getol.h>
#include <geo/acge/gevec2d.h>
#include <geo/export.h>

class AcGeLine2d;

class GEO_API AcGeMatrix2d {
public:
    constexpr AcGeMatrix2d()
        : entry{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}} {}  // identity

    static const AcGeMatrix2d kIdentity;

    AcGeMatrix2d& setToIdentity();
    AcGeMatrix2d operator*(const AcGeMatrix2d& mat) const;
    AcGeMatrix2d& operator*=(const AcGeMatrix2d& mat);
    // this = leftSide * this
    AcGeMatrix2d& preMultBy(const AcGeMatrix2d& leftSide);
    // this = this * rightSide
    AcGeMatrix2d& postMultBy(const AcGeMatrix2d& rightSide);
    AcGeMatrix2d& setToProduct(const AcGeMatrix2d& mat1, const AcGeMatrix2d& mat2);

    // Inverts in place; a singular matrix is left unchanged.
    AcGeMatrix2d& invert();
    AcGeMatrix2d inverse() const;
    // False (and `inv` untouched) when the determinant is within `tol` of zero.
    bool inverse(AcGeMatrix2d& inv, double tol) const;
    bool isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeMatrix2d& transposeIt();
    AcGeMatrix2d transpose() const;
    double det() const;

    bool operator==(const AcGeMatrix2d& mat) const { return isEqualTo(mat); }
    bool operator!=(const AcGeMatrix2d& mat) const { return !isEqualTo(mat); }
    // Entry-wise comparison within equalVector.
    bool isEqualTo(const AcGeMatrix2d& mat, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    // Largest length of the images of the two unit axes.
    double scale() const;

    AcGeMatrix2d& setTranslation(const AcGeVector2d& vec);
    AcGeVector2d translation() const;
    AcGeMatrix2d& setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& e0,
                                 const AcGeVector2d& e1);
    void getCoordSystem(AcGePoint2d& origin, AcGeVector2d& e0, AcGeVector2d& e1) const;

    AcGeMatrix2d& setToTranslation(const AcGeVector2d& vec);
    AcGeMatrix2d& setToRotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    AcGeMatrix2d& setToScaling(double scaleAll, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    // Point reflection through `pnt`.
    AcGeMatrix2d& setToMirroring(const AcGePoint2d& pnt);
    // Reflection in the infinite line carrying `line`.
    AcGeMatrix2d& setToMirroring(const AcGeLine2d& line);
    // Reflection in the line through `pnt` along `dir`; a zero `dir` gives the identity.
    AcGeMatrix2d& setToMirroring(const AcGePoint2d& pnt, const AcGeVector2d& dir);
    AcGeMatrix2d& setToAlignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                     const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                     const AcGeVector2d& toE0, const AcGeVector2d& toE1);

    static AcGeMatrix2d translation(const AcGeVector2d& vec);
    static AcGeMatrix2d rotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    static AcGeMatrix2d scaling(double scaleAll, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    static AcGeMatrix2d mirroring(const AcGePoint2d& pnt);
    static AcGeMatrix2d mirroring(const AcGeLine2d& line);
    static AcGeMatrix2d mirroring(const AcGePoint2d& pnt, const AcGeVector2d& dir);
    static AcGeMatrix2d alignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                      const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                      const AcGeVector2d& toE0, const AcGeVector2d& toE1);

    double operator()(unsigned int row, unsigned int col) const { return entry[row][col]; }
    double& operator()(unsigned int row, unsigned int col) { return entry[row][col]; }

    double entry[3][3];
};
