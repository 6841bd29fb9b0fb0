#include "jacobi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <random>
#include <vector>

#include "matrix_rows.h"

namespace scf1s {
namespace {

constexpr double kTen = 5e-11;  // agreement to ten decimals
constexpr double kTau = 1.0e-12;

// A symmetric matrix from its rows; the lower triangle is then overwritten by
// distinct markers so that any read or write of it shows.
Matrix symmetricWithMarkedLowerTriangle(std::initializer_list<std::initializer_list<double>> rows) {
  Matrix A = test::matrixFromRows(rows);
  for (int r = 1; r <= kMaxSpheres; ++r)
    for (int c = 1; c < r; ++c) A(r, c) = 1000.0 + 20.0 * r + c;
  return A;
}

void expectLowerTriangleMarked(const Matrix& A, int n) {
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c < r; ++c) EXPECT_EQ(A(r, c), 1000.0 + 20.0 * r + c) << "(" << r << "," << c << ")";
}

void expectDiagonal(const Matrix& A, std::initializer_list<double> values, double tolerance = kTen) {
  int k = 1;
  for (double v : values) {
    EXPECT_NEAR(A(k, k), v, tolerance) << "eigenvalue " << k;
    ++k;
  }
}

void expectColumn(const Matrix& U, int column, std::initializer_list<double> values, double tolerance = kTen) {
  int i = 1;
  for (double v : values) {
    EXPECT_NEAR(U(i, column), v, tolerance) << "U(" << i << "," << column << ")";
    ++i;
  }
}

TEST(JacobiSmallMatrices, OrderOneIsLeftAlone) {
  Matrix A;
  A(1, 1) = -3.25;
  Matrix U;
  U(1, 1) = 7.0;
  const JacobiResult result = jacobi(A, 1, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_EQ(result.rotations, 0);
  EXPECT_EQ(A(1, 1), -3.25);
  EXPECT_EQ(U(1, 1), 1.0);
}

TEST(JacobiSmallMatrices, DiagonalInputKeepsAscendingOrderAndIdentityVectors) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 0, 0}, {0, 2, 0}, {0, 0, 3}});
  Matrix U;
  for (double& x : U.v) x = 9.0;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_EQ(result.rotations, 0);
  expectDiagonal(A, {1, 2, 3}, 0.0);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(U(i, j), i == j ? 1.0 : 0.0);
  expectLowerTriangleMarked(A, 3);
}

TEST(JacobiSmallMatrices, EqualDiagonalRotatesByQuarterTurn) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 1}, {1, 1}});
  Matrix U;
  const JacobiResult result = jacobi(A, 2, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_EQ(result.rotations, 1);
  expectDiagonal(A, {2, 0});
  EXPECT_EQ(A(1, 2), 0.0);  // the pivot is removed exactly
  const double h = 1.0 / std::sqrt(2.0);
  expectColumn(U, 1, {h, h});
  expectColumn(U, 2, {-h, h});
  expectLowerTriangleMarked(A, 2);
}

TEST(JacobiSmallMatrices, AscendingPairIsExchangedLargerFirst) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 0.5}, {0.5, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 2, U, kTau);
  EXPECT_EQ(result.rotations, 1);
  // 2 +- sqrt(5)/2
  expectDiagonal(A, {3.1180339887, 0.8819660113});
  expectColumn(U, 1, {0.2297529205, 0.9732489895});
  expectColumn(U, 2, {-0.9732489895, 0.2297529205});
  expectLowerTriangleMarked(A, 2);
}

TEST(JacobiSmallMatrices, NegativeCouplingGivesSignsOfFirstRotation) {
  Matrix A = symmetricWithMarkedLowerTriangle({{2, -1}, {-1, 2}});
  Matrix U;
  jacobi(A, 2, U, kTau);
  expectDiagonal(A, {3, 1});
  const double h = 1.0 / std::sqrt(2.0);
  expectColumn(U, 1, {h, -h});
  expectColumn(U, 2, {h, h});
}

TEST(JacobiSmallMatrices, FullThreeByThree) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 2, 3}, {2, 4, 5}, {3, 5, 6}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  expectDiagonal(A, {11.3448142828, 0.1709151888, -0.5157294716});
  expectColumn(U, 1, {0.3279852776, 0.5910090485, 0.7369762291});
  expectColumn(U, 2, {-0.5910090485, 0.7369762291, -0.3279852776});
  expectColumn(U, 3, {-0.7369762291, -0.3279852776, 0.5910090485});
  // Below the diagonal the caller's values, here the symmetric partners
  // 2, 3 and 5, are still there.
  Matrix B;
  B(1, 1) = 1; B(1, 2) = 2; B(1, 3) = 3;
  B(2, 1) = 2; B(2, 2) = 4; B(2, 3) = 5;
  B(3, 1) = 3; B(3, 2) = 5; B(3, 3) = 6;
  jacobi(B, 3, U, kTau);
  EXPECT_EQ(B(2, 1), 2.0);
  EXPECT_EQ(B(3, 1), 3.0);
  EXPECT_EQ(B(3, 2), 5.0);
  expectDiagonal(B, {11.3448142828, 0.1709151888, -0.5157294716});
}

// diag(1, 2, 3) with A(1,2) = eps: the threshold is tau times the smallest
// diagonal magnitude, 1e-12.
TEST(JacobiStopRule, CouplingBelowThresholdIsNotRotated) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 1.0e-13, 0}, {1.0e-13, 2, 0}, {0, 0, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_EQ(result.rotations, 0);
  EXPECT_EQ(A(1, 2), 1.0e-13);
  expectDiagonal(A, {1, 2, 3}, 0.0);
}

TEST(JacobiStopRule, CouplingAboveThresholdIsRotatedOnce) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 2.0e-12, 0}, {2.0e-12, 2, 0}, {0, 0, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_EQ(result.rotations, 1);
  EXPECT_EQ(A(1, 2), 0.0);
  expectDiagonal(A, {2, 1, 3});
  // The exchanged rotation carries e2 into column 1 and -e1 into column 2.
  expectColumn(U, 1, {0, 1, 0});
  expectColumn(U, 2, {-1, 0, 0});
  expectColumn(U, 3, {0, 0, 1});
  expectLowerTriangleMarked(A, 3);
}

TEST(JacobiStopRule, ThresholdScalesWithSmallestDiagonalMagnitude) {
  // Smallest |diagonal| 10: threshold 1e-11, so 5e-12 stays.
  Matrix A = symmetricWithMarkedLowerTriangle({{-30, 0, 5.0e-12}, {0, 20, 0}, {5.0e-12, 0, 10}});
  Matrix U;
  EXPECT_EQ(jacobi(A, 3, U, kTau).rotations, 0);
  EXPECT_EQ(A(1, 3), 5.0e-12);
}

TEST(JacobiStopRule, ZeroOnDiagonalRotatesEvenTinyCouplings) {
  // The threshold is 0, so 1e-20 is rotated away; the eigenvalues of
  // [[0, g], [g, 1]] are 1 + g^2 and -g^2, larger first.
  Matrix A = symmetricWithMarkedLowerTriangle({{0, 1.0e-20}, {1.0e-20, 1}});
  Matrix U;
  EXPECT_EQ(jacobi(A, 2, U, kTau).rotations, 1);
  EXPECT_EQ(A(1, 2), 0.0);
  expectDiagonal(A, {1, 0}, 1e-30);
  expectColumn(U, 1, {1.0e-20, 1}, 1e-30);
  expectColumn(U, 2, {-1, 1.0e-20}, 1e-30);
}

TEST(JacobiStopRule, ZeroThresholdIsRevisedOnceTheZerosAreGone) {
  // The first rotation turns the zero pair into (1, -1); the threshold then
  // becomes 1e-12 and the untouched 1e-13 coupling is left.
  Matrix A = symmetricWithMarkedLowerTriangle(
      {{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 1.0e-13}, {0, 0, 1.0e-13, 2}});
  Matrix U;
  EXPECT_EQ(jacobi(A, 4, U, kTau).rotations, 1);
  expectDiagonal(A, {1, -1, 1, 2});
  EXPECT_EQ(A(3, 4), 1.0e-13);
}

// The tie rules decide the order of two tiny rotations, each of which moves
// the larger of its pair to the lower index; the final order of the diagonal
// tells which rotation came first.
TEST(JacobiTieRules, EqualRowMaximaRotateLowestRowFirst) {
  // Rows 1 and 2 both hold eps. Row 1 first: (1,2) gives (2,1,3) and moves
  // eps to (1,3); then (1,3) gives (3,1,2). Row 2 first would end in (2,3,1).
  const double eps = 2.0e-12;
  Matrix A = symmetricWithMarkedLowerTriangle({{1, eps, 0}, {eps, 2, eps}, {0, eps, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.rotations, 2);
  expectDiagonal(A, {3, 1, 2});
  expectColumn(U, 1, {0, 0, 1});
  expectColumn(U, 2, {-1, 0, 0});
  expectColumn(U, 3, {0, -1, 0});
  expectLowerTriangleMarked(A, 3);
}

TEST(JacobiTieRules, EqualMagnitudesInOneRowRecordTheLastColumn) {
  // Row 1 holds eps twice. Column 3 first: (1,3) gives (3,2,1) after the
  // exchange, leaving eps at (2,3), which needs no exchange. Column 2 first
  // would end in (2,3,1).
  const double eps = 2.0e-12;
  Matrix A = symmetricWithMarkedLowerTriangle({{1, eps, -eps}, {eps, 2, 0}, {-eps, 0, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.rotations, 2);
  expectDiagonal(A, {3, 2, 1});
}

// A rotation of (2,3) that exchanges its pair moves row 1's coupling from one
// of the columns 2, 3 to the other at exactly the same magnitude. Row 1's
// record must follow it; a stale record would cost an extra, useless rotation
// of the element left behind (about 1e-24).
TEST(JacobiRowMaximumRepair, RecordInColumnROfTheRotationFollowsTheElement) {
  // (2,3) first: diagonal (2, 3, 1), coupling now at (1,2); then (1,2): (3, 2, 1).
  Matrix A = symmetricWithMarkedLowerTriangle({{2, 0, 2.0e-12}, {0, 1, 3.0e-12}, {2.0e-12, 3.0e-12, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.rotations, 2);
  expectDiagonal(A, {3, 2, 1});
}

TEST(JacobiRowMaximumRepair, RecordInColumnPOfTheRotationFollowsTheElement) {
  // (2,3) first: diagonal (2, 3, 1), coupling now at (1,3); then (1,3) with no exchange.
  Matrix A = symmetricWithMarkedLowerTriangle({{2, 2.0e-12, 0}, {2.0e-12, 1, 3.0e-12}, {0, 3.0e-12, 3}});
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.rotations, 2);
  expectDiagonal(A, {2, 3, 1});
}

TEST(JacobiLargeMatrix, RandomOrderTwentyIsDiagonalisedByOrthonormalVectors) {
  constexpr int n = 20;
  std::mt19937 generator(20061);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  Matrix original;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) original(i, j) = original(j, i) = uniform(generator);
  Matrix A = original;
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c < r; ++c) A(r, c) = 1000.0 + 20.0 * r + c;

  Matrix U;
  const JacobiResult result = jacobi(A, n, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_GT(result.rotations, 0);
  expectLowerTriangleMarked(A, n);

  double trace = 0.0;
  double eigenvalueSum = 0.0;
  for (int k = 1; k <= n; ++k) {
    trace += original(k, k);
    eigenvalueSum += A(k, k);
  }
  EXPECT_NEAR(eigenvalueSum, trace, 1e-12);

  for (int i = 1; i <= n; ++i) {
    for (int k = 1; k <= n; ++k) {
      double product = 0.0;  // (A U)(i,k)
      for (int j = 1; j <= n; ++j) product += original(i, j) * U(j, k);
      EXPECT_NEAR(product, U(i, k) * A(k, k), 1e-11) << "(A U - U diag)(" << i << "," << k << ")";
    }
  }
  for (int k = 1; k <= n; ++k) {
    for (int l = 1; l <= n; ++l) {
      double dot = 0.0;
      for (int i = 1; i <= n; ++i) dot += U(i, k) * U(i, l);
      EXPECT_NEAR(dot, k == l ? 1.0 : 0.0, 1e-13) << "columns " << k << " and " << l;
    }
  }
}

TEST(JacobiNonFinite, NaNAboveDiagonalStopsBeforeAnyRotation) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 0.5, 0.2}, {0.5, 2, 0.1}, {0.2, 0.1, 3}});
  A(2, 3) = std::numeric_limits<double>::quiet_NaN();
  Matrix U;
  const JacobiResult result = jacobi(A, 3, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::NotFinite);
  EXPECT_EQ(result.rotations, 0);
  EXPECT_EQ(A(1, 2), 0.5);
}

TEST(JacobiNonFinite, InfinityOnDiagonalStops) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 0.5}, {0.5, 2}});
  A(2, 2) = -std::numeric_limits<double>::infinity();
  Matrix U;
  EXPECT_EQ(jacobi(A, 2, U, kTau).outcome, JacobiOutcome::NotFinite);
  Matrix B;
  B(1, 1) = std::numeric_limits<double>::infinity();
  EXPECT_EQ(jacobi(B, 1, U, kTau).outcome, JacobiOutcome::NotFinite);
}

TEST(JacobiNonFinite, NaNBelowDiagonalIsNeverRead) {
  Matrix A = symmetricWithMarkedLowerTriangle({{1, 0.5}, {0.5, 3}});
  A(2, 1) = std::numeric_limits<double>::quiet_NaN();
  Matrix U;
  const JacobiResult result = jacobi(A, 2, U, kTau);
  EXPECT_EQ(result.outcome, JacobiOutcome::Converged);
  EXPECT_TRUE(std::isnan(A(2, 1)));
  expectDiagonal(A, {3.1180339887, 0.8819660113});
}

TEST(JacobiNonFinite, OverflowWhileFormingTheRotationStops) {
  // Finite elements whose difference, or whose square, exceeds the double range.
  const double big = std::numeric_limits<double>::max();
  Matrix A = symmetricWithMarkedLowerTriangle({{big, big}, {big, -big}});
  Matrix U;
  EXPECT_EQ(jacobi(A, 2, U, kTau).outcome, JacobiOutcome::NotFinite);
  Matrix B = symmetricWithMarkedLowerTriangle({{0.0, 1.0e200}, {1.0e200, 0.0}});
  EXPECT_EQ(jacobi(B, 2, U, kTau).outcome, JacobiOutcome::NotFinite);
}

}  // namespace
}  // namespace scf1s
