// Record layouts and the rules of a write, on ad-hoc layouts and on the
// report lines of the engine's catalogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "field_format.h"
#include "layout.h"
#include "matrix_printer.h"
#include "report.h"
#include "report_layouts.h"

namespace scf1s {
namespace {

std::string written(const Layout& layout, std::initializer_list<Value> values = {}) {
  Report report;
  report.write(layout, values);
  return report.text();
}

std::string written(const Layout& layout, const std::vector<Value>& values) {
  Report report;
  report.write(layout, std::span<const Value>(values));
  return report.text();
}

std::string asterisks80() { return std::string(80, '*'); }

// ---------------------------------------------------------------- parsing

TEST(LayoutParse, ItemsOfARowLayout) {
  using Kind = Layout::Item::Kind;
  const Layout row{R"(1X, I2, 2X, 6F11.6)"};
  const auto& items = row.items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].kind, Kind::Skip);
  EXPECT_EQ(items[0].width, 1);
  EXPECT_EQ(items[1].kind, Kind::Integer);
  EXPECT_EQ(items[1].width, 2);
  EXPECT_EQ(items[2].width, 2);
  EXPECT_EQ(items[3].kind, Kind::Real);
  EXPECT_EQ(items[3].repeat, 6);
  EXPECT_EQ(items[3].width, 11);
  EXPECT_EQ(items[3].decimals, 6);
  EXPECT_EQ(row.valuesPerPass(), 7u);
  EXPECT_EQ(row.reversionPoint(), 0u);
}

TEST(LayoutParse, NestedGroupsAndTheReversionPoint) {
  using Kind = Layout::Item::Kind;
  const Layout charges{R"(" ", 33X, "Orbital Charges", /, 5(1X, 4("q(", I2, ")=", F9.6, 1X), /))"};
  ASSERT_EQ(charges.items().size(), 5u);
  EXPECT_EQ(charges.reversionPoint(), 4u);
  const auto& outer = charges.items()[4];
  EXPECT_EQ(outer.kind, Kind::Group);
  EXPECT_EQ(outer.repeat, 5);
  ASSERT_EQ(outer.items.size(), 3u);
  EXPECT_EQ(outer.items[1].kind, Kind::Group);
  EXPECT_EQ(outer.items[1].repeat, 4);
  EXPECT_EQ(charges.valuesPerPass(), 40u);
  EXPECT_TRUE(charges.reversionTakesValues());
}

TEST(LayoutParse, TextsSlashesAndLetterCase) {
  EXPECT_EQ(Layout{R"("say ""hi""")"}.items()[0].text, R"(say "hi")");
  EXPECT_EQ(written(Layout{R"("a"/"b"//)"}), "a\nb\n\n\n");
  EXPECT_EQ(written(Layout{R"(1x, "n=", i2, f5.1)"}, {3, 2.5}), " n= 3  2.5\n");
  // Line breaks between items are blanks.
  EXPECT_EQ(written(Layout{"\"a\",\n  \"b\""}), "ab\n");
}

TEST(LayoutParse, MalformedLayoutsAreRejected) {
  for (const char* bad : {
           "I",            // no width
           "I0",           // zero width
           "F10",          // no .d
           "F10.",         // no d
           "Q3",           // unknown descriptor
           "0X",           // zero count
           "0(I2)",        // zero repeat
           "0I2",          // zero repeat
           "2()",          // empty group
           "(I2",          // unclosed group
           "I2)",          // unopened group
           "I2 I3",        // missing comma
           "I2,",          // trailing comma
           ",I2",          // leading comma
           "1X,,I2",       // empty item
           "\"abc",        // unterminated text
           "\"a\nb\"",     // line end inside a text
           "I999999",      // absurd width
           "3\"a\"",       // a count before a text
       }) {
    EXPECT_THROW(Layout{bad}, std::invalid_argument) << bad;
  }
}

TEST(LayoutParse, ErrorNamesTheFaultAndItsColumn) {
  try {
    Layout{"I2, Q3"};
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("unknown descriptor"), std::string::npos) << what;
    EXPECT_NE(what.find("column 5"), std::string::npos) << what;
    EXPECT_NE(what.find("I2, Q3"), std::string::npos) << what;
  }
}

// ---------------------------------------------------------------- the rules of a write

TEST(ReportWrite, EveryWriteStartsOnANewLineAndEndsItsLine) {
  Report report;
  report.write(Layout{R"("a")"});
  report.write(Layout{R"("b", 3X)"});
  report.write(Layout{""});
  report.write(Layout{R"("c")"});
  EXPECT_EQ(report.text(), "a\nb\n\nc\n");
}

TEST(ReportWrite, SlashAtTheStartOrEndGivesAnEmptyLine) {
  EXPECT_EQ(written(Layout{R"(/, "a")"}), "\na\n");
  EXPECT_EQ(written(Layout{R"("a", /)"}), "a\n\n");
  EXPECT_EQ(written(Layout{R"(/)"}), "\n\n");
  EXPECT_EQ(written(Layout{R"(/, /, "a", /, /)"}), "\n\na\n\n\n");
}

TEST(ReportWrite, SkipsBecomeBlanksOnlyBeforeCharacters) {
  EXPECT_EQ(written(Layout{R"(3X, "a")"}), "   a\n");
  EXPECT_EQ(written(Layout{R"(2X, 3X, "b")"}), "     b\n");
  EXPECT_EQ(written(Layout{R"("a", 5X)"}), "a\n");
  EXPECT_EQ(written(Layout{R"(5X)"}), "\n");
  EXPECT_EQ(written(Layout{R"("a", 3X, /, "b")"}), "a\nb\n");
  EXPECT_EQ(written(Layout{R"(1X, /)"}), "\n\n");
  EXPECT_EQ(written(Layout{R"("a", 2X, I2)"}, {5}), "a   5\n");
}

TEST(ReportWrite, StopsAtTheFirstValueItemWithoutAValue) {
  EXPECT_EQ(written(Layout{R"("x=", I3, " end")"}), "x=\n");
  EXPECT_EQ(written(Layout{R"("a", /, "b", I2, "c")"}), "a\nb\n");
  EXPECT_EQ(written(Layout{R"("a", 2X, I2)"}), "a\n");  // the blanks before it are not produced
  EXPECT_EQ(written(Layout{R"(3I2, "end")"}, {1, 2}), " 1 2\n");
  EXPECT_EQ(written(Layout{R"(I2, "|", I2, "|")"}, {1}), " 1|\n");
}

TEST(ReportWrite, ReversionWithoutAGroupRestartsTheLayout) {
  EXPECT_EQ(written(Layout{R"("v=", I2)"}, {1, 2, 3}), "v= 1\nv= 2\nv= 3\n");
}

TEST(ReportWrite, ReversionGoesToTheLastTopLevelGroupWithItsCount) {
  EXPECT_EQ(written(Layout{R"("a", 2(I2), "b")"}, {1, 2, 3, 4, 5}), "a 1 2b\n 3 4b\n 5\n");
  EXPECT_EQ(written(Layout{R"(1(I1), "m", 2(I1))"}, {1, 2, 3, 4, 5, 6}), "1m23\n45\n6\n");
  // The group itself takes no value, but what follows it does.
  EXPECT_EQ(written(Layout{R"(2("x"), I2)"}, {1, 2}), "xx 1\nxx 2\n");
}

TEST(ReportWrite, SkipsBeforeTheReversionGroupAreNotRepeated) {
  EXPECT_EQ(written(Layout{R"("a", 2X, 2(I2), 1X)"}, {1, 2, 3, 4, 5}), "a   1 2\n 3 4\n 5\n");
  EXPECT_EQ(written(Layout{R"(3X, I1, 2X)"}, {1, 2}), "   1\n   2\n");
}

// A line longer than the room the buffer gains at a time, of fields narrow
// and wide: the same characters as the fields appended one by one.
TEST(ReportWrite, LongLinesAreTheirFieldsSideBySide) {
  struct Case {
    const char* notation;
    int count, w, d;
    bool numbered;
  };
  for (const Case& c : {Case{"6000F7.2", 6000, 7, 2, false}, Case{"900F40.25", 900, 40, 25, false},
                        Case{"2000(I3, 1X, F11.6)", 2000, 11, 6, true}}) {
    std::vector<Value> values;
    std::string expected;
    for (int k = 0; k < c.count; ++k) {
      const double x = std::sin(k) * k / 7.0;
      if (c.numbered) {
        values.emplace_back(k % 1000);
        appendInteger(expected, k % 1000, 3);
        expected += ' ';
      }
      values.emplace_back(x);
      appendReal(expected, x, c.w, c.d);
    }
    EXPECT_EQ(written(Layout{c.notation}, values), expected + "\n") << c.notation;
  }
}

TEST(ReportWrite, CharacterValues) {
  const std::string_view pieces[] = {"ab", "cd", "ef"};
  EXPECT_EQ(written(Layout{R"(2X, 3A2)"}, {pieces[0], pieces[1], pieces[2]}), "  abcdef\n");
  EXPECT_EQ(written(Layout{R"(A3)"}, {std::string_view("x")}), "  x\n");
}

TEST(ReportWrite, WrongKindOfValueIsACallerFault) {
  const Layout mixed{R"("n=", I2, " x=", F5.1, " s=", A2)"};
  Report report;
  report.write(mixed, {1, 2.0, std::string_view("ok")});
  const std::string before = report.text();
  EXPECT_EQ(before, "n= 1 x=  2.0 s=ok\n");
  EXPECT_THROW(report.write(mixed, {1.0, 2.0, std::string_view("ok")}), std::logic_error);
  EXPECT_THROW(report.write(mixed, {1, 2, std::string_view("ok")}), std::logic_error);
  EXPECT_THROW(report.write(mixed, {1, 2.0, 3}), std::logic_error);
  EXPECT_THROW(report.write(mixed, {std::string_view("1")}), std::logic_error);
  EXPECT_EQ(report.text(), before) << "a failed write must leave nothing behind";
  try {
    report.write(mixed, {1, 2});
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("value 2"), std::string::npos) << what;
    EXPECT_NE(what.find("F5.1"), std::string::npos) << what;
  }
}

TEST(ReportWrite, ValuesNoItemCanTakeAreACallerFault) {
  Report report;
  EXPECT_THROW(report.write(layouts::separator, {1}), std::logic_error);
  // More values than one pass takes, and the part reversion repeats takes none:
  // this would never end, so it is refused before anything is written.
  const Layout noRepeat{R"(I2, 2("x"))"};
  EXPECT_THROW(report.write(noRepeat, {1, 2}), std::logic_error);
  EXPECT_EQ(report.text(), "");
  report.write(noRepeat, {1});
  EXPECT_EQ(report.text(), " 1xx\n");
}

// ---------------------------------------------------------------- the catalogue

TEST(ReportCatalogue, BannerIsFourteenLines) {
  const std::string title = "H2 test" + std::string(53, ' ');
  std::vector<Value> pieces;
  for (std::size_t k = 0; k < 60; k += 2) pieces.emplace_back(std::string_view(title).substr(k, 2));
  const std::string expected = asterisks80() + "\n" +
                               std::string(23, ' ') + "Floating-Sphere SCF for Classrooms\n" +
                               std::string(27, ' ') + "set up by K. Brannock at\n" +
                               std::string(22, ' ') + "Eastmoore Polytechnic University\n" +
                               std::string(30, ' ') + "Marston Crossways\n" +
                               std::string(36, ' ') + "2006\n" +
                               std::string(29, ' ') + "Orbitwise Numeric LLC\n" +
                               asterisks80() + "\n" +
                               "\n" +
                               std::string(10, ' ') + title + "\n" +
                               asterisks80() + "\n" +
                               "12345678901234567890123456789012345678901234567890123456789012345678901234567890\n" +
                               asterisks80() + "\n" +
                               "\n";
  const std::string got = written(layouts::banner, pieces);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(std::count(got.begin(), got.end(), '\n'), 14);
}

TEST(ReportCatalogue, ParameterEchoShowsAsterisksForAnOverwideLimit) {
  EXPECT_EQ(written(layouts::parameterEcho, {2, 2, 2, 2, 1000, 1}),
            " nat=  2  nbs=  2  nel= 2   iop=  2  lit=***  mul= 1\n" + asterisks80() + "\n\n");
}

TEST(ReportCatalogue, AtomSphereAndParabolaLines) {
  EXPECT_EQ(written(layouts::atomLine, {1, 1.0, 0.0, 0.0, -0.7}),
            " atom( 1)   zn= 1.0   x=  0.000000   y=  0.000000   z= -0.700000\n");
  EXPECT_EQ(written(layouts::sphereLine, {2, 1.0, 0.0, 0.0, 0.7}),
            " 1S-sphere(  2) alpha=   1.00000  x=  0.000000  y=  0.000000  z=  0.700000\n");
  EXPECT_EQ(written(layouts::parabolaLine, {2.0}),
            " ***** predicted parabolic minimum =         2.0000000000 *****\n");
  EXPECT_EQ(written(layouts::separator), asterisks80() + "\n");
}

TEST(ReportCatalogue, TitlesAndEnergyLines) {
  EXPECT_EQ(written(layouts::sOverlapTitle), "\n" + std::string(30, ' ') + "S-overlap matrix\n\n");
  EXPECT_EQ(written(layouts::cMatrixTitle), "\n" + std::string(25, ' ') + "C-matrix, by columns\n\n");
  EXPECT_EQ(written(layouts::densityTitle, {1}), "\n" + std::string(30, ' ') + "P-matrix, noc =  1\n\n");
  EXPECT_EQ(written(layouts::iterationHeading, {12}),
            std::string(23, ' ') + "********** Iteration  12 **********\n\n");
  EXPECT_EQ(written(layouts::integralLine, {1, 1, 2, 2, 0.5}), "   1  1  2  2   0.5000000000\n");
  EXPECT_EQ(written(layouts::notConvergedLine), std::string(28, ' ') + "ENERGY DID NOT CONVERGE!\n\n\n\n");
  EXPECT_EQ(written(layouts::totalEnergyBlock, {0.7142857143, -0.5357396187}),
            "     Nuclear Repulsion =        0.7142857143\n"
            "\n"
            "     **** Total Energy =       -0.5357396187 hartrees ****\n"
            "\n");
  EXPECT_EQ(written(layouts::orbsolveEnergyLine, {1, -1.2}),
            std::string(26, ' ') + "E(  1) =     -1.200000000000\n");
  EXPECT_EQ(written(layouts::centreOfMassLine, {0.0, 0.0, 0.281636}),
            "\n\n The center of mass is at xm =  0.000000   ym =  0.000000   zm =  0.281636\n");
  EXPECT_EQ(written(layouts::dipoleLine, {0.0, -0.0, 1.847526, 1.847526}),
            "\n Dipole Moment = (  0.000000,  0.000000,  1.847526) =   1.847526 Debyes\n\n");
}

// E(k) = k - 10.5 in F10.6.
const char* const kEnergyFields[] = {" -9.500000", " -8.500000", " -7.500000", " -6.500000", " -5.500000",
                                     " -4.500000", " -3.500000", " -2.500000", " -1.500000", " -0.500000",
                                     "  0.500000", "  1.500000", "  2.500000", "  3.500000"};

std::vector<Value> energies(int n) {
  std::vector<Value> values;
  for (int k = 1; k <= n; ++k) values.emplace_back(k - 10.5);
  return values;
}

// Each value as a blank, the F10.6 field and a blank.
std::string energyEntries(int from, int to) {
  std::string s;
  for (int k = from; k <= to; ++k) s += std::string(" ") + kEnergyFields[k - 1] + " ";
  return s;
}

TEST(ReportCatalogue, OrbitalEnergyListOfFourTenAndFourteen) {
  EXPECT_EQ(written(layouts::orbitalEnergyList, energies(4)), energyEntries(1, 4) + " \n");
  EXPECT_EQ(written(layouts::orbitalEnergyList, energies(10)), energyEntries(1, 10) + "\n\n");
  EXPECT_EQ(written(layouts::orbitalEnergyList, energies(14)),
            energyEntries(1, 10) + "\n\n" + energyEntries(11, 14) + " \n");
  EXPECT_EQ(energyEntries(1, 10).size(), 120u);
}

std::vector<Value> charges(int n) {
  std::vector<Value> values;
  for (int i = 1; i <= n; ++i) {
    values.emplace_back(i);
    values.emplace_back(0.125 * i);
  }
  return values;
}

const std::string kChargeHeading = std::string(34, ' ') + "Orbital Charges\n";

TEST(ReportCatalogue, SphereChargesOfFourAndFive) {
  EXPECT_EQ(written(layouts::sphereChargeList, charges(4)),
            kChargeHeading +
                " q( 1)= 0.125000 q( 2)= 0.250000 q( 3)= 0.375000 q( 4)= 0.500000\n"
                " q(\n");
  EXPECT_EQ(written(layouts::sphereChargeList, charges(5)),
            kChargeHeading +
                " q( 1)= 0.125000 q( 2)= 0.250000 q( 3)= 0.375000 q( 4)= 0.500000\n"
                " q( 5)= 0.625000 q(\n");
}

TEST(ReportCatalogue, SphereChargesOfTwentyUseTheLayoutUpExactly) {
  const std::string fiveLines =
      " q( 1)= 0.125000 q( 2)= 0.250000 q( 3)= 0.375000 q( 4)= 0.500000\n"
      " q( 5)= 0.625000 q( 6)= 0.750000 q( 7)= 0.875000 q( 8)= 1.000000\n"
      " q( 9)= 1.125000 q(10)= 1.250000 q(11)= 1.375000 q(12)= 1.500000\n"
      " q(13)= 1.625000 q(14)= 1.750000 q(15)= 1.875000 q(16)= 2.000000\n"
      " q(17)= 2.125000 q(18)= 2.250000 q(19)= 2.375000 q(20)= 2.500000\n";
  EXPECT_EQ(written(layouts::sphereChargeList, charges(20)), kChargeHeading + fiveLines + "\n");
  // One more entry reverts to the five-line group, not to the heading.
  EXPECT_EQ(written(layouts::sphereChargeList, charges(21)),
            kChargeHeading + fiveLines + "\n" + " q(21)= 2.625000 q(\n");
}

// ---------------------------------------------------------------- the sink

// A report long enough to be handed to the sink in several pieces.
void writeSample(Report& report) {
  const std::string title = "sink test" + std::string(51, ' ');
  std::vector<Value> pieces;
  for (std::size_t k = 0; k < 60; k += 2) pieces.emplace_back(std::string_view(title).substr(k, 2));
  report.write(layouts::banner, std::span<const Value>(pieces));
  report.write(layouts::parameterEcho, {2, 20, 2, 2, 100, 1});
  Matrix m;
  for (int i = 1; i <= kMaxSpheres; ++i)
    for (int j = 1; j <= kMaxSpheres; ++j) m(i, j) = 1.0 / (i + j) - 0.3;
  for (int k = 0; k < 60; ++k) {
    report.write(layouts::iterationHeading, {k});
    printMatrix(report, kMaxSpheres, m);
  }
  report.write(layouts::orbitalEnergyList, std::span<const Value>(energies(14)));
  report.write(layouts::sphereChargeList, std::span<const Value>(charges(20)));
}

std::string contents(std::FILE* f) {
  std::string s;
  std::rewind(f);
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, n);
  return s;
}

TEST(ReportSink, WritesTheSameBytesAsTheKeptText) {
  Report kept;
  writeSample(kept);
  ASSERT_GT(kept.text().size(), 4u * 65536u);

  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    Report sunk(file);
    writeSample(sunk);
    EXPECT_LT(sunk.text().size(), kept.text().size()) << "the text goes to the sink as it grows";
    EXPECT_TRUE(sunk.flush());
    EXPECT_EQ(sunk.text(), "");
    EXPECT_EQ(contents(file), kept.text());
    std::fseek(file, 0, SEEK_END);
    sunk.write(layouts::separator);  // handed over by the destructor
  }
  EXPECT_EQ(contents(file), kept.text() + asterisks80() + "\n");
  std::fclose(file);
}

TEST(ReportSink, FlushReportsAFailingSink) {
  std::FILE* readOnly = std::fopen("/dev/null", "r");
  ASSERT_NE(readOnly, nullptr);
  {
    Report report(readOnly);
    report.write(layouts::separator);
    EXPECT_FALSE(report.flush());
    EXPECT_FALSE(report.flush()) << "a failure is not forgotten";
  }
  std::fclose(readOnly);
}

}  // namespace
}  // namespace scf1s
