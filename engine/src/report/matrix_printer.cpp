#include "matrix_printer.h"

#include <array>
#include <stdexcept>
#include <string>

#include "report_layouts.h"

namespace scf1s {

void printMatrix(Report& report, int n, const Matrix& m) {
  if (n > kMaxSpheres)
    throw std::out_of_range("matrix printer: order " + std::to_string(n) + " exceeds the matrix size " +
                            std::to_string(kMaxSpheres));
  std::array<Value, 7> values;  // a row number and six elements
  int last = 0;
  do {
    int first = last + 1;
    last += 6;
    if (last >= n) last = n;
    int count = 0;
    for (int j = first; j <= last; ++j) values[static_cast<std::size_t>(count++)] = j;
    report.write(layouts::matrixColumnHeader, std::span<const Value>(values.data(), static_cast<std::size_t>(count)));
    for (int i = 1; i <= n; ++i) {
      count = 0;
      values[static_cast<std::size_t>(count++)] = i;
      for (int j = first; j <= last; ++j) values[static_cast<std::size_t>(count++)] = m(i, j);
      report.write(layouts::matrixRow, std::span<const Value>(values.data(), static_cast<std::size_t>(count)));
    }
  } while (n - last > 0);
  report.write(layouts::matrixClosing);
}

}  // namespace scf1s
