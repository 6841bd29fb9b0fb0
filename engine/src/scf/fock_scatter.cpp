#include <algorithm>
#include <cstddef>

#include "fock.h"

// The Fock build of a run. For every canonical quartet in the canonical order
// it makes exactly the additions of fockad (fock.cpp) in exactly its order,
// so that every element of F receives the same terms in the same sequence and
// the result is the same to the last bit (a test compares the two). What it
// saves is overhead: the case analysis is resolved once per group of quartets
// instead of once per quartet, each integral row is read front to back, and
// the elements a group adds to again and again (F(i,j), F(i,i), F(i,k),
// F(j,k), F(k,j)) stay in registers for the whole group. Where the running
// index l meets one of those elements (l = j or l = k) the quartet is handled
// on its own, naming the element it really adds to, so the order of additions
// to that element is kept.
//
// Each body below is one case of fockad, with the indices it covers:
//
//   body                                      fockad case
//   diagonalPair,    k = i,  l = i            (ii|ii)
//   diagonalPair,    k = i,  l > i   (loop)   (ii|il)
//   diagonalPair,    k > i,  l = k            (ii|kk)
//   diagonalPair,    k > i,  l > k   (loop)   (ii|kl)
//   offDiagonalPair, k = i,  l = j            (ij|ij)
//   offDiagonalPair, k = i,  l > j   (loop)   (ij|il)
//   offDiagonalPair, j < k,  l = k            (ij|kl), l = k > j
//   offDiagonalPair, j < k,  l > k   (loop)   (ij|kl), l > k > j
//   offDiagonalPair, j = k,  l = k            (ij|kl), l = k = j
//   offDiagonalPair, j = k,  l > k   (loop)   (ij|kl), l > k = j
//   offDiagonalPair, k < j,  l = k            (ij|kl), l = k < j
//   offDiagonalPair, k < j,  k < l < j (loop) (ij|kl), k < l < j
//   offDiagonalPair, k < j,  l = j            (ij|kl), k < l = j
//   offDiagonalPair, k < j,  l > j   (loop)   (ij|kl), k < j < l
//
// In every body the terms stand in fockad's order for that case; an integral
// that is exactly zero adds nothing, as in fockad.

namespace scf1s {

namespace {

// The weight of the exchange terms in the closed-shell Fock matrix.
constexpr double kExchangeWeight = -0.5;

struct FockScatter {
  double* f;         // F, row-major with stride kStride, 0-based
  const double* p;   // P, the same layout
  const double* pt;  // P transposed: pt[a*kStride + b] = P(b,a)
  int n;

  double& F(int a, int b) const { return f[a * kStride + b]; }
  double P(int a, int b) const { return p[a * kStride + b]; }
  double PT(int a, int b) const { return pt[a * kStride + b]; }
  double* rowF(int a) const { return f + a * kStride; }
  const double* rowP(int a) const { return p + a * kStride; }
  const double* rowPT(int a) const { return pt + a * kStride; }

  // Group i = j: (ii|kl) over k >= i; col(k)[l] is the integral (ii|kl).
  template <class Col>
  void diagonalPair(int i, Col col) const {
    double* const Fi = rowF(i);
    const double* const Pi = rowP(i);
    const double* const PTi = rowPT(i);
    double fii = F(i, i);
    const double pii = P(i, i);
    {  // k = i: (ii|ii), then (ii|il) for l > i
      const double* vk = col(i);
      double v = vk[i];
      if (v != 0.0) {
        const double e = kExchangeWeight * v;
        fii += v * pii;
        fii += e * pii;
      }
      for (int l = i + 1; l < n; ++l) {
        v = vk[l];
        if (v == 0.0) continue;
        const double e = kExchangeWeight * v;
        fii += v * Pi[l];
        Fi[l] += e * pii;
        fii += v * PTi[l] + (2.0 * e) * Pi[l];
        Fi[l] += v * pii;
      }
    }
    for (int k = i + 1; k < n; ++k) {  // (ii|kl), k > i, l >= k
      const double* vk = col(k);
      double* const Fk = rowF(k);
      const double* const Pk = rowP(k);
      const double* const PTk = rowPT(k);
      const double pik = P(i, k);
      double fik = F(i, k);
      double v = vk[k];
      if (v != 0.0) {  // l = k: F(i,l) is F(i,k)
        const double e = kExchangeWeight * v;
        fii += v * P(k, k);
        fik += e * pik;
        F(k, k) += v * pii;
      }
      for (int l = k + 1; l < n; ++l) {
        v = vk[l];
        if (v == 0.0) continue;
        const double e = kExchangeWeight * v;
        fii += v * Pk[l];
        Fi[l] += e * pik;
        fii += v * PTk[l];
        fik += e * Pi[l];
        Fk[l] += v * pii;
      }
      F(i, k) = fik;
    }
    F(i, i) = fii;
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
    double fij = F(i, j);
    const double pii = P(i, i);
    const double pij = P(i, j);
    const double pji = P(j, i);
    {  // k = i: (ij|il), l >= j
      const double* vk = col(i);
      double fii = F(i, i);
      double v = vk[j];
      if (v != 0.0) {  // l = j: F(i,l) is F(i,j)
        const double e = kExchangeWeight * v;
        fij += (2.0 * v) * pij;
        fij += e * pji;
        fii += e * P(j, j);
        F(j, j) += e * pii;
      }
      for (int l = j + 1; l < n; ++l) {
        v = vk[l];
        if (v == 0.0) continue;
        const double e = kExchangeWeight * v;
        fij += (2.0 * v) * Pi[l];
        Fi[l] += e * pji;
        fii += e * Pj[l];
        Fj[l] += e * pii;
        Fi[l] += (2.0 * v) * pij;
        fij += e * PTi[l];
        fii += e * PTj[l];
      }
      F(i, i) = fii;
    }
    for (int k = i + 1; k < n; ++k) {
      const double* vk = col(k);
      double* const Fk = rowF(k);
      const double* const Pk = rowP(k);
      const double* const PTk = rowPT(k);
      if (j < k) {
        const double pjk = P(j, k);
        const double pik = P(i, k);
        double fik = F(i, k);
        double fjk = F(j, k);
        double v = vk[k];
        if (v != 0.0) {  // l = k: F(i,l) is F(i,k), F(j,l) is F(j,k)
          const double e = kExchangeWeight * v;
          fij += v * P(k, k);
          fik += e * pjk;
          F(k, k) += (2.0 * v) * pij;
          fjk += e * pik;
        }
        for (int l = k + 1; l < n; ++l) {
          v = vk[l];
          if (v == 0.0) continue;
          const double e = kExchangeWeight * v;
          fij += v * Pk[l];
          Fi[l] += e * pjk;
          Fk[l] += (2.0 * v) * pij;
          fij += v * PTk[l];
          fik += e * Pj[l];
          fjk += e * Pi[l];
          Fj[l] += e * pik;
        }
        F(i, k) = fik;
        F(j, k) = fjk;
      } else if (j == k) {  // F(i,k) is F(i,j); F(j,k) and F(k,j) are F(j,j)
        const double pjj = P(j, j);
        double fjj = F(j, j);
        double v = vk[j];
        if (v != 0.0) {  // l = j
          const double e = kExchangeWeight * v;
          fij += v * pjj;
          fij += e * pjj;
          fjj += (2.0 * v) * pij;
          fjj += e * pji;
          fjj += e * pij;
        }
        for (int l = j + 1; l < n; ++l) {
          v = vk[l];
          if (v == 0.0) continue;
          const double e = kExchangeWeight * v;
          fij += v * Pj[l];
          Fi[l] += e * pjj;
          Fj[l] += (2.0 * v) * pij;
          fij += v * PTj[l];
          fij += e * Pj[l];
          fjj += e * Pi[l];
          fjj += e * PTi[l];
          Fj[l] += e * pij;
        }
        F(j, j) = fjj;
      } else {  // i < k < j
        const double pjk = P(j, k);
        const double pki = P(k, i);
        const double pik = P(i, k);
        double fik = F(i, k);
        double fkj = F(k, j);
        double v = vk[k];
        if (v != 0.0) {  // l = k: F(i,l) is F(i,k), F(k,l) is F(k,k)
          const double e = kExchangeWeight * v;
          fij += v * P(k, k);
          fik += e * pjk;
          F(k, k) += (2.0 * v) * pij;
          fkj += e * pki;
        }
        for (int l = k + 1; l < j; ++l) {
          v = vk[l];
          if (v == 0.0) continue;
          const double e = kExchangeWeight * v;
          fij += v * Pk[l];
          Fi[l] += e * pjk;
          Fk[l] += (2.0 * v) * pij;
          fij += v * PTk[l];
          fik += e * Pj[l];
          F(l, j) += e * pki;
          fkj += e * PTi[l];
        }
        v = vk[j];
        if (v != 0.0) {  // l = j: F(i,l) is F(i,j), F(k,l) is F(k,j), F(l,j) and F(j,l) are F(j,j)
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
        for (int l = j + 1; l < n; ++l) {
          v = vk[l];
          if (v == 0.0) continue;
          const double e = kExchangeWeight * v;
          fij += v * Pk[l];
          Fi[l] += e * pjk;
          Fk[l] += (2.0 * v) * pij;
          fij += v * PTk[l];
          fik += e * Pj[l];
          fkj += e * PTi[l];
          Fj[l] += e * pik;
        }
        F(i, k) = fik;
        F(k, j) = fkj;
      }
    }
    F(i, j) = fij;
  }
};

}  // namespace

void buildFock(EngineData& data) {
  const int n = std::min(data.deck.nbs, kMaxSpheres);
  Matrix& F = data.F;

  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) F(r, c) = data.H(r, c);

  // Private copies of P and its transpose: every P(a,b) the scatter reads
  // lies along a row of one of them, and neither can alias F.
  double p[kStride * kStride];
  double pt[kStride * kStride];
  for (int a = 0; a < n; ++a)
    for (int b = 0; b < n; ++b) {
      p[a * kStride + b] = data.P.v[static_cast<std::size_t>(a * kStride + b)];
      pt[b * kStride + a] = data.P.v[static_cast<std::size_t>(a * kStride + b)];
    }

  const FockScatter scatter{F.v.data(), p, pt, n};
  const double* list = data.integrals.v.data();
  for (int i = 0; i < n; ++i) {
    for (int j = i; j < n; ++j) {
      // Row pair(i,j) of the list; pair(k,l) = pair(k,k) + (l - k) for l >= k.
      const double* row = list + (data.pair(i + 1, j + 1) - 1) * kMaxPairs;
      auto col = [&](int k) { return row + (data.pair(k + 1, k + 1) - 1) - k; };
      if (i == j)
        scatter.diagonalPair(i, col);
      else
        scatter.offDiagonalPair(i, j, col);
    }
  }

  // Only the upper triangle received contributions.
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) F(j, i) = F(i, j);
}

}  // namespace scf1s
