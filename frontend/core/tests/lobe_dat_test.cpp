#include "lobe_dat.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "coordinate_field.h"
#include "worked_example.h"

namespace vorden {
namespace {

constexpr const char* kWaterAtoms =
    "O  0.000000  0.000000  0.117300\n"
    "H  0.000000  0.757200 -0.469200\n"
    "H  0.000000 -0.757200 -0.469200\n";

using vorden::testing::kWorkedExampleLobeDat;

LobeOptions workedExampleOptions() {
  LobeOptions options;
  options.coordinatePath = "C:\\Users\\student\\molecules\\water.xyz";
  options.basisSet = 3;
  options.symmetry = 2;  // C2v
  return options;
}

// The records of a lobe.dat text: split at line feeds, the final CR LF kept
// as the last "record" "\r".
std::vector<std::string> records(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// Columns first to last (counted from 1) of a record.
std::string columns(const std::string& record, std::size_t first, std::size_t last) {
  return record.substr(first - 1, last - first + 1);
}

LobeDatText build(const LobeOptions& options, const std::string& atoms = kWaterAtoms) {
  LobeDatText result = buildLobeDat(options, atoms);
  EXPECT_TRUE(result.ok) << result.failure.message;
  return result;
}

std::string optionsRecordFor(const LobeOptions& options) { return records(build(options).text).at(0); }
std::string closingRecordFor(const LobeOptions& options) {
  const std::vector<std::string> lines = records(build(options).text);
  return lines.at(lines.size() - 3);
}

// --- The worked example -----------------------------------------------------

TEST(LobeDatWorkedExample, PlainCoordinateFileGivesTheExactBytes) {
  EXPECT_EQ(build(workedExampleOptions()).text, kWorkedExampleLobeDat);
}

TEST(LobeDatWorkedExample, SameBytesFromAnyLineEndsAndFromAStandardXyzFile) {
  EXPECT_EQ(build(workedExampleOptions(),
                  "O 0.000000 0.000000 0.117300\r\nH 0.000000 0.757200 -0.469200\r\nH 0.000000 -0.757200 -0.469200")
                .text,
            kWorkedExampleLobeDat);
  EXPECT_EQ(build(workedExampleOptions(), std::string("3\rwater\r") + kWaterAtoms).text, kWorkedExampleLobeDat);
}

TEST(LobeDatWorkedExample, ExampleFileInTheRepository) {
  std::ifstream file(EXAMPLES_DIR "/water.xyz", std::ios::binary);
  ASSERT_TRUE(file) << "examples/water.xyz is missing";
  std::ostringstream content;
  content << file.rdbuf();
  LobeOptions options = workedExampleOptions();
  options.coordinatePath = EXAMPLES_DIR "/water.xyz";
  EXPECT_EQ(build(options, content.str()).text, kWorkedExampleLobeDat);
}

TEST(LobeDatWorkedExample, RecordsAreSeparatedByLineFeedsAndOnlyTheEndHasCrLf) {
  const std::string text = build(workedExampleOptions()).text;
  EXPECT_EQ(text.find('\r'), text.size() - 2);
  EXPECT_TRUE(text.ends_with("\n\n\r\n"));
  EXPECT_EQ(records(text).at(0).size(), 75u);
}

// --- Options record ---------------------------------------------------------

TEST(LobeDatOptionsRecord, FileNamesAreFilledOrCutToTwentySevenColumns) {
  LobeOptions options = workedExampleOptions();
  options.coordinatePath = "/data/water.xyz";  // 9 characters: 18 blanks follow
  std::string record = optionsRecordFor(options);
  EXPECT_EQ(columns(record, 1, 30), "   water.xyz" + std::string(18, ' '));

  options.coordinatePath = "C:\\data\\abcdefghijklmnopqrstuvwxyz.xyz";  // 30 characters
  record = optionsRecordFor(options);
  EXPECT_EQ(columns(record, 1, 30), "   abcdefghijklmnopqrstuvwxyz.");
  EXPECT_EQ(record.size(), 75u);
  EXPECT_EQ(columns(record, 31, 31), "0");  // the print level is not pushed aside

  options.coordinatePath = "C:\\data\\";
  EXPECT_EQ(columns(optionsRecordFor(options), 1, 30), std::string(30, ' '));
}

TEST(LobeDatOptionsRecord, FileNameKeepsItsLatin1Bytes) {
  LobeOptions options = workedExampleOptions();
  options.coordinatePath = "/data/eau \xE9t\xE9.xyz";
  EXPECT_EQ(columns(optionsRecordFor(options), 4, 16), "eau \xE9t\xE9.xyz  ");
}

TEST(LobeDatOptionsRecord, PrintLevel) {
  LobeOptions options = workedExampleOptions();
  options.itch = 1;
  EXPECT_EQ(columns(optionsRecordFor(options), 31, 31), "1");
  options.integrals = 1;
  EXPECT_EQ(columns(optionsRecordFor(options), 31, 31), "2");
  options.itch = 0;  // integrals without verbose output print nothing more
  EXPECT_EQ(columns(optionsRecordFor(options), 31, 31), "0");
}

TEST(LobeDatOptionsRecord, SymmetryWritesItsItemValue) {
  LobeOptions options = workedExampleOptions();
  options.symmetry = 0;  // "Cnvx" carries 0 like "C1"
  EXPECT_EQ(columns(optionsRecordFor(options), 32, 35), "  0 ");
  options.symmetry = 7;  // "Oh"
  EXPECT_EQ(columns(optionsRecordFor(options), 32, 35), "  7 ");
}

TEST(LobeDatOptionsRecord, EveryFieldInItsColumns) {
  LobeOptions options = workedExampleOptions();
  options.nmr = 15;      // P-31
  options.basisSet = 5;
  options.itsd = "5";
  options.isotope = 2;   // D-2
  options.coulombHole = 1;
  options.n = "6";
  options.spin = "3";
  options.quadrupoleTensor = 1;
  const std::string record = optionsRecordFor(options);
  ASSERT_EQ(record.size(), 75u);
  EXPECT_EQ(columns(record, 35, 42), std::string(8, ' '));
  EXPECT_EQ(columns(record, 43, 44), "15");
  EXPECT_EQ(columns(record, 45, 46), " 5");
  EXPECT_EQ(columns(record, 47, 53), std::string(7, ' '));
  EXPECT_EQ(columns(record, 54, 55), "05");
  EXPECT_EQ(columns(record, 56, 60), " 0204");
  EXPECT_EQ(columns(record, 61, 70), std::string(10, ' '));
  EXPECT_EQ(columns(record, 71, 75), "6  31");
}

TEST(LobeDatOptionsRecord, SmallItemValuesTakeTwoDigits) {
  LobeOptions options = workedExampleOptions();
  options.nmr = 1;       // H-1
  options.isotope = 81;  // Br-81
  const std::string record = optionsRecordFor(options);
  EXPECT_EQ(columns(record, 43, 44), "01");
  EXPECT_EQ(columns(record, 57, 60), "8100");
}

TEST(LobeDatOptionsRecord, SteepestDescentFieldIsAlwaysTwoColumns) {
  LobeOptions options = workedExampleOptions();
  options.itsd = "";  // not a number: written as it stands, filled with blanks
  std::string record = optionsRecordFor(options);
  EXPECT_EQ(columns(record, 53, 56), "    ");
  EXPECT_EQ(record.size(), 75u);
  options.itsd = "99";
  EXPECT_EQ(columns(optionsRecordFor(options), 54, 55), "99");
}

TEST(LobeDatOptionsRecord, QuadrupoleWritesOneForAnyStateButZero) {
  LobeOptions options = workedExampleOptions();
  options.quadrupoleTensor = 2;  // a grayed check box
  EXPECT_EQ(columns(optionsRecordFor(options), 75, 75), "1");
  options.coulombHole = 2;  // only state 1 counts as checked elsewhere
  options.itch = 2;
  const std::string record = optionsRecordFor(options);
  EXPECT_EQ(columns(record, 59, 60), "00");
  EXPECT_EQ(columns(record, 31, 31), "0");
}

// --- Atom records -----------------------------------------------------------

TEST(LobeDatAtomRecords, OnlyTheFirstCarriesTheCharge) {
  LobeOptions options = workedExampleOptions();
  options.charge = "3";
  std::vector<std::string> lines = records(build(options).text);
  EXPECT_EQ(lines.at(1), "O  8033     0.000000  0.000000  0.117300-1.00 0.00-2.00 0.00 0.00 2.49");
  EXPECT_EQ(lines.at(2), "H  1  3     0.000000  0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00");

  options.charge = "-2";  // three characters: the rest of the first record moves one column right
  lines = records(build(options).text);
  EXPECT_EQ(lines.at(1), "O  8-023     0.000000  0.000000  0.117300-1.00 0.00-2.00 0.00 0.00 2.49");
  EXPECT_EQ(lines.at(2), "H  1  3     0.000000  0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00");
  EXPECT_EQ(lines.at(3), "H  1  3     0.000000 -0.757200 -0.469200-1.00 0.00-2.00 0.00 0.00 0.00");
}

TEST(LobeDatAtomRecords, HeliumWithBasisSetThreeHasNoParameters) {
  LobeOptions options = workedExampleOptions();
  const std::vector<std::string> lines = records(build(options, "He 0.0 0.0 0.0\nH 0.0 0.0 1.5\n").text);
  EXPECT_EQ(lines.at(1), "He 2003     0.000000  0.000000  0.000000");
  EXPECT_EQ(lines.at(1).size(), 40u);
  EXPECT_EQ(lines.at(2).size(), 70u);
}

TEST(LobeDatAtomRecords, BasisSetsZeroToTwoEndAtColumnForty) {
  for (const int basis : {0, 1, 2}) {
    LobeOptions options = workedExampleOptions();
    options.basisSet = basis;
    const std::vector<std::string> lines = records(build(options).text);
    const std::string digit = std::to_string(basis);
    EXPECT_EQ(lines.at(1), "O  800" + digit + "     0.000000  0.000000  0.117300");
    EXPECT_EQ(lines.at(2), "H  1  " + digit + "     0.000000  0.757200 -0.469200");
    EXPECT_EQ(columns(lines.at(0), 46, 46), digit);
  }
}

TEST(LobeDatAtomRecords, TwoLetterSymbolsAndLargeAtomicNumbers) {
  LobeOptions options = workedExampleOptions();
  options.basisSet = 1;
  const std::vector<std::string> lines = records(build(options, "Kr 1.0 2.0 3.0\nCl 0 0 0\n").text);
  EXPECT_EQ(lines.at(1), "Kr36001     1.000000  2.000000  3.000000");
  EXPECT_EQ(lines.at(2), "Cl17  1     0.000000  0.000000  0.000000");
}

TEST(LobeDatAtomRecords, CoordinatesAreCutNotRounded) {
  const std::vector<std::string> lines =
      records(build(workedExampleOptions(), "O 0.117300 -0.4692 12.3456789\nH 123.456789 -0.000001 1\n").text);
  const std::string& first = lines.at(1);
  EXPECT_EQ(columns(first, 12, 20), " 0.117300");
  EXPECT_EQ(columns(first, 22, 30), "-0.469200");
  EXPECT_EQ(columns(first, 32, 40), " 12.34567");
  const std::string& second = lines.at(2);
  EXPECT_EQ(columns(second, 12, 20), " 123.4567");
  EXPECT_EQ(columns(second, 22, 30), "-0.000001");
  EXPECT_EQ(columns(second, 32, 40), " 1.000000");
}

TEST(LobeDatCoordinateField, Normalisation) {
  EXPECT_EQ(normaliseCoordinate("0.117300"), " 0.117300");
  EXPECT_EQ(normaliseCoordinate("-0.4692"), "-0.469200");
  EXPECT_EQ(normaliseCoordinate("12.3456789"), " 12.34567");
  EXPECT_EQ(normaliseCoordinate("123.456789"), " 123.4567");
  EXPECT_EQ(normaliseCoordinate("-0.000001"), "-0.000001");
  EXPECT_EQ(normaliseCoordinate("1"), " 1.000000");
  EXPECT_EQ(normaliseCoordinate("-12"), "-12.00000");
  EXPECT_EQ(normaliseCoordinate("+2.5"), " 2.500000");
  EXPECT_EQ(normaliseCoordinate("1234567"), " 1234567.");
  EXPECT_EQ(normaliseCoordinate("-1234567.89"), "-1234567.");
  EXPECT_EQ(normaliseCoordinate(".5"), " .5000000");
  EXPECT_EQ(normaliseCoordinate("0.0000004"), " 0.000000");
}

// --- Closing record ---------------------------------------------------------

TEST(LobeDatClosingRecord, BoysReevesCasWithAndWithoutSmall) {
  LobeOptions options = workedExampleOptions();
  options.configurationInteraction = 3;
  options.naturalOrbital = "2";
  options.small = 1;
  EXPECT_EQ(closingRecordFor(options), "  0  0  0  2  0  0 -1");
  options.small = 0;
  EXPECT_EQ(closingRecordFor(options), "  0  0  0  2  0  0  1");
  options.orbitals = 0;  // CAS always writes core-orbital code 0
  EXPECT_EQ(closingRecordFor(options), "  0  0  0  2  0  0  1");
}

TEST(LobeDatClosingRecord, OtherChoicesCarryTheCoreOrbitalsAndEndInColumnNineteen) {
  struct Case {
    int choice;
    int orbitals;
    std::string record;
  };
  for (const Case& c : {Case{0, 1, "  0  0  0  0  0  1 "}, Case{0, 0, "  0  0  0  0  0  0 "},
                        Case{1, 0, "  0  0  0  0  2  0 "}, Case{1, 1, "  0  0  0  0  2  1 "},
                        Case{2, 1, "  0  0  0  0  1  1 "}, Case{4, 0, "  0  0  0  0  3  0 "}}) {
    LobeOptions options = workedExampleOptions();
    options.configurationInteraction = c.choice;
    options.orbitals = c.orbitals;
    EXPECT_EQ(closingRecordFor(options), c.record) << "choice " << c.choice << ", orbitals " << c.orbitals;
  }
}

// --- Failures ---------------------------------------------------------------

TEST(LobeDatFailures, OutOfRangeElementBuildsNothing) {
  LobeOptions options = workedExampleOptions();
  options.basisSet = 2;
  const LobeDatText result = buildLobeDat(options, "O 0 0 0\nAr 1 1 1\n");
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.text.empty());
  EXPECT_EQ(result.failure.kind, CoordinateFailure::Kind::OutOfRange);
  EXPECT_EQ(result.failure.message,
            "An out-of-range element was discovered in this file.  Make sure the desired basis set has been "
            "selected.");
}

TEST(LobeDatFailures, FileWithoutAtomsNamesTheFileWithoutItsFolders) {
  const LobeDatText result = buildLobeDat(workedExampleOptions(), "3\n");
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.text.empty());
  EXPECT_EQ(result.failure.kind, CoordinateFailure::Kind::Format);
  EXPECT_NE(result.failure.message.find("\"water.xyz\""), std::string::npos) << result.failure.message;
  EXPECT_EQ(result.failure.message.find("Users"), std::string::npos) << result.failure.message;
}

}  // namespace
}  // namespace vorden
