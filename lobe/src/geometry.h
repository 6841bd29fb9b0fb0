#pragma once

#include <array>

namespace lobe {

// A point or vector in bohr.
using Point = std::array<double, 3>;

inline double distanceSquared(const Point& a, const Point& b) {
  const double dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
  return dx * dx + dy * dy + dz * dz;
}

// The CODATA 2018 bohr radius in angstrom.
inline constexpr double kBohrInAngstrom = 0.529177210903;

}  // namespace lobe
