#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine_data.h"
#include "geometry.h"

namespace scf1s {

// The two-electron integral (ij|kl) over spheres i, j, k, l of the sphere table.
double twoint(int i, int j, int k, int l, int iop, const EngineData& data);

// What an integral over floating 1s Gaussians takes from one of its sphere
// pairs (i, j) with exponents a and b.
struct GaussianPair {
  double a = 0, b = 0;
  double ab = 0;        // a * b
  double p = 0;         // a + b
  double exponent = 0;  // (a b / p) |A - B|^2, one half of the exp(-...) argument
  Point centre;         // the centre of the product of the two Gaussians
};

GaussianPair gaussianPair(const Sphere& si, const Sphere& sj);

// F0 of the arguments met so far, kept by their bits: in a molecule with
// symmetry many quartets have the same t to the last bit (methane's 20
// spheres: 2,156 different values in 21,546 quartets that need the power in
// F0). The same function of the same argument gives the same bits. Open
// addressing in a fixed table; once it is three quarters full, further
// arguments are computed without being kept.
class FzeroTable {
 public:
  FzeroTable();
  double operator()(double t);

 private:
  static constexpr int kBits = 12;
  static constexpr std::size_t kSlots = std::size_t{1} << kBits;
  struct Entry {
    std::uint64_t key = 0;  // the bits of t; 0 (t = +0) marks an empty slot
    double value = 0;
  };
  std::unique_ptr<Entry[]> entries_;
  std::size_t kept_ = 0;
};

// The integrals of many quartets over one sphere table, each equal to twoint
// bit for bit: the Gaussian pairs are formed once, by the same expressions,
// and F0 is taken from a table for arguments it has already been given.
class QuartetIntegrals {
 public:
  explicit QuartetIntegrals(const EngineData& data);
  double operator()(int i, int j, int k, int l);

 private:
  const EngineData& data_;
  std::array<GaussianPair, kMaxSpheres * kMaxSpheres> pairs_{};
  FzeroTable fzero_;
};

}  // namespace scf1s
