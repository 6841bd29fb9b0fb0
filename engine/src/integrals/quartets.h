#pragma once

namespace scf1s {

// Visits the unique quartets (i, j, k, l) of n spheres in the canonical order:
// i = 1..n; j = i..n; k = i..n; l from j when k = i, otherwise from k, to n.
// Each quartet with i <= j, k <= l and pair(i,j) <= pair(k,l) comes once.
template <class Visit>
void forEachQuartet(int n, Visit&& visit) {
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      for (int k = i; k <= n; ++k)
        for (int l = (k == i ? j : k); l <= n; ++l) visit(i, j, k, l);
}

}  // namespace scf1s
