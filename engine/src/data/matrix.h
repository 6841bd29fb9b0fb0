#pragma once

#include <array>

#include "capacities.h"

namespace scf1s {

// Doubles from one row of a Matrix to the next: its storage is row-major,
// 0-based in v, always 20 x 20.
inline constexpr int kStride = kMaxSpheres;

// A 20 x 20 matrix of doubles indexed (row, column) from 1; only the leading
// nbs x nbs block is used.
struct Matrix {
  std::array<double, kMaxSpheres * kMaxSpheres> v{};

  double& operator()(int i, int j) { return v[(i - 1) * kMaxSpheres + (j - 1)]; }
  double operator()(int i, int j) const { return v[(i - 1) * kMaxSpheres + (j - 1)]; }
};

// A vector of 20 doubles indexed from 1.
struct Vector {
  std::array<double, kMaxSpheres> v{};

  double& operator()(int i) { return v[i - 1]; }
  double operator()(int i) const { return v[i - 1]; }
};

}  // namespace scf1s
