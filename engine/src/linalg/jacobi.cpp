#include "jacobi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

#include "double_pair.h"

namespace scf1s {

namespace {

// One plane rotation of two rows of 20 entries: x' = c x + s y, y' = c y - s x,
// entry by entry. With kWatch, returns false when a new entry is not finite.
template <bool kWatch>
bool rotatePair(double* x, double* y, double c, double s) {
  const DoublePair cc = {c, c};
  const DoublePair ss = {s, s};
  DoublePair probe = {0.0, 0.0};  // x - x is 0 for every finite x, NaN otherwise
  for (int i = 0; i < kMaxSpheres; i += 2) {
    const DoublePair h = loadPair(x + i);
    const DoublePair yi = loadPair(y + i);
    const DoublePair nx = cc * h + ss * yi;
    const DoublePair ny = cc * yi - ss * h;
    storePair(x + i, nx);
    storePair(y + i, ny);
    if constexpr (kWatch) probe += (nx - nx) + (ny - ny);
  }
  return probe[0] == 0.0 && probe[1] == 0.0;
}

// |x| entry by entry: the sign bits cleared.
DoublePair absoluteValues(DoublePair x) {
  using Bits = long long __attribute__((vector_size(16)));
  const Bits noSign = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  return reinterpret_cast<DoublePair>(reinterpret_cast<Bits>(x) & noSign);
}

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

// The larger of each two entries (no NaN reaches it: the matrix is finite).
DoublePair maxPair(DoublePair x, DoublePair y) { return x > y ? x : y; }

// +1 for x >= 0 (zero included), -1 for x < 0.
double sign(double x) { return x >= 0.0 ? 1.0 : -1.0; }

// A plane rotation x' = c x + s y, y' = c y - s x of rows and columns p and r.
struct Rotation {
  double c = 1.0;
  double s = 0.0;
  bool finiteDiagonal = true;  // the two new diagonal values are finite
};

// The solve works on private copies laid out for its access pattern: the
// matrix as a full symmetric square W, so that the elements of rows and
// columns p and r of a rotation lie along rows p and r, and U transposed, so
// that columns p and r of U are rows too. Both are whole 20 x 20 arrays:
// every rotation runs over all 20 entries of its two rows, those beyond the
// order n being zeros that stay harmless, which lets the compiler work on
// several entries at once. The arithmetic of every element is exactly that of
// the rotation formulas, element by element, so the results are unchanged;
// the caller's A (diagonal and upper triangle only) and U are written back
// when the solve ends.
class Workspace {
 public:
  Workspace(const Matrix& A, int n) : n_(n) {
    for (int i = 0; i < kStride * kStride; ++i) {
      w_[i] = 0.0;
      ut_[i] = 0.0;
    }
    for (int i = 0; i < n; ++i) {
      ut_[i * kStride + i] = 1.0;
      for (int j = i; j < n; ++j) {
        const double x = A.v[static_cast<std::size_t>(i * kStride + j)];
        w_[i * kStride + j] = x;
        w_[j * kStride + i] = x;
      }
    }
    for (int i = 0; i < n - 1; ++i) rescan(i);
  }

  // Hands the diagonal and upper triangle of W and the transpose of U back.
  void finish(Matrix& A, Matrix& U) const {
    for (int i = 0; i < n_; ++i)
      for (int j = i; j < n_; ++j) A.v[static_cast<std::size_t>(i * kStride + j)] = w_[i * kStride + j];
    for (int i = 0; i < n_; ++i)
      for (int k = 0; k < n_; ++k) U.v[static_cast<std::size_t>(i * kStride + k)] = ut_[k * kStride + i];
  }

  // Pivot search: the row with the largest recorded maximum, the lowest row
  // among equal maxima (the records are never NaN: the matrix is finite
  // while this runs). Its value and its column are largest(p) and column(p).
  //
  // The records of rows n-1 and beyond are 0 and the others at least 0, so
  // all 20 take part; the maximum is taken pairwise in two independent
  // chains (the maximum does not depend on the order of comparison), which
  // keeps this step short on the path from one rotation to the next.
  int pivotRow() const {
    DoublePair a = loadPair(m_), b = loadPair(m_ + 2);
    for (int i = 4; i < kStride; i += 4) {
      a = maxPair(a, loadPair(m_ + i));
      b = maxPair(b, loadPair(m_ + i + 2));
    }
    a = maxPair(a, b);
    const double largest = std::max(a[0], a[1]);
    int p = 0;
    while (m_[p] != largest) ++p;
    return p;
  }
  double largest(int p) const { return m_[p]; }
  int column(int p) const { return q_[p]; }

  // tau times the smallest magnitude on the diagonal.
  double thresholdFromDiagonal(double tau) const {
    double smallest = std::fabs(w_[0]);
    for (int k = 1; k < n_; ++k) smallest = std::min(smallest, std::fabs(w_[k * kStride + k]));
    return tau * smallest;
  }

  // The rotation that removes W(p,r), with the new diagonal pair stored (the
  // larger value at p) and the pivot set to 0. Empty when the elements are
  // too large for the rotation to be formed.
  std::optional<Rotation> formRotation(int p, int r) {
    double* const wp = row(p);
    double* const wr = row(r);
    const double a = wp[p];
    const double b = wr[r];
    const double g = wp[r];
    const double d = a - b;
    const double wsum = std::fabs(d) + std::sqrt(d * d + 4.0 * (g * g));
    if (!std::isfinite(wsum)) return std::nullopt;

    Rotation rot;
    // wsum = 0 only when the pair is degenerate and g*g underflows: the
    // identity rotation then leaves every element as it is, and the pivot
    // merely drops out of the row-maximum table.
    if (wsum == 0.0) return rot;
    const double t = sign(d) * 2.0 * g / wsum;
    rot.c = 1.0 / std::sqrt(1.0 + t * t);
    rot.s = t * rot.c;
    const double cc = rot.c * rot.c;
    double app = cc * (a + t * (2.0 * g + t * b));
    double arr = cc * (b - t * (2.0 * g - t * a));
    // Keep the larger value of the pair at the lower index; the exchanged
    // rotation carries its eigenvector into column p.
    if (app < arr) {
      std::swap(app, arr);
      const double oldC = rot.c;
      rot.c = std::fabs(rot.s);
      rot.s = sign(-rot.s) * oldC;
    }
    wp[p] = app;
    wr[r] = arr;
    wp[r] = 0.0;
    wr[p] = 0.0;
    rot.finiteDiagonal = std::isfinite(app) && std::isfinite(arr);
    return rot;
  }

  // Row-maximum repair before the rotation: rows whose record lies in column
  // p or r are about to lose it, so they are rescanned without that element
  // (the other of the two columns still holds its value from before the
  // rotation). A record always lies right of the diagonal, so only rows
  // above r can hold one; row p is passed over, its record marked for the
  // moment, and rows p and r are recorded afresh by rotateAndRecord.
  void repairRecordsInColumns(int p, int r) {
    q_[p] = -1;
    int stale[kStride];
    int staleCount = 0;
    for (int i = 0; i < r; ++i) {
      stale[staleCount] = i;
      staleCount += (q_[i] == p) | (q_[i] == r);
    }
    for (int k = 0; k < staleCount; ++k) {
      const int i = stale[k];
      double& element = w_[i * kStride + q_[i]];
      const double kept = element;
      element = 0.0;
      rescan(i);
      element = kept;
    }
  }

  // Rotates rows p and r (which are also columns p and r), mirrors the new
  // rows into the columns and offers each new element of the upper triangle
  // to the record of the row it lies in, in the order of increasing i. The
  // records of rows p and r start again from 0 (their columns stay as they
  // were until a larger element comes); oldColumnP and oldColumnR are the
  // columns they held before the repair. Returns false when a new element is
  // not finite.
  bool rotateAndRecord(int p, int r, const Rotation& rot, int oldColumnP, int oldColumnR) {
    double* const wp = row(p);
    double* const wr = row(r);
    // The entries where the two rows cross are kept out of it.
    const double wpp = wp[p], wpr = wp[r], wrp = wr[p], wrr = wr[r];
    const bool finite = rotatePair<true>(wp, wr, rot.c, rot.s);
    wp[p] = wpp;
    wp[r] = wpr;
    wr[p] = wrp;
    wr[r] = wrr;

    auto mirror = [&](int i, double& ap, double& ar) {
      const double xp = wp[i];
      const double xr = wr[i];
      w_[i * kStride + p] = xp;
      w_[i * kStride + r] = xr;
      ap = std::fabs(xp);
      ar = std::fabs(xr);
    };
    for (int i = 0; i < p; ++i) {  // A(i,p) and A(i,r) in row i
      double ap, ar;
      mirror(i, ap, ar);
      offer(i, p, ap);
      offer(i, r, ar);
    }
    double mp = 0.0;
    int qp = oldColumnP;
    for (int i = p + 1; i < r; ++i) {  // A(p,i) in row p, A(i,r) in row i
      double ap, ar;
      mirror(i, ap, ar);
      const bool take = ap > mp;
      mp = take ? ap : mp;
      qp = take ? i : qp;
      offer(i, r, ar);
    }
    double mr = 0.0;
    int qr = oldColumnR;
    for (int i = r + 1; i < n_; ++i) {  // A(p,i) in row p, A(r,i) in row r
      double ap, ar;
      mirror(i, ap, ar);
      const bool takeP = ap > mp;
      mp = takeP ? ap : mp;
      qp = takeP ? i : qp;
      const bool takeR = ar > mr;
      mr = takeR ? ar : mr;
      qr = takeR ? i : qr;
    }
    m_[p] = mp;
    q_[p] = qp;
    m_[r] = mr;
    q_[r] = qr;
    return finite;
  }

  // Columns p and r of U (rows of its transpose). Only the elements of A are
  // watched for overflow; the columns of U are unit vectors.
  void rotateEigenvectors(int p, int r, const Rotation& rot) {
    rotatePair<false>(ut_ + p * kStride, ut_ + r * kStride, rot.c, rot.s);
  }

 private:
  double* row(int i) { return w_ + i * kStride; }

  // Full scan of row i; among equal magnitudes the last column wins, and an
  // all-zero row records 0 in column n. (Recording on every element at
  // least as large as the record so far ends on the last column that holds
  // the maximum: found here as the maximum first, then its last column.)
  // Entries beyond the order are zeros and leave the maximum alone.
  void rescan(int i) {
    const double* a = w_ + i * kStride;
    int j = i + 1;
    double first = 0.0;
    if (j % 2 == 1 && j < n_) first = std::fabs(a[j++]);
    // Two independent chains of pairwise maxima, as in the pivot search.
    DoublePair even = {first, first}, odd = {0.0, 0.0};
    for (; j + 2 < kStride; j += 4) {
      even = maxPair(even, absoluteValues(loadPair(a + j)));
      odd = maxPair(odd, absoluteValues(loadPair(a + j + 2)));
    }
    if (j < kStride) even = maxPair(even, absoluteValues(loadPair(a + j)));
    even = maxPair(even, odd);
    const double best = std::max(even[0], even[1]);
    int column = n_ - 1;
    while (std::fabs(a[column]) != best) --column;
    m_[i] = best;
    q_[i] = column;
  }

  // A freshly stored element replaces the record only if strictly larger, so
  // ties keep the earlier record.
  void offer(int i, int column, double magnitude) {
    const bool take = magnitude > m_[i];
    m_[i] = take ? magnitude : m_[i];
    q_[i] = take ? column : q_[i];
  }

  int n_;
  alignas(16) double w_[kStride * kStride];
  alignas(16) double ut_[kStride * kStride];
  // For every row i < n: the largest |A(i,j)| right of the diagonal as last
  // recorded (m) and the column where it stood (q). It may lag above the true
  // maximum after a rotation, never below it.
  double m_[kStride] = {};
  int q_[kStride] = {};
};

bool upperTriangleFinite(const Matrix& A, int n) {
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      if (!std::isfinite(A(i, j))) return false;
  return true;
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
    ws.repairRecordsInColumns(p, r);
    const bool finite = ws.rotateAndRecord(p, r, *rot, oldColumnP, oldColumnR) && rot->finiteDiagonal;
    ws.rotateEigenvectors(p, r, *rot);
    if (!finite) {
      result.outcome = JacobiOutcome::NotFinite;
      break;
    }
  }
  ws.finish(A, U);
  return result;
}

}  // namespace scf1s
