#pragma once

#include <cstddef>
#include <vector>

#include <Eigen/Dense>

#include "lobe_basis.h"

namespace lobe {

// Every unique two-electron integral (mu nu | la si) over the basis
// functions, in chemists' notation, stored once for the eightfold symmetry.
class TwoElectronIntegrals {
 public:
  TwoElectronIntegrals() = default;
  // threads: how many threads build the exchange matrices.
  TwoElectronIntegrals(std::size_t functionCount, unsigned threads);

  static std::size_t pairIndex(std::size_t i, std::size_t j) { return i >= j ? i * (i + 1) / 2 + j : j * (j + 1) / 2 + i; }
  static std::size_t quartetIndex(std::size_t ij, std::size_t kl) {
    return ij >= kl ? ij * (ij + 1) / 2 + kl : kl * (kl + 1) / 2 + ij;
  }

  double operator()(std::size_t i, std::size_t j, std::size_t k, std::size_t l) const {
    return values_[quartetIndex(pairIndex(i, j), pairIndex(k, l))];
  }

  std::size_t functionCount() const { return n_; }
  std::size_t pairCount() const { return n_ * (n_ + 1) / 2; }
  std::vector<double>& values() { return values_; }
  const std::vector<double>& values() const { return values_; }

  // The Coulomb matrix J(D) and exchange matrix K(D) of a symmetric density D.
  Eigen::MatrixXd coulomb(const Eigen::MatrixXd& density) const;
  Eigen::MatrixXd exchange(const Eigen::MatrixXd& density) const;

 private:
  std::size_t n_ = 0;
  unsigned threads_ = 1;
  std::vector<double> values_;
};

// Computes every unique integral over the lobe basis: for s Gaussians
// (ab|cd) = 2 pi^(5/2) / (p q sqrt(p + q)) K_ab K_cd F0(pq/(p+q) |P - Q|^2),
// summed over the lobes of the four functions. Quartets whose Schwarz bound
// sqrt((mu nu|mu nu)(la si|la si)) is below `negligible` are set to zero.
// Runs on `threads` threads.
TwoElectronIntegrals computeTwoElectronIntegrals(const LobeBasis& basis, unsigned threads, double negligible = 1e-12);

}  // namespace lobe
