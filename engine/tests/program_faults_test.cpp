// The program under conditions a new user can produce by accident: a deck
// that is a FIFO, standard error closed, a report that cannot be written to
// its end.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
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

}  // namespace
}  // namespace scf1s::test
