// The built engine run in a fresh folder, as the front end starts it, against
// reference energies of an independent program and for every refusal.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "lobe_dat_test_files.h"
#include "run.h"

namespace {

namespace fs = std::filesystem;
using vorden::testing::kWaterLobeDat;
using vorden::testing::replaced;

class EngineFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vorden-engine-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string read(const char* name) const {
    std::ifstream file(folder_ / name, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
  }

  // Writes lobe.dat (unless empty) and starts the built program in the folder
  // without arguments; returns its exit status.
  int run(const std::string& lobeDat) const {
    if (!lobeDat.empty()) std::ofstream(folder_ / "lobe.dat", std::ios::binary) << lobeDat;
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(folder_.c_str()) != 0) _exit(127);
      execl(VORDEN_PROGRAM, "vorden", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The number after "<label>" in lobe.out, NaN when absent.
  double value(const std::string& label) const {
    std::smatch match;
    const std::string report = read("lobe.out");
    if (!std::regex_search(report, match, std::regex(label + R"(\s+(-?[0-9.]+))"))) return NAN;
    return std::stod(match[1]);
  }

  fs::path folder_;
};

// lobe.dat of the worked example with its atom records and codes changed.
std::string molecule(const std::string& atomRecords, char basis = '3', char spin = '0', const std::string& closing = " 0  1") {
  std::string text = kWaterLobeDat.substr(0, kWaterLobeDat.find('\n') + 1);
  text[45] = basis;
  text[73] = spin;
  return text + atomRecords + "\n  0  0  0  0 " + closing + " \n\n\r\n";
}
const std::string kLobeText = "-1.00 0.00-2.00 0.00 0.00 0.00";
std::string atom(const std::string& head, const std::string& coordinates, char basis = '3') {
  return head + basis + "    " + coordinates + kLobeText + "\n";
}
const std::string kHydrogenMolecule = atom("H  100", " 0.000000  0.000000  0.000000") +
                                      atom("H  1  ", " 0.000000  0.000000  0.740000");
const std::string kHydroxyl = atom("O  800", " 0.000000  0.000000  0.000000") +
                              atom("H  1  ", " 0.000000  0.000000  0.970000");
std::string water(char basis) {
  return atom("O  800", " 0.000000  0.000000  0.117300", basis) + atom("H  1  ", " 0.000000  0.757200 -0.469200", basis) +
         atom("H  1  ", " 0.000000 -0.757200 -0.469200", basis);
}
const std::string kImidogen = atom("N  700", " 0.000000  0.000000  0.000000") +
                              atom("H  1  ", " 0.000000  0.000000  1.040000");

// Reference energies: Psi4 1.3.2 (Debian), Cartesian d functions (puream
// false), conventional integrals, at the same geometries. The lobe basis
// stays within 5e-5 hartree of them.
struct EnergyCase {
  const char* name;
  std::string lobeDat;
  const char* label;
  double reference;
  double spinSquared;  // <S^2> of the exact spin state, NAN for RHF
};

TEST_F(EngineFolder, EnergiesAgreeWithAnIndependentProgram) {
  const EnergyCase cases[] = {
      {"water RHF/6-31G**", kWaterLobeDat, R"(Total energy \(RHF\))", -76.0231274896, NAN},
      {"water MP2/6-31G** frozen core", replaced(kWaterLobeDat, "  0  0  0  0  0  1 ", "  0  0  0  0  2  1 "),
       "MP2 total energy", -76.2197534359, NAN},
      {"water MP2/6-311G** core included",
       molecule(water('4'), '4', '0', " 2  0"),
       "MP2 total energy", -76.2885025670, NAN},
      {"H2 RHF/6-31G**", molecule(kHydrogenMolecule), R"(Total energy \(RHF\))", -1.1312938537, NAN},
      {"OH doublet UHF/6-311++G**", molecule(atom("O  800", " 0.000000  0.000000  0.000000", '5') +
                                                 atom("H  1  ", " 0.000000  0.000000  0.970000", '5'), '5', '2'),
       R"(Total energy \(UHF\))", -75.4145313069, 0.75},
      {"NH triplet UHF/6-31G**", molecule(kImidogen, '3', '3'), R"(Total energy \(UHF\))", -54.9624521144, 2.0},
  };
  for (const EnergyCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(run(c.lobeDat), lobe::kCompleted) << read("lobe.out");
    EXPECT_NEAR(value(c.label), c.reference, 5e-5);
    // UHF spin contamination of these radicals is below 0.02.
    if (!std::isnan(c.spinSquared)) {
      EXPECT_NEAR(value(R"(<S\^2>)"), c.spinSquared, 0.02);
    }
    EXPECT_NE(read("lobe.json").find("\"success\": true"), std::string::npos);
  }
}

TEST_F(EngineFolder, RefusalsSayWhatIsWrongAndFail) {
  struct Refusal {
    const char* name;
    std::string lobeDat;
    int status;
    const char* words;
  };
  const Refusal refusals[] = {
      {"no lobe.dat", "", lobe::kBadInput, "there is no file lobe.dat"},
      {"malformed", replaced(kWaterLobeDat, "O  8003     0.000000", "O  8003     0.0000 0"), lobe::kBadInput,
       "line 2 (atom record 1), columns 12-20 (x coordinate)"},
      {"singlet with 9 electrons", replaced(kWaterLobeDat, "O  8003", "O  8013"), lobe::kBadInput,
       "does NOT agree with 9 electrons"},
      {"no electrons", molecule(atom("H  102", " 0.000000  0.000000  0.000000")), lobe::kBadInput,
       "the charge is too high"},
      {"atoms 0.05 angstrom apart", molecule(atom("H  100", " 0.000000  0.000000  0.000000") +
                                             atom("H  1  ", " 0.000000  0.000000  0.050000")),
       lobe::kBadInput, "atoms 1 (H) and 2 (H) are 0.0500 angstrom apart"},
      {"basis without data", molecule(water('6'), '6'),
       lobe::kUnsupportedRequest, "no data for basis set 6"},
      {"element without data", molecule(atom("He 200", " 0.000000  0.000000  0.000000", '5').substr(0, 40) + "\n", '5'),
       lobe::kUnsupportedRequest, "6-311++G** has no data for He"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    fs::remove(folder_ / "lobe.dat");
    EXPECT_EQ(run(refusal.lobeDat), refusal.status);
    EXPECT_NE(read("lobe.out").find(refusal.words), std::string::npos) << read("lobe.out");
    EXPECT_EQ(read("lobe.out").find("converged"), std::string::npos);
    EXPECT_NE(read("lobe.json").find("\"success\": false"), std::string::npos);
  }
}

}  // namespace
