#pragma once

#include <string>
#include <string_view>

#include "lobe_dat_reader.h"
#include "lobe_deck.h"

namespace vorden {

// The first line of every lobe.out the stand-in writes, so that nobody takes
// it for the lobe engine's results.
inline constexpr std::string_view kStandinHeadline =
    "VORDEN stand-in: this is a check of the input file lobe.dat, not a lobe calculation.";

// lobe.out for a well-formed lobe.dat: the options in words, the atom table,
// the molecular formula, the electron count and the spin check.
std::string reportForDeck(const LobeDeck& deck);

// lobe.out for a malformed lobe.dat: what is wrong and where.
std::string reportForProblem(const LobeDatProblem& problem);

// lobe.out when lobe.dat cannot be read at all.
std::string reportForUnreadableInput(std::string_view reason);

}  // namespace vorden
