#include "standin_run.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <system_error>

#include "lobe_dat_reader.h"
#include "lobe_out_report.h"

namespace vorden {
namespace {

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return content.str();
}

bool writeReport(const std::filesystem::path& folder, const std::string& report) {
  const std::filesystem::path target = folder / "lobe.out";
  const std::filesystem::path temporary = folder / "lobe.out.partial";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << report;
    file.close();
    if (!file) {
      std::cerr << "vorden: cannot write " << temporary.string() << "\n";
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::cerr << "vorden: cannot create " << target.string() << ": " << error.message() << "\n";
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace

int runStandin(const std::filesystem::path& folder) {
  const std::filesystem::path input = folder / "lobe.dat";
  std::string report;
  int status = 1;

  std::error_code error;
  if (!std::filesystem::is_regular_file(input, error)) {
    report = reportForUnreadableInput("there is no file lobe.dat in " + folder.string() + ".");
  } else if (const std::optional<std::string> bytes = readWholeFile(input); !bytes) {
    report = reportForUnreadableInput("the file " + input.string() + " cannot be opened for reading.");
  } else {
    const LobeDatCheck check = readLobeDat(*bytes);
    if (check.deck) {
      report = reportForDeck(*check.deck);
      status = 0;
    } else {
      report = reportForProblem(*check.problem);
    }
  }

  if (status != 0) std::cerr << report;
  if (!writeReport(folder, report)) return 1;
  return status;
}

}  // namespace vorden
