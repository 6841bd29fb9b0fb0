#pragma once

#include <string>

namespace vorden::testing {

// The worked example's lobe.dat: water.xyz with basis set 3, symmetry "C2v"
// and every other option at its start value. Records end with a line feed;
// the file ends with one carriage return and line feed.
inline const std::string kWorkedExampleLobeDat =
    "   water.xyz                  0  2        00 3       30 0000          0  00\n"
    "O  8003     0.000000  0.000000  0.117300-1.00 0.00-2.00 0.00 0.00 2.49\n"
    "H  1  3     0.000000  0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00\n"
    "H  1  3     0.000000 -0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00\n"
    "\n"
    "  0  0  0  0  0  1 \n"
    "\n"
    "\r\n";

}  // namespace vorden::testing
