#pragma once

#include <string>
#include <string_view>

#include "coordinate_file.h"

namespace vorden {

// The form's values that go into lobe.dat, as read at the moment of a launch.
// Check boxes: 0 unchecked, 1 checked (other states as the form gives them).
//
// Text encoding: lobe.dat is 8-bit text, one byte per character, and so is
// every std::string here. coordinatePath holds the path as Latin-1 bytes
// (QString::toLatin1; a character outside Latin-1 arrives as "?"), so the
// file name takes exactly one column per character and is cut to 27 columns
// without splitting a character. The failure message is Latin-1 text too: the
// file name appears in it as given; other bytes quoted from the coordinate
// file are spelled out as "<XX>" codes. Show it with QString::fromLatin1.
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
  int basisSet = 0;                  // intBasisSet, 0 to 6
  int configurationInteraction = 0;  // intConfigurationInteraction, 0 to 4
  int orbitals = 1;                  // intOrbitals: 1 Freeze, 0 Include
};

// The complete text of lobe.dat for the options and the atom lines read from
// the coordinate file's content, or the reason it cannot be made.
struct LobeDatText {
  bool ok = false;
  std::string text;           // the whole file, final carriage return and line feed included
  CoordinateFailure failure;  // when !ok: what went wrong, for the message box
};

// Builds lobe.dat in memory: the options record, one atom record per atom line
// of the coordinate file, an empty line, the closing record, an empty line,
// each ended by a line feed, and a final carriage return and line feed. The
// box texts (n, spin, charge, itsd, naturalOrbital) are written as the numbers
// they hold, or unchanged when they hold no number (see formatBoxNumber).
// Fails, with nothing built, when readCoordinates fails; the file name in its
// messages is GetFilename of coordinatePath.
LobeDatText buildLobeDat(const LobeOptions& options, std::string_view coordinateFileContent);

}  // namespace vorden
