#pragma once

#include <string>
#include <vector>

#include "geometry.h"
#include "lobe_deck.h"

namespace lobe {

struct Atom {
  std::string symbol;  // "O", "He"
  int atomicNumber = 0;
  Point angstrom{};    // as lobe.dat gives it
  Point bohr{};
};

struct Molecule {
  std::vector<Atom> atoms;
  int charge = 0;
  int electrons = 0;
  int multiplicity = 1;  // lobe.dat's 0 means singlet
  int alphaElectrons = 0;
  int betaElectrons = 0;
};

// The molecule lobe.dat describes: coordinates read from their nine-column
// texts (angstrom) and converted to bohr, charge from the first atom record,
// electrons = sum of atomic numbers - charge, multiplicity from the spin field.
Molecule moleculeFromDeck(const vorden::LobeDeck& deck);

// The nuclear repulsion energy in hartree.
double nuclearRepulsion(const Molecule& molecule);

// The mass-weighted centre (isotope-averaged atomic masses), in bohr.
Point centreOfMass(const Molecule& molecule);

}  // namespace lobe
