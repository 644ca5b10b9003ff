// Determinants: cofactor expansion (bit-identical to the plain recursive rule), cofactors,
// element access, and the elimination path for large orders.
#include <geo/determinant.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Matrix = std::vector<std::vector<double>>;

// The plain rule: expansion along the first row through freshly built minors.
double LiteralDet(const Matrix& m);

double LiteralCofactor(const Matrix& m, size_t r, size_t c) {
    const size_t n = m.size();
    if (n < 2 || r >= n || c >= n) {
        return 1.0;
    }
    Matrix minor(n - 1, std::vector<double>(n - 1));
    for (size_t i = 0; i + 1 < n; ++i) {
        for (size_t j = 0; j + 1 < n; ++j) {
            minor[i][j] = m[i + (i >= r ? 1 : 0)][j + (j >= c ? 1 : 0)];
        }
    }
    const double d = LiteralDet(minor);
    return (r + c) % 2 == 1 ? -d : d;
}

double LiteralDet(const Matrix& m) {
    if (m.empty()) {
        return 0.0;
    }
    if (m.size() == 1) {
        return m[0][0];
    }
    double sum = 0.0;
    for (size_t i = 0; i < m.size(); ++i) {
        sum += m[0][i] * LiteralCofactor(m, 0, i);
    }
    return sum;
}

// Laplace expansion over column subsets in long double: an independent check for large orders.
long double SubsetDet(const Matrix& m) {
    const size_t n = m.size();
    std::vector<long double> det(size_t{1} << n, 0.0L);
    det[0] = 1.0L;
    for (uint32_t mask = 1; mask < (uint32_t{1} << n); ++mask) {
        const size_t row = n - __builtin_popcount(mask);
        int sign = 1;
        long double sum = 0.0L;
        for (size_t col = 0; col < n; ++col) {
            if (!(mask & (uint32_t{1} << col))) {
                continue;
            }
            sum += sign * static_cast<long double>(m[row][col]) * det[mask & ~(uint32_t{1} << col)];
            sign = -sign;
        }
        det[mask] = sum;
    }
    return det.back();
}

Matrix Random(size_t n, std::mt19937& rng) {
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    Matrix m(n, std::vector<double>(n));
    for (auto& row : m) {
        for (double& v : row) {
            v = u(rng);
        }
    }
    return m;
}

CDeterminant Make(const Matrix& m) {
    CDeterminant d(static_cast<unsigned int>(m.size()));
    for (size_t i = 0; i < m.size(); ++i) {
        for (size_t j = 0; j < m.size(); ++j) {
            d.SetElement(static_cast<unsigned int>(i), static_cast<unsigned int>(j), m[i][j]);
        }
    }
    return d;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(Determinant, SmallOrdersByHand) {
    EXPECT_EQ(CDeterminant(0).CalDet(), 0.0);
    CDeterminant one(1);
    one.SetElement(0, 0, -4.5);
    EXPECT_EQ(one.CalDet(), -4.5);
    EXPECT_EQ(one.CalAlgebraicCofactor(0, 0), 1.0);
    const double a = 1.25, b = -3.5, c = 2.75, d = 0.5;
    EXPECT_EQ(Make({{a, b}, {c, d}}).CalDet(), a * d - b * c);
    EXPECT_EQ(Make({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}).CalDet(), 1.0);
    EXPECT_EQ(Make({{1, 2, 3}, {4, 5, 6}, {1, 2, 3}}).CalDet(), 0.0);
}

TEST(Determinant, RandomThreeByThreeMatchesSarrus) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 50; ++trial) {
        const Matrix m = Random(3, rng);
        const double sarrus = m[0][0] * m[1][1] * m[2][2] + m[0][1] * m[1][2] * m[2][0] +
                              m[0][2] * m[1][0] * m[2][1] - m[0][2] * m[1][1] * m[2][0] -
                              m[0][0] * m[1][2] * m[2][1] - m[0][1] * m[1][0] * m[2][2];
        EXPECT_NEAR(Make(m).CalDet(), sarrus, 1e-12 * (1 + std::fabs(sarrus)));
    }
}

TEST(Determinant, TriangularMatrixGivesItsDiagonalProduct) {
    // Powers of two on the diagonal keep every product exact.
    const double diag[] = {2, -0.5, 4, 8, -0.25, 16, 0.125};
    Matrix m(7, std::vector<double>(7, 0.0));
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-5, 5);
    double product = 1;
    for (size_t i = 0; i < 7; ++i) {
        m[i][i] = diag[i];
        product *= diag[i];
        for (size_t j = i + 1; j < 7; ++j) {
            m[i][j] = u(rng);
        }
    }
    EXPECT_EQ(Make(m).CalDet(), product);
}

TEST(Determinant, ExpansionIsBitIdenticalToThePlainRecursiveRule) {
    std::mt19937 rng(5);
    for (size_t n = 0; n <= 8; ++n) {
        for (int trial = 0; trial < (n >= 7 ? 2 : 6); ++trial) {
            const Matrix m = Random(n, rng);
            const CDeterminant d = Make(m);
            EXPECT_TRUE(SameBits(d.CalDet(), LiteralDet(m))) << "order " << n;
            for (unsigned int r = 0; r < n; r += 3) {
                for (unsigned int c = 0; c < n; c += 2) {
                    EXPECT_TRUE(SameBits(d.CalAlgebraicCofactor(r, c), LiteralCofactor(m, r, c)))
                        << "order " << n << " (" << r << ", " << c << ")";
                }
            }
        }
    }
    // Signed zeros: a zero first row sums to +0 from the start value.
    EXPECT_TRUE(SameBits(Make({{-0.0, -0.0}, {1.0, 1.0}}).CalDet(), 0.0));
}

TEST(Determinant, CofactorSignsAndIndicesOutside) {
    const Matrix m = {{2, 3, 5}, {7, 11, 13}, {17, 19, 23}};
    const CDeterminant d = Make(m);
    EXPECT_EQ(d.CalAlgebraicCofactor(0, 1), -(7.0 * 23 - 13.0 * 17));
    EXPECT_EQ(d.CalAlgebraicCofactor(1, 1), 2.0 * 23 - 5.0 * 17);
    EXPECT_EQ(d.CalAlgebraicCofactor(2, 1), -(2.0 * 13 - 5.0 * 7));
    EXPECT_EQ(d.CalAlgebraicCofactor(3, 0), 1.0);
    EXPECT_EQ(d.CalAlgebraicCofactor(0, 3), 1.0);
}

TEST(Determinant, LargeOrdersMatchAnIndependentExpansion) {
    std::mt19937 rng(17);
    for (size_t n : {10u, 11u, 12u}) {
        const Matrix m = Random(n, rng);
        const long double want = SubsetDet(m);
        const double got = Make(m).CalDet();
        EXPECT_NEAR(got, static_cast<double>(want), 1e-9 * std::fabs(static_cast<double>(want)))
            << "order " << n;
    }
    // A known determinant: unit lower times upper triangular with the diagonal 1..12.
    const size_t n = 12;
    Matrix lower(n, std::vector<double>(n, 0.0)), upper = lower, m = lower;
    std::uniform_real_distribution<double> u(-1, 1);
    double want = 1;
    for (size_t i = 0; i < n; ++i) {
        lower[i][i] = 1;
        upper[i][i] = static_cast<double>(i + 1);
        want *= static_cast<double>(i + 1);
        for (size_t j = 0; j < i; ++j) {
            lower[i][j] = u(rng);
        }
        for (size_t j = i + 1; j < n; ++j) {
            upper[i][j] = u(rng);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            for (size_t k = 0; k < n; ++k) {
                m[i][j] += lower[i][k] * upper[k][j];
            }
        }
    }
    EXPECT_NEAR(Make(m).CalDet(), want, 1e-8 * want);
    // Twelfth-order cofactor: an eleventh-order minor, also by elimination.
    const CDeterminant d = Make(m);
    EXPECT_NEAR(d.CalAlgebraicCofactor(4, 7), static_cast<double>(-SubsetDet([&] {
                    Matrix minor;
                    for (size_t i = 0; i < n; ++i) {
                        if (i == 4) {
                            continue;
                        }
                        std::vector<double> row;
                        for (size_t j = 0; j < n; ++j) {
                            if (j != 7) {
                                row.push_back(m[i][j]);
                            }
                        }
                        minor.push_back(row);
                    }
                    return minor;
                }())),
                1e-6 * want);
    // A singular large matrix: two equal rows.
    Matrix singular = Random(13, rng);
    singular[9] = singular[2];
    EXPECT_NEAR(Make(singular).CalDet(), 0.0, 1e-6);
}

TEST(Determinant, ElementAccessAndValueSemantics) {
    CDeterminant d(3);
    EXPECT_FALSE(d.SetElement(3, 0, 9.0));
    EXPECT_FALSE(d.SetElement(0, 3, 9.0));
    EXPECT_EQ(d.CalDet(), 0.0);
    double values[9] = {2, 0, 0, 0, 3, 0, 0, 0, 4};
    EXPECT_TRUE(d.SetElement(values));
    EXPECT_EQ(d.CalDet(), 24.0);
    EXPECT_TRUE(d.SetElement(0, 1, 1.0));  // row-major: (0, 1) is values[1]
    EXPECT_EQ(d.CalAlgebraicCofactor(1, 0), -(1.0 * 4));
    EXPECT_FALSE(d.SetElement(nullptr));
    EXPECT_EQ(d.CalDet(), 24.0);
    EXPECT_TRUE(CDeterminant(0).SetElement(nullptr));

    CDeterminant copy(d);
    CDeterminant assigned(1);
    assigned = d;
    d.SetElement(2, 2, 0.0);
    EXPECT_EQ(d.CalDet(), 0.0);
    EXPECT_EQ(copy.CalDet(), 24.0);
    EXPECT_EQ(assigned.CalDet(), 24.0);
}
