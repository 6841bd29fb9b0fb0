#pragma once

#include <string>

#include "worked_example.h"

namespace vorden::testing {

// The worked example's lobe.dat: water, basis set 3, C2v, start values.
inline const std::string& kWaterLobeDat = kWorkedExampleLobeDat;

// text with the first occurrence of from replaced by to.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace vorden::testing
