#pragma once

#include <cstring>

namespace scf1s {

// Two doubles processed together. The operations act entry by entry, each
// rounded exactly as the same operation on single doubles, so a loop over
// pairs gives the bits of the plain loop.
using DoublePair = double __attribute__((vector_size(16)));

inline DoublePair loadPair(const double* at) {
  DoublePair v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

inline void storePair(double* at, DoublePair v) { std::memcpy(at, &v, sizeof v); }

}  // namespace scf1s
