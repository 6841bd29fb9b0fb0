#pragma once

// The compiled forms of the Jacobi solve that live in files of their own
// (each file built for its own instruction set); jacobi() chooses among them.

#include "jacobi.h"

namespace scf1s::jacobi_forms {

#if defined(__x86_64__)
#define JACOBI_HAS_AVX512_FORM 1
// Eight doubles at a time with AVX-512 (jacobi_avx512.cpp); call it only
// where the processor has AVX-512F.
JacobiResult solveAvx512(Matrix& A, int n, Matrix& U, double tau);
#endif

}  // namespace scf1s::jacobi_forms
