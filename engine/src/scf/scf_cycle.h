#pragma once

#include "engine_data.h"
#include "report.h"

namespace scf1s {

// P(i,j) = 2 * sum over the noc occupied orbitals of C(i,k) C(j,k).
void densityFromCoefficients(EngineData& data);

// C(i,j) = energyWork(j,i): column k of C becomes orbital k.
void transferCoefficients(EngineData& data);

// Sum over atom pairs of zn(a) zn(b) / r(a,b).
double nuclearRepulsion(const EngineData& data);

// Computes, prints and stores every unique two-electron integral once.
void integralListPass(EngineData& data, Report& report);

// Mixing weight of the damped density in an iteration.
double mixingWeight(int iteration);

// The SCF cycle from the core-Hamiltonian guess to the final report and the
// property analyses, writing every line of it.
void runScf(EngineData& data, Report& report);

}  // namespace scf1s
