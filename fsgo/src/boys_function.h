#pragma once

namespace fsgo {

// The Boys function of order zero, F0(t) = integral over u in [0,1] of
// exp(-t u^2), and its derivative dF0/dt = -F1(t), both to full double
// precision for t >= 0. The Coulomb integrals over s Gaussians and their
// gradients need both.
struct BoysValue {
  double f0;
  double derivative;  // -F1(t)
};

BoysValue boys(double t);

}  // namespace fsgo
