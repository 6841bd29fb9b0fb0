#pragma once

#include <array>
#include <string>

#include "capacities.h"
#include "matrix.h"
#include "pair_index.h"

namespace scf1s {

// The integers of the deck's first record.
struct DeckParameters {
  int nat = 0;  // atoms that follow
  int nbs = 0;  // basis spheres that follow
  int nel = 0;  // electrons
  int iop = 0;  // <= 1 single-centre (Slater) kind, >= 2 multi-centre (Gaussian) kind
  int lit = 0;  // SCF iteration limit
  int mul = 0;  // > 1 suppresses the Mulliken and Mayer analyses
  int par = 0;  // 1 selects the parabolic-minimum mode
};

struct Atom {
  double zn = 0, x = 0, y = 0, z = 0;  // nuclear charge and position (bohr)
};

struct Sphere {
  double alpha = 0, x = 0, y = 0, z = 0;  // exponent and centre (bohr)
};

// Everything one run reads and writes, at fixed capacities. Atoms and spheres
// are indexed from 1 through atom(a) and sphere(s).
struct EngineData {
  DeckParameters deck;
  std::string title;  // columns 1-60 of the first record

  std::array<Atom, kMaxAtoms> atoms{};
  std::array<Sphere, kMaxSpheres> spheres{};
  Atom& atom(int a) { return atoms[a - 1]; }
  const Atom& atom(int a) const { return atoms[a - 1]; }
  Sphere& sphere(int s) { return spheres[s - 1]; }
  const Sphere& sphere(int s) const { return spheres[s - 1]; }

  Matrix S, H, F, C, P, previousP;
  Vector E;
  Matrix overlapWork, energyWork;  // handed to orbsolve, which overwrites both
  Matrix storedSInvHalf;           // S^-1/2, built at the core-Hamiltonian solve

  PairIndex pair;
  IntegralList integrals;

  int noc = 0;
  int iteration = 0;
  double electronicEnergy = 0;
  double previousElectronicEnergy = 0;
  double nuclearRepulsion = 0;
  double tolerance = 1.0e-12;
};

}  // namespace scf1s
