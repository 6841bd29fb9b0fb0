// vorden: the lobe engine. Started without arguments in the folder that holds
// lobe.dat; writes lobe.out and lobe.json there.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <thread>

#include "basis_library.h"
#include "run.h"

namespace {

constexpr const char* kUsage =
    "usage: vorden\n"
    "Reads lobe.dat in the current folder (as VORDEN Input writes it), runs a Hartree-Fock\n"
    "(RHF or UHF) and, when asked, MP2 calculation over Gaussian lobe functions, and writes\n"
    "the report lobe.out (as the run goes) and the result lobe.json (QCSchema output form).\n"
    "Exit status: 0 completed; 1 a file could not be written; 2 bad input (lobe.dat missing or\n"
    "malformed, or an impossible molecule); 3 unsupported request (a basis set or element\n"
    "without data); 4 the SCF did not converge.\n";

std::filesystem::path programFolder(const char* argv0) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path();
  return std::filesystem::absolute(argv0, error).parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc > 1) {
    std::cerr << kUsage;
    return lobe::kBadInput;
  }
  lobe::RunSettings settings;
  std::error_code error;
  settings.folder = std::filesystem::current_path(error);
  if (error) {
    std::cerr << "vorden: cannot determine the current folder: " << error.message() << "\n";
    return lobe::kFileError;
  }
  settings.basisFolder = lobe::findBasisFolder(programFolder(argv[0]));
  settings.threads = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
  return lobe::runLobeEngine(settings);
}
