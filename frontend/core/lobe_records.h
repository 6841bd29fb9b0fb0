#pragma once

#include <string>

#include "coordinate_file.h"
#include "lobe_dat.h"

namespace vorden {

// The fixed-column records of lobe.dat, each without its line end.

// Columns 4 to 30 hold the coordinate file's name, cut or filled with blanks.
constexpr std::size_t kFileNameColumns = 27;

// The first record: file name, print level, symmetry, NMR nucleus, basis set,
// steepest-descent iterations, isotope, Coulomb hole, optimisation level,
// spin multiplicity and quadrupole tensor (75 columns when every box holds a
// value of the width the form allows).
std::string optionsRecord(const LobeOptions& options);

// The charge field of the first atom record: the charge box with at least two
// digits ("00", "03", "-02"). Later atom records carry kNoChargeField.
std::string firstChargeField(const LobeOptions& options);
inline constexpr const char* kNoChargeField = "  ";

// One atom record: symbol, atomic number, charge field, basis-set index, four
// blanks, the three normalised coordinates separated by blanks, then the lobe
// parameter text straight after z (none for basis sets 0 to 2 and helium).
std::string atomRecord(const AtomLine& atom, const std::string& chargeField, int basisSet);

// The post-Hartree-Fock codes of the closing record.
struct ClosingCodes {
  std::string postHartreeFock;  // columns 14-15
  std::string coreOrbitals;     // column 18
  std::string cas;              // columns 20-21, empty unless Boys-Reeves CAS
};

// The codes for the form's post-Hartree-Fock choice: "Small" checked stands
// for Boys-Reeves CAS with the small active space whatever the index says.
ClosingCodes closingCodes(const LobeOptions& options);

// The last record: three zeros, natural-orbital iterations and the codes;
// it ends with the blank in column 19 when there is no CAS code.
std::string closingRecord(const LobeOptions& options);

}  // namespace vorden
