// F0 and F1 against the defining integrals over u in [0, 1] of exp(-t u^2)
// and u^2 exp(-t u^2), evaluated by quadrature at 30 digits (mpmath), on both
// sides of the switch from the series to the closed forms at t = 1.
#include <gtest/gtest.h>

#include "boys_function.h"

namespace fsgo {
namespace {

TEST(BoysFunction, MatchesTheDefiningIntegralsToFullPrecision) {
  struct Point {
    double t, f0, f1;
  };
  const Point points[] = {
      {1e-12, 0.99999999999966666667, 0.33333333333313333333}, {0.3, 0.90839287703275053556, 0.27929109391838778249},
      {0.9999999, 0.74682415175966210879, 0.18947235584737250007}, {1.0, 0.7468241328124270254, 0.1894723458204923519},
      {4.5, 0.41664348158051584121, 0.045059387226919281635}, {40.0, 0.14012478040994821743, 0.0017515597551243526648},
  };
  for (const Point& p : points) {
    const BoysValue v = boys(p.t);
    EXPECT_NEAR(v.f0, p.f0, 4e-16) << p.t;
    EXPECT_NEAR(-v.derivative, p.f1, 4e-16) << p.t;
  }
}

}  // namespace
}  // namespace fsgo
