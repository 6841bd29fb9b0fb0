#pragma once

#include <array>

#include "engine_data.h"
#include "geometry.h"

namespace scf1s {

// The two-electron integral (ij|kl) over spheres i, j, k, l of the sphere table.
double twoint(int i, int j, int k, int l, int iop, const EngineData& data);

// What an integral over floating 1s Gaussians takes from one of its sphere
// pairs (i, j) with exponents a and b.
struct GaussianPair {
  double a = 0, b = 0;
  double ab = 0;        // a * b
  double p = 0;         // a + b
  double exponent = 0;  // (a b / p) |A - B|^2, one half of the exp(-...) argument
  Point centre;         // the centre of the product of the two Gaussians
};

GaussianPair gaussianPair(const Sphere& si, const Sphere& sj);

// The integrals of many quartets over one sphere table, each equal to twoint
// bit for bit: the Gaussian pairs are formed once, by the same expressions.
class QuartetIntegrals {
 public:
  explicit QuartetIntegrals(const EngineData& data);
  double operator()(int i, int j, int k, int l) const;

 private:
  const EngineData& data_;
  std::array<GaussianPair, kMaxSpheres * kMaxSpheres> pairs_{};
};

}  // namespace scf1s
