#include "population.h"

#include "matrix_printer.h"
#include "report_layouts.h"

namespace scf1s {

void mulpop(const EngineData& data, Report& report) {
  const int noc = data.noc, nbs = data.deck.nbs;
  Matrix op;
  for (int i = 1; i <= nbs; ++i)
    for (int j = 1; j <= nbs; ++j) {
      double sum = 0;
      for (int m = 1; m <= noc; ++m) sum += data.C(i, m) * data.C(j, m);
      op(i, j) = 4 * data.S(i, j) * sum;
    }
  report.write(layouts::overlapPopulationTitle, {noc});
  printMatrix(report, nbs, op);

  // Gross population of sphere i: q(i) = sum over occupied m of 2 C(i,m) (S C)(i,m).
  Value charges[2 * kMaxSpheres];
  for (int i = 1; i <= nbs; ++i) {
    double q = 0;
    for (int m = 1; m <= noc; ++m) {
      double sc = 0;
      for (int k = 1; k <= nbs; ++k) sc += data.C(k, m) * data.S(i, k);
      q += 2 * data.C(i, m) * sc;
    }
    charges[2 * (i - 1)] = i;
    charges[2 * (i - 1) + 1] = q;
  }
  report.write(layouts::sphereChargeList, std::span<const Value>(charges, static_cast<std::size_t>(2 * nbs)));
  report.write(layouts::atomChargeNote);
}

void mayer(const EngineData& data, Report& report) {
  const int nbs = data.deck.nbs;
  Matrix b;
  for (int i = 1; i <= nbs; ++i)
    for (int j = 1; j <= nbs; ++j) {
      double ps = 0;
      for (int k = 1; k <= nbs; ++k) ps += data.previousP(i, k) * data.S(k, j);
      b(i, j) = ps * ps;
    }
  report.write(layouts::mayerTitle);
  printMatrix(report, nbs, b);
  report.write(layouts::mayerNote);
}

}  // namespace scf1s
