#pragma once

#include "engine_data.h"

namespace scf1s {

// The two-electron integral (ij|kl) over spheres i, j, k, l of the sphere table.
double twoint(int i, int j, int k, int l, int iop, const EngineData& data);

}  // namespace scf1s
