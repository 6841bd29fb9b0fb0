// fsgo: optimises the floating spheres of the deck scf1s.dat in the current
// folder by minimising the closed-shell Hartree-Fock energy, and writes the
// report fsgo.out and the optimised deck fsgo.dat beside it. Neither output
// may exist before the run.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "deck_error.h"
#include "deck_input.h"
#include "deck_output.h"
#include "optimisation_report.h"
#include "sphere_optimiser.h"

namespace {

constexpr const char* kDeckName = "scf1s.dat";
constexpr const char* kReportName = "fsgo.out";
constexpr const char* kOptimisedDeckName = "fsgo.dat";
constexpr int kConverged = 0;
constexpr int kFailure = 2;
constexpr int kNotConverged = 3;

constexpr const char* kUsage =
    "usage: fsgo [--exponents-only | --relax-nuclei] [--help]\n"
    "\n"
    "Floating spherical Gaussian orbitals: run it in the folder that holds the deck\n"
    "scf1s.dat (multi-centre kind, iop >= 2). Starting from the deck's spheres, it\n"
    "minimises the closed-shell Hartree-Fock energy over every sphere's exponent and\n"
    "centre, the nuclei fixed, and writes the report fsgo.out and the optimised deck\n"
    "fsgo.dat (rename it to scf1s.dat to run scf1s on it). Existing outputs are never\n"
    "overwritten: move or delete them first.\n"
    "\n"
    "  --exponents-only  keep the sphere centres where the deck puts them\n"
    "  --relax-nuclei    move the nuclei too: a full geometry optimisation\n"
    "\n"
    "Exit status: 0 converged; 3 not converged (the best point is still written);\n"
    "2 the deck was refused or a file could not be read or written.\n";

int fail(const std::string& message) {
  std::fprintf(stderr, "fsgo: %s\n", message.c_str());
  return kFailure;
}

bool readWholeFile(std::FILE* f, std::string& bytes) {
  char buf[1 << 16];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
  return !std::ferror(f);
}

// Creates the file new ("x": an existing one is left untouched).
std::FILE* createNew(const char* name, std::string& error) {
  std::FILE* f = std::fopen(name, "wbx");
  if (!f)
    error = errno == EEXIST ? std::string("the file ") + name +
                                  " already exists in the current folder; it has not been touched. Move or delete "
                                  "it, then run again."
                            : std::string("cannot create ") + name + ": " + std::strerror(errno);
  return f;
}

std::string singularStartMessage(const fsgo::EnergyEvaluation& e) {
  const Eigen::VectorXd& v = e.weakestCombination;
  int first = 0, second = v.size() > 1 ? 1 : 0;
  for (int k = 0; k < v.size(); ++k)
    if (std::abs(v(k)) > std::abs(v(first))) first = k;
  for (int k = 0; k < v.size(); ++k)
    if (k != first && (second == first || std::abs(v(k)) > std::abs(v(second)))) second = k;
  char buf[200];
  std::snprintf(buf, sizeof buf, "%.3e", e.smallestOverlapEigenvalue);
  return std::string(kDeckName) + ": the spheres are linearly dependent (smallest overlap eigenvalue " + buf +
         "): spheres " + std::to_string(first + 1) + " and " + std::to_string(second + 1) +
         " nearly coincide; move one of them or change its exponent";
}

}  // namespace

int main(int argc, char** argv) {
  fsgo::OptimiserSettings settings;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--exponents-only" && settings.freedom == fsgo::Freedom::Spheres) {
      settings.freedom = fsgo::Freedom::ExponentsOnly;
    } else if (arg == "--relax-nuclei" && settings.freedom == fsgo::Freedom::Spheres) {
      settings.freedom = fsgo::Freedom::SpheresAndNuclei;
    } else {
      std::fprintf(stderr, "fsgo: unexpected argument \"%s\" (give at most one of --exponents-only, --relax-nuclei)\n\n",
                   argv[k]);
      std::fputs(kUsage, stderr);
      return kFailure;
    }
  }

  std::string deckBytes;
  {
    std::FILE* deck = std::fopen(kDeckName, "rb");
    if (!deck)
      return fail(std::string("cannot open the deck ") + kDeckName + " in the current folder: " + std::strerror(errno));
    const bool ok = readWholeFile(deck, deckBytes);
    std::fclose(deck);
    if (!ok) return fail(std::string("cannot read the deck ") + kDeckName);
  }

  fsgo::DeckInput input;
  try {
    input = fsgo::readDeckForOptimisation(deckBytes, kDeckName);
  } catch (const scf1s::DeckError& e) {
    return fail(e.what());
  }
  const fsgo::EnergyEvaluation startEvaluation = fsgo::evaluateEnergy(input.molecule, settings.floor);
  if (startEvaluation.singular) return fail(singularStartMessage(startEvaluation));

  std::string error;
  std::FILE* report = createNew(kReportName, error);
  if (!report) return fail(error);
  std::FILE* deckOut = createNew(kOptimisedDeckName, error);
  if (!deckOut) {
    std::fclose(report);
    std::remove(kReportName);  // created empty a moment ago by this run
    return fail(error);
  }

  std::string title = input.firstRecord.substr(0, 60);
  title.erase(title.find_last_not_of(' ') + 1);
  std::fputs(fsgo::reportHeading(title, input.molecule, settings.freedom, startEvaluation).c_str(), report);
  std::fputs(fsgo::stepHeading().c_str(), report);
  const fsgo::OptimisationResult result = fsgo::optimiseSpheres(
      input.molecule, settings, [&](const fsgo::OptimiserStep& step) { std::fputs(fsgo::stepLine(step).c_str(), report); });
  std::fputs(fsgo::reportResult(result, settings).c_str(), report);

  int status = result.converged ? kConverged : kNotConverged;
  try {
    const std::string deckText = fsgo::optimisedDeck(input.firstRecord, result.best);
    std::fputs(deckText.c_str(), deckOut);
  } catch (const std::exception& e) {
    status = fail(std::string("cannot write ") + kOptimisedDeckName + ": " + e.what());
  }
  if (std::fclose(deckOut) != 0 && status != kFailure) status = fail(std::string("cannot write ") + kOptimisedDeckName);
  if (std::fclose(report) != 0 && status != kFailure) status = fail(std::string("cannot write ") + kReportName);
  if (status == kFailure) return status;

  std::printf("fsgo: %s, total energy %.10f hartree (start %.10f); wrote %s and %s\n",
              result.converged ? "converged" : "NOT converged", result.bestEvaluation.total(),
              result.startEvaluation.total(), kReportName, kOptimisedDeckName);
  return status;
}
