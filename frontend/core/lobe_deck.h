#pragma once

#include <string>
#include <vector>

#include "lobe_catalogue.h"

namespace vorden {

struct LobeDeckAtom {
  std::string symbol;  // columns 1-2 as written ("O ", "Cl")
  int atomicNumber = 0;
  std::string x, y, z;         // the nine-column coordinate texts
  std::string lobeParameters;  // 30 columns, or empty
  int lineNumber = 0;
};

// What a well-formed lobe.dat says, decoded from its fixed columns.
struct LobeDeck {
  std::string fileName;  // coordinate file name, trailing blanks removed
  int printLevel = 0;    // 0 normal, 1 verbose, 2 verbose with integrals
  int symmetry = 0;      // item value of the symmetry list, 0 to 7
  int nmrNucleus = 0;    // atomic number, 0 for none
  int basisSet = 0;      // 0 to 6
  int steepestDescentIterations = 0;
  int isotope = 0;  // mass number, 0 for none
  bool coulombHole = false;
  int optimisationLevel = 0;  // n of 10^-n hartree/bohr, 0 for none
  int spinMultiplicity = 0;   // as written: 0 and 1 both mean singlet
  bool quadrupoleTensor = false;

  int charge = 0;  // from the first atom record
  std::vector<LobeDeckAtom> atoms;

  int naturalOrbitalIterations = 0;
  PostHartreeFock postHartreeFock = PostHartreeFock::None;
  bool freezeCoreOrbitals = true;
};

}  // namespace vorden
