#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "basis_library.h"
#include "lobe_basis.h"

namespace lobe {
namespace {

// Closed-form integrals over Cartesian Gaussians x^i exp(-a (x - A)^2) by the
// Obara-Saika recurrence, per axis, for checking the lobe sums.
struct Axis {
  double a, b, xa, xb;
  double overlap(int i, int j) const {
    if (i < 0 || j < 0) return 0.0;
    const double p = a + b, xp = (a * xa + b * xb) / p;
    if (i > 0) return (xp - xa) * overlap(i - 1, j) + ((i - 1) * overlap(i - 2, j) + j * overlap(i - 1, j - 1)) / (2 * p);
    if (j > 0) return (xp - xb) * overlap(i, j - 1) + (i * overlap(i - 1, j - 1) + (j - 1) * overlap(i, j - 2)) / (2 * p);
    return std::sqrt(std::numbers::pi / p) * std::exp(-a * b / p * (xa - xb) * (xa - xb));
  }
  // -1/2 <i| d^2/dx^2 |j>, from d^2/dx^2 x^j e^{-bx^2} = j(j-1)x^(j-2) - 2b(2j+1)x^j + 4b^2 x^(j+2).
  double kinetic(int i, int j) const {
    return -0.5 * (j * (j - 1) * overlap(i, j - 2) - 2 * b * (2 * j + 1) * overlap(i, j) + 4 * b * b * overlap(i, j + 2));
  }
};

struct Pair {
  Powers first, second;
};

double exact(const Pair& pair, const Point& a, double alpha, const Point& b, double beta, bool kinetic) {
  double s[3], t[3];
  for (int k = 0; k < 3; ++k) {
    const Axis axis{alpha, beta, a[k], b[k]};
    s[k] = axis.overlap(pair.first[k], pair.second[k]);
    t[k] = axis.kinetic(pair.first[k], pair.second[k]);
  }
  return kinetic ? t[0] * s[1] * s[2] + s[0] * t[1] * s[2] + s[0] * s[1] * t[2] : s[0] * s[1] * s[2];
}

double lobeSum(const Pair& pair, const Point& a, double alpha, const Point& b, double beta, double t, bool kinetic) {
  const LobeDisplacements displacements{t, t};
  double sum = 0;
  for (const Lobe& x : lobesOfPrimitive(a, alpha, pair.first, displacements)) {
    for (const Lobe& y : lobesOfPrimitive(b, beta, pair.second, displacements)) {
      sum += x.coefficient * y.coefficient *
             (kinetic ? kineticSS(x.centre, alpha, y.centre, beta) : overlapSS(x.centre, alpha, y.centre, beta));
    }
  }
  return sum;
}

TEST(LobePrimitives, OverlapAndKineticApproachTheCartesianValuesAsTheDisplacementSquared) {
  const Point a{0.1, -0.2, 0.3}, b{0.5, 0.4, -0.6};
  const Pair pairs[] = {
      {{1, 0, 0}, {1, 0, 0}}, {{0, 0, 1}, {1, 0, 1}}, {{2, 0, 0}, {0, 0, 0}},
      {{1, 1, 0}, {1, 1, 0}}, {{0, 2, 0}, {0, 1, 1}}, {{0, 0, 2}, {0, 0, 1}},
  };
  for (const Pair& pair : pairs) {
    for (const bool kinetic : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "powers " << pair.first[0] << pair.first[1] << pair.first[2] << " and "
                                        << pair.second[0] << pair.second[1] << pair.second[2]
                                        << (kinetic ? ", kinetic" : ", overlap"));
      const double reference = exact(pair, a, 1.3, b, 0.8, kinetic);
      const double coarse = lobeSum(pair, a, 1.3, b, 0.8, 0.1, kinetic) - reference;
      const double fine = lobeSum(pair, a, 1.3, b, 0.8, 0.05, kinetic) - reference;
      EXPECT_NEAR(coarse / fine, 4.0, 0.3);  // halving t quarters the error
    }
  }
}

TEST(BasisLibrary, ReadsSpShellsAndNamesTheLineOfAFault) {
  const std::string good = "! comment\ncartesian\n****\nC     0\nSP   2   1.00\n  3.0  0.1  0.2\n  0.5D+00 0.9 0.8\n****\n";
  const BasisLibrary library = parseGaussian94(good, "x.gbs");
  ASSERT_EQ(library.at("C").size(), 2u);
  EXPECT_EQ(library.at("C")[1].angularMomentum, 1);
  EXPECT_DOUBLE_EQ(library.at("C")[1].primitives[1].exponent, 0.5);
  EXPECT_DOUBLE_EQ(library.at("C")[1].primitives[1].coefficient, 0.8);

  const std::pair<std::string, std::string> faults[] = {
      {"C     0\nF   1   1.00\n 1.0 1.0\n****\n", "x.gbs, line 2: expected a shell line"},
      {"C     0\nS   2   1.00\n 1.0 1.0\n", "x.gbs, line 4: the file ends inside a shell of C"},
      {"C     0\nS   1   1.00\n -1.0 1.0\n****\n", "x.gbs, line 3: expected a positive exponent"},
  };
  for (const auto& [text, message] : faults) {
    try {
      parseGaussian94(text, "x.gbs");
      ADD_FAILURE() << "accepted: " << text;
    } catch (const BasisLibraryError& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(message)) << error.what();
    }
  }
}

}  // namespace
}  // namespace lobe
