#pragma once

#include <string>

#include "molecule.h"
#include "sphere_optimiser.h"

namespace fsgo {

// The lines of the report fsgo.out, each piece ending with a line end.

// What is optimised, and the starting energy.
std::string reportHeading(const std::string& title, const Molecule& start, Freedom freedom,
                          const EnergyEvaluation& startEvaluation);
// The column heads of the step lines, and one step.
std::string stepHeading();
std::string stepLine(const OptimiserStep& step);
// The outcome: energies, convergence and why, the overlap floor if reached,
// the table of spheres and, when the nuclei moved, their positions and distances.
std::string reportResult(const OptimisationResult& result, const OptimiserSettings& settings);

}  // namespace fsgo
