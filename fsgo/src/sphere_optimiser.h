#pragma once

#include <functional>
#include <string>
#include <vector>

#include "energy_evaluation.h"
#include "molecule.h"
#include "overlap_floor.h"

namespace fsgo {

// What the optimiser may move. The exponents always move (through their
// logarithms, so that they stay positive); the nuclei only when asked.
enum class Freedom { ExponentsOnly, Spheres, SpheresAndNuclei };

struct OptimiserSettings {
  Freedom freedom = Freedom::Spheres;
  int evaluationLimit = 3000;
  // Converged when no derivative with respect to a coordinate (hartree/bohr)
  // or to the logarithm of an exponent (hartree) exceeds this.
  double gradientTolerance = 1e-7;
  // Also converged when the energy no longer falls at double precision and
  // no gradient component exceeds this.
  double settledGradientTolerance = 1e-4;
  OverlapFloor floor;
};

// One energy and gradient evaluation of the quasi-Newton iteration.
struct OptimiserStep {
  int number = 0;
  double energy = 0;           // Hartree-Fock total energy
  double barrier = 0;          // the overlap floor's penalty added to it
  double largestGradient = 0;  // over the moved variables
};

enum class StopReason {
  GradientConverged,  // every gradient component below the tolerance
  EnergySettled,      // the quasi-Newton steps no longer lower the energy
  EvaluationLimit,
  ScfNotConverged,
};

struct OptimisationResult {
  Molecule start, best;
  EnergyEvaluation startEvaluation, bestEvaluation;
  double bestLargestGradient = 0;
  int evaluations = 0;
  bool converged = false;
  StopReason reason = StopReason::EnergySettled;
  std::string explanation;  // the reason in words, for the report
};

// Largest derivative over the variables the freedom moves (exponents as their logarithms).
double largestGradient(const Molecule& molecule, const EnergyGradient& gradient, Freedom freedom);

// Minimises the Hartree-Fock energy (plus the overlap floor's barrier) with
// NLopt's L-BFGS from the molecule as given. onStep sees every evaluation.
// The start must not be singular (checked by the caller).
OptimisationResult optimiseSpheres(const Molecule& start, const OptimiserSettings& settings,
                                   const std::function<void(const OptimiserStep&)>& onStep = {});

}  // namespace fsgo
