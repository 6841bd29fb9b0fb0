#include "jacobi.h"

#include "jacobi_forms.h"
#include "jacobi_rotation.h"
#include "processor_features.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <optional>
#include <utility>

// The vector helpers below take and return vectors of four doubles; they are
// always inlined into the solve, so no vector ever crosses a call and the
// calling convention for such vectors (which differs with and without AVX)
// does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace scf1s {

namespace {

// Every step of the solve is inlined into the two compiled forms of the solve
// at the end (baseline and AVX2), so that each runs in its own vectors.
#define JACOBI_STEP [[gnu::always_inline]] inline

// N doubles processed together (two in the baseline form, four with AVX2).
// The operations act entry by entry, each rounded exactly as the same
// operation on single doubles, so a loop over vectors gives the bits of the
// plain loop. Comparing two vectors gives a Mask: all ones in the entries
// where the comparison holds, else zero.
template <int N>
struct VectorTypes;
template <>
struct VectorTypes<2> {
  using Values = double __attribute__((vector_size(16)));
  using Mask = long long __attribute__((vector_size(16)));
};
template <>
struct VectorTypes<4> {
  using Values = double __attribute__((vector_size(32)));
  using Mask = long long __attribute__((vector_size(32)));
};

template <int N>
struct Lanes {
  using Values = typename VectorTypes<N>::Values;
  using Mask = typename VectorTypes<N>::Mask;
  static_assert(kStride % N == 0, "a row is a whole number of vectors");

  JACOBI_STEP static Values load(const double* at) {
    Values v;
    std::memcpy(&v, at, sizeof v);
    return v;
  }
  // The same, read one double at a time: a double stored on its own a moment
  // ago is then passed on from the store at once, where a wide read would
  // wait for it to reach the cache.
  JACOBI_STEP static Values loadEach(const double* at) {
    const volatile double* from = at;
    Values v;
    for (int j = 0; j < N; ++j) v[j] = from[j];
    return v;
  }
  JACOBI_STEP static void store(double* at, Values v) { std::memcpy(at, &v, sizeof v); }
  JACOBI_STEP static Values splat(double x) {
    Values v;
    for (int j = 0; j < N; ++j) v[j] = x;
    return v;
  }
  // |x| entry by entry: the sign bits cleared.
  JACOBI_STEP static Values magnitudes(Values x) {
    Mask noSign;
    for (int j = 0; j < N; ++j) noSign[j] = 0x7fffffffffffffffLL;
    return reinterpret_cast<Values>(reinterpret_cast<Mask>(x) & noSign);
  }
  // The larger of each two entries (no NaN reaches it).
  JACOBI_STEP static Values larger(Values x, Values y) { return x > y ? x : y; }
  JACOBI_STEP static double largestEntry(Values x) {
    double largest = x[0];
    for (int j = 1; j < N; ++j) largest = std::max(largest, x[j]);
    return largest;
  }
  // One bit per entry of the mask, entry j at bit j.
  JACOBI_STEP static unsigned bits(Mask mask) {
#if defined(__SSE2__)
    if constexpr (N == 2) {
      return static_cast<unsigned>(__builtin_ia32_movmskpd(reinterpret_cast<Values>(mask)));
    } else {
      // Inlined into the AVX2 form only, where the whole mask is one
      // register (the builtin for it is not declared outside that form).
      unsigned result;
      asm("vmovmskpd %1, %0" : "=r"(result) : "x"(reinterpret_cast<Values>(mask)));
      return result;
    }
#else
    unsigned result = 0;
    for (int j = 0; j < N; ++j) result |= static_cast<unsigned>(mask[j] & 1) << j;
    return result;
#endif
  }
};

// The numbers 0, 1, ..., 19 of rows and columns, to be read as vectors.
alignas(32) constexpr double kIndices[kStride] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                  10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

using jacobi_rotation::Rotation;

// The solve works on private copies laid out for its access pattern: the
// matrix as a full symmetric square W, so that the elements of rows and
// columns p and r of a rotation lie along rows p and r, and U transposed, so
// that columns p and r of U are rows too. Both are whole 20 x 20 arrays:
// every step runs over all 20 entries of a row, a vector at a time, those beyond
// the order n being zeros that stay harmless. The arithmetic of every
// element is exactly that of the rotation formulas, element by element, so
// the results are unchanged; the caller's A (diagonal and upper triangle
// only) and U are written back when the solve ends.
//
// Beside them, the row-maximum table: for every row i < n the largest
// |A(i,j)| right of the diagonal as last recorded (m) and the column where
// it stood (q). It may lag above the true maximum after a rotation, never
// below it. The columns are kept as doubles, so that they travel in the same
// lanes as the magnitudes.
template <int N>
class Workspace {
  using L = Lanes<N>;
  using Values = typename L::Values;
  using Mask = typename L::Mask;

 public:
  JACOBI_STEP Workspace(const Matrix& A, int n) : n_(n) {
    jacobi_rotation::copyIn<kStride>(A, n, w_, ut_);
    for (int i = 0; i < n - 1; ++i) rescan(i);
    nextPivot_ = searchPivot();
  }

  // Hands the diagonal and upper triangle of W and the transpose of U back.
  JACOBI_STEP void finish(Matrix& A, Matrix& U) const { jacobi_rotation::copyOut<kStride>(w_, ut_, n_, A, U); }

  // The row with the largest recorded maximum, the lowest row among equal
  // maxima (searched at the end of the previous step).
  JACOBI_STEP int pivotRow() const { return nextPivot_; }
  JACOBI_STEP double largest(int p) const { return m_[p]; }
  JACOBI_STEP int column(int p) const { return static_cast<int>(q_[p]); }

  JACOBI_STEP double thresholdFromDiagonal(double tau) const {
    return jacobi_rotation::thresholdFromDiagonal<kStride>(w_, n_, tau);
  }

  // The rotation that removes W(p,r), with the new diagonal pair stored (the
  // larger value at p) and the pivot set to 0. Empty when the elements are
  // too large for the rotation to be formed.
  JACOBI_STEP std::optional<Rotation> formRotation(int p, int r) {
    double* const wp = row(p);
    double* const wr = row(r);
    const std::optional<Rotation> rot = jacobi_rotation::planeRotation(wp[p], wr[r], wp[r]);
    if (rot && rot->formed) {
      wp[p] = rot->app;
      wr[r] = rot->arr;
      wp[r] = 0.0;
      wr[p] = 0.0;
    }
    return rot;
  }

  // Row-maximum repair before the rotation: rows whose record lies in column
  // p or r are about to lose it, so they are rescanned without that element
  // (the other of the two columns still holds its value from before the
  // rotation). A record always lies right of the diagonal, so only rows
  // above r can hold one; row p is passed over, its record marked for the
  // moment, and rows p and r are recorded afresh by rotate.
  JACOBI_STEP void repairRecordsInColumns(int p, int r) {
    setRecord(p, m_[p], -1.0);
    unsigned stale = 0;
    for (int k = 0; k < kStride; k += N) {
      const Values q = L::load(q_ + k);
      stale |= L::bits(((q == L::splat(p)) | (q == L::splat(r))) & (L::load(kIndices + k) < L::splat(r))) << k;
    }
    for (; stale != 0; stale &= stale - 1) {
      const int i = std::countr_zero(stale);
      double& element = w_[i * kStride + column(i)];
      const double kept = element;
      element = 0.0;
      rescan(i);
      element = kept;
    }
  }

  // Repairs the records that lose their element, then rotates rows p and r
  // of W (which are also columns p and r) and of the transpose of U, and
  // offers each new element of the upper triangle to the record of the row
  // it lies in: A(i,p) before A(i,r) for rows i above p, A(i,r) for rows
  // between p and r. The records of rows p and r start again from 0, keeping
  // their columns (oldColumnP, oldColumnR: those from before the repair)
  // until a larger element comes; of equal elements the first is recorded.
  // The next pivot is searched once the records are complete. Returns false
  // when a new element of W is not finite (the columns of U are unit
  // vectors and are not watched).
  JACOBI_STEP bool rotate(int p, int r, const Rotation& rot, int oldColumnP, int oldColumnR) {
    repairRecordsInColumns(p, r);
    double* const wp = row(p);
    double* const wr = row(r);
    double* const up = ut_ + p * kStride;
    double* const ur = ut_ + r * kStride;
    // The four entries where the two rows cross (the new diagonal pair and
    // the zeroed pivot) are set back after the rows are stored and mirrored.
    // Their lanes are left out of the records and of the watch
    // (formRotation watches the diagonal pair).
    const double wpp = wp[p], wpr = wp[r], wrp = wr[p], wrr = wr[r];
    const Values c = L::splat(rot.c), s = L::splat(rot.s), rowP = L::splat(p), rowR = L::splat(r);
    Values probe = L::splat(0.0);  // x - x is 0 for every finite x, NaN otherwise
    Values rowPart[kStride / N], rowRPart[kStride / N];
    // First what the next pivot search waits for: the new rows, the records
    // they change, and the search itself. The rows' stores, their mirroring
    // into the columns and U come after it in the program, so the processor
    // takes them up while the next rotation is being formed.
    Values newP[kStride / N], newR[kStride / N];
    for (int k = 0; k < kStride; k += N) {
      const Values index = L::load(kIndices + k);
      const Values x = L::load(wp + k);
      const Values y = L::load(wr + k);
      const Values nx = c * x + s * y;
      const Values ny = c * y - s * x;
      newP[k / N] = nx;
      newR[k / N] = ny;
      const Mask crossing = (index == rowP) | (index == rowR);
      probe += crossing ? L::splat(0.0) : (nx - nx) + (ny - ny);
      const Values ap = L::magnitudes(nx);
      const Values ar = L::magnitudes(ny);

      Values m = L::load(m_ + k);
      Values q = L::load(q_ + k);
      const Mask takeP = (ap > m) & (index < rowP);
      m = takeP ? ap : m;
      q = takeP ? rowP : q;
      const Mask takeR = (ar > m) & (index < rowR) & (index != rowP);
      m = takeR ? ar : m;
      q = takeR ? rowR : q;
      L::store(m_ + k, m);
      L::store(q_ + k, q);

      rowPart[k / N] = (index > rowP) & (index != rowR) ? ap : L::splat(0.0);
      rowRPart[k / N] = index > rowR ? ar : L::splat(0.0);
    }
    recordAfresh(p, rowPart, oldColumnP);
    recordAfresh(r, rowRPart, oldColumnR);
    nextPivot_ = searchPivot();

    for (int k = 0; k < kStride; k += N) {
      L::store(wp + k, newP[k / N]);
      L::store(wr + k, newR[k / N]);
      for (int j = 0; j < N; ++j) {  // the new rows into columns p and r
        w_[(k + j) * kStride + p] = newP[k / N][j];
        w_[(k + j) * kStride + r] = newR[k / N][j];
      }
    }
    wp[p] = wpp;
    wp[r] = wpr;
    wr[p] = wrp;
    wr[r] = wrr;
    for (int k = 0; k < kStride; k += N) {  // columns p and r of U
      const Values u = L::load(up + k);
      const Values v = L::load(ur + k);
      L::store(up + k, c * u + s * v);
      L::store(ur + k, c * v - s * u);
    }
    bool finite = true;
    for (int j = 0; j < N; ++j) finite = finite && probe[j] == 0.0;
    return finite;
  }

 private:
  JACOBI_STEP double* row(int i) { return w_ + i * kStride; }

  // Pivot search: the row with the largest recorded maximum, the lowest row
  // among equal maxima. The records of rows n-1 and beyond are 0 and the
  // others at least 0, so all 20 take part.
  JACOBI_STEP int searchPivot() const {
    Values part[kStride / N];
    for (int k = 0; k < kStride; k += N) part[k / N] = L::load(m_ + k);
    double largest;
    return firstLargest(part, largest);
  }

  // Full scan of row i; among equal magnitudes the last column wins, and an
  // all-zero row records 0 in column n. Each lane keeps the largest
  // magnitude it has seen and the last column holding it; entries on and
  // left of the diagonal take part as -1, below every magnitude.
  JACOBI_STEP void rescan(int i) {
    const double* a = w_ + i * kStride;
    const Values diagonal = L::splat(i);
    Values best = L::splat(-1.0), where = L::splat(0.0);
    for (int k = (i + 1) / N * N; k < kStride; k += N) {
      const Values index = L::load(kIndices + k);
      const Values x = index > diagonal ? L::magnitudes(L::loadEach(a + k)) : L::splat(-1.0);
      const Mask take = x >= best;
      best = take ? x : best;
      where = take ? index : where;
    }
    const double largest = L::largestEntry(best);
    setRecord(i, largest, largest == 0.0 ? n_ - 1 : L::largestEntry(best == L::splat(largest) ? where : L::splat(-1.0)));
  }

  // Writes the record of row i as a whole vector, as the table is read (a wide read of
  // entries stored one by one would wait for them to reach the cache).
  JACOBI_STEP void setRecord(int i, double largest, double column) {
    const int k = i / N * N;
    const Mask lane = L::load(kIndices + k) == L::splat(i);
    L::store(m_ + k, lane ? L::splat(largest) : L::load(m_ + k));
    L::store(q_ + k, lane ? L::splat(column) : L::load(q_ + k));
  }

  // The record of row p or r after its rotation: the first largest
  // |A(i,j)| right of the diagonal, column r left out (the pivot, now 0);
  // if none is above 0, the record is 0 and keeps its old column.
  JACOBI_STEP void recordAfresh(int i, const Values* part, int oldColumn) {
    double largest;
    const int column = firstLargest(part, largest);
    setRecord(i, largest, largest > 0.0 ? column : oldColumn);
  }

  // The largest entry of a row given as vectors, and the first column that
  // holds it. The maximum is taken in two independent chains, to keep this
  // step short.
  JACOBI_STEP static int firstLargest(const Values* part, double& largest) {
    Values a = part[0], b = part[1];
    for (int k = 2; k < kStride / N; k += 2) {
      a = L::larger(a, part[k]);
      if (k + 1 < kStride / N) b = L::larger(b, part[k + 1]);
    }
    largest = L::largestEntry(L::larger(a, b));
    unsigned holders = 0;
    for (int k = 0; k < kStride; k += N) holders |= L::bits(part[k / N] == L::splat(largest)) << k;
    return std::countr_zero(holders);
  }

  int n_;
  int nextPivot_ = 0;
  alignas(32) double w_[kStride * kStride];
  alignas(32) double ut_[kStride * kStride];
  alignas(32) double m_[kStride] = {};
  alignas(32) double q_[kStride] = {};
};

template <int N>
JACOBI_STEP JacobiResult solve(Matrix& A, int n, Matrix& U, double tau) {
  return jacobi_rotation::solveWith<Workspace<N>>(A, n, U, tau);
}

// The two compiled forms of the solve.
JacobiResult solveBaseline(Matrix& A, int n, Matrix& U, double tau) { return solve<2>(A, n, U, tau); }

#if defined(__x86_64__) || defined(__i386__)
#define JACOBI_HAS_AVX2_FORM 1
__attribute__((target("avx2"))) JacobiResult solveAvx2(Matrix& A, int n, Matrix& U, double tau) {
  return solve<4>(A, n, U, tau);
}
#endif

}  // namespace

bool available(JacobiCode code) {
#if defined(JACOBI_HAS_AVX2_FORM)
  if (code == JacobiCode::Avx2) return SCF1S_PROCESSOR_HAS(AVX2, "avx2");
#endif
#if defined(JACOBI_HAS_AVX512_FORM)
  if (code == JacobiCode::Avx512) return SCF1S_PROCESSOR_HAS(AVX512F, "avx512f");
#endif
  return code == JacobiCode::Baseline;
}

JacobiResult jacobi(JacobiCode code, Matrix& A, int n, Matrix& U, double tau) {
#if defined(JACOBI_HAS_AVX2_FORM)
  if (code == JacobiCode::Avx2 && available(JacobiCode::Avx2)) return solveAvx2(A, n, U, tau);
#endif
#if defined(JACOBI_HAS_AVX512_FORM)
  if (code == JacobiCode::Avx512 && available(JacobiCode::Avx512))
    return jacobi_forms::solveAvx512(A, n, U, tau);
#endif
  (void)code;
  return solveBaseline(A, n, U, tau);
}

JacobiResult jacobi(Matrix& A, int n, Matrix& U, double tau) {
  static const JacobiCode best = available(JacobiCode::Avx512) ? JacobiCode::Avx512
                                 : available(JacobiCode::Avx2) ? JacobiCode::Avx2
                                                               : JacobiCode::Baseline;
  return jacobi(best, A, n, U, tau);
}

}  // namespace scf1s
