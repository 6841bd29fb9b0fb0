#pragma once

#include <array>

#include "capacities.h"

namespace scf1s {

// Running number of the sphere pair (i, j), row by row over i <= j:
// pair(1,1) = 1, pair(1,20) = 20, pair(2,2) = 21, ..., pair(20,20) = 210.
// The table is symmetric and covers all pairs of up to 20 spheres.
class PairIndex {
 public:
  PairIndex() {
    int counter = 0;
    for (int i = 1; i <= kMaxSpheres; ++i)
      for (int j = i; j <= kMaxSpheres; ++j) {
        ++counter;
        table_[(i - 1) * kMaxSpheres + (j - 1)] = counter;
        table_[(j - 1) * kMaxSpheres + (i - 1)] = counter;
      }
  }
  int operator()(int i, int j) const { return table_[(i - 1) * kMaxSpheres + (j - 1)]; }

 private:
  std::array<int, kMaxSpheres * kMaxSpheres> table_{};
};

// The unique two-electron integral list: entry (pair(i,j), pair(k,l)) holds
// (ij|kl) for each canonical quartet. Indexed from 1, all zero at start.
struct IntegralList {
  std::array<double, kMaxPairs * kMaxPairs> v{};

  double& operator()(int row, int col) { return v[(row - 1) * kMaxPairs + (col - 1)]; }
  double operator()(int row, int col) const { return v[(row - 1) * kMaxPairs + (col - 1)]; }
};

}  // namespace scf1s
