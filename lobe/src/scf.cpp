#include "scf.h"

#include <deque>

#include <Eigen/Eigenvalues>

namespace lobe {
namespace {

// Diagonalises F in the orthogonal basis and fills the spin's orbitals and density.
void solve(const Eigen::MatrixXd& fock, const Eigen::MatrixXd& x, SpinOrbitals& spin) {
  const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eigen(x.transpose() * fock * x);
  spin.energies = eigen.eigenvalues();
  spin.coefficients = x * eigen.eigenvectors();
  const auto occupied = spin.coefficients.leftCols(spin.occupied);
  spin.density = occupied * occupied.transpose();
}

// Pulay's direct inversion in the iterative subspace: the combination of the
// stored Fock matrices whose combined error vector is smallest.
class Diis {
 public:
  explicit Diis(int size) : size_(size) {}

  void add(std::vector<Eigen::MatrixXd> focks, std::vector<Eigen::MatrixXd> errors) {
    if (static_cast<int>(focks_.size()) == size_) {
      focks_.pop_front();
      errors_.pop_front();
    }
    focks_.push_back(std::move(focks));
    errors_.push_back(std::move(errors));
  }

  std::vector<Eigen::MatrixXd> extrapolate() const {
    const auto m = static_cast<Eigen::Index>(focks_.size());
    Eigen::MatrixXd b = Eigen::MatrixXd::Zero(m + 1, m + 1);
    for (Eigen::Index i = 0; i < m; ++i) {
      for (Eigen::Index j = 0; j <= i; ++j) {
        double dot = 0;
        for (std::size_t s = 0; s < errors_[std::size_t(i)].size(); ++s) {
          dot += errors_[std::size_t(i)][s].cwiseProduct(errors_[std::size_t(j)][s]).sum();
        }
        b(i, j) = b(j, i) = dot;
      }
      b(i, m) = b(m, i) = -1.0;
    }
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(m + 1);
    rhs(m) = -1.0;
    const Eigen::VectorXd c = b.completeOrthogonalDecomposition().solve(rhs);
    std::vector<Eigen::MatrixXd> combined(focks_.back().size());
    for (std::size_t s = 0; s < combined.size(); ++s) {
      combined[s] = Eigen::MatrixXd::Zero(focks_.back()[s].rows(), focks_.back()[s].cols());
      for (Eigen::Index i = 0; i < m; ++i) combined[s] += c(i) * focks_[std::size_t(i)][s];
    }
    return combined;
  }

 private:
  int size_;
  std::deque<std::vector<Eigen::MatrixXd>> focks_, errors_;
};

}  // namespace

Orthogonalisation canonicalOrthogonalisation(const Eigen::MatrixXd& overlap, double threshold) {
  const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eigen(overlap);
  const Eigen::VectorXd& values = eigen.eigenvalues();  // ascending
  Orthogonalisation result;
  result.smallestEigenvalue = values.size() > 0 ? values(0) : 0.0;
  Eigen::Index first = 0;
  while (first < values.size() && values(first) < threshold) ++first;
  result.dropped = static_cast<int>(first);
  const Eigen::Index kept = values.size() - first;
  result.x = eigen.eigenvectors().rightCols(kept) *
             values.tail(kept).cwiseSqrt().cwiseInverse().asDiagonal();
  return result;
}

ScfResult runScf(const Eigen::MatrixXd& overlap, const Eigen::MatrixXd& coreHamiltonian,
                 const TwoElectronIntegrals& integrals, const Orthogonalisation& orthogonalisation, int alphaElectrons,
                 int betaElectrons, bool restricted, double nuclearRepulsion, const ScfSettings& settings,
                 const std::function<void(const ScfIteration&)>& onIteration) {
  const Eigen::MatrixXd& x = orthogonalisation.x;
  ScfResult result;
  result.restricted = restricted;
  result.alpha.occupied = alphaElectrons;
  result.beta.occupied = betaElectrons;
  solve(coreHamiltonian, x, result.alpha);
  solve(coreHamiltonian, x, result.beta);

  Diis diis(settings.diisVectors);
  double previousEnergy = 0;
  for (int iteration = 1; iteration <= settings.maxIterations; ++iteration) {
    const Eigen::MatrixXd total = result.alpha.density + result.beta.density;
    const Eigen::MatrixXd coulomb = integrals.coulomb(total);
    result.alpha.fock = coreHamiltonian + coulomb - integrals.exchange(result.alpha.density);
    result.beta.fock = restricted ? result.alpha.fock
                                  : Eigen::MatrixXd(coreHamiltonian + coulomb - integrals.exchange(result.beta.density));

    result.electronicEnergy =
        0.5 * ((total.cwiseProduct(coreHamiltonian)).sum() + result.alpha.density.cwiseProduct(result.alpha.fock).sum() +
               result.beta.density.cwiseProduct(result.beta.fock).sum());
    result.totalEnergy = result.electronicEnergy + nuclearRepulsion;

    std::vector<Eigen::MatrixXd> focks{result.alpha.fock};
    std::vector<Eigen::MatrixXd> errors;
    double largestError = 0;
    for (const SpinOrbitals* spin : {&result.alpha, &result.beta}) {
      if (restricted && spin == &result.beta) break;
      const Eigen::MatrixXd fds = spin->fock * spin->density * overlap;
      errors.push_back(x.transpose() * (fds - fds.transpose()) * x);
      largestError = std::max(largestError, errors.back().cwiseAbs().maxCoeff());
    }
    if (!restricted) focks.push_back(result.beta.fock);

    ScfIteration report{iteration, result.totalEnergy, iteration == 1 ? 0.0 : result.totalEnergy - previousEnergy,
                        largestError};
    result.iterations = iteration;
    onIteration(report);
    if (iteration > 1 && std::abs(report.change) < settings.energyTolerance &&
        largestError < settings.commutatorTolerance) {
      result.converged = true;
      break;
    }
    previousEnergy = result.totalEnergy;

    diis.add(focks, std::move(errors));
    const std::vector<Eigen::MatrixXd> next = diis.extrapolate();
    solve(next[0], x, result.alpha);
    if (restricted) {
      result.beta.energies = result.alpha.energies;
      result.beta.coefficients = result.alpha.coefficients;
      result.beta.density = result.alpha.density;
    } else {
      solve(next[1], x, result.beta);
    }
  }
  // The orbitals reported are those of the last Fock matrix, not of the
  // extrapolated one, so that energies and coefficients belong together.
  solve(result.alpha.fock, x, result.alpha);
  if (restricted) {
    result.beta = result.alpha;
    result.beta.occupied = betaElectrons;
  } else {
    solve(result.beta.fock, x, result.beta);
  }
  return result;
}

}  // namespace lobe
