#include "coordinate_file.h"

#include <cstdio>
#include <optional>

#include "coordinate_field.h"
#include "element_table.h"
#include "text_lines.h"

namespace vorden {
namespace {

// Some editors put a UTF-8 byte-order mark in front of a plain text file; it
// is not part of the first line.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A line whose first character lies below "A" ends the atom list.
bool endsAtomList(std::string_view line) {
  return line.empty() || static_cast<unsigned char>(line.front()) < static_cast<unsigned char>('A');
}

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// Cuts the next blank-separated field off the front of rest.
std::string_view takeField(std::string_view& rest) {
  rest = trimBlanks(rest);
  const std::size_t blank = rest.find(' ');
  const std::string_view field = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank);
  return field;
}

// The atom count of a standard XYZ file's first line: a whole number,
// possibly with blanks or tabs around it.
std::optional<std::size_t> atomCount(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = line.find_last_not_of(" \t");
  const std::string_view digits = line.substr(first, last - first + 1);
  std::size_t count = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    // More atoms than any file holds; keeps the count from overflowing.
    if (count < 100'000'000) count = count * 10 + static_cast<std::size_t>(c - '0');
  }
  return count;
}

// A text as a message shows it: in quotes, control characters spelled out as
// their code, long texts shortened. Texts from the file also have their
// non-ASCII bytes spelled out, since the file's encoding is unknown; the file
// name is Latin-1 like the message and keeps its accented letters.
enum class Bytes { FromFile, Latin1 };

std::string quoted(std::string_view text, Bytes bytes = Bytes::FromFile) {
  constexpr std::size_t kLongest = 40;
  std::string shown = "\"";
  for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\t') {
      shown += "<tab>";
    } else if (c < 32 || (c >= 127 && (bytes == Bytes::FromFile || c < 160))) {
      char code[8];
      std::snprintf(code, sizeof code, "<%02X>", static_cast<unsigned>(c));
      shown += code;
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (text.size() > kLongest) shown += "...";
  return shown + "\"";
}

class CoordinateReader {
 public:
  CoordinateReader(std::string_view content, int basisSet, std::string_view fileName)
      : lines_(splitLines(content.starts_with(kUtf8ByteOrderMark) ? content.substr(kUtf8ByteOrderMark.size())
                                                                   : content)),
        basis_(std::to_string(basisSet)),
        fileName_(fileName) {}

  CoordinateReading read() {
    std::size_t first = 0;  // index of the first line that may be an atom line
    const std::optional<std::size_t> announced = lines_.empty() ? std::nullopt : atomCount(lines_.front());
    if (announced) first = 2;  // the count line and the comment line

    std::size_t index = first;
    for (; index < lines_.size() && !endsAtomList(lines_[index]); ++index) {
      if (!readAtomLine(lines_[index], static_cast<int>(index) + 1)) {
        result_.atoms.clear();
        return std::move(result_);
      }
    }

    if (result_.atoms.empty()) {
      failNoAtoms(first, announced.has_value());
    } else if (announced && *announced != result_.atoms.size()) {
      failCountMismatch(*announced, index);
    }
    if (result_.failure.kind != CoordinateFailure::Kind::None) result_.atoms.clear();
    return std::move(result_);
  }

 private:
  bool readAtomLine(std::string_view line, int lineNumber) {
    if (line.size() < 2) {
      return failFormat(lineNumber,
                        "expected a two-character element symbol followed by x, y and z coordinates "
                        "separated by blanks, but the line holds only " + quoted(line) + ".");
    }
    AtomLine atom;
    atom.symbol = line.substr(0, 2);
    atom.lineNumber = lineNumber;

    std::string_view rest = line.substr(2);
    const std::string_view fields[3] = {takeField(rest), takeField(rest), takeField(rest)};
    const char* const axisNames[3] = {"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis) {
      if (fields[axis].empty()) return failMissingFields(line, atom.symbol, axis, fields, lineNumber);
    }
    for (int axis = 0; axis < 3; ++axis) {
      if (!checkCoordinate(fields[axis], axisNames[axis], lineNumber)) return false;
    }
    atom.x = fields[0];
    atom.y = fields[1];
    atom.z = fields[2];

    GetElementInfo(atom.symbol, atom.number, basis_, atom.lobeInfo);
    if (atom.number == "XX") {
      result_.failure = {CoordinateFailure::Kind::OutOfRange, std::string(kOutOfRangeMessage)};
      return false;
    }
    result_.atoms.push_back(std::move(atom));
    return true;
  }

  bool failMissingFields(std::string_view line, const std::string& symbol, int found,
                         const std::string_view (&fields)[3], int lineNumber) {
    std::string what = "expected x, y and z coordinates separated by blanks after the element symbol " +
                       quoted(symbol) + ", but ";
    if (found == 0) {
      what += "nothing follows it.";
    } else {
      what += found == 1 ? "only one field follows it: " + quoted(fields[0])
                         : "only two fields follow it: " + quoted(fields[0]) + " and " + quoted(fields[1]);
      what += ".";
    }
    if (line.find('\t') != std::string_view::npos) what += " Tabs do not separate fields; use blanks.";
    return failFormat(lineNumber, what);
  }

  bool checkCoordinate(std::string_view text, const char* axis, int lineNumber) {
    switch (checkCoordinateText(text)) {
      case CoordinateTextProblem::None:
        return true;
      case CoordinateTextProblem::NotADecimalNumber:
        return failFormat(lineNumber, std::string("expected the ") + axis +
                                          " coordinate to be a decimal number such as -0.757200 or 1.5, "
                                          "but found " + quoted(text) + ".");
      case CoordinateTextProblem::TooManyIntegerDigits:
        return failFormat(lineNumber, std::string("the ") + axis + " coordinate " + quoted(text) +
                                          " has more than " + std::to_string(kMostCoordinateIntegerDigits) +
                                          " digits before the decimal point; expected a value that fits the " +
                                          std::to_string(kCoordinateColumns) + " columns of lobe.dat.");
    }
    return false;
  }

  void failNoAtoms(std::size_t first, bool afterHeader) {
    const std::size_t lineNumber = first + 1;
    std::string why;
    if (lines_.empty()) {
      why = "the file is empty.";
    } else if (first >= lines_.size()) {
      why = "the file ends after the atom count and the comment line.";
    } else if (trimBlanks(lines_[first]).empty()) {
      why = "line " + std::to_string(lineNumber) + (lines_[first].empty() ? " is empty." : " holds only blanks.");
    } else {
      why = "line " + std::to_string(lineNumber) + " begins with " + quoted(lines_[first].substr(0, 1)) +
            "; a line that begins with a digit, a blank or punctuation ends the atom list.";
    }
    result_.failure = {CoordinateFailure::Kind::Format,
                       "The coordinate file " + quoted(fileName_, Bytes::Latin1) +
                           " holds no atoms: expected atom lines (an element symbol followed by x, y and z "
                           "coordinates) from line " + std::to_string(lineNumber) + " on" +
                           (afterHeader ? " (after the atom count and the comment line)" : "") + ", but " + why};
  }

  void failCountMismatch(std::size_t announced, std::size_t endIndex) {
    const std::string where = endIndex < lines_.size()
                                  ? "the atom list ends at line " + std::to_string(endIndex + 1)
                                  : "the file ends after line " + std::to_string(lines_.size());
    failFormat(1, "the atom count announces " + std::to_string(announced) +
                      (announced == 1 ? " atom" : " atoms") + ", so expected as many atom lines after the comment "
                      "line, but found " + std::to_string(result_.atoms.size()) + " (" + where + ").");
  }

  bool failFormat(int lineNumber, const std::string& what) {
    result_.failure = {CoordinateFailure::Kind::Format, "Cannot read the coordinate file " + quoted(fileName_, Bytes::Latin1) +
                                                             ", line " + std::to_string(lineNumber) + ": " + what};
    return false;
  }

  std::vector<std::string_view> lines_;
  std::string basis_;
  std::string_view fileName_;
  CoordinateReading result_;
};

}  // namespace

CoordinateReading readCoordinates(std::string_view content, int basisSet, std::string_view fileName) {
  return CoordinateReader(content, basisSet, fileName).read();
}

}  // namespace vorden
