#pragma once

namespace lobe {

// The Boys function of order zero, F0(T) = integral over u from 0 to 1 of
// exp(-T u^2), to full double precision: a short Taylor series near zero,
// where the closed form 1/2 sqrt(pi/T) erf(sqrt(T)) loses digits, and the
// closed form through the library's erf elsewhere.
double boysF0(double t);

}  // namespace lobe
