// The program under conditions a new user can produce by accident: a deck
// that is a FIFO, standard error closed, a report that cannot be written to
// its end, two spheres almost on top of each other.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "program_runner.h"

namespace scf1s::test {
namespace {

TEST(ProgramFaults, AFifoAsTheDeckIsRefusedAtOnce) {
  ScratchFolder folder;
  ASSERT_EQ(mkfifo(folder.deckPath().c_str(), 0600), 0);
  const ProgramResult r = folder.run({}, std::chrono::seconds(20));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("scf1s.dat"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
  EXPECT_FALSE(r.report);
}

TEST(ProgramFaults, WithStandardErrorClosedTheFailureMessageStaysOutOfTheReport) {
  ScratchFolder folder;
  std::vector<std::string> records = h2Records();
  records[0] = firstRecord("H2 test", "  2 21  2  2  0  0 0");  // refused before any line
  folder.writeDeck(deckText(records));
  const ProgramResult r = folder.run({}, std::chrono::seconds(60), [] { close(STDERR_FILENO); });
  EXPECT_EQ(r.status, 2);
  ASSERT_TRUE(r.report);
  EXPECT_EQ(*r.report, "");
}

// A file-size limit makes the report's writes fail part way, as a full disk
// does; the message gives the system's reason and says the report is cut short.
TEST(ProgramFaults, AReportThatCannotBeWrittenToItsEndIsNamedWithTheReason) {
  ScratchFolder folder;
  auto deck = readFileBytes(std::filesystem::path(EXAMPLES_DIR) / "methane-20" / "scf1s.dat");
  ASSERT_TRUE(deck);
  folder.writeDeck(*deck);
  const ProgramResult r = folder.run({}, std::chrono::seconds(60), [] {
    signal(SIGXFSZ, SIG_IGN);  // a failing write instead of the signal
    const rlimit limit{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(std::string("cannot write the report scf1s.out: ") + std::strerror(EFBIG)),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("incomplete"), std::string::npos) << r.err;
}

// H2 with a third sphere of exponent 1 placed 0.001 bohr from the one at
// z = 0.7. Two normalised Gaussians of exponent 1 at distance d overlap by
// exp(-d^2/2), so their 2 x 2 block of S has the eigenvalue 1 - exp(-d^2/2)
// = 4.9999988e-7, and by interlacing the smallest eigenvalue of the whole S
// lies between 0 and that.
TEST(ProgramFaults, NearlyCoincidentSpheresBringAWarningRightAfterTheFirstSInverseHalf) {
  std::vector<std::string> records = h2Records();
  records[0] = firstRecord("H2, two spheres 0.001 apart", "  2  3  2  2  0  0 0");
  records.push_back(sphereRecord("1.00000000000000", "0.000000", "0.000000", "0.701000"));
  const EngineOutcome run = runInProcess(deckText(records));
  ASSERT_TRUE(run.read) << run.error;
  const auto lines = reportLines(run.report);
  auto title = std::find(lines.begin(), lines.end(), "                               S**(-1/2) Matrix");
  ASSERT_NE(title, lines.end());
  // Title, empty line, column header, three rows, two closing lines.
  ASSERT_LT(title + 8, lines.end());
  const std::string& warning = *(title + 8);
  EXPECT_EQ(warning.rfind(" Warning: S is nearly singular, smallest eigenvalue ", 0), 0u) << warning;
  const double smallest = std::strtod(warning.c_str() + warning.find("eigenvalue") + 10, nullptr);
  EXPECT_GT(smallest, 0.0);
  EXPECT_LE(smallest, 1 - std::exp(-0.5 * 0.001 * 0.001) + 1e-10);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), warning), 1);
}

}  // namespace
}  // namespace scf1s::test
