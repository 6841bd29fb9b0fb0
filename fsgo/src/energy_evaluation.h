#pragma once

#include <vector>

#include <Eigen/Core>

#include "molecule.h"
#include "overlap_floor.h"

namespace fsgo {

// Derivatives of an energy with respect to every exponent, sphere centre and
// nuclear position of a molecule.
struct EnergyGradient {
  std::vector<double> exponent;
  std::vector<Eigen::Vector3d> centre;
  std::vector<Eigen::Vector3d> nucleus;
};

// The closed-shell Hartree-Fock energy of a molecule in its floating-sphere
// basis, computed exactly (F0 through the library's erf), with its analytic
// gradient. With one sphere per electron pair the density is 2 S^-1 without
// iteration; with more spheres it comes from a DIIS SCF.
struct EnergyEvaluation {
  double electronic = 0;
  double nuclearRepulsion = 0;
  double total() const { return electronic + nuclearRepulsion; }

  double smallestOverlapEigenvalue = 0;
  Eigen::VectorXd weakestCombination;  // its eigenvector: which spheres merge
  double barrier = 0;                  // the overlap floor's penalty
  bool singular = false;               // no energy: the overlap is singular

  bool scfConverged = true;
  int scfIterations = 0;
  Eigen::MatrixXd density;

  EnergyGradient gradient;  // of total() + barrier
};

// startDensity (empty for none) seeds the SCF when there are more spheres
// than electron pairs.
EnergyEvaluation evaluateEnergy(const Molecule& molecule, const OverlapFloor& floor,
                                const Eigen::MatrixXd& startDensity = {});

}  // namespace fsgo
