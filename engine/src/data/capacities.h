#pragma once

namespace scf1s {

// Fixed capacities of the engine: nothing is sized per deck.
inline constexpr int kMaxAtoms = 10;
inline constexpr int kMaxSpheres = 20;
inline constexpr int kMaxPairs = kMaxSpheres * (kMaxSpheres + 1) / 2;  // 210

// pi as the decimal constant used in every integral formula, and 2*pi^(5/2).
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPiToFiveHalves = 34.986836655108;

}  // namespace scf1s
