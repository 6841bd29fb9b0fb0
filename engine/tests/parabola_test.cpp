#include "parabola.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>

namespace scf1s {
namespace {

std::optional<double> vertex(std::array<double, 3> x, std::array<double, 3> y) {
  ParabolaVertex v = parabolaVertex(x.data(), y.data());
  if (v.kind != ParabolaVertex::Kind::Vertex) return std::nullopt;
  return v.xmin;
}

// The vertex from the divided differences of the three points, in long
// double: x* = (x1 + x2)/2 - f[x1,x2] / (2 f[x1,x2,x3]).
long double referenceVertex(std::array<double, 3> x, std::array<double, 3> y) {
  const long double d12 = (static_cast<long double>(y[1]) - y[0]) / (static_cast<long double>(x[1]) - x[0]);
  const long double d23 = (static_cast<long double>(y[2]) - y[1]) / (static_cast<long double>(x[2]) - x[1]);
  const long double d123 = (d23 - d12) / (static_cast<long double>(x[2]) - x[0]);
  return (static_cast<long double>(x[0]) + x[1]) / 2 - d12 / (2 * d123);
}

TEST(ParabolaVertex, MinimumAndMaximumOfTheWorkedPoints) {
  EXPECT_EQ(vertex({1, 2, 3}, {3, 1, 3}), 2.0);
  EXPECT_EQ(vertex({1, 2, 3}, {-1, 0, -1}), 2.0);  // opens downward: the vertex of a maximum
}

TEST(ParabolaVertex, UnevenlySpacedPointsInAnyOrder) {
  // y = (x - 1.5)^2 + 1 at x = 0, 1, 3: every product and sum is exact.
  const std::array<double, 3> xs{0, 1, 3}, ys{3.25, 1.25, 3.25};
  const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const auto& o : orders) {
    EXPECT_EQ(vertex({xs[o[0]], xs[o[1]], xs[o[2]]}, {ys[o[0]], ys[o[1]], ys[o[2]]}), 1.5)
        << o[0] << o[1] << o[2];
  }
}

TEST(ParabolaVertex, AgreesWithDividedDifferences) {
  struct Case {
    std::array<double, 3> x, y;
  };
  // A bond-length scan (three total energies near a minimum), a wide
  // parabola, and a vertex outside the three abscissae.
  for (const Case& c : {Case{{1.3, 1.4, 1.5}, {-1.1284, -1.1336, -1.1322}},
                        Case{{0.1, 0.4, 0.9}, {-0.92, -0.98, 0.28}},
                        Case{{-10.0, 0.5, 7.25}, {3.0, 2.0, 1.5}}}) {
    const auto got = vertex(c.x, c.y);
    ASSERT_TRUE(got);
    EXPECT_NEAR(*got, static_cast<double>(referenceVertex(c.x, c.y)), 1e-9 * (1 + std::fabs(*got)));
  }
}

TEST(ParabolaVertex, ShiftingAllValuesByAConstantKeepsTheVertex) {
  EXPECT_EQ(vertex({1, 2, 3}, {103, 101, 103}), 2.0);
  EXPECT_EQ(vertex({1, 2, 3}, {-97, -99, -97}), 2.0);
}

TEST(ParabolaVertex, CollinearPointsHaveNoVertex) {
  EXPECT_FALSE(vertex({1, 2, 3}, {1, 2, 3}));     // a rising line
  EXPECT_FALSE(vertex({1, 2, 3}, {5, 5, 5}));     // a level line
  EXPECT_FALSE(vertex({2, 2, 2}, {1, 4, 9}));     // one abscissa three times
  EXPECT_FALSE(vertex({1, 1, 3}, {2, 2, 5}));     // the same point twice
  EXPECT_FALSE(vertex({0, 0, 0}, {0, 0, 0}));     // one point three times
  EXPECT_FALSE(vertex({-1, 0, 2}, {2, 0, -4}));   // a falling line through the origin
}

TEST(ParabolaVertex, TwoPointsOverOneAbscissaHaveNoVertex) {
  // D is -2 here, yet no parabola y(x) passes through (1,1) and (1,2).
  EXPECT_FALSE(vertex({1, 1, 3}, {1, 2, 5}));
  EXPECT_FALSE(vertex({4, 1, 4}, {0, 2, 1}));
}

TEST(ParabolaVertex, OverflowingPointsAreReportedAsTooLarge) {
  // x*x overflows: N becomes inf - inf. The vertex cannot be computed in doubles.
  const double x[3] = {1e188, 2e188, 3e188}, y[3] = {3, 1, 3};
  EXPECT_EQ(parabolaVertex(x, y).kind, ParabolaVertex::Kind::TooLarge);
}

TEST(ParabolaVertex, NearlyCollinearPointsStillHaveAVertex) {
  const auto far = vertex({0, 1, 2}, {0, 1, 2.0009765625});  // 2 + 2^-10: D is exactly 2^-10
  ASSERT_TRUE(far);
  EXPECT_NEAR(*far, -1023.5, 1e-9);
}

}  // namespace
}  // namespace scf1s
