#pragma once

#include <Eigen/Dense>

#include "two_electron.h"

namespace lobe {

struct Mp2Result {
  double correlationEnergy = 0;
  int frozenOrbitals = 0;
  int activeOccupied = 0;
  int virtuals = 0;
};

// Closed-shell second-order Moller-Plesset energy from restricted orbitals
// (coefficients functions by orbitals, energies lowest first):
//   E2 = sum over ijab of (ia|jb) [2 (ia|jb) - (ib|ja)] / (e_i + e_j - e_a - e_b),
// with the lowest `frozen` occupied orbitals left out of i and j.
Mp2Result closedShellMp2(const TwoElectronIntegrals& integrals, const Eigen::MatrixXd& coefficients,
                         const Eigen::VectorXd& energies, int occupied, int frozen);

}  // namespace lobe
