#include "element_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vorden {
namespace {

// The elements H to Kr in order of atomic number, as two-character keys.
const std::vector<std::string> kSymbolsByAtomicNumber = {
    "H ", "He", "Li", "Be", "B ", "C ", "N ", "O ", "F ", "Ne", "Na", "Mg", "Al", "Si", "P ", "S ", "Cl", "Ar",
    "K ", "Ca", "Sc", "Ti", "V ", "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr"};

// The last of the six lobe parameters of H to Ne; the first five are the same
// for every element. Helium (index 1) has no parameters at all.
const std::vector<std::string> kLastLobeParameter = {"0.00", "", "1.68", "1.45", "2.21",
                                                     "2.38", "2.54", "2.49", "2.75", "2.93"};

std::string twoColumnNumber(int atomicNumber) {
  char text[8];
  std::snprintf(text, sizeof text, "%2d", atomicNumber);
  return text;
}

struct Lookup {
  std::string number;
  std::string lobeInfo;
};

Lookup lookUp(const std::string& symbol, const std::string& basis) {
  Lookup result{"unset", "stale text from an earlier call"};
  GetElementInfo(symbol, result.number, basis, result.lobeInfo);
  return result;
}

class ElementTableEveryBasisSet : public ::testing::TestWithParam<int> {};

TEST_P(ElementTableEveryBasisSet, AdmitsItsRangeWithItsParameters) {
  const int basis = GetParam();
  const std::string basisText = std::to_string(basis);
  const int lastAdmitted = basis <= 1 ? 36 : 10;  // H to Kr, or H to Ne
  for (int z = 1; z <= 36; ++z) {
    const std::string& symbol = kSymbolsByAtomicNumber[z - 1];
    SCOPED_TRACE("basis " + basisText + ", symbol \"" + symbol + "\"");
    const Lookup found = lookUp(symbol, basisText);
    if (z > lastAdmitted) {
      EXPECT_EQ(found.number, "XX");
      EXPECT_EQ(found.lobeInfo, "");
      continue;
    }
    EXPECT_EQ(found.number, twoColumnNumber(z));
    if (basis <= 2 || z == 2) {
      EXPECT_EQ(found.lobeInfo, "");
    } else {
      EXPECT_EQ(found.lobeInfo, "-1.00 0.00-2.00 0.00 0.00 " + kLastLobeParameter[z - 1]);
      EXPECT_EQ(found.lobeInfo.size(), 30u);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Indexes0To6, ElementTableEveryBasisSet, ::testing::Range(0, 7));

TEST(ElementTable, BasisSetTwoRefusesSodiumThatZeroAndOneAdmit) {
  EXPECT_EQ(lookUp("Na", "2").number, "XX");
  EXPECT_EQ(lookUp("Na", "0").number, "11");
  EXPECT_EQ(lookUp("Na", "1").number, "11");
  EXPECT_EQ(lookUp("Ne", "2").number, "10");
}

TEST(ElementTable, HeliumHasNoLobeParameters) {
  for (const std::string basis : {"3", "4", "5", "6"}) {
    const Lookup found = lookUp("He", basis);
    EXPECT_EQ(found.number, " 2");
    EXPECT_EQ(found.lobeInfo, "");
  }
}

TEST(ElementTable, MatchingIsExactAndCaseSensitive) {
  for (const std::string basis : {"0", "3"}) {
    SCOPED_TRACE("basis " + basis);
    EXPECT_EQ(lookUp("CL", basis).number, "XX");
    EXPECT_EQ(lookUp("cl", basis).number, "XX");
    EXPECT_EQ(lookUp("C\t", basis).number, "XX");
    EXPECT_EQ(lookUp("C", basis).number, "XX");    // one-letter symbols carry their blank
    EXPECT_EQ(lookUp("C  ", basis).number, "XX");  // and only that one
    EXPECT_EQ(lookUp(" C", basis).number, "XX");
    EXPECT_EQ(lookUp("h ", basis).number, "XX");
    EXPECT_EQ(lookUp("", basis).number, "XX");
    EXPECT_EQ(lookUp("C ", basis).number, " 6");
  }
  EXPECT_EQ(lookUp("Cl", "0").number, "17");
}

TEST(ElementTable, RefusedSymbolClearsAnEarlierLobeText) {
  const Lookup found = lookUp("Xx", "3");
  EXPECT_EQ(found.number, "XX");
  EXPECT_EQ(found.lobeInfo, "");
}

}  // namespace
}  // namespace vorden
