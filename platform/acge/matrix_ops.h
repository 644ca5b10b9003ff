// Square-matrix arithmetic shared by the 2D (3x3) and 3D (4x4) homogeneous matrices.
#pragma once

#include <cmath>
#include <cstddef>
#include <utility>

namespace acge_detail {

template <std::size_t N>
using Square = double[N][N];

template <std::size_t N>
void multiply(const Square<N>& a, const Square<N>& b, Square<N>& out) {
    double r[N][N];
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            double s = 0.0;
            for (std::size_t k = 0; k < N; ++k) {
                s += a[i][k] * b[k][j];
            }
            r[i][j] = s;
        }
    }
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            out[i][j] = r[i][j];
        }
    }
}

// Gauss-Jordan elimination with partial pivoting. False, and `out` untouched, when a pivot
// is not larger than `pivotTol` in magnitude or the result is not finite.
template <std::size_t N>
bool invert(const Square<N>& m, Square<N>& out, double pivotTol) {
    double a[N][N], inv[N][N];
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            a[i][j] = m[i][j];
            inv[i][j] = i == j ? 1.0 : 0.0;
        }
    }
    for (std::size_t col = 0; col < N; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < N; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) {
                pivot = r;
            }
        }
        const double p = a[pivot][col];
        if (!(std::fabs(p) > pivotTol) || !std::isfinite(p)) {
            return false;
        }
        if (pivot != col) {
            for (std::size_t j = 0; j < N; ++j) {
                std::swap(a[pivot][j], a[col][j]);
                std::swap(inv[pivot][j], inv[col][j]);
            }
        }
        for (std::size_t j = 0; j < N; ++j) {
            a[col][j] /= p;
            inv[col][j] /= p;
        }
        for (std::size_t r = 0; r < N; ++r) {
            if (r == col || a[r][col] == 0.0) {
                continue;
            }
            const double f = a[r][col];
            for (std::size_t j = 0; j < N; ++j) {
                a[r][j] -= f * a[col][j];
                inv[r][j] -= f * inv[col][j];
            }
        }
    }
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            if (!std::isfinite(inv[i][j])) {
                return false;
            }
        }
    }
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            out[i][j] = inv[i][j];
        }
    }
    return true;
}

// Determinant by elimination with partial pivoting.
template <std::size_t N>
double determinant(const Square<N>& m) {
    double a[N][N];
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            a[i][j] = m[i][j];
        }
    }
    double det = 1.0;
    for (std::size_t col = 0; col < N; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < N; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) {
                pivot = r;
            }
        }
        if (a[pivot][col] == 0.0) {
            return 0.0;
        }
        if (pivot != col) {
            for (std::size_t j = 0; j < N; ++j) {
                std::swap(a[pivot][j], a[col][j]);
            }
            det = -det;
        }
        det *= a[col][col];
        for (std::size_t r = col + 1; r < N; ++r) {
            const double f = a[r][col] / a[col][col];
            for (std::size_t j = col; j < N; ++j) {
                a[r][j] -= f * a[col][j];
            }
        }
    }
    return det;
}

template <std::size_t N>
void transposeInPlace(Square<N>& m) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            std::swap(m[i][j], m[j][i]);
        }
    }
}

template <std::size_t N>
bool entriesEqual(const Square<N>& a, const Square<N>& b, double tol) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            if (!(std::fabs(a[i][j] - b[i][j]) <= tol)) {
                return false;
            }
        }
    }
    return true;
}

// Largest row sum of absolute values.
template <std::size_t N>
double rowSumNorm(const Square<N>& m) {
    double best = 0.0;
    for (std::size_t i = 0; i < N; ++i) {
        double s = 0.0;
        for (std::size_t j = 0; j < N; ++j) {
            s += std::fabs(m[i][j]);
        }
        if (s > best) {
            best = s;
        }
    }
    return best;
}

}  // namespace acge_detail
