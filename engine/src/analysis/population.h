#pragma once

#include "engine_data.h"
#include "report.h"

namespace scf1s {

// Prints the Mulliken overlap populations and gross sphere charges of the
// noc doubly occupied orbitals (columns of C), with the closing note.
void mulpop(const EngineData& data, Report& report);

// Prints the Mayer bond orders B(i,j) = ((Pprev S)(i,j))^2 from the density
// saved at the start of the last iteration, with the closing note.
void mayer(const EngineData& data, Report& report);

}  // namespace scf1s
