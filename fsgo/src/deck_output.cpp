#include "deck_output.h"

#include <cmath>
#include <stdexcept>

#include "field_format.h"

namespace fsgo {

namespace {

void appendField(std::string& out, double value, int width, int decimals, const std::string& what) {
  const std::size_t at = out.size();
  scf1s::appendReal(out, value, width, decimals);
  if (out.find('*', at) != std::string::npos)
    throw std::runtime_error(what + " = " + std::to_string(value) + " does not fit the deck's field F" +
                             std::to_string(width) + "." + std::to_string(decimals));
}

// A coordinate rounded to the field's six decimals first, so that a centre a
// rounding error off a symmetry plane prints as 0.000000, not -0.000000.
double toMicrobohr(double x) { return std::round(x * 1e6) / 1e6 + 0.0; }

}  // namespace

std::string optimisedDeck(const std::string& firstRecord, const Molecule& molecule) {
  std::string out = firstRecord + "\n";
  for (std::size_t a = 0; a < molecule.nuclei.size(); ++a) {
    const Nucleus& c = molecule.nuclei[a];
    const std::string what = "a number of atom " + std::to_string(a + 1);
    appendField(out, c.charge, 10, 6, what);
    for (int d = 0; d < 3; ++d) appendField(out, toMicrobohr(c.position(d)), 10, 6, what);
    out += '\n';
  }
  for (std::size_t s = 0; s < molecule.spheres.size(); ++s) {
    const Sphere& sp = molecule.spheres[s];
    const std::string what = "a number of sphere " + std::to_string(s + 1);
    appendField(out, sp.exponent, 20, 14, what);
    for (int d = 0; d < 3; ++d) appendField(out, toMicrobohr(sp.centre(d)), 10, 6, what);
    out += '\n';
  }
  return out;
}

}  // namespace fsgo
