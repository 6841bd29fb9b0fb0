#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorden {

// One atom line of a coordinate file: the two-character symbol as it stands
// and the three coordinate texts, plus what the element table gave for it.
struct AtomLine {
  std::string symbol;  // exactly two characters
  std::string x, y, z;    // as written in the file; each a plain decimal number
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

// The message for an element the chosen basis set does not admit.
inline constexpr std::string_view kOutOfRangeMessage =
    "An out-of-range element was discovered in this file.  "
    "Make sure the desired basis set has been selected.";

struct CoordinateReading {
  std::vector<AtomLine> atoms;
  CoordinateFailure failure;  // kind None on success
};

// Reads the atom lines of a coordinate file's content for the basis-set index
// (0 to 6). fileName is used in messages only.
//
// Lines end at LF, CR or CRLF. An atom line begins with a character from "A"
// upward; its first two characters are the symbol, and the x, y and z texts
// follow, separated by blanks (only blanks; fields after z are ignored). The
// list ends at the end of the content, at an empty line, or at a line that
// begins below "A" (a digit, a blank, punctuation). A standard XYZ file, whose
// first line is the atom count and second a comment, has those two lines
// skipped and must then hold as many atom lines as it announces.
//
// Fails with kind Format, naming the file, the line and what was expected,
// for a line that cannot be split into a symbol and three coordinates, a
// coordinate that is not a plain decimal number or has more integer digits
// than lobe.dat's nine columns take, a file without atom lines, and an atom
// count that does not match; with kind OutOfRange (kOutOfRangeMessage) for a
// symbol the basis set does not admit. The first faulty line decides.
CoordinateReading readCoordinates(std::string_view content, int basisSet, std::string_view fileName);

}  // namespace vorden
