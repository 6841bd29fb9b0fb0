// The run driver's report lines (in process, through runDeck) and whole runs
// of the built scf1s program, each in a fresh temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "program_runner.h"
#include "report.h"
#include "report_layouts.h"

namespace scf1s {
namespace {

using test::atomRecord;
using test::deckText;
using test::firstRecord;
using test::h2Records;
using test::namesColumns;
using test::namesFileAndLine;
using test::parabolaLine;
using test::parabolaRecords;
using test::pointsRecord;
using test::ProgramResult;
using test::readFileBytes;
using test::reportLines;
using test::runInProcess;
using test::runProgramOnDeck;
using test::ScratchFolder;
using test::sphereRecord;

const std::string kStars(80, '*');
const std::string kRuler = [] {
  std::string r;
  for (int k = 0; k < 8; ++k) r += "1234567890";
  return r;
}();

std::string blanks(std::size_t n) { return std::string(n, ' '); }

std::string lowered(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::size_t countLines(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')); }

// The lines of a report of a deck that must read.
std::vector<std::string> linesOf(const std::string& deck) {
  const auto out = runInProcess(deck);
  EXPECT_TRUE(out.read) << out.error;
  return reportLines(out.report);
}

// The part of the error output from the file name on.
std::string fromFileName(const std::string& err) {
  const std::size_t at = err.find("scf1s.dat");
  return at == std::string::npos ? err : err.substr(at);
}

// The H2 deck with other counts in columns 61-80 of record 1.
std::string h2WithCounts(std::string_view counts) {
  std::vector<std::string> records = h2Records();
  records[0] = firstRecord("H2 test", counts);
  return deckText(records);
}

// ---------------------------------------------------------------------------
// Banner and parameter echo

TEST(RunDriverEcho, BannerIsFourteenLinesWithTheTitleAfterTenBlanks) {
  const auto lines = linesOf(deckText(h2Records()));
  ASSERT_GE(lines.size(), 14u);
  const std::vector<std::string> banner{kStars,
                                        blanks(23) + "Floating-Sphere SCF for Classrooms",
                                        blanks(27) + "set up by K. Brannock at",
                                        blanks(22) + "Eastmoore Polytechnic University",
                                        blanks(30) + "Marston Crossways",
                                        blanks(36) + "2006",
                                        blanks(29) + "Orbitwise Numeric LLC",
                                        kStars,
                                        "",
                                        blanks(10) + "H2 test" + blanks(53),
                                        kStars,
                                        kRuler,
                                        kStars,
                                        ""};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 14), banner);
  EXPECT_EQ(lines[14].substr(0, 5), " nat=");
}

TEST(RunDriverEcho, TheTitleIsPrintedAsItStandsInColumnsOneToSixty) {
  std::string title = "  Water, r = 1.8 bohr; 3 spheres";
  title.resize(60, '.');
  const auto lines = linesOf(deckText({firstRecord(title, "  0  1  2  2  1  0 0"), sphereRecord("1.0", "", "", "")}));
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[9], blanks(10) + title);
}

TEST(RunDriverEcho, BlankLitIopMulAreEchoedAsTheirDefaults) {
  // lit blank, iop blank, mul blank; also zero and negative values.
  for (const char* counts : {"  2  2  2           ", "  2  2  2  0  0  0 0", "  2  2  2 -1-99 -5  "}) {
    const auto lines = linesOf(h2WithCounts(counts));
    ASSERT_GE(lines.size(), 18u) << counts;
    EXPECT_EQ(lines[14], " nat=  2  nbs=  2  nel= 2   iop=  1  lit=100  mul= 1") << counts;
    EXPECT_EQ(lines[15], kStars);
    EXPECT_EQ(lines[16], "");
    EXPECT_EQ(lines[17], kStars);
  }
}

TEST(RunDriverEcho, PositiveValuesAreEchoedAsRead) {
  const auto lines = linesOf(h2WithCounts("  2  2  2  7999  3 0"));
  ASSERT_GE(lines.size(), 15u);
  EXPECT_EQ(lines[14], " nat=  2  nbs=  2  nel= 2   iop=  7  lit=999  mul= 3");
}

TEST(RunDriverEcho, ValuesWiderThanTheirEchoFieldPrintAsAsterisks) {
  // nel and mul are echoed in I2: -10 and 100 do not fit.
  const auto lines = linesOf(h2WithCounts("  2  2-10  2  1100 0"));
  ASSERT_GE(lines.size(), 15u);
  EXPECT_EQ(lines[14], " nat=  2  nbs=  2  nel=**   iop=  2  lit=  1  mul=**");
}

TEST(RunDriverEcho, LitOfThousandPrintsThreeAsterisks) {
  // An I3 deck field cannot hold 1000; the echo layout is checked directly.
  Report report;
  report.write(layouts::parameterEcho, {2, 2, 2, 2, 1000, 1});
  EXPECT_EQ(report.text(), " nat=  2  nbs=  2  nel= 2   iop=  2  lit=***  mul= 1\n" + kStars + "\n\n");
}

TEST(RunDriverEcho, OnlyParOfOneSelectsTheParabolaMode) {
  const std::string points = pointsRecord("1.0", "2.0", "3.0"), values = pointsRecord("3.0", "1.0", "3.0");
  for (const char* par : {" 1", "1 ", "01", "+1"}) {
    const auto out = runInProcess(deckText({firstRecord("p", std::string("  2  2  2  2  0  0") + par), points, values}));
    ASSERT_TRUE(out.read) << par << ": " << out.error;
    EXPECT_EQ(out.report, parabolaLine("2.0000000000")) << par;
  }
  // Any other par is an SCF run: the H2 deck then reads to its end.
  for (const char* par : {" 0", "  ", " 2", "-1", "11", "10"}) {
    const auto lines = linesOf(h2WithCounts(std::string("  2  2  2  2  0  0") + par));
    ASSERT_GE(lines.size(), 15u) << par;
    EXPECT_EQ(lines[0], kStars) << par;
    EXPECT_EQ(lines[14], " nat=  2  nbs=  2  nel= 2   iop=  2  lit=100  mul= 1") << par;
  }
}

// ---------------------------------------------------------------------------
// Atom and sphere lines

std::string singleAtomDeck(std::string_view iop) {
  return deckText({firstRecord("He", "  1  1  2" + std::string(iop) + "  1  0 0"),
                   atomRecord("2.0", "1.0", "2.0", "3.0"), sphereRecord("1.6875", "0.5", "-1.5", "2.25")});
}

TEST(RunDriverGeometry, SingleCentreKindPutsTheNucleusAtTheOriginButKeepsSphereCentres) {
  for (const char* iop : {"  1", "  0", "   ", " -3"}) {
    const auto lines = linesOf(singleAtomDeck(iop));
    ASSERT_GE(lines.size(), 22u) << iop;
    EXPECT_EQ(lines[18], " atom( 1)   zn= 2.0   x=  0.000000   y=  0.000000   z=  0.000000") << iop;
    EXPECT_EQ(lines[19], kStars);
    EXPECT_EQ(lines[20], " 1S-sphere(  1) alpha=   1.68750  x=  0.500000  y= -1.500000  z=  2.250000") << iop;
    EXPECT_EQ(lines[21], kStars);
    // No nuclear repulsion line (one blank, then the words) in this kind.
    for (const std::string& line : lines) EXPECT_NE(line.rfind(" Nuclear Repulsion =", 0), 0u) << iop;
  }
}

TEST(RunDriverGeometry, MultiCentreKindEchoesTheAtomAsRead) {
  const auto lines = linesOf(singleAtomDeck("  2"));
  ASSERT_GE(lines.size(), 21u);
  EXPECT_EQ(lines[18], " atom( 1)   zn= 2.0   x=  1.000000   y=  2.000000   z=  3.000000");
  EXPECT_EQ(lines[20], " 1S-sphere(  1) alpha=   1.68750  x=  0.500000  y= -1.500000  z=  2.250000");
}

TEST(RunDriverGeometry, SignedZerosInTheEcho) {
  // A value below zero that rounds to zero keeps its minus sign; a negative
  // zero is not below zero.
  const auto lines = linesOf(deckText({firstRecord("zeros", "  1  1  2  2  0  0 0"),
                                       atomRecord("1.0", "-0.0000001", "-0.0", "-0.0000004"),
                                       sphereRecord("1.0", "-0.0", "-0.0000005", "0.0000005")}));
  ASSERT_GE(lines.size(), 21u);
  EXPECT_EQ(lines[18], " atom( 1)   zn= 1.0   x= -0.000000   y=  0.000000   z= -0.000000");
  EXPECT_EQ(lines[20], " 1S-sphere(  1) alpha=   1.00000  x=  0.000000  y= -0.000000  z=  0.000000");
}

TEST(RunDriverGeometry, NoAtomsGiveTwoSeparatorsInARow) {
  const auto lines =
      linesOf(deckText({firstRecord("free sphere", "  0  1  0  2  0  0 0"), sphereRecord("0.5", "", "", "")}));
  ASSERT_GE(lines.size(), 21u);
  EXPECT_EQ(lines[15], kStars);  // the echo's own line of asterisks
  EXPECT_EQ(lines[16], "");
  EXPECT_EQ(lines[17], kStars);  // separator after the echo
  EXPECT_EQ(lines[18], kStars);  // separator after the (no) atom lines
  EXPECT_EQ(lines[19], " 1S-sphere(  1) alpha=   0.50000  x=  0.000000  y=  0.000000  z=  0.000000");
  EXPECT_EQ(lines[20], kStars);
}

TEST(RunDriverGeometry, ANegativeAtomCountReadsNoAtomRecords) {
  // The atom loop runs from 1 to nat: with nat = -1 it reads nothing, exactly
  // as with nat = 0. Only counts above the capacities and fewer than one
  // sphere are refused.
  const auto out =
      runInProcess(deckText({firstRecord("free sphere", " -1  1  0  2  0  0 0"), sphereRecord("0.5", "", "", "")}));
  ASSERT_TRUE(out.read) << out.error;
  const auto lines = reportLines(out.report);
  ASSERT_GE(lines.size(), 20u);
  EXPECT_EQ(lines[14], " nat= -1  nbs=  1  nel= 0   iop=  2  lit=100  mul= 1");
  EXPECT_EQ(lines[17], kStars);
  EXPECT_EQ(lines[18], kStars);
  EXPECT_EQ(lines[19], " 1S-sphere(  1) alpha=   0.50000  x=  0.000000  y=  0.000000  z=  0.000000");
}

TEST(RunDriverGeometry, H2EchoLinesInOrder) {
  const auto lines = linesOf(deckText(h2Records()));
  ASSERT_GE(lines.size(), 24u);
  const std::vector<std::string> expected{
      " nat=  2  nbs=  2  nel= 2   iop=  2  lit=100  mul= 1",
      kStars,
      "",
      kStars,
      " atom( 1)   zn= 1.0   x=  0.000000   y=  0.000000   z= -0.700000",
      " atom( 2)   zn= 1.0   x=  0.000000   y=  0.000000   z=  0.700000",
      kStars,
      " 1S-sphere(  1) alpha=   1.00000  x=  0.000000  y=  0.000000  z= -0.700000",
      " 1S-sphere(  2) alpha=   1.00000  x=  0.000000  y=  0.000000  z=  0.700000",
      kStars};
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 14, lines.begin() + 24), expected);
}

// ---------------------------------------------------------------------------
// Overlap block of the H2 example

TEST(RunDriverMatrices, H2ExampleOverlapBlock) {
  // Two normalised 1s Gaussians with alpha = 1, 1.4 bohr apart overlap by
  // exp(-(1*1/(1+1)) * 1.4^2) = exp(-0.98) = 0.3753110989.
  const auto deck = readFileBytes(std::filesystem::path(EXAMPLES_DIR) / "h2" / "scf1s.dat");
  ASSERT_TRUE(deck) << "examples/h2/scf1s.dat";
  const auto out = runInProcess(*deck);
  ASSERT_TRUE(out.read) << out.error;
  const std::string block = kStars + "\n\n" + blanks(30) + "S-overlap matrix\n\n" + blanks(11) + "1" + blanks(10) +
                            "2\n" + "  1     1.000000   0.375311\n" + "  2     0.375311   1.000000\n" + "\n\n\n" +
                            blanks(30) + "H-core matrix\n\n";
  EXPECT_NE(out.report.find(block), std::string::npos) << out.report.substr(0, 2500);
}

// ---------------------------------------------------------------------------
// The built program

TEST(ProgramRun, EmptyDeckGivesAnEmptyReport) {
  const ProgramResult r = runProgramOnDeck("");
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(r.report);
  EXPECT_EQ(*r.report, "");
  EXPECT_EQ(r.err, "");
}

TEST(ProgramRun, ADeckOfOneEmptyLineIsAReadFailure) {
  const ProgramResult r = runProgramOnDeck("\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(namesFileAndLine(fromFileName(r.err), "scf1s.dat", 1));
  ASSERT_TRUE(r.report);
  EXPECT_EQ(*r.report, "");
}

TEST(ProgramRun, ParabolaDecksGiveExactlyOneLine) {
  struct Case {
    std::string xs, ys, printed;
  };
  for (const Case& c : {Case{pointsRecord("1.0", "2.0", "3.0"), pointsRecord("3.0", "1.0", "3.0"), "2.0000000000"},
                        Case{pointsRecord("1.0", "2.0", "3.0"), pointsRecord("-1.0", "0.0", "-1.0"), "2.0000000000"},
                        // Implied decimals (F20.12) and exponents; y = (x - 1.5)^2 + 1 at 0, 1, 3.
                        Case{pointsRecord("0", "1000000000000", "0.3D1"), pointsRecord("3.25", "1.25E0", "325E10"),
                             "1.5000000000"}}) {
    const ProgramResult r = runProgramOnDeck(deckText(parabolaRecords(c.xs, c.ys)));
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(r.report);
    EXPECT_EQ(*r.report, parabolaLine(c.printed));
    EXPECT_EQ(r.err, "");
  }
}

TEST(ProgramRun, ParabolaThroughCollinearPointsSaysSoInOneLine) {
  struct Case {
    std::string xs, ys;
  };
  for (const Case& c : {Case{pointsRecord("1", "2", "3"), pointsRecord("1", "2", "3")},           // rising line
                        Case{pointsRecord("1.0", "2.0", "3.0"), pointsRecord("5.0", "5.0", "5.0")},  // level
                        Case{pointsRecord("2.0", "2.0", "2.0"), pointsRecord("1.0", "4.0", "9.0")},  // one abscissa
                        Case{pointsRecord("1.0", "1.0", "3.0"), pointsRecord("2.0", "2.0", "5.0")}}) {  // a point twice
    const ProgramResult r = runProgramOnDeck(deckText(parabolaRecords(c.xs, c.ys)));
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(r.report);
    EXPECT_EQ(countLines(*r.report), 1u) << *r.report;
    EXPECT_NE(r.report->find("straight line"), std::string::npos) << *r.report;
    EXPECT_EQ(r.report->find("predicted parabolic minimum ="), std::string::npos) << *r.report;
  }
}

TEST(ProgramRun, ParabolaModeNeverReadsPastTheThirdRecord) {
  std::vector<std::string> records = parabolaRecords(pointsRecord("1.0", "2.0", "3.0"), pointsRecord("3.0", "1.0", "3.0"));
  for (const std::string& tail : {std::string("not a record at all\n"), std::string("\n\n"), std::string("x"),
                                  deckText(h2Records())}) {
    const ProgramResult r = runProgramOnDeck(deckText(records) + tail);
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(r.report);
    EXPECT_EQ(*r.report, parabolaLine("2.0000000000"));
  }
}

TEST(ProgramRun, ParabolaDeckWithCrlfLineEnds) {
  const ProgramResult r =
      runProgramOnDeck(deckText(parabolaRecords(pointsRecord("1.0", "2.0", "3.0"), pointsRecord("3.0", "1.0", "3.0")),
                                "\r\n"));
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(r.report);
  EXPECT_EQ(*r.report, parabolaLine("2.0000000000"));
}

TEST(ProgramRun, H2DeckRunsToTheEndWithStatusZero) {
  const ProgramResult r = runProgramOnDeck(deckText(h2Records()));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ASSERT_TRUE(r.report);
  // The report through the program equals the report of the run in process.
  EXPECT_EQ(*r.report, runInProcess(deckText(h2Records())).report);
}

TEST(ProgramRun, CrlfDeckGivesTheSameReportBytes) {
  const ProgramResult lf = runProgramOnDeck(deckText(h2Records(), "\n"));
  const ProgramResult crlf = runProgramOnDeck(deckText(h2Records(), "\r\n"));
  std::string noFinalLineEnd = deckText(h2Records(), "\r\n");
  noFinalLineEnd.resize(noFinalLineEnd.size() - 2);
  const ProgramResult cut = runProgramOnDeck(noFinalLineEnd);
  EXPECT_EQ(lf.status, 0);
  EXPECT_EQ(crlf.status, 0) << crlf.err;
  EXPECT_EQ(cut.status, 0) << cut.err;
  ASSERT_TRUE(lf.report && crlf.report && cut.report);
  EXPECT_FALSE(lf.report->empty());
  EXPECT_EQ(*crlf.report, *lf.report);
  EXPECT_EQ(*cut.report, *lf.report);
}

TEST(ProgramRun, AnExistingReportIsLeftUntouched) {
  const std::string old("an older report\r\nwith\0binary bytes\n", 35);
  for (const std::string& deck : {deckText(h2Records()), std::string()}) {
    ScratchFolder folder;
    folder.writeDeck(deck);
    test::writeFileBytes(folder.reportPath(), old);
    const ProgramResult r = folder.run();
    EXPECT_EQ(r.status, 2);
    ASSERT_TRUE(r.report);
    EXPECT_EQ(*r.report, old);
    EXPECT_EQ(countLines(r.err), 1u) << r.err;
    EXPECT_NE(r.err.find("scf1s.out"), std::string::npos) << r.err;
    EXPECT_NE(lowered(r.err).find("move or delete"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(ProgramRun, AMissingDeckCreatesNoReport) {
  ScratchFolder folder;
  const ProgramResult r = folder.run();
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(r.report);
  EXPECT_EQ(countLines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find("scf1s.dat"), std::string::npos) << r.err;
  EXPECT_TRUE(std::filesystem::is_empty(folder.runFolder()));
}

TEST(ProgramRun, ADeckThatCannotBeReadCreatesNoReport) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.deckPath());  // a folder named scf1s.dat
  const ProgramResult r = folder.run();
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(countLines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find("scf1s.dat"), std::string::npos) << r.err;
  EXPECT_FALSE(r.report);
}

TEST(ProgramRun, ARefusedDeckKeepsTheLinesWrittenBefore) {
  std::vector<std::string> records = h2Records();
  records[2] = atomRecord("1.000000", "0.000000", "O.000000", "0.700000");  // letter O for zero
  const ProgramResult r = runProgramOnDeck(deckText(records));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(countLines(r.err), 1u) << r.err;
  EXPECT_TRUE(namesFileAndLine(fromFileName(r.err), "scf1s.dat", 3));
  EXPECT_TRUE(namesColumns(r.err, 21, 30));
  ASSERT_TRUE(r.report);
  const auto lines = reportLines(*r.report);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), " atom( 1)   zn= 1.0   x=  0.000000   y=  0.000000   z= -0.700000");
  EXPECT_EQ(r.report->back(), '\n');
  EXPECT_EQ(lines.size(), 19u);  // banner 14, echo 3, separator, atom 1
}

TEST(ProgramRun, ACountBeyondCapacityIsRefusedBeforeAnyLine) {
  const ProgramResult r = runProgramOnDeck(h2WithCounts("  2 21  2  2  0  0 0"));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(countLines(r.err), 1u) << r.err;
  EXPECT_TRUE(namesFileAndLine(fromFileName(r.err), "scf1s.dat", 1));
  EXPECT_TRUE(namesColumns(r.err, 64, 66));
  ASSERT_TRUE(r.report);
  EXPECT_EQ(*r.report, "");
}

TEST(ProgramRun, AShortFirstRecordIsAFailure) {
  std::vector<std::string> records = h2Records();
  records[0].resize(78);
  const ProgramResult r = runProgramOnDeck(deckText(records));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(namesFileAndLine(fromFileName(r.err), "scf1s.dat", 1));
  ASSERT_TRUE(r.report);
  EXPECT_EQ(*r.report, "");
}

TEST(ProgramRun, ADeckThatEndsEarlyNamesTheMissingLine) {
  std::vector<std::string> records = h2Records();
  records.pop_back();  // the second sphere record, line 5
  const ProgramResult r = runProgramOnDeck(deckText(records));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(namesFileAndLine(fromFileName(r.err), "scf1s.dat", 5));
  ASSERT_TRUE(r.report);
  EXPECT_NE(r.report->find(" 1S-sphere(  1)"), std::string::npos);
}

TEST(ProgramRun, HelpPrintsUsageOnStandardOutput) {
  ScratchFolder folder;
  folder.writeDeck(deckText(h2Records()));
  const ProgramResult r = folder.run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("scf1s.dat"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("scf1s.out"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("examples"), std::string::npos) << r.out;
  EXPECT_FALSE(r.report) << "--help must not run the deck";
}

TEST(ProgramRun, AnyOtherArgumentPrintsUsageOnStandardErrorWithStatusTwo) {
  ScratchFolder helpFolder;
  const std::string usage = helpFolder.run({"--help"}).out;
  ASSERT_FALSE(usage.empty());
  const std::vector<std::vector<std::string>> cases{{"-h"},        {"help"},           {"--HELP"},
                                                     {"scf1s.dat"}, {""},               {"--help", "--help"},
                                                     {"--help", "x"}, {"x", "--help"}};
  for (const std::vector<std::string>& args : cases) {
    ScratchFolder folder;
    folder.writeDeck(deckText(h2Records()));
    const ProgramResult r = folder.run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_EQ(r.err, usage) << args[0];
    EXPECT_FALSE(r.report) << args[0];
  }
}

}  // namespace
}  // namespace scf1s
