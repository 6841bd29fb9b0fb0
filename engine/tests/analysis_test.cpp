// Centre of mass and dipole moment away from the z axis, and masses from the
// upper part of the table.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dipole.h"
#include "program_runner.h"

namespace scf1s::test {
namespace {

std::string coordinate(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6f", v);
  return buf;
}

// The line of the report that holds the text.
std::string lineWith(const std::string& report, const std::string& text) {
  for (const std::string& line : reportLines(report))
    if (line.find(text) != std::string::npos) return line;
  ADD_FAILURE() << "no line with " << text;
  return {};
}

// The numbers that follow each of the three marks on the line.
std::array<double, 3> numbersAfter(const std::string& line, const std::array<const char*, 3>& marks) {
  std::array<double, 3> v{NAN, NAN, NAN};
  std::size_t at = 0;
  for (int c = 0; c < 3; ++c) {
    at = line.find(marks[c], at);
    if (at == std::string::npos) break;
    at += std::string(marks[c]).size();
    v[c] = std::strtod(line.c_str() + at, nullptr);
  }
  return v;
}

// The HeH+ example (He at the origin, H at 1.4 bohr along z, dipole 1.847526 D
// along z about the centre of mass at 0.281636 bohr) laid along u = (2,1,2)/3
// and moved by t: the centre of mass moves to t + 0.281636 u and the dipole
// turns with the molecule, every component its own value.
TEST(CentreOfMassAndDipole, FollowAChargedMoleculeMovedAndTurnedOffTheAxis) {
  const double u[3] = {2.0 / 3, 1.0 / 3, 2.0 / 3};
  const double t[3] = {0.5, -1.25, 0.75};
  auto at = [&](double s, int c) { return coordinate(t[c] + s * u[c]); };
  const std::vector<std::string> records = {
      firstRecord("HeH+ turned", "  2  3  2  2  1  0 0"),
      atomRecord("2.000000", at(0, 0), at(0, 1), at(0, 2)),
      atomRecord("1.000000", at(1.4, 0), at(1.4, 1), at(1.4, 2)),
      sphereRecord("2.00000000000000", at(0, 0), at(0, 1), at(0, 2)),
      sphereRecord("0.50000000000000", at(0, 0), at(0, 1), at(0, 2)),
      sphereRecord("1.00000000000000", at(1.4, 0), at(1.4, 1), at(1.4, 2))};
  const EngineOutcome run = runInProcess(deckText(records));
  ASSERT_TRUE(run.read) << run.error;

  // Masses 4.0026 (He) and 1.00797 (H): the centre lies 1.4 * 1.00797 / 5.01057 from He.
  const double cm = 1.4 * 1.00797 / (4.0026 + 1.00797);
  const auto centre = numbersAfter(lineWith(run.report, "The center of mass"), {"xm =", "ym =", "zm ="});
  const auto dipole = numbersAfter(lineWith(run.report, "Dipole Moment"), {"(", ",", ","});
  for (int c = 0; c < 3; ++c) {
    EXPECT_NEAR(centre[c], t[c] + cm * u[c], 1.5e-6) << "component " << c;
    EXPECT_NEAR(dipole[c], 1.847526 * u[c], 5e-6) << "component " << c;
  }
}

// Scandium (21) and manganese (25), masses 44.956 and 54.938 in the table of
// the era's atomic weights, 2 bohr apart along y.
TEST(CentreOfMassAndDipole, TakesScandiumAndManganeseMassesFromTheTable) {
  auto data = std::make_unique<EngineData>();
  data->atom(1) = {21.0, 0.0, 0.0, 0.0};
  data->atom(2) = {25.0, 0.0, 2.0, 0.0};
  Report report;
  const Point centre = cenmas(2, *data, report);
  EXPECT_DOUBLE_EQ(centre.y, 2.0 * 54.938 / (44.956 + 54.938));
  EXPECT_EQ(centre.x, 0.0);
  EXPECT_NE(report.text().find("ym =  1.099926"), std::string::npos) << report.text();
}

}  // namespace
}  // namespace scf1s::test
