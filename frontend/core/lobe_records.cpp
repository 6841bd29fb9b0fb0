#include "lobe_records.h"

#include "box_number.h"
#include "coordinate_field.h"
#include "file_name.h"

namespace vorden {
namespace {

std::string blanks(std::size_t count) { return std::string(count, ' '); }

// Print level: 0 normal, 1 verbose, 2 verbose with integrals. A check box
// counts as checked only in state 1.
std::string printLevel(const LobeOptions& options) {
  if (options.itch != 1) return "0";
  return options.integrals == 1 ? "2" : "1";
}

// The steepest-descent field is always two columns: at least two digits,
// then filled with a blank on the right or cut.
std::string steepestDescentField(const std::string& itsd) {
  std::string field = formatBoxNumber(itsd, 2);
  field.resize(2, ' ');
  return field;
}

}  // namespace

std::string optionsRecord(const LobeOptions& options) {
  std::string fileName = GetFilename(options.coordinatePath);
  fileName.resize(kFileNameColumns, ' ');

  std::string record = blanks(3);
  record += fileName;
  record += printLevel(options);
  record += blanks(2);
  record += formatWholeNumber(options.symmetry, 1);
  record += blanks(8);
  record += formatWholeNumber(options.nmr, 2);
  record += blanks(1);
  record += formatWholeNumber(options.basisSet, 1);
  record += blanks(7);
  record += steepestDescentField(options.itsd);
  record += blanks(1);
  record += formatWholeNumber(options.isotope, 2);
  record += options.coulombHole == 1 ? "04" : "00";
  record += blanks(10);
  record += formatBoxNumber(options.n, 1);
  record += blanks(2);
  record += formatBoxNumber(options.spin, 1);
  record += options.quadrupoleTensor != 0 ? "1" : "0";
  return record;
}

std::string firstChargeField(const LobeOptions& options) { return formatBoxNumber(options.charge, 2); }

std::string atomRecord(const AtomLine& atom, const std::string& chargeField, int basisSet) {
  std::string record = atom.symbol;
  record += atom.number;
  record += chargeField;
  record += formatWholeNumber(basisSet, 1);
  record += blanks(4);
  record += normaliseCoordinate(atom.x);
  record += blanks(1);
  record += normaliseCoordinate(atom.y);
  record += blanks(1);
  record += normaliseCoordinate(atom.z);
  record += atom.lobeInfo;
  return record;
}

ClosingCodes closingCodes(const LobeOptions& options) {
  const std::string core = formatWholeNumber(options.orbitals, 1);
  if (options.small == 1) return {" 0", "0", "-1"};
  switch (options.configurationInteraction) {
    case 1:  // MP2 (Singlet)
      return {" 2", core, ""};
    case 2:  // Single_Excitation
      return {" 1", core, ""};
    case 3:  // Boys-Reeves CAS; its core orbitals are always included
      return {" 0", "0", " 1"};
    case 4:  // Single_Excitation Plus CD/MCD
      return {" 3", core, ""};
    default:  // None
      return {" 0", core, ""};
  }
}

std::string closingRecord(const LobeOptions& options) {
  const ClosingCodes codes = closingCodes(options);
  std::string record = "  0  0  0";
  record += blanks(2);
  record += formatBoxNumber(options.naturalOrbital, 1);
  record += blanks(1);
  record += codes.postHartreeFock;
  record += blanks(2);
  record += codes.coreOrbitals;
  record += blanks(1);
  record += codes.cas;
  return record;
}

}  // namespace vorden
