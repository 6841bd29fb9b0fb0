#include "orbsolve.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "double_pair.h"
#include "jacobi.h"
#include "matrix_printer.h"
#include "report_layouts.h"

// Two symmetric matrices share one square array here: the first in the
// diagonal and upper triangle, the strict upper triangle of the second stored
// transposed below the diagonal, and the diagonal of the second in a scratch
// vector. The eigen-solver touches only the diagonal and upper triangle, so
// the second matrix survives each diagonalisation.

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

// Upper triangle of the energy matrix goes transposed below the diagonal of
// the overlap copy, its diagonal into d.
void packEnergyMatrix(Matrix& overlapWork, Vector& d, const Matrix& energyWork, int n) {
  for (int i = 1; i <= n; ++i) {
    d(i) = energyWork(i, i);
    for (int j = 1; j < i; ++j) overlapWork(i, j) = energyWork(j, i);
  }
}

// The packed energy matrix as a full square, for the failure report.
void printPackedEnergyMatrix(Report& report, const Matrix& overlapWork, const Vector& d, int n) {
  Matrix full;
  for (int i = 1; i <= n; ++i) {
    full(i, i) = d(i);
    for (int j = 1; j < i; ++j) {
      full(i, j) = overlapWork(i, j);
      full(j, i) = overlapWork(i, j);
    }
  }
  printMatrix(report, n, full);
}

// Builds S^-1/2 = U diag(s^-1/2) U^T into the diagonal and upper triangle of
// overlapWork, which holds S there on entry, and gives the smallest
// eigenvalue of S. Returns false, after writing the failure lines and the
// energy matrix, if S has an eigenvalue that is not positive. The
// eigenvectors of S land in energyWork either way.
bool buildSInvHalf(Matrix& overlapWork, Vector& E, Matrix& energyWork, const Vector& d, int n,
                   double tau, double& smallestEigenvalue, Report& report) {
  Matrix& U = energyWork;
  reportTrouble(report, jacobi(overlapWork, n, U, tau));

  smallestEigenvalue = overlapWork(1, 1);
  for (int k = 1; k <= n; ++k) {
    const double s = overlapWork(k, k);
    smallestEigenvalue = std::min(smallestEigenvalue, s);
    if (!(s > 0.0)) {
      report.write(layouts::overlapFailureLine, {k, k, s});
      report.write(layouts::overlapFailureNote);
      printPackedEnergyMatrix(report, overlapWork, d, n);
      return false;
    }
    E(k) = 1.0 / std::sqrt(s);
  }

  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= i; ++j) {
      double sum = 0.0;
      for (int k = 1; k <= n; ++k) sum += U(i, k) * E(k) * U(j, k);
      overlapWork(j, i) = sum;
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

// F' = S^-1/2 F S^-1/2 into the diagonal and upper triangle of energyWork,
// one column at a time through one intermediate column. With X the
// symmetric S^-1/2 and F the symmetric energy matrix unpacked into full
// squares, column j is t(i) = sum over k of F(i,k) X(k,j), then
// F'(i,j) = sum over k of X(i,k) t(k) for i <= j. Every sum starts from 0
// and takes its terms in increasing k, each term the same product as ever;
// the sums for all i are merely carried along together (F(i,k) = F(k,i) and
// X(i,k) = X(k,i) are one stored element each).
void transform(const Matrix& overlapWork, const Vector& d, Matrix& energyWork, int n) {
  Dense X;
  Dense F;
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < n; ++k) {
      const int lo = std::min(i, k) + 1;
      const int hi = std::max(i, k) + 1;
      X.row(i)[k] = overlapWork(lo, hi);
      F.row(i)[k] = i == k ? d(i + 1) : overlapWork(hi, lo);
    }
  }
  for (int j = 0; j < n; ++j) {
    double t[kStride];
    weightedRowSum(F, X.row(j), n, t);  // F(i,k) X(k,j)
    double u[kStride];
    weightedRowSum(X, t, n, u);  // X(i,k) t(k)
    for (int i = 0; i <= j; ++i) energyWork(i + 1, j + 1) = u[i];
  }
}

// C = S^-1/2 U', in place over energyWork, which holds the full symmetric
// S^-1/2: column i (= row i of S^-1/2) becomes the coefficients of sphere i,
// so that afterwards row k holds orbital k. Each r(j) = sum over k of
// S^-1/2(k,i) U'(k,j), from 0 in increasing k; the sums for all j are
// carried along together.
void backTransform(Matrix& energyWork, const Matrix& eigenvectors, int n) {
  Dense U;
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < n; ++j) U.row(k)[j] = eigenvectors(k + 1, j + 1);
  for (int i = 1; i <= n; ++i) {
    double column[kStride];
    for (int k = 0; k < n; ++k) column[k] = energyWork(k + 1, i);
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

  Vector d;
  packEnergyMatrix(overlapWork, d, energyWork, n);

  double smallestEigenvalue = 0.0;
  if (iteration <= 0) {
    if (!buildSInvHalf(overlapWork, E, energyWork, d, n, tau, smallestEigenvalue, report))
      return smallestEigenvalue;
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= i; ++j) {
        storedSInvHalf(j, i) = overlapWork(j, i);
        storedSInvHalf(i, j) = overlapWork(j, i);
      }
    }
    report.write(layouts::sInvHalfTitle);
    printMatrix(report, n, storedSInvHalf);
  } else {
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= i; ++j) overlapWork(j, i) = storedSInvHalf(j, i);
  }

  transform(overlapWork, d, energyWork, n);

  // S^-1/2 moves below the diagonal of energyWork, beside F'.
  for (int i = 1; i <= n; ++i) {
    d(i) = overlapWork(i, i);
    for (int j = 1; j < i; ++j) energyWork(i, j) = overlapWork(j, i);
  }

  Matrix& eigenvectors = overlapWork;
  reportTrouble(report, jacobi(energyWork, n, eigenvectors, tau));

  // Take the eigenvalues and unpack S^-1/2 into the full square.
  for (int k = 1; k <= n; ++k) {
    E(k) = energyWork(k, k);
    energyWork(k, k) = d(k);
  }
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j < i; ++j) energyWork(j, i) = energyWork(i, j);

  backTransform(energyWork, eigenvectors, n);
  sortAscending(E, energyWork, n);

  if (iteration != 0) {
    report.write(layouts::orbsolveEnergyHeader);
    for (int k = 1; k <= n; ++k) report.write(layouts::orbsolveEnergyLine, {k, E(k)});
  }
  return smallestEigenvalue;
}

}  // namespace scf1s
