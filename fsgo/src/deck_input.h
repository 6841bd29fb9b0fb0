#pragma once

#include <string>
#include <string_view>

#include "molecule.h"

namespace fsgo {

// A deck read for optimisation: the molecule, and the deck's first record as
// it stands (its first 80 columns), to head the optimised deck.
struct DeckInput {
  std::string firstRecord;
  Molecule molecule;
};

// Reads the deck with the engine's own deck reader, so the fields, refusals
// and messages are the engine's. Refuses, with the engine's DeckError naming
// the file, line and columns, also what cannot be optimised: the parabola
// mode, the single-centre kind, a deck without nuclei, an odd or zero
// electron count, and fewer spheres than electron pairs.
DeckInput readDeckForOptimisation(std::string_view bytes, const std::string& fileName);

}  // namespace fsgo
