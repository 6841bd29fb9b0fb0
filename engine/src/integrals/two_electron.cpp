#include "two_electron.h"

#include <bit>
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
// with exponents a, b and c, d; f0 is fzero or a table of its values.
template <class F0>
double multiCentre(const GaussianPair& ij, const GaussianPair& kl, F0&& f0) {
  const double p = ij.p;
  const double q = kl.p;

  // (2/pi)^3 (abcd)^(3/4): the product of the four normalisation constants.
  const double abcd = (ij.ab * kl.a) * kl.b;
  const double abcd3 = (abcd * abcd) * abcd;
  const double twoOverPi = 2.0 / kPi;
  const double norm = std::sqrt(std::sqrt(abcd3)) * ((twoOverPi * twoOverPi) * twoOverPi);

  const double k = std::exp(-(ij.exponent + kl.exponent));
  const double t = ((p * q) / (p + q)) * squaredDistance(ij.centre, kl.centre);

  return (((kTwoPiToFiveHalves * k) / ((p * q) * std::sqrt(p + q))) * f0(t)) * norm;
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
  return multiCentre(gaussianPair(si, sj), gaussianPair(sk, sl), fzero);
}

FzeroTable::FzeroTable() : entries_(new Entry[kSlots]) {}

double FzeroTable::operator()(double t) {
  const auto key = std::bit_cast<std::uint64_t>(t);
  if (key == 0) return fzero(t);
  // Fibonacci hashing: the top bits of the product mix all bits of t.
  std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - kBits));
  for (;;) {
    Entry& e = entries_[slot];
    if (e.key == key) return e.value;
    if (e.key == 0) {
      const double value = fzero(t);
      if (kept_ < kSlots / 4 * 3) {
        e.key = key;
        e.value = value;
        ++kept_;
      }
      return value;
    }
    slot = (slot + 1) & (kSlots - 1);
  }
}

QuartetIntegrals::QuartetIntegrals(const EngineData& data) : data_(data) {
  if (data.deck.iop < 2) return;
  for (int i = 1; i <= data.deck.nbs; ++i)
    for (int j = 1; j <= data.deck.nbs; ++j)
      pairs_[(i - 1) * kMaxSpheres + (j - 1)] = gaussianPair(data.sphere(i), data.sphere(j));
}

double QuartetIntegrals::operator()(int i, int j, int k, int l) {
  if (data_.deck.iop < 2) return twoint(i, j, k, l, data_.deck.iop, data_);
  return multiCentre(pairs_[(i - 1) * kMaxSpheres + (j - 1)], pairs_[(k - 1) * kMaxSpheres + (l - 1)], fzero_);
}

}  // namespace scf1s
