#include "coordinate_file.h"

#include <gtest/gtest.h>

#include <string>

namespace vorden {
namespace {

using Kind = CoordinateFailure::Kind;

CoordinateReading readWater(std::string_view content, int basis = 3) {
  return readCoordinates(content, basis, "water.xyz");
}

void expectAtom(const AtomLine& atom, const std::string& symbol, const std::string& x, const std::string& y,
                const std::string& z) {
  EXPECT_EQ(atom.symbol, symbol);
  EXPECT_EQ(atom.x, x);
  EXPECT_EQ(atom.y, y);
  EXPECT_EQ(atom.z, z);
}

// A format failure names the file and the line and says what was expected.
void expectFormatFailure(const CoordinateReading& reading, int lineNumber) {
  EXPECT_EQ(reading.failure.kind, Kind::Format);
  EXPECT_TRUE(reading.atoms.empty());
  EXPECT_NE(reading.failure.message.find("\"water.xyz\""), std::string::npos) << reading.failure.message;
  EXPECT_NE(reading.failure.message.find("line " + std::to_string(lineNumber)), std::string::npos)
      << reading.failure.message;
  EXPECT_NE(reading.failure.message.find("expected"), std::string::npos) << reading.failure.message;
}

// --- Splitting an atom line -------------------------------------------------

TEST(CoordinateLineSplitting, SingleBlanksBetweenFields) {
  const CoordinateReading reading = readWater("C 0.0 1.5 -2.25");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  ASSERT_EQ(reading.atoms.size(), 1u);
  expectAtom(reading.atoms[0], "C ", "0.0", "1.5", "-2.25");
  EXPECT_EQ(reading.atoms[0].number, " 6");
  EXPECT_EQ(reading.atoms[0].lobeInfo, "-1.00 0.00-2.00 0.00 0.00 2.38");
  EXPECT_EQ(reading.atoms[0].lineNumber, 1);
}

TEST(CoordinateLineSplitting, RunsOfBlanksAndTrailingBlanks) {
  const CoordinateReading reading = readWater("Cl    1.0     2.0   3.0   ", 0);
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  ASSERT_EQ(reading.atoms.size(), 1u);
  expectAtom(reading.atoms[0], "Cl", "1.0", "2.0", "3.0");
  EXPECT_EQ(reading.atoms[0].number, "17");
  EXPECT_EQ(reading.atoms[0].lobeInfo, "");
}

TEST(CoordinateLineSplitting, FieldsAfterZAreIgnored) {
  const CoordinateReading reading = readWater("C 1.0 2.0 3.0 9\nO 0.0 0.0 0.1 0.25 charge");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  ASSERT_EQ(reading.atoms.size(), 2u);
  EXPECT_EQ(reading.atoms[0].z, "3.0");
  EXPECT_EQ(reading.atoms[1].z, "0.1");
}

TEST(CoordinateLineSplitting, SymbolIsTheFirstTwoCharactersAsTheyStand) {
  // No blank after a two-letter symbol: the coordinates still follow it.
  const CoordinateReading reading = readWater("Ne1.0 2.0 3.0");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  expectAtom(reading.atoms.at(0), "Ne", "1.0", "2.0", "3.0");
}

TEST(CoordinateLineSplitting, LineTooShortForASymbol) {
  expectFormatFailure(readWater("O 0 0 0\nC"), 2);
}

TEST(CoordinateLineSplitting, MissingCoordinates) {
  for (const std::string line : {"He", "O ", "O      ", "O 1.0", "O 1.0 2.0", "O 1.0   2.0   "}) {
    SCOPED_TRACE(line);
    expectFormatFailure(readWater("H 0 0 0\n" + line + "\nH 1 1 1"), 2);
  }
}

TEST(CoordinateLineSplitting, TabsDoNotSeparateFields) {
  // The symbol is "O" and a tab; the rest is one field, so the line cannot be split.
  const CoordinateReading reading = readWater("O\t0.0\t0.0\t0.1");
  expectFormatFailure(reading, 1);
  EXPECT_NE(reading.failure.message.find("Tabs do not separate fields"), std::string::npos);

  // Blanks after a tab-carrying symbol split; the symbol itself is refused.
  const CoordinateReading refused = readWater("C\t 0.0 0.0 0.1");
  EXPECT_EQ(refused.failure.kind, Kind::OutOfRange);
}

// --- Coordinates ------------------------------------------------------------

TEST(CoordinateTexts, PlainDecimalsAreCarriedAsWritten) {
  const CoordinateReading reading =
      readWater("C 1 -2 +3.5\nC 0.117300 -0.4692 12.3456789\nC .5 5. 1234567.25\nC -0.000001 007 -0");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  ASSERT_EQ(reading.atoms.size(), 4u);
  expectAtom(reading.atoms[0], "C ", "1", "-2", "+3.5");
  expectAtom(reading.atoms[1], "C ", "0.117300", "-0.4692", "12.3456789");
  expectAtom(reading.atoms[2], "C ", ".5", "5.", "1234567.25");
  expectAtom(reading.atoms[3], "C ", "-0.000001", "007", "-0");
}

TEST(CoordinateTexts, TextsThatAreNotPlainDecimalsAreRefused) {
  for (const std::string bad : {"1,5", "1.5e-3", "1E2", "abc", "-", "+", ".", "1.2.3", "--1", "1-", "0x10",
                                "1.5\t", "NaN", "\xC2\xB1" "1.0"}) {
    SCOPED_TRACE(bad);
    const CoordinateReading reading = readWater("H 0.0 0.0 0.0\nO 0.0 " + bad + " 1.0");
    expectFormatFailure(reading, 2);
    EXPECT_NE(reading.failure.message.find("y coordinate"), std::string::npos) << reading.failure.message;
  }
}

TEST(CoordinateTexts, IntegerPartMustFitTheNineColumns) {
  // Sign column, seven digits and the point fill the nine columns.
  EXPECT_EQ(readWater("O 1234567.0 0 0").failure.kind, Kind::None);
  EXPECT_EQ(readWater("O -1234567 0 0").failure.kind, Kind::None);
  const CoordinateReading reading = readWater("O 12345678.0 0 0");
  expectFormatFailure(reading, 1);
  EXPECT_NE(reading.failure.message.find("x coordinate"), std::string::npos);
  expectFormatFailure(readWater("O 0 0 -12345678"), 1);
}

// --- Where the atom list ends -----------------------------------------------

TEST(CoordinateListEnd, LineBelowLetterAEndsTheList) {
  for (const std::string stopper : {"1 more line", " O 0 0 0", "-", "*", "@ 0 0 0", "\t"}) {
    SCOPED_TRACE(stopper);
    const CoordinateReading reading = readWater("O 0 0 0\n" + stopper + "\nH 1 1 1\nbad line");
    ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
    EXPECT_EQ(reading.atoms.size(), 1u);
  }
}

TEST(CoordinateListEnd, EmptyLineOrLineOfBlanksEndsTheList) {
  for (const std::string stopper : {"", "   "}) {
    const CoordinateReading reading = readWater("O 0 0 0\nH 1 1 1\n" + stopper + "\nH 2 2 2\n");
    ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
    EXPECT_EQ(reading.atoms.size(), 2u);
  }
}

TEST(CoordinateListEnd, TrailingEmptyLinesAfterTheLastAtom) {
  const CoordinateReading reading = readWater("O 0 0 0\nH 1 1 1\n\n\n");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  EXPECT_EQ(reading.atoms.size(), 2u);
}

TEST(CoordinateListEnd, LowerCaseAndHighCharactersBeginAtomLines) {
  // They are at or above "A", so they are atom lines whose symbols the table refuses.
  EXPECT_EQ(readWater("o  0 0 0").failure.kind, Kind::OutOfRange);
  EXPECT_EQ(readWater("\xC5r 0 0 0").failure.kind, Kind::OutOfRange);
  EXPECT_EQ(readWater("[  0 0 0").failure.kind, Kind::OutOfRange);
}

// --- Line ends --------------------------------------------------------------

class CoordinateLineEnds : public ::testing::TestWithParam<std::string> {};

TEST_P(CoordinateLineEnds, ReadTheSameAtomsAndLineNumbers) {
  const std::string& end = GetParam();
  const std::string content = "O 0.0 0.0 0.1173" + end + "H 0.0 0.7572 -0.4692" + end + "H 0.0 -0.7572 -0.4692" + end;
  const CoordinateReading reading = readWater(content);
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  ASSERT_EQ(reading.atoms.size(), 3u);
  expectAtom(reading.atoms[0], "O ", "0.0", "0.0", "0.1173");
  expectAtom(reading.atoms[1], "H ", "0.0", "0.7572", "-0.4692");
  expectAtom(reading.atoms[2], "H ", "0.0", "-0.7572", "-0.4692");
  EXPECT_EQ(reading.atoms[2].lineNumber, 3);

  // A faulty fourth line is reported as line 4 whatever ends the lines.
  expectFormatFailure(readWater(content + "He 1.0" + end), 4);
}

INSTANTIATE_TEST_SUITE_P(LfCrCrLf, CoordinateLineEnds, ::testing::Values("\n", "\r", "\r\n"),
                         [](const auto& info) {
                           return std::string(info.param == "\n" ? "LF" : info.param == "\r" ? "CR" : "CRLF");
                         });

TEST(CoordinateLineEnds, CrLfIsOneLineEndAndMixedEndsRead) {
  // CR LF must not leave an empty line between atoms (that would end the list).
  const CoordinateReading reading = readWater("O 0 0 0\r\nH 1 1 1\nH 2 2 2\rH 3 3 3");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  EXPECT_EQ(reading.atoms.size(), 4u);
  EXPECT_EQ(reading.atoms[3].lineNumber, 4);
}

TEST(CoordinateLineEnds, ByteOrderMarkIsNotPartOfTheFirstLine) {
  const CoordinateReading reading = readWater("\xEF\xBB\xBFO 0 0 0\n");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  EXPECT_EQ(reading.atoms.at(0).symbol, "O ");
}

// --- Standard XYZ files -----------------------------------------------------

TEST(CoordinateXyzHeader, CountAndCommentLinesAreSkipped) {
  // The comment begins with a letter; it must not be read as an atom "Wa".
  const CoordinateReading reading =
      readWater("3\nWater, from a textbook\nO 0.0 0.0 0.1173\nH 0.0 0.7572 -0.4692\nH 0.0 -0.7572 -0.4692\n");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  ASSERT_EQ(reading.atoms.size(), 3u);
  EXPECT_EQ(reading.atoms[0].symbol, "O ");
  EXPECT_EQ(reading.atoms[0].lineNumber, 3);
}

TEST(CoordinateXyzHeader, CountWithBlanksEmptyCommentAndFollowingFrame) {
  const CoordinateReading reading = readWater("  2 \r\n\r\nH 0 0 0\r\nH 0 0 0.74\r\n2\r\nnext frame\r\nH 0 0 0\r\n");
  ASSERT_EQ(reading.failure.kind, Kind::None) << reading.failure.message;
  EXPECT_EQ(reading.atoms.size(), 2u);
}

TEST(CoordinateXyzHeader, CountMustMatchTheAtomLines) {
  const CoordinateReading tooFew = readWater("3\nwater\nO 0 0 0\nH 1 1 1\n");
  expectFormatFailure(tooFew, 1);
  EXPECT_NE(tooFew.failure.message.find("3 atoms"), std::string::npos) << tooFew.failure.message;
  EXPECT_NE(tooFew.failure.message.find("found 2"), std::string::npos) << tooFew.failure.message;

  // Atom lines indented by a blank end the list before they begin.
  expectFormatFailure(readWater("2\nH2\n H 0 0 0\n H 0 0 0.74\n"), 3);
  // A missing comment line swallows the first atom.
  expectFormatFailure(readWater("2\nH 0 0 0\nH 0 0 0.74\n"), 1);
}

// --- Files without atoms ----------------------------------------------------

TEST(CoordinateNoAtoms, AreRefusedWithTheLineWhereTheListEnded) {
  struct Case {
    std::string content;
    int line;
  };
  for (const Case& c : {Case{"", 1}, Case{"\n", 1}, Case{"   \n", 1}, Case{"1.0 2.0 3.0\nO 0 0 0\n", 1},
                        Case{"0\nempty molecule\n", 3}, Case{"3\n", 3}, Case{"3\ncomment\n\n", 3}}) {
    SCOPED_TRACE(c.content);
    const CoordinateReading reading = readWater(c.content);
    expectFormatFailure(reading, c.line);
    EXPECT_NE(reading.failure.message.find("holds no atoms"), std::string::npos) << reading.failure.message;
  }
}

// --- Elements the basis set does not admit ----------------------------------

TEST(CoordinateElements, OutOfRangeGivesTheFixedMessage) {
  const CoordinateReading reading = readWater("O 0 0 0\nNa 1 1 1\nH 2 2 2", 2);
  EXPECT_EQ(reading.failure.kind, Kind::OutOfRange);
  EXPECT_EQ(reading.failure.message,
            "An out-of-range element was discovered in this file.  Make sure the desired basis set has been "
            "selected.");
  EXPECT_TRUE(reading.atoms.empty());
}

TEST(CoordinateElements, SodiumAdmittedByBasisSetsZeroAndOne) {
  for (const int basis : {0, 1}) {
    const CoordinateReading reading = readWater("Na 1 1 1", basis);
    ASSERT_EQ(reading.failure.kind, Kind::None);
    EXPECT_EQ(reading.atoms.at(0).number, "11");
    EXPECT_EQ(reading.atoms.at(0).lobeInfo, "");
  }
}

TEST(CoordinateElements, HeliumAcceptedWithoutParametersInBasisSetThree) {
  const CoordinateReading reading = readWater("He 0 0 0", 3);
  ASSERT_EQ(reading.failure.kind, Kind::None);
  EXPECT_EQ(reading.atoms.at(0).number, " 2");
  EXPECT_EQ(reading.atoms.at(0).lobeInfo, "");
}

TEST(CoordinateElements, WrongCapitalisationIsOutOfRange) {
  for (const std::string line : {"CL 0 0 0", "cl 0 0 0", "HE 0 0 0"}) {
    EXPECT_EQ(readWater(line, 0).failure.kind, Kind::OutOfRange) << line;
  }
}

TEST(CoordinateElements, FirstFaultyLineDecides) {
  EXPECT_EQ(readWater("Xx 0 0 0\nO 1,0 0 0").failure.kind, Kind::OutOfRange);
  expectFormatFailure(readWater("O 1,0 0 0\nXx 0 0 0"), 1);
}

// --- Messages ---------------------------------------------------------------

TEST(CoordinateMessages, QuoteTheFaultyTextReadably) {
  const CoordinateReading reading = readCoordinates("O 0 0 \x01z", 3, "caf\xE9.xyz");
  EXPECT_EQ(reading.failure.message,
            "Cannot read the coordinate file \"caf\xE9.xyz\", line 1: expected the z coordinate to be a decimal "
            "number such as -0.757200 or 1.5, but found \"<01>z\".");
}

}  // namespace
}  // namespace vorden
