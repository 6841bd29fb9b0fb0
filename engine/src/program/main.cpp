// scf1s: reads the deck scf1s.dat from the current folder, runs one
// closed-shell SCF calculation (or the parabolic-minimum mode) and writes the
// report scf1s.out there. The report must not exist before the run.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
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

constexpr const char* kUsage =
    "usage: scf1s [--help]\n"
    "\n"
    "Floating-sphere SCF for classrooms. Run it, with no arguments, in the folder that\n"
    "holds the input deck scf1s.dat: it writes the report scf1s.out beside it. An\n"
    "existing scf1s.out is never overwritten: move or delete it before each run.\n"
    "A deck whose first record has par = 1 reports the vertex of the parabola through\n"
    "three points instead. Ready decks are in the package's examples/ folder; the\n"
    "README explains the deck's columns and how to read the report.\n";

bool readWholeFile(std::FILE* f, std::string& bytes) {
  char buf[1 << 16];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
  return !std::ferror(f);
}

int fail(const std::string& message) {
  std::fprintf(stderr, "scf1s: %s\n", message.c_str());
  return kFailure;
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
  {
    std::FILE* deck = std::fopen(kDeckName, "rb");
    if (!deck)
      return fail(std::string("cannot open the deck ") + kDeckName + " in the current folder: " + std::strerror(errno));
    bool ok = readWholeFile(deck, deckBytes);
    std::fclose(deck);
    if (!ok) return fail(std::string("cannot read the deck ") + kDeckName);
  }

  // "x": the report is created new; an existing one is left untouched.
  std::FILE* out = std::fopen(kReportName, "wbx");
  if (!out) {
    if (errno == EEXIST)
      return fail(std::string("the report ") + kReportName +
                  " already exists in the current folder; it has not been touched. Move or delete it, then run again.");
    return fail(std::string("cannot create the report ") + kReportName + ": " + std::strerror(errno));
  }

  int status = 0;
  {
    auto data = std::make_unique<scf1s::EngineData>();
    scf1s::Report report(out);
    scf1s::DeckReader deck(deckBytes, kDeckName);
    try {
      scf1s::runDeck(deck, *data, report);
    } catch (const scf1s::DeckError& e) {
      status = fail(e.what());
    } catch (const std::exception& e) {
      status = fail(std::string("internal error: ") + e.what());
    }
    if (!report.flush() && status == 0) status = fail(std::string("cannot write the report ") + kReportName);
  }
  if (std::fclose(out) != 0 && status == 0) status = fail(std::string("cannot write the report ") + kReportName);
  return status;
}
