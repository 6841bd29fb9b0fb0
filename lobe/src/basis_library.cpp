#include "basis_library.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <charconv>
#include <sstream>

namespace lobe {
namespace {

std::vector<std::string> words(std::string_view line) {
  std::vector<std::string> result;
  std::istringstream stream{std::string(line)};
  for (std::string word; stream >> word;) result.push_back(word);
  return result;
}

// A Fortran-style real: "0.1612778", "1.1D+00", "-3.5e-2".
std::optional<double> readReal(std::string word) {
  std::replace_if(word.begin(), word.end(), [](char c) { return c == 'D' || c == 'd'; }, 'e');
  double value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> readCount(const std::string& word) {
  int value = 0;
  const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || stop != word.data() + word.size()) return std::nullopt;
  return value;
}

class Reader {
 public:
  Reader(std::string_view text, std::string fileName) : fileName_(std::move(fileName)) {
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  BasisLibrary read() {
    BasisLibrary library;
    while (const auto line = nextContentLine()) {
      const std::vector<std::string> fields = words(*line);
      std::string lower = fields[0];
      std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
      // Libraries open with their d-function convention and often a "****" before the first element.
      if (fields.size() == 1 && (lower == "cartesian" || lower == "spherical" || lower == "****")) continue;
      if (fields.size() != 2 || fields[1] != "0" || !std::isupper(static_cast<unsigned char>(fields[0][0]))) {
        fail("expected an element line such as \"O     0\", found \"" + std::string(*line) + "\"");
      }
      const std::string symbol = fields[0];
      if (library.contains(symbol)) fail("element " + symbol + " appears a second time");
      library[symbol] = readElement(symbol);
    }
    return library;
  }

 private:
  std::optional<std::string_view> nextContentLine() {
    while (next_ < lines_.size()) {
      const std::string_view line = lines_[next_++];
      const std::size_t first = line.find_first_not_of(" \t");
      if (first == std::string_view::npos || line[first] == '!') continue;
      return line;
    }
    return std::nullopt;
  }

  std::vector<Shell> readElement(const std::string& symbol) {
    std::vector<Shell> shells;
    for (;;) {
      const auto line = nextContentLine();
      if (!line) fail("the block of " + symbol + " ends without \"****\"");
      const std::vector<std::string> fields = words(*line);
      if (fields[0] == "****") return shells;
      static constexpr std::array<std::string_view, 4> kKinds{"S", "P", "D", "SP"};
      const auto kind = std::find(kKinds.begin(), kKinds.end(), fields[0]);
      const int count = fields.size() == 3 ? readCount(fields[1]).value_or(0) : 0;
      const double scale = fields.size() == 3 ? readReal(fields[2]).value_or(0.0) : 0.0;
      if (kind == kKinds.end() || count < 1 || scale <= 0) {
        fail("expected a shell line \"<S, P, D or SP> <number of primitives> <scale factor>\" in the block of " +
             symbol + " (this engine reads s, p and d shells), found \"" + std::string(*line) + "\"");
      }
      const bool sp = *kind == "SP";
      Shell first{sp ? 0 : static_cast<int>(kind - kKinds.begin()), {}};
      Shell second{1, {}};
      for (int i = 0; i < count; ++i) {
        const auto primitiveLine = nextContentLine();
        if (!primitiveLine) fail("the file ends inside a shell of " + symbol);
        const std::vector<std::string> numbers = words(*primitiveLine);
        std::vector<double> values;
        for (const std::string& word : numbers) {
          if (const auto value = readReal(word)) values.push_back(*value);
        }
        const std::size_t wanted = sp ? 3 : 2;
        if (numbers.size() != wanted || values.size() != wanted || values[0] <= 0) {
          fail("expected a positive exponent and " + std::string(sp ? "two coefficients" : "a coefficient") +
               ", found \"" + std::string(*primitiveLine) + "\"");
        }
        const double exponent = values[0] * scale * scale;
        first.primitives.push_back({exponent, values[1]});
        if (sp) second.primitives.push_back({exponent, values[2]});
      }
      shells.push_back(std::move(first));
      if (sp) shells.push_back(std::move(second));
    }
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw BasisLibraryError(fileName_ + ", line " + std::to_string(next_) + ": " + what);
  }

  std::string fileName_;
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
};

}  // namespace

BasisLibrary parseGaussian94(std::string_view text, const std::string& fileName) {
  return Reader(text, fileName).read();
}

std::optional<BasisSetData> basisSetData(int basisSetIndex) {
  switch (basisSetIndex) {
    case 3:
      return BasisSetData{"6-31G**", "6-31gss.gbs"};
    case 4:
      return BasisSetData{"6-311G**", "6-311gss.gbs"};
    case 5:
      return BasisSetData{"6-311++G**", "6-311ppgss.gbs"};
    default:
      return std::nullopt;
  }
}

std::filesystem::path findBasisFolder(const std::filesystem::path& programFolder) {
  const std::array<std::filesystem::path, 3> candidates{
      programFolder / "basis",
      programFolder / ".." / "share" / "floating-sphere-scf" / "basis",
      programFolder / ".." / ".." / "share" / "floating-sphere-scf" / "basis",
  };
  for (const auto& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_directory(candidate, error)) return candidate.lexically_normal();
  }
  return {};
}

}  // namespace lobe
