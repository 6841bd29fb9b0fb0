#include "boys_function.h"

#include <cmath>
#include <numbers>

namespace lobe {

double boysF0(double t) {
  if (t < 1e-3) {
    // F0(T) = sum over k of (-T)^k / (k! (2k + 1)); five terms leave an error
    // below T^5/(120 * 11) < 1e-17 here.
    return 1.0 - t * (1.0 / 3.0 - t * (1.0 / 10.0 - t * (1.0 / 42.0 - t * (1.0 / 216.0))));
  }
  const double root = std::sqrt(t);
  return 0.5 * std::sqrt(std::numbers::pi / t) * std::erf(root);
}

}  // namespace lobe
