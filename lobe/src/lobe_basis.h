#pragma once

#include <array>
#include <string>
#include <vector>

#include "basis_library.h"
#include "molecule.h"
#include "s_gaussian.h"

namespace lobe {

// How far the lobes of a p or d primitive of exponent alpha stand from its
// centre, in units of 1/sqrt(alpha). Small enough that the lobe sum is the
// Cartesian Gaussian to within a relative t^2, large enough that the
// cancellation between lobes keeps the integrals' digits.
struct LobeDisplacements {
  double p = 0;
  double d = 0;
};
extern const LobeDisplacements kDefaultDisplacements;

// Cartesian powers (lx, ly, lz) of x^lx y^ly z^lz exp(-alpha r^2).
using Powers = std::array<int, 3>;

// The lobes whose sum approximates the unnormalised Cartesian Gaussian
// x^lx y^ly z^lz exp(-alpha |r - centre|^2), for s, p and the six Cartesian
// d powers: a p primitive is the difference of two lobes displaced along its
// axis, d_xx a second difference along x, d_xy a mixed difference of four.
std::vector<Lobe> lobesOfPrimitive(const Point& centre, double alpha, const Powers& powers,
                                   const LobeDisplacements& displacements);

// One contracted basis function, as the lobes that represent it.
struct BasisFunction {
  int atom = 0;       // index into the molecule's atoms
  std::string label;  // "O 2px", "H 1s", "C dxy"
  Powers powers{};
  std::vector<Lobe> lobes;  // normalised: the lobe sum has norm 1
  std::vector<int> primitiveOfLobe;  // which contracted primitive each lobe comes from
};

struct LobeBasis {
  std::vector<BasisFunction> functions;
  std::size_t lobeCount() const;
};

// Element without data in the chosen basis set.
class MissingBasisData : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The basis functions of the molecule: every shell of every atom's element,
// Cartesian components (six for d), each contracted primitive expanded in lobes.
LobeBasis buildLobeBasis(const Molecule& molecule, const BasisLibrary& library, const std::string& basisName,
                         const LobeDisplacements& displacements = kDefaultDisplacements);

// Overlap of two lobe sums, as a plain double sum.
double lobeOverlap(const std::vector<Lobe>& a, const std::vector<Lobe>& b);

}  // namespace lobe
