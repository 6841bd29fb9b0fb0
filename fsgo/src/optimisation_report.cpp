#include "optimisation_report.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace fsgo {

namespace {

std::string line(const char* pattern, ...) {
  char buf[256];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(buf, sizeof buf, pattern, args);
  va_end(args);
  return std::string(buf) + "\n";
}

const char* freedomInWords(Freedom f) {
  switch (f) {
    case Freedom::ExponentsOnly: return "the sphere exponents (centres and nuclei fixed)";
    case Freedom::Spheres: return "the sphere exponents and centres (nuclei fixed)";
    case Freedom::SpheresAndNuclei: return "the sphere exponents and centres and the nuclear positions";
  }
  return "";
}

// A coordinate as printed to six decimals: one that rounds to zero prints as
// 0.000000, whatever side of the symmetry plane rounding left it on.
double shown(double x) { return std::abs(x) < 5e-7 ? 0.0 : x; }

std::string sphereTable(const Molecule& m) {
  std::string out = "\nSpheres (radius rho = alpha^-1/2; positions in bohr)\n";
  out += line("%6s %20s %10s %12s %12s %12s %8s %10s", "sphere", "exponent alpha", "radius", "x", "y", "z",
              "nearest", "distance");
  for (std::size_t s = 0; s < m.spheres.size(); ++s) {
    const Sphere& sp = m.spheres[s];
    std::size_t nearest = 0;
    double distance = std::numeric_limits<double>::infinity();
    for (std::size_t a = 0; a < m.nuclei.size(); ++a) {
      const double d = (sp.centre - m.nuclei[a].position).norm();
      if (d < distance) {
        distance = d;
        nearest = a;
      }
    }
    out += line("%6zu %20.14f %10.6f %12.6f %12.6f %12.6f", s + 1, sp.exponent, 1.0 / std::sqrt(sp.exponent),
                shown(sp.centre.x()), shown(sp.centre.y()), shown(sp.centre.z()));
    out.pop_back();
    out += m.nuclei.empty() ? "\n" : line(" %8zu %10.6f", nearest + 1, distance);
  }
  return out;
}

std::string nucleusTable(const Molecule& m) {
  std::string out = "\nNuclei (bohr)\n";
  out += line("%6s %6s %12s %12s %12s", "atom", "charge", "x", "y", "z");
  for (std::size_t a = 0; a < m.nuclei.size(); ++a) {
    const Nucleus& c = m.nuclei[a];
    out += line("%6zu %6.2f %12.6f %12.6f %12.6f", a + 1, c.charge, shown(c.position.x()), shown(c.position.y()),
                shown(c.position.z()));
  }
  out += "\nInternuclear distances (bohr)\n";
  for (std::size_t a = 0; a < m.nuclei.size(); ++a)
    for (std::size_t b = a + 1; b < m.nuclei.size(); ++b)
      out += line("  atoms %2zu - %2zu %12.6f", a + 1, b + 1, (m.nuclei[a].position - m.nuclei[b].position).norm());
  return out;
}

// Which spheres make the nearly lost combination: the two largest
// components of the overlap eigenvector of the smallest eigenvalue.
std::string floorNote(const EnergyEvaluation& e, const OverlapFloor& floor) {
  const Eigen::VectorXd& v = e.weakestCombination;
  std::vector<int> order(v.size());
  for (int k = 0; k < v.size(); ++k) order[k] = k;
  std::sort(order.begin(), order.end(), [&](int l, int r) { return std::abs(v(l)) > std::abs(v(r)); });
  std::string out = line("\nThe optimum presses against the overlap floor: the smallest overlap eigenvalue is %.3e", e.smallestOverlapEigenvalue);
  out += line("(the floor's barrier starts at %.0e and adds %.3e hartree here). Spheres %d and %d are",
              floor.onset, e.barrier, order[0] + 1, v.size() > 1 ? order[1] + 1 : order[0] + 1);
  out += "merging: the energy would fall further as they become one s and one p-like pair,\n";
  out += "which a basis of 1s spheres cannot hold without becoming singular. The total\n";
  out += "energy above is the Hartree-Fock energy at this point, without the barrier.\n";
  return out;
}

}  // namespace

std::string reportHeading(const std::string& title, const Molecule& start, Freedom freedom,
                          const EnergyEvaluation& startEvaluation) {
  std::string out = "fsgo: floating spherical Gaussian orbital optimisation\n\n";
  out += "Deck: " + title + "\n";
  out += line("%zu nuclei, %zu spheres, %d electrons (%d doubly occupied orbitals)", start.nuclei.size(),
              start.spheres.size(), start.electrons, start.occupied());
  out += std::string("Optimised: ") + freedomInWords(freedom) + "\n";
  out += start.occupied() == static_cast<int>(start.spheres.size())
             ? "Density: one sphere per electron pair, P = 2 S^-1 without iteration\n"
             : "Density: closed-shell SCF with DIIS at every step\n";
  out += line("\nStarting energy = %20.10f hartree", startEvaluation.total());
  return out;
}

std::string stepHeading() {
  return "\nOne line per energy and gradient evaluation of the L-BFGS iteration\n" +
         line("%6s %20s %18s", "step", "energy (hartree)", "largest gradient");
}

std::string stepLine(const OptimiserStep& step) {
  std::string out = line("%6d %20.10f %18.3e", step.number, step.energy, step.largestGradient);
  if (step.barrier > 0) {
    out.pop_back();
    out += line("   (overlap barrier %.3e)", step.barrier);
  }
  return out;
}

std::string reportResult(const OptimisationResult& result, const OptimiserSettings& settings) {
  const EnergyEvaluation& e = result.bestEvaluation;
  std::string out = "\n";
  out += result.converged ? "Converged: " + result.explanation + ".\n"
                          : "NOT CONVERGED: " + result.explanation + ". The best point found is reported and written.\n";
  out += line("\n     Nuclear Repulsion = %20.10f", e.nuclearRepulsion);
  out += line("     Electronic Energy = %20.10f", e.electronic);
  out += line("     **** Total Energy = %20.10f hartree ****", e.total());
  out += line("     Lowered by          %20.10f hartree from the start", result.startEvaluation.total() - e.total());
  out += line("     Largest gradient    %20.3e", result.bestLargestGradient);
  out += line("     Smallest overlap eigenvalue %12.3e", e.smallestOverlapEigenvalue);
  if (settings.floor.active(e.smallestOverlapEigenvalue)) out += floorNote(e, settings.floor);
  out += sphereTable(result.best);
  if (settings.freedom == Freedom::SpheresAndNuclei) out += nucleusTable(result.best);
  return out;
}

}  // namespace fsgo
