#pragma once

#include <Eigen/Core>

#include "molecule.h"

namespace fsgo {

// The product of two normalised 1s Gaussians (exponents a, b at A, B) is a
// Gaussian of exponent p = a + b at the product centre P = (a A + b B) / p.
// This holds the pair's overlap and kinetic integrals with their derivatives
// with respect to a, b and A (the derivatives with respect to B are the
// negatives of those with respect to A).
struct SpherePair {
  int i = 0, j = 0;  // sphere indices, from 0
  double a = 0, b = 0, p = 0;
  double mu = 0;                  // a b / p
  Eigen::Vector3d centre;         // product centre P
  Eigen::Vector3d separation;     // A - B
  double overlap = 0;             // (4ab/p^2)^(3/4) exp(-mu |A-B|^2)
  double dOverlapDa = 0, dOverlapDb = 0;
  Eigen::Vector3d dOverlapDA;
  double kinetic = 0;             // mu (3 - 2 mu |A-B|^2) S
  double dKineticDa = 0, dKineticDb = 0;
  Eigen::Vector3d dKineticDA;
};

SpherePair makeSpherePair(const Sphere& u, const Sphere& w, int i, int j);

// Index of the unordered pair {i, j} among the n (n + 1) / 2 pairs.
inline int pairIndex(int i, int j) { return i >= j ? i * (i + 1) / 2 + j : j * (j + 1) / 2 + i; }

// The attraction of the pair's charge distribution to nucleus C, as a factor
// of the overlap: V = S * v with v = -Z 2 sqrt(p/pi) F0(p |P - C|^2), and the
// derivatives of v with respect to p, P and C (dv/dC = -dv/dP).
struct AttractionFactor {
  double v = 0;
  double dp = 0;
  Eigen::Vector3d dP;
};
AttractionFactor attractionFactor(double p, const Eigen::Vector3d& P, const Nucleus& nucleus);

// The Coulomb repulsion of two pair distributions, as a factor of their
// overlaps: (ij|kl) = S_ij S_kl g with g = 2 sqrt(rho/pi) F0(rho |P - Q|^2),
// rho = p q / (p + q); and the derivatives of g with respect to p, q and P
// (dg/dQ = -dg/dP).
struct RepulsionFactor {
  double g = 0;
  double dp = 0, dq = 0;
  Eigen::Vector3d dP;
};
RepulsionFactor repulsionFactor(double p, const Eigen::Vector3d& P, double q, const Eigen::Vector3d& Q);

}  // namespace fsgo
