#pragma once

#include <vector>

#include <Eigen/Core>

namespace fsgo {

struct Nucleus {
  double charge = 0;
  Eigen::Vector3d position = Eigen::Vector3d::Zero();
};

// A normalised 1s Gaussian (2 alpha/pi)^(3/4) exp(-alpha |r - centre|^2).
struct Sphere {
  double exponent = 0;
  Eigen::Vector3d centre = Eigen::Vector3d::Zero();
};

// A closed-shell molecule in a floating-sphere basis: electrons / 2 doubly
// occupied orbitals spanned by the spheres. Atomic units throughout.
struct Molecule {
  std::vector<Nucleus> nuclei;
  std::vector<Sphere> spheres;
  int electrons = 0;

  int occupied() const { return electrons / 2; }
};

}  // namespace fsgo
