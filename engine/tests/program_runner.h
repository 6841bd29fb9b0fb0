#pragma once

// Helpers for tests that run the engine over a deck: in process (DeckReader,
// runDeck and a Report without a sink), or as the built scf1s program in a
// fresh scratch folder of its own.

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "deck_error.h"
#include "deck_reader.h"
#include "engine_data.h"
#include "report.h"
#include "run.h"

namespace scf1s::test {

// ---------------------------------------------------------------------------
// Deck text

// Record 1: the title padded to 60 columns, then the 20 columns of counts
// (nat, nbs, nel, iop, lit, mul in I3, par in I2) exactly as given.
inline std::string firstRecord(std::string_view title, std::string_view counts) {
  std::string r(title.substr(0, 60));
  r.resize(60, ' ');
  return r + std::string(counts);
}

// The text right-justified in a field of the width (cut to the width if longer).
inline std::string field(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text.substr(0, width));
  return std::string(width - text.size(), ' ') + std::string(text);
}

// An atom record (4F10.6), a sphere record (F20.14, 3F10.6) and a parabola
// record (3F20.12), each field right-justified.
inline std::string atomRecord(std::string_view zn, std::string_view x, std::string_view y, std::string_view z) {
  return field(zn, 10) + field(x, 10) + field(y, 10) + field(z, 10);
}
inline std::string sphereRecord(std::string_view alpha, std::string_view x, std::string_view y, std::string_view z) {
  return field(alpha, 20) + field(x, 10) + field(y, 10) + field(z, 10);
}
inline std::string pointsRecord(std::string_view a, std::string_view b, std::string_view c) {
  return field(a, 20) + field(b, 20) + field(c, 20);
}

// The records joined into deck bytes, each followed by the line end.
inline std::string deckText(const std::vector<std::string>& records, std::string_view lineEnd = "\n") {
  std::string bytes;
  for (const std::string& r : records) bytes += r + std::string(lineEnd);
  return bytes;
}

// The two-centre H2 deck: two protons at z = -0.7 and 0.7, two spheres with
// alpha = 1 on them; every record ends at the last column its layout reads.
inline std::vector<std::string> h2Records() {
  return {firstRecord("H2 test", "  2  2  2  2  0  0 0"),
          "  1.000000  0.000000  0.000000 -0.700000",
          "  1.000000  0.000000  0.000000  0.700000",
          "    1.00000000000000  0.000000  0.000000 -0.700000",
          "    1.00000000000000  0.000000  0.000000  0.700000"};
}

// A parabola deck: record 1 with par = 1, then the abscissae and the values
// (3F20.12, 60 columns each).
inline std::vector<std::string> parabolaRecords(std::string_view xs, std::string_view ys) {
  return {firstRecord("parabola", "                   1"), std::string(xs), std::string(ys)};
}

// The report line of the parabolic-minimum mode for xmin printed as the text
// (F20.10), with its line feed.
inline std::string parabolaLine(std::string_view printedXmin) {
  return " ***** predicted parabolic minimum = " + field(printedXmin, 20) + " *****\n";
}

// ---------------------------------------------------------------------------
// In-process runs

struct EngineOutcome {
  bool read = false;   // the deck was read to its end without a DeckError
  std::string report;  // the report text written, also when the deck failed
  std::string error;   // the DeckError's message
};

inline EngineOutcome runInProcess(std::string_view deckBytes, const std::string& fileName = "scf1s.dat") {
  DeckReader reader(deckBytes, fileName);
  auto data = std::make_unique<EngineData>();
  Report report;
  EngineOutcome outcome;
  try {
    runDeck(reader, *data, report);
    outcome.read = true;
  } catch (const DeckError& e) {
    outcome.error = e.what();
  }
  outcome.report = report.text();
  return outcome;
}

// The report split into lines (a final line feed ends the last line).
inline std::vector<std::string> reportLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// ---------------------------------------------------------------------------
// Failure messages

// The number written at text[at...], if a digit stands there and none before it.
inline std::optional<long> numberAt(const std::string& text, std::size_t at) {
  auto digit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  if (!digit(at) || (at > 0 && digit(at - 1))) return std::nullopt;
  long value = 0;
  for (; digit(at) && value < 1000000; ++at) value = value * 10 + (text[at] - '0');
  return value;
}

// The line numbers a message names ("line 3"), in order.
inline std::vector<long> namedLines(const std::string& message) {
  std::vector<long> lines;
  for (std::size_t at = message.find("line "); at != std::string::npos; at = message.find("line ", at + 1)) {
    const bool wordStart = at == 0 || !std::isalpha(static_cast<unsigned char>(message[at - 1]));
    if (auto n = numberAt(message, at + 5); wordStart && n) lines.push_back(*n);
  }
  return lines;
}

// The message starts with the file name and names the line ("line 3", not
// "line 31").
inline ::testing::AssertionResult namesFileAndLine(const std::string& message, const std::string& file, int line) {
  if (message.rfind(file, 0) != 0)
    return ::testing::AssertionFailure() << "message does not start with " << file << ": " << message;
  for (long named : namedLines(message))
    if (named == line) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "message does not name line " << line << ": " << message;
}

// The message names the field by its columns ("columns 21-30").
inline ::testing::AssertionResult namesColumns(const std::string& message, int first, int last) {
  const std::string range = std::to_string(first) + "-" + std::to_string(last);
  for (std::size_t at = message.find(range); at != std::string::npos; at = message.find(range, at + 1))
    if (numberAt(message, at) == first && numberAt(message, at + range.size() - std::to_string(last).size()) == last)
      return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "message does not name columns " << range << ": " << message;
}

// ---------------------------------------------------------------------------
// Runs of the built program

inline std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void writeFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

struct ProgramResult {
  int status = -1;  // exit status; 128 + signal number when killed by a signal
  std::string out;  // standard output
  std::string err;  // standard error
  std::optional<std::string> report;  // scf1s.out after the run, if it exists
};

// A fresh temporary folder, removed with everything in it at the end. The
// program runs in its "run" subfolder; its standard output and error are
// captured beside it, so the run folder holds only what the program makes.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "scf1s-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    root_ = pattern;
    std::filesystem::create_directory(runFolder());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::filesystem::path runFolder() const { return root_ / "run"; }
  std::filesystem::path deckPath() const { return runFolder() / "scf1s.dat"; }
  std::filesystem::path reportPath() const { return runFolder() / "scf1s.out"; }

  void writeDeck(std::string_view bytes) const { writeFileBytes(deckPath(), bytes); }

  // Runs SCF1S_BINARY with the arguments in the run folder; a run that takes
  // longer than the time limit is killed (and shows as status 128 + 9).
  // inChild, if given, runs in the child just before the program starts
  // (to close a descriptor or set a limit).
  ProgramResult run(const std::vector<std::string>& args = {},
                    std::chrono::seconds limit = std::chrono::seconds(60), void (*inChild)() = nullptr) const {
    const std::filesystem::path outPath = root_ / "stdout", errPath = root_ / "stderr";
    std::vector<std::string> argStore{SCF1S_BINARY};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
      int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(runFolder().c_str()) != 0) _exit(127);
      if (inChild) inChild();
      execv(argv[0], argv.data());
      _exit(127);
    }
    int wstatus = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (waitpid(child, &wstatus, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(child, SIGKILL);
        waitpid(child, &wstatus, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ProgramResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    result.out = readFileBytes(outPath).value_or("");
    result.err = readFileBytes(errPath).value_or("");
    result.report = readFileBytes(reportPath());
    return result;
  }

 private:
  std::filesystem::path root_;
};

// Writes the deck into a fresh scratch folder and runs the program there.
inline ProgramResult runProgramOnDeck(std::string_view deckBytes, const std::vector<std::string>& args = {}) {
  ScratchFolder folder;
  folder.writeDeck(deckBytes);
  return folder.run(args);
}

}  // namespace scf1s::test
