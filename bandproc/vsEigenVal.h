// All eigenvalues and eigenvectors of a real symmetric matrix of order 1 to 9 by the cyclic
// Jacobi method, on fixed 9 x 9 tables. The principal-components page reads its results from
// PCAEigenvectors and PCAEigenvalues.
#pragma once

#include <array>
#include <cstdint>

using Matrix9 = std::array<std::array<double, 9>, 9>;
using Vector9 = std::array<double, 9>;

// Row i is the eigenvector of eigenvalue i.
extern Matrix9 PCAEigenvectors;
extern Vector9 PCAEigenvalues;

enum JacobiResult : uint8_t {
    jrSuccess = 0,
    jrBadOrder = 1,     // order below 1 (or above 9)
    jrBadTolerance = 2, // tolerance not above 1e-15
    jrBadLimit = 3,     // iteration limit below 1
    jrNotSymmetric = 4, // asymmetric within 1e-15
    jrTooManySweeps = 5 // still off-diagonal entries after the last allowed sweep
};

// Leaves `eigenvectors` and `eigenvalues` untouched when an argument is refused (results 1 to
// 4); with result 5 they hold the last state. Only the leading n x n block of `matrix` is read.
void JacobiEigen(int32_t n, const Matrix9& matrix, int32_t maxIterations, uint8_t& result,
                 int32_t& iterations, Matrix9& eigenvectors, Vector9& eigenvalues,
                 double tolerance);
