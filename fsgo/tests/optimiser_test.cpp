// The optimiser's stop at its evaluation limit: not converged, and the best
// point kept is the lowest energy it saw.
#include <gtest/gtest.h>

#include "sphere_optimiser.h"

namespace fsgo {
namespace {

TEST(Optimiser, TheEvaluationLimitEndsTheRunWithTheBestPointNotConverged) {
  Molecule h2{{{1, {0, 0, -0.7}}, {1, {0, 0, 0.7}}}, {{0.5, {0, 0, 0.3}}}, 2};
  OptimiserSettings settings;
  settings.evaluationLimit = 4;
  std::vector<double> energies;
  const OptimisationResult r = optimiseSpheres(h2, settings, [&](const OptimiserStep& s) { energies.push_back(s.energy); });
  EXPECT_FALSE(r.converged);
  EXPECT_EQ(r.reason, StopReason::EvaluationLimit);
  ASSERT_EQ(energies.size(), 4u);
  EXPECT_EQ(r.bestEvaluation.total(), *std::min_element(energies.begin(), energies.end()));
  EXPECT_LT(r.bestEvaluation.total(), r.startEvaluation.total());
}

}  // namespace
}  // namespace fsgo
