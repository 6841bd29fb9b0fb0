#pragma once

#include <optional>
#include <string>

#include "lobe_deck.h"

namespace vorden::standin {

// The codes lobe.dat carries and the words the form shows for them.

// The basis set's caption, for indexes 0 to 6.
std::optional<std::string> basisSetCaption(int basisSet);

// "C2v" and so on for symmetry values 0 to 7 (0 stands for both C1 and Cnvx).
std::optional<std::string> symmetryName(int symmetry);

// "P-31" and so on for the NMR nuclei the form offers, "none" for 0.
std::optional<std::string> nmrNucleusName(int atomicNumber);

// "D-2" and so on for the isotopes the form offers, "none" for 0.
std::optional<std::string> isotopeName(int massNumber);

std::string postHartreeFockName(PostHartreeFock choice);
std::string printLevelWords(int printLevel);
std::string optimisationWords(int level);

}  // namespace vorden::standin
