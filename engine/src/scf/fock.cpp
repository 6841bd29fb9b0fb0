#include "fock.h"

namespace scf1s {

// The quartet (i,j,k,l) stands for up to eight index orders of its integral.
// Rather than generating them, a fixed case analysis adds each distinct
// order's Coulomb and exchange terms, always into the upper triangle. This is
// the rule of the Fock build; buildFock (fock_scatter.cpp) makes exactly these
// additions in exactly this order, case by case, named below as in its table.
void fockad(int i, int j, int k, int l, double v, double x, Matrix& F, const Matrix& P) {
  if (v == 0.0) return;
  const double e = x * v;

  if (i == j) {  // cases (ii|ii), (ii|il), (ii|kk), (ii|kl)
    F(i, i) += v * P(k, l);
    F(i, l) += e * P(i, k);
    if (k == i && l == i) return;  // (ii|ii)
    if (k == i) {  // (ii|il), l > i
      F(i, i) += v * P(l, i) + (2.0 * e) * P(i, l);
      F(i, l) += v * P(i, i);
      return;
    }
    // (ii|kk) and (ii|kl), k > i; l > k only in (ii|kl)
    if (l > k) {
      F(i, i) += v * P(l, k);
      F(i, k) += e * P(i, l);
    }
    F(k, l) += v * P(i, i);
    return;
  }

  if (k == i) {  // (ij|ij) and (ij|il), i < j, l >= j; l > j only in (ij|il)
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

  // (ij|kl), i < j, k > i: the tests on j against k and l pick the terms
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

}  // namespace scf1s
