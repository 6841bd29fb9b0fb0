#pragma once

#include <initializer_list>

#include "matrix.h"

namespace scf1s::test {

// A matrix whose leading block is given row by row; the rest is zero.
inline Matrix matrixFromRows(std::initializer_list<std::initializer_list<double>> rows) {
  Matrix m;
  int i = 1;
  for (const auto& row : rows) {
    int j = 1;
    for (double x : row) m(i, j++) = x;
    ++i;
  }
  return m;
}

}  // namespace scf1s::test
