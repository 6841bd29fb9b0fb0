// Measures the lobe engine's hot spots on water RHF/6-31G** (the README's
// example): the two-electron integrals and the SCF iterations.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "basis_library.h"
#include "one_electron.h"
#include "scf.h"
#include "two_electron.h"

namespace {

using namespace lobe;

const LobeBasis& waterBasis(Molecule& molecule) {
  static Molecule water = [] {
    Molecule m;
    const std::pair<const char*, Point> atoms[] = {
        {"O", {0.0, 0.0, 0.1173}}, {"H", {0.0, 0.7572, -0.4692}}, {"H", {0.0, -0.7572, -0.4692}}};
    for (const auto& [symbol, angstrom] : atoms) {
      Atom atom{symbol, symbol[0] == 'O' ? 8 : 1, angstrom, {}};
      for (int i = 0; i < 3; ++i) atom.bohr[i] = angstrom[i] / kBohrInAngstrom;
      m.atoms.push_back(atom);
    }
    m.electrons = 10;
    m.alphaElectrons = m.betaElectrons = 5;
    return m;
  }();
  static const LobeBasis basis = [] {
    std::ifstream file(LOBE_BASIS_DIR "/6-31gss.gbs");
    std::stringstream text;
    text << file.rdbuf();
    return buildLobeBasis(water, parseGaussian94(text.str(), "6-31gss.gbs"), "6-31G**");
  }();
  molecule = water;
  return basis;
}

void TwoElectronIntegralsWater(benchmark::State& state) {
  Molecule molecule;
  const LobeBasis& basis = waterBasis(molecule);
  for (auto _ : state) benchmark::DoNotOptimize(computeTwoElectronIntegrals(basis, static_cast<unsigned>(state.range(0))));
}
BENCHMARK(TwoElectronIntegralsWater)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void ScfWater(benchmark::State& state) {
  Molecule molecule;
  const LobeBasis& basis = waterBasis(molecule);
  const Eigen::MatrixXd overlap = overlapMatrix(basis);
  const Eigen::MatrixXd core = kineticMatrix(basis) + nuclearAttractionMatrix(basis, molecule);
  const TwoElectronIntegrals integrals = computeTwoElectronIntegrals(basis, 2);
  const ScfSettings settings;
  const Orthogonalisation x = canonicalOrthogonalisation(overlap, settings.linearDependence);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        runScf(overlap, core, integrals, x, 5, 5, true, nuclearRepulsion(molecule), settings, [](const ScfIteration&) {}));
  }
}
BENCHMARK(ScfWater)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
