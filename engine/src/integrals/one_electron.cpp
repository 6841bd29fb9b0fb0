#include "one_electron.h"

#include <cmath>

#include "fzero.h"
#include "geometry.h"

namespace scf1s {

namespace {

// Normalised Slater 1s functions on one nucleus of charge zn(1).
void singleCentre(int i, int j, EngineData& data) {
  const double a = data.sphere(i).alpha;
  const double b = data.sphere(j).alpha;
  const double p = a + b;
  const double ab = a * b;
  const double z1 = data.atom(1).zn;

  const double s = (8.0 * std::pow(ab, 1.5)) / ((p * p) * p);
  // Kinetic part ab*S/2 and nuclear attraction -p*Z*S/2 together.
  const double h = (0.5 * s) * (ab - p * z1);

  data.S(i, j) = s;
  data.S(j, i) = s;
  data.H(i, j) = h;
  data.H(j, i) = h;
}

// Normalised floating 1s Gaussians attracted by atoms 1..nat.
void multiCentre(int i, int j, int nat, EngineData& data) {
  const Sphere& si = data.sphere(i);
  const Sphere& sj = data.sphere(j);
  const double a = si.alpha;
  const double b = sj.alpha;
  const double p = a + b;
  const double ab = a * b;

  // (2/pi)^(3/2) (ab)^(3/4): the product of the two normalisation constants.
  const double twoOverPi = 2.0 / kPi;
  const double ab3 = (ab * ab) * ab;
  const double norm =
      std::sqrt((twoOverPi * twoOverPi) * twoOverPi) * std::sqrt(std::sqrt(ab3));

  const double mu = ab / p;
  const double r2 = squaredDistance(centreOf(si), centreOf(sj));
  const double k = std::exp(-(mu * r2));

  const double s = (std::pow(kPi / p, 1.5) * k) * norm;
  const double t = (mu * (3.0 - (2.0 * mu) * r2)) * s;

  // Centre of the Gaussian product, where the charge distribution sits.
  const Point product = productCentre(si, a, sj, b, p);
  const double w = ((2.0 * kPi / p) * k) * norm;

  double h = t;
  for (int atomIndex = 1; atomIndex <= nat; ++atomIndex) {
    const Atom& nucleus = data.atom(atomIndex);
    const double f0 = fzero(p * squaredDistance(product, centreOf(nucleus)));
    h -= (nucleus.zn * w) * f0;
  }

  data.S(i, j) = s;
  data.S(j, i) = s;
  data.H(i, j) = h;
  data.H(j, i) = h;
}

}  // namespace

void oneint(int i, int j, int iop, int nat, EngineData& data) {
  if (iop < 2)
    singleCentre(i, j, data);
  else
    multiCentre(i, j, nat, data);
}

}  // namespace scf1s
