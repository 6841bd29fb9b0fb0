// The energy against an independent program, and the analytic gradient
// against central differences of the energy on decks with random sphere
// exponents and centres: one sphere per electron pair (P = 2 S^-1), more
// spheres than pairs (SCF), and spheres close enough for the overlap floor's
// barrier to act.
#include <gtest/gtest.h>

#include <random>

#include "energy_evaluation.h"

namespace fsgo {
namespace {

struct GradientCase {
  const char* name;
  std::vector<Nucleus> nuclei;
  int spheres;
  int electrons;
  double spread;  // bohr: how far the random centres scatter
};

Molecule randomMolecule(const GradientCase& c, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> exponent(0.3, 3.0), offset(-c.spread, c.spread);
  Molecule m{c.nuclei, {}, c.electrons};
  for (int s = 0; s < c.spheres; ++s) {
    const Eigen::Vector3d& near = c.nuclei[s % c.nuclei.size()].position;
    m.spheres.push_back({exponent(rng), near + Eigen::Vector3d(offset(rng), offset(rng), offset(rng))});
  }
  return m;
}

double objective(const Molecule& m, const OverlapFloor& floor) {
  const EnergyEvaluation e = evaluateEnergy(m, floor);
  EXPECT_TRUE(e.scfConverged);
  return e.total() + e.barrier;
}

// Central difference of the objective along one parameter.
template <class Move>
double centralDifference(const Molecule& m, const OverlapFloor& floor, double h, Move move) {
  Molecule plus = m, minus = m;
  move(plus, h);
  move(minus, -h);
  return (objective(plus, floor) - objective(minus, floor)) / (2 * h);
}

const std::vector<GradientCase> kCases = {
    {"LiH_pairs", {{3, {0, 0, 0}}, {1, {0, 0, 3.0}}}, 2, 4, 0.5},
    {"water_pairs", {{8, {0, 0, 0}}, {1, {1.4, 0, 1.1}}, {1, {-1.4, 0, 1.1}}}, 5, 10, 0.6},
    {"HeH_plus_scf", {{2, {0, 0, 0}}, {1, {0.3, 0, 1.4}}}, 4, 2, 0.5},
    {"H4_scf", {{1, {0, 0, 0}}, {1, {1.5, 0, 0}}, {1, {0, 1.6, 0.2}}, {1, {1.4, 1.5, 0}}}, 7, 4, 0.7},
};

TEST(Gradient, MatchesCentralDifferencesOfTheEnergy) {
  for (const GradientCase& c : kCases)
    for (bool nearlyMerged : {false, true}) {
      Molecule m = randomMolecule(c, 7);
      OverlapFloor floor;
      if (nearlyMerged) {  // the second sphere slides next to the first: the barrier is on
        m.spheres[1].exponent = m.spheres[0].exponent * 1.2;
        m.spheres[1].centre = m.spheres[0].centre + Eigen::Vector3d(0.1, -0.2, 0.15);
        floor.onset = 0.1;
      }
      const EnergyEvaluation e = evaluateEnergy(m, floor);
      ASSERT_FALSE(e.singular) << c.name;
      EXPECT_EQ(nearlyMerged, e.barrier > 0) << c.name << " " << e.smallestOverlapEigenvalue;
      SCOPED_TRACE(std::string(c.name) + (nearlyMerged ? " nearly merged" : ""));
      const double h = 1e-5;
      // The barrier's steep curvature leaves a larger truncation error in the differences.
      const double tol = nearlyMerged ? 1e-6 : 1e-7;
      for (std::size_t s = 0; s < m.spheres.size(); ++s) {
        const double alpha = m.spheres[s].exponent;
        EXPECT_NEAR(e.gradient.exponent[s],
                    centralDifference(m, floor, h * alpha, [&](Molecule& x, double d) { x.spheres[s].exponent += d; }),
                    tol * (1 + std::abs(e.gradient.exponent[s])));
        for (int d = 0; d < 3; ++d)
          EXPECT_NEAR(e.gradient.centre[s](d),
                      centralDifference(m, floor, h, [&](Molecule& x, double t) { x.spheres[s].centre(d) += t; }),
                      tol * (1 + std::abs(e.gradient.centre[s](d))));
      }
      for (std::size_t a = 0; a < m.nuclei.size(); ++a)
        for (int d = 0; d < 3; ++d)
          EXPECT_NEAR(e.gradient.nucleus[a](d),
                      centralDifference(m, floor, h, [&](Molecule& x, double t) { x.nuclei[a].position(d) += t; }),
                      tol * (1 + std::abs(e.gradient.nucleus[a](d))));
    }
}

// HeH+ with a sphere on each nucleus and two floating between them: more
// spheres than electron pairs, so the SCF path. The reference is Psi4 1.3.2's
// RHF energy for the same basis (single normalised s primitives, two on ghost
// atoms), converged to 1e-12 hartree.
TEST(Energy, MatchesAnIndependentRhfProgramWithFloatingSpheres) {
  const Molecule heh{{{2, {0, 0, 0}}, {1, {0.3, 0, 1.4}}},
                     {{1.70, {0, 0, 0}}, {0.45, {0.3, 0, 1.4}}, {0.90, {0.8, 0.4, 0.5}}, {2.30, {-0.6, 0.2, -0.3}}},
                     2};
  const EnergyEvaluation e = evaluateEnergy(heh, OverlapFloor{});
  EXPECT_TRUE(e.scfConverged);
  EXPECT_NEAR(e.nuclearRepulsion, 1.3968605915391565, 1e-13);
  EXPECT_NEAR(e.total(), -2.4816435384571136, 1e-10);
}

}  // namespace
}  // namespace fsgo
