// The eigen-solver against the method written out plainly, element by
// element on the upper triangle: every rotation, eigenvalue and eigenvector
// must come out to the same bits, for every order and for matrices full of
// ties (equal magnitudes, zeros, equal diagonals) that exercise the rules of
// the row-maximum table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "jacobi.h"

namespace scf1s {
namespace {

double sign(double x) { return x >= 0.0 ? 1.0 : -1.0; }

JacobiResult plainJacobi(Matrix& A, int n, Matrix& U, double tau) {
  JacobiResult result;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) U(i, j) = i == j ? 1.0 : 0.0;
  double m[kMaxSpheres + 1] = {};
  int q[kMaxSpheres + 1] = {};
  auto rescan = [&](int i) {  // the last column of the largest magnitude
    m[i] = 0.0;
    q[i] = n;
    for (int j = i + 1; j <= n; ++j)
      if (m[i] <= std::fabs(A(i, j))) m[i] = std::fabs(A(i, j)), q[i] = j;
  };
  for (int i = 1; i < n; ++i) rescan(i);
  double theta = 1.0e38;
  for (;;) {
    int p = 1;
    for (int i = 2; i < n; ++i)
      if (m[i] > m[p]) p = i;
    const int r = q[p];
    const double largest = m[p];
    if (largest <= 0.0) return result;
    if (!(theta > 0.0 && largest > theta)) {
      double smallest = std::fabs(A(1, 1));
      for (int k = 2; k <= n; ++k) smallest = std::min(smallest, std::fabs(A(k, k)));
      theta = tau * smallest;
      if (largest <= theta) return result;
    }
    ++result.rotations;
    const double a = A(p, p), b = A(r, r), g = A(p, r), d = a - b;
    const double w = std::fabs(d) + std::sqrt(d * d + 4.0 * (g * g));
    double c = 1.0, s = 0.0;
    if (w != 0.0) {
      const double t = sign(d) * 2.0 * g / w;
      c = 1.0 / std::sqrt(1.0 + t * t);
      s = t * c;
      A(p, p) = (c * c) * (a + t * (2.0 * g + t * b));
      A(r, r) = (c * c) * (b - t * (2.0 * g - t * a));
      A(p, r) = 0.0;
      if (A(p, p) < A(r, r)) {
        std::swap(A(p, p), A(r, r));
        const double oldC = c;
        c = std::fabs(s);
        s = sign(-s) * oldC;
      }
    }
    for (int i = 1; i < n; ++i) {  // rows about to lose their record
      if (i == p || i == r || (q[i] != p && q[i] != r)) continue;
      const int column = q[i];
      const double kept = A(i, column);
      A(i, column) = 0.0;
      rescan(i);
      A(i, column) = kept;
    }
    m[p] = m[r] = 0.0;
    auto store = [&](int row, int column, double value) {
      A(row, column) = value;
      if (std::fabs(value) > m[row]) m[row] = std::fabs(value), q[row] = column;
    };
    for (int i = 1; i <= n; ++i) {
      if (i == p || i == r) continue;
      double& x = i < p ? A(i, p) : A(p, i);
      double& y = i < r ? A(i, r) : A(r, i);
      const double h = x, k = y;
      store(i < p ? i : p, i < p ? p : i, c * h + s * k);
      store(i < r ? i : r, i < r ? r : i, c * k - s * h);
    }
    for (int i = 1; i <= n; ++i) {
      const double h = U(i, p);
      U(i, p) = c * h + s * U(i, r);
      U(i, r) = c * U(i, r) - s * h;
    }
  }
}

// Symmetric test matrices: uniform values, or values from a few multiples of
// one half (many equal magnitudes and zeros), optionally on a constant diagonal.
Matrix testMatrix(int n, unsigned seed, bool coarse, bool flatDiagonal) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::uniform_int_distribution<int> step(-3, 3);
  Matrix A;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      A(i, j) = A(j, i) = coarse ? 0.5 * step(generator) : uniform(generator);
  if (flatDiagonal)
    for (int i = 1; i <= n; ++i) A(i, i) = 2.0;
  return A;
}

// Every order, six matrices of each kind, the same bits as the plain method.
void expectSameBitsAsPlainMethod(JacobiCode code) {
  for (int n = 2; n <= kMaxSpheres; ++n)
    for (unsigned seed = 1; seed <= 6; ++seed)
      for (bool coarse : {false, true})
        for (bool flat : {false, true}) {
          Matrix A = testMatrix(n, seed * 100 + static_cast<unsigned>(n), coarse, flat);
          Matrix B = A;
          Matrix U, V;
          const JacobiResult solved = jacobi(code, A, n, U, 1.0e-12);
          const JacobiResult plain = plainJacobi(B, n, V, 1.0e-12);
          ASSERT_EQ(solved.outcome, JacobiOutcome::Converged);
          ASSERT_EQ(solved.rotations, plain.rotations) << "order " << n << ", seed " << seed;
          for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
              if (j >= i) {
                ASSERT_EQ(A(i, j), B(i, j)) << "A(" << i << "," << j << "), order " << n;
              }
              ASSERT_EQ(U(i, j), V(i, j)) << "U(" << i << "," << j << "), order " << n;
            }
        }
}

TEST(JacobiAgainstPlainMethod, BaselineFormGivesTheSameBits) { expectSameBitsAsPlainMethod(JacobiCode::Baseline); }

TEST(JacobiAgainstPlainMethod, Avx2FormGivesTheSameBits) {
  if (!available(JacobiCode::Avx2)) GTEST_SKIP() << "this processor has no AVX2";
  expectSameBitsAsPlainMethod(JacobiCode::Avx2);
}

TEST(JacobiAgainstPlainMethod, Avx512FormGivesTheSameBits) {
  if (!available(JacobiCode::Avx512)) GTEST_SKIP() << "this processor has no AVX-512";
  expectSameBitsAsPlainMethod(JacobiCode::Avx512);
}

}  // namespace
}  // namespace scf1s
