#pragma once

namespace fsgo {

// Nearly merging spheres make the overlap matrix nearly singular: the basis
// loses a dimension and the energy loses its meaning. Below `onset` the
// smallest overlap eigenvalue lambda pays a barrier that rises like 1/lambda,
// B = strength (onset/lambda - 1 - ln(onset/lambda)), which is zero with zero
// slope at the onset; below `singular` no energy is computed at all.
struct OverlapFloor {
  double onset = 1e-3;
  double strength = 1e-3;  // hartree
  double singular = 1e-9;

  bool active(double lambda) const { return lambda < onset; }
  double barrier(double lambda) const;
  double slope(double lambda) const;  // dB/dlambda
};

}  // namespace fsgo
