#include "bandproc/vsEigenVal.h"

#include <cmath>

Matrix9 PCAEigenvectors{};
Vector9 PCAEigenvalues{};

namespace {

// Below this two entries count as equal (symmetry, equal diagonal).
constexpr double Tiny = 1e-15;
constexpr int MaxOrder = 9;

// Indices here run from 0; the sweep order is the same.
uint8_t JacobiCheck(int32_t n, const Matrix9& a, int32_t maxIterations, double tolerance) {
    uint8_t result = jrSuccess;
    // The table holds nine rows: a larger order would read and write past it.
    if (n < 1 || n > MaxOrder) result = jrBadOrder;
    if (tolerance <= Tiny) result = jrBadTolerance;
    if (maxIterations < 1) result = jrBadLimit;
    if (result == jrSuccess && n >= 2)
        for (int p = 0; p < n - 1; ++p)
            for (int q = p + 1; q < n; ++q)
                if (std::fabs(a[p][q] - a[q][p]) > Tiny) result = jrNotSymmetric;
    return result;
}

void JacobiInit(Matrix9& v, int32_t& count) {
    for (int i = 0; i < MaxOrder; ++i)
        for (int k = 0; k < MaxOrder; ++k)
            v[i][k] = i == k ? 1.0 : 0.0;
    count = 0;
}

void JacobiRotation(double app, double apq, double aqq, double& c, double& s) {
    const double d = app - aqq;
    if (std::fabs(d) <= Tiny) {
        c = std::sqrt(0.5);
        s = apq >= 0.0 ? std::sqrt(0.5) : -std::sqrt(0.5);
        return;
    }
    const double theta = d / (2.0 * apq);
    const double r = std::sqrt(theta * theta + 1.0);
    // The smaller root of t^2 + 2 theta t - 1, as 1 / (|theta| + r) rather than r - |theta|:
    // the difference cancels once theta passes 1e8, leaves t = 0 and the entry unrotated, so
    // sweeps could never take an entry below about 1e-8 of its diagonal gap.
    const double t = theta >= 0.0 ? 1.0 / (theta + r) : -1.0 / (r - theta);
    c = 1.0 / std::sqrt(t * t + 1.0);
    s = c * t;
}

void JacobiRotateMatrix(Matrix9& a, int n, int p, int q, double c, double s) {
    const double app = a[p][p], apq = a[p][q], aqq = a[q][q];
    a[p][p] = app * c * c + 2.0 * apq * s * c + aqq * s * s;
    a[q][q] = app * s * s - 2.0 * apq * s * c + aqq * c * c;
    a[p][q] = a[q][p] = (aqq - app) * s * c + (c * c - s * s) * apq;
    for (int k = 0; k < n; ++k) {
        if (k == p || k == q) continue;
        const double apk = a[p][k], aqk = a[q][k];
        a[k][p] = a[p][k] = apk * c + aqk * s;
        a[k][q] = a[q][k] = -apk * s + aqk * c;
    }
}

void JacobiRotateVectors(Matrix9& v, int n, int p, int q, double c, double s) {
    for (int k = 0; k < n; ++k) {
        const double vp = v[p][k], vq = v[q][k];
        v[p][k] = c * vp + s * vq;
        v[q][k] = -s * vp + c * vq;
    }
}

// The element of largest magnitude, with its sign; the first of equal magnitudes.
double RowMaxAbs(const Matrix9& v, int n, int row) {
    double best = v[row][0];
    for (int k = 1; k < n; ++k)
        if (std::fabs(v[row][k]) > std::fabs(best)) best = v[row][k];
    return best;
}

void DivideRow(Matrix9& v, int n, int row, double divisor) {
    for (int k = 0; k < n; ++k)
        v[row][k] /= divisor;
}

void NormaliseRows(Matrix9& v, int n) {
    for (int i = 0; i < n; ++i)
        DivideRow(v, n, i, RowMaxAbs(v, n, i));
}

} // namespace

void JacobiEigen(int32_t n, const Matrix9& matrix, int32_t maxIterations, uint8_t& result,
                 int32_t& iterations, Matrix9& eigenvectors, Vector9& eigenvalues,
                 double tolerance) {
    Matrix9 a = matrix;
    result = JacobiCheck(n, a, maxIterations, tolerance);
    if (result != jrSuccess) return;
    JacobiInit(eigenvectors, iterations);
    bool converged;
    do {
        ++iterations;
        double diagonal = 0.0;
        for (int i = 0; i < n; ++i)
            diagonal += a[i][i] * a[i][i];
        converged = true;
        for (int p = 0; p < n - 1; ++p)
            for (int q = p + 1; q < n; ++q) {
                if (!(std::fabs(a[p][q]) > tolerance * diagonal)) continue;
                converged = false;
                double c, s;
                JacobiRotation(a[p][p], a[p][q], a[q][q], c, s);
                JacobiRotateMatrix(a, n, p, q, c, s);
                JacobiRotateVectors(eigenvectors, n, p, q, c, s);
            }
    } while (!converged && iterations <= maxIterations);
    for (int i = 0; i < n; ++i)
        eigenvalues[i] = a[i][i];
    NormaliseRows(eigenvectors, n);
    // A last allowed sweep that found nothing to rotate has converged: that is success, not
    // "too many sweeps".
    if (!converged) result = jrTooManySweeps;
}
