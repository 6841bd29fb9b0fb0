#pragma once

// What every compiled form of the Jacobi solve shares: the stop and safety
// constants and the formation of one plane rotation. The functions have
// internal linkage on purpose: each form's file compiles its own copy for its
// own instruction set, so no copy built for wider vectors can be linked into
// another form.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <optional>
#include <utility>

#include "jacobi.h"

namespace scf1s::jacobi_rotation {

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
[[gnu::always_inline]] static inline double sign(double x) { return x >= 0.0 ? 1.0 : -1.0; }

// A plane rotation x' = c x + s y, y' = c y - s x of rows and columns p and r,
// with the new diagonal pair (app at p, arr at r) when it is formed.
struct Rotation {
  double c = 1.0;
  double s = 0.0;
  double app = 0.0;
  double arr = 0.0;
  bool formed = false;         // false: the identity; the diagonal pair stays as it is
  bool finiteDiagonal = true;  // the two new diagonal values are finite
};

// The rotation that removes the pivot g between the diagonal values a (row
// p) and b (row r), p < r: the larger new diagonal value goes to p, and the
// exchanged rotation carries its eigenvector into column p. Empty when the
// elements are too large for the rotation to be formed. The identity when
// the pair is degenerate and g*g underflows.
[[gnu::always_inline]] static inline std::optional<Rotation> planeRotation(double a, double b, double g) {
  const double d = a - b;
  const double wsum = std::fabs(d) + std::sqrt(d * d + 4.0 * (g * g));
  if (!std::isfinite(wsum)) return std::nullopt;
  Rotation rot;
  if (wsum == 0.0) return rot;
  const double t = sign(d) * 2.0 * g / wsum;
  rot.c = 1.0 / std::sqrt(1.0 + t * t);
  rot.s = t * rot.c;
  const double cc = rot.c * rot.c;
  rot.app = cc * (a + t * (2.0 * g + t * b));
  rot.arr = cc * (b - t * (2.0 * g - t * a));
  if (rot.app < rot.arr) {
    std::swap(rot.app, rot.arr);
    const double oldC = rot.c;
    rot.c = std::fabs(rot.s);
    rot.s = sign(-rot.s) * oldC;
  }
  rot.formed = true;
  rot.finiteDiagonal = std::isfinite(rot.app) && std::isfinite(rot.arr);
  return rot;
}

// The private copies every form works on, rows of Row doubles (the order's
// entries, then zeros): the matrix of A's diagonal and upper triangle as a
// full symmetric square w, and the identity as U transposed (ut).
template <int Row>
[[gnu::always_inline]] static inline void copyIn(const Matrix& A, int n, double (&w)[Row * Row], double (&ut)[Row * Row]) {
  std::fill(std::begin(w), std::end(w), 0.0);
  std::fill(std::begin(ut), std::end(ut), 0.0);
  for (int i = 0; i < n; ++i) {
    ut[i * Row + i] = 1.0;
    for (int j = i; j < n; ++j) {
      const double x = A.v[static_cast<std::size_t>(i * kStride + j)];
      w[i * Row + j] = x;
      w[j * Row + i] = x;
    }
  }
}

// Hands the diagonal and upper triangle of w and the transpose of ut back.
template <int Row>
[[gnu::always_inline]] static inline void copyOut(const double (&w)[Row * Row], const double (&ut)[Row * Row], int n,
                                                  Matrix& A, Matrix& U) {
  for (int i = 0; i < n; ++i)
    for (int j = i; j < n; ++j) A.v[static_cast<std::size_t>(i * kStride + j)] = w[i * Row + j];
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < n; ++k) U.v[static_cast<std::size_t>(i * kStride + k)] = ut[k * Row + i];
}

// tau times the smallest magnitude on the diagonal of w (rows of Row doubles).
template <int Row>
[[gnu::always_inline]] static inline double thresholdFromDiagonal(const double (&w)[Row * Row], int n, double tau) {
  double smallest = std::fabs(w[0]);
  for (int k = 1; k < n; ++k) smallest = std::min(smallest, std::fabs(w[k * Row + k]));
  return tau * smallest;
}

[[gnu::always_inline]] static inline bool upperTriangleFinite(const Matrix& A, int n) {
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      if (!std::isfinite(A(i, j))) return false;
  return true;
}

// The solve, the same in every form: the largest recorded element is the
// pivot; the rotation that removes it is formed; the row records that lose
// their element are repaired and rows and columns p and r rotated (one step
// of the Workspace, rotate). The
// Workspace holds the form's copies of the matrix, of U and of the
// row-maximum table, and does each step in its own vectors.
template <class Workspace>
[[gnu::always_inline]] static inline JacobiResult solveWith(Matrix& A, int n, Matrix& U, double tau) {
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

  Workspace ws(A, n);
  double theta = kInitialThreshold;
  for (;;) {
    const int p = ws.pivotRow();
    const double largest = ws.largest(p);
    const int r = ws.column(p);
    if (largest <= 0.0) break;
    // The threshold follows the diagonal only when the pivot has fallen to it.
    if (!(theta > 0.0 && largest > theta)) {
      theta = ws.thresholdFromDiagonal(tau);
      if (largest <= theta) break;
    }
    if (result.rotations >= kRotationCap) {
      result.outcome = JacobiOutcome::RotationCap;
      break;
    }
    ++result.rotations;

    const std::optional<Rotation> rot = ws.formRotation(p, r);
    if (!rot) {
      result.outcome = JacobiOutcome::NotFinite;
      break;
    }
    const int oldColumnP = ws.column(p);
    const int oldColumnR = ws.column(r);
    const bool finite = ws.rotate(p, r, *rot, oldColumnP, oldColumnR) && rot->finiteDiagonal;
    if (!finite) {
      result.outcome = JacobiOutcome::NotFinite;
      break;
    }
  }
  ws.finish(A, U);
  return result;
}

}  // namespace scf1s::jacobi_rotation
