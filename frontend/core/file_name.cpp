#include "file_name.h"

namespace vorden {

std::string GetFilename(std::string_view strFullPath) {
  const std::size_t lastSeparator = strFullPath.find_last_of("/\\");
  if (lastSeparator == std::string_view::npos) return std::string(strFullPath);
  return std::string(strFullPath.substr(lastSeparator + 1));
}

}  // namespace vorden
