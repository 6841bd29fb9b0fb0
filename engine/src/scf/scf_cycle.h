#pragma once

#include "engine_data.h"
#include "report.h"

namespace scf1s {

// P(i,j) = 2 * sum over the noc occupied orbitals (columns of C) of C(i,k) C(j,k).
void densityFromCoefficients(const Matrix& C, int n, int noc, Matrix& P);

// Sum over atom pairs of zn(a) zn(b) / r(a,b).
double nuclearRepulsion(const EngineData& data);

// Computes, prints and stores every unique two-electron integral once.
void integralListPass(EngineData& data, Report& report);

// Mixing weight of the damped density in an iteration.
double mixingWeight(int iteration);

// The SCF cycle from the core-Hamiltonian guess to the final energies,
// coefficients and orbital energies, writing every line of it. Reads S, H and
// the atom and sphere tables; leaves the final C, F, E, the energies and the
// density of the last iteration's start (previousP) in data.
void runScf(EngineData& data, Report& report);

}  // namespace scf1s
