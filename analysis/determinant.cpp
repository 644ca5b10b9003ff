// Determinants by first-row cofactor expansion, with an elimination path for large orders.
#include <geo/determinant.h>

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Orders up to this use the cofactor expansion; the cost beyond it grows too fast.
constexpr unsigned int kMaxExpansionOrder = 10;

// First-row expansion of the square submatrix on the given rows and columns (both in order).
// A sub-determinant depends only on which columns remain, so each column set is expanded once
// and its value reused; every value is formed with the same operations, in the same order, as a
// plain recursive expansion through freshly built minors, so the result is bit-identical.
class CofactorExpansion {
public:
    CofactorExpansion(const std::vector<std::vector<double>>& m, std::vector<unsigned int> rows,
                      std::vector<unsigned int> cols)
        : m_(m), rows_(std::move(rows)), cols_(std::move(cols)) {
        const size_t sets = size_t{1} << cols_.size();
        memo_.assign(sets, 0.0);
        known_.assign(sets, false);
    }

    double Run() {
        if (cols_.empty()) {
            return 0.0;
        }
        return Det((uint32_t{1} << cols_.size()) - 1);
    }

private:
    // Determinant of the minor whose columns are the set bits of `mask`.
    double Det(uint32_t mask) {
        if (known_[mask]) {
            return memo_[mask];
        }
        const unsigned int size = Count(mask);
        const unsigned int row = rows_[cols_.size() - size];
        double value = 0.0;
        if (size == 1) {
            value = m_[row][cols_[Lowest(mask)]];
        } else {
            unsigned int k = 0;
            for (unsigned int bit = 0; bit < cols_.size(); ++bit) {
                if (!(mask & (uint32_t{1} << bit))) {
                    continue;
                }
                const double minor = Det(mask & ~(uint32_t{1} << bit));
                const double cofactor = (k % 2 == 1) ? -minor : minor;
                value += m_[row][cols_[bit]] * cofactor;
                ++k;
            }
        }
        known_[mask] = true;
        memo_[mask] = value;
        return value;
    }

    static unsigned int Count(uint32_t mask) {
        unsigned int n = 0;
        for (; mask != 0; mask &= mask - 1) {
            ++n;
        }
        return n;
    }
    static unsigned int Lowest(uint32_t mask) {
        unsigned int bit = 0;
        while (!(mask & (uint32_t{1} << bit))) {
            ++bit;
        }
        return bit;
    }

    const std::vector<std::vector<double>>& m_;
    std::vector<unsigned int> rows_;
    std::vector<unsigned int> cols_;
    std::vector<double> memo_;
    std::vector<bool> known_;
};

// Determinant by Gaussian elimination with partial pivoting.
double EliminationDet(std::vector<std::vector<double>> a) {
    const size_t n = a.size();
    double det = 1.0;
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t r = col + 1; r < n; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) {
                pivot = r;
            }
        }
        if (a[pivot][col] == 0.0) {
            return 0.0;
        }
        if (pivot != col) {
            std::swap(a[pivot], a[col]);
            det = -det;
        }
        det *= a[col][col];
        for (size_t r = col + 1; r < n; ++r) {
            const double factor = a[r][col] / a[col][col];
            for (size_t c = col; c < n; ++c) {
                a[r][c] -= factor * a[col][c];
            }
        }
    }
    return det;
}

// Determinant of the submatrix on the given rows and columns, by the rule for its order.
double SubDet(const std::vector<std::vector<double>>& m, std::vector<unsigned int> rows,
              std::vector<unsigned int> cols) {
    if (cols.size() <= kMaxExpansionOrder) {
        return CofactorExpansion(m, std::move(rows), std::move(cols)).Run();
    }
    std::vector<std::vector<double>> sub(rows.size(), std::vector<double>(cols.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        for (size_t j = 0; j < cols.size(); ++j) {
            sub[i][j] = m[rows[i]][cols[j]];
        }
    }
    return EliminationDet(std::move(sub));
}

// 0 .. n-1 without `skip` (skip >= n keeps them all).
std::vector<unsigned int> IndicesWithout(unsigned int n, unsigned int skip) {
    std::vector<unsigned int> out;
    out.reserve(n);
    for (unsigned int i = 0; i < n; ++i) {
        if (i != skip) {
            out.push_back(i);
        }
    }
    return out;
}

}  // namespace

CDeterminant::CDeterminant(unsigned int n) : matrix(n, std::vector<double>(n, 0.0)), order(n) {}

CDeterminant::CDeterminant(const CDeterminant& other) = default;
CDeterminant& CDeterminant::operator=(const CDeterminant& other) = default;
CDeterminant::~CDeterminant() = default;

bool CDeterminant::SetElement(unsigned int row, unsigned int col, double value) {
    if (row >= order || col >= order) {
        return false;
    }
    matrix[row][col] = value;
    return true;
}

bool CDeterminant::SetElement(double* values) {
    if (values == nullptr && order > 0) {
        return false;
    }
    for (unsigned int i = 0; i < order; ++i) {
        for (unsigned int j = 0; j < order; ++j) {
            matrix[i][j] = values[static_cast<size_t>(i) * order + j];
        }
    }
    return true;
}

double CDeterminant::CalDet() const {
    if (order == 0) {
        return 0.0;
    }
    if (order == 1) {
        return matrix[0][0];
    }
    return SubDet(matrix, IndicesWithout(order, order), IndicesWithout(order, order));
}

double CDeterminant::CalAlgebraicCofactor(unsigned int row, unsigned int col) const {
    if (order < 2 || row >= order || col >= order) {
        return 1.0;
    }
    const double minor = SubDet(matrix, IndicesWithout(order, row), IndicesWithout(order, col));
    return ((row + col) % 2 == 1) ? -minor : minor;
}
