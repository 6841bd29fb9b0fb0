#include "molecule_summary.h"

#include <map>

namespace vorden {
namespace {

std::string multiplicityName(int multiplicity) {
  static const char* const kNames[] = {"singlet", "doublet", "triplet", "quartet", "quintet", "sextet"};
  if (multiplicity >= 1 && multiplicity <= 6) return kNames[multiplicity - 1];
  return "multiplicity " + std::to_string(multiplicity);
}

std::string electronsText(int count) {
  return std::to_string(count) + (count == 1 || count == -1 ? " electron" : " electrons");
}

}  // namespace

std::string molecularFormula(const std::vector<LobeDeckAtom>& atoms) {
  std::map<std::string, int> counts;  // alphabetical
  for (const LobeDeckAtom& atom : atoms) {
    const std::string symbol = atom.symbol.back() == ' ' ? atom.symbol.substr(0, 1) : atom.symbol;
    ++counts[symbol];
  }
  std::string formula;
  const auto append = [&formula](const std::string& symbol, int count) {
    formula += symbol;
    if (count > 1) formula += std::to_string(count);
  };
  if (counts.contains("C")) {
    for (const char* first : {"C", "H"}) {
      if (counts.contains(first)) {
        append(first, counts[first]);
        counts.erase(first);
      }
    }
  }
  for (const auto& [symbol, count] : counts) append(symbol, count);
  return formula;
}

ElectronCount countElectrons(const LobeDeck& deck) {
  ElectronCount count;
  for (const LobeDeckAtom& atom : deck.atoms) count.sumOfAtomicNumbers += atom.atomicNumber;
  count.electrons = count.sumOfAtomicNumbers - deck.charge;
  return count;
}

SpinCheck checkSpin(int spinField, int electrons) {
  SpinCheck check;
  check.multiplicity = spinField == 0 ? 1 : spinField;
  const int unpaired = check.multiplicity - 1;
  const std::string given = std::to_string(spinField) + " = " + multiplicityName(check.multiplicity) + " (" +
                            (unpaired == 0 ? std::string("no unpaired electrons")
                                           : std::to_string(unpaired) + " unpaired " +
                                                 (unpaired == 1 ? "electron" : "electrons")) +
                            ")";
  if (electrons <= 0) {
    check.explanation = given + " does NOT agree: the molecule has " + electronsText(electrons) +
                        ", so the charge is too high for these atoms.";
  } else if (unpaired > electrons) {
    check.explanation = given + " does NOT agree with " + electronsText(electrons) + ": " +
                        std::to_string(unpaired) + " unpaired electrons need at least as many electrons.";
  } else if ((electrons - unpaired) % 2 != 0) {
    check.explanation = given + " does NOT agree with " + electronsText(electrons) + ": " +
                        (electrons % 2 == 0 ? "an even number of electrons needs an odd multiplicity "
                                              "(singlet, triplet, quintet)."
                                            : "an odd number of electrons needs an even multiplicity "
                                              "(doublet, quartet, sextet).");
  } else {
    check.agrees = true;
    check.explanation = given + " agrees with " + electronsText(electrons) + ".";
  }
  return check;
}

}  // namespace vorden
