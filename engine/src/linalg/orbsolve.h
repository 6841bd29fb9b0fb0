#pragma once

#include "matrix.h"
#include "report.h"

namespace scf1s {

// Solves F C = S C E for one energy matrix by symmetric orthogonalisation.
//  overlapWork: a copy of S (read only when iteration <= 0); destroyed.
//  E: on return the orbital energies, ascending.
//  energyWork: a copy of H or F (diagonal and upper triangle read); on return
//    row k holds the coefficients of orbital k over the n spheres.
//  storedSInvHalf: S^-1/2, built, stored and printed when iteration <= 0,
//    read by later calls.
// Prints S^-1/2 at iteration <= 0 and the orbital energies at other iterations.
// Returns the smallest eigenvalue of S when it builds S^-1/2 (iteration <= 0;
// not positive when S^-1/2 could not be built), 0 at other iterations, and 1
// for a single sphere.
double orbsolve(Matrix& overlapWork, Vector& E, Matrix& energyWork, int n, double tau, int iteration,
                Matrix& storedSInvHalf, Report& report);

}  // namespace scf1s
