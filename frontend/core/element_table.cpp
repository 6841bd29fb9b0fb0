#include "element_table.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace vorden {
namespace {

struct Element {
  std::string_view symbol;
  std::string_view number;
};

// H to Kr, for basis sets 0, 1 and 2.
constexpr std::array<Element, 36> kElementsToKrypton{{
    {"H ", " 1"}, {"He", " 2"}, {"Li", " 3"}, {"Be", " 4"}, {"B ", " 5"}, {"C ", " 6"},
    {"N ", " 7"}, {"O ", " 8"}, {"F ", " 9"}, {"Ne", "10"}, {"Na", "11"}, {"Mg", "12"},
    {"Al", "13"}, {"Si", "14"}, {"P ", "15"}, {"S ", "16"}, {"Cl", "17"}, {"Ar", "18"},
    {"K ", "19"}, {"Ca", "20"}, {"Sc", "21"}, {"Ti", "22"}, {"V ", "23"}, {"Cr", "24"},
    {"Mn", "25"}, {"Fe", "26"}, {"Co", "27"}, {"Ni", "28"}, {"Cu", "29"}, {"Zn", "30"},
    {"Ga", "31"}, {"Ge", "32"}, {"As", "33"}, {"Se", "34"}, {"Br", "35"}, {"Kr", "36"},
}};

struct LobeElement {
  std::string_view symbol;
  std::string_view number;
  std::string_view lobeInfo;  // six F5.2 numbers; helium has none
};

// H to Ne with the lobe parameters, for basis sets 3 to 6.
constexpr std::array<LobeElement, 10> kLobeElements{{
    {"H ", " 1", "-1.00 0.00-2.00 0.00 0.00 0.00"},
    {"He", " 2", ""},
    {"Li", " 3", "-1.00 0.00-2.00 0.00 0.00 1.68"},
    {"Be", " 4", "-1.00 0.00-2.00 0.00 0.00 1.45"},
    {"B ", " 5", "-1.00 0.00-2.00 0.00 0.00 2.21"},
    {"C ", " 6", "-1.00 0.00-2.00 0.00 0.00 2.38"},
    {"N ", " 7", "-1.00 0.00-2.00 0.00 0.00 2.54"},
    {"O ", " 8", "-1.00 0.00-2.00 0.00 0.00 2.49"},
    {"F ", " 9", "-1.00 0.00-2.00 0.00 0.00 2.75"},
    {"Ne", "10", "-1.00 0.00-2.00 0.00 0.00 2.93"},
}};

constexpr std::string_view kNotAdmitted = "XX";

bool usesLobeParameters(const std::string& basis) {
  return basis == "3" || basis == "4" || basis == "5" || basis == "6";
}

}  // namespace

void GetElementInfo(const std::string& strElementName, std::string& strElementNumber,
                    const std::string& strBasis, std::string& strLobeInfo) {
  strElementNumber = kNotAdmitted;
  strLobeInfo.clear();

  if (usesLobeParameters(strBasis)) {
    for (const LobeElement& element : kLobeElements) {
      if (element.symbol == strElementName) {
        strElementNumber = element.number;
        strLobeInfo = element.lobeInfo;
        return;
      }
    }
    return;
  }

  // The table runs in order of atomic number, so its first ten rows are H to Ne.
  constexpr std::size_t kNeonRows = 10;
  for (std::size_t row = 0; row < kElementsToKrypton.size(); ++row) {
    if (kElementsToKrypton[row].symbol == strElementName) {
      // Basis set 2 is an H-to-Ne basis although it shares the table without texts.
      if (strBasis == "2" && row >= kNeonRows) return;
      strElementNumber = kElementsToKrypton[row].number;
      return;
    }
  }
}

}  // namespace vorden
