#pragma once

#include <string>

namespace vorden {

// Looks a two-character symbol up for the basis-set index given as text
// ("0" to "6"): sets strElementNumber to the two-character atomic number or
// "XX" (not admitted), and strLobeInfo to the lobe parameter text or "".
//
// Indexes "3" to "6" use the H-to-Ne table with its lobe parameter texts
// (helium has none); any other index uses the H-to-Kr table without texts,
// and index "2" admits only H to Ne of it. Symbols match exactly, both
// characters and case: one-letter symbols carry a trailing blank ("O ").
void GetElementInfo(const std::string& strElementName, std::string& strElementNumber,
                    const std::string& strBasis, std::string& strLobeInfo);

}  // namespace vorden
