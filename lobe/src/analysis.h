#pragma once

#include <array>
#include <vector>

#include <Eigen/Dense>

#include "lobe_basis.h"
#include "molecule.h"
#include "scf.h"

namespace lobe {

struct PopulationAnalysis {
  std::vector<double> mullikenCharges;  // per atom
  Eigen::MatrixXd mayerBondOrders;      // atoms by atoms
};

// Mulliken charges Z_A - sum over mu on A of (PS)_mu,mu, and Mayer bond
// orders sum over mu on A, nu on B of (P^a S)(P^a S) + (P^b S)(P^b S), times 2.
PopulationAnalysis populationAnalysis(const Molecule& molecule, const LobeBasis& basis, const Eigen::MatrixXd& overlap,
                                      const ScfResult& scf);

// Dipole moment (e a0) of nuclei and electrons about the origin.
Point dipoleMoment(const Molecule& molecule, const Eigen::MatrixXd& totalDensity,
                   const std::array<Eigen::MatrixXd, 3>& dipoleIntegrals, const Point& origin);

// Traceless quadrupole moment Theta_ij = 1/2 sum q (3 r_i r_j - r^2 delta_ij)
// (e a0^2) about the origin, as xx, xy, xz, yy, yz, zz.
std::array<double, 6> quadrupoleMoment(const Molecule& molecule, const Eigen::MatrixXd& totalDensity,
                                       const std::array<Eigen::MatrixXd, 6>& secondMoments, const Point& origin);

// <S^2> of a single determinant: Sz(Sz + 1) + N_beta - sum over occupied
// alpha i, beta j of |<i|j>|^2.
double spinSquared(const ScfResult& scf, const Eigen::MatrixXd& overlap);

// Debye per e a0 (CODATA 2018).
inline constexpr double kDebyePerAtomicUnit = 2.541746473;

}  // namespace lobe
