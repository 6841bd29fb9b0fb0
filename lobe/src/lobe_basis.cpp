#include "lobe_basis.h"

#include <cmath>
#include <numbers>

namespace lobe {
namespace {

// Double factorial (2l - 1)!! for l = 0, 1, 2.
double oddDoubleFactorial(int l) { return l == 2 ? 3.0 : 1.0; }

// Normalisation of the primitive x^lx y^ly z^lz exp(-alpha r^2).
double primitiveNorm(double alpha, const Powers& powers) {
  const int total = powers[0] + powers[1] + powers[2];
  double norm = std::pow(2.0 * alpha / std::numbers::pi, 0.75) * std::pow(4.0 * alpha, total / 2.0);
  for (const int l : powers) norm /= std::sqrt(oddDoubleFactorial(l));
  return norm;
}

Point displaced(const Point& centre, int axis, double step) {
  Point point = centre;
  point[axis] += step;
  return point;
}

std::string componentName(const Powers& powers) {
  static constexpr char kAxes[] = "xyz";
  std::string name;
  for (int axis = 0; axis < 3; ++axis) name.append(static_cast<std::size_t>(powers[axis]), kAxes[axis]);
  return name;
}

std::vector<Powers> cartesianComponents(int angularMomentum) {
  switch (angularMomentum) {
    case 0:
      return {{0, 0, 0}};
    case 1:
      return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    default:
      return {{2, 0, 0}, {1, 1, 0}, {1, 0, 1}, {0, 2, 0}, {0, 1, 1}, {0, 0, 2}};
  }
}

}  // namespace

// t = 0.01 for p and 0.03 for d: see README ("Lobe functions") for the measurement.
const LobeDisplacements kDefaultDisplacements{0.01, 0.03};

std::vector<Lobe> lobesOfPrimitive(const Point& centre, double alpha, const Powers& powers,
                                   const LobeDisplacements& displacements) {
  // A lobe displaced by delta along unit vector e is
  //   exp(-alpha delta^2) exp(-alpha r^2) exp(2 alpha delta e.r),
  // so differences of lobes expand the monomials; the weights below undo the
  // exp(-alpha delta^2) factors exactly.
  std::vector<int> axes;
  for (int axis = 0; axis < 3; ++axis) axes.insert(axes.end(), static_cast<std::size_t>(powers[axis]), axis);

  if (axes.empty()) return {{centre, alpha, 1.0}};
  if (axes.size() == 1) {
    // (g(+d) - g(-d)) = exp(-alpha d^2) exp(-alpha r^2) 2 sinh(2 alpha d x) ~ 4 alpha d x ...
    const double delta = displacements.p / std::sqrt(alpha);
    const double weight = std::exp(alpha * delta * delta) / (4.0 * alpha * delta);
    return {{displaced(centre, axes[0], delta), alpha, weight}, {displaced(centre, axes[0], -delta), alpha, -weight}};
  }
  const double delta = displacements.d / std::sqrt(alpha);
  if (axes[0] == axes[1]) {
    // g(+d) + g(-d) - 2 exp(-alpha d^2) g(0) ~ exp(-alpha d^2) 4 alpha^2 d^2 x^2 exp(-alpha r^2)
    const double weight = std::exp(alpha * delta * delta) / (4.0 * alpha * alpha * delta * delta);
    return {{displaced(centre, axes[0], delta), alpha, weight},
            {displaced(centre, axes[0], -delta), alpha, weight},
            {centre, alpha, -1.0 / (2.0 * alpha * alpha * delta * delta)}};
  }
  // sum of s1 s2 g(s1 d e1 + s2 d e2) = exp(-2 alpha d^2) 4 sinh(2 alpha d x) sinh(2 alpha d y) exp(-alpha r^2)
  const double weight = std::exp(2.0 * alpha * delta * delta) / (16.0 * alpha * alpha * delta * delta);
  std::vector<Lobe> lobes;
  for (const int s1 : {1, -1}) {
    for (const int s2 : {1, -1}) {
      lobes.push_back({displaced(displaced(centre, axes[0], s1 * delta), axes[1], s2 * delta), alpha, s1 * s2 * weight});
    }
  }
  return lobes;
}

std::size_t LobeBasis::lobeCount() const {
  std::size_t count = 0;
  for (const BasisFunction& function : functions) count += function.lobes.size();
  return count;
}

double lobeOverlap(const std::vector<Lobe>& a, const std::vector<Lobe>& b) {
  double sum = 0;
  for (const Lobe& x : a) {
    for (const Lobe& y : b) sum += x.coefficient * y.coefficient * overlapSS(x.centre, x.exponent, y.centre, y.exponent);
  }
  return sum;
}

LobeBasis buildLobeBasis(const Molecule& molecule, const BasisLibrary& library, const std::string& basisName,
                         const LobeDisplacements& displacements) {
  static constexpr std::array<const char*, 3> kShellLetters{"s", "p", "d"};
  LobeBasis basis;
  for (std::size_t atomIndex = 0; atomIndex < molecule.atoms.size(); ++atomIndex) {
    const Atom& atom = molecule.atoms[atomIndex];
    const auto element = library.find(atom.symbol);
    if (element == library.end()) {
      throw MissingBasisData("the basis set " + basisName + " has no data for " + atom.symbol + " (atom " +
                             std::to_string(atomIndex + 1) + ")");
    }
    std::array<int, 3> shellsSoFar{};  // numbering: 1s, 2s, 2p, ... per angular momentum
    for (const Shell& shell : element->second) {
      const int l = shell.angularMomentum;
      const int number = ++shellsSoFar[static_cast<std::size_t>(l)] + l;
      for (const Powers& powers : cartesianComponents(l)) {
        BasisFunction function;
        function.atom = static_cast<int>(atomIndex);
        function.powers = powers;
        function.label = atom.symbol + " " + (l == 2 ? std::string() : std::to_string(number)) +
                         kShellLetters[static_cast<std::size_t>(l)] + componentName(powers);
        for (std::size_t p = 0; p < shell.primitives.size(); ++p) {
          const Primitive& primitive = shell.primitives[p];
          const double scale = primitive.coefficient * primitiveNorm(primitive.exponent, powers);
          for (Lobe lobe : lobesOfPrimitive(atom.bohr, primitive.exponent, powers, displacements)) {
            lobe.coefficient *= scale;
            function.lobes.push_back(lobe);
            function.primitiveOfLobe.push_back(static_cast<int>(p));
          }
        }
        const double norm = std::sqrt(lobeOverlap(function.lobes, function.lobes));
        for (Lobe& lobe : function.lobes) lobe.coefficient /= norm;
        basis.functions.push_back(std::move(function));
      }
    }
  }
  return basis;
}

}  // namespace lobe
