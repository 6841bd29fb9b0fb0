#pragma once

#include <functional>

#include <Eigen/Dense>

#include "two_electron.h"

namespace lobe {

struct ScfSettings {
  int maxIterations = 100;
  double energyTolerance = 1e-10;     // hartree, change of the total energy
  double commutatorTolerance = 1e-7;  // largest element of the orthogonalised FDS - SDF
  double linearDependence = 1e-6;     // overlap eigenvalues below this are dropped
  int diisVectors = 8;
};

// One spin's orbitals, energies lowest first; density = C_occ C_occ^T.
struct SpinOrbitals {
  Eigen::VectorXd energies;
  Eigen::MatrixXd coefficients;  // functions by orbitals
  Eigen::MatrixXd density;
  Eigen::MatrixXd fock;
  int occupied = 0;
};

struct ScfIteration {
  int number = 0;
  double totalEnergy = 0;
  double change = 0;
  double commutator = 0;  // DIIS error
};

// The orthogonalising transformation X (functions by kept combinations) with
// X^T S X = 1: canonical orthogonalisation, dropping the eigenvectors of S
// whose eigenvalue lies below the threshold.
struct Orthogonalisation {
  Eigen::MatrixXd x;
  int dropped = 0;
  double smallestEigenvalue = 0;
};
Orthogonalisation canonicalOrthogonalisation(const Eigen::MatrixXd& overlap, double threshold);

struct ScfResult {
  bool restricted = true;
  bool converged = false;
  int iterations = 0;
  double totalEnergy = 0;
  double electronicEnergy = 0;
  SpinOrbitals alpha, beta;  // for RHF beta repeats alpha
};

// Restricted (alpha == beta electrons and restricted) or unrestricted
// Hartree-Fock from the core-Hamiltonian guess, accelerated by DIIS. Calls
// onIteration after every iteration.
ScfResult runScf(const Eigen::MatrixXd& overlap, const Eigen::MatrixXd& coreHamiltonian,
                 const TwoElectronIntegrals& integrals, const Orthogonalisation& orthogonalisation, int alphaElectrons,
                 int betaElectrons, bool restricted, double nuclearRepulsion, const ScfSettings& settings,
                 const std::function<void(const ScfIteration&)>& onIteration);

}  // namespace lobe
