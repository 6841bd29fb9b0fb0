#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lobe {

// One primitive of a contracted shell: exponent and contraction coefficient
// (for a normalised primitive, as basis libraries give them).
struct Primitive {
  double exponent = 0;
  double coefficient = 0;
};

// A contracted shell of one angular momentum (0 s, 1 p, 2 d). A library's
// SP shell arrives as an s and a p shell with the same exponents.
struct Shell {
  int angularMomentum = 0;
  std::vector<Primitive> primitives;
};

// The basis of each element a library file holds, by element symbol ("O", "He").
using BasisLibrary = std::map<std::string, std::vector<Shell>>;

// A basis-library file that cannot be read, with file, line and what is wrong.
class BasisLibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a basis library in the Gaussian94 format: "!" comment lines, an
// optional "cartesian" or "spherical" line, and per element a line
// "<symbol> 0", shells "<S|P|D|SP> <primitives> <scale>" each followed by its
// primitive lines (exponent and one coefficient, two for SP; D exponents
// allowed), and "****". fileName names the file in error messages.
BasisLibrary parseGaussian94(std::string_view text, const std::string& fileName);

// The basis sets this engine has data for, by the form's basis-set index.
struct BasisSetData {
  std::string name;      // "6-31G**"
  std::string fileName;  // "6-31gss.gbs"
};
std::optional<BasisSetData> basisSetData(int basisSetIndex);

// The folder of the basis-library files: "basis" beside the program (a build
// tree), else the package's data folder relative to the program's folder
// (bin/ or libexec/<package>/ of an installed copy). Empty when none exists.
std::filesystem::path findBasisFolder(const std::filesystem::path& programFolder);

}  // namespace lobe
