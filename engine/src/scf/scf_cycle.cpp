#include "scf_cycle.h"

#include <cmath>

#include "dipole.h"
#include "fock.h"
#include "matrix_printer.h"
#include "orbsolve.h"
#include "population.h"
#include "quartets.h"
#include "report_layouts.h"
#include "two_electron.h"

namespace scf1s {

namespace {
constexpr double kConvergence = 1.0e-6;  // hartree, on the change of the electronic energy
}

void densityFromCoefficients(EngineData& data) {
  const int n = data.deck.nbs;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      double sum = 0;
      for (int k = 1; k <= data.noc; ++k) sum += data.C(i, k) * data.C(j, k);
      data.P(i, j) = 2 * sum;
      data.P(j, i) = data.P(i, j);
    }
}

void transferCoefficients(EngineData& data) {
  const int n = data.deck.nbs;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) data.C(i, j) = data.energyWork(j, i);
}

double nuclearRepulsion(const EngineData& data) {
  double sum = 0;
  for (int a = 1; a <= data.deck.nat - 1; ++a)
    for (int b = a + 1; b <= data.deck.nat; ++b) {
      const Atom& p = data.atom(a);
      const Atom& q = data.atom(b);
      double dx = p.x - q.x, dy = p.y - q.y, dz = p.z - q.z;
      double r = std::sqrt((dx * dx + dy * dy) + dz * dz);
      sum += p.zn * q.zn / r;
    }
  return sum;
}

void integralListPass(EngineData& data, Report& report) {
  report.write(layouts::integralListHeading, {data.deck.iop});
  forEachQuartet(data.deck.nbs, [&](int i, int j, int k, int l) {
    double v = twoint(i, j, k, l, data.deck.iop, data);
    report.write(layouts::integralLine, {i, j, k, l, v});
    data.integrals(data.pair(i, j), data.pair(k, l)) = v;
  });
}

double mixingWeight(int iteration) {
  if (iteration <= 5) return 0.9;
  if (iteration <= 15) return 0.7;
  return 0.9;
}

namespace {

void copyForSolve(EngineData& data, const Matrix& energy) {
  const int n = data.deck.nbs;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      data.overlapWork(i, j) = data.S(i, j);
      data.energyWork(i, j) = energy(i, j);
    }
}

void solve(EngineData& data, Report& report) {
  orbsolve(data.overlapWork, data.E, data.energyWork, data.deck.nbs, data.tolerance, data.iteration,
           data.storedSInvHalf, report);
  transferCoefficients(data);
}

void coreHamiltonianGuess(EngineData& data, Report& report) {
  copyForSolve(data, data.H);
  solve(data, report);
  report.write(layouts::hCoreEigenvectorsTitle);
  printMatrix(report, data.deck.nbs, data.C);
  densityFromCoefficients(data);
  report.write(layouts::densityTitle, {data.noc});
  printMatrix(report, data.deck.nbs, data.P);
}

// One damped iteration; returns true when the cycle is to stop.
bool iterate(EngineData& data, Report& report) {
  const int n = data.deck.nbs;
  ++data.iteration;
  report.write(layouts::iterationHeading, {data.iteration});
  data.previousElectronicEnergy = data.electronicEnergy;

  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      data.previousP(i, j) = data.P(i, j);
      data.previousP(j, i) = data.P(i, j);
    }
  densityFromCoefficients(data);
  const double w = mixingWeight(data.iteration);
  const double rest = 1 - w;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) data.P(i, j) = w * data.previousP(i, j) + rest * data.P(i, j);
  report.write(layouts::densityTitle, {data.noc});
  printMatrix(report, n, data.P);

  buildFock(data);
  copyForSolve(data, data.F);
  report.write(layouts::fMatrixTitle);
  printMatrix(report, n, data.F);
  solve(data, report);

  // The energy of the density that built this F, with this F.
  double energy = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) energy += (data.F(i, j) + data.H(i, j)) * (0.5 * data.P(i, j));
  data.electronicEnergy = energy;
  report.write(layouts::electronicEnergyLine, {energy});

  if (std::fabs(data.previousElectronicEnergy - data.electronicEnergy) - kConvergence <= 0) {
    report.write(layouts::convergedLine);
    return true;
  }
  if (data.iteration > data.deck.lit) {
    report.write(layouts::notConvergedLine);
    return true;
  }
  return false;
}

void finalReport(EngineData& data, Report& report) {
  const int n = data.deck.nbs;
  double total = data.electronicEnergy + data.nuclearRepulsion;
  report.write(layouts::totalEnergyBlock, {data.nuclearRepulsion, total});
  report.write(layouts::cMatrixTitle);
  printMatrix(report, n, data.C);
  report.write(layouts::fMatrixTitle);
  printMatrix(report, n, data.F);
  report.write(layouts::orbitalEnergyHeading);
  Value energies[kMaxSpheres];
  for (int k = 1; k <= n; ++k) energies[k - 1] = data.E(k);
  report.write(layouts::orbitalEnergyList, std::span<const Value>(energies, static_cast<std::size_t>(n)));
}

}  // namespace

void runScf(EngineData& data, Report& report) {
  coreHamiltonianGuess(data, report);

  data.nuclearRepulsion = 0;
  if (data.deck.iop >= 2) {
    data.nuclearRepulsion = nuclearRepulsion(data);
    report.write(layouts::nuclearRepulsionLine, {data.nuclearRepulsion});
  }

  integralListPass(data, report);
  while (!iterate(data, report)) {
  }
  finalReport(data, report);

  if (data.deck.iop >= 2) {
    dipole(data.noc, data.deck.nbs, data.deck.nat, data, report);
    if (data.deck.mul <= 1) {
      mulpop(data.noc, data.deck.nbs, data, report);
      mayer(data.deck.nbs, data, report);
    }
  }
}

}  // namespace scf1s
