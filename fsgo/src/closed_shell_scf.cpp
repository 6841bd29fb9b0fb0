#include "closed_shell_scf.h"

#include <cmath>
#include <deque>

#include <Eigen/Dense>

#include "sphere_pair.h"

namespace fsgo {

namespace {

constexpr int kMaxIterations = 300;
constexpr int kDiisVectors = 8;
constexpr double kCommutatorTolerance = 1e-10;

// The density of the lowest `occupied` orbitals of F, orthogonalised by X.
Eigen::MatrixXd aufbauDensity(const Eigen::MatrixXd& F, const Eigen::MatrixXd& X, int occupied) {
  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(X.transpose() * F * X);
  const Eigen::MatrixXd C = X * solver.eigenvectors().leftCols(occupied);
  return 2.0 * C * C.transpose();
}

// Pulay's extrapolation: the combination of the stored Fock matrices whose
// error vectors combine to the smallest norm, with coefficients summing to 1.
Eigen::MatrixXd extrapolate(const std::deque<Eigen::MatrixXd>& focks, const std::deque<Eigen::MatrixXd>& errors) {
  const int m = static_cast<int>(focks.size());
  Eigen::MatrixXd B = Eigen::MatrixXd::Zero(m + 1, m + 1);
  for (int r = 0; r < m; ++r)
    for (int c = 0; c < m; ++c) B(r, c) = (errors[r].array() * errors[c].array()).sum();
  B.row(m).head(m).setConstant(-1.0);
  B.col(m).head(m).setConstant(-1.0);
  Eigen::VectorXd rhs = Eigen::VectorXd::Zero(m + 1);
  rhs(m) = -1.0;
  const Eigen::VectorXd w = B.colPivHouseholderQr().solve(rhs);
  if (!w.allFinite()) return focks.back();
  Eigen::MatrixXd F = Eigen::MatrixXd::Zero(focks.back().rows(), focks.back().cols());
  for (int r = 0; r < m; ++r) F += w(r) * focks[r];
  return F;
}

}  // namespace

double RepulsionIntegrals::operator()(int i, int j, int k, int l) const {
  return pairs(pairIndex(i, j), pairIndex(k, l));
}

Eigen::MatrixXd fockMatrix(const Eigen::MatrixXd& H, const RepulsionIntegrals& eri, const Eigen::MatrixXd& P) {
  const int n = eri.n;
  Eigen::MatrixXd F = H;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) {
      double g = 0;
      for (int k = 0; k < n; ++k)
        for (int l = 0; l < n; ++l) g += P(k, l) * (eri(i, j, k, l) - 0.5 * eri(i, k, j, l));
      F(i, j) += g;
      if (i != j) F(j, i) += g;
    }
  return F;
}

ScfSolution solveClosedShell(const Eigen::MatrixXd& S, const Eigen::MatrixXd& sInvHalf, const Eigen::MatrixXd& H,
                             const RepulsionIntegrals& eri, int occupied, const Eigen::MatrixXd& start) {
  const int n = static_cast<int>(S.rows());
  ScfSolution out;
  out.density = start.rows() == n && start.cols() == n ? start : aufbauDensity(H, sInvHalf, occupied);
  std::deque<Eigen::MatrixXd> focks, errors;
  for (out.iterations = 1; out.iterations <= kMaxIterations; ++out.iterations) {
    const Eigen::MatrixXd F = fockMatrix(H, eri, out.density);
    const Eigen::MatrixXd FPS = F * out.density * S;
    const Eigen::MatrixXd error = sInvHalf.transpose() * (FPS - FPS.transpose()) * sInvHalf;
    if (error.cwiseAbs().maxCoeff() < kCommutatorTolerance) {
      out.converged = true;
      return out;
    }
    focks.push_back(F);
    errors.push_back(error);
    if (static_cast<int>(focks.size()) > kDiisVectors) {
      focks.pop_front();
      errors.pop_front();
    }
    out.density = aufbauDensity(extrapolate(focks, errors), sInvHalf, occupied);
  }
  out.iterations = kMaxIterations;
  return out;
}

}  // namespace fsgo
