// Hot spots of the engine on the largest example (20 spheres): the list pass
// of the two-electron integrals (and its integrals and its lines on their
// own), one Fock build, the report writer, a whole run from the deck to the
// last report line, and the whole scf1s process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "deck_reader.h"
#include "fock.h"
#include "jacobi.h"
#include "matrix_printer.h"
#include "orbsolve.h"
#include "quartets.h"
#include "report_layouts.h"
#include "run.h"
#include "scf_cycle.h"
#include "two_electron.h"

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

// The integrals of the list pass alone, without their report lines.
void BM_TwoElectronIntegrals(benchmark::State& state) {
  auto data = finishedRun();
  for (auto _ : state) {
    scf1s::QuartetIntegrals integral(*data);
    scf1s::forEachQuartet(data->deck.nbs, [&](int i, int j, int k, int l) {
      data->integrals(data->pair(i, j), data->pair(k, l)) = integral(i, j, k, l);
    });
    benchmark::DoNotOptimize(data->integrals.v.data());
  }
}
BENCHMARK(BM_TwoElectronIntegrals)->Unit(benchmark::kMicrosecond);

// The report lines of the list pass alone, with the integrals already stored.
void BM_IntegralLines(benchmark::State& state) {
  auto data = finishedRun();
  std::FILE* sink = std::fopen("/dev/null", "wb");
  for (auto _ : state) {
    scf1s::Report report(sink);
    scf1s::forEachQuartet(data->deck.nbs, [&](int i, int j, int k, int l) {
      report.write(scf1s::layouts::integralLine, {i, j, k, l, data->integrals(data->pair(i, j), data->pair(k, l))});
    });
  }
  std::fclose(sink);
}
BENCHMARK(BM_IntegralLines)->Unit(benchmark::kMicrosecond);

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
  long rotations = 0;
  for (auto _ : state) {
    scf1s::Matrix A = data->F;
    rotations += scf1s::jacobi(A, 20, U, 1.0e-12).rotations;
    benchmark::DoNotOptimize(A.v.data());
    benchmark::DoNotOptimize(U.v.data());
  }
  state.counters["rotation"] = benchmark::Counter(static_cast<double>(rotations),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Jacobi)->Unit(benchmark::kMicrosecond);

// Diagonalisations of 64 different matrices in turn, as in a run: the last
// Fock matrix with every element moved by up to one part in a thousand; the
// solver's baseline form (argument 0), its AVX2 form (1) and its AVX-512
// form (2).
// Solving one matrix again and again lets the processor learn every branch
// of its rotation sequence, which a run never does.
void BM_JacobiVaried(benchmark::State& state) {
  const auto code = static_cast<scf1s::JacobiCode>(state.range(0));
  if (!scf1s::available(code)) {
    state.SkipWithError("this processor lacks that form");
    return;
  }
  auto data = finishedRun();
  std::vector<scf1s::Matrix> matrices(64, data->F);
  std::mt19937 generator(7);
  std::uniform_real_distribution<double> factor(0.999, 1.001);
  for (scf1s::Matrix& m : matrices)
    for (int i = 1; i <= 20; ++i)
      for (int j = i; j <= 20; ++j) m(i, j) = m(j, i) = m(i, j) * factor(generator);
  scf1s::Matrix U;
  long rotations = 0;
  std::size_t next = 0;
  for (auto _ : state) {
    scf1s::Matrix A = matrices[next];
    next = (next + 1) % matrices.size();
    rotations += scf1s::jacobi(code, A, 20, U, 1.0e-12).rotations;
    benchmark::DoNotOptimize(A.v.data());
    benchmark::DoNotOptimize(U.v.data());
  }
  state.counters["rotation"] = benchmark::Counter(static_cast<double>(rotations),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_JacobiVaried)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

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

// The built program on the largest example in a scratch folder, as a user runs
// it: the time is the CPU time (user + system) of the child process, from its
// start to its exit, loading and report writing included.
void BM_WholeProcess(benchmark::State& state) {
  char pattern[] = "/tmp/scf1s-bench-XXXXXX";
  if (!mkdtemp(pattern)) {
    state.SkipWithError("cannot create a scratch folder");
    return;
  }
  const std::filesystem::path folder = pattern;
  std::filesystem::copy_file(EXAMPLES_DIR "/methane-20/scf1s.dat", folder / "scf1s.dat");
  for (auto _ : state) {
    std::filesystem::remove(folder / "scf1s.out");
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(folder.c_str()) == 0) execl(SCF1S_BINARY, "scf1s", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("scf1s failed");
      break;
    }
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec); };
    state.SetIterationTime(seconds(usage.ru_utime) + seconds(usage.ru_stime));
  }
  std::filesystem::remove_all(folder);
}
// One process a repetition, so that the median is that of single runs (a
// median of means of several runs is pulled up by the runs a busy host
// slows down).
BENCHMARK(BM_WholeProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(61)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
