#include "one_electron.h"

namespace lobe {
namespace {

// A symmetric matrix whose element (mu, nu) is the sum over lobe pairs of
// c_a c_b element(a, b).
template <class Element>
Eigen::MatrixXd lobeSumMatrix(const LobeBasis& basis, Element element) {
  const auto n = static_cast<Eigen::Index>(basis.functions.size());
  Eigen::MatrixXd matrix(n, n);
  for (Eigen::Index mu = 0; mu < n; ++mu) {
    for (Eigen::Index nu = 0; nu <= mu; ++nu) {
      double sum = 0;
      for (const Lobe& a : basis.functions[static_cast<std::size_t>(mu)].lobes) {
        for (const Lobe& b : basis.functions[static_cast<std::size_t>(nu)].lobes) {
          sum += a.coefficient * b.coefficient * element(a, b);
        }
      }
      matrix(mu, nu) = matrix(nu, mu) = sum;
    }
  }
  return matrix;
}

}  // namespace

Eigen::MatrixXd overlapMatrix(const LobeBasis& basis) {
  return lobeSumMatrix(basis, [](const Lobe& a, const Lobe& b) {
    return overlapSS(a.centre, a.exponent, b.centre, b.exponent);
  });
}

Eigen::MatrixXd kineticMatrix(const LobeBasis& basis) {
  return lobeSumMatrix(basis, [](const Lobe& a, const Lobe& b) {
    return kineticSS(a.centre, a.exponent, b.centre, b.exponent);
  });
}

Eigen::MatrixXd nuclearAttractionMatrix(const LobeBasis& basis, const Molecule& molecule) {
  return lobeSumMatrix(basis, [&molecule](const Lobe& a, const Lobe& b) {
    const GaussianProduct ab = gaussianProduct(a.centre, a.exponent, b.centre, b.exponent);
    double sum = 0;
    for (const Atom& atom : molecule.atoms) sum -= atom.atomicNumber * attractionSS(ab, atom.bohr);
    return sum;
  });
}

// For s Gaussians the product is one Gaussian at P, so <a| r_i |b> = P_i S_ab
// and <a| r_i r_j |b> = (P_i P_j + delta_ij / 2p) S_ab.
std::array<Eigen::MatrixXd, 3> dipoleMatrices(const LobeBasis& basis, const Point& origin) {
  std::array<Eigen::MatrixXd, 3> matrices;
  for (int i = 0; i < 3; ++i) {
    matrices[static_cast<std::size_t>(i)] = lobeSumMatrix(basis, [&origin, i](const Lobe& a, const Lobe& b) {
      const GaussianProduct ab = gaussianProduct(a.centre, a.exponent, b.centre, b.exponent);
      return (ab.centre[i] - origin[i]) * std::pow(std::numbers::pi / ab.p, 1.5) * ab.k;
    });
  }
  return matrices;
}

std::array<Eigen::MatrixXd, 6> secondMomentMatrices(const LobeBasis& basis, const Point& origin) {
  static constexpr std::array<std::array<int, 2>, 6> kPairs{{{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 2}}};
  std::array<Eigen::MatrixXd, 6> matrices;
  for (std::size_t m = 0; m < kPairs.size(); ++m) {
    const int i = kPairs[m][0], j = kPairs[m][1];
    matrices[m] = lobeSumMatrix(basis, [&origin, i, j](const Lobe& a, const Lobe& b) {
      const GaussianProduct ab = gaussianProduct(a.centre, a.exponent, b.centre, b.exponent);
      const double moment = (ab.centre[i] - origin[i]) * (ab.centre[j] - origin[j]) + (i == j ? 0.5 / ab.p : 0.0);
      return moment * std::pow(std::numbers::pi / ab.p, 1.5) * ab.k;
    });
  }
  return matrices;
}

}  // namespace lobe
