// The Jacobi solve eight doubles at a time, for processors with AVX-512F.
// It is the method of jacobi.cpp step by step: the same pivots, the same
// rotations, the same operations on every element in the same order, so the
// same bits (a test compares every form with the method written out plainly).
// What differs is the bookkeeping: a row is three vectors of eight (20
// entries and 4 zeros), comparisons give bit masks that select lanes
// directly, and the new rows are mirrored into their columns by scatters.
//
// Every header this file needs is included before the instruction set is
// switched on, so that no function shared with other files (the standard
// library's) is compiled here for AVX-512.
#include <immintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>

#include "jacobi_forms.h"

#if defined(JACOBI_HAS_AVX512_FORM)

#pragma GCC push_options
#pragma GCC target("avx512f")
// The compiler's own AVX-512 intrinsics start from an undefined vector, which
// it then warns of as maybe uninitialized; nothing here reads one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "jacobi_rotation.h"

namespace scf1s::jacobi_forms {

namespace {

using jacobi_rotation::Rotation;

#define JACOBI_STEP [[gnu::always_inline]] inline

// A row of the workspace: three vectors of eight, the order's 20 entries
// and 4 zeros that stay zeros.
constexpr int kRow = 24;
constexpr int kVectors = kRow / 8;

// Sets of entries of a row, one bit per entry (entry j at bit j).
using RowSet = std::uint32_t;
constexpr RowSet kWholeRow = (RowSet{1} << kRow) - 1;

// The entries right of the diagonal of row i.
JACOBI_STEP RowSet rightOf(int i) { return (kWholeRow << (i + 1)) & kWholeRow; }
// The entries left of column j.
JACOBI_STEP RowSet leftOf(int j) { return (RowSet{1} << j) - 1; }
JACOBI_STEP RowSet only(int j) { return RowSet{1} << j; }
// The eight bits of a set that belong to vector k of a row.
JACOBI_STEP __mmask8 lanes(RowSet set, int k) { return static_cast<__mmask8>(set >> (8 * k)); }

// Where column p of row j lies from the start of column p: j rows on.
alignas(64) constexpr std::int64_t kRowStarts[kRow] = {0 * kRow,  1 * kRow,  2 * kRow,  3 * kRow,  4 * kRow,  5 * kRow,
                                                       6 * kRow,  7 * kRow,  8 * kRow,  9 * kRow,  10 * kRow, 11 * kRow,
                                                       12 * kRow, 13 * kRow, 14 * kRow, 15 * kRow, 16 * kRow, 17 * kRow,
                                                       18 * kRow, 19 * kRow, 20 * kRow, 21 * kRow, 22 * kRow, 23 * kRow};

// The largest entry of a row given as vectors, in every lane.
JACOBI_STEP __m512d largestOf(const __m512d* part) {
  __m512d x = _mm512_max_pd(_mm512_max_pd(part[0], part[1]), part[2]);
  x = _mm512_max_pd(x, _mm512_shuffle_f64x2(x, x, 0x4e));  // the two halves
  x = _mm512_max_pd(x, _mm512_shuffle_f64x2(x, x, 0xb1));  // pairs within each half
  return _mm512_max_pd(x, _mm512_permute_pd(x, 0x55));     // the two of each pair
}

// The entries of a row given as vectors that equal the value in every lane.
JACOBI_STEP RowSet equalTo(const __m512d* part, __m512d value) {
  RowSet set = 0;
  for (int k = 0; k < kVectors; ++k)
    set |= RowSet{_mm512_cmp_pd_mask(part[k], value, _CMP_EQ_OQ)} << (8 * k);
  return set;
}

// The row-maximum table held in vectors while a step works on it: several
// records can then be set independently of each other, and the table goes
// back to memory a whole vector at a time, as it is read.
struct Records {
  __m512d m[kVectors];
  __m512i q[kVectors];

  JACOBI_STEP void load(const double* mFrom, const std::int64_t* qFrom) {
    for (int k = 0; k < kVectors; ++k) {
      m[k] = _mm512_load_pd(mFrom + 8 * k);
      q[k] = _mm512_load_epi64(qFrom + 8 * k);
    }
  }
  JACOBI_STEP void store(double* mTo, std::int64_t* qTo) const {
    for (int k = 0; k < kVectors; ++k) {
      _mm512_store_pd(mTo + 8 * k, m[k]);
      _mm512_store_epi64(qTo + 8 * k, q[k]);
    }
  }
  // Row i records the value (given in every lane) in the column.
  JACOBI_STEP void set(int i, __m512d value, int column) {
    const __m512i columns = _mm512_set1_epi64(column);
    for (int k = 0; k < kVectors; ++k) {
      m[k] = _mm512_mask_mov_pd(m[k], lanes(only(i), k), value);
      q[k] = _mm512_mask_mov_epi64(q[k], lanes(only(i), k), columns);
    }
  }
};

// The private copies of the solve, as in the other forms: the matrix as a
// full symmetric square W, U transposed, and the row-maximum table (m, q):
// for every row i < n the largest |A(i,j)| right of the diagonal as last
// recorded and the column where it stood. The table is only ever written a
// whole vector at a time, as it is read.
class Workspace {
 public:
  JACOBI_STEP Workspace(const Matrix& A, int n) : n_(n) {
    jacobi_rotation::copyIn<kRow>(A, n, w_, ut_);
    Records records;
    records.load(m_, q_);
    for (int i = 0; i < n - 1; ++i) rescan(i, kRow, records);
    records.store(m_, q_);
    nextPivot_ = std::countr_zero(equalTo(records.m, largestOf(records.m)));
  }

  JACOBI_STEP void finish(Matrix& A, Matrix& U) const { jacobi_rotation::copyOut<kRow>(w_, ut_, n_, A, U); }

  // The row with the largest recorded maximum, the lowest among equals
  // (found at the end of the previous step).
  JACOBI_STEP int pivotRow() const { return nextPivot_; }
  JACOBI_STEP double largest(int p) const { return m_[p]; }
  JACOBI_STEP int column(int p) const { return static_cast<int>(q_[p]); }

  JACOBI_STEP double thresholdFromDiagonal(double tau) const {
    return jacobi_rotation::thresholdFromDiagonal<kRow>(w_, n_, tau);
  }

  // The rotation that removes W(p,r); rotate stores the new diagonal pair
  // and the zeroed pivot.
  JACOBI_STEP std::optional<Rotation> formRotation(int p, int r) const {
    return jacobi_rotation::planeRotation(w_[p * kRow + p], w_[r * kRow + r], w_[p * kRow + r]);
  }

  // Repairs the row records that lose their element, rotates rows p and r
  // of W and of the transpose of U, mirrors the new rows into columns p and
  // r, and offers the new elements to the row records, as in the other
  // forms; the records stay in vectors throughout. Returns false when a new
  // element of W is not finite.
  JACOBI_STEP bool rotate(int p, int r, const Rotation& rot, int oldColumnP, int oldColumnR) {
    double* const wp = w_ + p * kRow;
    double* const wr = w_ + r * kRow;
    double* const up = ut_ + p * kRow;
    double* const ur = ut_ + r * kRow;
    // The four entries where the two rows cross take the new diagonal pair
    // and the zeroed pivot (they keep their values if the rotation is the
    // identity); they are left out of the records and of the watch. The
    // matrix is symmetric, so W(p,r) and W(r,p) are one value.
    const double wpp = rot.formed ? rot.app : wp[p];
    const double wrr = rot.formed ? rot.arr : wr[r];
    const double wpr = rot.formed ? 0.0 : wp[r];
    const __m512d c = _mm512_set1_pd(rot.c), s = _mm512_set1_pd(rot.s);
    const __m512i columnP = _mm512_set1_epi64(p), columnR = _mm512_set1_epi64(r);
    const RowSet order = leftOf(n_);
    const RowSet outsideCrossing = kWholeRow & ~(only(p) | only(r));
    const RowSet offerP = leftOf(p);                 // rows above p take A(i,p)
    const RowSet offerR = leftOf(r) & ~only(p);      // rows above r take A(i,r)
    const RowSet rowP = rightOf(p) & ~only(r);       // row p's own, the pivot left out
    const RowSet rowR = rightOf(r);
    __m512d probe = _mm512_setzero_pd();  // x - x is 0 for every finite x, NaN otherwise
    __m512d rowPPart[kVectors], rowRPart[kVectors];
    Records records;
    records.load(m_, q_);
    repairRecordsInColumns(p, r, records);
    // The next pivot is the largest record: of the rows other than p and r as
    // they stand now, of the new elements offered to them, and of rows p and
    // r recorded afresh. The new rows' entries outside the crossing are both
    // what is offered and what p and r record, so one reduction of them
    // covers all the new values and the old records are reduced meanwhile.
    __m512d others[kVectors];
    for (int k = 0; k < kVectors; ++k) others[k] = _mm512_maskz_mov_pd(lanes(outsideCrossing, k), records.m[k]);
    const __m512d largestElsewhere = largestOf(others);
    __m512d newEntries[kVectors];
    // Both rows are read before any of their entries is written, by the
    // rows' own stores or by the mirroring into columns p and r.
    __m512d x[kVectors], y[kVectors];
    for (int k = 0; k < kVectors; ++k) {
      x[k] = _mm512_load_pd(wp + 8 * k);
      y[k] = _mm512_load_pd(wr + 8 * k);
    }
    // First what the next pivot waits for: the new rows, the records they
    // change and the largest record; the stores, the mirroring into the
    // columns, the watch for non-finite values and U come after it in the
    // program, so the processor takes them up while the next rotation is
    // being formed.
    __m512d nx[kVectors], ny[kVectors];
    for (int k = 0; k < kVectors; ++k) {
      nx[k] = _mm512_add_pd(_mm512_mul_pd(c, x[k]), _mm512_mul_pd(s, y[k]));
      ny[k] = _mm512_sub_pd(_mm512_mul_pd(c, y[k]), _mm512_mul_pd(s, x[k]));
      const __m512d ap = _mm512_abs_pd(nx[k]);
      const __m512d ar = _mm512_abs_pd(ny[k]);
      newEntries[k] = _mm512_maskz_mov_pd(lanes(outsideCrossing, k), _mm512_max_pd(ap, ar));

      __m512d& m = records.m[k];
      __m512i& q = records.q[k];
      const __mmask8 takeP = _mm512_mask_cmp_pd_mask(lanes(offerP, k), ap, m, _CMP_GT_OQ);
      m = _mm512_mask_mov_pd(m, takeP, ap);
      q = _mm512_mask_mov_epi64(q, takeP, columnP);
      const __mmask8 takeR = _mm512_mask_cmp_pd_mask(lanes(offerR, k), ar, m, _CMP_GT_OQ);
      m = _mm512_mask_mov_pd(m, takeR, ar);
      q = _mm512_mask_mov_epi64(q, takeR, columnR);

      rowPPart[k] = _mm512_maskz_mov_pd(lanes(rowP, k), ap);
      rowRPart[k] = _mm512_maskz_mov_pd(lanes(rowR, k), ar);
    }
    const __m512d top = _mm512_max_pd(largestElsewhere, largestOf(newEntries));
    recordAfresh(p, rowPPart, oldColumnP, records);
    recordAfresh(r, rowRPart, oldColumnR, records);
    nextPivot_ = std::countr_zero(equalTo(records.m, top));
    records.store(m_, q_);

    for (int k = 0; k < kVectors; ++k) {
      const __m512d rowPNew =
          _mm512_mask_mov_pd(_mm512_mask_mov_pd(nx[k], lanes(only(p), k), _mm512_set1_pd(wpp)), lanes(only(r), k),
                             _mm512_set1_pd(wpr));
      const __m512d rowRNew =
          _mm512_mask_mov_pd(_mm512_mask_mov_pd(ny[k], lanes(only(p), k), _mm512_set1_pd(wpr)), lanes(only(r), k),
                             _mm512_set1_pd(wrr));
      _mm512_store_pd(wp + 8 * k, rowPNew);
      _mm512_store_pd(wr + 8 * k, rowRNew);
      const __m512i rowStarts = _mm512_load_epi64(kRowStarts + 8 * k);
      _mm512_mask_i64scatter_pd(w_ + p, lanes(order, k), rowStarts, rowPNew, 8);
      _mm512_mask_i64scatter_pd(w_ + r, lanes(order, k), rowStarts, rowRNew, 8);
      probe = _mm512_mask_add_pd(probe, lanes(outsideCrossing, k), probe,
                                 _mm512_add_pd(_mm512_sub_pd(nx[k], nx[k]), _mm512_sub_pd(ny[k], ny[k])));
    }
    for (int k = 0; k < kVectors; ++k) {  // columns p and r of U
      const __m512d u = _mm512_load_pd(up + 8 * k);
      const __m512d v = _mm512_load_pd(ur + 8 * k);
      _mm512_store_pd(up + 8 * k, _mm512_add_pd(_mm512_mul_pd(c, u), _mm512_mul_pd(s, v)));
      _mm512_store_pd(ur + 8 * k, _mm512_sub_pd(_mm512_mul_pd(c, v), _mm512_mul_pd(s, u)));
    }
    return _mm512_cmp_pd_mask(probe, _mm512_setzero_pd(), _CMP_NEQ_UQ) == 0;
  }

 private:
  // Rows above r, other than p, whose record lies in column p or r are
  // rescanned without that element, before the rotation.
  JACOBI_STEP void repairRecordsInColumns(int p, int r, Records& records) const {
    const __m512i columnP = _mm512_set1_epi64(p), columnR = _mm512_set1_epi64(r);
    RowSet stale = 0;
    for (int k = 0; k < kVectors; ++k) {
      const __mmask8 inPOrR =
          _mm512_cmpeq_epi64_mask(records.q[k], columnP) | _mm512_cmpeq_epi64_mask(records.q[k], columnR);
      stale |= RowSet{inPOrR} << (8 * k);
    }
    stale &= leftOf(r) & ~only(p);
    for (; stale != 0; stale &= stale - 1) {
      const int i = std::countr_zero(stale);
      rescan(i, column(i), records);
    }
  }

  // Full scan of row i right of the diagonal, the element in column
  // `without` taken as 0 (none when it is kRow); among equal magnitudes the
  // last column wins, and an all-zero row records 0 in column n.
  JACOBI_STEP void rescan(int i, int without, Records& records) const {
    const double* a = w_ + i * kRow;
    const RowSet scanned = rightOf(i) & ~(without < kRow ? only(without) : 0);
    __m512d part[kVectors];
    for (int k = 0; k < kVectors; ++k)
      part[k] = _mm512_maskz_mov_pd(lanes(scanned, k), _mm512_abs_pd(_mm512_load_pd(a + 8 * k)));
    const __m512d largest = largestOf(part);
    const int last = 31 - std::countl_zero(equalTo(part, largest));
    records.set(i, largest, _mm512_cvtsd_f64(largest) == 0.0 ? n_ - 1 : last);
  }

  // The record of row p or r after its rotation: the first largest entry of
  // its part; if none is above 0, the record is 0 and keeps its old column.
  JACOBI_STEP static void recordAfresh(int i, const __m512d* part, int oldColumn, Records& records) {
    const __m512d largest = largestOf(part);
    records.set(i, largest, _mm512_cvtsd_f64(largest) > 0.0 ? std::countr_zero(equalTo(part, largest)) : oldColumn);
  }

  int n_;
  int nextPivot_ = 0;
  alignas(64) double w_[kRow * kRow];
  alignas(64) double ut_[kRow * kRow];
  alignas(64) double m_[kRow] = {};
  alignas(64) std::int64_t q_[kRow] = {};
};

}  // namespace

JacobiResult solveAvx512(Matrix& A, int n, Matrix& U, double tau) {
  return jacobi_rotation::solveWith<Workspace>(A, n, U, tau);
}

}  // namespace scf1s::jacobi_forms

#pragma GCC diagnostic pop
#pragma GCC pop_options

#endif
