// The engine's F0 compiled once more under the name approximateFzero, so that
// the measurement can switch between it and the exact F0 (see
// overlap_threshold.cpp, which defines the fzero that the integrals call).
#define fzero approximateFzero
#include "../src/integrals/fzero.cpp"
