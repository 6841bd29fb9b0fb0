#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorden {

// The one definition of lobe.dat's option codes, the captions the form shows
// for them and the columns of the options record. The form's lists, the
// writer of lobe.dat and the engine's reader all take them from here.

// Basis sets by the index the form keeps (intBasisSet) and lobe.dat carries.
enum class BasisSet {
  ThreeGaussian = 0,     // 3G1S/2G2S/2G2P
  FourGaussian = 1,      // 4G1S/3G2SP/1G3SPD/1G4SPDF
  Stp544G = 2,           // STP-544G*
  Pople631Gss = 3,       // 6-31G**
  Pople6311Gss = 4,      // 6-311G**
  Pople6311ppGss = 5,    // 6-311++G**
  DunningHuzinaga = 6,   // 10S/6P**
};
inline constexpr int kBasisSetCount = 7;
inline constexpr std::array<std::string_view, kBasisSetCount> kBasisSetCaptions{
    "3G1S/2G2S/2G2P (H to Kr)",
    "4G1S/3G2SP/1G3SPD/1G4SPDF (H TO Kr)",
    "STP-544G* (H to Ne)",
    "6-31G** Pople et. al. (H to Ne)",
    "6-311G** Pople et. al. (H to Ne)",
    "6-311G**++ Pople et. al. (H to Ne)",
    "10S/6P** Dunning-Huzinaga       (H to Ne)",
};
constexpr std::string_view captionOf(BasisSet basisSet) {
  return kBasisSetCaptions[static_cast<std::size_t>(basisSet)];
}
// The basis sets from STP-544G* on cover hydrogen to neon only.
constexpr bool coversHydrogenToNeonOnly(BasisSet basisSet) { return basisSet >= BasisSet::Stp544G; }

// The post-Hartree-Fock option buttons, by the index the form keeps
// (intConfigurationInteraction).
enum class ConfigurationInteraction {
  None = 0,
  Mp2Singlet = 1,
  SingleExcitation = 2,
  BoysReevesCas = 3,
  SingleExcitationCdMcd = 4,
};
inline constexpr int kConfigurationInteractionCount = 5;
inline constexpr std::array<std::string_view, kConfigurationInteractionCount> kConfigurationInteractionCaptions{
    "None", "MP2 (Singlet)", "Single_Excitation", "Boys-Reeves CAS;", "Single_Excitation Plus CD/MCD (only STO4G)",
};
constexpr std::string_view captionOf(ConfigurationInteraction treatment) {
  return kConfigurationInteractionCaptions[static_cast<std::size_t>(treatment)];
}

// The core-orbital option buttons, by the index the form keeps (intOrbitals),
// which is also the code lobe.dat carries.
enum class CoreOrbitals { Include = 0, Freeze = 1 };
inline constexpr std::array<std::string_view, 2> kCoreOrbitalsCaptions{"Include", "Freeze"};
constexpr std::string_view captionOf(CoreOrbitals orbitals) {
  return kCoreOrbitalsCaptions[static_cast<std::size_t>(orbitals)];
}

// The treatment the closing record encodes: the option button, with "Small"
// making Boys-Reeves CAS a choice of its own.
enum class PostHartreeFock {
  None,
  Mp2Singlet,
  SingleExcitation,
  BoysReevesCas,
  BoysReevesCasSmall,
  SingleExcitationCdMcd,
};

// The closing record's codes for each treatment: columns 14-15, columns
// 20-21 (empty when absent) and whether column 18 carries the form's core
// orbitals (otherwise "0": CAS always includes them).
struct ClosingCodeRow {
  PostHartreeFock treatment;
  std::string_view postHartreeFockCode;
  std::string_view casCode;
  bool coreFromForm;
  std::string_view words;  // for reports
};
inline constexpr std::array<ClosingCodeRow, 6> kClosingCodes{{
    {PostHartreeFock::None, " 0", "", true, "None (Hartree-Fock only)"},
    {PostHartreeFock::Mp2Singlet, " 2", "", true, "MP2 (Singlet)"},
    {PostHartreeFock::SingleExcitation, " 1", "", true, "Single_Excitation"},
    {PostHartreeFock::BoysReevesCas, " 0", " 1", false, "Boys-Reeves CAS"},
    {PostHartreeFock::BoysReevesCasSmall, " 0", "-1", false, "Boys-Reeves CAS, Small"},
    {PostHartreeFock::SingleExcitationCdMcd, " 3", "", true, "Single_Excitation Plus CD/MCD (only STO4G)"},
}};

// The treatment for the form's button index and its "Small" box, which
// counts only when checked (state 1).
PostHartreeFock treatmentFromForm(int configurationInteraction, int small);
const ClosingCodeRow& closingCodesOf(PostHartreeFock treatment);

// One item of a drop-down list: its caption and the value lobe.dat carries.
struct ListItem {
  std::string_view caption;
  int value;
};

// cmbSymmetry: "C1" and "Cnvx" both carry 0.
inline constexpr std::array<ListItem, 9> kSymmetryItems{{
    {"C1", 0}, {"Cs", 1}, {"C2v", 2}, {"C3v", 3}, {"Td", 4}, {"D4h", 5}, {"D6h", 6}, {"Oh", 7}, {"Cnvx", 0},
}};
// cmbNMR: the nucleus by its atomic number.
inline constexpr std::array<ListItem, 8> kNmrItems{{
    {"none", 0}, {"H-1", 1}, {"C-13", 6}, {"N-15", 7}, {"O-17", 8}, {"F-19", 9}, {"Si-29", 14}, {"P-31", 15},
}};
// cmbIsotope: the isotope by its mass number.
inline constexpr std::array<ListItem, 29> kIsotopeItems{{
    {"none", 0},   {"H-1", 1},    {"D-2", 2},    {"Li-6", 6},   {"Li-7", 7},   {"B-10", 10},
    {"B-11", 11},  {"C-12", 12},  {"C-13", 13},  {"N-14", 14},  {"N-15", 15},  {"O-16", 16},
    {"O-17", 17},  {"O-18", 18},  {"Mg-24", 24}, {"Mg-25", 25}, {"Mg-26", 26}, {"Si-28", 28},
    {"Si-29", 29}, {"Si-30", 30}, {"S-32", 32},  {"S-34", 34},  {"Cl-35", 35}, {"Cl-37", 37},
    {"Fe-54", 54}, {"Fe-56", 56}, {"Fe-57", 57}, {"Br-79", 79}, {"Br-81", 81},
}};

// Geometry-optimisation levels n = 4 to 6 go on to harmonic infrared
// frequencies, and only those take an isotope substitution.
constexpr bool calculatesFrequencies(int optimisationLevel) { return optimisationLevel >= 4 && optimisationLevel <= 6; }

// Words for codes read back from lobe.dat; nullopt for a code no list offers.
std::optional<std::string> basisSetCaption(int basisSet);
std::optional<std::string> symmetryName(int symmetry);  // "C1 or Cnvx" for 0
std::optional<std::string> nmrNucleusName(int atomicNumber);
std::optional<std::string> isotopeName(int massNumber);
std::string postHartreeFockName(PostHartreeFock treatment);
std::string printLevelWords(int printLevel);
std::string optimisationWords(int level);

// A field of a fixed-column record, columns counted from 1.
struct Columns {
  std::size_t first;
  std::size_t last;
  std::string_view name;
  constexpr std::size_t width() const { return last - first + 1; }
};

// The options record, field by field; the columns between fields are blank.
namespace options_record {
inline constexpr Columns kFileName{4, 30, "coordinate file name"};
inline constexpr Columns kPrintLevel{31, 31, "print level"};
inline constexpr Columns kSymmetry{34, 34, "symmetry"};
inline constexpr Columns kNmrNucleus{43, 44, "NMR nucleus"};
inline constexpr Columns kBasisSet{46, 46, "basis set"};
inline constexpr Columns kSteepestDescent{54, 55, "steepest-descent iterations"};
inline constexpr Columns kIsotope{57, 58, "isotope"};
inline constexpr Columns kCoulombHole{59, 60, "Coulomb hole"};
inline constexpr Columns kOptimisation{71, 71, "optimisation level n"};
inline constexpr Columns kSpin{74, 74, "spin multiplicity"};
inline constexpr Columns kQuadrupole{75, 75, "quadrupole tensor"};
// The Coulomb-hole codes: "04" asks for the correction, "00" does not.
inline constexpr std::string_view kCoulombHoleYes = "04";
inline constexpr std::string_view kCoulombHoleNo = "00";
}  // namespace options_record

// The blank columns between two consecutive fields.
constexpr std::size_t gapBetween(const Columns& before, const Columns& after) { return after.first - before.last - 1; }

// The closing record's fields.
namespace closing_record {
inline constexpr std::string_view kLeadingZeros = "  0  0  0";  // columns 1-9
inline constexpr Columns kNaturalOrbitals{12, 12, "natural-orbital iterations"};
inline constexpr Columns kPostHartreeFock{14, 15, "post-Hartree-Fock code"};
inline constexpr Columns kCoreOrbitals{18, 18, "core-orbital code"};
inline constexpr Columns kCas{20, 21, "CAS code"};
}  // namespace closing_record

}  // namespace vorden
