#include "lobe_records.h"

#include "box_number.h"
#include "coordinate_field.h"
#include "file_name.h"
#include "lobe_catalogue.h"

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
  using namespace options_record;
  std::string fileName = GetFilename(options.coordinatePath);
  fileName.resize(kFileName.width(), ' ');

  std::string record = blanks(kFileName.first - 1);
  record += fileName;
  record += printLevel(options);
  record += blanks(gapBetween(kPrintLevel, kSymmetry));
  record += formatWholeNumber(options.symmetry, 1);
  record += blanks(gapBetween(kSymmetry, kNmrNucleus));
  record += formatWholeNumber(options.nmr, 2);
  record += blanks(gapBetween(kNmrNucleus, kBasisSet));
  record += formatWholeNumber(options.basisSet, 1);
  record += blanks(gapBetween(kBasisSet, kSteepestDescent));
  record += steepestDescentField(options.itsd);
  record += blanks(gapBetween(kSteepestDescent, kIsotope));
  record += formatWholeNumber(options.isotope, 2);
  record += options.coulombHole == 1 ? kCoulombHoleYes : kCoulombHoleNo;
  record += blanks(gapBetween(kCoulombHole, kOptimisation));
  record += formatBoxNumber(options.n, 1);
  record += blanks(gapBetween(kOptimisation, kSpin));
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
  const ClosingCodeRow& row = closingCodesOf(treatmentFromForm(options.configurationInteraction, options.small));
  return {std::string(row.postHartreeFockCode), row.coreFromForm ? formatWholeNumber(options.orbitals, 1) : "0",
          std::string(row.casCode)};
}

std::string closingRecord(const LobeOptions& options) {
  using namespace closing_record;
  const ClosingCodes codes = closingCodes(options);
  std::string record(kLeadingZeros);
  record += blanks(kNaturalOrbitals.first - kLeadingZeros.size() - 1);
  record += formatBoxNumber(options.naturalOrbital, 1);
  record += blanks(gapBetween(kNaturalOrbitals, kPostHartreeFock));
  record += codes.postHartreeFock;
  record += blanks(gapBetween(kPostHartreeFock, kCoreOrbitals));
  record += codes.coreOrbitals;
  record += blanks(gapBetween(kCoreOrbitals, kCas));
  record += codes.cas;
  return record;
}

}  // namespace vorden
