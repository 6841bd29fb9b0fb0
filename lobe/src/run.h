#pragma once

#include <filesystem>

namespace lobe {

// The exit statuses of a run, also listed by `vorden --help`.
enum ExitStatus : int {
  kCompleted = 0,
  kFileError = 1,          // lobe.out or lobe.json cannot be written
  kBadInput = 2,           // lobe.dat missing or malformed, or a molecule that cannot be
  kUnsupportedRequest = 3, // a basis set or element this engine has no data for
  kNotConverged = 4,       // the SCF did not converge within its iteration limit
};

struct RunSettings {
  std::filesystem::path folder;         // holds lobe.dat; lobe.out and lobe.json go there
  std::filesystem::path basisFolder;    // the basis-library files
  unsigned threads = 2;
};

// One run of the engine: reads lobe.dat, computes and writes lobe.out as it
// goes and lobe.json at the end. Returns the exit status.
int runLobeEngine(const RunSettings& settings);

}  // namespace lobe
