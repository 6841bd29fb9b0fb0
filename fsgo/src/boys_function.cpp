#include "boys_function.h"

#include <cmath>
#include <numbers>

namespace fsgo {

namespace {

// Below this t the closed forms lose digits to cancellation (F1 divides the
// difference of two numbers near 1 by t); the series is used instead.
constexpr double kSeriesLimit = 1.0;

// F0(t) = sum_k (-t)^k / (k! (2k+1)), F1(t) = sum_k (-t)^k / (k! (2k+3)).
// At t <= 1 the terms fall below 1e-17 of the sum by k = 18.
BoysValue series(double t) {
  double term = 1.0;  // (-t)^k / k!
  double f0 = 0.0, f1 = 0.0;
  for (int k = 0; k < 24; ++k) {
    f0 += term / (2 * k + 1);
    f1 += term / (2 * k + 3);
    term *= -t / (k + 1);
  }
  return {f0, -f1};
}

}  // namespace

BoysValue boys(double t) {
  if (t < kSeriesLimit) return series(t);
  const double x = std::sqrt(t);
  const double f0 = 0.5 * std::sqrt(std::numbers::pi) * std::erf(x) / x;
  const double f1 = (f0 - std::exp(-t)) / (2.0 * t);
  return {f0, -f1};
}

}  // namespace fsgo
