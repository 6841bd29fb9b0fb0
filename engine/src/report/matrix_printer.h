#pragma once

#include "matrix.h"
#include "report.h"

namespace scf1s {

// Prints the leading n x n block of a matrix in blocks of at most six
// columns: a header with the column numbers, one line per row (the lower
// triangle included), and two empty lines after the last block.
// An order above the matrix size throws std::out_of_range; an order below 1
// prints an empty header line and the two closing empty lines.
void printMatrix(Report& report, int n, const Matrix& m);

}  // namespace scf1s
