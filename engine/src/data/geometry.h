#pragma once

#include "engine_data.h"

namespace scf1s {

struct Point {
  double x = 0, y = 0, z = 0;
};

inline Point centreOf(const Sphere& s) { return {s.x, s.y, s.z}; }
inline Point centreOf(const Atom& a) { return {a.x, a.y, a.z}; }

// Squared distance, summed x, y, z in that order.
inline double squaredDistance(const Point& u, const Point& w) {
  const double dx = u.x - w.x;
  const double dy = u.y - w.y;
  const double dz = u.z - w.z;
  return (dx * dx + dy * dy) + dz * dz;
}

// Centre of the product of two Gaussians with exponents a and b (p = a + b).
inline Point productCentre(const Sphere& u, double a, const Sphere& w, double b, double p) {
  return {(a * u.x + b * w.x) / p, (a * u.y + b * w.y) / p, (a * u.z + b * w.z) / p};
}

}  // namespace scf1s
