#pragma once

#include <string>
#include <vector>

#include "lobe_deck.h"

namespace vorden {

// The molecular formula in Hill order: carbon first and hydrogen second when
// there is carbon, every other element alphabetically, counts above one
// written after the symbol ("H2O", "CH4", "ClH").
std::string molecularFormula(const std::vector<LobeDeckAtom>& atoms);

struct ElectronCount {
  int sumOfAtomicNumbers = 0;
  int electrons = 0;  // sum of atomic numbers minus the charge
};

ElectronCount countElectrons(const LobeDeck& deck);

// Whether the spin multiplicity written in lobe.dat fits the electron count:
// multiplicity M means M - 1 unpaired electrons, so the electrons must number
// at least M - 1 and differ from it by an even number. 0 means singlet, as
// the form's label "Spin Multiplicity (0=Singlet):" says.
struct SpinCheck {
  int multiplicity = 1;
  bool agrees = false;
  std::string explanation;  // one sentence, for the report
};

SpinCheck checkSpin(int spinField, int electrons);

}  // namespace vorden
