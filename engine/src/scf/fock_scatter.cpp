#include <algorithm>
#include <cmath>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "double_pair.h"
#include "fock.h"
#include "quartets.h"

// The Fock build of a run. For every canonical quartet in the canonical order
// it makes exactly the additions of fockad (fock.cpp), so that every element
// of F receives the same terms in the same sequence and the result is the
// same to the last bit (a test compares the two). Only additions to different
// elements trade places; each element's own sequence stays as in fockad.
//
// The quartets come in groups, one per integral row: group (i,j) is every
// (ij|kl) with k >= i, taken row by row (fixed k, in increasing k) and along
// each row in increasing l. The case analysis of fockad is resolved once per
// row instead of once per quartet. The elements a row adds to again and again
// are running sums held in registers: F(i,j) for the whole group, and per row
// F(i,k), F(j,k) or F(k,j), F(i,i), F(j,j). Where l meets one of them (l = j
// or l = k) the quartet is handled on its own, naming the element it really
// adds to.
//
// The other elements a row adds to are a different one for each l: F(i,l),
// F(k,l), F(j,l), and down column j F(l,j), which the group keeps in a row of
// its own (Fcj; nothing else in the group adds to it). So two neighbouring
// quartets go together, entry by entry in DoublePair lanes (see alongRow),
// and the running sums take the two quartets' terms one after the other
// (addInOrder).
//
// Each body below is one case of fockad, with the indices it covers, in the
// order the rows come:
//
//   body                                      fockad case
//   diagonalPair,    k = i,  l = i            (ii|ii)
//   diagonalPair,    k = i,  l > i   (loop)   (ii|il)
//   diagonalPair,    k > i,  l = k            (ii|kk)
//   diagonalPair,    k > i,  l > k   (loop)   (ii|kl)
//   offDiagonalPair, k = i,  l = j            (ij|ij)
//   offDiagonalPair, k = i,  l > j   (loop)   (ij|il)
//   offDiagonalPair, k < j,  l = k            (ij|kl), l = k < j
//   offDiagonalPair, k < j,  k < l < j (loop) (ij|kl), k < l < j
//   offDiagonalPair, k < j,  l = j            (ij|kl), k < l = j
//   offDiagonalPair, k < j,  l > j   (loop)   (ij|kl), k < j < l
//   offDiagonalPair, k = j,  l = k            (ij|kl), l = k = j
//   offDiagonalPair, k = j,  l > k   (loop)   (ij|kl), l > k = j
//   offDiagonalPair, k > j,  l = k            (ij|kl), l = k > j
//   offDiagonalPair, k > j,  l > k   (loop)   (ij|kl), l > k > j
//
// In every body each element receives the case's terms in fockad's order.
//
// An integral that is exactly zero adds nothing in fockad; the bodies do not
// test for it. Its terms are zeros, and adding a zero leaves a sum as it is,
// unless the sum is -0.0 (it becomes +0.0) or NaN (a signalling NaN turns
// quiet), or the density is infinite (zero times infinity is NaN). A sum of
// two doubles is -0.0 only if both are, so no sum here is ever -0.0 when no
// element of H is. buildFock checks H and P first, and where they do not
// allow it goes quartet by quartet through fockad itself.

namespace scf1s {

namespace {

// The weight of the exchange terms in the closed-shell Fock matrix.
constexpr double kExchangeWeight = -0.5;

// The body of a loop over l is written once, for T = double (one quartet,
// l) and for T = DoublePair (two quartets, l and l + 1, side by side); these
// helpers read and write the entries at l accordingly.
template <class T>
T load(const double* at) {
  if constexpr (sizeof(T) == sizeof(double))
    return *at;
  else
    return loadPair(at);
}

// *at += term, entry by entry.
template <class T>
void addTo(double* at, T term) {
  const T sum = load<T>(at) + term;
  if constexpr (sizeof(T) == sizeof(double))
    *at = sum;
  else
    storePair(at, sum);
}

// A running sum: an element of F that takes many terms one after another.
// On x86-64 it lives in the low entry of a register, and the term of a pair
// of quartets for l is added to it where it lies, that for l + 1 after one
// move down; as a plain double the compiler copies the sum and the terms
// between registers for every pair.
#if defined(__SSE2__)
class RunningSum {
 public:
  explicit RunningSum(const double& at) : s_(_mm_load_sd(&at)) {}
  // Written so that it becomes one addsd: _mm_add_sd with a term widened by
  // _mm_set_sd would first clear the term's high entry.
  void operator+=(double term) { s_ = _mm_move_sd(s_, _mm_set_sd(value() + term)); }
  void addLow(DoublePair terms) { s_ = _mm_add_sd(s_, terms); }
  void addHigh(DoublePair terms) { s_ = _mm_add_sd(s_, _mm_unpackhi_pd(terms, terms)); }
  double value() const { return _mm_cvtsd_f64(s_); }

 private:
  __m128d s_;
};
#else
class RunningSum {
 public:
  explicit RunningSum(const double& at) : s_(at) {}
  void operator+=(double term) { s_ += term; }
  void addLow(DoublePair terms) { s_ += terms[0]; }
  void addHigh(DoublePair terms) { s_ += terms[1]; }
  double value() const { return s_; }

 private:
  double s_;
};
#endif

// sum += the terms given, in the order given, for l and then for l + 1.
template <class T, class... More>
void addInOrder(RunningSum& sum, T term, More... more) {
  if constexpr (sizeof(T) == sizeof(double)) {
    sum += term;
    ((sum += more), ...);
  } else {
    sum.addLow(term);
    (sum.addLow(more), ...);
    sum.addHigh(term);
    (sum.addHigh(more), ...);
  }
}

// Runs the body of a loop over l = first, ..., last - 1: the first quartet on
// its own when their number is odd, then two at a time, so that the pairs end
// where the row ends. The rows of a group that end at the same l thus add to
// the same pairs of elements, and each pair read from F is one an earlier row
// wrote whole; a read across two earlier writes waits until both have left
// the store buffer. The argument after l only names the type T of the body.
template <class Quartets>
void alongRow(int first, int last, Quartets quartets) {
  int l = first;
  if ((last - l) % 2 != 0) quartets(l++, double{});
  for (; l < last; l += 2) quartets(l, DoublePair{});
}

// The scatter keeps F, P and P transposed in one block per index a: row a of
// F, row a of P, row a of P transposed (column a of P), and a fourth row that
// group (i,a) uses for its copy of column a of F. Every element a body reads
// or writes lies along one of the blocks of i, j and k, so three block
// addresses and the position l reach all of them.
constexpr int kBlock = 4 * kStride;
constexpr int kPRow = kStride;
constexpr int kPTRow = 2 * kStride;
constexpr int kColumnRow = 3 * kStride;

struct FockScatter {
  double* b;  // the blocks, kBlock doubles apart
  int n;

  double& F(int a, int c) const { return b[a * kBlock + c]; }
  double P(int a, int c) const { return b[a * kBlock + kPRow + c]; }
  double PT(int a, int c) const { return b[a * kBlock + kPTRow + c]; }
  double* rowF(int a) const { return b + a * kBlock; }
  const double* rowP(int a) const { return b + a * kBlock + kPRow; }
  const double* rowPT(int a) const { return b + a * kBlock + kPTRow; }
  double* columnCopy(int a) const { return b + a * kBlock + kColumnRow; }

  // Group i = j: (ii|kl) over k >= i; col(k)[l] is the integral (ii|kl).
  template <class Col>
  void diagonalPair(int i, Col col) const {
    double* const Fi = rowF(i);
    const double* const Pi = rowP(i);
    const double* const PTi = rowPT(i);
    RunningSum fii(F(i, i));
    const double pii = P(i, i);
    {  // k = i: (ii|ii), then (ii|il) for l > i
      const double* vk = col(i);
      {
        const double v = vk[i];
        const double e = kExchangeWeight * v;
        fii += v * pii;
        fii += e * pii;
      }
      alongRow(i + 1, n, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fii, v * load<T>(Pi + l), v * load<T>(PTi + l) + (2.0 * e) * load<T>(Pi + l));
        addTo(Fi + l, e * pii);
        addTo(Fi + l, v * pii);
      });
    }
    for (int k = i + 1; k < n; ++k) {  // (ii|kl), k > i, l >= k
      const double* vk = col(k);
      double* const Fk = rowF(k);
      const double* const Pk = rowP(k);
      const double* const PTk = rowPT(k);
      const double pik = P(i, k);
      RunningSum fik(F(i, k));
      {  // l = k: F(i,l) is F(i,k)
        const double v = vk[k];
        const double e = kExchangeWeight * v;
        fii += v * P(k, k);
        fik += e * pik;
        F(k, k) += v * pii;
      }
      alongRow(k + 1, n, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fii, v * load<T>(Pk + l), v * load<T>(PTk + l));
        addTo(Fi + l, e * pik);
        addInOrder(fik, e * load<T>(Pi + l));
        addTo(Fk + l, v * pii);
      });
      F(i, k) = fik.value();
    }
    F(i, i) = fii.value();
  }

  // Group i < j: (ij|kl) over k >= i; col(k)[l] is the integral (ij|kl).
  template <class Col>
  void offDiagonalPair(int i, int j, Col col) const {
    double* const Fi = rowF(i);
    double* const Fj = rowF(j);
    const double* const Pi = rowP(i);
    const double* const Pj = rowP(j);
    const double* const PTi = rowPT(i);
    const double* const PTj = rowPT(j);
    RunningSum fij(F(i, j));
    const double pii = P(i, i);
    const double pij = P(i, j);
    const double pji = P(j, i);
    // Column j above the diagonal, F(l,j) for i < l < j, copied into a row for
    // the group (nothing else in the group adds to it), so that additions down
    // the column run two at a time like those along a row.
    double* const Fcj = columnCopy(j);
    for (int l = i + 1; l < j; ++l) Fcj[l] = F(l, j);
    {  // k = i: (ij|il), l >= j
      const double* vk = col(i);
      RunningSum fii(F(i, i));
      {  // l = j: F(i,l) is F(i,j)
        const double v = vk[j];
        const double e = kExchangeWeight * v;
        fij += (2.0 * v) * pij;
        fij += e * pji;
        fii += e * P(j, j);
        F(j, j) += e * pii;
      }
      alongRow(j + 1, n, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fij, (2.0 * v) * load<T>(Pi + l), e * load<T>(PTi + l));
        addTo(Fi + l, e * pji);
        addInOrder(fii, e * load<T>(Pj + l), e * load<T>(PTj + l));
        addTo(Fj + l, e * pii);
        addTo(Fi + l, (2.0 * v) * pij);
      });
      F(i, i) = fii.value();
    }
    for (int k = i + 1; k < j; ++k) {  // i < k < j
      const double* vk = col(k);
      double* const Fk = rowF(k);
      const double* const Pk = rowP(k);
      const double* const PTk = rowPT(k);
      const double pjk = P(j, k);
      const double pki = P(k, i);
      const double pik = P(i, k);
      RunningSum fik(F(i, k));
      RunningSum fkj(Fcj[k]);
      {  // l = k: F(i,l) is F(i,k), F(k,l) is F(k,k)
        const double v = vk[k];
        const double e = kExchangeWeight * v;
        fij += v * P(k, k);
        fik += e * pjk;
        F(k, k) += (2.0 * v) * pij;
        fkj += e * pki;
      }
      alongRow(k + 1, j, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fij, v * load<T>(Pk + l), v * load<T>(PTk + l));
        addTo(Fi + l, e * pjk);
        addTo(Fk + l, (2.0 * v) * pij);
        addInOrder(fik, e * load<T>(Pj + l));
        addTo(Fcj + l, e * pki);
        addInOrder(fkj, e * load<T>(PTi + l));
      });
      {  // l = j: F(i,l) is F(i,j), F(k,l) is F(k,j), F(l,j) and F(j,l) are F(j,j)
        const double v = vk[j];
        const double e = kExchangeWeight * v;
        fij += v * P(k, j);
        fij += e * pjk;
        fkj += (2.0 * v) * pij;
        fij += v * PT(k, j);
        fik += e * P(j, j);
        F(j, j) += e * pki;
        fkj += e * pji;
        F(j, j) += e * pik;
      }
      alongRow(j + 1, n, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fij, v * load<T>(Pk + l), v * load<T>(PTk + l));
        addTo(Fi + l, e * pjk);
        addTo(Fk + l, (2.0 * v) * pij);
        addInOrder(fik, e * load<T>(Pj + l));
        addInOrder(fkj, e * load<T>(PTi + l));
        addTo(Fj + l, e * pik);
      });
      F(i, k) = fik.value();
      Fcj[k] = fkj.value();
    }
    {  // k = j: F(i,k) is F(i,j); F(j,k) and F(k,j) are F(j,j)
      const double* vk = col(j);
      const double pjj = P(j, j);
      RunningSum fjj(F(j, j));
      {  // l = j
        const double v = vk[j];
        const double e = kExchangeWeight * v;
        fij += v * pjj;
        fij += e * pjj;
        fjj += (2.0 * v) * pij;
        fjj += e * pji;
        fjj += e * pij;
      }
      alongRow(j + 1, n, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fij, v * load<T>(Pj + l), v * load<T>(PTj + l), e * load<T>(Pj + l));
        addTo(Fi + l, e * pjj);
        addTo(Fj + l, (2.0 * v) * pij);
        addInOrder(fjj, e * load<T>(Pi + l), e * load<T>(PTi + l));
        addTo(Fj + l, e * pij);
      });
      F(j, j) = fjj.value();
    }
    for (int k = j + 1; k < n; ++k) {  // k > j
      const double* vk = col(k);
      double* const Fk = rowF(k);
      const double* const Pk = rowP(k);
      const double* const PTk = rowPT(k);
      const double pjk = P(j, k);
      const double pik = P(i, k);
      RunningSum fik(F(i, k));
      RunningSum fjk(F(j, k));
      {  // l = k: F(i,l) is F(i,k), F(j,l) is F(j,k)
        const double v = vk[k];
        const double e = kExchangeWeight * v;
        fij += v * P(k, k);
        fik += e * pjk;
        F(k, k) += (2.0 * v) * pij;
        fjk += e * pik;
      }
      alongRow(k + 1, n, [&](int l, auto lanes) {
        using T = decltype(lanes);
        const T v = load<T>(vk + l);
        const T e = kExchangeWeight * v;
        addInOrder(fij, v * load<T>(Pk + l), v * load<T>(PTk + l));
        addTo(Fi + l, e * pjk);
        addTo(Fk + l, (2.0 * v) * pij);
        addInOrder(fik, e * load<T>(Pj + l));
        addInOrder(fjk, e * load<T>(Pi + l));
        addTo(Fj + l, e * pik);
      });
      F(i, k) = fik.value();
      F(j, k) = fjk.value();
    }
    F(i, j) = fij.value();
    for (int l = i + 1; l < j; ++l) F(l, j) = Fcj[l];
  }
};

// True when the terms of a zero integral leave every sum as it is: P is
// finite (so they are zeros, not NaN) and no element of H is -0.0 or NaN.
bool zeroIntegralsAddNothing(const EngineData& data, int n) {
  bool nothing = true;
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) {
      const double h = data.H(r, c);
      nothing = nothing && std::isfinite(data.P(r, c)) && !std::isnan(h) && !(h == 0.0 && std::signbit(h));
    }
  return nothing;
}

// Every group in the canonical order, through the bodies above.
void scatterGroups(EngineData& data, int n) {
  // The blocks: private copies of F, P and P transposed (see FockScatter);
  // none of them can alias another.
  double blocks[kStride * kBlock];
  for (int a = 0; a < n; ++a)
    for (int c = 0; c < n; ++c) {
      const auto at = static_cast<std::size_t>(a * kStride + c);
      blocks[a * kBlock + c] = data.F.v[at];
      blocks[a * kBlock + kPRow + c] = data.P.v[at];
      blocks[c * kBlock + kPTRow + a] = data.P.v[at];
    }

  // pair(k,l) = pair(k,k) + (l - k) for l >= k: row k of a group starts at
  // column pair(k,k) - 1 - k of its integral row, counted from 0.
  int rowStart[kStride];
  for (int k = 0; k < n; ++k) rowStart[k] = data.pair(k + 1, k + 1) - 1 - k;

  const FockScatter scatter{blocks, n};
  for (int i = 0; i < n; ++i) {
    for (int j = i; j < n; ++j) {
      const double* row = data.integrals.v.data() + (data.pair(i + 1, j + 1) - 1) * kMaxPairs;
      auto col = [row, &rowStart](int k) { return row + rowStart[k]; };
      if (i == j)
        scatter.diagonalPair(i, col);
      else
        scatter.offDiagonalPair(i, j, col);
    }
  }

  // The upper triangle back into F (only it received contributions).
  for (int a = 0; a < n; ++a)
    for (int c = a; c < n; ++c) data.F.v[static_cast<std::size_t>(a * kStride + c)] = blocks[a * kBlock + c];
}

}  // namespace

void buildFock(EngineData& data) {
  const int n = std::min(data.deck.nbs, kMaxSpheres);
  Matrix& F = data.F;

  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) F(r, c) = data.H(r, c);

  if (zeroIntegralsAddNothing(data, n)) {
    scatterGroups(data, n);
  } else {
    forEachQuartet(n, [&](int i, int j, int k, int l) {
      fockad(i, j, k, l, data.integrals(data.pair(i, j), data.pair(k, l)), kExchangeWeight, F, data.P);
    });
  }

  // Only the upper triangle received contributions.
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) F(j, i) = F(i, j);
}

}  // namespace scf1s
