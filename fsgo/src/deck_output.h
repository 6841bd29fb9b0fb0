#pragma once

#include <string>

#include "molecule.h"

namespace fsgo {

// The optimised deck: the first record as given, then the nuclei (4F10.6)
// and the spheres (F20.14, 3F10.6), each number to the full width of its
// field, so that the deck runs through scf1s as it stands. Throws
// std::runtime_error when a number does not fit its field.
std::string optimisedDeck(const std::string& firstRecord, const Molecule& molecule);

}  // namespace fsgo
