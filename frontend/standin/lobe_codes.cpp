#include "lobe_codes.h"

#include <array>
#include <string_view>
#include <utility>

namespace vorden::standin {
namespace {

template <std::size_t N>
std::optional<std::string> nameOf(const std::array<std::pair<int, std::string_view>, N>& table, int value) {
  for (const auto& [code, name] : table) {
    if (code == value) return std::string(name);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> basisSetCaption(int basisSet) {
  static constexpr std::array<std::pair<int, std::string_view>, 7> kCaptions{{
      {0, "3G1S/2G2S/2G2P (H to Kr)"},
      {1, "4G1S/3G2SP/1G3SPD/1G4SPDF (H TO Kr)"},
      {2, "STP-544G* (H to Ne)"},
      {3, "6-31G** Pople et. al. (H to Ne)"},
      {4, "6-311G** Pople et. al. (H to Ne)"},
      {5, "6-311G**++ Pople et. al. (H to Ne)"},
      {6, "10S/6P** Dunning-Huzinaga       (H to Ne)"},
  }};
  return nameOf(kCaptions, basisSet);
}

std::optional<std::string> symmetryName(int symmetry) {
  static constexpr std::array<std::pair<int, std::string_view>, 8> kNames{{
      {0, "C1 or Cnvx"}, {1, "Cs"}, {2, "C2v"}, {3, "C3v"}, {4, "Td"}, {5, "D4h"}, {6, "D6h"}, {7, "Oh"},
  }};
  return nameOf(kNames, symmetry);
}

std::optional<std::string> nmrNucleusName(int atomicNumber) {
  static constexpr std::array<std::pair<int, std::string_view>, 8> kNuclei{{
      {0, "none"}, {1, "H-1"}, {6, "C-13"}, {7, "N-15"}, {8, "O-17"}, {9, "F-19"}, {14, "Si-29"}, {15, "P-31"},
  }};
  return nameOf(kNuclei, atomicNumber);
}

std::optional<std::string> isotopeName(int massNumber) {
  static constexpr std::array<std::pair<int, std::string_view>, 29> kIsotopes{{
      {0, "none"},   {1, "H-1"},    {2, "D-2"},    {6, "Li-6"},   {7, "Li-7"},   {10, "B-10"},
      {11, "B-11"},  {12, "C-12"},  {13, "C-13"},  {14, "N-14"},  {15, "N-15"},  {16, "O-16"},
      {17, "O-17"},  {18, "O-18"},  {24, "Mg-24"}, {25, "Mg-25"}, {26, "Mg-26"}, {28, "Si-28"},
      {29, "Si-29"}, {30, "Si-30"}, {32, "S-32"},  {34, "S-34"},  {35, "Cl-35"}, {37, "Cl-37"},
      {54, "Fe-54"}, {56, "Fe-56"}, {57, "Fe-57"}, {79, "Br-79"}, {81, "Br-81"},
  }};
  return nameOf(kIsotopes, massNumber);
}

std::string postHartreeFockName(PostHartreeFock choice) {
  switch (choice) {
    case PostHartreeFock::None:
      return "None (Hartree-Fock only)";
    case PostHartreeFock::Mp2Singlet:
      return "MP2 (Singlet)";
    case PostHartreeFock::SingleExcitation:
      return "Single_Excitation";
    case PostHartreeFock::BoysReevesCas:
      return "Boys-Reeves CAS";
    case PostHartreeFock::BoysReevesCasSmall:
      return "Boys-Reeves CAS, Small";
    case PostHartreeFock::SingleExcitationCdMcd:
      return "Single_Excitation Plus CD/MCD (only STO4G)";
  }
  return "unknown";
}

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

}  // namespace vorden::standin
