#pragma once

#include <cmath>
#include <numbers>

#include "boys_function.h"
#include "geometry.h"

namespace lobe {

// One s-type Gaussian exp(-exponent |r - centre|^2) with its weight in a
// basis function: a lobe.
struct Lobe {
  Point centre{};
  double exponent = 0;
  double coefficient = 0;
};

// The product of two s Gaussians is one s Gaussian: exponent p = a + b at
// P = (aA + bB)/p, scaled by K = exp(-ab/p |A - B|^2).
struct GaussianProduct {
  double p = 0;
  Point centre{};
  double k = 0;
};

inline GaussianProduct gaussianProduct(const Point& a, double alpha, const Point& b, double beta) {
  GaussianProduct product;
  product.p = alpha + beta;
  for (int i = 0; i < 3; ++i) product.centre[i] = (alpha * a[i] + beta * b[i]) / product.p;
  product.k = std::exp(-alpha * beta / product.p * distanceSquared(a, b));
  return product;
}

// Closed forms over unnormalised s Gaussians (a at A, b at B).
inline double overlapSS(const Point& a, double alpha, const Point& b, double beta) {
  const double p = alpha + beta;
  return std::pow(std::numbers::pi / p, 1.5) * std::exp(-alpha * beta / p * distanceSquared(a, b));
}

inline double kineticSS(const Point& a, double alpha, const Point& b, double beta) {
  const double p = alpha + beta;
  const double mu = alpha * beta / p;
  const double r2 = distanceSquared(a, b);
  return mu * (3.0 - 2.0 * mu * r2) * std::pow(std::numbers::pi / p, 1.5) * std::exp(-mu * r2);
}

// <a| 1/|r - C| |b>: the attraction of a unit charge at C, without its sign.
inline double attractionSS(const GaussianProduct& ab, const Point& c) {
  return 2.0 * std::numbers::pi / ab.p * ab.k * boysF0(ab.p * distanceSquared(ab.centre, c));
}

}  // namespace lobe
