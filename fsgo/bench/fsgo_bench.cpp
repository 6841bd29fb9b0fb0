// Whole optimisations of the example decks from their rough starts: the
// deck read, every evaluation and the report text, as a run makes them
// (without the file writes).
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "deck_input.h"
#include "optimisation_report.h"
#include "sphere_optimiser.h"

namespace {

void optimiseExample(benchmark::State& state, const char* name) {
  std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name + "/scf1s.dat", std::ios::binary);
  std::stringstream deck;
  deck << in.rdbuf();
  const std::string bytes = deck.str();
  for (auto _ : state) {
    const fsgo::DeckInput input = fsgo::readDeckForOptimisation(bytes, "scf1s.dat");
    fsgo::OptimiserSettings settings;
    std::string report;
    const auto result = fsgo::optimiseSpheres(input.molecule, settings,
                                              [&](const fsgo::OptimiserStep& s) { report += fsgo::stepLine(s); });
    report += fsgo::reportResult(result, settings);
    benchmark::DoNotOptimize(report.data());
    state.counters["evaluations"] = result.evaluations;
  }
}

BENCHMARK_CAPTURE(optimiseExample, methane_five_spheres, "fsgo-methane")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(optimiseExample, ethane_nine_spheres, "fsgo-ethane")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
