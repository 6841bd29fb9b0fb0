#include "fock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "quartets.h"

namespace scf1s {
namespace {

std::unique_ptr<EngineData> makeData(int nbs) {
  auto d = std::make_unique<EngineData>();
  d->deck.nbs = nbs;
  return d;
}

// A symmetric random n x n block.
void fillSymmetric(Matrix& m, int n, std::mt19937& rng, double lo, double hi) {
  std::uniform_real_distribution<double> u(lo, hi);
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) m(i, j) = m(j, i) = u(rng);
}

// Integral values with the eightfold symmetry: a symmetric table over pair
// numbers, (ij|kl) = table(pair(i,j), pair(k,l)).
class SymmetricIntegrals {
 public:
  SymmetricIntegrals(int n, std::mt19937& rng) : n_(n), values_(kMaxPairs * kMaxPairs) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int p = 1; p <= kMaxPairs; ++p)
      for (int q = p; q <= kMaxPairs; ++q) at(p, q) = at(q, p) = u(rng);
  }
  double operator()(int i, int j, int k, int l) const { return values_[index(pair_(i, j), pair_(k, l))]; }

  // Stores only the canonical quartets, as the list pass does.
  void storeCanonical(EngineData& d) const {
    forEachQuartet(n_, [&](int i, int j, int k, int l) {
      d.integrals(d.pair(i, j), d.pair(k, l)) = (*this)(i, j, k, l);
    });
  }

 private:
  static int index(int p, int q) { return (p - 1) * kMaxPairs + (q - 1); }
  double& at(int p, int q) { return values_[index(p, q)]; }
  int n_;
  PairIndex pair_;
  std::vector<double> values_;
};

// F(mu,nu) = H(mu,nu) + sum over lambda, sigma of P(lambda,sigma) [(mu nu|lambda sigma) - (mu lambda|nu sigma)/2].
Matrix directFock(const EngineData& d, const SymmetricIntegrals& g) {
  const int n = d.deck.nbs;
  Matrix f;
  for (int mu = 1; mu <= n; ++mu)
    for (int nu = 1; nu <= n; ++nu) {
      double sum = d.H(mu, nu);
      for (int la = 1; la <= n; ++la)
        for (int si = 1; si <= n; ++si)
          sum += d.P(la, si) * (g(mu, nu, la, si) - 0.5 * g(mu, la, nu, si));
      f(mu, nu) = sum;
    }
  return f;
}

// The contribution rule spelled out: every distinct index order (a,b,c,d) of
// the quartet adds v P(c,d) to F(a,b) when a <= b and x v P(b,d) to F(a,c)
// when a <= c.
void scatterByIndexOrders(int i, int j, int k, int l, double v, double x, Matrix& F, const Matrix& P) {
  const std::set<std::array<int, 4>> orders{{i, j, k, l}, {j, i, k, l}, {i, j, l, k}, {j, i, l, k},
                                            {k, l, i, j}, {l, k, i, j}, {k, l, j, i}, {l, k, j, i}};
  for (const auto& [a, b, c, e] : orders) {
    if (a <= b) F(a, b) += v * P(c, e);
    if (a <= c) F(a, c) += x * v * P(b, e);
  }
}

TEST(FockAdd, EachCanonicalQuartetMatchesTheIndexOrderRule) {
  std::mt19937 rng(11);
  Matrix P;
  fillSymmetric(P, 5, rng, -1.0, 1.0);
  forEachQuartet(5, [&](int i, int j, int k, int l) {
    Matrix viaCases, viaOrders;
    fockad(i, j, k, l, 0.8125, -0.5, viaCases, P);
    scatterByIndexOrders(i, j, k, l, 0.8125, -0.5, viaOrders, P);
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 5; ++c)
        EXPECT_NEAR(viaCases(r, c), viaOrders(r, c), 1e-15)
            << "quartet " << i << j << k << l << " element " << r << "," << c;
  });
}

TEST(FockAdd, WritesOnlyTheUpperTriangle) {
  std::mt19937 rng(5);
  Matrix P;
  fillSymmetric(P, 6, rng, 0.1, 1.0);
  forEachQuartet(6, [&](int i, int j, int k, int l) {
    Matrix F;
    fockad(i, j, k, l, 1.0, -0.5, F, P);
    for (int r = 2; r <= kMaxSpheres; ++r)
      for (int c = 1; c < r; ++c) EXPECT_EQ(F(r, c), 0.0) << i << j << k << l;
  });
}

TEST(FockAdd, ZeroIntegralTouchesNothing) {
  // Were a zero integral scattered, 0 * infinity would leave NaN behind.
  Matrix P, F;
  for (double& p : P.v) p = std::numeric_limits<double>::infinity();
  for (double v : {0.0, -0.0}) {
    fockad(1, 2, 3, 4, v, -0.5, F, P);
    fockad(1, 1, 1, 1, v, -0.5, F, P);
    fockad(1, 2, 1, 3, v, -0.5, F, P);
  }
  for (double f : F.v) EXPECT_EQ(f, 0.0);
}

TEST(FockBuild, SingleSphere) {
  auto d = makeData(1);
  d->H(1, 1) = -1.25;
  d->P(1, 1) = 0.5;
  d->integrals(1, 1) = 0.75;
  buildFock(*d);
  EXPECT_DOUBLE_EQ(d->F(1, 1), -1.25 + 0.5 * 0.5 * 0.75);
}

TEST(FockBuild, ZeroDensityGivesCoreHamiltonianExactly) {
  std::mt19937 rng(3);
  auto d = makeData(7);
  fillSymmetric(d->H, 7, rng, -2.0, 1.0);
  SymmetricIntegrals(7, rng).storeCanonical(*d);
  for (int r = 1; r <= 7; ++r)
    for (int c = 1; c <= 7; ++c) d->F(r, c) = 99.0;  // leftovers of an earlier iteration
  buildFock(*d);
  for (int r = 1; r <= 7; ++r)
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(d->F(r, c), d->H(r, c)) << r << "," << c;
}

TEST(FockBuild, ZeroIntegralsGiveCoreHamiltonianExactly) {
  std::mt19937 rng(4);
  auto d = makeData(6);
  fillSymmetric(d->H, 6, rng, -2.0, 1.0);
  fillSymmetric(d->P, 6, rng, -1.0, 1.0);
  buildFock(*d);
  for (int r = 1; r <= 6; ++r)
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(d->F(r, c), d->H(r, c)) << r << "," << c;
}

class FockBuildDirectSum : public ::testing::TestWithParam<int> {};

TEST_P(FockBuildDirectSum, EqualsTheDirectDoubleSum) {
  const int n = GetParam();
  std::mt19937 rng(1000 + n);
  auto d = makeData(n);
  fillSymmetric(d->H, n, rng, -3.0, 0.5);
  fillSymmetric(d->P, n, rng, -1.0, 1.0);
  const SymmetricIntegrals g(n, rng);
  g.storeCanonical(*d);

  buildFock(*d);
  const Matrix expected = directFock(*d, g);
  const double tol = 1e-13 * n * n;
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) {
      EXPECT_NEAR(d->F(r, c), expected(r, c), tol) << r << "," << c;
      EXPECT_EQ(d->F(r, c), d->F(c, r)) << r << "," << c;
    }
}

INSTANTIATE_TEST_SUITE_P(FockBasisSizes, FockBuildDirectSum, ::testing::Values(1, 2, 3, 4, 7, 10, 11, 16, 20));

// The printed digits depend on the order of every addition: the build must
// give, bit for bit, what fockad gives quartet by quartet in the canonical
// order, with zero integrals (of both signs) among the values.
TEST_P(FockBuildDirectSum, MatchesTheQuartetByQuartetScatterBitForBit) {
  const int n = GetParam();
  std::mt19937 rng(2000 + n);
  auto d = makeData(n);
  fillSymmetric(d->H, n, rng, -3.0, 0.5);
  fillSymmetric(d->P, n, rng, -1.0, 1.0);
  SymmetricIntegrals(n, rng).storeCanonical(*d);
  std::uniform_int_distribution<int> pick(0, 9);
  forEachQuartet(n, [&](int i, int j, int k, int l) {
    double& v = d->integrals(d->pair(i, j), d->pair(k, l));
    if (int r = pick(rng); r == 0) v = 0.0;
    else if (r == 1) v = -0.0;
  });

  Matrix expected = d->H;
  forEachQuartet(n, [&](int i, int j, int k, int l) {
    fockad(i, j, k, l, d->integrals(d->pair(i, j), d->pair(k, l)), -0.5, expected, d->P);
  });
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) expected(j, i) = expected(i, j);

  buildFock(*d);
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) EXPECT_EQ(d->F(r, c), expected(r, c)) << r << "," << c;
}

// The same with a density that is not symmetric, so that a body reading
// P(k,l) where fockad reads P(l,k) shows.
TEST(FockBuild, MatchesTheQuartetByQuartetScatterWithAnUnsymmetricDensity) {
  std::mt19937 rng(31);
  auto d = makeData(kMaxSpheres);
  fillSymmetric(d->H, kMaxSpheres, rng, -3.0, 0.5);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (double& p : d->P.v) p = u(rng);
  SymmetricIntegrals(kMaxSpheres, rng).storeCanonical(*d);
  Matrix expected = d->H;
  forEachQuartet(kMaxSpheres, [&](int i, int j, int k, int l) {
    fockad(i, j, k, l, d->integrals(d->pair(i, j), d->pair(k, l)), -0.5, expected, d->P);
  });
  buildFock(*d);
  for (int r = 1; r <= kMaxSpheres; ++r)
    for (int c = r; c <= kMaxSpheres; ++c) EXPECT_EQ(d->F(r, c), expected(r, c)) << r << "," << c;
}

// fockad skips a zero integral, so its terms cannot turn a -0.0 of H into
// +0.0, nor meet an infinite density and make NaN.
TEST(FockBuild, ZeroIntegralsKeepNegativeZerosAndIgnoreInfiniteDensities) {
  for (const bool infiniteDensity : {false, true}) {
    std::mt19937 rng(37);
    auto d = makeData(6);
    fillSymmetric(d->H, 6, rng, -2.0, 1.0);
    fillSymmetric(d->P, 6, rng, -1.0, 1.0);
    d->H(2, 5) = d->H(5, 2) = -0.0;
    if (infiniteDensity) d->P(3, 4) = d->P(4, 3) = std::numeric_limits<double>::infinity();
    buildFock(*d);
    for (int r = 1; r <= 6; ++r)
      for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(d->F(r, c), d->H(r, c)) << r << "," << c;
        EXPECT_EQ(std::signbit(d->F(r, c)), std::signbit(d->H(r, c))) << r << "," << c;
      }
  }
}

TEST(FockBuild, LeavesEntriesBeyondTheBasisAlone) {
  std::mt19937 rng(9);
  auto d = makeData(3);
  fillSymmetric(d->H, kMaxSpheres, rng, -1.0, 1.0);
  fillSymmetric(d->P, 3, rng, -1.0, 1.0);
  SymmetricIntegrals(3, rng).storeCanonical(*d);
  buildFock(*d);
  for (int r = 1; r <= kMaxSpheres; ++r)
    for (int c = 1; c <= kMaxSpheres; ++c)
      if (r > 3 || c > 3) {
        EXPECT_EQ(d->F(r, c), 0.0) << r << "," << c;
      }
}

}  // namespace
}  // namespace scf1s
