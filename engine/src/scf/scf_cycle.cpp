#include "scf_cycle.h"

#include <cmath>

#include "fock.h"
#include "matrix_printer.h"
#include "orbsolve.h"
#include "quartets.h"
#include "report_layouts.h"
#include "two_electron.h"

namespace scf1s {

namespace {
constexpr double kConvergence = 1.0e-6;  // hartree, on the change of the electronic energy
}

void densityFromCoefficients(const Matrix& C, int n, int noc, Matrix& P) {
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      double sum = 0;
      for (int k = 1; k <= noc; ++k) sum += C(i, k) * C(j, k);
      P(i, j) = 2 * sum;
      P(j, i) = P(i, j);
    }
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

// All integrals first, then their lines: with no report line formed between
// them, the integrals of consecutive quartets, each a long chain of
// dependent operations, overlap in the processor.
void integralListPass(EngineData& data, Report& report) {
  report.write(layouts::integralListHeading, {data.deck.iop});
  QuartetIntegrals integral(data);
  forEachQuartet(data.deck.nbs, [&](int i, int j, int k, int l) {
    data.integrals(data.pair(i, j), data.pair(k, l)) = integral(i, j, k, l);
  });
  // The lines of one row (i, j, k) in one write: the layout starts a new
  // line for each quartet's five values.
  const int n = data.deck.nbs;
  std::array<Value, 5 * kMaxSpheres> values;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j)
      for (int k = i; k <= n; ++k) {
        std::size_t count = 0;
        for (int l = (k == i ? j : k); l <= n; ++l) {
          values[count++] = i;
          values[count++] = j;
          values[count++] = k;
          values[count++] = l;
          values[count++] = data.integrals(data.pair(i, j), data.pair(k, l));
        }
        report.write(layouts::integralLine, std::span<const Value>(values.data(), count));
      }
}

double mixingWeight(int iteration) {
  if (iteration <= 5) return 0.9;
  if (iteration <= 15) return 0.7;
  return 0.9;
}

namespace {

// Below this smallest eigenvalue of S the error of the approximate F0 (erf to
// about 3e-7, so F0 to a relative 1e-5 at small arguments), amplified along
// the nearly dependent combination of spheres, can move the total energy by
// more than 1e-4 hartree: over 20,000 random molecules (the program
// overlap_threshold) the largest smallest eigenvalue with such a difference
// from an exact F0 was 0.086; above 0.1 the differences stayed below 1e-4.
constexpr double kNearlySingularOverlap = 0.1;

// Solves F C = S C E for one energy matrix (H, or F in an iteration):
// orbsolve gets fresh work copies of S and of the energy matrix and returns
// the orbitals as rows, which become the columns of C. Returns what orbsolve
// returns (the smallest eigenvalue of S at the core-Hamiltonian solve).
double solveRoothaan(const Matrix& energy, EngineData& data, Report& report) {
  const int n = data.deck.nbs;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      data.overlapWork(i, j) = data.S(i, j);
      data.energyWork(i, j) = energy(i, j);
    }
  const double smallestOverlapEigenvalue = orbsolve(data.overlapWork, data.E, data.energyWork, n, data.tolerance,
                                                    data.iteration, data.storedSInvHalf, report);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) data.C(i, j) = data.energyWork(j, i);
  return smallestOverlapEigenvalue;
}

void coreHamiltonianGuess(EngineData& data, Report& report) {
  const int n = data.deck.nbs;
  const double smallestOverlapEigenvalue = solveRoothaan(data.H, data, report);
  // Right after S**(-1/2): only the multi-centre integrals use the approximate F0.
  if (data.deck.iop >= 2 && smallestOverlapEigenvalue > 0 && smallestOverlapEigenvalue < kNearlySingularOverlap)
    report.write(layouts::nearlySingularOverlap, {smallestOverlapEigenvalue, kNearlySingularOverlap});
  report.write(layouts::hCoreEigenvectorsTitle);
  printMatrix(report, n, data.C);
  densityFromCoefficients(data.C, n, data.noc, data.P);
  report.write(layouts::densityTitle, {data.noc});
  printMatrix(report, n, data.P);
}

// P = w Pprev + (1 - w) Pnew, where Pprev is the density that entered the
// iteration (kept in previousP for the bond orders) and Pnew is the density
// of the present coefficients.
void dampDensity(EngineData& data) {
  const int n = data.deck.nbs;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      data.previousP(i, j) = data.P(i, j);
      data.previousP(j, i) = data.P(i, j);
    }
  densityFromCoefficients(data.C, n, data.noc, data.P);
  const double w = mixingWeight(data.iteration);
  const double rest = 1 - w;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) data.P(i, j) = w * data.previousP(i, j) + rest * data.P(i, j);
}

// The energy of the density that built F, with that F: sum of (F + H) P / 2.
double electronicEnergy(const Matrix& F, const Matrix& H, const Matrix& P, int n) {
  double energy = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) energy += (F(i, j) + H(i, j)) * (0.5 * P(i, j));
  return energy;
}

// One damped iteration; returns true when the cycle is to stop.
bool iterate(EngineData& data, Report& report) {
  const int n = data.deck.nbs;
  ++data.iteration;
  report.write(layouts::iterationHeading, {data.iteration});
  data.previousElectronicEnergy = data.electronicEnergy;

  dampDensity(data);
  report.write(layouts::densityTitle, {data.noc});
  printMatrix(report, n, data.P);

  buildFock(data);
  report.write(layouts::fMatrixTitle);
  printMatrix(report, n, data.F);
  solveRoothaan(data.F, data, report);

  data.electronicEnergy = electronicEnergy(data.F, data.H, data.P, n);
  report.write(layouts::electronicEnergyLine, {data.electronicEnergy});

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

void finalReport(const EngineData& data, Report& report) {
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
}

}  // namespace scf1s
