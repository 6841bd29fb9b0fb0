// The fsgo program end to end, in scratch folders: the published H2 optimum,
// the optimised deck read back by scf1s, and the decks it refuses.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A fresh folder holding the deck; removed at the end.
struct Folder {
  fs::path path;
  explicit Folder(const std::string& deck) {
    std::string pattern = (fs::temp_directory_path() / "fsgo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path = pattern;
    std::ofstream(path / "scf1s.dat", std::ios::binary) << deck;
  }
  ~Folder() { fs::remove_all(path); }
  // Runs the program in the folder; returns its exit status, standard error in err.
  int run(const std::string& program, const std::string& args, std::string& err) const {
    const std::string cmd = "cd '" + path.string() + "' && '" + program + "' " + args + " >stdout.txt 2>stderr.txt";
    const int status = std::system(cmd.c_str());
    err = readText(path / "stderr.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

// The number after the label on the first line that holds it.
double numberAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  EXPECT_NE(at, std::string::npos) << label;
  return at == std::string::npos ? NAN : std::strtod(text.c_str() + at + label.size(), nullptr);
}

std::string printed(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6f", value);
  return buf;
}

TEST(FsgoProgram, H2WithRelaxedNucleiReachesThePublishedOptimumAndScf1sRunsTheResult) {
  Folder folder(readText(fs::path(EXAMPLES_DIR) / "fsgo-h2" / "scf1s.dat"));
  std::string err;
  ASSERT_EQ(folder.run(FSGO_BINARY, "--relax-nuclei", err), 0) << err;
  const std::string report = readText(folder.path / "fsgo.out");
  // Frost's floating spherical Gaussian orbital H2 result: E = -0.955935
  // hartree at R = 1.474048 bohr with a sphere of radius 1.771522 bohr. The
  // radius of this model's exact optimum is 1.7715213, one unit below in the
  // last published digit.
  EXPECT_EQ(printed(numberAfter(report, "**** Total Energy =")), "-0.955935");
  EXPECT_EQ(printed(numberAfter(report, "atoms  1 -  2")), "1.474048");
  const std::string deck = readText(folder.path / "fsgo.dat");
  const double alpha = std::strtod(deck.substr(81 + 2 * 41, 20).c_str(), nullptr);  // record 4, columns 1-20
  EXPECT_NEAR(1 / std::sqrt(alpha), 1.771522, 1e-6);

  fs::rename(folder.path / "scf1s.dat", folder.path / "start.dat");
  fs::rename(folder.path / "fsgo.dat", folder.path / "scf1s.dat");
  ASSERT_EQ(folder.run(SCF1S_BINARY, "", err), 0) << err;
  // scf1s keeps its approximate F0 for its printed digits: 1e-5 hartree apart.
  EXPECT_NEAR(numberAfter(readText(folder.path / "scf1s.out"), "**** Total Energy ="), -0.955935, 1e-5);
}

std::string firstRecord(const std::string& counts) { return std::string(60, ' ') + counts + "\n"; }
const std::string kH2Body =
    "  1.000000  0.000000  0.000000 -0.700000\n"
    "  1.000000  0.000000  0.000000  0.700000\n"
    "    0.50000000000000  0.000000  0.000000  0.000000\n"
    "    0.50000000000000  0.000000  0.000000  0.000000\n";

TEST(FsgoProgram, RefusesWhatItCannotOptimiseWithStatusTwoAndNoOutput) {
  struct Refusal {
    std::string deck, args, message;
  };
  const Refusal refusals[] = {
      {firstRecord("  0  0  0  0  0  0 1") + "                 1.0                 2.0                 3.0\n", "",
       "line 1: columns 79-80 (par)"},
      {firstRecord("  1  1  2  1  0  0 0") + "  2.000000\n    1.00000000000000\n", "", "line 1: columns 70-72 (iop)"},
      {firstRecord("  2  1  3  2  0  0 0") + kH2Body, "", "line 1: columns 67-69 (nel)"},
      {firstRecord("  0  1  2  2  0  0 0") + kH2Body.substr(82), "", "line 1: columns 61-63 (nat)"},
      {firstRecord("  2  1  4  2  0  0 0") + kH2Body, "", "line 1: columns 64-66 (nbs)"},
      {firstRecord("  2  1  2  2  0  0 0") + kH2Body.substr(0, 82) + "   -0.50000000000000  0.000000  0.000000  0.000000\n",
       "", "line 4: columns 1-20 (alpha)"},
      {firstRecord("  2  2  2  2  0  0 0") + kH2Body, "", "spheres 1 and 2 nearly coincide"},
      {firstRecord("  2  1  2  2  0  0 0") + kH2Body, "--relax-nuclei --exponents-only", "at most one of"},
  };
  for (const Refusal& r : refusals) {
    Folder folder(r.deck);
    std::string err;
    EXPECT_EQ(folder.run(FSGO_BINARY, r.args, err), 2) << r.message;
    EXPECT_NE(err.find(r.message), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(folder.path / "fsgo.out")) << r.message;
    EXPECT_FALSE(fs::exists(folder.path / "fsgo.dat")) << r.message;
  }
}

TEST(FsgoProgram, NeverOverwritesAnExistingOutput) {
  for (const char* existing : {"fsgo.out", "fsgo.dat"}) {
    Folder folder(firstRecord("  2  1  2  2  0  0 0") + kH2Body.substr(0, 133));
    std::ofstream(folder.path / existing) << "kept";
    std::string err;
    EXPECT_EQ(folder.run(FSGO_BINARY, "", err), 2);
    EXPECT_NE(err.find(std::string(existing) + " already exists"), std::string::npos) << err;
    EXPECT_EQ(readText(folder.path / existing), "kept");
    EXPECT_EQ(fs::exists(folder.path / "fsgo.out") + fs::exists(folder.path / "fsgo.dat"), 1);
  }
}

}  // namespace

namespace {

TEST(FsgoProgram, WaterLonePairsStopAtTheOverlapFloorAndTheReportSaysSo) {
  Folder folder(readText(fs::path(EXAMPLES_DIR) / "fsgo-water" / "scf1s.dat"));
  std::string err;
  EXPECT_EQ(folder.run(FSGO_BINARY, "", err), 0) << err;
  const std::string report = readText(folder.path / "fsgo.out");
  EXPECT_NE(report.find("presses against the overlap floor"), std::string::npos);
  EXPECT_NE(report.find("Spheres 4 and 5 are"), std::string::npos) << "the two lone-pair spheres";
  EXPECT_GT(numberAfter(report, "Smallest overlap eigenvalue"), 1e-4);
}

}  // namespace
