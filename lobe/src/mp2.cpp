#include "mp2.h"

#include <vector>

namespace lobe {

Mp2Result closedShellMp2(const TwoElectronIntegrals& integrals, const Eigen::MatrixXd& coefficients,
                         const Eigen::VectorXd& energies, int occupied, int frozen) {
  const auto n = static_cast<Eigen::Index>(integrals.functionCount());
  Mp2Result result;
  result.frozenOrbitals = frozen;
  result.activeOccupied = occupied - frozen;
  result.virtuals = static_cast<int>(coefficients.cols()) - occupied;
  const Eigen::Index o = result.activeOccupied, v = result.virtuals;
  if (o <= 0 || v <= 0) return result;
  const Eigen::MatrixXd cOcc = coefficients.middleCols(frozen, o);
  const Eigen::MatrixXd cVir = coefficients.rightCols(v);

  // First half: (ia|ls) for every function pair ls, one o x v block each.
  const std::size_t pairs = integrals.pairCount();
  std::vector<Eigen::MatrixXd> half(pairs);
  Eigen::MatrixXd block(n, n);
  for (Eigen::Index l = 0, ls = 0; l < n; ++l) {
    for (Eigen::Index s = 0; s <= l; ++s, ++ls) {
      for (Eigen::Index mu = 0; mu < n; ++mu) {
        for (Eigen::Index nu = 0; nu <= mu; ++nu) {
          block(mu, nu) = block(nu, mu) = integrals(std::size_t(mu), std::size_t(nu), std::size_t(l), std::size_t(s));
        }
      }
      half[std::size_t(ls)] = cOcc.transpose() * block * cVir;
    }
  }

  // Second half, one (i, a) at a time: (ia|jb) = C_occ^T (ia|ls) C_vir.
  std::vector<Eigen::MatrixXd> iajb(std::size_t(o * v));  // [i*v + a] -> o x v matrix over (j, b)
  for (Eigen::Index i = 0; i < o; ++i) {
    for (Eigen::Index a = 0; a < v; ++a) {
      for (Eigen::Index l = 0, ls = 0; l < n; ++l) {
        for (Eigen::Index s = 0; s <= l; ++s, ++ls) block(l, s) = block(s, l) = half[std::size_t(ls)](i, a);
      }
      iajb[std::size_t(i * v + a)] = cOcc.transpose() * block * cVir;
    }
  }

  double energy = 0;
  for (Eigen::Index i = 0; i < o; ++i) {
    for (Eigen::Index j = 0; j < o; ++j) {
      for (Eigen::Index a = 0; a < v; ++a) {
        for (Eigen::Index b = 0; b < v; ++b) {
          const double iajbValue = iajb[std::size_t(i * v + a)](j, b);
          const double ibjaValue = iajb[std::size_t(i * v + b)](j, a);
          const double denominator = energies(frozen + i) + energies(frozen + j) - energies(occupied + a) -
                                     energies(occupied + b);
          energy += iajbValue * (2.0 * iajbValue - ibjaValue) / denominator;
        }
      }
    }
  }
  result.correlationEnergy = energy;
  return result;
}

}  // namespace lobe
