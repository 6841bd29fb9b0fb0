#pragma once

#include <string_view>
#include <vector>

namespace vorden {

// Splits a text file's content into its lines. A line ends at a line feed, a
// carriage return, or a carriage return followed by a line feed, so files
// from any system read the same. The line ends are not part of the lines; a
// last line without a line end still counts, and a line end at the very end
// of the content does not start another line.
std::vector<std::string_view> splitLines(std::string_view content);

}  // namespace vorden
