// Thousands of damaged decks through the deck reader and the run driver: none
// may crash or hang, and each either reads or fails with a message that
// starts with the file name and names a line.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "program_runner.h"

namespace scf1s {
namespace {

using test::deckText;
using test::h2Records;
using test::parabolaRecords;
using test::pointsRecord;
using test::runInProcess;

constexpr int kCases = 3000;
constexpr std::uint64_t kSeed = 0x5CF15EEDull;

// Printable form of deck bytes for failure messages.
std::string escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\n') {
      out += "\\n\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 32 || c >= 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// Damages decks at random, reproducibly: mt19937_64 is the same everywhere,
// and only its raw output is used (no library distributions).
class DeckMutator {
 public:
  explicit DeckMutator(std::uint64_t seed) : rng_(seed) {}

  std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : rng_() % n; }

  std::string mutate(std::string deck) {
    const int steps = 1 + static_cast<int>(below(4));
    for (int k = 0; k < steps; ++k) step(deck);
    return deck;
  }

 private:
  char pick() {
    static const std::string pool = "0123456789  ..EeDd--++abxzQ\r\n\t";
    if (below(8) == 0) return static_cast<char>(below(256));
    return pool[below(pool.size())];
  }

  // A position whose change cannot raise the counts of record 1: columns
  // 61-80 of the first line stay as they are, so no mutated deck asks for a
  // large SCF run.
  std::size_t safePosition(const std::string& deck) {
    for (int tries = 0; tries < 8; ++tries) {
      std::size_t p = below(deck.size() + 1);
      if (p < 60 || p >= 80) return p;
    }
    return below(std::min<std::size_t>(deck.size() + 1, 60));
  }

  void step(std::string& deck) {
    switch (below(9)) {
      case 0:
      case 1: {  // change one byte
        if (deck.empty()) break;
        std::size_t p = safePosition(deck);
        if (p < deck.size()) deck[p] = pick();
        break;
      }
      case 2:
      case 3:  // insert a digit, letter, blank, point, exponent letter, sign or line end
        deck.insert(safePosition(deck), 1, pick());
        break;
      case 4: {  // delete one byte
        std::size_t p = safePosition(deck);
        if (p < deck.size()) deck.erase(p, 1);
        break;
      }
      case 5:  // cut the deck short
        deck.resize(below(deck.size() + 1));
        break;
      case 6: {  // line ends: LF to CRLF, LF to CR, LF dropped, CR added
        std::size_t p = deck.find('\n', below(deck.size() + 1));
        if (p == std::string::npos) p = deck.find('\n');
        if (p == std::string::npos) break;
        switch (below(4)) {
          case 0: deck.insert(p, 1, '\r'); break;
          case 1: deck[p] = '\r'; break;
          case 2: deck.erase(p, 1); break;
          default: deck.insert(p + 1, 1, '\r'); break;
        }
        break;
      }
      case 7: {  // blank out or double a stretch of one line (beyond record 1's counts)
        std::size_t p = safePosition(deck);
        std::size_t n = 1 + below(12);
        if (p >= deck.size()) break;
        n = std::min(n, deck.size() - p);
        if (p < 80 && p + n > 60) n = 60 > p ? 60 - p : 0;
        if (below(2) == 0)
          deck.replace(p, n, n, ' ');
        else
          deck.insert(p, deck.substr(p, n));
        break;
      }
      default: {  // repeat or drop a whole line after the first
        std::size_t start = deck.find('\n');
        if (start == std::string::npos) break;
        ++start;
        for (std::uint64_t skip = below(5); skip > 0; --skip) {
          std::size_t next = deck.find('\n', start);
          if (next == std::string::npos) break;
          start = next + 1;
        }
        std::size_t end = deck.find('\n', start);
        end = end == std::string::npos ? deck.size() : end + 1;
        if (below(2) == 0)
          deck.insert(start, deck.substr(start, end - start));
        else
          deck.erase(start, end - start);
        break;
      }
    }
  }

  std::mt19937_64 rng_;
};

// Aborts the whole test program, naming the deck, when one case runs far
// longer than any deck of this size may take: a hang must not pass quietly.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void start(const std::string& deck) {
    std::lock_guard<std::mutex> lock(mutex_);
    deck_ = deck;
    started_ = std::chrono::steady_clock::now();
    running_ = true;
  }
  void stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
  }

 private:
  void watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!done_) {
      wake_.wait_for(lock, std::chrono::milliseconds(200));
      if (running_ && std::chrono::steady_clock::now() - started_ > limit_) {
        std::fprintf(stderr, "deck robustness: a run took more than %lld s on this deck:\n%s\n",
                     static_cast<long long>(limit_.count()), escaped(deck_).c_str());
        std::abort();
      }
    }
  }

  std::chrono::seconds limit_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false, running_ = false;
  std::string deck_;
  std::chrono::steady_clock::time_point started_;
  std::thread thread_;
};

std::size_t recordCount(const std::string& deck) {
  std::size_t n = 0;
  for (char c : deck) n += c == '\n';
  return n + (!deck.empty() && deck.back() != '\n');
}

// Empty when the outcome is acceptable, else what is wrong with it.
std::string judge(const std::string& deck, const test::EngineOutcome& out) {
  if (out.read) {
    if (!deck.empty() && out.report.empty()) return "read without writing a line";
    return "";
  }
  if (out.error.empty()) return "an empty failure message";
  if (out.error.rfind("scf1s.dat", 0) != 0) return "the message does not start with the file name: " + out.error;
  const std::vector<long> lines = test::namedLines(out.error);
  if (lines.empty()) return "the message names no line: " + out.error;
  const long line = lines.front();
  if (line < 1 || static_cast<std::size_t>(line) > recordCount(deck) + 1)
    return "the message names line " + std::to_string(line) + " of a deck of " + std::to_string(recordCount(deck)) +
           " records: " + out.error;
  return "";
}

// The same deck with every LF turned into CRLF (for decks without any CR).
std::string withCrlf(const std::string& deck) {
  std::string out;
  for (char c : deck) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST(DeckRobustness, DamagedDecksReadOrFailWithAMessage) {
  const std::vector<std::string> bases{
      deckText(h2Records()), deckText(h2Records(), "\r\n"),
      deckText(parabolaRecords(pointsRecord("1.4", "1.5", "1.6"), pointsRecord("-1.1336", "-1.1371", "-1.1349"))),
      deckText(parabolaRecords(pointsRecord("1", "2", "3"), pointsRecord("3", "1", "3")), "\r\n")};

  DeckMutator mutator(kSeed);
  Watchdog watchdog(std::chrono::seconds(20));
  int failures = 0, read = 0, refused = 0, crlfChecked = 0;
  const auto begin = std::chrono::steady_clock::now();
  for (int k = 0; k < kCases && failures < 5; ++k) {
    const std::string deck = mutator.mutate(bases[static_cast<std::size_t>(k) % bases.size()]);
    watchdog.start(deck);
    test::EngineOutcome out;
    try {
      out = runInProcess(deck);
    } catch (const std::exception& e) {
      watchdog.stop();
      ADD_FAILURE() << "case " << k << ": exception other than DeckError: " << e.what() << "\ndeck:\n" << escaped(deck);
      ++failures;
      continue;
    }
    const std::string problem = judge(deck, out);
    if (!problem.empty()) {
      ADD_FAILURE() << "case " << k << ": " << problem << "\ndeck:\n" << escaped(deck);
      ++failures;
    }
    (out.read ? read : refused)++;

    // Line ends must not matter: the same deck with CRLF gives the same
    // report, or the same message.
    if (deck.find('\r') == std::string::npos && deck.find('\n') != std::string::npos) {
      const auto crlf = runInProcess(withCrlf(deck));
      ++crlfChecked;
      if (crlf.read != out.read || crlf.report != out.report || crlf.error != out.error) {
        ADD_FAILURE() << "case " << k << ": the CRLF deck reads differently\nLF:   " << (out.read ? "read" : out.error)
                      << "\nCRLF: " << (crlf.read ? "read" : crlf.error) << "\ndeck:\n" << escaped(deck);
        ++failures;
      }
    }
    watchdog.stop();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  // Both outcomes must actually occur, or the mutations test nothing.
  EXPECT_GT(read, kCases / 20);
  EXPECT_GT(refused, kCases / 4);
  EXPECT_GT(crlfChecked, kCases / 10);
  RecordProperty("read", read);
  RecordProperty("refused", refused);
  std::printf("[ deck robustness ] %d decks read, %d refused, %d CRLF twins, %.2f s\n", read, refused, crlfChecked,
              seconds);
}

// Decks that read but hold extreme numbers (huge, tiny, subnormal, signed
// zeros) in every real field: the run must go to its end without a crash.
TEST(DeckRobustness, ExtremeValuesRunToTheEnd) {
  const std::vector<std::string> charges{"1.0", "2.0", "-1.0", "0", "36.9", "37.0", "1.E300", "-1.E300", "1.E-300"};
  const std::vector<std::string> coordinates{"0",       "-0.0",      "0.7",     "-1.4",    "1.E300",  "-1.E300",
                                             "1.E-300", "4.9E-318",  "1.7E308", "9999.99", "1.E-7"};
  const std::vector<std::string> exponents{"1.0",    "0.5",     "3.0",      "1.E300", "1.E-300",
                                           "1.E-20", "1.E20",   "4.9E-324", "1.7E308"};
  DeckMutator pick(kSeed + 1);
  auto from = [&](const std::vector<std::string>& list) { return list[pick.below(list.size())]; };
  Watchdog watchdog(std::chrono::seconds(20));
  int completed = 0, refused = 0;
  for (int k = 0; k < 400; ++k) {
    const int nat = 1 + static_cast<int>(pick.below(3)), nbs = 1 + static_cast<int>(pick.below(3));
    char counts[32];
    std::snprintf(counts, sizeof counts, "%3d%3d%3d%3d%3d%3d 0", nat, nbs, static_cast<int>(pick.below(7)),
                  1 + static_cast<int>(pick.below(2)), 1 + static_cast<int>(pick.below(3)),
                  static_cast<int>(pick.below(3)));
    std::vector<std::string> records{test::firstRecord("extreme values", counts)};
    for (int a = 0; a < nat; ++a)
      records.push_back(test::atomRecord(from(charges), from(coordinates), from(coordinates), from(coordinates)));
    for (int b = 0; b < nbs; ++b)
      records.push_back(test::sphereRecord(from(exponents), from(coordinates), from(coordinates), from(coordinates)));
    const std::string deck = deckText(records);
    watchdog.start(deck);
    try {
      const auto out = runInProcess(deck);
      if (out.read) {
        ++completed;
        EXPECT_NE(out.report.find("**** Total Energy ="), std::string::npos) << "case " << k << ":\n" << deck;
      } else {
        ++refused;  // two atoms at one place in the multi-centre kind
        EXPECT_EQ(judge(deck, out), "") << deck;
      }
    } catch (const std::exception& e) {
      ADD_FAILURE() << "case " << k << ": exception other than DeckError: " << e.what() << "\ndeck:\n" << deck;
    }
    watchdog.stop();
  }
  EXPECT_GT(completed, 200);
  std::printf("[ deck robustness ] extreme values: %d runs completed, %d refused\n", completed, refused);
}

}  // namespace
}  // namespace scf1s
