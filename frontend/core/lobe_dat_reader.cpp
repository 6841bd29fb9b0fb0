#include "lobe_dat_reader.h"

#include <cstdio>
#include <vector>

#include "element_table.h"
#include "lobe_catalogue.h"

namespace vorden {
namespace {

// Thrown by the record checks at the first problem; caught in checkLobeDat.
struct Malformed {
  LobeDatProblem problem;
};

// A text from lobe.dat as the report shows it: quoted, control and non-ASCII
// bytes spelled out.
std::string quoted(std::string_view text) {
  std::string shown = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code == '\r') {
      shown += "<CR>";
    } else if (code == '\t') {
      shown += "<tab>";
    } else if (code < 32 || code >= 127) {
      char spelled[8];
      std::snprintf(spelled, sizeof spelled, "<%02X>", static_cast<unsigned>(code));
      shown += spelled;
    } else {
      shown += c;
    }
  }
  return shown + "\"";
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void failAtLine(int line, std::string where, std::string what) {
  throw Malformed{{line, "line " + std::to_string(line) + where, std::move(what)}};
}

// One record of lobe.dat with its columns counted from 1. A negative charge
// in the first atom record pushes every later field one column right; the
// methods take the columns of the layout and add that shift themselves.
class Record {
 public:
  Record(std::string_view text, int line, std::string name) : text_(text), line_(line), name_(std::move(name)) {
    const std::size_t carriageReturn = text_.find('\r');
    if (carriageReturn != std::string_view::npos) {
      failAt(carriageReturn + 1, carriageReturn + 1, "",
             "found a carriage return inside the record; records end with a line feed alone");
    }
  }

  void shiftRight(std::size_t columns) { shift_ += columns; }

  std::string_view field(std::size_t first, std::size_t last, std::string_view fieldName) const {
    const std::size_t from = first + shift_;
    const std::size_t to = last + shift_;
    if (text_.size() < to) {
      failAt(from, to, fieldName,
             "the record ends at column " + std::to_string(text_.size()) + "; expected the " +
                 std::string(fieldName) + " there");
    }
    return text_.substr(from - 1, to - from + 1);
  }

  void blanks(std::size_t first, std::size_t last) const {
    const std::string_view found = field(first, last, "blanks");
    if (found.find_first_not_of(' ') != std::string_view::npos) {
      fail(first, last, "", std::string("expected ") + (first == last ? "a blank" : "blanks") + ", found " +
                                quoted(found));
    }
  }

  void literal(std::size_t first, std::size_t last, std::string_view expected) const {
    const std::string_view found = field(first, last, quoted(expected));
    if (found != expected) fail(first, last, "", "expected " + quoted(expected) + ", found " + quoted(found));
  }

  // A whole number written with exactly as many digits as the columns, from low to high.
  int number(std::size_t first, std::size_t last, std::string_view fieldName, int low, int high) const {
    const std::string_view found = field(first, last, fieldName);
    bool valid = true;
    int value = 0;
    for (const char c : found) {
      valid = valid && isDigit(c);
      value = value * 10 + (c - '0');
    }
    if (!valid || value < low || value > high) {
      const std::size_t width = last - first + 1;
      fail(first, last, fieldName,
           "expected " + (width == 1 ? std::string("a digit") : std::to_string(width) + " digits") + " from " +
               std::to_string(low) + " to " + std::to_string(high) + ", found " + quoted(found));
    }
    return value;
  }

  std::string_view field(const Columns& columns) const { return field(columns.first, columns.last, columns.name); }
  int number(const Columns& columns, int low, int high) const {
    return number(columns.first, columns.last, columns.name, low, high);
  }
  [[noreturn]] void fail(const Columns& columns, const std::string& what) const {
    fail(columns.first, columns.last, columns.name, what);
  }
  void blanksBetween(const Columns& before, const Columns& after) const {
    if (gapBetween(before, after) > 0) blanks(before.last + 1, after.first - 1);
  }

  void end(std::size_t lastColumn) const {
    const std::size_t last = lastColumn + shift_;
    if (text_.size() > last) {
      failAt(last + 1, text_.size(), "",
             "expected the record to end at column " + std::to_string(last) + ", found more: " +
                 quoted(text_.substr(last)));
    }
  }

  [[noreturn]] void fail(std::size_t first, std::size_t last, std::string_view fieldName,
                         const std::string& what) const {
    failAt(first + shift_, last + shift_, fieldName, what);
  }

  std::size_t size() const { return text_.size(); }

 private:
  [[noreturn]] void failAt(std::size_t first, std::size_t last, std::string_view fieldName,
                           const std::string& what) const {
    std::string where = " (" + name_ + ")";
    where += first == last ? ", column " + std::to_string(first)
                           : ", columns " + std::to_string(first) + "-" + std::to_string(last);
    if (!fieldName.empty()) where += " (" + std::string(fieldName) + ")";
    failAtLine(line_, where, what);
  }

  std::string_view text_;
  int line_;
  std::string name_;
  std::size_t shift_ = 0;
};

LobeDeck readOptionsRecord(std::string_view text) {
  using namespace options_record;
  Record record(text, 1, "options record");
  LobeDeck deck;
  record.blanks(1, kFileName.first - 1);
  const std::string_view name = record.field(kFileName);
  const std::size_t lastNonBlank = name.find_last_not_of(' ');
  if (lastNonBlank == std::string_view::npos) {
    record.fail(kFileName, "expected the coordinate file's name, found only blanks");
  }
  deck.fileName = name.substr(0, lastNonBlank + 1);
  deck.printLevel = record.number(kPrintLevel, 0, 2);
  record.blanksBetween(kPrintLevel, kSymmetry);
  deck.symmetry = record.number(kSymmetry, 0, 7);
  record.blanksBetween(kSymmetry, kNmrNucleus);
  deck.nmrNucleus = record.number(kNmrNucleus, 0, 99);
  if (!nmrNucleusName(deck.nmrNucleus)) {
    record.fail(kNmrNucleus, "expected 00 (none), 01, 06, 07, 08, 09, 14 or 15, found " + quoted(record.field(kNmrNucleus)));
  }
  record.blanksBetween(kNmrNucleus, kBasisSet);
  deck.basisSet = record.number(kBasisSet, 0, kBasisSetCount - 1);
  record.blanksBetween(kBasisSet, kSteepestDescent);
  deck.steepestDescentIterations = record.number(kSteepestDescent, 0, 99);
  record.blanksBetween(kSteepestDescent, kIsotope);
  deck.isotope = record.number(kIsotope, 0, 99);
  if (!isotopeName(deck.isotope)) {
    record.fail(kIsotope, "expected the two-digit mass number of an isotope the form offers (00 for "
                          "none), found " + quoted(record.field(kIsotope)));
  }
  const std::string_view coulombHole = record.field(kCoulombHole);
  if (coulombHole != kCoulombHoleNo && coulombHole != kCoulombHoleYes) {
    record.fail(kCoulombHole, "expected \"00\" (no) or \"04\" (yes), found " + quoted(coulombHole));
  }
  deck.coulombHole = coulombHole == kCoulombHoleYes;
  record.blanksBetween(kCoulombHole, kOptimisation);
  deck.optimisationLevel = record.number(kOptimisation, 0, 6);
  record.blanksBetween(kOptimisation, kSpin);
  deck.spinMultiplicity = record.number(kSpin, 0, 6);
  deck.quadrupoleTensor = record.number(kQuadrupole, 0, 1) == 1;
  record.end(kQuadrupole.last);
  return deck;
}

// A coordinate in nine columns: a blank or minus sign, then digits with one
// decimal point and no blanks.
void checkCoordinate(const Record& record, std::size_t first, std::string_view axis) {
  const std::string fieldName = std::string(axis) + " coordinate";
  const std::string_view text = record.field(first, first + 8, fieldName);
  const std::string_view digits = text.substr(1);
  const bool signOk = text[0] == ' ' || text[0] == '-';
  const bool onePoint = digits.find('.') != std::string_view::npos && digits.find('.') == digits.rfind('.');
  const bool onlyDigitsAndPoint = digits.find_first_not_of("0123456789.") == std::string_view::npos;
  const bool hasDigit = digits.find_first_of("0123456789") != std::string_view::npos;
  if (!signOk || !onePoint || !onlyDigitsAndPoint || !hasDigit) {
    record.fail(first, first + 8, fieldName,
                "expected a blank or minus sign and then digits with a decimal point, nine columns in all, "
                "found " + quoted(text));
  }
}

// Six numbers of five columns with two decimals each, as in "-1.00 0.00-2.00".
void checkLobeParameters(const Record& record) {
  for (std::size_t first = 41; first <= 66; first += 5) {
    const std::string_view text = record.field(first, first + 4, "lobe parameters");
    const std::size_t start = text.find_first_not_of(' ');
    std::string_view number = start == std::string_view::npos ? std::string_view() : text.substr(start);
    if (!number.empty() && number[0] == '-') number.remove_prefix(1);
    const bool ok = number.size() >= 3 && number[number.size() - 3] == '.' &&
                    number.find_first_not_of("0123456789", number.size() - 2) == std::string_view::npos &&
                    number.substr(0, number.size() - 3).find_first_not_of("0123456789") == std::string_view::npos;
    if (!ok) {
      record.fail(first, first + 4, "lobe parameters",
                  "expected a number with two decimals, right-justified in five columns, found " + quoted(text));
    }
  }
}

LobeDeckAtom readAtomRecord(std::string_view text, int line, int index, LobeDeck& deck) {
  Record record(text, line, "atom record " + std::to_string(index));
  LobeDeckAtom atom;
  atom.lineNumber = line;
  atom.symbol = record.field(1, 2, "element symbol");

  const std::string basis = std::to_string(deck.basisSet);
  std::string number;
  std::string lobeParameters;
  GetElementInfo(atom.symbol, number, basis, lobeParameters);
  if (number == "XX") {
    record.fail(1, 2, "element symbol",
                "expected an element symbol that basis set " + basis + " admits (" +
                    (deck.basisSet <= 1 ? "H to Kr" : "H to Ne") + ", one-letter symbols followed by a blank), "
                    "found " + quoted(atom.symbol));
  }
  const std::string_view writtenNumber = record.field(3, 4, "atomic number");
  if (writtenNumber != number) {
    record.fail(3, 4, "atomic number",
                "expected " + quoted(number) + " for " + quoted(atom.symbol) + ", found " + quoted(writtenNumber));
  }
  atom.atomicNumber = std::stoi(number);

  if (index == 1) {
    // Only the first atom record carries the charge: "-02", "-01" or "00" to "07".
    const bool negative = record.field(5, 5, "charge") == "-";
    const std::string_view written = record.field(5, negative ? 7 : 6, "charge");
    const char tens = written[written.size() - 2];
    const char units = written[written.size() - 1];
    const int magnitude = (tens - '0') * 10 + (units - '0');
    const bool valid = isDigit(tens) && isDigit(units) &&
                       (negative ? magnitude >= 1 && magnitude <= 2 : magnitude <= 7);
    if (!valid) {
      record.fail(5, 4 + written.size(), "charge",
                  "expected the charge as \"-02\", \"-01\" or \"00\" to \"07\", found " + quoted(written));
    }
    deck.charge = negative ? -magnitude : magnitude;
    if (negative) record.shiftRight(1);
  } else {
    record.blanks(5, 6);
  }

  if (record.number(7, 7, "basis set", 0, 9) != deck.basisSet) {
    record.fail(7, 7, "basis set",
                "expected " + basis + ", the basis set of the options record, found " +
                    quoted(record.field(7, 7, "basis set")));
  }
  record.blanks(8, 11);
  checkCoordinate(record, 12, "x");
  record.blanks(21, 21);
  checkCoordinate(record, 22, "y");
  record.blanks(31, 31);
  checkCoordinate(record, 32, "z");
  atom.x = record.field(12, 20, "x coordinate");
  atom.y = record.field(22, 30, "y coordinate");
  atom.z = record.field(32, 40, "z coordinate");

  // Basis sets 3 to 6 carry lobe parameters for every element but helium.
  if (lobeParameters.empty()) {
    record.end(40);
  } else {
    checkLobeParameters(record);
    atom.lobeParameters = record.field(41, 70, "lobe parameters");
    record.end(70);
  }
  return atom;
}

void readClosingRecord(std::string_view text, int line, LobeDeck& deck) {
  using namespace closing_record;
  Record record(text, line, "closing record");
  for (std::size_t first = 1; first < kLeadingZeros.size(); first += 3) record.literal(first, first + 2, "  0");
  record.blanks(kLeadingZeros.size() + 1, kNaturalOrbitals.first - 1);
  deck.naturalOrbitalIterations = record.number(kNaturalOrbitals, 0, 9);
  record.blanksBetween(kNaturalOrbitals, kPostHartreeFock);
  const std::string_view code = record.field(kPostHartreeFock);
  record.blanksBetween(kPostHartreeFock, kCoreOrbitals);
  const int core = record.number(kCoreOrbitals, 0, 1);
  record.blanksBetween(kCoreOrbitals, kCas);

  const bool hasCas = record.size() > kCas.first - 1;
  const std::string_view cas = hasCas ? record.field(kCas) : std::string_view();
  const ClosingCodeRow* matched = nullptr;
  bool knownCode = false;
  for (const ClosingCodeRow& row : kClosingCodes) {
    knownCode = knownCode || row.postHartreeFockCode == code;
    if (row.postHartreeFockCode == code && row.casCode == cas) matched = &row;
  }
  if (!knownCode) {
    record.fail(kPostHartreeFock, "expected \" 0\", \" 1\", \" 2\" or \" 3\", found " + quoted(code));
  }
  if (hasCas && cas != " 1" && cas != "-1") {
    record.fail(kCas, "expected \" 1\" (Boys-Reeves CAS) or \"-1\" (CAS, Small), or the record to end at column " +
                          std::to_string(kCas.first - 1) + ", found " + quoted(cas));
  }
  if (matched == nullptr) {
    record.fail(kPostHartreeFock, "expected \" 0\" with a CAS code in columns 20-21, found " + quoted(code));
  }
  if (!matched->coreFromForm && core != 0) {
    record.fail(kCoreOrbitals, "expected \"0\" with a CAS code, found \"1\"");
  }
  if (hasCas) record.end(kCas.last);
  deck.postHartreeFock = matched->treatment;
  deck.freezeCoreOrbitals = matched->coreFromForm && core == static_cast<int>(CoreOrbitals::Freeze);
}

// Splits at line feeds; text after the last line feed is not a line.
std::vector<std::string_view> linesEndedByLineFeeds(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

int lineCount(std::string_view text) {
  int count = 1;
  for (const char c : text) count += c == '\n';
  return count;
}

LobeDeck checkStructure(std::string_view bytes) {
  if (bytes.empty()) {
    failAtLine(1, "", "the file is empty; expected the options record, the atom records, an empty line, the "
                      "closing record, an empty line and a final carriage return and line feed");
  }
  if (!bytes.ends_with("\r\n")) {
    failAtLine(lineCount(bytes), " (end of the file)",
               "expected the file to end with a carriage return and line feed");
  }
  const std::string_view body = bytes.substr(0, bytes.size() - 2);
  if (!body.empty() && !body.ends_with("\n")) {
    const int last = lineCount(body);
    failAtLine(last, " (end of the file)",
               "expected the last line to be empty, ended by the carriage return and line feed, found " +
                   quoted(body.substr(body.rfind('\n') + 1)));
  }
  const std::vector<std::string_view> lines = linesEndedByLineFeeds(body);
  if (lines.empty()) failAtLine(1, "", "expected the options record, found only the final carriage return and line feed");

  LobeDeck deck = readOptionsRecord(lines[0]);

  std::size_t at = 1;
  for (; at < lines.size() && !lines[at].empty(); ++at) {
    deck.atoms.push_back(
        readAtomRecord(lines[at], static_cast<int>(at) + 1, static_cast<int>(deck.atoms.size()) + 1, deck));
  }
  const auto lineNumber = [](std::size_t index) { return static_cast<int>(index) + 1; };
  if (deck.atoms.empty()) {
    failAtLine(2, "", "expected an atom record after the options record, found " +
                          (at < lines.size() ? std::string("an empty line") : std::string("the end of the file")));
  }
  if (at >= lines.size()) {
    failAtLine(lineNumber(at), "", "expected an empty line after the atom records, found the end of the file");
  }
  if (at + 1 >= lines.size() || lines[at + 1].empty()) {
    failAtLine(lineNumber(at + 1), "",
               "expected the closing record after the empty line, found " +
                   (at + 1 >= lines.size() ? std::string("the end of the file") : std::string("an empty line")));
  }
  readClosingRecord(lines[at + 1], lineNumber(at + 1), deck);
  if (at + 2 >= lines.size() || !lines[at + 2].empty()) {
    failAtLine(lineNumber(at + 2), "",
               "expected an empty line after the closing record, found " +
                   (at + 2 >= lines.size() ? std::string("the end of the file") : quoted(lines[at + 2])));
  }
  if (at + 3 < lines.size()) {
    failAtLine(lineNumber(at + 3), "",
               "expected the final empty line ended by a carriage return and line feed, found " +
                   quoted(lines[at + 3]));
  }
  return deck;
}

}  // namespace

LobeDatCheck readLobeDat(std::string_view bytes) {
  try {
    return {checkStructure(bytes), std::nullopt};
  } catch (const Malformed& malformed) {
    return {std::nullopt, malformed.problem};
  }
}

}  // namespace vorden
