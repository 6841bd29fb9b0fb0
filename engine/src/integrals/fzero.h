#pragma once

namespace scf1s {

// The Boys function F0(t) for t >= 0, with the error function approximated by
// Abramowitz and Stegun 7.1.28 (the approximation is part of the printed values).
double fzero(double t);

}  // namespace scf1s
