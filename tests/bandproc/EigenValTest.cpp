#include "bandproc/vsEigenVal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

struct Solution {
    uint8_t Result = 99;
    int32_t Sweeps = -1;
    Matrix9 Vectors{};
    Vector9 Values{};
};

Solution Solve(int32_t n, const Matrix9& a, int32_t limit = 50, double tolerance = 1e-14) {
    Solution s;
    JacobiEigen(n, a, limit, s.Result, s.Sweeps, s.Vectors, s.Values, tolerance);
    return s;
}

Matrix9 Make(std::initializer_list<std::initializer_list<double>> rows) {
    Matrix9 a{};
    int i = 0;
    for (const auto& row : rows) {
        int k = 0;
        for (double v : row)
            a[i][k++] = v;
        ++i;
    }
    return a;
}

TEST(JacobiEigen, OrderOneAndDiagonalNeedOneSweep) {
    for (int n : {1, 4, 9}) {
        Matrix9 a{};
        for (int i = 0; i < n; ++i)
            a[i][i] = 3.0 - 1.5 * i;
        const Solution s = Solve(n, a);
        EXPECT_EQ(s.Result, jrSuccess) << n;
        EXPECT_EQ(s.Sweeps, 1) << n;
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(s.Values[i], a[i][i]) << n;
            for (int k = 0; k < 9; ++k)
                EXPECT_EQ(s.Vectors[i][k], i == k ? 1.0 : 0.0) << n << " " << i << " " << k;
        }
    }
}

TEST(JacobiEigen, RefusedArgumentsLeaveTheTablesAlone) {
    const Matrix9 sym = Make({{2, 1}, {1, 2}});
    const Matrix9 asym = Make({{2, 1}, {1.1, 2}});
    struct Case {
        int32_t N;
        const Matrix9* A;
        int32_t Limit;
        double Tolerance;
        uint8_t Result;
    } cases[] = {
        {0, &sym, 50, 1e-10, jrBadOrder},
        {10, &sym, 50, 1e-10, jrBadOrder},
        {2, &sym, 50, 1e-15, jrBadTolerance},
        {2, &sym, 0, 1e-10, jrBadLimit},
        {0, &sym, 0, 1e-20, jrBadLimit}, // the last check wins
        {2, &asym, 50, 1e-10, jrNotSymmetric},
        {2, &asym, 0, 1e-10, jrBadLimit}, // symmetry is tested only when the rest passed
        {1, &asym, 50, 1e-10, jrSuccess}, // one entry has no pair to compare
    };
    for (const Case& c : cases) {
        Solution s;
        s.Vectors[0][0] = 7.0;
        s.Values[0] = 7.0;
        JacobiEigen(c.N, *c.A, c.Limit, s.Result, s.Sweeps, s.Vectors, s.Values, c.Tolerance);
        EXPECT_EQ(s.Result, c.Result) << c.N << " " << c.Limit << " " << c.Tolerance;
        if (c.Result != jrSuccess) {
            EXPECT_EQ(s.Vectors[0][0], 7.0);
            EXPECT_EQ(s.Values[0], 7.0);
            EXPECT_EQ(s.Sweeps, -1);
        }
    }
}

TEST(JacobiEigen, LastAllowedSweepThatConvergesIsSuccess) {
    // One rotation clears the pair; the second sweep, the last one allowed, finds nothing.
    const Solution s = Solve(2, Make({{2, 1}, {1, 2}}), 1, 1e-10);
    EXPECT_EQ(s.Result, jrSuccess);
    EXPECT_EQ(s.Sweeps, 2);
    EXPECT_DOUBLE_EQ(s.Values[0], 3.0);
    EXPECT_DOUBLE_EQ(s.Values[1], 1.0);
    // Row 2's components are equal in magnitude: the first, negative, becomes 1.
    EXPECT_EQ((std::array{s.Vectors[0][0], s.Vectors[0][1], s.Vectors[1][0], s.Vectors[1][1]}),
              (std::array{1.0, 1.0, 1.0, -1.0}));
    EXPECT_EQ(Solve(2, Make({{2, 1}, {1, 2}}), 50, 1e-10).Sweeps, 2);
}

TEST(JacobiEigen, EntryTinyAgainstItsGapIsRotatedAway) {
    // theta = 2.5e15: r - theta would cancel to t = 0 and leave the entry above the threshold
    // (2e-15 times the diagonal's sum of squares) for every sweep.
    const Solution s = Solve(2, Make({{0.05, 1e-17}, {1e-17, 0}}), 4, 2e-15);
    EXPECT_EQ(s.Result, jrSuccess);
    EXPECT_EQ(s.Sweeps, 2);
    EXPECT_DOUBLE_EQ(s.Values[0], 0.05);
    EXPECT_NEAR(s.Vectors[1][0], -2e-16, 1e-30);
}

TEST(JacobiEigen, SweepLimitReachedDeliversTheLastState) {
    const Matrix9 a = Make({{4, 1, 2}, {1, 3, 0.5}, {2, 0.5, 1}});
    const Solution s = Solve(3, a, 1, 1e-14);
    EXPECT_EQ(s.Result, jrTooManySweeps);
    EXPECT_EQ(s.Sweeps, 2);
    // Two sweeps leave the trace and normalised rows all the same.
    EXPECT_NEAR(s.Values[0] + s.Values[1] + s.Values[2], 8.0, 1e-12);
    for (int r = 0; r < 3; ++r)
        EXPECT_DOUBLE_EQ(std::max({std::fabs(s.Vectors[r][0]), std::fabs(s.Vectors[r][1]),
                                   std::fabs(s.Vectors[r][2])}),
                         1.0);
    EXPECT_EQ(Solve(3, a, 50, 1e-14).Result, jrSuccess);
}

// Sum of lambda^k against the trace of A^k for k = 1 .. n: these power sums fix the
// characteristic polynomial, so they pin the whole set of eigenvalues.
void ExpectPowerSumsMatch(int n, const Matrix9& a, const Vector9& values) {
    Matrix9 power = a, next{};
    for (int k = 1; k <= n; ++k) {
        double trace = 0.0, scale = 0.0, sum = 0.0;
        for (int i = 0; i < n; ++i) {
            trace += power[i][i];
            sum += std::pow(values[i], k);
            scale += std::pow(std::fabs(values[i]), k);
        }
        EXPECT_NEAR(sum, trace, 1e-9 * scale) << "n " << n << " power " << k;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                next[i][j] = 0.0;
                for (int l = 0; l < n; ++l)
                    next[i][j] += power[i][l] * a[l][j];
            }
        power = next;
    }
}

TEST(JacobiEigen, RandomSymmetricMatricesOfEveryOrder) {
    std::mt19937_64 gen(20261206);
    const auto uniform = [&gen] { return static_cast<double>(gen() >> 11) * 0x1p-53; };
    for (int n = 2; n <= 9; ++n)
        for (int trial = 0; trial < 5; ++trial) {
            Matrix9 a{};
            for (int i = 0; i < n; ++i)
                for (int k = i; k < n; ++k)
                    a[i][k] = a[k][i] = 20.0 * uniform() - 10.0;
            const Matrix9 before = a;
            const Solution s = Solve(n, a);
            ASSERT_EQ(s.Result, jrSuccess) << n;
            EXPECT_EQ(a, before);
            for (int r = 0; r < n; ++r) {
                double largest = 0.0;
                for (int k = 0; k < n; ++k)
                    largest = std::max(largest, std::fabs(s.Vectors[r][k]));
                EXPECT_DOUBLE_EQ(largest, 1.0) << n << " row " << r;
                for (int i = 0; i < n; ++i) {
                    double av = 0.0;
                    for (int k = 0; k < n; ++k)
                        av += a[i][k] * s.Vectors[r][k];
                    EXPECT_NEAR(av, s.Values[r] * s.Vectors[r][i], 1e-9)
                        << "n " << n << " vector " << r << " component " << i;
                }
            }
            ExpectPowerSumsMatch(n, a, s.Values);
        }
}

} // namespace
