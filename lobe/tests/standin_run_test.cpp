#include "standin_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lobe_dat.h"
#include "lobe_out_report.h"
#include "lobe_dat_test_files.h"

namespace vorden {
namespace {

namespace fs = std::filesystem;
using testing::kWaterLobeDat;
using testing::replaced;

// A fresh program folder for one test, removed afterwards.
class StandinProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vorden-standin-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  void writeLobeDat(const std::string& bytes) const {
    std::ofstream(folder_ / "lobe.dat", std::ios::binary) << bytes;
  }

  std::string lobeOut() const {
    std::ifstream file(folder_ / "lobe.out", std::ios::binary);
    EXPECT_TRUE(file) << "no lobe.out in " << folder_;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
  }

  // Starts the built stand-in program in the folder, without arguments, as
  // the front end does, and returns its exit status.
  int runProgram() const {
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(folder_.c_str()) != 0) _exit(127);
      execl(VORDEN_PROGRAM, "vorden", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status);
  }

  fs::path folder_;
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(StandinProgramFolder, WellFormedWaterReport) {
  writeLobeDat(kWaterLobeDat);
  EXPECT_EQ(runProgram(), 0);
  const std::string report = lobeOut();
  EXPECT_EQ(report.substr(0, report.find('\n')),
            "VORDEN stand-in: this is a check of the input file lobe.dat, not a lobe calculation.");
  EXPECT_TRUE(contains(report, "lobe.dat is well formed.")) << report;
  EXPECT_TRUE(contains(report, "Coordinate file               water.xyz\n")) << report;
  EXPECT_TRUE(contains(report, "Basis set                     3  6-31G** Pople et. al. (H to Ne)\n")) << report;
  EXPECT_TRUE(contains(report, "Point-group symmetry          2  C2v\n")) << report;
  EXPECT_TRUE(contains(report, "Post-Hartree-Fock             None")) << report;
  EXPECT_TRUE(contains(report, "Core orbitals                 Freeze\n")) << report;
  EXPECT_TRUE(contains(report, "Steepest-descent iterations   30\n")) << report;
  EXPECT_TRUE(contains(report, "Isotope substitution          none\n")) << report;
  EXPECT_TRUE(contains(report, "NMR chemical shift            none\n")) << report;
  EXPECT_TRUE(contains(report, "     1  O        8   0.000000   0.000000   0.117300  -1.00 0.00-2.00 0.00 0.00 2.49\n"))
      << report;
  EXPECT_TRUE(contains(report, "     3  H        1   0.000000  -0.757200  -0.469200  -1.00 0.00-2.00 0.00 0.00 0.00\n"))
      << report;
  EXPECT_TRUE(contains(report, "Molecular formula             H2O\n")) << report;
  EXPECT_TRUE(contains(report, "Number of electrons           10\n")) << report;
  EXPECT_TRUE(contains(report, "0 = singlet (no unpaired electrons) agrees with 10 electrons.")) << report;
  EXPECT_FALSE(fs::exists(folder_ / "lobe.out.partial"));
}

TEST_F(StandinProgramFolder, ChargedWaterWithWrongSpinIsReportedButWellFormed) {
  // H2O+ has 9 electrons: a singlet cannot hold them.
  writeLobeDat(replaced(kWaterLobeDat, "O  8003", "O  8013"));
  EXPECT_EQ(runProgram(), 0);
  const std::string report = lobeOut();
  EXPECT_TRUE(contains(report, "Charge                        1\n")) << report;
  EXPECT_TRUE(contains(report, "Number of electrons           9\n")) << report;
  EXPECT_TRUE(contains(report, "does NOT agree with 9 electrons")) << report;
}

TEST_F(StandinProgramFolder, MalformedLobeDatSaysWhatAndWhereAndFails) {
  writeLobeDat(replaced(kWaterLobeDat, "O  8003     0.000000", "O  8003     0.0000 0"));
  EXPECT_EQ(runProgram(), 1);
  const std::string report = lobeOut();
  EXPECT_TRUE(report.starts_with(std::string(kStandinHeadline) + "\n")) << report;
  EXPECT_TRUE(contains(report, "lobe.dat is malformed")) << report;
  EXPECT_TRUE(contains(report, "line 2 (atom record 1), columns 12-20 (x coordinate): expected")) << report;
  EXPECT_TRUE(contains(report, "found \" 0.0000 0\"")) << report;
  EXPECT_FALSE(contains(report, "Molecular formula")) << report;
}

TEST_F(StandinProgramFolder, MissingLobeDatFails) {
  EXPECT_EQ(runProgram(), 1);
  const std::string report = lobeOut();
  EXPECT_TRUE(contains(report, "there is no file lobe.dat in")) << report;
}

TEST_F(StandinProgramFolder, ReplacesAnOldReport) {
  std::ofstream(folder_ / "lobe.out") << "old report\n";
  writeLobeDat(kWaterLobeDat);
  EXPECT_EQ(runStandin(folder_), 0);
  EXPECT_TRUE(lobeOut().starts_with(std::string(kStandinHeadline)));
}

TEST_F(StandinProgramFolder, ReportsTheFormsLobeDatForTheExampleFile) {
  std::ifstream example(EXAMPLES_DIR "/water.xyz", std::ios::binary);
  ASSERT_TRUE(example);
  std::ostringstream content;
  content << example.rdbuf();
  LobeOptions options;
  options.coordinatePath = EXAMPLES_DIR "/water.xyz";
  options.basisSet = 0;
  options.charge = "-1";
  options.spin = "2";
  const LobeDatText text = buildLobeDat(options, content.str());
  ASSERT_TRUE(text.ok) << text.failure.message;
  writeLobeDat(text.text);
  EXPECT_EQ(runProgram(), 0);
  const std::string report = lobeOut();
  EXPECT_TRUE(contains(report, "3G1S/2G2S/2G2P (H to Kr)")) << report;
  EXPECT_TRUE(contains(report, "     2  H        1   0.000000   0.757200  -0.469200\n")) << report;
  EXPECT_TRUE(contains(report, "2 = doublet (1 unpaired electron) agrees with 11 electrons.")) << report;
}

}  // namespace
}  // namespace vorden
