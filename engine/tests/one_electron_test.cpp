#include "one_electron.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace scf1s {
namespace {

constexpr double kTenDecimals = 5.0e-11;

std::unique_ptr<EngineData> makeData() { return std::make_unique<EngineData>(); }

void setSphere(EngineData& d, int s, double alpha, double x, double y, double z) {
  d.sphere(s) = Sphere{alpha, x, y, z};
}

void setAtom(EngineData& d, int a, double zn, double x, double y, double z) {
  d.atom(a) = Atom{zn, x, y, z};
}

// ---- single-centre (Slater) kind -------------------------------------------

TEST(OneElectronSingleCentre, HydrogenGroundState) {
  auto d = makeData();
  setAtom(*d, 1, 1.0, 0, 0, 0);
  setSphere(*d, 1, 1.0, 0, 0, 0);
  oneint(1, 1, 1, 1, *d);
  EXPECT_NEAR(d->S(1, 1), 1.0, 1e-15);
  EXPECT_NEAR(d->H(1, 1), -0.5, 1e-15);
}

TEST(OneElectronSingleCentre, HydrogenicIonEnergy) {
  // <T> = zeta^2/2, <V> = -Z zeta: He+ with zeta = Z = 2 gives -2.
  auto d = makeData();
  setAtom(*d, 1, 2.0, 0, 0, 0);
  setSphere(*d, 1, 2.0, 0, 0, 0);
  oneint(1, 1, 1, 1, *d);
  EXPECT_NEAR(d->S(1, 1), 1.0, 1e-15);
  EXPECT_NEAR(d->H(1, 1), -2.0, 1e-14);
}

TEST(OneElectronSingleCentre, OffDiagonalMatchesSlaterOverlapAndVirial) {
  // S = (2 sqrt(ab)/p)^3; kinetic ab S/2; attraction -Z p S/2.
  auto d = makeData();
  setAtom(*d, 1, 3.0, 0, 0, 0);
  setSphere(*d, 1, 1.3, 0, 0, 0);
  setSphere(*d, 2, 4.1, 0, 0, 0);
  oneint(1, 2, 0, 1, *d);
  const double a = 1.3, b = 4.1, p = a + b;
  const double s = std::pow(2.0 * std::sqrt(a * b) / p, 3);
  EXPECT_NEAR(d->S(1, 2), s, 1e-14);
  EXPECT_NEAR(d->H(1, 2), 0.5 * a * b * s - 0.5 * 3.0 * p * s, 1e-13);
}

TEST(OneElectronSingleCentre, IgnoresPositionsAndFurtherAtoms) {
  auto d = makeData();
  setAtom(*d, 1, 1.0, 0, 0, 0);
  setAtom(*d, 2, 8.0, 1.0, 0, 0);
  setSphere(*d, 1, 1.0, 5.0, -3.0, 2.0);
  oneint(1, 1, 1, 2, *d);
  EXPECT_NEAR(d->S(1, 1), 1.0, 1e-15);
  EXPECT_NEAR(d->H(1, 1), -0.5, 1e-15);
}

TEST(OneElectronSingleCentre, StoresBothTrianglesBitForBit) {
  auto d = makeData();
  setAtom(*d, 1, 2.0, 0, 0, 0);
  setSphere(*d, 1, 0.7, 0, 0, 0);
  setSphere(*d, 2, 2.9, 0, 0, 0);
  oneint(1, 2, 1, 1, *d);
  EXPECT_EQ(d->S(1, 2), d->S(2, 1));
  EXPECT_EQ(d->H(1, 2), d->H(2, 1));
  EXPECT_LT(d->S(1, 2), 1.0);
}

// ---- multi-centre (Gaussian) kind -------------------------------------------

TEST(OneElectronMultiCentre, SelfOverlapIsOne) {
  auto d = makeData();
  setSphere(*d, 1, 0.37, 1.0, -2.0, 0.5);
  setSphere(*d, 2, 0.37, 1.0, -2.0, 0.5);
  oneint(1, 1, 2, 0, *d);
  oneint(1, 2, 2, 0, *d);
  EXPECT_NEAR(d->S(1, 1), 1.0, 1e-14);
  EXPECT_NEAR(d->S(1, 2), 1.0, 1e-14);
}

TEST(OneElectronMultiCentre, SphereOnNucleus) {
  // S = 1, T = 3a/2 = 1.5, attraction -2 sqrt(2/pi) = -1.5957691216...
  auto d = makeData();
  setAtom(*d, 1, 1.0, 0, 0, 0);
  setSphere(*d, 1, 1.0, 0, 0, 0);
  oneint(1, 1, 2, 1, *d);
  EXPECT_NEAR(d->S(1, 1), 1.0, 1e-14);
  const double pi = 3.14159265358979323846;
  EXPECT_NEAR(d->H(1, 1), 1.5 - 2.0 * std::sqrt(2.0 / pi), 1e-12);
  EXPECT_NEAR(d->H(1, 1), -0.0957691216, kTenDecimals);
}

TEST(OneElectronMultiCentre, WithoutNucleiHIsKineticEnergy) {
  // Same centre: T = 3 ab / p * S with S = (2 sqrt(ab)/p)^(3/2).
  auto d = makeData();
  setSphere(*d, 1, 0.8, 0.3, 0.3, 0.3);
  setSphere(*d, 2, 2.2, 0.3, 0.3, 0.3);
  oneint(1, 1, 3, 0, *d);
  oneint(1, 2, 3, 0, *d);
  const double a = 0.8, b = 2.2, p = a + b;
  const double s = std::pow(2.0 * std::sqrt(a * b) / p, 1.5);
  EXPECT_NEAR(d->S(1, 2), s, 1e-14);
  EXPECT_NEAR(d->H(1, 2), 3.0 * a * b / p * s, 1e-13);
  EXPECT_NEAR(d->H(1, 1), 1.5 * a, 1e-13);
}

TEST(OneElectronMultiCentre, SeparatedSpheresOverlapAndKinetic) {
  // S = (2 sqrt(ab)/p)^(3/2) exp(-mu R^2), T = mu (3 - 2 mu R^2) S.
  auto d = makeData();
  setSphere(*d, 1, 0.5, 0.0, 0.0, 0.0);
  setSphere(*d, 2, 1.5, 0.6, -0.8, 1.0);
  oneint(1, 2, 2, 0, *d);
  const double a = 0.5, b = 1.5, p = a + b, mu = a * b / p, r2 = 0.36 + 0.64 + 1.0;
  const double s = std::pow(2.0 * std::sqrt(a * b) / p, 1.5) * std::exp(-mu * r2);
  EXPECT_NEAR(d->S(1, 2), s, 1e-14);
  EXPECT_NEAR(d->H(1, 2), mu * (3.0 - 2.0 * mu * r2) * s, 1e-14);
}

TEST(OneElectronMultiCentre, HydrogenMolecule) {
  auto d = makeData();
  setAtom(*d, 1, 1.0, 0, 0, -0.7);
  setAtom(*d, 2, 1.0, 0, 0, 0.7);
  setSphere(*d, 1, 1.0, 0, 0, -0.7);
  setSphere(*d, 2, 1.0, 0, 0, 0.7);
  for (int i = 1; i <= 2; ++i)
    for (int j = i; j <= 2; ++j) oneint(i, j, 2, 2, *d);
  EXPECT_NEAR(d->S(1, 1), 1.0, 1e-14);
  EXPECT_NEAR(d->S(2, 2), 1.0, 1e-14);
  EXPECT_NEAR(d->S(1, 2), 0.3753110989, kTenDecimals);
  EXPECT_NEAR(d->S(1, 2), std::exp(-0.98), 1e-14);  // exp(-mu R^2), mu = 1/2, R = 1.4
  EXPECT_NEAR(d->H(1, 1), -0.8064048335, kTenDecimals);
  EXPECT_NEAR(d->H(2, 2), -0.8064048335, kTenDecimals);
  EXPECT_NEAR(d->H(1, 2), -0.7039623838, kTenDecimals);
  EXPECT_EQ(d->S(1, 2), d->S(2, 1));
  EXPECT_EQ(d->H(1, 2), d->H(2, 1));
}

TEST(OneElectronMultiCentre, AttractionToDistantNucleusIsCoulombic) {
  // A normalised Gaussian density far from a point charge Z feels -Z/R.
  auto d = makeData();
  setAtom(*d, 1, 2.0, 0, 0, 30.0);
  setSphere(*d, 1, 1.0, 0, 0, 0);
  oneint(1, 1, 2, 1, *d);
  EXPECT_NEAR(d->H(1, 1), 1.5 - 2.0 / 30.0, 1e-12);
}

TEST(OneElectronMultiCentre, AttractionOfUnequalSpheresSitsAtTheProductCentre) {
  // g_i g_j = S times a normalised Gaussian density of exponent p centred at
  // P = (a A + b B)/p, whose potential at distance d is erf(sqrt(p) d)/d.
  auto d = makeData();
  const double a = 0.5, b = 1.5, p = a + b, mu = a * b / p;
  const double ax = 0.0, ay = 0.0, az = 0.0, bx = 0.3, by = -0.4, bz = 1.0;
  const double cx = 0.5, cy = 0.2, cz = 1.2;
  setAtom(*d, 1, 2.0, cx, cy, cz);
  setSphere(*d, 1, a, ax, ay, az);
  setSphere(*d, 2, b, bx, by, bz);
  oneint(1, 2, 2, 1, *d);
  const double r2 = 0.09 + 0.16 + 1.0;
  const double s = std::pow(2.0 * std::sqrt(a * b) / p, 1.5) * std::exp(-mu * r2);
  const double kinetic = mu * (3.0 - 2.0 * mu * r2) * s;
  const double dist = std::hypot(cx - (a * ax + b * bx) / p, cy - (a * ay + b * by) / p,
                                 cz - (a * az + b * bz) / p);
  const double attraction = -2.0 * s * std::erf(std::sqrt(p) * dist) / dist;
  EXPECT_NEAR(d->S(1, 2), s, 1e-14);
  EXPECT_NEAR(d->H(1, 2), kinetic + attraction, 1e-6);
}

TEST(OneElectronMultiCentre, FarApartSpheresGiveZeroWithoutNaN) {
  auto d = makeData();
  setAtom(*d, 1, 1.0, 0, 0, 0);
  setSphere(*d, 1, 1.0, 0, 0, 0);
  setSphere(*d, 2, 1.0, 0, 0, 100.0);
  oneint(1, 2, 2, 1, *d);
  EXPECT_EQ(d->S(1, 2), 0.0);
  EXPECT_EQ(d->H(1, 2), 0.0);
}

TEST(OneElectronMultiCentre, PairOrderBarelyMatters) {
  // oneint(j, i) describes the same integrals as oneint(i, j).
  auto a = makeData();
  auto b = makeData();
  for (auto* d : {a.get(), b.get()}) {
    setAtom(*d, 1, 1.0, 0.1, 0.2, 0.3);
    setAtom(*d, 2, 3.0, -1.0, 0.5, 0.0);
    setSphere(*d, 1, 0.6, 0.0, 0.4, -0.2);
    setSphere(*d, 2, 2.3, 0.9, 0.0, 0.7);
  }
  oneint(1, 2, 2, 2, *a);
  oneint(2, 1, 2, 2, *b);
  EXPECT_NEAR(a->S(1, 2), b->S(1, 2), 1e-15);
  EXPECT_NEAR(a->H(1, 2), b->H(1, 2), 1e-14);
  EXPECT_EQ(a->H(1, 2), a->H(2, 1));
  EXPECT_EQ(b->S(1, 2), b->S(2, 1));
}

}  // namespace
}  // namespace scf1s
