#include "lobe_out_report.h"

#include <cstdio>

#include "lobe_catalogue.h"
#include "molecule_summary.h"

namespace vorden {
namespace {

constexpr std::string_view kNoCalculation =
    "No integrals, energies or properties were computed. To run the calculation, put the real\n"
    "lobe engine in place of this program.\n";

std::string headline() { return std::string(kStandinHeadline) + "\n" + std::string(kNoCalculation) + "\n"; }

// "  Label ...... value" with the values in one column.
std::string row(std::string_view label, const std::string& value) {
  constexpr std::size_t kLabelWidth = 30;
  std::string line = "  " + std::string(label);
  line.resize(2 + kLabelWidth, ' ');
  return line + value + "\n";
}

std::string orUnknown(const std::optional<std::string>& name, int code) {
  return name ? *name : "unknown code " + std::to_string(code);
}

std::string withCode(int code, const std::optional<std::string>& name) {
  return std::to_string(code) + "  " + orUnknown(name, code);
}

std::string optionsSection(const LobeDeck& deck) {
  std::string text = "Options\n";
  text += row("Coordinate file", deck.fileName);
  text += row("Basis set", withCode(deck.basisSet, basisSetCaption(deck.basisSet)));
  text += row("Point-group symmetry", withCode(deck.symmetry, symmetryName(deck.symmetry)));
  text += row("Post-Hartree-Fock", postHartreeFockName(deck.postHartreeFock));
  text += row("Core orbitals", deck.freezeCoreOrbitals ? "Freeze" : "Include");
  text += row("Natural-orbital iterations", std::to_string(deck.naturalOrbitalIterations));
  text += row("Print level", printLevelWords(deck.printLevel));
  text += row("Isotope substitution", orUnknown(isotopeName(deck.isotope), deck.isotope));
  text += row("NMR chemical shift", orUnknown(nmrNucleusName(deck.nmrNucleus), deck.nmrNucleus));
  text += row("Quadrupole tensor", deck.quadrupoleTensor ? "yes" : "no");
  text += row("Coulomb hole", deck.coulombHole ? "yes (Chakravorty-Clementi-Otto)" : "no");
  text += row("Geometry optimisation", optimisationWords(deck.optimisationLevel));
  text += row("Steepest-descent iterations", std::to_string(deck.steepestDescentIterations));
  return text;
}

std::string atomSection(const LobeDeck& deck) {
  const bool withParameters = deck.basisSet >= 3;
  std::string text = "Atoms (" + std::to_string(deck.atoms.size()) + ")\n";
  text += "   No.  Symbol   Z          x          y          z";
  text += withParameters ? "  Lobe parameters\n" : "\n";
  for (std::size_t i = 0; i < deck.atoms.size(); ++i) {
    const LobeDeckAtom& atom = deck.atoms[i];
    char start[40];
    std::snprintf(start, sizeof start, "  %4zu  %-6s %3d", i + 1, atom.symbol.c_str(), atom.atomicNumber);
    text += start;
    text += "  " + atom.x + "  " + atom.y + "  " + atom.z;
    if (withParameters) text += "  " + (atom.lobeParameters.empty() ? "none" : atom.lobeParameters);
    text += "\n";
  }
  return text;
}

std::string moleculeSection(const LobeDeck& deck) {
  const ElectronCount count = countElectrons(deck);
  const SpinCheck spin = checkSpin(deck.spinMultiplicity, count.electrons);
  std::string text = "Molecule\n";
  text += row("Molecular formula", molecularFormula(deck.atoms));
  text += row("Sum of atomic numbers", std::to_string(count.sumOfAtomicNumbers));
  text += row("Charge", std::to_string(deck.charge));
  text += row("Number of electrons", std::to_string(count.electrons));
  text += row("Spin multiplicity", spin.explanation);
  return text;
}

}  // namespace

std::string reportForDeck(const LobeDeck& deck) {
  return headline() + "lobe.dat is well formed.\n\n" + optionsSection(deck) + "\n" + atomSection(deck) + "\n" +
         moleculeSection(deck);
}

std::string reportForProblem(const LobeDatProblem& problem) {
  return headline() + "lobe.dat is malformed; nothing after the first problem was checked:\n  " + problem.where +
         ": " + problem.what + "\n";
}

std::string reportForUnreadableInput(std::string_view reason) {
  return headline() + "lobe.dat cannot be read: " + std::string(reason) + "\n";
}

}  // namespace vorden
