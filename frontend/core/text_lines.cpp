#include "text_lines.h"

namespace vorden {

std::vector<std::string_view> splitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, end - start));
    const bool crLf = content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
  return lines;
}

}  // namespace vorden
