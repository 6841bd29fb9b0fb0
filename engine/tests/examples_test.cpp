// The teaching examples: every example's report must match, byte for byte,
// the expected report kept beside its deck; and the numbers in them that are
// known independently (worked values, the literature) are checked on their own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "program_runner.h"

namespace scf1s::test {
namespace {

const std::filesystem::path kExamples = EXAMPLES_DIR;

std::string runExample(const std::string& name) {
  auto deck = readFileBytes(kExamples / name / "scf1s.dat");
  if (!deck) {
    ADD_FAILURE() << "no deck in examples/" << name;
    return {};
  }
  ProgramResult r = runProgramOnDeck(*deck);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  return r.report.value_or("");
}

// Lines of the report that contain the text.
std::vector<std::string> linesWith(const std::string& report, const std::string& text) {
  std::vector<std::string> found;
  for (const std::string& line : reportLines(report))
    if (line.find(text) != std::string::npos) found.push_back(line);
  return found;
}

// The number that follows the first "=" after the text, in the first line holding it.
double valueAfter(const std::string& report, const std::string& text) {
  auto lines = linesWith(report, text);
  if (lines.empty()) {
    ADD_FAILURE() << "no line with " << text;
    return NAN;
  }
  std::size_t at = lines[0].find('=', lines[0].find(text));
  return std::strtod(lines[0].c_str() + at + 1, nullptr);
}

std::vector<double> electronicEnergies(const std::string& report) {
  std::vector<double> energies;
  for (const std::string& line : linesWith(report, "Electronic Energy ="))
    energies.push_back(std::strtod(line.c_str() + line.find('=') + 1, nullptr));
  return energies;
}

// Where two reports part: the first differing line by number, with the two
// lines before it and both versions of it; empty when they are equal.
std::string firstDifference(const std::string& report, const std::string& expected) {
  if (report == expected) return {};
  const auto got = reportLines(report);
  const auto want = reportLines(expected);
  std::size_t k = 0;
  while (k < got.size() && k < want.size() && got[k] == want[k]) ++k;
  std::string text = "first difference at line " + std::to_string(k + 1) + ":\n";
  for (std::size_t c = k >= 2 ? k - 2 : 0; c < k; ++c) text += "          " + want[c] + "\n";
  text += "expected: " + (k < want.size() ? want[k] : std::string("(end of report)")) + "\n";
  text += "     got: " + (k < got.size() ? got[k] : std::string("(end of report)")) + "\n";
  if (k == got.size() && k == want.size()) text += "(the line ends differ)\n";
  return text;
}

class ExampleReport : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleReport, MatchesTheExpectedReportByteForByte) {
  std::string report = runExample(GetParam());
  auto expected = readFileBytes(kExamples / GetParam() / "expected.out");
  ASSERT_TRUE(expected) << "no expected.out in examples/" << GetParam();
  EXPECT_EQ(firstDifference(report, *expected), "")
      << "the report differs from examples/" << GetParam() << "/expected.out (scripts/regenerate-expected.sh "
      << "rewrites them after an intended change)";
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReport,
                         ::testing::Values("h2", "heh-plus", "helium-1sto", "helium-2sto", "methane-20", "h2-bond-1.4",
                                           "h2-bond-1.5", "h2-bond-1.6", "h2-parabola"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(ExampleNumbers, H2ConvergesAfterTheSecondIteration) {
  std::string report = runExample("h2");
  std::vector<std::string> expectedIntegrals = {
      "   1  1  1  1   1.1283791671", "   1  1  1  2   0.3634089384", "   1  1  2  2   0.6802034726",
      "   1  2  1  2   0.1589417077", "   1  2  2  2   0.3634089384", "   2  2  2  2   1.1283791671"};
  auto lines = reportLines(report);
  auto heading = std::find(lines.begin(), lines.end(), " Unique Two-Electron Integrals, iop = 2");
  ASSERT_NE(heading, lines.end());
  EXPECT_EQ(std::vector<std::string>(heading + 1, heading + 7), expectedIntegrals);

  EXPECT_EQ(linesWith(report, " Nuclear Repulsion =   0.7142857143").size(), 1u);
  EXPECT_EQ(electronicEnergies(report), (std::vector<double>{-1.2500253330, -1.2500253330}));
  EXPECT_EQ(linesWith(report, "<<<<<ENERGY CONVERGED!>>>>>").size(), 1u);
  EXPECT_TRUE(linesWith(report, "Iteration   3").empty());
  EXPECT_DOUBLE_EQ(valueAfter(report, "Total Energy"), -0.5357396187);
  EXPECT_EQ(linesWith(report, "The center of mass is at")[0],
            " The center of mass is at xm =  0.000000   ym =  0.000000   zm =  0.000000");
  EXPECT_EQ(linesWith(report, "Dipole Moment")[0],
            " Dipole Moment = (  0.000000,  0.000000,  0.000000) =   0.000000 Debyes");
}

TEST(ExampleNumbers, HeHPlusStopsAtTheIterationLimit) {
  std::string report = runExample("heh-plus");
  EXPECT_EQ(electronicEnergies(report), (std::vector<double>{-4.0754057456, -4.0815352234}));
  EXPECT_EQ(linesWith(report, "ENERGY DID NOT CONVERGE!").size(), 1u);
  EXPECT_DOUBLE_EQ(valueAfter(report, "     Nuclear Repulsion ="), 1.4285714286);
  EXPECT_DOUBLE_EQ(valueAfter(report, "Total Energy"), -2.6529637949);
  EXPECT_EQ(linesWith(report, "The center of mass is at")[0],
            " The center of mass is at xm =  0.000000   ym =  0.000000   zm =  0.281636");
  EXPECT_EQ(linesWith(report, "Dipole Moment")[0],
            " Dipole Moment = (  0.000000,  0.000000,  1.847526) =   1.847526 Debyes");
  EXPECT_EQ(linesWith(report, " q( 1)=")[0], " q( 1)= 0.732861 q( 2)= 1.009552 q( 3)= 0.257588 q(");

  // Overlap populations: the rows of the block after the Mulliken title.
  auto lines = reportLines(report);
  auto title = std::find_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("Mulliken Overlap Populations") != std::string::npos; });
  ASSERT_NE(title, lines.end());
  EXPECT_EQ(*(title + 3), "  1     0.722219   0.650199   0.093303");
  EXPECT_EQ(*(title + 4), "  2     0.650199   1.143283   0.225621");
  EXPECT_EQ(*(title + 5), "  3     0.093303   0.225621   0.196251");
}

TEST(ExampleNumbers, HeliumWithOneSlaterFunctionHasTheTextbookEnergy) {
  std::string report = runExample("helium-1sto");
  // E = -(27/16)^2 = -2.84765625 for zeta = 27/16; no nuclear repulsion, no properties.
  EXPECT_DOUBLE_EQ(valueAfter(report, "Total Energy"), -2.84765625);
  EXPECT_DOUBLE_EQ(valueAfter(report, "     Nuclear Repulsion ="), 0.0);
  EXPECT_TRUE(linesWith(report, "Dipole Moment").empty());
  EXPECT_TRUE(linesWith(report, "Mulliken").empty());
}

TEST(ExampleNumbers, HeliumDoubleZetaComesCloseToTheLiteratureValue) {
  std::string report = runExample("helium-2sto");
  // Clementi's double-zeta basis (1.4461, 2.8622) gives -2.86167 hartree.
  EXPECT_NEAR(valueAfter(report, "Total Energy"), -2.86167, 1e-5);
  EXPECT_EQ(linesWith(report, "<<<<<ENERGY CONVERGED!>>>>>").size(), 1u);
}

TEST(ExampleNumbers, MethaneUsesAllPairsOfTwentySpheres) {
  std::string report = runExample("methane-20");
  // M = 210 pairs of 20 spheres give M(M+1)/2 unique integrals, one line each.
  auto lines = reportLines(report);
  auto heading = std::find(lines.begin(), lines.end(), " Unique Two-Electron Integrals, iop = 2");
  auto firstIteration = std::find_if(heading, lines.end(), [](const std::string& l) {
    return l.find("Iteration   1") != std::string::npos;
  });
  ASSERT_NE(heading, lines.end());
  EXPECT_EQ(firstIteration - heading - 1, 210 * 211 / 2);
  EXPECT_EQ(linesWith(report, "  20 20 20 20").size(), 1u);
  EXPECT_EQ(linesWith(report, "Iteration 101").size(), 1u);
  EXPECT_EQ(linesWith(report, "ENERGY DID NOT CONVERGE!").size(), 1u);

  // The sphere charges add up to the number of electrons.
  double sum = 0;
  int charges = 0;
  for (const std::string& line : linesWith(report, ")="))
    for (std::size_t at = line.find(")="); at != std::string::npos; at = line.find(")=", at + 1)) {
      sum += std::strtod(line.c_str() + at + 2, nullptr);
      ++charges;
    }
  EXPECT_EQ(charges, 20);
  EXPECT_NEAR(sum, 10.0, 2e-5);
}

TEST(ExampleNumbers, ParabolaDeckHoldsTheThreeBondLengthEnergies) {
  auto deck = readFileBytes(kExamples / "h2-parabola" / "scf1s.dat");
  ASSERT_TRUE(deck);
  auto records = reportLines(*deck);
  ASSERT_GE(records.size(), 3u);
  const char* runs[3] = {"h2-bond-1.4", "h2-bond-1.5", "h2-bond-1.6"};
  const double bonds[3] = {1.4, 1.5, 1.6};
  for (int k = 0; k < 3; ++k) {
    std::string report = runExample(runs[k]);
    EXPECT_DOUBLE_EQ(std::strtod(records[1].substr(20 * k, 20).c_str(), nullptr), bonds[k]);
    EXPECT_DOUBLE_EQ(std::strtod(records[2].substr(20 * k, 20).c_str(), nullptr), valueAfter(report, "Total Energy"));
  }
  std::string report = runExample("h2-parabola");
  EXPECT_EQ(report, " ***** predicted parabolic minimum =         1.4853287606 *****\n");
}

}  // namespace
}  // namespace scf1s::test
