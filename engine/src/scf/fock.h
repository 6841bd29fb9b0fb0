#pragma once

#include "engine_data.h"

namespace scf1s {

// Adds the Coulomb and exchange contributions of one canonical quartet's
// integral v, weighted with the density P, to the upper triangle of F
// (exchange weight x; the engine passes -0.5). An exactly zero v adds nothing.
void fockad(int i, int j, int k, int l, double v, double x, Matrix& F, const Matrix& P);

// F = H + G(P): copies H into F, scatters every stored unique integral through
// fockad in the canonical quartet order, and mirrors the upper triangle.
void buildFock(EngineData& data);

}  // namespace scf1s
