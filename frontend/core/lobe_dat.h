#pragma once

#include <string>
#include <string_view>

#include "coordinate_file.h"

namespace vorden {

// The form's values that go into lobe.dat, as read at the moment of a launch.
// Check boxes: 0 unchecked, 1 checked (other states as the form gives them).
struct LobeOptions {
  std::string coordinatePath;  // txtTitle, as 8-bit text
  int itch = 0;                // chkItch, "Verbose Output"
  int integrals = 0;           // chkIntegrals, "Print Integrals"
  int coulombHole = 0;         // chkCoulombHole
  int quadrupoleTensor = 0;    // chkQuadrupoleTensor
  int small = 0;               // chkSmall
  int symmetry = 0;            // item value of cmbSymmetry
  int nmr = 0;                 // item value of cmbNMR
  int isotope = 0;             // item value of cmbIsotope
  std::string n = "0";               // txtN
  std::string spin = "0";            // txtSpin
  std::string charge = "0";          // txtCharge
  std::string itsd = "30";           // txtITSD
  std::string naturalOrbital = "0";  // txtNaturalOrbital
  int basisSet = 0;                  // intBasisSet
  int configurationInteraction = 0;  // intConfigurationInteraction
  int orbitals = 1;                  // intOrbitals
};

// The complete text of lobe.dat for the options and the atom lines read from
// the coordinate file's content, or the reason it cannot be made.
struct LobeDatText {
  bool ok = false;
  std::string text;           // the whole file, final carriage return and line feed included
  CoordinateFailure failure;  // when !ok: what went wrong, for the message box
};

LobeDatText buildLobeDat(const LobeOptions& options, std::string_view coordinateFileContent);

}  // namespace vorden
