#pragma once

#include <string>

namespace vorden::standin::testing {

// The worked example's lobe.dat: water, basis set 3, C2v, start values.
inline const std::string kWaterLobeDat =
    "   water.xyz                  0  2        00 3       30 0000          0  00\n"
    "O  8003     0.000000  0.000000  0.117300-1.00 0.00-2.00 0.00 0.00 2.49\n"
    "H  1  3     0.000000  0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00\n"
    "H  1  3     0.000000 -0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00\n"
    "\n"
    "  0  0  0  0  0  1 \n"
    "\n"
    "\r\n";

// text with the first occurrence of from replaced by to.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace vorden::standin::testing
