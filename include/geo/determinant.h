// CDeterminant: a square matrix of doubles and its determinant by cofactor expansion.
#pragma once

#include <geo/export.h>

#include <vector>

// A square matrix held by value; the determinant expands along the first row through minors.
class GEO_API CDeterminant {
public:
    // An order-n matrix of zeros.
    CDeterminant(unsigned int n);
    CDeterminant(const CDeterminant& other);
    CDeterminant& operator=(const CDeterminant& other);
    ~CDeterminant();

    // Sets one element; false, and nothing changed, when the index is outside the matrix.
    bool SetElement(unsigned int row, unsigned int col, double value);
    // Reads order x order values row by row; false only for a null array of a non-empty matrix.
    bool SetElement(double* values);

    // The determinant: cofactor expansion up to order 10, partial-pivoting elimination above.
    double CalDet() const;
    // The signed cofactor of element (row, col); 1 for order < 2 or an index outside.
    double CalAlgebraicCofactor(unsigned int row, unsigned int col) const;

private:
    std::vector<std::vector<double>> matrix;
    unsigned int order;
};
