#pragma once

#include <Eigen/Core>

namespace fsgo {

// The two-electron integrals (ij|kl) over n spheres, kept once per pair of
// sphere pairs: entry (pairIndex(i,j), pairIndex(k,l)).
struct RepulsionIntegrals {
  int n = 0;
  Eigen::MatrixXd pairs;
  double operator()(int i, int j, int k, int l) const;
};

// F = H + G(P): Coulomb minus half exchange of the closed-shell density P.
Eigen::MatrixXd fockMatrix(const Eigen::MatrixXd& H, const RepulsionIntegrals& eri, const Eigen::MatrixXd& P);

struct ScfSolution {
  Eigen::MatrixXd density;  // P = 2 C_occ C_occ^T
  bool converged = false;
  int iterations = 0;
};

// The closed-shell Roothaan equations solved with Pulay's DIIS, from the given
// density (or, when it is empty or of another size, from the core
// Hamiltonian's orbitals). sInvHalf is S^-1/2. Converged when the commutator
// F P S - S P F is below 1e-10 in every element, far tighter than the
// optimiser's tolerance on the energy gradient.
ScfSolution solveClosedShell(const Eigen::MatrixXd& S, const Eigen::MatrixXd& sInvHalf, const Eigen::MatrixXd& H,
                             const RepulsionIntegrals& eri, int occupied, const Eigen::MatrixXd& start);

}  // namespace fsgo
