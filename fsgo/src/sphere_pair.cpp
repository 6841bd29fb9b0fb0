#include "sphere_pair.h"

#include <cmath>
#include <numbers>

#include "boys_function.h"

namespace fsgo {

SpherePair makeSpherePair(const Sphere& u, const Sphere& w, int i, int j) {
  SpherePair s;
  s.i = i;
  s.j = j;
  s.a = u.exponent;
  s.b = w.exponent;
  s.p = s.a + s.b;
  s.mu = s.a * s.b / s.p;
  s.centre = (s.a * u.centre + s.b * w.centre) / s.p;
  s.separation = u.centre - w.centre;
  const double r2 = s.separation.squaredNorm();
  s.overlap = std::pow(4.0 * s.a * s.b / (s.p * s.p), 0.75) * std::exp(-s.mu * r2);

  // d ln S / da = 3/(4a) - 3/(2p) - (b/p)^2 R^2, and d mu / da = (b/p)^2.
  const double dMuDa = (s.b / s.p) * (s.b / s.p);
  const double dMuDb = (s.a / s.p) * (s.a / s.p);
  s.dOverlapDa = s.overlap * (0.75 / s.a - 1.5 / s.p - dMuDa * r2);
  s.dOverlapDb = s.overlap * (0.75 / s.b - 1.5 / s.p - dMuDb * r2);
  s.dOverlapDA = -2.0 * s.mu * s.overlap * s.separation;

  const double shape = s.mu * (3.0 - 2.0 * s.mu * r2);
  s.kinetic = shape * s.overlap;
  s.dKineticDa = dMuDa * (3.0 - 4.0 * s.mu * r2) * s.overlap + shape * s.dOverlapDa;
  s.dKineticDb = dMuDb * (3.0 - 4.0 * s.mu * r2) * s.overlap + shape * s.dOverlapDb;
  s.dKineticDA = -4.0 * s.mu * s.mu * s.overlap * s.separation + shape * s.dOverlapDA;
  return s;
}

AttractionFactor attractionFactor(double p, const Eigen::Vector3d& P, const Nucleus& nucleus) {
  const Eigen::Vector3d d = P - nucleus.position;
  const double d2 = d.squaredNorm();
  const BoysValue f = boys(p * d2);
  const double scale = 2.0 * std::sqrt(p / std::numbers::pi);
  AttractionFactor out;
  out.v = -nucleus.charge * scale * f.f0;
  // d scale / dp = scale / (2p); d(p d2) / dp = d2; d(p d2) / dP = 2 p d.
  out.dp = -nucleus.charge * (scale / (2.0 * p) * f.f0 + scale * f.derivative * d2);
  out.dP = -nucleus.charge * scale * f.derivative * 2.0 * p * d;
  return out;
}

RepulsionFactor repulsionFactor(double p, const Eigen::Vector3d& P, double q, const Eigen::Vector3d& Q) {
  const double sum = p + q;
  const double rho = p * q / sum;
  const Eigen::Vector3d d = P - Q;
  const double d2 = d.squaredNorm();
  const BoysValue f = boys(rho * d2);
  const double scale = 2.0 * std::sqrt(rho / std::numbers::pi);
  // dg/drho, then d rho / dp = (q / (p+q))^2 and d rho / dq = (p / (p+q))^2.
  const double dRho = scale / (2.0 * rho) * f.f0 + scale * f.derivative * d2;
  RepulsionFactor out;
  out.g = scale * f.f0;
  out.dp = dRho * (q / sum) * (q / sum);
  out.dq = dRho * (p / sum) * (p / sum);
  out.dP = scale * f.derivative * 2.0 * rho * d;
  return out;
}

}  // namespace fsgo
