#include "deck_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck_error.h"
#include "deck_records.h"
#include "program_runner.h"

namespace scf1s {
namespace {

using test::deckText;
using test::atomRecord;
using test::field;
using test::firstRecord;
using test::pointsRecord;
using test::sphereRecord;
using test::h2Records;
using test::namesColumns;
using test::namesFileAndLine;
using test::runInProcess;

const std::string kDeck = "scf1s.dat";

// All records of the bytes, in order.
std::vector<std::string> allRecords(std::string_view bytes) {
  DeckRecords records(bytes);
  std::vector<std::string> out;
  while (auto r = records.next()) out.emplace_back(*r);
  return out;
}

// The DeckError message of the call, or a note that nothing was thrown.
template <typename Call>
std::string failureOf(Call call) {
  try {
    call();
  } catch (const DeckError& e) {
    return e.what();
  }
  return "<no DeckError>";
}

// ---------------------------------------------------------------------------
// Records and line ends

TEST(DeckRecordSplit, ARecordIsTheBytesUpToALineFeed) {
  EXPECT_EQ(allRecords("ab\ncd\n"), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(allRecords(""), std::vector<std::string>{});
}

TEST(DeckRecordSplit, ACarriageReturnBeforeTheLineFeedBelongsToTheLineEnd) {
  EXPECT_EQ(allRecords("ab\r\ncd\r\n"), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(allRecords("ab\r\ncd\n"), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(allRecords("\r\n"), std::vector<std::string>{""});
  // Only the one directly before the line feed.
  EXPECT_EQ(allRecords("ab\r\r\n"), std::vector<std::string>{"ab\r"});
}

TEST(DeckRecordSplit, ALoneCarriageReturnIsAnOrdinaryCharacter) {
  EXPECT_EQ(allRecords("a\rb\n"), std::vector<std::string>{"a\rb"});
  EXPECT_EQ(allRecords("\rab\n"), std::vector<std::string>{"\rab"});
  // At the very end, with no line feed after it, it is not a line end either.
  EXPECT_EQ(allRecords("ab\r"), std::vector<std::string>{"ab\r"});
  EXPECT_EQ(allRecords("ab\ncd\r"), (std::vector<std::string>{"ab", "cd\r"}));
}

TEST(DeckRecordSplit, ALastLineWithoutALineFeedIsStillARecord) {
  EXPECT_EQ(allRecords("ab\ncd"), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(allRecords("x"), std::vector<std::string>{"x"});
}

TEST(DeckRecordSplit, AnEmptyLineIsARecord) {
  EXPECT_EQ(allRecords("\n"), std::vector<std::string>{""});
  EXPECT_EQ(allRecords("\n\n"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(allRecords("ab\n\ncd\n"), (std::vector<std::string>{"ab", "", "cd"}));
}

TEST(DeckRecordSplit, LineNumbersCountRecordsFromOne) {
  DeckRecords records("a\r\n\nb");
  EXPECT_EQ(records.lineNumber(), 0);
  ASSERT_TRUE(records.next());
  EXPECT_EQ(records.lineNumber(), 1);
  ASSERT_TRUE(records.next());
  EXPECT_EQ(records.lineNumber(), 2);
  ASSERT_TRUE(records.next());
  EXPECT_EQ(records.lineNumber(), 3);
  EXPECT_FALSE(records.next());
}

// ---------------------------------------------------------------------------
// Record 1

TEST(DeckFirstRecord, ReadsTitleAndTheSevenIntegers) {
  const std::string bytes = deckText({firstRecord("H2 test", " 10 20 41  2 99  3 1")});
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  ASSERT_TRUE(reader.readFirstRecord(title, p));
  EXPECT_EQ(title, "H2 test" + std::string(53, ' '));
  EXPECT_EQ(p.nat, 10);
  EXPECT_EQ(p.nbs, 20);
  EXPECT_EQ(p.nel, 41);
  EXPECT_EQ(p.iop, 2);
  EXPECT_EQ(p.lit, 99);
  EXPECT_EQ(p.mul, 3);
  EXPECT_EQ(p.par, 1);
}

TEST(DeckFirstRecord, TitleTakesColumnsOneToSixtyAsTheyStand) {
  // Blanks, digits, a lone carriage return: all part of the title.
  std::string title = "  A\rtitle with 123 and -4.5E6  ";
  title.resize(60, '#');
  const std::string bytes = deckText({title + "  1  1  2  1  1  1 0"});
  DeckReader reader(bytes, kDeck);
  std::string read;
  DeckParameters p;
  ASSERT_TRUE(reader.readFirstRecord(read, p));
  EXPECT_EQ(read, title);
  EXPECT_EQ(p.nat, 1);
}

TEST(DeckFirstRecord, BlankAndSignedIntegerFields) {
  const std::string bytes = deckText({firstRecord("", "     1 -2 +3- 41 0  ")});
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  ASSERT_TRUE(reader.readFirstRecord(title, p));
  EXPECT_EQ(title, std::string(60, ' '));
  EXPECT_EQ(p.nat, 0);
  EXPECT_EQ(p.nbs, 1);
  EXPECT_EQ(p.nel, -2);
  EXPECT_EQ(p.iop, 3);
  EXPECT_EQ(p.lit, -4);
  EXPECT_EQ(p.mul, 10);
  EXPECT_EQ(p.par, 0);
}

TEST(DeckFirstRecord, ColumnsBeyondEightyAreIgnored) {
  const std::string bytes = deckText({firstRecord("t", "  1  2  3  4  5  6 7") + "garbage 1.5E"});
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  ASSERT_TRUE(reader.readFirstRecord(title, p));
  EXPECT_EQ(p.mul, 6);
  EXPECT_EQ(p.par, 7);
}

TEST(DeckFirstRecord, AZeroByteDeckHasNoFirstRecord) {
  DeckReader reader("", kDeck);
  std::string title;
  DeckParameters p;
  EXPECT_FALSE(reader.readFirstRecord(title, p));
}

TEST(DeckFirstRecord, A78ColumnRecordIsAFailureNotParZero) {
  // The par field (columns 79-80) is cut off; it does not read as blank.
  const std::string cut = firstRecord("H2 test", "  2  2  2  2  0  0 0").substr(0, 78);
  for (const std::string& bytes : {cut + "\n", cut, cut + "\r\n"}) {
    DeckReader reader(bytes, kDeck);
    std::string title;
    DeckParameters p;
    const std::string message = failureOf([&] { reader.readFirstRecord(title, p); });
    EXPECT_TRUE(namesFileAndLine(message, kDeck, 1));
    EXPECT_NE(message.find("80"), std::string::npos) << message;
  }
}

TEST(DeckFirstRecord, SeventyNineColumnsAreStillTooShort) {
  const std::string bytes = firstRecord("H2 test", "  2  2  2  2  0  0 0").substr(0, 79) + "\n";
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  EXPECT_TRUE(namesFileAndLine(failureOf([&] { reader.readFirstRecord(title, p); }), kDeck, 1));
}

TEST(DeckFirstRecord, AnEmptyFirstLineIsARecordTooShort) {
  // Not "no first record": the deck has bytes.
  const std::string bytes = "\n" + deckText(h2Records());
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  EXPECT_TRUE(namesFileAndLine(failureOf([&] { reader.readFirstRecord(title, p); }), kDeck, 1));
}

TEST(DeckFirstRecord, AFieldHoldingLettersNamesLineAndColumns) {
  struct Case {
    const char* counts;
    int first, last;
  };
  for (const Case& c : {Case{"two  2  2  2  0  0 0", 61, 63}, Case{"  2 xx  2  2  0  0 0", 64, 66},
                        Case{"  2  2 2.  2  0  0 0", 67, 69}, Case{"  2  2  2  a  0  0 0", 70, 72},
                        Case{"  2  2  2  2 1E  0 0", 73, 75}, Case{"  2  2  2  2  0--1 0", 76, 78},
                        Case{"  2  2  2  2  0  0 P", 79, 80}}) {
    ASSERT_EQ(std::string(c.counts).size(), 20u) << c.counts;
    const std::string bytes = deckText({firstRecord("t", c.counts)});
    DeckReader reader(bytes, kDeck);
    std::string title;
    DeckParameters p;
    const std::string message = failureOf([&] { reader.readFirstRecord(title, p); });
    EXPECT_TRUE(namesFileAndLine(message, kDeck, 1)) << c.counts;
    EXPECT_TRUE(namesColumns(message, c.first, c.last)) << c.counts;
  }
}

TEST(DeckFirstRecord, TheMessageUsesTheReadersFileName) {
  DeckReader reader("short\n", "decks/other.dat");
  std::string title;
  DeckParameters p;
  EXPECT_TRUE(namesFileAndLine(failureOf([&] { reader.readFirstRecord(title, p); }), "decks/other.dat", 1));
}

// ---------------------------------------------------------------------------
// Parabola records

TEST(DeckParabolaRecords, ReadThreeF20_12FieldsEach) {
  const std::string bytes = deckText({firstRecord("p", "                   1"), pointsRecord("1.25", "-2.5E1", "15"),
                                      pointsRecord("1", "0", "3.0D0     ")});
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  ASSERT_TRUE(reader.readFirstRecord(title, p));
  double x[3], y[3];
  reader.readParabolaPoints(x, y);
  EXPECT_EQ(x[0], 1.25);
  EXPECT_EQ(x[1], -25.0);
  EXPECT_EQ(x[2], 15.0e-12);  // implied 12 decimals
  EXPECT_EQ(y[0], 1.0e-12);
  EXPECT_EQ(y[1], 0.0);
  EXPECT_EQ(y[2], 3.0);
}

TEST(DeckParabolaRecords, ShortOrMissingRecordsNameTheirLine) {
  const std::string full(60, ' ');
  struct Case {
    std::vector<std::string> after;  // records after record 1
    int line;
  };
  for (const Case& c : {Case{{full.substr(0, 59), full}, 2}, Case{{full, full.substr(0, 59)}, 3},
                        Case{{full, ""}, 3}, Case{{full}, 3}, Case{{}, 2}}) {
    std::vector<std::string> records{firstRecord("p", "                   1")};
    records.insert(records.end(), c.after.begin(), c.after.end());
    const std::string bytes = deckText(records);
    DeckReader reader(bytes, kDeck);
    std::string title;
    DeckParameters p;
    ASSERT_TRUE(reader.readFirstRecord(title, p));
    double x[3], y[3];
    EXPECT_TRUE(namesFileAndLine(failureOf([&] { reader.readParabolaPoints(x, y); }), kDeck, c.line))
        << "expected line " << c.line;
  }
}

TEST(DeckParabolaRecords, ALetterInAValueNamesItsColumns) {
  const std::string bytes =
      deckText({firstRecord("p", "                   1"), std::string(60, ' '), pointsRecord("1.0", "2.0", "three")});
  DeckReader reader(bytes, kDeck);
  std::string title;
  DeckParameters p;
  ASSERT_TRUE(reader.readFirstRecord(title, p));
  double x[3], y[3];
  const std::string message = failureOf([&] { reader.readParabolaPoints(x, y); });
  EXPECT_TRUE(namesFileAndLine(message, kDeck, 3));
  EXPECT_TRUE(namesColumns(message, 41, 60));
}

// ---------------------------------------------------------------------------
// Atom and sphere records

// A reader positioned after record 1 of a deck with the given further records.
struct ReaderAfterFirst {
  std::string bytes;
  DeckReader reader;
  explicit ReaderAfterFirst(const std::vector<std::string>& after, std::string_view lineEnd = "\n")
      : bytes(makeBytes(after, lineEnd)), reader(bytes, kDeck) {
    std::string title;
    DeckParameters p;
    if (!reader.readFirstRecord(title, p)) throw std::logic_error("no first record");
  }
  static std::string makeBytes(const std::vector<std::string>& after, std::string_view lineEnd) {
    std::vector<std::string> records{firstRecord("t", "  1  1  2  2  0  0 0")};
    records.insert(records.end(), after.begin(), after.end());
    return deckText(records, lineEnd);
  }
};

TEST(DeckAtomRecord, ReadsZnAndPosition) {
  ReaderAfterFirst r({atomRecord("1.000000", "0.500000", "-1.250000", "0.700000")});
  Atom a = r.reader.readAtom(1);
  EXPECT_EQ(a.zn, 1.0);
  EXPECT_EQ(a.x, 0.5);
  EXPECT_EQ(a.y, -1.25);
  EXPECT_EQ(a.z, 0.7);
}

TEST(DeckAtomRecord, FortyColumnsWithABlankZReadZZero) {
  ReaderAfterFirst r({atomRecord("2.0", "1.0", "150", "")});
  Atom a = r.reader.readAtom(1);
  EXPECT_EQ(a.zn, 2.0);
  EXPECT_EQ(a.x, 1.0);
  EXPECT_EQ(a.y, 0.000150);
  EXPECT_EQ(a.z, 0.0);
}

TEST(DeckAtomRecord, AShortRecordFailsNamingItsLine) {
  for (const std::string& rec : {atomRecord("2.0", "1.0", "1.0", "").substr(0, 39), field("2.0", 10),
                                 std::string()}) {
    ReaderAfterFirst r({rec});
    EXPECT_TRUE(namesFileAndLine(failureOf([&] { r.reader.readAtom(1); }), kDeck, 2)) << '"' << rec << '"';
  }
}

TEST(DeckAtomRecord, AFieldHoldingLettersNamesLineAndColumns) {
  ReaderAfterFirst r({atomRecord("1.0", "0.0", "0.0", "-0.7"), atomRecord("1.0", "0.0", "zero", "0.7")});
  r.reader.readAtom(1);
  const std::string message = failureOf([&] { r.reader.readAtom(2); });
  EXPECT_TRUE(namesFileAndLine(message, kDeck, 3));
  EXPECT_TRUE(namesColumns(message, 21, 30));
}

TEST(DeckAtomRecord, ALoneCarriageReturnInAFieldIsNotABlank) {
  ReaderAfterFirst r({atomRecord("1.000000", " \r0.000000", "0.000000", "-0.700000")});
  const std::string message = failureOf([&] { r.reader.readAtom(1); });
  EXPECT_TRUE(namesFileAndLine(message, kDeck, 2));
  EXPECT_TRUE(namesColumns(message, 11, 20));
}

TEST(DeckAtomRecord, AMissingRecordNamesTheLineWhereItWasExpected) {
  ReaderAfterFirst r({atomRecord("1.0", "0.0", "0.0", "-0.7")});
  r.reader.readAtom(1);
  EXPECT_TRUE(namesFileAndLine(failureOf([&] { r.reader.readAtom(2); }), kDeck, 3));
}

TEST(DeckSphereRecord, ReadsAlphaAndCentre) {
  ReaderAfterFirst r({sphereRecord("1.68750000000000", "0.500000", "-1.500000", "2.25")});
  Sphere s = r.reader.readSphere(1);
  EXPECT_EQ(s.alpha, 1.6875);
  EXPECT_EQ(s.x, 0.5);
  EXPECT_EQ(s.y, -1.5);
  EXPECT_EQ(s.z, 2.25);
}

TEST(DeckSphereRecord, AlphaWithoutPointHasFourteenImpliedDecimals) {
  ReaderAfterFirst r({sphereRecord("100000000000000", "", "", "")});
  Sphere s = r.reader.readSphere(1);
  EXPECT_EQ(s.alpha, 1.0);
  EXPECT_EQ(s.z, 0.0);
}

TEST(DeckSphereRecord, AShortRecordFailsNamingItsLine) {
  ReaderAfterFirst r({sphereRecord("1.0", "0.0", "0.0", "-0.7").substr(0, 49)});
  EXPECT_TRUE(namesFileAndLine(failureOf([&] { r.reader.readSphere(1); }), kDeck, 2));
}

TEST(DeckSphereRecord, AnExponentThatIsNotPositiveIsRefused) {
  for (const char* alpha : {"0.00000000000000", "", "-1.00000000000000", "-0.0 ", "0E5"}) {
    ReaderAfterFirst r({sphereRecord(alpha, "0.0", "0.0", "0.0")});
    const std::string message = failureOf([&] { r.reader.readSphere(1); });
    EXPECT_TRUE(namesFileAndLine(message, kDeck, 2)) << alpha;
    EXPECT_TRUE(namesColumns(message, 1, 20)) << alpha;
  }
}

TEST(DeckSphereRecord, ALetterInACentreNamesLineAndColumns) {
  ReaderAfterFirst r({sphereRecord("1.00000000000000", "0.000000", "0.000000", "-0.7O0000")});
  const std::string message = failureOf([&] { r.reader.readSphere(1); });
  EXPECT_TRUE(namesFileAndLine(message, kDeck, 2));
  EXPECT_TRUE(namesColumns(message, 41, 50));
}

TEST(DeckAtomRecord, LineNumbersAreTheSameWithCrlfLineEnds) {
  ReaderAfterFirst r({atomRecord("1.0", "0.0", "0.0", "-0.7"), "", "x"}, "\r\n");
  r.reader.readAtom(1);
  EXPECT_TRUE(namesFileAndLine(failureOf([&] { r.reader.readAtom(2); }), kDeck, 3));
}

// ---------------------------------------------------------------------------
// Whole decks through the run driver: line ends

TEST(DeckLineEnds, CrlfDeckGivesTheSameReportAsLfDeck) {
  const auto lf = runInProcess(deckText(h2Records(), "\n"));
  const auto crlf = runInProcess(deckText(h2Records(), "\r\n"));
  ASSERT_TRUE(lf.read) << lf.error;
  ASSERT_TRUE(crlf.read) << crlf.error;
  EXPECT_EQ(crlf.report, lf.report);
}

TEST(DeckLineEnds, ALastRecordWithoutLineFeedIsRead) {
  const auto lf = runInProcess(deckText(h2Records()));
  std::string bytes = deckText(h2Records());
  bytes.pop_back();
  const auto cut = runInProcess(bytes);
  ASSERT_TRUE(cut.read) << cut.error;
  EXPECT_EQ(cut.report, lf.report);
}

TEST(DeckLineEnds, ALoneCarriageReturnBeyondTheLayoutIsIgnoredWithTheColumn) {
  // A CR not followed by a line feed is a character in column 41 of an atom
  // record: beyond the layout, so ignored.
  std::vector<std::string> records = h2Records();
  records[1] += "\r";
  records[4] += "\r";
  std::string bytes = deckText(records);
  bytes.pop_back();  // the last record ends in its CR, with no line feed
  const auto lf = runInProcess(deckText(h2Records()));
  const auto odd = runInProcess(bytes);
  ASSERT_TRUE(odd.read) << odd.error;
  EXPECT_EQ(odd.report, lf.report);
}

TEST(DeckLineEnds, ACrlfRecordOneColumnShortIsShort) {
  // The CR before the line feed is no column: 39 columns plus CR LF is short.
  std::vector<std::string> records = h2Records();
  records[2].pop_back();
  const auto out = runInProcess(deckText(records, "\r\n"));
  ASSERT_FALSE(out.read);
  EXPECT_TRUE(namesFileAndLine(out.error, kDeck, 3));
}

// ---------------------------------------------------------------------------
// Refusals of the SCF run, right after record 1

struct Refusal {
  const char* counts;  // columns 61-80 of record 1
  int first, last;     // columns of the refused field
};

TEST(DeckRefusal, CountsBeyondTheCapacitiesAreRefusedAfterRecordOne) {
  for (const Refusal& r : {Refusal{" 11  2  2  2  0  0 0", 61, 63}, Refusal{"999  2  2  2  0  0 0", 61, 63},
                           Refusal{"  2 21  2  2  0  0 0", 64, 66}, Refusal{"  2  0  2  2  0  0 0", 64, 66},
                           Refusal{"  2     2  2  0  0 0", 64, 66}, Refusal{"  2 -1  2  2  0  0 0", 64, 66},
                           Refusal{"  2  2 42  2  0  0 0", 67, 69}, Refusal{"  2  2 99  2  0  0 0", 67, 69}}) {
    std::vector<std::string> records = h2Records();
    records[0] = firstRecord("H2 test", r.counts);
    const auto out = runInProcess(deckText(records));
    ASSERT_FALSE(out.read) << r.counts;
    EXPECT_TRUE(namesFileAndLine(out.error, kDeck, 1)) << r.counts;
    EXPECT_TRUE(namesColumns(out.error, r.first, r.last)) << r.counts;
    EXPECT_EQ(out.report, "") << "refused before the banner: " << r.counts;
  }
}

TEST(DeckRefusal, CountsAtTheCapacitiesPassToTheRecordsThatFollow) {
  // Each deck passes record 1 and then runs out of records: the failure names
  // line 2 (the first missing atom or sphere record), not line 1.
  for (const char* counts : {" 10  2  2  2  0  0 0", "  0 20  2  2  0  0 0", "  0  1 41  2  0  0 0",
                             "  0  1 -9  2  0  0 0"}) {
    const auto out = runInProcess(deckText({firstRecord("t", counts)}));
    ASSERT_FALSE(out.read) << counts;
    EXPECT_TRUE(namesFileAndLine(out.error, kDeck, 2)) << counts;
    EXPECT_FALSE(out.report.empty()) << counts;  // banner and echo were written
  }
}

TEST(DeckRefusal, TheParabolaModeIgnoresTheCounts) {
  for (const char* counts : {"999  0999  0  0  0 1", " 11 21 42 -5  0  0 1", "  0 -1  0  0  0  0 1"}) {
    const auto out = runInProcess(
        deckText({firstRecord("p", counts), pointsRecord("1.0", "2.0", "3.0"), pointsRecord("3.0", "1.0", "3.0")}));
    ASSERT_TRUE(out.read) << counts << ": " << out.error;
    EXPECT_EQ(out.report, test::parabolaLine("2.0000000000")) << counts;
  }
}

TEST(DeckRefusal, AnExponentNotPositiveIsRefusedAfterTheSpheresBeforeIt) {
  std::vector<std::string> records = h2Records();
  records[4] = sphereRecord("-1.00000000000000", "0.000000", "0.000000", "0.700000");
  const auto out = runInProcess(deckText(records));
  ASSERT_FALSE(out.read);
  EXPECT_TRUE(namesFileAndLine(out.error, kDeck, 5));
  EXPECT_TRUE(namesColumns(out.error, 1, 20));
  EXPECT_NE(out.report.find(" 1S-sphere(  1)"), std::string::npos);
  EXPECT_EQ(out.report.find(" 1S-sphere(  2)"), std::string::npos);
}

TEST(DeckRefusal, CoincidentAtomsAreRefusedInTheMultiCentreKind) {
  std::vector<std::string> records = h2Records();
  records[2] = records[1];
  const auto out = runInProcess(deckText(records));
  ASSERT_FALSE(out.read);
  EXPECT_TRUE(namesFileAndLine(out.error, kDeck, 3));
  // The refused field is the position: x, y and z in columns 11-40.
  EXPECT_TRUE(namesColumns(out.error, 11, 40));
  // Both atom lines were echoed before the refusal; no sphere line was.
  EXPECT_NE(out.report.find(" atom( 2)"), std::string::npos);
  EXPECT_EQ(out.report.find("1S-sphere"), std::string::npos);
}

TEST(DeckRefusal, CoincidenceIsOfPositionsNotOfTheirDigits) {
  // -0 and +0 are the same place; zn does not matter; atoms 1 and 3 of three.
  std::vector<std::string> records = {firstRecord("t", "  3  1  2  2  0  0 0"),
                                      atomRecord("1.0", "0.0", "0.0", "0.700"),
                                      atomRecord("2.0", "1.0", "1.0", "1.0"),
                                      atomRecord("3.0", "-0.000000", "", "700000"),
                                      sphereRecord("1.0", "0.0", "0.0", "0.0")};
  const auto out = runInProcess(deckText(records));
  ASSERT_FALSE(out.read);
  EXPECT_TRUE(namesFileAndLine(out.error, kDeck, 4));
}

TEST(DeckRefusal, CoincidentAtomsAreFineInTheSingleCentreKind) {
  // iop = 1, iop = 0 and a blank iop all select the single-centre kind, where
  // every nucleus sits at the origin anyway.
  for (const char* counts : {"  2  2  2  1  0  0 0", "  2  2  2  0  0  0 0", "  2  2  2     0  0 0"}) {
    std::vector<std::string> records = h2Records();
    records[0] = firstRecord("He", counts);
    records[2] = records[1];
    const auto out = runInProcess(deckText(records));
    EXPECT_TRUE(out.read) << counts << ": " << out.error;
  }
}

TEST(DeckRefusal, AtomsApartInOneCoordinateAreNotCoincident) {
  std::vector<std::string> records = h2Records();
  records[1] = atomRecord("1.000000", "0.000000", "0.000000", "0.700000");
  records[2] = atomRecord("1.000000", "0.000001", "0.000000", "0.700000");
  const auto out = runInProcess(deckText(records));
  EXPECT_TRUE(out.read) << out.error;
}

}  // namespace
}  // namespace scf1s
