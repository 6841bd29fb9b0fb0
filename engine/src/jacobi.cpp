#include "jacobi.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scf1s {

namespace {

// Safety cap on rotations. Each rotation removes the largest off-diagonal
// element, so the off-diagonal sum of squares falls at least by the factor
// 1 - 1/190 per rotation at order 20 (190 pairs above the diagonal). Even at
// that worst-case linear rate, shrinking it from the largest double to below
// the smallest subnormal takes fewer than 190 * ln(1e1264) ~ 553,000
// rotations; in practice the quadratic convergence of the method needs a few
// hundred. A solve that gets this far is caught in a loop the stop rule
// cannot end, and is abandoned.
constexpr long kRotationCap = 1'000'000;

// The initial stop threshold, far above any element: the first pass always
// evaluates the threshold from the diagonal.
constexpr double kInitialThreshold = 1.0e38;

// +1 for x >= 0 (zero included), -1 for x < 0.
double sign(double x) { return x >= 0.0 ? 1.0 : -1.0; }

// For every row i < n: the largest |A(i,j)| right of the diagonal as last
// recorded (m) and the column where it stood (q). It may lag above the true
// maximum after a rotation, never below it.
class RowMaxima {
 public:
  double& m(int i) { return m_[static_cast<std::size_t>(i - 1)]; }
  int& q(int i) { return q_[static_cast<std::size_t>(i - 1)]; }

  // Full scan of row i; among equal magnitudes the last column wins, and an
  // all-zero row records 0 in column n.
  void rescan(const Matrix& A, int n, int i) {
    m(i) = 0.0;
    q(i) = n;
    for (int j = i + 1; j <= n; ++j) {
      if (m(i) <= std::fabs(A(i, j))) {
        m(i) = std::fabs(A(i, j));
        q(i) = j;
      }
    }
  }

  // A freshly stored element replaces the record only if strictly larger, so
  // ties keep the earlier record.
  void offer(int row, int column, double value) {
    if (std::fabs(value) > m(row)) {
      m(row) = std::fabs(value);
      q(row) = column;
    }
  }

 private:
  std::array<double, kMaxSpheres> m_{};
  std::array<int, kMaxSpheres> q_{};
};

bool upperTriangleFinite(const Matrix& A, int n) {
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      if (!std::isfinite(A(i, j))) return false;
  return true;
}

double threshold(const Matrix& A, int n, double tau) {
  double smallest = std::fabs(A(1, 1));
  for (int k = 2; k <= n; ++k) smallest = std::min(smallest, std::fabs(A(k, k)));
  return tau * smallest;
}

}  // namespace

JacobiResult jacobi(Matrix& A, int n, Matrix& U, double tau) {
  JacobiResult result;
  // The arrays hold order 20 at most; the deck reader refuses larger orders,
  // so this only keeps a caller's slip inside the arrays.
  n = std::min(n, kMaxSpheres);

  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) U(i, j) = i == j ? 1.0 : 0.0;

  if (!upperTriangleFinite(A, n)) {
    result.outcome = JacobiOutcome::NotFinite;
    return result;
  }
  if (n <= 1) return result;

  RowMaxima rows;
  for (int i = 1; i <= n - 1; ++i) rows.rescan(A, n, i);

  double theta = kInitialThreshold;
  for (;;) {
    // Pivot: the largest recorded row maximum; among equal maxima the lowest row.
    int p = 1;
    double largest = rows.m(1);
    for (int i = 2; i <= n - 1; ++i) {
      if (rows.m(i) > largest) {
        largest = rows.m(i);
        p = i;
      }
    }
    const int r = rows.q(p);

    if (largest <= 0.0) return result;
    // The threshold follows the diagonal only when the pivot has fallen to it.
    if (!(theta > 0.0 && largest > theta)) {
      theta = threshold(A, n, tau);
      if (largest <= theta) return result;
    }

    if (result.rotations >= kRotationCap) {
      result.outcome = JacobiOutcome::RotationCap;
      return result;
    }
    ++result.rotations;

    const double a = A(p, p);
    const double b = A(r, r);
    const double g = A(p, r);
    const double d = a - b;
    const double w = std::fabs(d) + std::sqrt(d * d + 4.0 * (g * g));
    if (!std::isfinite(w)) {
      // The elements are too large for the rotation to be formed.
      result.outcome = JacobiOutcome::NotFinite;
      return result;
    }

    bool finite = true;
    double c = 1.0;
    double s = 0.0;
    // w = 0 only when the pair is degenerate and g*g underflows: the identity
    // rotation then leaves every element as it is, and the pivot merely drops
    // out of the row-maximum table.
    if (w != 0.0) {
      const double t = sign(d) * 2.0 * g / w;
      c = 1.0 / std::sqrt(1.0 + t * t);
      s = t * c;
      const double cc = c * c;
      A(p, p) = cc * (a + t * (2.0 * g + t * b));
      A(r, r) = cc * (b - t * (2.0 * g - t * a));
      A(p, r) = 0.0;
      // Keep the larger value of the pair at the lower index; the exchanged
      // rotation carries its eigenvector into column p.
      if (A(p, p) < A(r, r)) {
        std::swap(A(p, p), A(r, r));
        const double oldC = c;
        c = std::fabs(s);
        s = sign(-s) * oldC;
      }
      finite = std::isfinite(A(p, p)) && std::isfinite(A(r, r));
    }

    // Rows whose record lies in column p or r are about to lose it: rescan
    // them without that element (the other of the two columns still holds
    // its value from before the rotation).
    for (int i = 1; i <= n - 1; ++i) {
      if (i == p || i == r) continue;
      const int K = rows.q(i);
      if (K != p && K != r) continue;
      const double kept = A(i, K);
      A(i, K) = 0.0;
      rows.rescan(A, n, i);
      A(i, K) = kept;
    }
    rows.m(p) = 0.0;
    rows.m(r) = 0.0;

    // Rotate rows and columns p and r, touching only the upper triangle.
    auto store = [&](int row, int column, double value) {
      A(row, column) = value;
      finite = finite && std::isfinite(value);
      rows.offer(row, column, value);
    };
    for (int i = 1; i <= n; ++i) {
      if (i == p || i == r) continue;
      if (i < p) {
        const double h = A(i, p);
        store(i, p, c * h + s * A(i, r));
        store(i, r, c * A(i, r) - s * h);
      } else if (i < r) {
        const double h = A(p, i);
        store(p, i, c * h + s * A(i, r));
        store(i, r, c * A(i, r) - s * h);
      } else {
        const double h = A(p, i);
        store(p, i, c * h + s * A(r, i));
        store(r, i, c * A(r, i) - s * h);
      }
    }

    for (int i = 1; i <= n; ++i) {
      const double h = U(i, p);
      U(i, p) = c * h + s * U(i, r);
      U(i, r) = c * U(i, r) - s * h;
    }

    if (!finite) {
      result.outcome = JacobiOutcome::NotFinite;
      return result;
    }
  }
}

}  // namespace scf1s
