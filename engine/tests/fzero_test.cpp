#include "fzero.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace scf1s {
namespace {

// F0(t) = (sqrt(pi)/2) erf(sqrt t) / sqrt t, with the library's error function.
double referenceF0(double t) {
  const double pi = 3.14159265358979323846;
  const double x = std::sqrt(t);
  return 0.5 * std::sqrt(pi / t) * std::erf(x);
}

TEST(FzeroSmallArgument, IsExactlyOneAtZero) { EXPECT_EQ(fzero(0.0), 1.0); }

TEST(FzeroSmallArgument, IsExactlyOneJustBelowThreshold) {
  EXPECT_EQ(fzero(std::nextafter(3.0e-7, 0.0)), 1.0);
  EXPECT_EQ(fzero(1.0e-10), 1.0);
}

TEST(FzeroSmallArgument, UsesApproximationAtThreshold) {
  // The erf approximation's error divided by a small x shows up here.
  const double f = fzero(3.0e-7);
  EXPECT_GE(f, 0.9999911);
  EXPECT_LT(f, 0.9999912);
}

TEST(FzeroBranches, PolynomialBranchAtBoundaryDiffersFromAsymptote) {
  const double atBoundary = fzero(22.5);
  const double asymptote = 0.886226925452758 / std::sqrt(22.5);
  // 1/Q^16 is still a few 1e-11 there, so the polynomial branch lies a few
  // 1e-12 below the asymptote.
  EXPECT_LT(atBoundary, asymptote);
  EXPECT_GT(asymptote - atBoundary, 1.0e-12);
  EXPECT_LT(asymptote - atBoundary, 1.0e-11);
}

TEST(FzeroBranches, AsymptoticBranchJustAboveBoundary) {
  const double t = std::nextafter(22.5, 100.0);
  EXPECT_DOUBLE_EQ(fzero(t), 0.886226925452758 / std::sqrt(t));
  EXPECT_GT(fzero(t) - fzero(22.5), 1.0e-12);
}

TEST(FzeroAccuracy, AgreesWithLibraryErfWithinApproximationError) {
  // |erf error| <= 3e-7 for A&S 7.1.28, so |F0 error| <= (sqrt(pi)/2) 3e-7 / x.
  for (double t = 3.0e-7; t < 40.0; t *= 1.07) {
    const double x = std::sqrt(t);
    const double bound = 0.8862269254527580 * 3.0e-7 / x + 1.0e-14;
    EXPECT_NEAR(fzero(t), referenceF0(t), bound) << "t = " << t;
  }
}

TEST(FzeroAccuracy, ModerateArgumentsToSixDecimals) {
  // Values of the Boys function from its erf form; from t = 0.5 on the
  // approximation's error stays below 1e-6.
  for (double t : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 22.5, 30.0, 100.0})
    EXPECT_NEAR(fzero(t), referenceF0(t), 1.0e-6) << "t = " << t;
  EXPECT_NEAR(fzero(1.0), 0.746824132812427, 1.0e-6);  // (sqrt(pi)/2) erf(1)
}

TEST(FzeroAccuracy, LargeArgumentsFollowInverseSquareRoot) {
  EXPECT_DOUBLE_EQ(fzero(100.0), 0.0886226925452758);
  EXPECT_DOUBLE_EQ(fzero(1.0e6), 0.000886226925452758);
}

}  // namespace
}  // namespace scf1s
