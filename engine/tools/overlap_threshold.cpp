// Measures how near to singular the overlap matrix may come before the error
// of the engine's approximate F0 (erf to about 3e-7), amplified by the small
// eigenvalues of S, spoils the total energy. Random molecules with floating
// spheres, some of them nearly coincident, are run twice through the whole
// engine: with its F0 and with an exact F0 (std::erf). For every deck that
// converges both times it records the smallest eigenvalue of S and the
// difference of the total energies, and prints, per quarter decade of the
// smallest eigenvalue, the largest difference found, then the largest
// smallest eigenvalue of a deck whose difference exceeded 1e-4 hartree.
//
// Usage: overlap_threshold [decks] [seed]    (20,000 decks, seed 1 by default)
//        overlap_threshold path/to/scf1s.dat (the two numbers of one deck)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "deck_error.h"
#include "deck_reader.h"
#include "engine_data.h"
#include "jacobi.h"
#include "run.h"

namespace scf1s {

double approximateFzero(double t);

namespace {
bool exactF0 = false;

double exactFzero(double t) {
  if (t < 1e-10) return 1.0 - t / 3.0;
  const double x = std::sqrt(t);
  return 0.5 * std::sqrt(M_PI) * std::erf(x) / x;
}
}  // namespace

// The F0 that the integrals call, for this program only.
double fzero(double t) { return exactF0 ? exactFzero(t) : approximateFzero(t); }

}  // namespace scf1s

namespace {

std::string fixed(double v, int width, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, v);
  return buf;
}

// A random closed-shell molecule in the manner of a classroom deck: 1-4
// nuclei of charge 1 or 2, at least 1.2 bohr apart within a 3-bohr box; one
// sphere on or near each nucleus, then up to 10 spheres in all near the
// nuclei, each with some chance placed instead within 10^-5 .. 1 bohr of the
// previous sphere with a similar exponent; as many electrons as the charge
// allows, with at most half of the spheres occupied.
std::string randomDeck(std::mt19937_64& rng) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto between = [&](double lo, double hi) { return lo + (hi - lo) * unit(rng); };
  const int nat = 1 + static_cast<int>(rng() % 4);
  const int nbs = std::max(nat, 2) + static_cast<int>(rng() % static_cast<unsigned>(11 - std::max(nat, 2)));
  double ax[4], ay[4], az[4];
  int charge = 0;
  std::string atoms;
  for (int a = 0; a < nat; ++a) {
    const int zn = 1 + static_cast<int>(rng() % 2);
    charge += zn;
    for (bool apart = false; !apart;) {
      ax[a] = between(-1.5, 1.5), ay[a] = between(-1.5, 1.5), az[a] = between(-1.5, 1.5);
      apart = true;
      for (int b = 0; b < a; ++b)
        apart = apart && std::hypot(ax[a] - ax[b], ay[a] - ay[b], az[a] - az[b]) >= 1.2;
    }
    atoms += fixed(zn, 10, 6) + fixed(ax[a], 10, 6) + fixed(ay[a], 10, 6) + fixed(az[a], 10, 6) + "\n";
  }
  const int nel = std::max(2, std::min(charge - charge % 2, nbs - nbs % 2));
  std::string spheres;
  double sx = 0, sy = 0, sz = 0, alpha = 1;
  for (int s = 0; s < nbs; ++s) {
    if (s >= nat && unit(rng) < 0.3) {  // close to the previous sphere
      const double r = std::pow(10.0, between(-5.0, 0.0));
      const double th = between(0, M_PI), ph = between(0, 2 * M_PI);
      sx += r * std::sin(th) * std::cos(ph), sy += r * std::sin(th) * std::sin(ph), sz += r * std::cos(th);
      alpha *= std::exp(between(-0.2, 0.2));
    } else {
      const int a = s < nat ? s : static_cast<int>(rng() % static_cast<unsigned>(nat));
      const double spread = s < nat ? 0.2 : 0.6;
      sx = ax[a] + between(-spread, spread), sy = ay[a] + between(-spread, spread), sz = az[a] + between(-spread, spread);
      alpha = std::exp(between(std::log(0.2), std::log(5.0)));
    }
    spheres += fixed(alpha, 20, 14) + fixed(sx, 10, 6) + fixed(sy, 10, 6) + fixed(sz, 10, 6) + "\n";
  }
  char first[128];
  std::snprintf(first, sizeof first, "%-60s%3d%3d%3d%3d%3d%3d%2d\n", "random", nat, nbs, nel, 2, 100, 2, 0);
  return first + atoms + spheres;
}

struct Outcome {
  bool converged = false;
  double total = 0;
  double smallestOverlapEigenvalue = 0;
};

Outcome run(const std::string& deck, bool exact) {
  scf1s::exactF0 = exact;
  auto data = std::make_unique<scf1s::EngineData>();
  scf1s::DeckReader reader(deck, "random.dat");
  scf1s::Report report;
  scf1s::runDeck(reader, *data, report);
  Outcome o;
  o.converged = data->iteration <= data->deck.lit;
  o.total = data->electronicEnergy + data->nuclearRepulsion;
  scf1s::Matrix s = data->S, u;
  scf1s::jacobi(s, data->deck.nbs, u, 1e-12);
  o.smallestOverlapEigenvalue = s(1, 1);
  for (int k = 2; k <= data->deck.nbs; ++k) o.smallestOverlapEigenvalue = std::min(o.smallestOverlapEigenvalue, s(k, k));
  return o;
}

}  // namespace

// With a deck file as the argument: its smallest eigenvalue and difference.
int measureOne(const char* path) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return 2;
  std::string deck;
  char buf[4096];
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, f)) > 0;) deck.append(buf, got);
  std::fclose(f);
  const Outcome approximate = run(deck, false), exact = run(deck, true);
  std::printf("%s: smallest eigenvalue of S %.3e, |dE| %.3e\n", path, approximate.smallestOverlapEigenvalue,
              std::fabs(approximate.total - exact.total));
  return 0;
}

int main(int argc, char** argv) {
  if (argc > 1 && std::strtol(argv[1], nullptr, 10) == 0) return measureOne(argv[1]);
  const long decks = argc > 1 ? std::atol(argv[1]) : 20000;
  std::mt19937_64 rng(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
  // Bands of a quarter decade, floor(4 log10 of the smallest eigenvalue).
  std::map<int, double> worstPerBand;  // largest |dE| in the band
  std::map<int, long> countPerBand;
  double threshold = 0;
  long used = 0;
  for (long k = 0; k < decks; ++k) {
    const std::string deck = randomDeck(rng);
    Outcome approximate, exact;
    try {
      approximate = run(deck, false);
      exact = run(deck, true);
    } catch (const scf1s::DeckError&) {
      continue;  // coincident atoms
    }
    if (!approximate.converged || !exact.converged || !(approximate.smallestOverlapEigenvalue > 0)) continue;
    ++used;
    const double difference = std::fabs(approximate.total - exact.total);
    const double lambda = approximate.smallestOverlapEigenvalue;
    const int band = static_cast<int>(std::floor(4 * std::log10(lambda)));
    worstPerBand[band] = std::max(worstPerBand[band], difference);
    ++countPerBand[band];
    if (difference > 1e-4) threshold = std::max(threshold, lambda);
  }
  std::printf("%ld decks converged with both F0 (of %ld)\n", used, decks);
  std::printf("smallest eigenvalue of S   decks   largest |E(engine F0) - E(exact F0)|\n");
  for (const auto& [band, worst] : worstPerBand)
    std::printf("  [%9.2e, %9.2e)   %7ld   %.3e\n", std::pow(10.0, band / 4.0), std::pow(10.0, (band + 1) / 4.0),
                countPerBand[band], worst);
  std::printf("largest smallest eigenvalue with a difference above 1e-4 hartree: %.3e\n", threshold);
}
