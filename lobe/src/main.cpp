// vorden: the stand-in lobe engine. Started without arguments in the folder
// that holds lobe.dat; checks it and writes lobe.out there.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "standin_run.h"

int main() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  if (error) {
    std::cerr << "vorden: cannot determine the current folder: " << error.message() << "\n";
    return 1;
  }
  return vorden::runStandin(folder);
}
