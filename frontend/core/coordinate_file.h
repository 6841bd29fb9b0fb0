#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorden {

// One atom line of a coordinate file: the two-character symbol as it stands
// and the three coordinate texts, plus what the element table gave for it.
struct AtomLine {
  std::string symbol;  // exactly two characters
  std::string x, y, z;
  std::string number;     // two-character atomic number
  std::string lobeInfo;   // 30-character lobe parameter text, or empty
  int lineNumber = 0;     // 1-based line in the file
};

struct CoordinateFailure {
  enum class Kind {
    None,
    OutOfRange,  // an element the basis set does not admit (fixed message, information icon)
    Format,      // a line that cannot be read, or no atoms at all (message names file and line)
    File,        // the file cannot be opened or read
  };
  Kind kind = Kind::None;
  std::string message;  // the text to show
};

struct CoordinateReading {
  std::vector<AtomLine> atoms;
  CoordinateFailure failure;  // kind None on success
};

// Reads the atom lines of a coordinate file's content for the basis-set index
// (0 to 6). fileName is used in messages only.
CoordinateReading readCoordinates(std::string_view content, int basisSet, std::string_view fileName);

}  // namespace vorden
