#include "analysis.h"

namespace lobe {

PopulationAnalysis populationAnalysis(const Molecule& molecule, const LobeBasis& basis, const Eigen::MatrixXd& overlap,
                                      const ScfResult& scf) {
  const Eigen::MatrixXd psAlpha = scf.alpha.density * overlap;
  const Eigen::MatrixXd psBeta = scf.beta.density * overlap;
  const Eigen::MatrixXd psTotal = psAlpha + psBeta;
  const auto atoms = static_cast<Eigen::Index>(molecule.atoms.size());
  PopulationAnalysis result;
  result.mullikenCharges.resize(molecule.atoms.size());
  for (std::size_t a = 0; a < molecule.atoms.size(); ++a) result.mullikenCharges[a] = molecule.atoms[a].atomicNumber;
  result.mayerBondOrders = Eigen::MatrixXd::Zero(atoms, atoms);
  const auto n = static_cast<Eigen::Index>(basis.functions.size());
  for (Eigen::Index mu = 0; mu < n; ++mu) {
    const int a = basis.functions[std::size_t(mu)].atom;
    result.mullikenCharges[std::size_t(a)] -= psTotal(mu, mu);
    for (Eigen::Index nu = 0; nu < n; ++nu) {
      const int b = basis.functions[std::size_t(nu)].atom;
      result.mayerBondOrders(a, b) += 2.0 * (psAlpha(mu, nu) * psAlpha(nu, mu) + psBeta(mu, nu) * psBeta(nu, mu));
    }
  }
  return result;
}

Point dipoleMoment(const Molecule& molecule, const Eigen::MatrixXd& totalDensity,
                   const std::array<Eigen::MatrixXd, 3>& dipoleIntegrals, const Point& origin) {
  Point dipole{};
  for (int i = 0; i < 3; ++i) {
    for (const Atom& atom : molecule.atoms) dipole[i] += atom.atomicNumber * (atom.bohr[i] - origin[i]);
    dipole[i] -= totalDensity.cwiseProduct(dipoleIntegrals[std::size_t(i)]).sum();
  }
  return dipole;
}

std::array<double, 6> quadrupoleMoment(const Molecule& molecule, const Eigen::MatrixXd& totalDensity,
                                       const std::array<Eigen::MatrixXd, 6>& secondMoments, const Point& origin) {
  static constexpr std::array<std::array<int, 2>, 6> kPairs{{{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 2}}};
  std::array<double, 6> second{};  // sum q r_i r_j
  for (std::size_t m = 0; m < kPairs.size(); ++m) {
    const int i = kPairs[m][0], j = kPairs[m][1];
    for (const Atom& atom : molecule.atoms) {
      second[m] += atom.atomicNumber * (atom.bohr[i] - origin[i]) * (atom.bohr[j] - origin[j]);
    }
    second[m] -= totalDensity.cwiseProduct(secondMoments[m]).sum();
  }
  const double trace = second[0] + second[3] + second[5];
  std::array<double, 6> theta{};
  for (std::size_t m = 0; m < kPairs.size(); ++m) {
    theta[m] = 0.5 * (3.0 * second[m] - (kPairs[m][0] == kPairs[m][1] ? trace : 0.0));
  }
  return theta;
}

double spinSquared(const ScfResult& scf, const Eigen::MatrixXd& overlap) {
  const int na = scf.alpha.occupied, nb = scf.beta.occupied;
  const double sz = 0.5 * (na - nb);
  const Eigen::MatrixXd mixed =
      scf.alpha.coefficients.leftCols(na).transpose() * overlap * scf.beta.coefficients.leftCols(nb);
  return sz * (sz + 1.0) + nb - mixed.squaredNorm();
}

}  // namespace lobe
