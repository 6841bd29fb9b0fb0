#pragma once

#include <string>

namespace vorden {

// Looks a two-character symbol up for the basis-set index given as text
// ("0" to "6"): sets strElementNumber to the two-character atomic number or
// "XX" (not admitted), and strLobeInfo to the lobe parameter text or "".
void GetElementInfo(const std::string& strElementName, std::string& strElementNumber,
                    const std::string& strBasis, std::string& strLobeInfo);

}  // namespace vorden
