// scf1s: reads the deck scf1s.dat from the current folder, runs one
// closed-shell SCF calculation (or the parabolic-minimum mode) and writes the
// report scf1s.out there. The report must not exist before the run.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "deck_error.h"
#include "deck_reader.h"
#include "engine_data.h"
#include "report.h"
#include "run.h"

namespace {

constexpr const char* kDeckName = "scf1s.dat";
constexpr const char* kReportName = "scf1s.out";
constexpr int kFailure = 2;

// The engine's fixed storage, about 400 KB (mostly the integral list), in
// pages of its own that are mapped in one call, rather than one fault at a
// time as the run first touches them.
struct UnmapEngineData {
  void operator()(scf1s::EngineData* data) const noexcept {
    data->~EngineData();
    ::munmap(data, sizeof(scf1s::EngineData));
  }
};
using EngineDataPtr = std::unique_ptr<scf1s::EngineData, UnmapEngineData>;

EngineDataPtr newEngineData() {
#if defined(MAP_POPULATE)
  constexpr int kPopulate = MAP_POPULATE;
#else
  constexpr int kPopulate = 0;
#endif
  void* pages = ::mmap(nullptr, sizeof(scf1s::EngineData), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | kPopulate, -1, 0);
  if (pages == MAP_FAILED) return nullptr;
  return EngineDataPtr(new (pages) scf1s::EngineData());
}

constexpr const char* kUsage =
    "usage: scf1s [--help]\n"
    "\n"
    "Floating-sphere SCF for classrooms. Run it, with no arguments, in the folder that\n"
    "holds the input deck scf1s.dat: it writes the report scf1s.out beside it. An\n"
    "existing scf1s.out is never overwritten: move or delete it before each run.\n"
    "A deck whose first record has par = 1 reports the vertex of the parabola through\n"
    "three points instead. Ready decks are in the package's examples/ folder; the\n"
    "README explains the deck's columns and how to read the report.\n";

int fail(const std::string& message) {
  std::fprintf(stderr, "scf1s: %s\n", message.c_str());
  return kFailure;
}

// Reads the whole deck into bytes; returns the failure message, empty on
// success. The open does not wait (a FIFO without a writer would otherwise
// block it forever), and only a regular file is accepted as a deck.
std::string readDeck(std::string& bytes) {
  const std::string cannotOpen = std::string("cannot open the deck ") + kDeckName + " in the current folder: ";
  const int fd = open(kDeckName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return cannotOpen + std::strerror(errno);
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return cannotOpen + "it is not a regular file";
  }
  char buf[1 << 16];
  for (;;) {
    const ssize_t got = read(fd, buf, sizeof buf);
    if (got > 0) {
      bytes.append(buf, static_cast<std::size_t>(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      const std::string reason = std::strerror(errno);
      close(fd);
      return std::string("cannot read the deck ") + kDeckName + ": " + reason;
    }
  }
  close(fd);
  return {};
}

// Creates the report new (an existing one is left untouched) and opens it
// for writing; returns the failure message, empty on success. The report
// never takes descriptors 0-2: with standard error closed, a later failure
// message would otherwise be written into it.
std::string createReport(std::FILE*& out) {
  int fd = open(kReportName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST)
      return std::string("the report ") + kReportName +
             " already exists in the current folder; it has not been touched. Move or delete it, then run again.";
    return std::string("cannot create the report ") + kReportName + ": " + std::strerror(errno);
  }
  if (fd <= STDERR_FILENO) {
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int error = errno;
    close(fd);
    fd = moved;
    if (fd < 0) {
      unlink(kReportName);  // just created, still empty
      return std::string("cannot create the report ") + kReportName + ": " + std::strerror(error);
    }
  }
  out = fdopen(fd, "wb");
  if (!out) {
    const int error = errno;
    close(fd);
    unlink(kReportName);
    return std::string("cannot create the report ") + kReportName + ": " + std::strerror(error);
  }
  return {};
}

std::string cannotWrite(int error) {
  return std::string("cannot write the report ") + kReportName + ": " +
         (error != 0 ? std::strerror(error) : "unknown reason") + "; the report is incomplete";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    std::fputs(kUsage, stderr);
    return kFailure;
  }

  std::string deckBytes;
  if (std::string problem = readDeck(deckBytes); !problem.empty()) return fail(problem);

  std::FILE* out = nullptr;
  if (std::string problem = createReport(out); !problem.empty()) return fail(problem);

  int status = 0;
  bool writeFailed = false;
  {
    EngineDataPtr data = newEngineData();
    scf1s::Report report(out);
    scf1s::DeckReader deck(deckBytes, kDeckName);
    try {
      if (!data) throw std::bad_alloc();
      scf1s::runDeck(deck, *data, report);
    } catch (const scf1s::DeckError& e) {
      status = fail(e.what());
    } catch (const std::exception& e) {
      status = fail(std::string("internal error: ") + e.what());
    }
    writeFailed = !report.flush();
    if (writeFailed) status = fail(cannotWrite(report.sinkError()));
  }
  errno = 0;
  if (std::fclose(out) != 0 && !writeFailed) status = fail(cannotWrite(errno));
  return status;
}
