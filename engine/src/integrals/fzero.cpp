#include "fzero.h"

#include <cmath>

#include "capacities.h"

namespace scf1s {

namespace {

// Abramowitz and Stegun 7.1.28: erf(x) ~ 1 - 1/(1 + a1 x + ... + a6 x^6)^16,
// absolute error below about 3e-7.
constexpr double kA1 = 0.0705230784;
constexpr double kA2 = 0.0422820123;
constexpr double kA3 = 0.0092705272;
constexpr double kA4 = 0.0001520143;
constexpr double kA5 = 0.0002765672;
constexpr double kA6 = 0.0000430638;

// Below this argument F0 is taken as exactly 1; from here on the
// approximate erf divided by a small x is used as it stands.
constexpr double kSmallT = 3.0e-7;

// Beyond this argument erf(sqrt t) is 1 to double precision.
constexpr double kLargeT = 22.5;

// sqrt(pi)/2 as a decimal constant, for the asymptotic branch.
constexpr double kHalfRootPi = 0.886226925452758;

}  // namespace

double fzero(double t) {
  if (t < kSmallT) return 1.0;
  const double x = std::sqrt(t);
  if (t <= kLargeT) {
    double q = kA6;
    q = q * x + kA5;
    q = q * x + kA4;
    q = q * x + kA3;
    q = q * x + kA2;
    q = q * x + kA1;
    q = q * x + 1.0;
    const double erf = 1.0 - 1.0 / std::pow(q, 16.0);
    return ((0.5 * std::sqrt(kPi)) * erf) / x;
  }
  return kHalfRootPi / x;
}

}  // namespace scf1s
