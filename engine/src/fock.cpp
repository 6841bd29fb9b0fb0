#include "fock.h"

#include "quartets.h"

namespace scf1s {

// The quartet (i,j,k,l) stands for up to eight index orders of its integral.
// Rather than generating them, a fixed case analysis adds each distinct
// order's Coulomb and exchange terms, always into the upper triangle.
void fockad(int i, int j, int k, int l, double v, double x, Matrix& F, const Matrix& P) {
  if (v == 0.0) return;
  const double e = x * v;

  if (i == j) {
    F(i, i) += v * P(k, l);
    F(i, l) += e * P(i, k);
    if (k == i && l == i) return;
    if (k == i) {  // (ii|il), l > i
      F(i, i) += v * P(l, i) + (2.0 * e) * P(i, l);
      F(i, l) += v * P(i, i);
      return;
    }
    // (ii|kl), k > i
    if (l > k) {
      F(i, i) += v * P(l, k);
      F(i, k) += e * P(i, l);
    }
    F(k, l) += v * P(i, i);
    return;
  }

  if (k == i) {  // (ij|il), i < j, l >= j
    F(i, j) += (2.0 * v) * P(i, l);
    F(i, l) += e * P(j, i);
    F(i, i) += e * P(j, l);
    F(j, l) += e * P(i, i);
    if (l > j) {
      F(i, l) += (2.0 * v) * P(i, j);
      F(i, j) += e * P(l, i);
      F(i, i) += e * P(l, j);
    }
    return;
  }

  // (ij|kl), i < j, k > i
  F(i, j) += v * P(k, l);
  F(i, l) += e * P(j, k);
  F(k, l) += (2.0 * v) * P(i, j);
  if (l > k) {
    F(i, j) += v * P(l, k);
    F(i, k) += e * P(j, l);
    if (j <= k) F(j, k) += e * P(i, l);
    if (j >= l) F(l, j) += e * P(k, i);
  }
  if (j >= k) F(k, j) += e * P(l, i);
  if (j <= l) F(j, l) += e * P(i, k);
}

void buildFock(EngineData& data) {
  const int n = data.deck.nbs;
  Matrix& F = data.F;

  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) F(r, c) = data.H(r, c);

  forEachQuartet(n, [&](int i, int j, int k, int l) {
    const double v = data.integrals(data.pair(i, j), data.pair(k, l));
    fockad(i, j, k, l, v, -0.5, F, data.P);
  });

  // Only the upper triangle received contributions.
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) F(j, i) = F(i, j);
}

}  // namespace scf1s
