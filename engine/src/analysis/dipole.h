#pragma once

#include "engine_data.h"
#include "geometry.h"
#include "report.h"

namespace scf1s {

// Atomic mass (u) of the element with nuclear charge z, 1 to 36; 0 outside.
double atomicMass(int z);

// Nuclear centre of mass of atoms 1..nat, from the truncated nuclear charges.
// Writes the centre-of-mass line (and a line for each atom without a mass, and
// one when the total mass is 0, in which case the origin is taken).
Point cenmas(int nat, const EngineData& data, Report& report);

// Prints the centre of mass and the dipole moment about it, in Debye, of the
// closed-shell wave function (noc orbitals in the columns of C) and the
// nuclei. Positions are taken relative to the centre of mass; the tables
// themselves are left as they are.
void dipole(const EngineData& data, Report& report);

}  // namespace scf1s
