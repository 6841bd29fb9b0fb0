#include "two_electron.h"

#include <cmath>

#include "fzero.h"
#include "geometry.h"

namespace scf1s {

namespace {

// Four normalised Slater 1s functions on one centre.
double singleCentre(double a, double b, double c, double d) {
  const double p = a + b;
  const double q = c + d;
  const double s = p + q;
  const double abcd = ((a * b) * c) * d;
  const double pq = p * q;
  return (32.0 * std::pow(abcd, 1.5)) *
         (1.0 / ((((s * s) * s) * p) * q) + 1.0 / ((pq * pq) * s));
}

// Four normalised floating 1s Gaussians.
double multiCentre(const Sphere& si, const Sphere& sj, const Sphere& sk, const Sphere& sl) {
  const double a = si.alpha;
  const double b = sj.alpha;
  const double c = sk.alpha;
  const double d = sl.alpha;
  const double p = a + b;
  const double q = c + d;

  // (2/pi)^3 (abcd)^(3/4): the product of the four normalisation constants.
  const double abcd = ((a * b) * c) * d;
  const double abcd3 = (abcd * abcd) * abcd;
  const double twoOverPi = 2.0 / kPi;
  const double norm = std::sqrt(std::sqrt(abcd3)) * ((twoOverPi * twoOverPi) * twoOverPi);

  const Point centreP = productCentre(si, a, sj, b, p);
  const Point centreQ = productCentre(sk, c, sl, d, q);

  const double k = std::exp(-(((a * b) / p) * squaredDistance(centreOf(si), centreOf(sj)) +
                              ((c * d) / q) * squaredDistance(centreOf(sk), centreOf(sl))));
  const double t = ((p * q) / (p + q)) * squaredDistance(centreP, centreQ);

  return (((kTwoPiToFiveHalves * k) / ((p * q) * std::sqrt(p + q))) * fzero(t)) * norm;
}

}  // namespace

double twoint(int i, int j, int k, int l, int iop, const EngineData& data) {
  const Sphere& si = data.sphere(i);
  const Sphere& sj = data.sphere(j);
  const Sphere& sk = data.sphere(k);
  const Sphere& sl = data.sphere(l);
  if (iop < 2) return singleCentre(si.alpha, sj.alpha, sk.alpha, sl.alpha);
  return multiCentre(si, sj, sk, sl);
}

}  // namespace scf1s
