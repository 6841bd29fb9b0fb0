#pragma once

#include "engine_data.h"
#include "report.h"

namespace scf1s {

// Mulliken overlap populations (into the storage of P) and gross sphere
// charges of the noc doubly occupied orbitals, with the closing note.
void mulpop(int noc, int nbs, EngineData& data, Report& report);

// Mayer bond orders B(i,j) = ((Pprev S)(i,j))^2 from the density saved at the
// start of the last iteration (into the storage of P), with the closing note.
void mayer(int nbs, EngineData& data, Report& report);

}  // namespace scf1s
