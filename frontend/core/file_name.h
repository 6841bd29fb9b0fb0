#pragma once

#include <string>
#include <string_view>

namespace vorden {

// The name of a file without its folders: the part of strFullPath after the
// last "/" or "\" (both separate folders, so a Windows-style path typed on
// Linux still gives its name). A path without a separator is returned
// unchanged; a path that ends in a separator gives an empty text.
std::string GetFilename(std::string_view strFullPath);

}  // namespace vorden
