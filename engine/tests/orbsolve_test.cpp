#include "orbsolve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "matrix_rows.h"

namespace scf1s {
namespace {

constexpr double kTen = 5e-11;  // agreement to ten decimals
constexpr double kTau = 1.0e-12;

Matrix square(std::initializer_list<std::initializer_list<double>> rows) { return test::matrixFromRows(rows); }

std::string blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

// The two-sphere example: S = [[1, 0.5], [0.5, 1]], H = [[-1, -0.8], [-0.8, -1]].
const Matrix kExampleS = square({{1, 0.5}, {0.5, 1}});
const Matrix kExampleH = square({{-1, -0.8}, {-0.8, -1}});

// What the matrix printer gives for a 2 x 2 block: a header with the column
// numbers (each I3 after eight blanks), the rows (I2 after one blank, two
// blanks, F11.6 fields), then two empty lines.
std::string printedTwoByTwo(const std::string& row1, const std::string& row2) {
  return " " + blanks(8) + "  1" + blanks(8) + "  2\n" + "  1  " + row1 + "\n" + "  2  " + row2 + "\n\n\n";
}

// Orbital energies and coefficient rows of the example: the bonding
// combination (1, 1)/sqrt(2 * 1.5) at -1.8/1.5 and the antibonding (1, -1)/sqrt(2 * 0.5)
// at -0.2/0.5.
void expectExampleSolution(const Vector& E, const Matrix& energyWork) {
  EXPECT_NEAR(E(1), -1.2, kTen);
  EXPECT_NEAR(E(2), -0.4, kTen);
  EXPECT_NEAR(energyWork(1, 1), 0.5773502692, kTen);
  EXPECT_NEAR(energyWork(1, 2), 0.5773502692, kTen);
  EXPECT_NEAR(energyWork(2, 1), 1.0, kTen);
  EXPECT_NEAR(energyWork(2, 2), -1.0, kTen);
}

TEST(OrbsolveExample, CoreHamiltonianSolveBuildsAndPrintsSInvHalf) {
  Matrix overlapWork = kExampleS;
  Matrix energyWork = kExampleH;
  Matrix stored;
  Vector E;
  Report report;
  orbsolve(overlapWork, E, energyWork, 2, kTau, 0, stored, report);

  expectExampleSolution(E, energyWork);
  EXPECT_NEAR(stored(1, 1), 1.1153550717, kTen);
  EXPECT_NEAR(stored(1, 2), -0.2988584907, kTen);
  EXPECT_NEAR(stored(2, 1), -0.2988584907, kTen);
  EXPECT_NEAR(stored(2, 2), 1.1153550717, kTen);

  // Title, the matrix, and no orbital-energy lines at iteration 0.
  const std::string expected = "\n" + blanks(31) + "S**(-1/2) Matrix\n\n" +
                               printedTwoByTwo("   1.115355  -0.298858", "  -0.298858   1.115355");
  EXPECT_EQ(report.text(), expected);
}

TEST(OrbsolveExample, LaterIterationReusesStoredSInvHalfAndPrintsEnergies) {
  Matrix stored;
  {
    Matrix overlapWork = kExampleS;
    Matrix energyWork = kExampleH;
    Vector E;
    Report first;
    orbsolve(overlapWork, E, energyWork, 2, kTau, 0, stored, first);
  }
  const Matrix storedAfterFirstCall = stored;

  // The overlap copy is not read at iteration 1: fill it with rubbish.
  Matrix overlapWork;
  for (double& x : overlapWork.v) x = -123.0;
  Matrix energyWork = kExampleH;
  Vector E;
  Report report;
  orbsolve(overlapWork, E, energyWork, 2, kTau, 1, stored, report);

  expectExampleSolution(E, energyWork);
  EXPECT_EQ(stored.v, storedAfterFirstCall.v);
  const std::string expected = blanks(19) + "Orbital Energies in hartrees, lowest first\n\n" +
                               blanks(26) + "E(  1) =" + blanks(5) + "-1.200000000000\n" +
                               blanks(26) + "E(  2) =" + blanks(5) + "-0.400000000000\n";
  EXPECT_EQ(report.text(), expected);
}

TEST(OrbsolveExample, LowerTriangleOfEnergyCopyIsIgnored) {
  Matrix overlapWork = kExampleS;
  Matrix energyWork = kExampleH;
  energyWork(2, 1) = 55.5;
  Matrix stored;
  Vector E;
  Report report;
  orbsolve(overlapWork, E, energyWork, 2, kTau, 0, stored, report);
  expectExampleSolution(E, energyWork);
}

TEST(OrbsolveSingleSphere, EnergyIsTheElementAndCoefficientIsOne) {
  for (int iteration : {0, 1, 5}) {
    Matrix overlapWork = square({{0.7}});
    Matrix energyWork = square({{-0.4665}});
    Matrix stored;
    Vector E;
    Report report;
    orbsolve(overlapWork, E, energyWork, 1, kTau, iteration, stored, report);
    EXPECT_EQ(E(1), -0.4665);
    EXPECT_EQ(energyWork(1, 1), 1.0);
    EXPECT_EQ(report.text(), "") << "iteration " << iteration;
    EXPECT_EQ(stored.v, Matrix{}.v) << "S^-1/2 is neither built nor stored";
  }
}

// With S = 1 the orbitals are the spheres themselves and the solver meets a
// diagonal matrix, which it leaves in its order.
TEST(OrbsolveOrdering, EqualEnergiesComeOutInReverseOfSolverOrder) {
  Matrix overlapWork = square({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  Matrix energyWork = square({{-0.5, 0, 0}, {0, -1, 0}, {0, 0, -0.5}});
  Matrix stored;
  Vector E;
  Report report;
  orbsolve(overlapWork, E, energyWork, 3, kTau, 0, stored, report);
  EXPECT_EQ(E(1), -1.0);
  EXPECT_EQ(E(2), -0.5);
  EXPECT_EQ(E(3), -0.5);
  // Sphere 2 first, then the two equal ones: sphere 3 before sphere 1.
  const Matrix expected = square({{0, 1, 0}, {0, 0, 1}, {1, 0, 0}});
  for (int k = 1; k <= 3; ++k)
    for (int mu = 1; mu <= 3; ++mu) EXPECT_EQ(energyWork(k, mu), expected(k, mu)) << "(" << k << "," << mu << ")";
}

TEST(OrbsolveOrdering, AllEqualEnergiesAreFullyReversed) {
  Matrix overlapWork = square({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  Matrix energyWork = square({{-2, 0, 0}, {0, -2, 0}, {0, 0, -2}});
  Matrix stored;
  Vector E;
  Report report;
  orbsolve(overlapWork, E, energyWork, 3, kTau, 0, stored, report);
  const Matrix expected = square({{0, 0, 1}, {0, 1, 0}, {1, 0, 0}});
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(E(k), -2.0);
    for (int mu = 1; mu <= 3; ++mu) EXPECT_EQ(energyWork(k, mu), expected(k, mu)) << "(" << k << "," << mu << ")";
  }
}

// S = [[1, 2], [2, 1]] has the eigenvalues 3 and -1 (vectors (1, 1) and
// (-1, 1) over sqrt 2, in that order from one quarter-turn rotation).
TEST(OrbsolveOverlapFailure, ReportsEigenvalueAndEnergyMatrixThenLaterCallsGiveZeros) {
  Matrix overlapWork = square({{1, 2}, {2, 1}});
  Matrix energyWork = square({{-1, -0.8}, {-0.75, -1}});  // lower triangle differs: not read
  Matrix stored;
  Vector E;
  E(2) = 42.0;
  Report report;
  orbsolve(overlapWork, E, energyWork, 2, kTau, 0, stored, report);

  const std::string expected = blanks(50) + "impossible s eigenvalue s(  2,  2) =   -1.000\n" +
                               " mistake in overlap calc., energy matrix follows\n" +
                               printedTwoByTwo("  -1.000000  -0.800000", "  -0.800000  -1.000000");
  EXPECT_EQ(report.text(), expected);

  EXPECT_NEAR(E(1), 1.0 / std::sqrt(3.0), kTen);
  EXPECT_EQ(E(2), 42.0);
  const double h = 1.0 / std::sqrt(2.0);
  EXPECT_NEAR(energyWork(1, 1), h, kTen);
  EXPECT_NEAR(energyWork(2, 1), h, kTen);
  EXPECT_NEAR(energyWork(1, 2), -h, kTen);
  EXPECT_NEAR(energyWork(2, 2), h, kTen);
  EXPECT_EQ(stored.v, Matrix{}.v) << "S^-1/2 must not be stored";

  // The next iteration works with the all-zero S^-1/2.
  Matrix overlapWork1 = square({{1, 2}, {2, 1}});
  Matrix energyWork1 = kExampleH;
  Vector E1;
  E1(1) = 9.0;
  E1(2) = 9.0;
  Report later;
  orbsolve(overlapWork1, E1, energyWork1, 2, kTau, 1, stored, later);
  for (int k = 1; k <= 2; ++k) {
    EXPECT_EQ(E1(k), 0.0);
    for (int mu = 1; mu <= 2; ++mu) EXPECT_EQ(energyWork1(k, mu), 0.0);
  }
  EXPECT_EQ(later.text(), blanks(19) + "Orbital Energies in hartrees, lowest first\n\n" + blanks(26) + "E(  1) =" +
                              blanks(6) + "0.000000000000\n" + blanks(26) + "E(  2) =" + blanks(6) +
                              "0.000000000000\n");
}

TEST(OrbsolveSolverTrouble, NonFiniteEnergyMatrixIsReportedAndTheSolveGoesOn) {
  Matrix stored;
  {
    Matrix overlapWork = kExampleS;
    Matrix energyWork = kExampleH;
    Vector E;
    Report first;
    orbsolve(overlapWork, E, energyWork, 2, kTau, 0, stored, first);
  }
  Matrix overlapWork;
  Matrix energyWork = kExampleH;
  energyWork(1, 2) = std::numeric_limits<double>::quiet_NaN();
  Vector E;
  Report report;
  orbsolve(overlapWork, E, energyWork, 2, kTau, 3, stored, report);
  const std::string& text = report.text();
  EXPECT_EQ(text.rfind(" Jacobi diagonalisation stopped: a matrix element is not finite\n", 0), 0u) << text;
  EXPECT_NE(text.find("Orbital Energies in hartrees, lowest first"), std::string::npos);
}

}  // namespace
}  // namespace scf1s
