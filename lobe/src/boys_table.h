#pragma once

#include <array>
#include <cmath>
#include <numbers>

namespace lobe {

// F0 for the two-electron integrals' innermost loop, as fast as a table
// lookup and as exact as boysF0: below T = 36 an eight-term Taylor series about
// the nearest point of a grid of step 1/16, whose derivatives
// F0^(k) = (-1)^k F_k are tabulated (truncation error below 3e-17); above,
// sqrt(pi/T)/2, which F0 equals to double precision there.
class BoysTable {
 public:
  static constexpr double kLimit = 36.0;
  static constexpr int kStepsPerUnit = 16;
  static constexpr int kTerms = 8;

  BoysTable();

  double f0(double t) const {
    // Written without branches, so that a loop over many T can run as vector code.
    const double clamped = t < kLimit ? t : kLimit;
    const int point = static_cast<int>(clamped * kStepsPerUnit + 0.5);
    const double delta = point * (1.0 / kStepsPerUnit) - clamped;  // F0(t) = sum F_k(t_i) delta^k / k!
    const double* f = &table_[static_cast<std::size_t>(point) * kTerms];
    double sum = f[kTerms - 1];
    for (int k = kTerms - 2; k >= 0; --k) sum = f[k] + sum * delta;
    return t < kLimit ? sum : 0.5 * std::sqrt(std::numbers::pi / t);
  }

 private:
  // F_k(t_i) / k! for every grid point i and order k.
  std::array<double, (static_cast<std::size_t>(kLimit) * kStepsPerUnit + 1) * kTerms> table_{};
};

const BoysTable& boysTable();

}  // namespace lobe
