#pragma once

#include "engine_data.h"

namespace scf1s {

// Overlap S(i,j) and core Hamiltonian H(i,j) of spheres i and j, stored at
// (i,j) and (j,i). iop <= 1: normalised Slater 1s functions on one nucleus
// (charge zn(1)); iop >= 2: normalised floating 1s Gaussians attracted by
// atoms 1..nat.
void oneint(int i, int j, int iop, int nat, EngineData& data);

}  // namespace scf1s
