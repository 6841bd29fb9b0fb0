#include "orbsolve.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "double_pair.h"
#include "jacobi.h"
#include "matrix_printer.h"
#include "report_layouts.h"

// The energy matrix and S^-1/2 are kept as full symmetric squares of their
// own beside the two work arrays, so each diagonalisation may overwrite its
// array freely. (Packing a second symmetric matrix below the diagonal of the
// array being diagonalised saved memory once; the arithmetic never depended
// on it, and every number comes out as before.)

namespace scf1s {

namespace {

// The eigen-solver gives up only on non-finite elements or a runaway loop;
// the solve then carries on with whatever the arrays hold.
void reportTrouble(Report& report, const JacobiResult& result) {
  switch (result.outcome) {
    case JacobiOutcome::Converged:
      break;
    case JacobiOutcome::NotFinite:
      report.write(layouts::jacobiNotFinite);
      break;
    case JacobiOutcome::RotationCap:
      report.write(layouts::jacobiRotationCap, {static_cast<int>(result.rotations)});
      break;
  }
}

// The symmetric matrix whose diagonal and upper triangle the array holds.
Matrix symmetricFromUpper(const Matrix& m, int n) {
  Matrix full;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      full(i, j) = m(i, j);
      full(j, i) = m(i, j);
    }
  return full;
}

// Builds S^-1/2 = U diag(s^-1/2) U^T into sInvHalf (both triangles) from S in
// the diagonal and upper triangle of overlapWork, and gives the smallest
// eigenvalue of S. Returns false, after writing the failure lines and the
// energy matrix, if S has an eigenvalue that is not positive. The
// eigenvectors of S land in energyWork either way.
bool buildSInvHalf(Matrix& overlapWork, Vector& E, Matrix& energyWork, const Matrix& energy, int n,
                   double tau, double& smallestEigenvalue, Matrix& sInvHalf, Report& report) {
  Matrix& U = energyWork;
  reportTrouble(report, jacobi(overlapWork, n, U, tau));

  smallestEigenvalue = overlapWork(1, 1);
  for (int k = 1; k <= n; ++k) {
    const double s = overlapWork(k, k);
    smallestEigenvalue = std::min(smallestEigenvalue, s);
    if (!(s > 0.0)) {
      report.write(layouts::overlapFailureLine, {k, k, s});
      report.write(layouts::overlapFailureNote);
      printMatrix(report, n, energy);
      return false;
    }
    E(k) = 1.0 / std::sqrt(s);
  }

  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= i; ++j) {
      double sum = 0.0;
      for (int k = 1; k <= n; ++k) sum += U(i, k) * E(k) * U(j, k);
      sInvHalf(j, i) = sum;
      sInvHalf(i, j) = sum;
    }
  }
  return true;
}

// A square of 20 x 20 doubles, row-major, 0-based, zero beyond the order n.
// The sums below run over whole rows of 20, two entries at a time; the
// entries beyond n add exact zeros to sums that are never stored.
struct Dense {
  double v[kStride * kStride] = {};
  double* row(int i) { return v + i * kStride; }
  const double* row(int i) const { return v + i * kStride; }
};

// sums[i] = sum over k = 0 .. n-1 of rows(k,i) * weights[k], for all 20 i:
// each sum starts from 0 and takes its terms in increasing k, as a plain
// loop over k would; the 20 sums are merely carried along side by side.
void weightedRowSum(const Dense& rows, const double* weights, int n, double* sums) {
  DoublePair acc[kStride / 2] = {};
  for (int k = 0; k < n; ++k) {
    const DoublePair w = {weights[k], weights[k]};
    const double* rk = rows.row(k);
#pragma GCC unroll 10
    for (int b = 0; b < kStride / 2; ++b) {
      acc[b] += loadPair(rk + 2 * b) * w;
    }
  }
  std::memcpy(sums, acc, sizeof acc);
}

// S^-1/2 is read from its diagonal and upper triangle, as it was built.
//
// F' = S^-1/2 F S^-1/2 into the diagonal and upper triangle of energyWork,
// one column at a time through one intermediate column: column j is
// t(i) = sum over k of F(i,k) X(k,j), then F'(i,j) = sum over k of
// X(i,k) t(k) for i <= j, with X = S^-1/2. Every sum starts from 0 and takes
// its terms in increasing k, each term the same product as ever; the sums
// for all i are merely carried along together (F and X are symmetric, so
// F(i,k) and X(i,k) are read along rows).
void transform(const Matrix& sInvHalf, const Matrix& energy, Matrix& energyWork, int n) {
  Dense X;
  Dense F;
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < n; ++k) {
      X.row(i)[k] = sInvHalf(std::min(i, k) + 1, std::max(i, k) + 1);
      F.row(i)[k] = energy(i + 1, k + 1);
    }
  for (int j = 0; j < n; ++j) {
    double t[kStride];
    weightedRowSum(F, X.row(j), n, t);  // F(i,k) X(k,j)
    double u[kStride];
    weightedRowSum(X, t, n, u);  // X(i,k) t(k)
    for (int i = 0; i <= j; ++i) energyWork(i + 1, j + 1) = u[i];
  }
}

// C = S^-1/2 U' into energyWork, so that row k holds orbital k: element (j,i)
// is r(j) = sum over k of S^-1/2(k,i) U'(k,j), from 0 in increasing k; the
// sums for all j are carried along together.
void backTransform(const Matrix& sInvHalf, const Matrix& eigenvectors, Matrix& energyWork, int n) {
  Dense U;
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < n; ++j) U.row(k)[j] = eigenvectors(k + 1, j + 1);
  for (int i = 1; i <= n; ++i) {
    double column[kStride];
    for (int k = 0; k < n; ++k) column[k] = sInvHalf(std::min(k + 1, i), std::max(k + 1, i));
    double r[kStride];
    weightedRowSum(U, column, n, r);  // S^-1/2(k,i) U'(k,j)
    for (int j = 1; j <= n; ++j) energyWork(j, i) = r[j - 1];
  }
}

// Lowest energy first, moving the coefficient rows along. Equal energies are
// exchanged too, so a run of them ends in reverse order. The exchanges are
// followed on row numbers, and each row is moved once at the end.
void sortAscending(Vector& E, Matrix& coefficients, int n) {
  int from[kStride];  // from[k]: the row that ends at position k
  for (int k = 0; k < n; ++k) from[k] = k + 1;
  for (int i = 1; i <= n - 1; ++i) {
    for (int j = 1; j <= i; ++j) {
      if (E(j) >= E(i + 1)) {
        std::swap(E(j), E(i + 1));
        std::swap(from[j - 1], from[i]);
      }
    }
  }
  const Matrix unsorted = coefficients;
  for (int k = 1; k <= n; ++k)
    for (int mu = 1; mu <= n; ++mu) coefficients(k, mu) = unsorted(from[k - 1], mu);
}

}  // namespace

double orbsolve(Matrix& overlapWork, Vector& E, Matrix& energyWork, int n, double tau, int iteration,
                Matrix& storedSInvHalf, Report& report) {
  // The arrays hold order 20 at most; the deck reader refuses larger orders,
  // so this only keeps a caller's slip inside the arrays.
  n = std::min(n, kMaxSpheres);

  // One sphere: the energy is the matrix itself and the orbital is the sphere.
  if (n <= 1) {
    E(1) = energyWork(1, 1);
    energyWork(1, 1) = 1.0;
    return 1.0;
  }

  const Matrix energy = symmetricFromUpper(energyWork, n);

  double smallestEigenvalue = 0.0;
  if (iteration <= 0) {
    if (!buildSInvHalf(overlapWork, E, energyWork, energy, n, tau, smallestEigenvalue, storedSInvHalf, report))
      return smallestEigenvalue;
    report.write(layouts::sInvHalfTitle);
    printMatrix(report, n, storedSInvHalf);
  }

  transform(storedSInvHalf, energy, energyWork, n);

  Matrix& eigenvectors = overlapWork;
  reportTrouble(report, jacobi(energyWork, n, eigenvectors, tau));
  for (int k = 1; k <= n; ++k) E(k) = energyWork(k, k);

  backTransform(storedSInvHalf, eigenvectors, energyWork, n);
  sortAscending(E, energyWork, n);

  if (iteration != 0) {
    report.write(layouts::orbsolveEnergyHeader);
    for (int k = 1; k <= n; ++k) report.write(layouts::orbsolveEnergyLine, {k, E(k)});
  }
  return smallestEigenvalue;
}

}  // namespace scf1s
