#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "one_electron.h"
#include "scf.h"

namespace lobe {
namespace {

// Water in 6-31G**, with one hydrogen's 1s function given twice: the basis is
// then linearly dependent.
struct Water {
  Molecule molecule;
  LobeBasis basis;
  Water() {
    const std::pair<const char*, Point> atoms[] = {{"O", {0, 0, 0.2217}}, {"H", {0, 1.4309, -0.8867}}, {"H", {0, -1.4309, -0.8867}}};
    for (const auto& [symbol, bohr] : atoms) molecule.atoms.push_back({symbol, symbol[0] == 'O' ? 8 : 1, {}, bohr});
    std::ifstream file(LOBE_BASIS_DIR "/6-31gss.gbs");
    std::stringstream text;
    text << file.rdbuf();
    basis = buildLobeBasis(molecule, parseGaussian94(text.str(), "6-31gss.gbs"), "6-31G**");
  }
  ScfResult run(const LobeBasis& functions, int maxIterations, int* dropped = nullptr) const {
    const Eigen::MatrixXd overlap = overlapMatrix(functions);
    ScfSettings settings;
    settings.maxIterations = maxIterations;
    const Orthogonalisation x = canonicalOrthogonalisation(overlap, settings.linearDependence);
    if (dropped) *dropped = x.dropped;
    return runScf(overlap, kineticMatrix(functions) + nuclearAttractionMatrix(functions, molecule),
                  computeTwoElectronIntegrals(functions, 1), x, 5, 5, true, nuclearRepulsion(molecule), settings,
                  [](const ScfIteration&) {});
  }
};

TEST(Scf, IterationLimitEndsUnconvergedAndADuplicateFunctionIsDropped) {
  const Water water;
  const ScfResult stopped = water.run(water.basis, 3);
  EXPECT_FALSE(stopped.converged);
  EXPECT_EQ(stopped.iterations, 3);

  const ScfResult reference = water.run(water.basis, 100);
  ASSERT_TRUE(reference.converged);
  LobeBasis doubled = water.basis;
  doubled.functions.push_back(doubled.functions[15]);  // the first hydrogen's 1s
  int dropped = 0;
  const ScfResult withDuplicate = water.run(doubled, 100, &dropped);
  EXPECT_EQ(dropped, 1);
  ASSERT_TRUE(withDuplicate.converged);
  EXPECT_NEAR(withDuplicate.totalEnergy, reference.totalEnergy, 1e-9);
}

}  // namespace
}  // namespace lobe
