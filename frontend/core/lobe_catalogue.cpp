#include "lobe_catalogue.h"

namespace vorden {
namespace {

std::optional<std::string> captionOf(std::span<const ListItem> items, int value) {
  for (const ListItem& item : items) {
    if (item.value == value) return std::string(item.caption);
  }
  return std::nullopt;
}

}  // namespace

PostHartreeFock treatmentFromForm(int configurationInteraction, int small) {
  if (small == 1) return PostHartreeFock::BoysReevesCasSmall;
  switch (static_cast<ConfigurationInteraction>(configurationInteraction)) {
    case ConfigurationInteraction::Mp2Singlet:
      return PostHartreeFock::Mp2Singlet;
    case ConfigurationInteraction::SingleExcitation:
      return PostHartreeFock::SingleExcitation;
    case ConfigurationInteraction::BoysReevesCas:
      return PostHartreeFock::BoysReevesCas;
    case ConfigurationInteraction::SingleExcitationCdMcd:
      return PostHartreeFock::SingleExcitationCdMcd;
    default:
      return PostHartreeFock::None;
  }
}

const ClosingCodeRow& closingCodesOf(PostHartreeFock treatment) {
  for (const ClosingCodeRow& row : kClosingCodes) {
    if (row.treatment == treatment) return row;
  }
  return kClosingCodes.front();
}

std::optional<std::string> basisSetCaption(int basisSet) {
  if (basisSet < 0 || basisSet >= kBasisSetCount) return std::nullopt;
  return std::string(kBasisSetCaptions[static_cast<std::size_t>(basisSet)]);
}

std::optional<std::string> symmetryName(int symmetry) {
  if (symmetry == 0) return "C1 or Cnvx";
  return captionOf(kSymmetryItems, symmetry);
}

std::optional<std::string> nmrNucleusName(int atomicNumber) { return captionOf(kNmrItems, atomicNumber); }

std::optional<std::string> isotopeName(int massNumber) { return captionOf(kIsotopeItems, massNumber); }

std::string postHartreeFockName(PostHartreeFock treatment) { return std::string(closingCodesOf(treatment).words); }

std::string printLevelWords(int printLevel) {
  switch (printLevel) {
    case 0:
      return "0 (normal output)";
    case 1:
      return "1 (verbose output)";
    default:
      return std::to_string(printLevel) + " (verbose output with integrals)";
  }
}

std::string optimisationWords(int level) {
  if (level == 0) return "n = 0: no geometry optimisation";
  std::string words = "n = " + std::to_string(level) + ": optimise the geometry to within 10^-" +
                      std::to_string(level) + " hartree/bohr";
  if (level >= 4) words += ", then calculate harmonic infrared frequencies";
  return words;
}

}  // namespace vorden
