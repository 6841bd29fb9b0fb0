#include "overlap_floor.h"

#include <cmath>

namespace fsgo {

double OverlapFloor::barrier(double lambda) const {
  if (!active(lambda)) return 0.0;
  const double x = onset / lambda;
  return strength * (x - 1.0 - std::log(x));
}

double OverlapFloor::slope(double lambda) const {
  if (!active(lambda)) return 0.0;
  return strength * (1.0 / lambda - onset / (lambda * lambda));
}

}  // namespace fsgo
