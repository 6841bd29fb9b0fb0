#include "molecule_summary.h"

#include <gtest/gtest.h>

namespace vorden {
namespace {

std::vector<LobeDeckAtom> atoms(std::initializer_list<std::pair<const char*, int>> symbols) {
  std::vector<LobeDeckAtom> list;
  for (const auto& [symbol, z] : symbols) {
    LobeDeckAtom atom;
    atom.symbol = symbol;
    atom.atomicNumber = z;
    list.push_back(atom);
  }
  return list;
}

TEST(MoleculeSummary, FormulaInHillOrder) {
  EXPECT_EQ(molecularFormula(atoms({{"O ", 8}, {"H ", 1}, {"H ", 1}})), "H2O");
  EXPECT_EQ(molecularFormula(atoms({{"H ", 1}, {"C ", 6}, {"H ", 1}, {"H ", 1}, {"H ", 1}})), "CH4");
  EXPECT_EQ(molecularFormula(atoms({{"O ", 8}, {"C ", 6}, {"H ", 1}, {"C ", 6}, {"H ", 1}, {"H ", 1}, {"H ", 1},
                                    {"H ", 1}, {"H ", 1}})),
            "C2H6O");
  EXPECT_EQ(molecularFormula(atoms({{"Cl", 17}, {"H ", 1}})), "ClH");  // no carbon: all alphabetical
  EXPECT_EQ(molecularFormula(atoms({{"Ne", 10}})), "Ne");
}

TEST(MoleculeSummary, ElectronsAreAtomicNumbersMinusCharge) {
  LobeDeck water;
  water.atoms = atoms({{"O ", 8}, {"H ", 1}, {"H ", 1}});
  EXPECT_EQ(countElectrons(water).electrons, 10);
  water.charge = -2;
  EXPECT_EQ(countElectrons(water).electrons, 12);
  water.charge = 3;
  EXPECT_EQ(countElectrons(water).sumOfAtomicNumbers, 10);
  EXPECT_EQ(countElectrons(water).electrons, 7);
}

TEST(MoleculeSummary, SpinMultiplicityAgreement) {
  struct Case {
    int spin;
    int electrons;
    bool agrees;
  };
  for (const Case& c : {Case{0, 10, true},   // 0 means singlet
                        Case{1, 10, true},   // singlet written as 1
                        Case{2, 10, false},  // doublet needs an odd count
                        Case{3, 10, true},   // triplet, two unpaired
                        Case{0, 9, false},   // singlet needs an even count
                        Case{2, 9, true},    // doublet radical
                        Case{4, 3, true},    // quartet, three unpaired of three
                        Case{5, 2, false},   // four unpaired need four electrons
                        Case{6, 5, true},    // sextet, five unpaired of five
                        Case{0, 0, false},   // no electrons left
                        Case{1, -1, false}}) {
    const SpinCheck check = checkSpin(c.spin, c.electrons);
    EXPECT_EQ(check.agrees, c.agrees) << "spin " << c.spin << ", " << c.electrons << " electrons: "
                                      << check.explanation;
    EXPECT_EQ(check.multiplicity, c.spin == 0 ? 1 : c.spin);
  }
  EXPECT_EQ(checkSpin(0, 10).explanation, "0 = singlet (no unpaired electrons) agrees with 10 electrons.");
  EXPECT_NE(checkSpin(2, 10).explanation.find("does NOT agree"), std::string::npos);
}

}  // namespace
}  // namespace vorden
