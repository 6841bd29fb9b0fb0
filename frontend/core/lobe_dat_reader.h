#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lobe_deck.h"

namespace vorden {

// The first thing wrong with a lobe.dat, and where it is.
struct LobeDatProblem {
  int line = 0;         // 1-based line of lobe.dat
  std::string where;    // "line 2 (atom record 1), columns 12-20 (x coordinate)"
  std::string what;     // "expected ..., found ..."
};

struct LobeDatCheck {
  std::optional<LobeDeck> deck;          // when well formed
  std::optional<LobeDatProblem> problem;  // otherwise
};

// Checks lobe.dat's bytes against its record layout and decodes them: the
// options record, one atom record per atom (the first with the charge), an
// empty line, the closing record and an empty line, each ended by a line feed,
// and a final carriage return and line feed. Every fixed column is checked:
// blanks where blanks belong, codes from the form's lists, symbols and atomic
// numbers the basis set admits, nine-column coordinates with a decimal point,
// and lobe parameters exactly where the basis set calls for them.
LobeDatCheck readLobeDat(std::string_view bytes);

}  // namespace vorden
