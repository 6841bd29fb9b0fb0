#pragma once

#include <array>

#include <Eigen/Dense>

#include "lobe_basis.h"
#include "molecule.h"

namespace lobe {

// One-electron matrices over the lobe basis, each element a sum over the
// lobes of its two functions of closed forms for s Gaussians.
Eigen::MatrixXd overlapMatrix(const LobeBasis& basis);
Eigen::MatrixXd kineticMatrix(const LobeBasis& basis);
Eigen::MatrixXd nuclearAttractionMatrix(const LobeBasis& basis, const Molecule& molecule);

// <mu| r_i - O_i |nu> for i = x, y, z.
std::array<Eigen::MatrixXd, 3> dipoleMatrices(const LobeBasis& basis, const Point& origin);

// <mu| (r_i - O_i)(r_j - O_j) |nu> for ij = xx, xy, xz, yy, yz, zz.
std::array<Eigen::MatrixXd, 6> secondMomentMatrices(const LobeBasis& basis, const Point& origin);

}  // namespace lobe
