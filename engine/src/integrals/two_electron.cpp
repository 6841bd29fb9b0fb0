#include "two_electron.h"

#include <cmath>

#include "fzero.h"

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

// Four normalised floating 1s Gaussians, from their pairs (i, j) and (k, l)
// with exponents a, b and c, d.
double multiCentre(const GaussianPair& ij, const GaussianPair& kl) {
  const double p = ij.p;
  const double q = kl.p;

  // (2/pi)^3 (abcd)^(3/4): the product of the four normalisation constants.
  const double abcd = (ij.ab * kl.a) * kl.b;
  const double abcd3 = (abcd * abcd) * abcd;
  const double twoOverPi = 2.0 / kPi;
  const double norm = std::sqrt(std::sqrt(abcd3)) * ((twoOverPi * twoOverPi) * twoOverPi);

  const double k = std::exp(-(ij.exponent + kl.exponent));
  const double t = ((p * q) / (p + q)) * squaredDistance(ij.centre, kl.centre);

  return (((kTwoPiToFiveHalves * k) / ((p * q) * std::sqrt(p + q))) * fzero(t)) * norm;
}

}  // namespace

GaussianPair gaussianPair(const Sphere& si, const Sphere& sj) {
  GaussianPair g;
  g.a = si.alpha;
  g.b = sj.alpha;
  g.ab = g.a * g.b;
  g.p = g.a + g.b;
  g.exponent = (g.ab / g.p) * squaredDistance(centreOf(si), centreOf(sj));
  g.centre = productCentre(si, g.a, sj, g.b, g.p);
  return g;
}

double twoint(int i, int j, int k, int l, int iop, const EngineData& data) {
  const Sphere& si = data.sphere(i);
  const Sphere& sj = data.sphere(j);
  const Sphere& sk = data.sphere(k);
  const Sphere& sl = data.sphere(l);
  if (iop < 2) return singleCentre(si.alpha, sj.alpha, sk.alpha, sl.alpha);
  return multiCentre(gaussianPair(si, sj), gaussianPair(sk, sl));
}

QuartetIntegrals::QuartetIntegrals(const EngineData& data) : data_(data) {
  if (data.deck.iop < 2) return;
  for (int i = 1; i <= data.deck.nbs; ++i)
    for (int j = 1; j <= data.deck.nbs; ++j)
      pairs_[(i - 1) * kMaxSpheres + (j - 1)] = gaussianPair(data.sphere(i), data.sphere(j));
}

double QuartetIntegrals::operator()(int i, int j, int k, int l) const {
  if (data_.deck.iop < 2) return twoint(i, j, k, l, data_.deck.iop, data_);
  return multiCentre(pairs_[(i - 1) * kMaxSpheres + (j - 1)], pairs_[(k - 1) * kMaxSpheres + (l - 1)]);
}

}  // namespace scf1s
