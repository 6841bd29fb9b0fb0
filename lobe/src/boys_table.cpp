#include "boys_table.h"

#include "boys_function.h"

namespace lobe {

BoysTable::BoysTable() {
  const int points = static_cast<int>(kLimit) * kStepsPerUnit + 1;
  for (int i = 0; i < points; ++i) {
    const double t = static_cast<double>(i) / kStepsPerUnit;
    // The highest order by its series F_m(T) = exp(-T) sum (2T)^j / ((2m+1)(2m+3)...(2m+2j+1)),
    // all terms positive; then downward, F_k = (2T F_(k+1) + exp(-T)) / (2k + 1), which is stable.
    const int m = kTerms - 1;
    double term = 1.0 / (2 * m + 1), series = term;
    for (int j = 1; term > 1e-18 * series; ++j) {
      term *= 2.0 * t / (2 * m + 2 * j + 1);
      series += term;
    }
    std::array<double, kTerms> f{};
    const double decay = std::exp(-t);
    f[m] = decay * series;
    for (int k = m - 1; k >= 0; --k) f[static_cast<std::size_t>(k)] = (2.0 * t * f[static_cast<std::size_t>(k + 1)] + decay) / (2 * k + 1);
    f[0] = boysF0(t);  // the closed form, exact to the last bit, for the leading term
    double factorial = 1.0;
    for (int k = 0; k < kTerms; ++k) {
      if (k > 0) factorial *= k;
      table_[static_cast<std::size_t>(i * kTerms + k)] = f[static_cast<std::size_t>(k)] / factorial;
    }
  }
}

const BoysTable& boysTable() {
  static const BoysTable table;
  return table;
}

}  // namespace lobe
