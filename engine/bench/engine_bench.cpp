// Hot spots of the engine on the largest example (20 spheres): the list pass
// of the two-electron integrals, one Fock build, the report writer, and a
// whole run from the deck to the last report line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "deck_reader.h"
#include "fock.h"
#include "jacobi.h"
#include "matrix_printer.h"
#include "orbsolve.h"
#include "run.h"
#include "scf_cycle.h"

namespace {

std::string largestDeck() {
  std::ifstream in(EXAMPLES_DIR "/methane-20/scf1s.dat", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A finished run of the largest example: integrals stored, P and F filled.
std::unique_ptr<scf1s::EngineData> finishedRun() {
  auto data = std::make_unique<scf1s::EngineData>();
  std::string deck = largestDeck();
  scf1s::DeckReader reader(deck, "scf1s.dat");
  scf1s::Report report;
  scf1s::runDeck(reader, *data, report);
  return data;
}

// The list pass as a run makes it: the lines go out in large pieces to a file
// (here /dev/null), as they do to scf1s.out.
void BM_IntegralListPass(benchmark::State& state) {
  auto data = finishedRun();
  std::FILE* sink = std::fopen("/dev/null", "wb");
  for (auto _ : state) {
    scf1s::Report report(sink);
    scf1s::integralListPass(*data, report);
    benchmark::DoNotOptimize(data->integrals.v.data());
  }
  std::fclose(sink);
}
BENCHMARK(BM_IntegralListPass)->Unit(benchmark::kMicrosecond);

void BM_FockBuild(benchmark::State& state) {
  auto data = finishedRun();
  data->P = data->previousP;
  for (auto _ : state) {
    scf1s::buildFock(*data);
    benchmark::DoNotOptimize(data->F.v.data());
  }
}
BENCHMARK(BM_FockBuild)->Unit(benchmark::kMicrosecond);

// One diagonalisation of the last Fock matrix of the run (order 20).
void BM_Jacobi(benchmark::State& state) {
  auto data = finishedRun();
  scf1s::Matrix U;
  for (auto _ : state) {
    scf1s::Matrix A = data->F;
    scf1s::jacobi(A, 20, U, 1.0e-12);
    benchmark::DoNotOptimize(A.v.data());
    benchmark::DoNotOptimize(U.v.data());
  }
}
BENCHMARK(BM_Jacobi)->Unit(benchmark::kMicrosecond);

// One orbital solve of an SCF iteration: transform, diagonalise, back-transform,
// sort, and the orbital energy lines.
void BM_OrbitalSolve(benchmark::State& state) {
  auto data = finishedRun();
  for (auto _ : state) {
    scf1s::Report report;
    data->overlapWork = data->S;
    data->energyWork = data->F;
    scf1s::orbsolve(data->overlapWork, data->E, data->energyWork, 20, 1.0e-12, 1, data->storedSInvHalf,
                    report);
    benchmark::DoNotOptimize(data->energyWork.v.data());
  }
}
BENCHMARK(BM_OrbitalSolve)->Unit(benchmark::kMicrosecond);

void BM_ReportWriterMatrix(benchmark::State& state) {
  auto data = finishedRun();
  for (auto _ : state) {
    scf1s::Report report;
    scf1s::printMatrix(report, 20, data->F);
    benchmark::DoNotOptimize(report.text().data());
  }
}
BENCHMARK(BM_ReportWriterMatrix)->Unit(benchmark::kMicrosecond);

void BM_WholeRun(benchmark::State& state) {
  std::string deck = largestDeck();
  for (auto _ : state) {
    auto data = std::make_unique<scf1s::EngineData>();
    std::FILE* sink = std::fopen("/dev/null", "wb");
    {
      scf1s::DeckReader reader(deck, "scf1s.dat");
      scf1s::Report report(sink);
      scf1s::runDeck(reader, *data, report);
    }
    std::fclose(sink);
  }
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
