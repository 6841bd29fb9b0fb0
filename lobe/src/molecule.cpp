#include "molecule.h"

#include <array>
#include <cmath>
#include <string>

namespace lobe {
namespace {

// Standard atomic weights (IUPAC 2013, abridged) of H to Ne.
constexpr std::array<double, 11> kAtomicMass{0.0,    1.008,  4.0026, 6.94,   9.0122, 10.81,
                                             12.011, 14.007, 15.999, 18.998, 20.180};

double coordinate(const std::string& text) { return std::stod(text); }

}  // namespace

Molecule moleculeFromDeck(const vorden::LobeDeck& deck) {
  Molecule molecule;
  int nuclearCharge = 0;
  for (const vorden::LobeDeckAtom& written : deck.atoms) {
    Atom atom;
    atom.symbol = written.symbol.back() == ' ' ? written.symbol.substr(0, 1) : written.symbol;
    atom.atomicNumber = written.atomicNumber;
    atom.angstrom = {coordinate(written.x), coordinate(written.y), coordinate(written.z)};
    for (int i = 0; i < 3; ++i) atom.bohr[i] = atom.angstrom[i] / kBohrInAngstrom;
    nuclearCharge += atom.atomicNumber;
    molecule.atoms.push_back(atom);
  }
  molecule.charge = deck.charge;
  molecule.electrons = nuclearCharge - deck.charge;
  molecule.multiplicity = deck.spinMultiplicity == 0 ? 1 : deck.spinMultiplicity;
  const int unpaired = molecule.multiplicity - 1;
  molecule.betaElectrons = (molecule.electrons - unpaired) / 2;
  molecule.alphaElectrons = molecule.electrons - molecule.betaElectrons;
  return molecule;
}

double nuclearRepulsion(const Molecule& molecule) {
  double energy = 0;
  for (std::size_t a = 0; a < molecule.atoms.size(); ++a) {
    for (std::size_t b = 0; b < a; ++b) {
      energy += molecule.atoms[a].atomicNumber * molecule.atoms[b].atomicNumber /
                std::sqrt(distanceSquared(molecule.atoms[a].bohr, molecule.atoms[b].bohr));
    }
  }
  return energy;
}

Point centreOfMass(const Molecule& molecule) {
  Point centre{};
  double total = 0;
  for (const Atom& atom : molecule.atoms) {
    const double mass = kAtomicMass.at(static_cast<std::size_t>(atom.atomicNumber));
    for (int i = 0; i < 3; ++i) centre[i] += mass * atom.bohr[i];
    total += mass;
  }
  for (double& x : centre) x /= total;
  return centre;
}

}  // namespace lobe
