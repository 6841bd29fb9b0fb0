#pragma once

#include "matrix.h"

namespace scf1s {

enum class JacobiOutcome {
  Converged,    // the off-diagonal maximum fell to zero or below the stop threshold
  NotFinite,    // a matrix element is not finite: the solve was abandoned
  RotationCap,  // the safety cap on rotations was reached
};

struct JacobiResult {
  JacobiOutcome outcome = JacobiOutcome::Converged;
  long rotations = 0;
};

// Diagonalises the symmetric matrix held in the diagonal and upper triangle of
// the leading n x n block of A by Jacobi rotations (largest pivot first, found
// through a row-maximum table). Eigenvalues are left on the diagonal, unit
// eigenvectors in the columns of U. Elements below the diagonal are never
// read or written. tau is the diagonalisation tolerance.
JacobiResult jacobi(Matrix& A, int n, Matrix& U, double tau);

// The solve comes in forms that give the same bits: compiled for the
// processor family's baseline instruction set and, on x86, for processors
// with AVX2 (four doubles at a time) from the same source, and written out
// for AVX-512 (eight at a time, jacobi_avx512.cpp). jacobi() above takes the
// widest form the processor has; the tests run every form it has.
enum class JacobiCode { Baseline, Avx2, Avx512 };
bool available(JacobiCode code);
// The solve in the given form (the baseline one if that form is not available).
JacobiResult jacobi(JacobiCode code, Matrix& A, int n, Matrix& U, double tau);

}  // namespace scf1s
